#include "study/WalkThreads.h"

#include <algorithm>
#include <cstdlib>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

thread_local bool t_walkThread = false;

// What `work` threw, if anything: a run ends whole on every thread before an error is passed on.
std::exception_ptr Catching(const std::function<void()>& work)
{
    try {
        work();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

class CWalkThreads
{
public:
    // Never destroyed: its threads sleep until the process ends.
    static CWalkThreads& Instance()
    {
        static CWalkThreads* threads = new CWalkThreads;
        return *threads;
    }

    void Run(std::size_t helpers, const std::function<void()>& work, const std::function<void()>& own)
    {
        std::unique_lock run(m_run, std::try_to_lock);
        if (t_walkThread || !run || Start(helpers) == 0) {
            own();
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            m_work = &work;
            m_waiting = std::min(helpers, m_started);
            m_running = m_waiting;
            m_error = nullptr;
        }
        m_wake.notify_all();
        std::exception_ptr error = Catching(own);
        std::unique_lock lock(m_mutex);
        m_running -= m_waiting;
        m_waiting = 0;
        m_done.wait(lock, [this] { return m_running == 0; });
        m_work = nullptr;
        if (!error)
            error = m_error;
        if (error)
            std::rethrow_exception(error);
    }

    void StartAhead(std::size_t count)
    {
        std::lock_guard run(m_run);
        Start(count);
    }

private:
    // Starts threads up to `count`; returns how many there are.
    std::size_t Start(std::size_t count)
    {
        for (; m_started < std::min(count, kMostWalks); ++m_started) {
            try {
                std::thread([this] { Serve(); }).detach();
            } catch (const std::system_error&) {
                break;
            }
        }
        return m_started;
    }

    void Serve()
    {
        t_walkThread = true;
        // A thread's first allocation sets up its own heap, which took milliseconds inside the
        // first walk.
        void* volatile heap = std::malloc(1);
        std::free(heap);
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_waiting > 0; });
            --m_waiting;
            const std::function<void()>& work = *m_work;
            lock.unlock();
            const std::exception_ptr error = Catching(work);
            lock.lock();
            if (error && !m_error)
                m_error = error;
            if (--m_running == 0)
                m_done.notify_all();
        }
    }

    std::mutex m_run; // one run at a time
    std::size_t m_started = 0;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void()>* m_work = nullptr;
    std::size_t m_waiting = 0; // helpers that may still start
    std::size_t m_running = 0; // helpers started or that may still start, not yet done
    std::exception_ptr m_error;
};

} // namespace

std::size_t MachineWalks()
{
    // Unknown counts as none: two walks still have records on their way while one waits. Asked
    // once: the count is read from a system file each time.
    static const std::size_t walks =
        std::clamp<std::size_t>(std::size_t(std::thread::hardware_concurrency()) + 2, 2, kMostWalks);
    return walks;
}

void RunWithWalkThreads(std::size_t helpers, const std::function<void()>& work, const std::function<void()>& own)
{
    if (helpers == 0) {
        own();
        return;
    }
    CWalkThreads::Instance().Run(helpers, work, own);
}

void StartWalkThreads()
{
    CWalkThreads::Instance().StartAhead(MachineWalks() - 1);
}
