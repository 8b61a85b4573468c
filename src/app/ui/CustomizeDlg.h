#pragma once

#include "app/ToolBarLayout.h"

#include <QDialog>

#include <functional>

struct CMessageContext;
class QListWidget;
class QPushButton;

// The toolbar customisation: shows and hides the toolbars, makes and deletes the user's toolbars and puts
// on them the commands found in the menus. Modeless; every change reaches the window and the settings at once.
class CCustomizeDlg : public QDialog {
    Q_OBJECT
public:
    // `layout` is the window's; `changed` applies and stores it after each change.
    CCustomizeDlg(const CMessageContext& context, MainFrameCommand::CToolBarLayout& layout,
                  std::function<void()> changed, QWidget* parent);

    // Shows the layout as it is now.
    void Refresh();

    QListWidget* ToolBars() const { return m_toolBars; }
    QListWidget* Buttons() const { return m_buttons; }
    QListWidget* Categories() const { return m_categories; }
    QListWidget* Commands() const { return m_commands; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }

private:
    // The user's toolbar chosen in the list; null for the program's own or none.
    MainFrameCommand::UserToolBar* ChosenUserToolBar();
    void FillCommands();
    void FillButtons();
    void UpdateButtons();
    void OnToolBarItemChanged(int row);

    const CMessageContext& m_context;
    MainFrameCommand::CToolBarLayout& m_layout;
    std::function<void()> m_changed;
    std::vector<MainFrameCommand::OfferedCommand> m_offered;
    QListWidget* m_toolBars = nullptr;
    QListWidget* m_buttons = nullptr;
    QListWidget* m_categories = nullptr;
    QListWidget* m_commands = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    bool m_bFilling = false;
};
