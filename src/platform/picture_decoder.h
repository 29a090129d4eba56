#pragma once
// Decoding picture files (GIF, Windows bitmap) into plain pixel buffers.
//
// The result carries no wx type, so display-free code can hold, copy and draw
// decoded pictures.  Decoding runs on any thread: image handlers must have been
// registered on the UI thread (wxInitAllImageHandlers) before any thread
// starts, and each call keeps its wx objects to itself.
#include <cstddef>
#include <cstdint>
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

// Decodes a whole picture file held in memory.  For a GIF this is its first
// image, at that image's own size (not the logical screen's).  Returns null
// when the data is not a picture the decoder understands.
std::shared_ptr<const Picture> DecodePicture(const std::uint8_t* data, std::size_t size);

} // namespace wv
