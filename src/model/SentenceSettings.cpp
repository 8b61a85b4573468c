#include "model/SentenceSettings.h"

#include "model/QuantifierSettings.h"
#include "model/XmlDocumentContext.h"

#include <array>
#include <variant>

namespace {

using Words = NaturalSentenceWords;

// The 28 fields in file order (alphabetical, "Language" last): words are child elements, the integers
// attributes of "NaturalSentenceConfiguration".
struct WordField {
    const char* name;
    QString Words::*word;
    const char* japanese;
    const char* english;
};
struct OptionField {
    const char* name;
    int32_t Words::*value;
    int32_t defaultWhenMissing; // the language field takes the document language instead
};
using SentenceField = std::variant<WordField, OptionField>;

const std::array<SentenceField, 28> sentenceFields{{
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
    for (const SentenceField& field : sentenceFields) {
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

void WriteNaturalSentenceConfiguration(XmlDocumentContext& context, pugi::xml_node parent,
                                       const NaturalSentenceWords& words) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "NaturalSentenceConfiguration");
    for (const SentenceField& field : sentenceFields) {
        if (const auto* word = std::get_if<WordField>(&field))
            XmlAppendChildElement(context, element, word->name, words.*(word->word));
        else
            XmlSetIntAttribute(context, element, std::get<OptionField>(field).name,
                               words.*(std::get<OptionField>(field).value), false);
    }
}

void ReadNaturalSentenceConfiguration(pugi::xml_node environment, NaturalSentenceWords& words,
                                      int32_t documentLanguage) {
    pugi::xml_node element = XmlFindElement(environment, "NaturalSentenceConfiguration");
    if (!element)
        return;
    for (const SentenceField& field : sentenceFields) {
        if (const auto* word = std::get_if<WordField>(&field)) {
            words.*(word->word) = XmlGetChildText(element, word->name).left(NaturalSentenceWords::MaxWordLength);
        } else {
            const OptionField& option = std::get<OptionField>(field);
            const int32_t fallback = option.value == &Words::language ? documentLanguage : option.defaultWhenMissing;
            words.*(option.value) = static_cast<int32_t>(XmlGetIntAttribute(element, option.name, fallback));
        }
    }
}

void WriteQuantifierSettings(XmlDocumentContext& context, pugi::xml_node parent,
                             const CQuantifierSettings& quantifiers) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "QuantifierSettings");
    XmlSetIntAttribute(context, element, "Num", static_cast<qint64>(quantifiers.entries.size()), true);
    for (const QuantifierEntry& entry : quantifiers.entries) {
        pugi::xml_node setting = XmlAppendChildElement(context, element, "QuantifierSetting");
        XmlAppendChildElement(context, setting, "Quantifier", entry.quantifier);
        XmlAppendChildElement(context, setting, "Opposite", entry.opposite);
        XmlSetIntAttribute(context, setting, "Type", entry.type, true);
        XmlSetIntAttribute(context, setting, "Infix", entry.infix, true);
    }
}

void ReadQuantifierSettings(pugi::xml_node environment, CQuantifierSettings& quantifiers) {
    // Entries count wherever they stand below "Environment".
    const std::vector<pugi::xml_node> settings = XmlFindElements(environment, "QuantifierSetting");
    if (settings.empty()) {
        // A list the user emptied is saved as a bare container and stays empty.
        if (XmlFindElement(environment, "QuantifierSettings"))
            quantifiers.entries.clear();
        else
            quantifiers.SetDefaults();
        return;
    }
    quantifiers.entries.clear();
    for (pugi::xml_node setting : settings) {
        QuantifierEntry entry;
        entry.quantifier = XmlGetChildText(setting, "Quantifier").left(CQuantifierSettings::MaxTextLength);
        entry.opposite = XmlGetChildText(setting, "Opposite").left(CQuantifierSettings::MaxTextLength);
        entry.type = static_cast<int32_t>(XmlGetIntAttribute(setting, "Type", 0));
        entry.infix = static_cast<int32_t>(XmlGetIntAttribute(setting, "Infix", 0));
        if (!entry.quantifier.isEmpty() && !entry.opposite.isEmpty() && entry.type < 2 && entry.infix < 2)
            quantifiers.entries.push_back(entry);
    }
}

void WriteParticleSettings(XmlDocumentContext& context, pugi::xml_node parent, const SentenceParticles& particles) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "ParticleSettings");
    XmlSetIntAttribute(context, element, "Language", particles.language, false);
    XmlAppendChildElement(context, element, "If", particles.ifParticle);
    XmlAppendChildElement(context, element, "Switch", particles.switchParticle);
    XmlAppendChildElement(context, element, "DoInfix", particles.doInfix);
    XmlAppendChildElement(context, element, "DoSuffix", particles.doSuffix);
}

void ReadParticleSettings(pugi::xml_node environment, SentenceParticles& particles, int32_t documentLanguage) {
    pugi::xml_node element = XmlFindElement(environment, "ParticleSettings");
    if (!element) {
        particles.language = documentLanguage;
        GetSentenceParticles(particles.language, particles);
        return;
    }
    particles.ifParticle = XmlGetChildText(element, "If");
    particles.switchParticle = XmlGetChildText(element, "Switch");
    particles.doInfix = XmlGetChildText(element, "DoInfix");
    particles.doSuffix = XmlGetChildText(element, "DoSuffix");
    particles.language = static_cast<int32_t>(XmlGetIntAttribute(element, "Language", documentLanguage));
}
