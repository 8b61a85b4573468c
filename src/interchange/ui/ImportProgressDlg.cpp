#include "interchange/ui/ImportProgressDlg.h"

#include "platform/TerminationRequests.h"
#include "texts/StringTable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Events are served about sixty times a second; serving them on every node would slow a large import.
constexpr qint64 kPumpIntervalMs = 16;
// How often the end of the import looks for a request to end the process while it waits for OK.
constexpr int kRequestCheckIntervalMs = 50;

} // namespace

CImportProgressDlg::CImportProgressDlg(QWidget* parent)
    : QDialog(parent), m_progress(new QProgressBar(this)),
      m_button(new QPushButton(LoadString(StringId::CancelButton), this)),
      m_requestsAtStart(platform::TerminationRequests::Count()) {
    setWindowTitle(LoadString(StringId::ProgressCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    connect(m_button, &QPushButton::clicked, this, [this] { m_bCancelled = true; });
    resize(360, 100);
    show();
    QApplication::processEvents();
    m_sincePumped.start();
}

void CImportProgressDlg::SetRange(int total) {
    m_progress->setRange(0, total);
}

void CImportProgressDlg::SetPos(int position) {
    m_progress->setValue(position);
    if (m_sincePumped.elapsed() >= kPumpIntervalMs) {
        QApplication::processEvents();
        m_sincePumped.start();
    }
}

bool CImportProgressDlg::IsCancelled() const {
    return m_bCancelled || platform::TerminationRequests::Count() != m_requestsAtStart;
}

void CImportProgressDlg::ShowFinished() {
    setWindowTitle(LoadString(StringId::MapConversionFinished));
    m_button->setText(LoadString(StringId::OkButton));
    m_bCancelled = false;
    // A request to end the process, noted before the window showed or while it waits, is answered as OK is.
    if (platform::TerminationRequests::Count() != m_requestsAtStart)
        return;
    QEventLoop loop;
    connect(m_button, &QPushButton::clicked, &loop, &QEventLoop::quit);
    connect(this, &QDialog::rejected, &loop, &QEventLoop::quit);
    QTimer requests;
    connect(&requests, &QTimer::timeout, &loop, [this, &loop] {
        if (platform::TerminationRequests::Count() != m_requestsAtStart)
            loop.quit();
    });
    requests.start(kRequestCheckIntervalMs);
    loop.exec();
}

void CImportProgressDlg::closeEvent(QCloseEvent* event) {
    m_bCancelled = true;
    event->ignore();
    emit rejected();
}

void CImportProgressDlg::reject() {
    // Escape acts as the button; the dialog stays until its owner ends it.
    m_bCancelled = true;
    emit rejected();
}
