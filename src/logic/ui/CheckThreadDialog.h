#pragma once

#include "logic/InspectionProgressSink.h"

#include <QDialog>

class CInspectionRunner;
class CInspectionView;
class QLabel;
class QProgressBar;
class QPushButton;
struct InspectionEnvironment;

// The modal dialog shown while a whole-document inspection runs: the phase with its text and bar, the step
// count drawn in its own bar (one value, so the count and the bar always agree), and Cancel, which asks the
// run to stop. The runner hands it the worker's latest progress a few times a second.
class CCheckThreadDialog : public QDialog, public CInspectionProgressSink {
    Q_OBJECT
public:
    static constexpr int BarRange = 1000;

    explicit CCheckThreadDialog(QWidget* parent = nullptr);

    // The whole inspection of the command as the menu command runs it: starts the run, shows the dialog
    // until the run has ended, and returns false when the runner refused to start.
    static bool RunWholeInspection(QWidget* parent, CInspectionRunner& runner, int command, CInspectionView& pane,
                                   const InspectionEnvironment& environment);

    void SetMajorProgress(double fraction, const QString& text) override;
    void SetMinorProgress(unsigned current, unsigned total) override;
    void OnCancel();

signals:
    // Cancel was pressed: the run shown is to stop.
    void CancelRequested();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_phaseText;
    QProgressBar* m_phaseBar;
    QProgressBar* m_stepBar;
    QPushButton* m_cancel;
};
