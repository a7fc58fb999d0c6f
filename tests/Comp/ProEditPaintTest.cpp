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

}  // namespace
