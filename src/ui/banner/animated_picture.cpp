#include "ui/banner/animated_picture.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/settings.h>

#include "core/banner/picture_clip.h"
#include "core/file/regular_file.h"
#include "platform/picture_decoder.h"
#include "ui/services/app_services.h"
#include "ui/services/thread_probe.h"

namespace wv {

namespace {

constexpr auto kAnimation = ThreadProbe::Worker::Animation;

GifRgb SystemColour(wxSystemColour index) {
    const wxColour colour = wxSystemSettings::GetColour(index);
    return {colour.Red(), colour.Green(), colour.Blue()};
}

// Larger than any banner or logo, and far below what would hurt: a file
// over it is not read at all.  Banner downloads stop at 10 MiB already.
constexpr std::size_t kMaxPictureFileBytes = std::size_t{32} << 20;

}  // namespace

CAnimatedPicture::CAnimatedPicture() : m_probe(InstalledThreadProbe()) {}

CAnimatedPicture::CAnimatedPicture(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : CAnimatedPicture() {
    Create(parent, id, pos, size);
}

bool CAnimatedPicture::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size) {
    // Every pixel comes from the surface: no background erase, so no flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxWindow::Create(parent, id, pos, size, wxBORDER_NONE)) return false;
    m_clrMenu = SystemColour(wxSYS_COLOUR_MENU);
    m_clrButtonFace = SystemColour(wxSYS_COLOUR_BTNFACE);
    Bind(wxEVT_PAINT, &CAnimatedPicture::OnPaint, this);
    return true;
}

CAnimatedPicture::~CAnimatedPicture() {
    // Repaints the animation thread has queued must not reach a dead window.
    m_gate.Cancel();
    StopAnimation();
}

int CAnimatedPicture::WaitForDelay(int delay) { return GifAnimator::WaitForDelay(delay); }

bool CAnimatedPicture::LoadFile(const std::string& path) {
    // Only a regular file: the path may name a FIFO, which would block.
    std::vector<std::uint8_t> bytes;
    if (!ReadRegularFile(path, kMaxPictureFileBytes, bytes) || bytes.empty()) return false;
    return LoadData(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

bool CAnimatedPicture::LoadData(const std::uint8_t* data, std::uint32_t size) {
    const bool loaded = Load(data, size);
    ++m_nFinishedLoads;
    return loaded;
}

void CAnimatedPicture::UseDecoder(PictureDecoder decode) {
    std::lock_guard lock(m_decoderMutex);
    m_decoder = std::move(decode);
}

bool CAnimatedPicture::Load(const std::uint8_t* data, std::uint32_t size) {
    // A refused file must not cost the picture on show, let alone its size.
    if (!GifParser::Acceptable(data, size)) return false;
    PictureDecoder decode;
    {
        std::lock_guard lock(m_decoderMutex);
        decode = m_decoder ? m_decoder : PictureDecoder(wv::DecodePicture);
    }
    // Decoded beside the picture on show, which plays on meanwhile, so that
    // a file whose images fail costs nothing either.  The gate is cancelled
    // when the window is going away: the worker must not go on decoding what
    // nobody will see while the UI thread waits.
    GifParser incoming;
    if (!incoming.LoadData(data, size, decode, [this] { return m_gate.IsCancelled(); })) return false;
    Clear();
    m_parser = std::move(incoming);
    if (!CreateSurface(m_parser.Width(), m_parser.Height())) return false;
    m_nWidth = m_parser.Width();
    m_nHeight = m_parser.Height();
    return true;
}

bool CAnimatedPicture::CreateSurface(int width, int height) {
    // The window belongs to the UI thread; a loading worker waits for it here
    // while holding no lock the UI thread could need.
    if (!m_gate.Invoke(
            [this, width, height] { FitWindow(m_showArea ? m_pictureAt : GetPosition(), wxSize(width, height)); }))
        return false;
    m_surface.Create(width, height, m_clrMenu);
    m_animator.SetBackground(m_clrButtonFace);
    RequestRepaint();
    return true;
}

void CAnimatedPicture::Draw() {
    if (!m_surface.IsReady()) return;
    if (m_parser.IsAnimated()) {
        if (m_thread.joinable()) return;
        try {
            m_thread = std::thread([this] { AnimationLoop(); });
        } catch (const std::system_error&) {
            // No thread: the surface keeps its fill.
        }
        return;
    }
    // A GIF of several frames of which only one decoded has no still picture:
    // the surface keeps its fill.
    const auto& still = m_parser.StillPicture();
    if (!still) return;
    m_surface.Draw(*still, m_parser.StillRect());
    RequestRepaint();
}

wxSize CAnimatedPicture::GetPictureSize() const { return wxSize(m_nWidth.load(), m_nHeight.load()); }

void CAnimatedPicture::StopAnimation() {
    m_stopEvent.Set();
    if (m_thread.joinable()) m_thread.join();
    m_stopEvent.Reset();
}

void CAnimatedPicture::Clear() {
    StopAnimation();
    m_parser.Reset();
    m_surface.Destroy();
    m_animator.Reset();
}

void CAnimatedPicture::CancelWindowCalls() { m_gate.Cancel(); }

void CAnimatedPicture::SetShowArea(const wxRect& area) {
    m_showArea = area;
    m_pictureAt = GetPosition();
}

void CAnimatedPicture::PlacePicture(const wxPoint& at) { FitWindow(at, GetPictureSize()); }

void CAnimatedPicture::FitWindow(const wxPoint& at, const wxSize& size) {
    m_pictureAt = at;
    PicturePart part{{at.x, at.y, size.x, size.y}, 0, 0};
    if (m_showArea)
        part = ClipPicture(part.window, {m_showArea->x, m_showArea->y, m_showArea->width, m_showArea->height});
    m_pictureOffset = wxPoint(part.pictureX, part.pictureY);
    SetSize(part.window.x, part.window.y, part.window.width, part.window.height, wxSIZE_ALLOW_MINUS_ONE);
}

bool CAnimatedPicture::IsAnimated() const { return m_parser.IsAnimated(); }

GifSurfaceCopy CAnimatedPicture::CopySurface() const { return m_surface.Copy(); }

void CAnimatedPicture::AnimationLoop() {
    if (m_probe) m_probe->WorkBegun(kAnimation);
    m_animator.Run(m_parser.Frames(), *this);
    if (m_probe) m_probe->WorkEnded(kAnimation);
}

bool CAnimatedPicture::StopRequested() const { return m_stopEvent.IsSet(); }

void CAnimatedPicture::WaitFrameDelay(int milliseconds) { m_stopEvent.WaitFor(milliseconds); }

void CAnimatedPicture::FrameShown() { RequestRepaint(); }

void CAnimatedPicture::RequestRepaint() {
    // One queued repaint is enough however many frames are drawn meanwhile.
    if (m_bRepaintPending.exchange(true)) return;
    m_gate.Post([this] {
        m_bRepaintPending = false;
        Refresh(false);
    });
}

void CAnimatedPicture::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    PaintSurface(dc);
}

wxRect CAnimatedPicture::VisibleArea() const {
    wxRect visible(GetClientSize());
    if (const wxWindow* parent = GetParent()) {
        wxRect shown(parent->GetClientSize());
        shown.Offset(-GetPosition());
        visible.Intersect(shown);
    }
    return visible;
}

void CAnimatedPicture::PaintSurface(wxDC& dc) {
    // A banner may be 4096 pixels a side on a form a fraction of that: only
    // the part the form shows is copied and converted, on every frame.
    wxRect visible = VisibleArea();  // in the surface's pixels from here on
    visible.Offset(m_pictureOffset);
    if (m_surface.Generation() != m_paintedGeneration || visible != m_paintedArea) {
        GifSurfaceCopy copy = m_surface.CopyArea({visible.x, visible.y, visible.width, visible.height});
        m_paintedGeneration = copy.generation;
        m_paintedArea = visible;
        m_paintBitmap.reset();
        if (copy.width > 0 && copy.height > 0) {
            // The image borrows the copy's pixels; the bitmap takes its own.
            const wxImage image(copy.width, copy.height, copy.rgb.data(), true);
            m_paintBitmap = std::make_unique<wxBitmap>(image);
            m_paintedOrigin = wxPoint(copy.left, copy.top) - m_pictureOffset;
        }
    }
    if (m_paintBitmap) dc.DrawBitmap(*m_paintBitmap, m_paintedOrigin, false);
}

}  // namespace wv
