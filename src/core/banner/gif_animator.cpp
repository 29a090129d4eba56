#include "core/banner/gif_animator.h"

#include <algorithm>
#include <chrono>

namespace wv {

void GifStopEvent::Set() {
    std::lock_guard lock(m_mutex);
    m_bStopRequested = true;
    m_signalled.notify_all();
}

void GifStopEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_bStopRequested = false;
}

void GifStopEvent::WaitFor(int milliseconds) {
    std::unique_lock lock(m_mutex);
    m_signalled.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_bStopRequested.load(); });
}

void GifAnimator::Reset() {
    m_nCurrentFrame = 0;
    m_clrBackground = kGifWhite;
    m_savedArea.reset();
}

void GifAnimator::DisposeFrame(const GifFrame& frame) {
    if (frame.disposal == 2) {
        m_surface.Fill(frame.Rect(), m_clrBackground);
    } else if (frame.disposal == 3 && m_savedArea) {
        m_surface.Draw(*m_savedArea, frame.Rect());
        m_savedArea.reset();
    }
}

void GifAnimator::ShowFrame(const GifFrame& frame, GifAnimationHost& host) {
    if (frame.disposal == 3) m_savedArea = m_surface.SaveArea(frame.Rect());
    m_surface.Draw(*frame.picture, frame.Rect());
    host.FrameShown();
}

void GifAnimator::Run(const std::vector<GifFrame>& frames, GifAnimationHost& host) {
    const int count = static_cast<int>(frames.size());
    // Frames without a picture are passed over without a wait; with none to
    // show, the loop would only spin.
    if (std::none_of(frames.begin(), frames.end(), [](const GifFrame& f) { return f.picture; })) return;
    if (m_nCurrentFrame >= count) m_nCurrentFrame = 0;

    // Right after a load only a disposal 2 on frame 0 has an effect here: it
    // clears frame 0's area before frame 0 is first drawn.
    DisposeFrame(frames[m_nCurrentFrame]);
    while (!host.StopRequested()) {
        const GifFrame& frame = frames[m_nCurrentFrame];
        if (frame.picture) {
            ShowFrame(frame, host);
            if (host.StopRequested()) break;
            host.WaitFrameDelay(WaitForDelay(frame.delay));
            if (host.StopRequested()) break;
            DisposeFrame(frame);
        }
        int next = m_nCurrentFrame + 1;
        if (next == count) {
            next = 0;
            m_surface.FillAll(m_clrBackground);
        }
        m_nCurrentFrame = next;
    }
}

}  // namespace wv
