#pragma once
// The word dictionary: a character trie of words, filled from a plain-text
// word list.  Words are byte strings stored as they are; only Contains
// folds letter case (Windows-1252 pairs), everything else compares bytes.
//
// Threads: no locking; a store is used by one thread at a time.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wv {

// One position of one or more words.  A node with letter 0 ends a word and
// never has a child.  Each node owns its sibling chain behind it and its
// child subtree; destroying it frees them without recursion, so words of any
// length can be freed.
//
// Final and without virtual functions: a large word list holds millions of
// nodes, and a vtable pointer would take each from 32 to 48 bytes of heap.
class TrieNode final {
public:
    explicit TrieNode(char chLetter) noexcept : m_chLetter(chLetter) {}
    ~TrieNode();
    TrieNode(const TrieNode&) = delete;
    TrieNode& operator=(const TrieNode&) = delete;

    char Letter() const { return m_chLetter; }
    bool IsEndOfWord() const { return m_chLetter == 0; }
    // The next alternative byte at this position, or null at the chain's end.
    const TrieNode* Sibling() const { return m_pSibling; }
    // The first node of the next position, or null.
    const TrieNode* Child() const { return m_pChild; }

private:
    friend class WordTrie;
    static void DeleteChain(TrieNode* node) noexcept;

    char m_chLetter;
    TrieNode* m_pSibling = nullptr;
    TrieNode* m_pChild = nullptr;
};

// What loading one word list may cost.  The list comes from outside and is
// loaded before the window shows: any file, whatever its size or shape,
// must load in bounded memory and time.  The defaults hold a list as large
// as the largest common English word lists (650,000 words, 2.3 million
// nodes) whole.
struct WordListLimits {
    // Bytes of the file read at most; the rest is left unread.
    std::uint64_t maxFileBytes = 32u << 20;
    // Longer lines are no words: they are passed over.
    std::size_t maxWordBytes = 256;
    // The store grows no further (a node costs 32 bytes of heap).  Words
    // kept are bounded with it: each word has a node of its own.
    std::size_t maxNodes = 3'500'000;
    // Reading stops this long after it began.
    std::chrono::milliseconds maxTime{2000};
};

// The store.  Sibling chains keep their letters in first-insertion order;
// new alternatives are appended at the end of a chain.
class WordTrie {
public:
    WordTrie() = default;
    virtual ~WordTrie();
    WordTrie(const WordTrie&) = delete;
    WordTrie& operator=(const WordTrie&) = delete;

    // Adds the word, which ends at its first zero byte (so "" is the empty
    // word), and returns the number of nodes added.  A word already stored
    // changes nothing.  Throws std::bad_alloc when a node cannot be
    // allocated; the store is then as it was before.
    std::size_t Insert(const char* word);

    // Whether the word is stored, letter case aside: ASCII letters and the
    // Windows-1252 upper/lower pairs match either way, other bytes only
    // themselves.  Every stored spelling that differs in case is tried, so
    // "Paris" answers "paris" and "PARIS" alike.
    bool Contains(std::string_view word) const;

    // Number of distinct words stored.
    std::int32_t CountWords() const;
    // True when at least one word is stored; constant time.
    bool HasWords() const { return m_pRoot != nullptr; }
    // Number of nodes, end-of-word nodes included (for memory accounting).
    std::size_t CountNodes() const;

    // Reads the file at path as text, one word per line (a line ends at LF; a
    // CR right before the LF belongs to the line end; all other bytes,
    // blanks included, belong to the word).  Unless append is set the store
    // is emptied first, even when the file cannot be opened.  Only a regular
    // file is read.  Lines longer than limits.maxWordBytes are passed over.
    // Returns true when the file was read to its end; false when it cannot be
    // opened, a read fails, memory runs out or a limit ends the reading (a
    // line the byte limit cuts is dropped; the node limit counts the words
    // already stored), keeping the words inserted until then.
    bool LoadWordList(const std::string& path, bool append, const WordListLimits& limits = {});

    // Head of the chain of first bytes; null while the store is empty.
    const TrieNode* Root() const { return m_pRoot; }

private:
    void Clear() noexcept;

    TrieNode* m_pRoot = nullptr;
};

}  // namespace wv
