// Row filtering in the grid: the Filter items' verdicts, hiding and restoring rows, progress and the
// update bracket.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "support/InputSimulator.h"
#include "vcl/Testing.h"

using namespace ProGrid;

namespace {

// A grid that counts its paints.
class TPaintCountingGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        RAdeRedeviDidi::Paint();
    }
};

class ProGridFilterTest : public GridUnitFixture {
protected:
    // A header row and data rows "name" / "amount" / "unit"; row r's name is "n<r>".
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TPaintCountingGrid>(0, 0, 300, 200);
        grid->SetColCount(3);
        Fill({"$150", "$99", "$1,200", "abc", "$100"});
    }

    void Fill(const std::vector<std::string>& Amounts) {
        grid->SetRowCount(static_cast<Integer>(Amounts.size()) + 1);
        grid->SetCells(0, 0, "Name");
        grid->SetCells(1, 0, "Amount");
        for (std::size_t i = 0; i < Amounts.size(); ++i) {
            const auto row = static_cast<Integer>(i + 1);
            grid->SetCells(0, row, "n" + std::to_string(row));
            grid->SetCells(1, row, Amounts[i]);
        }
    }

    TFilterData* AddFilter(Integer Column, const char* Condition, TFilterOperation Operation = foSHORT) {
        TFilterData* data = grid->Filter()->Add();
        data->SetColumn(static_cast<SmallInt>(Column));
        data->SetCondition(Condition);
        data->SetOperation(Operation);
        return data;
    }

    // The names of the rows the grid shows, the header included.
    std::vector<AnsiString> Names() const {
        std::vector<AnsiString> names;
        for (Integer r = 0; r < grid->RowCount(); ++r) names.push_back(grid->Cells(0, r));
        return names;
    }
    static std::vector<AnsiString> Rows(std::initializer_list<Integer> Indices) {
        std::vector<AnsiString> names{"Name"};
        for (Integer r : Indices) names.push_back("n" + std::to_string(r));
        return names;
    }

    TPaintCountingGrid* grid = nullptr;
};

}  // namespace

TEST_F(ProGridFilterTest, ThePrefixIsDroppedBeforeTheConditionIsTested) {
    TFilterData* data = AddFilter(1, ">100");
    data->SetPrefix("$");
    grid->SetFilterActive(true);
    EXPECT_TRUE(grid->FilterActive());
    // "$1,200" is 1200; "abc" is no number and comes after "100" as text.
    EXPECT_EQ(Names(), Rows({1, 3, 4}));
}

TEST_F(ProGridFilterTest, ASuffixIsDroppedOnlyWhereItsFirstOccurrenceEndsTheText) {
    Fill({"5 kg", "5 kg kg", "5", "kg"});
    TFilterData* data = AddFilter(1, "5");
    data->SetSuffix(" kg");
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({1, 3}));
}

TEST_F(ProGridFilterTest, SwitchingTheFilterOffRestoresEveryRowItsOrderAndFixedRows) {
    grid->SetFixedRows(1);
    const std::vector<AnsiString> before = Names();
    AddFilter(1, "none of them");
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({}));
    grid->SetFilterActive(false);
    EXPECT_FALSE(grid->FilterActive());
    EXPECT_EQ(Names(), before);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->HiddenRowCount(), 0);
}

TEST_F(ProGridFilterTest, TheOperationsJoinTheItemsInCollectionOrder) {
    // Item one keeps rows 1, 3, 5 (names ending in an odd digit); item two keeps rows 1 and 2.
    struct Case {
        TFilterOperation first, second;
        std::vector<AnsiString> shown;
    };
    const Case cases[] = {
        {foSHORT, foSHORT, Rows({1})},     {foSHORT, foNONE, Rows({1})},       {foNONE, foNONE, Rows({1, 2})},
        {foNONE, foAND, Rows({1})},        {foNONE, foOR, Rows({1, 2, 3, 5})}, {foNONE, foXOR, Rows({2, 3, 5})},
        {foAND, foOR, Rows({1, 2, 3, 5})}, {foOR, foAND, Rows({1, 2})},        {foXOR, foXOR, Rows({1, 4})},
    };
    for (const Case& c : cases) {
        grid->Filter()->Clear();
        AddFilter(0, "*1|*3|*5", c.first);
        AddFilter(0, "n1|n2", c.second);
        grid->SetFilterActive(true);
        EXPECT_EQ(Names(), c.shown) << c.first << " " << c.second;
        grid->SetFilterActive(false);
    }
}

TEST_F(ProGridFilterTest, ACaseInsensitiveItemUpperCasesBothSides) {
    Fill({"Apple", "apricot", "banana"});
    TFilterData* data = AddFilter(1, "a*");
    data->SetCaseSensitive(false);
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({1, 2}));
}

