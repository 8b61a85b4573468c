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
    RunListDialog<CMemberDlg>();
}

void CVocabularyCommands::OnPrefixUnregisteredMemberNames() {
    CVocabularyCommandHost& host = m_host;
    ShowRequestDialog(
        m_addPrefix, [&host](const QString& prefix) { host.PrefixUnregisteredMemberNames(prefix); },
        m_host.ActiveFunctionName());
}

void CVocabularyCommands::OnRegisterUnregisteredMemberName() {
    CVocabularyCommandHost& host = m_host;
    ShowRequestDialog(
        m_addMember, [&host](const QString& name) { host.RegisterMemberNames(name); }, m_host.SelectedTextForSearch());
}

void CVocabularyCommands::OnQuantifiers() {
    RunListDialog<CQuantifierDialog>();
}

template <typename Dialog> void CVocabularyCommands::RunListDialog() {
    Dialog dialog(m_settings);
    if (dialog.exec() == QDialog::Accepted && dialog.Stored())
        m_host.RefreshAllTabViews();
}

template <typename Dialog>
void CVocabularyCommands::ShowRequestDialog(QPointer<Dialog>& dialog, CVocabularyRequestDlg::Request request,
                                            const QString& text) {
    if (!dialog)
        dialog = new Dialog(m_settings.MessageContext(), std::move(request), m_settings.DialogParent());
    dialog->SetText(text);
    m_host.ShowModelessDialog(*dialog);
}

bool CVocabularyCommands::EditObscureWordSettings() {
    return CFuzzwordPage(m_settings).exec() == QDialog::Accepted;
}
