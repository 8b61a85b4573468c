#pragma once

#include "texts/StringTable.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

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

// The 28 fields in file order (alphabetical, "Language" last) with their defaults: words are child elements,
// the integers attributes of "NaturalSentenceConfiguration".
struct NaturalSentenceWordField {
    const char* name;
    QString NaturalSentenceWords::*word;
    std::optional<StringId> japanese; // none: empty
    const char* english;
};
struct NaturalSentenceOptionField {
    const char* name;
    int32_t NaturalSentenceWords::*value;
    int32_t defaultWhenMissing; // the language field takes the document language instead
};
using NaturalSentenceField = std::variant<NaturalSentenceWordField, NaturalSentenceOptionField>;
const std::array<NaturalSentenceField, 28>& NaturalSentenceFields();

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
