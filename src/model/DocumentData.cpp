#include "model/DocumentData.h"

#include "model/FontInfo.h"
#include "model/ModelShell.h"

#include <QDateTime>

#include <atomic>

DocumentFonts DefaultDocumentFonts() {
    DocumentFonts fonts;
    fonts.columnFont.SetStandardColour(9);
    fonts.columnFont.bold = 1;
    fonts.columnFont.pointSize = 90;
    fonts.AuVerbFont2.SetStandardColour(12);
    const QString explanationFace = QStringLiteral("ＭＳ 明朝");
    if (ModelShell().InstalledFonts().FindFaceIndex(explanationFace) >= 0)
        fonts.ExplanationFont.faceName = explanationFace;
    return fonts;
}

CDocumentData::CDocumentData() = default;

quint64 CDocumentData::NextInstance() {
    static std::atomic<quint64> last{0};
    return ++last;
}

CDocumentData::~CDocumentData() {
    Clear();
    ClearFunctions();
}

void CDocumentData::ClearFunctions() {
    indexRoot.Clear();
    registry.Clear();
}

void CDocumentData::ClearFunctionsAtExit() {
    struct Left {
        CUnitFunctionTable functions;
        CAbstractIndexItem indexRoot;
    };
    // Never destroyed: freed node by node, a large document takes longer than all the rest of the exit.
    new Left{registry.TakeFunctions(), std::move(indexRoot)};
    ClearFunctions();
}

void CDocumentData::RebuildAndRefresh(const ModelOptions& options) {
    registry.RebuildAndNotify(indexRoot, options);
    registry.UpdateAllFunctionViews(indexRoot);
}

void CDocumentData::Clear() {
    DataReady = 0;
    SyntaxSymbols.clear();
    FunctionAttributes.clear();
    AuxiliaryVerbs.clear();
    RecentNames.clear();
    RecentNamePairs.clear();
    intraMemberConsistencyRules.clear();
    inconsistencyRules.clear();
}

void CDocumentData::SetDocumentTitle(const QString& title) {
    documentHeader.Title = title.left(DocumentHeader::MaxTitleLength);
    printSettings.titleLines[PrintSettings::DocumentTitle].text = title.left(PrintTitleLine::MaxTextLength);
}

std::vector<QString> CDocumentData::TakenUniqueLabels() const {
    std::vector<QString> labels;
    for (const auto& [id, function] : registry.Functions()) {
        if (!function.header.uniqueLabel.isEmpty())
            labels.push_back(function.header.uniqueLabel);
    }
    labels.insert(labels.end(), notUseUniqueLabels.begin(), notUseUniqueLabels.end());
    labels.insert(labels.end(), deletedUniqueLabels.begin(), deletedUniqueLabels.end());
    return labels;
}

ModelOptions CDocumentData::GetModelOptions() const {
    ModelOptions options;
    options.DistinguishPrimaryOutlineNumber = environment.distinguishPrimaryOutlineNumber != 0;
    options.ShowOutlineNumberInFnStatement = environment.showOutlineNumberInFnStatement != 0;
    options.UnNecessaryReasoningDefault = environment.unNecessaryReasoningDefault != 0;
    options.OpenTabWhenCreateFunction = environment.openTabWhenCreateFunction != 0;
    options.EnableDuplicateSiblings = environment.enableDuplicateSiblings != 0;
    options.SynchronizeFn = environment.synchronizeFn;
    options.InheritRequirementsDown = environment.inheritRequirementsDown != 0;
    options.InheritRequirementsUp = environment.inheritRequirementsUp != 0;
    if (!SyntaxSymbols.empty()) {
        options.fnKeyword = SyntaxSymbols[SyntaxFn].keyword;
        options.fnSymbolColumn = SyntaxSymbols[SyntaxFn].Column;
    }
    return options;
}

void CDocumentData::SetDefaults() {
    Clear();
    instance = NextInstance();
    // Environment options first: the origin is created with the document's defaults.
    environment.SetDefaults();

    spareCounts = SpareCounts();
    fileHeader = FileHeader();
    documentHeader = DocumentHeader();
    versionHistory.clear();
    connectionText.clear();
    IDTable = IDTableSettings();
    fonts = DefaultDocumentFonts();
    TitleTable = CTitleTable();
    FAreaTable = LogicAreaSettings();
    indexViewSettings = HierarchicalIndexSettings();
    SetDefaultLineMarkSettings(lineMarkTable, interfaceLanguage);
    // The obscure-word search targets outlive documents.
    fuzzwords.words.clear();
    TestTable = DecisionTableLayout();
    VersionControlTable = VersionControlSettings();
    InitWorkTable(WorkTable);
    ResetProcessNames(FlowchartName);
    naturalSentenceWords = NaturalSentenceWords();
    if (documentLanguage != 0)
        SetJapaneseSentenceWords(naturalSentenceWords);
    else
        SetEnglishSentenceWords(naturalSentenceWords);
    naturalSentenceWords.language = documentLanguage;

    SyntaxSymbols.clear();
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind)
        SyntaxSymbols.push_back(SyntaxSymbol::GetDefault(kind, fonts.columnFont));
    FunctionAttributes = FunctionAttribute::GetDefaults();
    AuxiliaryVerbs = AuxiliaryVerb::GetDefaults();

    MemoText.clear();
    memoFont = FontSetting();
    printSettings = PrintSettings();
    creationTime = resultsTime = QDateTime::currentSecsSinceEpoch();
    headerIOSettings = HeaderIOSettings();
    unsettledText1.clear();
    unsettledText2.clear();
    unsettledFlag = 0;
    decisionTableOptions = GeneratorOutputOptions();
    testSpecificationOptions = GeneratorOutputOptions();
    resultsFont = FontSetting();
    nextVersionNumber = 1;
    layoutGuard = 0;
    similarWords = SimilarWordSettings();
    unsettledNumber1 = unsettledNumber2 = 0;
    fileNames = FileNameSettings();
    exportExplanationsOptions = ExportExplanationsOptions();
    MaximumNumberOfTabs = 3;
    AutoSaveOnOff = 0;
    AutoSaveInterval = 10;
    funcHeaderFormHeight = 34;
    functionsNum = 0;
    quantifiers.SetDefaults();
    particles.language = documentLanguage;
    GetSentenceParticles(particles.language, particles);
    memberDefinitions.clear();
    uniqueLabelMethod = 0;
    uniqueLabelPrefix.clear();
    notUseUniqueLabels.clear();

    // The registry is not emptied here: the reader does that before it fills it.
    const ModelOptions options = GetModelOptions();
    registry.CreateDefaultFunction(options);
    // The tree follows the new origin.
    indexRoot.Clear();
    RebuildAndRefresh(options);
    DataReady = 1;
}
