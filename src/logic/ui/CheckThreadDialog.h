#pragma once

#include "logic/InspectionProgressSink.h"

#include <QDialog>

#include <functional>

class CInspectionProgress;
class CInspectionRunner;
class CInspectionView;
class QLabel;
class QProgressBar;
class QPushButton;
struct InspectionEnvironment;

// The modal dialog shown while a whole-document inspection, or another job on its worker, runs: the phase with its
// text and bar, the step count drawn in its own bar (one value, so the count and the bar always agree), and Cancel,
// which asks the run to stop. The runner hands it the worker's latest progress a few times a second.
class CCheckThreadDialog : public QDialog, public CInspectionProgressSink {
    Q_OBJECT
public:
    static constexpr int BarRange = 1000;

    // Titled "検査の実行中です", in the inspection's texts, unless another title is given: the dialog then shows a job of
    // this program's own, its Cancel in the interface's language as its other texts are.
    explicit CCheckThreadDialog(QWidget* parent = nullptr, const QString& title = QString());

    // The whole inspection of the command as the menu command runs it: starts the run, shows the dialog
    // until the run has ended, and returns false when the runner refused to start.
    static bool RunWholeInspection(QWidget* parent, CInspectionRunner& runner, int command, CInspectionView& pane,
                                   const InspectionEnvironment& environment);
    // Another job as the runner runs it (CInspectionRunner::StartJob), the dialog titled `title` shown until the job
    // has ended; false when the runner refused to start.
    static bool RunJob(QWidget* parent, CInspectionRunner& runner, const QString& title, unsigned phases,
                       std::function<void(CInspectionProgress&)> job);

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
    // Shows the dialog from `start`, which starts the runner, until the run has ended; false when it did not start.
    static bool Run(QWidget* parent, CInspectionRunner& runner, const QString& title,
                    const std::function<bool()>& start);

    QLabel* m_phaseText;
    QProgressBar* m_phaseBar;
    QProgressBar* m_stepBar;
    QPushButton* m_cancel;
};
