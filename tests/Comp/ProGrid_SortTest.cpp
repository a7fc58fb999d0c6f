// The grid's sort: the comparison styles, blanks, ties, indexes, nodes, the restore, what moves with a
// row, the frame around a sort and what a shown grid paints.
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "support/LocalePresets.h"
#include "vcl/Clock.h"
#include "vcl/Testing.h"

using namespace ProGrid;
using BaseGrid::TCellProperties;

namespace {

// Counts the passes that paint the grid.
class TPaintCountingGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::LogicalRowCount;
    using RAdeRedeviDidi::RAdeRedeviDidi;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        RAdeRedeviDidi::Paint();
    }
};

// A graphic whose freeing is counted.
class TCountedGraphic : public TCellGraphic {
public:
    explicit TCountedGraphic(int& Freed) : freed_(Freed) {}
    ~TCountedGraphic() override { ++freed_; }

private:
    int& freed_;
};

class ProGridSortTest : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TPaintCountingGrid>(0, 0, 380, 280);
        grid->SetColCount(3);
        grid->SetRowCount(2);
    }

    // Column 1 holds Texts from row 1 on, column 2 the row each text started in.
    void Fill(const std::vector<AnsiString>& Texts) {
        grid->SetRowCount(static_cast<Integer>(Texts.size()) + 1);
        for (std::size_t i = 0; i < Texts.size(); ++i) {
            grid->SetCells(1, static_cast<Integer>(i) + 1, Texts[i]);
            grid->SetCells(2, static_cast<Integer>(i) + 1, std::to_string(i + 1));
        }
    }
    std::vector<AnsiString> Column(Integer ACol) const {
        std::vector<AnsiString> texts;
        for (Integer r = 1; r < grid->RowCount(); ++r) texts.push_back(grid->Cells(ACol, r));
        return texts;
    }
    void UseStyle(TSortStyle Style, AnsiString Prefix = {}, AnsiString Suffix = {}) {
        grid->OnGetFormat = [=](TObject*, Integer, TSortStyle& AStyle, AnsiString& APrefix, AnsiString& ASuffix) {
            AStyle = Style;
            APrefix = Prefix;
            ASuffix = Suffix;
        };
    }
    void SortBy(Integer ACol, TSortDirection Direction = sdAscending) {
        grid->SortSettings()->SetColumn(ACol);
        grid->SortSettings()->SetDirection(Direction);
        grid->Sort();
    }
    TCellGraphic* Graphic(Integer ACol, Integer ARow, TCellType Type) {
        auto* graphic = new TCellGraphic;
        graphic->CellType = Type;
        grid->SetGraphicObject(ACol, ARow, graphic);
        return graphic;
    }

    TPaintCountingGrid* grid = nullptr;
};

