#pragma once

#include <functional>
#include <thread>

namespace rf {

// A second thread for work this thread would otherwise do itself (sorting, making a sheet's
// chunks): started only when the system gives one, and joined at the latest when destroyed.
class SecondThread {
public:
    SecondThread() = default;
    ~SecondThread() { join(); }
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    // Runs work on a thread of its own; false, with nothing started, when none is to be had and
    // the caller does the work itself.
    bool start(std::function<void()> work)
    {
        try {
            m_thread = std::thread(std::move(work));
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }
    // Waits for the work to end; nothing when none was started.
    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

} // namespace rf
