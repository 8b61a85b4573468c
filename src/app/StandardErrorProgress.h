#pragma once

#include "interchange/ImportProgress.h"

#include <QElapsedTimer>

// Progress without a display: "進行状況 n/total" on standard error at the start, about once a second
// while the import runs and at the end. While it lives, an interrupt (Ctrl+C) or a termination signal asks to
// stop; the handlers before it come back when it ends.
class CStandardErrorProgress : public CImportProgress {
public:
    CStandardErrorProgress();
    ~CStandardErrorProgress() override;
    CStandardErrorProgress(const CStandardErrorProgress&) = delete;
    CStandardErrorProgress& operator=(const CStandardErrorProgress&) = delete;

    void SetRange(int total) override;
    void SetPos(int position) override;
    bool IsCancelled() const override;
    void ShowFinished() override;

private:
    void Print(int position);

    using SignalHandler = void (*)(int);
    SignalHandler m_previousInterrupt = nullptr;
    SignalHandler m_previousTerminate = nullptr;

    int m_total = 0;
    int m_position = 0;
    QElapsedTimer m_sincePrinted;
    QElapsedTimer m_sincePumped;
};
