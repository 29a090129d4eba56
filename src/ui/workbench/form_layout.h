#pragma once
// The workbench form's layout.  The form was designed in dialog units of an
// 8-point system font; they convert to pixels with that font's base units
// (6 x 13 pixels per 4 x 8 units), never with the current font's, so the
// layout is the same on every desktop.
#include <cmath>

namespace wv::form {

constexpr int DluX(int x) { return static_cast<int>((x * 6 + 2) / 4); }
constexpr int DluY(int y) { return static_cast<int>((y * 13 + 4) / 8); }

struct Rect {
    int x, y, width, height;
};
constexpr Rect FromDlu(int x, int y, int w, int h) { return {DluX(x), DluY(y), DluX(w), DluY(h)}; }

constexpr Rect kBanner = FromDlu(606, 7, 20, 20);
constexpr Rect kLogo = FromDlu(0, 15, 20, 20);
constexpr Rect kPanelGroup = FromDlu(3, 7, 127, 109);
constexpr Rect kKeywordGroup = FromDlu(3, 288, 127, 80);
constexpr Rect kKeywordEdit = FromDlu(6, 305, 121, 14);
constexpr Rect kGoButton = FromDlu(40, 331, 50, 14);
constexpr Rect kResultsPlaceholder = FromDlu(190, 86, 60, 50);
// Wider than Go and centred under it: the caption grows to "Smart Find 12/12"
// while a Likely Typos list goes out in batches.
constexpr Rect kSmartFindButton = FromDlu(20, 351, 90, 14);
constexpr int kFormWidth = DluX(633);   // 950
constexpr int kFormHeight = DluY(369);  // 600

// The right-hand rectangle the results list and the browser pane share.
constexpr Rect kResultsArea = {200, 70, 760, 530};

// Where a banner shows: right of the navigation panel, above the results.
constexpr Rect kBannerArea = {kPanelGroup.x + kPanelGroup.width, 0, kFormWidth - (kPanelGroup.x + kPanelGroup.width),
                              kResultsArea.y};

// Panel rows (entries 1-4) as left, top, right, bottom; half-open.
struct Edges {
    int left, top, right, bottom;
};
constexpr Edges kPanelRows[4] = {{10, 71, 190, 89}, {10, 93, 190, 111}, {10, 115, 190, 133}, {10, 137, 190, 155}};

}  // namespace wv::form
