#include "settings/SyntaxSymbolSettings.h"

#include "model/DocumentData.h"
#include "model/StandardColours.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <algorithm>
#include <map>

using platform::MessageButtons;
using platform::MessageIcon;

namespace {

// The kinds that take the colour of a kind: if with else and endif, switch with its three, loop with its two.
std::vector<int> ColourGroup(int kind) {
    switch (kind) {
    case SyntaxIf:
        return {SyntaxIf, SyntaxElse, SyntaxEndif};
    case SyntaxSwitch:
        return {SyntaxSwitch, SyntaxCase, SyntaxElsw, SyntaxEndsw};
    case SyntaxLoop:
        return {SyntaxLoop, SyntaxEndlp, SyntaxExitlp};
    default:
        return {kind};
    }
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

void RefuseSymbol(const QString& keyword, StringId tail) {
    platform::ShowMessageBox(LoadString(StringId::SymbolMessage).arg(keyword, LoadString(tail)), MessageButtons::Ok,
                             MessageIcon::Error);
}

quint16 Shifted(quint16 position, int shift) {
    return static_cast<quint16>(std::clamp(position + shift, 0, 0xFFFF));
}

} // namespace

CSyntaxSymbolSettings::CSyntaxSymbolSettings(const CDocumentData& data) : particles(data.particles) {
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind)
        m_symbols[static_cast<size_t>(kind)] = kind < static_cast<int>(data.SyntaxSymbols.size())
                                                   ? data.SyntaxSymbols[static_cast<size_t>(kind)]
                                                   : SyntaxSymbol::GetDefault(kind, data.fonts.columnFont);
    AppendVerbs(data.AuxiliaryVerbs);
}

QString CSyntaxSymbolSettings::DefaultKeyword(int kind) {
    return SyntaxSymbol::GetDefault(kind, DefaultFontSetting()).keyword;
}

bool CSyntaxSymbolSettings::OwnsColour(int kind) {
    switch (kind) {
    case SyntaxFn:
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxSwitch:
    case SyntaxDoNothing:
    case SyntaxComment:
    case SyntaxLoop:
    case SyntaxTransitState:
        return true;
    default:
        return false;
    }
}

int CSyntaxSymbolSettings::ColumnOf(int kind, const QString& keyword) {
    int extra = 0;
    switch (kind) {
    case SyntaxFn:
        extra = 3; // " [ "
        break;
    case SyntaxIf:
    case SyntaxSwitch:
        extra = 2; // " <"
        break;
    case SyntaxDo:
    case SyntaxCase:
    case SyntaxTransitState:
        extra = 1; // "<" or "{"
        break;
    default:
        break;
    }
    return static_cast<int>(keyword.size()) + extra;
}

void CSyntaxSymbolSettings::SetKeyword(int kind, const QString& keyword) {
    m_symbols[static_cast<size_t>(kind)].keyword = keyword;
}

void CSyntaxSymbolSettings::SetColour(int kind, int colourIndex) {
    if (colourIndex < 0 || colourIndex >= static_cast<int>(std::size(kStandardColours)))
        return;
    for (const int member : ColourGroup(kind)) {
        m_symbols[static_cast<size_t>(member)].font.SetStandardColour(static_cast<quint8>(colourIndex));
    }
}

void CSyntaxSymbolSettings::ResetSymbol(int kind) {
    const SyntaxSymbol standard = SyntaxSymbol::GetDefault(kind, DefaultFontSetting());
    SetKeyword(kind, standard.keyword);
    if (OwnsColour(kind))
        SetColour(kind, standard.font.colourIndex);
}

void CSyntaxSymbolSettings::ResetAllSymbols() {
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind) {
        SyntaxSymbol& symbol = m_symbols[static_cast<size_t>(kind)];
        // The default record in the symbol's own font: only the keyword and the colour change.
        const SyntaxSymbol standard = SyntaxSymbol::GetDefault(kind, symbol.font);
        symbol.keyword = standard.keyword;
        symbol.font = standard.font;
    }
}

void CSyntaxSymbolSettings::ResetParticles(int language) {
    if (language == 0 || language == 1)
        GetSentenceParticles(language, particles);
}

CAuxiliaryVerbListedSettingsItem& CSyntaxSymbolSettings::VerbAt(size_t index) const {
    return static_cast<CAuxiliaryVerbListedSettingsItem&>(m_verbs.ItemAt(index));
}

