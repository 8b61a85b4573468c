#pragma once

#include "interchange/ImportProgress.h"

#include <QDialog>
#include <QElapsedTimer>

class QProgressBar;
class QPushButton;

// The modeless progress dialog of an import: a bar and one button. The button (or closing the dialog, or a
// request to end the process noted meanwhile) only raises the cancel flag; the import reads it and stops. When the
// import is over the button becomes "OK" and the dialog waits for it, or for a request to end the process.
class CImportProgressDlg : public QDialog, public CImportProgress {
    Q_OBJECT
public:
    explicit CImportProgressDlg(QWidget* parent = nullptr);

    void SetRange(int total) override;
    void SetPos(int position) override;
    bool IsCancelled() const override;
    void ShowFinished() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QProgressBar* m_progress;
    QPushButton* m_button;
    QElapsedTimer m_sincePumped;
    bool m_bCancelled = false;
    const int m_requestsAtStart;
};
