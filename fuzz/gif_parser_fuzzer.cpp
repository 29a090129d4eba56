// Arbitrary bytes through the GIF block walk, the frame splitter, the image
// decoder and a few steps of the animation loop.  Besides the sanitizers it
// checks that every frame image is itself a GIF holding exactly that one
// frame, and that a decoded image has the size its descriptor gave.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/banner/gif_animator.h"
#include "core/banner/gif_decoder.h"
#include "core/banner/gif_parser.h"
#include "core/banner/gif_surface.h"
#include "core/banner/picture.h"

using wv::GifAnimationHost;
using wv::GifAnimator;
using wv::GifBlockKind;
using wv::GifFrameImage;
using wv::GifParser;
using wv::GifRgb;
using wv::GifSurface;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Stands in for the real decoder: refuses some inputs and gives the others a
// small picture, partly transparent, whose size depends on the bytes.
std::shared_ptr<const wv::Picture> FakeDecode(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || data[size / 2] % 5 == 0) return nullptr;
    auto picture = std::make_shared<wv::Picture>();
    picture->width = 1 + data[size - 1] % 7;
    picture->height = 1 + data[size / 3] % 5;
    const std::size_t pixels = static_cast<std::size_t>(picture->width) * picture->height;
    picture->rgb.assign(pixels * 3, static_cast<std::uint8_t>(size));
    if (size % 2) {
        picture->opaque.resize(pixels);
        for (std::size_t i = 0; i < pixels; ++i) picture->opaque[i] = data[i % size] & 1;
    }
    return picture;
}

void CheckFrameImage(const GifFrameImage& frame) {
    Require(!frame.bytes.empty() && frame.bytes.back() == 0x3B);
    GifParser inner;
    Require(inner.Attach(frame.bytes.data(), static_cast<std::uint32_t>(frame.bytes.size())));
    inner.RewindToFirstBlock();
    auto again = inner.ExtractFrame();
    Require(again.has_value());
    Require(again->bytes == frame.bytes);
    Require(again->delay == frame.delay && again->disposal == frame.disposal);
    Require(again->rect.left == frame.rect.left && again->rect.top == frame.rect.top);
    Require(again->rect.width == frame.rect.width && again->rect.height == frame.rect.height);
    Require(inner.ClassifyBlock() == GifBlockKind::Trailer);
    inner.Detach();

    // Large images only cost time; the decoding is the same.
    if (std::int64_t{frame.rect.width} * frame.rect.height > 512 * 512) return;
    const auto picture = wv::DecodeGifImage(frame.bytes.data(), frame.bytes.size());
    if (!picture) return;
    Require(picture->width == frame.rect.width && picture->height == frame.rect.height);
    const std::size_t pixels = static_cast<std::size_t>(picture->width) * picture->height;
    Require(picture->rgb.size() == pixels * 3);
    Require(picture->opaque.empty() || picture->opaque.size() == pixels);
}

// Plays a few frames without waiting.
class Steps : public GifAnimationHost {
public:
    bool StopRequested() const override { return m_waits >= 6; }
    void WaitFrameDelay(int milliseconds) override {
        Require(milliseconds >= 50);
        ++m_waits;
    }
    void FrameShown() override {}

private:
    int m_waits = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > UINT32_MAX) return 0;
    const auto length = static_cast<std::uint32_t>(size);

    GifParser parser;
    if (parser.Attach(data, length)) {
        parser.RewindToFirstBlock();
        while (parser.SkipBlock()) Require(parser.Cursor() <= length);
        parser.RewindToFirstBlock();
        while (auto frame = parser.ExtractFrame()) CheckFrameImage(*frame);
    }
    parser.Detach();

    if (!parser.LoadData(data, length, FakeDecode)) return 0;
    // Big surfaces only cost time; the clipping is the same.
    if (static_cast<std::int64_t>(parser.Width()) * parser.Height() > 256 * 256) return 0;
    GifSurface surface;
    surface.Create(parser.Width(), parser.Height(), GifRgb{1, 2, 3});
    if (parser.StillPicture()) surface.Draw(*parser.StillPicture(), parser.StillRect());
    GifAnimator animator(surface);
    Steps steps;
    animator.Run(parser.Frames(), steps);
    return 0;
}
