#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

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
    store.TruncateCols(2);
    EXPECT_EQ(store.Text(0, 2), "near");
    EXPECT_EQ(store.Object(2, 2), nullptr);
    EXPECT_EQ(store.Text(2, 50000000), "");
    store.TruncateRows(2);
    EXPECT_EQ(store.Text(0, 2), "");
    EXPECT_EQ(store.Text(0, 2000), "");
}

TEST(GridCellStoreTest, ACellReadWithItsObjectAgreesWithTextAndObjectEverywhere) {
    TGridCellStore store;
    TObject first, second;
    store.SetText(1, 2, "near");
    store.SetObject(3, 2, &first);   // an object past the row's texts
    store.SetObject(0, 4, &second);  // a row holding an object only
    store.SetText(2, 50000000, "far");
    store.SetObject(2, 50000000, &first);
    struct Case {
        Integer col, row;
    };
    const Case cases[] = {{1, 2},        {3, 2},        {0, 2}, {9, 2}, {0, 4},       {1, 4},
                          {2, 50000000}, {1, 50000000}, {0, 3}, {0, 7}, {5, 60000000}};
    for (const Case& c : cases) {
        TObject* object = &second;
        const AnsiString& text = store.Cell(c.col, c.row, object);
        EXPECT_EQ(text, store.Text(c.col, c.row)) << c.col << "," << c.row;
        EXPECT_EQ(object, store.Object(c.col, c.row)) << c.col << "," << c.row;
        // A hint, whatever the place: reading goes on alike.
        store.PrefetchPlace(c.row);
        store.Prefetch(c.row, c.col, c.col + 40);
        store.Prefetch(c.row, -1, 0);
        EXPECT_EQ(store.Text(c.col, c.row), text);
    }
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

namespace {

// The plain table the store must agree with: every row up to the far one, by index.
struct PlainRow {
    std::vector<std::string> Texts;
    std::vector<TObject*> Objects;
};
using PlainTable = std::vector<PlainRow>;

constexpr Integer FarRow = 5000;  // far past the written rows: held apart by the store

struct StoreCase {
    const char* Name;
    std::function<void(TGridCellStore&)> OnStore;
    std::function<void(PlainTable&)> OnPlain;
};

void PlainInsertCols(PlainTable& t, std::size_t At, std::size_t Count) {
    for (PlainRow& row : t) {
        if (row.Texts.size() > At) row.Texts.insert(row.Texts.begin() + At, Count, "");
        if (row.Objects.size() > At) row.Objects.insert(row.Objects.begin() + At, Count, nullptr);
    }
}

std::vector<StoreCase> StoreCases() {
    auto erase = [](PlainTable& t, std::size_t At, std::size_t Count) {
        t.erase(t.begin() + At, t.begin() + At + Count);
        t.resize(t.size() + Count);
    };
    return {
        {"insert rows before all", [](TGridCellStore& s) { s.InsertRows(1, 3); },
         [](PlainTable& t) { t.insert(t.begin() + 1, 3, PlainRow{}); }},
        {"insert rows between the table and the far row", [](TGridCellStore& s) { s.InsertRows(100, 2); },
         [](PlainTable& t) { t.insert(t.begin() + 100, 2, PlainRow{}); }},
        {"delete rows at the top", [](TGridCellStore& s) { s.DeleteRows(0, 2); },
         [erase](PlainTable& t) { erase(t, 0, 2); }},
        {"delete a run holding the far row", [](TGridCellStore& s) { s.DeleteRows(FarRow - 10, 20); },
         [erase](PlainTable& t) { erase(t, FarRow - 10, 20); }},
        {"delete a run past the table before the far row", [](TGridCellStore& s) { s.DeleteRows(20, 30); },
         [erase](PlainTable& t) { erase(t, 20, 30); }},
        {"exchange a row with the far row", [](TGridCellStore& s) { s.ExchangeRows(FarRow, 1); },
         [](PlainTable& t) { std::swap(t[1], t[FarRow]); }},
        {"exchange rows never written", [](TGridCellStore& s) { s.ExchangeRows(30, 40); }, [](PlainTable&) {}},
        {"move a row down", [](TGridCellStore& s) { s.MoveRow(1, 8); },
         [](PlainTable& t) { std::rotate(t.begin() + 1, t.begin() + 2, t.begin() + 9); }},
        {"permute the first rows backwards",
         [](TGridCellStore& s) {
             std::vector<Integer> order(50);
             for (Integer i = 0; i < 50; ++i) order[static_cast<std::size_t>(i)] = 49 - i;
             s.PermuteRows(order);
         },
         [](PlainTable& t) { std::reverse(t.begin(), t.begin() + 50); }},
        {"take rows with the far one and put them back at the top",
         [](TGridCellStore& s) {
             const std::vector<Integer> taken{0, 2, 7, FarRow};
             TGridCellStore::TRowBlock block = s.TakeRows(taken);
             ASSERT_EQ(block.Count(), 4);
             EXPECT_EQ(block.Text(2, 3), "far");
             EXPECT_EQ(block.Text(1, 1), "r2c1");
             const std::vector<Integer> back{1, 2, 3, 4};
             s.PutRows(back, std::move(block));
         },
         [](PlainTable& t) {
             PlainTable moved{t[0], t[2], t[7], t[FarRow]};
             for (Integer r : {FarRow, 7, 2, 0}) t.erase(t.begin() + r);
             t.insert(t.begin() + 1, moved.begin(), moved.end());
         }},
        {"take rows and put them back at the end and far away",
         [](TGridCellStore& s) {
             const std::vector<Integer> taken{3, 4};
             TGridCellStore::TRowBlock block = s.TakeRows(taken);
             const std::vector<Integer> back{20, FarRow + 100};
             s.PutRows(back, std::move(block));
         },
         [](PlainTable& t) {
             PlainRow r3 = t[3], r4 = t[4];
             t.erase(t.begin() + 3, t.begin() + 5);
             t.insert(t.begin() + 20, r3);
             t.resize(FarRow + 100);
             t.insert(t.begin() + FarRow + 100, r4);
         }},
        {"take rows holding objects and put them back in two parts",
         [](TGridCellStore& s) {
             const std::vector<Integer> taken{2, 5, 7, FarRow}, first{0, 3}, top{0, 1}, rest{9, 10};
             TGridCellStore::TRowBlock block = s.TakeRows(taken);
             TGridCellStore::TRowBlock part = block.Split(first);
             ASSERT_EQ(part.Count(), 2);
             ASSERT_EQ(block.Count(), 2);
             EXPECT_EQ(part.Text(2, 1), "far");
             EXPECT_NE(part.Object(1, 0), nullptr);
             EXPECT_EQ(block.Text(3, 1), "r7c3");
             s.PutRows(top, std::move(part));
             s.PutRows(rest, std::move(block));
         },
         [](PlainTable& t) {
             PlainTable part{t[2], t[FarRow]}, rest{t[5], t[7]};
             for (Integer r : {FarRow, 7, 5, 2}) t.erase(t.begin() + r);
             t.insert(t.begin(), part.begin(), part.end());
             t.insert(t.begin() + 9, rest.begin(), rest.end());
         }},
        {"exchange the far row with a row past it never written",
         [](TGridCellStore& s) { s.ExchangeRows(FarRow + 50, FarRow); },
         [](PlainTable& t) { std::swap(t[FarRow], t[FarRow + 50]); }},
        {"insert columns", [](TGridCellStore& s) { s.InsertCols(1, 2); },
         [](PlainTable& t) { PlainInsertCols(t, 1, 2); }},
        {"delete columns", [](TGridCellStore& s) { s.DeleteCols(0, 2); },
         [](PlainTable& t) {
             for (PlainRow& row : t) {
                 row.Texts.erase(row.Texts.begin(), row.Texts.begin() + std::min<std::size_t>(2, row.Texts.size()));
                 row.Objects.erase(row.Objects.begin(),
                                   row.Objects.begin() + std::min<std::size_t>(2, row.Objects.size()));
             }
         }},
        {"truncate rows", [](TGridCellStore& s) { s.TruncateRows(5); },
         [](PlainTable& t) { std::fill(t.begin() + 5, t.end(), PlainRow{}); }},
    };
}

TEST(GridCellStoreTest, BatchChangesMoveNearAndFarRowsAsAPlainTableDoes) {
    static TObject objects[3];
    for (const StoreCase& c : StoreCases()) {
        SCOPED_TRACE(c.Name);
        TGridCellStore store;
        PlainTable plain(FarRow + 200);
        auto write = [&](Integer Col, Integer Row, const std::string& Text) {
            store.SetText(Col, Row, Text);
            auto& texts = plain[static_cast<std::size_t>(Row)].Texts;
            texts.resize(std::max(texts.size(), static_cast<std::size_t>(Col) + 1));
            texts[static_cast<std::size_t>(Col)] = Text;
        };
        auto hold = [&](Integer Col, Integer Row, TObject* Object) {
            store.SetObject(Col, Row, Object);
            auto& held = plain[static_cast<std::size_t>(Row)].Objects;
            held.resize(std::max(held.size(), static_cast<std::size_t>(Col) + 1));
            held[static_cast<std::size_t>(Col)] = Object;
        };
        for (Integer r = 0; r < 10; ++r)
            for (Integer col = 0; col < 4; ++col) write(col, r, "r" + std::to_string(r) + "c" + std::to_string(col));
        write(2, FarRow, "far");
        hold(1, 2, &objects[0]);
        hold(3, 7, &objects[1]);
        hold(0, FarRow, &objects[2]);

        c.OnStore(store);
        c.OnPlain(plain);
        std::vector<std::tuple<Integer, Integer, TObject*>> expectedObjects, visited;
        for (std::size_t r = 0; r < plain.size(); ++r)
            for (Integer col = 0; col < 6; ++col) {
                const PlainRow& row = plain[r];
                const auto at = static_cast<std::size_t>(col);
                const Integer index = static_cast<Integer>(r);
                ASSERT_EQ(store.Text(col, index), at < row.Texts.size() ? row.Texts[at] : "") << col << "," << r;
                TObject* object = at < row.Objects.size() ? row.Objects[at] : nullptr;
                ASSERT_EQ(store.Object(col, index), object) << col << "," << r;
                if (object) expectedObjects.emplace_back(col, index, object);
            }
        store.ForEachObject([&](Integer Col, Integer Row, TObject* Object) { visited.emplace_back(Col, Row, Object); });
        EXPECT_EQ(visited, expectedObjects);
    }
}

TEST(GridCellStoreTest, FarRowsStayApartWhenTheTableGrowsAndMoveWithInsertedRows) {
    TGridCellStore store;
    store.SetText(0, 0, "first");
    for (Integer far = 1; far <= 20; ++far) store.SetText(0, far * 100000, "far " + std::to_string(far));
    const std::size_t apart = store.HeapBytes();
    store.SetText(0, 1000, "near");  // the table grows to row 1000; no far row lies there
    EXPECT_LT(store.HeapBytes(), apart + 1100 * 64);
    for (Integer far = 1; far <= 20; ++far) EXPECT_EQ(store.Text(0, far * 100000), "far " + std::to_string(far));
    store.InsertRows(0, 1);
    EXPECT_EQ(store.Text(0, 1), "first");
    EXPECT_EQ(store.Text(0, 100001), "far 1");
    EXPECT_EQ(store.Text(0, 100000), "");
}

}  // namespace

namespace {

TEST(GridCellStoreTest, RowsReleasedOneByOneGoBackWithTheirCellsAndMadeRowsHoldWhatWasSet) {
    TGridCellStore store;
    TObject marker;
    store.SetText(0, 1, "one");
    store.SetObject(2, 1, &marker);
    store.SetText(1, 3, "three");
    const Integer taken[] = {1, 2, 3};
    std::vector<TGridRowCells> rows = store.TakeRows(taken).Release();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Count(), 3);  // the object reaches past the texts
    EXPECT_EQ(rows[0].Object(2), &marker);
    EXPECT_EQ(rows[1].Count(), 0);  // never written
    EXPECT_EQ(rows[2].TakeText(1), "three");
    EXPECT_EQ(rows[2].Text(1), "");
    rows[1].SetText(4, "made");
    rows[1].SetText(9, "");  // clearing past the cells needs no room
    EXPECT_EQ(rows[1].Count(), 5);
    TGridCellStore::TRowBlock block;
    for (TGridRowCells& row : rows) block.Append(std::move(row));
    EXPECT_EQ(rows[0].Count(), 0);
    store.PutRows(taken, std::move(block));
    EXPECT_EQ(store.Text(0, 1), "one");
    EXPECT_EQ(store.Object(2, 1), &marker);
    EXPECT_EQ(store.Text(4, 2), "made");
    EXPECT_EQ(store.Text(1, 3), "");
    int objects = 0;
    store.ForEachObject([&objects](Integer, Integer, TObject*) { ++objects; });
    EXPECT_EQ(objects, 1);
}

}  // namespace
