// A window that paints itself is erased before each paint, as BeginPaint erases: the default erase fills
// the control's colour, a control that takes the erase shows what its own erase drew.

#include <memory>

#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class TErasingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool OwnErase = false;  // the erase fills red itself
    int Erases = 0, Paints = 0;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_ERASEBKGND) ++Erases;
        if (Message.Msg != WM_ERASEBKGND || !OwnErase) return TCustomControl::Dispatch(Message);
        HBRUSH red = CreateSolidBrush(ColorToRGB(clRed));
        const RECT client = ClientRect();
        FillRect(reinterpret_cast<HDC>(Message.WParam), &client, red);
        DeleteObject(red);
        Message.Result = 1;
    }
    void Paint() override { ++Paints; }
};

using EraseTest = FormFixture;

TEST_F(EraseTest, EveryPaintIsErasedFirstByTheControlsOwnEraseOrInItsColour) {
    const struct {
        const char* Name;
        bool OwnErase;
        TColor Shown;
    } cases[] = {{"default erase", false, clLime}, {"own erase", true, clRed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* control = new TErasingControl(form);
        control->OwnErase = c.OwnErase;
        control->SetColor(clLime);
        control->SetParent(form);
        control->SetBounds(10, 10, 60, 40);
        Input::Settle();
        control->Erases = control->Paints = 0;
        control->Invalidate();
        Input::Settle();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        EXPECT_EQ(ColorToRGB(shown->Canvas()->Pixels(40, 30)), ColorToRGB(c.Shown));
        EXPECT_GT(control->Paints, 0);
        EXPECT_EQ(control->Erases, control->Paints);
        control->Free();
    }
}

}  // namespace
