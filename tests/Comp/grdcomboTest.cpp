// The flat combo as a user sees it: its frame cold and hot (by the mouse and by the focus), the drop
// button's edge and looks, the colours while disabled, the focus on hovering, and the list's width.
#include <algorithm>
#include <vector>

#include "GridUnitFixture.h"
#include "grdcombo.h"
#include "support/ComposedPixels.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

using namespace grdcombo;

namespace {

class GrdComboTest : public GridUnitFixture {
protected:
    void SetUp() override {
        GridUnitFixture::SetUp();
        form->SetColor(clTeal);
        combo = Place<TGRDComboBox>(20, 20, 160, 24);
        combo->SetColor(clYellow);
        combo->Items()->Add("one");
        combo->Items()->Add("two");
        other = Place<TEdit>(220, 20, 100, 24);
        Input::Settle();
    }
    void TearDown() override {
        Testing::RecordMessageBoxes(false);
        GridUnitFixture::TearDown();
    }

    // The window's pixels over the combo's area Area, row by row.
    std::vector<COLORREF> AreaImage(const TRect& Area) { return ComposedPixels(form, combo, Area); }
    COLORREF PixelAt(Integer X, Integer Y) { return AreaImage(Rect(X, Y, X + 1, Y + 1)).at(0); }
    // The three frame rings at the middle of the top edge, outermost first.
    std::vector<COLORREF> TopRings() { return AreaImage(Rect(60, 0, 61, 3)); }
    TRect ButtonArea() const {
        return Rect(combo->ClientWidth() - combo->ButtonWidth() - 2, 3, combo->ClientWidth() - 3,
                    combo->ClientHeight() - 3);
    }
    static std::vector<COLORREF> Rings(TColor A, TColor B, TColor C) {
        return {ColorToRGB(A), ColorToRGB(B), ColorToRGB(C)};
    }

