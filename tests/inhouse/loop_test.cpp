// The selection iterator: texts with single indexes, open and closed ranges, negatives and empty
// items, the Finished flag, and the item table's operations walking only the selected rows.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <vcl/StdCtrls.h>

#include "superar.h"
#include "valstr.h"

using namespace valstr;

namespace {

std::vector<Integer> Walk(LoopT& Loop) {
    std::vector<Integer> indexes;
    LoopStart(Loop);
    // A fault that loops for ever would hang the test; no selection here names more than 100 indexes.
    while (LoopNext(Loop) && indexes.size() <= 100) indexes.push_back(Loop.Current);
    return indexes;
}

std::vector<Integer> Walk(const AnsiString& Selection, Integer Max) {
    LoopT loop{};
    LoopSetSelection(loop, Selection, 1, Max);
    return Walk(loop);
}

std::vector<Integer> Range(Integer From, Integer To) {
    std::vector<Integer> indexes;
    for (Integer i = From; From <= To ? i <= To : i >= To; i += From <= To ? 1 : -1) indexes.push_back(i);
    return indexes;
}

TEST(SelectionIterator, WalksTheIndexesEachTextNames) {
    struct Case {
        const char* selection;
        Integer max;
        std::vector<Integer> expected;
    } const cases[] = {
        {"", 5, Range(1, 5)},
        {"1-", 5, Range(1, 5)},
        {";;", 5, Range(1, 5)},
        {";", 5, Range(1, 5)},
        {"3-7", 20, Range(3, 7)},
        {"7-3", 20, Range(7, 3)},
        {"12-", 20, Range(12, 20)},
        {"5", 20, {5}},
        {"-1", 20, {20}},
        {"-3", 20, {18}},
        {"2--2", 20, Range(2, 19)},
        {"3-7;9;12-", 15, {3, 4, 5, 6, 7, 9, 12, 13, 14, 15}},
        {";;3;;;5;", 9, {3, 5}},
        {"0", 20, {}},
        {"25-30", 20, {}},
        {"25-", 20, {}},
        {"15-30", 20, Range(15, 20)},
        {"-30", 20, {}},
        {"-5--1", 20, Range(16, 20)},
        // Items without a digit name nothing; they do not repeat the previous item's range.
        {"2;x;-", 20, {2}},
        {"2147483647-", 2147483647, {2147483647}},
        {"2147483646-", 2147483647, {2147483646, 2147483647}},
    };
    for (const Case& c : cases) EXPECT_EQ(Walk(c.selection, c.max), c.expected) << '"' << c.selection << '"';
}

TEST(SelectionIterator, ResolvesItemsToClampedRangesWithTheirDirection) {
    struct Case {
        Integer a, b;
        Byte direction;
        Integer from, to;
    } const cases[] = {
        {3, 7, 0, 3, 7},    {7, 3, 1, 7, 3},     {5, 0, 0, 5, 5},
        {-1, 0, 0, 20, 20}, {15, 30, 0, 15, 20}, {-2147483647, 5, 0, 1, 20},
        {0, 0, 2, 1, 1},
    };
    for (const Case& c : cases) {
        Integer from = -9, to = -9;
        EXPECT_EQ(ResolveRange(c.a, c.b, 1, to, from, 20), c.direction) << c.a << "," << c.b;
        EXPECT_EQ(from, c.from) << c.a << "," << c.b;
        EXPECT_EQ(to, c.to) << c.a << "," << c.b;
    }
}

TEST(SelectionIterator, NormalisesTheStoredText) {
    LoopT loop{};
    LoopSetSelection(loop, ";;;3;;;;5;;", 1, 9);
    EXPECT_EQ(loop.Selection, "3;5");
    LoopSetSelection(loop, ";", 1, 9);
    EXPECT_EQ(loop.Selection, "");
}

TEST(SelectionIterator, FinishedIsSetExactlyWhileCurrentIsTheLastIndex) {
    LoopT loop{};
    LoopSetSelection(loop, "2;4-5;30", 1, 9);
    std::vector<std::pair<Integer, Integer>> steps;
    while (LoopNext(loop)) steps.emplace_back(loop.Current, loop.Finished);
    EXPECT_EQ(steps, (std::vector<std::pair<Integer, Integer>>{{2, 0}, {4, 0}, {5, 1}}));
    EXPECT_FALSE(LoopNext(loop));
    EXPECT_EQ(loop.Current, -1);
}

TEST(SelectionIterator, AnEmptySelectionHasNoIndexBelowMin) {
    LoopT loop{};
    for (const char* selection : {"", "5-1", "1"}) {
        LoopSetSelection(loop, selection, 1, 0);
        EXPECT_FALSE(LoopStart(loop)) << selection;
        EXPECT_FALSE(LoopNext(loop)) << selection;
    }
}

// ---------------------------------------------------------------------------
// Over an item table.

std::unique_ptr<superar::ArrayOfFiles> TableOfRows(Integer Rows) {
    auto table = std::make_unique<superar::ArrayOfFiles>();
    superar::InitTable(*table, 0);
    for (Integer row = 1; row <= Rows; ++row) superar::AddRowWithText(*table, "r" + std::to_string(row), 0);
    return table;
}

TEST(SelectionIterator, PassesOverExcludedRowsAndRowsBeyondTheTable) {
    auto table = TableOfRows(6);
    table->Rows[1].Included = 0;
    table->Rows[4].Included = 0;
    LoopT loop{};
    LoopInit(loop, "", table.get());
    EXPECT_EQ(Walk(loop), (std::vector<Integer>{2, 3, 5, 6}));
    LoopInit(loop, "6-1", table.get());
    EXPECT_EQ(Walk(loop), (std::vector<Integer>{6, 5, 3, 2}));
    // Rows taken away after LoopInit are passed over.
    table->Count = 3;
    EXPECT_EQ(Walk(loop), (std::vector<Integer>{3, 2}));
}

TEST(SelectionIterator, WithoutATableTheOnlyIndexIsOne) {
    LoopT loop{};
    LoopInit(loop, "", nullptr);
    EXPECT_EQ(Walk(loop), (std::vector<Integer>{1}));
}

TEST(ItemTableSelection, WriteFieldToMemoWritesTheSelectedRowsInSelectionOrder) {
    struct Case {
        const char* selection;
        const char* expected;
    } const cases[] = {
        {"", "r1\r\nr3\r\nr4\r\nr5"}, {"4-", "r4\r\nr5"}, {"5-1", "r5\r\nr4\r\nr3\r\nr1"},
        {"-1;1", "r5\r\nr1"},         {"9", ""},
    };
    for (const Case& c : cases) {
        auto table = TableOfRows(5);
        table->Rows[2].Included = 0;
        table->Selection = c.selection;
        const auto owned = MakeOwned<TMemo>(nullptr);
        TMemo& memo = *owned;
        superar::WriteFieldToMemo(*table, &memo, 0, false);
        EXPECT_EQ(memo.Text(), c.expected) << '"' << c.selection << '"';
    }
}

TEST(ItemTableSelection, FindAndUniqueLinesLookOnlyAtTheSelection) {
    auto table = TableOfRows(4);
    table->Selection = "3-";
    EXPECT_EQ(superar::FindRowByText(*table, "R4", 0, false), 4);
    EXPECT_EQ(superar::FindRowByText(*table, "r1", 0, false), 0);
    table->Rows[4].Included = 0;
    EXPECT_EQ(superar::FindRowByText(*table, "r4", 0, false), 0);

    table->UniqueRows = 1;
    superar::AddLineAsRow(*table, "r1", 0);  // outside the selection: added again
    superar::AddLineAsRow(*table, "R3", 0);  // inside it: kept out
    EXPECT_EQ(table->Count, 5);
}

}  // namespace
