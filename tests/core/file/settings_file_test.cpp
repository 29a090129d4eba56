// The settings file at start: read only when it is a regular file within the
// limit; no file means the defaults; anything else is left alone.
#include "core/file/settings_file.h"

#include <gtest/gtest.h>

#include "fifo.h"
#include "test_paths.h"

using Outcome = wv::SettingsFileRead::Outcome;

TEST(SettingsFile, ReadOnlyARegularFileWithinTheLimit) {
    wvtest::ScopedTempDir dir;
    wvtest::WriteFile(dir / "full", std::string(16, 'x'));
    wvtest::WriteFile(dir / "over", std::string(17, 'x'));
    wvtest::MakeFifo(dir / "fifo");
    const struct {
        std::filesystem::path path;
        Outcome outcome;
        std::string reason;
    } cases[] = {{dir / "full", Outcome::Read, ""},
                 {dir / "missing", Outcome::Missing, ""},
                 {dir / "full" / "x.conf", Outcome::Missing, ""},
                 {dir / "over", Outcome::Ignored, "larger than 16 bytes"},
                 {dir.path(), Outcome::Ignored, "not a regular file"},
                 {dir / "fifo", Outcome::Ignored, "not a regular file"}};
    for (const auto& c : cases) {
        wv::SettingsFileRead read;
        EXPECT_TRUE(wvtest::ReturnsWithoutWaitingOn(dir / "fifo", [&] { read = wv::ReadSettingsFile(c.path, 16); }));
        EXPECT_EQ(read.outcome, c.outcome) << c.path;
        EXPECT_EQ(read.reason, c.reason) << c.path;
        EXPECT_EQ(read.bytes.size(), c.outcome == Outcome::Read ? 16u : 0u) << c.path;
    }
}
