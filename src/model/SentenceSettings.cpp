#include "model/SentenceSettings.h"

#include "model/XmlDocumentContext.h"
#include "settings/QuantifierSettings.h"
#include "texts/StringTable.h"

#include <array>
#include <optional>
#include <variant>

namespace {

using Words = NaturalSentenceWords;

// The 28 fields in file order (alphabetical, "Language" last): words are child elements, the integers
// attributes of "NaturalSentenceConfiguration".
struct WordField {
    const char* name;
    QString Words::*word;
    std::optional<StringId> japanese; // none: empty
    const char* english;
};
struct OptionField {
    const char* name;
    int32_t Words::*value;
    int32_t defaultWhenMissing; // the language field takes the document language instead
};
using SentenceField = std::variant<WordField, OptionField>;

const std::array<SentenceField, 28> sentenceFields{{
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
    for (const SentenceField& field : sentenceFields) {
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
