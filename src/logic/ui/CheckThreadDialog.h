#pragma once

#include "logic/InspectionProgressSink.h"

#include <QDialog>

class CInspectionRunner;
class CInspectionView;
class QLabel;
class QProgressBar;
class QPushButton;
struct InspectionEnvironment;

// The modal dialog shown while a whole-document inspection runs: the phase and its steps, each a text and a
// bar, and Cancel, which asks the run to stop. The run's progress reaches it queued from the worker.
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
    void SetMinorProgress(double fraction, const QString& text) override;
    void OnCancel();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_phaseText;
    QLabel* m_stepText;
    QProgressBar* m_phaseBar;
    QProgressBar* m_stepBar;
    QPushButton* m_cancel;
};
