#pragma once
// One run of the variant generator at a time: the worker thread, the running
// flag a stop request lowers, the busy flag that holds until the worker's
// last UI step, and the gate through which the worker reaches the UI thread.
// The view owns one; the work itself (CTarnwickView::GenerateVariants) is
// the view's, because it changes the view's controls.
//
// Threads: Start, RequestStop and Stop on the UI thread; UiCall and Finish on
// the worker (Finish inside its last UiCall); IsRunning and IsBusy on any.
// The destructor stops and joins the worker.
#include <atomic>
#include <functional>
#include <thread>

#include "core/marshal/ui_marshal.h"

namespace wv {

class GeneratorRun {
public:
    GeneratorRun() = default;
    ~GeneratorRun() { Stop(); }
    GeneratorRun(const GeneratorRun&) = delete;
    GeneratorRun& operator=(const GeneratorRun&) = delete;

    // Runs work on a new worker thread.  Both flags are raised before the
    // thread exists, so a second click cannot start a second worker.  False,
    // and nothing started, while the previous run is still busy (a stopped
    // run may be writing its closing steps) or when no thread can be made.
    bool Start(std::function<void()> work);
    // Lowers the running flag; the worker ends at its next check.
    void RequestStop() { m_bRunning.store(0); }
    // Lowers the running flag, releases the worker from a UI call it waits
    // in and joins it; the gate is open again afterwards.  Safe when no
    // worker exists.
    void Stop();

    // True from Start until a stop request or Finish.
    bool IsRunning() const { return m_bRunning.load() != 0; }
    // True from Start until Finish or Stop.
    bool IsBusy() const { return m_bWorkerBusy.load(); }

    // Worker: runs fn on the UI thread and waits; false once stopping.
    bool UiCall(const std::function<void()>& fn) { return m_uiGate.Invoke(fn); }
    // Worker, inside its last UiCall: the run is over and the next Start
    // may come.
    void Finish();

private:
    std::thread m_worker;
    std::atomic<int> m_bRunning{0};
    std::atomic<bool> m_bWorkerBusy{false};
    UiCallGate m_uiGate;
};

}  // namespace wv
