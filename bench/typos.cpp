// Likely Typos against real misspellings: codespell's list of common ones
// (single words of letters, intended word 3-20 letters; Debian package
// codespell).
//
//  - TyposRecall: share of the listed misspellings found in the list made
//    for their intended word, and the lists' mean length, for
//      likely_*      Likely Typos (at most 100 a word), five-fold
//                    cross-validated: the table is learnt from the intended
//                    words of four folds and measured on the fifth's;
//      four_rule_*   the rules of earlier typo tools: swap neighbours, drop
//                    a letter, double a letter, neighbouring QWERTY key;
//      single_edit_* every drop, swap, replacement and insertion over a-z.
//    Counters with "_realwords_out" had variants that are words of the
//    American English word list (wamerican) left out, as the program does;
//    the others leave everything in.  Goal: likely recall >= 75 % with at
//    most 100 variants a word.
//  - TyposSpeed: Likely Typos for 1,000 keywords against building every
//    single edit of them into a hash set, same run.  Counters best_ms,
//    bare_ms and ratio = best_ms / bare_ms (fastest of each); goal <= 2.
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/typos/edit_model.h"
#include "core/typos/likely_typos.h"
#include "core/typos/typo_pairs.h"
#include "core/dictionary/word_trie.h"

using wv::WordTrie;

namespace {

const std::string kMisspellings = "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";
const std::string kWordList = "/usr/share/dict/american-english";
constexpr int kFolds = 5;

std::vector<wv::TypoPair> LoadPairs() {
    std::ifstream file(kMisspellings, std::ios::binary);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return wv::ParseTypoPairs(text.str());
}

// A fold per intended word, so all of a word's misspellings land together.
int FoldOf(const std::string& word) {
    std::uint32_t hash = 2166136261u;
    for (char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return static_cast<int>(hash % kFolds);
}

using Variants = std::unordered_set<std::string>;

void EverySingleEdit(const std::string& w, Variants& out) {
    std::string v;
    for (std::size_t i = 0; i < w.size(); ++i) {
        out.insert(w.substr(0, i) + w.substr(i + 1));
        if (i + 1 < w.size()) {
            v = w;
            std::swap(v[i], v[i + 1]);
            out.insert(v);
        }
        for (char y = 'a'; y <= 'z'; ++y) {
            v = w;
            v[i] = y;
            out.insert(v);
        }
    }
    for (std::size_t i = 0; i <= w.size(); ++i)
        for (char y = 'a'; y <= 'z'; ++y) out.insert(w.substr(0, i) + y + w.substr(i));
    out.erase(w);
}

bool KeyNeighbours(char a, char b) {
    static const char* rows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    int ra = -1, ca = 0, rb = -1, cb = 0;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; rows[r][c]; ++c) {
            if (rows[r][c] == a) ra = r, ca = c;
            if (rows[r][c] == b) rb = r, cb = c;
        }
    }
    if (ra < 0 || rb < 0 || a == b) return false;
    if (ra == rb) return ca - cb == 1 || cb - ca == 1;
    if (ra + 1 == rb) return cb == ca || cb == ca - 1;
    if (rb + 1 == ra) return ca == cb || ca == cb - 1;
    return false;
}

void FourRules(const std::string& w, Variants& out) {
    std::string v;
    for (std::size_t i = 0; i < w.size(); ++i) {
        out.insert(w.substr(0, i) + w.substr(i + 1));
        out.insert(w.substr(0, i + 1) + w[i] + w.substr(i + 1));
        if (i + 1 < w.size()) {
            v = w;
            std::swap(v[i], v[i + 1]);
            out.insert(v);
        }
        for (char y = 'a'; y <= 'z'; ++y) {
            if (!KeyNeighbours(w[i], y)) continue;
            v = w;
            v[i] = y;
            out.insert(v);
        }
    }
    out.erase(w);
}

// Recall and list length of one method, with and without real words.
struct Score {
    double found = 0, pairs = 0, length = 0, words = 0;
    double foundOut = 0, lengthOut = 0;
    void Report(benchmark::State& state, const std::string& name) const {
        state.counters[name + "_recall_pct"] = 100 * found / pairs;
        state.counters[name + "_mean_len"] = length / words;
        state.counters[name + "_realwords_out_recall_pct"] = 100 * foundOut / pairs;
        state.counters[name + "_realwords_out_mean_len"] = lengthOut / words;
    }
};

