// The grid's cell decorations drawn on a bitmap: a cell's graphic and type, borders, check boxes and radio
// groups in every control style and state, images, progress bars, comments, buttons and nodes.
#include <memory>

#include <gmock/gmock.h>

#include "DedIDIZ.h"
#include "ProGrid.h"
#include "ProGrid_Unit.h"
#include "support/CanvasRecorder.h"
#include "GridUnitFixture.h"
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

class DecorTest : public GridUnitFixture {
protected:
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

    TColor Pixel(Integer X, Integer Y) { return Rgb(bitmap->Canvas()->Pixels(X, Y)); }
    static TColor Rgb(TColor Color) { return static_cast<TColor>(ColorToRGB(Color)); }

    // How many pixels of Area show Color.
    int Count(const TRect& Area, TColor Color) {
        int n = 0;
        for (Integer y = Area.Top; y < Area.Bottom; ++y)
            for (Integer x = Area.Left; x < Area.Right; ++x) n += Pixel(x, y) == Rgb(Color);
        return n;
    }

    TFixedMetricsScope metrics;  // characters 6 wide, lines 13 high
    TDecorGrid* grid = nullptr;
    std::unique_ptr<TBitmap> bitmap;
};

// A W x H bitmap of Ink with its top-left pixel (the key colour) in Key.
std::unique_ptr<TBitmap> KeyedBitmap(Integer W, Integer H, TColor Ink, TColor Key) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetSize(W, H);
    glyph->Canvas()->Brush()->SetColor(Ink);
    glyph->Canvas()->FillRect(Rect(0, 0, W, H));
    glyph->Canvas()->SetPixels(0, 0, Key);
    return glyph;
}

AnsiString FrameCall(const TRect& R, UINT State) {
    char text[80];
    std::snprintf(text, sizeof text, "DrawFrameControl %d,%d,%d,%d %u $%.8X", R.Left, R.Top, R.Right, R.Bottom,
                  DFC_BUTTON, State);
    return text;
}

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

// ---------------------------------------------------------------------------
// Check boxes

TEST_F(DecorTest, EveryControlStyleDrawsACheckBoxInEachState) {
    const TColor zubMark = clBlack, zubOffMark = static_cast<TColor>(0xA0A0A0);
    const TColor xpMark = static_cast<TColor>(0x21A121), xpOffMark = static_cast<TColor>(0xBBC8CA);
    auto checkedGlyph = KeyedBitmap(15, 15, clRed, clLime);
    TDecorGrid* plain = PlaceGrid(false);
    for (TDecorGrid* each : {grid, plain}) each->ControlLook()->SetCheckedGlyph(checkedGlyph.get());
    const TRect box = Rect(10, 10, 40, 40);  // CheckSize 15: a centred square at 17, 17
    for (ProGrid::TControlStyle style : {csClassic, csFlat, csWinXP, csZub, csBorland, csGlyph, csTheme})
        for (bool checked : {true, false})
            for (bool enabled : {true, false})
                for (bool themed : {true, false}) {
                    SCOPED_TRACE(::testing::Message() << "style " << style << " checked " << checked << " enabled "
                                                      << enabled << " themed " << themed);
                    bitmap = WhiteBitmap(60, 60);
                    TCanvasRecorder recorder(bitmap->Canvas());
                    (themed ? grid : plain)->DrawCheck(bitmap->Canvas(), box, checked, enabled, style);
                    const UINT state = (checked ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE) |
                                       (style == csFlat ? DFCS_FLAT : 0);
                    switch (style) {
                        case csClassic:
                        case csFlat:
                            EXPECT_THAT(Calls(recorder, "DrawFrameControl"),
                                        ElementsAre(FrameCall(Rect(17, 17, 32, 32), DFCS_BUTTONCHECK | state)));
                            break;
                        case csWinXP:
                        case csZub: {
                            EXPECT_THAT(recorder.ImageDraws(), ElementsAre(Rect(10, 10, 25, 25)));
                            EXPECT_EQ(Pixel(10, 10), clWhite) << "the key colour is left out";
                            const TColor mark =
                                style == csZub ? (enabled ? zubMark : zubOffMark) : (enabled ? xpMark : xpOffMark);
                            EXPECT_EQ(Pixel(10 + 5, 10 + 8) == Rgb(mark), checked) << "the tick";
                            break;
                        }
                        case csBorland: {
                            const TRect inside = Rect(19, 19, 30, 30);
                            EXPECT_GT(Count(inside, enabled ? clBtnFace : clBtnShadow), 60) << "the face";
                            // Disabled, the grey tick would vanish on the grey face: it shows light.
                            const TColor mark = enabled ? clBlack : clBtnHighlight;
                            EXPECT_EQ(Count(inside, mark) > 6, checked) << "the tick";
                            break;
                        }
                        case csGlyph:
                            if (checked) {
                                EXPECT_THAT(recorder.ImageDraws(), ElementsAre(Rect(10, 10, 25, 25)));
                                EXPECT_EQ(Pixel(11, 11), clRed);
                                EXPECT_EQ(Pixel(10, 10), clWhite);
                            } else {
                                EXPECT_TRUE(recorder.Lines().empty()) << "no unchecked glyph: nothing";
                            }
                            break;
                        case csTheme:
                            if (themed) {
                                const int themeState = checked ? (enabled ? 5 : 8) : (enabled ? 1 : 4);
                                const std::vector<TCanvasRecorder::TThemeCall> expected{
                                    {"button", BP_CHECKBOX, themeState, Rect(10, 10, 25, 25)}};
                                EXPECT_EQ(recorder.ThemeCalls(), expected);
                            } else {
                                EXPECT_TRUE(recorder.Lines().empty()) << "no theme: no check box";
                                EXPECT_EQ(Count(box, clWhite), 900);
                            }
                            break;
                    }
                }
}

