#pragma once

#include "model/AuxiliaryVerb.h"
#include "model/SentenceSettings.h"
#include "model/SyntaxSymbol.h"
#include "settings/AuxiliaryVerbListedSettingsItem.h"
#include "settings/ListedSettings.h"
#include "settings/SettingsSheet.h"

#include <array>
#include <set>
#include <vector>

class CDocumentData;

// What the syntax-symbol page edits, on copies of the document's keywords and colours, particles and auxiliary
// verbs: the page's buttons, its two checks (refusals and questions go to the message sink) and the storing.
class CSyntaxSymbolSettings {
public:
    static constexpr int MaxAuxiliaryVerbs = 32;
    static constexpr int MaxKeywordEditLength = 16;
    static constexpr int MaxAuxiliaryVerbEditLength = 32;
    static constexpr int MaxParticleLength = 64;
    // The change bit the page reports when it stored anything: every tab's views.
    static constexpr int ChangeBit = SettingsChangeTabViews;

    explicit CSyntaxSymbolSettings(const CDocumentData& data);

    // Keywords and colours, one per statement kind 0..14.
    const SyntaxSymbol& Symbol(int kind) const { return m_symbols[static_cast<size_t>(kind)]; }
    void SetKeyword(int kind, const QString& keyword);
    // The colour of the kind and of the kinds that share it (else and endif follow if, and so on).
    void SetColour(int kind, int colourIndex);
    void ResetSymbol(int kind);
    void ResetAllSymbols();
    static QString DefaultKeyword(int kind);
    // Only Fn, if, Do, switch, Do nothing, comment, loop and Transit State have a colour of their own.
    static bool OwnsColour(int kind);
    // The offset of a statement's first operand from its keyword's first character.
    static int ColumnOf(int kind, const QString& keyword);

    SentenceParticles particles;
    // The four particles of the language (0 English, 1 Japanese); the chosen language is not changed.
    void ResetParticles(int language);

    const CListedSettings& AuxiliaryVerbs() const { return m_verbs; }
    CAuxiliaryVerbListedSettingsItem& VerbAt(size_t index) const;
    // Appends an empty verb; refused with a warning when the list is full.
    bool AddAuxiliaryVerb();
    void EditAuxiliaryVerb(size_t index, const QString& text, bool withTense);
    void DeleteAuxiliaryVerb(size_t index);
    void ResetAuxiliaryVerbs();
    bool AuxiliaryVerbsChanged() const { return m_verbsChanged; }

    // The keyword check; false after the first refusal. When the user agreed to trim a keyword, `trimmedKind`
    // says which (the check fails all the same, so that the trimmed keyword is confirmed once more).
    bool ValidateSymbols(int* trimmedKind = nullptr);
    // The auxiliary-verb check: every finding is a question whose OK removes the offending verbs; false then.
    bool ValidateAuxiliaryVerbs();
    // Stores what differs from the document (both checks passed); the change bits, 0 when nothing was stored.
    int Apply(CDocumentData& data);

private:
    void AppendVerbs(const std::vector<AuxiliaryVerb>& verbs);
    int NewAuxiliaryVerbId();

    std::array<SyntaxSymbol, SyntaxSymbol::KindCount> m_symbols;
    CListedSettings m_verbs;
    std::set<int> m_usedVerbIds;
    bool m_verbsChanged = false;
};

// Brings the auxiliary verbs of every if and case line in line with the document's list: by id where the id is
// still there, else by text, else the line keeps its text without a verb.
void RelinkAuxiliaryVerbs(CDocumentData& data);
