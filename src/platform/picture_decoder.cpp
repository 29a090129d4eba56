#include "platform/picture_decoder.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "core/banner/gif_decoder.h"
#include "core/banner/picture_header.h"

namespace wv {

namespace {

std::shared_ptr<const Picture> DecodeBitmap(const std::uint8_t* data, std::size_t size, const PictureHeader& header) {
    wxMemoryInputStream stream(data, size);
    wxImage image;
    if (!image.LoadFile(stream, wxBITMAP_TYPE_BMP) || !image.IsOk()) return nullptr;
    if (image.GetWidth() != header.width || image.GetHeight() != header.height) return nullptr;

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

}  // namespace

std::shared_ptr<const Picture> DecodePicture(const std::uint8_t* data, std::size_t size) {
    const auto header = ReadPictureHeader(data, size);
    if (!header || !PictureSizeAcceptable(header->width, header->height)) return nullptr;
    // GIFs are decoded here without the toolkit: its decoder reads every
    // image of a file, and the splitter needs the first one only.
    if (header->format == PictureFormat::Gif) return DecodeGifImage(data, size);
    // Refusals are normal here; they must not pop up log dialogs, and this
    // may run on a worker thread.
    wxLogNull quiet;
    return DecodeBitmap(data, size, *header);
}

}  // namespace wv
