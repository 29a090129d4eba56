#include <gtest/gtest.h>

#include "core/dictionary/word_trie.h"

using wv::WordTrie;

namespace {

TEST(WordTrieContains, MatchesWholeWordsOnlyWhateverTheCase) {
    WordTrie trie;
    trie.Insert("camera");
    trie.Insert("Paris");
    trie.Insert("cam");
    EXPECT_TRUE(trie.Contains("camera"));
    EXPECT_TRUE(trie.Contains("CaMeRa"));
    EXPECT_TRUE(trie.Contains("paris"));
    EXPECT_TRUE(trie.Contains("PARIS"));
    EXPECT_TRUE(trie.Contains("cam"));
    EXPECT_FALSE(trie.Contains("came"));     // a prefix of a word only
    EXPECT_FALSE(trie.Contains("cameras"));  // longer than any word
    EXPECT_FALSE(trie.Contains(""));
    EXPECT_FALSE(WordTrie().Contains("camera"));
}

TEST(WordTrieContains, TriesEverySpellingThatDiffersInCase) {
    // "ab" and "AC" share no node, so "Ac" is only found down the second path.
    WordTrie trie;
    trie.Insert("ab");
    trie.Insert("AC");
    EXPECT_TRUE(trie.Contains("Ac"));
    EXPECT_TRUE(trie.Contains("aB"));
    EXPECT_FALSE(trie.Contains("Ad"));
}

TEST(WordTrieContains, FoldsWindows1252PairsButNoOtherBytes) {
    WordTrie trie;
    trie.Insert("caf\xE9");  // café
    trie.Insert(
        "\x8A"
        "a");  // Ša
    trie.Insert(
        "1\xD7"
        "2");  // 1×2
    EXPECT_TRUE(trie.Contains("CAF\xC9"));
    EXPECT_TRUE(
        trie.Contains("\x9A"
                      "A"));
    EXPECT_TRUE(
        trie.Contains("1\xD7"
                      "2"));
    EXPECT_FALSE(
        trie.Contains("1\xF7"
                      "2"));  // × and ÷ sit where a case pair would
    EXPECT_FALSE(trie.Contains(std::string_view("cam\0ra", 6)));
}

}  // namespace
