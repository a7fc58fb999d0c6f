// The grid's mark-up hint window as a user meets it: the mouse rests on a control whose hints show in it,
// and the hint window appears, sized to its mark-up, outlined, on the monitor where it starts.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ProGrid.h"
#include "PictureContainer.h"
#include "support/FormFixture.h"
#include "support/GraphicsTestSupport.h"

using ProGrid::THTMLHintWindow;

namespace {

class HTMLHint : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        edit = Place<TEdit>(10, 10, 100, 24);
        edit->SetFocus();
        target = Place<TPanel>(10, 50, 120, 60);
        target->SetShowHint(true);
        Application->OnShowHint = [this](AnsiString&, bool&, THintInfo& info) {
            info.HintWindowClass = THTMLHintWindow::ClassInfo();
            info.HintColor = clYellow;
            if (place.X >= 0) info.HintPos = place;
        };
    }
    void TearDown() override {
        Application->CancelHint();
        Application->OnShowHint = nullptr;
        Screen->ResetMonitors();
        ResetWindowsVersion();
        FormFixture::TearDown();
    }

    // The mouse rests on the target with Hint as its hint; the window that shows it.
    THTMLHintWindow* ShowHint(const AnsiString& Hint) {
        Application->CancelHint();
        target->SetHint(Hint);
        Testing::MouseMove(target, 5, 5);
        Testing::ShowHintNow(target);
        return dynamic_cast<THTMLHintWindow*>(Testing::ShownHintWindow());
    }
    std::unique_ptr<TBitmap> Shot(THTMLHintWindow* Window) {
        return std::unique_ptr<TBitmap>(Testing::GrabWindow(Window));
    }
    // The box of the pixels of Color inside the outline; empty when there are none.
    static TRect BoxOf(TBitmap* Shot, TColor Color) {
        TRect box = Rect(Shot->Width(), Shot->Height(), 0, 0);
        for (Integer y = 1; y < Shot->Height() - 1; ++y)
            for (Integer x = 1; x < Shot->Width() - 1; ++x)
                if (ColorToRGB(Shot->Canvas()->Pixels(x, y)) == ColorToRGB(Color)) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box.Left < box.Right ? box : TRect{};
    }
    // Pixels inside the outline that are not the hint colour.
    static Integer InkCount(TBitmap* Shot) {
        Integer n = 0;
        for (Integer y = 1; y < Shot->Height() - 1; ++y)
            for (Integer x = 1; x < Shot->Width() - 1; ++x) n += Shot->Canvas()->Pixels(x, y) != clYellow;
        return n;
    }

    TEdit* edit = nullptr;
    TPanel* target = nullptr;
    TPoint place{-1, -1};
};

TEST_F(HTMLHint, CalcHintRectIsTheMarkupSizeWrappedAtTheMaximumWidth) {
    TFixedMetricsScope metrics;
    struct Case {
        const char* hint;
        Integer maxWidth;
        TRect expected;
    };
    const Case cases[] = {
        {"abc", 300, Rect(0, 0, 18, 13)},
        {"<B>ab</B><BR>cdef", 300, Rect(0, 0, 24, 26)},
        {"aaaa bbbb cccc", 41, Rect(0, 0, 54, 26)},
        {"aaaa bbbb cccc", 300, Rect(0, 0, 84, 13)},
        {"", 300, Rect(0, 0, 0, 13)},
    };
    auto* window = new THTMLHintWindow(nullptr);
    for (const Case& c : cases) EXPECT_EQ(window->CalcHintRect(c.maxWidth, c.hint, nullptr), c.expected) << c.hint;
    window->Free();
}

TEST_F(HTMLHint, TheWindowFitsTheMarkupAndStaysOnTheMonitorItStartsOn) {
    TFixedMetricsScope metrics;
    // A second, taller monitor right of the primary one.
    Screen->SetMonitorsForTest({{Bounds(0, 0, 800, 600), {}, true}, {Bounds(800, 0, 1024, 768), {}, false}});
    struct Case {
        const char* name;
        TPoint origin;
        TRect expected;  // "abc": 18 x 13 of mark-up, so 34 x 17 of window
    };
    const Case cases[] = {
        {"room", {100, 100}, Bounds(100, 100, 34, 17)},
        {"right edge", {790, 100}, Bounds(764, 100, 34, 17)},
        {"bottom edge", {100, 590}, Bounds(100, 581, 34, 17)},
        {"both edges", {790, 590}, Bounds(764, 581, 34, 17)},
        {"second monitor, below the first's bottom", {900, 650}, Bounds(900, 650, 34, 17)},
        {"second monitor's right edge", {1800, 100}, Bounds(1788, 100, 34, 17)},
        {"second monitor's bottom", {900, 760}, Bounds(900, 749, 34, 17)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        place = c.origin;
        ASSERT_NE(ShowHint("abc"), nullptr);
        EXPECT_EQ(Testing::ShownHint().Text, "abc");
        EXPECT_EQ(Testing::ShownHint().Bounds, c.expected);
    }
}

TEST_F(HTMLHint, ALightAndADarkLineOutlineTheHintWhereTheFrameWas) {
    THTMLHintWindow* window = ShowHint("outline");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(GetWindowLong(window->Handle(), GWL_STYLE) & WS_BORDER);
    auto shot = Shot(window);
    const Integer r = shot->Width() - 1, b = shot->Height() - 1;
    const TColor light = static_cast<TColor>(ColorToRGB(cl3DLight)),
                 dark = static_cast<TColor>(ColorToRGB(cl3DDkShadow));
    struct Probe {
        const char* where;
        Integer x, y;
        TColor color;
    };
    const Probe probes[] = {
        {"top left", 0, 0, light},
        {"top, before the corner", r - 1, 0, light},
        {"top right corner: the light line leaves its last point", r, 0, dark},
        {"left, above the bottom line", 0, b - 1, light},
        {"bottom left", 0, b, dark},
        {"bottom right", r, b, dark},
        {"right", r, 1, dark},
        {"inside", 1, 1, clYellow},
        {"inside, bottom right", r - 1, b - 1, clYellow},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(p.x, p.y)), ColorToRGB(p.color)) << p.where;
}

