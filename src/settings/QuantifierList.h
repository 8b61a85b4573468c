#pragma once

#include "model/QuantifierSettings.h"
#include "settings/ListedSettings.h"
#include "settings/VocabularyListCheck.h"

class CDocumentData;

// The list the quantifier dialog edits: a copy of the document's quantifier entries, stored back on OK.
class CQuantifierList {
public:
    explicit CQuantifierList(const CQuantifierSettings& settings);

    size_t Count() const { return m_list.Count(); }
    const QuantifierEntry& EntryAt(size_t index) const;
    // Texts longer than the record keeps are cut.
    void SetEntryAt(size_t index, const QuantifierEntry& entry);
    void Append(const QuantifierEntry& entry);
    void DeleteAt(size_t index) { m_list.DeleteItemAt(index); }

    // OK: an empty quantifier, a quantifier given twice or one with a name bracket is offered for deletion; a
    // quantifier without its opposite is refused with a message, since the document could not keep it. A list
    // that passes replaces the document's when it differs, and then every logic line's member name is checked
    // again against it. `itemWord` and `oppositeWord` name a quantifier and its opposite in the messages.
    VocabularyStore Store(CDocumentData& data, const QString& itemWord, const QString& oppositeWord);

    CQuantifierSettings Settings() const;

private:
    CListedSettings m_list;
};
