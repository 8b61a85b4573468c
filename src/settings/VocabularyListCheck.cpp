#include "settings/VocabularyListCheck.h"

#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

bool CVocabularyListCheck::Check(CListedSettings& list) const {
    if (list.HasEmptyItem())
        return AskEmptyItems(list);
    if (const std::optional<QString> duplicate = list.HasDuplicateItem())
        return AskDuplicate(list, *duplicate);
    if (const std::optional<size_t> invalid = list.FindInvalidItem())
        return AskInvalid(list, *invalid);
    return true;
}

bool CVocabularyListCheck::AskEmptyItems(CListedSettings& list) const {
    if (platform::AskOkCancel(LoadString(StringId::VocabularyEmptyItems).arg(m_itemWord)))
        list.RemoveEmptyItems();
    return false;
}

bool CVocabularyListCheck::AskDuplicate(CListedSettings& list, const QString& text) const {
    if (!platform::AskOkCancel(LoadString(StringId::VocabularyDuplicateItem).arg(m_itemWord, Quoted(text))))
        return false;
    // The first of the equal items stays: deleting every copy would lose the word the user meant to keep.
    bool first = true;
    for (size_t i = 0; i < list.Count();) {
        if (list.ItemAt(i).GetText() == text && !std::exchange(first, false))
            list.DeleteItemAt(i);
        else
            ++i;
    }
    return false;
}

bool CVocabularyListCheck::AskInvalid(CListedSettings& list, size_t index) const {
    if (platform::AskOkCancel(
            LoadString(StringId::VocabularyForbiddenCharacters).arg(m_itemWord, Quoted(list.ItemAt(index).GetText()))))
        list.DeleteItemAt(index);
    return false;
}
