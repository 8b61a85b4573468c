#pragma once

#include "model/AbstractIndexItem.h"
#include "model/AuxiliaryVerb.h"
#include "model/DocumentFonts.h"
#include "model/EnvironmentOptions.h"
#include "model/FunctionAttribute.h"
#include "model/LogicAreaSettings.h"
#include "model/ModelOptions.h"
#include "model/SyntaxSymbol.h"
#include "model/UnitFunctionRegistry.h"

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
    qint32 HierHScrollPosition = 0;
    qint32 HierVScrollPosition = 0;
    qint32 HierClickedInternalID = 0;
    quint16 HierViewPageNum = 0;
    qint32 LexiSelectInternalID = 0;
    qint32 LexiHScrollPosition = 0;
    qint32 LexiVScrollPosition = 0;
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

// All content and settings of the one document a process has open. Plain record; it owns everything in it.
class CDocumentData {
public:
    static constexpr int MaxStoredVersions = 10;

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

    // The options the hierarchy operations consult, taken from the environment and the Fn syntax symbol.
    ModelOptions GetModelOptions() const;

    int DataReady = 0;
    SpareCounts spareCounts;
    FileHeader fileHeader;
    DocumentHeader documentHeader;
    std::vector<StoredVersion> versionHistory; // oldest first, at most MaxStoredVersions
    QString connectionText;                    // at most 128 characters
    DocumentFonts fonts;
    LogicAreaSettings FAreaTable;
    std::vector<SyntaxSymbol> SyntaxSymbols; // one per statement kind once a document is there
    std::vector<FunctionAttribute> FunctionAttributes;
    std::vector<AuxiliaryVerb> AuxiliaryVerbs;
    QString MemoText;
    FontSetting memoFont;
    qint64 creationTime = 0;
    qint64 resultsTime = 0;
    QString unsettledText1;
    QString unsettledText2;
    quint8 unsettledFlag = 0;
    FontSetting resultsFont;
    int nextVersionNumber = 0;
    int layoutGuard = 0; // 1 while a tab's panes are re-laid out
    int unsettledNumber1 = 0;
    int unsettledNumber2 = 0;
    int MaximumNumberOfTabs = 0;
    int AutoSaveOnOff = 0;
    int AutoSaveInterval = 0; // minutes
    int funcHeaderFormHeight = 0;
    quint16 functionsNum = 0; // read from the file, never written
    CEnvironmentOptions environment;
    CUnitFunctionRegistry registry;
    CAbstractIndexItem indexRoot;
    int uniqueLabelMethod = 0;
    QString uniqueLabelPrefix;
    std::set<QString> notUseUniqueLabels;
    // Labels of deleted unit functions, never handed out again; not stored in the document file.
    std::set<QString> deletedUniqueLabels;
};
