#include "trie_inspect.h"

#include <bitset>
#include <vector>

#include "dictionary/word_trie.h"

namespace wvtest {

std::string DumpTrie(const TrieNode* root) {
    std::string out = "[";
    for (const TrieNode* node = root; node; node = node->Sibling()) {
        if (node->IsEndOfWord()) {
            out += '.';
        } else {
            out += node->Letter();
            out += DumpTrie(node->Child());
        }
    }
    return out + "]";
}

std::string DumpWords(std::initializer_list<const char*> words) {
    WordTrie trie;
    for (const char* word : words) trie.Insert(word);
    return DumpTrie(trie.Root());
}

namespace {
// Visits every chain without recursion; words may be a megabyte long.
template <typename Visit>
void ForEachChain(const TrieNode* root, Visit visit) {
    std::vector<const TrieNode*> chains;
    if (root) chains.push_back(root);
    while (!chains.empty()) {
        const TrieNode* chain = chains.back();
        chains.pop_back();
        visit(chain);
        for (const TrieNode* node = chain; node; node = node->Sibling())
            if (node->Child()) chains.push_back(node->Child());
    }
}
} // namespace

std::size_t CountNodes(const TrieNode* root) {
    std::size_t count = 0;
    ForEachChain(root, [&](const TrieNode* chain) {
        for (; chain; chain = chain->Sibling()) ++count;
    });
    return count;
}

std::string CheckInvariants(const TrieNode* root) {
    std::string breach;
    ForEachChain(root, [&](const TrieNode* chain) {
        std::bitset<256> seen;
        for (const TrieNode* node = chain; node && breach.empty(); node = node->Sibling()) {
            const auto byte = static_cast<unsigned char>(node->Letter());
            if (seen[byte]) breach = "letter " + std::to_string(byte) + " twice on a chain";
            seen[byte] = true;
            if (node->IsEndOfWord() && node->Child()) breach = "end-of-word node with a child";
            if (!node->IsEndOfWord() && !node->Child()) breach = "letter without a continuation";
        }
    });
    return breach;
}

} // namespace wvtest
