// The grid's cell decorations drawn on a bitmap: a cell's graphic and type, borders, check boxes and radio
// groups in every control style and state, images, progress bars, comments, buttons and nodes.
#include <memory>

#include <gmock/gmock.h>

#include "DedIDIZ.h"
#include "ProGrid.h"
#include "ProGrid_Unit.h"
#include "support/CanvasRecorder.h"
#include "support/FormFixture.h"
#include "support/GraphicsTestSupport.h"
#include "vcl/UxTheme.h"
#include "vcl/WinGdi.h"

using namespace ProGrid;
using ::testing::ElementsAre;

namespace {

// The grid with node rows indented by Indent (node descriptors come with the grid's node operations).
class TDecorGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    Integer Indent = 0;

protected:
    Integer RowIndent(Integer) override { return Indent; }
    bool HasNodes() override { return Indent > 0; }
};

class DecorTest : public FormFixture {
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
        grid = PlaceGrid(true);
        bitmap = WhiteBitmap(200, 100);
    }
    void TearDown() override {
        SetThemesActiveForTest(true);
        FormFixture::TearDown();
    }

    // A new grid, made while themes are on or off (the grid decides its look when made).
    TDecorGrid* PlaceGrid(bool Themed) {
        SetThemesActiveForTest(Themed);
        auto* made = Place<TDecorGrid>(0, 0, 300, 200);
        SetThemesActiveForTest(true);
        made->SetOptions(made->Options().Include(goEditing));
        return made;
    }

    TCellGraphic* Attach(Integer ACol, Integer ARow, TCellType Type) {
        auto* graphic = new TCellGraphic;
        graphic->CellType = Type;
        grid->SetGraphicObject(ACol, ARow, graphic);
        return graphic;
    }

    // Draws the graphic of (ACol, ARow) on the bitmap in Rect, as a W x H graphic beside left-aligned text.
    void Draw(Integer ACol, Integer ARow, const TRect& Rect, Integer W = 0, Integer H = 0,
              TAlignment HAlign = taLeftJustify) {
        grid->DrawCellGraphic(bitmap->Canvas(), ACol, ARow, grid->GetCellGraphic(ACol, ARow), Rect, W, H, HAlign,
                              BaseGrid::vtaTop);
    }

    static std::vector<AnsiString> Calls(const TCanvasRecorder& Recorder, const char* Prefix) {
        std::vector<AnsiString> found;
        for (const AnsiString& line : Recorder.Lines())
            if (line.rfind(Prefix, 0) == 0) found.push_back(line);
        return found;
    }

    TColor Pixel(Integer X, Integer Y) { return ColorToRGB(bitmap->Canvas()->Pixels(X, Y)); }

    TDecorGrid* grid = nullptr;
    std::unique_ptr<TBitmap> bitmap;
};

// ---------------------------------------------------------------------------
// The graphic of a cell

TEST_F(DecorTest, ACellsGraphicAndTypeAreThoseOfItsMergeBaseCell) {
    EXPECT_EQ(grid->GetCellType(2, 2), ctEmpty);
    EXPECT_EQ(grid->GetCellGraphic(2, 2), nullptr);
    grid->SetCells(2, 2, "text only");
    grid->GetCellProperties(2, 2);
    EXPECT_EQ(grid->GetCellType(2, 2), ctEmpty) << "properties without a graphic";

    TCellGraphic* graphic = Attach(1, 1, ctRadio);
    grid->MergeCells(1, 1, 2, 2);
    for (const TPoint cell : {Point(1, 1), Point(2, 1), Point(1, 2), Point(2, 2)}) {
        EXPECT_EQ(grid->GetCellGraphic(cell.X, cell.Y), graphic) << cell.X << "," << cell.Y;
        EXPECT_EQ(grid->GetCellType(cell.X, cell.Y), ctRadio);
    }
    EXPECT_EQ(grid->GetCellType(3, 1), ctEmpty);
}

// ---------------------------------------------------------------------------
// Borders

