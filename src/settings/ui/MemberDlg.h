#pragma once

#include "model/MemberDefinition.h"

#include <QDialog>
#include <QPersistentModelIndex>

class CSettingsHost;
class CVocabularyTable;

// The member and state names dialog: the registered members with their explanations above, the states of the
// current member below. OK stores what changed; the caller then refreshes the tabs.
class CMemberDlg : public QDialog {
    Q_OBJECT
public:
    enum Column { NameColumn, ExplanationColumn };

    explicit CMemberDlg(CSettingsHost& host, QWidget* parent = nullptr);
    void accept() override;

    // True after an OK that changed the document.
    bool Stored() const { return m_stored; }
    CVocabularyTable* MemberTable() const { return m_memberTable; }
    CVocabularyTable* StateTable() const { return m_stateTable; }

private:
    void ShowMembers(const MemberDefinitionList& members);
    // The state table shows the states of the member in `row` (none for -1); those shown before go back to
    // their member's row.
    void ShowStatesOf(int row);
    void KeepShownStates();
    MemberDefinitionList TableMembers();

    CSettingsHost& m_host;
    CVocabularyTable* m_memberTable;
    CVocabularyTable* m_stateTable;
    // The member whose states the state table shows; invalid once its row is deleted.
    QPersistentModelIndex m_shownMember;
    bool m_stored = false;
};