bool CSyntaxSymbolSettings::AddAuxiliaryVerb() {
    if (m_verbs.Count() >= MaxAuxiliaryVerbs) {
        platform::ShowMessageBox(LoadString(StringId::AuxiliaryVerbTooMany), MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    m_verbs.Append(std::make_unique<CAuxiliaryVerbListedSettingsItem>(QString(), false, -1));
    return true;
}

void CSyntaxSymbolSettings::EditAuxiliaryVerb(size_t index, const QString& text, bool withTense) {
    if (index >= m_verbs.Count())
        return;
    CAuxiliaryVerbListedSettingsItem& verb = VerbAt(index);
    verb.text = text.left(MaxAuxiliaryVerbEditLength);
    verb.withTense = withTense;
    m_verbsChanged = true;
}

void CSyntaxSymbolSettings::DeleteAuxiliaryVerb(size_t index) {
    if (index >= m_verbs.Count())
        return;
    m_verbs.DeleteItemAt(index);
    m_verbsChanged = true;
}

void CSyntaxSymbolSettings::ResetAuxiliaryVerbs() {
    m_verbs.DeleteAllItems();
    AppendVerbs(AuxiliaryVerb::GetDefaults());
    m_verbsChanged = true;
}

bool CSyntaxSymbolSettings::ValidateSymbols(int* trimmedKind) {
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind) {
        const QString& keyword = m_symbols[static_cast<size_t>(kind)].keyword;
        if (kind != SyntaxComment && ContainsBracketChars(keyword)) {
            RefuseSymbol(keyword, StringId::SymbolForbiddenChars);
            return false;
        }
        if (!std::all_of(keyword.begin(), keyword.end(), IsHalfWidth)) {
            RefuseSymbol(keyword, StringId::SymbolFullWidth);
            return false;
        }
        if (keyword.isEmpty()) {
            platform::ShowMessageBox(LoadString(StringId::SymbolEmpty), MessageButtons::Ok, MessageIcon::Error);
            return false;
        }
        if (std::all_of(keyword.begin(), keyword.end(), IsBlank)) {
            RefuseSymbol(keyword, StringId::SymbolBlanksOnly);
            return false;
        }
        if (IsBlank(keyword.front()) || IsBlank(keyword.back())) {
            if (platform::AskOkCancel(
                    LoadString(StringId::SymbolMessage).arg(keyword, LoadString(StringId::SymbolEdgeBlanks)))) {
                SetKeyword(kind, TrimBlanks(keyword));
                if (trimmedKind)
                    *trimmedKind = kind;
            }
            return false;
        }
    }
    for (int first = 0; first < SyntaxSymbol::KindCount; ++first) {
        for (int second = first + 1; second < SyntaxSymbol::KindCount; ++second) {
            const QString& keyword = m_symbols[static_cast<size_t>(first)].keyword;
            if (keyword == m_symbols[static_cast<size_t>(second)].keyword) {
                RefuseSymbol(keyword, StringId::SymbolDuplicate);
                return false;
            }
        }
    }
    return true;
}

bool CSyntaxSymbolSettings::ValidateAuxiliaryVerbs() {
    const auto about = [](const QString& text, StringId tail) {
        return LoadString(StringId::AuxiliaryVerbMessage).arg(text, LoadString(tail));
    };
    if (m_verbs.HasEmptyItem()) {
        if (platform::AskOkCancel(LoadString(StringId::AuxiliaryVerbEmpty))) {
            m_verbs.RemoveEmptyItems();
            m_verbsChanged = true;
        }
        return false;
    }
    if (const std::optional<QString> duplicate = m_verbs.HasDuplicateItem()) {
        if (platform::AskOkCancel(about(*duplicate, StringId::AuxiliaryVerbDuplicate))) {
            m_verbs.RemoveItemByText(*duplicate);
            m_verbsChanged = true;
        }
        return false;
    }
    if (const std::optional<size_t> invalid = m_verbs.FindInvalidItem()) {
        if (platform::AskOkCancel(about(m_verbs.ItemAt(*invalid).GetText(), StringId::AuxiliaryVerbForbiddenChars))) {
            m_verbs.DeleteItemAt(*invalid);
            m_verbsChanged = true;
        }
        return false;
    }
    return true;
}

void CSyntaxSymbolSettings::AppendVerbs(const std::vector<AuxiliaryVerb>& verbs) {
    for (const AuxiliaryVerb& verb : verbs) {
        m_verbs.Append(std::make_unique<CAuxiliaryVerbListedSettingsItem>(verb.verb, verb.flag != 0, verb.id));
        m_usedVerbIds.insert(verb.id);
    }
}

int CSyntaxSymbolSettings::NewAuxiliaryVerbId() {
    int id = 1;
    while (m_usedVerbIds.contains(id))
        ++id;
    m_usedVerbIds.insert(id);
    return id;
}

int CSyntaxSymbolSettings::Apply(CDocumentData& data) {
    bool stored = false;
    bool displayChanged = false;
    bool columnsChanged = false;
    std::array<int, SyntaxSymbol::KindCount> shift{};
    while (data.SyntaxSymbols.size() < SyntaxSymbol::KindCount)
        data.SyntaxSymbols.push_back(
            SyntaxSymbol::GetDefault(static_cast<int>(data.SyntaxSymbols.size()), data.fonts.columnFont));
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind) {
        SyntaxSymbol& symbol = m_symbols[static_cast<size_t>(kind)];
        SyntaxSymbol& documentSymbol = data.SyntaxSymbols[static_cast<size_t>(kind)];
        symbol.Column = static_cast<quint8>(ColumnOf(kind, symbol.keyword));
        shift[static_cast<size_t>(kind)] = symbol.Column - documentSymbol.Column;
        if (symbol.keyword != documentSymbol.keyword || symbol.font.colourIndex != documentSymbol.font.colourIndex)
            displayChanged = true;
        if (symbol.Column != documentSymbol.Column)
            columnsChanged = true;
        if (symbol != documentSymbol)
            stored = true;
        documentSymbol = symbol;
    }
    if (columnsChanged) {
        // Lines of no statement kind (plain lines, none) have no keyword to follow.
        for (auto& [id, function] : data.registry.Functions()) {
            for (const auto& line : function.logicLines) {
                if (!line || line->lineKind >= SyntaxSymbol::KindCount)
                    continue;
                const int by = shift[line->lineKind];
                line->Home = Shifted(line->Home, by);
                line->Home2 = Shifted(line->Home2, by);
                line->End = Shifted(line->End, by);
            }
        }
    }
    if (m_verbsChanged) {
        std::vector<AuxiliaryVerb> verbs;
        for (size_t index = 0; index < m_verbs.Count(); ++index) {
            CAuxiliaryVerbListedSettingsItem& item = VerbAt(index);
            if (item.id < 0)
                item.id = NewAuxiliaryVerbId();
            verbs.push_back({static_cast<quint8>(item.id), item.text, static_cast<quint8>(item.withTense ? 1 : 0)});
        }
        data.AuxiliaryVerbs = std::move(verbs);
        RelinkAuxiliaryVerbs(data);
        displayChanged = true;
        m_verbsChanged = false;
    }
    SentenceParticles& documentParticles = data.particles;
    for (auto field : {&SentenceParticles::ifParticle, &SentenceParticles::switchParticle, &SentenceParticles::doInfix,
                       &SentenceParticles::doSuffix}) {
        if (documentParticles.*field != particles.*field) {
            documentParticles.*field = particles.*field;
            stored = true;
        }
    }
    if (documentParticles.language != particles.language) {
        documentParticles.language = particles.language;
        stored = true;
    }
    return stored || displayChanged ? ChangeBit : 0;
}

