// Reading files named from outside: only regular files, never a wait.
#include "core/file/regular_file.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "fifo.h"
#include "test_paths.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

TEST(ReadRegularFile, WholeFileUpToTheLimitAndNothingBeyond) {
    wvtest::ScopedTempDir dir;
    const std::string path = (dir / "banner.gif").string();
    const std::string content(70 * 1024 + 3, 'g');  // more than one read's growth step
    wvtest::WriteFile(path, content);

    Bytes bytes = ToBytes("stale");
    ASSERT_TRUE(wv::ReadRegularFile(path, content.size(), bytes));
    EXPECT_EQ(bytes, ToBytes(content));

    EXPECT_FALSE(wv::ReadRegularFile(path, content.size() - 1, bytes));
    EXPECT_TRUE(bytes.empty());

    wvtest::WriteFile(path, "");
    EXPECT_TRUE(wv::ReadRegularFile(path, 0, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadRegularFile, AnythingButARegularFileIsRefusedAtOnce) {
    wvtest::ScopedTempDir dir;
    const auto fifo = dir / "dict.lst";
    wvtest::MakeFifo(fifo);
    Bytes bytes;
    bool read = true;
    EXPECT_TRUE(wvtest::ReturnsWithoutWaitingOn(fifo, [&] { read = wv::ReadRegularFile(fifo, 1024, bytes); }));
    EXPECT_FALSE(read);

    int error = 0;
    EXPECT_TRUE(wvtest::ReturnsWithoutWaitingOn(fifo, [&] {
        const int fd = wv::OpenRegularFile(fifo);
        error = errno;
        if (fd >= 0) ::close(fd);
    }));
    EXPECT_EQ(error, EINVAL);

    // A device that never ends, a folder, nothing at all.
    EXPECT_FALSE(wv::ReadRegularFile("/dev/zero", 1u << 30, bytes));
    EXPECT_FALSE(wv::ReadRegularFile(dir.path().string(), 1024, bytes));
    EXPECT_FALSE(wv::ReadRegularFile((dir / "missing").string(), 1024, bytes));
    EXPECT_TRUE(bytes.empty());
}
