#include "settings/MemberNameList.h"

#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "settings/ListedSettings.h"

namespace {

// An item that names its entry; the entry travels with it when the check deletes items.
template <typename Entry> class CNamedItem : public CListedSettingsItem {
public:
    explicit CNamedItem(Entry value) : entry(std::move(value)) {}
    QString GetText() const override { return entry.name; }
    bool IsInvalid() const override { return ContainsBracketChars(entry.name); }

    Entry entry;
};

// Runs the check over the entries and gives back what is left of them.
template <typename Entry> bool CheckEntries(std::vector<Entry>& entries, const QString& itemWord) {
    CListedSettings list;
    for (Entry& entry : entries)
        list.Append(std::make_unique<CNamedItem<Entry>>(std::move(entry)));
    const bool passed = CVocabularyListCheck(itemWord).Check(list);
    entries.clear();
    for (const auto& item : list.GetItems())
        entries.push_back(std::move(static_cast<CNamedItem<Entry>&>(*item).entry));
    return passed;
}

} // namespace

VocabularyStore CMemberNameList::Store(CDocumentData& data, const QString& memberWord, const QString& stateWord) {
    if (!CheckEntries(members, memberWord))
        return VocabularyStore::Refused;
    for (CMemberDefinition& member : members) {
        if (!CheckEntries(member.states, stateWord))
            return VocabularyStore::Refused;
    }
    if (members == data.memberDefinitions)
        return VocabularyStore::Unchanged;
    data.memberDefinitions = members;
    return VocabularyStore::Stored;
}
