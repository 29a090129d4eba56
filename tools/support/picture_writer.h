#pragma once
// Picture files made by the tests themselves: GIFs written block by block
// with giflib's encoder, and plain 24-bit Windows bitmaps.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct GifFileType;

namespace wvtest {

using Rgb = std::array<std::uint8_t, 3>;
using Bytes = std::vector<std::uint8_t>;

// A GIF89a written block by block, in the order the calls are made.
// Offset() after a call is where the next block starts, so tests can name
// the exact bytes of every block.  Throws std::runtime_error when giflib fails.
class GifWriter {
public:
    // palette: the global colour table (padded to a power of two).
    GifWriter(int width, int height, std::vector<Rgb> palette);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // A looping application extension (loops 0 = for ever).
    void AddLoop(int loops = 0);
    void AddComment(const std::string& text);
    // A graphic control extension; transparent -1 for none.
    void AddControl(int delay, int disposal, int transparent = -1);
    // An image filled with one palette index.
    void AddImage(int left, int top, int width, int height, int colour);
    // An image of palette indexes, width * height of them, rows from the top.
    void AddImage(int left, int top, int width, int height, const Bytes& pixels);
    // The same, stored interlaced and/or with a local colour table of its own
    // (none when empty).
    struct ImageOptions {
        bool interlaced = false;
        std::vector<Rgb> palette;
    };
    void AddImage(int left, int top, int width, int height, const Bytes& pixels, const ImageOptions& options);
    // A control extension followed by an image filled with one colour.
    void AddFrame(int left, int top, int width, int height, int colour, int delay, int disposal = 1,
                  int transparent = -1);

    std::size_t Offset() const { return m_bytes.size(); }
    // Writes the trailer and returns the whole file.
    Bytes Finish();

private:
    static int Write(GifFileType* gif, const std::uint8_t* data, int length);
    void Check(int result, const char* what);

    GifFileType* m_gif = nullptr;
    Bytes m_bytes;
};

// A 24-bit bottom-up Windows bitmap of one colour.
Bytes MakeBitmapFile(int width, int height, Rgb colour);

// A small animation for tests and benchmarks: frames of width x height, each
// a band of a different colour over a changing background, with the given
// delay.  Deterministic.
Bytes MakeBannerAnimation(int width, int height, int frames, int delay);

}  // namespace wvtest
