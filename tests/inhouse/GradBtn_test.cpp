// The gradient button on a shown form: its painting, pressing by mouse and keyboard, and its presets.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "GradBtn.h"
#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

using namespace GradBtn;

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;

// Step i of n on the way from Red to Blue, as the button computes it.
TColor RedToBlue(Integer Step, Integer Steps) {
    return static_cast<TColor>(
        RGB(static_cast<Byte>(255 - Step * 255 / Steps), 0, static_cast<Byte>(Step * 255 / Steps)));
}

int ChannelDistance(TColor A, TColor B) {
    const COLORREF a = ColorToRGB(A), b = ColorToRGB(B);
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

class GradBtnTest : public FormFixture {
protected:
    static void SetUpTestSuite() {
        FormFixture::SetUpTestSuite();
        RegisterGradBtn();
    }

    TGradBtn* PlaceButton(Integer Width = 75, Integer Height = 25) {
        auto* button = Place<TGradBtn>(10, 10, Width, Height);
        button->SetShowFocus(false);
        clicks.Hook(button->OnClick);
        return button;
    }

    static std::unique_ptr<TBitmap> Render(TGradBtn* Button) {
        return std::unique_ptr<TBitmap>(Testing::RenderControl(Button));
    }

    static TColor PixelAt(TGradBtn* Button, Integer X, Integer Y) { return Render(Button)->Canvas()->Pixels(X, Y); }

    // A face of one colour, so only the caption and frame stand out.
    static void MakeFlat(TGradBtn* Button, TColor Face) {
        Button->SetBeginColor(Face);
        Button->SetEndColor(Face);
    }

    EventCounter clicks;
};

// ---------------------------------------------------------------------------
// Painting

TEST_F(GradBtnTest, GradientStylesPutBeginAndEndColoursWhereTheStyleSays) {
    struct Probe {
        Integer X, Y;
        TColor Expected;
        int Tolerance;  // channel difference allowed where ellipse edges are not exact
    };
    struct Case {
        TGradientStyle Style;
        Integer Width, Height;
        std::vector<Probe> Probes;
    };
    const std::vector<Case> cases{
        {gsHorizontal, 256, 40, {{0, 20, Red, 0}, {128, 20, RedToBlue(128, 255), 0}, {255, 20, Blue, 0}}},
        {gsVertical, 40, 256, {{20, 0, Red, 0}, {20, 100, RedToBlue(100, 255), 0}, {20, 255, Blue, 0}}},
        {gsVertCenter,
         100,
         61,
         {{50, 0, Red, 0},
          {50, 60, Red, 0},
          {50, 15, RedToBlue(15, 30), 0},
          {50, 45, RedToBlue(15, 30), 0},
          {50, 30, Blue, 0}}},
        {gsHorizCenter,
         101,
         40,
         {{0, 20, Red, 0}, {100, 20, Red, 0}, {25, 20, RedToBlue(25, 50), 0}, {50, 20, Blue, 0}}},
        {gsRectangle, 100, 60, {{0, 0, Red, 0}, {99, 59, Red, 0}, {0, 30, Red, 0}, {50, 30, Blue, 0}}},
        {gsElliptic, 100, 60, {{0, 0, RedToBlue(7, 50), 2 * 255 / 50}, {50, 30, RedToBlue(49, 50), 255 / 50}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Style);
        TGradBtn* button = PlaceButton(c.Width, c.Height);
        button->SetBeginColor(Red);
        button->SetEndColor(Blue);
        button->SetBtnFrameSize(0);
        button->SetGradientStyle(c.Style);
        auto bitmap = Render(button);
        for (const Probe& p : c.Probes) {
            SCOPED_TRACE(::testing::Message() << "pixel " << p.X << "," << p.Y);
            EXPECT_LE(ChannelDistance(bitmap->Canvas()->Pixels(p.X, p.Y), p.Expected), p.Tolerance);
        }
        button->Free();
    }
}

TEST_F(GradBtnTest, ASystemBeginColourIsResolvedBeforeBlending) {
    TGradBtn* button = PlaceButton(100, 60);
    button->SetBtnFrameSize(0);
    button->SetBeginColor(clBtnFace);
    button->SetEndColor(clBtnFace);
    EXPECT_EQ(PixelAt(button, 50, 30), static_cast<TColor>(ColorToRGB(clBtnFace)));
}

TEST_F(GradBtnTest, AButtonTooSmallToHaveAMiddleStillPaints) {
    TGradBtn* button = PlaceButton(1, 1);
    for (TGradientStyle style : {gsHorizontal, gsVertical, gsElliptic, gsRectangle, gsVertCenter, gsHorizCenter}) {
        button->SetGradientStyle(style);
        EXPECT_NO_THROW(Render(button)) << style;
    }
}

TEST_F(GradBtnTest, FrameShowsLightTopLeftWhenUpAndExchangesItWhenDown) {
    TGradBtn* button = PlaceButton();
    button->SetBtnHiliteClr(clWhite);
    button->SetBtnShadowClr(clBlack);
    button->SetBtnFrameSize(3);
    auto up = Render(button);
    for (Integer i = 0; i < 3; ++i) {
        EXPECT_EQ(up->Canvas()->Pixels(i, 12), clWhite);
        EXPECT_EQ(up->Canvas()->Pixels(74 - i, 12), clBlack);
    }
    EXPECT_NE(up->Canvas()->Pixels(3, 12), clWhite);

    Testing::MouseDown(button, 30, 12);
    auto down = Render(button);
    EXPECT_EQ(down->Canvas()->Pixels(0, 12), clBlack);
    EXPECT_EQ(down->Canvas()->Pixels(74, 12), clWhite);
    Testing::MouseUp(button, 30, 12);
}

// Rows where two renderings differ.
std::vector<Integer> DifferingRows(TBitmap* A, TBitmap* B) {
    std::vector<Integer> rows;
    for (Integer y = 0; y < A->Height(); ++y)
        for (Integer x = 0; x < A->Width(); ++x)
            if (A->Canvas()->Pixels(x, y) != B->Canvas()->Pixels(x, y)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

TEST_F(GradBtnTest, AmpersandsMarkTheUnderlinedLetterAndADoubledOneShowsItself) {
    TGradBtn* button = PlaceButton(120, 30);
    MakeFlat(button, clWhite);
    button->SetTextStyle(tsNormal);
    button->SetCaption("Save");
    auto plain = Render(button);
    button->SetCaption("&Save");
    auto marked = Render(button);
    // The same letters in the same place, and one more line under them: the underline of S.
    std::vector<Integer> rows = DifferingRows(plain.get(), marked.get());
    ASSERT_EQ(rows.size(), 1u);
    const Integer underline = rows[0];
    Integer firstInk = -1;
    for (Integer x = 0; x < 120 && firstInk < 0; ++x)
        for (Integer y = 0; y < 30; ++y)
            if (plain->Canvas()->Pixels(x, y) == clBlack) {
                firstInk = x;
                break;
            }
    Integer underlineStart = -1;
    for (Integer x = 0; x < 120 && underlineStart < 0; ++x)
        if (marked->Canvas()->Pixels(x, underline) == clBlack) underlineStart = x;
    EXPECT_LE(std::abs(underlineStart - firstInk), 2);

    button->SetCaption("&&Save");
    auto doubled = Render(button);
    for (Integer x = 0; x < 120; ++x) EXPECT_NE(doubled->Canvas()->Pixels(x, underline), clBlack) << x;
    // "&Save" is centred by its shown width: wider than "Save", so it starts further left.
    Integer doubledInk = -1;
    for (Integer x = 0; x < 120 && doubledInk < 0; ++x)
        for (Integer y = 0; y < 30; ++y)
            if (doubled->Canvas()->Pixels(x, y) == clBlack) {
                doubledInk = x;
                break;
            }
    EXPECT_LT(doubledInk, firstInk);
}

// The leftmost column holding Colour, or -1.
Integer FirstColumnOf(TBitmap* Bitmap, TColor Colour) {
    for (Integer x = 0; x < Bitmap->Width(); ++x)
        for (Integer y = 0; y < Bitmap->Height(); ++y)
            if (Bitmap->Canvas()->Pixels(x, y) == Colour) return x;
    return -1;
}

Integer LastColumnOf(TBitmap* Bitmap, TColor Colour) {
    for (Integer x = Bitmap->Width() - 1; x >= 0; --x)
        for (Integer y = 0; y < Bitmap->Height(); ++y)
            if (Bitmap->Canvas()->Pixels(x, y) == Colour) return x;
    return -1;
}

TEST_F(GradBtnTest, JustificationPlacesTheCaptionLeftCentredOrRight) {
    TGradBtn* button = PlaceButton(200, 30);
    MakeFlat(button, clWhite);
    button->SetTextStyle(tsNormal);
    button->SetCaption("Go");
    button->SetJustification(jLeft);
    auto left = Render(button);
    button->SetJustification(jCenter);
    auto centre = Render(button);
    button->SetJustification(jRight);
    auto right = Render(button);
    EXPECT_LE(FirstColumnOf(left.get(), clBlack), 6);
    EXPECT_GE(LastColumnOf(right.get(), clBlack), 200 - 7);
    const Integer middle = (FirstColumnOf(centre.get(), clBlack) + LastColumnOf(centre.get(), clBlack)) / 2;
    EXPECT_NEAR(middle, 100, 3);
}

TEST_F(GradBtnTest, CaptionLooksDrawTheirShadesAroundTheFace) {
    const TColor light = 0x00FF00, dark = 0x0000FF, face = clBlack, greyed = 0xFF00FF;
    struct Case {
        TTextStyle Style;
        TShadeType Shade;
        bool Enabled;
        bool Light, Dark, Face, Greyed;
    };
    const Case cases[] = {
        {tsNormal, stHeavy, true, false, false, true, false},
        {tsRaised, stLight, true, true, false, true, false},
        {tsRaised, stHeavy, true, true, true, true, false},
        {tsInset, stLight, true, true, false, true, false},
        {tsInset, stHeavy, true, true, true, true, false},
        {tsNormal, stHeavy, false, true, true, false, true},  // disabled: the inset look, greyed face
    };
    TGradBtn* button = PlaceButton(120, 30);
    MakeFlat(button, clWhite);
    button->SetCaption("MMM");
    button->SetTxtHiliteClr(light);
    button->SetTxtShadowClr(dark);
    button->Font()->SetColor(face);
    button->SetDisabledColor(greyed);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Style << "/" << c.Shade << (c.Enabled ? "" : " disabled"));
        button->SetTextStyle(c.Style);
        button->SetTextShadeType(c.Shade);
        button->SetEnabled(c.Enabled);
        auto bitmap = Render(button);
        EXPECT_EQ(FirstColumnOf(bitmap.get(), light) >= 0, c.Light);
        EXPECT_EQ(FirstColumnOf(bitmap.get(), dark) >= 0, c.Dark);
        EXPECT_EQ(FirstColumnOf(bitmap.get(), face) >= 0, c.Face);
        EXPECT_EQ(FirstColumnOf(bitmap.get(), greyed) >= 0, c.Greyed);
    }
}

TEST_F(GradBtnTest, FocusRectangleOnlyWhenFocusedAndShowFocus) {
    TGradBtn* button = PlaceButton();
    MakeFlat(button, clWhite);
    button->SetShowFocus(true);
    auto unfocused = Render(button);
    Input::TabTo(button);
    auto focused = Render(button);
    std::vector<Integer> rows = DifferingRows(unfocused.get(), focused.get());
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 2);
    EXPECT_EQ(rows.back(), 25 - 3);

    button->SetShowFocus(false);
    button->Invalidate();
    EXPECT_TRUE(DifferingRows(unfocused.get(), Render(button).get()).empty());

    button->SetShowFocus(true);
    button->SetComponentStateItem(csDesigning, true);
    button->Invalidate();
    EXPECT_TRUE(DifferingRows(unfocused.get(), Render(button).get()).empty());
}

// ---------------------------------------------------------------------------
// Pressing

TEST_F(GradBtnTest, PressingSwapsTheColoursUntilTheClick) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    Testing::MouseDown(button, 30, 12);
    EXPECT_EQ(button->BeginColor(), Blue);
    EXPECT_EQ(button->EndColor(), Red);
    EXPECT_TRUE(button->Focused());
    EXPECT_EQ(clicks.Count(), 0);
    Testing::MouseUp(button, 30, 12);
    EXPECT_EQ(clicks.Count(), 1);
    EXPECT_EQ(button->BeginColor(), Red);
    EXPECT_EQ(button->EndColor(), Blue);
}

