// A banner cut to its area: what shows, and which of its pixels comes first.
#include "core/banner/picture_clip.h"

#include <gtest/gtest.h>

TEST(PictureClip, OnlyThePartInsideTheAreaShowsAndTakesPresses) {
    const wv::PixelRect area{196, 0, 754, 70};  // the workbench's banner area
    const struct {
        wv::PixelRect picture;
        wv::PicturePart part;
    } cases[] = {{{482, 6, 468, 60}, {{482, 6, 468, 60}, 0, 0}},               // fits: as it is
                 {{950 - 4096, 6, 4096, 4096}, {{196, 6, 754, 64}, 3342, 0}},  // its top right corner
                 {{100, -10, 200, 30}, {{196, 0, 104, 20}, 96, 10}},
                 {{0, 6, 196, 60}, {}},  // beside the area
                 {{500, 6, 0, 0}, {}}};
    for (const auto& c : cases) EXPECT_EQ(wv::ClipPicture(c.picture, area), c.part) << c.picture.x;
}
