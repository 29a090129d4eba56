#include "results/row_compare.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "results/row_store.h"

namespace wv {

namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

std::string_view Trim(std::string_view text) {
    size_t first = 0, last = text.size();
    while (first < last && IsCSpace(text[first])) ++first;
    while (last > first && IsCSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

template <class T>
int Sign3(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// strtod in the "C" locale, whatever locale the program runs in.
double StrtodC(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    char small[64];
    std::unique_ptr<char[]> large;
    char* buffer = small;
    if (text.size() >= sizeof small) {
        large.reset(new char[text.size() + 1]);
        buffer = large.get();
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return strtod_l(buffer, nullptr, cLocale);
}

bool StartsWithNoCase(std::string_view text, std::string_view upperWord) {
    if (text.size() < upperWord.size()) return false;
    for (size_t i = 0; i < upperWord.size(); ++i)
        if ((text[i] & ~0x20) != upperWord[i]) return false;
    return true;
}

// False for texts that are no number text and have no numeric prefix, such
// as words: their key is (no number, 0) without a parse.
bool StartsLikeNumber(std::string_view text) {
    if (text.empty()) return false;
    const char c = text[0];
    if (IsDigit(c) || c == '+' || c == '-' || c == '.' || IsCSpace(c)) return true;
    return StartsWithNoCase(text, "INF") || StartsWithNoCase(text, "NAN");
}

// The row numbers' common case in one pass: an optional '-' and at most 16
// digits, which is a number text whose value is exactly its integer.
bool PlainInteger(std::string_view text, double& value) {
    size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    if (i == text.size() || text.size() - i > 16) return false;
    uint64_t n = 0;
    for (size_t k = i; k < text.size(); ++k) {
        if (!IsDigit(text[k])) return false;
        n = n * 10 + static_cast<uint64_t>(text[k] - '0');
    }
    value = i ? -static_cast<double>(n) : static_cast<double>(n);
    return true;
}

bool ParseDate(std::string_view text, const DateParser& parseDate, double& when) {
    return !text.empty() && parseDate && parseDate.parse(text, when);
}

bool IsAsciiLetter(char c) { return static_cast<unsigned>((c | 0x20) - 'a') < 26u; }

} // namespace

std::string NormalizeSortText(std::string_view text) {
    std::string out(Trim(text));
    for (char& c : out)
        if (IsLower(c)) c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool IsNumberText(std::string_view text) {
    if (text.empty()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (IsDigit(c) || c == '+') continue;
        if (c == '-' && i == 0 && text.size() > 1) continue;
        return false;
    }
    return true;
}

double NumberPrefixValue(std::string_view text) {
    // Plain integers, the common case, without the C library's parse; the
    // rest (fractions, exponents, hex, inf, nan, leading blanks) goes to strtod.
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return 0;
    char c = text[i];
    if (IsDigit(c)) {
        bool hex = c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X');
        size_t end = i;
        uint64_t value = 0;
        while (end < text.size() && end - i < 16 && IsDigit(text[end]))
            value = value * 10 + static_cast<uint64_t>(text[end++] - '0');
        bool more = end < text.size() &&
                    (IsDigit(text[end]) || text[end] == '.' || text[end] == 'e' || text[end] == 'E');
        if (!hex && !more) return negative ? -static_cast<double>(value) : static_cast<double>(value);
        return StrtodC(text);
    }
    const std::string_view rest = text.substr(i);
    if (c == '.' || StartsWithNoCase(rest, "INF") || StartsWithNoCase(rest, "NAN") || (i == 0 && IsCSpace(c)))
        return StrtodC(text);
    return 0;
}

int CompareText(std::string_view a, std::string_view b) {
    int r = a.compare(b);  // char_traits<char> compares as unsigned char
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareNumber(std::string_view a, std::string_view b) {
    return Sign3(NumberPrefixValue(a), NumberPrefixValue(b));
}

bool IsDateText(std::string_view text, const DateParser& parseDate) {
    double when;
    return ParseDate(text, parseDate, when);
}

int CompareDate(std::string_view a, std::string_view b, const DateParser& parseDate) {
    double da, db;
    if (!ParseDate(a, parseDate, da) || !ParseDate(b, parseDate, db)) return CompareText(a, b);
    return Sign3(da, db);
}

int CompareRows(std::string_view text1, std::string_view text2, const DateParser& parseDate) {
    std::string s1 = NormalizeSortText(text1);
    std::string s2 = NormalizeSortText(text2);
    if (s1.empty() || s2.empty()) return CompareText(s1, s2);
    if (IsNumberText(s1)) return CompareNumber(s1, s2);
    if (IsDateText(s1, parseDate)) return CompareDate(s1, s2, parseDate);
    return CompareText(s1, s2);
}

int CompareSortKeys(const SortKey& a, const SortKey& b) {
    const std::string_view ta = a.Text(), tb = b.Text();
    if (ta.empty() || tb.empty()) return CompareText(ta, tb);
    if (a.IsNumber()) return Sign3(a.number, b.number);
    if (a.IsDate()) return b.IsDate() ? Sign3(a.date, b.date) : CompareText(ta, tb);
    return CompareText(ta, tb);
}

// ---- RowSorter ----

namespace {
constexpr size_t kChunkSize = 64 * 1024;
}

RowSorter::RowSorter() = default;
RowSorter::~RowSorter() = default;

char* RowSorter::Allocate(size_t bytes) {
    if (bytes > kChunkSize) return m_large.emplace_back(new char[bytes]).get();
    if (m_chunk < m_chunks.size() && kChunkSize - m_chunkUsed < bytes) {
        ++m_chunk;
        m_chunkUsed = 0;
    }
    if (m_chunk == m_chunks.size()) m_chunks.emplace_back(new char[kChunkSize]);
    char* p = m_chunks[m_chunk].get() + m_chunkUsed;
    m_chunkUsed += bytes;
    return p;
}

std::vector<SortKey>& RowSorter::BuildKeys(const RowStore& rows, size_t column,
                                           const DateParser& parseDate) {
    m_keys.clear();
    m_keys.reserve(rows.Size());
    m_chunk = 0;
    m_chunkUsed = 0;
    m_large.clear();
    // Dates matter only when some row that is no number is a date; then every
    // row may meet one as the second text, numbers included.
    bool anyDate = false;
    auto tryDate = [&parseDate](SortKey& key) {
        if (ParseDate(key.Text(), parseDate, key.date)) key.lengthAndFlags |= SortKey::kDate;
        return key.IsDate();
    };

    // A pooled text's key is made once, however many rows share the text.
    std::vector<SortKey> pooledKeys(rows.Pool().IdLimit());
    std::vector<bool> pooledDone(pooledKeys.size());

    uint32_t row = 0;
    rows.ForEachInColumn(column, [&](const CellRef& cell) {
        const bool pooled = cell.poolId != CellRef::kInline;
        if (pooled && pooledDone[cell.poolId]) {
            SortKey& key = m_keys.emplace_back(pooledKeys[cell.poolId]);
            key.row = row++;
            return;
        }
        SortKey& key = m_keys.emplace_back();
        key.row = row++;
        std::string_view text = Trim(cell.text).substr(0, SortKey::kLengthMask);
        // Plain integers, most of a run's first column, need nothing more.
        bool isNumber = PlainInteger(text, key.number);
        bool oneWord = false;
        if (!isNumber) {
            bool lower = false, other = text.empty();
            for (char c : text) {
                lower |= IsLower(c);
                other |= !IsAsciiLetter(c);
            }
            oneWord = !other;
            if (lower) {
                char* copy = Allocate(text.size());
                std::transform(text.begin(), text.end(), copy, [](char c) {
                    return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
                });
                text = std::string_view(copy, text.size());
            }
            if (StartsLikeNumber(text)) {
                isNumber = IsNumberText(text);
                key.number = NumberPrefixValue(text);
            }
        }
        key.text = text.data();
        key.lengthAndFlags = static_cast<uint32_t>(text.size()) | (isNumber ? SortKey::kNumber : 0);
        if (!isNumber && parseDate && !(oneWord && parseDate.mayBeDateWord && !parseDate.mayBeDateWord(text)))
            anyDate |= tryDate(key);
        if (pooled) {
            pooledKeys[cell.poolId] = key;
            pooledDone[cell.poolId] = true;
        }
    });

    if (anyDate)
        for (SortKey& key : m_keys)
            if (key.IsNumber()) tryDate(key);
    return m_keys;
}

const std::vector<uint32_t>& RowSorter::Sort(const RowStore& rows, size_t column, bool ascending,
                                             const DateParser& parseDate) {
    std::vector<SortKey>& keys = BuildKeys(rows, column, parseDate);
    SortKeys(keys, ascending);
    m_order.resize(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) m_order[i] = keys[i].row;
    return m_order;
}

void RowSorter::Release() {
    std::vector<SortKey>().swap(m_keys);
    std::vector<uint32_t>().swap(m_order);
    std::vector<std::unique_ptr<char[]>>().swap(m_chunks);
    std::vector<std::unique_ptr<char[]>>().swap(m_large);
    m_chunk = m_chunkUsed = 0;
}

void SortKeys(std::vector<SortKey>& keys, bool ascending) {
    if (ascending)
        std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            return CompareSortKeys(a, b) < 0;
        });
    else
        std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            return CompareSortKeys(b, a) < 0;
        });
}

std::vector<uint32_t> SortedRowOrder(const RowStore& rows, size_t column, bool ascending,
                                     const DateParser& parseDate) {
    RowSorter sorter;
    return sorter.Sort(rows, column, ascending, parseDate);
}

} // namespace wv