TEST_F(GradBtnTest, ClickHandlerSeesTheButtonUpAgain) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    TColor seen = clNone;
    button->OnClick = [&](TObject*) { seen = button->BeginColor(); };
    Testing::Click(button);
    EXPECT_EQ(seen, Red);
}

TEST_F(GradBtnTest, WithoutSwapColorsPressingKeepsTheColours) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    button->SetSwapColors(false);
    Testing::MouseDown(button, 30, 12);
    EXPECT_EQ(button->BeginColor(), Red);
    // Switching swapping on while held must not leave the colours exchanged afterwards.
    button->SetSwapColors(true);
    Testing::MouseUp(button, 30, 12);
    EXPECT_EQ(button->BeginColor(), Red);
    EXPECT_EQ(button->EndColor(), Blue);
}

TEST_F(GradBtnTest, ARightButtonPressLeavesTheColoursAlone) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    auto before = Render(button);
    Testing::MouseDown(button, 30, 12, mbRight);
    EXPECT_EQ(button->BeginColor(), Red);
    EXPECT_TRUE(DifferingRows(before.get(), Render(button).get()).empty());
    Testing::MouseUp(button, 30, 12, mbRight);
    EXPECT_EQ(clicks.Count(), 0);
}

TEST_F(GradBtnTest, ReleasingOutsideRestoresTheButtonWithoutAClick) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    auto up = Render(button);
    Testing::MouseDown(button, 30, 12);
    Testing::MouseUp(button, 200, 100);
    EXPECT_EQ(clicks.Count(), 0);
    EXPECT_EQ(button->BeginColor(), Red);
    EXPECT_EQ(button->EndColor(), Blue);
    EXPECT_TRUE(DifferingRows(up.get(), Render(button).get()).empty());
}

