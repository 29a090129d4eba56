#include "core/marshal/ui_marshal.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>

namespace wv {

namespace {
std::atomic<UiPoster*> g_poster{nullptr};
std::atomic<std::thread::id> g_uiThread{};

void ReportFailedCall(const char* what) {
    std::fprintf(stderr, "wordvane: a window operation for a worker failed: %s\n", what);
}
}  // namespace

void InstallUiPoster(UiPoster* poster) {
    if (poster) g_uiThread.store(std::this_thread::get_id());
    g_poster.store(poster);
}

bool IsUiThread() { return std::this_thread::get_id() == g_uiThread.load(); }

struct UiCallGate::State {
    std::mutex mutex;
    std::condition_variable cv;
    bool cancelled = false;
    // Bumped by every Cancel, so that a call queued before a Cancel/Reset
    // pair can never run after the Reset.
    unsigned generation = 0;

    bool Live(unsigned gen) const { return !cancelled && generation == gen; }
};

UiCallGate::UiCallGate() : m_state(std::make_shared<State>()) {}
UiCallGate::~UiCallGate() { Cancel(); }

bool UiCallGate::Invoke(const std::function<void()>& fn) {
    if (IsUiThread()) {
        if (IsCancelled()) return false;
        fn();
        return true;
    }
    UiPoster* poster = g_poster.load();
    if (!poster) return false;

    struct Call {
        bool started = false;  // fn has begun on the UI thread: wait for it
        bool done = false;
        bool completed = false;  // fn returned rather than threw
    };
    auto call = std::make_shared<Call>();
    auto state = m_state;
    unsigned gen;
    {
        std::lock_guard lock(state->mutex);
        if (state->cancelled) return false;
        gen = state->generation;
    }
    poster->Post([state, call, gen, fn] {
        {
            std::lock_guard lock(state->mutex);
            if (!state->Live(gen)) return;
            call->started = true;
        }
        bool completed = true;
        try {
            fn();
        } catch (const std::exception& e) {
            // Thrown past here it would end the program or leave the worker
            // waiting forever; the worker sees a failed call instead.
            ReportFailedCall(e.what());
            completed = false;
        } catch (...) {
            ReportFailedCall("unknown exception");
            completed = false;
        }
        std::lock_guard lock(state->mutex);
        call->done = true;
        call->completed = completed;
        state->cv.notify_all();
    });
    std::unique_lock lock(state->mutex);
    // A call that has begun is always waited for: fn may refer to this
    // thread's stack.  One that has not begun is given up on a Cancel, even
    // one followed at once by a Reset.
    state->cv.wait(lock, [&] { return call->done || (!call->started && !state->Live(gen)); });
    return call->done && call->completed;
}

void UiCallGate::Post(std::function<void()> fn) {
    UiPoster* poster = g_poster.load();
    if (!poster) return;
    auto state = m_state;
    unsigned gen;
    {
        std::lock_guard lock(state->mutex);
        if (state->cancelled) return;
        gen = state->generation;
    }
    poster->Post([state, gen, fn = std::move(fn)] {
        {
            std::lock_guard lock(state->mutex);
            if (!state->Live(gen)) return;
        }
        fn();
    });
}

void UiCallGate::Cancel() {
    std::lock_guard lock(m_state->mutex);
    m_state->cancelled = true;
    ++m_state->generation;
    m_state->cv.notify_all();
}

void UiCallGate::Reset() {
    std::lock_guard lock(m_state->mutex);
    m_state->cancelled = false;
}

bool UiCallGate::IsCancelled() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->cancelled;
}

}  // namespace wv
