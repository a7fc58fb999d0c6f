// The grid's button edits as a user meets them: the button's place and looks, its click and F4, the editor
// switch, the minimum height, and the unit edit's menu and unit text on the screen.
#include <cstdlib>
#include <vector>

#include "GRDEdit.h"
#include "GridUnitFixture.h"
#include "ProEdBtn.h"
#include "ProGrid.h"
#include "support/ComposedPixels.h"
#include "support/InputSimulator.h"
#include "vcl/Clipbrd.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

using namespace GRDEdit;

namespace {

class GRDEditTest : public GridUnitFixture {
protected:
    void TearDown() override {
        SetPopupMenuChooser(nullptr);
        GridUnitFixture::TearDown();
    }

    template <typename T = TGrdEditBtn>
    T* ButtonEdit(Integer Top = 10) {
        auto* edit = Place<T>(10, Top, 150, 24);
        edit->SetAutoSize(false);
        edit->SetHeight(24);
        if (!next) next = Place<TEdit>(200, 10, 150, 24);
        Input::Settle();
        return edit;
    }

    static TRect FormatRect(TCustomEdit* Edit) {
        TRect r{};
        Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    // Picks the item with Caption from the next pop-up menu and keeps every caption it offered.
    void ChooseFromMenu(const AnsiString& Caption) {
        offered.clear();
        SetPopupMenuChooser([this, Caption](TPopupMenu* Menu) -> TMenuItem* {
            TMenuItem* pick = nullptr;
            for (Integer i = 0; i < Menu->Items()->Count(); ++i) {
                offered.push_back(Menu->Items()->Items(i)->Caption());
                if (Menu->Items()->Items(i)->Caption() == Caption) pick = Menu->Items()->Items(i);
            }
            return pick;
        });
    }

    // Where Area of Control (in its client coordinates) shows Colour on the screen.
    std::vector<TPoint> PixelsOf(TControl* Control, const TRect& Area, TColor Colour) {
        const std::vector<COLORREF> image = ComposedPixels(form, Control, Area);
        std::vector<TPoint> found;
        for (std::size_t i = 0; i < image.size(); ++i)
            if (image[i] == ColorToRGB(Colour))
                found.push_back(Point(Area.Left + static_cast<Integer>(i) % Area.Width(),
                                      Area.Top + static_cast<Integer>(i) / Area.Width()));
        return found;
    }

    static TPoint TopLeftOf(const std::vector<TPoint>& Points) {
        TPoint p{1 << 20, 1 << 20};
        for (const TPoint& q : Points) p = Point(std::min(p.X, q.X), std::min(p.Y, q.Y));
        return p;
    }

    TEdit* next = nullptr;
    std::vector<AnsiString> offered;
};

TEST_F(GRDEditTest, TheButtonSitsAtTheRightEdgeAndTheTextStopsShortOfIt) {
    struct Case {
        const char* what;
        bool ctl3D;
        TBorderStyle border;
        bool unit;
        TRect button;  // in the edit's client coordinates
        TRect format;
    };
    // 150 x 24: a sunken border leaves 146 x 20, a classic line 148 x 22.
    const std::vector<Case> cases{
        {"sunken border", true, bsSingle, false, Rect(127, 0, 145, 19), Rect(1, 1, 146 - 21, 21)},
        {"no border", true, bsNone, false, Rect(131, 0, 149, 23), Rect(2, 2, 150 - 21, 25)},
        {"classic", false, bsSingle, false, Rect(132, 1, 150, 22), Rect(1, 1, 148 - 21, 23)},
        {"unit room", true, bsSingle, true, Rect(127, 0, 145, 19), Rect(1, 1, 146 - 21 - 20, 21)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGrdEditBtn* edit = c.unit ? ButtonEdit<TGrdUnitEditBtn>() : ButtonEdit();
        edit->SetCtl3D(c.ctl3D);
        edit->SetBorderStyle(c.border);
        edit->SetWidth(151);
        edit->SetWidth(150);
        Input::Settle();
        EXPECT_EQ(edit->EditButton()->BoundsRect(), c.button);
        EXPECT_EQ(edit->EditButton()->Button()->BoundsRect(), Rect(0, 0, c.button.Width(), c.button.Height()));
        EXPECT_EQ(FormatRect(edit), c.format);
        edit->Free();
    }
}

TEST_F(GRDEditTest, ANewEditHoldsZeroAndAUnitEditAlignsRight) {
    TGrdEditBtn* plain = ButtonEdit();
    auto* unit = ButtonEdit<TGrdUnitEditBtn>(50);
    EXPECT_EQ(plain->Text(), "0");
    EXPECT_EQ(Testing::PeerText(plain), "0");
    EXPECT_FALSE(plain->RightAlign());
    EXPECT_TRUE(unit->RightAlign());
    EXPECT_EQ(unit->UnitSpace(), 20);
    EXPECT_TRUE(GetWindowLong(unit->Handle(), GWL_STYLE) & ES_RIGHT);
    EXPECT_FALSE(GetWindowLong(plain->Handle(), GWL_STYLE) & ES_RIGHT);
}

TEST_F(GRDEditTest, TheButtonAndF4FireOnClickBtnAfterTheKeyHandler) {
    TGrdEditBtn* edit = ButtonEdit();
    int clicks = 0;
    edit->OnClickBtn = Counter(clicks);
    bool swallowF4 = false;
    edit->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        if (swallowF4 && Key == VK_F4) Key = 0;
    };
    Input::TabTo(next);
    Input::Click(edit->EditButton()->Button());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(edit->Focused());  // the press brought the focus
    Input::Key(edit, VK_F4);
    EXPECT_EQ(clicks, 2);
    swallowF4 = true;
    Input::Key(edit, VK_F4);
    EXPECT_EQ(clicks, 2);
    Input::Click(edit->EditButton()->Button(), 4, 4, mbRight);
    EXPECT_EQ(clicks, 2);
}

TEST_F(GRDEditTest, WithTheEditorOffTypingAndPasteDoNothingButTheButtonWorks) {
    TGrdEditBtn* edit = ButtonEdit();
    int clicks = 0;
    edit->OnClickBtn = Counter(clicks);
    edit->SetEditorEnabled(false);
    Input::TabTo(edit);
    Input::Key(edit, VK_END);
    Input::Type(edit, "12");
    Clipboard()->SetAsText("pasted");
    Input::Key(edit, 'V', TShiftState{ssCtrl});
    Input::Key(edit, 'X', TShiftState{ssCtrl});
    EXPECT_EQ(edit->Text(), "0");
    Input::Click(edit->EditButton()->Button());
    EXPECT_EQ(clicks, 1);
    edit->SetEditorEnabled(true);
    Input::Key(edit, VK_END);
    Input::Type(edit, "12");
    EXPECT_EQ(edit->Text(), "012");
    edit->SetReadOnly(true);
    Input::Key(edit, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(edit->Text(), "012");
}

TEST_F(GRDEditTest, EnteringByKeySelectsAllButAClickLeavesTheCaretToTheClick) {
    TGrdEditBtn* edit = ButtonEdit();
    edit->SetText("12345");
    Input::TabTo(edit);
    EXPECT_EQ(edit->SelLength(), 5);
    Input::TabTo(next);
    Input::Click(edit, 3, 8);
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(GRDEditTest, TheEditNeverGetsLowerThanItsMinimumHeight) {
    TGrdEditBtn* edit = ButtonEdit();
    edit->SetHeight(6);
    const Integer minimum = edit->Height();
    EXPECT_GT(minimum, 6);
    edit->SetHeight(minimum - 1);
    EXPECT_EQ(edit->Height(), minimum);
    edit->SetHeight(minimum + 10);
    EXPECT_EQ(edit->Height(), minimum + 10);
    EXPECT_EQ(edit->EditButton()->Height(), minimum + 10 - 5);
}

// Every font as high as its own height says: the system font's 16, an edit's what it is set to.
class TFontHeightMetrics : public TFixedFontMetrics {
public:
    TFontHeightMetrics() : TFixedFontMetrics(6, 13, 10) {}
    TFontMetricsInfo Metrics(const TFontDesc& Font) override {
        TFontMetricsInfo metrics = TFixedFontMetrics::Metrics(Font);
        metrics.Height = std::abs(Font.Height);
        return metrics;
    }
};

TEST_F(GRDEditTest, BothButtonEditsKeepAQuarterOfTheSmallerOfTheirAndTheSystemFontsHeight) {
    TFontHeightMetrics metrics;
    SetFontMetricsProvider(&metrics);
    const TScopeExit restore([] { SetFontMetricsProvider(nullptr); });
    struct Case {
        Integer fontHeight, minimum;
    };
    for (const Case& c : std::vector<Case>{{8, 8 + 8 / 4}, {40, 40 + 16 / 4}}) {
        for (const bool grid : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.fontHeight << (grid ? " grid's" : " typed"));
            TCustomEdit* edit = grid ? static_cast<TCustomEdit*>(ButtonEdit())
                                     : static_cast<TCustomEdit*>(ButtonEdit<ProEdBtn::TProEditBtn>());
            edit->Font()->SetHeight(-c.fontHeight);
            edit->SetHeight(6);
            EXPECT_EQ(edit->Height(), c.minimum);
            edit->Free();
        }
    }
}

TEST_F(GRDEditTest, TheUnitMenuOffersTheUnitsAndThePickShowsAtTheRight) {
    auto* edit = ButtonEdit<TGrdUnitEditBtn>();
    edit->Units()->Add("kg");
    edit->Units()->Add("g");
    edit->SetText("12");
    const Integer right = edit->ClientWidth() - edit->ButtonWidth() - 3;
    const TRect unitArea = Rect(right - edit->UnitSpace(), 0, right, edit->ClientHeight());
    EXPECT_TRUE(PixelsOf(edit, unitArea, clWindowText).empty());

    ChooseFromMenu("g");
    Input::Click(edit->EditButton()->Button());
    Input::Settle();
    EXPECT_EQ(offered, (std::vector<AnsiString>{"kg", "g"}));
    EXPECT_EQ(edit->UnitID(), "g");
    EXPECT_EQ(edit->Text(), "12");
    const std::vector<TPoint> unit = PixelsOf(edit, unitArea, clWindowText);
    ASSERT_FALSE(unit.empty());
    EXPECT_LE(TopLeftOf(unit).X, unitArea.Left + 3);
    EXPECT_GE(TopLeftOf(unit).Y, 2);

    // Dismissed: the unit stays; and only the menu's own ids name a unit.
    ChooseFromMenu("none");
    Input::Click(edit->EditButton()->Button());
    Input::Settle();
    EXPECT_EQ(edit->UnitID(), "g");
    for (WPARAM id : {WPARAM{0}, WPARAM{3}, WPARAM{0xFFFF}, MAKEWPARAM(1, 1)}) {
        SCOPED_TRACE(id);
        edit->Perform(WM_COMMAND, id, 0);
        EXPECT_EQ(edit->UnitID(), "g");
    }
    edit->Perform(WM_COMMAND, 1, 0);
    EXPECT_EQ(edit->UnitID(), "kg");
}

TEST_F(GRDEditTest, TheUnitEditsButtonPopsTheMenuInsteadOfOnClickBtn) {
    auto* edit = ButtonEdit<TGrdUnitEditBtn>();
    int clicks = 0;
    edit->OnClickBtn = Counter(clicks);
    edit->Units()->Add("m");
    ChooseFromMenu("m");
    Input::TabTo(edit);
    Input::Key(edit, VK_F4);
    Input::Settle();
    EXPECT_EQ(edit->UnitID(), "m");
    EXPECT_EQ(clicks, 0);
}

// A red 5 x 5 glyph on an 18 x 19 button sits at (6, 7), one pixel further right and down while held.
TEST_F(GRDEditTest, TheSpeedButtonsThreeLooksCentreTheGlyphAndShiftItWhilePressed) {
    TBitmap glyph;
    glyph.SetSize(5, 5);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 0, 5, 5));
    glyph.Canvas()->SetPixels(0, 4, clFuchsia);  // the transparent colour
    struct Case {
        const char* what;
        bool xp, flat;
        TColor corner;  // the bottom-right pixel: classic's dark outer edge, flat's shadow
    };
    const std::vector<Case> cases{
        {"classic", false, false, cl3DDkShadow},
        {"flat", false, true, clBtnShadow},
        {"themed", true, false, clNone},
    };
    std::vector<std::vector<COLORREF>> faces;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGrdEditBtn* edit = ButtonEdit();
        edit->SetGlyph(&glyph);
        edit->SetIsWinXP(c.xp);
        edit->EditButton()->SetFlat(c.flat);
        TProSpeedButton* button = edit->EditButton()->Button();
        const TRect area = Rect(0, 0, button->Width(), button->Height());
        ASSERT_EQ(area, Rect(0, 0, 18, 19));
        const std::vector<TPoint> up = PixelsOf(button, area, clRed);
        ASSERT_EQ(up.size(), 24u);
        EXPECT_EQ(TopLeftOf(up), Point(6, 7));
        if (c.corner != clNone) {
            EXPECT_EQ(PixelsOf(button, Rect(17, 18, 18, 19), c.corner).size(), 1u);
        }
        faces.push_back(ComposedPixels(form, button, area));
        Testing::MouseDown(button, 9, 9);
        const std::vector<TPoint> down = PixelsOf(button, area, clRed);
        EXPECT_EQ(TopLeftOf(down), Point(7, 8));
        if (c.xp) {
            EXPECT_NE(ComposedPixels(form, button, area), faces.back());
        }
        Testing::MouseUp(button, 9, 9);
        edit->Free();
    }
    EXPECT_NE(faces[0], faces[2]);
    EXPECT_NE(faces[1], faces[2]);
}

