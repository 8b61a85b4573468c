#pragma once

#include "model/SentenceSettings.h"
#include "texts/Msg.h"

#include <array>
#include <vector>

// The twelve kinds of statement word the natural-sentence dialog edits, each with up to four words of the
// record, its list caption (a text and a suffix) and its explanation.
struct NaturalSentenceKind {
    Msg::Id caption;
    const char* suffix;
    std::vector<QString NaturalSentenceWords::*> words;
    Msg::Id explanation;
};
const std::array<NaturalSentenceKind, 12>& NaturalSentenceKinds();

// Empties the 21 words, clears the elsw, nesting and quoting options and sets the three sign options and the
// language to 1.
void ResetNaturalSentenceWords(NaturalSentenceWords& words);

// A record with the default words of the language (1 Japanese, else English), the options as reset.
NaturalSentenceWords DefaultSentenceWords(int language);
