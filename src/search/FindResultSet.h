#pragma once

#include "search/FieldSearch.h"
#include "search/ResultPaneReport.h"
#include "search/SearchRequest.h"

#include <QString>

#include <vector>

class CDocumentData;
class CUnitFunction;
struct CMessageContext;

// One occurrence of a member name in a logic description.
struct MemberNameRecord {
    qint32 internalId = 0;
    qint32 lineIndex = 0;
    QString memberName;
};

// One occurrence of a state name, with the member it belongs to.
struct StateNameRecord {
    qint32 internalId = 0;
    qint32 lineIndex = -1;
    QString stateName;
    QString memberName;
};

// Whether two names are similar under the settings: the agreement reaches the match rate, and identical
// names count only while the exact-match setting allows them.
bool IsSimilarWord(const QString& a, const QString& b, int matchRate, bool exactMatchIsNotSimilar);

// One run of the search, the similar-word detection or the obscure-word detection over a document that stays
// unchanged meanwhile. Each run gives the result pane's lines; nothing is kept between runs.
class CFindResultSet {
public:
    static constexpr int MaxNameLength = 64;

    CFindResultSet(const CDocumentData& data, const CMessageContext& context) : m_data(data), m_context(context) {}

    // The search; `current` is the active tab's unit function, null without one.
    CResultPaneReport SearchAll(SearchRequest request, const CUnitFunction* current);
    // Appends the unit function's hits and, when it has any, its block of lines; returns whether it had any.
    bool SearchUnitFunction(const SearchRequest& request, const CUnitFunction& function, FindHits& hits,
                            CResultPaneReport& report) const;

    CResultPaneReport FindSimilarWords();
    CResultPaneReport FindFuzzyWords(bool inFunctionContentField, bool inLogicDescriptionField) const;

    void CollectMemberNames();
    void CollectStateNames();
    void FreeMemberNames() { m_memberNames.clear(); }
    void FreeStateNames() { m_stateNames.clear(); }
    void FindSimilarMemberNames(CResultPaneReport& report);
    void FindSimilarStateNames(CResultPaneReport& report);

    // The similar pairs found so far in this run.
    int HitCount() const { return m_hitCount; }

private:
    QString OutlineText(qint32 internalId) const;
    const CUnitFunction* Function(qint32 internalId) const;

    const CDocumentData& m_data;
    const CMessageContext& m_context;
    int m_hitCount = 0;
    std::vector<MemberNameRecord> m_memberNames;
    std::vector<StateNameRecord> m_stateNames;
};
