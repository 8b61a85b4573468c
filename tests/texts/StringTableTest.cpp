#include "texts/StringTable.h"

#include "support/QStringPrinter.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Entry {
    StringId id;
    const char* name;
};

constexpr Entry kEntries[] = {
#define NUV_STRING(name, text) {StringId::name, #name},
#define NUV_STRING_ID(name, number, text) {StringId::name, #name},
#define NUV_TEXT(name, japanese, english) {StringId::name, #name},
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
};

TEST(StringTable, EveryTextIsPresentAndDecodedWithoutLoss) {
    for (const Entry& entry : kEntries) {
        const QString text = LoadString(entry.id);
        EXPECT_FALSE(text.isEmpty()) << entry.name;
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << entry.name;
    }
}

TEST(StringTable, NumberedTextsKeepTheirNumbersAndTheirWording) {
    EXPECT_EQ(static_cast<int>(StringId::ApplicationTitle), 57344);
    EXPECT_EQ(static_cast<int>(StringId::MapConversionFailed), 28672);
    EXPECT_EQ(static_cast<int>(StringId::TooManyInstances), 28920);
    EXPECT_EQ(LoadString(StringId::ApplicationTitle), QStringLiteral("NUV FreeMind Map file converter"));
    EXPECT_EQ(LoadString(StringId::TooManyInstances).arg(16),
              QStringLiteral("NUVは16個より多くは同時に起動できません。"));
    EXPECT_EQ(LoadString(StringId::MapConversionFailed),
              QStringLiteral("Mapファイルの変換に失敗しました。\nファイルを確認してください。"));
}

TEST(StringTable, ArgumentsAreFilledOnceEvenWhenTheyHoldPlaceholders) {
    // A name that looks like a placeholder stays as it is.
    EXPECT_EQ(LoadString(StringId::IsolateUnderSharedParent).arg(QStringLiteral("\"%2\""), QStringLiteral("\"P\"")),
              QStringLiteral("選択された単位機能 \"%2\" の親単位機能 \"P\" は共通単位機能です。\n"
                             "単位機能 \"%2\" に対して「共通単位機能を個別単位機能に変更」を行ったことによる変更は、"
                             "親単位機能 \"P\" のすべての共通単位機能に適用されます。\n\n"
                             "この動作が意図に沿わない場合は、親単位機能 \"P\" に対して"
                             "「共通単位機能を個別単位機能に変更」を行ってください。"));
    EXPECT_EQ(LoadString(StringId::ExistentialNotAllowed).arg(QStringLiteral("%1"), QStringLiteral("\"ある\"")),
              QStringLiteral("存在記号は%1文に使用できません。\"ある\" は存在記号です。"));
}

// The program's own texts, as the interface shows them in each language.
TEST(StringTable, OwnTextsShowInTheInterfacesLanguageAndExistInBoth) {
    const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff01}-\\x{ff5e}]"));
    const QRegularExpression letters(QStringLiteral("[A-Za-z]{2,}"));
    const QRegularExpression placeholder(QStringLiteral("%[0-9]"));
    const auto placeholders = [&](const QString& text) {
        QStringList found;
        for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
            found << match.captured();
        found.sort();
        return found;
    };
    const struct {
        StringId id;
        const char* name;
    } texts[] = {
#define NUV_STRING(name, text)
#define NUV_STRING_ID(name, number, text)
#define NUV_TEXT(name, japanese, english) {StringId::name, #name},
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
    };
    ASSERT_GT(std::size(texts), 20u);
    for (const auto& [id, name] : texts) {
        SetTextLanguage(1);
        const QString inJapanese = LoadString(id);
        SetTextLanguage(0);
        const QString inEnglish = LoadString(id);
        EXPECT_TRUE(inJapanese.contains(japanese)) << name;
        EXPECT_FALSE(inEnglish.contains(japanese)) << name;
        EXPECT_TRUE(inEnglish.contains(letters)) << name;
        EXPECT_EQ(placeholders(inJapanese), placeholders(inEnglish)) << name;
    }
    // The system's own texts are the same in either language; only its notices of the language switch carry both.
    const struct {
        StringId id;
        const char* name;
    } systemTexts[] = {
#define NUV_STRING(name, text) {StringId::name, #name},
#define NUV_STRING_ID(name, number, text) {StringId::name, #name},
#define NUV_TEXT(name, japanese, english)
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
    };
    const QRegularExpression sentence(QStringLiteral("[A-Za-z]+ [a-z]+ [a-z]+"));
    QStringList inBoth;
    for (const auto& [id, name] : systemTexts) {
        SetTextLanguage(1);
        const QString inJapanese = LoadString(id);
        SetTextLanguage(0);
        EXPECT_EQ(LoadString(id), inJapanese) << name;
        if (inJapanese.contains(japanese) && inJapanese.contains(sentence))
            inBoth << QString::fromUtf8(name);
    }
    EXPECT_EQ(inBoth, QStringList({"SwitchedToEnglish", "SwitchToEnglishFailed", "SwitchedToJapanese",
                                   "SwitchToJapaneseFailed"}));
}