TEST_F(GradBtnTest, LeavingWhileHeldLiftsTheButtonAndComingBackPressesItAgain) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    EventCounter enters, leaves, downs;
    enters.Hook(button->OnMouseEnter);
    leaves.Hook(button->OnMouseLeave);
    downs.Hook(button->OnMouseDown);

    Testing::MouseDown(button, 30, 12);
    EXPECT_EQ(enters.Count(), 1) << "the mouse came over the button to press it";
    Testing::MouseLeave(button);
    EXPECT_EQ(leaves.Count(), 1);
    EXPECT_EQ(button->BeginColor(), Red);
    Testing::MouseEnter(button);
    EXPECT_EQ(enters.Count(), 2);
    EXPECT_EQ(downs.Count(), 2);
    EXPECT_EQ(button->BeginColor(), Blue);
    Testing::MouseUp(button, 30, 12);
    EXPECT_EQ(clicks.Count(), 1);
    EXPECT_EQ(button->BeginColor(), Red);

    // Passing over the button with no press of its own changes nothing.
    Testing::MouseLeave(button);
    Testing::MouseEnter(button);
    Testing::MouseLeave(button);
    EXPECT_EQ(button->BeginColor(), Red);
    EXPECT_EQ(downs.Count(), 2);
    EXPECT_EQ(enters.Count(), 3);
}

