// The gradient panel on a shown form: the two gradients at the split, the inset inside the bevels,
// equal colours and the inactive panel showing the plain panel, and its use as a progress bar.
#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ComponentHandling.h"
#include "GPanel.h"
#include "support/FormFixture.h"
#include "vcl/Windows.h"

using namespace GPanel;

namespace {

constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Green = 0x00FF00;
constexpr TColor Face = 0x808080;

class GPanelTest : public FormFixture {
protected:
    static void SetUpTestSuite() {
        FormFixture::SetUpTestSuite();
        RegisterGPanel();
    }

    // A panel without bevels or caption, so every pixel belongs to the gradients or the face colour.
    TGPanel* PlacePanel(Integer Width, Integer Height) {
        auto* panel = Place<TGPanel>(10, 10, Width, Height);
        panel->SetBevelOuter(bvNone);
        panel->SetCaption("");
        panel->SetColor(Face);
        return panel;
    }

    static std::unique_ptr<TBitmap> Render(TWinControl* Control) {
        return std::unique_ptr<TBitmap>(Testing::RenderControl(Control));
    }

    // The colours along the middle row (Horizontal) or the middle column.
    static std::vector<TColor> Line(TGPanel* Panel) {
        const auto bitmap = Render(Panel);
        std::vector<TColor> colours;
        TCanvas* canvas = bitmap->Canvas();
        if (Panel->Horizontal()) {
            for (Integer x = 0; x < Panel->Width(); ++x) colours.push_back(canvas->Pixels(x, Panel->Height() / 2));
        } else {
            for (Integer y = 0; y < Panel->Height(); ++y) colours.push_back(canvas->Pixels(Panel->Width() / 2, y));
        }
        return colours;
    }
};

TColor Rgb(TColor Color) { return static_cast<TColor>(ColorToRGB(Color)); }

// Every channel moves from From towards To, never back.
void ExpectMonotonic(const std::vector<TColor>& Colours, std::size_t First, std::size_t Last) {
    for (std::size_t i = First; i < Last; ++i) {
        const COLORREF a = ColorToRGB(Colours[i]);
        const COLORREF b = ColorToRGB(Colours[i + 1]);
        const COLORREF from = ColorToRGB(Colours[First]);
        const COLORREF to = ColorToRGB(Colours[Last]);
        const auto towards = [](int x, int y, int start, int end) { return start <= end ? x <= y : x >= y; };
        EXPECT_TRUE(towards(GetRValue(a), GetRValue(b), GetRValue(from), GetRValue(to)) &&
                    towards(GetGValue(a), GetGValue(b), GetGValue(from), GetGValue(to)) &&
                    towards(GetBValue(a), GetBValue(b), GetBValue(from), GetBValue(to)))
            << "at " << i;
    }
}

TEST_F(GPanelTest, PercentIsClampedToOneToHundred) {
    auto* panel = PlacePanel(100, 20);
    const std::pair<Integer, Integer> cases[] = {{0, 1}, {-5, 1}, {1, 1}, {50, 50}, {100, 100}, {250, 100}};
    for (const auto& [set, read] : cases) {
        panel->SetPercent(set);
        EXPECT_EQ(panel->Percent(), read) << set;
    }
}

TEST_F(GPanelTest, TheTwoGradientsMeetAtTheSplit) {
    struct Case {
        bool horizontal;
        Integer width, height, percent;
        std::size_t split;  // first pixel of the second gradient
    };
    const Case cases[] = {
        {true, 200, 20, 50, 100},
        {true, 201, 20, 33, 66},
        {false, 20, 100, 20, 20},  // the title-bar style: a short gradient on top, a long one below
        {true, 50, 20, 1, 1},      // a part is at least one pixel
    };
    for (const Case& c : cases) {
        auto* panel = PlacePanel(c.width, c.height);
        panel->SetHorizontal(c.horizontal);
        panel->SetColor_1(Red);
        panel->SetColor_2(White);
        panel->SetColor_3(Blue);
        panel->SetPercent(c.percent);
        const std::vector<TColor> line = Line(panel);
        const std::size_t last = line.size() - 1;
        EXPECT_EQ(line[0], Red) << c.percent;
        // A one-pixel part has room for its start colour only.
        EXPECT_EQ(line[c.split - 1], c.split > 1 ? White : Red) << c.percent;
        EXPECT_EQ(line[c.split], White) << c.percent;
        EXPECT_EQ(line[last], Blue) << c.percent;
        ExpectMonotonic(line, 0, c.split - 1);
        ExpectMonotonic(line, c.split, last);
        // The bands run across the whole area: the first and last row or column match the middle one.
        const auto bitmap = Render(panel);
        const Integer at = static_cast<Integer>(c.split);
        if (c.horizontal) {
            EXPECT_EQ(bitmap->Canvas()->Pixels(at, 0), line[c.split]);
            EXPECT_EQ(bitmap->Canvas()->Pixels(at, c.height - 1), line[c.split]);
        } else {
            EXPECT_EQ(bitmap->Canvas()->Pixels(0, at), line[c.split]);
            EXPECT_EQ(bitmap->Canvas()->Pixels(c.width - 1, at), line[c.split]);
        }
        panel->Free();
    }
}

TEST_F(GPanelTest, AGradientStepsEvenlyFromItsStartToItsEndColour) {
    // 255 colour steps over 256 pixels, and more steps than pixels (each band then one pixel).
    for (Integer width : {256, 10}) {
        auto* panel = PlacePanel(width, 10);
        panel->SetColor_1(Black);
        panel->SetColor_2(White);
        const std::vector<TColor> line = Line(panel);
        EXPECT_EQ(line.front(), Black);
        EXPECT_EQ(line.back(), White);
        ExpectMonotonic(line, 0, line.size() - 1);
        int smallest = 255, largest = 0;
        for (std::size_t i = 1; i < line.size(); ++i) {
            const int step = GetRValue(ColorToRGB(line[i])) - GetRValue(ColorToRGB(line[i - 1]));
            if (width == 10) {
                EXPECT_GT(step, 0) << "at " << i;
            }
            if (step == 0) continue;
            smallest = std::min(smallest, step);
            largest = std::max(largest, step);
        }
        EXPECT_LE(largest - smallest, 1) << width;  // equal steps up to rounding
        panel->Free();
    }
}

TEST_F(GPanelTest, TheGradientsFillTheAreaInsideTheBevels) {
    auto* panel = PlacePanel(60, 100);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetHorizontal(false);
    panel->SetColor_1(Red);
    panel->SetColor_2(White);
    panel->SetColor_3(Blue);
    panel->SetPercent(50);
    const auto bitmap = Render(panel);
    TCanvas* canvas = bitmap->Canvas();
    // Inset 4; the area is 92 high, split after 46 rows.
    EXPECT_EQ(canvas->Pixels(30, 4), Red);
    EXPECT_EQ(canvas->Pixels(4, 4), Red);
    EXPECT_EQ(canvas->Pixels(55, 4), Red);
    EXPECT_EQ(canvas->Pixels(30, 49), White);
    EXPECT_EQ(canvas->Pixels(30, 50), White);
    EXPECT_EQ(canvas->Pixels(30, 95), Blue);
    // The bevels stay as the panel painted them.
    EXPECT_EQ(canvas->Pixels(0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(canvas->Pixels(59, 99), Rgb(clBtnShadow));
    EXPECT_EQ(canvas->Pixels(2, 2), Rgb(clBtnShadow));
}

TEST_F(GPanelTest, EqualColoursAndAnInactivePanelShowThePlainPanel) {
    auto* plain = Place<TPanel>(10, 10, 80, 30);
    plain->SetColor(Face);
    plain->SetCaption("Caption");
    const auto expected = Render(plain);
    struct Case {
        const char* name;
        bool active;
        TColor color1, color2, color3;
        Integer percent;
    };
    const Case cases[] = {
        {"inactive", false, Red, White, Blue, 40},
        {"equal colours", true, Green, Green, Blue, 100},
        {"both gradients flat", true, Green, Green, Green, 40},
    };
    for (const Case& c : cases) {
        auto* panel = Place<TGPanel>(10, 10, 80, 30);
        panel->SetColor(Face);
        panel->SetCaption("Caption");
        panel->SetActive(c.active);
        panel->SetColor_1(c.color1);
        panel->SetColor_2(c.color2);
        panel->SetColor_3(c.color3);
        panel->SetPercent(c.percent);
        const auto shown = Render(panel);
        int differing = 0;
        for (Integer y = 0; y < 30; ++y)
            for (Integer x = 0; x < 80; ++x)
                if (shown->Canvas()->Pixels(x, y) != expected->Canvas()->Pixels(x, y)) ++differing;
        EXPECT_EQ(differing, 0) << c.name;
        panel->Free();
    }
}

TEST_F(GPanelTest, AsAProgressBarTheFilledPartFollowsPercent) {
    // The bar's rest has Color_2 = Color_3: no second gradient, the face shows there.
    auto* bar = PlacePanel(200, 16);
    bar->SetColor_1(Blue);
    bar->SetColor_2(Green);
    bar->SetColor_3(Green);
    for (Integer percent : {10, 45, 99}) {
        bar->SetPercent(percent);
        const std::vector<TColor> line = Line(bar);
        const std::size_t filled = static_cast<std::size_t>(200 * percent / 100);
        EXPECT_EQ(line[0], Blue) << percent;
        EXPECT_EQ(line[filled - 1], Green) << percent;
        for (std::size_t x = filled; x < line.size(); ++x) ASSERT_EQ(line[x], Face) << percent << " at " << x;
    }
}

TEST_F(GPanelTest, FormDescriptionSetsThePublishedProperties) {
    const char* text = R"(object Form1: TForm
  object GPanel1: TGPanel
    Width = 120
    Height = 40
    Active = False
    Color_1 = clNavy
    Color_2 = clWhite
    Color_3 = 255
    Horizontal = False
    Percent = 300
  end
end
)";
    ReadComponentFromText(text, form);
    auto* panel = dynamic_cast<TGPanel*>(form->FindComponent("GPanel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->Active());
    EXPECT_EQ(panel->Color_1(), clNavy);
    EXPECT_EQ(panel->Color_2(), clWhite);
    EXPECT_EQ(panel->Color_3(), 255);
    EXPECT_FALSE(panel->Horizontal());
    EXPECT_EQ(panel->Percent(), 100);
}

TEST_F(GPanelTest, MovingChildrenLeavesGradientPanelsBehind) {
    auto* source = Place<TPanel>(0, 0, 200, 100);
    auto* target = Place<TGPanel>(0, 0, 200, 100, source);
    auto* titleBar = Place<TGPanel>(0, 0, 200, 20, source);
    auto* edit = Place<TEdit>(10, 30, 80, 20, source);
    auto* label = Place<TLabel>(10, 60, 80, 20, source);
    ComponentHandling::MoveChildrenTo(source, target);
    EXPECT_EQ(target->Parent(), source);
    EXPECT_EQ(titleBar->Parent(), source);
    EXPECT_EQ(edit->Parent(), target);
    EXPECT_EQ(label->Parent(), target);
    EXPECT_TRUE(label->Transparent());
}

}  // namespace
