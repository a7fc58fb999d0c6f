#include <gtest/gtest.h>

#include "vcl/Grids.h"

namespace {

TEST(GridCellStoreTest, CellsBeyondTheStoredRowsReadEmptyUntilWrittenAndTruncateForgetsThem) {
    TGridCellStore store;
    TObject marker;
    EXPECT_EQ(store.Text(3, 5), "");
    EXPECT_EQ(store.Object(3, 5), nullptr);
    EXPECT_EQ(store.HeapBytes(), 0u);
    store.SetText(3, 5, "near");
    store.SetText(2, 50000000, "far");  // far past the others: kept without a table up to it
    store.SetObject(1, 5, &marker);
    EXPECT_LT(store.HeapBytes(), 4096u);
    EXPECT_EQ(store.Text(3, 5), "near");
    EXPECT_EQ(store.Text(2, 50000000), "far");
    EXPECT_EQ(store.Object(1, 5), &marker);
    EXPECT_EQ(store.Object(3, 5), nullptr);
    store.SetText(0, 2000, "grows the table");
    EXPECT_EQ(store.Text(2, 50000000), "far");
    store.MoveRow(5, 2);
    EXPECT_EQ(store.Text(3, 2), "near");
    EXPECT_EQ(store.Object(1, 2), &marker);
    store.MoveCol(3, 0);
    EXPECT_EQ(store.Text(0, 2), "near");
    EXPECT_EQ(store.Text(1, 2), "");
    EXPECT_EQ(store.Object(2, 2), &marker);
    store.Truncate(2, 50000000);
    EXPECT_EQ(store.Text(0, 2), "near");
    EXPECT_EQ(store.Object(2, 2), nullptr);
    EXPECT_EQ(store.Text(2, 50000000), "");
    store.Truncate(2, 2);
    EXPECT_EQ(store.Text(0, 2), "");
    EXPECT_EQ(store.Text(0, 2000), "");
}

TEST(GridCellStoreTest, CopyingACellIntoRoomNotMadeYetCopiesTheText) {
    TGridCellStore store;
    store.SetText(0, 0, "a text longer than the short-string buffer");
    for (Integer col = 1; col < 40; ++col) store.SetText(col, 0, store.Text(col - 1, 0));
    for (Integer row = 1; row < 3000; ++row) store.SetText(0, row, store.Text(0, row - 1));
    EXPECT_EQ(store.Text(39, 0), "a text longer than the short-string buffer");
    EXPECT_EQ(store.Text(0, 2999), "a text longer than the short-string buffer");
}

}  // namespace
