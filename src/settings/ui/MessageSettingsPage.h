#pragma once

#include "platform/ui/PropertySheet.h"
#include "settings/MessageSettingsEditor.h"

class CSettingsHost;
class QLineEdit;
class QTreeWidget;

// The Messages page: every word of the wording table with its three texts, edited on a copy that OK stores for
// the next start; the defaults, and the messages file in and out.
class CMessageSettingsPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CMessageSettingsPage(CSettingsHost& host, QWidget* parent = nullptr);

    bool Validate() override;
    void Apply() override;

    const CMessageSettingsEditor& Editor() const { return m_editor; }

protected:
    // The file the user picks, starting from `initial`; empty when cancelled.
    virtual QString PromptPath(bool forExport, const QString& initial);

private:
    void FillList();
    void ShowSelectedEntry();
    // The list's row shows the three texts the editor holds for it.
    void ShowRowTexts(int row);
    void AbstractOnChange();
    void OnDefault();
    void OnAllDefault();
    void OnImport();
    void OnExport();
    int SelectedRow() const;

    CMessageSettingsEditor m_editor;
    QTreeWidget* m_list;
    QLineEdit* m_japanese;
    QLineEdit* m_singular;
    QLineEdit* m_plural;
};