void Tally(Score& score, const Variants& all, const Variants& kept, const std::set<std::string>& typed) {
    score.words += 1, score.length += static_cast<double>(all.size());
    score.lengthOut += static_cast<double>(kept.size());
    for (const std::string& t : typed) {
        score.pairs += 1;
        score.found += all.count(t);
        score.foundOut += kept.count(t);
    }
}

Variants WithoutRealWords(const Variants& all, const WordTrie& words) {
    Variants kept;
    for (const std::string& v : all)
        if (!words.Contains(v)) kept.insert(v);
    return kept;
}

void TyposRecall(benchmark::State& state) {
    const std::vector<wv::TypoPair> pairs = LoadPairs();
    if (pairs.empty()) {
        state.SkipWithError("codespell's misspellings list is missing: run scripts/setup");
        return;
    }
    WordTrie words;
    if (!words.LoadWordList(kWordList, false)) {
        state.SkipWithError("word list missing: run scripts/setup");
        return;
    }
    std::map<std::string, std::set<std::string>> byIntended;
    for (const wv::TypoPair& pair : pairs) byIntended[pair.intended].insert(pair.typed);

    Score likely, fourRule, singleEdit;
    for (auto _ : state) {
        likely = fourRule = singleEdit = Score();
        for (int fold = 0; fold < kFolds; ++fold) {
            wv::EditCounts counts;
            for (const wv::TypoPair& pair : pairs)
                if (FoldOf(pair.intended) != fold) counts.Learn(pair.typed, pair.intended);
            const wv::EditModel model(counts);
            wv::TypoOptions plain, filtered;
            plain.model = filtered.model = &model;
            filtered.isRealWord = [&](std::string_view w) { return words.Contains(w); };

            for (const auto& [intended, typed] : byIntended) {
                if (FoldOf(intended) != fold) continue;
                Variants all, kept;
                for (const wv::Typo& t : wv::LikelyTypos(intended, plain)) all.insert(t.variant);
                for (const wv::Typo& t : wv::LikelyTypos(intended, filtered)) kept.insert(t.variant);
                Tally(likely, all, kept, typed);

                Variants rules;
                FourRules(intended, rules);
                Tally(fourRule, rules, WithoutRealWords(rules, words), typed);
                Variants edits;
                EverySingleEdit(intended, edits);
                Tally(singleEdit, edits, WithoutRealWords(edits, words), typed);
            }
        }
    }
    likely.Report(state, "likely");
    fourRule.Report(state, "four_rule");
    singleEdit.Report(state, "single_edit");
    state.counters["pairs"] = likely.pairs;
    state.counters["intended_words"] = likely.words;
}
BENCHMARK(TyposRecall)->Iterations(1)->Unit(benchmark::kSecond);

void TyposSpeed(benchmark::State& state) {
    std::vector<std::string> keywords;
    for (const wv::TypoPair& pair : LoadPairs()) {
        if (keywords.size() == 1000) break;
        if (keywords.empty() || keywords.back() != pair.intended) keywords.push_back(pair.intended);
    }
    if (keywords.size() < 1000) {
        state.SkipWithError("codespell's misspellings list is missing: run scripts/setup");
        return;
    }
    wv::LikelyTypos("warm", {});  // the built-in table is read on first use
    double bestMs = 1e300, bareMs = 1e300;
    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::time_point since) {
        return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
    };
    for (auto _ : state) {
        auto start = Clock::now();
        for (const std::string& k : keywords) benchmark::DoNotOptimize(wv::LikelyTypos(k, {}).size());
        const double likelyMs = ms(start);
        state.SetIterationTime(likelyMs / 1000);
        bestMs = std::min(bestMs, likelyMs);

        start = Clock::now();
        for (const std::string& k : keywords) {
            Variants edits;
            EverySingleEdit(k, edits);
            benchmark::DoNotOptimize(edits.size());
        }
        bareMs = std::min(bareMs, ms(start));
    }
    state.counters["best_ms"] = bestMs;
    state.counters["bare_ms"] = bareMs;
    state.counters["ratio"] = bestMs / bareMs;
}
BENCHMARK(TyposSpeed)->UseManualTime()->MinTime(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
