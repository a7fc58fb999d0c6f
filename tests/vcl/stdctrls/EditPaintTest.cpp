// An edit's painting and geometry as the user sees it: the border the edit draws around its client area,
// the formatting rectangle and where its characters are.

#include <memory>
#include <optional>

#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class EditPaintTest : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        edit = Place<TEdit>(20, 30, 150, 24);
    }
    // The pixel at X, Y of the edit (negative counts from the right or bottom) as the window shows it.
    TColor Shown(Integer X, Integer Y) {
        Input::Settle();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        if (X < 0) X += edit->Width();
        if (Y < 0) Y += edit->Height();
        return ColorToRGB(shown->Canvas()->Pixels(edit->Left() + X, edit->Top() + Y));
    }

    // The first column and row (client coordinates) where the edit shows dark ink, -1 when none.
    TPoint FirstInk() {
        Input::Settle();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        const TPoint origin = form->ScreenToClient(edit->ClientOrigin());
        TPoint first{-1, -1};
        for (Integer y = 0; y < edit->ClientHeight(); ++y)
            for (Integer x = 0; x < edit->ClientWidth(); ++x) {
                TColor c = ColorToRGB(shown->Canvas()->Pixels(origin.X + x, origin.Y + y));
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 300) continue;
                if (first.X < 0 || x < first.X) first.X = x;
                if (first.Y < 0) first.Y = y;
            }
        return first;
    }
    Integer CharFromPos(Integer X, Integer Y) {
        return LoWord(static_cast<std::uintptr_t>(edit->Perform(EM_CHARFROMPOS, 0, MakeLParam(X, Y))));
    }
    // The top left of character Index, or nothing (-1).
    std::optional<TPoint> PosFromChar(Integer Index) {
        LRESULT at = edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
        if (at == -1) return std::nullopt;
        const auto bits = static_cast<std::uintptr_t>(at);
        return TPoint{LoSmall(bits), HiSmall(bits)};
    }

    TEdit* edit = nullptr;
};

