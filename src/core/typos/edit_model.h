#pragma once
// The noisy channel behind Likely Typos: how often people slip in each way,
// counted from pairs of (typed, intended) words, and the log-probabilities
// the engine ranks its variants with.
//
// Letters are coded 0-25 for a-z; kStart and kEnd stand for the word's
// edges, kOther for any other letter (accented ones, say), which the pairs
// are too few to tell apart.
//
// Threads: an EditCounts is filled by one thread; an EditModel is immutable
// after construction and may be read from any number of threads.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wv {

constexpr int kLetterCodes = 29;
constexpr int kStart = 26;
constexpr int kEnd = 27;
constexpr int kOther = 28;

// a-z (either case) → 0-25; other letters → kOther.
int LetterCode(char c);

// Spelling-by-sound slips that a single-letter edit describes badly (ph for
// f) or that deserve their own name (-ible for -able).  Each applies only
// where English spelling makes the two sound alike (c sounds like s only
// before e, i, y), so none makes a letter sequence English never has.  The
// table's rule counts follow this order: relearn the table after changing it.
struct SoundRule {
    std::string_view from;
    std::string_view to;
    bool atEnd;                // the match ends the word
    std::string_view next;     // the letter after must be one of these ('$': the end); empty: any
    std::string_view notNext;  // ... and none of these
    bool afterVowel = false;   // the letter before is a vowel
};
extern const std::array<SoundRule, 34> kSoundRules;

// Whether rule applies at `at` of the lower-case word.
bool SoundRuleFits(const SoundRule& rule, std::string_view word, std::size_t at);

// Where in the intended word a slip happens: people rarely get a word's
// first letter wrong.  A gap (for an inserted letter) takes the place of the
// letter after it, the end gap counting as the last.
enum SlipPlace { kFirstPlace, kSecondPlace, kMiddlePlace, kLastPlace, kPlaces };
SlipPlace PlaceOf(std::size_t at, std::size_t length);
// The slip kinds that places are counted for.
enum SlipOp { kDropOp, kInsertOp, kReplaceOp, kSwapOp, kSlipOps };

// An echo: a letter typed in, typed for another or left out where the word
// holds it close by (arguement, algoritm): the hand or the mind repeats a
// letter it has just typed or is about to.  Echoes tells where the letter
// with code y stands nearest to [from, to) of the lower-case word, outside
// it: 0 not within kEchoReach letters, 1 right beside it, 2 further off.
constexpr int kEchoReach = 3;
constexpr int kEchoes = 3;
int Echoes(std::string_view word, int y, int from, int to);
enum EchoOp { kInsertEcho, kReplaceEcho, kDropEcho, kEchoOps };

// Raw counts.  Every edit is counted in the intended word's terms, with the
// letters around it: a letter that was dropped, typed as another, an extra
// letter typed between two, two neighbours swapped.  A dropped or extra
// letter inside a run of equal letters is counted at the run's end, the
// position the engine generates it at.
class EditCounts {
public:
    EditCounts();

    // Counts one pair, lower-cased.  Only pairs one edit apart add to the
    // edit, place and echo counts: in longer alignments which edit went with
    // which context is a guess, and counting them lowered recall; and of
    // those, only the ones no sound rule explains (the rule counts them).
    // All pairs add to the edits-per-pair tally and the sound rules.
    void Learn(std::string_view typed, std::string_view intended);

    // A line-based text table of numbers and letter codes only.  FromText
    // throws std::invalid_argument on a line it cannot read.
    std::string ToText() const;
    static EditCounts FromText(std::string_view text);

    // Events; p/n are the letters before and after, x the intended letter,
    // y the typed one (all letter codes).
    std::vector<std::uint32_t> drop;     // [p][x][n]
    std::vector<std::uint32_t> swap;     // [p][a][b][n]: intended ab typed ba
    std::vector<std::uint32_t> replace;  // [p][x][y][n]
    std::vector<std::uint32_t> insert;   // [p][y][n]
    // How often each letter and letter pair occurs in the intended words:
    // the chances each event had.
    std::vector<std::uint32_t> unigram;  // [x]
    std::vector<std::uint32_t> bigram;   // [a][b]
    std::array<std::uint32_t, kSoundRules.size()> ruleHits{};
    std::array<std::uint32_t, kSoundRules.size()> ruleChances{};
    // Slips by place ([op][place]), and the places the intended words offer.
    std::array<std::array<std::uint32_t, kPlaces>, kSlipOps> placeSlips{};
    std::array<std::uint32_t, kPlaces> placeChances{};
    // Inserts (other than a doubled letter), replacements and drops (other
    // than a singled letter) by their echo ([op][Echoes(...)]), and the
    // chances of each.
    std::array<std::array<std::uint32_t, kEchoes>, kEchoOps> echoSlips{}, echoChances{};
    // Pairs by edit distance: [0] one edit, [1] two, [2] more.
    std::array<std::uint32_t, 3> pairsByEdits{};
};

// Smoothed natural-log probabilities, each a product of three views of the
// event (with the letter before, with the letter after, alone) so that rare
// contexts still borrow from common ones.
class EditModel {
public:
    explicit EditModel(const EditCounts& counts);

    float Drop(int p, int x, int n) const { return m_drop[(p * kLetterCodes + x) * kLetterCodes + n]; }
    float Swap(int p, int a, int b, int n) const;
    float Replace(int p, int x, int y, int n) const;
    float Insert(int p, int y, int n) const { return m_insert[(p * kLetterCodes + y) * kLetterCodes + n]; }
    float Rule(std::size_t rule) const { return m_rule[rule]; }
    // Added for a slip of kind op at place: how much likelier the place makes it.
    float Place(SlipOp op, SlipPlace place) const { return m_place[op][place]; }
    // Added for an insert (not a doubled letter), replacement or drop (not a
    // singled letter) by its echo, as Echoes tells it.
    float Echo(EchoOp op, int echo) const { return m_echo[op][echo]; }
    // Added to the sum of two single edits' scores for a variant with both.
    float SecondEdit() const { return m_secondEdit; }

private:
    std::vector<float> m_drop, m_swapAB, m_swapPA, m_swapBN, m_insert;
    std::vector<float> m_replaceXY, m_replacePXY, m_replaceXYN;
    std::array<float, kSoundRules.size()> m_rule{};
    std::array<std::array<float, kPlaces>, kSlipOps> m_place{};
    std::array<std::array<float, kEchoes>, kEchoOps> m_echo{};
    float m_secondEdit = 0;
};

// The model of the table compiled into the program, built on first use.
const EditModel& BuiltInEditModel();

}  // namespace wv
