#pragma once
// What a banner file claims to be, read from its first bytes alone: GIF
// ("GIF87a"/"GIF89a") or Windows bitmap ("BM"), and its size.  Files come
// from the vendor's FTP server and are hostile: their size is judged here,
// before anything spends memory on their pixels.
//
// Pure: no decoding, no allocation; any thread.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace wv {

// Pictures wider or taller than this (or empty) are refused.
inline constexpr std::int32_t kMaxPictureSide = 4096;

// Decoded pixels one file may cost, all of its images together: room for
// two full-size frames, far above any real banner.
inline constexpr std::int64_t kMaxDecodedPixels = std::int64_t{32} << 20;

enum class PictureFormat { Gif, Bitmap };

struct PictureHeader {
    PictureFormat format = PictureFormat::Gif;
    // A GIF's logical screen; a bitmap's pixel size (a top-down bitmap's
    // negative height counted as its magnitude).  Not yet judged.
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// The format and size the header announces; nothing when the bytes are
// neither format or end inside the part of the header that holds the size.
// A bitmap whose info header is of no known kind, whose pixel depth is not
// one bitmaps have, or whose palette claims more than 256 colours is
// nothing too: its size cannot be trusted to bound its decoding.
std::optional<PictureHeader> ReadPictureHeader(const std::uint8_t* data, std::size_t size);

// Little-endian 16-bit field, as GIF and bitmap headers store numbers.
inline std::uint32_t ReadLittle16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

// Bytes of a GIF colour table announced by a packed byte (bit 7 flag, bits
// 0-2 size).
inline std::uint32_t GifColourTableLength(std::uint8_t packed) {
    return (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0;
}

inline bool PictureSizeAcceptable(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

}  // namespace wv
