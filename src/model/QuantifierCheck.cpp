#include "model/QuantifierCheck.h"

#include "model/QuantifierSettings.h"
#include "model/TextUtilities.h"
#include "model/UnitFunctionRegistry.h"
#include "texts/StringTable.h"

namespace {

enum class Level { None, Warning, Error };

} // namespace

void CheckMemberNameQuantifiers(CLogicLine& line, const std::vector<SyntaxSymbol>& symbols,
                                const CQuantifierSettings& quantifiers) {
    const quint8 kind = line.lineKind;
    if (symbols.size() < static_cast<size_t>(SyntaxSymbol::KindCount) ||
        (kind != SyntaxIf && kind != SyntaxDo && kind != SyntaxSwitch && kind != SyntaxTransitState))
        return;
    const QString& text = line.textSlots[0].text;
    const std::vector<const QuantifierEntry*> found = FindQuantifiersInText(quantifiers, text);
    Level level = Level::None;
    QString message;
    if (found.size() >= 2) {
        level = Level::Error;
        message =
            LoadString(StringId::SeveralQuantifiers).arg(Quoted(found[0]->quantifier), Quoted(found[1]->quantifier));
    } else if (found.size() == 1) {
        const QuantifierEntry& entry = *found[0];
        const bool existential = entry.type != 0;
        level = Level::Error;
        if (entry.quantifier == text) {
            message = LoadString(StringId::WholeNameIsQuantifier).arg(Quoted(text));
        } else if ((kind == SyntaxDo || kind == SyntaxTransitState) && existential) {
            message =
                LoadString(StringId::ExistentialNotAllowed).arg(symbols[SyntaxDo].keyword, Quoted(entry.quantifier));
        } else if (kind == SyntaxSwitch) {
            message =
                LoadString(StringId::QuantifierNotAllowed).arg(symbols[SyntaxSwitch].keyword, Quoted(entry.quantifier));
        } else {
            level = Level::Warning;
            message = LoadString(existential ? StringId::IsExistentialQuantifier : StringId::IsUniversalQuantifier)
                          .arg(Quoted(entry.quantifier));
            if (entry.infix == 0)
                message = LoadString(StringId::QuantifierAtNameStart).arg(message);
        }
    }

    const quint32 before = line.mark;
    line.mark &= ~(quantifierWarningMark | quantifierErrorMark);
    if (line.mark == 0 && before != 0)
        line.SetMemo(QString());
    if (level == Level::None)
        return;
    const quint32 bit = level == Level::Warning ? quantifierWarningMark : quantifierErrorMark;
    line.mark |= bit;
    // A memo that belongs to another line mark stays.
    if (line.Memo().isEmpty() || line.mark == bit)
        line.SetMemo(message.left(CLogicLine::MaxMemoLength));
}

void CheckMemberNameQuantifiersOfFunction(CUnitFunction* function, const std::vector<SyntaxSymbol>& symbols,
                                          const CQuantifierSettings& quantifiers) {
    if (!function)
        return;
    for (const auto& line : function->logicLines) {
        if (line)
            CheckMemberNameQuantifiers(*line, symbols, quantifiers);
    }
}

void CheckMemberNamesAll(CUnitFunctionRegistry& registry, const std::vector<SyntaxSymbol>& symbols,
                         const CQuantifierSettings& quantifiers) {
    for (auto& [id, function] : registry.Functions())
        CheckMemberNameQuantifiersOfFunction(&function, symbols, quantifiers);
}