TEST_F(GradBtnTest, DisablingAHeldButtonLiftsItAndTheReleaseDoesNotClick) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    Testing::MouseDown(button, 30, 12);
    button->SetEnabled(false);
    EXPECT_EQ(button->BeginColor(), Red);
    EXPECT_EQ(button->EndColor(), Blue);
    EXPECT_FALSE(button->MouseCapture());
    Testing::MouseUp(button, 30, 12);
    EXPECT_EQ(clicks.Count(), 0);
}

TEST_F(GradBtnTest, ADisabledButtonNeitherSwapsItsColoursNorClicks) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    button->SetEnabled(false);
    EventCounter downs;
    downs.Hook(button->OnMouseDown);
    Testing::MouseDown(button, 30, 12);
    EXPECT_EQ(button->BeginColor(), Red);
    EXPECT_EQ(button->EndColor(), Blue);
    EXPECT_FALSE(button->Focused());
    Testing::MouseUp(button, 30, 12);
    Testing::DoubleClick(button, 30, 12);
    EXPECT_EQ(clicks.Count(), 0);
    EXPECT_EQ(downs.Count(), 0);
}

// ---------------------------------------------------------------------------
// Keyboard

TEST_F(GradBtnTest, EnterOnTheFocusedButtonClicksWithoutSwappingColours) {
    TGradBtn* button = PlaceButton();
    button->SetBeginColor(Red);
    button->SetEndColor(Blue);
    Input::TabTo(button);
    Testing::KeyPress(button, VK_RETURN);
    EXPECT_EQ(clicks.Count(), 1);
    EXPECT_EQ(button->BeginColor(), Red);
    Testing::KeyPress(button, 'A');
    EXPECT_EQ(clicks.Count(), 1);
}

