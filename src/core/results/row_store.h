#pragma once
// The results list's rows: one record per row with a copy of every cell's
// text (Windows-1252 bytes) and the row's previous item data.
//
// Kept compact because a run can list hundreds of thousands of rows: a record
// is one small heap block of length-prefixed cells, and texts longer than
// kInlineLimit bytes live once in a per-store pool (reference-counted, so the
// hint repeated on every row costs a few bytes per row).  Records sit in a
// deque, so inserting or removing a row at the top costs the same whatever
// the row count.
//
// A record may hold fewer cells than the list has columns: the missing cells
// are empty.  Not thread-safe; the owner serialises access (the UI thread).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wv {

// Deduplicated storage of long texts.  Ids stay valid until released.
class TextPool {
public:
    uint32_t Acquire(std::string_view text);
    void AddRef(uint32_t id) { ++m_entries[id].refs; }
    void Release(uint32_t id);
    std::string_view Text(uint32_t id) const { return m_entries[id].text; }
    // One past the largest id handed out so far.
    uint32_t IdLimit() const { return static_cast<uint32_t>(m_entries.size()); }
    size_t Size() const { return m_index.size(); }
    void Clear();

private:
    struct Entry {
        std::string text;
        uint32_t refs = 0;
    };
    std::deque<Entry> m_entries;  // deque: entry addresses never move
    std::vector<uint32_t> m_free;
    std::unordered_map<std::string_view, uint32_t> m_index;  // views into m_entries
};

// A cell as stored: its text, and its pool id when the text is pooled.
struct CellRef {
    static constexpr uint32_t kInline = UINT32_MAX;
    std::string_view text;
    uint32_t poolId = kInline;
};

class RowStore {
public:
    static constexpr size_t kInlineLimit = 15;  // longer texts are pooled
    static constexpr size_t kMaxColumns = 127;  // cells a record can hold

    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;
    RowStore(RowStore&&) noexcept = default;  // the source is left empty
    ~RowStore();

    size_t Size() const { return m_rows.size(); }
    bool Empty() const { return m_rows.empty(); }

    // Inserts a record before row `position` (<= Size()) holding the first
    // min(texts.size(), columns) texts.
    void Insert(size_t position, std::span<const std::string_view> texts, size_t columns,
                uint32_t previousItemData = 0);
    // Replaces one cell (column < kMaxColumns); cells before it that the
    // record lacked become empty.
    void SetCell(size_t row, size_t column, std::string_view text);
    CellRef Cell(size_t row, size_t column) const;
    // fn(CellRef) for one column of every row, top to bottom.
    template <class Fn>
    void ForEachInColumn(size_t column, Fn&& fn) const {
        ForEachInColumn(column, 0, m_rows.size(), std::forward<Fn>(fn));
    }
    // The same for rows [begin, end).  Read-only: two threads may walk
    // disjoint ranges of an unchanging store at once.
    template <class Fn>
    void ForEachInColumn(size_t column, size_t begin, size_t end, Fn&& fn) const {
        // After a sort the records lie in memory in no particular order:
        // fetch a few rows ahead.
        constexpr ptrdiff_t kAhead = 8;
        const auto first = m_rows.begin() + static_cast<ptrdiff_t>(begin);
        const auto last = m_rows.begin() + static_cast<ptrdiff_t>(end);
        auto ahead = first + std::min<ptrdiff_t>(kAhead, last - first);
        for (auto it = first; it != last; ++it) {
            if (ahead != last) __builtin_prefetch(*ahead++);
            fn(BlockCell(*it, column));
        }
    }
    std::string_view Text(size_t row, size_t column) const { return Cell(row, column).text; }
    uint32_t PreviousItemData(size_t row) const;

    void Erase(size_t row);
    // Erases the given rows in one pass over the store.  `rows` must be
    // ascending; an index out of order or at or beyond Size() is ignored.
    // Returns the number of rows erased.
    size_t EraseRows(std::span<const size_t> rows);
    void Clear();  // linear; also empties the pool

    // A column was inserted at `column`: every record's cells from there on
    // move one place right and the new cell is empty.
    void InsertColumn(size_t column);

    // Reorders the rows: new row i is old row order[i].  `order` must be a
    // permutation of 0..Size()-1.
    void Permute(std::span<const uint32_t> order);

    const TextPool& Pool() const { return m_pool; }

private:
    using Block = unsigned char*;
    CellRef BlockCell(const unsigned char* block, size_t column) const;
    Block Encode(std::span<const CellRef> cells, uint32_t previousItemData);
    void Free(Block block);
    std::vector<CellRef> Decode(Block block) const;

    std::deque<Block> m_rows;
    TextPool m_pool;
};

}  // namespace wv
