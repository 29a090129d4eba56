#include "core/results/row_compare.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>

#include "core/results/row_store.h"
#include "core/text/c_locale.h"
#include "core/text/cp1252.h"

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

}  // namespace

std::string NormalizeSortText(std::string_view text) { return AsciiUpper(Trim(text)); }

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
        bool more =
            end < text.size() && (IsDigit(text[end]) || text[end] == '.' || text[end] == 'e' || text[end] == 'E');
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

int CompareNumber(std::string_view a, std::string_view b) { return Sign3(NumberPrefixValue(a), NumberPrefixValue(b)); }

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
// Below this many rows a second thread costs more than it saves.
constexpr size_t kSplitAt = 20000;
}  // namespace

RowSorter::RowSorter() = default;
RowSorter::~RowSorter() = default;

char* RowSorter::Arena::Allocate(size_t bytes) {
    if (bytes > kChunkSize) return large.emplace_back(new char[bytes]).get();
    if (chunk < chunks.size() && kChunkSize - used < bytes) {
        ++chunk;
        used = 0;
    }
    if (chunk == chunks.size()) chunks.emplace_back(new char[kChunkSize]);
    char* p = chunks[chunk].get() + used;
    used += bytes;
    return p;
}

void RowSorter::Arena::Rewind() {
    chunk = 0;
    used = 0;
    large.clear();
}

void RowSorter::BuildRange(const RowStore& rows, size_t column, size_t begin, size_t end, const DateParser& parseDate,
                           Arena& arena, std::vector<DateCandidate>& candidates) {
    candidates.clear();
    // A pooled text's key is made once, however many rows share the text.
    std::vector<SortKey> pooledKeys(rows.Pool().IdLimit());
    std::vector<char> pooledState(pooledKeys.size());  // 0 new, 1 done, 2 done and maybe a date

    uint32_t row = static_cast<uint32_t>(begin);
    rows.ForEachInColumn(column, begin, end, [&](const CellRef& cell) {
        SortKey& key = m_keys[row];
        const bool pooled = cell.poolId != CellRef::kInline;
        if (pooled && pooledState[cell.poolId]) {
            key = pooledKeys[cell.poolId];
            key.row = row;
            if (pooledState[cell.poolId] == 2) candidates.push_back({row, cell.poolId});
            ++row;
            return;
        }
        key = SortKey{};
        key.row = row;
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
                char* copy = arena.Allocate(text.size());
                std::transform(text.begin(), text.end(), copy, [](char c) { return AsciiUpper(c); });
                text = std::string_view(copy, text.size());
            }
            if (StartsLikeNumber(text)) {
                isNumber = IsNumberText(text);
                key.number = NumberPrefixValue(text);
            }
        }
        key.text = text.data();
        key.lengthAndFlags = static_cast<uint32_t>(text.size()) | (isNumber ? SortKey::kNumber : 0);
        const bool maybeDate =
            !isNumber && parseDate && !(oneWord && parseDate.mayBeDateWord && !parseDate.mayBeDateWord(text));
        if (maybeDate) candidates.push_back({row, cell.poolId});
        if (pooled) {
            pooledKeys[cell.poolId] = key;
            pooledState[cell.poolId] = maybeDate ? 2 : 1;
        }
        ++row;
    });
}

