// DecodeGifImage on GIFs written by giflib (every pixel must come back) and
// on hand-assembled and damaged ones; ReadPictureHeader's reading of sizes.
#include <gtest/gtest.h>

#include <random>

#include "core/banner/gif_decoder.h"
#include "core/banner/picture_header.h"
#include "gif_test_data.h"

using wv::DecodeGifImage;
using wv::Picture;
using wv::PictureFormat;
using wv::ReadPictureHeader;

using namespace giftest;
using wvtest::GifWriter;
using wvtest::Rgb;

namespace {

std::shared_ptr<const Picture> Decode(const Bytes& data) { return DecodeGifImage(data.data(), data.size()); }

Rgb PixelAt(const Picture& picture, int x, int y) {
    const std::uint8_t* p = picture.rgb.data() + (static_cast<std::size_t>(y) * picture.width + x) * 3;
    return {p[0], p[1], p[2]};
}

std::vector<Rgb> Palette(int colours, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Rgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back({static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                           static_cast<std::uint8_t>(random())});
    return palette;
}

// Indexes below colours: noise mixed with runs, so the code table both fills
// up (and is cleared) and holds long strings.
Bytes Pixels(int width, int height, int colours, unsigned seed) {
    std::mt19937 random(seed);
    Bytes pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(random() % 3 ? (i / 7) % colours : random() % colours);
    return pixels;
}

void ExpectPixels(const Picture& picture, const Bytes& pixels, const std::vector<Rgb>& palette) {
    ASSERT_EQ(picture.rgb.size(), pixels.size() * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Rgb expected = palette[pixels[i]];
        const Rgb got{picture.rgb[i * 3], picture.rgb[i * 3 + 1], picture.rgb[i * 3 + 2]};
        ASSERT_EQ(got, expected) << "pixel " << i;
    }
}

// One 1 x 1 image whose single pixel is index 3 (min code size 2: clear,
// literal 3, end), under a global table of the given bits.
Bytes IndexThreeImage(int tableBits) {
    return Header(1, 1, tableBits) + Bytes{0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x5C, 0x01, 0, 0x3B};
}

} // namespace

TEST(GifDecoderTest, EveryPixelOfAWrittenImageComesBack) {
    // Every code size from 2 to 8 bits, sizes that are not a multiple of 8,
    // and an image large enough for the table to fill and be cleared.
    const int cases[][3] = {{2, 13, 7}, {4, 40, 9}, {16, 33, 21}, {64, 101, 37}, {256, 300, 200}, {256, 1, 1}};
    unsigned seed = 1;
    for (const auto& [colours, width, height] : cases) {
        const std::vector<Rgb> palette = Palette(colours, ++seed);
        const Bytes pixels = Pixels(width, height, colours, ++seed);
        GifWriter writer(width, height, palette);
        writer.AddImage(0, 0, width, height, pixels);
        const auto picture = Decode(writer.Finish());
        ASSERT_TRUE(picture) << colours << " colours";
        EXPECT_EQ(picture->width, width);
        EXPECT_EQ(picture->height, height);
        EXPECT_TRUE(picture->opaque.empty());
        ExpectPixels(*picture, pixels, palette);
    }
}

TEST(GifDecoderTest, InterlacedRowsAndLocalTablesLandRight) {
    const std::vector<Rgb> global = Palette(16, 5);
    const std::vector<Rgb> local = Palette(16, 6);
    const Bytes pixels = Pixels(17, 23, 16, 7);
    GifWriter writer(40, 40, global);
    writer.AddImage(3, 4, 17, 23, pixels, {true, local});
    const auto picture = Decode(writer.Finish());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 17) << "the image's own size, not the screen's";
    ExpectPixels(*picture, pixels, local);
}

TEST(GifDecoderTest, TransparencyComesFromTheControlBeforeTheImage) {
    GifWriter writer(4, 1, kPalette);
    writer.AddControl(10, 1, kGreen);
    writer.AddImage(0, 0, 4, 1, Bytes{kRed, kGreen, kBlue, kGreen});
    const auto picture = Decode(writer.Finish());
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->opaque.size(), 4u);
    EXPECT_TRUE(picture->IsOpaqueAt(0));
    EXPECT_FALSE(picture->IsOpaqueAt(1));
    EXPECT_TRUE(picture->IsOpaqueAt(2));
    EXPECT_FALSE(picture->IsOpaqueAt(3));

    GifWriter opaque(4, 1, kPalette);
    opaque.AddControl(10, 1);
    opaque.AddImage(0, 0, 4, 1, kRed);
    EXPECT_TRUE(Decode(opaque.Finish())->opaque.empty());
}

TEST(GifDecoderTest, OnlyTheFirstImageIsDecoded) {
    GifWriter writer(20, 20, kPalette);
    writer.AddFrame(0, 0, 3, 2, kRed, 10);
    writer.AddFrame(0, 0, 20, 20, kGreen, 10);
    const auto picture = Decode(writer.Finish());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(PixelAt(*picture, 2, 1), (Rgb{255, 0, 0}));
}

