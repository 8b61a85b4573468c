#include "editor/FunctionHeaderEdit.h"

#include "editor/LogicEditModel.h"
#include "logic/InspectionView.h"
#include "logic/JumperToLineInLogic.h"
#include "model/DocumentData.h"
#include "model/MemberDefinition.h"
#include "model/TextUtilities.h"
#include "model/UnitFunction.h"
#include "texts/StringTable.h"

#include <algorithm>
#include <memory>

RenameCheck CheckFunctionRename(const CDocumentData& document, const CUnitFunction& function, const QString& name) {
    if (ContainsBracketChars(name))
        return RenameCheck::ReservedBrackets;
    if (name.isEmpty() || document.environment.enableDuplicateFunctionName)
        return RenameCheck::Accepted;
    for (const auto& [id, other] : document.registry.Functions()) {
        if (&other != &function && other.name == name)
            return other.places.empty() ? RenameCheck::DuplicateNotInIndex : RenameCheck::DuplicateInUse;
    }
    return RenameCheck::Accepted;
}

QString RenameRefusalMessage(RenameCheck check, const QString& name) {
    switch (check) {
    case RenameCheck::ReservedBrackets:
        return LoadString(StringId::FunctionNameWithBrackets);
    case RenameCheck::DuplicateNotInIndex:
        return LoadString(StringId::FunctionNameOnlyInList).arg(ShownText(name));
    case RenameCheck::DuplicateInUse:
        return LoadString(StringId::FunctionNameInUse).arg(ShownText(name));
    case RenameCheck::Accepted:
        break;
    }
    return {};
}

int RenameFunction(CDocumentData& document, CUnitFunction& function, const QString& name) {
    function.name = name;
    int rewritten = 0;
    for (auto& [id, caller] : document.registry.Functions()) {
        for (const auto& line : caller.logicLines) {
            if (line && line->IsFnStatement() && line->calledInternalID == function.InternalID) {
                RefreshFnLineText(*line, document.registry);
                ++rewritten;
            }
        }
    }
    return rewritten;
}

QString NameBoxNote(const QString& name) {
    if (name.size() <= NameBoxCapacity)
        return {};
    return LoadString(StringId::NameBoxShowsStart).arg(name.size()).arg(NameBoxCapacity);
}

bool NameBoxTakes(qsizetype length, qsizetype selected, qsizetype typed) {
    return length - selected + typed <= NameBoxCapacity;
}

QString NameBoxFullMessage(const CMessageContext& context) {
    return LoadString(context, StringId::NameBoxFullJa, StringId::NameBoxFullEn).arg(NameBoxCapacity);
}

QString NameHitNote(const CMessageContext& context, const QString& name, qsizetype start, qsizetype length) {
    if (start + length <= platform::TextBoxStart(name).size())
        return {};
    return LoadString(context, StringId::NameHitBeyondBoxJa, StringId::NameHitBeyondBoxEn)
        .arg(start + 1)
        .arg(length)
        .arg(NameBoxCapacity);
}

QString MakeTabTitle(const QString& outlineNumber, const QString& name, bool showOutlineNumber) {
    if (showOutlineNumber)
        return outlineNumber.left(16) + u' ' + name.left(16);
    return name.left(24);
}

QString FunctionTabTitle(const CDocumentData& document, const CUnitFunction& function, const OutlineNumber* chosen) {
    return MakeTabTitle(
        function.GetShownOutlineNumberText(chosen, document.GetModelOptions().DistinguishPrimaryOutlineNumber),
        function.name, document.environment.showOutlineNumberInTabTitle != 0);
}

int ClampHeaderRowHeight(int height) {
    return std::clamp(height, HeaderRowSmallHeight, HeaderRowFullHeight);
}

int ToggledHeaderRowHeight(int height) {
    return height >= HeaderRowFullHeight ? HeaderRowSmallHeight : HeaderRowFullHeight;
}

QString HeaderToggleCaption(int height) {
    return LoadString(height == HeaderRowFullHeight ? StringId::HeaderCollapse : StringId::HeaderExpand);
}

