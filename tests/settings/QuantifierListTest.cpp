#include "settings/QuantifierList.h"

#include "model/DocumentData.h"
#include "model/QuantifierCheck.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using platform::MessageAnswer;
using platform::ScriptedMessageSink;

namespace {

struct QuantifierDocument {
    CDocumentData data;
    CLogicLine* line = nullptr;

    QuantifierDocument() {
        data.SetDefaults();
        CUnitFunction* function = data.registry.CreateFunctionWithID(1000);
        auto record = std::make_unique<CLogicLine>();
        record->lineKind = SyntaxIf;
        record->textSlots[0].text = QStringLiteral("each sensor");
        line = record.get();
        function->logicLines.push_back(std::move(record));
    }
};

} // namespace

TEST(QuantifierList, OkStoresAChangedListAndChecksTheMemberNamesAgain) {
    QuantifierDocument document;
    const CQuantifierSettings before = document.data.quantifiers;
    CQuantifierList list(before);
    ASSERT_EQ(list.Count(), before.entries.size());
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Unchanged);
    EXPECT_EQ(document.data.quantifiers, before);
    EXPECT_EQ(document.line->mark, 0u);

    // A new universal word at the start of a name: the if line that uses it is marked at once.
    list.Append({"each ", "some ", 0, 0});
    ScriptedMessageSink sink;
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Stored);
    EXPECT_TRUE(sink.Texts().isEmpty());
    ASSERT_EQ(document.data.quantifiers.entries.size(), before.entries.size() + 1);
    EXPECT_EQ(document.data.quantifiers.entries.back(), (QuantifierEntry{"each ", "some ", 0, 0}));
    EXPECT_EQ(document.line->mark, quantifierWarningMark);
}

TEST(QuantifierList, EntriesAreCutToWhatTheRecordKeepsAndFlagsAreZeroOrOne) {
    CQuantifierList list(CQuantifierSettings{});
    list.SetEntryAt(0, {QString(70, 'q'), QString(65, 'o'), 5, -1});
    EXPECT_EQ(list.EntryAt(0).quantifier.size(), CQuantifierSettings::MaxTextLength);
    EXPECT_EQ(list.EntryAt(0).opposite.size(), CQuantifierSettings::MaxTextLength);
    EXPECT_EQ(list.EntryAt(0).type, 1);
    EXPECT_EQ(list.EntryAt(0).infix, 1);
}

TEST(QuantifierList, EmptyDuplicateAndBracketedEntriesAreAskedAboutBeforeAnythingIsStored) {
    QuantifierDocument document;
    const CQuantifierSettings before = document.data.quantifiers;
    CQuantifierList list(before);
    list.Append({"", "x", 0, 0});
    list.Append({"∀", "∃∃", 1, 1});
    list.Append({"<any>", "", 0, 0});
    {
        // Cancel keeps the list as it is; nothing reaches the document.
        ScriptedMessageSink sink;
        sink.Answer(MessageAnswer::Cancel);
        EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Refused);
        EXPECT_EQ(sink.Texts(), QStringList{"空の量化記号があります。\n空の量化記号を削除してよろしいですか？"});
        EXPECT_EQ(sink.Requests()[0].icon, platform::MessageIcon::Question);
        EXPECT_EQ(list.Count(), before.entries.size() + 3);
    }
    ScriptedMessageSink sink;
    for (int i = 0; i < 3; ++i)
        sink.Answer(MessageAnswer::Ok);
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Refused);
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Refused);
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Refused);
    EXPECT_EQ(sink.Texts(),
              (QStringList{"空の量化記号があります。\n空の量化記号を削除してよろしいですか？",
                           "量化記号 \"∀\" が重複しています。\n重複する量化記号を削除してよろしいですか？",
                           "量化記号 \"<any>\" は禁止文字を含むため登録できません。\n文字 <, >, {, }, [, ] "
                           "は量化記号に使用できません。\n\nこの量化記号を削除してよろしいですか？"}));
    EXPECT_EQ(document.data.quantifiers, before);
    // The first of the duplicates stays, so the list is the document's again.
    EXPECT_EQ(list.Settings(), before);
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Unchanged);
}

TEST(QuantifierList, AQuantifierWithoutItsOppositeIsRefusedSinceTheDocumentCouldNotKeepIt) {
    QuantifierDocument document;
    const CQuantifierSettings before = document.data.quantifiers;
    CQuantifierList list(before);
    list.Append({"12", "", 0, 0});
    ScriptedMessageSink sink;
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Refused);
    EXPECT_EQ(sink.Texts(),
              QStringList{"量化記号 \"12\" の反対の量化記号が空です。\n反対の量化記号を入力してください。"});
    EXPECT_EQ(document.data.quantifiers, before);
    list.SetEntryAt(list.Count() - 1, {"12", "21", 0, 0});
    EXPECT_EQ(list.Store(document.data, "量化記号", "反対の量化記号"), VocabularyStore::Stored);
    EXPECT_EQ(document.data.quantifiers.entries.back(), (QuantifierEntry{"12", "21", 0, 0}));
}
