#pragma once

#include "app/WindowManager.h"

#include <QDialog>

struct CMessageContext;
class QListWidget;
class QPushButton;

// The dialog of the open tab windows: the list of tabs with Activate, Save and Close.
class CWindowsDlg : public QDialog {
    Q_OBJECT
public:
    CWindowsDlg(const CMessageContext& context, CWindowManager& manager, QWidget* parent);

    QListWidget* List() const { return m_list; }
    QPushButton* ActivateButton() const { return m_activate; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* CloseWindowsButton() const { return m_close; }

private:
    void FillList();
    void UpdateButtons();
    std::vector<int> SelectedPositions() const;

    CWindowManager& m_manager;
    QListWidget* m_list = nullptr;
    QPushButton* m_activate = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
};