TEST_F(EditPaintTest, TheBorderStyleAndCtl3DDrawTheBorderAndShrinkTheClientArea) {
    const struct {
        TBorderStyle Style;
        bool Ctl3D;
        Integer Border;
        struct {
            Integer X, Y;
            TColor Color;
        } Pixels[6];
    } cases[] = {
        {bsSingle,
         true,
         2,
         {{0, 0, clBtnShadow},
          {0, 10, clBtnShadow},
          {-1, -1, clBtnHighlight},
          {1, 1, cl3DDkShadow},
          {-2, -2, cl3DLight},
          {2, 2, clWindow}}},
        {bsSingle,
         false,
         1,
         {{0, 0, clWindowFrame},
          {-1, 10, clWindowFrame},
          {-1, -1, clWindowFrame},
          {10, -1, clWindowFrame},
          {1, 1, clWindow},
          {-2, -2, clWindow}}},
        {bsNone,
         true,
         0,
         {{0, 0, clWindow},
          {-1, -1, clWindow},
          {1, 1, clWindow},
          {0, 10, clWindow},
          {-2, -2, clWindow},
          {10, -1, clWindow}}},
        {bsSingle,
         true,
         2,
         {{0, 0, clBtnShadow},
          {0, 10, clBtnShadow},
          {-1, -1, clBtnHighlight},
          {1, 1, cl3DDkShadow},
          {-2, -2, cl3DLight},
          {2, 2, clWindow}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.Style << " ctl3d " << c.Ctl3D);
        edit->SetBorderStyle(c.Style);
        edit->SetCtl3D(c.Ctl3D);
        EXPECT_EQ(edit->ClientWidth(), edit->Width() - 2 * c.Border);
        EXPECT_EQ(edit->ClientHeight(), edit->Height() - 2 * c.Border);
        RECT client{};
        GetClientRect(edit->Handle(), &client);
        EXPECT_EQ(client.Right, edit->Width() - 2 * c.Border);
        for (const auto& p : c.Pixels) {
            SCOPED_TRACE(testing::Message() << "at " << p.X << "," << p.Y);
            EXPECT_EQ(Shown(p.X, p.Y), ColorToRGB(p.Color));
        }
    }
}

TEST_F(EditPaintTest, CharactersArePlacedAndFoundAtTheirNearestBoundary) {
    const AnsiString text = "Wide mill";
    edit->SetText(text);
    const auto length = static_cast<Integer>(text.size());
    const std::optional<TPoint> first = PosFromChar(0);
    ASSERT_TRUE(first);
    // The first character's ink starts where EM_POSFROMCHAR puts it.
    const TPoint ink = FirstInk();
    EXPECT_GE(ink.X, first->X);
    EXPECT_LE(ink.X, first->X + 2);
    Integer previous = first->X - 1;
    for (Integer i = 0; i < length; ++i) {
        SCOPED_TRACE(i);
        const std::optional<TPoint> at = PosFromChar(i);
        ASSERT_TRUE(at);
        EXPECT_GT(at->X, previous);
        EXPECT_EQ(at->Y, first->Y);
        EXPECT_EQ(CharFromPos(at->X, at->Y + 3), i);
        const Integer right = i + 1 < length ? PosFromChar(i + 1)->X : -1;
        if (right > at->X + 4) {
            EXPECT_EQ(CharFromPos(at->X + (right - at->X) / 4, at->Y + 3), i);
            EXPECT_EQ(CharFromPos(right - (right - at->X) / 4, at->Y + 3), i + 1);
        }
        previous = at->X;
    }
    const struct {
        Integer X, Y, Index;  // outside the text: clamped to its ends
    } outside[] = {{-50, 5, 0}, {0, -30, 0}, {5000, 5, length}, {5000, 500, length}};
    for (const auto& o : outside) EXPECT_EQ(CharFromPos(o.X, o.Y), o.Index) << o.X << "," << o.Y;
    for (Integer past : {length, length + 1, 1000}) EXPECT_FALSE(PosFromChar(past)) << past;
    edit->SetText("");
    EXPECT_FALSE(PosFromChar(0));
    EXPECT_EQ(CharFromPos(10, 5), 0);
}

TEST_F(EditPaintTest, CharacterPlacesFollowTheScrollingAtOnce) {
    const AnsiString text(200, '8');
    edit->SetText(text);
    const auto last = static_cast<Integer>(text.size()) - 1;
    ASSERT_GE(PosFromChar(0)->X, 0);
    EXPECT_GT(PosFromChar(last)->X, edit->ClientWidth());
    // The caret at the end scrolls the text: asked at once, with no paint between.
    edit->SetSelStart(last + 1);
    EXPECT_LT(PosFromChar(0)->X, 0);
    EXPECT_LT(PosFromChar(last)->X, edit->ClientWidth());
    EXPECT_EQ(CharFromPos(PosFromChar(last)->X, 5), last);
    edit->SetSelStart(0);
    EXPECT_GE(PosFromChar(0)->X, 0);
}

TEST_F(EditPaintTest, TheFormattingRectangleHoldsTheTextAtItsTopAndFollowsResizes) {
    edit->SetAutoSize(false);
    edit->SetBounds(20, 30, 150, 60);
    edit->SetText("Mill");
    const TPoint centred = FirstInk();
    ASSERT_GT(centred.Y, 15);
    TRect rect = Rect(40, 2, edit->ClientWidth() - 10, edit->ClientHeight() - 10);
    edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    TRect got{};
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got, rect);
    const TPoint moved = FirstInk();
    EXPECT_GE(moved.X, 40);
    EXPECT_LT(moved.X, 46);
    EXPECT_LT(moved.Y, 12);
    // A wider and taller edit keeps the margins.
    edit->SetBounds(20, 30, 250, 80);
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got, Rect(40, 2, edit->ClientWidth() - 10, edit->ClientHeight() - 10));
    EXPECT_EQ(FirstInk(), moved);
    // No rectangle: the whole client area again, the text centred.
    edit->Perform(EM_SETRECT, 0, 0);
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got, edit->ClientRect());
    EXPECT_GT(FirstInk().Y, 20);
}

// A handler that takes presses without the inherited handling, as a control drawn over the edit does.
class TPressTakingEdit : public TEdit {
public:
    explicit TPressTakingEdit(TComponent* AOwner) : TEdit(AOwner) {}
    bool TakePresses = true;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_LBUTTONDOWN && TakePresses) return;
        TEdit::Dispatch(Message);
    }
};

TEST_F(EditPaintTest, APressTheEditSkippedIsNotDraggedIntoASelection) {
    auto* taking = Place<TPressTakingEdit>(20, 70, 150, 24);
    taking->SetText("Wide mill wheel");
    Input::Click(taking, 5, 5);
    for (bool take : {true, false}) {
        SCOPED_TRACE(take);
        taking->TakePresses = take;
        taking->SetSelStart(0);
        Testing::MouseDown(taking, 10, 8);
        Testing::MouseMove(taking, 80, 8, {ssLeft});
        Testing::MouseMove(taking, 120, 8, {ssLeft});
        Testing::MouseUp(taking, 120, 8);
        Input::Settle();
        EXPECT_EQ(taking->SelLength() > 0, !take);
    }
}

}  // namespace
