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

bool ParseDate(std::string_view text, const DateParser& parseDate, double& when) {
    return !text.empty() && parseDate && parseDate(text, when);
}

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
        double value = 0;
        while (end < text.size() && IsDigit(text[end])) value = value * 10 + (text[end++] - '0');
        bool more = end < text.size() &&
                    (text[end] == '.' || text[end] == 'e' || text[end] == 'E');
        if (!hex && !more && end - i <= 15) return negative ? -value : value;
        return StrtodC(text);
    }
    if (c == '.' || c == 'i' || c == 'I' || c == 'n' || c == 'N' || (i == 0 && IsCSpace(c)))
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
    if (a.length == 0 || b.length == 0) return CompareText(a.Text(), b.Text());
    if (a.isNumber) return Sign3(a.number, b.number);
    if (a.isDate) return b.isDate ? Sign3(a.date, b.date) : CompareText(a.Text(), b.Text());
    return CompareText(a.Text(), b.Text());
}

// ---- SortKeyTable ----

SortKeyTable::SortKeyTable(const RowStore& rows, size_t column, const DateParser& parseDate) {
    const size_t count = rows.Size();
    m_keys.resize(count);
    // A pooled text is normalized once, however many rows share it.
    std::vector<std::string_view> pooled(rows.Pool().IdLimit());
    std::vector<bool> pooledDone(pooled.size());

    for (size_t row = 0; row < count; ++row) {
        CellRef cell = rows.Cell(row, column);
        std::string_view text;
        if (cell.poolId != CellRef::kInline && pooledDone[cell.poolId]) {
            text = pooled[cell.poolId];
        } else {
            text = Trim(cell.text);
            if (std::any_of(text.begin(), text.end(), IsLower)) {
                char* copy = Allocate(text.size());
                std::transform(text.begin(), text.end(), copy, [](char c) {
                    return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
                });
                text = std::string_view(copy, text.size());
            }
            if (cell.poolId != CellRef::kInline) {
                pooled[cell.poolId] = text;
                pooledDone[cell.poolId] = true;
            }
        }
        SortKey& key = m_keys[row];
        key.text = text.data();
        key.length = static_cast<uint32_t>(text.size());
        key.row = static_cast<uint32_t>(row);
        key.isNumber = IsNumberText(text);
        key.number = NumberPrefixValue(text);
    }

    // Dates matter only when some row that is no number is a date; then every
    // row may meet one as the second text, numbers included.
    bool anyDate = false;
    for (SortKey& key : m_keys)
        if (!key.isNumber) anyDate |= key.isDate = ParseDate(key.Text(), parseDate, key.date);
    if (anyDate)
        for (SortKey& key : m_keys)
            if (key.isNumber) key.isDate = ParseDate(key.Text(), parseDate, key.date);
}

SortKeyTable::~SortKeyTable() = default;

char* SortKeyTable::Allocate(size_t bytes) {
    constexpr size_t kChunk = 64 * 1024;
    if (bytes == 0) return nullptr;
    if (m_chunks.empty() || m_chunkSize - m_chunkUsed < bytes) {
        m_chunkSize = std::max(bytes, kChunk);
        m_chunks.emplace_back(new char[m_chunkSize]);
        m_chunkUsed = 0;
    }
    char* p = m_chunks.back().get() + m_chunkUsed;
    m_chunkUsed += bytes;
    return p;
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
    SortKeyTable table(rows, column, parseDate);
    std::vector<SortKey>& keys = table.Keys();
    SortKeys(keys, ascending);
    std::vector<uint32_t> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].row;
    return order;
}

} // namespace wv