TEST_F(ProGridFilterTest, ProgressRoundsHalvesToEvenAndEndsWithAnExtra100) {
    struct Case {
        Integer dataRows;
        std::vector<SmallInt> reported;
    };
    const Case cases[] = {
        {8, {12, 25, 38, 50, 62, 75, 88, 100, 100}},
        {1, {100, 100}},
        {0, {}},
    };
    for (const Case& c : cases) {
        // Without data rows the grid holds its header and a footer.
        Fill(c.dataRows > 0 ? std::vector<std::string>(static_cast<std::size_t>(c.dataRows), "x")
                            : std::vector<std::string>{"total"});
        grid->SetFixedFooters(c.dataRows > 0 ? 0 : 1);
        std::vector<SmallInt> reported;
        grid->OnFilterProgress = [&reported](TObject*, SmallInt Progress) { reported.push_back(Progress); };
        grid->ApplyFilter();
        EXPECT_EQ(reported, c.reported) << c.dataRows;
    }
}

TEST_F(ProGridFilterTest, FooterRowsAreNeitherTestedNorHidden) {
    Fill({"keep", "drop", "keep", "total"});
    grid->SetFixedFooters(1);
    AddFilter(1, "keep");
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({1, 3, 4}));
}

TEST_F(ProGridFilterTest, TheFooterSumsTheRowsShown) {
    Fill({"keep", "drop", "keep", ""});
    for (Integer r = 1; r <= 3; ++r) grid->SetCells(2, r, std::to_string(r * 10));
    grid->GetCellProperties(2, 4)->SetCalcType(1);
    grid->FloatingFooter()->SetVisible(true);
    AddFilter(1, "keep");
    grid->SetFilterActive(true);
    EXPECT_EQ(grid->Floats(2, grid->RowCount() - 1), 40.0);
    grid->SetFilterActive(false);
    EXPECT_EQ(grid->Floats(2, grid->RowCount() - 1), 60.0);
}

TEST_F(ProGridFilterTest, AMergedCellIsReadFromItsBaseCell) {
    Fill({"keep", "", "drop"});
    grid->MergeCells(1, 1, 1, 2);
    AddFilter(1, "keep");
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({1, 2}));
}

TEST_F(ProGridFilterTest, AFilterChangedWhileOnWaitsForTheNextSwitchOn) {
    TFilterData* data = AddFilter(1, "$99");
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({2}));
    data->SetCondition("abc");
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({2}));
    grid->SetFilterActive(false);
    grid->SetFilterActive(true);
    EXPECT_EQ(Names(), Rows({4}));
}

TEST_F(ProGridFilterTest, AShownGridRepaintsOncePerFilter) {
    AddFilter(1, "$1*");
    Input::Settle();
    std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
    for (bool on : {true, false}) {
        const int before = grid->Paints;
        grid->SetFilterActive(on);
        Input::Settle();
        std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
        EXPECT_EQ(grid->Paints - before, 1) << on;
    }
}

TEST_F(ProGridFilterTest, AFailingFilterHidesNothingAndLeavesTheGridPainting) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"negative column", [this] { AddFilter(-1, "x"); }},
        {"raising progress",
         [this] {
             AddFilter(1, "$99");
             grid->OnFilterProgress = [](TObject*, SmallInt Progress) {
                 if (Progress > 50) throw Exception("stop");
             };
         }},
    };
    for (const Case& c : cases) {
        grid->Filter()->Clear();
        grid->OnFilterProgress = nullptr;
        c.arrange();
        const std::vector<AnsiString> before = Names();
        EXPECT_ANY_THROW(grid->SetFilterActive(true)) << c.what;
        EXPECT_FALSE(grid->FilterActive()) << c.what;
        EXPECT_EQ(Names(), before) << c.what;
        EXPECT_EQ(grid->UpdateCount(), 0) << c.what;
    }
    // Painting goes on.
    grid->SetBorderStyle(bsNone);
    grid->SetColor(clRed);
    const TRect cell = grid->CellRect(2, 2);
    Input::Settle();
    std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
    const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(cell.Left + 3, cell.Top + 3)));
    EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(at.X, at.Y)), ColorToRGB(clRed));
}

TEST_F(ProGridFilterTest, MatchFilterWithoutApplyingReadsTheItemsAsTheyStand) {
    TFilterData* data = AddFilter(1, "$99");
    EXPECT_FALSE(grid->MatchFilter(1));
    EXPECT_TRUE(grid->MatchFilter(2));
    data->SetCondition("$150");
    EXPECT_TRUE(grid->MatchFilter(1));
    grid->Filter()->Clear();
    EXPECT_TRUE(grid->MatchFilter(1));
}

TEST_F(ProGridFilterTest, SwitchingOnDropsAKeptSelectionAndSwitchingOffRestoresOne) {
    AddFilter(1, "$1*");
    grid->SetSelection(TGridRect{1, 2, 2, 3});
    grid->HideSelection();
    grid->SetFilterActive(true);
    EXPECT_FALSE(grid->SelectionHidden());
    grid->SetFilterActive(false);
    EXPECT_FALSE(grid->SelectionHidden());

    grid->SetFilterActive(true);
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    grid->HideSelection();
    grid->SetFilterActive(false);
    EXPECT_FALSE(grid->SelectionHidden());
    const TGridRect restored = grid->Selection();
    EXPECT_EQ(std::vector<Integer>({restored.Left, restored.Top, restored.Right, restored.Bottom}),
              std::vector<Integer>({1, 1, 2, 2}));
}
