// The grid's cell painting as the window shows it: colours, looks, text, links, selection, focus,
// background tiles, sort indicator, the flat border and the size line.
#include <algorithm>
#include <cmath>

#include "ProGrid_PaintFixture.h"
#include "ProUtil.h"
#include "vcl/UxTheme.h"

using namespace ProGrid;
using BaseGrid::TVAlignment;

namespace {

constexpr TColor Selected = static_cast<TColor>(0xEACAB6);

// Cell (c, r) of the fixture's grid spans 64 c .. 64 c + 63 across and 24 r .. 24 r + 23 down.
TPoint Inside(Integer ACol, Integer ARow) { return Point(64 * ACol + 30, 24 * ARow + 12); }

class ProGridPaintTest : public ProGridPaintFixture {
protected:
    // The lines of the recording that start with Prefix.
    static std::vector<AnsiString> Starting(const std::vector<AnsiString>& Lines, const char* Prefix) {
        std::vector<AnsiString> found;
        for (const AnsiString& line : Lines)
            if (line.rfind(Prefix, 0) == 0) found.push_back(line);
        return found;
    }
    // Pixels of Color in the cell's area of the last grab.
    Integer CountIn(Integer ACol, Integer ARow, TColor Color) const {
        Integer count = 0;
        for (Integer y = 24 * ARow; y < 24 * ARow + 24; ++y)
            for (Integer x = 64 * ACol; x < 64 * ACol + 64; ++x) count += Shown(x, y) == Color;
        return count;
    }
};

TEST_F(ProGridPaintTest, BandsColourTheRowsBelowTheFixedRowByTheirPeriod) {
    grid->Bands()->SetPrimaryColor(clYellow);
    grid->Bands()->SetSecondaryColor(clAqua);
    grid->Bands()->SetPrimaryLength(2);
    grid->Bands()->SetSecondaryLength(1);
    grid->Bands()->SetActive(true);
    grid->SetCol(4);
    grid->SetRow(9);
    Repaint();
    const TColor expected[] = {clYellow, clYellow, clAqua, clYellow, clYellow, clAqua};
    for (Integer r = 1; r <= 6; ++r) EXPECT_EQ(Shown(Inside(2, r).X, Inside(2, r).Y), expected[r - 1]) << r;
    EXPECT_NE(Shown(Inside(0, 1).X, Inside(0, 1).Y), clYellow);  // the fixed column keeps its colour
}

class TFormulaGrid : public TPaintTestGrid {
public:
    using TPaintTestGrid::TPaintTestGrid;
    void GetCellText(Integer ACol, Integer ARow, AnsiString& Value) override {
        ReadCell(ACol, ARow, Value);
        if (Value == "=A1*2") Value = "42";
    }
};

TEST_F(ProGridPaintTest, AlignmentTakesNumbersFormulaValuesTheCellAndTheEventInTurn) {
    auto* formulas = Place<TFormulaGrid>(0, 0, 100, 100);
    formulas->SetCells(1, 1, "=A1*2");
    formulas->SetCells(2, 1, "=A1+B");
    formulas->SetCells(3, 1, "1,234.5");
    formulas->SetCells(4, 1, "text");
    formulas->SetVAlignment(BaseGrid::vtaCenter);
    formulas->SetAutoNumAlign(true);
    EXPECT_EQ(formulas->GetCellAlignmentEx(1, 1).first, taRightJustify);
    EXPECT_EQ(formulas->GetCellAlignmentEx(2, 1).first, taLeftJustify);
    EXPECT_EQ(formulas->GetCellAlignmentEx(3, 1).first, taRightJustify);
    EXPECT_EQ(formulas->GetCellAlignmentEx(4, 1), std::make_pair(taLeftJustify, BaseGrid::vtaCenter));
    formulas->GetCellProperties(3, 1)->SetAlignment(taCenter);
    EXPECT_EQ(formulas->GetCellAlignmentEx(3, 1).first, taCenter);
    formulas->OnGetAlignment = [](TObject*, Integer ARow, Integer ACol, TAlignment& H, TVAlignment& V) {
        if (ACol == 3 && ARow == 1) {
            H = taLeftJustify;
            V = BaseGrid::vtaBottom;
        }
    };
    EXPECT_EQ(formulas->GetCellAlignmentEx(3, 1), std::make_pair(taLeftJustify, BaseGrid::vtaBottom));
}

TEST_F(ProGridPaintTest, TextsAreDrawnByTheirKindAndOneCharacterIsAlwaysPlain) {
    grid->SetCells(1, 1, "=");
    grid->SetCells(2, 1, "<");
    grid->SetCells(3, 1, "<B>bold</B>");
    grid->SetCells(1, 2, "a\tb");
    const std::vector<AnsiString> texts = Starting(RecordedRepaint(), "DrawText ");
    const auto drawn = [&](const AnsiString& Needle) {
        return std::any_of(texts.begin(), texts.end(),
                           [&](const AnsiString& L) { return L.find(Needle) != AnsiString::npos; });
    };
    EXPECT_TRUE(drawn("\"=\""));
    EXPECT_TRUE(drawn("\"<\""));
    EXPECT_TRUE(drawn("\"bold\""));  // the mark-up's run, not its tags
    EXPECT_FALSE(drawn("<B>"));
    EXPECT_TRUE(drawn("$00002850 \"a\tb\""));  // edit control, word break, no prefix, tabs expanded
}

TEST_F(ProGridPaintTest, EachKindOfCellKeepsThePainterStepOrder) {
    struct Case {
        const char* Name;
        AnsiString Text;
        bool Graphic;
    };
    const Case cases[] = {{"plain", "step", false}, {"mark-up", "<B>step</B>", false}, {"graphic", "step", true}};
    Input::Click(grid, Inside(2, 2).X, Inside(2, 2).Y);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetCells(2, 2, c.Text);
        if (c.Graphic) {
            auto* check = new TCellGraphic;
            check->CellType = ctCheckBox;
            check->CellHAlign = haAfterText;
            grid->SetGraphicObject(2, 2, check);
        }
        TCanvasRecorder recorder(grid->Canvas());
        std::size_t drawCellAt = 0, customAt = 0;
        grid->OnDrawCell = [&](TObject*, Integer ACol, Integer ARow, const TRect&, TGridDrawState) {
            if (ACol == 2 && ARow == 2) drawCellAt = recorder.Lines().size();
        };
        grid->OnCustomCellDraw = [&](TObject*, TCanvas*, Integer ACol, Integer ARow, TGridDrawState, TRect, bool) {
            if (ACol == 2 && ARow == 2) customAt = recorder.Lines().size();
        };
        Repaint();
        const auto& lines = recorder.Lines();
        const auto at = [&](const char* Prefix, const char* Holding = "") {
            for (std::size_t i = 0; i < lines.size(); ++i)
                if (lines[i].rfind(Prefix, 0) == 0 && lines[i].find(Holding) != AnsiString::npos &&
                    lines[i].find(" $00000400 ") == AnsiString::npos)
                    return i;
            return lines.size();
        };
        const std::size_t fill = at("FillRect 128,48,192,72"), text = at("DrawText ", "\"step\""),
                          focus = at("DrawFocusRect 128,48,191,71");
        EXPECT_LT(fill, text);
        if (c.Graphic) {
            std::size_t graphic = text + 1;  // the check box's glyph
            while (graphic < lines.size() && lines[graphic].rfind("DrawImage ", 0) != 0) ++graphic;
            EXPECT_LT(text, graphic);
            EXPECT_LT(graphic, drawCellAt);
        }
        EXPECT_LT(text, drawCellAt);
        EXPECT_LE(drawCellAt, customAt);
        EXPECT_LE(customAt, focus);
        EXPECT_LT(focus, lines.size());
    }
}

