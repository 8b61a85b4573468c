#include "settings/QuantifierList.h"

#include "model/DocumentData.h"
#include "model/QuantifierCheck.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

namespace {

class CQuantifierItem : public CListedSettingsItem {
public:
    explicit CQuantifierItem(const QuantifierEntry& entry) { Set(entry); }

    QString GetText() const override { return entry.quantifier; }
    bool IsInvalid() const override {
        return ContainsBracketChars(entry.quantifier) || ContainsBracketChars(entry.opposite);
    }
    void Set(const QuantifierEntry& value) {
        entry = value;
        entry.quantifier.truncate(CQuantifierSettings::MaxTextLength);
        entry.opposite.truncate(CQuantifierSettings::MaxTextLength);
        entry.type = value.type != 0 ? 1 : 0;
        entry.infix = value.infix != 0 ? 1 : 0;
    }

    QuantifierEntry entry;
};

CQuantifierItem& ItemAt(const CListedSettings& list, size_t index) {
    return static_cast<CQuantifierItem&>(list.ItemAt(index));
}

} // namespace

CQuantifierList::CQuantifierList(const CQuantifierSettings& settings) {
    for (const QuantifierEntry& entry : settings.entries)
        Append(entry);
}

const QuantifierEntry& CQuantifierList::EntryAt(size_t index) const {
    return ItemAt(m_list, index).entry;
}

void CQuantifierList::SetEntryAt(size_t index, const QuantifierEntry& entry) {
    ItemAt(m_list, index).Set(entry);
}

void CQuantifierList::Append(const QuantifierEntry& entry) {
    m_list.Append(std::make_unique<CQuantifierItem>(entry));
}

CQuantifierSettings CQuantifierList::Settings() const {
    CQuantifierSettings settings;
    settings.entries.clear();
    for (size_t i = 0; i < Count(); ++i)
        settings.entries.push_back(EntryAt(i));
    return settings;
}

VocabularyStore CQuantifierList::Store(CDocumentData& data, const QString& itemWord, const QString& oppositeWord) {
    if (!CVocabularyListCheck(itemWord).Check(m_list))
        return VocabularyStore::Refused;
    CQuantifierSettings settings = Settings();
    for (const QuantifierEntry& entry : settings.entries) {
        if (entry.opposite.isEmpty()) {
            platform::ShowMessageBox(
                LoadString(StringId::QuantifierWithoutOpposite).arg(itemWord, Quoted(entry.quantifier), oppositeWord),
                platform::MessageButtons::Ok, platform::MessageIcon::Warning);
            return VocabularyStore::Refused;
        }
    }
    if (settings == data.quantifiers)
        return VocabularyStore::Unchanged;
    data.quantifiers = std::move(settings);
    CheckMemberNamesAll(data.registry, data.SyntaxSymbols, data.quantifiers);
    return VocabularyStore::Stored;
}
