#include "ExtCtrlsFixture.h"

using BevelTest = ExtCtrlsTest;

TEST_F(BevelTest, ShapesPaintShadowAndHighlightWhereTheClassLibraryDoes) {
    struct Probe {
        Integer X, Y;
        TColor Expected;
    };
    struct Case {
        TBevelShape Shape;
        TBevelStyle Style;
        std::vector<Probe> Probes;  // in the bevel's coordinates; it is 40 x 10
    };
    const Case cases[] = {
        {bsBox,
         bsLowered,
         {{0, 0, clBtnShadow},
          {0, 8, clBtnShadow},
          {39, 9, clBtnHighlight},
          {39, 0, clBtnHighlight},
          {5, 5, clBtnFace}}},
        {bsBox, bsRaised, {{0, 0, clBtnHighlight}, {39, 9, clBtnShadow}}},
        {bsFrame,
         bsLowered,
         {{0, 0, clBtnShadow}, {1, 1, clBtnHighlight}, {38, 8, clBtnShadow}, {39, 9, clBtnHighlight}}},
        {bsTopLine, bsLowered, {{10, 0, clBtnShadow}, {10, 1, clBtnHighlight}, {10, 5, clBtnFace}}},
        {bsBottomLine, bsLowered, {{10, 8, clBtnShadow}, {10, 9, clBtnHighlight}, {10, 4, clBtnFace}}},
        {bsBottomLine, bsRaised, {{10, 8, clBtnHighlight}, {10, 9, clBtnShadow}}},
        {bsLeftLine, bsLowered, {{0, 5, clBtnShadow}, {1, 5, clBtnHighlight}, {5, 5, clBtnFace}}},
        {bsRightLine, bsLowered, {{38, 5, clBtnShadow}, {39, 5, clBtnHighlight}, {30, 5, clBtnFace}}},
        {bsSpacer, bsLowered, {{0, 0, clBtnFace}, {39, 9, clBtnFace}}},
    };
    auto* panel = Place<TPanel>(0, 0, 60, 30);
    panel->SetBevelOuter(bvNone);
    for (const Case& c : cases) {
        auto* bevel = new TBevel(form);
        bevel->SetParent(panel);
        bevel->SetBounds(5, 5, 40, 10);
        bevel->SetShape(c.Shape);
        bevel->SetStyle(c.Style);
        auto image = Render(panel);
        for (const Probe& p : c.Probes)
            EXPECT_EQ(PixelOf(image.get(), 5 + p.X, 5 + p.Y), Rgb(p.Expected))
                << "shape " << c.Shape << " style " << c.Style << " at " << p.X << "," << p.Y;
        bevel->Free();
    }
}