TEST_F(HTMLHint, TheTextIsCentredVerticallyInItsBoxFourPixelsIn) {
    THTMLHintWindow* window = ShowHint("<FONT BGCOLOR=\"clred\">Centre</FONT>");
    ASSERT_NE(window, nullptr);
    auto shot = Shot(window);
    const TRect text = BoxOf(shot.get(), clRed);
    ASSERT_FALSE(text.IsEmpty());
    // The box starts 4 pixels in; the renderer starts its lines a pixel inside the box.
    EXPECT_EQ(text.Left, 4 + 1);
    EXPECT_EQ(text.Top, 2);
    EXPECT_EQ(shot->Height() - text.Bottom, 2);
    EXPECT_EQ(shot->Width() - text.Right, 16 - 4 - 1);
}

TEST_F(HTMLHint, TheDropShadowIsAskedForFromVersionFivePointOne) {
    struct Case {
        DWORD platform, major, minor;
        bool shadow;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_NT, 5, 0, false},
        {VER_PLATFORM_WIN32_NT, 5, 1, true},
        {VER_PLATFORM_WIN32_NT, 6, 0, true},
        {VER_PLATFORM_WIN32_WINDOWS, 5, 1, false},
    };
    for (const Case& c : cases) {
        SetWindowsVersionForTest(c.platform, c.major, c.minor, 2600);
        THTMLHintWindow* window = ShowHint("shadow");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ((GetClassLong(window->Handle(), GCL_STYLE) & CS_DROPSHADOW) != 0, c.shadow)
            << c.platform << " " << c.major << "." << c.minor;
    }
}

TEST_F(HTMLHint, TheFocusStaysInTheFormWhileTheHintShows) {
    THTMLHintWindow* window = ShowHint("<B>bold</B> hint");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(GetWindowLong(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Screen->ActiveForm(), form);
    Testing::TypeText(form, "ok");
    EXPECT_EQ(edit->Text(), "ok");
}

// A text change tells the window by CM_TEXTCHANGED alone; the window paints itself again then, whatever
// was drawn over it meanwhile.
TEST_F(HTMLHint, TheTextChangedMessageRepaintsTheWindow) {
    THTMLHintWindow* window = ShowHint("WWWWWW");
    ASSERT_NE(window, nullptr);
    const Integer ink = InkCount(Shot(window).get());
    window->Canvas()->Brush()->SetColor(clRed);
    window->Canvas()->FillRect(window->ClientRect());
    ASSERT_FALSE(BoxOf(Shot(window).get(), clRed).IsEmpty());
    window->Perform(CM_TEXTCHANGED, 0, 0);
    const auto shot = Shot(window);
    EXPECT_TRUE(BoxOf(shot.get(), clRed).IsEmpty());
    EXPECT_EQ(InkCount(shot.get()), ink);
}

TEST_F(HTMLHint, BlinkingTextIsInvisibleAndAnchorsAreUnderlinedInBlue) {
    THTMLHintWindow* window = ShowHint("<BLI>WWWWWW</BLI>");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(InkCount(Shot(window).get()), 0);
    window = ShowHint("WWWWWW");
    ASSERT_NE(window, nullptr);
    EXPECT_GT(InkCount(Shot(window).get()), 20) << "the same text without blinking";

    window = ShowHint("<A href=\"there\">WWWWWW</A>");
    ASSERT_NE(window, nullptr);
    auto shot = Shot(window);
    // A blue row as wide as the text, at its foot.
    Integer longest = 0;
    for (Integer y = 1; y < shot->Height() - 1; ++y) {
        Integer run = 0;
        for (Integer x = 1; x < shot->Width() - 1; ++x) {
            run = shot->Canvas()->Pixels(x, y) == clBlue ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GE(longest, shot->Width() - 16 - 2);
}

TEST(ProGridHintWindow, TheGridKeepsAHintWindowAndFreesItsCachedPictures) {
    auto* grid = new ProGrid::RAdeRedeviDidi(nullptr);
    TComponentRef<THTMLHintWindow> hint = grid->HintWindow();
    ASSERT_NE(hint.Get(), nullptr);
    ASSERT_NE(grid->PictureCache(), nullptr);
    // Freed with the grid: the sanitizer build reports any left behind.
    grid->PictureCache()->AddPicture();
    grid->PictureCache()->AddPicture();
    EXPECT_EQ(grid->PictureCache()->Count(), 2);
    grid->Free();
    EXPECT_EQ(hint.Get(), nullptr);
}

}  // namespace
