#include <memory>
#include <vector>

#include "ExtCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Buttons.h"

namespace {

class SpeedButtonTest : public ExtCtrlsTest {
protected:
    TSpeedButton* PlaceButton(Integer Left, Integer GroupIndex = 0) {
        auto* button = Place<TSpeedButton>(Left, 10, 30, 30);
        button->SetGroupIndex(GroupIndex);
        return button;
    }
    // The form as it reached the screen.
    std::unique_ptr<TBitmap> Screen() {
        Input::Settle();
        return std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
    }
    // A strip of Count 10 x 10 images in Colors on a magenta ground, a 4 x 4 square of colour in each.
    static std::unique_ptr<TBitmap> Strip(const std::vector<TColor>& Colors) {
        auto strip = std::make_unique<TBitmap>();
        strip->SetSize(10 * static_cast<Integer>(Colors.size()), 10);
        strip->Canvas()->Brush()->SetColor(clFuchsia);
        strip->Canvas()->FillRect(Rect(0, 0, strip->Width(), 10));
        for (std::size_t i = 0; i < Colors.size(); ++i) {
            strip->Canvas()->Brush()->SetColor(Colors[i]);
            strip->Canvas()->FillRect(Rect(10 * static_cast<Integer>(i) + 3, 3, 10 * static_cast<Integer>(i) + 7, 7));
        }
        return strip;
    }
    // The colour at the centre of Button's glyph, shifted by Offset (a pressed glyph moves by one).
    COLORREF GlyphCentre(TBitmap* Image, TSpeedButton* Button, Integer Offset = 0) {
        const TPoint origin = Button->ClientToScreen({0, 0});
        const TPoint formOrigin = form->ClientToScreen({0, 0});
        return PixelOf(Image, origin.X - formOrigin.X + 15 + Offset, origin.Y - formOrigin.Y + 15 + Offset);
    }
};

TEST_F(SpeedButtonTest, AClickIsAPressAndAReleaseInsideAndEveryReleaseReachesOnMouseUp) {
    auto* button = PlaceButton(10);
    int clicks = 0, releases = 0;
    button->OnClick = Counter(clicks);
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++releases; };
    Input::Click(button);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(releases, 1);

    // Pressed, dragged off and released outside: no click, but the release still reports.
    Testing::MouseDown(button, 15, 15);
    Testing::MouseMove(button, 60, 15, {ssLeft});
    Testing::MouseUp(button, 60, 15);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(releases, 2);

    // Dragged off and back: a click.
    Testing::MouseDown(button, 15, 15);
    Testing::MouseMove(button, 60, 15, {ssLeft});
    Testing::MouseMove(button, 15, 15, {ssLeft});
    Testing::MouseUp(button, 15, 15);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button->Down());  // a plain button never stays down
}

TEST_F(SpeedButtonTest, APressOnTheFormIsReleasedToTheFormEvenOverAButton) {
    auto* button = PlaceButton(10);
    int buttonReleases = 0, formReleases = 0, clicks = 0;
    button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++buttonReleases; };
    button->OnClick = Counter(clicks);
    form->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++formReleases; };
    Testing::MouseDown(form, 150, 100);
    Testing::MouseMove(button, 15, 15, {ssLeft});
    Testing::MouseUp(button, 15, 15);
    EXPECT_EQ(formReleases, 1);
    EXPECT_EQ(buttonReleases, 0);
    EXPECT_EQ(clicks, 0);
    // Once released, the button has the mouse again.
    Input::Click(button);
    EXPECT_EQ(buttonReleases, 1);
    EXPECT_EQ(formReleases, 1);
}

TEST_F(SpeedButtonTest, AHeldButtonShowsItsPushedFrameWithTheCheckeredFaceInside) {
    auto* button = PlaceButton(10, 1);
    button->SetDown(true);
    const std::unique_ptr<TBitmap> image = Screen();
    const TPoint origin = button->ClientToScreen({0, 0});
    const TPoint formOrigin = form->ClientToScreen({0, 0});
    const Integer left = origin.X - formOrigin.X, top = origin.Y - formOrigin.Y;
    std::vector<COLORREF> frame, face;
    for (Integer y = 5; y < 25; ++y) {
        frame.push_back(PixelOf(image.get(), left, top + y));
        face.push_back(PixelOf(image.get(), left + 3, top + y));
    }
    EXPECT_EQ(frame, std::vector<COLORREF>(frame.size(), Rgb(clBtnShadow)));
    // The face alternates between the highlight and the button face, row by row.
    EXPECT_NE(face[0], face[1]);
    EXPECT_EQ(face[0], face[2]);
}

TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDownAndAllowAllUpLetsTheLastGoUp) {
    TSpeedButton* a = PlaceButton(10, 1);
    TSpeedButton* b = PlaceButton(50, 1);
    TSpeedButton* other = PlaceButton(90, 2);
    struct Step {
        TSpeedButton* clicked;
        bool aDown, bDown, otherDown;
    };
    const Step steps[] = {
        {a, true, false, false},
        {b, false, true, false},
        {b, false, true, false},     // the last one down stays down
        {other, false, true, true},  // another group is left alone
    };
    for (const Step& s : steps) {
        Input::Click(s.clicked);
        EXPECT_EQ(a->Down(), s.aDown);
        EXPECT_EQ(b->Down(), s.bDown);
        EXPECT_EQ(other->Down(), s.otherDown);
    }
    a->SetAllowAllUp(true);  // the whole group takes it
    EXPECT_TRUE(b->AllowAllUp());
    Input::Click(b);
    EXPECT_FALSE(b->Down());
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
}

TEST_F(SpeedButtonTest, TheGlyphStripGivesEachStateItsImageOnTheScreen) {
    TSpeedButton* button = PlaceButton(10, 1);
    button->SetAllowAllUp(true);
    auto strip = Strip({clRed, clBlue, clLime, clYellow});
    button->SetGlyph(strip.get());
    EXPECT_EQ(button->NumGlyphs(), 4);
    EXPECT_EQ(GlyphCentre(Screen().get(), button), Rgb(clRed));

    Testing::MouseDown(button, 15, 15);  // pressed: the third image, one pixel down and right
    EXPECT_EQ(GlyphCentre(Screen().get(), button, 1), Rgb(clLime));
    Testing::MouseUp(button, 15, 15);  // held down: the fourth
    ASSERT_TRUE(button->Down());
    EXPECT_EQ(GlyphCentre(Screen().get(), button, 1), Rgb(clYellow));

    button->SetDown(false);
    button->SetEnabled(false);  // disabled: the second
    EXPECT_EQ(GlyphCentre(Screen().get(), button), Rgb(clBlue));
}

TEST_F(SpeedButtonTest, WithoutADisabledImageTheGlyphIsEmbossed) {
    TSpeedButton* button = PlaceButton(10);
    auto strip = Strip({clRed});
    button->SetGlyph(strip.get());
    button->SetEnabled(false);
    auto image = Screen();
    EXPECT_EQ(GlyphCentre(image.get(), button), Rgb(clBtnShadow));
    // The highlight shows below and right of the shape, the transparent ground shows the face.
    EXPECT_EQ(GlyphCentre(image.get(), button, 2), Rgb(clBtnHighlight));
    EXPECT_EQ(GlyphCentre(image.get(), button, -4), Rgb(clBtnFace));
}

TEST_F(SpeedButtonTest, AFlatButtonShowsItsEdgeOnlyUnderTheMouse) {
    TSpeedButton* button = PlaceButton(10);
    button->SetFlat(true);
    const TPoint origin = button->ClientToScreen({0, 0});
    const TPoint formOrigin = form->ClientToScreen({0, 0});
    const Integer x = origin.X - formOrigin.X, y = origin.Y - formOrigin.Y;
    Testing::MouseMove(form, 200, 200);
    EXPECT_EQ(PixelOf(Screen().get(), x, y), Rgb(clBtnFace));
    Testing::MouseMove(button, 15, 15);
    auto hot = Screen();
    EXPECT_EQ(PixelOf(hot.get(), x, y), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelOf(hot.get(), x + 29, y + 29), Rgb(clBtnShadow));
    Testing::MouseMove(form, 200, 200);  // off the button
    EXPECT_EQ(PixelOf(Screen().get(), x, y), Rgb(clBtnFace));
    Testing::MouseMove(button, 15, 15);
    Testing::MouseLeave(button);  // out of the window straight from the button
    EXPECT_EQ(PixelOf(Screen().get(), x, y), Rgb(clBtnFace));
}

TEST_F(SpeedButtonTest, AFormDescriptionSetsTheButtonsProperties) {
    ReadComponentFromText(R"(object Form: TForm
  object SpeedButton1: TSpeedButton
    Left = 8
    Top = 8
    GroupIndex = 3
    Down = True
    Flat = True
    NumGlyphs = 2
    Layout = blGlyphTop
    Caption = 'Go'
  end
end)",
                          form);
    auto* button = dynamic_cast<TSpeedButton*>(form->FindComponent("SpeedButton1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GroupIndex(), 3);
    EXPECT_TRUE(button->Down());
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Layout(), blGlyphTop);
    EXPECT_EQ(button->Caption(), "Go");
}

}  // namespace
