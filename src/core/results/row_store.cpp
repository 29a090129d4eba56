#include "core/results/row_store.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

namespace wv {

// ---- TextPool ----

uint32_t TextPool::Acquire(std::string_view text) {
    if (auto it = m_index.find(text); it != m_index.end()) {
        ++m_entries[it->second].refs;
        return it->second;
    }
    uint32_t id;
    if (!m_free.empty()) {
        id = m_free.back();
        m_free.pop_back();
    } else {
        id = static_cast<uint32_t>(m_entries.size());
        m_entries.emplace_back();
    }
    Entry& entry = m_entries[id];
    entry.text.assign(text);
    entry.refs = 1;
    m_index.emplace(std::string_view(entry.text), id);
    return id;
}

void TextPool::Release(uint32_t id) {
    Entry& entry = m_entries[id];
    assert(entry.refs > 0);
    if (--entry.refs != 0) return;
    m_index.erase(std::string_view(entry.text));
    std::string().swap(entry.text);
    m_free.push_back(id);
}

void TextPool::Clear() {
    // Swapping with empties hands the memory back instead of keeping capacity.
    std::unordered_map<std::string_view, uint32_t>().swap(m_index);
    std::deque<Entry>().swap(m_entries);
    std::vector<uint32_t>().swap(m_free);
}

// ---- Record blocks ----
//
// byte 0: bits 0-6 cell count, bit 7 set when 4 bytes of previous item data
// follow.  Then per cell a tag: 0..kInlineLimit = that many text bytes follow;
// kPooledTag = a 4-byte pool id follows.  Trailing empty cells are not stored.

namespace {
constexpr unsigned char kHasPrevious = 0x80;
constexpr unsigned char kCountMask = 0x7F;
constexpr unsigned char kPooledTag = 0xFF;

uint32_t Load32(const unsigned char* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store32(unsigned char* p, uint32_t v) { std::memcpy(p, &v, sizeof v); }

// Calls fn(CellRef) for each stored cell of the block.
template <class Fn>
void ForEachCell(const unsigned char* block, const TextPool& pool, Fn&& fn) {
    size_t count = block[0] & kCountMask;
    const unsigned char* p = block + 1 + ((block[0] & kHasPrevious) ? 4 : 0);
    for (size_t i = 0; i < count; ++i) {
        unsigned char tag = *p++;
        if (tag == kPooledTag) {
            uint32_t id = Load32(p);
            p += 4;
            if (!fn(CellRef{pool.Text(id), id})) return;
        } else {
            std::string_view text(reinterpret_cast<const char*>(p), tag);
            p += tag;
            if (!fn(CellRef{text, CellRef::kInline})) return;
        }
    }
}
}  // namespace

RowStore::~RowStore() {
    for (Block block : m_rows) std::free(block);
}

RowStore::Block RowStore::Encode(std::span<const CellRef> cells, uint32_t previousItemData) {
    size_t count = std::min(cells.size(), kMaxColumns);
    while (count > 0 && cells[count - 1].text.empty()) --count;
    size_t bytes = 1 + (previousItemData ? 4 : 0);
    for (size_t i = 0; i < count; ++i) bytes += 1 + (cells[i].text.size() <= kInlineLimit ? cells[i].text.size() : 4);

    auto* block = static_cast<Block>(std::malloc(bytes));
    if (!block) throw std::bad_alloc();
    unsigned char* p = block;
    *p++ = static_cast<unsigned char>(count | (previousItemData ? kHasPrevious : 0));
    if (previousItemData) {
        Store32(p, previousItemData);
        p += 4;
    }
    for (size_t i = 0; i < count; ++i) {
        const CellRef& cell = cells[i];
        if (cell.text.size() <= kInlineLimit) {
            *p++ = static_cast<unsigned char>(cell.text.size());
            if (!cell.text.empty()) std::memcpy(p, cell.text.data(), cell.text.size());
            p += cell.text.size();
        } else {
            uint32_t id;
            if (cell.poolId != CellRef::kInline) {
                id = cell.poolId;
                m_pool.AddRef(id);
            } else {
                id = m_pool.Acquire(cell.text);
            }
            *p++ = kPooledTag;
            Store32(p, id);
            p += 4;
        }
    }
    return block;
}

void RowStore::Free(Block block) {
    ForEachCell(block, m_pool, [this](const CellRef& cell) {
        if (cell.poolId != CellRef::kInline) m_pool.Release(cell.poolId);
        return true;
    });
    std::free(block);
}

std::vector<CellRef> RowStore::Decode(Block block) const {
    std::vector<CellRef> cells;
    ForEachCell(block, m_pool, [&cells](const CellRef& cell) {
        cells.push_back(cell);
        return true;
    });
    return cells;
}

// ---- RowStore ----

void RowStore::Insert(size_t position, std::span<const std::string_view> texts, size_t columns,
                      uint32_t previousItemData) {
    assert(position <= m_rows.size());
    CellRef cells[kMaxColumns];
    size_t count = std::min({texts.size(), columns, kMaxColumns});
    for (size_t i = 0; i < count; ++i) cells[i].text = texts[i];
    Block block = Encode(std::span(cells, count), previousItemData);
    try {
        if (position == 0)
            m_rows.push_front(block);
        else if (position == m_rows.size())
            m_rows.push_back(block);
        else
            m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(position), block);
    } catch (...) {
        Free(block);
        throw;
    }
}

CellRef RowStore::BlockCell(const unsigned char* block, size_t column) const {
    CellRef result;
    size_t i = 0;
    ForEachCell(block, m_pool, [&](const CellRef& cell) {
        if (i++ != column) return true;
        result = cell;
        return false;
    });
    return result;
}

CellRef RowStore::Cell(size_t row, size_t column) const { return BlockCell(m_rows[row], column); }

uint32_t RowStore::PreviousItemData(size_t row) const {
    const unsigned char* block = m_rows[row];
    return (block[0] & kHasPrevious) ? Load32(block + 1) : 0;
}

void RowStore::SetCell(size_t row, size_t column, std::string_view text) {
    assert(column < kMaxColumns);
    Block old = m_rows[row];
    std::vector<CellRef> cells = Decode(old);
    if (cells.size() <= column) cells.resize(column + 1);
    cells[column] = CellRef{text, CellRef::kInline};
    // Encode before freeing: `text` and the kept cells may point into `old`.
    m_rows[row] = Encode(cells, PreviousItemData(row));
    Free(old);
}

void RowStore::Erase(size_t row) {
    Free(m_rows[row]);
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row));
    if (m_rows.empty()) Clear();
}

