#include "search/FindResultSet.h"

#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "model/WordSimilarity.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <unordered_map>

bool IsSimilarWord(const QString& a, const QString& b, int matchRate, bool exactMatchIsNotSimilar) {
    if (exactMatchIsNotSimilar && a == b)
        return false;
    return WordSimilarityPercent(a, b) >= matchRate;
}

namespace {

QString JoinTexts(const QStringList& parts) {
    return parts.join(LoadString(StringId::SearchListSeparator));
}

QString ScopeText(int scope) {
    switch (scope) {
    case SearchRequest::AllFunctions:
        return LoadString(StringId::SearchScopeAll);
    case SearchRequest::CurrentAndDescendants:
        return LoadString(StringId::SearchScopeDescendants);
    default:
        return LoadString(StringId::SearchScopeCurrent);
    }
}

QString TargetLine(bool function, bool content, bool logic) {
    QStringList targets;
    if (function)
        targets << LoadString(StringId::SearchTargetFunction);
    if (content)
        targets << LoadString(StringId::SearchTargetContent);
    if (logic)
        targets << LoadString(StringId::SearchTargetLogic);
    return LoadString(StringId::SearchTargets) + JoinTexts(targets);
}

} // namespace

CResultPaneReport CFindResultSet::SearchAll(SearchRequest request, const CUnitFunction* current) {
    request.findText.truncate(SearchRequest::MaxFindTextLength);
    CResultPaneReport report;
    report.advancedSearchResults = true;
    report.AddLine(LoadString(StringId::SearchedText).arg(request.findText));
    report.AddLine(TargetLine(request.searchUnitFunction, request.searchFunctionContentField,
                              request.searchLogicDescriptionField));
    if (request.searchUnitFunction) {
        QStringList details;
        if (request.outlineNumber)
            details << LoadString(StringId::SearchDetailOutlineNumber);
        if (request.unitFunctionName)
            details << LoadString(StringId::SearchDetailFunctionName);
        if (request.uniqueLabel)
            details << LoadString(StringId::SearchDetailUniqueLabel);
        if (request.originalRequirementItem)
            details << Msg::RequirementPlural(m_context);
        if (request.codeSymbol)
            details << LoadString(StringId::SearchDetailCodeSymbol);
        report.AddLine(LoadString(StringId::SearchHeaderDetails) + JoinTexts(details));
    }
    if (request.searchLogicDescriptionField) {
        QStringList details;
        if (request.memberName)
            details << LoadString(StringId::SearchDetailMemberName);
        if (request.stateName)
            details << LoadString(StringId::SearchDetailStateName);
        if (request.logicUnitFunctionName)
            details << LoadString(StringId::SearchDetailFunctionName);
        if (request.particlesAuxiliaryVerbsComments)
            details << LoadString(StringId::SearchDetailParticles);
        report.AddLine(LoadString(StringId::SearchLogicDetails) + JoinTexts(details));
    }
    report.AddLine(LoadString(StringId::SearchScopeLine) + ScopeText(request.scope));
    const bool distinguish = m_data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    if (request.scope != SearchRequest::AllFunctions && current)
        report.AddLine(
            LoadString(StringId::SearchCurrentFunction).arg(current->GetOutlineNumberText(distinguish), current->name));
    const int countAt = report.LineCount();

    FindHits hits;
    for (const CUnitFunction* function : GatherScope(m_data, request.scope, current))
        SearchUnitFunction(request, *function, hits, report);

    const QString count = LoadString(StringId::SearchHitCount).arg(hits.size());
    if (hits.empty()) {
        report.AddLine(QString());
        report.AddLine(count);
    } else {
        report.InsertLine(count, countAt);
        report.InsertLine(QString(), countAt);
    }
    return report;
}

bool CFindResultSet::SearchUnitFunction(const SearchRequest& request, const CUnitFunction& function, FindHits& hits,
                                        CResultPaneReport& report) const {
    const size_t first = hits.size();
    const bool distinguish = m_data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    if (request.searchUnitFunction)
        FindInHeaderFields(request, function, distinguish, m_context, hits);
    if (request.searchFunctionContentField)
        FindInFunctionContentField(request, function, m_context, hits);
    if (request.searchLogicDescriptionField)
        FindInLogicDescriptionField(request, function, m_data, hits);
    if (hits.size() == first)
        return false;
    report.AddLine(QString());
    report.AddLine(
        LoadString(StringId::SearchFunctionBlock).arg(function.GetOutlineNumberText(distinguish), function.name));
    for (size_t k = first; k < hits.size(); ++k)
        report.AddLineWithLocation(hits[k], hits[k].text);
    return true;
}

const CUnitFunction* CFindResultSet::Function(qint32 internalId) const {
    return m_data.registry.FindByInternalID(static_cast<quint32>(internalId));
}

QString CFindResultSet::OutlineText(qint32 internalId) const {
    const CUnitFunction* function = Function(internalId);
    return function ? function->GetOutlineNumberText(m_data.GetModelOptions().DistinguishPrimaryOutlineNumber)
                    : QString();
}