QString FormatManHours(const WorkTableSettings& ratios, std::uint8_t unit, float hours) {
    return QString::number(ConvertManHoursToUnit(ratios, unit, hours), 'f', 2);
}

bool CManHoursEdit::Commit(const QString& text, std::uint8_t unit) {
    if (!Changes(text, unit))
        return false;
    m_previous = m_function.header.Work;
    m_function.header.Work = ParseManHoursFromUnit(m_ratios, text, unit);
    return true;
}

bool CManHoursEdit::Changes(const QString& text, std::uint8_t unit) const {
    const float hours = ParseManHoursFromUnit(m_ratios, text, unit);
    return hours >= 0.0f && hours != m_function.header.Work;
}

bool CManHoursEdit::Undo() {
    if (!CanUndo())
        return false;
    std::swap(m_previous, m_function.header.Work);
    return true;
}

bool CManHoursEdit::SetUnit(std::uint8_t unit) {
    if (unit == m_function.header.Unit)
        return false;
    m_function.header.Unit = unit;
    return true;
}

ReasonDisplay MakeReasonDisplay(const QString& reason) {
    const qsizetype lineFeed = reason.indexOf(u'\n');
    if (lineFeed < 0)
        return {reason, false};
    QString firstLine = reason.left(lineFeed);
    if (firstLine.endsWith(u'\r'))
        firstLine.chop(1);
    return {firstLine + QStringLiteral("..."), true};
}

bool ApplyReasonBoxText(CUnitFunction& function, const QString& boxText, bool shortened) {
    CUnitFunctionHeader& header = function.header;
    bool changed = false;
    if (!shortened && boxText != header.Reasoning) {
        header.Reasoning = boxText;
        changed = true;
    }
    const quint8 omit = header.Reasoning.isEmpty() ? 1 : 0;
    changed = changed || omit != header.UnNecessaryReasoning;
    header.UnNecessaryReasoning = omit;
    return changed;
}

QString TrimReasonLineBreaks(const QString& text) {
    const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBreak(text.at(first)))
        ++first;
    while (last > first && isBreak(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

int PrefixUnregisteredMemberNames(CDocumentData& document, CUnitFunction& function, const QString& prefix,
                                  CInspectionView* resultPane) {
    if (prefix.isEmpty())
        return 0;
    if (resultPane) {
        resultPane->ClearMessages();
        resultPane->AddMessageWithoutTarget(LoadString(StringId::PrefixMembersStart).arg(prefix));
    }
    const QString outline = function.GetOutlineNumberText(document.GetModelOptions().DistinguishPrimaryOutlineNumber);
    int changed = 0;
    for (size_t i = 0; i < function.logicLines.size(); ++i) {
        CLogicLine* line = function.logicLines[i].get();
        if (!line || (line->lineKind != SyntaxIf && line->lineKind != SyntaxDo && line->lineKind != SyntaxSwitch &&
                      line->lineKind != SyntaxTransitState))
            continue;
        QString& member = line->textSlots[0].text;
        if (member.isEmpty() || FindRegisteredMember(document.memberDefinitions, member))
            continue;
        const QString renamed = prefix + member;
        const int lineNumber = static_cast<int>(i) + 1;
        // A cut name would be another member: the line keeps its name and is listed.
        const bool fits = renamed.size() <= CLogicEditModel::SlotLimit(*line);
        if (resultPane) {
            const QString text =
                fits ? LoadString(StringId::PrefixMemberChanged).arg(outline).arg(lineNumber).arg(member, renamed)
                     : LoadString(StringId::PrefixMemberTooLong).arg(outline).arg(lineNumber).arg(member);
            resultPane->AddMessage(text,
                                   std::make_unique<CJumperToLineInLogic>(function.InternalID, static_cast<qint32>(i)));
        }
        if (!fits)
            continue;
        member = renamed;
        line->RecountPositions();
        ++changed;
    }
    if (resultPane)
        resultPane->AddMessageWithoutTarget(LoadString(StringId::PrefixMembersDone).arg(changed));
    return changed;
}
