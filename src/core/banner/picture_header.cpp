#include "core/banner/picture_header.h"

#include <cstring>

namespace wv {

namespace {

std::uint32_t Read32(const std::uint8_t* p) { return ReadLittle16(p) | (ReadLittle16(p + 2) << 16); }

std::optional<PictureHeader> ReadGifHeader(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return std::nullopt;
    return PictureHeader{PictureFormat::Gif, ReadLittle16(data + 6), ReadLittle16(data + 8)};
}

// The 14-byte file header, then an info header whose first field is its own
// length: 12 for the old core header (16-bit sizes), at least 40 for the
// later ones (signed 32-bit sizes, a negative height meaning top-down).
std::optional<PictureHeader> ReadBitmapHeader(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kInfo = 14;
    if (size < kInfo + 4) return std::nullopt;
    const std::uint32_t infoLength = Read32(data + kInfo);
    PictureHeader header{PictureFormat::Bitmap, 0, 0};
    std::uint32_t depth = 0;
    std::uint32_t colours = 0;
    if (infoLength == 12) {
        if (size < kInfo + 12) return std::nullopt;
        header.width = ReadLittle16(data + kInfo + 4);
        header.height = ReadLittle16(data + kInfo + 6);
        depth = ReadLittle16(data + kInfo + 10);
    } else if (infoLength >= 40) {
        if (size < kInfo + 40) return std::nullopt;
        header.width = static_cast<std::int32_t>(Read32(data + kInfo + 4));
        header.height = static_cast<std::int32_t>(Read32(data + kInfo + 8));
        if (header.height < 0) header.height = -header.height;
        depth = ReadLittle16(data + kInfo + 14);
        colours = Read32(data + kInfo + 32);
    } else {
        return std::nullopt;
    }
    switch (depth) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: return std::nullopt;
    }
    if (colours > 256) return std::nullopt;
    return header;
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(const std::uint8_t* data, std::size_t size) {
    if (!data) return std::nullopt;
    if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        return ReadGifHeader(data, size);
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return ReadBitmapHeader(data, size);
    return std::nullopt;
}

}  // namespace wv
