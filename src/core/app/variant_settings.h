#pragma once
// The Variants menu's choices as the settings file keeps them: which
// generator a run uses and whether Likely Typos leaves out real words.
// Pure; the caller reads and writes the settings file.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wv {

enum class VariantMode { LetterOrder, LikelyTypos };

struct VariantSettings {
    VariantMode mode = VariantMode::LetterOrder;
    bool skipRealWords = true;

    bool operator==(const VariantSettings&) const = default;
};

inline constexpr char kVariantModeKey[] = "Variants/Mode";
inline constexpr char kSkipRealWordsKey[] = "Variants/SkipRealWords";

// "LetterOrder" or "LikelyTypos".
std::string_view VariantModeText(VariantMode mode);
// The mode a text names (case ignored), or none.
std::optional<VariantMode> ParseVariantMode(std::string_view text);
// "1"/"0", "true"/"false", "yes"/"no", "on"/"off" (case ignored), or none.
std::optional<bool> ParseSettingsBool(std::string_view text);

// The stored value of a key, or none when the file lacks it.
using SettingsReader = std::function<std::optional<std::string>(const char* key)>;
using SettingsWriter = std::function<void(const char* key, const std::string& value)>;

// A missing or unreadable value keeps its default, so a damaged settings
// file costs the choice, never the start-up.
VariantSettings ReadVariantSettings(const SettingsReader& read);
// Writes the mode's text and "1" or "0".
void WriteVariantSettings(const VariantSettings& settings, const SettingsWriter& write);

}  // namespace wv
