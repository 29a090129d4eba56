// Out-of-memory behaviour, with the global allocator of this test program
// replaced by one that can be told to fail.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "core/dictionary/word_trie.h"
#include "test_paths.h"
#include "trie_shape.h"

using wv::WordTrie;

namespace {
// Allocations left before the next one fails; negative: never fail.
thread_local long t_allocationsLeft = -1;

void* Allocate(std::size_t size) noexcept {
    if (t_allocationsLeft == 0) return nullptr;
    if (t_allocationsLeft > 0) --t_allocationsLeft;
    return std::malloc(size ? size : 1);
}

// Fails the allocation after the given number of successful ones, for the
// lifetime of the object.
class AllocationFailure {
public:
    explicit AllocationFailure(long successes) { t_allocationsLeft = successes; }
    ~AllocationFailure() { t_allocationsLeft = -1; }
};
}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }

TEST(WordTrieOutOfMemory, FailedInsertLeavesTheStoreAsItWas) {
    WordTrie trie;
    trie.Insert("ab");
    trie.Insert("ac");
    const std::string before = wvtest::DumpTrie(trie.Root());
    int failures = 0;
    for (long successes = 0;; ++successes) {
        bool threw = false;
        {
            AllocationFailure failure(successes);
            try {
                trie.Insert("abxyz");
            } catch (const std::bad_alloc&) {
                threw = true;
            }
        }
        if (!threw) break;
        ++failures;
        ASSERT_EQ(wvtest::DumpTrie(trie.Root()), before) << "after " << successes << " allocations";
    }
    EXPECT_EQ(failures, 4);  // x, y, z and the end-of-word node
    EXPECT_EQ(trie.CountWords(), 3);
}

TEST(WordTrieOutOfMemory, LoadStopsWithFalseAndKeepsTheWordsSoFar) {
    wvtest::ScopedTempDir dir;
    const std::string path = (dir / "list.lst").string();
    wvtest::WriteFile(path, "one\ntwo\nthree\nfour\n");
    // What the store may hold when the load stops after 0 to 3 lines.
    const std::string partial[] = {
        wvtest::DumpWords({"old"}),
        wvtest::DumpWords({"old", "one"}),
        wvtest::DumpWords({"old", "one", "two"}),
        wvtest::DumpWords({"old", "one", "two", "three"}),
    };
    int failures = 0;
    for (long successes = 0;; ++successes) {
        SCOPED_TRACE(successes);
        WordTrie trie;
        trie.Insert("old");
        bool loaded;
        {
            AllocationFailure failure(successes);
            loaded = trie.LoadWordList(path, true);
        }
        ASSERT_EQ(wvtest::CheckInvariants(trie.Root()), "");
        if (loaded) {
            EXPECT_EQ(trie.CountWords(), 5);
            break;
        }
        ++failures;
        const std::string held = wvtest::DumpTrie(trie.Root());
        ASSERT_NE(std::find(std::begin(partial), std::end(partial), held), std::end(partial)) << held;
    }
    EXPECT_GE(failures, 4);  // at least one per new word
}
