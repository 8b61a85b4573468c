#include "settings/FuzzwordList.h"

#include "model/DocumentData.h"

namespace {

class CFuzzwordItem : public CListedSettingsItem {
public:
    explicit CFuzzwordItem(const QString& word) : m_word(word) {}
    QString GetText() const override { return m_word; }

private:
    QString m_word;
};

} // namespace

CFuzzwordList::CFuzzwordList(const FuzzwordSettings& settings)
    : searchFunctionContent(settings.ckFunction != 0), searchLogic(settings.ckLogic != 0) {
    SetWords(settings.words);
}

QStringList CFuzzwordList::Words() const {
    QStringList words;
    for (const auto& item : m_list.GetItems())
        words << item->GetText();
    return words;
}

void CFuzzwordList::SetWords(const QStringList& words) {
    m_list.DeleteAllItems();
    for (const QString& word : words)
        m_list.Append(std::make_unique<CFuzzwordItem>(word));
}

VocabularyStore CFuzzwordList::Store(CDocumentData& data, const QString& itemWord) {
    if (!CVocabularyListCheck(itemWord).Check(m_list))
        return VocabularyStore::Refused;
    const FuzzwordSettings settings{Words(), searchFunctionContent ? 1 : 0, searchLogic ? 1 : 0};
    if (settings == data.fuzzwords)
        return VocabularyStore::Unchanged;
    data.fuzzwords = settings;
    return VocabularyStore::Stored;
}
