#include "core/app/variant_settings.h"

#include "core/text/cp1252.h"

namespace wv {

namespace {
bool SameIgnoringCase(std::string_view a, std::string_view b) { return AsciiUpper(a) == AsciiUpper(b); }
}  // namespace

std::string_view VariantModeText(VariantMode mode) {
    return mode == VariantMode::LikelyTypos ? "LikelyTypos" : "LetterOrder";
}

std::optional<VariantMode> ParseVariantMode(std::string_view text) {
    for (VariantMode mode : {VariantMode::LetterOrder, VariantMode::LikelyTypos})
        if (SameIgnoringCase(text, VariantModeText(mode))) return mode;
    return std::nullopt;
}

std::optional<bool> ParseSettingsBool(std::string_view text) {
    for (const char* yes : {"1", "true", "yes", "on"})
        if (SameIgnoringCase(text, yes)) return true;
    for (const char* no : {"0", "false", "no", "off"})
        if (SameIgnoringCase(text, no)) return false;
    return std::nullopt;
}

VariantSettings ReadVariantSettings(const SettingsReader& read) {
    VariantSettings settings;
    if (const auto text = read(kVariantModeKey)) settings.mode = ParseVariantMode(*text).value_or(settings.mode);
    if (const auto text = read(kSkipRealWordsKey))
        settings.skipRealWords = ParseSettingsBool(*text).value_or(settings.skipRealWords);
    return settings;
}

void WriteVariantSettings(const VariantSettings& settings, const SettingsWriter& write) {
    write(kVariantModeKey, std::string(VariantModeText(settings.mode)));
    write(kSkipRealWordsKey, settings.skipRealWords ? "1" : "0");
}

}  // namespace wv
