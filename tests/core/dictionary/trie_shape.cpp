#include "trie_shape.h"

#include <bitset>
#include <vector>

#include "core/dictionary/word_trie.h"

using wv::TrieNode;
using wv::WordTrie;

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

std::string CheckInvariants(const TrieNode* root) {
    // No recursion: words may be a megabyte long.
    std::vector<const TrieNode*> chains;
    if (root) chains.push_back(root);
    while (!chains.empty()) {
        const TrieNode* chain = chains.back();
        chains.pop_back();
        std::bitset<256> seen;
        for (const TrieNode* node = chain; node; node = node->Sibling()) {
            const auto byte = static_cast<unsigned char>(node->Letter());
            if (seen[byte]) return "letter " + std::to_string(byte) + " twice on a chain";
            seen[byte] = true;
            if (node->IsEndOfWord() && node->Child()) return "end-of-word node with a child";
            if (!node->IsEndOfWord() && !node->Child()) return "letter without a continuation";
            if (node->Child()) chains.push_back(node->Child());
        }
    }
    return "";
}

}  // namespace wvtest
