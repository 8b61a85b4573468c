#include "model/TextUtilities.h"

#include "model/LogicLine.h"
#include "model/ModelOptions.h"
#include "model/SyntaxSymbol.h"
#include "model/UnitFunctionRegistry.h"

#include <QStringList>

#include <algorithm>

bool ContainsBracketChars(const QString& text) {
    for (QChar c : text) {
        if (c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}')
            return true;
    }
    return false;
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString JoinWithCommas(const std::set<QString>& texts) {
    return QStringList(texts.begin(), texts.end()).join(QStringLiteral(", "));
}

bool IsHalfWidth(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x80 || (u >= 0xFF61 && u <= 0xFFDC) || (u >= 0xFFE8 && u <= 0xFFEE);
}

namespace {

// A pair of surrogates counts once, by its first half.
qsizetype CharacterColumns(QChar c) {
    return IsHalfWidth(c) ? 1 : c.isLowSurrogate() ? 0 : 2;
}

} // namespace

qsizetype TextColumns(const QString& text) {
    qsizetype columns = 0;
    for (const QChar c : text)
        columns += CharacterColumns(c);
    return columns;
}

QString WrappedText(const QString& text, qsizetype columns) {
    QString wrapped;
    wrapped.reserve(text.size() + text.size() / std::max<qsizetype>(columns / 2, 1));
    qsizetype used = 0;
    for (const QChar c : text) {
        const qsizetype width = CharacterColumns(c);
        if (c == u'\n')
            used = 0;
        else if (used + width > columns && used > 0) {
            wrapped += u'\n';
            used = 0;
        }
        wrapped += c;
        used += c == u'\n' ? 0 : width;
    }
    return wrapped;
}

qsizetype FittingLength(QStringView text, int width, const std::function<int(const QString&)>& measure) {
    const auto fits = [&](qsizetype count) { return measure(text.left(count).toString()) <= width; };
    // Starts that double in length until one is too wide or the text ends, then halving between the last two.
    qsizetype low = 0;
    qsizetype high = 0;
    for (qsizetype probe = std::min<qsizetype>(16, text.size()); probe > 0; probe = std::min(2 * probe, text.size())) {
        if (!fits(probe)) {
            high = probe - 1;
            break;
        }
        low = probe;
        if (probe == text.size())
            return probe;
    }
    while (low < high) {
        const qsizetype middle = low + (high - low + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    if (low > 0 && low < text.size() && text[low - 1].isHighSurrogate() && text[low].isLowSurrogate())
        --low;
    return low;
}

QString MakeIndentUnit() {
    return QStringLiteral("    ");
}

QString MakeIndentString(int n) {
    return n <= 0 ? QString() : MakeIndentUnit().repeated(n);
}

QString GetFnTargetName(const CLogicLine& line, const CUnitFunctionRegistry& registry, bool& found) {
    const CUnitFunction* called = registry.FindByInternalID(line.calledInternalID);
    found = called != nullptr;
    return found ? called->name : QString();
}

void RefreshFnLineText(CLogicLine& line, const CUnitFunctionRegistry& registry) {
    bool found = false;
    const QString name = GetFnTargetName(line, registry, found).left(CLogicLine::MaxSlotTextLength);
    if (!found)
        return;
    QString& slot = line.textSlots[0].text;
    line.End = static_cast<quint16>(line.End + name.size() - slot.size());
    slot = name;
}

void RefreshFnLines(CUnitFunction& function, const CUnitFunctionRegistry& registry) {
    for (const auto& line : function.logicLines) {
        if (line && line->IsFnStatement())
            RefreshFnLineText(*line, registry);
    }
}

QString ComposePlainLineText(const CLogicLine& line, const CUnitFunction& function,
                             const CUnitFunctionRegistry& registry, const std::vector<SyntaxSymbol>& symbols,
                             const ModelOptions& options) {
    const int kind = line.lineKind;
    const auto slot = [&line](int index) { return line.textSlots[static_cast<size_t>(index)].text; };
    QString keyword;
    if (kind >= 0 && kind < static_cast<int>(symbols.size()))
        keyword = symbols[static_cast<size_t>(kind)].keyword;
    else if (kind >= 0 && kind <= SyntaxTransitState)
        keyword = SyntaxSymbol::GetDefault(kind, FontSetting()).keyword;
    QString text(line.Top, QLatin1Char(' '));
    switch (kind) {
    case SyntaxFn:
        if (const CUnitFunction* called = registry.FindByInternalID(line.calledInternalID))
            return text + CUnitFunction::FormatFnReferenceLabel(called, &function, registry, options) + slot(0) +
                   CUnitFunction::FormatFnStatementNumber(*called, options);
        return text + CUnitFunction::GetFnStatementOpening(options) + slot(0) +
               CUnitFunction::GetFnStatementClosing(options);
    case SyntaxIf:
        return text + keyword + QStringLiteral(" <") + slot(0) + u'>' + slot(1) + u'{' + slot(2) + u'}' + slot(3);
    case SyntaxDo:
    case SyntaxTransitState:
        return text + keyword + u'<' + slot(0) + u'>' + slot(1) + u'{' + slot(2) + u'}' + slot(3);
    case SyntaxSwitch:
        return text + keyword + QStringLiteral(" <") + slot(0) + u'>' + slot(1);
    case SyntaxCase:
        return text + keyword + u'{' + slot(0) + u'}' + slot(1);
    case SyntaxComment:
        return text + keyword + slot(0);
    case SyntaxElse:
    case SyntaxEndif:
    case SyntaxElsw:
    case SyntaxEndsw:
    case SyntaxDoNothing:
    case SyntaxLoop:
    case SyntaxEndlp:
    case SyntaxExitlp:
        return text + keyword;
    default:
        return text;
    }
}
