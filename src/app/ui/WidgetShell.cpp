#include "app/ui/WidgetShell.h"

#include "app/NUVApp.h"
#include "app/StandardErrorProgress.h"
#include "app/ui/MainFrame.h"
#include "interchange/ui/ImportProgressDlg.h"
#include "platform/ui/InstanceChannel.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <unistd.h>

namespace {

const QString kDocumentFilter = QStringLiteral("*.nuv");

} // namespace

CWidgetShell::CWidgetShell(bool headless, const QString& runtimeDirectory)
    : m_bHeadless(headless), m_channel(std::make_unique<platform::InstanceChannel>(runtimeDirectory)) {}

CWidgetShell::~CWidgetShell() = default;

bool CWidgetShell::CreateMainWindow(CNUVApp& app) {
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
    if (!m_mainFrame || std::exchange(m_bClosePosted, true))
        return;
    QTimer::singleShot(0, m_mainFrame.get(), [this] {
        m_bClosePosted = false;
        m_mainFrame->close();
    });
}

void CWidgetShell::PostCloseToInstance(quint32 processId) {
    m_channel->SendClose(processId);
}

void CWidgetShell::ActivateInstance(quint32 processId) {
    m_channel->SendActivate(processId);
}

std::unique_ptr<CImportProgress> CWidgetShell::CreateImportProgress() {
    if (m_bHeadless)
        return std::make_unique<CStandardErrorProgress>();
    return std::make_unique<CImportProgressDlg>(m_mainFrame.get());
}

void CWidgetShell::SetWaitCursor(bool wait) {
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QString CWidgetShell::PromptSaveFileName(const QString& proposedName, bool copy) {
    return QFileDialog::getSaveFileName(m_mainFrame.get(), copy ? QStringLiteral("Save Copy As") : QString(),
                                        proposedName, kDocumentFilter);
}

QString CWidgetShell::PromptOpenFileName(const QString& title) {
    return QFileDialog::getOpenFileName(m_mainFrame.get(), title, QString(), kDocumentFilter);
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

void CWidgetShell::DestroyMainWindow() {
    m_mainFrame.reset();
}

void CWidgetShell::ShowMainWindow() {
    if (m_mainFrame)
        m_mainFrame->show();
}
