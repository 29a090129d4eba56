#include "platform/picture_decoder.h"

#include <cstring>

#include <wx/gifdecod.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

namespace wv {

namespace {

bool IsGif(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && std::memcmp(data, "GIF8", 4) == 0;
}

// A GIF's first image straight from wx's GIF decoder, the one behind wxImage's
// GIF handler, without the intermediate wxImage: palette indexes become
// pixels and the transparent index becomes the mask in one pass.
std::shared_ptr<const Picture> DecodeGif(const std::uint8_t* data, std::size_t size) {
    wxMemoryInputStream stream(data, size);
    wxGIFDecoder decoder;
    // A truncated stream still yields what was decoded, as in wxImage.
    const wxGIFErrorCode error = decoder.LoadGIF(stream);
    if ((error != wxGIF_OK && error != wxGIF_TRUNCATED) || decoder.GetFrameCount() == 0) return nullptr;

    const wxSize frameSize = decoder.GetFrameSize(0);
    const unsigned char* indexes = decoder.GetData(0);
    const unsigned char* palette = decoder.GetPalette(0);
    if (frameSize.x <= 0 || frameSize.y <= 0 || !indexes || !palette) return nullptr;
    const unsigned colours = decoder.GetNcolours(0);
    const int transparent = decoder.GetTransparentColourIndex(0);

    auto picture = std::make_shared<Picture>();
    picture->width = frameSize.x;
    picture->height = frameSize.y;
    const std::size_t pixels = static_cast<std::size_t>(frameSize.x) * frameSize.y;
    picture->rgb.resize(pixels * 3);
    if (transparent >= 0) picture->opaque.resize(pixels);
    std::uint8_t* out = picture->rgb.data();
    for (std::size_t i = 0; i < pixels; ++i, out += 3) {
        const unsigned index = indexes[i];
        // An index past the palette is invalid data: black, never a read
        // beyond the palette.
        if (index < colours) std::memcpy(out, palette + index * 3, 3);
        else out[0] = out[1] = out[2] = 0;
        if (transparent >= 0) picture->opaque[i] = static_cast<int>(index) != transparent;
    }
    return picture;
}

// Naming the handler spares the decoder asking every registered one; data
// that matches no known signature is still offered to all of them.
wxBitmapType GuessType(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return wxBITMAP_TYPE_BMP;
    return wxBITMAP_TYPE_ANY;
}

std::shared_ptr<const Picture> DecodeWithImageHandlers(const std::uint8_t* data, std::size_t size) {
    wxMemoryInputStream stream(data, size);
    wxImage image;
    if (!image.LoadFile(stream, GuessType(data, size)) || !image.IsOk()) return nullptr;

    auto picture = std::make_shared<Picture>();
    picture->width = image.GetWidth();
    picture->height = image.GetHeight();
    const std::size_t pixels = static_cast<std::size_t>(picture->width) * picture->height;
    const unsigned char* rgb = image.GetData();
    picture->rgb.assign(rgb, rgb + pixels * 3);
    if (image.HasMask()) {
        const unsigned char r = image.GetMaskRed(), g = image.GetMaskGreen(), b = image.GetMaskBlue();
        picture->opaque.resize(pixels);
        for (std::size_t i = 0; i < pixels; ++i) {
            const unsigned char* p = rgb + i * 3;
            picture->opaque[i] = !(p[0] == r && p[1] == g && p[2] == b);
        }
    }
    return picture;
}

} // namespace

std::shared_ptr<const Picture> DecodePicture(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0) return nullptr;
    // Refusals are normal here (a frame the decoder cannot read is dropped);
    // they must not pop up log dialogs, and this may run on a worker thread.
    wxLogNull quiet;
    return IsGif(data, size) ? DecodeGif(data, size) : DecodeWithImageHandlers(data, size);
}

} // namespace wv
