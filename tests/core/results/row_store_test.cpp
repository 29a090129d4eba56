#include "core/results/row_store.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const std::string kHint = "Double Click To Search On eBay";

void Add(wv::RowStore& rows, size_t at, std::vector<std::string_view> texts, size_t columns = 3) {
    rows.Insert(at, texts, columns);
}

std::vector<std::string> RowTexts(const wv::RowStore& rows, size_t row, size_t columns = 3) {
    std::vector<std::string> out;
    for (size_t c = 0; c < columns; ++c) out.emplace_back(rows.Text(row, c));
    return out;
}

using Texts = std::vector<std::string>;

TEST(RowStore, InsertsAtAnyPositionWithMissingCellsEmpty) {
    wv::RowStore rows;
    Add(rows, 0, {"1", "abc", kHint});
    Add(rows, 0, {"2"});                       // fewer texts than columns
    Add(rows, 2, {"3", "x", "y", "dropped"});  // more texts than columns
    Add(rows, 1, {"4", "", "z"});
    ASSERT_EQ(rows.Size(), 4u);
    EXPECT_EQ(RowTexts(rows, 0), (Texts{"2", "", ""}));
    EXPECT_EQ(RowTexts(rows, 1), (Texts{"4", "", "z"}));
    EXPECT_EQ(RowTexts(rows, 2), (Texts{"1", "abc", kHint}));
    EXPECT_EQ(RowTexts(rows, 3), (Texts{"3", "x", "y"}));
    EXPECT_EQ(rows.Text(3, 3), "");
    EXPECT_EQ(rows.PreviousItemData(0), 0u);
}

TEST(RowStore, KeepsBytesExactlyAtTheInlineLimitAndBeyond) {
    wv::RowStore rows;
    const std::string fifteen(wv::RowStore::kInlineLimit, 'q');
    const std::string sixteen(wv::RowStore::kInlineLimit + 1, 'r');
    const std::string bytes("a\0b\xE9\xFF", 5);
    Add(rows, 0, {fifteen, sixteen, bytes});
    rows.Insert(1, std::vector<std::string_view>{"p"}, 1, 0xDEADBEEF);
    EXPECT_EQ(RowTexts(rows, 0), (Texts{fifteen, sixteen, bytes}));
    EXPECT_EQ(rows.Cell(0, 0).poolId, wv::CellRef::kInline);
    EXPECT_NE(rows.Cell(0, 1).poolId, wv::CellRef::kInline);
    EXPECT_EQ(rows.PreviousItemData(1), 0xDEADBEEFu);
    EXPECT_EQ(rows.Text(1, 0), "p");
}

TEST(RowStore, SharesLongTextsAndFreesThemWithTheirLastRow) {
    wv::RowStore rows;
    for (int i = 0; i < 1000; ++i) Add(rows, 0, {std::to_string(i), "abcdefghi", kHint});
    EXPECT_EQ(rows.Pool().Size(), 1u);
    const std::string other = "Another text longer than the limit";
    rows.SetCell(5, 2, other);
    EXPECT_EQ(rows.Pool().Size(), 2u);
    rows.SetCell(5, 2, kHint);
    EXPECT_EQ(rows.Pool().Size(), 1u);
    rows.SetCell(7, 1, other);
    rows.Erase(7);
    EXPECT_EQ(rows.Pool().Size(), 1u);
    while (!rows.Empty()) rows.Erase(0);
    EXPECT_EQ(rows.Pool().Size(), 0u);
    EXPECT_EQ(rows.Pool().IdLimit(), 0u);  // the pool itself is gone too
}

TEST(RowStore, SetCellReplacesOneCellEvenFromItsOwnText) {
    wv::RowStore rows;
    Add(rows, 0, {"1"}, 3);
    rows.SetCell(0, 2, "late");
    EXPECT_EQ(RowTexts(rows, 0), (Texts{"1", "", "late"}));
    Add(rows, 1, {"short", kHint, "x"});
    rows.SetCell(1, 0, rows.Text(1, 1));  // a view into the pool
    rows.SetCell(1, 2, rows.Text(1, 0));
    rows.SetCell(1, 1, rows.Text(0, 2).substr(1));  // a view into another record
    EXPECT_EQ(RowTexts(rows, 1), (Texts{kHint, "ate", kHint}));
    rows.SetCell(1, 0, "");
    rows.SetCell(1, 2, "");
    EXPECT_EQ(RowTexts(rows, 1), (Texts{"", "ate", ""}));
    EXPECT_EQ(rows.Pool().Size(), 0u);
}

TEST(RowStore, InsertedColumnShiftsTheCellsAfterIt) {
    wv::RowStore rows;
    Add(rows, 0, {"1", "a", kHint});
    Add(rows, 1, {"2"});
    rows.InsertColumn(1);
    EXPECT_EQ(RowTexts(rows, 0, 4), (Texts{"1", "", "a", kHint}));
    EXPECT_EQ(RowTexts(rows, 1, 4), (Texts{"2", "", "", ""}));
    rows.InsertColumn(0);
    EXPECT_EQ(RowTexts(rows, 0, 5), (Texts{"", "1", "", "a", kHint}));
    EXPECT_EQ(rows.Pool().Size(), 1u);
}

TEST(RowStore, PermuteAndEraseKeepRecordsWhole) {
    wv::RowStore rows;
    for (int i = 0; i < 5; ++i) Add(rows, static_cast<size_t>(i), {std::to_string(i), kHint});
    std::vector<uint32_t> order = {4, 2, 0, 3, 1};
    rows.Permute(order);
    Texts first;
    for (size_t r = 0; r < rows.Size(); ++r) first.emplace_back(rows.Text(r, 0));
    EXPECT_EQ(first, (Texts{"4", "2", "0", "3", "1"}));
    rows.Erase(2);
    rows.Erase(0);
    EXPECT_EQ(RowTexts(rows, 1), (Texts{"3", kHint, ""}));
    rows.Clear();
    EXPECT_TRUE(rows.Empty());
    EXPECT_EQ(rows.Pool().Size(), 0u);
}

TEST(RowStore, EraseRowsTakesScatteredRowsInOnePass) {
    wv::RowStore rows;
    const std::string longOne = "a text of its own, long enough to be pooled";
    for (int i = 0; i < 8; ++i)
        Add(rows, static_cast<size_t>(i), {std::to_string(i), i == 3 ? longOne : "v" + std::to_string(i), kHint});
    ASSERT_EQ(rows.Pool().Size(), 2u);
    // Duplicates, indices out of order and past the end are ignored.
    const std::vector<size_t> gone = {0, 3, 3, 2, 5, 7, 8, 100};
    EXPECT_EQ(rows.EraseRows(gone), 4u);
    Texts left;
    for (size_t r = 0; r < rows.Size(); ++r) left.emplace_back(rows.Text(r, 1));
    EXPECT_EQ(left, (Texts{"v1", "v2", "v4", "v6"}));
    EXPECT_EQ(RowTexts(rows, 3), (Texts{"6", "v6", kHint}));
    EXPECT_EQ(rows.Pool().Size(), 1u);  // the erased row's own long text went with it

    EXPECT_EQ(rows.EraseRows(std::vector<size_t>{}), 0u);
    EXPECT_EQ(rows.EraseRows(std::vector<size_t>{4, 9}), 0u);
    EXPECT_EQ(rows.Size(), 4u);
    EXPECT_EQ(rows.EraseRows(std::vector<size_t>{0, 1, 2, 3}), 4u);
    EXPECT_TRUE(rows.Empty());
    EXPECT_EQ(rows.Pool().IdLimit(), 0u);
}

}  // namespace
