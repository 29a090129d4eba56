#pragma once
// Synchronous hand-over of work from worker threads to the UI thread.
//
// Only the UI thread may touch windows.  A worker wraps each window operation
// in a function and hands it to a UiCallGate: Invoke posts it to the UI thread
// and waits until it has run.  Cancel() completes every pending and future
// Invoke as "cancelled" without running it, so the UI thread can cancel, then
// join a worker that is blocked in Invoke without deadlocking.
//
// No wx include: the platform layer implements the poster that reaches the
// UI thread (platform/wx_ui_poster.h) and the application's services hand it
// in here; unit tests install their own.
#include <functional>
#include <memory>

namespace wv {

// Queues a function for the UI thread's event loop.  Must be callable from any
// thread; the function runs later, on the UI thread, in posting order.
class UiPoster {
public:
    virtual ~UiPoster() = default;
    virtual void Post(std::function<void()> fn) = 0;
};

// Installed once on the UI thread before any worker starts; also records that
// thread as "the UI thread".  Passing nullptr uninstalls (after all workers
// have been joined).
void InstallUiPoster(UiPoster* poster);
bool IsUiThread();

// One gate per owner of worker threads.  Any thread may call any member.
class UiCallGate {
public:
    UiCallGate();
    ~UiCallGate();
    UiCallGate(const UiCallGate&) = delete;
    UiCallGate& operator=(const UiCallGate&) = delete;

    // Runs fn on the UI thread and waits for it.  Called on the UI thread it
    // runs fn at once.  Returns false (fn not run) when the gate is or
    // becomes cancelled before fn begins, or no poster is installed; once fn
    // has begun, its end is always awaited.  A worker's fn that throws is
    // reported on standard error and makes Invoke return false, so the
    // worker treats it as the end of its run instead of waiting for ever.
    bool Invoke(const std::function<void()>& fn);

    // Queues fn without waiting; it is skipped if the gate is cancelled by the
    // time it comes up.
    void Post(std::function<void()> fn);

    // Completes every waiting Invoke as cancelled; later calls are refused
    // until Reset().
    void Cancel();
    // Reopens the gate; call only once the workers that used it are joined.
    void Reset();
    bool IsCancelled() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace wv
