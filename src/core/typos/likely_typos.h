#pragma once
// Likely Typos: the misspellings a seller is most likely to have typed for a
// keyword, most likely first.  A bargain hunter searches for them because
// listings with misspelt titles draw few bidders.
//
// Text is Windows-1252.  Letters are a-z, A-Z and every byte above 0x7F.
// The keyword's words are separated by spaces, and each is one of:
//  - a quoted run, from a double quote to the closing one (or the keyword's
//    end), quotes and spaces included: a brand, kept as typed;
//  - a model number, a word holding a digit ("d750", "sm-g950f"), or a short
//    letter word and a number typed apart ("d 750"): kept as typed, it gives
//    its spacing and hyphen forms ("d 750", "d-750", "d750");
//  - a plain word, which gets slips, and its split form when it is two words
//    of the word list ("play station").
// Digits, punctuation and control characters are never edited.
//
// Pure functions; any thread.  The built-in model is shared read-only.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wv {

class EditModel;

enum class TypoKind : std::uint8_t {
    SwappedLetters,     // two neighbours swapped
    MissingLetter,      // a letter dropped
    DoubledLetter,      // a letter typed twice
    SingledLetter,      // one letter of a double
    NeighbourKey,       // a letter replaced by its QWERTY neighbour
    NeighbourKeyExtra,  // a QWERTY neighbour typed as well
    VowelSwap,          // a vowel typed as another
    SoundAlike,         // spelt by sound: ph/f, c/k, -ible/-able, ...
    WrongLetter,        // any other replaced letter
    ExtraLetter,        // any other letter typed in
    TwoSlips,           // two of the above in one word
    Spacing,            // a model number spaced or hyphenated otherwise, a word split in two
    // A flag on the kinds above: the misspelt word is a real word (kept in a
    // keyword of several words, where the phrase is still misspelt).
    RealWord = 0x80,
};

constexpr TypoKind operator|(TypoKind kind, TypoKind flag) {
    return static_cast<TypoKind>(static_cast<std::uint8_t>(kind) | static_cast<std::uint8_t>(flag));
}
constexpr bool IsRealWordKind(TypoKind kind) { return (static_cast<std::uint8_t>(kind) & 0x80) != 0; }
constexpr TypoKind SlipKind(TypoKind kind) { return static_cast<TypoKind>(static_cast<std::uint8_t>(kind) & 0x7F); }

// Short lower-case name for lists and the command line, e.g. "swapped
// letters", or "swapped letters, real word" with the flag.
std::string_view TypoKindName(TypoKind kind);

struct Typo {
    std::string variant;    // the whole keyword with one word misspelt
    std::string word;       // that word alone, as it appears in variant (it may
                            // hold a space: "d 750", "play station")
    std::size_t wordIndex;  // its index in KeywordWords(keyword)
    TypoKind kind;
    double weight;  // the model's likelihood of the slip, not normalised:
                    // compare it only with the same model's weights
};

struct TypoOptions {
    std::size_t maxVariants = 100;
    // The word list's lookup.  A keyword of one word loses the variants it
    // accepts (a real word is no misspelling); in a keyword of several words
    // they stay, their kind flagged RealWord.  Split forms need it.  Empty:
    // nothing is left out, flagged or split.
    std::function<bool(std::string_view word)> isRealWord;
    // Null: the model of the built-in table.  Not owned; must outlive the call.
    const EditModel* model = nullptr;
};

// The words varied hold at most this many bytes together (quoted runs aside,
// which are never varied): it bounds the engine's work.  The words after
// the first that would pass it travel unchanged in every variant.
constexpr std::size_t kMaxTypoKeyword = 64;
// A keyword longer than this is cut to it first: no search text that long
// fits the site, and every variant copies the whole keyword.
constexpr std::size_t kMaxTypoText = 1024;

// The keyword's words as Likely Typos sees them (cut to kMaxTypoText, split
// at spaces, quoted runs whole with their quotes, a short letter word and a
// number typed apart as one, "d 750").  Typo::wordIndex indexes this, and
// Typo::word stands for that word in the variant.
std::vector<std::string> KeywordWords(std::string_view keyword);

// At most options.maxVariants variants of one word each, without the
// keyword itself and without duplicates (compared case-insensitively).  A
// variant's case follows its word's: all lower, Capitalised and ALL CAPS
// stay so; in a mixed-case word each kept letter keeps its case and a new
// one takes its neighbour's.  Empty for a keyword without a word to vary.
std::vector<Typo> LikelyTypos(std::string_view keyword, const TypoOptions& options = {});

}  // namespace wv
