#pragma once

#include <cstddef>
#include <functional>
#include <memory>

// Work on the process's worker threads, started once and kept (up to seven, with the caller eight). work(i)
// runs for every i below count, on as many threads as there are at least minimumPerThread items for each;
// work must touch nothing that another item touches. The caller always takes items too, so a run also
// finishes when every worker is busy elsewhere, and runs may nest or be started from several threads. An exception
// that work throws (running out of memory) stops the run: no further item starts, and Wait throws it in the caller
// once the items under way are done; it never leaves a worker thread.
class ParallelRun {
public:
    // Starts the run: idle workers take items while the caller goes on.
    ParallelRun(std::size_t count, std::size_t minimumPerThread, std::function<void(std::size_t)> work);
    ParallelRun(const ParallelRun&) = delete;
    ParallelRun& operator=(const ParallelRun&) = delete;
    // Waits as Wait does; an exception of the run that Wait did not throw is dropped.
    ~ParallelRun();

    // The caller takes every item no worker has taken; returns when all are done, or throws the first exception
    // that an item threw.
    void Wait();

    struct Job; // the items and the threads on them

private:
    std::unique_ptr<Job> m_job;
};

// Runs the items and returns when all are done (or throws as Wait does).
void RunInParallel(std::size_t count, std::size_t minimumPerThread, const std::function<void(std::size_t)>& work);
