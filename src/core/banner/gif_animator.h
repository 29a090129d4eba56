#pragma once
// Playing an animation's decoded frames into an off-screen surface, with the
// frames' delays and disposal methods, until its owner asks it to stop.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "core/banner/gif_parser.h"
#include "core/banner/gif_surface.h"
#include "core/banner/picture.h"

namespace wv {

// A stop request that also cuts a wait short: set by the owner, polled and
// waited on by the animation thread.  Any thread may call any member.
class GifStopEvent {
public:
    void Set();
    void Reset();
    bool IsSet() const { return m_bStopRequested.load(); }
    // Waits for the given time, or less when the event is or becomes set.
    void WaitFor(int milliseconds);

private:
    std::atomic<bool> m_bStopRequested{false};
    std::mutex m_mutex;
    std::condition_variable m_signalled;
};

// What the animation loop needs from whoever runs it.
class GifAnimationHost {
public:
    virtual bool StopRequested() const = 0;
    // Waits a frame's time; returns early when a stop is requested.
    virtual void WaitFrameDelay(int milliseconds) = 0;
    // A frame was drawn into the surface: have it shown.
    virtual void FrameShown() = 0;

protected:
    ~GifAnimationHost() = default;
};

// Threads: Run executes on the animation thread; every other member belongs
// to the owner, who calls it only while Run is not executing (CurrentFrame
// excepted).  The surface is shared and locks itself.
class GifAnimator {
public:
    explicit GifAnimator(GifSurface& surface) : m_surface(surface) {}

    // How long a frame with the given delay (hundredths of a second, -1 for
    // a frame without a graphic control extension) stays up: delays below 5
    // are too fast to be meant and show for 100 ms.
    static int WaitForDelay(std::int32_t delay) { return delay < 5 ? 100 : delay * 10; }

    // Colour for disposal method 2 and for clearing before the animation
    // starts over.
    void SetBackground(GifRgb colour) { m_clrBackground = colour; }
    GifRgb Background() const { return m_clrBackground; }

    // Back to frame 0 with a white background and no saved area.
    void Reset();
    int CurrentFrame() const { return m_nCurrentFrame.load(); }

    // Plays frames, starting with the current one, until the host asks to
    // stop.  The frames must stay unchanged while it runs.
    void Run(const std::vector<GifFrame>& frames, GifAnimationHost& host);

private:
    void ShowFrame(const GifFrame& frame, GifAnimationHost& host);
    void DisposeFrame(const GifFrame& frame);

    GifSurface& m_surface;
    std::atomic<int> m_nCurrentFrame{0};
    GifRgb m_clrBackground = kGifWhite;
    // What a frame with disposal 3 covered, until the frame is disposed of.
    std::optional<wv::Picture> m_savedArea;
};

}  // namespace wv
