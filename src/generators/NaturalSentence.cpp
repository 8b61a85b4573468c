#include "generators/NaturalSentence.h"

#include "logic/QuantifiedMemberName.h"
#include "model/LogicNesting.h"
#include "model/SentenceSettings.h"

namespace {

struct SignPair {
    QString open;
    QString close;
    QString Around(const QString& text) const { return open + text + close; }
};

QString OrDefault(const QString& text, const QString& fallback) {
    return text.isEmpty() ? fallback : text;
}

} // namespace

// An if or switch block that the current line stands in.
struct CNaturalSentence::OpenBlock {
    bool isSwitch = false;
    QString positiveSubject;
    QString negativeSubject;
    QString positivePredicate;
    QString negativePredicate;
    bool inElse = false;
    QStringList caseLabels; // of this switch alone, so a nested switch leaves them as they are
};

CNaturalSentence::CNaturalSentence(const NaturalSentenceWords& words, const CQuantifierSettings& quantifiers)
    : m_words(words), m_quantifiers(quantifiers) {}

QString CNaturalSentence::Indent(int count) const {
    return QString(2 * std::max(count, 0), ' ');
}

QString CNaturalSentence::Prefix(const std::vector<OpenBlock>& blocks) const {
    if (blocks.empty())
        return {};
    const NaturalSentenceWords& w = m_words;
    const bool nest = w.NestUse != 0;
    const bool quote = w.QuartUse != 0;
    QString prefix = w.BeginConditionalSequence;
    const int count = static_cast<int>(blocks.size());
    for (int position = 0; position < count; ++position) {
        const OpenBlock& block = blocks[static_cast<size_t>(position)];
        const bool innermost = position == count - 1;
        const QString lineBreak = nest ? '\n' + Indent(position + 1) : QString();
        if (!block.isSwitch || !block.inElse) {
            const bool negated = !block.isSwitch && block.inElse;
            const QString& subject = negated ? block.negativeSubject : block.positiveSubject;
            const QString& predicate = negated ? block.negativePredicate : block.positivePredicate;
            QString connector;
            if (innermost)
                connector = w.EndConditionalSequence + w.ClausePunctuation + lineBreak;
            else
                connector = nest ? lineBreak + w.ConditionalSequenceConjunction
                                 : w.ClausePunctuation + w.ConditionalSequenceConjunction;
            prefix += quote ? '"' + subject + predicate + '"' + connector : subject + predicate + connector;
        } else if (w.ElswFlag == 0) {
            // Inside elsw: none of the cases of this switch.
            prefix += quote ? '"' + block.negativeSubject + '\'' : block.negativeSubject;
            const int labels = static_cast<int>(block.caseLabels.size());
            for (int label = 0; label < labels; ++label) {
                prefix += block.caseLabels[label];
                const QString labelBreak = nest ? '\n' + Indent(label + 1) : QString();
                if (label < labels - 1) {
                    prefix += labelBreak + w.EnumeratedNegationConjunction;
                    continue;
                }
                prefix += quote ? '\'' + w.NegativePostfix + '"' : w.NegativePostfix;
                prefix += innermost ? w.EndConditionalSequence + w.ClausePunctuation
                                    : w.ClausePunctuation + w.ConditionalSequenceConjunction;
                prefix += labelBreak;
            }
        } else {
            prefix += block.positiveSubject + w.TotalNegationPostfix;
            prefix += innermost ? w.EndConditionalSequence + w.ClausePunctuation + lineBreak
                                : w.ClausePunctuation + lineBreak + w.ConditionalSequenceConjunction;
        }
    }
    return prefix;
}

CNaturalSentence::Result CNaturalSentence::Convert(const LogicLineArray& lines, QStringList& output) const {
    output.clear();
    if (lines.empty())
        return NoLines;
    const NaturalSentenceWords& w = m_words;
    const SignPair member = w.SignUseMember ? SignPair{QStringLiteral("<"), QStringLiteral(">")} : SignPair{};
    const SignPair state = w.SignUseState ? SignPair{QStringLiteral("{"), QStringLiteral("}")} : SignPair{};
    const SignPair name = w.SignUseFunction ? SignPair{QStringLiteral("["), QStringLiteral("]")} : SignPair{};
    std::vector<OpenBlock> blocks;
    for (const auto& pointer : lines) {
        const CLogicLine& line = *pointer;
        const auto slot = [&line](int index) -> const QString& { return line.textSlots[index].text; };
        switch (line.lineKind) {
        case SyntaxFn:
            output << Prefix(blocks) + name.Around(slot(0)) + w.FunctionCallPostfix + w.SentencePunctuation + '\n';
            break;
        case SyntaxIf: {
            if (blocks.size() >= static_cast<size_t>(kMaxLogicNesting))
                return TooDeep;
            OpenBlock block;
            block.positiveSubject = member.Around(slot(0)) + OrDefault(slot(1), w.PositiveInfix) + w.InfixPunctuation;
            block.negativeSubject =
                member.Around(SplitAtQuantifier(slot(0), &m_quantifiers)) + w.NegativeInfix + w.InfixPunctuation;
            block.positivePredicate = state.Around(slot(2)) + OrDefault(slot(3), w.PositivePostfix);
            block.negativePredicate = state.Around(slot(2)) + w.NegativePostfix;
            blocks.push_back(block);
            break;
        }
        case SyntaxElse:
        case SyntaxElsw:
            if (!blocks.empty())
                blocks.back().inElse = true;
            break;
        case SyntaxEndif:
        case SyntaxEndsw:
            if (!blocks.empty())
                blocks.pop_back();
            break;
        case SyntaxDo:
            output << Prefix(blocks) + member.Around(slot(0)) + OrDefault(slot(1), w.ImperativeInfix) +
                          w.InfixPunctuation + state.Around(slot(2)) + OrDefault(slot(3), w.ImperativePostfix) +
                          w.SentencePunctuation + '\n';
            break;
        case SyntaxSwitch: {
            if (blocks.size() >= static_cast<size_t>(kMaxLogicNesting))
                return TooDeep;
            OpenBlock block;
            block.isSwitch = true;
            block.positiveSubject = member.Around(slot(0)) + OrDefault(slot(1), w.PositiveInfix) + w.InfixPunctuation;
            block.negativeSubject = member.Around(slot(0)) + w.NegativeInfix + w.InfixPunctuation;
            blocks.push_back(block);
            break;
        }
        case SyntaxCase: {
            if (blocks.empty())
                return CaseOutsideSwitch;
            OpenBlock& block = blocks.back();
            if (!block.isSwitch)
                return CaseInsideIf;
            const QString label = state.Around(slot(0));
            block.caseLabels << label;
            block.positivePredicate = label + OrDefault(slot(1), w.PositivePostfix);
            block.negativePredicate = label + w.NegativePostfix;
            break;
        }
        case SyntaxDoNothing:
            output << Prefix(blocks) + w.Ineffective + w.SentencePunctuation + '\n';
            break;
        case SyntaxComment:
            output << w.BeginComment + slot(0) + w.EndComment + '\n';
            break;
        case SyntaxLoop:
            output << w.BeginLoop + w.SentencePunctuation + '\n';
            break;
        case SyntaxEndlp:
            output << w.EndLoop + w.SentencePunctuation + '\n';
            break;
        case SyntaxExitlp:
            output << Prefix(blocks) + w.ExitLoop + w.SentencePunctuation + '\n';
            break;
        case SyntaxPlainLine:
            output << QStringLiteral("\n");
            break;
        case SyntaxTransitState:
        case SyntaxNone:
            break;
        default:
            return NoLines;
        }
    }
    return Done;
}
