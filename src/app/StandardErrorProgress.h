#pragma once

#include "interchange/ImportProgress.h"

#include <QElapsedTimer>

// Progress without a display: "進行状況 n/total" on standard error at the start, about once a second
// while the import runs and at the end. A request to end the process (Ctrl+C, a termination signal) noted while
// it lives asks to stop.
class CStandardErrorProgress : public CImportProgress {
public:
    CStandardErrorProgress();
    CStandardErrorProgress(const CStandardErrorProgress&) = delete;
    CStandardErrorProgress& operator=(const CStandardErrorProgress&) = delete;

    void SetRange(int total) override;
    void SetPos(int position) override;
    bool IsCancelled() const override;
    void ShowFinished() override;

private:
    void Print(int position);

    const int m_requestsAtStart;
    int m_total = 0;
    int m_position = 0;
    QElapsedTimer m_sincePrinted;
    QElapsedTimer m_sincePumped;
};
