#include "logic/ui/CheckThreadDialog.h"

#include "logic/InspectionRunner.h"
#include "platform/ui/HeadlessDialogs.h"
#include "texts/StringTable.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QProgressBar* MakeBar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, CCheckThreadDialog::BarRange);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

int BarPosition(double fraction) {
    // A step count past its total shows a full bar.
    return std::clamp(static_cast<int>(fraction * CCheckThreadDialog::BarRange), 0, CCheckThreadDialog::BarRange);
}

} // namespace

CCheckThreadDialog::CCheckThreadDialog(QWidget* parent, const QString& title)
    : QDialog(parent), m_phaseText(new QLabel(this)), m_phaseBar(MakeBar(this)), m_stepBar(MakeBar(this)),
      m_cancel(
          new QPushButton(LoadString(title.isEmpty() ? StringId::CancelButton : StringId::OwnCancelButton), this)) {
    setWindowTitle(title.isEmpty() ? LoadString(StringId::InspectionRunningCaption) : title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    platform::MarkAsProgressDialog(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_phaseText);
    layout->addWidget(m_phaseBar);
    layout->addWidget(m_stepBar);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    setMinimumWidth(360);
    m_stepBar->setTextVisible(true);
    m_stepBar->setFormat(QString());
    connect(m_cancel, &QPushButton::clicked, this, &CCheckThreadDialog::OnCancel);
}

bool CCheckThreadDialog::RunWholeInspection(QWidget* parent, CInspectionRunner& runner, int command,
                                            CInspectionView& pane, const InspectionEnvironment& environment) {
    return Run(parent, runner, QString(), [&] { return runner.Start(command, pane, environment); });
}

bool CCheckThreadDialog::RunJob(QWidget* parent, CInspectionRunner& runner, const QString& title, unsigned phases,
                                std::function<void(CInspectionProgress&)> job) {
    return Run(parent, runner, title, [&] { return runner.StartJob(phases, std::move(job)); });
}

bool CCheckThreadDialog::Run(QWidget* parent, CInspectionRunner& runner, const QString& title,
                             const std::function<bool()>& start) {
    CCheckThreadDialog dialog(parent, title);
    connect(&runner, &CInspectionRunner::MajorProgress, &dialog, &CCheckThreadDialog::SetMajorProgress);
    connect(&runner, &CInspectionRunner::MinorProgress, &dialog, &CCheckThreadDialog::SetMinorProgress);
    connect(&runner, &CInspectionRunner::Finished, &dialog, &QDialog::accept);
    connect(&dialog, &CCheckThreadDialog::CancelRequested, &runner, &CInspectionRunner::RequestAbort);
    if (!start())
        return false;
    dialog.exec();
    return true;
}

void CCheckThreadDialog::SetMajorProgress(double fraction, const QString& text) {
    m_phaseBar->setValue(BarPosition(fraction));
    m_phaseText->setText(text);
}

void CCheckThreadDialog::SetMinorProgress(unsigned current, unsigned total) {
    if (total == 0) {
        m_stepBar->setFormat(QString());
        m_stepBar->setValue(0);
        return;
    }
    m_stepBar->setFormat(QStringLiteral("%1 / %2").arg(current).arg(total));
    m_stepBar->setValue(BarPosition(static_cast<double>(current) / total));
}

void CCheckThreadDialog::OnCancel() {
    emit CancelRequested();
    m_phaseText->setText(LoadString(StringId::InspectionAborting));
    m_cancel->setEnabled(false);
}

void CCheckThreadDialog::reject() {
    OnCancel();
}

void CCheckThreadDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    OnCancel();
}
