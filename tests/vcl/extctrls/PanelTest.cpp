#include "ExtCtrlsFixture.h"

using PanelTest = ExtCtrlsTest;

TEST_F(PanelTest, ClientAreaShrinksByBorderBevelsAndBorderWidthTwice) {
    struct Case {
        TPanelBevel Inner, Outer;
        Integer BevelWidth, BorderWidth;
        TBorderStyle Border;
        Integer ClientWidth, ClientHeight;  // of a 200 x 100 panel
        TRect Child;                        // an alClient child's bounds
    };
    const Case cases[] = {
        {bvNone, bvNone, 1, 0, bsNone, 200, 100, {0, 0, 200, 100}},
        {bvNone, bvRaised, 1, 0, bsNone, 200, 100, {1, 1, 199, 99}},
        {bvLowered, bvRaised, 2, 0, bsNone, 200, 100, {4, 4, 196, 96}},
        {bvSpace, bvNone, 3, 0, bsNone, 200, 100, {3, 3, 197, 97}},
        {bvNone, bvRaised, 1, 3, bsNone, 194, 94, {4, 4, 190, 90}},
        {bvNone, bvNone, 1, 0, bsSingle, 196, 96, {0, 0, 196, 96}},
        {bvRaised, bvRaised, 1, 2, bsSingle, 192, 92, {4, 4, 188, 88}},
    };
    for (const Case& c : cases) {
        auto* panel = Place<TPanel>(0, 0, 200, 100);
        panel->SetBevelInner(c.Inner);
        panel->SetBevelOuter(c.Outer);
        panel->SetBevelWidth(c.BevelWidth);
        panel->SetBorderWidth(c.BorderWidth);
        panel->SetBorderStyle(c.Border);
        auto* child = Place<TPanel>(0, 0, 10, 10, panel);
        child->SetAlign(alClient);
        EXPECT_EQ(panel->ClientWidth(), c.ClientWidth) << c.Inner << c.Outer << c.BorderWidth << c.Border;
        EXPECT_EQ(panel->ClientHeight(), c.ClientHeight);
        EXPECT_EQ(child->BoundsRect(), c.Child) << c.Inner << c.Outer << c.BorderWidth << c.Border;
        panel->Free();
    }
}

TEST_F(PanelTest, AlignedChildrenStackInsideTheBevel) {
    auto* panel = Place<TPanel>(0, 0, 200, 100);
    auto* top = Place<TPanel>(0, 0, 50, 20, panel);
    top->SetAlign(alTop);
    auto* left = Place<TPanel>(0, 0, 30, 20, panel);
    left->SetAlign(alLeft);
    auto* rest = Place<TPanel>(0, 0, 10, 10, panel);
    rest->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(1, 1, 199, 21));
    EXPECT_EQ(left->BoundsRect(), Rect(1, 21, 31, 99));
    EXPECT_EQ(rest->BoundsRect(), Rect(31, 21, 199, 99));
}

TEST_F(PanelTest, DefaultsAreThoseOfTheClassLibrary) {
    const auto owned = MakeOwned<TPanel>(nullptr);
    TPanel& panel = *owned;
    EXPECT_EQ(panel.Width(), 185);
    EXPECT_EQ(panel.Height(), 41);
    EXPECT_EQ(panel.BevelOuter(), bvRaised);
    EXPECT_EQ(panel.BevelInner(), bvNone);
    EXPECT_EQ(panel.Alignment(), taCenter);
    EXPECT_EQ(panel.Color(), clBtnFace);
    EXPECT_THROW(panel.SetBevelWidth(0), ERangeError);
}

TEST_F(PanelTest, PaintsOuterBevelGapAndInnerBevel) {
    struct Case {
        TPanelBevel Inner, Outer;
        Integer BevelWidth;
        struct Probe {
            Integer X, Y;
            TColor Expected;
        };
        std::vector<Probe> Probes;
    };
    const Case cases[] = {
        {bvNone,
         bvRaised,
         1,
         {{0, 0, clBtnHighlight},
          {0, 28, clBtnHighlight},
          {49, 0, clBtnShadow},
          {0, 29, clBtnShadow},
          {49, 29, clBtnShadow},
          {1, 1, clBtnFace}}},
        {bvNone, bvLowered, 1, {{0, 0, clBtnShadow}, {49, 29, clBtnHighlight}, {1, 1, clBtnFace}}},
        {bvLowered,
         bvRaised,
         2,
         {{1, 1, clBtnHighlight},
          {48, 28, clBtnShadow},
          {2, 2, clBtnShadow},
          {3, 3, clBtnShadow},
          {47, 27, clBtnHighlight},
          {4, 4, clBtnFace}}},
    };
    for (const Case& c : cases) {
        auto* panel = Place<TPanel>(0, 0, 50, 30);
        panel->SetBevelInner(c.Inner);
        panel->SetBevelOuter(c.Outer);
        panel->SetBevelWidth(c.BevelWidth);
        auto image = Render(panel);
        for (const auto& probe : c.Probes)
            EXPECT_EQ(PixelOf(image.get(), probe.X, probe.Y), Rgb(probe.Expected))
                << "bevels " << c.Inner << "/" << c.Outer << " at " << probe.X << "," << probe.Y;
        panel->Free();
    }
}

TEST_F(PanelTest, CaptionIsDrawnInTheMiddleAndOnResizeFires) {
    auto* panel = Place<TPanel>(0, 0, 120, 40);
    panel->SetBevelOuter(bvNone);
    int resized = 0;
    panel->OnResize = Counter(resized);
    auto blank = Render(panel);
    panel->SetCaption("MMMM");
    auto drawn = Render(panel);
    int changedLeft = 0, changedMiddle = 0;
    for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 120; ++x)
            if (PixelOf(blank.get(), x, y) != PixelOf(drawn.get(), x, y))
                ++(x >= 40 && x < 80 ? changedMiddle : changedLeft);
    EXPECT_GT(changedMiddle, 0);
    EXPECT_EQ(changedLeft, 0);
    panel->SetWidth(150);
    EXPECT_EQ(resized, 1);
}
