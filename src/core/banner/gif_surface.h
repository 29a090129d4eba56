#pragma once
// The off-screen surface an animated picture is drawn into: a pixel buffer of
// the picture's size, copied whole to the window when it is painted.
//
// Threads: every member may be called from any thread and takes the
// surface's lock, so a paint never sees a surface while a load replaces it
// and never copies a half-drawn frame.
#include <cstdint>
#include <mutex>
#include <vector>

#include "core/banner/gif_parser.h"

namespace wv {

struct Picture;

struct GifRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const GifRgb&, const GifRgb&) = default;
};

inline constexpr GifRgb kGifWhite{255, 255, 255};

// A copy of the surface's pixels, or of a part of them.  Empty (0 x 0) when
// no surface exists or the part lies outside it.
struct GifSurfaceCopy {
    // Where the copied part lies in the surface.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes per pixel, rows from the top
    // Changes whenever the surface changes.
    std::uint64_t generation = 0;

    GifRgb PixelAt(int x, int y) const;
};

class GifSurface {
public:
    // Replaces the surface with one of width x height filled with colour.
    void Create(int width, int height, GifRgb colour);
    void Destroy();
    bool IsReady() const;

    // Drawing is clipped to the surface.
    void Fill(const GifRect& rect, GifRgb colour);
    void FillAll(GifRgb colour);
    // Draws the whole picture into rect, stretched when their sizes differ;
    // transparent pixels leave what the surface held.
    void Draw(const wv::Picture& picture, const GifRect& rect);
    // The pixels of rect, as an opaque picture of rect's size (parts outside
    // the surface are black; drawing it back clips them away).
    wv::Picture SaveArea(const GifRect& rect) const;

    GifSurfaceCopy Copy() const;
    // The pixels of rect clipped to the surface, with the generation they
    // belong to: what a paint of that part needs, whatever the surface's size.
    GifSurfaceCopy CopyArea(const GifRect& rect) const;
    std::uint64_t Generation() const;

private:
    struct Span {
        int begin = 0;
        int end = 0;
    };
    static Span Clip(int origin, int length, int limit);
    void Touch() { ++m_generation; }

    mutable std::mutex m_mutex;
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_rgb;
    std::uint64_t m_generation = 1;
};

}  // namespace wv
