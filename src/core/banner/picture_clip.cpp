#include "core/banner/picture_clip.h"

#include <algorithm>

namespace wv {

PicturePart ClipPicture(const PixelRect& picture, const PixelRect& area) {
    const int left = std::max(picture.x, area.x);
    const int top = std::max(picture.y, area.y);
    const int right = std::min(picture.x + picture.width, area.x + area.width);
    const int bottom = std::min(picture.y + picture.height, area.y + area.height);
    if (right <= left || bottom <= top) return {};
    return {{left, top, right - left, bottom - top}, left - picture.x, top - picture.y};
}

}  // namespace wv
