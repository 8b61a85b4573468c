#pragma once

#include "settings/ListedSettings.h"

#include <QString>

// What OK of a vocabulary dialog did with the document.
enum class VocabularyStore {
    Refused,   // a check asked or refused: the dialog stays open
    Unchanged, // the list passed and equals the document's: nothing stored
    Stored,    // the list passed and replaced the document's: the document is modified
};

// The checks a vocabulary dialog makes on its list before it stores it. An empty item, a duplicate or an item
// with a name bracket is offered for deletion (OK/Cancel, question icon); the list is not stored either way, so
// that the user sees the list again and confirms once more.
class CVocabularyListCheck {
public:
    // `itemWord` names one item in the questions ("量化記号").
    explicit CVocabularyListCheck(QString itemWord) : m_itemWord(std::move(itemWord)) {}

    // True when the list may be stored; otherwise a question was asked and, on OK, the list changed.
    bool Check(CListedSettings& list) const;

private:
    bool AskEmptyItems(CListedSettings& list) const;
    bool AskDuplicate(CListedSettings& list, const QString& text) const;
    bool AskInvalid(CListedSettings& list, size_t index) const;

    QString m_itemWord;
};
