// An edit's painting as the user sees it: the border the edit draws around its client area.

#include <memory>

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

}  // namespace