// Every text shows in the interface's language, as a NUV_TEXT or as a pair named ...Ja and ...En, but for the
// system's own texts, which read the same in either interface. A text joins their list only when it is one of them.
TEST(StringTable, EveryJapaneseTextThatIsNotTheSystemsOwnHasAnEnglishOne) {
    using enum StringId;
    // clang-format off
    const StringId systemTexts[] = {
        CloseButton, DropMapFile, OnlyOneFileConverted, SwitchedToEnglish,
        SwitchToEnglishFailed, SwitchedToJapanese, SwitchToJapaneseFailed, SwitchToEnglishQuestion, ExportedFile,
        OverwriteQuestion, OutlineIndexExportName, OutlineIndexExportFilter, MemberNamesExportName, CsvExportFilter,
        CannotOpenForSaving, CannotWriteFile, UnknownVersionFileRead, FileInUseCaption, DocumentEditedElsewhere,
        ReadOnlyButton, NotifyButton, FileNowWritableCaption, EditButton, EditedFileCaption, DiscardButton, SaveButton,
        MapConversionFinished, ProgressCaption, ProgressCount,
        CancelButton, FolderSelectTitle, CsvTooFewFunctions, CsvExportFinished, OriginCannotBeDeleted,
        OriginHasNoSiblings, OriginCannotBeMoved, CannotMoveThere, NotAnOutlineNumber,
        OriginCannotBeRemovedFromIndex, ConfirmDeleteFunctionCompletely, OriginIsAlwaysReuseSource,
        ParentIsReuseTarget, AlreadyReuseSource, NotASharedFunction, OriginCannotBeIsolated,
        IsolateUnderSharedParent, HierarchicalViewTitle, ConfirmChartDrawing, ConfirmDiagramDrawing,
        NothingToPrintInChart, DiagramImageTooLarge, FunctionListNewButton, FunctionListDeleteButton,
        ConfirmDeleteFunctions, FunctionUsedInIndex, FunctionUsedByFnStatements, NotesTitle, ZoomWindowTitle,
        ZoomActualSize, NamePromptTitle, NamePromptLabel, MovePromptTitle, IsolatePromptTitle, IsolatePromptLabel,
        MemberUsageCsvHeader, MemberUsageSizeOver, SeveralQuantifiers, WholeNameIsQuantifier, ExistentialNotAllowed,
        QuantifierNotAllowed, IsExistentialQuantifier, IsUniversalQuantifier, QuantifierAtNameStart,
        DeleteEmptyItems, ItemWithEmptyName, NoSemanticRelation, NoMessage, FillAllItems, AlreadyRegistered,
        SyntaxSymbolPageTitle, NewItemButton, DeleteItemButton, AddRuleButton, ChangeRuleButton, SymbolMessage,
        SymbolForbiddenChars, SymbolFullWidth, SymbolEmpty, SymbolBlanksOnly, SymbolEdgeBlanks, SymbolDuplicate,
        AuxiliaryVerbMessage, AuxiliaryVerbEmpty, AuxiliaryVerbDuplicate, AuxiliaryVerbForbiddenChars,
        AuxiliaryVerbTooMany, MessagesPageExplanation, SettingOutOfRange, SettingsPageTableOfContents,
        SettingsPageHeader, SettingColourDescribed, SettingColourNotDescribed, SettingColourReused,
        SettingColourReuseReference, VocabularyEmptyItems, VocabularyDuplicateItem, VocabularyForbiddenCharacters,
        QuantifierWithoutOpposite,
        FnCycle, InspectionStarted, InspectingReasons, InspectingSyntax, ExpandingLogic, BuildingSyntaxTree,
        CreatingPaths, CheckingWithinPaths, CheckingBetweenPaths, CountingResults, WholeInspectionAllBegin,
        WholeInspectionAllEnd, WholeInspectionSyntaxBegin, WholeInspectionSyntaxEnd, WholeInspectionRedundancyBegin,
        WholeInspectionRedundancyEnd, WholeInspectionInconsistencyBegin, WholeInspectionInconsistencyEnd,
        CurrentInspectionBegin, CurrentInspectionEnd, PathsTotal, SyntaxTotal, RedundancyTotal, InconsistencyTotal,
        SemanticRelationTotal, ReasonInspectionBegin, ReasonInspectionEnd, NoReasonGiven, GiveReasonOrOmit,
        ReasonTotal, EmptyFunctionName, NoDoOrFnInFunction, InspectionAborted, InspectionAborting,
        InspectionRunningCaption, MissingName, NoEffectiveStatement, EmptyBody, RedundantDescription, Contradiction,
        PossibleContradiction, PossibleInconsistency, SeeAlso, SameExecutionConditions, OmissibleConditions,
        CorrespondenceAllBegin, CorrespondenceAllEnd, CorrespondenceCurrentBegin, CorrespondenceCurrentEnd,
        FunctionNameInUse, FunctionNameOnlyInList, NoMoveSource, PrefixMembersStart, PrefixMemberChanged,
        PrefixMembersDone, CodeSymbolLabel, InputPaneCaption, OutputPaneCaption, ContentPaneName,
        LineMarkDialogTitle, LineMarkOpen, LineMarkDelete, NoFunctionSelected, ProcessName1, ProcessName2,
        ProcessName3, ProcessName4, ProcessName5, ProcessName6, ProcessName7, ProcessName8, ProcessName9,
        SearchedText, SearchTargets, SearchTargetFunction, SearchTargetContent, SearchTargetLogic,
        SearchHeaderDetails, SearchDetailOutlineNumber, SearchDetailFunctionName, SearchDetailUniqueLabel,
        SearchDetailCodeSymbol, SearchDetailRequirements, SearchLogicDetails, SearchDetailMemberName,
        SearchDetailStateName, SearchDetailParticles, SearchScopeLine, SearchScopeAll, SearchScopeDescendants,
        SearchScopeCurrent, SearchCurrentFunction, SearchHitCount, SearchHitOutlineNumber, SearchHitFunctionName,
        SearchHitUniqueLabel, SearchHitCodeSymbol, SearchHitContentLine, SearchHitLogicLine,
        SearchFurtherOccurrence, ReplaceBracketsRefused, ReplaceSlotOverLimit, ReplaceSlotsOverLimit,
        ReplaceNameOverLimit, ReplaceNamesOverLimit, ReplacedName, ReplaceNameSkipped, ReplacedContent,
        ReplacedSlot, ReplaceSlotSkipped, ReplacedCount, ReplaceMadeDuplicateName, SimilarStart, SimilarMemberFirst,
        SimilarMemberSecond, SimilarStateFirst, SimilarStateSecond, SimilarStopped, SimilarEnd,
        SimilarLengthOutOfRange, ObscureWord, ObscureTotal, LineMarkChangeButton, LineMarkDefaultButton,
        FileNameNotEntered, CsvFileFilter, DecisionTableObject, DecisionTableFnCycle,
        DecisionTableOutlineNumberStub, DecisionTableNameStub, DecisionTableLabelStub, DecisionTableRequirementStub,
        TestSpecificationObject, TestSpecificationFnCycle, TestItemNumberHeader, TestScenarioHeader,
        TestExpectedResultHeader, CommentSourceTitle, CommentSourceFilter, CommentSourceLoopQuestion,
        CommentSourceCancelled, CommentSourceContinueQuestion, TemplateFaultArgument, TemplateFaultThreeArguments,
        TemplateFaultOddArguments, TemplateFaultCommand, TemplateHelp, TraceabilityCannotOpen, TraceabilityImported,
        UniqueLabelChangeQuestion, UniqueLabelRemoveQuestion, UniqueLabelReuseQuestion, UniqueLabelUsedElsewhere,
        UniqueLabelCannotDiscontinue, RequirementEmptyItemQuestion, RequirementDuplicateQuestion, UniqueLabelTitle,
        UniqueLabelMethodGroup, UniqueLabelMethodNumbers, UniqueLabelMethodTimestamp, UniqueLabelMethodDirect,
        UniqueLabelMethodNone, UniqueLabelPrefix, UniqueLabelAssign, UniqueLabelApplyToNew,
        UniqueLabelDiscontinuedGroup, UniqueLabelAdd, UniqueLabelRemove, RequirementNew, RequirementDelete,
        AllDefaultButton, BrowseButton, DefaultButton, ExportButton, ImportButton, DecisionTableTraceabilityOption,
        DecisionTableConclusionOrder, DecisionTableConsequentsAsWritten, DecisionTableConsequentsByCode,
        DecisionTableConditionOrder, DecisionTableAntecedentsAsWritten, DecisionTableAntecedentsByCode,
        SynchronizationPageTitle, SplashScreenPageTitle, NoResultsToPrint, ResultsStartTime,
        CreateCommonFunctionQuestion, SlotAlreadyFull,
        PastedTextTruncated, TypingOutsideLines, LogicMenuCandidates, LogicMenuNoCandidate,
        LogicMenuInsertStatement, LogicMenuEditStatement, LogicMenuDeleteStatement, LogicMenuAddBefore,
        LogicMenuComment, LogicMenuLineBreak, LogicMenuReplaceWithDo, LogicMenuReplaceWithTransitState,
        LogicMenuReplaceWithFn, LogicMenuHankakuNegation, LogicMenuZenkakuNegation, LogicMenuDelete,
        LogicMenuDeleteLine, LogicMenuDeleteBlock, LogicMenuDeleteFrame, LogicMenuUndo, LogicMenuRedo, LogicMenuCut,
        LogicMenuCopy, LogicMenuPaste, LogicMenuPasteLines, LogicMenuSelectAll, LogicMenuSelectFunction,
        LogicMenuFont, LogicMenuRegisterMemberName, LogicMenuCopyLines, LogicMenuFontLines, LogicMenuEditLineMark,
        RegisterThisMemberNameQuestion};
    // clang-format on
    const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff01}-\\x{ff5e}]"));
    std::map<StringId, std::string> names;
#define NUV_STRING(name, text) names[StringId::name] = #name;
#define NUV_STRING_ID(name, number, text)
#define NUV_TEXT(name, japanese, english)
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
    const std::set<StringId> system(std::begin(systemTexts), std::end(systemTexts));
    for (const auto& [id, name] : names) {
        if (!LoadString(id).contains(japanese) || system.contains(id))
            continue;
        // Else the Japanese side of a pair, whose English side exists and is English.
        const std::string pair = name.ends_with("Ja") ? name.substr(0, name.size() - 2) + "En" : std::string();
        const auto english = std::ranges::find_if(names, [&pair](const auto& entry) { return entry.second == pair; });
        EXPECT_TRUE(english != names.end() && !LoadString(english->first).contains(japanese))
            << name << " shows in Japanese in the English interface";
    }
    for (StringId id : systemTexts)
        EXPECT_TRUE(names.contains(id) && LoadString(id).contains(japanese)) << static_cast<int>(id);
}

} // namespace
