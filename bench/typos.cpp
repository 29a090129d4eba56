// Likely Typos against real misspellings: codespell's list of common ones
// (single words of letters, intended word 3-20 letters; Debian package
// codespell).
//
//  - TyposRecall/<method>: share of the listed misspellings found in the
//    first 25, 50 and 100 variants made for their intended word
//    (at25_pct, at50_pct, at100_pct), in the whole list (all_pct), and the
//    lists' mean length.  Five-fold cross-validated with folds that keep a
//    word family together (every intended word sharing its first five
//    letters in one fold): the table is learnt from four folds and measured
//    on the fifth.  Methods:
//      likely               Likely Typos of the intended word;
//      likely_realwords_out the same with variants that are words of the
//                           American English list (wamerican) left out, as
//                           the program does for a one-word keyword;
//      likely_phrase        two-word keywords of held-out words, the other
//                           word kept as typed: "A B" must list "a' B";
//      four_rules           the earlier tools' rules together (swap
//                           neighbours, drop a letter, double a letter,
//                           neighbouring QWERTY key), left to right;
//      swap, drop, double, single_of_double, neighbour_key, replace,
//      insert, single_edits each single edit kind alone, left to right,
//                           and all of them together.
//    Goals: likely at100 >= 82 %, at50 >= 72 %; likely_phrase at100 within
//    5 points of likely.
//  - TyposSpeed: Likely Typos for 1,000 keywords against building every
//    single edit of them into a hash set, same run.  Counters best_ms,
//    bare_ms and ratio = best_ms / bare_ms (fastest of each).
//  - TyposKeyword: the fifteen spot keywords of the closing notes, one at a
//    time with the word list (splits looked up); mean_ms and max_ms a
//    keyword (fastest run of each), and longest_ms for a keyword of 64
//    bytes of words, the most the engine varies.  Goal: well under 20 ms.
#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include <benchmark/benchmark.h>

#include "core/dictionary/word_trie.h"
#include "core/typos/edit_model.h"
#include "core/typos/likely_typos.h"
#include "core/typos/typo_pairs.h"

using wv::WordTrie;

namespace {

const std::string kMisspellings = "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";
const std::string kWordList = "/usr/share/dict/american-english";
constexpr int kFolds = 5;
constexpr std::size_t kFamilyPrefix = 5;
constexpr std::size_t kCuts[] = {25, 50, 100};

std::vector<wv::TypoPair> LoadPairs() {
    std::ifstream file(kMisspellings, std::ios::binary);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return wv::ParseTypoPairs(text.str());
}

int FoldOf(const std::string& word) {
    std::uint32_t hash = 2166136261u;
    for (char c : word.substr(0, kFamilyPrefix)) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return static_cast<int>(hash % kFolds);
}

// A ranked list without repeats or the word itself, as the earlier tools
// would list their variants: left to right.
class List {
public:
    explicit List(std::string word) : m_word(std::move(word)) {}
    void Add(const std::string& v) {
        if (v != m_word && m_seen.insert(v).second) m_order.push_back(v);
    }
    const std::vector<std::string>& Ranked() const { return m_order; }

private:
    std::string m_word;
    std::unordered_set<std::string> m_seen;
    std::vector<std::string> m_order;
};

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

// The single edit kinds, each listing its variants of w left to right.
enum RuleSet : unsigned {
    kSwap = 1,
    kDrop = 2,
    kDouble = 4,
    kSingle = 8,
    kNeighbour = 16,
    kReplace = 32,
    kInsert = 64
};

std::vector<std::string> RuleVariants(const std::string& w, unsigned rules) {
    List list(w);
    for (std::size_t i = 0; i < w.size(); ++i) {
        const bool doubled = i + 1 < w.size() && w[i + 1] == w[i];
        if (rules & kDrop) list.Add(w.substr(0, i) + w.substr(i + 1));
        if ((rules & kSingle) && doubled) list.Add(w.substr(0, i) + w.substr(i + 1));
        if (rules & kDouble) list.Add(w.substr(0, i + 1) + w[i] + w.substr(i + 1));
        if ((rules & kSwap) && i + 1 < w.size()) {
            std::string v = w;
            std::swap(v[i], v[i + 1]);
            list.Add(v);
        }
        for (char y = 'a'; y <= 'z'; ++y) {
            if (!(rules & kReplace) && !((rules & kNeighbour) && KeyNeighbours(w[i], y))) continue;
            std::string v = w;
            v[i] = y;
            list.Add(v);
        }
        if (rules & kInsert)
            for (char y = 'a'; y <= 'z'; ++y) list.Add(w.substr(0, i) + y + w.substr(i));
    }
    if (rules & kInsert)
        for (char y = 'a'; y <= 'z'; ++y) list.Add(w + y);
    return list.Ranked();
}

struct Method {
    const char* name;
    unsigned rules;  // 0: Likely Typos
};
const Method kMethods[] = {
    {"likely", 0},
    {"likely_realwords_out", 0},
    {"likely_phrase", 0},
    {"four_rules", kSwap | kDrop | kDouble | kNeighbour},
    {"swap", kSwap},
    {"drop", kDrop},
    {"double", kDouble},
    {"single_of_double", kSingle},
    {"neighbour_key", kNeighbour},
    {"replace", kReplace},
    {"insert", kInsert},
    {"single_edits", kSwap | kDrop | kReplace | kInsert},
};

struct Curve {
    double within[std::size(kCuts)] = {};
    double found = 0, pairs = 0, length = 0, lists = 0;