TEST_F(ProGridSortTest, EachStyleComparesItsWay) {
    TTestClock clock(EncodeDate(2026, 12, 7));
    struct Case {
        TLocalePreset preset;
        TSortStyle style;
        const char* prefix;
        const char* text1;
        const char* text2;
        Integer expected;
    };
    const Case cases[] = {
        {TLocalePreset::EnUS, ssAutomatic, "", "10", "9", 1},
        {TLocalePreset::EnUS, ssAutomatic, "", "-2.5", "1", -1},
        {TLocalePreset::EnUS, ssAutomatic, "", "1,234.5", "999", 1},  // the detection's separators count
        {TLocalePreset::EnUS, ssAutomatic, "", "1/2/2004", "12/31/2003", 1},
        {TLocalePreset::EnUS, ssAutomatic, "", "1/2/2004", "later", 1},  // no date counts 0
        {TLocalePreset::EnUS, ssAutomatic, "", "B", "a", -1},
        {TLocalePreset::EnUS, ssAutomatic, "", "10", "abc", 1},   // from the first cell alone ...
        {TLocalePreset::EnUS, ssAutomatic, "", "abc", "10", 1},   // ... both ways
        {TLocalePreset::EnUS, ssAlphabetic, "", "\xE9", "z", 1},  // bytes compare unsigned
        {TLocalePreset::EnUS, ssAlphaCase, "", "abc", "abd", -1},
        {TLocalePreset::EnUS, ssAlphaCase, "", "same", "same", 0},
        {TLocalePreset::EnUS, ssAlphaNoCase, "", "abc", "ABD", -1},
        {TLocalePreset::EnUS, ssAlphaNoCase, "", "\xE9", "\xC9", 1},  // ASCII letters only
        {TLocalePreset::EnUS, ssNumeric, "", "1,234.5", "999", -1},   // explicit: no separators, counts 0
        {TLocalePreset::EnUS, ssNumeric, "$", "$150", "$99", 1},
        {TLocalePreset::EnUS, ssNumeric, "", "12 kg", "3", -1},
        {TLocalePreset::EnUS, ssNumericGrouped, "$", "$1,200", "$999", 1},
        {TLocalePreset::EnUS, ssDate, "", "1/2/2004", "", 1},
        {TLocalePreset::EnUS, ssDateDMY, "", "1/2/2004", "2/1/2004", 1},
        {TLocalePreset::EnUS, ssDateMDY, "", "1/2/2004", "2/1/2004", -1},
        {TLocalePreset::EnUS, ssAnsiAlphaCase, "", "a", "B", -1},
        {TLocalePreset::EnUS, ssAnsiAlphaCase, "", "a", "A", -1},
        {TLocalePreset::EnUS, ssAnsiAlphaNoCase, "", "a", "A", 0},
        {TLocalePreset::EnUS, ssHTML, "", "<b>b</b>", "a", 1},
        {TLocalePreset::EnUS, ssHTML, "", "<i>x</i>", "x", 0},
        {TLocalePreset::DayFirst, ssAutomatic, "", "1/2/2004", "2/1/2004", 1},
        {TLocalePreset::DayFirst, ssDate, "", "31/1/2004", "1/2/2004", -1},
        {TLocalePreset::CommaDecimal, ssAutomatic, "", "1,5", "1,25", 1},
        {TLocalePreset::CommaDecimal, ssAutomatic, "", "1.234,5", "999", 1},
        {TLocalePreset::CommaDecimal, ssNumeric, "", "2,5", "10", -1},
        {TLocalePreset::CommaDecimal, ssNumericGrouped, "", "1.200", "999", 1},
        {TLocalePreset::CommaDecimal, ssAutomatic, "", "1.2.2004", "31.1.2004", 1},
    };
    grid->SetRowCount(3);
    for (const Case& c : cases) {
        TLocaleScope locale(c.preset);
        UseStyle(c.style, c.prefix);
        grid->SetCells(1, 1, c.text1);
        grid->SetCells(1, 2, c.text2);
        EXPECT_EQ(grid->CompareCells(1, 1, false, 2), c.expected)
            << PresetName(c.preset) << " style " << c.style << " '" << c.text1 << "' '" << c.text2 << "'";
    }
}

TEST_F(ProGridSortTest, AutoFormatOffComparesBytesAndTheFormatIsAskedAtEveryComparison) {
    grid->SortSettings()->SetAutoFormat(false);
    Fill({"10", "9", "100"});
    int asked = 0;
    grid->OnGetFormat = [&asked](TObject*, Integer ACol, TSortStyle& AStyle, AnsiString&, AnsiString&) {
        EXPECT_EQ(AStyle, ssAlphabetic);
        EXPECT_EQ(ACol, 1);
        ++asked;
    };
    grid->SortSettings()->SetFull(false);
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("10", "100", "9"));
    EXPECT_GE(asked, 3);
}

TEST_F(ProGridSortTest, AnExplicitDateThatIsNoDateRaisesAfterTheFrameRestoredEverything) {
    Fill({"1/2/2004", "soon", "1/1/2004"});
    grid->SetColWidths(2, 77);
    grid->SetRow(2);
    UseStyle(ssDate);
    EXPECT_THROW(SortBy(1), EConvertError);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->ColWidths(2), 77);
    EXPECT_EQ(grid->LogicalRowCount(), 4);
    EXPECT_EQ(grid->UpdateCount(), 0);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_THAT(Column(1), testing::ElementsAre("1/2/2004", "soon", "1/1/2004"));
    // And the grid sorts again.
    UseStyle(ssAlphabetic);
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("1/1/2004", "1/2/2004", "soon"));
}

