#include <string>

#include <gtest/gtest.h>

#include "core/dictionary/word_trie.h"
#include "test_paths.h"
#include "trie_shape.h"

using wv::WordTrie;

using wvtest::DumpTrie;
using wvtest::DumpWords;

namespace {

class WordListFile : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        wvtest::WriteFile(m_dir / name, bytes);
        return (m_dir / name).string();
    }
    // The words of a file loaded into a fresh store, as DumpTrie text.
    std::string Load(const std::string& bytes) {
        WordTrie trie;
        EXPECT_TRUE(trie.LoadWordList(Write("list.lst", bytes), false));
        return DumpTrie(trie.Root());
    }

    wvtest::ScopedTempDir m_dir;
};

} // namespace

TEST_F(WordListFile, EveryLineIsAWordAsItStands) {
    WordTrie trie;
    EXPECT_TRUE(trie.LoadWordList(Write("list.lst", "cat\n\ncat \nCat\ncat\n"), false));
    EXPECT_EQ(trie.CountWords(), 4);
    EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"cat", "", "cat ", "Cat"}));
}

TEST_F(WordListFile, FinalTerminatorEndsTheLastLine) {
    EXPECT_EQ(Load("one\ntwo"), DumpWords({"one", "two"}));
    EXPECT_EQ(Load("one\ntwo\n"), DumpWords({"one", "two"}));
    EXPECT_EQ(Load(""), "[]");
    EXPECT_EQ(Load("\n"), DumpWords({""}));
}

TEST_F(WordListFile, OnlyACarriageReturnBeforeALineFeedEndsTheLine) {
    EXPECT_EQ(Load("one\r\ntwo\r\n"), Load("one\ntwo\n"));
    EXPECT_EQ(Load("a\rb\r\r\nc\r"), DumpWords({"a\rb\r", "c\r"}));
}

TEST_F(WordListFile, LinesLongerThanAReadBlockStayWhole) {
    // CR LF split across the reader's block boundary, and a line spanning
    // several blocks.
    const std::string first(64 * 1024 - 1, 'x');
    const std::string second(200 * 1024, 'y');
    WordTrie trie;
    ASSERT_TRUE(trie.LoadWordList(Write("long.lst", first + "\r\n" + second + "\r\nz"), false));
    EXPECT_EQ(trie.CountWords(), 3);
    EXPECT_EQ(trie.CountNodes(), first.size() + second.size() + 1 + 3);
}

TEST_F(WordListFile, ReplacingLoadEmptiesTheStoreFirst) {
    WordTrie trie;
    ASSERT_TRUE(trie.LoadWordList(Write("first.lst", "alpha\nbeta\n"), false));
    ASSERT_TRUE(trie.LoadWordList(Write("second.lst", "beta\ngamma\n"), true));
    EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"alpha", "beta", "gamma"}));

    ASSERT_TRUE(trie.LoadWordList((m_dir / "second.lst").string(), false));
    EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"beta", "gamma"}));
}

TEST_F(WordListFile, FileThatCannotBeReadFailsQuietly) {
    for (const auto& path : {(m_dir / "missing.lst").string(), m_dir.path().string()}) {
        SCOPED_TRACE(path);
        WordTrie trie;
        trie.Insert("kept");
        EXPECT_FALSE(trie.LoadWordList(path, true));
        EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"kept"}));

        EXPECT_FALSE(trie.LoadWordList(path, false));
        EXPECT_EQ(trie.CountWords(), 0);
        EXPECT_EQ(trie.Root(), nullptr);
    }
}

TEST_F(WordListFile, MegabyteLineLoadsCountsAndFrees) {
    const std::string word(1024 * 1024, 'w');
    {
        WordTrie trie;
        ASSERT_TRUE(trie.LoadWordList(Write("huge.lst", word), false));
        EXPECT_EQ(trie.CountWords(), 1);
        EXPECT_EQ(trie.CountNodes(), word.size() + 1);
        // Replacing frees the old words the same way the destructor does.
        ASSERT_TRUE(trie.LoadWordList(Write("mixed.lst", word + "\n" + word + "v\n"), false));
        EXPECT_EQ(trie.CountWords(), 2);
    }
}
