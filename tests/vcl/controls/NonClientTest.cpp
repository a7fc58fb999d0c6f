// The frame around windowed controls and what they draw on it, as the whole window shows it.

#include <functional>
#include <memory>

#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class NonClientTest : public FormFixture {
public:
    template <typename T>
    T* Make(Integer Width, Integer Height) {
        return Place<T>(20, 20, Width, Height);
    }

protected:
    // The colour the window shows at X, Y of Control's whole window (negative counts from the right or bottom).
    TColor Shown(TWinControl* Control, Integer X, Integer Y) {
        Input::Settle();
        std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
        if (X < 0) X += Control->Width();
        if (Y < 0) Y += Control->Height();
        return ColorToRGB(picture->Canvas()->Pixels(Control->Left() + X, Control->Top() + Y));
    }
};

struct Pixel {
    Integer X, Y;
    TColor Color;
};

// Sunken with Ctl3D: shadow then dark shadow at the top left, highlight then light at the bottom right.
const Pixel sunken[] = {{0, 0, clBtnShadow},      {0, 12, clBtnShadow},     {12, 0, clBtnShadow},
                        {1, 1, cl3DDkShadow},     {1, 12, cl3DDkShadow},    {-1, -1, clBtnHighlight},
                        {-1, 12, clBtnHighlight}, {12, -1, clBtnHighlight}, {-2, -2, cl3DLight}};
const Pixel line[] = {{0, 0, clWindowFrame},
                      {0, 12, clWindowFrame},
                      {-1, -1, clWindowFrame},
                      {-1, 12, clWindowFrame},
                      {12, -1, clWindowFrame}};

TEST_F(NonClientTest, BorderStyleAndCtl3DGiveEveryControlTheStandardFrameOutsideItsClientArea) {
    const std::function<TWinControl*(NonClientTest&, TBorderStyle)> kinds[] = {
        [](NonClientTest& t, TBorderStyle s) {
            auto* c = t.Make<TStringGrid>(200, 120);
            c->SetScrollBars(ssNone);
            c->SetBorderStyle(s);
            return c;
        },
        [](NonClientTest& t, TBorderStyle s) {
            auto* c = t.Make<TEdit>(150, 24);
            c->SetBorderStyle(s);
            return c;
        },
        [](NonClientTest& t, TBorderStyle s) {
            auto* c = t.Make<TMemo>(150, 80);
            c->SetBorderStyle(s);
            return c;
        },
        [](NonClientTest& t, TBorderStyle s) {
            auto* c = t.Make<TPanel>(150, 80);
            c->SetBorderStyle(s);
            return c;
        },
    };
    const struct {
        TBorderStyle Style;
        bool Ctl3D;
        Integer Edge;
        const Pixel* Pixels;
        std::size_t Count;
    } cases[] = {
        {bsSingle, true, 2, sunken, std::size(sunken)},
        {bsSingle, false, 1, line, std::size(line)},
        {bsNone, true, 0, nullptr, 0},
        {bsNone, false, 0, nullptr, 0},
    };
    for (std::size_t k = 0; k < std::size(kinds); ++k) {
        for (const auto& c : cases) {
            TWinControl* control = kinds[k](*this, c.Style);
            control->SetCtl3D(c.Ctl3D);
            SCOPED_TRACE(testing::Message() << control->ClassName() << " style " << c.Style << " ctl3d " << c.Ctl3D);
            const TRect client = control->ClientRect();
            EXPECT_EQ(client.Right, control->Width() - 2 * c.Edge);
            EXPECT_EQ(client.Bottom, control->Height() - 2 * c.Edge);
            EXPECT_EQ(control->ClientOrigin().X, form->ClientOrigin().X + control->Left() + c.Edge);
            for (std::size_t i = 0; i < c.Count; ++i) {
                const Pixel& p = c.Pixels[i];
                SCOPED_TRACE(testing::Message() << "at " << p.X << "," << p.Y);
                EXPECT_EQ(Shown(control, p.X, p.Y), ColorToRGB(p.Color));
            }
            control->Free();
        }
    }
}

TEST_F(NonClientTest, ADefaultStringGridShowsItsSunkenFrame) {
    auto* grid = Place<TStringGrid>(10, 10, 200, 120);
    for (const Pixel& p : sunken) {
        SCOPED_TRACE(testing::Message() << "at " << p.X << "," << p.Y);
        EXPECT_EQ(Shown(grid, p.X, p.Y), ColorToRGB(p.Color));
    }
}

TEST_F(NonClientTest, ChangingTheBorderStyleMovesTheClientAreaOfAShownControl) {
    auto* grid = Place<TStringGrid>(10, 10, 200, 120);
    grid->SetScrollBars(ssNone);
    ASSERT_EQ(Shown(grid, 0, 0), ColorToRGB(clBtnShadow));
    grid->SetBorderStyle(bsNone);
    EXPECT_EQ(grid->ClientWidth(), 200);
    EXPECT_NE(Shown(grid, 0, 0), ColorToRGB(clBtnShadow));
    grid->SetCtl3D(false);
    grid->SetBorderStyle(bsSingle);
    EXPECT_EQ(grid->ClientWidth(), 198);
    EXPECT_EQ(Shown(grid, 0, 0), ColorToRGB(clWindowFrame));
    EXPECT_EQ(Shown(grid, -1, -1), ColorToRGB(clWindowFrame));
}

