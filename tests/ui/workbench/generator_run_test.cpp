// The generator's run on its own: one worker at a time, stop requests, and a
// stop while the worker waits for the UI thread.
#include "ui/workbench/generator_run.h"

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "gui_support.h"

using namespace std::chrono_literals;
using wv::GeneratorRun;
using wvtest::PumpUntil;

namespace {

// Waits without running the UI thread's events.
bool WaitWithoutPumping(const std::atomic<bool>& flag) {
    for (int i = 0; i < 5000 && !flag.load(); ++i) std::this_thread::sleep_for(1ms);
    return flag.load();
}

TEST(GeneratorRun, OneRunAtATimeUntilItsLastUiStep) {
    GeneratorRun run;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    ASSERT_TRUE(run.Start([&run, released] {
        released.wait_for(10s);
        run.UiCall([&run] { run.Finish(); });
    }));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_TRUE(run.IsBusy());
    EXPECT_FALSE(run.Start([] {}));

    // A stop request ends the running, not the run: it is busy until its
    // last UI step.
    run.RequestStop();
    EXPECT_FALSE(run.IsRunning());
    EXPECT_TRUE(run.IsBusy());
    EXPECT_FALSE(run.Start([] {}));

    release.set_value();
    ASSERT_TRUE(PumpUntil([&] { return !run.IsBusy(); }));
    int steps = 0;
    ASSERT_TRUE(run.Start([&] {
        run.UiCall([&] {
            ++steps;
            run.Finish();
        });
    }));
    ASSERT_TRUE(PumpUntil([&] { return !run.IsBusy(); }));
    EXPECT_EQ(steps, 1);
}

TEST(GeneratorRun, StopReleasesAWorkerWaitingForTheUiThreadAndReopensTheGate) {
    GeneratorRun run;
    std::atomic<bool> calling{false}, ran{false};
    bool answered = true;
    ASSERT_TRUE(run.Start([&] {
        calling = true;
        answered = run.UiCall([&] { ran = true; });
    }));
    ASSERT_TRUE(WaitWithoutPumping(calling));
    run.Stop();
    EXPECT_FALSE(answered);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(run.IsBusy());
    EXPECT_FALSE(run.IsRunning());

    ASSERT_TRUE(run.Start([&] {
        answered = run.UiCall([&] {
            ran = true;
            run.Finish();
        });
    }));
    ASSERT_TRUE(PumpUntil([&] { return !run.IsBusy(); }));
    run.Stop();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(ran);
}

}  // namespace
