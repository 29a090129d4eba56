#include "core/banner/gif_decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/banner/gif_parser.h"
#include "core/banner/picture_header.h"

namespace wv {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr std::uint32_t kTableSize = 1u << kMaxCodeBits;

// The image data's sub-blocks as one run of bytes, as far as the data goes.
std::vector<std::uint8_t> GatherSubBlocks(const std::uint8_t* data, std::size_t size, std::size_t pos) {
    std::vector<std::uint8_t> stream;
    stream.reserve(size - pos);
    while (pos < size) {
        const std::size_t length = data[pos++];
        if (length == 0) break;
        const std::size_t take = std::min(length, size - pos);
        stream.insert(stream.end(), data + pos, data + pos + take);
        pos += take;
    }
    return stream;
}

// Room past the last pixel for CopyString to write whole words into.
constexpr std::size_t kCopySlack = 8;

// Copies a string of indexes that lies wholly before target, eight at a time
// (strings are mostly short); may write up to 7 bytes past target + length.
// Bytes read past the string's end are garbage that lands past the copy's
// end, where later output overwrites it.
inline void CopyString(std::uint8_t* target, const std::uint8_t* source, std::size_t length) {
    for (std::size_t done = 0; done < length; done += 8) {
        std::uint64_t word;
        std::memcpy(&word, source + done, 8);
        std::memcpy(target + done, &word, 8);
    }
}

// Fills pixels[0, count) with colour indexes from the LZW code stream and
// returns how many it wrote; pixels must have kCopySlack bytes of room after
// count.
//
// Every string the table holds has already been written out whole, so an
// entry is kept as where in pixels it lies and how long it is, and emitting
// it is a copy from earlier output rather than a walk down a prefix chain.
std::size_t DecodeLzw(const std::vector<std::uint8_t>& stream, int minimumBits, std::uint8_t* pixels,
                      std::size_t count) {
    struct Entry {
        std::uint32_t start;
        std::uint32_t length;
    };
    std::vector<Entry> table(kTableSize);
    const std::uint32_t clear = 1u << minimumBits;
    const std::uint32_t end = clear + 1;
    std::uint32_t next = clear + 2;
    int bits = minimumBits + 1;

    std::uint64_t buffer = 0;
    int buffered = 0;
    std::size_t in = 0;
    std::size_t out = 0;
    bool havePrevious = false;
    std::size_t previousStart = 0;
    std::size_t previousLength = 0;

    while (out < count) {
        while (buffered < bits) {
            if (in == stream.size()) return out;
            buffer |= std::uint64_t{stream[in++]} << buffered;
            buffered += 8;
        }
        const std::uint32_t code = static_cast<std::uint32_t>(buffer) & ((1u << bits) - 1);
        buffer >>= bits;
        buffered -= bits;

        if (code == clear) {
            next = clear + 2;
            bits = minimumBits + 1;
            havePrevious = false;
            continue;
        }
        if (code == end) return out;

        std::size_t length;
        if (code < clear) {
            pixels[out] = static_cast<std::uint8_t>(code);
            length = 1;
        } else if (!havePrevious) {
            return out;  // only a literal can follow a clear
        } else if (code < next) {
            const Entry& entry = table[code];
            length = std::min<std::size_t>(entry.length, count - out);
            CopyString(pixels + out, pixels + entry.start, length);
        } else if (code == next) {
            // The entry being defined right now: the previous string followed
            // by its own first index.  The previous string ends where this
            // one begins, so the two never overlap.
            length = std::min(previousLength + 1, count - out);
            const std::size_t copied = std::min(previousLength, length);
            CopyString(pixels + out, pixels + previousStart, copied);
            if (length > copied) pixels[out + copied] = pixels[previousStart];
        } else {
            return out;  // a code the table does not hold yet
        }

        if (havePrevious && next < kTableSize) {
            // The previous string plus this one's first index, which was just
            // written right behind it.
            table[next] = {static_cast<std::uint32_t>(previousStart), static_cast<std::uint32_t>(previousLength + 1)};
            ++next;
            if (next == (1u << bits) && bits < kMaxCodeBits) ++bits;
        }
        havePrevious = true;
        previousStart = out;
        previousLength = length;
        out += length;
    }
    return out;
}

// The stored row that holds each picture row of an interlaced image: every
// 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> InterlacedRows(int height) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    constexpr std::pair<int, int> kPasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [first, step] : kPasses)
        for (int row = first; row < height; row += step) rows.push_back(row);
    return rows;
}

}  // namespace

