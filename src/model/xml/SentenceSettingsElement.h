#pragma once

#include "model/SentenceSettings.h"

#include <pugixml.hpp>

class CQuantifierSettings;
class XmlDocumentContext;

// Elements below "Environment". documentLanguage is the application's language for the words and particles
// (1 Japanese, 0 English), taken where the file says nothing.
void WriteNaturalSentenceConfiguration(XmlDocumentContext& context, pugi::xml_node parent,
                                       const NaturalSentenceWords& words);
void ReadNaturalSentenceConfiguration(pugi::xml_node environment, NaturalSentenceWords& words,
                                      int32_t documentLanguage);
void WriteQuantifierSettings(XmlDocumentContext& context, pugi::xml_node parent,
                             const CQuantifierSettings& quantifiers);
// A document without any quantifier element gets the built-in list; an emptied list stays empty.
void ReadQuantifierSettings(pugi::xml_node environment, CQuantifierSettings& quantifiers);
void WriteParticleSettings(XmlDocumentContext& context, pugi::xml_node parent, const SentenceParticles& particles);
void ReadParticleSettings(pugi::xml_node environment, SentenceParticles& particles, int32_t documentLanguage);
