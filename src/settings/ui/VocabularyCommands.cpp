#include "settings/ui/VocabularyCommands.h"

#include "settings/ui/FuzzwordPage.h"
#include "settings/ui/MemberDlg.h"
#include "settings/ui/QuantifierDialog.h"
#include "settings/ui/SettingsHost.h"

CVocabularyCommands::~CVocabularyCommands() {
    delete m_addMember;
    delete m_addPrefix;
}

void CVocabularyCommands::AddTo(CCommandRegistry& registry) {
    using enum CommandRule;
    const auto add = [&registry, this](int id, void (CVocabularyCommands::*handler)(), CommandRule rule) {
        registry.Add({id, [this, handler](int) { (this->*handler)(); }, rule, id});
    };
    add(CommandRegisterMemberNames, &CVocabularyCommands::OnRegisterMemberNames, DocumentOpen);
    add(CommandPrefixUnregisteredMemberNames, &CVocabularyCommands::OnPrefixUnregisteredMemberNames, DocumentOpen);
    add(CommandRegisterUnregisteredMemberName, &CVocabularyCommands::OnRegisterUnregisteredMemberName, DocumentOpen);
    add(CommandQuantifiers, &CVocabularyCommands::OnQuantifiers, None);
    registry.Add({CommandNameFont, [this](int) { m_host.EditNameFontAtCaret(); }, NameAtCaret, CommandNameFont});
}

void CVocabularyCommands::OnRegisterMemberNames() {
    CMemberDlg dialog(m_settings);
    if (dialog.exec() == QDialog::Accepted && dialog.Stored())
        m_host.RefreshAllTabViews();
}

void CVocabularyCommands::OnPrefixUnregisteredMemberNames() {
    if (!m_addPrefix) {
        CVocabularyCommandHost& host = m_host;
        m_addPrefix = new CAddPrefixDlg(
            m_settings.MessageContext(), [&host](const QString& prefix) { host.PrefixUnregisteredMemberNames(prefix); },
            m_settings.DialogParent());
    }
    m_addPrefix->SetText(m_host.ActiveFunctionName());
    m_host.ShowVocabularyDialog(*m_addPrefix);
}

void CVocabularyCommands::OnRegisterUnregisteredMemberName() {
    if (!m_addMember) {
        CVocabularyCommandHost& host = m_host;
        m_addMember = new CAddMemberDlg(
            m_settings.MessageContext(), [&host](const QString& name) { host.RegisterMemberNames(name); },
            m_settings.DialogParent());
    }
    m_addMember->SetText(m_host.SelectedTextForSearch());
    m_host.ShowVocabularyDialog(*m_addMember);
}

void CVocabularyCommands::OnQuantifiers() {
    CQuantifierDialog dialog(m_settings);
    if (dialog.exec() == QDialog::Accepted && dialog.Stored())
        m_host.RefreshAllTabViews();
}

bool CVocabularyCommands::EditObscureWordSettings() {
    return CFuzzwordPage(m_settings).exec() == QDialog::Accepted;
}
