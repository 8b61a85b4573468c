#include "search/FieldSearch.h"

#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "model/UnitFunction.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <algorithm>
#include <functional>

std::vector<qint32> FindOccurrences(const QString& text, const QString& findText) {
    std::vector<qint32> positions;
    if (text.isEmpty() || findText.isEmpty())
        return positions;
    for (qsizetype at = text.indexOf(findText); at >= 0; at = text.indexOf(findText, at + findText.size()))
        positions.push_back(static_cast<qint32>(at));
    return positions;
}

QString ShortenToFirstLine(const QString& text) {
    const qsizetype cr = text.indexOf(QLatin1Char('\r'));
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    const auto present = [](qsizetype at) { return at > 0; };
    if (!present(cr) && !present(lf))
        return text;
    qsizetype n = present(cr) && present(lf) ? std::min(cr, lf) : (present(cr) ? cr : lf);
    n = std::min<qsizetype>(n, 128);
    return LoadString(StringId::SearchPreview).arg(text.left(n - 1));
}

namespace {

QString TextFieldDisplay(int kind, const QString& shown, const CMessageContext& context) {
    switch (kind) {
    case ResultLine::OutlineNumber:
        return LoadString(StringId::SearchHitOutlineNumber).arg(shown);
    case ResultLine::UnitFunctionName:
        return LoadString(StringId::SearchHitFunctionName).arg(shown);
    case ResultLine::UniqueLabel:
        return LoadString(StringId::SearchHitUniqueLabel).arg(shown);
    case ResultLine::OriginalRequirementItems:
        return LoadString(StringId::SearchHitRequirements).arg(Msg::RequirementPlural(context), shown);
    default:
        return LoadString(StringId::SearchHitCodeSymbol).arg(shown);
    }
}

QString FurtherOccurrence(int ordinal) {
    return LoadString(StringId::SearchFurtherOccurrence).arg(ordinal);
}

} // namespace

bool FindInTextField(const CUnitFunction& function, const QString& text, const QString& findText, int kind,
                     int lineNumber, const CMessageContext& context, FindHits& hits) {
    const std::vector<qint32> positions = FindOccurrences(text, findText);
    const auto length = static_cast<qint32>(findText.size());
    for (size_t k = 0; k < positions.size(); ++k) {
        const int ordinal = static_cast<int>(k) + 1;
        FindHit hit;
        hit.endPosition = positions[k] + length;
        hit.lineIndex = kind == ResultLine::FunctionContentLine ? lineNumber : 0;
        hit.location = {text, ordinal, 0, kind, static_cast<qint32>(function.InternalID), positions[k], length};
        const bool contentLine = kind == ResultLine::FunctionContentLine;
        // The first occurrence shows the text, of a long one what a view shows around the occurrence.
        const QString shown = ordinal == 1
                                  ? ShownText(contentLine ? ShortenToFirstLine(text) : text, positions[k], length)
                                  : FurtherOccurrence(ordinal);
        hit.text = contentLine ? LoadString(StringId::SearchHitContentLine).arg(QString::number(lineNumber), shown)
                               : TextFieldDisplay(kind, shown, context);
        hits.push_back(std::move(hit));
    }
    return !positions.empty();
}

bool FindInLogicSlot(const QString& text, const QString& findText, int element, FindHits& hits) {
    const std::vector<qint32> positions = FindOccurrences(text, findText);
    const auto length = static_cast<qint32>(findText.size());
    for (size_t k = 0; k < positions.size(); ++k) {
        FindHit hit;
        hit.endPosition = positions[k] + length;
        hit.location.occurrence = static_cast<qint32>(k) + 1;
        hit.location.element = element;
        hit.location.startPosition = positions[k];
        hit.location.length = length;
        hits.push_back(std::move(hit));
    }
    return !positions.empty();
}

