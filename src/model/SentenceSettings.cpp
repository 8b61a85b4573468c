#include "model/SentenceSettings.h"

#include "texts/StringTable.h"

namespace {

using Words = NaturalSentenceWords;
using WordField = NaturalSentenceWordField;
using OptionField = NaturalSentenceOptionField;

const std::array<NaturalSentenceField, 28> sentenceFields{{
    WordField{"BeginComment", &Words::BeginComment, StringId::SentenceBeginComment, "(Note: "},
    WordField{"BeginConditionalSequence", &Words::BeginConditionalSequence, StringId::SentenceBeginConditionalSequence,
              "If "},
    WordField{"BeginLoop", &Words::BeginLoop, StringId::SentenceBeginLoop, "Repeat following"},
    WordField{"ClausePunctuation", &Words::ClausePunctuation, StringId::SentencePunctuationComma, " "},
    WordField{"ConditionalSequenceConjunction", &Words::ConditionalSequenceConjunction,
              StringId::SentenceConditionalSequenceConjunction, "and "},
    OptionField{"ElswFlag", &Words::ElswFlag, 0},
    WordField{"EndComment", &Words::EndComment, StringId::SentenceEndComment, ")"},
    WordField{"EndConditionalSequence", &Words::EndConditionalSequence, StringId::SentenceEndConditionalSequence,
              " then"},
    WordField{"EndLoop", &Words::EndLoop, StringId::SentenceEndLoop, "Repeat mentioned above"},
    WordField{"EnumeratedNegationConjunction", &Words::EnumeratedNegationConjunction,
              StringId::SentenceEnumeratedNegationConjunction, " nor "},
    WordField{"ExitLoop", &Words::ExitLoop, StringId::SentenceExitLoop, "exit a loop"},
    WordField{"FunctionCallPostfix", &Words::FunctionCallPostfix, StringId::SentenceFunctionCallPostfix, " is called"},
    WordField{"ImperativeInfix", &Words::ImperativeInfix, StringId::SentenceImperativeInfix, " "},
    WordField{"ImperativePostfix", &Words::ImperativePostfix, StringId::SentenceImperativePostfix, ""},
    WordField{"Ineffective", &Words::Ineffective, StringId::SentenceIneffective, "do nothing"},
    WordField{"InfixPunctuation", &Words::InfixPunctuation, StringId::SentencePunctuationComma, ""},
    WordField{"NegativeInfix", &Words::NegativeInfix, StringId::SentenceSubjectParticle, " is not "},
    WordField{"NegativePostfix", &Words::NegativePostfix, StringId::SentenceNegativePostfix, ""},
    OptionField{"NestUse", &Words::NestUse, 0},
    WordField{"PositiveInfix", &Words::PositiveInfix, StringId::SentenceSubjectParticle, " is "},
    WordField{"PositivePostfix", &Words::PositivePostfix, std::nullopt, ""},
    OptionField{"QuartUse", &Words::QuartUse, 0},
    WordField{"SentencePunctuation", &Words::SentencePunctuation, StringId::SentencePunctuationFullStop, "."},
    OptionField{"SignUseFunction", &Words::SignUseFunction, 1},
    OptionField{"SignUseMember", &Words::SignUseMember, 1},
    OptionField{"SignUseState", &Words::SignUseState, 1},
    WordField{"TotalNegationPostfix", &Words::TotalNegationPostfix, StringId::SentenceTotalNegationPostfix,
              "none of them"},
    OptionField{"Language", &Words::language, 0},
}};

void SetSentenceWords(Words& words, bool japanese) {
    for (const NaturalSentenceField& field : sentenceFields) {
        if (const auto* word = std::get_if<WordField>(&field))
            words.*(word->word) = !japanese        ? QString::fromUtf8(word->english)
                                  : word->japanese ? LoadString(*word->japanese)
                                                   : QString();
        else if (const auto& option = std::get<OptionField>(field); option.value != &Words::language)
            words.*(option.value) = option.defaultWhenMissing;
    }
}

struct ParticleRow {
    const char* ifParticle;
    const char* switchParticle;
    const char* doInfix;
    const char* doSuffix;
};
constexpr std::array<ParticleRow, 2> particleRows{{{" is ", " is ", " ", ""}, {"が", "が", "を", "せよ"}}};

} // namespace

const std::array<NaturalSentenceField, 28>& NaturalSentenceFields() {
    return sentenceFields;
}

void SetJapaneseSentenceWords(NaturalSentenceWords& words) {
    SetSentenceWords(words, true);
}

void SetEnglishSentenceWords(NaturalSentenceWords& words) {
    SetSentenceWords(words, false);
}

void GetSentenceParticles(int32_t language, SentenceParticles& particles) {
    if (language < 0 || language >= static_cast<int32_t>(particleRows.size())) {
        particles.ifParticle.clear();
        particles.switchParticle.clear();
        particles.doInfix.clear();
        particles.doSuffix.clear();
        return;
    }
    const ParticleRow& row = particleRows[static_cast<size_t>(language)];
    particles.ifParticle = QString::fromUtf8(row.ifParticle);
    particles.switchParticle = QString::fromUtf8(row.switchParticle);
    particles.doInfix = QString::fromUtf8(row.doInfix);
    particles.doSuffix = QString::fromUtf8(row.doSuffix);
}
