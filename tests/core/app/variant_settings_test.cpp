#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "core/app/variant_settings.h"

namespace {

using Stored = std::map<std::string, std::string>;

wv::VariantSettings ReadFrom(const Stored& stored) {
    return wv::ReadVariantSettings([&](const char* key) -> std::optional<std::string> {
        const auto it = stored.find(key);
        if (it == stored.end()) return std::nullopt;
        return it->second;
    });
}

TEST(VariantSettings, RoundTripThroughTheTwoKeys) {
    Stored stored;
    const auto writer = [&](const char* key, const std::string& value) { stored[key] = value; };
    const wv::VariantSettings typos{wv::VariantMode::LikelyTypos, false};
    wv::WriteVariantSettings(typos, writer);
    EXPECT_EQ(stored, (Stored{{"Variants/Mode", "LikelyTypos"}, {"Variants/SkipRealWords", "0"}}));
    EXPECT_EQ(ReadFrom(stored), typos);

    wv::WriteVariantSettings(wv::VariantSettings{}, writer);
    EXPECT_EQ(stored["Variants/Mode"], "LetterOrder");
    EXPECT_EQ(stored["Variants/SkipRealWords"], "1");
    EXPECT_EQ(ReadFrom(stored), wv::VariantSettings{});
}

TEST(VariantSettings, MissingOrDamagedValuesKeepTheirDefaults) {
    const wv::VariantSettings defaults;
    EXPECT_EQ(defaults.mode, wv::VariantMode::LetterOrder);
    EXPECT_TRUE(defaults.skipRealWords);
    EXPECT_EQ(ReadFrom({}), defaults);
    EXPECT_EQ(ReadFrom({{"Variants/Mode", "Typos"}, {"Variants/SkipRealWords", "maybe"}}), defaults);
    EXPECT_EQ(ReadFrom({{"Variants/Mode", ""}, {"Variants/SkipRealWords", ""}}), defaults);
    // Each key is read on its own: a damaged one leaves the other's choice.
    EXPECT_EQ(ReadFrom({{"Variants/Mode", "likelytypos"}, {"Variants/SkipRealWords", "x"}}),
              (wv::VariantSettings{wv::VariantMode::LikelyTypos, true}));
    EXPECT_EQ(ReadFrom({{"Variants/Mode", "?"}, {"Variants/SkipRealWords", "False"}}),
              (wv::VariantSettings{wv::VariantMode::LetterOrder, false}));
}

TEST(VariantSettings, BooleanTextsAsSettingsFilesWriteThem) {
    for (const char* yes : {"1", "true", "TRUE", "yes", "On"}) EXPECT_EQ(wv::ParseSettingsBool(yes), true) << yes;
    for (const char* no : {"0", "false", "No", "off"}) EXPECT_EQ(wv::ParseSettingsBool(no), false) << no;
    for (const char* neither : {"", "2", " 1", "truth"})
        EXPECT_EQ(wv::ParseSettingsBool(neither), std::nullopt) << neither;
}

} // namespace
