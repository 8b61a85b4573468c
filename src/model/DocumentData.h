#pragma once

#include "model/AbstractIndexItem.h"
#include "model/AuxiliaryVerb.h"
#include "model/DocumentFonts.h"
#include "model/EnvironmentOptions.h"
#include "model/FunctionAttribute.h"
#include "model/GeneratorTables.h"
#include "model/LogicAreaSettings.h"
#include "model/MemberDefinition.h"
#include "model/ModelOptions.h"
#include "model/PrintSettings.h"
#include "model/QuantifierSettings.h"
#include "model/RuleVocabularyTables.h"
#include "model/SentenceSettings.h"
#include "model/SyntaxSymbol.h"
#include "model/UnitFunctionRegistry.h"

#include "model/ViewLayoutTables.h"
#include <QStringList>

#include <QString>

#include <array>
#include <set>
#include <vector>

// One open unit-function tab as the document remembers it.
struct OpenView {
    qint32 FunctionDescriptor = 0; // InternalID of the unit function shown
    qint32 IsSelected = 0;

    bool operator==(const OpenView&) const = default;
};

// The version, title, open tabs and index-view positions of the document.
struct DocumentHeader {
    static constexpr int MaxTimeLength = 64;
    static constexpr int MaxAuthorLength = 256;
    static constexpr int MaxCommentLength = 1024;
    static constexpr int MaxTitleLength = 256;
    static constexpr int MaxOpenViews = 10;

    quint16 Major = 0;
    quint16 Minor = 0;
    quint16 Version = 0;
    QString Time;
    QString Author;
    QString Comment;
    QString Title;
    quint16 openViewCount = 0;
    std::array<OpenView, MaxOpenViews> openViews{};
    IndexViewInfo indexViewInfo;
};

// A version stored in the document: the whole "Document" element as XML text and what the history shows.
struct StoredVersion {
    QString xml;
    QString label; // "%2d.%02d" of major and minor
    QString time;
    QString author;
    QString comment;
    int number = 0;

    bool operator==(const StoredVersion&) const = default;
};

// Spare numbers kept beside the table sizes; nothing reads them.
struct SpareCounts {
    std::array<quint16, 5> shortCounts{0, 2, 0, 0, 0};
    std::array<quint32, 4> longCounts{};
};

struct FileHeader {
    QString productWord = QStringLiteral("NUV");
    quint16 first = 0;
    quint16 second = 2;
};

// A member name the editor used lately, with where it was used.
struct RecentName {
    qint32 InternalID = 0;
    qint32 lineIndex = -1; // in the unit function's logic description, -1 for none
    QString memberName;

    bool operator==(const RecentName&) const = default;
};

// A member and state name the editor used lately.
struct RecentNamePair {
    qint32 InternalID = 0;
    qint32 lineIndex = -1;
    QString memberName;
    QString stateName;

    bool operator==(const RecentNamePair&) const = default;
};

// The display fonts of a new document.
DocumentFonts DefaultDocumentFonts();

// All content and settings of the one document a process has open. Plain record; it owns everything in it.
class CDocumentData {
public:
    static constexpr int MaxStoredVersions = 10;
    static constexpr int MaxRecentNames = 30;
    static constexpr int MaxRecentFontFaces = 4;

    CDocumentData();
    ~CDocumentData();
    CDocumentData(const CDocumentData&) = delete;
    CDocumentData& operator=(const CDocumentData&) = delete;

    // Turns the record into a new document with one origin unit function.
    void SetDefaults();
    // Empties the tables; DataReady becomes 0.
    void Clear();
    // Empties the registry and the table of contents together, so that no item keeps pointing at a freed
    // unit function; used before a document is read and when the record goes.
    void ClearFunctions();
    // The same for a process that ends right after: the unit functions and the items are left undestroyed,
    // for the system to take back with the rest of the process.
    void ClearFunctionsAtExit();
    // After the unit functions changed: the registry's rebuild and the table of contents, then every view.
    void RebuildAndRefresh(const ModelOptions& options);

