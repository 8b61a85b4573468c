#include "model/ParallelWork.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kMaxThreads = 8;

} // namespace

struct ParallelRun::Job {
    std::function<void(std::size_t)> work;
    std::size_t count = 0;
    // Items are taken a turn at a time: enough turns per thread that the last ones even out.
    std::size_t turn = 1;
    std::atomic<std::size_t> next{0};
    // Guarded by the pool's mutex.
    std::size_t helpers = 0;
    std::size_t maxHelpers = 0;

    // The first exception an item threw; the items not yet taken are then given up.
    std::mutex errorMutex;
    std::exception_ptr error;

    bool Exhausted() const { return next.load(std::memory_order_relaxed) >= count; }
    void RunItems() noexcept {
        try {
            for (;;) {
                const std::size_t begin = next.fetch_add(turn);
                if (begin >= count)
                    return;
                for (std::size_t i = begin; i < std::min(begin + turn, count); ++i)
                    work(i);
            }
        } catch (...) {
            // Taking the exception allocates nothing: it is held where it was thrown.
            next.store(count);
            const std::lock_guard lock(errorMutex);
            if (!error)
                error = std::current_exception();
        }
    }
};

namespace {

using Job = ParallelRun::Job;

// The worker threads, made at the first run and kept for the life of the process (never destroyed, so that
// no worker outlives what it waits on at exit).
class WorkerPool {
public:
    static WorkerPool& Instance() {
        static WorkerPool* const pool = new WorkerPool;
        return *pool;
    }

    std::size_t Workers() const { return m_workers; }

    void Post(Job& job) {
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.push_back(&job);
        }
        for (std::size_t i = 0; i < job.maxHelpers; ++i)
            m_workAvailable.notify_one();
    }

    // Once this returns no worker touches the job again.
    void Withdraw(Job& job) {
        std::unique_lock lock(m_mutex);
        std::erase(m_jobs, &job);
        m_helperDone.wait(lock, [&job] { return job.helpers == 0; });
    }

private:
    WorkerPool() {
        const std::size_t wanted = std::min<std::size_t>(std::thread::hardware_concurrency(), kMaxThreads);
        for (std::size_t i = 1; i < wanted; ++i) {
            try {
                std::thread(&WorkerPool::Serve, this).detach();
                ++m_workers;
            } catch (const std::system_error&) {
                break; // the callers take whatever the others would have
            }
        }
    }

    void Serve() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_workAvailable.wait(lock, [this] { return !m_jobs.empty(); });
            Job& job = *m_jobs.front();
            if (++job.helpers == job.maxHelpers || job.Exhausted())
                m_jobs.erase(m_jobs.begin());
            lock.unlock();
            job.RunItems();
            lock.lock();
            --job.helpers;
            m_helperDone.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_workAvailable;
    std::condition_variable m_helperDone;
    std::vector<Job*> m_jobs; // runs with items left and room for another helper
    std::size_t m_workers = 0;
};

} // namespace

ParallelRun::ParallelRun(std::size_t count, std::size_t minimumPerThread, std::function<void(std::size_t)> work)
    : m_job(std::make_unique<Job>()) {
    m_job->work = std::move(work);
    m_job->count = count;
    const std::size_t threads = std::min(kMaxThreads, count / std::max<std::size_t>(minimumPerThread, 1));
    if (threads < 2)
        return;
    WorkerPool& pool = WorkerPool::Instance();
    m_job->maxHelpers = std::min(threads - 1, pool.Workers());
    m_job->turn = std::clamp<std::size_t>(count / (threads * 16), 1, 32);
    if (m_job->maxHelpers > 0)
        pool.Post(*m_job);
}

ParallelRun::~ParallelRun() {
    try {
        Wait();
    } catch (...) {
        // Dropped, as said: a caller that wants it waits first.
    }
}

void ParallelRun::Wait() {
    if (!m_job)
        return;
    m_job->RunItems();
    if (m_job->maxHelpers > 0)
        WorkerPool::Instance().Withdraw(*m_job);
    const std::exception_ptr error = std::move(m_job->error);
    m_job.reset();
    if (error)
        std::rethrow_exception(error);
}

void RunInParallel(std::size_t count, std::size_t minimumPerThread, const std::function<void(std::size_t)>& work) {
    ParallelRun(count, minimumPerThread, work).Wait();
}
