#include "app/ui/WidgetShell.h"

#include "app/NUVApp.h"
#include "app/SavingRules.h"
#include "app/StandardErrorProgress.h"
#include "app/ui/DocumentFileDialog.h"
#include "app/ui/FileVersion.h"
#include "app/ui/MainFrame.h"
#include "app/ui/NewTypeDlg.h"
#include "interchange/ui/ImportProgressDlg.h"
#include "platform/TerminationRequests.h"
#include "platform/ui/InstanceChannel.h"
#include "settings/ui/FontDlg.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "views/ui/FunctionPromptDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QThread>
#include <QTimer>

#include <unistd.h>

namespace {

// How often a posted close looks again whether the dialogs it ended have returned.
constexpr int kDialogEndInterval = 20; // ms

// Ends the menus, dialogs and messages open in front, the last opened first, as Escape or Cancel would; one that
// refuses stays. True when one was open.
bool EndOpenDialogs() {
    bool open = false;
    QPointer<QWidget> refused;
    for (;;) {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (!shown || shown == refused)
            return open;
        open = true;
        refused = shown;
        // A message box takes its escape button; a box without one is rejected as a dialog.
        if (!shown->close())
            if (auto* dialog = qobject_cast<QDialog*>(shown))
                dialog->reject();
    }
}

} // namespace

CWidgetShell::CWidgetShell(bool headless, const QString& runtimeDirectory)
    : m_bHeadless(headless), m_windowLoopLevel(QThread::currentThread()->loopLevel() + 1),
      m_channel(std::make_unique<platform::InstanceChannel>(runtimeDirectory)) {}

CWidgetShell::~CWidgetShell() = default;

bool CWidgetShell::CreateMainWindow(CNUVApp& app) {
    m_pApp = &app;
    m_mainFrame = std::make_unique<CMainFrame>(app);
    m_bListening = m_channel->Listen();
    QObject::connect(m_channel.get(), &platform::InstanceChannel::CloseRequested, m_mainFrame.get(),
                     [&app] { app.OnCloseRequested(); });
    QObject::connect(m_channel.get(), &platform::InstanceChannel::ActivateRequested, m_mainFrame.get(),
                     [this] { m_mainFrame->Activate(); });
    return true;
}

quint32 CWidgetShell::MainWindowHandle() const {
    // Other instances reach the window through our socket, which is named after our process id.
    return m_mainFrame && m_bListening ? static_cast<quint32>(getpid()) : 0;
}

void CWidgetShell::UpdateFrameTitle(const QString& documentName) {
    if (m_mainFrame)
        m_mainFrame->OnUpdateFrameTitle(documentName);
}

void CWidgetShell::DocumentReplaced() {
    if (m_mainFrame)
        m_mainFrame->InspectionPane().ClearMessages();
}

void CWidgetShell::PostCloseToMainWindow() {
    // The posted close ends the dialogs from here on, and leaves its own question open.
    m_bCloseWaits = false;
    if (!m_mainFrame || std::exchange(m_bClosePosted, true))
        return;
    QTimer::singleShot(0, m_mainFrame.get(), [this] { CloseOnceNoDialogRuns(); });
}

void CWidgetShell::EndDialogsUntilClose() {
    if (!m_mainFrame || std::exchange(m_bCloseWaits, true))
        return;
    QTimer::singleShot(0, m_mainFrame.get(), [this] { EndDialogsWhileCloseWaits(); });
}

void CWidgetShell::EndDialogsWhileCloseWaits() {
    if (!m_bCloseWaits)
        return;
    EndOpenDialogs();
    QTimer::singleShot(kDialogEndInterval, m_mainFrame.get(), [this] { EndDialogsWhileCloseWaits(); });
}

void CWidgetShell::CloseOnceNoDialogRuns() {
    // A dialog, message or menu open over the window is ended as Cancel would end it; the close waits until its event
    // loop has returned to the code that opened it, so that nothing it still uses is let go under it.
    if (EndOpenDialogs() || QThread::currentThread()->loopLevel() > m_windowLoopLevel) {
        QTimer::singleShot(kDialogEndInterval, m_mainFrame.get(), [this] { CloseOnceNoDialogRuns(); });
        return;
    }
    m_bClosePosted = false;
    // Kept when a close from outside ended the close's own question: that close is posted again and asks again, and
    // a second request to end the process meanwhile ends it.
    if (!m_mainFrame->close() && !m_bClosePosted)
        platform::TerminationRequests::Declined();
}

void CWidgetShell::CloseMainWindow() {
    if (m_mainFrame)
        m_mainFrame->close();
}

void CWidgetShell::PostCloseToInstance(quint32 processId) {
    if (m_channel)
        m_channel->SendClose(processId);
}

void CWidgetShell::ActivateInstance(quint32 processId) {
    if (m_channel)
        m_channel->SendActivate(processId);
}

std::unique_ptr<CImportProgress> CWidgetShell::CreateImportProgress() {
    if (m_bHeadless)
        return std::make_unique<CStandardErrorProgress>();
    return std::make_unique<CImportProgressDlg>(m_mainFrame.get());
}

QStringList CWidgetShell::InstalledFontFaces() const {
    return EnumerateFonts();
}