TEST_F(ProGridSortTest, BlanksEndAtTheChosenEndInBothDirections) {
    struct Case {
        bool ignore;
        TSortBlankPosition pos;
        TSortDirection direction;
        std::vector<AnsiString> expected;
    };
    const Case cases[] = {
        {true, blLast, sdAscending, {"a", "b", "", ""}},  {true, blLast, sdDescending, {"b", "a", "", ""}},
        {true, blFirst, sdAscending, {"", "", "a", "b"}}, {true, blFirst, sdDescending, {"", "", "b", "a"}},
        {false, blLast, sdAscending, {"", "", "a", "b"}}, {false, blLast, sdDescending, {"b", "a", "", ""}},
    };
    for (const Case& c : cases) {
        Fill({"b", "", "a", ""});
        grid->SortSettings()->SetIgnoreBlanks(c.ignore);
        grid->SortSettings()->SetBlankPos(c.pos);
        grid->SortSettings()->SetFull(false);
        SortBy(1, c.direction);
        EXPECT_EQ(Column(1), c.expected) << c.ignore << " " << c.pos << " " << c.direction;
    }
}

TEST_F(ProGridSortTest, FullBreaksTiesByTheNextColumnsAndIndexesEachByItsOwnDirection) {
    grid->SetColCount(4);
    const char* rows[][3] = {{"b", "1", "x"}, {"a", "2", "y"}, {"b", "0", "z"}, {"a", "2", "w"}};
    grid->SetRowCount(5);
    for (Integer r = 0; r < 4; ++r)
        for (Integer c = 0; c < 3; ++c) grid->SetCells(c + 1, r + 1, rows[r][c]);
    SortBy(1);
    EXPECT_THAT(Column(3), testing::ElementsAre("w", "y", "z", "x"));
    SortBy(1, sdDescending);
    EXPECT_THAT(Column(3), testing::ElementsAre("x", "z", "y", "w"));

    grid->SortIndexes()->AddIndex(2, false);
    grid->SortIndexes()->AddIndex(3, true);
    grid->SortIndexed();
    EXPECT_THAT(Column(3), testing::ElementsAre("w", "y", "x", "z"));
    EXPECT_EQ(grid->SortIndexes()->Count(), 2);
    grid->Sort();  // clears the indexes
    EXPECT_EQ(grid->SortIndexes()->Count(), 0);
}

TEST_F(ProGridSortTest, AnIndexedSortWithoutIndexesRaisesAndChangesNothing) {
    Fill({"b", "a"});
    try {
        grid->SortIndexed();
        ADD_FAILURE();
    } catch (const EProGridError& e) {
        EXPECT_EQ(e.Message(), "No indexes specified for indexed sort");
    }
    EXPECT_THAT(Column(1), testing::ElementsAre("b", "a"));
    EXPECT_EQ(grid->RowOrderList()->Count(), 0);
}

TEST_F(ProGridSortTest, RestoreOriginalOrderUndoesEverySortFromRowZeroAndNothingForAStaleList) {
    Fill({"c", "a", "d", "b"});
    grid->SetFixedRows(0);
    grid->SetCells(1, 0, "e");
    grid->SetCells(2, 0, "0");
    SortBy(1);
    SortBy(1, sdDescending);
    SortBy(2, sdDescending);
    EXPECT_EQ(grid->Cells(1, 0), "b");
    EXPECT_THAT(Column(1), testing::ElementsAre("d", "a", "c", "e"));
    grid->RestoreOriginalOrder();
    EXPECT_EQ(grid->Cells(1, 0), "e");
    EXPECT_THAT(Column(1), testing::ElementsAre("c", "a", "d", "b"));
    for (Integer r = 0; r < grid->RowCount(); ++r) EXPECT_EQ(grid->RowOrderList()->Items(r), r);

    SortBy(1);
    grid->SetRowCount(grid->RowCount() + 1);
    grid->RestoreOriginalOrder();  // the list no longer fits: started anew, nothing moves
    EXPECT_THAT(Column(1), testing::ElementsAre("b", "c", "d", "e", ""));
    EXPECT_EQ(grid->RowOrderList()->Count(), grid->RowCount());
}

