#include "logic/ui/CheckThreadDialog.h"

#include "logic/InspectionProgress.h"
#include "logic/InspectionRunner.h"
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

void SetBar(QProgressBar* bar, QLabel* label, double fraction, const QString& text) {
    bar->setRange(0, CCheckThreadDialog::BarRange);
    // A step count past its total shows a full bar.
    bar->setValue(
        std::clamp(static_cast<int>(fraction * CCheckThreadDialog::BarRange), 0, CCheckThreadDialog::BarRange));
    label->setText(text);
}

} // namespace

CCheckThreadDialog::CCheckThreadDialog(QWidget* parent)
    : QDialog(parent), m_phaseText(new QLabel(this)), m_stepText(new QLabel(this)), m_phaseBar(MakeBar(this)),
      m_stepBar(MakeBar(this)), m_cancel(new QPushButton(LoadString(StringId::CancelButton), this)) {
    setWindowTitle(LoadString(StringId::InspectionRunningCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_phaseText);
    layout->addWidget(m_phaseBar);
    layout->addWidget(m_stepText);
    layout->addWidget(m_stepBar);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    setMinimumWidth(360);
    connect(m_cancel, &QPushButton::clicked, this, &CCheckThreadDialog::OnCancel);
}

bool CCheckThreadDialog::RunWholeInspection(QWidget* parent, CInspectionRunner& runner, int command,
                                            CInspectionView& pane, const InspectionEnvironment& environment) {
    CCheckThreadDialog dialog(parent);
    connect(&runner, &CInspectionRunner::MajorProgress, &dialog, &CCheckThreadDialog::SetMajorProgress,
            Qt::QueuedConnection);
    connect(&runner, &CInspectionRunner::MinorProgress, &dialog, &CCheckThreadDialog::SetMinorProgress,
            Qt::QueuedConnection);
    connect(&runner, &CInspectionRunner::Finished, &dialog, &QDialog::accept, Qt::QueuedConnection);
    if (!runner.Start(command, pane, environment))
        return false;
    dialog.exec();
    return true;
}

void CCheckThreadDialog::SetMajorProgress(double fraction, const QString& text) {
    SetBar(m_phaseBar, m_phaseText, fraction, text);
}

void CCheckThreadDialog::SetMinorProgress(double fraction, const QString& text) {
    SetBar(m_stepBar, m_stepText, fraction, text);
}

void CCheckThreadDialog::OnCancel() {
    RequestInspectionAbort();
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
