#include "app/ui/MainFrame.h"

#include "app/NUVApp.h"
#include "texts/StringTable.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace {

const QString kApplicationTitle = LoadString(StringId::ApplicationTitle);

} // namespace

CMainFrame::CMainFrame(CNUVApp& app) : m_app(app) {
    setMinimumSize(300, 300);
    setAcceptDrops(true);
    OnUpdateFrameTitle(QString());
}

void CMainFrame::OnUpdateFrameTitle(const QString& documentName) {
    setWindowTitle(documentName.isEmpty() ? kApplicationTitle
                                          : kApplicationTitle + QStringLiteral(" - ") + documentName);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the process.
    if (!m_app.CloseDocument(true)) {
        event->ignore();
        return;
    }
    event->accept();
    // A hidden window does not end the event loop by closing; the converter never shows its window.
    QCoreApplication::quit();
}