// A control that paints its own frame on WM_NCPAINT through the window's device context: a red line, then
// a lime one inside, with or without the standard frame first.
template <typename Base>
class TOwnFrame : public Base {
public:
    explicit TOwnFrame(TComponent* AOwner) : Base(AOwner) {}
    bool AfterDefault = false;
    int NcPaints = 0;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg != WM_NCPAINT) return Base::Dispatch(Message);
        ++NcPaints;
        if (AfterDefault) Base::Dispatch(Message);
        HDC dc = GetWindowDC(this->Handle());
        ASSERT_NE(dc, nullptr);
        RECT r = Rect(0, 0, this->Width(), this->Height());
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FrameRect(dc, &r, red);
        DeleteObject(red);
        if (!AfterDefault) {
            r = Rect(1, 1, this->Width() - 1, this->Height() - 1);
            HBRUSH lime = CreateSolidBrush(RGB(0, 255, 0));
            FrameRect(dc, &r, lime);
            DeleteObject(lime);
        }
        ReleaseDC(this->Handle(), dc);
    }
};

TEST_F(NonClientTest, AControlPaintsItsOwnFrameOnWMNCPaintInsteadOfOrAfterTheStandardOne) {
    const struct {
        const char* Kind;
        bool AfterDefault;
        TColor Outer, Inner;
    } cases[] = {
        {"grid", false, clRed, clLime},
        {"grid", true, clRed, cl3DDkShadow},
        {"edit", false, clRed, clLime},
        {"edit", true, clRed, cl3DDkShadow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Kind << (c.AfterDefault ? " after the default" : " instead"));
        TWinControl* control = nullptr;
        int* paints = nullptr;
        if (std::string(c.Kind) == "grid") {
            auto* grid = new TOwnFrame<TStringGrid>(form);
            grid->AfterDefault = c.AfterDefault;
            paints = &grid->NcPaints;
            control = grid;
        } else {
            auto* edit = new TOwnFrame<TEdit>(form);
            edit->AfterDefault = c.AfterDefault;
            paints = &edit->NcPaints;
            control = edit;
        }
        control->SetParent(form);
        control->SetBounds(30, 30, 150, 60);
        EXPECT_EQ(Shown(control, 0, 0), ColorToRGB(c.Outer));
        EXPECT_EQ(Shown(control, -1, 20), ColorToRGB(c.Outer));
        EXPECT_EQ(Shown(control, 1, 1), ColorToRGB(c.Inner));
        EXPECT_GT(*paints, 0);
        control->Free();
    }
}

TEST_F(NonClientTest, GetDCAndGetWindowDCAnswerForEveryControlAndNeverRaise) {
    const std::function<TWinControl*(NonClientTest&)> kinds[] = {
        [](NonClientTest& t) { return t.Make<TEdit>(150, 24); },
        [](NonClientTest& t) { return t.Make<TMemo>(150, 80); },
        [](NonClientTest& t) { return t.Make<TComboBox>(150, 24); },
        [](NonClientTest& t) { return t.Make<TButton>(150, 24); },
        [](NonClientTest& t) { return t.Make<TCheckBox>(150, 24); },
        [](NonClientTest& t) { return t.Make<TStringGrid>(150, 80); },
        [](NonClientTest& t) { return t.Make<TPanel>(150, 80); },
    };
    for (const auto& kind : kinds) {
        TWinControl* control = kind(*this);
        SCOPED_TRACE(control->ClassName());
        HWND window = control->Handle();
        Shown(control, 0, 0);  // painted once: what is drawn now stays
        HDC client = nullptr, whole = nullptr;
        ASSERT_NO_THROW(client = GetDC(window));
        ASSERT_NO_THROW(whole = GetWindowDC(window));
        ASSERT_NE(client, nullptr);
        ASSERT_NE(whole, nullptr);
        EXPECT_NO_THROW(SetPixel(client, 4, 4, RGB(0, 0, 255)));
        EXPECT_NO_THROW(SetPixel(whole, 0, 0, RGB(255, 0, 255)));
        ReleaseDC(window, client);
        ReleaseDC(window, whole);
        EXPECT_EQ(Shown(control, 0, 0), ColorToRGB(clFuchsia)) << "the window's device context starts at its corner";
        const Integer edge = control->ClientOrigin().X - form->ClientOrigin().X - control->Left();
        EXPECT_EQ(Shown(control, edge + 4, edge + 4), ColorToRGB(clBlue)) << "the client's at its client area";
        {
            TControlCanvas canvas;
            canvas.SetControl(control);
            EXPECT_NO_THROW(canvas.FillRect(Rect(0, 0, 2, 2)));
        }
        control->Free();
        EXPECT_EQ(GetDC(window), nullptr);
        EXPECT_EQ(GetWindowDC(window), nullptr);
    }
}

}  // namespace
