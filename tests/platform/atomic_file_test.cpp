// Whole-file writes: the new file appears whole or not at all, and a failed
// write leaves the old file and the folder as they were.
#include "platform/atomic_file.h"

#include <csignal>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "test_paths.h"

namespace fs = std::filesystem;

namespace {

long Entries(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), {}); }

TEST(AtomicFile, WritesANewFileAndReplacesAnOldOneKeepingItsPermissionsAndLinks) {
    wvtest::ScopedTempDir dir;
    const fs::path file = dir / "list.csv";
    ASSERT_TRUE(wv::WriteFileAtomically(file.string(), std::string("a\0b", 3)));
    EXPECT_EQ(wvtest::ReadFile(file), std::string("a\0b", 3));

    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    const fs::path link = dir / "link.csv";
    fs::create_symlink(file, link);
    ASSERT_TRUE(wv::WriteFileAtomically(link.string(), "second"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(wvtest::ReadFile(file), "second");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
    EXPECT_EQ(Entries(dir.path()), 2);  // no temporary file left
}

TEST(AtomicFile, AFolderThatCannotTakeTheFileIsReportedAndNothingIsWritten) {
    wvtest::ScopedTempDir dir;
    wvtest::WriteFile(dir / "plain", "a file, not a folder");
    for (const fs::path& bad : {dir / "plain" / "list.csv", dir / "missing" / "list.csv", dir.path(), fs::path()}) {
        std::string error;
        EXPECT_FALSE(wv::WriteFileAtomically(bad.string(), "rows", &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_EQ(wvtest::ReadFile(dir / "plain"), "a file, not a folder");
    EXPECT_EQ(Entries(dir.path()), 1);
    std::string error;  // the real reason
    EXPECT_FALSE(wv::WriteFileAtomically("/dev/full", "rows", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

TEST(AtomicFile, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    wvtest::ScopedTempDir dir;
    const fs::path file = dir / "list.csv";
    wvtest::WriteFile(file, std::string(3000, 'o'));

    // A file size limit stops the write partway, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string error;
    const bool written = wv::WriteFileAtomically(file.string(), std::string(4096, 'n'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(wvtest::ReadFile(file), std::string(3000, 'o'));
    EXPECT_EQ(Entries(dir.path()), 1);
}

}  // namespace
