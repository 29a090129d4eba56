#pragma once
// Decoding picture files (GIF, Windows bitmap) into plain pixel buffers.
//
// Only those two formats are decoded, recognised by their first bytes, and
// only once the size their header announces is 1..4096 pixels a side: data
// of any other kind never reaches an image handler, however well the toolkit
// could read it.
//
// Decoding runs on any thread: image handlers must have been registered on the
// UI thread (wxInitAllImageHandlers) before any thread starts, and each call
// keeps its wx objects to itself.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/banner/picture.h"

namespace wv {

// Decodes a whole picture file held in memory.  For a GIF this is its first
// image, at that image's own size (not the logical screen's); later images
// are not decoded.  Returns null when the data is not a picture the decoder
// understands or accepts.
std::shared_ptr<const Picture> DecodePicture(const std::uint8_t* data, std::size_t size);

}  // namespace wv
