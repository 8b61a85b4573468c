#include "generators/NaturalSentenceKinds.h"

const std::array<NaturalSentenceKind, 12>& NaturalSentenceKinds() {
    using W = NaturalSentenceWords;
    using enum Msg::Id;
    static const std::array<NaturalSentenceKind, 12> kinds = {{
        {FunctionPlural, " (Fn)", {&W::FunctionCallPostfix}, FnConversionExplanation},
        {Conclusions, " (Do)", {&W::ImperativeInfix, &W::ImperativePostfix}, DoConversionExplanation},
        {AssumptionPlural,
         " (if, switch)",
         {&W::BeginConditionalSequence, &W::PositiveInfix, &W::PositivePostfix, &W::EndConditionalSequence},
         IfSwitchConversionExplanation},
        {Ineffectives, " (Do nothing)", {&W::Ineffective}, DoNothingReplacementExplanation},
        {Loops, " (loop)", {&W::BeginLoop, &W::ExitLoop, &W::EndLoop}, LoopReplacementExplanation},
        {CommentPlural, "", {&W::BeginComment, &W::EndComment}, CommentConversionExplanation},
        {Conjunction, "", {&W::ConditionalSequenceConjunction}, NaturalSentenceConjunctionExplanation},
        {Disjunction, "", {&W::EnumeratedNegationConjunction}, NaturalSentenceDisjunctionExplanation},
        {Negation, "", {&W::NegativeInfix, &W::NegativePostfix}, NaturalSentenceNegationExplanation},
        {TotalNagation, "", {&W::TotalNegationPostfix}, ElswReplacementExplanation},
        {SentencePunctuation, "", {&W::SentencePunctuation}, NaturalLanguageSentencePunctuation},
        {ClausePunctuations, "", {&W::InfixPunctuation, &W::ClausePunctuation}, NaturalSentenceCommaExplanation},
    }};
    return kinds;
}

void ResetNaturalSentenceWords(NaturalSentenceWords& words) {
    for (const NaturalSentenceKind& kind : NaturalSentenceKinds()) {
        for (QString NaturalSentenceWords::*word : kind.words)
            (words.*word).clear();
    }
    words.ElswFlag = 0;
    words.NestUse = 0;
    words.QuartUse = 0;
    words.SignUseFunction = 1;
    words.SignUseMember = 1;
    words.SignUseState = 1;
    words.language = 1;
}

NaturalSentenceWords DefaultSentenceWords(int language) {
    NaturalSentenceWords words;
    ResetNaturalSentenceWords(words);
    if (language != 0)
        SetJapaneseSentenceWords(words);
    else
        SetEnglishSentenceWords(words);
    return words;
}