TEST_F(DecorTest, NoDisabledLookDrawsEveryBoxEnabled) {
    grid->ControlLook()->SetNoDisabledCheckRadioLook(true);
    TCanvasRecorder recorder(bitmap->Canvas());
    grid->DrawCheck(bitmap->Canvas(), Rect(0, 0, 15, 15), true, false, csClassic);
    EXPECT_THAT(Calls(recorder, "DrawFrameControl"),
                ElementsAre(FrameCall(Rect(0, 0, 15, 15), DFCS_BUTTONCHECK | DFCS_CHECKED)));
}

TEST_F(DecorTest, CheckBoxCellsTakeTheirStateFromTheirKindAndEnabledFromCanEdit) {
    grid->ControlLook()->SetControlStyle(csClassic);
    struct Case {
        const char* name;
        TCellType type;
        bool boolean;
        const char* text;
        TAlignment align;
        bool readOnly;
        bool noDisabledLook;
        Integer left;
        UINT state;
    };
    const Case cases[] = {
        {"check box, checked", ctCheckBox, true, "", taLeftJustify, false, false, 1, DFCS_CHECKED},
        {"check box, unchecked", ctCheckBox, false, "", taLeftJustify, false, false, 1, 0},
        {"data check box Y without a handler", ctDataCheckBox, false, "Y", taLeftJustify, false, false, 1,
         DFCS_CHECKED},
        {"data check box N", ctDataCheckBox, true, "N", taLeftJustify, false, false, 1, 0},
        {"virtual check box Y", ctVirtCheckBox, false, "Y", taLeftJustify, false, false, 1, DFCS_CHECKED},
        {"read-only: disabled", ctCheckBox, true, "", taLeftJustify, true, false, 1, DFCS_CHECKED | DFCS_INACTIVE},
        {"read-only without the disabled look", ctCheckBox, true, "", taLeftJustify, true, true, 1, DFCS_CHECKED},
        {"right of its text", ctCheckBox, false, "ab", taRightJustify, false, false, 100 - 1 - 15 - 14, 0},
        {"a data box at the right edge", ctDataCheckBox, false, "ab", taRightJustify, false, false, 100 - 1 - 15, 0},
        {"centred", ctDataCheckBox, false, "", taCenter, false, false, (100 - 15) / 2, 0},
        {"centred before its text", ctCheckBox, false, "ab", taCenter, false, false, (100 - 15) / 2 - 14, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetCells(1, 1, c.text);
        Attach(1, 1, c.type)->CellBoolean = c.boolean;
        grid->GetCellProperties(1, 1)->SetReadOnly(c.readOnly);
        grid->ControlLook()->SetNoDisabledCheckRadioLook(c.noDisabledLook);
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(1, 1, Rect(0, 0, 100, 20), 15, 15, c.align);
        EXPECT_THAT(Calls(recorder, "DrawFrameControl"),
                    ElementsAre(FrameCall(Rect(c.left, 1, c.left + 15, 16), DFCS_BUTTONCHECK | c.state)));
    }
    grid->SetCells(1, 1, "yes");
    grid->OnGetCheckTrue = [](TObject*, Integer, Integer, AnsiString& Value) { Value = "yes"; };
    Attach(1, 1, ctDataCheckBox);
    TCanvasRecorder recorder(bitmap->Canvas());
    Draw(1, 1, Rect(0, 0, 100, 20), 15, 15);
    EXPECT_THAT(Calls(recorder, "DrawFrameControl"),
                ElementsAre(FrameCall(Rect(1, 1, 16, 16), DFCS_BUTTONCHECK | DFCS_CHECKED)));
}

// ---------------------------------------------------------------------------
// Radio groups

TEST_F(DecorTest, ARadioGroupSelectsByIndexOrByTextStackedOrSideBySide) {
    grid->ControlLook()->SetControlStyle(csClassic);
    struct Case {
        const char* name;
        Integer index;
        const char* text;
        bool horizontal;
        std::vector<TPoint> buttons;
        Integer selected;
    };
    // Lines 13 high from 2 inside; the 10-pixel buttons centred on them; each text 2 after its button.
    const Case cases[] = {
        {"by text, stacked", -1, "two", false, {Point(2, 3), Point(2, 16), Point(2, 29)}, 1},
        {"by index, whatever the text", 2, "two", false, {Point(2, 3), Point(2, 16), Point(2, 29)}, 2},
        {"no entry has the text", -1, "four", false, {Point(2, 3), Point(2, 16), Point(2, 29)}, -1},
        {"side by side", -1, "one", true, {Point(2, 3), Point(36, 3), Point(70, 3)}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetCells(2, 1, c.text);
        TCellGraphic* radio = Attach(2, 1, ctRadio);
        auto* texts = new TStringList;
        texts->SetCommaText("one,two,three");
        radio->CellBitmap = texts;
        radio->CellCreated = true;
        radio->CellIndex = c.index;
        radio->CellBoolean = c.horizontal;
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(2, 1, Rect(0, 0, 120, 60));
        std::vector<AnsiString> expected;
        for (std::size_t i = 0; i < c.buttons.size(); ++i) {
            const TPoint at = c.buttons[i];
            expected.push_back(
                FrameCall(Rect(at.X, at.Y, at.X + 10, at.Y + 10),
                          DFCS_BUTTONRADIO | (static_cast<Integer>(i) == c.selected ? DFCS_CHECKED : 0)));
        }
        EXPECT_EQ(Calls(recorder, "DrawFrameControl"), expected);
        const std::vector<TCanvasRecorder::TTextCall> texts_ = recorder.TextCalls();
        ASSERT_EQ(texts_.size(), 3u);
        EXPECT_EQ(texts_[1].Text, "two");
        EXPECT_EQ(texts_[1].At, Point(c.buttons[1].X + 12, c.buttons[1].Y - 1));
    }
}

TEST_F(DecorTest, RadioButtonsWithoutTextsAreCentredAndEachStyleDrawsItsButton) {
    grid->ControlLook()->SetControlStyle(csClassic);
    {
        TCanvasRecorder recorder(bitmap->Canvas());
        grid->DrawRadioGroup(bitmap->Canvas(), Rect(0, 0, 100, 40), 2, nullptr, 0, false, false);
        EXPECT_THAT(Calls(recorder, "DrawFrameControl"),
                    ElementsAre(FrameCall(Rect(45, 3, 55, 13), DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_INACTIVE),
                                FrameCall(Rect(45, 16, 55, 26), DFCS_BUTTONRADIO | DFCS_INACTIVE)));
    }
    TStringList texts;
    texts.SetCommaText("a,b");
    for (ProGrid::TControlStyle style : {csWinXP, csZub}) {
        SCOPED_TRACE(style);
        grid->ControlLook()->SetControlStyle(style);
        bitmap = WhiteBitmap(100, 40);
        TCanvasRecorder recorder(bitmap->Canvas());
        grid->DrawRadioGroup(bitmap->Canvas(), Rect(0, 0, 100, 40), 2, &texts, 1, true, false);
        // 13-pixel glyphs on 13-pixel lines.
        EXPECT_THAT(recorder.ImageDraws(), ElementsAre(Rect(2, 2, 15, 15), Rect(2, 15, 15, 28)));
        EXPECT_EQ(Pixel(2 + 6, 2 + 6) == Pixel(2 + 6, 15 + 6), false) << "only the second is selected";
    }
    grid->ControlLook()->SetControlStyle(csTheme);
    TCanvasRecorder recorder(bitmap->Canvas());
    grid->DrawRadioGroup(bitmap->Canvas(), Rect(0, 0, 100, 40), 2, &texts, 0, false, true);
    const std::vector<TCanvasRecorder::TThemeCall> expected{{"button", BP_RADIOBUTTON, 8, Rect(2, 3, 12, 13)},
                                                            {"button", BP_RADIOBUTTON, 4, Rect(24, 3, 34, 13)}};
    EXPECT_EQ(recorder.ThemeCalls(), expected);
}

// ---------------------------------------------------------------------------
// Images

TEST_F(DecorTest, ImagesDrawOnlyForIndicesTheGridsImageListHas) {
    auto* images = new TImageList(form);
    images->SetWidth(8);
    images->SetHeight(8);
    auto strip = KeyedBitmap(16, 8, clRed, clRed);
    images->Add(strip.get(), nullptr);
    ASSERT_EQ(images->Count(), 2);
    struct Case {
        const char* name;
        TCellType type;
        const char* text;
        Integer index;
        bool withList;
        std::vector<TRect> draws;
    };
    const Case cases[] = {
        {"image list, no list set", ctImageList, "", 0, false, {}},
        {"image 1", ctImageList, "", 1, true, {Rect(1, 1, 9, 9)}},
        {"image 2 of 2", ctImageList, "", 2, true, {}},
        {"image -1", ctImageList, "", -1, true, {}},
        {"data image 1", ctDataImage, "1", 0, true, {Rect(1, 1, 9, 9)}},
        {"data image -1 + 1", ctDataImage, "-1", 1, true, {Rect(1, 1, 9, 9)}},
        {"data image 1 + 1", ctDataImage, "1", 1, true, {}},
        {"data image of a text", ctDataImage, "abc", 0, true, {}},
        {"data image, no list set", ctDataImage, "1", 0, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetGridImages(c.withList ? images : nullptr);
        grid->SetCells(1, 1, c.text);
        Attach(1, 1, c.type)->CellIndex = c.index;
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(1, 1, Rect(0, 0, 64, 20), 8, 8);
        EXPECT_EQ(recorder.ImageDraws(), c.draws);
    }
    grid->SetGridImages(images);
    for (bool horizontal : {true, false}) {
        TCellGraphic* list = Attach(1, 1, ctImages);
        auto* indices = new ProObj::TIntList(0, 0);
        indices->Add(1);
        indices->Add(0);
        indices->Add(7);
        list->CellBitmap = indices;
        list->CellBoolean = horizontal;
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(1, 1, Rect(0, 0, 64, 40), horizontal ? 24 : 8, horizontal ? 8 : 24);
        if (horizontal) EXPECT_THAT(recorder.ImageDraws(), ElementsAre(Rect(1, 1, 9, 9), Rect(9, 1, 17, 9)));
        else EXPECT_THAT(recorder.ImageDraws(), ElementsAre(Rect(1, 1, 9, 9), Rect(1, 9, 9, 17)));
    }
}

TEST_F(DecorTest, ATransparentBitmapTakesTheSelectedCellsColourWhereItsKeyIs) {
    auto picture = KeyedBitmap(10, 10, clLime, clLime);
    picture->Canvas()->Brush()->SetColor(clRed);
    picture->Canvas()->FillRect(Rect(3, 3, 7, 7));
    for (bool transparent : {true, false}) {
        SCOPED_TRACE(transparent);
        bitmap = WhiteBitmap(60, 30);
        TCellGraphic* graphic = Attach(1, 1, ctBitmap);
        graphic->CellBitmap = picture.get();
        graphic->CellTransparent = transparent;
        graphic->CellHAlign = haRight;
        bitmap->Canvas()->Brush()->SetColor(grid->SelectionColor());
        Draw(1, 1, Rect(0, 0, 60, 30), 10, 10);
        // Right-aligned: columns 49 .. 58, rows 1 .. 10.
        EXPECT_EQ(Pixel(49, 1), transparent ? Rgb(grid->SelectionColor()) : Rgb(clLime));
        EXPECT_EQ(Pixel(53, 5), clRed);
        EXPECT_EQ(Pixel(48, 5), clWhite);
    }
}

// ---------------------------------------------------------------------------
// Progress bars, comments, buttons, rotated text

TEST_F(DecorTest, AProgressBarFillsItsShareThemedOrClassicAndClipsToTheBar) {
    TDecorGrid* plain = PlaceGrid(false);
    struct Case {
        const char* name;
        bool themedGrid;
        bool progressXP;
        const char* text;
        std::vector<TCanvasRecorder::TThemeCall> themeCalls;
        std::vector<AnsiString> fills;
        const char* shown;
    };
    const TRect bar = Rect(2, 2, 102, 18), inner = Rect(4, 4, 100, 16);
    const auto chunk = [&](Integer Width) {
        return TCanvasRecorder::TThemeCall{"Progress", PP_CHUNK, 1, Rect(4, 4, 4 + Width, 16)};
    };
    const TCanvasRecorder::TThemeCall barCall{"Progress", PP_BAR, 1, bar};
    const Case cases[] = {
        {"themed, half", true, true, "50", {barCall, chunk(48)}, {}, nullptr},
        {"themed, a text counts 0", true, true, "abc", {barCall}, {}, nullptr},
        {"themed, 250 stays in the bar", true, true, "250", {barCall, chunk(inner.Width())}, {}, nullptr},
        {"classic, half", true, false, "50", {}, {"FillRect 2,2,52,18 brush=$000000FF"}, "50%"},
        {"classic, a text counts 0", true, false, "abc", {}, {}, "0%"},
        {"classic, 250 stays in the bar", true, false, "250", {}, {"FillRect 2,2,102,18 brush=$000000FF"}, "250%"},
        {"no theme: classic", false, true, "50", {}, {"FillRect 2,2,52,18 brush=$000000FF"}, "50%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDecorGrid* target = c.themedGrid ? grid : plain;
        target->ControlLook()->SetProgressXP(c.progressXP);
        target->SetCells(1, 1, c.text);
        auto* progress = new TCellGraphic;
        progress->CellType = ctProgress;
        progress->CellIndex = clRed;
        target->SetGraphicObject(1, 1, progress);
        TCanvasRecorder recorder(bitmap->Canvas());
        target->DrawCellGraphic(bitmap->Canvas(), 1, 1, progress, Rect(0, 0, 104, 20), 0, 0, taLeftJustify,
                                BaseGrid::vtaTop);
        EXPECT_EQ(recorder.ThemeCalls(), c.themeCalls);
        EXPECT_EQ(Calls(recorder, "FillRect"), c.fills);
        const auto texts = recorder.TextCalls();
        if (c.shown) {
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(texts[0].Text, c.shown);
        } else {
            EXPECT_TRUE(texts.empty());
        }
    }
}

TEST_F(DecorTest, ACommentCellShowsATriangleInTheCommentColourAtItsTopRight) {
    Attach(1, 1, ctComment)->CellText = "a note";
    {
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(1, 1, Rect(0, 0, 64, 20));
        EXPECT_THAT(Calls(recorder, "Polygon"), ElementsAre("Polygon 57,0 63,0 63,6 pen=$000000FF brush=$000000FF"));
    }
    EXPECT_EQ(Pixel(62, 1), clRed);
    EXPECT_EQ(Pixel(58, 4), clWhite);
    grid->SetCommentColor(clNone);
    TCanvasRecorder recorder(bitmap->Canvas());
    Draw(1, 1, Rect(0, 0, 64, 20));
    EXPECT_TRUE(recorder.Lines().empty());
}

TEST_F(DecorTest, AButtonIsPlacedByItsPackedSizeAndDrawsPressedAndFlat) {
    TDecorGrid* plain = PlaceGrid(false);
    struct Case {
        const char* name;
        bool themed;
        bool pressed;
        bool flat;
        UINT frameState;
        int themeState;
        TPoint caption;
    };
    const Case cases[] = {
        {"classic", false, false, false, DFCS_BUTTONPUSH, 0, Point(61, 3)},
        {"classic pressed", false, true, false, DFCS_BUTTONPUSH | DFCS_PUSHED, 0, Point(62, 4)},
        {"classic flat", false, false, true, DFCS_BUTTONPUSH | DFCS_FLAT, 0, Point(61, 3)},
        {"themed", true, false, false, 0, PBS_NORMAL, Point(61, 3)},
        {"themed pressed", true, true, false, 0, PBS_PRESSED, Point(62, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDecorGrid* target = c.themed ? grid : plain;
        target->ControlLook()->SetFlatButton(c.flat);
        auto* button = new TCellGraphic;
        button->CellType = ctButton;
        button->CellIndex = 40 | (16 << 16);
        button->CellHAlign = haRight;
        button->CellBoolean = c.pressed;
        button->CellText = "Go";
        target->SetGraphicObject(1, 1, button);
        TCanvasRecorder recorder(bitmap->Canvas());
        target->DrawCellGraphic(bitmap->Canvas(), 1, 1, button, Rect(0, 0, 100, 20), 40, 16, taLeftJustify,
                                BaseGrid::vtaTop);
        const TRect at = Rect(59, 1, 99, 17);
        if (c.themed) {
            const std::vector<TCanvasRecorder::TThemeCall> expected{{"button", BP_PUSHBUTTON, c.themeState, at}};
            EXPECT_EQ(recorder.ThemeCalls(), expected);
        } else {
            EXPECT_THAT(Calls(recorder, "DrawFrameControl"), ElementsAre(FrameCall(at, c.frameState)));
        }
        EXPECT_EQ(button->CellValue, 59 + 1 * 65536) << "the offset mouse handling finds it by";
        const auto texts = recorder.TextCalls();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].Text, "Go");
        EXPECT_EQ(texts[0].At, c.caption);
    }
}

TEST_F(DecorTest, ABitButtonsGlyphSitsLeftOfItsCaption) {
    auto glyph = KeyedBitmap(8, 8, clBlue, clWhite);
    TCellGraphic* button = Attach(1, 1, ctBitButton);
    button->CellIndex = 40 | (16 << 16);
    button->CellBitmap = glyph.get();
    button->CellText = "Go";
    TCanvasRecorder recorder(bitmap->Canvas());
    Draw(1, 1, Rect(0, 0, 100, 20), 40, 16);
    // Face 3 .. 39 x 3 .. 15: the glyph centred on it at the left, the caption after it plus 2.
    EXPECT_THAT(recorder.ImageDraws(), ElementsAre(Rect(3, 5, 11, 13)));
    const auto texts = recorder.TextCalls();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].At, Point(13, 3));
}

TEST_F(DecorTest, RotatedTextStartsWhereItsTurnedBoxIsAligned) {
    struct Case {
        Integer angle;
        TAlignment align;
        TPoint start;
    };
    // "abc": 18 x 13; the rectangle less 2 on each side is 2 .. 98 x 2 .. 58.
    const Case cases[] = {
        {90, taLeftJustify, Point(2, 2 + 18)},
        {0, taLeftJustify, Point(2, 2)},
        {90, taRightJustify, Point(98 - 13, 2 + 18)},
        {180, taLeftJustify, Point(2 + 18, 2 + 13)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        grid->SetCells(1, 1, "abc");
        Attach(1, 1, ctRotated)->CellAngle = c.angle;
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(1, 1, Rect(0, 0, 100, 60), 0, 0, c.align);
        const auto texts = recorder.TextCalls();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].Text, "abc");
        EXPECT_EQ(texts[0].At, c.start);
        EXPECT_EQ(texts[0].Escapement, c.angle * 10);
    }
}

// ---------------------------------------------------------------------------
// Nodes

TEST_F(DecorTest, EachNodeKindDrawsItsGlyphAndAnExpandedNodeItsTreeLine) {
    grid->Indent = 12;  // level 1 with the default node indent: the node starts at 0
    const TRect cell = Rect(0, 0, 64, 22);
    const TRect box = Rect(4, 6, 13, 15);
    const AnsiString treeLine = "LineTo 8,15-8,22 pen=$00C0C0C0";
    struct Case {
        const char* name;
        TNodeType type;
        bool collapsed;
        Integer row;
        std::vector<TRect> images;
        std::vector<AnsiString> lines;
    };
    const Case cases[] = {
        {"XP expanded", cnXP, false, 3, {Rect(4, 6, 13, 15)}, {treeLine}},
        {"XP collapsed", cnXP, true, 3, {Rect(4, 6, 13, 15)}, {}},
        {"XP expanded in a fixed row", cnXP, false, 0, {Rect(4, 6, 13, 15)}, {}},
        {"leaf expanded", cnLeaf, false, 3, {Rect(0, 2, 16, 18)}, {treeLine}},
        {"leaf collapsed", cnLeaf, true, 3, {Rect(0, 2, 16, 18)}, {}},
        {"flat collapsed", cnFlat, true, 3, {}, {"LineTo 6,10-11,10 pen=$00000000", "LineTo 8,8-8,13 pen=$00000000"}},
        {"flat expanded", cnFlat, false, 3, {}, {treeLine, "LineTo 6,10-11,10 pen=$00000000"}},
        {"glyph without glyphs", cnGlyph, false, 3, {}, {treeLine}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->CellNode()->SetNodeType(c.type);
        Attach(0, c.row, ctNode)->CellBoolean = c.collapsed;
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(0, c.row, cell);
        EXPECT_EQ(recorder.ImageDraws(), c.images);
        EXPECT_EQ(Calls(recorder, "LineTo"), c.lines);
        if (c.type == cnFlat) {
            EXPECT_THAT(Calls(recorder, "Rectangle"), ElementsAre("Rectangle 4,6,13,15 pen=$00C0C0C0 brush=$00FFFFFF"));
        }
    }
    // The XP glyphs differ by the plus sign's vertical bar.
    grid->CellNode()->SetNodeType(cnXP);
    for (bool collapsed : {false, true}) {
        bitmap = WhiteBitmap(64, 22);
        Attach(0, 3, ctNode)->CellBoolean = collapsed;
        Draw(0, 3, cell);
        EXPECT_EQ(Pixel(box.Left + 4, box.Top + 2), collapsed ? clBlack : clWhite) << collapsed;
    }
}

TEST_F(DecorTest, A3DNodeIsAnEdgeAndAGlyphNodeShowsItsGlyphs) {
    grid->Indent = 24;  // level 2: the node starts one indent in
    grid->CellNode()->SetNodeType(cn3D);
    for (bool collapsed : {false, true}) {
        Attach(0, 3, ctNode)->CellBoolean = collapsed;
        TCanvasRecorder recorder(bitmap->Canvas());
        Draw(0, 3, Rect(0, 0, 64, 22));
        char edge[80];
        std::snprintf(edge, sizeof edge, "DrawEdge 16,6,25,15 $%.8X $%.8X", collapsed ? EDGE_RAISED : EDGE_SUNKEN,
                      BF_RECT | BF_SOFT);
        EXPECT_THAT(Calls(recorder, "DrawEdge"), ElementsAre(edge));
    }
    auto expand = KeyedBitmap(6, 6, clBlue, clWhite);
    auto contract = KeyedBitmap(6, 6, clRed, clWhite);
    grid->CellNode()->SetNodeType(cnGlyph);
    grid->CellNode()->SetExpandGlyph(expand.get());
    grid->CellNode()->SetContractGlyph(contract.get());
    for (bool collapsed : {false, true}) {
        bitmap = WhiteBitmap(64, 22);
        Attach(0, 3, ctNode)->CellBoolean = collapsed;
        Draw(0, 3, Rect(0, 0, 64, 22));
        EXPECT_EQ(Pixel(18, 10), Rgb(collapsed ? clRed : clBlue));
    }
}

}  // namespace
