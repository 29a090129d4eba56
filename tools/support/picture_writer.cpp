#include "picture_writer.h"

#include <stdexcept>
#include <utility>

#include <gif_lib.h>

namespace wvtest {

GifWriter::GifWriter(int width, int height, std::vector<Rgb> palette) {
    int error = 0;
    m_gif = EGifOpen(this, &GifWriter::Write, &error);
    if (!m_gif) throw std::runtime_error("EGifOpen failed");
    EGifSetGifVersion(m_gif, true);

    int size = 2;
    while (size < static_cast<int>(palette.size())) size *= 2;
    palette.resize(size, Rgb{0, 0, 0});
    std::vector<GifColorType> colours;
    for (const Rgb& c : palette) colours.push_back({c[0], c[1], c[2]});
    ColorMapObject* map = GifMakeMapObject(size, colours.data());
    if (!map) throw std::runtime_error("GifMakeMapObject failed");
    const int result = EGifPutScreenDesc(m_gif, width, height, 8, 0, map);
    GifFreeMapObject(map);
    Check(result, "EGifPutScreenDesc");
}

GifWriter::~GifWriter() {
    if (m_gif) EGifCloseFile(m_gif, nullptr);
}

int GifWriter::Write(GifFileType* gif, const std::uint8_t* data, int length) {
    auto* self = static_cast<GifWriter*>(gif->UserData);
    self->m_bytes.insert(self->m_bytes.end(), data, data + length);
    return length;
}

void GifWriter::Check(int result, const char* what) {
    if (result != GIF_OK) throw std::runtime_error(std::string(what) + " failed");
}

void GifWriter::AddLoop(int loops) {
    static const char kNetscape[] = "NETSCAPE2.0";
    const std::uint8_t count[3] = {1, static_cast<std::uint8_t>(loops & 0xFF), static_cast<std::uint8_t>(loops >> 8)};
    Check(EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE), "leader");
    Check(EGifPutExtensionBlock(m_gif, 11, kNetscape), "identifier");
    Check(EGifPutExtensionBlock(m_gif, 3, count), "loop count");
    Check(EGifPutExtensionTrailer(m_gif), "trailer");
}

void GifWriter::AddComment(const std::string& text) { Check(EGifPutComment(m_gif, text.c_str()), "comment"); }

void GifWriter::AddControl(int delay, int disposal, int transparent) {
    GraphicsControlBlock block{};
    block.DisposalMode = disposal;
    block.UserInputFlag = false;
    block.DelayTime = delay;
    block.TransparentColor = transparent < 0 ? NO_TRANSPARENT_COLOR : transparent;
    GifByteType extension[4];
    EGifGCBToExtension(&block, extension);
    Check(EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, 4, extension), "control extension");
}

void GifWriter::AddImage(int left, int top, int width, int height, int colour) {
    AddImage(left, top, width, height,
             Bytes(static_cast<std::size_t>(width) * height, static_cast<std::uint8_t>(colour)));
}

void GifWriter::AddImage(int left, int top, int width, int height, const Bytes& pixels) {
    AddImage(left, top, width, height, pixels, ImageOptions{});
}

void GifWriter::AddImage(int left, int top, int width, int height, const Bytes& pixels, const ImageOptions& options) {
    if (pixels.size() != static_cast<std::size_t>(width) * height) throw std::runtime_error("pixel count");
    ColorMapObject* map = nullptr;
    if (!options.palette.empty()) {
        int size = 2;
        while (size < static_cast<int>(options.palette.size())) size *= 2;
        std::vector<GifColorType> colours(size, GifColorType{0, 0, 0});
        for (std::size_t i = 0; i < options.palette.size(); ++i)
            colours[i] = {options.palette[i][0], options.palette[i][1], options.palette[i][2]};
        map = GifMakeMapObject(size, colours.data());
        if (!map) throw std::runtime_error("GifMakeMapObject failed");
    }
    const int result = EGifPutImageDesc(m_gif, left, top, width, height, options.interlaced, map);
    if (map) GifFreeMapObject(map);
    Check(result, "image descriptor");
    // Interlaced rows are written in the order of the four passes.
    std::vector<int> rows;
    if (options.interlaced) {
        for (const auto& [first, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
            for (int y = first; y < height; y += step) rows.push_back(y);
    } else {
        for (int y = 0; y < height; ++y) rows.push_back(y);
    }
    Bytes copy = pixels;  // giflib takes non-const lines
    for (int y : rows)
        Check(EGifPutLine(m_gif, copy.data() + static_cast<std::size_t>(y) * width, width), "image line");
}

void GifWriter::AddFrame(int left, int top, int width, int height, int colour, int delay, int disposal,
                         int transparent) {
    AddControl(delay, disposal, transparent);
    AddImage(left, top, width, height, colour);
}

Bytes GifWriter::Finish() {
    int error = 0;
    const int result = EGifCloseFile(m_gif, &error);
    m_gif = nullptr;
    Check(result, "EGifCloseFile");
    return m_bytes;
}

namespace {
void Put16(Bytes& out, unsigned value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}
void Put32(Bytes& out, unsigned value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
}  // namespace

Bytes MakeBitmapFile(int width, int height, Rgb colour) {
    const unsigned rowBytes = (static_cast<unsigned>(width) * 3 + 3) & ~3u;
    const unsigned pixelBytes = rowBytes * height;
    Bytes out{'B', 'M'};
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);  // BITMAPINFOHEADER
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // uncompressed
    Put32(out, pixelBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.push_back(colour[2]);
            out.push_back(colour[1]);
            out.push_back(colour[0]);
        }
        out.resize(out.size() + rowBytes - width * 3, 0);
    }
    return out;
}

Bytes MakeBannerAnimation(int width, int height, int frames, int delay) {
    std::vector<Rgb> palette;
    for (int i = 0; i < 64; ++i)
        palette.push_back({static_cast<std::uint8_t>(i * 4), static_cast<std::uint8_t>(255 - i * 4),
                           static_cast<std::uint8_t>((i * 37) & 0xFF)});
    GifWriter writer(width, height, palette);
    writer.AddLoop();
    unsigned seed = 12345;
    for (int f = 0; f < frames; ++f) {
        Bytes pixels(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                // Diagonal bands that move from frame to frame, with a little
                // noise so that the image data is not trivially compressible.
                seed = seed * 1103515245u + 12345u;
                int colour = ((x + y + f * 7) / 12) % 48;
                if ((seed >> 16) % 8 == 0) colour = 48 + (seed >> 20) % 16;
                pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(colour);
            }
        }
        writer.AddControl(delay, 1);
        writer.AddImage(0, 0, width, height, pixels);
    }
    return writer.Finish();
}

}  // namespace wvtest
