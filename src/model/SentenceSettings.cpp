#include "model/SentenceSettings.h"

namespace {

using Words = NaturalSentenceWords;
using WordField = NaturalSentenceWordField;
using OptionField = NaturalSentenceOptionField;

const std::array<NaturalSentenceField, 28> sentenceFields{{
    WordField{"BeginComment", &Words::BeginComment, "(:", "(Note: "},
    WordField{"BeginConditionalSequence", &Words::BeginConditionalSequence, "もし", "If "},
    WordField{"BeginLoop", &Words::BeginLoop, "次のことを繰り返す", "Repeat following"},
    WordField{"ClausePunctuation", &Words::ClausePunctuation, "、", " "},
    WordField{"ConditionalSequenceConjunction", &Words::ConditionalSequenceConjunction, "かつ", "and "},
    OptionField{"ElswFlag", &Words::ElswFlag, 0},
    WordField{"EndComment", &Words::EndComment, ":)", ")"},
    WordField{"EndConditionalSequence", &Words::EndConditionalSequence, "ならば", " then"},
    WordField{"EndLoop", &Words::EndLoop, "ここまでを繰り返しとする", "Repeat mentioned above"},
    WordField{"EnumeratedNegationConjunction", &Words::EnumeratedNegationConjunction, "または", " nor "},
    WordField{"ExitLoop", &Words::ExitLoop, "繰り返しから抜ける", "exit a loop"},
    WordField{"FunctionCallPostfix", &Words::FunctionCallPostfix, "を行う", " is called"},
    WordField{"ImperativeInfix", &Words::ImperativeInfix, "を", " "},
    WordField{"ImperativePostfix", &Words::ImperativePostfix, "せよ", ""},
    WordField{"Ineffective", &Words::Ineffective, "何もしない", "do nothing"},
    WordField{"InfixPunctuation", &Words::InfixPunctuation, "、", ""},
    WordField{"NegativeInfix", &Words::NegativeInfix, "が", " is not "},
    WordField{"NegativePostfix", &Words::NegativePostfix, "でない", ""},
    OptionField{"NestUse", &Words::NestUse, 0},
    WordField{"PositiveInfix", &Words::PositiveInfix, "が", " is "},
    WordField{"PositivePostfix", &Words::PositivePostfix, "", ""},
    OptionField{"QuartUse", &Words::QuartUse, 0},
    WordField{"SentencePunctuation", &Words::SentencePunctuation, "。", "."},
    OptionField{"SignUseFunction", &Words::SignUseFunction, 1},
    OptionField{"SignUseMember", &Words::SignUseMember, 1},
    OptionField{"SignUseState", &Words::SignUseState, 1},
    WordField{"TotalNegationPostfix", &Words::TotalNegationPostfix, "それら以外", "none of them"},
    OptionField{"Language", &Words::language, 0},
}};

void SetSentenceWords(Words& words, bool japanese) {
    for (const NaturalSentenceField& field : sentenceFields) {
        if (const auto* word = std::get_if<WordField>(&field))
            words.*(word->word) = QString::fromUtf8(japanese ? word->japanese : word->english);
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