void CFindResultSet::CollectMemberNames() {
    const int minimum = m_data.similarWords.length;
    for (const auto& [id, function] : m_data.registry.Functions()) {
        for (size_t index = 0; index < function.logicLines.size(); ++index) {
            const CLogicLine* line = function.logicLines[index].get();
            if (!line)
                continue;
            const int kind = line->lineKind;
            if (kind != SyntaxIf && kind != SyntaxDo && kind != SyntaxTransitState && kind != SyntaxSwitch)
                continue;
            const QString name = line->textSlots[0].text.left(MaxNameLength);
            if (name.size() >= minimum)
                m_memberNames.push_back({static_cast<qint32>(id), static_cast<qint32>(index), name});
        }
    }
}

void CFindResultSet::CollectStateNames() {
    const int minimum = m_data.similarWords.length;
    for (const auto& [id, function] : m_data.registry.Functions()) {
        QString switchMember;
        for (size_t index = 0; index < function.logicLines.size(); ++index) {
            const CLogicLine* line = function.logicLines[index].get();
            if (!line)
                continue;
            QString state;
            QString member;
            switch (line->lineKind) {
            case SyntaxSwitch:
                switchMember = line->textSlots[0].text.left(MaxNameLength);
                continue;
            case SyntaxIf:
            case SyntaxDo:
            case SyntaxTransitState:
                state = line->textSlots[2].text;
                member = line->textSlots[0].text;
                break;
            case SyntaxCase:
                state = line->textSlots[0].text;
                member = switchMember;
                break;
            default:
                continue;
            }
            state.truncate(MaxNameLength);
            member.truncate(MaxNameLength);
            if (state.size() >= minimum)
                m_stateNames.push_back({static_cast<qint32>(id), static_cast<qint32>(index), state, member});
        }
    }
}

bool CFindResultSet::IsSimilar(const QString& a, const QString& b) {
    const SimilarWordSettings& settings = m_data.similarWords;
    return IsSimilarWord(a, b, settings.agreement, settings.complete != 0);
}

namespace {

// The similarity of each distinct pair of names is worked out once per run: a document repeats its member
// and state names on many lines. Up to MaxDenseNames distinct names the answers sit in a square table,
// beyond that in a hash table.
class CSimilarityCache {
public:
    static constexpr size_t MaxDenseNames = 4096;

    CSimilarityCache(int matchRate, bool exactMatchIsNotSimilar)
        : m_matchRate(matchRate), m_exactMatchIsNotSimilar(exactMatchIsNotSimilar) {}

    int Index(const QString& name) {
        const auto [at, added] = m_indices.emplace(name, static_cast<int>(m_names.size()));
        if (added)
            m_names.push_back(name);
        return at->second;
    }

    bool IsSimilar(int a, int b) {
        if (a == b)
            return !m_exactMatchIsNotSimilar && !m_names[a].isEmpty();
        const size_t count = m_names.size();
        if (count <= MaxDenseNames) {
            if (m_dense.empty())
                m_dense.assign(count * count, Unknown);
            qint8& known = m_dense[static_cast<size_t>(std::min(a, b)) * count + std::max(a, b)];
            if (known == Unknown)
                known = Work(a, b) ? 1 : 0;
            return known == 1;
        }
        const quint64 key = (static_cast<quint64>(std::min(a, b)) << 32) | static_cast<quint32>(std::max(a, b));
        const auto known = m_sparse.find(key);
        if (known != m_sparse.end())
            return known->second;
        return m_sparse.emplace(key, Work(a, b)).first->second;
    }

private:
    static constexpr qint8 Unknown = -1;

    bool Work(int a, int b) const {
        const QString& nameA = m_names[a];
        const QString& nameB = m_names[b];
        // The distance is at least the difference of the lengths: most pairs are settled without working it out.
        const qsizetype total = nameA.size() + nameB.size();
        const qsizetype gap = std::abs(nameA.size() - nameB.size());
        return total > 0 && 100 - static_cast<double>(gap) * 100 / total >= m_matchRate &&
               IsSimilarWord(nameA, nameB, m_matchRate, m_exactMatchIsNotSimilar);
    }

    int m_matchRate;
    bool m_exactMatchIsNotSimilar;
    std::vector<QString> m_names;
    std::unordered_map<QString, int> m_indices;
    std::vector<qint8> m_dense;
    std::unordered_map<quint64, bool> m_sparse;
};

} // namespace

