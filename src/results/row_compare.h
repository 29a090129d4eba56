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

// Parses a trimmed, upper-cased text as a date and/or a time of day.  Returns
// true and a moment on any increasing scale when the WHOLE text is one.
// Supplied by the platform layer (it knows the user's date forms).
using DateParser = std::function<bool(std::string_view text, double& when)>;

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
struct SortKey {
    const char* text = nullptr;
    uint32_t length = 0;
    uint32_t row = 0;
    double number = 0;  // NumberPrefixValue(text)
    double date = 0;    // valid when isDate
    bool isNumber = false;
    bool isDate = false;

    std::string_view Text() const { return {text, length}; }
};

int CompareSortKeys(const SortKey& a, const SortKey& b);

// Keys of every row of one column.  The texts point into the store (or into
// this object), so the store must not change while they are in use.
class SortKeyTable {
public:
    SortKeyTable(const RowStore& rows, size_t column, const DateParser& parseDate);
    SortKeyTable(const SortKeyTable&) = delete;
    SortKeyTable& operator=(const SortKeyTable&) = delete;
    ~SortKeyTable();

    std::vector<SortKey>& Keys() { return m_keys; }

private:
    char* Allocate(size_t bytes);

    std::vector<SortKey> m_keys;
    std::vector<std::unique_ptr<char[]>> m_chunks;  // normalized copies
    size_t m_chunkUsed = 0;
    size_t m_chunkSize = 0;
};

// Sorts the keys stably in the given direction.
void SortKeys(std::vector<SortKey>& keys, bool ascending);

// The new order of the rows (new row i = old row result[i]).
std::vector<uint32_t> SortedRowOrder(const RowStore& rows, size_t column, bool ascending,
                                     const DateParser& parseDate);

} // namespace wv
