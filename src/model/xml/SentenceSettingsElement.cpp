#include "model/xml/SentenceSettingsElement.h"

#include "model/QuantifierSettings.h"
#include "model/xml/XmlDocumentContext.h"

namespace {

using Words = NaturalSentenceWords;
using WordField = NaturalSentenceWordField;
using OptionField = NaturalSentenceOptionField;
using SentenceField = NaturalSentenceField;

} // namespace

void WriteNaturalSentenceConfiguration(XmlDocumentContext& context, pugi::xml_node parent,
                                       const NaturalSentenceWords& words) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "NaturalSentenceConfiguration");
    for (const SentenceField& field : NaturalSentenceFields()) {
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
    for (const SentenceField& field : NaturalSentenceFields()) {
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