void CFindResultSet::FindSimilarMemberNames(CResultPaneReport& report) {
    FreeMemberNames();
    CollectMemberNames();
    const SimilarWordSettings& settings = m_data.similarWords;
    CSimilarityCache cache(settings.agreement, settings.complete != 0);
    std::vector<int> names;
    for (const MemberNameRecord& record : m_memberNames)
        names.push_back(cache.Index(record.memberName));
    const auto line = [this](StringId format, const MemberNameRecord& record) {
        return LoadString(format).arg(record.memberName, OutlineText(record.internalId),
                                      QString::number(record.lineIndex + 1));
    };
    const size_t count = m_memberNames.size();
    for (size_t i = 0; i + 1 < count; ++i) {
        const MemberNameRecord& a = m_memberNames[i];
        if (a.memberName.size() < settings.length)
            continue;
        bool first = true;
        for (size_t j = i + 1; j < count; ++j) {
            if (m_hitCount > settings.show) {
                FreeMemberNames();
                return;
            }
            const MemberNameRecord& b = m_memberNames[j];
            if (b.memberName.size() < settings.length || !cache.IsSimilar(names[i], names[j]))
                continue;
            ++m_hitCount;
            if (std::exchange(first, false)) {
                report.AddLine(QString());
                report.AddLine(line(StringId::SimilarMemberFirst, a), Function(a.internalId), a.lineIndex);
            }
            report.AddLine(line(StringId::SimilarMemberSecond, b), Function(b.internalId), b.lineIndex);
        }
    }
    FreeMemberNames();
}

void CFindResultSet::FindSimilarStateNames(CResultPaneReport& report) {
    FreeStateNames();
    CollectStateNames();
    const SimilarWordSettings& settings = m_data.similarWords;
    CSimilarityCache cache(settings.agreement, settings.complete != 0);
    std::vector<int> names;
    for (const StateNameRecord& record : m_stateNames)
        names.push_back(cache.Index(record.stateName));
    const auto line = [this](StringId format, const StateNameRecord& record) {
        return LoadString(format).arg(record.memberName, record.stateName, OutlineText(record.internalId),
                                      QString::number(record.lineIndex + 1));
    };
    const size_t count = m_stateNames.size();
    for (size_t i = 0; i + 1 < count; ++i) {
        const StateNameRecord& a = m_stateNames[i];
        if (a.stateName.size() < settings.length)
            continue;
        bool first = true;
        for (size_t j = i + 1; j < count; ++j) {
            if (m_hitCount > settings.show) {
                FreeStateNames();
                return;
            }
            const StateNameRecord& b = m_stateNames[j];
            if (b.stateName.size() < settings.length || a.memberName != b.memberName ||
                !cache.IsSimilar(names[i], names[j]))
                continue;
            ++m_hitCount;
            if (std::exchange(first, false)) {
                report.AddLine(QString());
                report.AddLine(line(StringId::SimilarStateFirst, a), Function(a.internalId), a.lineIndex);
            }
            report.AddLine(line(StringId::SimilarStateSecond, b), Function(b.internalId), b.lineIndex);
        }
    }
    FreeStateNames();
}

CResultPaneReport CFindResultSet::FindSimilarWords() {
    CResultPaneReport report;
    report.AddLine(LoadString(StringId::SimilarStart));
    m_hitCount = 0;
    const SimilarWordSettings& settings = m_data.similarWords;
    if (settings.agreement < 100 || settings.complete == 0) {
        if (settings.scope != 1)
            FindSimilarMemberNames(report);
        if (settings.scope != 0)
            FindSimilarStateNames(report);
    }
    if (m_hitCount > 0)
        report.AddLine(QString());
    if (m_hitCount > settings.show)
        report.AddLine(LoadString(StringId::SimilarStopped).arg(settings.show));
    else
        report.AddLine(LoadString(StringId::SimilarEnd).arg(m_hitCount));
    return report;
}

CResultPaneReport CFindResultSet::FindFuzzyWords(bool inFunctionContentField, bool inLogicDescriptionField) const {
    CResultPaneReport report;
    report.obscureWordResults = true;
    const std::vector<CUnitFunction*> functions = AllInIndexOrder(m_data);
    const bool distinguish = m_data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    if (inFunctionContentField || inLogicDescriptionField)
        report.AddLine(TargetLine(false, inFunctionContentField, inLogicDescriptionField));
    report.AddLine(QString());
    const bool search = inFunctionContentField || inLogicDescriptionField;
    int total = 0;
    for (const QString& word : m_data.fuzzwords.words) {
        report.AddLine(LoadString(StringId::ObscureWord).arg(word));
        const int countAt = report.LineCount();
        int count = 0;
        if (search) {
            SearchRequest request;
            request.findText = word.left(SearchRequest::MaxFindTextLength);
            for (const CUnitFunction* function : functions) {
                FindHits hits;
                if (inFunctionContentField)
                    FindInFunctionContentField(request, *function, m_context, hits);
                if (inLogicDescriptionField)
                    FindInLogicDescriptionField(request, *function, m_data, hits);
                for (const FindHit& hit : hits) {
                    report.AddLineWithLocation(
                        hit,
                        LoadString(StringId::ObscureHit).arg(function->GetOutlineNumberText(distinguish), hit.text));
                    ++count;
                }
            }
        }
        const QString countLine = LoadString(StringId::SearchHitCount).arg(count);
        if (count > 0)
            report.InsertLine(countLine, countAt);
        else
            report.AddLine(countLine);
        report.AddLine(QString());
        total += count;
    }
    report.InsertLine(LoadString(StringId::ObscureTotal).arg(total), 1);
    return report;
}