TEST_F(ProGridSortTest, FootersStayAndTheCurrentRowKeepsItsNumber) {
    Fill({"c", "a", "b", "total"});
    grid->SetFixedFooters(1);
    grid->SetRow(1);
    std::vector<std::pair<Integer, Integer>> updates;
    grid->OnRowUpdate = [&updates](TObject*, Integer OldRow, Integer NewRow) { updates.emplace_back(OldRow, NewRow); };
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("a", "b", "c", "total"));
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_THAT(updates, testing::ElementsAre(std::pair{1, 1}));  // once, after the rows moved
}

TEST_F(ProGridSortTest, UnderMoveRowOnSortTheCurrentRowFollowsItsContent) {
    Fill({"c", "a", "b"});
    grid->Navigation()->SetMoveRowOnSort(true);
    grid->SetRow(1);
    int updates = 0;
    grid->OnRowUpdate = [&updates](TObject*, Integer, Integer) { ++updates; };
    SortBy(1);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Cells(1, grid->Row()), "c");
    EXPECT_EQ(updates, 0);
}

TEST_F(ProGridSortTest, HeightsPropertiesAndSelectionFlagsMoveWithTheirRows) {
    Fill({"c", "a", "b"});
    grid->SetRowHeights(1, 40);
    grid->GetCellProperties(2, 1)->SetBrushColor(clRed);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->Navigation()->SetMoveRowOnSort(true);
    grid->SetRowSelect(2, true);
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("a", "b", "c"));
    EXPECT_EQ(grid->RowHeights(3), 40);
    EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
    ASSERT_TRUE(grid->HasCellProperties(2, 3));
    EXPECT_EQ(grid->GetCellProperties(2, 3)->BrushColor(), clRed);
    EXPECT_FALSE(grid->HasCellProperties(2, 1));
    EXPECT_TRUE(grid->RowSelect(1));
    EXPECT_FALSE(grid->RowSelect(2));
    EXPECT_THAT(Column(2), testing::ElementsAre("2", "3", "1"));
}

TEST_F(ProGridSortTest, SingleColumnMovesOnlyTheSortColumnAndNormalCellsOnlyKeepsColumnZero) {
    Fill({"c", "a", "b"});
    for (Integer r = 1; r <= 3; ++r) grid->SetCells(0, r, "h" + std::to_string(r));
    grid->SetRowHeights(1, 40);
    grid->SortSettings()->SetSingleColumn(true);
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("a", "b", "c"));
    EXPECT_THAT(Column(2), testing::ElementsAre("1", "2", "3"));
    EXPECT_EQ(grid->RowHeights(1), 40);

    grid->SortSettings()->SetSingleColumn(false);
    grid->SortSettings()->SetNormalCellsOnly(true);
    grid->SetFixedCols(1);
    SortBy(2, sdDescending);
    EXPECT_THAT(Column(0), testing::ElementsAre("h1", "h2", "h3"));
    EXPECT_THAT(Column(1), testing::ElementsAre("c", "b", "a"));
}

TEST_F(ProGridSortTest, MergedRangesOverMovingRowsAreSplitAndRowWideOnesMoveWhole) {
    Fill({"c", "a", "b", "d"});
    grid->MergeCells(2, 1, 1, 2);  // over rows 1 and 2
    grid->MergeCells(1, 3, 2, 1);  // within row 3
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("a", "b", "c", "d"));
    for (Integer r = 1; r <= 4; ++r) EXPECT_FALSE(grid->IsYMergedCell(2, r)) << r;
    EXPECT_TRUE(grid->IsXMergedCell(1, 2));
    EXPECT_TRUE(grid->IsBaseCell(1, 2));
    EXPECT_EQ(grid->BaseCell(2, 2), Point(1, 2));
    AnsiString text;
    grid->ReadCell(2, 2, text);
    EXPECT_EQ(text, "b");
}

