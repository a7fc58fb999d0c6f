// The floating footer's column calculations, the footer row they fill, their recalculation per update
// bracket and the custom template.
#include <functional>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "ProGrid.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/ScopeGuard.h"

using namespace ProGrid;

namespace {

// Counts the footer recalculations.
class TFooterGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    Integer Recalculations = 0;
    void UpdateColumnCalc(Integer ACol) override {
        ++Recalculations;
        RAdeRedeviDidi::UpdateColumnCalc(ACol);
    }
};

// One fixed row, data rows 1 .. n, the footer row last, shown in the floating footer.
class ProGridFooterTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TFooterGrid>(0, 0, 320, 240);
        grid->SetColCount(4);
        grid->FloatingFooter()->SetVisible(true);
    }
    // Column 1 holds Values, and the footer row's cell in column 1 asks for CalcType.
    void Fill(const std::vector<AnsiString>& Values, Byte CalcType = 1) {
        grid->SetRowCount(static_cast<Integer>(Values.size()) + 2);
        for (std::size_t i = 0; i < Values.size(); ++i) grid->SetCells(1, static_cast<Integer>(i) + 1, Values[i]);
        grid->GetCellProperties(1, FooterRow())->SetCalcType(CalcType);
    }
    Integer FooterRow() const { return grid->RowCount() - 1; }
    AnsiString Footer(Integer ACol = 1) const { return grid->Cells(ACol, FooterRow()); }

    TFooterGrid* grid = nullptr;
};

enum TCalculation { Sum, Avg, Min, Max };

double Calculate(RAdeRedeviDidi& Grid, TCalculation Calculation, Integer FromRow, Integer ToRow) {
    switch (Calculation) {
        case Sum: return Grid.ColumnSum(1, FromRow, ToRow);
        case Avg: return Grid.ColumnAvg(1, FromRow, ToRow);
        case Min: return Grid.ColumnMin(1, FromRow, ToRow);
        case Max: return Grid.ColumnMax(1, FromRow, ToRow);
    }
    return -1.0;
}

TEST_F(ProGridFooterTest, EachCalculationTypeWritesItsResultWithTheFloatFormat) {
    struct Case {
        Byte CalcType;
        const char* Expected;
    };
    const Case cases[] = {{0, ""},       {1, "6.50"},     {2, "2.17"},    {3, "3.00"},
                          {4, "1.00"},   {5, "3.50"},     {0x81, "6.50"},  // the high bit is not the type's
                          {6, "before"}, {0x7F, "before"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.CalcType));
        Fill({"1", "2", "3.5"}, c.CalcType);
        grid->SetCells(1, FooterRow(), "before");
        grid->UpdateColumnCalc(-1);
        EXPECT_EQ(Footer(), c.Expected);
    }
}

TEST_F(ProGridFooterTest, CellsWithoutPropertiesAndOtherColumnsAreLeftAlone) {
    Fill({"1", "2"});
    grid->SetCells(2, FooterRow(), "kept");
    grid->SetCells(3, 1, "5");
    grid->GetCellProperties(3, FooterRow())->SetCalcType(1);
    grid->UpdateFooterColumn(1);
    EXPECT_EQ(Footer(1), "3.00");
    EXPECT_EQ(Footer(2), "kept");
    EXPECT_EQ(Footer(3), "") << "one column only";
    grid->UpdateFooterAll();
    EXPECT_EQ(Footer(3), "5.00");
    EXPECT_FALSE(grid->HasCellProperties(2, FooterRow())) << "asking never makes properties";
}

