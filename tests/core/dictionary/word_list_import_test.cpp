#include "core/dictionary/word_list_import.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

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

}  // namespace

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

// The program's own bounds, through its own import: each part fails should
// its bound be lifted.
TEST_F(WordListImport, TheDefaultBoundsHoldAHostileList) {
    const auto list = m_dir / "dict.lst";
    wvtest::WriteFile(list, std::string(256, 'x') + "\n" + std::string(257, 'y') + "\n");
    EXPECT_TRUE(Import(false));
    EXPECT_EQ(m_store.CountWords(), 1);

    wvtest::WriteFile(list, "first\n");  // then a hole of 32 MiB, which costs no disk
    std::filesystem::resize_file(list, std::uintmax_t{32} << 20);
    std::ofstream(list, std::ios::app) << "\nbeyond\n";
    EXPECT_FALSE(Import(false));
    EXPECT_TRUE(m_store.Contains("first") && !m_store.Contains("beyond"));

    std::string words;  // 16,000 words of 250 bytes would take 4 million nodes
    for (int i = 0; i < 16000; ++i)
        words += std::string{char('A' + i % 50), char('A' + i / 50 % 50), char('A' + i / 2500)} +
                 std::string(247, 'n') + "\n";
    wvtest::WriteFile(list, words);
    EXPECT_FALSE(Import(false));
    EXPECT_LE(m_store.CountNodes(), 3'500'000u);

    // Lines that each walk 128 letters, each the last of 200 siblings, take
    // far longer than two seconds.
    std::string path, slow;
    for (int level = 0; level < 128; ++level, path += ' ')
        for (int sibling = 0; sibling < 200; ++sibling) slow += path + char('!' + sibling) + "\n";
    for (int i = 0; i < 200000; ++i) slow += path + "\n";
    wvtest::WriteFile(list, slow + "last\n");
    EXPECT_FALSE(Import(false));
    EXPECT_FALSE(m_store.Contains("last"));
}
