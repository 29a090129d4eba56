#pragma once
// Likely Typos: the misspellings a seller is most likely to have typed for a
// keyword, most likely first.  A bargain hunter searches for them because
// listings with misspelt titles draw few bidders.
//
// Text is Windows-1252.  Letters are a-z, A-Z and every byte above 0x7F;
// digits, punctuation and control characters stay where they are, unedited.
// Words are separated by spaces; a word starting with a double quote runs to
// the closing quote (or the keyword's end) and is kept as typed, quotes and
// spaces included: a brand name, say.
//
// Pure functions; any thread.  The built-in model is shared read-only.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wv {

class EditModel;

enum class TypoKind {
    SwappedLetters,    // two neighbours swapped
    MissingLetter,     // a letter dropped
    DoubledLetter,     // a letter typed twice
    SingledLetter,     // one letter of a double typed
    NeighbourKey,      // a letter replaced by its QWERTY neighbour
    NeighbourKeyExtra, // a QWERTY neighbour typed as well
    VowelSwap,         // a vowel typed as another
    SoundAlike,        // spelt by sound: ph/f, c/k, -ible/-able, ...
    WrongLetter,       // any other replaced letter
    ExtraLetter,       // any other letter typed in
    TwoSlips,          // two of the above in one word
};

// Short lower-case name for lists and the command line, e.g. "swapped letters".
std::string_view TypoKindName(TypoKind kind);

struct Typo {
    std::string variant;     // the whole keyword with one word misspelt
    std::string word;        // that word alone, as it appears in variant
    std::size_t wordIndex;   // its index in KeywordWords(keyword)
    TypoKind kind;
    double weight;           // the model's likelihood of the slip, not normalised:
                             // compare it only with the same model's weights
};

struct TypoOptions {
    std::size_t maxVariants = 100;
    // Variants whose misspelt word it accepts are left out (they are real
    // words, so no misspelling).  Empty: nothing is left out.
    std::function<bool(std::string_view word)> isRealWord;
    // Null: the model of the built-in table.  Not owned; must outlive the call.
    const EditModel* model = nullptr;
};

// Keywords longer than this are cut to it before anything else.
constexpr std::size_t kMaxTypoKeyword = 64;

// The keyword's words as Likely Typos sees them (cut, split at spaces,
// quoted runs whole with their quotes).  Typo::wordIndex indexes this.
std::vector<std::string> KeywordWords(std::string_view keyword);

// At most options.maxVariants variants of one word each, without the
// keyword itself and without duplicates (compared case-insensitively).  A
// variant's letters take the case of the keyword's letter at the same place
// in the word.  Empty for a keyword without a word to vary.
std::vector<Typo> LikelyTypos(std::string_view keyword, const TypoOptions& options = {});

} // namespace wv