std::vector<SortKey>& RowSorter::BuildKeys(const RowStore& rows, size_t column, const DateParser& parseDate) {
    const size_t count = rows.Size();
    m_keys.resize(count);
    for (Arena& arena : m_arenas) arena.Rewind();

    const size_t half = count >= kSplitAt ? count / 2 : count;
    std::exception_ptr helperFailed;
    std::thread helper;
    if (half < count) {
        try {
            helper = std::thread([&] {
                try {
                    BuildRange(rows, column, half, count, parseDate, m_arenas[1], m_candidates[1]);
                } catch (...) {
                    helperFailed = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            // No second thread: this one builds every key.
        }
    }
    try {
        BuildRange(rows, column, 0, helper.joinable() ? half : count, parseDate, m_arenas[0], m_candidates[0]);
    } catch (...) {
        if (helper.joinable()) helper.join();
        throw;
    }
    if (helper.joinable()) {
        helper.join();
        if (helperFailed) std::rethrow_exception(helperFailed);
    } else {
        m_candidates[1].clear();
    }

    // Dates matter only when some row that is no number is a date; then every
    // row may meet one as the second text, numbers included.  A pooled text
    // is parsed once.
    bool anyDate = false;
    std::vector<char> pooledDate;
    std::vector<double> pooledWhen;
    for (const auto& candidates : m_candidates) {
        for (const DateCandidate& candidate : candidates) {
            SortKey& key = m_keys[candidate.row];
            bool isDate;
            if (candidate.poolId != CellRef::kInline) {
                if (pooledDate.empty()) {
                    pooledDate.assign(rows.Pool().IdLimit(), 0);
                    pooledWhen.assign(pooledDate.size(), 0);
                }
                char& state = pooledDate[candidate.poolId];  // 0 unknown, 1 no date, 2 date
                if (!state) state = ParseDate(key.Text(), parseDate, pooledWhen[candidate.poolId]) ? 2 : 1;
                isDate = state == 2;
                key.date = pooledWhen[candidate.poolId];
            } else {
                isDate = ParseDate(key.Text(), parseDate, key.date);
            }
            if (isDate) key.lengthAndFlags |= SortKey::kDate;
            anyDate |= isDate;
        }
    }
    if (anyDate)
        for (SortKey& key : m_keys)
            if (key.IsNumber() && ParseDate(key.Text(), parseDate, key.date)) key.lengthAndFlags |= SortKey::kDate;
    return m_keys;
}

namespace {
// Sorts the items stably and writes their rows, in order, to `order`.  A big
// vector's halves are sorted on two threads and merged straight into the
// order: the items themselves are never moved a third time.  Like the sorts,
// the merge stays inside the ranges whatever the comparison answers.
template <class Item, class Less>
void SortRowsOnTwoThreads(std::vector<Item>& items, std::vector<uint32_t>& order, Less less) {
    order.resize(items.size());
    const auto mid = items.begin() + static_cast<std::ptrdiff_t>(items.size() / 2);
    std::thread helper;
    if (items.size() >= kSplitAt) {
        try {
            helper = std::thread([&] { std::stable_sort(mid, items.end(), less); });
        } catch (const std::system_error&) {}
    }
    if (!helper.joinable()) {
        std::stable_sort(items.begin(), items.end(), less);
        for (size_t i = 0; i < items.size(); ++i) order[i] = items[i].row;
        return;
    }
    std::stable_sort(items.begin(), mid, less);
    helper.join();
    // Equal items of the first half come first, as in one stable sort.
    const Item *a = items.data(), *aEnd = a + (mid - items.begin());
    const Item *b = aEnd, *bEnd = items.data() + items.size();
    uint32_t* out = order.data();
    while (a != aEnd && b != bEnd) *out++ = (less(*b, *a) ? b++ : a++)->row;
    for (; a != aEnd; ++a) *out++ = a->row;
    for (; b != bEnd; ++b) *out++ = b->row;
}

// What the whole column's keys allow the comparison to skip.
enum class ColumnKind { Mixed, Numbers, Texts };

ColumnKind KindOf(const std::vector<SortKey>& keys) {
    bool numbers = true, texts = true;
    for (const SortKey& key : keys) {
        numbers &= key.IsNumber();
        texts &= (key.lengthAndFlags & ~SortKey::kLengthMask) == 0;
    }
    return numbers ? ColumnKind::Numbers : texts ? ColumnKind::Texts : ColumnKind::Mixed;
}

// The first eight bytes of the text, zero-padded, as a number that orders as
// the bytes do (unsigned, first byte most significant).
uint64_t TextPrefix(std::string_view text) {
    uint64_t prefix = 0;
    if (!text.empty()) std::memcpy(&prefix, text.data(), std::min<size_t>(text.size(), 8));
    if constexpr (std::endian::native == std::endian::little) prefix = __builtin_bswap64(prefix);
    return prefix;
}
}  // namespace

const std::vector<uint32_t>& RowSorter::Sort(const RowStore& rows, size_t column, bool ascending,
                                             const DateParser& parseDate) {
    std::vector<SortKey>& keys = BuildKeys(rows, column, parseDate);
    const ColumnKind kind = KindOf(keys);
    if (kind == ColumnKind::Mixed) {
        if (ascending)
            SortRowsOnTwoThreads(keys, m_order,
                                 [](const SortKey& a, const SortKey& b) { return CompareSortKeys(a, b) < 0; });
        else
            SortRowsOnTwoThreads(keys, m_order,
                                 [](const SortKey& a, const SortKey& b) { return CompareSortKeys(b, a) < 0; });
        return m_order;
    }

    // A column of numbers only, or of texts only (no number, no date), is
    // sorted on half-size items whose comparison answers as CompareSortKeys
    // does for every pair, so the order is the same; moving the items is
    // most of a sort's work.
    m_compact.resize(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        m_compact[i] = {
            kind == ColumnKind::Numbers ? std::bit_cast<uint64_t>(keys[i].number) : TextPrefix(keys[i].Text()),
            static_cast<uint32_t>(i)};
    if (kind == ColumnKind::Numbers) {
        // Both sides numbers: CompareSortKeys is Sign3 of the values.
        auto less = [](const CompactKey& a, const CompactKey& b) {
            return std::bit_cast<double>(a.bits) < std::bit_cast<double>(b.bits);
        };
        if (ascending)
            SortRowsOnTwoThreads(m_compact, m_order, less);
        else
            SortRowsOnTwoThreads(m_compact, m_order,
                                 [&](const CompactKey& a, const CompactKey& b) { return less(b, a); });
    } else {
        // No number, no date: CompareSortKeys is CompareText, which the
        // prefixes decide unless they are equal.
        const SortKey* byRow = keys.data();
        auto less = [byRow](const CompactKey& a, const CompactKey& b) {
            if (a.bits != b.bits) return a.bits < b.bits;
            return byRow[a.row].Text() < byRow[b.row].Text();
        };
        if (ascending)
            SortRowsOnTwoThreads(m_compact, m_order, less);
        else
            SortRowsOnTwoThreads(m_compact, m_order,
                                 [&](const CompactKey& a, const CompactKey& b) { return less(b, a); });
    }
    return m_order;
}

void RowSorter::Release() {
    std::vector<SortKey>().swap(m_keys);
    std::vector<uint32_t>().swap(m_order);
    std::vector<CompactKey>().swap(m_compact);
    for (Arena& arena : m_arenas) arena = Arena{};
    for (auto& candidates : m_candidates) std::vector<DateCandidate>().swap(candidates);
}

void SortKeys(std::vector<SortKey>& keys, bool ascending) {
    if (ascending)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const SortKey& a, const SortKey& b) { return CompareSortKeys(a, b) < 0; });
    else
        std::stable_sort(keys.begin(), keys.end(),
                         [](const SortKey& a, const SortKey& b) { return CompareSortKeys(b, a) < 0; });
}

std::vector<uint32_t> SortedRowOrder(const RowStore& rows, size_t column, bool ascending, const DateParser& parseDate) {
    RowSorter sorter;
    return sorter.Sort(rows, column, ascending, parseDate);
}

}  // namespace wv
