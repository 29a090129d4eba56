// Reading a banner line's display time and the wait it gives.
#include "core/banner/display_time.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/app/working_dir.h"
#include "core/banner/banner_rotation.h"
#include "test_paths.h"

using wv::BannerRotation;
using wv::DisplayWait;
using wv::kLongestDisplayWait;
using wv::ReadDisplayMinutes;

using namespace std::chrono_literals;

TEST(DisplayTime, ReadsTheLongestDecimalPrefixLikeAtof) {
    struct Case {
        const char* text;
        double minutes;
    };
    const Case cases[] = {
        {"2", 2.0},      {"0.5", 0.5},   {" \t\n0.25xyz", 0.25},
        {".5", 0.5},     {"5.", 5.0},    {"+1.5", 1.5},
        {"-3", -3.0},    {"1e2", 100.0}, {"1.5E-1|", 0.15},
        {"1e", 1.0},     {"1e+", 1.0},   {"2e-x", 2.0},
        {"", 0.0},       {"abc", 0.0},   {".", 0.0},
        {"-", 0.0},      {"|2|", 0.0},   {"1 2", 1.0},
        {"00012", 12.0}, {"3,5", 3.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(ReadDisplayMinutes(c.text), c.minutes) << c.text;
}

TEST(DisplayTime, InfinityNanAndHexadecimalAreNotNumbers) {
    EXPECT_EQ(ReadDisplayMinutes("inf"), 0.0);
    EXPECT_EQ(ReadDisplayMinutes("INFINITY"), 0.0);
    EXPECT_EQ(ReadDisplayMinutes("nan"), 0.0);
    EXPECT_EQ(ReadDisplayMinutes("-nan(1)"), 0.0);
    EXPECT_EQ(ReadDisplayMinutes("0x10"), 0.0);  // the "0" before the x
    EXPECT_EQ(ReadDisplayMinutes("0x1p4"), 0.0);
    EXPECT_EQ(ReadDisplayMinutes("1x10"), 1.0);
    // Beyond a double's range: infinite, which waits nothing.
    EXPECT_TRUE(std::isinf(ReadDisplayMinutes("1e999")));
    EXPECT_EQ(ReadDisplayMinutes("1e-999"), 0.0);
}

TEST(DisplayTime, ReadsAPointWhateverTheProgramsLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "ru_RU.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_DOUBLE_EQ(ReadDisplayMinutes("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadDisplayMinutes("3,5"), 3.0);
    std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(DisplayTime, WaitIsMinutesTimesSixtyThousandTruncated) {
    EXPECT_EQ(DisplayWait(0.5), 30000ms);
    EXPECT_EQ(DisplayWait(2.0), 120000ms);
    EXPECT_EQ(DisplayWait(0.0001), 6ms);
    EXPECT_EQ(DisplayWait(1.0 / 60000.0 * 1.9), 1ms);
    EXPECT_EQ(DisplayWait(1e-9), 0ms);
}

TEST(DisplayTime, NonPositiveOrNonFiniteTimesWaitNothingAndHugeOnesAreCut) {
    EXPECT_EQ(DisplayWait(0.0), 0ms);
    EXPECT_EQ(DisplayWait(-0.5), 0ms);
    EXPECT_EQ(DisplayWait(-1e300), 0ms);
    EXPECT_EQ(DisplayWait(std::numeric_limits<double>::quiet_NaN()), 0ms);
    EXPECT_EQ(DisplayWait(std::numeric_limits<double>::infinity()), 0ms);
    EXPECT_EQ(DisplayWait(1e300), kLongestDisplayWait);
    EXPECT_EQ(DisplayWait(1e6), kLongestDisplayWait);  // 60e9 ms
    EXPECT_EQ(DisplayWait(70000.0), 4200000000ms);     // still below the cut
}

TEST(BannerFields, ExtractFieldIsEmptyWithoutItsEnd) {
    const std::string line = "2|http://x/|a.gif|";
    EXPECT_EQ(BannerRotation::ExtractField(line, 0, 1), "2");
    EXPECT_EQ(BannerRotation::ExtractField(line, 2, 11), "http://x/");
    EXPECT_EQ(BannerRotation::ExtractField(line, 0, std::string::npos), "");
    EXPECT_EQ(BannerRotation::ExtractField(line, 3, 3), "");
    EXPECT_EQ(BannerRotation::ExtractField(line, 40, 50), "");
}

TEST(BannerFields, WorkingDirectoryFileIsTheWholeDirectoryAndTheName) {
    wvtest::ScopedTempDir dir;
    const std::filesystem::path deep =
        dir.path() / std::string(120, 'd') / std::string(120, 'e') / std::string(60, 'f');
    std::filesystem::create_directories(deep);  // longer than 255 characters
    {
        wvtest::ScopedWorkingDir cwd(deep);
        std::string path;
        ASSERT_TRUE(wv::WorkingDirectoryFile("VornthalBanner.gif", path));
        EXPECT_EQ(path, std::filesystem::current_path().string() + "/VornthalBanner.gif");
        EXPECT_GT(path.size(), 300u);

        // A working directory that was removed cannot be read.
        std::filesystem::remove(deep);
        EXPECT_FALSE(wv::WorkingDirectoryFile("VornthalBanner.gif", path));
    }
}
