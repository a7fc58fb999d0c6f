// What a control draws on a native widget (an edit): after the widget's own painting, over it, in the
// window as Qt composes it and in the control's picture.

#include <memory>

#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

// An edit that marks its client area's top left in red after the default paint, as a control that adds to
// a native edit's look does.
class TMarkedEdit : public TEdit {
public:
    explicit TMarkedEdit(TComponent* AOwner) : TEdit(AOwner) {}
    int Paints = 0;
    TColor Mark = clRed;

protected:
    void Dispatch(TMessage& Message) override {
        TEdit::Dispatch(Message);
        if (Message.Msg != WM_PAINT) return;
        ++Paints;
        TControlCanvas canvas;
        canvas.SetControl(this);
        canvas.Brush()->SetColor(Mark);
        canvas.FillRect(Rect(0, 0, 8, 8));
    }
};

class OverlayTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        edit = new TMarkedEdit(form);
        edit->SetParent(form);
        edit->SetBounds(20, 30, 150, 24);
        edit->SetText("WWWWWWWWWWWWWWWW");
        edit->Font()->SetColor(clBlack);
    }
    // The colour at X, Y of the edit's client area: the window on screen, or the control's own picture.
    TColor Shown(Integer X, Integer Y) {
        Input::Settle();
        std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
        return ColorToRGB(picture->Canvas()->Pixels(edit->Left() + 2 + X, edit->Top() + 2 + Y));
    }
    TColor Rendered(Integer X, Integer Y) {
        std::unique_ptr<TBitmap> picture(Testing::RenderControl(edit));
        return ColorToRGB(picture->Canvas()->Pixels(2 + X, 2 + Y));
    }

    TMarkedEdit* edit = nullptr;
};

TEST_F(OverlayTest, WhatAnEditPaintsAfterTheDefaultShowsOverItsTextAndInItsPicture) {
    EXPECT_EQ(Shown(3, 3), ColorToRGB(clRed));
    EXPECT_EQ(Shown(-2, 3), ColorToRGB(clBtnShadow)) << "the frame shows to the left";
    EXPECT_EQ(Shown(12, 12), ColorToRGB(clWindow)) << "the edit's own painting around it";
    EXPECT_GT(edit->Paints, 0);
    EXPECT_EQ(Rendered(3, 3), ColorToRGB(clRed));
    EXPECT_EQ(Rendered(-2, 3), ColorToRGB(clBtnShadow));
    // A control that is not shown paints for its picture too.
    auto* hidden = new TMarkedEdit(form);
    hidden->SetVisible(false);
    hidden->SetParent(form);
    hidden->SetBounds(20, 80, 100, 24);
    std::unique_ptr<TBitmap> picture(Testing::RenderControl(hidden));
    EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(5, 5)), ColorToRGB(clRed));
}

TEST_F(OverlayTest, DrawingOnAnEditAtAnyTimeStaysUntilTheEditPaintsThereAgain) {
    ASSERT_EQ(Shown(3, 3), ColorToRGB(clRed));
    HDC dc = GetDC(edit->Handle());
    ASSERT_NE(dc, nullptr);
    RECT lime = Rect(100, 2, 110, 12);
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &lime, brush);
    DeleteObject(brush);
    ReleaseDC(edit->Handle(), dc);
    EXPECT_EQ(Shown(105, 5), ColorToRGB(clLime)) << "drawn outside painting, shown at once";
    EXPECT_EQ(Rendered(105, 5), ColorToRGB(clLime));
    EXPECT_EQ(Shown(105, 5), ColorToRGB(clLime)) << "a picture of the edit does not repaint it";
    const int paints = edit->Paints;
    edit->Mark = clBlue;
    edit->Invalidate();
    EXPECT_NE(Shown(105, 5), ColorToRGB(clLime)) << "cleared by the next paint";
    EXPECT_EQ(Shown(3, 3), ColorToRGB(clBlue)) << "which draws the control's own painting again";
    EXPECT_GT(edit->Paints, paints);
}

TEST_F(OverlayTest, TypingRepaintsTheEditAndItsOwnPaintingComesBackOverTheNewText) {
    Input::TabTo(edit);
    Input::Key(edit, VK_HOME);
    ASSERT_EQ(Shown(3, 3), ColorToRGB(clRed));
    HDC dc = GetDC(edit->Handle());
    RECT lime = Rect(0, 0, 146, 20);
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &lime, brush);
    DeleteObject(brush);
    ReleaseDC(edit->Handle(), dc);
    ASSERT_EQ(Shown(3, 3), ColorToRGB(clLime));
    edit->Mark = clBlue;
    Input::Type(edit, "x");
    EXPECT_EQ(edit->Text().substr(0, 1), "x");
    EXPECT_EQ(Shown(3, 3), ColorToRGB(clBlue));
}

}  // namespace
