#include "core/dictionary/word_trie.h"

#include <memory>
#include <new>
#include <vector>

#include "core/dictionary/text_file.h"
#include "core/text/cp1252_case.h"

namespace wv {

// The word list's node limit is sized for nodes of one 32-byte heap block.
static_assert(sizeof(TrieNode) <= 24, "a trie node must fit a 32-byte heap block");

// Frees a chain and everything below it in constant stack space: a node with
// a child is rotated so that the child moves in front of it on the chain,
// which leaves every node childless, and so cheap to delete, when its turn
// comes.
void TrieNode::DeleteChain(TrieNode* node) noexcept {
    while (node) {
        if (TrieNode* first = node->m_pChild) {
            node->m_pChild = first->m_pSibling;
            first->m_pSibling = node;
            node = first;
        } else {
            TrieNode* next = node->m_pSibling;
            node->m_pSibling = nullptr;
            delete node;
            node = next;
        }
    }
}

TrieNode::~TrieNode() {
    TrieNode* sibling = m_pSibling;
    TrieNode* child = m_pChild;
    m_pSibling = m_pChild = nullptr;
    DeleteChain(sibling);
    DeleteChain(child);
}

WordTrie::~WordTrie() { Clear(); }

void WordTrie::Clear() noexcept {
    TrieNode::DeleteChain(m_pRoot);
    m_pRoot = nullptr;
}

std::size_t WordTrie::Insert(const char* word) {
    // Follow the word as far as the store already spells it ...
    TrieNode** link = &m_pRoot;
    while (TrieNode* node = *link) {
        if (node->m_chLetter != *word) {
            link = &node->m_pSibling;
        } else if (*word == 0) {
            return 0;  // already stored
        } else {
            link = &node->m_pChild;
            ++word;
        }
    }

    // ... then build the rest, end-of-word node included, off to the side and
    // hang it in with one store, so a failed allocation leaves nothing behind.
    std::size_t rest = std::char_traits<char>::length(word);
    std::unique_ptr<TrieNode> tail(new TrieNode(0));
    while (rest > 0) {
        auto node = std::make_unique<TrieNode>(word[--rest]);
        node->m_pChild = tail.release();
        tail = std::move(node);
    }
    *link = tail.release();
    return std::char_traits<char>::length(word) + 1;
}

namespace {
// Calls visit for every node below root.  Chains are walked in a loop and
// pending child chains kept on a heap stack, so word length costs no
// machine stack.
template <typename Visit>
void ForEachNode(const TrieNode* root, Visit visit) {
    std::vector<const TrieNode*> chains;
    if (root) chains.push_back(root);
    while (!chains.empty()) {
        const TrieNode* node = chains.back();
        chains.pop_back();
        for (; node; node = node->Sibling()) {
            visit(*node);
            if (node->Child()) chains.push_back(node->Child());
        }
    }
}
}  // namespace

bool WordTrie::Contains(std::string_view word) const {
    // Paths still open: a chain and how many of the word's bytes lead to it.
    std::vector<std::pair<const TrieNode*, std::size_t>> pending;
    if (m_pRoot) pending.emplace_back(m_pRoot, 0);
    while (!pending.empty()) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        if (depth == word.size()) {
            for (; node; node = node->Sibling())
                if (node->IsEndOfWord()) return true;
            continue;
        }
        const char want = wv::LowerCp1252(word[depth]);
        for (; node; node = node->Sibling())
            if (!node->IsEndOfWord() && wv::LowerCp1252(node->Letter()) == want)
                pending.emplace_back(node->Child(), depth + 1);
    }
    return false;
}

std::int32_t WordTrie::CountWords() const {
    std::int32_t count = 0;
    ForEachNode(m_pRoot, [&](const TrieNode& node) { count += node.IsEndOfWord(); });
    return count;
}

std::size_t WordTrie::CountNodes() const {
    std::size_t count = 0;
    ForEachNode(m_pRoot, [&](const TrieNode&) { ++count; });
    return count;
}

bool WordTrie::LoadWordList(const std::string& path, bool append, const WordListLimits& limits) {
    if (!append) Clear();
    try {
        const auto deadline = std::chrono::steady_clock::now() + limits.maxTime;
        wv::TextLineReader reader(path, limits.maxFileBytes);
        std::size_t nodes = append ? CountNodes() : 0;
        std::string line;
        for (unsigned lines = 0;; ++lines) {
            // Cheap enough every few hundred lines: a line costs at most
            // maxWordBytes steps down chains of at most 256 nodes.
            if (lines % 256 == 0 && std::chrono::steady_clock::now() >= deadline) return false;
            const auto got = reader.ReadLine(line, limits.maxWordBytes);
            if (got == TextLineReader::Line::End) return !reader.LimitReached();
            if (got == TextLineReader::Line::TooLong) continue;
            // A word adds at most its length and an end node.
            if (nodes + line.size() + 1 > limits.maxNodes) return false;
            nodes += Insert(line.c_str());
        }
    } catch (const wv::FileError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace wv
