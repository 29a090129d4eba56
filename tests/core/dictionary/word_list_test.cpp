#include <string>

#include <gtest/gtest.h>

#include "core/dictionary/word_trie.h"
#include "fifo.h"
#include "test_paths.h"
#include "trie_shape.h"

using wv::WordTrie;

using wvtest::DumpTrie;
using wvtest::DumpWords;

namespace {

// No bound but memory, for tests of the trie's handling of huge words.
wv::WordListLimits Unbounded() {
    wv::WordListLimits limits;
    limits.maxFileBytes = UINT64_MAX;
    limits.maxWordBytes = SIZE_MAX;
    limits.maxNodes = SIZE_MAX;
    limits.maxTime = std::chrono::hours(1);
    return limits;
}

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

}  // namespace

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
    ASSERT_TRUE(trie.LoadWordList(Write("long.lst", first + "\r\n" + second + "\r\nz"), false, Unbounded()));
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
        ASSERT_TRUE(trie.LoadWordList(Write("huge.lst", word), false, Unbounded()));
        EXPECT_EQ(trie.CountWords(), 1);
        EXPECT_EQ(trie.CountNodes(), word.size() + 1);
        // Replacing frees the old words the same way the destructor does.
        ASSERT_TRUE(trie.LoadWordList(Write("mixed.lst", word + "\n" + word + "v\n"), false, Unbounded()));
        EXPECT_EQ(trie.CountWords(), 2);
    }
}

// A hostile list: every bound ends or skips what would cost too much, and
// keeps the words read before it.
TEST_F(WordListFile, OverLongLinesArePassedOverWhereverTheyEnd) {
    wv::WordListLimits limits;
    limits.maxWordBytes = 5;
    WordTrie trie;
    // Exactly 5 bytes (a CR before the LF is no part of it), 6 bytes, a line
    // longer than a read block, and an over-long last line without its LF.
    const std::string list = "abcde\r\nabcdef\nok\n" + std::string(100 * 1024, 'x') + "\nend\n123456";
    EXPECT_TRUE(trie.LoadWordList(Write("list.lst", list), false, limits));
    EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"abcde", "ok", "end"}));
}

TEST_F(WordListFile, ByteLimitEndsTheLoadAndDropsTheLineItCuts) {
    const std::string list = "one\ntwo\nthree\n";
    wv::WordListLimits limits;
    for (std::size_t cut : {9u, 13u}) {  // inside "three", right before its LF
        SCOPED_TRACE(cut);
        limits.maxFileBytes = cut;
        WordTrie trie;
        EXPECT_FALSE(trie.LoadWordList(Write("list.lst", list), false, limits));
        EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"one", "two"}));
    }
    limits.maxFileBytes = list.size();
    WordTrie trie;
    EXPECT_TRUE(trie.LoadWordList(Write("list.lst", list), false, limits));
    EXPECT_EQ(trie.CountWords(), 3);
}

TEST_F(WordListFile, NodeLimitCountsTheWordsAlreadyStored) {
    wv::WordListLimits limits;
    limits.maxNodes = 12;
    WordTrie trie;
    trie.Insert("old");  // 4 nodes
    // A word is let in when its length and end node still fit: "cat" (8
    // nodes then), "car" (10); "dog" might make 14.
    EXPECT_FALSE(trie.LoadWordList(Write("list.lst", "cat\ncar\ndog\nca\n"), true, limits));
    EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"old", "cat", "car"}));
    EXPECT_LE(trie.CountNodes(), limits.maxNodes);
}

TEST_F(WordListFile, TimeLimitEndsTheLoad) {
    wv::WordListLimits limits;
    limits.maxTime = std::chrono::milliseconds(0);
    WordTrie trie;
    EXPECT_FALSE(trie.LoadWordList(Write("list.lst", "one\n"), false, limits));
    EXPECT_EQ(trie.CountWords(), 0);
}

TEST_F(WordListFile, AFifoIsRefusedWithoutWaitingForAWriter) {
    const auto fifo = m_dir / "dict.lst";
    wvtest::MakeFifo(fifo);
    WordTrie trie;
    trie.Insert("kept");
    bool loaded = true;
    EXPECT_TRUE(wvtest::ReturnsWithoutWaitingOn(fifo, [&] { loaded = trie.LoadWordList(fifo, true); }));
    EXPECT_FALSE(loaded);
    EXPECT_EQ(DumpTrie(trie.Root()), DumpWords({"kept"}));
}
