#include "search/ui/SearchCommands.h"

#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "search/FindResultSet.h"
#include "search/LineMarkSearch.h"
#include "search/ReplaceAll.h"
#include "search/SearchCommand.h"
#include "search/ui/SearchDialogs.h"
#include "search/ui/VeskDialogs.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QLineEdit>
#include <QMetaObject>

#include <memory>

namespace {

// The pane is filled on its own thread from the lines the worker made.
void PostToPane(CInspectionView& pane, std::shared_ptr<const CResultPaneReport> report) {
    QMetaObject::invokeMethod(
        &pane, [&pane, report] { report->WriteTo(pane); }, Qt::QueuedConnection);
}

} // namespace

CSearchCommands::~CSearchCommands() {
    delete m_searchDialog;
    delete m_replaceDialog;
}

void CSearchCommands::AddTo(CCommandRegistry& registry) {
    using enum CommandRule;
    const auto add = [&registry](int id, void (CSearchCommands::*handler)(), CSearchCommands* self, CommandRule rule,
                                 const char* shortcut = "") {
        registry.Add({id, [self, handler](int) { (self->*handler)(); }, rule, id, shortcut, CommandIcon::None});
    };
    add(CommandAdvancedSearch, &CSearchCommands::OnAdvancedSearch, this, DocumentOpen, "Ctrl+F");
    add(CommandReplaceAll, &CSearchCommands::OnReplaceAll, this, DocumentOpen, "Ctrl+R");
    add(CommandDetectSimilarWords, &CSearchCommands::OnDetectSimilarWords, this, DocumentOpen);
    add(CommandDetectObscureWords, &CSearchCommands::OnDetectObscureWords, this, DocumentOpen);
    add(CommandVeskSearch, &CSearchCommands::OnVeskSearch, this, None);
    add(CommandVeskSettings, &CSearchCommands::OnVeskSettings, this, None);
}

void CSearchCommands::OnAdvancedSearch() {
    if (!m_searchDialog) {
        CSearchCommandHost& host = m_host;
        m_searchDialog = new CAdvancedSearchDlg(
            host.MessageContext(),
            [&host](const SearchRequest& request) {
                const CUnitFunction* current = host.ActiveFunction();
                host.ShowInspectionPane();
                host.StartSearchWorker(
                    [&host, request, current] {
                        CFindResultSet run(host.SearchedDocument(), host.MessageContext());
                        PostToPane(host.InspectionPane(),
                                   std::make_shared<const CResultPaneReport>(run.SearchAll(request, current)));
                        return false;
                    },
                    false);
            },
            m_host.DialogParent());
    }
    if (const QString text = m_host.SelectedTextForSearch(); !text.isEmpty())
        m_searchDialog->SetFindText(text);
    m_host.ShowModelessDialog(*m_searchDialog);
    m_searchDialog->FindBox()->setFocus();
    m_searchDialog->FindBox()->selectAll();
}

void CSearchCommands::OnReplaceAll() {
    if (!m_replaceDialog) {
        CSearchCommandHost& host = m_host;
        m_replaceDialog = new CAllReplaceDlg(
            host.MessageContext(),
            [&host](const ReplaceRequest& request) {
                const CUnitFunction* current = host.ActiveFunction();
                host.ShowInspectionPane();
                host.StartSearchWorker(
                    [&host, request, current] {
                        auto result =
                            std::make_shared<ReplaceResult>(ReplaceAll(host.SearchedDocument(), request, current));
                        CInspectionView& pane = host.InspectionPane();
                        QMetaObject::invokeMethod(
                            &pane,
                            [&pane, result] {
                                result->report.WriteTo(pane);
                                if (!result->duplicateName.isEmpty())
                                    platform::ShowMessageBox(LoadString(StringId::ReplaceMadeDuplicateName)
                                                                 .arg(ShownText(result->duplicateName)),
                                                             platform::MessageButtons::Ok,
                                                             platform::MessageIcon::Information);
                            },
                            Qt::QueuedConnection);
                        return result->replacedCount > 0;
                    },
                    true);
            },
            m_host.DialogParent());
    }
    if (const QString text = m_host.SelectedTextForSearch(); !text.isEmpty())
        m_replaceDialog->SetFindText(text);
    m_host.ShowModelessDialog(*m_replaceDialog);
    m_replaceDialog->FindBox()->setFocus();
    m_replaceDialog->FindBox()->selectAll();
}

void CSearchCommands::OnDetectSimilarWords() {
    CSimilarDlg dialog(m_host.MessageContext(), m_host.SearchedDocument().similarWords, m_host.DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    CSearchCommandHost& host = m_host;
    host.ShowInspectionPane();
    host.StartSearchWorker(
        [&host] {
            CFindResultSet run(host.SearchedDocument(), host.MessageContext());
            PostToPane(host.InspectionPane(), std::make_shared<const CResultPaneReport>(run.FindSimilarWords()));
            return false;
        },
        false);
}

void CSearchCommands::OnDetectObscureWords() {
    if (!m_host.EditObscureWordSettings())
        return;
    CSearchCommandHost& host = m_host;
    host.ShowInspectionPane();
    host.StartSearchWorker(
        [&host] {
            const CDocumentData& data = host.SearchedDocument();
            CFindResultSet run(data, host.MessageContext());
            PostToPane(host.InspectionPane(), std::make_shared<const CResultPaneReport>(run.FindFuzzyWords(
                                                  data.fuzzwords.ckFunction != 0, data.fuzzwords.ckLogic != 0)));
            return false;
        },
        false);
}

void CSearchCommands::OnVeskSearch() {
    CVeskSearchDlg dialog(m_host.MessageContext(), m_host.SearchedDocument().lineMarkTable, m_host.DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_host.ShowInspectionPane();
    VeskSearchLineMarks(m_host.SearchedDocument(), dialog.RequestValue()).WriteTo(m_host.InspectionPane());
}

void CSearchCommands::OnVeskSettings() {
    CVeskSettingDlg dialog(m_host.MessageContext(), m_host.SearchedDocument().lineMarkTable, m_host.DialogParent());
    if (dialog.exec() == QDialog::Accepted && dialog.Changed())
        m_host.LineMarkSettingsChanged();
}
