// Hidden rows: the hidden-row list, the real and display index mappings, hiding and unhiding rows.
#include <gmock/gmock.h>

#include "DedIDIZ.h"
#include "ProGrid.h"
#include "ProGrid_Unit.h"
#include "support/FormFixture.h"

using namespace ProGrid;

namespace {

class ProGridHiddenTest : public FormFixture {
protected:
    static void SetUpTestSuite() {
        FormFixture::SetUpTestSuite();
        DedIDIZ::InitThemeLibrary();
        InitProGridUnit();
    }
    static void TearDownTestSuite() {
        DoneProGridUnit();
        DedIDIZ::FreeThemeLibrary();
    }

    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 300, 200);
    }

    // Items for the real rows given, as an application may add them.
    void AddHidden(std::initializer_list<Integer> Rows) {
        for (Integer row : Rows) grid->HiddenRows()->Add()->SetIdx(row);
    }

    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridHiddenTest, TheRowMappingsSkipTheHiddenRowsAndAreInverse) {
    grid->SetRowCount(10);
    AddHidden({0, 3, 4, 8});
    EXPECT_EQ(grid->HiddenRowCount(), 4);
    struct Case {
        Integer display;
        Integer real;
    };
    // Real rows 1, 2, 5, 6, 7, 9, 10 ... show at display rows 0, 1, 2 ...
    const Case cases[] = {{0, 1}, {1, 2}, {2, 5}, {3, 6}, {4, 7}, {5, 9}, {6, 10}, {20, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        EXPECT_EQ(grid->RealRowIndex(c.display), c.real);
        EXPECT_EQ(grid->DisplayRowIndex(c.real), c.display);
        EXPECT_FALSE(grid->IsHiddenRow(c.real));
    }
    EXPECT_EQ(grid->RealRowIndex(-1), -1);
    // A hidden row counts the hidden rows before it only.
    EXPECT_EQ(grid->DisplayRowIndex(4), 2);
    for (Integer row : {0, 3, 4, 8}) EXPECT_TRUE(grid->IsHiddenRow(row)) << row;
}

TEST_F(ProGridHiddenTest, TheMappingsFollowAnIdxAnApplicationChanges) {
    AddHidden({2});
    EXPECT_EQ(grid->RealRowIndex(2), 3);
    grid->HiddenRows()->Items(0)->SetIdx(5);
    EXPECT_FALSE(grid->IsHiddenRow(2));
    EXPECT_TRUE(grid->IsHiddenRow(5));
    EXPECT_EQ(grid->RealRowIndex(2), 2);
    EXPECT_EQ(grid->RealRowIndex(5), 6);
    grid->HiddenRows()->Delete(0);
    EXPECT_EQ(grid->HiddenRowCount(), 0);
    EXPECT_EQ(grid->RealRowIndex(5), 5);
}

TEST_F(ProGridHiddenTest, WithoutHiddenColumnsColumnIndicesMapToThemselves) {
    grid->SetColCount(6);
    grid->SetCol(4);
    EXPECT_EQ(grid->HiddenColCount(), 0);
    EXPECT_EQ(grid->RealCol(), 4);
    for (Integer col : {0, 3, 511, 512, 700}) {
        EXPECT_EQ(grid->RealColIndex(col), col);
        EXPECT_EQ(grid->DisplayColIndex(col), col);
    }
}

}  // namespace
