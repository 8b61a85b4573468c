#pragma once

#include "settings/QuantifierList.h"

#include <QDialog>

class CSettingsHost;
class CVocabularyTable;

// The quantifier dialog: the document's quantifier list as a table of the quantifier, its paired form, whether
// it is existential and whether it counts anywhere in a name. OK stores a changed list and checks every member
// name again; the caller then refreshes the tabs.
class CQuantifierDialog : public QDialog {
    Q_OBJECT
public:
    enum Column { QuantifierColumn, OppositeColumn, ExistentialColumn, InfixColumn };

    explicit CQuantifierDialog(CSettingsHost& host, QWidget* parent = nullptr);
    void accept() override;

    // True after an OK that changed the document.
    bool Stored() const { return m_stored; }
    CVocabularyTable* Table() const { return m_table; }

private:
    void ShowList(const CQuantifierList& list);
    CQuantifierSettings TableEntries() const;

    CSettingsHost& m_host;
    CVocabularyTable* m_table;
    bool m_stored = false;
};