    TGRDComboBox* combo = nullptr;
    TEdit* other = nullptr;
};

TEST_F(GrdComboTest, ButtonWidthStartsFourPastTheScrollBarAndIgnoresWritesOutside14To32) {
    EXPECT_EQ(combo->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 4);
    EXPECT_EQ(combo->ButtonWidth(), 21);
    struct Case {
        Integer write, after;
    };
    for (const Case& c : std::vector<Case>{{10, 21}, {40, 21}, {13, 21}, {33, 21}, {14, 14}, {32, 32}, {20, 20}}) {
        SCOPED_TRACE(c.write);
        combo->SetButtonWidth(c.write);
        EXPECT_EQ(combo->ButtonWidth(), c.after);
    }
}

TEST_F(GrdComboTest, EveryFlatWriteSetsCtl3DToItsOpposite) {
    EXPECT_TRUE(combo->Flat());
    EXPECT_FALSE(combo->Ctl3D());
    struct Case {
        bool ctl3DBefore, flat, ctl3DAfter;
    };
    for (const Case& c : std::vector<Case>{{false, false, true},
                                           {true, true, false},
                                           {true, true, false},
                                           {false, false, true},
                                           {false, true, false}}) {
        combo->SetCtl3D(c.ctl3DBefore);
        combo->SetFlat(c.flat);
        EXPECT_EQ(combo->Ctl3D(), c.ctl3DAfter);
    }
}

TEST_F(GrdComboTest, TheFrameIsColdInTheParentsColourAndHotByMouseOrFocusWithFocusBorder) {
    const std::vector<COLORREF> cold = Rings(clTeal, clTeal, clYellow);
    const std::vector<COLORREF> hot = Rings(clBtnShadow, clBtnFace, clYellow);
    EXPECT_EQ(TopRings(), cold);
    // Without FocusBorder neither the mouse nor the focus makes it hot.
    Testing::MouseEnter(combo);
    EXPECT_EQ(TopRings(), cold);
    Testing::MouseLeave(combo);
    combo->SetFocusBorder(true);
    Input::Settle();
    EXPECT_EQ(TopRings(), cold);
    Testing::MouseEnter(combo);
    EXPECT_EQ(TopRings(), hot);
    Testing::MouseLeave(combo);
    EXPECT_EQ(TopRings(), cold);
    Input::TabTo(combo);
    EXPECT_EQ(TopRings(), hot);
    Input::TabTo(other);
    EXPECT_EQ(TopRings(), cold);
}

TEST_F(GrdComboTest, TheButtonEdgeIsRaisedOrEtchedAndTheSimpleStyleHasNoButton) {
    const Integer cw = combo->ClientWidth(), ch = combo->ClientHeight();
    const TPoint topLeft = Point(cw - 21 - 2, 2), bottomRight = Point(combo->Width() - 2, ch - 1);
    struct Case {
        const char* what;
        bool etched;
        TColor topLeft, bottomRight;
    };
    for (const Case& c :
         std::vector<Case>{{"raised", false, cl3DLight, cl3DDkShadow}, {"etched", true, clBtnShadow, clBtnHighlight}}) {
        SCOPED_TRACE(c.what);
        combo->SetEtched(c.etched);
        EXPECT_EQ(PixelAt(topLeft.X, topLeft.Y), ColorToRGB(c.topLeft));
        EXPECT_EQ(PixelAt(bottomRight.X, bottomRight.Y), ColorToRGB(c.bottomRight));
    }
    // The button's face and arrow are gone with the simple style; the frame stays.
    const std::vector<COLORREF> withButton = AreaImage(ButtonArea());
    EXPECT_NE(std::count(withButton.begin(), withButton.end(), ColorToRGB(clBtnFace)), 0);
    combo->SetStyle(csSimple);
    const std::vector<COLORREF> simple = AreaImage(ButtonArea());
    EXPECT_EQ(std::count(simple.begin(), simple.end(), ColorToRGB(clBtnFace)), 0);
    EXPECT_EQ(std::count(simple.begin(), simple.end(), ColorToRGB(clBlack)), 0);
    EXPECT_EQ(TopRings(), Rings(clTeal, clTeal, clYellow));
}

TEST_F(GrdComboTest, TheThemedButtonLooksPressedWhileAMouseButtonIsHeldAnywhere) {
    const std::vector<COLORREF> classic = AreaImage(ButtonArea());
    combo->SetIsWinXP(true);
    const std::vector<COLORREF> themed = AreaImage(ButtonArea());
    EXPECT_NE(themed, classic);
    Testing::MouseDown(form, 10, 200);
    combo->Invalidate();
    const std::vector<COLORREF> held = AreaImage(ButtonArea());
    Testing::MouseUp(form, 10, 200);
    EXPECT_NE(held, themed);
    combo->Invalidate();
    EXPECT_EQ(AreaImage(ButtonArea()), themed);
    // The classic button does not change with the mouse.
    combo->SetIsWinXP(false);
    Testing::MouseDown(form, 10, 200);
    combo->Invalidate();
    EXPECT_EQ(AreaImage(ButtonArea()), classic);
    Testing::MouseUp(form, 10, 200);
}

TEST_F(GrdComboTest, ADisabledFlatComboShowsItsParentsColourAndGetsItsOwnBackWhenEnabled) {
    combo->SetEnabled(false);
    EXPECT_TRUE(combo->ParentColor());
    EXPECT_EQ(combo->Color(), clTeal);
    EXPECT_EQ(PixelAt(3, 3), ColorToRGB(clTeal));
    combo->SetEnabled(true);
    EXPECT_FALSE(combo->ParentColor());
    EXPECT_EQ(combo->Color(), clYellow);
    EXPECT_EQ(PixelAt(3, 3), ColorToRGB(clYellow));
    // A combo that is not flat keeps its colour.
    combo->SetFlat(false);
    combo->SetEnabled(false);
    EXPECT_EQ(combo->Color(), clYellow);
}

TEST_F(GrdComboTest, AutoFocusTakesTheFocusOnHoverOnlyWhenTheComboCanTakeIt) {
    Testing::RecordMessageBoxes(true);
    Input::TabTo(other);
    Testing::MouseEnter(combo);
    EXPECT_TRUE(other->Focused());  // off by default
    Testing::MouseLeave(combo);
    combo->SetAutoFocus(true);
    Testing::MouseEnter(combo);
    EXPECT_TRUE(combo->Focused());
    Testing::MouseLeave(combo);
    Input::TabTo(other);
    combo->SetEnabled(false);
    for (int hover = 0; hover < 2; ++hover) {
        Testing::MouseEnter(combo);
        Testing::MouseLeave(combo);
    }
    EXPECT_TRUE(other->Focused());
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty());
}

TEST_F(GrdComboTest, DropWidthWidensTheListWhenAboveZero) {
    EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 160);
    combo->SetDropWidth(300);
    EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 300);
    combo->SetDropWidth(0);  // nothing is sent
    EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 300);
    // Set before the window exists, it reaches the window when made.
    auto* fresh = new TGRDComboBox(form);
    fresh->SetDropWidth(250);
    fresh->SetParent(form);
    EXPECT_EQ(fresh->Perform(CB_GETDROPPEDWIDTH, 0, 0), 250);
}

TEST_F(GrdComboTest, AComboSizedForItsDroppedListCoversOnlyItsFieldWhenClosed) {
    // As an editor over a cell 20 high sizes it: Height counts the dropped list, the field is the cell's.
    combo->SetHeight(combo->ItemHeight() * (combo->DropDownCount() + 1) + 20);
    SendMessage(combo->Handle(), CB_SETITEMHEIGHT, WPARAM(-1), 20 - 6);
    EXPECT_EQ(combo->ClientHeight(), 20);
    combo->SetFocusBorder(true);
    Input::TabTo(combo);
    // The hot frame closes at the field's last row; the form shows below it.
    const std::vector<COLORREF> column = AreaImage(Rect(60, 16, 61, 40));
    EXPECT_EQ(column[1], ColorToRGB(clYellow));
    EXPECT_EQ(column[2], ColorToRGB(clBtnFace));
    EXPECT_EQ(column[3], ColorToRGB(clBtnHighlight));
    EXPECT_TRUE(std::all_of(column.begin() + 4, column.end(), [](COLORREF p) { return p == ColorToRGB(clTeal); }));
}

}  // namespace
