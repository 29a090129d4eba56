#pragma once
// Read-only views of a trie's structure for the dictionary tests.
#include <initializer_list>
#include <string>

namespace wv {
class TrieNode;
}  // namespace wv

namespace wvtest {

// The trie as text: each chain in brackets, each node its letter followed by
// its child chain, '.' for an end-of-word node: 'ab','ac','a' -> "[a[b[.]c[.].]]".
// Recursive, for small tries only.
std::string DumpTrie(const wv::TrieNode* root);
// DumpTrie of a fresh store holding the given words, inserted in order.
std::string DumpWords(std::initializer_list<const char*> words);

// Empty when the structure holds its invariants (end-of-word nodes have no
// child, every other node has one, letters on a chain are distinct);
// otherwise a description of the first breach.
std::string CheckInvariants(const wv::TrieNode* root);

}  // namespace wvtest