bool FindInHeaderFields(const SearchRequest& request, const CUnitFunction& function, bool distinguishPrimary,
                        const CMessageContext& context, FindHits& hits) {
    bool found = false;
    const auto search = [&](int flag, const QString& text, int kind) {
        if (flag)
            found |= FindInTextField(function, text, request.findText, kind, 0, context, hits);
    };
    search(request.outlineNumber, function.GetOutlineNumberText(distinguishPrimary), ResultLine::OutlineNumber);
    search(request.unitFunctionName, function.name, ResultLine::UnitFunctionName);
    search(request.uniqueLabel, function.header.uniqueLabel, ResultLine::UniqueLabel);
    if (request.originalRequirementItem) {
        const std::set<QString> items = function.header.EffectiveRequirements();
        search(1, QStringList(items.begin(), items.end()).join(LoadString(StringId::SearchListSeparator)),
               ResultLine::OriginalRequirementItems);
    }
    search(request.codeSymbol, function.codeSymbol, ResultLine::CodeSymbol);
    return found;
}

void ForEachContentLine(const QString& text, const std::function<void(QStringView)>& take) {
    // Each line ends at the first CR LF after its start, else at the first LF, else at the first CR. The next
    // separator of each kind is searched for again only once a line start has passed it, so the text is read
    // once per kind however its lines end.
    struct NextSeparator {
        QStringView separator;
        qsizetype at = 0;
        bool sought = false;
        qsizetype From(const QString& text, qsizetype start) {
            if (!sought || (at >= 0 && at < start)) {
                at = text.indexOf(separator, start);
                sought = true;
            }
            return at;
        }
    };
    NextSeparator crLf{u"\r\n"};
    NextSeparator lf{u"\n"};
    NextSeparator cr{u"\r"};
    qsizetype p = 0;
    while (p <= text.size()) {
        qsizetype end = crLf.From(text, p);
        qsizetype next = end + 2;
        if (end < 0) {
            end = lf.From(text, p);
            if (end < 0)
                end = cr.From(text, p);
            next = end + 1;
        }
        if (end < 0) {
            take(QStringView(text).mid(p));
            break;
        }
        take(QStringView(text).mid(p, end - p));
        p = next;
    }
}

std::vector<QStringView> SplitContentLines(const QString& text) {
    std::vector<QStringView> lines;
    ForEachContentLine(text, [&lines](QStringView line) { lines.push_back(line); });
    return lines;
}

bool FindInFunctionContentField(const SearchRequest& request, const CUnitFunction& function,
                                const CMessageContext& context, FindHits& hits) {
    bool found = false;
    int lineNumber = 0;
    ForEachContentLine(function.header.contentText, [&](QStringView line) {
        ++lineNumber;
        if (line.contains(request.findText))
            found |= FindInTextField(function, line.toString(), request.findText, ResultLine::FunctionContentLine,
                                     lineNumber, context, hits);
    });
    return found;
}

