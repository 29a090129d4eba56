#pragma once
// A window that shows one picture file (a Windows bitmap or a GIF) and plays
// an animated GIF on a thread of its own.
//
// Everything is drawn into an off-screen surface of the picture's size; a
// paint copies the part of that surface the parent shows to the window as one
// bitmap, so nothing flickers and a picture larger than the form costs no
// more to paint than the form's area.  An animation is cut into frames and
// every frame decoded once, at load time; the animation thread only draws
// ready pixels and sleeps between frames.
//
// Threads:
// - The UI thread creates and destroys the control and paints it.
// - One thread at a time loads it: LoadFile/LoadData, Draw, GetPictureSize,
//   StopAnimation and Clear (the UI thread for the logo, the banner thread
//   for the banner).  A load may run on a worker: reading, parsing and
//   decoding happen there, and the one window operation it needs (resizing)
//   is marshalled to the UI thread and awaited.
// - The animation thread draws into the surface and asks the UI thread, without
//   waiting, to repaint.  It never waits on the UI thread, so stopping it
//   (which any load does first) always ends promptly.
// - Before destroying the control while a worker may be inside LoadFile, the
//   UI thread calls CancelWindowCalls() and then joins that worker; a decode
//   in progress ends at the next image.  The destructor stops the animation
//   thread.
// - The animation thread reports to the thread probe of the services
//   installed when the control was made, if any.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <wx/window.h>

#include "core/banner/gif_animator.h"
#include "core/banner/gif_parser.h"
#include "core/banner/gif_surface.h"
#include "core/banner/picture.h"
#include "core/marshal/ui_marshal.h"

class wxBitmap;
class wxDC;
class wxPaintEvent;

namespace wv {

class ThreadProbe;

class CAnimatedPicture : public wxWindow, private GifAnimationHost {
public:
    CAnimatedPicture();
    CAnimatedPicture(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize);
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize);
    ~CAnimatedPicture() override;

    // Reads the whole file and loads it.  A file that cannot be opened or
    // read, or is empty, returns false and leaves the control as it was
    // (still playing, if it was); otherwise the result is LoadData's.
    bool LoadFile(const std::string& path);
    // Interprets the bytes (the caller keeps them); once they have decoded,
    // stops and clears the previous picture and makes the window and its
    // surface the picture's size (within the show area, if any), filled with
    // the menu colour.  True when the picture is ready for Draw.
    //
    // A load that fails changes nothing: the previous picture stays, playing
    // if it was, the window keeps its size and place and GetPictureSize its
    // answer.  That holds for a file its headers refuse (see
    // GifParser::Acceptable: not a GIF or a Windows bitmap, too large, too
    // many pixels in all, no frame) and for one whose images fail to decode;
    // only a load cancelled by CancelWindowCalls after its decode leaves the
    // control empty.  Meanwhile the two pictures are held at once.
    bool LoadData(const std::uint8_t* data, std::uint32_t size);
    // Shows what was loaded: a still picture is drawn into the surface; an
    // animation gets its thread, unless one is already playing.  Does nothing
    // without a surface.
    void Draw();
    // The picture's size in pixels: the last size a load set.  Any thread.
    wxSize GetPictureSize() const;
    // Ends the animation thread, if any, and waits for it to end.
    void StopAnimation();
    // Stops the animation and drops the picture, its frames and the surface.
    void Clear();
    // UI thread: completes a resize a worker is waiting for inside LoadFile as
    // failed, and refuses later ones; a decode in progress stops before its
    // next image and fails.  For shutting down a loading worker.
    void CancelWindowCalls();

    // UI thread.  From now on the window shows only the part of the picture
    // inside area (the parent's client coordinates; see
    // core/banner/picture_clip.h): that part alone is drawn and takes the
    // mouse, and a new picture's size applies at the place of the previous
    // picture's top left corner.  Without an area the window is the whole
    // picture.
    void SetShowArea(const wxRect& area);
    // UI thread.  Puts the picture's top left corner at `at` (the parent's
    // client coordinates; it may lie outside the parent).
    void PlacePicture(const wxPoint& at);

    // How long a frame with the given delay in hundredths of a second stays
    // up, in milliseconds.
    static int WaitForDelay(int delay);

    // For tests and diagnostics.
    GifSurfaceCopy CopySurface() const;
    // Loads that LoadData has finished, whatever their outcome.  Any thread.
    int FinishedLoads() const { return m_nFinishedLoads.load(); }
    // Decodes the images of later loads with decode instead of the platform
    // decoder (tests stand in a slow or counting one).  Any thread.
    void UseDecoder(PictureDecoder decode);
    bool IsAnimated() const;
    bool IsPlaying() const { return m_thread.joinable(); }
    // What a paint draws, drawn into any device context (UI thread).
    void PaintSurface(wxDC& dc);

private:
    bool Load(const std::uint8_t* data, std::uint32_t size);
    bool CreateSurface(int width, int height);
    // UI thread: the window for a picture of this size at `at`.
    void FitWindow(const wxPoint& at, const wxSize& size);
    // What the parent shows of the window, in the window's coordinates.
    wxRect VisibleArea() const;
    void AnimationLoop();
    void RequestRepaint();
    void OnPaint(wxPaintEvent& event);

    // GifAnimationHost, for the animation thread.
    bool StopRequested() const override;
    void WaitFrameDelay(int milliseconds) override;
    void FrameShown() override;

    std::atomic<std::int32_t> m_nWidth{0};
    std::atomic<std::int32_t> m_nHeight{0};
    // System colours, read on the UI thread at creation: the first fill of a
    // surface is the menu colour, later ones the button-face colour.
    GifRgb m_clrMenu = kGifWhite;
    GifRgb m_clrButtonFace = kGifWhite;

    GifParser m_parser;
    GifSurface m_surface;
    GifAnimator m_animator{m_surface};
    GifStopEvent m_stopEvent;
    std::thread m_thread;
    ThreadProbe* const m_probe;

    wv::UiCallGate m_gate;
    std::atomic<bool> m_bRepaintPending{false};
    std::atomic<int> m_nFinishedLoads{0};

    std::mutex m_decoderMutex;
    PictureDecoder m_decoder;

    // UI thread: the show area, where the picture's top left corner is and
    // the picture's pixel at the window's top left corner.
    std::optional<wxRect> m_showArea;
    wxPoint m_pictureAt;
    wxPoint m_pictureOffset;

    // UI thread: the bitmap last painted, the surface generation it shows,
    // the surface area it was made for and where in the window it goes.
    std::unique_ptr<wxBitmap> m_paintBitmap;
    std::uint64_t m_paintedGeneration = 0;
    wxRect m_paintedArea;
    wxPoint m_paintedOrigin;
};

}  // namespace wv
