// Writes the GIF fuzzer's seed corpus into the folder given as argument:
// well-formed files in the shapes the parser distinguishes, and a few cut
// or bent ones.
#include <cstdio>
#include <fstream>
#include <string>

#include "picture_writer.h"

using wvtest::Bytes;
using wvtest::GifWriter;

namespace {

const std::vector<wvtest::Rgb> kPalette{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

void Save(const std::string& folder, const std::string& name, const Bytes& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Still() {
    GifWriter writer(12, 8, kPalette);
    writer.AddFrame(2, 1, 6, 5, 1, 10);
    return writer.Finish();
}

Bytes Animation() {
    GifWriter writer(16, 16, kPalette);
    writer.AddLoop();
    writer.AddComment("seed");
    writer.AddControl(0, 2, 0);
    writer.AddComment("inside");
    writer.AddImage(0, 0, 16, 16, 1);
    writer.AddControl(5, 3);
    writer.AddControl(7, 1);
    writer.AddImage(4, 4, 8, 8, 2);
    writer.AddImage(10, 2, 3, 3, 3);           // no control extension
    writer.AddFrame(0, 0, 20, 20, 1, 250, 1);  // larger than the screen
    return writer.Finish();
}

Bytes PlainText() {
    Bytes out{'G', 'I', 'F', '8', '9', 'a', 8, 0, 8, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
    const Bytes frame{0x21, 0xF9, 4, 8, 10, 0, 0, 0, 0x21, 0x01, 12,  0,   0, 0,
                      0,    8,    0, 8, 0,  8, 8, 1, 0,    2,    'h', 'i', 0, 0x3B};
    out.insert(out.end(), frame.begin(), frame.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    Save(folder, "still.gif", Still());
    const Bytes animation = Animation();
    Save(folder, "animation.gif", animation);
    Save(folder, "banner.gif", wvtest::MakeBannerAnimation(60, 12, 3, 10));
    Save(folder, "plain-text.gif", PlainText());
    Save(folder, "bitmap.bmp", wvtest::MakeBitmapFile(3, 2, {1, 2, 3}));
    // Cut at a few places, and with the version and a label bent.
    for (std::size_t cut : {6u, 13u, 20u, 40u, 70u})
        if (cut < animation.size())
            Save(folder, "cut-" + std::to_string(cut) + ".gif", Bytes(animation.begin(), animation.begin() + cut));
    Bytes bent = animation;
    bent[4] = '0';
    Save(folder, "version-90a.gif", bent);
    bent = animation;
    bent[bent.size() / 2] ^= 0xFF;
    Save(folder, "flipped.gif", bent);
    return 0;
}
