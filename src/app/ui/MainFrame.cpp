#include "app/ui/MainFrame.h"

#include "app/NUVApp.h"
#include "texts/StringTable.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace {

const QString kApplicationTitle = LoadString(StringId::ApplicationTitle);

} // namespace

CMainFrame::CMainFrame() {
    setMinimumSize(300, 300);
    setAcceptDrops(true);
    OnUpdateFrameTitle(QString());
}

void CMainFrame::OnUpdateFrameTitle(const QString& documentName) {
    setWindowTitle(documentName.isEmpty() ? kApplicationTitle
                                          : kApplicationTitle + QStringLiteral(" - ") + documentName);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    CNUVApp* app = CNUVApp::Instance();
    // Closing the main window ends the process.
    if (app && !app->CloseDocument(true)) {
        event->ignore();
        return;
    }
    event->accept();
    // A hidden window does not end the event loop by closing; the converter never shows its window.
    QCoreApplication::quit();
}