TEST_F(GRDEditTest, TheSpeedButtonIsHotWhileTheMouseIsOverIt) {
    TGrdEditBtn* edit = ButtonEdit();
    edit->SetIsWinXP(true);
    TProSpeedButton* button = edit->EditButton()->Button();
    const TRect area = Rect(0, 0, button->Width(), button->Height());
    const std::vector<COLORREF> cold = ComposedPixels(form, button, area);
    EXPECT_FALSE(button->Hot());
    Testing::MouseMove(button, 5, 5);
    EXPECT_TRUE(button->Hot());
    EXPECT_NE(ComposedPixels(form, button, area), cold);
    Testing::MouseMove(edit, 5, 5);
    EXPECT_FALSE(button->Hot());
    EXPECT_EQ(ComposedPixels(form, button, area), cold);
}

TEST_F(GRDEditTest, TheButtonCaptionShiftsOnePixelRightAndDownWhilePressed) {
    TGrdEditBtn* edit = ButtonEdit();
    edit->SetButtonCaption(".");
    edit->Font()->SetColor(clRed);
    edit->EditButton()->Button()->Font()->SetColor(clRed);
    TProSpeedButton* button = edit->EditButton()->Button();
    const TRect area = Rect(0, 0, button->Width(), button->Height());
    const std::vector<TPoint> up = PixelsOf(button, area, clRed);
    ASSERT_FALSE(up.empty());
    Testing::MouseDown(button, 9, 9);
    const std::vector<TPoint> down = PixelsOf(button, area, clRed);
    Testing::MouseUp(button, 9, 9);
    ASSERT_EQ(down.size(), up.size());
    EXPECT_EQ(TopLeftOf(down), Point(TopLeftOf(up).X + 1, TopLeftOf(up).Y + 1));
}

// The grid's editor that calls it comes later; the entry is driven directly here.
TEST_F(GRDEditTest, EllipsClickHandsTheApplicationTheCurrentCellAndTakesItsText) {
    auto* grid = Place<ProGrid::RAdeRedeviDidi>(0, 60, 300, 200);
    grid->SetColCount(5);
    grid->SetRowCount(6);
    grid->SetCol(3);
    grid->SetRow(4);
    AnsiString result = "unchanged";
    grid->EllipsClick("abc", result);
    EXPECT_EQ(result, "abc");
    Integer col = -1, row = -1;
    grid->OnEllipsClick = [&](TObject* Sender, Integer ACol, Integer ARow, AnsiString& S) {
        EXPECT_EQ(Sender, grid);
        col = ACol;
        row = ARow;
        S += "!";
    };
    AnsiString text = "abc";
    grid->EllipsClick(text, text);
    EXPECT_EQ(text, "abc!");
    EXPECT_EQ(col, grid->RealColIndex(3));
    EXPECT_EQ(row, 4);
}

}  // namespace
