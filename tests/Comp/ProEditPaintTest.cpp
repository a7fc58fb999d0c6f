// The typed edit's own painting over the edit's, read from the composed window: the flat underline and
// outline, the focus frame, the grey empty-text hint and the red wavy error marker.
#include <memory>
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditPaintTest : public ProEditFixture {
protected:
    // The edit's client pixel (X, Y) as the window shows it.
    COLORREF Shown(TProEdit* Edit, Integer X, Integer Y) {
        Input::Settle();
        std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
        const TPoint at = form->ScreenToClient(Edit->ClientToScreen(Point(X, Y)));
        return ColorToRGB(window->Canvas()->Pixels(at.X, at.Y));
    }
    // How many pixels of the edit's client area show Colour.
    int Count(TProEdit* Edit, TColor Colour) {
        Input::Settle();
        std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
        const TPoint origin = form->ScreenToClient(Edit->ClientToScreen(Point(0, 0)));
        int count = 0;
        for (Integer y = 0; y < Edit->ClientHeight(); ++y)
            for (Integer x = 0; x < Edit->ClientWidth(); ++x)
                count += ColorToRGB(window->Canvas()->Pixels(origin.X + x, origin.Y + y)) == ColorToRGB(Colour);
        return count;
    }
};

TEST_F(ProEditPaintTest, AFlatEditDrawsItsLineOrOutlineInTheLineColour) {
    for (bool soft : {false, true}) {
        SCOPED_TRACE(soft ? "soft border" : "underline");
        TProEdit* edit = Edit();
        edit->SetFlatLineColor(clRed);
        edit->SetSoftBorder(soft);
        edit->SetFlat(true);
        const Integer bottom = edit->ClientHeight() - 1, right = edit->ClientWidth() - 1;
        EXPECT_EQ(edit->BorderStyle(), bsNone);
        EXPECT_EQ(Shown(edit, 10, bottom), ColorToRGB(clRed));
        EXPECT_EQ(Shown(edit, right - 10, bottom), ColorToRGB(clRed));
        // The outline rises at the right; the underline alone leaves the side free.
        EXPECT_EQ(Shown(edit, right, bottom - 2) == ColorToRGB(clRed), soft);
        edit->SetFlat(false);
        EXPECT_EQ(edit->BorderStyle(), bsSingle);
        EXPECT_EQ(Count(edit, clRed), 0);
        edit->Free();
    }
}

TEST_F(ProEditPaintTest, TheEmptyTextShowsOnlyWhileUnfocusedAndEmpty) {
    TProEdit* edit = Edit();
    edit->SetEmptyText("type here");
    const TColor grey = TColor(0x808080);
    EXPECT_GT(Count(edit, grey), 10);
    Focus(edit);
    EXPECT_EQ(Count(edit, grey), 0);
    Input::Type(edit, "x");
    Input::Key(edit, VK_TAB);
    EXPECT_EQ(Count(edit, grey), 0);
    edit->SetText("");
    EXPECT_GT(Count(edit, grey), 10);
}