    // The options the hierarchy operations consult, taken from the environment and the Fn syntax symbol.
    ModelOptions GetModelOptions() const;
    // Every unique label that may not be handed out again: those of the unit functions, the discontinued ones
    // and those of unit functions deleted since the document was read; in no order.
    std::vector<QString> TakenUniqueLabels() const;

    // The document's one title (cut to its 256 characters), which the title page, the header and footer item and
    // the comment source print; the title page's line keeps the first 24 characters of it, as its field holds.
    void SetDocumentTitle(const QString& title);
    static quint64 NextInstance();

    int DataReady = 0;
    // Which document the record holds, never the same twice in one process: every reset draws the next, so that
    // the internal IDs of what was copied from one document are not taken for another's.
    quint64 instance = NextInstance();
    SpareCounts spareCounts;
    FileHeader fileHeader;
    DocumentHeader documentHeader;
    std::vector<StoredVersion> versionHistory; // oldest first, at most MaxStoredVersions
    QString connectionText;                    // at most 128 characters
    IDTableSettings IDTable;
    DocumentFonts fonts;
    // The font faces the user picked last, most recent first. They belong to the process as much as to the
    // document: neither a reset nor a new document clears them; every file written carries them and every
    // file read with font settings replaces them.
    QStringList recentFontFaces;
    CTitleTable TitleTable;
    LogicAreaSettings FAreaTable;
    HierarchicalIndexSettings indexViewSettings;
    LineMarkTable lineMarkTable;
    FuzzwordSettings fuzzwords;
    DecisionTableLayout TestTable;
    VersionControlSettings VersionControlTable;
    WorkTableSettings WorkTable;
    FlowchartNames FlowchartName;
    NaturalSentenceWords naturalSentenceWords;
    std::vector<SyntaxSymbol> SyntaxSymbols; // one per statement kind once a document is there
    std::vector<FunctionAttribute> FunctionAttributes;
    std::vector<AuxiliaryVerb> AuxiliaryVerbs;
    std::vector<RecentName> RecentNames;         // newest last, at most MaxRecentNames
    std::vector<RecentNamePair> RecentNamePairs; // likewise
    QString MemoText;
    FontSetting memoFont;
    PrintSettings printSettings;
    qint64 creationTime = 0;
    qint64 resultsTime = 0;
    HeaderIOSettings headerIOSettings;
    QString unsettledText1;
    QString unsettledText2;
    quint8 unsettledFlag = 0;
    GeneratorOutputOptions decisionTableOptions;
    GeneratorOutputOptions testSpecificationOptions;
    FontSetting resultsFont;
    int nextVersionNumber = 0;
    int layoutGuard = 0; // 1 while a tab's panes are re-laid out
    SimilarWordSettings similarWords;
    IntraMemberConsistencyRuleList intraMemberConsistencyRules;
    InconsistencyRuleList inconsistencyRules;
    int unsettledNumber1 = 0;
    int unsettledNumber2 = 0;
    FileNameSettings fileNames;
    ExportExplanationsOptions exportExplanationsOptions;
    int MaximumNumberOfTabs = 0;
    int AutoSaveOnOff = 0;
    int AutoSaveInterval = 0; // minutes
    int funcHeaderFormHeight = 0;
    quint16 functionsNum = 0; // read from the file, never written
    CQuantifierSettings quantifiers;
    SentenceParticles particles;
    CEnvironmentOptions environment;
    CUnitFunctionRegistry registry;
    CAbstractIndexItem indexRoot;
    MemberDefinitionList memberDefinitions;
    int uniqueLabelMethod = 0;
    QString uniqueLabelPrefix;
    std::set<QString> notUseUniqueLabels;
    // Labels of deleted unit functions, never handed out again; not stored in the document file.
    std::set<QString> deletedUniqueLabels;

    // Language of a new document's sentence words and particles: 1 Japanese, 0 English. The program starts
    // with 1 and nothing changes it.
    int documentLanguage = 1;
    // Language of the default line-mark names: the one the program speaks, 1 Japanese, 0 English (the converter's).
    // The editor and the tools set it from the language chosen; the defaults leave it alone.
    int interfaceLanguage = 0;
    // The printout the print-target page chose; it outlives documents, so the defaults leave it alone.
    int selectedPrintout = DefaultSelectedPrintout;
};
