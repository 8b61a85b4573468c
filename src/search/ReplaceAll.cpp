#include "search/ReplaceAll.h"

#include "logic/JumperToExplanation.h"
#include "logic/JumperToFunction.h"
#include "logic/JumperToLineInLogic.h"
#include "model/DocumentData.h"
#include "model/QuantifierCheck.h"
#include "model/TextUtilities.h"
#include "model/UnitFunction.h"
#include "search/FieldSearch.h"
#include "texts/StringTable.h"

QString ReplaceInText(const QString& text, const QString& findText, const QString& replaceText) {
    if (findText.isEmpty())
        return text.isEmpty() ? replaceText : text;
    QString result = text;
    return result.replace(findText, replaceText, Qt::CaseSensitive);
}

bool ReplaceTextHasRefusedBrackets(const ReplaceRequest& request) {
    const bool intoNames = request.unitFunctionNames ||
                           (request.logicDescriptionField &&
                            (request.memberNames || request.stateNames || request.particlesAndAuxiliaryVerbs));
    if (!intoNames)
        return false;
    for (QChar c : request.replaceText)
        if (QStringLiteral("<>[]{}").contains(c))
            return true;
    return false;
}

namespace {

constexpr int MaxNameLength = 64;
constexpr int MaxSlotLength = 64;
constexpr int MaxCommentLength = 256;

// The chosen of a logic line the request's details select, first to fourth, with their length limit.
std::vector<std::pair<int, int>> SelectedSlots(const ReplaceRequest& request, int kind) {
    std::vector<std::pair<int, int>> chosen;
    if (!request.logicDescriptionField)
        return chosen;
    const auto add = [&chosen](bool on, int slot, int limit = MaxSlotLength) {
        if (on)
            chosen.emplace_back(slot, limit);
    };
    switch (kind) {
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        add(request.memberNames, 0);
        add(request.particlesAndAuxiliaryVerbs, 1);
        add(request.stateNames, 2);
        add(request.particlesAndAuxiliaryVerbs, 3);
        break;
    case SyntaxSwitch:
        add(request.memberNames, 0);
        add(request.particlesAndAuxiliaryVerbs, 1);
        break;
    case SyntaxCase:
        add(request.stateNames, 0);
        add(request.particlesAndAuxiliaryVerbs, 1);
        break;
    case SyntaxComment:
        add(request.comments, 0, MaxCommentLength);
        break;
    default:
        break;
    }
    return chosen;
}

class CReplaceRun {
public:
    CReplaceRun(CDocumentData& data, const ReplaceRequest& request)
        : m_data(data), m_request(request), m_distinguish(data.GetModelOptions().DistinguishPrimaryOutlineNumber) {}

    // Lists every replacement over a limit; true when there is none.
    bool CheckLimits(const std::vector<CUnitFunction*>& functions, CResultPaneReport& report) const {
        int slotCount = 0;
        for (const CUnitFunction* function : functions)
            slotCount += CheckLogicLinesLengthLimit(*function, report);
        if (slotCount > 0)
            report.AddMessage(LoadString(StringId::ReplaceSlotsOverLimit).arg(slotCount));
        int names = 0;
        if (m_request.unitFunctionNames) {
            for (const CUnitFunction* function : functions) {
                if (ReplaceInText(function->name, m_request.findText, m_request.replaceText).size() <= MaxNameLength)
                    continue;
                report.AddMessage(LoadString(StringId::ReplaceNameOverLimit).arg(Outline(*function), Name(*function)),
                                  std::make_unique<CJumperToFunction>(Id(*function)));
                ++names;
            }
            if (names > 0)
                report.AddMessage(LoadString(StringId::ReplaceNamesOverLimit).arg(names));
        }
        return slotCount == 0 && names == 0;
    }

    void ReplaceInUnitFunctionName(CUnitFunction& function, CResultPaneReport& report) {
        const QString replaced = ReplaceInText(function.name, m_request.findText, m_request.replaceText);
        if (replaced == function.name)
            return;
        const auto target = [&function] { return std::make_unique<CJumperToFunction>(Id(function)); };
        if (replaced.size() > MaxNameLength) {
            report.AddMessage(LoadString(StringId::ReplaceNameSkipped).arg(Outline(function), Name(function)),
                              target());
            return;
        }
        report.AddMessage(LoadString(StringId::ReplacedName).arg(Outline(function), Name(function), replaced),
                          target());
        function.name = replaced;
        m_renamed = true;
        ++m_count;
    }

    void ReplaceInFunctionContent(CUnitFunction& function, CResultPaneReport& report) {
        QString& content = function.header.contentText;
        const QString& replace = m_request.replaceText;
        if (content.isEmpty()) {
            if (!m_request.findText.isEmpty())
                return;
            content = replace;
            ReportContent(function, QString(), 0, report);
            return;
        }
        // An empty find text only fills empty fields: it would match everywhere without moving on.
        if (m_request.findText.isEmpty())
            return;
        // The content search ignores letter case, as the content editor's find does.
        for (qsizetype at = content.indexOf(m_request.findText, 0, Qt::CaseInsensitive); at >= 0;
             at = content.indexOf(m_request.findText, at + replace.size(), Qt::CaseInsensitive)) {
            const QString old = content.mid(at, m_request.findText.size());
            content.replace(at, old.size(), replace);
            if (old != replace)
                ReportContent(function, old, static_cast<qint32>(at), report);
        }
    }