TEST_F(ProEditPaintTest, TheErrorMarkerWavesUnderItsCharactersWhileUnfocused) {
    struct Case {
        const char* what;
        Integer pos, len;
        bool shown;
    };
    const std::vector<Case> cases{{"inside", 2, 3, true}, {"past the end", 20, 2, true}, {"no length", 1, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProEdit* edit = Edit();
        edit->SetText("misspelt");
        edit->SetErrorMarkerPos(c.pos);
        edit->SetErrorMarkerLen(c.len);
        EXPECT_EQ(Count(edit, clRed) > 4, c.shown);
        Focus(edit);
        EXPECT_EQ(Count(edit, clRed), 0);
        Input::Key(edit, VK_TAB);
        edit->Free();
    }
}

TEST_F(ProEditPaintTest, TheFocusFrameShowsWhileTheEditIsActiveOrUnderTheMouse) {
    TProEdit* edit = Edit();
    form->SetColor(clYellow);
    edit->SetFocusBorder(true);
    edit->SetFlat(true);
    // Cold: the frame takes the parent's colour.
    EXPECT_EQ(Shown(edit, 0, edit->ClientHeight() / 2), ColorToRGB(clYellow));
    Focus(edit);
    EXPECT_EQ(Shown(edit, 1, edit->ClientHeight() / 2), ColorToRGB(clBtnFace));
    Input::Key(edit, VK_TAB);
    EXPECT_EQ(Shown(edit, 1, edit->ClientHeight() / 2), ColorToRGB(clYellow));
    Testing::MouseEnter(edit);
    EXPECT_EQ(Shown(edit, 1, edit->ClientHeight() / 2), ColorToRGB(clBtnFace));
    Testing::MouseLeave(edit);
    EXPECT_EQ(Shown(edit, 1, edit->ClientHeight() / 2), ColorToRGB(clYellow));
}

// A parent whose erase draws vertical stripes, 3 pixels green then 3 blue, in its client coordinates (or,
// Blank, takes the erase and draws nothing).
class TStripedPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static TColor StripeAt(Integer X) { return (X / 3) % 2 ? clBlue : clLime; }
    bool Blank = false;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg != WM_ERASEBKGND) return TCustomControl::Dispatch(Message);
        const auto dc = reinterpret_cast<HDC>(Message.WParam);
        for (Integer x = 0; x < Width() && !Blank; ++x) {
            HBRUSH brush = CreateSolidBrush(ColorToRGB(StripeAt(x)));
            const RECT column = Rect(x, 0, x + 1, Height());
            FillRect(dc, &column, brush);
            DeleteObject(brush);
        }
        Message.Result = 1;
    }
};

// A graphic child that fills its bounds red.
class TRedBlock : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(ClientRect());
    }
};

TEST_F(ProEditPaintTest, ATransparentEditShowsItsParentsEraseAndGraphicChildrenUnderItsText) {
    auto* panel = Place<TStripedPanel>(10, 100, 300, 80);
    auto* block = new TRedBlock(form);
    block->SetParent(panel);
    block->SetBounds(100, 20, 20, 10);
    TProEdit* edit = Place<TProEdit>(30, 10, 150, 40, panel);
    edit->SetColor(clYellow);
    edit->SetText("Wide text");
    // Client points of the edit, away from the text, and the panel point under each.
    const TPoint origin = panel->ScreenToClient(edit->ClientToScreen(Point(0, 0)));
    struct Case {
        const char* what;
        TPoint at;
    };
    const std::vector<Case> cases{{"a stripe", {120, 30}}, {"the next stripe", {123, 30}}, {"the block", {72, 13}}};
    for (bool transparent : {true, false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        edit->SetTransparent(transparent);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const TPoint under = Point(origin.X + c.at.X, origin.Y + c.at.Y);
            const bool onBlock = block->BoundsRect().Contains(under);
            const TColor parent = onBlock ? clRed : TStripedPanel::StripeAt(under.X);
            EXPECT_EQ(Shown(edit, c.at.X, c.at.Y), ColorToRGB(transparent ? parent : clYellow));
        }
        // The text is still drawn on whatever lies beneath.
        EXPECT_GT(Count(edit, clWindowText), 20);
        EXPECT_EQ(Count(edit, clYellow) > 100, !transparent);
    }
}

TEST_F(ProEditPaintTest, ATransparentEditOverAPlainPanelShowsThePanelsColour) {
    auto* panel = Place<TPanel>(10, 100, 300, 80);
    panel->SetColor(clAqua);
    TProEdit* edit = Place<TProEdit>(30, 10, 150, 40, panel);
    edit->SetTransparent(true);
    EXPECT_EQ(Shown(edit, 100, 20), ColorToRGB(clAqua));
    edit->SetTransparent(false);
    EXPECT_EQ(Shown(edit, 100, 20), ColorToRGB(clWindow));
}

TEST_F(ProEditPaintTest, WhatTheParentsEraseLeavesUndrawnShowsTheEditsColourNotOldPixels) {
    auto* panel = Place<TStripedPanel>(10, 100, 300, 80);
    TProEdit* edit = Place<TProEdit>(30, 10, 150, 40, panel);
    edit->SetColor(clYellow);
    edit->SetTransparent(true);
    const TPoint under = panel->ScreenToClient(edit->ClientToScreen(Point(100, 20)));
    EXPECT_EQ(Shown(edit, 100, 20), ColorToRGB(TStripedPanel::StripeAt(under.X)));
    panel->Blank = true;
    edit->Invalidate();
    EXPECT_EQ(Shown(edit, 100, 20), ColorToRGB(clYellow));
}

}  // namespace
