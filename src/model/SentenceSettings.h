#pragma once

#include <QString>

#include <cstdint>

#include <pugixml.hpp>

class CQuantifierSettings;
class XmlDocumentContext;

// Words and options of the natural-sentence conversion. Words hold at most MaxWordLength characters.
struct NaturalSentenceWords {
    static constexpr int MaxWordLength = 64;

    QString BeginComment;
    QString BeginConditionalSequence;
    QString BeginLoop;
    QString ClausePunctuation;
    QString ConditionalSequenceConjunction;
    int32_t ElswFlag = 0; // an elsw becomes the single word TotalNegationPostfix
    QString EndComment;
    QString EndConditionalSequence;
    QString EndLoop;
    QString EnumeratedNegationConjunction;
    QString ExitLoop;
    QString FunctionCallPostfix;
    QString ImperativeInfix;
    QString ImperativePostfix;
    QString Ineffective;
    QString InfixPunctuation;
    QString NegativeInfix;
    QString NegativePostfix;
    int32_t NestUse = 0; // indent the sentence for each condition
    QString PositiveInfix;
    QString PositivePostfix;
    int32_t QuartUse = 0; // quote each group of conditions
    QString SentencePunctuation;
    int32_t SignUseFunction = 1; // keep the brackets of unit-function names
    int32_t SignUseMember = 1;   // keep the brackets of member names
    int32_t SignUseState = 1;    // keep the braces of state names
    QString TotalNegationPostfix;
    int32_t language = 1; // of the words: 1 Japanese, 0 English

    bool operator==(const NaturalSentenceWords&) const = default;
};

// Fill every word and option with one language's defaults; the language field is left to the caller.
void SetJapaneseSentenceWords(NaturalSentenceWords& words);
void SetEnglishSentenceWords(NaturalSentenceWords& words);

// The particles the logic language puts between member and state names.
struct SentenceParticles {
    QString ifParticle;     // if conditions
    QString switchParticle; // switch and case
    QString doInfix;        // between member and state of a Do statement
    QString doSuffix;       // after the state of a Do statement
    int32_t language = 1;   // 1 Japanese, 0 English

    bool operator==(const SentenceParticles&) const = default;
};

// Sets the four particles of the language (four empty texts for a language without a row); the language
// field itself is not set.
void GetSentenceParticles(int32_t language, SentenceParticles& particles);

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
