#include "model/TextUtilities.h"

#include "model/UnitFunctionRegistry.h"

#include <QStringList>

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