TEST_F(GradBtnTest, TheAcceleratorClicksAnEnabledButton) {
    TGradBtn* button = PlaceButton();
    button->SetCaption("&Save");
    struct Case {
        Word Key;
        bool Enabled;
        int Clicks;
    };
    for (Case c : {Case{'S', true, 1}, Case{'s', true, 1}, Case{'A', true, 0}, Case{'S', false, 0}}) {
        clicks.Reset();
        button->SetEnabled(c.Enabled);
        const LRESULT handled = button->Perform(CM_DIALOGCHAR, c.Key, 0);
        EXPECT_EQ(clicks.Count(), c.Clicks) << static_cast<char>(c.Key);
        EXPECT_EQ(handled, c.Clicks);
    }
    button->SetEnabled(true);
    button->SetCaption("&&Save");
    clicks.Reset();
    button->Perform(CM_DIALOGCHAR, 'S', 0);
    EXPECT_EQ(clicks.Count(), 0);
}

// ---------------------------------------------------------------------------
// Properties

TEST_F(GradBtnTest, FrameSizeBeyondHalfTheSmallerSideLessFiveIsIgnored) {
    struct Case {
        Integer Width, Height, Value, Result;
    };
    const Case cases[] = {
        {75, 25, 20, 1},    {75, 25, 7, 7},    {75, 25, 8, 1},    {75, 25, 0, 0},   {75, 25, -1, 1},
        {100, 100, 45, 45}, {100, 100, 46, 1}, {30, 100, 10, 10}, {30, 100, 11, 1},
    };
    for (const Case& c : cases) {
        TGradBtn* button = PlaceButton(c.Width, c.Height);
        button->SetBtnFrameSize(c.Value);
        EXPECT_EQ(button->BtnFrameSize(), c.Result) << c.Width << "x" << c.Height << " set " << c.Value;
        button->Free();
    }
}

TEST_F(GradBtnTest, PresetsChangeNothingAtRunTime) {
    TGradBtn* button = PlaceButton();
    button->SetPresets(GoldCoast);
    EXPECT_EQ(button->Presets(), GoldCoast);
    EXPECT_EQ(button->BeginColor(), 0x800000);
    EXPECT_EQ(button->EndColor(), 0xFFFF00);
    EXPECT_EQ(button->GradientStyle(), gsVertCenter);
    EXPECT_EQ(button->TextShadeType(), stLight);
    EXPECT_EQ(button->Font()->Style(), TFontStyles{});
    button->SetPresets(BrassedOff);
    EXPECT_TRUE(button->SwapColors());
}