TEST_F(DecorTest, BordersLieInsideTheGridLinesAndFollowTheQueryInOrder) {
    struct Case {
        const char* name;
        TCellBorders borders;
        Integer width;
        bool gridLines;
        std::vector<AnsiString> lines;
    };
    const Case cases[] = {
        {"left and bottom, 3-pixel pen, with grid lines: 2 pixels in",
         TCellBorders{cbLeft, cbBottom},
         3,
         true,
         {"LineTo 11,22-11,48 pen=$00000000/3", "LineTo 12,47-72,47 pen=$00000000/3"}},
        {"the same without grid lines: on the edges",
         TCellBorders{cbLeft, cbBottom},
         3,
         false,
         {"LineTo 9,20-9,50 pen=$00000000/3", "LineTo 10,49-74,49 pen=$00000000/3"}},
        {"all four, 1-pixel pen: left, right, top, bottom",
         TCellBorders{cbTop, cbLeft, cbRight, cbBottom},
         1,
         true,
         {"LineTo 10,21-10,49 pen=$00000000", "LineTo 72,21-72,49 pen=$00000000", "LineTo 11,21-73,21 pen=$00000000",
          "LineTo 11,48-73,48 pen=$00000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGridOptions options = grid->Options();
        if (c.gridLines) options.Include(goVertLine).Include(goHorzLine);
        else options.Exclude(goVertLine).Exclude(goHorzLine);
        grid->SetOptions(options);
        grid->OnGetCellBorder = [&](TObject*, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders) {
            EXPECT_EQ(ACol, 3);
            EXPECT_EQ(ARow, 4);
            APen->SetColor(clBlack);
            APen->SetWidth(c.width);
            Borders = c.borders;
        };
        TCanvas* canvas = grid->Canvas();
        canvas->Pen()->SetColor(clLime);
        canvas->Pen()->SetWidth(1);
        TCanvasRecorder recorder(canvas);
        grid->DrawCellBorders(3, 4, Rect(10, 20, 74, 50));
        EXPECT_EQ(Calls(recorder, "LineTo "), c.lines);
        EXPECT_EQ(canvas->Pen()->Color(), clLime) << "the canvas pen comes back";
        EXPECT_EQ(canvas->Pen()->Width(), 1);
    }
}

TEST_F(DecorTest, EachSideTakesThePenTheBorderPropertyEventGives) {
    grid->OnGetCellBorder = [](TObject*, Integer, Integer, TPen*, TCellBorders& Borders) {
        Borders = TCellBorders{cbLeft, cbRight};
    };
    int asked = 0;
    grid->OnGetCellBorderProp = [&](TObject*, Integer ARow, Integer ACol, TPen* LeftPen, TPen* TopPen, TPen* RightPen,
                                    TPen*) {
        ++asked;
        EXPECT_EQ(ARow, 2);
        EXPECT_EQ(ACol, 1);
        EXPECT_NE(LeftPen, RightPen) << "four pens";
        EXPECT_NE(TopPen, grid->Canvas()->Pen());
        RightPen->SetColor(clRed);
        RightPen->SetWidth(2);
    };
    grid->Canvas()->Pen()->SetColor(clBlue);
    TCanvasRecorder recorder(grid->Canvas());
    grid->DrawCellBorders(1, 2, Rect(0, 0, 40, 20));
    EXPECT_EQ(asked, 1);
    EXPECT_THAT(Calls(recorder, "LineTo "),
                ElementsAre("LineTo 0,1-0,19 pen=$00FF0000", "LineTo 38,1-38,19 pen=$000000FF/2"));
    EXPECT_EQ(grid->Canvas()->Pen()->Color(), clBlue);
}

TEST_F(DecorTest, ACellWithoutBordersDrawsNothingAndAsksForNoPens) {
    int asked = 0;
    grid->OnGetCellBorderProp = [&](TObject*, Integer, Integer, TPen*, TPen*, TPen*, TPen*) { ++asked; };
    TCanvasRecorder recorder(grid->Canvas());
    grid->DrawCellBorders(1, 1, Rect(0, 0, 40, 20));
    EXPECT_TRUE(recorder.Lines().empty());
    EXPECT_EQ(asked, 0);
}

}  // namespace