TEST(GifDecoderTest, DamagedDataDecodesUpToTheDamage) {
    // An index past the colour table is black.
    const auto past = Decode(IndexThreeImage(0));  // two colours
    ASSERT_TRUE(past);
    EXPECT_EQ(PixelAt(*past, 0, 0), (Rgb{0, 0, 0}));

    // Data cut short: the rows it held are right, the rest take index 0.
    const std::vector<Rgb> palette = Palette(4, 11);
    Bytes pixels(64 * 64, 2);
    GifWriter writer(64, 64, palette);
    writer.AddImage(0, 0, 64, 64, pixels);
    Bytes data = writer.Finish();
    const std::size_t imageData = 13 + 4 * 3 + 10 + 1;
    data.resize(imageData + 4);  // the first sub-block's length and 3 bytes
    const auto cut = Decode(data);
    ASSERT_TRUE(cut);
    EXPECT_EQ(PixelAt(*cut, 0, 0), palette[2]);
    EXPECT_EQ(PixelAt(*cut, 63, 63), palette[0]);

    // A code the table cannot hold yet ends the decoding there.
    Bytes wild = IndexThreeImage(1);
    wild[wild.size() - 4] = 0x7C;  // the end code (5) becomes 7
    const auto stopped = Decode(wild);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->width, 1);
}

TEST(GifDecoderTest, ReadsBlocksAsTheSplitterDoes) {
    // A plain-text extension whose first data byte is 0 and whose next ones
    // hold a 4096 x 4096 image descriptor.  Read as a bare chain of
    // sub-blocks it would end at once, and the descriptor would follow: an
    // image the splitter never counted in the file's pixels.
    const Bytes hidden{0x21, 0x01, 0x00, 0x2C, 0, 0, 0, 0, 0x00, 0x10, 0x00, 0x10, 0x00, 0x02, 0x02, 0x01, 0x00, 0x00};
    Bytes data = Header(1, 1, 1);
    for (int i = 0; i < 40; ++i) data = data + hidden;
    data.push_back(0x3B);
    EXPECT_FALSE(Decode(data));
    wv::GifParser parser;
    EXPECT_FALSE(parser.LoadData(data.data(), static_cast<std::uint32_t>(data.size()), DecodeGifImage));
}

TEST(GifDecoderTest, RefusesWhatItCannotOrMustNotDecode) {
    auto gif = [](int screen, int image, int minimumBits = 2) {
        Bytes data = Header(screen, screen, 1) + Image(0, 0, image, image) + Bytes{0x3B};
        data[13 + 12 + 10] = static_cast<std::uint8_t>(minimumBits);
        return data;
    };
    EXPECT_TRUE(Decode(gif(4096, 4096)));
    EXPECT_FALSE(Decode(gif(4097, 10))) << "screen too large";
    EXPECT_FALSE(Decode(gif(0, 10))) << "no screen";
    EXPECT_FALSE(Decode(gif(100, 4097))) << "image too large";
    EXPECT_FALSE(Decode(gif(100, 0))) << "empty image";
    EXPECT_FALSE(Decode(gif(10, 10, 0)));
    EXPECT_FALSE(Decode(gif(10, 10, 9)));
    EXPECT_FALSE(Decode(Header(10, 10, 1) + Control(1, 1) + Bytes{0x3B})) << "no image";
    EXPECT_FALSE(Decode(Header(10, 10, 1, "GIF90a") + Image(0, 0, 1, 1) + Bytes{0x3B}));
    Bytes cutTable = Header(10, 10, 7);
    cutTable.resize(100);
    EXPECT_FALSE(Decode(cutTable));
    EXPECT_FALSE(DecodeGifImage(nullptr, 0));
}

TEST(PictureHeaderTest, ReadsTheSizeOfGifsAndBitmapsOnly) {
    const Bytes gif = Header(300, 4000);
    auto header = ReadPictureHeader(gif.data(), gif.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->format, PictureFormat::Gif);
    EXPECT_EQ(header->width, 300);
    EXPECT_EQ(header->height, 4000);

    Bytes bitmap = wvtest::MakeBitmapFile(3, 2, {1, 2, 3});
    header = ReadPictureHeader(bitmap.data(), bitmap.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->format, PictureFormat::Bitmap);
    EXPECT_EQ(header->width, 3);
    EXPECT_EQ(header->height, 2);
    // A top-down bitmap's height is negative in the file.
    bitmap[22] = 0xFE;
    bitmap[23] = bitmap[24] = bitmap[25] = 0xFF;
    EXPECT_EQ(ReadPictureHeader(bitmap.data(), bitmap.size())->height, 2);

    // The old core header: 16-bit sizes.
    const Bytes core{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 0x10, 0x27, 5, 0, 1, 0, 24, 0};
    header = ReadPictureHeader(core.data(), core.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 10000);
    EXPECT_FALSE(wv::PictureSizeAcceptable(header->width, header->height));
}

TEST(PictureHeaderTest, HeadersThatCannotBeTrustedAreNothing) {
    auto refused = [](const Bytes& data) { return !ReadPictureHeader(data.data(), data.size()); };
    const Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 1, 0};
    EXPECT_TRUE(refused(png));
    EXPECT_TRUE(refused(Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0}));
    const Bytes bitmap = wvtest::MakeBitmapFile(3, 2, {1, 2, 3});
    EXPECT_TRUE(refused(Bytes(bitmap.begin(), bitmap.begin() + 40))) << "info header cut";
    Bytes odd = bitmap;
    odd[14] = 20;  // an info header of no known length
    EXPECT_TRUE(refused(odd));
    Bytes depth = bitmap;
    depth[28] = 7;
    EXPECT_TRUE(refused(depth));
    Bytes colours = bitmap;
    colours[48] = 1;  // 65,536 palette entries
    EXPECT_TRUE(refused(colours));
}
