#include "core/marshal/ui_marshal.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "core/text/cp1252.h"

namespace {

// Stands in for the UI event loop: the test thread is the UI thread and runs
// queued calls when it pumps.
class QueuePoster : public wv::UiPoster {
public:
    void Post(std::function<void()> fn) override {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(fn));
        m_cv.notify_all();
    }
    // Runs queued calls until `until` holds (bounded by a generous limit).
    void PumpUntil(const std::function<bool()>& until) {
        for (int i = 0; i < 20000 && !until(); ++i) {
            std::function<void()> fn;
            {
                std::unique_lock lock(m_mutex);
                m_cv.wait_for(lock, std::chrono::milliseconds(1), [&] { return !m_queue.empty(); });
                if (m_queue.empty()) continue;
                fn = std::move(m_queue.front());
                m_queue.pop_front();
            }
            fn();
        }
    }
    size_t Pending() {
        std::lock_guard lock(m_mutex);
        return m_queue.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_queue;
};

class UiMarshal : public ::testing::Test {
protected:
    void SetUp() override { wv::InstallUiPoster(&poster); }
    void TearDown() override { wv::InstallUiPoster(nullptr); }
    QueuePoster poster;
};

TEST_F(UiMarshal, InvokeRunsOnTheUiThreadAndWaits) {
    wv::UiCallGate gate;
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    bool result = false;
    std::thread worker([&] {
        result = gate.Invoke([&] { ranOn = std::this_thread::get_id(); });
        returned = true;
    });
    poster.PumpUntil([&] { return returned.load(); });
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(UiMarshal, CancelReleasesAWaitingWorkerWithoutRunningItsCall) {
    wv::UiCallGate gate;
    bool ran = false;
    std::atomic<bool> posted{false};
    bool result = true;
    std::thread worker([&] {
        posted = true;
        result = gate.Invoke([&] { ran = true; });
    });
    while (!posted || poster.Pending() == 0) std::this_thread::yield();
    // The UI thread cancels and joins without pumping: no deadlock.
    gate.Cancel();
    worker.join();
    EXPECT_FALSE(result);
    // The stale call comes up later, even after a Reset, and does nothing.
    gate.Reset();
    poster.PumpUntil([&] { return poster.Pending() == 0; });
    EXPECT_FALSE(ran);
}

TEST_F(UiMarshal, ACallThatHasBegunIsAwaitedEvenWhenCancelledMeanwhile) {
    wv::UiCallGate gate;
    std::atomic<bool> returned{false};
    bool result = false;
    std::thread worker([&] {
        int onWorkerStack = 1;
        result = gate.Invoke([&] {
            std::thread([&] { gate.Cancel(); }).join();
            // Give a wrongly released worker the time to return and drop its
            // stack; this call still uses it.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            EXPECT_FALSE(returned.load());
            EXPECT_EQ(onWorkerStack, 1);
        });
        returned = true;
    });
    poster.PumpUntil([&] { return returned.load(); });
    worker.join();
    EXPECT_TRUE(result);
}

TEST_F(UiMarshal, ACancelledGateRefusesAtOnceAndPostsNothing) {
    wv::UiCallGate gate;
    gate.Cancel();
    std::thread worker([&] { EXPECT_FALSE(gate.Invoke([] { FAIL(); })); });
    worker.join();
    gate.Post([] { FAIL(); });
    EXPECT_EQ(poster.Pending(), 0u);
}

TEST_F(UiMarshal, AThrowingCallEndsTheWaitAsFailedAndTheGateStaysUsable) {
    wv::UiCallGate gate;
    std::atomic<int> results{0};
    std::atomic<bool> finished{false};
    bool first = true, second = false;
    std::thread worker([&] {
        first = gate.Invoke([] { throw std::runtime_error("no room"); });
        ++results;
        second = gate.Invoke([] {});
        ++results;
        finished = true;
    });
    poster.PumpUntil([&] { return finished.load(); });
    worker.join();
    EXPECT_EQ(results.load(), 2);
    EXPECT_FALSE(first) << "a throwing call is not reported as done";
    EXPECT_TRUE(second);
}

TEST_F(UiMarshal, InvokeOnTheUiThreadRunsDirectly) {
    wv::UiCallGate gate;
    bool ran = false;
    EXPECT_TRUE(gate.Invoke([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

TEST(Cp1252, RoundTripsAndReplacesWhatItCannotHold) {
    EXPECT_EQ(wv::EncodeCp1252(U"caf\u00e9 \u20ac"), "caf\xE9 \x80");
    EXPECT_EQ(wv::EncodeCp1252(U"\u4e2d"), "?");
    EXPECT_EQ(wv::DecodeCp1252("\x80\xE9"), U"\u20ac\u00e9");
    EXPECT_EQ(wv::AsciiUpper("exceeded \xE9"), "EXCEEDED \xE9");
    EXPECT_TRUE(wv::SignedByteLess('\xE9', 'a'));
}

}  // namespace
