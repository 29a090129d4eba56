// Loading a real word list into the dictionary's trie, against a hash set of
// the same lines, and the trie's memory per word.
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include "core/dictionary/text_file.h"
#include "core/dictionary/word_trie.h"

using wv::TrieNode;
using wv::WordTrie;

namespace {

const std::string kWordList = "/usr/share/dict/american-english";

std::vector<std::string> ReadLines() {
    std::vector<std::string> lines;
    wv::TextLineReader reader(kWordList);
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    return lines;
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_TrieLoadWordList(benchmark::State& state) {
    for (auto _ : state) {
        auto trie = std::make_unique<WordTrie>();
        if (!trie->LoadWordList(kWordList, false)) {
            state.SkipWithError("word list missing: run scripts/setup");
            return;
        }
        state.PauseTiming();
        trie.reset();
        state.ResumeTiming();
    }

    const std::size_t before = HeapInUse();
    WordTrie trie;
    trie.LoadWordList(kWordList, false);
    const std::size_t heap = HeapInUse() - before;
    const double words = trie.CountWords();
    const double nodes = static_cast<double>(trie.CountNodes());
    state.counters["words"] = words;
    state.counters["nodes_per_word"] = nodes / words;
    state.counters["node_bytes_per_word"] = nodes * sizeof(TrieNode) / words;
    state.counters["heap_bytes_per_word"] = static_cast<double>(heap) / words;
}
BENCHMARK(BM_TrieLoadWordList)->Unit(benchmark::kMillisecond);

// The same file, read with the same line reader, into a hash set.
void BM_UnorderedSetLoadWordList(benchmark::State& state) {
    for (auto _ : state) {
        auto words = std::make_unique<std::unordered_set<std::string>>();
        wv::TextLineReader reader(kWordList);
        std::string line;
        while (reader.ReadLine(line)) words->insert(line);
        benchmark::DoNotOptimize(words->size());
        state.PauseTiming();
        words.reset();
        state.ResumeTiming();
    }

    const std::size_t before = HeapInUse();
    std::unordered_set<std::string> words;
    for (std::string& line : ReadLines()) words.insert(std::move(line));
    state.counters["heap_bytes_per_word"] = static_cast<double>(HeapInUse() - before) / words.size();
}
BENCHMARK(BM_UnorderedSetLoadWordList)->Unit(benchmark::kMillisecond);

// Insertion alone, from lines already in memory.
void BM_TrieInsert(benchmark::State& state) {
    const std::vector<std::string> lines = ReadLines();
    for (auto _ : state) {
        auto trie = std::make_unique<WordTrie>();
        for (const std::string& line : lines) trie->Insert(line.c_str());
        state.PauseTiming();
        trie.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines.size()));
}
BENCHMARK(BM_TrieInsert)->Unit(benchmark::kMillisecond);

void BM_UnorderedSetInsert(benchmark::State& state) {
    const std::vector<std::string> lines = ReadLines();
    for (auto _ : state) {
        auto words = std::make_unique<std::unordered_set<std::string>>();
        for (const std::string& line : lines) words->insert(line);
        state.PauseTiming();
        words.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines.size()));
}
BENCHMARK(BM_UnorderedSetInsert)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