TEST_F(ProGridSortTest, EventsDecideCustomAndRawStylesByTheirSign) {
    Fill({"bb", "a", "ccc"});
    UseStyle(ssCustom);
    grid->OnCustomCompare = [](TObject*, const AnsiString& A, const AnsiString& B, Integer& Res) {
        Res = 10 * (static_cast<Integer>(B.size()) - static_cast<Integer>(A.size()));  // longest first
    };
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("ccc", "bb", "a"));
    EXPECT_EQ(grid->CompareCells(1, 1, false, 2), -1);

    UseStyle(ssRaw);
    std::vector<Integer> rowsSeen;
    grid->OnRawCompare = [&](TObject*, Integer ACol, Integer Row1, Integer Row2, Integer& Res) {
        EXPECT_TRUE(ACol == 1 || ACol == 2) << "a tie goes on to the next column";
        rowsSeen.push_back(Row1);
        rowsSeen.push_back(Row2);
        Res = grid->Cells(2, Row1).compare(grid->Cells(2, Row2));  // by the row they started in
    };
    SortBy(1);
    EXPECT_THAT(Column(1), testing::ElementsAre("bb", "a", "ccc"));
    for (Integer row : rowsSeen) EXPECT_TRUE(row >= 1 && row <= 3) << "compared rows are data rows: " << row;
}

TEST_F(ProGridSortTest, ImagesChecksAndWideTextsCompareByWhatTheCellsHold) {
    grid->SetRowCount(4);
    UseStyle(ssImages);
    Graphic(1, 1, ctImageList)->CellIndex = 5;
    Graphic(1, 2, ctImageList)->CellIndex = 2;
    EXPECT_EQ(grid->CompareCells(1, 1, false, 2), 1);
    EXPECT_EQ(grid->CompareCells(1, 3, false, 2), -1);  // no image: -1
    auto bitmapA = std::make_unique<TBitmap>(), bitmapB = std::make_unique<TBitmap>();
    Graphic(1, 1, ctBitmap)->CellBitmap = bitmapA.get();
    Graphic(1, 2, ctBitmap)->CellBitmap = bitmapB.get();
    const Integer order = grid->CompareCells(1, 1, false, 2);
    EXPECT_NE(order, 0);
    EXPECT_EQ(grid->CompareCells(1, 2, false, 1), -order);  // a stable key per object
    EXPECT_EQ(grid->CompareCells(1, 1, false, 1), 0);

    UseStyle(ssCheckBox);
    Graphic(1, 1, ctCheckBox)->CellBoolean = true;
    Graphic(1, 2, ctDataCheckBox);
    grid->SetCells(1, 2, "Y");
    Graphic(1, 3, ctVirtCheckBox);
    grid->SetCells(1, 3, "N");
    EXPECT_EQ(grid->CompareCells(1, 1, false, 2), 0);
    EXPECT_EQ(grid->CompareCells(1, 1, false, 3), 1);
    EXPECT_EQ(grid->CompareCells(1, 3, false, 2), -1);
    grid->OnGetCheckTrue = [](TObject*, Integer, Integer, AnsiString& Value) { Value = "N"; };
    EXPECT_EQ(grid->CompareCells(1, 3, false, 2), 1);
    grid->SetGraphicObject(1, 1, nullptr);
    grid->SetGraphicObject(1, 2, nullptr);
    grid->SetGraphicObject(1, 3, nullptr);

    UseStyle(ssAutomatic);  // a check box cell is detected as one
    Graphic(1, 1, ctCheckBox)->CellBoolean = false;
    grid->SetCells(1, 1, "9");
    Graphic(1, 2, ctCheckBox)->CellBoolean = true;
    grid->SetCells(1, 2, "1");
    EXPECT_EQ(grid->CompareCells(1, 1, false, 2), -1);
    grid->SetGraphicObject(1, 1, nullptr);
    grid->SetGraphicObject(1, 2, nullptr);

    UseStyle(ssUnicode);
    grid->SetWideCells(1, 1, u"\u03B1");
    grid->SetWideCells(1, 2, u"Z");
    grid->SetWideCells(1, 3, u"\u0391");
    EXPECT_EQ(grid->CompareCells(1, 1, false, 2), 1);
    EXPECT_EQ(grid->CompareCells(1, 1, false, 3), 0);
}

