#pragma once
// A picture shown only inside an area of its window's parent: a banner may
// be 4096 pixels a side, and must not cover the form's other controls.  The
// window becomes the part of the picture inside the area, so that part alone
// is drawn and answers presses.  Pure; any thread.
namespace wv {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

struct PicturePart {
    // In the area's coordinates; 0 by 0 when no part of the picture is inside.
    PixelRect window;
    // The picture's pixel at the window's top left corner.
    int pictureX = 0;
    int pictureY = 0;
    bool operator==(const PicturePart&) const = default;
};

// The part of the picture (its top left corner and size) inside the area.
PicturePart ClipPicture(const PixelRect& picture, const PixelRect& area);

}  // namespace wv
