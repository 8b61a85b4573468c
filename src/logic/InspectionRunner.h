#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "logic/InspectionThread.h"

class CInspectionProgressSinkInstaller;
class CInspectionView;
struct InspectionEnvironment;

// Runs one whole-document inspection at a time on a worker thread. Progress and the end leave the worker as
// signals only: the progress signals are emitted on the worker thread (receivers on the user-interface
// thread get them queued), Finished on the runner's own thread once the worker has ended.
class CInspectionRunner : public QObject {
    Q_OBJECT
public:
    explicit CInspectionRunner(QObject* parent = nullptr);
    // A run still going is asked to stop and waited for.
    ~CInspectionRunner() override;

    // Starts the items of the command on the document: false, with nothing started or cleared, while a run
    // is going or when the Fn statements form a cycle (the user is told). Else the pane is cleared and the
    // worker starts; the pane and the environment must stay until Finished.
    bool Start(int command, CInspectionView& pane, const InspectionEnvironment& environment);
    bool IsRunning() const { return m_running; }

signals:
    void MajorProgress(double fraction, const QString& text);
    void MinorProgress(double fraction, const QString& text);
    void Finished();

private:
    class Sink;

    void OnWorkerEnded();

    std::unique_ptr<Sink> m_sink;
    std::unique_ptr<CInspectionProgressSinkInstaller> m_installed;
    CInspectionThread m_thread;
    bool m_running = false;
};