TEST_F(GradBtnTest, PresetsSetTheWholeLookInDesignMode) {
    struct Case {
        TPreset Preset;
        TColor Begin, End, FrameLight, TextDark, Disabled;
        const char* FontName;
        Integer FontSize;
        TColor FontColor;
        bool Bold;
        TGradientStyle Gradient;
        TTextStyle Text;
        TShadeType Shade;
        bool Swap;
    };
    const Case cases[] = {
        {GoldCoast, 0x00FFFF, 0x008080, 0xB3FFFF, 0x007171, 0x00BBBB, "Arial", 10, 0x00BBBB, true, gsVertical, tsRaised,
         stHeavy, true},
        {LimeBox, 0x000000, 0x00FF00, clBtnHighlight, 0x004000, 0x008080, "Courier", 8, 0x008000, false, gsRectangle,
         tsRaised, stLight, true},
        {Aluminum, 0xCECECE, 0x5F5F5F, 0xFFFFFF, clBtnShadow, 0x808080, "Times New Roman", 10, clBlack, true,
         gsVertical, tsInset, stHeavy, true},
        {SunRise, 0x00FFFF, 0x0000FF, clBtnHighlight, 0x0058B0, 0x808080, "MS Sans Serif", 8, 0x000040, true,
         gsHorizontal, tsRaised, stHeavy, true},
        {BrassedOff, 0xCEFFFF, 0x92C2C2, 0xEFFFFF, 0x92C2C2, 0x008080, "Verdana", 9, 0x000080, false, gsElliptic,
         tsNormal, stLight, false},
        {None, 0x800000, 0xFFFF00, clBtnHighlight, clBtnShadow, 0x808080, "MS Sans Serif", 8, clBlack, false,
         gsVertCenter, tsRaised, stLight, false},
    };
    TGradBtn* button = PlaceButton();
    button->SetComponentStateItem(csDesigning, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Preset);
        button->SetPresets(c.Preset);
        EXPECT_EQ(button->BeginColor(), c.Begin);
        EXPECT_EQ(button->EndColor(), c.End);
        EXPECT_EQ(button->BtnHiliteClr(), c.FrameLight);
        EXPECT_EQ(button->TxtShadowClr(), c.TextDark);
        EXPECT_EQ(button->DisabledColor(), c.Disabled);
        EXPECT_EQ(button->Font()->Name(), c.FontName);
        EXPECT_EQ(button->Font()->Size(), c.FontSize);
        EXPECT_EQ(button->Font()->Color(), c.FontColor);
        EXPECT_EQ(button->Font()->Style().Contains(fsBold), c.Bold);
        EXPECT_EQ(button->GradientStyle(), c.Gradient);
        EXPECT_EQ(button->TextStyle(), c.Text);
        EXPECT_EQ(button->TextShadeType(), c.Shade);
        EXPECT_EQ(button->SwapColors(), c.Swap);  // only BrassedOff switches it off; None leaves it so
    }
}

TEST_F(GradBtnTest, FormDescriptionSetsThePublishedProperties) {
    const char* text = R"(object Form1: TForm
  object GradBtn1: TGradBtn
    Left = 8
    Top = 8
    Width = 120
    Height = 40
    Caption = '&Go'
    DisabledColor = clGray
    BtnHiliteClr = clWhite
    BtnShadowClr = clBlack
    BtnFrameSize = 3
    TxtHiliteClr = clYellow
    TxtShadowClr = 255
    BeginColor = clNavy
    EndColor = clAqua
    SwapColors = False
    ShowFocus = False
    GradientStyle = gsElliptic
    TextStyle = tsInset
    TextShadeType = stHeavy
    Presets = SunRise
    Justification = jRight
    TabOrder = 0
  end
end
)";
    ReadComponentFromText(text, form);
    auto* button = dynamic_cast<TGradBtn*>(form->FindComponent("GradBtn1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), "&Go");
    EXPECT_EQ(button->DisabledColor(), clGray);
    EXPECT_EQ(button->BtnHiliteClr(), clWhite);
    EXPECT_EQ(button->BtnShadowClr(), clBlack);
    EXPECT_EQ(button->BtnFrameSize(), 3);
    EXPECT_EQ(button->TxtHiliteClr(), clYellow);
    EXPECT_EQ(button->TxtShadowClr(), 255);
    EXPECT_EQ(button->BeginColor(), clNavy);
    EXPECT_EQ(button->EndColor(), clAqua);
    EXPECT_FALSE(button->SwapColors());
    EXPECT_FALSE(button->ShowFocus());
    EXPECT_EQ(button->GradientStyle(), gsElliptic);
    EXPECT_EQ(button->TextStyle(), tsInset);
    EXPECT_EQ(button->TextShadeType(), stHeavy);
    EXPECT_EQ(button->Presets(), SunRise);
    EXPECT_EQ(button->Justification(), jRight);
    EXPECT_EQ(button->TabStop(), true);  // a push button is in the tab order unless told otherwise
}

}  // namespace
