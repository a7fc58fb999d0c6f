// A pop-up window (a top-level control without a caption) shows at screen coordinates without taking
// the activation from the form, and a window region limits where it shows.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "vcl/Windows.h"

namespace {

class TPopupSample : public TCustomControl {
    VCL_CLASS(TPopupSample, TCustomControl)
    explicit TPopupSample(TComponent* AOwner) : TCustomControl(AOwner) { SetVisible(false); }

protected:
    void CreateParams(TCreateParams& Params) override {
        TCustomControl::CreateParams(Params);
        Params.Style = WS_POPUP | WS_DISABLED;
    }
};
VCL_IMPLEMENT_CLASS(TPopupSample, nullptr, nullptr)

class PopupWindow : public TwoSwatchForm {
protected:
    void SetUp() override {
        TwoSwatchForm::SetUp();
        first->SetFocus();
        popup = MakeOwned<TPopupSample>(nullptr);
        popup->SetBounds(320, 240, 50, 40);
    }
    void TearDown() override {
        popup.reset();
        TwoSwatchForm::TearDown();
    }
    TOwned<TPopupSample> popup;
};

TEST_F(PopupWindow, ShowsAtScreenCoordinatesOnTopWithoutTakingTheActivation) {
    Application->ProcessMessages();
    ASSERT_TRUE(Testing::PeerHasFocus(first));
    SetWindowPos(popup->Handle(), HWND_TOPMOST, 330, 250, 60, 45, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Application->ProcessMessages();
    EXPECT_TRUE(Testing::PeerVisible(popup.get()));
    EXPECT_EQ(Testing::PeerGeometry(popup.get()), Bounds(330, 250, 60, 45)) << "no frame around it";
    RECT r{};
    ASSERT_TRUE(GetWindowRect(popup->Handle(), &r));
    EXPECT_EQ(r, Bounds(330, 250, 60, 45));
    EXPECT_TRUE(form->Active()) << "the form keeps the activation";
    EXPECT_TRUE(Testing::PeerHasFocus(first)) << "and its control the focus";
}

TEST_F(PopupWindow, AWindowRegionIsReadBackAsSet) {
    const POINT triangle[] = {{0, 0}, {50, 0}, {0, 40}};
    HRGN shape = CreatePolygonRgn(triangle, 3, ALTERNATE);
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(PtInRegion(shape, 5, 5));
    EXPECT_FALSE(PtInRegion(shape, 45, 35));
    HRGN expected = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_EQ(SetWindowRgn(popup->Handle(), shape, TRUE), 1);

    HRGN read = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(popup->Handle(), read), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(read, expected));
    EXPECT_EQ(SetWindowRgn(popup->Handle(), nullptr, TRUE), 1);
    EXPECT_EQ(GetWindowRgn(popup->Handle(), read), ERROR) << "no region any more";
    EXPECT_EQ(SetWindowRgn(nullptr, nullptr, TRUE), 0);
    DeleteObject(read);
    DeleteObject(expected);
}

}  // namespace
