// Whole-file writes: the new file appears whole or not at all, and a failed
// write leaves the old file and the folder as they were.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "test_paths.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

TEST(AtomicFile, WritesANewFileAndReplacesAnOldOneKeepingItsPermissions) {
    wvtest::ScopedTempDir dir;
    const fs::path file = dir / "list.csv";
    std::string error = "untouched";
    ASSERT_TRUE(wv::WriteFileAtomically(file.string(), std::string("a\0b", 3), &error));
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(wvtest::ReadFile(file), std::string("a\0b", 3));
    EXPECT_EQ(Mode(file) & 0600, 0600u);

    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(wv::WriteFileAtomically(file.string(), "second"));
    EXPECT_EQ(wvtest::ReadFile(file), "second");
    EXPECT_EQ(Mode(file), 0640u);
    ASSERT_TRUE(wv::WriteFileAtomically(file.string(), ""));
    EXPECT_EQ(wvtest::ReadFile(file), "");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"list.csv"}));  // no temporary left

    // Through a link: the link stays a link and its target gets the bytes.
    const fs::path link = dir / "link.csv";
    fs::create_symlink(file, link);
    ASSERT_TRUE(wv::WriteFileAtomically(link.string(), "through the link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(wvtest::ReadFile(file), "through the link");
}

TEST(AtomicFile, AFolderThatCannotTakeTheFileIsReportedAndNothingIsWritten) {
    wvtest::ScopedTempDir dir;
    wvtest::WriteFile(dir / "plain", "a file, not a folder");
    for (const fs::path& bad : {dir / "plain" / "list.csv", dir / "missing" / "list.csv"}) {
        std::string error;
        EXPECT_FALSE(wv::WriteFileAtomically(bad.string(), "rows", &error)) << bad;
        EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    }
    std::string error;
    EXPECT_FALSE(wv::WriteFileAtomically(dir.path().string(), "rows", &error));  // a folder's own name
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(wv::WriteFileAtomically("", "rows", &error));
    EXPECT_EQ(wvtest::ReadFile(dir / "plain"), "a file, not a folder");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"plain"}));
}

TEST(AtomicFile, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    wvtest::ScopedTempDir dir;
    const fs::path file = dir / "list.csv";
    const std::string old(3000, 'o');
    wvtest::WriteFile(file, old);

    // A file size limit makes the write stop partway, as a full disk would.
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
    EXPECT_EQ(wvtest::ReadFile(file), old);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"list.csv"}));
}

} // namespace
