// The in-cell controls' data on a shown grid: check boxes, radio groups and buttons, hit-testing, and the
// sizes cell graphics ask for, with fixed font metrics.
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "support/GraphicsTestSupport.h"
#include "support/InputSimulator.h"
#include "vcl/ImgList.h"

using namespace ProGrid;

namespace {

class ProGridControlsTest : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetColor(clWhite);
        grid = Place<RAdeRedeviDidi>(0, 0, 330, 250);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColor(clWhite);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(24);
        grid->SetOptions(grid->Options().Include(goEditing));
        Input::Settle();
    }
    void TearDown() override {
        grid = nullptr;
        FormFixture::TearDown();
    }

    TCellGraphic* Attach(Integer ACol, Integer ARow, TCellType AType) {
        TCellGraphic* graphic = grid->CreateCellGraphic(ACol, ARow);
        graphic->CellType = AType;
        return graphic;
    }
    TStringList* RadioItems(TCellGraphic* Graphic, std::initializer_list<const char*> Items) {
        auto* items = new TStringList;
        for (const char* item : Items) items->Add(item);
        Graphic->CellBitmap = items;
        Graphic->CellCreated = true;
        return items;
    }

    TFixedMetricsScope metrics;
    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridControlsTest, TogglingFlipsEachCheckKindAndRefusesWhatCannotBeEdited) {
    struct TCase {
        const char* Name;
        TCellType Type;
        AnsiString Text;
        bool ReadOnly;
        bool CheckEditable;
        bool Result;
        AnsiString TextAfter;
        bool StateAfter;
    };
    const std::vector<TCase> cases = {
        {"a plain box checks", ctCheckBox, "label", false, true, true, "label", true},
        {"a data box checks", ctDataCheckBox, "N", false, true, true, "Y", true},
        {"a data box unchecks", ctDataCheckBox, "Y", false, true, true, "N", false},
        {"a data box of another text checks", ctDataCheckBox, "maybe", false, true, true, "Y", true},
        {"a virtual box checks", ctVirtCheckBox, "", false, true, true, "Y", true},
        {"a read-only box stays", ctDataCheckBox, "N", true, true, false, "N", false},
        {"a read-only box toggles without the check", ctDataCheckBox, "N", true, false, true, "Y", true},
        {"a radio cell is no check box", ctRadio, "N", false, true, false, "N", false},
        {"a node is no check box", ctNode, "N", false, true, false, "N", false},
    };
    for (const TCase& c : cases) {
        grid->ClearAll();
        Attach(1, 1, c.Type);
        grid->SetCells(1, 1, c.Text);
        grid->GetCellProperties(1, 1)->SetReadOnly(c.ReadOnly);
        EXPECT_EQ(grid->ToggleCheck(1, 1, c.CheckEditable), c.Result) << c.Name;
        EXPECT_EQ(grid->Cells(1, 1), c.TextAfter) << c.Name;
        bool state = false;
        grid->GetCheckBoxState(1, 1, state);
        EXPECT_EQ(state, c.StateAfter) << c.Name;
    }
}

TEST_F(ProGridControlsTest, AMergedCellTogglesTheCheckBoxOfItsBaseCell) {
    Attach(1, 1, ctDataCheckBox);
    grid->SetCells(1, 1, "N");
    grid->MergeCells(1, 1, 2, 2);
    EXPECT_TRUE(grid->HasCellControl(2, 2));
    EXPECT_TRUE(grid->ToggleCheck(2, 2, true));
    EXPECT_EQ(grid->Cells(1, 1), "Y");
    EXPECT_TRUE(grid->SetCheckBoxState(2, 1, false));
    EXPECT_EQ(grid->Cells(1, 1), "N");
}

TEST_F(ProGridControlsTest, CellControlsAreTheCheckRadioAndButtonKinds) {
    const std::vector<std::tuple<TCellType, bool, bool, bool>> cases = {
        {ctCheckBox, true, false, false}, {ctDataCheckBox, true, false, false}, {ctVirtCheckBox, true, false, false},
        {ctRadio, true, true, false},     {ctButton, true, false, true},        {ctBitButton, false, false, true},
        {ctNode, false, false, false},    {ctComment, false, false, false},     {ctBitmap, false, false, false},
    };
    Integer cell = 0;
    for (const auto& [type, control, radio, button] : cases) {
        const Integer col = cell % 5, row = cell / 5 + 1;
        ++cell;
        Attach(col, row, type);
        EXPECT_EQ(grid->HasCellControl(col, row), control) << type;
        EXPECT_EQ(grid->HasRadio(col, row), radio) << type;
        EXPECT_EQ(grid->HasCellButton(col, row), button) << type;
    }
    EXPECT_EQ(grid->GetCellType(4, 4), ctEmpty);
    EXPECT_FALSE(grid->HasCellControl(4, 4));
}