namespace {

QString Keyword(const CDocumentData& data, int kind) {
    return kind >= 0 && kind < static_cast<int>(data.SyntaxSymbols.size()) ? data.SyntaxSymbols[kind].keyword
                                                                           : QString();
}

QString LogicDisplayForm(const CLogicLine& line, const CDocumentData& data) {
    const QString keyword = Keyword(data, line.lineKind);
    const auto slot = [&line](int k) { return line.textSlots[k].text; };
    switch (line.lineKind) {
    case SyntaxFn:
        return LoadString(StringId::SearchFormFn).arg(keyword, slot(0));
    case SyntaxIf:
        return LoadString(StringId::SearchFormIf).arg(keyword, slot(0), slot(1), slot(2), slot(3));
    case SyntaxDo:
    case SyntaxTransitState:
        return LoadString(StringId::SearchFormDo).arg(keyword, slot(0), slot(1), slot(2), slot(3));
    case SyntaxSwitch:
        return LoadString(StringId::SearchFormSwitch).arg(keyword, slot(0), slot(1));
    case SyntaxCase:
        return LoadString(StringId::SearchFormCase).arg(keyword, slot(0), slot(1));
    default:
        return LoadString(StringId::SearchFormComment).arg(keyword, slot(0));
    }
}

// The chosen of the line that the request's logic details select, in the order they are searched.
std::vector<int> SelectedSlots(const SearchRequest& request, int kind) {
    std::vector<int> chosen;
    switch (kind) {
    case SyntaxFn:
        if (request.logicUnitFunctionName)
            chosen = {0};
        break;
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        if (request.memberName)
            chosen.push_back(0);
        if (request.stateName)
            chosen.push_back(2);
        if (request.particlesAuxiliaryVerbsComments)
            chosen.insert(chosen.end(), {1, 3});
        break;
    case SyntaxSwitch:
        if (request.memberName)
            chosen.push_back(0);
        if (request.particlesAuxiliaryVerbsComments)
            chosen.push_back(1);
        break;
    case SyntaxCase:
        if (request.stateName)
            chosen.push_back(0);
        if (request.particlesAuxiliaryVerbsComments)
            chosen.push_back(1);
        break;
    case SyntaxComment:
        if (request.particlesAuxiliaryVerbsComments)
            chosen = {0};
        break;
    default:
        break;
    }
    return chosen;
}

} // namespace

bool FindInLogicDescriptionField(const SearchRequest& request, const CUnitFunction& function, const CDocumentData& data,
                                 FindHits& hits) {
    bool found = false;
    for (size_t index = 0; index < function.logicLines.size(); ++index) {
        const CLogicLine* line = function.logicLines[index].get();
        if (!line)
            continue;
        const size_t first = hits.size();
        for (int slot : SelectedSlots(request, line->lineKind))
            FindInLogicSlot(line->textSlots[slot].text, request.findText, slot, hits);
        for (size_t k = first; k < hits.size(); ++k) {
            FindHit& hit = hits[k];
            const int ordinal = static_cast<int>(k - first) + 1;
            hit.lineIndex = static_cast<qint32>(index);
            hit.location.kind = ResultLine::LogicDescriptionLine;
            hit.location.internalId = static_cast<qint32>(function.InternalID);
            hit.text = LoadString(StringId::SearchHitLogicLine)
                           .arg(QString::number(index + 1),
                                ordinal == 1 ? LogicDisplayForm(*line, data) : FurtherOccurrence(ordinal));
        }
        found |= hits.size() > first;
    }
    return found;
}

std::vector<CUnitFunction*> AllInIndexOrder(const CDocumentData& data) {
    UnitFunctionSet set;
    data.registry.CollectAll(set);
    UnitFunctionList sorted;
    SortedVectorFromSet(set, sorted, data.GetModelOptions().DistinguishPrimaryOutlineNumber);
    return sorted;
}

std::vector<CUnitFunction*> GatherScope(const CDocumentData& data, int scope, const CUnitFunction* current,
                                        CurrentFnStatements fnStatements) {
    if (scope == SearchRequest::AllFunctions)
        return AllInIndexOrder(data);
    // The registry hands out its unit functions for change; the gathering itself changes nothing.
    CUnitFunction* start = current ? data.registry.FindByInternalID(current->InternalID) : data.registry.origin;
    UnitFunctionSet set;
    if (start && scope == SearchRequest::CurrentAndDescendants && fnStatements == CurrentFnStatements::Followed)
        CUnitFunction::WalkChildren(start, set, data.registry);
    else if (start && scope == SearchRequest::CurrentAndDescendants)
        CUnitFunction::CollectDescendants(start, set, data.registry);
    else if (start)
        set.insert(start);
    UnitFunctionList sorted;
    SortedVectorFromSet(set, sorted, data.GetModelOptions().DistinguishPrimaryOutlineNumber);
    return sorted;
}
