// Draws the bundled vendor site's pictures: the animated banners its FTP
// server hands out (site/ftp) and the logo bitmap of the program's working
// folder (site/workdir).  Everything is drawn here, glyph by glyph, and the
// GIFs are written with giflib through the tests' picture writer.
//
//   make_site_pictures SITE_DIR
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "picture_writer.h"

namespace {

using wvtest::Bytes;
using wvtest::Rgb;

// A 5 x 7 capital font: '#' is ink.
struct Glyph {
    char letter;
    const char* rows[7];
};
constexpr Glyph kFont[] = {
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'C', {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"}},
    {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
    {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
    {'N', {"#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
    {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "}},
    {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'!', {"  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  "}},
};

const Glyph* Find(char letter) {
    for (const Glyph& glyph : kFont)
        if (glyph.letter == letter) return &glyph;
    return nullptr;  // a space, or a letter no picture uses
}

// A picture of palette indexes.
struct Canvas {
    int width, height;
    Bytes pixels;
    Canvas(int w, int h, std::uint8_t fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    void Set(int x, int y, std::uint8_t colour) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<std::size_t>(y) * width + x] = colour;
    }
};

int TextWidth(const std::string& text, int scale) { return static_cast<int>(text.size()) * 6 * scale - scale; }

void DrawText(Canvas& canvas, const std::string& text, int left, int top, int scale, std::uint8_t ink) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = Find(text[i]);
        if (!glyph) continue;
        const int x0 = left + static_cast<int>(i) * 6 * scale;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (glyph->rows[row][col] == '#')
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            canvas.Set(x0 + col * scale + dx, top + row * scale + dy, ink);
    }
}

// Text with a shadow one scale step down and right, centred on a row.
void DrawCentred(Canvas& canvas, const std::string& text, int top, int scale, std::uint8_t ink, std::uint8_t shadow,
                 int shift = 0) {
    const int left = (canvas.width - TextWidth(text, scale)) / 2 + shift;
    DrawText(canvas, text, left + scale / 2 + 1, top + scale / 2 + 1, scale, shadow);
    DrawText(canvas, text, left, top, scale, ink);
}

// Palette: 0-31 a ramp from one colour to another, then fixed inks.
enum Ink : std::uint8_t { kWhite = 32, kShadow, kGold, kDark };
std::vector<Rgb> Palette(Rgb from, Rgb to) {
    std::vector<Rgb> palette;
    for (int i = 0; i < 32; ++i) {
        Rgb c;
        for (int k = 0; k < 3; ++k) c[k] = static_cast<std::uint8_t>(from[k] + (to[k] - from[k]) * i / 31);
        palette.push_back(c);
    }
    palette.push_back({255, 255, 255});
    palette.push_back({20, 20, 40});
    palette.push_back({255, 204, 40});
    palette.push_back({110, 20, 20});
    return palette;
}

// A ramp that runs back and forth across the width, moved by phase.
void FillWaves(Canvas& canvas, int phase) {
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const int t = ((x + y) * 64 / canvas.width + phase) % 64;
            canvas.Set(x, y, static_cast<std::uint8_t>(t < 32 ? t : 63 - t));
        }
}

// The bargain banner: waves drift under the text and a gold bar sweeps along
// the bottom edge.
Bytes BargainBanner() {
    wvtest::GifWriter gif(468, 60, Palette({10, 40, 120}, {40, 140, 220}));
    gif.AddLoop();
    for (int f = 0; f < 12; ++f) {
        Canvas canvas(468, 60, 0);
        FillWaves(canvas, f * 5);
        DrawCentred(canvas, "FIND MISSPELT BARGAINS", 8, 3, kWhite, kShadow);
        DrawCentred(canvas, "WITH WORDVANE", 36, 2, kGold, kShadow);
        for (int x = f * 39; x < f * 39 + 80; ++x)
            for (int y = 56; y < 60; ++y) canvas.Set(x % 468, y, kGold);
        gif.AddControl(12, 1);
        gif.AddImage(0, 0, canvas.width, canvas.height, canvas.pixels);
    }
    return gif.Finish();
}

// The store banner: the text slides in from the right, then holds.
Bytes StoreBanner() {
    wvtest::GifWriter gif(468, 60, Palette({120, 20, 30}, {230, 120, 40}));
    gif.AddLoop();
    constexpr int kSteps = 8;
    for (int f = 0; f <= kSteps; ++f) {
        Canvas canvas(468, 60, 0);
        FillWaves(canvas, 16);
        const int shift = (kSteps - f) * 468 / kSteps;
        DrawCentred(canvas, "VISIT THE TARNWICK STORE", 10, 3, kWhite, kShadow, shift);
        if (f == kSteps) DrawCentred(canvas, "NEW BARGAINS EVERY DAY!", 38, 2, kGold, kShadow);
        gif.AddControl(f == kSteps ? 300 : 8, 1);
        gif.AddImage(0, 0, canvas.width, canvas.height, canvas.pixels);
    }
    return gif.Finish();
}

// A half-width banner whose text blinks between two inks.
Bytes SmartFindBanner() {
    wvtest::GifWriter gif(234, 60, Palette({20, 90, 40}, {90, 190, 90}));
    gif.AddLoop();
    for (int f = 0; f < 2; ++f) {
        Canvas canvas(234, 60, 0);
        FillWaves(canvas, 8);
        DrawCentred(canvas, "TRY SMART FIND", 10, 2, f ? kGold : kWhite, kShadow);
        DrawCentred(canvas, "ALL VARIANTS AT ONCE", 36, 1, kWhite, kShadow);
        gif.AddControl(60, 1);
        gif.AddImage(0, 0, canvas.width, canvas.height, canvas.pixels);
    }
    return gif.Finish();
}

// The logo: two words in dark red on a pale ground, underlined in gold.
Bytes LogoBitmap() {
    const std::vector<Rgb> palette = Palette({250, 246, 232}, {250, 246, 232});
    Canvas canvas(150, 40, 0);
    DrawText(canvas, "MISSPELT", 4, 4, 2, kDark);
    DrawText(canvas, "KEYWORDS", 28, 22, 2, kDark);
    for (int x = 4; x < 146; ++x) canvas.Set(x, 38, kGold);

    // A 24-bit bottom-up Windows bitmap.
    const unsigned rowBytes = (static_cast<unsigned>(canvas.width) * 3 + 3) & ~3u;
    const unsigned pixelBytes = rowBytes * canvas.height;
    Bytes out{'B', 'M'};
    auto put = [&out](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    put(54 + pixelBytes, 4), put(0, 4), put(54, 4);
    put(40, 4), put(canvas.width, 4), put(canvas.height, 4), put(1, 2), put(24, 2);
    put(0, 4), put(pixelBytes, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            const Rgb& c = palette[canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x]];
            out.insert(out.end(), {c[2], c[1], c[0]});
        }
        out.resize(out.size() + rowBytes - canvas.width * 3, 0);
    }
    return out;
}

bool Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::fprintf(stderr, "make_site_pictures: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_site_pictures SITE_DIR\n");
        return 2;
    }
    const std::filesystem::path site = argv[1];
    bool ok = Write(site / "ftp" / "bargains.gif", BargainBanner());
    ok = Write(site / "ftp" / "store.gif", StoreBanner()) && ok;
    ok = Write(site / "ftp" / "smartfind.gif", SmartFindBanner()) && ok;
    ok = Write(site / "workdir" / "misspelledKeywords.bmp", LogoBitmap()) && ok;
    return ok ? 0 : 1;
}
