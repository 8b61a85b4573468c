#pragma once

#include "model/RuleVocabularyTables.h"
#include "settings/ListedSettings.h"
#include "settings/VocabularyListCheck.h"

#include <QStringList>

class CDocumentData;

// What the obscure-word dialog edits: a copy of the document's obscure words and the two fields the search
// looks in, stored back on OK.
class CFuzzwordList {
public:
    explicit CFuzzwordList(const FuzzwordSettings& settings);

    QStringList Words() const;
    void SetWords(const QStringList& words);
    bool searchFunctionContent;
    bool searchLogic;

    // OK: an empty or repeated word is offered for deletion; what passes replaces the document's settings when
    // it differs. `itemWord` names an obscure word in the questions.
    VocabularyStore Store(CDocumentData& data, const QString& itemWord);

private:
    CListedSettings m_list;
};
