#pragma once
// Shared material for the GIF tests: a palette, hand-assembled block bytes and
// a decoder stand-in that records what it was given.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/banner/gif_parser.h"
#include "core/banner/picture.h"
#include "core/banner/picture_header.h"
#include "picture_writer.h"

using wv::PictureDecoder;

namespace giftest {

using wvtest::Bytes;

// Indexes into kPalette.
enum Colour { kBlack, kRed, kGreen, kBlue };
inline const std::vector<wvtest::Rgb> kPalette{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// "GIF89a", a logical screen and, when tableBits >= 0, a global colour table
// of 2^(tableBits + 1) black entries.
inline Bytes Header(int width, int height, int tableBits = -1, const char* signature = "GIF89a") {
    Bytes out(signature, signature + 6);
    out.push_back(width & 0xFF);
    out.push_back(width >> 8);
    out.push_back(height & 0xFF);
    out.push_back(height >> 8);
    out.push_back(tableBits >= 0 ? 0x80 | tableBits : 0);
    out.push_back(0);
    out.push_back(0);
    if (tableBits >= 0) out.resize(out.size() + (3u << (tableBits + 1)), 0);
    return out;
}

inline Bytes Control(int delay, int disposal) {
    return {0x21,
            0xF9,
            4,
            static_cast<std::uint8_t>(disposal << 2),
            static_cast<std::uint8_t>(delay & 0xFF),
            static_cast<std::uint8_t>(delay >> 8),
            0,
            0};
}

// An image descriptor with a minimal chain of image data (one pixel of
// index 1, then the end code), whatever size the descriptor claims.
inline Bytes Image(int left, int top, int width, int height) {
    auto lo = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };
    auto hi = [](int v) { return static_cast<std::uint8_t>((v >> 8) & 0xFF); };
    return {0x2C,       lo(left), hi(left), lo(top), hi(top), lo(width), hi(width), lo(height),
            hi(height), 0,        2,        2,       0x4C,    0x01,      0};
}

// Frames that each claim the largest size a picture may have, with almost
// no data behind the claim: a few bytes a frame ask for 16 million pixels.
inline Bytes ClaimingFrames(int frames, int side = wv::kMaxPictureSide) {
    Bytes out = Header(side, side, 1);
    for (int i = 0; i < frames; ++i) out = out + Control(5, 1) + Image(0, 0, side, side);
    out.push_back(0x3B);
    return out;
}

// A recording decoder: gives every accepted input a 1 x 1 picture whose red
// value counts the calls, and refuses the calls listed in refuse (0-based).
struct FakeDecoder {
    std::vector<Bytes> inputs;
    std::vector<int> refuse;

    PictureDecoder Function() {
        return [this](const std::uint8_t* data, std::size_t size) -> std::shared_ptr<const wv::Picture> {
            const int call = static_cast<int>(inputs.size());
            inputs.emplace_back(data, data + size);
            for (int r : refuse)
                if (r == call) return nullptr;
            auto picture = std::make_shared<wv::Picture>();
            picture->width = picture->height = 1;
            picture->rgb = {static_cast<std::uint8_t>(call), 0, 0};
            return picture;
        };
    }
};

}  // namespace giftest