    void List(const std::vector<std::string>& ranked, const std::set<std::string>& wanted) {
        lists += 1, length += static_cast<double>(ranked.size());
        for (const std::string& w : wanted) {
            auto rank = static_cast<std::size_t>(std::find(ranked.begin(), ranked.end(), w) - ranked.begin());
            pairs += 1, found += rank < ranked.size();
            if (rank == ranked.size()) rank = SIZE_MAX;
            for (std::size_t k = 0; k < std::size(kCuts); ++k) within[k] += rank < kCuts[k];
        }
    }
};

// Every method's curve, measured once for all the TyposRecall rows.
const std::map<std::string, Curve>* MeasureAll(std::string& error) {
    static std::map<std::string, Curve> curves;
    static bool done = false;
    if (done) return &curves;
    const std::vector<wv::TypoPair> pairs = LoadPairs();
    WordTrie words;
    if (pairs.empty() || !words.LoadWordList(kWordList, false)) {
        error = "codespell's misspellings list or the word list is missing: run scripts/setup";
        return nullptr;
    }
    std::map<std::string, std::set<std::string>> byIntended;
    for (const wv::TypoPair& pair : pairs) byIntended[pair.intended].insert(pair.typed);

    for (int fold = 0; fold < kFolds; ++fold) {
        wv::EditCounts counts;
        for (const wv::TypoPair& pair : pairs)
            if (FoldOf(pair.intended) != fold) counts.Learn(pair.typed, pair.intended);
        const wv::EditModel model(counts);
        wv::TypoOptions plain, filtered;
        plain.model = filtered.model = &model;
        filtered.isRealWord = [&](std::string_view w) { return words.Contains(w); };
        auto variants = [](const std::string& keyword, const wv::TypoOptions& options) {
            std::vector<std::string> out;
            for (const wv::Typo& t : wv::LikelyTypos(keyword, options)) out.push_back(t.variant);
            return out;
        };

        std::vector<std::string> heldOut;
        for (const auto& entry : byIntended)
            if (FoldOf(entry.first) == fold) heldOut.push_back(entry.first);
        for (std::size_t i = 0; i < heldOut.size(); ++i) {
            const std::string& intended = heldOut[i];
            const std::set<std::string>& typed = byIntended[intended];
            curves["likely"].List(variants(intended, plain), typed);
            curves["likely_realwords_out"].List(variants(intended, filtered), typed);
            // The partner is another held-out word, half the fold away so
            // that it is no relative; it stands second, kept as typed.
            const std::string partner = heldOut[(i + heldOut.size() / 2) % heldOut.size()];
            std::set<std::string> inPhrase;
            for (const std::string& t : typed) inPhrase.insert(t + ' ' + partner);
            curves["likely_phrase"].List(variants(intended + ' ' + partner, plain), inPhrase);
            for (const Method& method : kMethods)
                if (method.rules) curves[method.name].List(RuleVariants(intended, method.rules), typed);
        }
    }
    done = true;
    return &curves;
}

void TyposRecall(benchmark::State& state, const std::string& method) {
    std::string error;
    const std::map<std::string, Curve>* curves = nullptr;
    for (auto _ : state) curves = MeasureAll(error);
    if (!curves) {
        state.SkipWithError(error.c_str());
        return;
    }
    const Curve& curve = curves->at(method);
    for (std::size_t k = 0; k < std::size(kCuts); ++k)
        state.counters["at" + std::to_string(kCuts[k]) + "_pct"] = 100 * curve.within[k] / curve.pairs;
    state.counters["all_pct"] = 100 * curve.found / curve.pairs;
    state.counters["mean_len"] = curve.length / curve.lists;
    state.counters["pairs"] = curve.pairs;
}

std::vector<std::string> SpeedKeywords() {
    std::vector<std::string> keywords;
    for (const wv::TypoPair& pair : LoadPairs()) {
        if (keywords.size() == 1000) break;
        if (keywords.empty() || keywords.back() != pair.intended) keywords.push_back(pair.intended);
    }
    return keywords;
}

using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

void TyposSpeed(benchmark::State& state) {
    const std::vector<std::string> keywords = SpeedKeywords();
    if (keywords.size() < 1000) {
        state.SkipWithError("codespell's misspellings list is missing: run scripts/setup");
        return;
    }
    wv::LikelyTypos("warm", {});  // the built-in table is read on first use
    double bestMs = 1e300, bareMs = 1e300;
    for (auto _ : state) {
        auto start = Clock::now();
        for (const std::string& k : keywords) benchmark::DoNotOptimize(wv::LikelyTypos(k, {}).size());
        const double likelyMs = MsSince(start);
        state.SetIterationTime(likelyMs / 1000);
        bestMs = std::min(bestMs, likelyMs);

        start = Clock::now();
        for (const std::string& k : keywords)
            benchmark::DoNotOptimize(RuleVariants(k, kSwap | kDrop | kReplace | kInsert).size());
        bareMs = std::min(bareMs, MsSince(start));
    }
    state.counters["best_ms"] = bestMs;
    state.counters["bare_ms"] = bareMs;
    state.counters["ratio"] = bestMs / bareMs;
}

void TyposKeyword(benchmark::State& state) {
    static const char* const kSpot[] = {
        "camera", "guitar", "necklace", "binoculars",   "bracelet",        "porcelain",  "jewellery",     "playstation",
        "lego",   "rolex",  "tiffany",  "canon camera", "sterling silver", "nikon d750", "vintage watch",
    };
    WordTrie words;
    if (!words.LoadWordList(kWordList, false)) {
        state.SkipWithError("word list missing: run scripts/setup");
        return;
    }
    wv::TypoOptions options;
    options.isRealWord = [&](std::string_view w) { return words.Contains(w); };
    wv::LikelyTypos("warm", options);
    std::vector<double> best(std::size(kSpot), 1e300);
    for (auto _ : state) {
        const auto run = Clock::now();
        for (std::size_t k = 0; k < std::size(kSpot); ++k) {
            const auto start = Clock::now();
            benchmark::DoNotOptimize(wv::LikelyTypos(kSpot[k], options).size());
            best[k] = std::min(best[k], MsSince(start));
        }
        state.SetIterationTime(MsSince(run) / 1000);
    }
    double sum = 0;
    for (double ms : best) sum += ms;
    state.counters["mean_ms"] = sum / static_cast<double>(best.size());
    state.counters["max_ms"] = *std::max_element(best.begin(), best.end());
    // The most the engine varies: 64 bytes of words, each split looked up.
    double longest = 1e300;
    for (int run = 0; run < 20; ++run) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(
            wv::LikelyTypos("sterling silver vintage necklace bracelet porcelain jewellery lot", options).size());
        longest = std::min(longest, MsSince(start));
    }
    state.counters["longest_ms"] = longest;
}

}  // namespace

int main(int argc, char** argv) {
    for (const Method& method : kMethods) {
        const std::string name = method.name;
        benchmark::RegisterBenchmark(("TyposRecall/" + name).c_str(),
                                     [name](benchmark::State& state) { TyposRecall(state, name); })
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    benchmark::RegisterBenchmark("TyposSpeed", TyposSpeed)->UseManualTime()->MinTime(2)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TyposKeyword", TyposKeyword)
        ->UseManualTime()
        ->MinTime(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
