#pragma once
// The scored slips of one word, behind LikelyTypos: single edits, sound
// rules and pairs of them for a plain word, spacing and hyphen forms for a
// model number.  Internal to the typo code.
//
// Pure functions; any thread.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/typos/likely_typos.h"

namespace wv {

class EditModel;

// One change to a word, in its byte positions (words are at most
// kMaxTypoKeyword bytes, so a byte holds them).
struct Edit {
    enum Op : std::uint8_t { kNone, kDrop, kSwap, kReplace, kInsert, kRule, kJunction } op = kNone;
    std::uint8_t pos = 0;  // first byte touched; an insert's gap
    std::uint8_t arg = 0;  // typed letter code, rule index, or a junction's new separator (0: none)

    // One past the last byte touched.
    std::size_t End() const;
    // Applies the edit to word; caseMask ('U' upper, anything else not),
    // when given, follows it: kept letters keep their case, a new letter
    // takes its left neighbour's (its right one's at the start).
    void ApplyTo(std::string& word, std::string* caseMask = nullptr) const;
};

struct Slip {
    float score;          // natural log of the slip's likelihood
    std::uint32_t order;  // generation order: ties rank the same every time
    std::uint16_t word;   // index of the keyword word
    TypoKind kind;
    Edit first, second;  // second.op == kNone for a single slip; else first ends before second starts
};

// Appends the slips of a plain word, given lower-cased: its single edits
// and sound-alikes, then pairs of its likeliest ones.
void AddWordSlips(const EditModel& model, std::string_view folded, std::uint16_t wordIndex, std::vector<Slip>& out);

// Appends a word's spacing forms: where letters and digits meet, a space or
// hyphen put in; a space or hyphen between them, taken out or swapped for
// the other.  Plain words get only their hyphens' forms.
void AddJunctionForms(std::string_view word, std::uint16_t wordIndex, std::vector<Slip>& out);

// Appends the split forms of a plain word whose halves are both words of
// the list ("play station").
void AddSplitForms(std::string_view word, std::uint16_t wordIndex,
                   const std::function<bool(std::string_view)>& isRealWord, std::vector<Slip>& out);

// The weight of a spacing or split form.  No list of misspellings counts
// them, so it is stated, not learned: a model number's spacing forms rank
// with the likeliest slips of a word, a split (where the halves are words
// in their own right) a little below.
constexpr float kSpacingScore = -9.0f;
constexpr float kSplitScore = -10.5f;
// The shortest half a split may leave: "play station" is a split, "cam era"
// (two words, but no one writes camera so) not.
constexpr std::size_t kMinSplitHalf = 4;

}  // namespace wv
