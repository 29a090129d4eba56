#include "core/dictionary/word_trie.h"

#include <string>

#include <gtest/gtest.h>

#include "trie_shape.h"

using wv::TrieNode;
using wv::WordTrie;

using wvtest::DumpTrie;

TEST(WordTrie, EmptyStoreHasNoWords) {
    WordTrie trie;
    EXPECT_EQ(trie.CountWords(), 0);
    EXPECT_EQ(trie.Root(), nullptr);
}

TEST(WordTrie, AlternativesAreAppendedToTheChainInInsertionOrder) {
    WordTrie trie;
    trie.Insert("ab");
    trie.Insert("ac");
    trie.Insert("a");
    EXPECT_EQ(trie.CountWords(), 3);

    const TrieNode* a = trie.Root();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Letter(), 'a');
    EXPECT_EQ(a->Sibling(), nullptr);
    const TrieNode* b = a->Child();
    ASSERT_NE(b, nullptr);
    const TrieNode* c = b->Sibling();
    ASSERT_NE(c, nullptr);
    const TrieNode* end = c->Sibling();
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(b->Letter(), 'b');
    EXPECT_EQ(c->Letter(), 'c');
    EXPECT_TRUE(end->IsEndOfWord());
    EXPECT_EQ(end->Sibling(), nullptr);
    EXPECT_EQ(end->Child(), nullptr);
    for (const TrieNode* letter : {b, c}) {
        ASSERT_NE(letter->Child(), nullptr);
        EXPECT_TRUE(letter->Child()->IsEndOfWord());
        EXPECT_EQ(letter->Child()->Sibling(), nullptr);
    }
    EXPECT_EQ(DumpTrie(trie.Root()), "[a[b[.]c[.].]]");
}

TEST(WordTrie, StoringAWordTwiceAddsNothing) {
    WordTrie trie;
    trie.Insert("ab");
    const std::size_t nodes = trie.CountNodes();
    trie.Insert("ab");
    EXPECT_EQ(trie.CountWords(), 1);
    EXPECT_EQ(trie.CountNodes(), nodes);
}

TEST(WordTrie, EmptyWordIsAnEndOfWordNodeOnTheRootChain) {
    WordTrie trie;
    trie.Insert("x");
    trie.Insert("");
    trie.Insert("");
    EXPECT_EQ(DumpTrie(trie.Root()), "[x[.].]");
    EXPECT_EQ(trie.CountWords(), 2);
}

TEST(WordTrie, BytesAreComparedForEqualityOnly) {
    WordTrie trie;
    for (const char* word : {"a", "A", "\xE9", "\xC9", "\x7F"}) trie.Insert(word);
    EXPECT_EQ(trie.CountWords(), 5);
    EXPECT_EQ(wvtest::CheckInvariants(trie.Root()), "");
}

TEST(WordTrie, WordEndsAtItsFirstZeroByte) {
    WordTrie trie;
    const std::string withZero("ab\0cd", 5);
    trie.Insert(withZero.c_str());
    trie.Insert("ab");
    EXPECT_EQ(DumpTrie(trie.Root()), "[a[b[.]]]");
}

// Freeing walks child and sibling links alike; both shapes of a large trie
// must go without deep recursion (and without leaks under the sanitizer).
TEST(WordTrie, WideAndDeepTriesAreCountedAndFreed) {
    WordTrie trie;
    std::string word;
    for (int i = 0; i < 200000; ++i) {
        word += static_cast<char>('a' + i % 26);
        if (i % 1000 == 0) trie.Insert(word.c_str());
    }
    for (int first = 1; first < 256; ++first)
        for (int second = 1; second < 256; second += 17) {
            const char pair[] = {static_cast<char>(first), static_cast<char>(second), 0};
            trie.Insert(pair);
        }
    EXPECT_EQ(trie.CountWords(), 200 + 255 * 15);
    EXPECT_EQ(wvtest::CheckInvariants(trie.Root()), "");
}