void RelinkAuxiliaryVerbs(CDocumentData& data) {
    std::map<int, const AuxiliaryVerb*> byId;
    std::map<QString, const AuxiliaryVerb*> byText;
    for (const AuxiliaryVerb& verb : data.AuxiliaryVerbs) {
        byId.emplace(verb.id, &verb);
        byText.emplace(verb.verb, &verb);
    }
    for (auto& [id, function] : data.registry.Functions()) {
        for (const auto& line : function.logicLines) {
            if (!line || (line->lineKind != SyntaxIf && line->lineKind != SyntaxCase))
                continue;
            QString& text = line->textSlots[line->lineKind == SyntaxIf ? 3 : 1].text;
            if (const auto found = byId.find(line->auxiliaryVerbId); found != byId.end()) {
                line->auxiliaryVerbFlag = found->second->flag;
                if (text != found->second->verb) {
                    text = found->second->verb;
                    // The line's positions follow the text of its last slot.
                    line->RecountPositions();
                }
            } else if (const auto named = byText.find(text); named != byText.end()) {
                line->auxiliaryVerbId = named->second->id;
                line->auxiliaryVerbFlag = named->second->flag;
            } else {
                line->auxiliaryVerbId = 0;
                line->auxiliaryVerbFlag = 0;
            }
        }
    }
}
