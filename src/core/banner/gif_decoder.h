#pragma once
// Turning a GIF's first image into pixels.  Animations reach it one frame at
// a time (GifParser cuts each frame into a GIF of its own); a still picture
// reaches it whole, and images after the first are never looked at, so a
// file cannot make it spend more than one image's worth of memory.
//
// Pure; any thread; every call keeps its state to itself.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/banner/picture.h"

namespace wv {

// The first image of a GIF ("GIF87a"/"GIF89a") at the image's own size, with
// the transparency of the graphic control extension before it.  Blocks are
// read as GifParser reads them, so the image is the one it counts.  The local
// colour table if it has one, else the global one, and black for an index
// past the table.  Null when the data is not such a GIF, its logical screen
// or the image is not 1..4096 pixels a side, or the data ends before the
// image's data begins.  Image data that ends early or holds a code that
// cannot be right is decoded up to there; the pixels it never reaches get
// colour index 0.
std::shared_ptr<const Picture> DecodeGifImage(const std::uint8_t* data, std::size_t size);

}  // namespace wv
