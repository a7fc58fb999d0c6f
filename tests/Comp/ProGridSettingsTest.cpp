#include <memory>

#include "BaseGridFixture.h"
#include "ProGrid.h"

using namespace ProGrid;

namespace {

class TCountedObject : public TObject {
public:
    explicit TCountedObject(int& Freed) : freed_(Freed) {}
    ~TCountedObject() override { ++freed_; }

private:
    int& freed_;
};

class ProGridSettingsTest : public BaseGridFixture {
protected:
    // Whether anything of the grid is painted when the pending updates are.
    bool PaintsPending() {
        grid->Drawn.clear();
        Input::Settle();
        std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
        return !grid->Drawn.empty();
    }
};

TEST_F(ProGridSettingsTest, BandPeriodFollowsBothLengthsAndRepaintsOnlyWhileActive) {
    TBands bands(grid);
    PaintsPending();
    bands.SetPrimaryLength(3);
    EXPECT_EQ(bands.Period(), 4);
    bands.SetPrimaryColor(clRed);
    EXPECT_FALSE(PaintsPending());
    bands.SetActive(true);
    EXPECT_TRUE(PaintsPending());
    bands.SetSecondaryLength(2);
    EXPECT_EQ(bands.Period(), 5);
    EXPECT_TRUE(PaintsPending());
}

TEST_F(ProGridSettingsTest, SortRowMayNotPassTheFixedRows) {
    grid->SetFixedRows(2);
    TSortSettings sort(grid);
    sort.SetRow(2);
    EXPECT_EQ(sort.Row(), 2);
    try {
        sort.SetRow(3);
        FAIL() << "a row past the fixed rows was taken";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(sort.Row(), 2);
}

TEST_F(ProGridSettingsTest, PictureSizeFollowsTheStretchMode) {
    TPicture picture;
    std::unique_ptr<TBitmap> bitmap(new TBitmap);
    bitmap->SetSize(200, 100);
    picture.SetGraphic(bitmap.get());
    struct Case {
        Integer Mode, Width, Height, Margin;
        TPoint Expected;
    };
    const Case cases[] = {
        {2, 110, 110, 10, Point(100, 50)},   // scaled to the width
        {2, 420, 60, 10, Point(100, 50)},    // scaled to the height
        {1, 110, 110, 10, Point(100, 100)},  // the room
        {3, 300, 300, 0, Point(200, 100)},   // fits: its own size
        {3, 150, 300, 0, Point(150, 300)},   // too wide: the room
        {4, 300, 300, 0, Point(200, 100)},   // fits: never enlarged
        {4, 100, 300, 0, Point(100, 50)},    // too wide: scaled down
        {0, 10, 10, 0, Point(200, 100)},     // other modes: its own size
        {1, 5, 5, 10, Point(0, 0)},          // a margin wider than the room leaves none
    };
    TCellGraphic graphic;
    graphic.CellType = ctPicture;
    graphic.CellBitmap = &picture;
    for (const Case& c : cases) {
        graphic.CellAngle = c.Mode;
        graphic.CellIndex = c.Margin;
        TPoint size = Point(-1, -1);
        graphic.GetPictureSize(c.Width, c.Height, size);
        EXPECT_EQ(size, c.Expected) << "mode " << c.Mode << " in " << c.Width << " x " << c.Height;
    }
    graphic.CellBitmap = nullptr;
    graphic.CellType = ctBitmap;
    TPoint size = Point(7, 8);
    graphic.GetPictureSize(50, 50, size);
    EXPECT_EQ(size, Point(7, 8));
}

TEST_F(ProGridSettingsTest, ACellGraphicFreesOnlyWhatTheCellMade) {
    struct Case {
        TCellType Type;
        bool Created;
        int Freed;
    };
    const Case cases[] = {
        {ctBitmap, true, 1}, {ctBitmap, false, 0},   {ctPicture, true, 1}, {ctFilePicture, true, 1},
        {ctRadio, true, 1},  {ctBitButton, true, 1}, {ctImages, false, 1}, {ctProgress, true, 0},
    };
    for (const Case& c : cases) {
        int freed = 0;
        TCountedObject kept(freed);
        {
            TCellGraphic graphic;
            graphic.CellType = c.Type;
            graphic.CellCreated = c.Created;
            graphic.CellBitmap = c.Freed ? new TCountedObject(freed) : &kept;
        }
        EXPECT_EQ(freed, c.Freed) << c.Type;
    }
}

TEST_F(ProGridSettingsTest, DisjunctSelectionsAreIndependentAtRunTime) {
    TMouseActions actions(grid);
    actions.SetDisjunctRowSelect(true);
    actions.SetDisjunctColSelect(true);
    EXPECT_TRUE(actions.DisjunctRowSelect());
    EXPECT_TRUE(actions.DisjunctColSelect());
}

TEST_F(ProGridSettingsTest, SettingsStartWithTheirDefaults) {
    TNavigation navigation(grid);
    EXPECT_TRUE(navigation.AllowClipboardRowGrow() && navigation.AllowClipboardColGrow() &&
                navigation.CopyHTMLTagsToClipboard() && navigation.EditSelectAll() && navigation.SkipFixedCells() &&
                navigation.AllowCtrlEnter());
    EXPECT_FALSE(navigation.AllowInsertRow() || navigation.AdvanceOnEnter() || navigation.TabToNextAtEnd());
    TControlLook look(grid);
    EXPECT_EQ(look.CheckSize(), 15);
    EXPECT_EQ(look.RadioSize(), 10);
    EXPECT_EQ(look.ControlStyle(), csWinXP);
    EXPECT_EQ(look.ProgressMarginX(), 2);
    TCellNode node(grid);
    EXPECT_EQ(node.NodeType(), cnXP);
    EXPECT_EQ(node.NodeIndent(), 12);
    EXPECT_TRUE(node.ShowTree());
    TSortSettings sort(grid);
    EXPECT_EQ(sort.IndexColor(), static_cast<TColor>(0x00FFFF));
    EXPECT_TRUE(sort.AutoSortForGrouping() && sort.Full() && sort.AutoFormat());
    TPrintSettings print(grid);
    EXPECT_EQ(print.DateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(print.Borders(), pbSingle);
    EXPECT_TRUE(print.Centered() && print.UseDisplayFont());
    THTMLSettings html(grid);
    EXPECT_EQ(html.Width(), 100);
    EXPECT_EQ(html.BorderSize(), 1);
    TDragDropSettings drag(grid);
    EXPECT_TRUE(drag.OleAcceptFiles() && drag.OleAcceptText());
    TGrouping grouping(grid);
    EXPECT_EQ(grouping.SummaryColorTo(), clNone);
    TColumnSize size(grid);
    EXPECT_EQ(size.StretchColumn(), -1);
}

TEST_F(ProGridSettingsTest, PrintSettingsAssignCopiesValuesFontsAndTitleLines) {
    TPrintSettings source(grid), target(grid);
    source.SetTitleText("Report");
    source.SetHeaderSize(30);
    source.SetPageNr(ppBottomCenter);
    source.SetCentered(false);
    source.Font()->SetSize(14);
    source.TitleLines()->Add("first");
    target.Assign(&source);
    EXPECT_EQ(target.TitleText(), "Report");
    EXPECT_EQ(target.HeaderSize(), 30);
    EXPECT_EQ(target.PageNr(), ppBottomCenter);
    EXPECT_FALSE(target.Centered());
    EXPECT_EQ(target.Font()->Size(), 14);
    EXPECT_NE(target.Font(), source.Font());
    EXPECT_EQ(target.TitleLines()->Text(), source.TitleLines()->Text());
}

TEST_F(ProGridSettingsTest, AHiddenRowItemCopiesTheListItIsGiven) {
    TCollection rows(CollectionItemClassOf<TGridItem>());
    auto* item = static_cast<TGridItem*>(rows.Add());
    TStringList given;
    given.Add("a");
    given.Add("b");
    item->SetItems(&given);
    given.Clear();
    EXPECT_EQ(item->Items()->Count(), 2);
    EXPECT_EQ(item->Items()->Strings(1), "b");
}

TEST_F(ProGridSettingsTest, AFilterBelongsToItsGrid) {
    TFilter filter(grid);
    TFilterData* condition = filter.Add();
    EXPECT_TRUE(condition->CaseSensitive());
    condition->SetCondition(">3");
    EXPECT_EQ(filter.Items(0)->Condition(), ">3");
    EXPECT_EQ(filter.Owner(), grid);
}

}  // namespace
