#pragma once
// A decoded picture as plain pixel buffers, and the signature of the decoder
// that makes one.  The banner code holds, copies and draws pictures through
// these alone; the decoder itself lives in the platform library and is handed
// in by the caller.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace wv {

// A decoded picture at its natural size.  Immutable once made; share it
// through std::shared_ptr<const Picture>.
struct Picture {
    int width = 0;
    int height = 0;
    // 3 bytes (red, green, blue) per pixel, rows from the top.
    std::vector<std::uint8_t> rgb;
    // One byte per pixel, 0 where the picture is transparent (a GIF's
    // transparent colour).  Empty when every pixel is opaque.
    std::vector<std::uint8_t> opaque;

    bool IsOpaqueAt(std::size_t pixel) const { return opaque.empty() || opaque[pixel] != 0; }
};

// Decodes a whole picture file held in memory; null when it cannot.
using PictureDecoder = std::function<std::shared_ptr<const Picture>(const std::uint8_t* data, std::size_t size)>;

}  // namespace wv