void CWidgetShell::SetWaitCursor(bool wait) {
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QString CWidgetShell::PromptSaveFileName(const QString& proposedName, bool copy) {
    return CDocumentFileDialog(m_mainFrame.get(), QFileDialog::AcceptSave,
                               copy ? QStringLiteral("Save Copy As") : QString(), proposedName)
        .Ask();
}

QString CWidgetShell::PromptOpenFileName(const QString& title, const QString& startPath) {
    return CDocumentFileDialog(m_mainFrame.get(), QFileDialog::AcceptOpen, title, startPath).Ask();
}

std::optional<VersionHistoryEntry> CWidgetShell::AskVersionEntry(int major, int minor) {
    const VersionHistoryEntry proposal = MakeVersionEntry({major, minor}, QDateTime::currentDateTime());
    // Without a display every question takes its default answer; the dialog's is OK with what it proposes.
    if (m_bHeadless || !m_pApp)
        return proposal;
    CFileVersion dialog(m_pApp->MessageContext(), proposal, m_mainFrame.get());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Entry();
}

QString CWidgetShell::PromptExportFileName(const QString& proposedName, const QString& filter,
                                           const QString& extension) {
    QFileDialog dialog(m_mainFrame.get(), QString(), proposedName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

int CWidgetShell::ChooseDocTemplate(const QStringList& names) {
    // Without a display nobody can choose.
    if (m_bHeadless)
        return -1;
    const QString title = m_pApp ? Msg::Text(m_pApp->MessageContext(), Msg::Id::New) : QString();
    CNewTypeDlg dialog(title, names, m_mainFrame.get());
    return dialog.exec() == QDialog::Accepted ? dialog.SelectedTemplate() : -1;
}

QString CWidgetShell::PromptMapFileName() {
    return QFileDialog::getOpenFileName(m_mainFrame.get(), QString(), QString(), LoadString(StringId::MapFileFilter),
                                        nullptr, QFileDialog::DontUseNativeDialog);
}

void CWidgetShell::SetAutoSaveTimer(int milliseconds) {
    if (m_mainFrame)
        m_mainFrame->SetAutoSaveTimer(milliseconds);
}

void CWidgetShell::SetReadOnlyWatchTimer(int milliseconds) {
    if (m_mainFrame)
        m_mainFrame->SetReadOnlyWatchTimer(milliseconds);
}

void CWidgetShell::ReleaseKeyboardFocus() {
    m_focusBeforeRelease = QApplication::focusWidget();
    if (m_focusBeforeRelease)
        m_focusBeforeRelease->clearFocus();
}

void CWidgetShell::RestoreKeyboardFocus() {
    if (m_focusBeforeRelease)
        m_focusBeforeRelease->setFocus();
}

void CWidgetShell::CommitPendingEdits(bool closing) {
    if (m_mainFrame)
        m_mainFrame->CommitTabEdits(closing);
}

bool CWidgetShell::HasPendingEdits() const {
    return m_mainFrame && m_mainFrame->HasPendingTabEdits();
}

void CWidgetShell::RestoreZoom(int zoom) {
    if (m_mainFrame)
        m_mainFrame->RestoreZoom(zoom);
}

bool CWidgetShell::PromptFunctionName(QString& name, bool isolated) {
    // Without a display nobody can answer: the prompt is cancelled.
    if (!m_pApp || m_bHeadless)
        return false;
    CFunctionNameprompt prompt(m_pApp->Document().DocumentData(), isolated, name, m_mainFrame.get());
    if (prompt.exec() != QDialog::Accepted)
        return false;
    name = prompt.Name();
    return true;
}

void CWidgetShell::RelayoutOpenTabs() {
    if (m_mainFrame)
        static_cast<CSettingsHost&>(*m_mainFrame).RelayoutOpenTabs();
}

void CWidgetShell::ApplyResultsTextFormat() {
    if (m_mainFrame)
        m_mainFrame->ApplyResultsTextFormat();
}

void CWidgetShell::StoreIndexViewState(IndexViewInfo& info) {
    if (m_mainFrame)
        m_mainFrame->StoreIndexViewState(info);
}

void CWidgetShell::RestoreIndexViewState(const IndexViewInfo& info) {
    if (m_mainFrame)
        m_mainFrame->RestoreIndexViewState(info);
}

void CWidgetShell::SelectTreeItem(CAbstractIndexItem& item) {
    if (m_mainFrame)
        m_mainFrame->SelectTreeItem(item);
}

void CWidgetShell::EnsureTreeItemVisible(CAbstractIndexItem& item) {
    if (m_mainFrame)
        m_mainFrame->EnsureTreeItemVisible(item);
}

void CWidgetShell::RunMoveDialog(CAbstractIndexItem& item) {
    if (!m_pApp || m_bHeadless)
        return;
    CFunctionMoveWindow prompt(m_pApp->Document().DocumentData(), item, m_mainFrame.get());
    prompt.exec();
}

void CWidgetShell::DestroyMainWindow() {
    m_mainFrame.reset();
}

void CWidgetShell::StopListening() {
    m_bListening = false;
    m_channel.reset();
}

void CWidgetShell::ShowMainWindow() {
    if (m_mainFrame)
        m_mainFrame->show();
}
