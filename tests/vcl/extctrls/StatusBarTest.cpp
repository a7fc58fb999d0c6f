#include "ExtCtrlsFixture.h"

using StatusBarTest = ExtCtrlsTest;

namespace {

// Pixels inside Area that differ between two renderings.
int Differences(TBitmap* A, TBitmap* B, const TRect& Area) {
    int count = 0;
    for (Integer y = Area.Top; y < Area.Bottom; ++y)
        for (Integer x = Area.Left; x < Area.Right; ++x)
            if (ColorToRGB(A->Canvas()->Pixels(x, y)) != ColorToRGB(B->Canvas()->Pixels(x, y))) ++count;
    return count;
}

}  // namespace

TEST_F(StatusBarTest, SitsAtTheBottomWithTheDefaultHeight) {
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    EXPECT_EQ(bar->Width(), form->ClientWidth());
}

TEST_F(StatusBarTest, SimpleTextIsDrawnAndAClickFiresOnClick) {
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    bar->SetSizeGrip(false);
    bar->SetSimplePanel(true);
    bar->SetCursor(crHandPoint);
    int clicks = 0;
    bar->OnClick = Counter(clicks);
    auto blank = Render(bar);
    bar->SetSimpleText("Visit us");
    auto drawn = Render(bar);
    EXPECT_GT(Differences(blank.get(), drawn.get(), Rect(0, 0, 60, 19)), 0);
    EXPECT_EQ(Differences(blank.get(), drawn.get(), Rect(200, 0, bar->Width(), 19)), 0);
    Testing::Click(bar, 20, 10);
    EXPECT_EQ(clicks, 1);
}

TEST_F(StatusBarTest, PanelsSitSideBySideAndTheLastReachesTheEnd) {
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    bar->Panels()->Add()->SetWidth(80);
    bar->Panels()->Add()->SetWidth(60);
    bar->Panels()->Add()->SetWidth(10);
    EXPECT_EQ(bar->PanelRect(0), Rect(0, 2, 80, 19));
    EXPECT_EQ(bar->PanelRect(1), Rect(82, 2, 142, 19));
    EXPECT_EQ(bar->PanelRect(2), Rect(144, 2, bar->ClientWidth(), 19));
    auto before = Render(bar);
    bar->Panels()->Items(1)->SetText("Two");
    auto after = Render(bar);
    EXPECT_GT(Differences(before.get(), after.get(), bar->PanelRect(1)), 0);
    EXPECT_EQ(Differences(before.get(), after.get(), bar->PanelRect(0)), 0);
}

TEST_F(StatusBarTest, OwnerDrawPanelsAskOnDrawPanel) {
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    TStatusPanel* panel = bar->Panels()->Add();
    panel->SetStyle(psOwnerDraw);
    std::vector<TStatusPanel*> drawn;
    bar->OnDrawPanel = [&](TStatusBar* Sender, TStatusPanel* Panel, const TRect&) {
        EXPECT_EQ(Sender, bar);
        drawn.push_back(Panel);
    };
    Render(bar);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), panel);
}
