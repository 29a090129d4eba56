#pragma once
// How the results list orders rows by one column.
//
// Both texts are upper-cased (ASCII) and trimmed of white space first.  Then:
// an empty text on either side compares as text; otherwise the FIRST text
// alone picks the kind: a number text compares both as numbers (the second
// as whatever numeric prefix it has), else a date text compares both as dates
// (as text when the second is no date), else both compare as text.  A
// descending sort asks the same question with the texts swapped.
//
// Because only the first text picks the kind, this is no strict weak
// ordering; sort only with an algorithm that stays inside the array whatever
// the comparison answers (std::stable_sort).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wv {

class RowStore;

// The date test, supplied by the platform layer (it knows the user's date
// forms).  `parse` takes a trimmed, upper-cased text and returns true and a
// moment on any increasing scale when the WHOLE text is a date and/or a time
// of day.  `mayBeDateWord`, optional, is a cheap first look at a text that
// is one word of ASCII letters: false when no date can be made of it, so the
// sort need not parse the many plain words of a run.
struct DateParser {
    std::function<bool(std::string_view text, double& when)> parse;
    std::function<bool(std::string_view word)> mayBeDateWord;

    explicit operator bool() const { return static_cast<bool>(parse); }
};

// ASCII upper-casing and trimming of the C locale's white space.
std::string NormalizeSortText(std::string_view text);

// Digits, '+' anywhere, '-' only first and only in a text of two or more.
bool IsNumberText(std::string_view text);
// The value of the longest numeric prefix by the C library's strtod rules in
// the "C" locale (sign, decimal or hex digits, exponent, inf, nan); 0 when
// there is none.
double NumberPrefixValue(std::string_view text);

// -1, 0 or 1.  CompareText compares bytes as unsigned values.
int CompareText(std::string_view a, std::string_view b);
int CompareNumber(std::string_view a, std::string_view b);
int CompareDate(std::string_view a, std::string_view b, const DateParser& parseDate);
bool IsDateText(std::string_view text, const DateParser& parseDate);

// The whole rule on two raw cell texts, record 1 first.
int CompareRows(std::string_view text1, std::string_view text2, const DateParser& parseDate);

// A row's sort key, computed once per sort: the normalized text and what the
// comparison may ask of it.  Compares exactly as CompareRows on the texts.
// 32 bytes; the two kind flags ride in the length's top bits (a cell's text
// longer than 1 GiB would be compared by its first 1 GiB).
struct SortKey {
    static constexpr uint32_t kNumber = 1u << 31;  // IsNumberText
    static constexpr uint32_t kDate = 1u << 30;    // parsed as a date; `date` valid
    static constexpr uint32_t kLengthMask = kDate - 1;

    const char* text = nullptr;
    uint32_t lengthAndFlags = 0;
    uint32_t row = 0;
    double number = 0;  // NumberPrefixValue(text)
    double date = 0;

    std::string_view Text() const { return {text, lengthAndFlags & kLengthMask}; }
    bool IsNumber() const { return (lengthAndFlags & kNumber) != 0; }
    bool IsDate() const { return (lengthAndFlags & kDate) != 0; }
};

int CompareSortKeys(const SortKey& a, const SortKey& b);

// Sorts rows by one column.  Keeps its key storage from one sort to the
// next (about 32 bytes a row, plus copies of texts that needed upper-casing)
// so that repeated sorts of a big list do not pay for fresh memory each
// time; Release() gives it back.
//
// A big list's keys are built, and its halves sorted, on two threads (this
// one and a helper it joins before returning); the sorted halves are merged
// straight into the row order.  Dates are parsed on the calling thread
// only, as the date parser may use the UI library.
class RowSorter {
public:
    RowSorter();
    ~RowSorter();
    RowSorter(const RowSorter&) = delete;
    RowSorter& operator=(const RowSorter&) = delete;

    // The keys of every row of one column, in row order.  They point into
    // the store and into this object: valid until the store changes or the
    // next call.
    std::vector<SortKey>& BuildKeys(const RowStore& rows, size_t column, const DateParser& parseDate);
    // The new order of the rows (new row i = old row result[i]); stable.
    const std::vector<uint32_t>& Sort(const RowStore& rows, size_t column, bool ascending, const DateParser& parseDate);
    void Release();

private:
    // Upper-cased text copies made by one key-building thread, reused.
    struct Arena {
        char* Allocate(size_t bytes);
        void Rewind();
        std::vector<std::unique_ptr<char[]>> chunks;
        std::vector<std::unique_ptr<char[]>> large;  // copies too big for a chunk
        size_t chunk = 0, used = 0;
    };
    // A row whose text may be a date: parsed after the keys are built.
    struct DateCandidate {
        uint32_t row;
        uint32_t poolId;  // CellRef::kInline when the text is the row's own
    };
    void BuildRange(const RowStore& rows, size_t column, size_t begin, size_t end, const DateParser& parseDate,
                    Arena& arena, std::vector<DateCandidate>& candidates);

    // A key cut down to what a column of numbers only, or of texts only,
    // compares: the value's bits, or the text's first bytes.
    struct CompactKey {
        uint64_t bits;
        uint32_t row;
    };

    std::vector<SortKey> m_keys;
    std::vector<uint32_t> m_order;
    std::vector<CompactKey> m_compact;
    Arena m_arenas[2];
    std::vector<DateCandidate> m_candidates[2];
};

// Sorts the keys stably in the given direction.
void SortKeys(std::vector<SortKey>& keys, bool ascending);

// One sort without keeping anything.
std::vector<uint32_t> SortedRowOrder(const RowStore& rows, size_t column, bool ascending, const DateParser& parseDate);

}  // namespace wv