TEST_F(ProGridControlsTest, TheNextRadioItemWrapsAndAGroupWithoutItemsStays) {
    TCellGraphic* radio = Attach(1, 1, ctRadio);
    RadioItems(radio, {"a", "b", "c"});
    radio->CellIndex = 1;
    Integer index = -5;
    ASSERT_TRUE(grid->NextRadioItem(1, 1, true));
    EXPECT_TRUE(grid->GetRadioIndex(1, 1, index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(grid->Cells(1, 1), "c");
    ASSERT_TRUE(grid->NextRadioItem(1, 1, true));
    EXPECT_EQ(radio->CellIndex, 0);
    EXPECT_EQ(grid->Cells(1, 1), "a");

    // A data radio selects by its text and keeps its negative index.
    TCellGraphic* data = Attach(2, 1, ctRadio);
    RadioItems(data, {"x", "y"});
    data->CellIndex = -1;
    grid->SetCells(2, 1, "y");
    ASSERT_TRUE(grid->NextRadioItem(2, 1, false));
    EXPECT_EQ(grid->Cells(2, 1), "x");
    EXPECT_EQ(data->CellIndex, -1);

    TCellGraphic* empty = Attach(3, 1, ctRadio);
    RadioItems(empty, {});
    grid->SetCells(3, 1, "keep");
    EXPECT_FALSE(grid->NextRadioItem(3, 1, false));
    EXPECT_EQ(grid->Cells(3, 1), "keep");
    Attach(3, 2, ctRadio);
    EXPECT_FALSE(grid->NextRadioItem(3, 2, false));
    EXPECT_EQ(grid->GetRadioItems(3, 2), nullptr);

    grid->GetCellProperties(1, 1)->SetReadOnly(true);
    EXPECT_FALSE(grid->NextRadioItem(1, 1, true));
    EXPECT_EQ(grid->Cells(1, 1), "a");
    EXPECT_FALSE(grid->SetRadioIndex(4, 4, 3));
    Attach(4, 4, ctComment);
    EXPECT_FALSE(grid->SetRadioIndex(4, 4, 3));
    EXPECT_EQ(grid->GetCellGraphic(4, 4)->CellIndex, 3);
}

TEST_F(ProGridControlsTest, APreciseHitLiesInTheCheckSquareForEveryAlignmentPair) {
    Attach(1, 1, ctCheckBox);
    TRect cell;
    grid->CellRectEx(1, 1, cell);
    const Integer size = grid->ControlLook()->CheckSize();
    struct TCase {
        TCellVAlign VAlign;
        TAlignment HAlign;
        Integer Top;
        Integer Left;
    };
    // A 64 x 24 cell and a 15-pixel square: the centred offsets 24.5 and 4.5 truncate.
    ASSERT_EQ(cell.Width(), 64);
    ASSERT_EQ(cell.Height(), 24);
    const std::vector<TCase> cases = {
        {vaTop, taLeftJustify, 2, 2},    {vaTop, taRightJustify, 2, 47},    {vaTop, taCenter, 2, 24},
        {vaCenter, taLeftJustify, 4, 2}, {vaCenter, taRightJustify, 4, 47}, {vaCenter, taCenter, 4, 24},
        {vaBottom, taLeftJustify, 7, 2}, {vaBottom, taRightJustify, 7, 47}, {vaBottom, taCenter, 7, 24},
    };
    grid->MouseActions()->SetPreciseCheckBoxCheck(true);
    for (const TCase& c : cases) {
        grid->GetCellGraphic(1, 1)->CellVAlign = c.VAlign;
        grid->GetCellProperties(1, 1)->SetAlignment(c.HAlign);
        const Integer left = cell.Left + c.Left, top = cell.Top + c.Top;
        const std::string name = std::to_string(c.VAlign) + "/" + std::to_string(c.HAlign);
        EXPECT_TRUE(grid->IsCheckBoxHit(1, 1, left, top)) << name;
        EXPECT_TRUE(grid->IsCheckBoxHit(1, 1, left + size - 1, top + size - 1)) << name;
        EXPECT_FALSE(grid->IsCheckBoxHit(1, 1, left - 1, top)) << name;
        EXPECT_FALSE(grid->IsCheckBoxHit(1, 1, left, top + size)) << name;
    }
    grid->MouseActions()->SetPreciseCheckBoxCheck(false);
    EXPECT_TRUE(grid->IsCheckBoxHit(1, 1, cell.Right - 1, cell.Bottom - 1));
    EXPECT_FALSE(grid->IsCheckBoxHit(1, 1, cell.Right, cell.Top));
    EXPECT_FALSE(grid->IsCheckBoxHit(2, 1, cell.Right + 1, cell.Top + 1));
}

TEST_F(ProGridControlsTest, GraphicSizesFollowTheTypeTextAndFullAlignments) {
    TImageList& images = *new TImageList(form);
    images.SetWidth(16);
    images.SetHeight(12);
    struct TCase {
        const char* Name;
        std::function<void(TCellGraphic&, RAdeRedeviDidi&)> Make;
        TPoint Size;
        TPoint Printed;
    };
    auto* bitmapFree = new TBitmap;  // owned by the cells that set CellCreated
    bitmapFree->SetSize(10, 8);
    const std::vector<TCase> cases = {
        {"no graphic", nullptr, {0, 0}, {0, 0}},
        {"a check box", [](TCellGraphic& g, RAdeRedeviDidi&) { g.CellType = ctCheckBox; }, {15, 15}, {15, 15}},
        {"a bitmap beside text",
         [&](TCellGraphic& g, RAdeRedeviDidi& grid) {
             g.CellType = ctBitmap;
             g.CellBitmap = bitmapFree;
             grid.SetCells(1, 1, "text");
         },
         {0, 8},
         {10, 8}},
        {"a bitmap before text",
         [&](TCellGraphic& g, RAdeRedeviDidi& grid) {
             g.CellType = ctBitmap;
             g.CellBitmap = bitmapFree;
             g.CellHAlign = haBeforeText;
             grid.SetCells(1, 1, "text");
         },
         {10, 8},
         {10, 8}},
        {"an image without images", [](TCellGraphic& g, RAdeRedeviDidi&) { g.CellType = ctImageList; }, {0, 0}, {0, 0}},
        {"an image",
         [&](TCellGraphic& g, RAdeRedeviDidi& grid) {
             g.CellType = ctImageList;
             grid.SetGridImages(&images);
         },
         {16, 12},
         {16, 12}},
        {"images across",
         [&](TCellGraphic& g, RAdeRedeviDidi& grid) {
             g.CellType = ctImages;
             auto* list = new ProObj::TIntList(0, 0);
             for (Integer i : {0, 1, 2}) list->Add(i);
             g.CellBitmap = list;
             g.CellBoolean = true;
             grid.SetGridImages(&images);
         },
         {48, 12},
         {48, 12}},
        {"radio items across",
         [this](TCellGraphic& g, RAdeRedeviDidi&) {
             g.CellType = ctRadio;
             RadioItems(&g, {"ab", "cde"});
             g.CellBoolean = true;
         },
         {(12 + 12) + (18 + 12), 13},
         {54, 13}},
        {"radio items down",
         [this](TCellGraphic& g, RAdeRedeviDidi&) {
             g.CellType = ctRadio;
             RadioItems(&g, {"ab", "cde"});
         },
         {30, 26},
         {30, 26}},
        {"a radio group without items",
         [](TCellGraphic& g, RAdeRedeviDidi&) { g.CellType = ctRadio; },
         {12, 0},
         {12, 0}},
        {"a button of the widest packed size",
         [](TCellGraphic& g, RAdeRedeviDidi&) {
             g.CellType = ctButton;
             g.CellIndex = static_cast<Integer>(0xFFFF001Eu);
         },
         {30, 65535},
         {30, 65535}},
        {"a full-height button",
         [](TCellGraphic& g, RAdeRedeviDidi&) {
             g.CellType = ctBitButton;
             g.CellIndex = (10 << 16) | 40;
             g.CellVAlign = vaFull;
         },
         {40, 24},
         {40, 10}},
        {"a full-width pie",
         [](TCellGraphic& g, RAdeRedeviDidi&) {
             g.CellType = ctProgressPie;
             g.CellHAlign = haFull;
         },
         {64, 20},
         {20, 20}},
    };
    for (const TCase& c : cases) {
        grid->ClearAll();
        grid->SetGridImages(nullptr);
        if (c.Make) c.Make(*grid->CreateCellGraphic(1, 1), *grid);
        TPoint size(-1, -1), printed(-1, -1);
        grid->GetCellGraphicSize(1, 1, size);
        grid->GetCellGraphicSizeEx(1, 1, printed, 1.0, 100, 100);
        EXPECT_EQ(size.X, c.Size.X) << c.Name;
        EXPECT_EQ(size.Y, c.Size.Y) << c.Name;
        EXPECT_EQ(printed.X, c.Printed.X) << c.Name;
        EXPECT_EQ(printed.Y, c.Printed.Y) << c.Name;
        if (TCellGraphic* graphic = grid->GetCellGraphic(1, 1); graphic && graphic->CellBitmap == bitmapFree)
            graphic->CellBitmap = nullptr;
    }
    grid->ClearAll();
    delete bitmapFree;
}

TEST_F(ProGridControlsTest, AButtonSitsAtItsUnsignedPackedOffsetAndSizeInTheCell) {
    TCellGraphic* button = Attach(2, 2, ctButton);
    button->CellIndex = (30 << 16) | 40;
    button->CellValue = (5 << 16) | 3;
    TRect cell;
    grid->CellRectEx(2, 2, cell);
    struct TCase {
        double Value;
        TCellVAlign VAlign;
        TCellHAlign HAlign;
        TRect Expected;
    };
    const std::vector<TCase> cases = {
        {(5 << 16) | 3, vaTop, haLeft, Rect(cell.Left + 3, cell.Top + 5, cell.Left + 43, cell.Top + 35)},
        {(5 << 16) + 3.4, vaTop, haLeft, Rect(cell.Left + 3, cell.Top + 5, cell.Left + 43, cell.Top + 35)},
        {(5 << 16) | 3, vaFull, haLeft, Rect(cell.Left + 3, cell.Top, cell.Left + 43, cell.Bottom)},
        {(5 << 16) | 3, vaTop, haFull, Rect(cell.Left, cell.Top + 5, cell.Right, cell.Top + 35)},
        {65535.0 + (1 << 16), vaTop, haLeft, Rect(cell.Left + 65535, cell.Top + 1, cell.Left + 65575, cell.Top + 31)},
        {1e300, vaTop, haLeft, Rect(cell.Left, cell.Top, cell.Left + 40, cell.Top + 30)},
    };
    for (const TCase& c : cases) {
        button->CellValue = c.Value;
        button->CellVAlign = c.VAlign;
        button->CellHAlign = c.HAlign;
        TRect rect;
        grid->GetCellButtonRect(2, 2, rect);
        EXPECT_EQ(rect, c.Expected) << c.Value;
    }
    grid->SetCellButtonDown(2, 2, true);
    EXPECT_TRUE(button->CellBoolean);
    TRect none(1, 1, 1, 1);
    grid->GetCellButtonRect(3, 3, none);
    EXPECT_EQ(none, TRect());
}

TEST_F(ProGridControlsTest, OtherGraphicsTellTheirCommentRangeImagesAndHandle) {
    TCellGraphic* comment = Attach(1, 1, ctComment);
    comment->CellText = "note";
    comment->CellErrFrom = 3;
    comment->CellErrLen = 2;
    AnsiString text;
    EXPECT_TRUE(grid->GetCellComment(1, 1, text));
    EXPECT_EQ(text, "note");
    Integer from = -1, len = -1;
    grid->GetCellErrorRange(1, 1, from, len);
    EXPECT_EQ(std::make_pair(from, len), std::make_pair(3, 2));
    grid->GetCellErrorRange(2, 2, from, len);
    EXPECT_EQ(std::make_pair(from, len), std::make_pair(0, 0));
    EXPECT_FALSE(grid->GetCellComment(2, 2, text));
    EXPECT_EQ(grid->GetCellImages(1, 1), nullptr);
    EXPECT_EQ(grid->GetCellGraphicHandle(1, 1), -1);
    TCellGraphic* image = Attach(3, 1, ctImageList);
    image->CellIndex = 7;
    EXPECT_EQ(grid->GetCellGraphicHandle(3, 1), 7);
}

TEST_F(ProGridControlsTest, AToggledCheckBoxShowsItsMarkInTheWindow) {
    grid->ControlLook()->SetControlStyle(csBorland);
    grid->ControlLook()->SetColor(clRed);
    Attach(1, 1, ctCheckBox);
    Attach(2, 1, ctDataCheckBox);
    grid->SetCells(2, 1, "N");
    const auto markPixels = [this](Integer ACol) {
        grid->Invalidate();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        const TRect cell = grid->CellRect(ACol, 1);
        Integer count = 0;
        for (Integer y = cell.Top; y < cell.Bottom; ++y)
            for (Integer x = cell.Left; x < cell.Right; ++x) {
                const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(x, y)));
                count += ColorToRGB(shown->Canvas()->Pixels(at.X, at.Y)) == ColorToRGB(clRed);
            }
        return count;
    };
    for (Integer col : {1, 2}) {
        EXPECT_EQ(markPixels(col), 0) << col;
        ASSERT_TRUE(grid->ToggleCheck(col, 1, true));
        EXPECT_GT(markPixels(col), 10) << col;
        ASSERT_TRUE(grid->ToggleCheck(col, 1, true));
        EXPECT_EQ(markPixels(col), 0) << col;
    }
}

}  // namespace
