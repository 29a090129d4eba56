#include "platform/picture_decoder.h"

#include <cstring>

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

namespace wv {

namespace {

// Naming the handler spares the decoder asking every registered one; data
// that matches neither signature is still offered to all of them.
wxBitmapType GuessType(const std::uint8_t* data, std::size_t size) {
    if (size >= 4 && std::memcmp(data, "GIF8", 4) == 0) return wxBITMAP_TYPE_GIF;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return wxBITMAP_TYPE_BMP;
    return wxBITMAP_TYPE_ANY;
}

} // namespace

std::shared_ptr<const Picture> DecodePicture(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0) return nullptr;
    // Refusals are normal here (a frame the decoder cannot read is dropped);
    // they must not pop up log dialogs, and this may run on a worker thread.
    wxLogNull quiet;
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

} // namespace wv
