#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "core/dictionary/word_list_import.h"
#include "core/dictionary/word_trie.h"
#include "test_paths.h"
#include "trie_shape.h"

using wv::WordTrie;

using wvtest::DumpTrie;
using wvtest::DumpWords;

namespace {

class WordListImport : public ::testing::Test {
protected:
    WordListImport() { wvtest::WriteFile(m_dir / "dict.lst", "new\nboth\n"); }

    // Runs the import with a fixed answer and records whether it was asked.
    bool Import(bool answer) {
        return wv::ImportWordList(m_store, [&] {
            ++m_questions;
            return answer;
        });
    }

    wvtest::ScopedTempDir m_dir;
    wvtest::ScopedWorkingDir m_cwd{m_dir.path()};
    WordTrie m_store;
    int m_questions = 0;
};

} // namespace

TEST_F(WordListImport, EmptyStoreLoadsWithoutAsking) {
    EXPECT_TRUE(Import(false));
    EXPECT_EQ(m_questions, 0);
    EXPECT_EQ(DumpTrie(m_store.Root()), DumpWords({"new", "both"}));
}

TEST_F(WordListImport, StoreWithWordsAsksThenAppendsOrReplaces) {
    m_store.Insert("old");
    m_store.Insert("both");
    EXPECT_TRUE(Import(true));
    EXPECT_EQ(m_questions, 1);
    EXPECT_EQ(DumpTrie(m_store.Root()), DumpWords({"old", "both", "new"}));

    EXPECT_TRUE(Import(false));
    EXPECT_EQ(m_questions, 2);
    EXPECT_EQ(DumpTrie(m_store.Root()), DumpWords({"new", "both"}));
}

TEST_F(WordListImport, MissingListLeavesAnEmptyStore) {
    std::filesystem::remove(m_dir / "dict.lst");
    EXPECT_FALSE(Import(false));
    EXPECT_EQ(m_store.CountWords(), 0);
}

TEST_F(WordListImport, UnreadableWorkingDirectoryLoadsNothing) {
    const auto gone = m_dir / "gone";
    std::filesystem::create_directory(gone);
    wvtest::ScopedWorkingDir inside(gone);
    std::filesystem::remove(gone);

    m_store.Insert("old");
    EXPECT_FALSE(Import(false));
    EXPECT_EQ(m_questions, 0);
    EXPECT_EQ(DumpTrie(m_store.Root()), DumpWords({"old"}));
}

// The program's own bounds on a hostile list, through the program's path:
// each part fails should its bound be lifted.
TEST_F(WordListImport, TheDefaultBoundsHoldAHostileList) {
    const auto list = m_dir / "dict.lst";
    auto importing = [&](const std::string& bytes) {
        wvtest::WriteFile(list, bytes);
        return Import(false);
    };
    // Lines of up to 256 bytes.
    EXPECT_TRUE(importing(std::string(256, 'x') + "\n" + std::string(257, 'y') + "\n"));
    EXPECT_EQ(m_store.CountWords(), 1);
    EXPECT_TRUE(m_store.Contains(std::string(256, 'x')));

    // 32 MiB of the file: a word past them (beyond a hole that costs no disk).
    wvtest::WriteFile(list, "first\n");
    std::filesystem::resize_file(list, std::uintmax_t{32} << 20);
    std::ofstream(list, std::ios::app) << "\nbeyond\n";
    EXPECT_FALSE(Import(false));
    EXPECT_TRUE(m_store.Contains("first"));
    EXPECT_FALSE(m_store.Contains("beyond"));

    // 3.5 million nodes: 16,000 words of 250 bytes would take 4 million.
    std::string words;
    for (int i = 0; i < 16000; ++i)
        words += std::string{char('A' + i % 50), char('A' + i / 50 % 50), char('A' + i / 2500)} + std::string(247, 'n') + "\n";
    EXPECT_FALSE(importing(words));
    EXPECT_LE(m_store.CountNodes(), 3'500'000u);
    EXPECT_FALSE(m_store.Contains(words.substr(words.size() - 251, 250)));

    // Two seconds: every line after the first few thousand walks a path of
    // 128 letters, each the last of 200 siblings, which takes many seconds.
    std::string path, slow;
    for (int level = 0; level < 128; ++level) {
        for (int sibling = 0; sibling < 200; ++sibling) slow += path + char(' ' + 1 + sibling) + "\n";
        path += ' ';
    }
    for (int i = 0; i < 200000; ++i) slow += path + "\n";
    EXPECT_LT(slow.size(), std::size_t{32} << 20);
    EXPECT_FALSE(importing(slow + "last\n"));
    EXPECT_FALSE(m_store.Contains("last"));
}
