#pragma once

#include "platform/CommandRegistry.h"
#include "settings/ui/AddMemberDlg.h"
#include "settings/ui/AddPrefixDlg.h"

#include <QPointer>
#include <QString>

class CSettingsHost;
class QDialog;

// The ids of the vocabulary commands in the main window's menus.
enum VocabularyCommandId {
    CommandRegisterMemberNames = 32792,
    CommandPrefixUnregisteredMemberNames = 32961,
    CommandRegisterUnregisteredMemberName = 32985,
    CommandQuantifiers = 33071,
    CommandNameFont = 32803,
};

// What the vocabulary commands need of the window beyond what the settings dialogs need.
class CVocabularyCommandHost {
public:
    // Every tab shows the document anew.
    virtual void RefreshAllTabViews() = 0;
    // The name of the active tab's unit function; empty without a tab.
    virtual QString ActiveFunctionName() const = 0;
    // The selected text of the active tab; empty for none.
    virtual QString SelectedTextForSearch() const = 0;
    // Registers the member name and the states it is used with, on the window's worker.
    virtual void RegisterMemberNames(const QString& memberName) = 0;
    // Puts the prefix before the unregistered member names of the active tab's unit function.
    virtual void PrefixUnregisteredMemberNames(const QString& prefix) = 0;
    // The font dialog on the member or state name, or the lines, the active tab's logic editor has at its caret.
    virtual void EditNameFontAtCaret() = 0;
    // Shows a modeless dialog centred over the window, the window's other modeless dialogs hidden.
    virtual void ShowModelessDialog(QDialog& dialog) = 0;

protected:
    ~CVocabularyCommandHost() = default;
};

// The rows of the member and state names, member registration, member prefix, quantifier and name font commands,
// with the two modeless dialogs they keep for the window's life, made hidden on first use.
class CVocabularyCommands {
public:
    CVocabularyCommands(CSettingsHost& settings, CVocabularyCommandHost& host) : m_settings(settings), m_host(host) {}
    ~CVocabularyCommands();
    CVocabularyCommands(const CVocabularyCommands&) = delete;
    CVocabularyCommands& operator=(const CVocabularyCommands&) = delete;

    void AddTo(CCommandRegistry& registry);

    void OnRegisterMemberNames();
    void OnPrefixUnregisteredMemberNames();
    void OnRegisterUnregisteredMemberName();
    void OnQuantifiers();
    // The obscure-word dialog before the search; true when it closed with OK.
    bool EditObscureWordSettings();

    CAddMemberDlg* AddMemberDialog() const { return m_addMember; }
    CAddPrefixDlg* AddPrefixDialog() const { return m_addPrefix; }

private:
    // The member and state names or the quantifier dialog; after a stored change the tabs show the document anew.
    template <typename Dialog> void RunListDialog();
    // Makes the modeless dialog on first use, then shows it with the text.
    template <typename Dialog>
    void ShowRequestDialog(QPointer<Dialog>& dialog, CVocabularyRequestDlg::Request request, const QString& text);

    CSettingsHost& m_settings;
    CVocabularyCommandHost& m_host;
    QPointer<CAddMemberDlg> m_addMember;
    QPointer<CAddPrefixDlg> m_addPrefix;
};
