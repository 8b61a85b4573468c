#include "search/FindResultSet.h"

#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "model/UnitFunction.h"
#include "model/WordSimilarity.h"
#include "search/SimilarityRows.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

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
        report.AddLine(LoadString(StringId::SearchCurrentFunction)
                           .arg(current->GetOutlineNumberText(distinguish), ShownText(current->name)));
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
    report.AddLine(LoadString(StringId::SearchFunctionBlock)
                       .arg(function.GetOutlineNumberText(distinguish), ShownText(function.name)));
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

void CFindResultSet::FindSimilarMemberNames(CResultPaneReport& report) {
    FreeMemberNames();
    CollectMemberNames();
    const SimilarWordSettings& settings = m_data.similarWords;
    std::vector<const QString*> names;
    for (const MemberNameRecord& record : m_memberNames)
        names.push_back(&record.memberName);
    CSimilarityRows similar(names, settings.agreement, settings.complete != 0);
    const auto line = [this](StringId format, const MemberNameRecord& record) {
        return LoadString(format).arg(record.memberName, OutlineText(record.internalId),
                                      QString::number(record.lineIndex + 1));
    };
    const size_t count = m_memberNames.size();
    for (size_t i = 0; i + 1 < count; ++i) {
        const MemberNameRecord& a = m_memberNames[i];
        if (a.memberName.size() < settings.length)
            continue;
        similar.BeginHead(i);
        bool first = true;
        for (size_t j = i + 1; j < count; ++j) {
            if (m_hitCount > settings.show) {
                FreeMemberNames();
                return;
            }
            const MemberNameRecord& b = m_memberNames[j];
            if (b.memberName.size() < settings.length || !similar.IsSimilar(j))
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
    std::vector<const QString*> names;
    for (const StateNameRecord& record : m_stateNames)
        names.push_back(&record.stateName);
    CSimilarityRows similar(names, settings.agreement, settings.complete != 0);
    const auto line = [this](StringId format, const StateNameRecord& record) {
        return LoadString(format).arg(record.memberName, record.stateName, OutlineText(record.internalId),
                                      QString::number(record.lineIndex + 1));
    };
    const size_t count = m_stateNames.size();
    for (size_t i = 0; i + 1 < count; ++i) {
        const StateNameRecord& a = m_stateNames[i];
        if (a.stateName.size() < settings.length)
            continue;
        similar.BeginHead(i);
        bool first = true;
        for (size_t j = i + 1; j < count; ++j) {
            if (m_hitCount > settings.show) {
                FreeStateNames();
                return;
            }
            const StateNameRecord& b = m_stateNames[j];
            if (b.stateName.size() < settings.length || a.memberName != b.memberName || !similar.IsSimilar(j))
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