TEST_F(ProGridPaintTest, OnDrawCellGetsTheCellMovedInByOneAndTheLineWidth) {
    grid->SetGridLineWidth(3);
    TRect got{};
    grid->OnDrawCell = [&](TObject*, Integer ACol, Integer ARow, const TRect& R, TGridDrawState) {
        if (ACol == 1 && ARow == 1) got = R;
    };
    Repaint();
    // The cell 64,24,128,48 less its lines is 67,27,125,45; the painter gives back 1 on each side.
    EXPECT_EQ(got, Rect(67, 27, 123, 43));
}

TEST_F(ProGridPaintTest, AFixedCellsLookIsItsFillAndItsEdges) {
    const TColor face = ColorToRGB(clBtnFace);
    const TColor darker = ProUtil::DarkenColor(face);
    grid->SetLook(glXP);
    Repaint();
    EXPECT_EQ(Shown(90, 1), clWhite);
    EXPECT_LT(GetRValue(Shown(90, 21)), 0xFF);
    EXPECT_GE(GetRValue(Shown(90, 21)), GetRValue(face));
    EXPECT_EQ(Shown(90, 23), darker);
    EXPECT_EQ(Shown(127, 10), darker);

    grid->SetLook(glClassic);
    Repaint();
    EXPECT_EQ(Shown(64, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Shown(90, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Shown(127, 10), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Shown(126, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Shown(90, 12), face);

    grid->SetLook(glSoft);
    Repaint();
    EXPECT_EQ(Shown(90, 23), static_cast<TColor>(0xC0C0C0));
    EXPECT_EQ(Shown(127, 10), static_cast<TColor>(0xC0C0C0));
    grid->SetFixedAsButtons(true);
    Repaint();
    EXPECT_EQ(Shown(90, 23), static_cast<TColor>(0x808080));

    grid->SetFlat(true);
    grid->SetLook(glXP);
    Repaint();
    EXPECT_EQ(Shown(90, 1), face);
}

TEST_F(ProGridPaintTest, TheThemedListViewHeaderFollowsTheMouse) {
    grid->SetLook(glListView);
    const auto headerStates = [&] {
        std::vector<int> states;
        TCanvasRecorder recorder(grid->Canvas());
        Repaint();
        for (const auto& call : recorder.ThemeCalls())
            if (call.Class == "header" && call.Rect == Rect(64, 0, 128, 24)) states.push_back(call.State);
        return states;
    };
    EXPECT_EQ(headerStates(), std::vector<int>{1});
    Testing::MouseMove(grid, 90, 10);
    EXPECT_EQ(headerStates(), std::vector<int>{2});
    Testing::MouseDown(grid, 90, 10);
    EXPECT_EQ(headerStates(), std::vector<int>{3});
    Testing::MouseUp(grid, 90, 10);
    Testing::MouseMove(grid, 200, 100);
    EXPECT_EQ(headerStates(), std::vector<int>{1});
}

TEST_F(ProGridPaintTest, ASelectedRangeTakesTheSelectionColours) {
    grid->SetOptions(grid->Options().Include(goRangeSelect));
    grid->SetCells(2, 2, "in");
    Testing::MouseDown(grid, Inside(1, 1).X, Inside(1, 1).Y);
    Testing::MouseMove(grid, Inside(2, 2).X, Inside(2, 2).Y, {ssLeft});
    Testing::MouseUp(grid, Inside(2, 2).X, Inside(2, 2).Y);
    Repaint();
    for (const TPoint cell : {Point(1, 1), Point(2, 1), Point(1, 2), Point(2, 2)})
        EXPECT_EQ(Shown(Inside(cell.X, cell.Y).X + 25, Inside(cell.X, cell.Y).Y), Selected) << cell.X << cell.Y;
    EXPECT_EQ(Shown(Inside(3, 2).X, Inside(3, 2).Y), clWhite);
    EXPECT_GT(CountIn(2, 2, clBlack), 0);  // SelectionTextColor

    // With goDrawFocusSelected off the current cell shows its own colour.
    grid->SetOptions(grid->Options().Exclude(goDrawFocusSelected));
    Repaint();
    const TPoint current = Inside(grid->Col(), grid->Row());
    ASSERT_TRUE(grid->Col() == 1 || grid->Col() == 2);
    const TPoint other = Inside(3 - grid->Col(), 3 - grid->Row());
    EXPECT_EQ(Shown(current.X + 25, current.Y), clWhite);
    EXPECT_EQ(Shown(other.X + 25, other.Y), Selected);
}

TEST_F(ProGridPaintTest, TheSelectionFrameLiesOnTheRangesOuterEdgesWithItsResizer) {
    grid->SetOptions(grid->Options().Include(goRangeSelect));
    grid->SetSelectionRectangle(true);
    grid->SetSelectionResizer(true);
    grid->SetHideFocusRect(true);
    Testing::MouseDown(grid, Inside(1, 1).X, Inside(1, 1).Y);
    Testing::MouseMove(grid, Inside(2, 2).X, Inside(2, 2).Y, {ssLeft});
    Testing::MouseUp(grid, Inside(2, 2).X, Inside(2, 2).Y);
    Repaint();
    // The range spans 64..191 x 24..71: two-pixel lines inside its outer edge.
    for (const TPoint p : {Point(64, 40), Point(65, 40), Point(190, 60), Point(100, 24), Point(150, 70)})
        EXPECT_EQ(Shown(p.X, p.Y), clBlack) << p.X << "," << p.Y;
    for (const TPoint p : {Point(127, 40), Point(100, 47), Point(66, 40), Point(100, 26)})
        EXPECT_NE(Shown(p.X, p.Y), clBlack) << p.X << "," << p.Y;
    EXPECT_EQ(Shown(187, 67), clBlack);  // the resizer
    EXPECT_NE(Shown(187, 43), clBlack);
}

TEST_F(ProGridPaintTest, TheFocusRectangleNeedsTheBaseCellCurrentAndNoRowSelect) {
    grid->MergeCells(1, 1, 2, 2);
    const auto focusRects = [&] { return Starting(RecordedRepaint(), "DrawFocusRect "); };
    Input::Click(grid, Inside(2, 2).X, Inside(2, 2).Y);
    ASSERT_EQ(grid->Col(), 2);
    EXPECT_TRUE(focusRects().empty()) << "a cell of the range that is not its base is current";
    Input::Click(grid, Inside(1, 1).X, Inside(1, 1).Y);
    EXPECT_EQ(focusRects(), std::vector<AnsiString>{"DrawFocusRect 64,24,191,71"});
    grid->SetHideFocusRect(true);
    EXPECT_TRUE(focusRects().empty());
    grid->SetHideFocusRect(false);
    grid->SetOptions(grid->Options().Include(goRowSelect));
    EXPECT_TRUE(focusRects().empty());
}

TEST_F(ProGridPaintTest, BackgroundTilesRunOnAcrossAColumnEdge) {
    TBitmap tile;
    tile.SetSize(10, 4);
    for (Integer x = 0; x < 10; ++x)
        for (Integer y = 0; y < 4; ++y) tile.Canvas()->SetPixels(x, y, RGB(20 * x, 10 * y, 200));
    grid->SetCol(4);
    grid->SetRow(9);
    Repaint();
    const TColor fixedCell = Shown(20, 12);
    grid->BackGround()->SetBitmap(&tile);
    Repaint();
    // Body cells tile from the first body column and row: x - 64 across, y - 24 down.
    for (const Integer x : {70, 120, 126, 129, 131, 140}) {
        const Integer y = 30;
        EXPECT_EQ(Shown(x, y), static_cast<TColor>(RGB(20 * ((x - 64) % 10), 10 * ((y - 24) % 4), 200))) << x;
    }
    EXPECT_EQ(Shown(20, 12), fixedCell) << "bcNormal leaves the fixed cells";
}

TEST_F(ProGridPaintTest, TheSortIndicatorSitsBesideTheHeaderText) {
    grid->SetCells(1, 0, "Name");  // 4 characters of 6 pixels
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->SetColumn(1);
    const auto arrowApex = [&] {
        for (const AnsiString& line : Starting(RecordedRepaint(), "LineTo "))
            if (line.find("pen=$00808080") != AnsiString::npos && line.rfind("LineTo 99,", 0) == 0)
                return line.substr(7, line.find('-') - 7);
        return AnsiString("none");
    };
    // Left-aligned: 10 pixels right of the text (65 + 24), 8 below the top; ascending points up.
    EXPECT_EQ(arrowApex(), "99,5");
    grid->SortSettings()->SetDirection(sdDescending);
    EXPECT_EQ(arrowApex(), "99,13");
    grid->SetVAlignment(BaseGrid::vtaBottom);
    EXPECT_EQ(arrowApex(), "99,19");
}

TEST_F(ProGridPaintTest, ALinkIsUnderlinedInTheLinkColourWithoutItsPrefix) {
    grid->SetURLShow(true);
    grid->SetURLColor(clRed);
    grid->SetCells(1, 1, "http://halcyra.test");
    grid->SetCells(2, 1, "plain");
    grid->SetCol(4);
    grid->SetRow(9);
    const std::vector<AnsiString> texts = Starting(RecordedRepaint(), "DrawText 65,25");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("\"halcyra.test\""), AnsiString::npos);
    Integer longestRun = 0;
    for (Integer y = 25; y < 47; ++y) {
        Integer run = 0;
        for (Integer x = 65; x < 127; ++x) {
            run = Shown(x, y) == clRed ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    EXPECT_GT(longestRun, 30);           // the underline
    EXPECT_EQ(CountIn(2, 1, clRed), 0);  // the next cell starts from its own font
    EXPECT_GT(CountIn(2, 1, clBlack), 0);
    grid->SetURLFull(true);
    EXPECT_EQ(Starting(RecordedRepaint(), "DrawText 65,25")[0].find("\"http://halcyra.test\"") != AnsiString::npos,
              true);
}

TEST_F(ProGridPaintTest, GreekWideTextIsDrawnAsItsCharacters) {
    grid->SetCells(1, 1, ProUtil::UniStrToCellText(u"\u0391\u03bb\u03c6\u03b1"));
    grid->SetCol(4);
    grid->SetRow(9);
    const std::vector<AnsiString> texts = Starting(RecordedRepaint(), "DrawTextW 65,25,127,47");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("$00000810 \"\xCE\x91\xCE\xBB\xCF\x86\xCE\xB1\""), AnsiString::npos)
        << texts[0];  // no prefix, word break; the recorder writes UTF-8
    EXPECT_GT(CountIn(1, 1, clBlack), 10);

    TPoint size;
    grid->GetCellTextSize(1, 1, size, false);
    EXPECT_EQ(size, Point(4 * 6 + 4, 13 + 4));
}

TEST_F(ProGridPaintTest, TheFilterGlyphTakesTheRightEndOfTheFirstRow) {
    grid->FilterGlyph = true;
    grid->SetCells(1, 0, "Head");
    TCanvasRecorder recorder(grid->Canvas());
    Repaint();
    const std::vector<TRect> images = recorder.ImageDraws();
    EXPECT_NE(std::find(images.begin(), images.end(), Rect(111, 4, 127, 20)), images.end());
    EXPECT_EQ(Starting(recorder.Lines(), "DrawText 65,1,111,23").size(), 1u);
    EXPECT_TRUE(Starting(recorder.Lines(), "DrawText 65,25,111").empty()) << "only in row 0";
}

TEST_F(ProGridPaintTest, IndicatorIndentAndDropDownTakeTheirRoomBeforeTheText) {
    TBitmap indicator;
    indicator.SetSize(8, 8);
    grid->SetRowIndicator(&indicator);
    grid->SetRow(3);
    grid->Indent = 10;
    grid->ControlLook()->SetDropDownAlwaysVisible(true);
    grid->OnHasComboBox = [](TObject*, Integer ACol, Integer, bool& Has) { Has = ACol == 2; };
    for (Integer r = 1; r <= 3; ++r)
        for (Integer c = 0; c <= 2; ++c) grid->SetCells(c, r, "t");
    TCanvasRecorder recorder(grid->Canvas());
    Repaint();
    const auto textAt = [&](const char* Prefix) { return Starting(recorder.Lines(), Prefix).size(); };
    // Row 3's indicator is drawn at the left, centred, and its text starts after it and the node gap.
    const std::vector<TRect> images = recorder.ImageDraws();
    EXPECT_NE(std::find(images.begin(), images.end(), Rect(11, 80, 19, 88)), images.end());
    EXPECT_EQ(textAt("DrawText 23,73,63,95"), 1u);
    EXPECT_EQ(textAt("DrawText 15,49,63,71"), 1u);  // the indent and the node gap
    // The drop-down button keeps the rightmost 16 pixels of a combo cell.
    const auto themed = recorder.ThemeCalls();
    EXPECT_NE(std::find_if(themed.begin(), themed.end(),
                           [](const auto& C) { return C.Class == "combobox" && C.Rect == Rect(175, 25, 191, 47); }),
              themed.end());
    EXPECT_EQ(textAt("DrawText 129,25,175,47"), 1u);
    EXPECT_EQ(textAt("DrawText 65,25,127,47"), 1u);
}

TEST_F(ProGridPaintTest, AnAlwaysFixedRowIsPaintedFixedThoughTheBaseGridCountsNone) {
    grid->SetLook(glStandard);
    grid->SetFixedColor(clYellow);
    grid->SetFixedRows(0);
    grid->SetFixedRowAlways(true);
    ASSERT_EQ(grid->FixedRows(), 1);
    ASSERT_EQ(static_cast<BaseGrid::TBaseGrid*>(grid)->FixedRows(), 0);
    grid->SetCol(4);
    grid->SetRow(9);
    Repaint();
    EXPECT_EQ(Shown(90, 10), clYellow);                       // the grid's fixed row
    EXPECT_EQ(Shown(90, 23), static_cast<TColor>(0x808080));  // its state makes the base draw a fixed line
    EXPECT_EQ(Shown(90, 34), clWhite);
}

TEST_F(ProGridPaintTest, NoColourLeftAsNoneReachesADrawingCall) {
    grid->Bands()->SetActive(true);
    grid->Bands()->SetPrimaryColor(clNone);
    grid->SetSelectionColor(clNone);
    grid->SetSelectionTextColor(clNone);
    grid->SetURLShow(true);
    grid->SetURLColor(clNone);
    grid->SetCells(1, 1, "mailto:x");
    grid->OnGetCellColor = [](TObject*, Integer ARow, Integer, TGridDrawState, TBrush* B, TFont* F) {
        if (ARow == 3) {
            B->SetColor(clNone);
            F->SetColor(clNone);
        }
    };
    for (const AnsiString& line : RecordedRepaint()) EXPECT_EQ(line.find("1FFFFFFF"), AnsiString::npos) << line;
}

TEST_F(ProGridPaintTest, AFloatFormatTheEventChoosesShowsTheValueAndABadOneTheText) {
    grid->SetCells(1, 1, "3.14159");
    grid->SetCells(2, 1, "word");
    AnsiString format = "%.3f";
    grid->OnGetFloatFormat = [&](TObject*, Integer, Integer, bool&, AnsiString& F) { F = format; };
    AnsiString shownText;
    grid->GetCellFormat(1, 1, shownText);
    EXPECT_EQ(shownText, "3.142");
    grid->GetCellFormat(2, 1, shownText);
    EXPECT_EQ(shownText, "word");
    format = "%d%d";
    grid->GetCellFormat(1, 1, shownText);
    EXPECT_EQ(shownText, "3.14159");
    EXPECT_NO_THROW(Repaint());
}

TEST_F(ProGridPaintTest, TurnedTextStartsAtTheCornerItsQuadrantGives) {
    // A text box 40 x 10 turned: W and H projections into a 100 x 100 rectangle at (0, 0).
    struct Case {
        Integer Angle;
        TAlignment H;
        TVAlignment V;
        TPoint Start;
    };
    const Case cases[] = {
        {0, taLeftJustify, BaseGrid::vtaTop, Point(0, 0)},
        {90, taLeftJustify, BaseGrid::vtaTop, Point(0, 40)},
        {180, taRightJustify, BaseGrid::vtaBottom, Point(100, 100)},
        {270, taCenter, BaseGrid::vtaCenter, Point(55, 30)},
        {-90, taCenter, BaseGrid::vtaCenter, Point(55, 30)},
        {450, taLeftJustify, BaseGrid::vtaTop, Point(0, 40)},
    };
    for (const Case& c : cases) {
        const double a = c.Angle * M_PI / 180;
        const auto proj = [](double V) { return static_cast<Integer>(std::lround(std::fabs(V))); };
        TRect r = Rect(0, 0, 100, 100);
        RAdeRedeviDidi::GetTextPosition(r, c.V, proj(40 * std::sin(a)), proj(40 * std::cos(a)), proj(10 * std::sin(a)),
                                        proj(10 * std::cos(a)), c.H, c.Angle);
        EXPECT_EQ(Point(r.Left, r.Top), c.Start) << c.Angle;
    }
}

TEST_F(ProGridPaintTest, GraphicSizesFollowTheirType) {
    auto* images = new TImageList(nullptr);
    images->SetWidth(12);
    images->SetHeight(8);
    struct Case {
        TCellType Type;
        Integer Index;
        bool WithImages;
        TPoint Size;
        bool Beside;
    };
    const Case cases[] = {
        {ctCheckBox, 0, false, Point(15, 15), true},    {ctDataCheckBox, 0, false, Point(15, 15), false},
        {ctImageList, 0, true, Point(12, 8), true},     {ctImageList, 0, false, Point(0, 0), true},
        {ctDataImage, 0, true, Point(12, 8), false},    {ctButton, 30 | (20 << 16), false, Point(30, 20), true},
        {ctProgressPie, 0, false, Point(20, 20), true}, {ctRotated, 0, false, Point(0, 0), false},
    };
    for (const Case& c : cases) {
        auto* graphic = new TCellGraphic;
        graphic->CellType = c.Type;
        graphic->CellIndex = c.Index;
        graphic->CellHAlign = haAfterText;
        grid->SetGraphicObject(1, 1, graphic);
        grid->SetGridImages(c.WithImages ? images : nullptr);
        TCellHAlign h = haLeft;
        TCellVAlign v = vaTop;
        bool beside = false;
        Integer w = -1, ht = -1;
        EXPECT_EQ(grid->GetCellGraphicInfo(1, 1, h, v, beside, w, ht), graphic);
        EXPECT_EQ(Point(w, ht), c.Size) << c.Type;
        EXPECT_EQ(beside, c.Beside) << c.Type;
        EXPECT_EQ(h, haAfterText);
    }
    TCellHAlign h;
    TCellVAlign v;
    bool beside;
    Integer w, ht;
    EXPECT_EQ(grid->GetCellGraphicInfo(2, 2, h, v, beside, w, ht), nullptr);
    EXPECT_EQ(Point(w, ht), Point(0, 0));
    images->Free();
}

TEST_F(ProGridPaintTest, TextSizeCountsLinesWidestLineAndMargins) {
    grid->SetCells(1, 1, "ab\r\nabcdef\r\nx");
    grid->SetCells(2, 1, "<B>four</B>");
    TPoint size;
    grid->GetCellTextSize(1, 1, size, false);
    EXPECT_EQ(size, Point(6 * 6 + 4, 3 * 13 + 4));
    grid->GetCellTextSize(2, 1, size, false);
    EXPECT_EQ(size, Point(4 * 6 + 2 + 4, 13 + 2 + 4));
    grid->GetCellTextSize(1, 1, size, true);
    EXPECT_EQ(size.X, 64 - 8 + 4);
    EXPECT_GE(size.Y, 3 * 13 + 4);
}

TEST_F(ProGridPaintTest, TheFlatBorderIsDrawnOverTheFrameAndAgainAfterAResize) {
    const auto borderAt = [&](TWinControl* Control, Integer X, Integer Y) {
        std::unique_ptr<TBitmap> grab(Testing::GrabWindow(form));
        return ColorToRGB(grab->Canvas()->Pixels(Control->Left() + X, Control->Top() + Y));
    };
    auto* themed = Place<RAdeRedeviDidi>(330, 10, 60, 60);
    Input::Settle();
    EXPECT_EQ(borderAt(themed, 1, 30), static_cast<TColor>(0xB99D7F));
    EXPECT_EQ(borderAt(themed, 0, 30), clWhite);  // the parent's colour
    themed->SetBounds(330, 10, 60, 90);
    Input::Settle();
    EXPECT_EQ(borderAt(themed, 30, 88), static_cast<TColor>(0xB99D7F));

    SetThemesActiveForTest(false);
    auto* classic = Place<RAdeRedeviDidi>(330, 150, 60, 60);
    SetThemesActiveForTest(true);
    Input::Settle();
    EXPECT_EQ(borderAt(classic, 58, 30), static_cast<TColor>(0x808080));
    classic->SetFlat(true);
    classic->Invalidate();
    classic->SetBounds(330, 150, 60, 61);
    Input::Settle();
    EXPECT_NE(borderAt(classic, 58, 30), static_cast<TColor>(0x808080));
}

TEST_F(ProGridPaintTest, TheSizeLineShowsOnceAndASecondDrawRestores) {
    Repaint();
    std::unique_ptr<TBitmap> before(Testing::GrabWindow(form));
    grid->DrawSizeLine(100);
    std::unique_ptr<TBitmap> with(Testing::GrabWindow(form));
    grid->DrawSizeLine(100);
    std::unique_ptr<TBitmap> after(Testing::GrabWindow(form));
    Integer changed = 0;
    for (Integer y = 0; y < 240; ++y) {
        changed += with->Canvas()->Pixels(100, y) != before->Canvas()->Pixels(100, y);
        EXPECT_EQ(after->Canvas()->Pixels(100, y), before->Canvas()->Pixels(100, y)) << y;
    }
    EXPECT_GT(changed, 60);
    EXPECT_LT(changed, 240);  // dotted
    EXPECT_EQ(with->Canvas()->Pixels(101, 30), before->Canvas()->Pixels(101, 30));
}

}  // namespace