TEST_F(ProGridFooterTest, ColumnCalculationsOverTheirEdgeCases) {
    struct Case {
        const char* Name;
        std::vector<AnsiString> Values;
        TCalculation Calculation;
        double Expected;
    };
    const Case cases[] = {
        {"text sums 0", {"abc", "2"}, Sum, 2.0},
        {"empty counts 0", {"", "4"}, Sum, 4.0},
        {"number in text", {"$1,200.50", "(3)"}, Sum, 1197.5},
        {"average divides by every row", {"", "3"}, Avg, 1.5},
        {"minimum of negatives", {"5", "-2", "7"}, Min, -2.0},
        {"maximum below 0", {"-3", "-1", "-8"}, Max, -1.0},
        {"minimum above 0", {"3", "1", "8"}, Min, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Fill(c.Values);
        EXPECT_DOUBLE_EQ(Calculate(*grid, c.Calculation, 1, static_cast<Integer>(c.Values.size())), c.Expected);
    }
}

TEST_F(ProGridFooterTest, AnEmptyRangeGivesZeroWithoutReadingARow) {
    Fill({"1.2.3"});  // would raise if read
    for (TCalculation calc : {Sum, Avg, Min, Max}) EXPECT_EQ(Calculate(*grid, calc, 2, 1), 0.0);
    // Only the header and the footer row: every footer shows 0.
    grid->SetRowCount(2);
    for (Byte type = 1; type <= 5; ++type) {
        grid->GetCellProperties(1, 1)->SetCalcType(type);
        grid->SetCells(1, 1, "x");
        grid->UpdateColumnCalc(1);
        EXPECT_EQ(Footer(), "0.00") << static_cast<int>(type);
    }
}

TEST_F(ProGridFooterTest, AValueThatDoesNotConvertRaisesAndLeavesTheFooter) {
    Fill({"1", "1.2.3"});
    grid->SetCells(1, FooterRow(), "old");
    try {
        grid->UpdateColumnCalc(1);
        FAIL() << "no raise";
    } catch (const EProGridError& e) {
        EXPECT_EQ(e.Message(), "Cell does not contain a float value");
    }
    EXPECT_EQ(Footer(), "old");
}

TEST_F(ProGridFooterTest, HiddenRowsAreNeitherSummedNorCounted) {
    Fill({"1", "100", "2", "200"});
    grid->SetCells(2, 1, "x");
    grid->GetCellProperties(2, FooterRow())->SetCalcType(3);
    grid->HideRows(2, 2);
    grid->HideRows(4, 4);
    grid->UpdateColumnCalc(-1);
    EXPECT_EQ(Footer(1), "3.00");
    EXPECT_EQ(Footer(2), "2.00");
}

TEST_F(ProGridFooterTest, OnlyAVisibleLastRowFooterIsCalculated) {
    struct Case {
        bool Visible;
        TFooterStyle Style;
        bool Calculated;
    };
    const Case cases[] = {{true, fsFixedLastRow, true},
                          {false, fsFixedLastRow, false},
                          {true, fsColumnPreview, false},
                          {true, fsCustomPreview, false}};
    for (const Case& c : cases) {
        Fill({"4"});
        grid->SetCells(1, FooterRow(), "");
        grid->FloatingFooter()->SetFooterStyle(c.Style);
        grid->FloatingFooter()->SetVisible(c.Visible);
        grid->UpdateColumnCalc(-1);
        EXPECT_EQ(Footer(), c.Calculated ? "4.00" : "") << c.Visible << " " << c.Style;
    }
}

TEST_F(ProGridFooterTest, AColumnOutsideTheGridCalculatesNothing) {
    Fill({"4"});
    for (Integer col : {-2, 4, 100}) {
        grid->UpdateColumnCalc(col);
        EXPECT_EQ(Footer(), "");
    }
}

TEST_F(ProGridFooterTest, ChangedCellsRecalculateTheFootersOncePerOutermostBracket) {
    Fill({"1", "2"});
    struct Case {
        const char* Name;
        bool Windowed;
    };
    for (const Case& c : {Case{"shown", true}, Case{"without a window", false}}) {
        SCOPED_TRACE(c.Name);
        if (!c.Windowed) {
            grid->SetParent(nullptr);
            ASSERT_FALSE(grid->HandleAllocated());
        }
        grid->Recalculations = 0;
        grid->CellsChanged(Rect(1, 1, 1, 1));
        EXPECT_EQ(grid->Recalculations, 1);
        EXPECT_EQ(Footer(), "3.00");

        grid->BeginUpdate();
        grid->BeginUpdate();
        for (Integer i = 1; i <= 2; ++i) {
            grid->SetCells(1, i, IntToStr(10 * i));
            grid->CellsChanged(Rect(1, i, 1, i));
        }
        grid->EndUpdate();
        EXPECT_EQ(grid->Recalculations, 1) << "held by the outer bracket";
        EXPECT_EQ(Footer(), "3.00");
        grid->EndUpdate();
        EXPECT_EQ(grid->Recalculations, 2);
        EXPECT_EQ(Footer(), "30.00");

        grid->BeginUpdate();
        grid->EndUpdate();
        EXPECT_EQ(grid->Recalculations, 2) << "nothing changed";
        grid->SetCells(1, 1, "1");
        grid->SetCells(1, 2, "2");
    }
}

TEST_F(ProGridFooterTest, AHeldRecalculationThatRaisesClosesTheBracketFirst) {
    Fill({"1.2.3"});
    grid->BeginUpdate();
    grid->CellsChanged(Rect(1, 1, 1, 1));
    EXPECT_THROW(grid->EndUpdate(), EProGridError);
    EXPECT_EQ(grid->UpdateCount(), 0);

    // Closed by a guard while another exception travels: that one arrives.
    EXPECT_THROW(
        {
            grid->BeginUpdate();
            const TScopeExit endUpdate([this] { grid->EndUpdate(); });
            grid->CellsChanged(Rect(1, 1, 1, 1));
            throw std::runtime_error("first");
        },
        std::runtime_error);
    EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(ProGridFooterTest, TheTemplateTakesTheCurrentRowsTextsByColumnNumber) {
    grid->SetRowCount(4);
    grid->SetCells(1, 2, "Smith");
    grid->SetCells(2, 2, "42");
    grid->SetCells(1, 1, "other row");
    grid->SetRow(2);
    struct Case {
        const char* Template;
        const char* Expected;
    };
    const Case cases[] = {
        {"Name: <#1> (<#2>)", "Name: Smith (42)"},
        {"<#1><#2>", "Smith42"},
        {"no tags > here", "no tags > here"},
        {"a <#x> b", "a  b"},
        {"<#>", ""},
        {"<#-1>", ""},
        {"<#4>|<#99999999999>", "|"},
        {"tail <#1", "tail Smith"},
        {"tail <#1 and more", "tail "},
        {"<<#2>>", "<42>"},
        {"<#<#1>", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(grid->ExpandFooterTemplate(c.Template), c.Expected) << c.Template;
}

TEST_F(ProGridFooterTest, TheTemplateReadsAMergedCellThroughItsBase) {
    grid->SetRowCount(4);
    grid->SetCells(1, 1, "base");
    grid->MergeCells(1, 1, 2, 2);
    grid->SetRow(2);
    EXPECT_EQ(grid->ExpandFooterTemplate("<#2>"), "base");
}

}  // namespace
