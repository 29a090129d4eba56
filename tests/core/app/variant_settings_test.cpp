#include "core/app/variant_settings.h"

#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace {

using Stored = std::map<std::string, std::string>;

wv::VariantSettings ReadFrom(const Stored& stored) {
    return wv::ReadVariantSettings([&](const char* key) -> std::optional<std::string> {
        const auto it = stored.find(key);
        return it == stored.end() ? std::nullopt : std::optional<std::string>(it->second);
    });
}

TEST(VariantSettings, RoundTripThroughTheTwoKeys) {
    Stored stored;
    const wv::VariantSettings typos{wv::VariantMode::LikelyTypos, false};
    wv::WriteVariantSettings(typos, [&](const char* key, const std::string& value) { stored[key] = value; });
    EXPECT_EQ(stored, (Stored{{"Variants/Mode", "LikelyTypos"}, {"Variants/SkipRealWords", "0"}}));
    EXPECT_EQ(ReadFrom(stored), typos);
}

TEST(VariantSettings, MissingOrDamagedValuesKeepTheirDefaults) {
    const wv::VariantSettings defaults{wv::VariantMode::LetterOrder, true};
    EXPECT_EQ(wv::VariantSettings{}, defaults);
    EXPECT_EQ(ReadFrom({}), defaults);
    EXPECT_EQ(ReadFrom({{"Variants/Mode", "Typos"}, {"Variants/SkipRealWords", "maybe"}}), defaults);
    // Each key is read on its own: a damaged one leaves the other's choice.
    EXPECT_EQ(ReadFrom({{"Variants/Mode", "likelytypos"}, {"Variants/SkipRealWords", ""}}),
              (wv::VariantSettings{wv::VariantMode::LikelyTypos, true}));
    EXPECT_EQ(ReadFrom({{"Variants/Mode", "?"}, {"Variants/SkipRealWords", "False"}}),
              (wv::VariantSettings{wv::VariantMode::LetterOrder, false}));
}

}  // namespace