std::shared_ptr<const Picture> DecodeGifImage(const std::uint8_t* data, std::size_t size) {
    const auto header = ReadPictureHeader(data, size);
    if (!header || header->format != PictureFormat::Gif || size > UINT32_MAX ||
        !PictureSizeAcceptable(header->width, header->height))
        return nullptr;

    // The blocks are read with the splitter's own grammar, so the image found
    // here is the one whose size it counted, never one that a looser reading
    // would find hidden inside another block.
    GifParser blocks;
    if (!blocks.Attach(data, static_cast<std::uint32_t>(size))) return nullptr;
    blocks.RewindToFirstBlock();
    // The first graphic control block rules, as it does for the frame's
    // timing (GifParser::ScanFrame).
    int transparent = -1;
    bool controlSeen = false;
    for (;;) {
        const std::uint32_t at = blocks.Cursor();
        const GifBlockKind kind = blocks.ClassifyBlock();
        if (kind == GifBlockKind::ImageDescriptor) break;
        if (kind == GifBlockKind::GraphicControlExtension) {
            if (!controlSeen) transparent = (data[at + 3] & 1) ? data[at + 6] : -1;
            controlSeen = true;
        } else if (kind != GifBlockKind::ApplicationExtension && kind != GifBlockKind::CommentExtension &&
                   kind != GifBlockKind::PlainTextExtension)
            return nullptr;  // the trailer, or blocks no GIF has
        if (!blocks.SkipBlock()) return nullptr;
    }

    // The descriptor, its local colour table and the code size byte are
    // known to be there (ClassifyBlock).
    std::size_t pos = blocks.Cursor();
    const std::uint8_t* descriptor = data + pos;
    const int width = static_cast<int>(ReadLittle16(descriptor + 5));
    const int height = static_cast<int>(ReadLittle16(descriptor + 7));
    const std::uint8_t packed = descriptor[9];
    if (!PictureSizeAcceptable(width, height)) return nullptr;
    pos += 10;
    const std::uint8_t* palette = GifColourTableLength(data[10]) ? data + 13 : nullptr;
    std::size_t paletteLength = palette ? GifColourTableLength(data[10]) : 0;
    if (const std::size_t local = GifColourTableLength(packed)) {
        palette = data + pos;
        paletteLength = local;
        pos += local;
    }
    const int minimumBits = data[pos++];
    if (minimumBits < 1 || minimumBits > 8) return nullptr;

    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> indexes(pixels + kCopySlack);
    const std::size_t decoded = DecodeLzw(GatherSubBlocks(data, size, pos), minimumBits, indexes.data(), pixels);
    // The last copy may have run past what was decoded.
    std::fill(indexes.begin() + static_cast<std::ptrdiff_t>(decoded), indexes.end(), 0);

    // Each colour as a word whose first three bytes are red, green and blue
    // in memory, so a pixel is one store; black past the table.
    std::array<std::uint32_t, 256> colours{};
    for (std::size_t i = 0; i < paletteLength / 3 && i < colours.size(); ++i) {
        const std::uint8_t bytes[4] = {palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2], 0};
        std::memcpy(&colours[i], bytes, 4);
    }

    auto picture = std::make_shared<Picture>();
    picture->width = width;
    picture->height = height;
    picture->rgb.resize(pixels * 3);
    if (transparent >= 0) picture->opaque.resize(pixels);
    const std::vector<int> interlaced = (packed & 0x40) ? InterlacedRows(height) : std::vector<int>{};
    const std::size_t rowLength = static_cast<std::size_t>(width);
    for (int stored = 0; stored < height; ++stored) {
        const std::size_t row = interlaced.empty() ? stored : interlaced[stored];
        const std::uint8_t* source = indexes.data() + stored * rowLength;
        std::uint8_t* target = picture->rgb.data() + row * rowLength * 3;
        // The fourth byte of each store is overwritten by the next pixel; the
        // row's last pixel stores three bytes only, as the next row may
        // already be written (interlacing).
        for (std::size_t x = 0; x + 1 < rowLength; ++x) std::memcpy(target + x * 3, &colours[source[x]], 4);
        std::memcpy(target + (rowLength - 1) * 3, &colours[source[rowLength - 1]], 3);
        if (transparent >= 0) {
            std::uint8_t* opaque = picture->opaque.data() + row * rowLength;
            for (std::size_t x = 0; x < rowLength; ++x) opaque[x] = source[x] != transparent;
        }
    }
    return picture;
}

}  // namespace wv