    void ReplaceInLogicLines(CUnitFunction& function, CResultPaneReport& report) {
        for (size_t index = 0; index < function.logicLines.size(); ++index) {
            CLogicLine* line = function.logicLines[index].get();
            if (!line)
                continue;
            for (const auto& [slot, limit] : SelectedSlots(m_request, line->lineKind)) {
                QString& text = line->textSlots[slot].text;
                const QString replaced = ReplaceInText(text, m_request.findText, m_request.replaceText);
                if (replaced == text)
                    continue;
                const QString number = QString::number(index + 1);
                const auto target = [&function, index] {
                    return std::make_unique<CJumperToLineInLogic>(Id(function), static_cast<qint32>(index));
                };
                if (replaced.size() > limit) {
                    report.AddMessage(
                        LoadString(StringId::ReplaceSlotSkipped).arg(Outline(function), Name(function), number, text),
                        target());
                    continue;
                }
                report.AddMessage(
                    LoadString(StringId::ReplacedSlot).arg(Outline(function), Name(function), number, text, replaced),
                    target());
                text = replaced;
                line->RecountPositions();
                CheckMemberNameQuantifiers(*line, m_data.SyntaxSymbols, m_data.quantifiers);
                ++m_count;
            }
        }
    }

    // The Fn statements show the names of the unit functions they use.
    void RefreshFnLines() {
        if (!m_renamed)
            return;
        for (auto& [id, function] : m_data.registry.Functions())
            ::RefreshFnLines(function, m_data.registry);
    }

    int Count() const { return m_count; }

private:
    static qint32 Id(const CUnitFunction& function) { return static_cast<qint32>(function.InternalID); }
    QString Outline(const CUnitFunction& function) const { return function.GetOutlineNumberText(m_distinguish); }
    // Of a long name what a view shows.
    static QString Name(const CUnitFunction& function) { return ShownText(function.name); }

    int CheckLogicLinesLengthLimit(const CUnitFunction& function, CResultPaneReport& report) const {
        int count = 0;
        for (size_t index = 0; index < function.logicLines.size(); ++index) {
            const CLogicLine* line = function.logicLines[index].get();
            if (!line)
                continue;
            for (const auto& [slot, limit] : SelectedSlots(m_request, line->lineKind)) {
                const QString& text = line->textSlots[slot].text;
                if (ReplaceInText(text, m_request.findText, m_request.replaceText).size() <= limit)
                    continue;
                report.AddMessage(LoadString(StringId::ReplaceSlotOverLimit)
                                      .arg(Outline(function), Name(function), QString::number(index + 1), text),
                                  std::make_unique<CJumperToLineInLogic>(Id(function), static_cast<qint32>(index)));
                ++count;
            }
        }
        return count;
    }

    void ReportContent(const CUnitFunction& function, const QString& old, qint32 start, CResultPaneReport& report) {
        report.AddMessage(
            LoadString(StringId::ReplacedContent).arg(Outline(function), Name(function), old, m_request.replaceText),
            std::make_unique<CJumperToExplanation>(Id(function), start,
                                                   static_cast<qint32>(m_request.replaceText.size())));
        ++m_count;
    }

    CDocumentData& m_data;
    const ReplaceRequest& m_request;
    bool m_distinguish;
    int m_count = 0;
    bool m_renamed = false;
};

} // namespace

ReplaceResult ReplaceAll(CDocumentData& data, const ReplaceRequest& request, const CUnitFunction* current) {
    ReplaceResult result;
    if (ReplaceTextHasRefusedBrackets(request))
        return result;
    ReplaceRequest limited = request;
    limited.findText.truncate(ReplaceRequest::MaxTextLength);
    limited.replaceText.truncate(ReplaceRequest::MaxTextLength);
    const std::vector<CUnitFunction*> functions =
        GatherScope(data, limited.scope, current, CurrentFnStatements::Followed);
    CReplaceRun run(data, limited);
    if (!limited.continueOverLengthLimit && !run.CheckLimits(functions, result.report))
        return result;
    for (CUnitFunction* function : functions) {
        if (limited.unitFunctionNames)
            run.ReplaceInUnitFunctionName(*function, result.report);
        if (limited.functionContentField)
            run.ReplaceInFunctionContent(*function, result.report);
        run.ReplaceInLogicLines(*function, result.report);
    }
    result.replacedCount = run.Count();
    result.report.AddMessage(LoadString(StringId::ReplacedCount).arg(result.replacedCount));
    if (result.replacedCount == 0)
        return result;
    run.RefreshFnLines();
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    QString duplicate;
    if (limited.unitFunctionNames && !data.environment.enableDuplicateFunctionName &&
        data.registry.FindDuplicateName(duplicate)) {
        data.environment.enableDuplicateFunctionName = 1;
        result.duplicateName = duplicate;
    }
    return result;
}
