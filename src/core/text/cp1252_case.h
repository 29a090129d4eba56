#pragma once
// Letter case of Windows-1252 bytes, whatever the locale: ASCII letters plus
// the code page's upper/lower pairs (0xC0-0xDE with 0xE0-0xFE, and Š Œ Ž Ÿ).
// Bytes without a partner (ß, ª, digits, ...) fold to themselves.
// Pure constexpr functions; any thread.
namespace wv {

constexpr unsigned char LowerCp1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F) return 0xFF;
    return c;
}

constexpr unsigned char UpperCp1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 0x10);
    if (c == 0xFF) return 0x9F;
    return c;
}

constexpr char LowerCp1252(char c) { return static_cast<char>(LowerCp1252(static_cast<unsigned char>(c))); }
constexpr char UpperCp1252(char c) { return static_cast<char>(UpperCp1252(static_cast<unsigned char>(c))); }

constexpr bool IsUpperCp1252(char c) { return LowerCp1252(c) != c; }
constexpr bool IsLowerCp1252(char c) { return UpperCp1252(c) != c; }

}  // namespace wv
