#include <filesystem>
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