size_t RowStore::EraseRows(std::span<const size_t> rows) {
    // Erasing one by one would move the deque's tail once per row.
    size_t to = 0, from = 0, erased = 0;
    for (size_t row : rows) {
        if (row < from || row >= m_rows.size()) continue;
        for (; from < row; ++from) m_rows[to++] = m_rows[from];
        Free(m_rows[from++]);
        ++erased;
    }
    if (erased == 0) return 0;
    for (; from < m_rows.size(); ++from) m_rows[to++] = m_rows[from];
    m_rows.resize(to);
    if (m_rows.empty()) Clear();
    return erased;
}

void RowStore::Clear() {
    for (Block block : m_rows) std::free(block);  // the pool goes as a whole
    std::deque<Block>().swap(m_rows);
    m_pool.Clear();
}

void RowStore::InsertColumn(size_t column) {
    for (Block& block : m_rows) {
        if ((block[0] & kCountMask) <= column) continue;  // the new cell is a missing one
        Block old = block;
        std::vector<CellRef> cells = Decode(old);
        cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(column), CellRef{});
        uint32_t previous = (old[0] & kHasPrevious) ? Load32(old + 1) : 0;
        block = Encode(cells, previous);
        Free(old);
    }
}

void RowStore::Permute(std::span<const uint32_t> order) {
    assert(order.size() == m_rows.size());
    // A flat copy to gather from: a deque's random access costs far more.
    const std::vector<Block> old(m_rows.begin(), m_rows.end());
    auto to = m_rows.begin();
    for (uint32_t from : order) *to++ = old[from];
}

}  // namespace wv
