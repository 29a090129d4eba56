#include "core/text/utf8.h"

#include "core/text/cp1252.h"

namespace wv {

namespace {

// Bytes a sequence starting with `lead` has, 0 for no valid lead byte.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The range the second byte must be in: the first continuation byte is
// what rules out overlong forms, surrogates and code points past U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0: return second >= 0xA0 && second <= 0xBF;
    case 0xED: return second >= 0x80 && second <= 0x9F;
    case 0xF0: return second >= 0x90 && second <= 0xBF;
    case 0xF4: return second >= 0x80 && second <= 0x8F;
    default: return second >= 0x80 && second <= 0xBF;
    }
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u32string& out) {
    out.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0 || bytes.size() - i < length) return false;
        if (length == 1) {
            out.push_back(lead);
            ++i;
            continue;
        }
        if (!SecondByteFits(lead, static_cast<unsigned char>(bytes[i + 1]))) return false;
        char32_t c = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        out.push_back(c);
        i += length;
    }
    return true;
}

std::string InputTextToCp1252(std::string_view bytes) {
    std::u32string text;
    return DecodeUtf8(bytes, text) ? EncodeCp1252(text) : std::string(bytes);
}

std::size_t WithoutCutUtf8Tail(std::string_view bytes) {
    // A cut sequence is a lead byte followed by fewer continuation bytes
    // than it announces, so it starts among the last three bytes.
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;
        return SequenceLength(byte) > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

}  // namespace wv
