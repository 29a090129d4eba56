#pragma once
// A count of the program's long-lived worker threads, for tests that check
// that every thread was ended and joined.  The program's own services have
// no probe, so it counts nothing; the classes that start such threads take
// the installed services' probe when they are made (see app_services.h).
//
// Threads: any thread may call any member; the probe outlives every thread
// that reports to it.
#include <array>
#include <atomic>
#include <cstddef>

namespace wv {

class ThreadProbe {
public:
    enum class Worker { Banner, Animation };

    // The thread's work has begun or ended (on whichever thread knows).
    void WorkBegun(Worker worker) { ++Of(worker).working; }
    void WorkEnded(Worker worker) { --Of(worker).working; }
    // The thread was started, or joined.
    void ThreadStarted(Worker worker) { ++Of(worker).unjoined; }
    void ThreadJoined(Worker worker) { --Of(worker).unjoined; }

    // Threads whose work has begun and not yet ended.
    int Working(Worker worker) const { return Of(worker).working.load(); }
    // Threads started and not yet joined.
    int Unjoined(Worker worker) const { return Of(worker).unjoined.load(); }

private:
    struct Counts {
        std::atomic<int> working{0};
        std::atomic<int> unjoined{0};
    };
    Counts& Of(Worker worker) { return m_counts[static_cast<std::size_t>(worker)]; }
    const Counts& Of(Worker worker) const { return m_counts[static_cast<std::size_t>(worker)]; }

    std::array<Counts, 2> m_counts;
};

}  // namespace wv