TEST_F(ProGridSortTest, NodesSortTheirExpandedChildrenWithinTheDataRows) {
    // Rows 1..9: a node over 4 rows, a node with span 0 up to the next node, a contracted node, and a
    // last node whose span reaches past the data rows into the footer.
    Fill({"n1", "c", "a", "b", "n2", "z", "y", "n3", "f", "e", "n4", "k", "j", "total"});
    grid->SetFixedFooters(1);
    Graphic(0, 1, ctNode)->CellIndex = 4;
    Graphic(0, 5, ctNode)->CellIndex = 0;
    Graphic(0, 8, ctNode)->CellIndex = 3;
    grid->GetCellGraphic(0, 8)->CellBoolean = true;
    Graphic(0, 11, ctNode)->CellIndex = 10;
    grid->SortSettings()->SetColumn(1);
    grid->SortWithinNodes();
    EXPECT_THAT(Column(1),
                testing::ElementsAre("n1", "a", "b", "c", "n2", "y", "z", "n3", "f", "e", "n4", "j", "k", "total"));
}

TEST_F(ProGridSortTest, TheDisplayTextOfEveryRowIsWhatSorts) {
    Fill({"3", "1", "2"});
    grid->OnGetDisplText = [](TObject*, Integer ACol, Integer ARow, AnsiString& Value) {
        if (ACol == 1 && ARow >= 1) Value = std::to_string(10 - std::stoi(Value));
    };
    SortBy(1);
    EXPECT_THAT(Column(2), testing::ElementsAre("1", "3", "2"));
}

TEST_F(ProGridSortTest, SlotsEmptiedByTheMovesHoldNoPropertiesAndNothingIsFreedTwice) {
    int freed = 0;
    Fill({"c", "a", "b"});
    for (Integer r = 1; r <= 3; ++r) grid->SetGraphicObject(1, r, new TCountedGraphic(freed));
    SortBy(1);
    SortBy(1, sdDescending);
    grid->RestoreOriginalOrder();
    EXPECT_EQ(freed, 0);
    for (Integer r = 1; r <= 3; ++r) EXPECT_TRUE(grid->HasCellProperties(1, r)) << r;
    EXPECT_EQ(grid->RowCount(), 4);
    grid->SetRowCount(1);
    EXPECT_EQ(freed, 3);
}

TEST_F(ProGridSortTest, AShownGridPaintsOncePerSort) {
    std::vector<AnsiString> texts;
    for (int i = 0; i < 30; ++i) texts.push_back(std::to_string((i * 7) % 30));
    Fill(texts);
    grid->SortSettings()->SetColumn(1);
    grid->SortIndexes()->AddIndex(1, false);
    std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
    using TSortCall = void (*)(RAdeRedeviDidi*);
    const TSortCall sorts[] = {[](RAdeRedeviDidi* G) { G->SortIndexed(); }, [](RAdeRedeviDidi* G) { G->Sort(); },
                               [](RAdeRedeviDidi* G) { G->SortWithinNodes(); },
                               [](RAdeRedeviDidi* G) { G->RestoreOriginalOrder(); }};
    for (TSortCall sort : sorts) {
        grid->paints = 0;
        sort(grid);
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        EXPECT_EQ(grid->paints, 1);
    }
    EXPECT_EQ(grid->Cells(1, 1), "0");
}

}  // namespace
