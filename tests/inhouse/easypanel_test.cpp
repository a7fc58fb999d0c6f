// Panel layout manager: whole layouts as text dumps for each layout and state, the host's minimum size and
// its cache, the panel list, chaining, fixed limits, and the collapse and restore animation.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "GPanel.h"
#include "easypanel.h"
#include "vcl/Clock.h"

using namespace easypanel;
using namespace Varpre;

namespace {

AnsiString Bounds(TControl* Control) {
    return IntToStr(Control->Left()) + "," + IntToStr(Control->Top()) + "," + IntToStr(Control->Width()) + "," +
           IntToStr(Control->Height());
}

// Every listed panel (hidden ones marked), then the client panel.
AnsiString Dump(const TeasyPanel& Mgr) {
    AnsiString text;
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
        if (TPanel* panel = SlotPanel(Mgr, slot))
            text += panel->Name() + (panel->Visible() ? " " + Bounds(panel) : AnsiString(" hidden")) + "\n";
    if (TPanel* client = ClientPanelOf(Mgr))
        text += client->Name() + (client->Visible() ? " " + Bounds(client) : AnsiString(" hidden")) + "\n";
    return text;
}

TPanel* MakePanel(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Caption, Integer Width,
                  Integer Height) {
    auto* panel = new TPanel(Owner);
    panel->SetName(Name);
    panel->SetParent(Parent);
    panel->SetCaption(Caption);
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(0, 0, Width, Height);
    return panel;
}

// Steps the animation makes, with the test clock moved on so no step waits.
struct StepRecorder {
    TTestClock clock;
    std::vector<Integer> heights;
    StepRecorder() {
        SetAnimationStepEvent([this](TPanel*, Integer Height) {
            heights.push_back(Height);
            clock.Advance(8);
        });
    }
    ~StepRecorder() { SetAnimationStepEvent(nullptr); }
    // Number of runs in one direction (a pass that rebounds starts a new run).
    int Runs() const {
        int runs = 0, direction = 0;
        for (std::size_t i = 1; i < heights.size(); ++i) {
            const int d = heights[i] > heights[i - 1] ? 1 : heights[i] < heights[i - 1] ? -1 : 0;
            if (d != 0 && d != direction) ++runs, direction = d;
        }
        return runs;
    }
};

class EasyPanelTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        GPanel::RegisterGPanel();
        host = MakePanel(form, form, "HostPanel", "", 400, 300);
        panelA = MakePanel(form, host, "PanelA", "Alpha", 150, 100);
        panelB = MakePanel(form, host, "PanelB", "Beta", 150, 50);
        client = MakePanel(form, host, "MainPanel", " ", 100, 100);
    }
    void TearDown() override {
        ResetPanelManager(mgr);
        FormFixture::TearDown();
    }
    // The host's panels are collected in child order; their fields are the fixture's own.
    void Attach() {
        AttachPanelManager(mgr, host, false);
        AddPanel(mgr, panelA, "", false);
        AddPanel(mgr, panelB, "", false);
        SetPanelList(mgr, "PanelA,PanelB", true);
    }

    TeasyPanel mgr;
    TPanel* host = nullptr;
    TPanel* panelA = nullptr;
    TPanel* panelB = nullptr;
    TPanel* client = nullptr;
};

TEST_F(EasyPanelTest, EveryLayoutPlacesPanelsAndClientPixelExact) {
    // Panels 124 and 74 high with their title bars, 150 wide; host 400x300, margins and spacing 8.
    struct Case {
        const char* name;
        std::function<void(TeasyPanel&)> setup;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"L, fits one column", [](TeasyPanel&) {},
         "PanelA 8,8,150,124\nPanelB 8,140,150,74\nMainPanel 166,8,226,284\n"},
        {"horizontal-top", [](TeasyPanel& m) { SetLayoutFlags(m, lwHorizontal, true); },
         "PanelA 8,8,150,124\nPanelB 166,8,150,74\nMainPanel 8,140,384,152\n"},
        {"horizontal-bottom", [](TeasyPanel& m) { SetLayoutFlags(m, lwHorizontal | lwBottom, true); },
         "PanelA 8,168,150,124\nPanelB 166,218,150,74\nMainPanel 8,8,384,152\n"},
        {"vertical, two columns", [](TeasyPanel& m) { SetLayoutFlags(m, lwVertical, true); },
         "PanelA 8,8,150,124\nPanelB 8,140,150,74\nMainPanel 166,8,226,284\n"},
        {"vertical, one column",
         [](TeasyPanel& m) {
             SetLayoutFlags(m, lwVertical, false);
             SetColumns(m, 1, true);
         },
         "PanelA 8,8,150,124\nPanelB 8,140,150,74\nMainPanel 8,222,384,70\n"},
        {"client forced", [](TeasyPanel& m) { ForceClientPanel(m, true); },
         "PanelA hidden\nPanelB hidden\nMainPanel 8,8,384,284\n"},
        {"empty list", [](TeasyPanel& m) { SetPanelList(m, "", true); },
         "PanelA hidden\nPanelB hidden\nMainPanel 8,8,384,284\n"},
        {"B collapsed", [](TeasyPanel& m) { SetCollapsed(m, 1, false, true); },
         "PanelA 8,8,150,124\nPanelB 8,140,150,26\nMainPanel 166,8,226,284\n"},
        {"A maximised", [](TeasyPanel& m) { ToggleMaximizePanel(m, 0, true); },
         "PanelA 8,8,150,124\nPanelB 8,140,150,26\nMainPanel 166,8,226,284\n"},
        {"B shown alone: full width, no client", [](TeasyPanel& m) { ShowOnlyPanel(m, 1, true); },
         "PanelA hidden\nPanelB 8,8,384,74\nMainPanel hidden\n"},
        {"client hidden: horizontal", [](TeasyPanel& m) { HideClientPanel(m, true); },
         "PanelA 8,8,150,124\nPanelB 166,8,150,74\nMainPanel hidden\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.AnimateCollapse = 0;
        Attach();
        c.setup(mgr);
        EXPECT_EQ(Dump(mgr), c.expected);
        ResetPanelManager(mgr);
        TearDown();
        SetUp();
    }
}

TEST_F(EasyPanelTest, TitleBarAndButtonsFollowThePanelWidth) {
    Attach();
    auto parts = [this] {
        const PanelSlotT& a = SlotAt(mgr, 0);
        auto shown = [](TControl* c) { return c->Visible() ? Bounds(c) : AnsiString("hidden"); };
        return "title " + shown(a.TitleBar) + " button " + shown(a.ButtonOnTitle) + " panel button " +
               shown(a.ButtonOnPanel);
    };
    EXPECT_EQ(parts(), "title 0,0,150,24 button 130,2,18,18 panel button hidden");
    mgr.SizeListMode = 1;
    SetLayoutFlags(mgr, 0x2, true);
    EXPECT_EQ(Bounds(panelA), "8,8,188,124");
    EXPECT_EQ(parts(), "title 0,0,188,24 button 168,2,18,18 panel button hidden");
    HideAllTitleBars(mgr, true);
    EXPECT_EQ(parts(), "title hidden button hidden panel button 182,0,6,6");
}

TEST_F(EasyPanelTest, LLayoutSplitsWhenTheColumnDoesNotFitAndFollowsHostResize) {
    host->SetHeight(200);
    Attach();
    // A stays left; B goes under the client panel, at the bottom of its column.
    EXPECT_EQ(Dump(mgr), "PanelA 8,8,150,124\nPanelB 166,118,150,74\nMainPanel 166,8,226,102\n");
    host->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(Dump(mgr), "PanelA 8,8,150,124\nPanelB 8,140,150,74\nMainPanel 166,8,226,284\n");
}

TEST_F(EasyPanelTest, MinimumHostSizeIsSearchedOnceThenCached) {
    Attach();
    EXPECT_EQ(host->Constraints()->MinWidth(), 324);
    EXPECT_EQ(host->Constraints()->MinHeight(), 140);
    ASSERT_EQ(mgr.LayoutCache.Entries().size(), 1u);
    EXPECT_EQ(mgr.LayoutCache.Entries()[0], "124|74||8,8,llay,HostPanel,exists,2,8,8,8,8,8,0,0,0,0:140");
    ComputeLayout(mgr);
    EXPECT_EQ(mgr.LayoutCache.Entries().size(), 1u);
    SetLayoutFlags(mgr, 0x2, true);
    EXPECT_EQ(host->Constraints()->MinWidth(), 324);
    EXPECT_EQ(host->Constraints()->MinHeight(), 148);
    EXPECT_EQ(mgr.LayoutCache.Entries().size(), 2u);
}

TEST_F(EasyPanelTest, HorizontalColumnsTakeTheTallestPanelFirstIntoTheShortestColumn) {
    auto* panelC = MakePanel(form, host, "PanelC", "Gamma", 150, 60);
    AttachPanelManager(mgr, host, false);
    HideAllTitleBars(mgr, false);
    for (TPanel** field : {&panelA, &panelB, &panelC}) AddPanel(mgr, *field, "", false);
    SlotAt(mgr, 0).SizeSpec = "0.1|100|100";
    SlotAt(mgr, 1).SizeSpec = "0.1|50|50";
    SlotAt(mgr, 2).SizeSpec = "0.1|60|60";
    SetLayoutFlags(mgr, 0x2, false);
    AnsiString arranged;
    const AnsiString list = PrepareSlotList(mgr, "012");
    Arrange(mgr, list, 300, arranged, 400);
    EXPECT_EQ(arranged, "0.21");
    EXPECT_EQ(mgr.GroupCount, 2);
}

TEST_F(EasyPanelTest, PanelNamesWithWildcardsBecomeSlotCodes) {
    auto* other = MakePanel(form, host, "OtherPanel", "Other", 150, 50);
    Attach();
    AddPanel(mgr, other, "", false);
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"PanelA,PanelB", "01"}, {"panelb", "1"},     {"Panel*", "01"},        {"PANEL*,Other*", "012"},
        {"nosuch,PanelB", "1"},  {",,PanelA,,", "0"}, {"Other*,PanelA", "20"}, {"Pa*x", "01"},
    };
    for (const auto& [names, codes] : cases) {
        SetPanelList(mgr, names, false);
        EXPECT_EQ(mgr.PanelList, codes) << names;
    }
}

TEST_F(EasyPanelTest, SizeSettingsAreStoredWithTheirMinimum) {
    AttachPanelManager(mgr, host, false);
    AddPanel(mgr, panelA, "100", false);
    AddPanel(mgr, panelB, "5|30|40|x", false);
    EXPECT_EQ(SlotAt(mgr, 0).SizeSpec, "100|100|");
    EXPECT_EQ(SlotAt(mgr, 1).SizeSpec, "5|30|40|x");
    // The title bar adds its height to both limits; maximised with a flag, the maximum is dropped.
    EXPECT_EQ(SlotSizeSpec(mgr, 1), "5|54|64");
    SlotAt(mgr, 1).Maximised = 1;
    EXPECT_EQ(SlotSizeSpec(mgr, 1), "5|54|");
    // A collapsed panel keeps its title bar and bevels: 24 + 2 x 1.
    SlotAt(mgr, 1).Maximised = 0;
    SlotAt(mgr, 1).Collapsed = 1;
    EXPECT_EQ(SlotSizeSpec(mgr, 1), "0.1|26|24");
    SetTitleBarShown(mgr, 1, false, false);
    EXPECT_EQ(CollapsedHeightOf(mgr, 1), 24);
}

TEST_F(EasyPanelTest, ThirtySecondPanelIsARangeError) {
    TPanel* bare = MakePanel(form, form, "Bare", "", 400, 300);
    AttachPanelManager(mgr, bare, false);
    std::vector<TPanel*> panels(32);
    for (int i = 0; i < 31; ++i) {
        panels[static_cast<std::size_t>(i)] = MakePanel(form, bare, ("P" + IntToStr(i)).c_str(), "x", 50, 20);
        AddPanel(mgr, panels[static_cast<std::size_t>(i)], "", false);
    }
    EXPECT_EQ(mgr.UsedCount, 31);
    panels[31] = MakePanel(form, bare, "P31", "x", 50, 20);
    EXPECT_THROW(AddPanel(mgr, panels[31], "", false), ERangeError);
    EXPECT_EQ(mgr.UsedCount, 31);
}

TEST_F(EasyPanelTest, SlotOutsideTheTableIsARangeError) {
    Attach();
    for (const Integer slot : {-1, MaxPanelSlots, NoValue}) {
        SCOPED_TRACE(slot);
        EXPECT_THROW(SlotAt(mgr, slot), ERangeError);
        EXPECT_THROW(SetSlotColours(mgr, slot, clRed), ERangeError);
        EXPECT_THROW(AddCompanions(mgr, slot), ERangeError);
    }
    // Queries about a slot answer "none" rather than raise.
    EXPECT_EQ(SlotPanel(mgr, -1), nullptr);
    EXPECT_FALSE(TitleBarShown(mgr, MaxPanelSlots));
}

TEST_F(EasyPanelTest, LayoutsBeyondTheCacheLimitStillPlaceThePanels) {
    Attach();
    // Distinct margins through the public setters: more layouts than the cache holds.
    const Integer layouts = LayoutCacheLimit + 100;
    Integer top = 0, left = 0;
    for (Integer i = 0; i < layouts; ++i) {
        top = 1 + i % 40;
        left = 1 + i / 40;
        SetTopMargin(mgr, top, false);
        SetLeftMargin(mgr, left, true);
    }
    EXPECT_EQ(panelA->Left(), left);
    EXPECT_EQ(panelA->Top(), top);
    EXPECT_LE(static_cast<Integer>(mgr.LayoutCache.Entries().size()), LayoutCacheLimit);
    // The cached height is the searched one; a layout dropped from the cache is searched again.
    const Integer cachedHeight = host->Constraints()->MinHeight();
    mgr.LayoutCache.Clear();
    ComputeLayout(mgr);
    EXPECT_EQ(host->Constraints()->MinHeight(), cachedHeight);
    SetTopMargin(mgr, 1, false);
    SetLeftMargin(mgr, 1, true);
    EXPECT_EQ(panelA->Top(), 1);
    EXPECT_EQ(panelA->Left(), 1);
}

TEST_F(EasyPanelTest, ToggleForcedWithoutClientPanelDoesNothing) {
    client->SetCaption("not the client");
    Attach();
    ToggleClientPanelForced(mgr, true);
    EXPECT_EQ(mgr.ClientForced, 0);
    EXPECT_TRUE(panelA->Visible());
}

TEST_F(EasyPanelTest, DestroyedPanelsFreeTheirSlotsAndADestroyedHostDetaches) {
    Attach();
    FreeAndNil(panelB);
    EXPECT_FALSE(SlotUsed(mgr, 1));
    host->SetBounds(0, 0, 400, 200);
    EXPECT_EQ(Dump(mgr), "PanelA 8,8,150,124\nMainPanel 166,8,226,184\n");
    FreeAndNil(host);
    EXPECT_EQ(mgr.Host, nullptr);
    EXPECT_FALSE(SlotUsed(mgr, 0));
    Relayout(mgr, true, true, true);
    EXPECT_EQ(Dump(mgr), "");
}

TEST_F(EasyPanelTest, AManagerThatGoesBeforeItsHostGivesTheHostItsOwnResizeHandlerBack) {
    int ownResizes = 0;
    host->OnResize = Counter(ownResizes);
    {
        TeasyPanel passing;
        AttachPanelManager(passing, host, true);
    }
    ownResizes = 0;
    host->SetBounds(0, 0, 420, 310);
    EXPECT_EQ(ownResizes, 1);
}

TEST_F(EasyPanelTest, APopupMenuFreedElsewhereIsMadeAgainAtTheNextRelayout) {
    Attach();
    ASSERT_NE(mgr.PopupMenu.Get(), nullptr);
    mgr.PopupMenu->Free();
    EXPECT_EQ(mgr.PopupMenu.Get(), nullptr);
    Relayout(mgr, true, true, true);
    ASSERT_NE(mgr.PopupMenu.Get(), nullptr);
    EXPECT_EQ(SlotAt(mgr, 0).ButtonOnTitle->PopupMenu(), mgr.PopupMenu.Get());
    EXPECT_EQ(SlotAt(mgr, 1).ButtonOnPanel->PopupMenu(), mgr.PopupMenu.Get());
}

TEST_F(EasyPanelTest, HostsOwnResizeHandlerRunsAfterPlacementAndIsGivenBackAtReset) {
    int ownResizes = 0;
    host->OnResize = Counter(ownResizes);
    Attach();
    ownResizes = 0;
    host->SetBounds(0, 0, 400, 250);
    EXPECT_EQ(ownResizes, 1);
    EXPECT_EQ(Dump(mgr), "PanelA 8,8,150,124\nPanelB 8,140,150,74\nMainPanel 166,8,226,234\n");
    ResetPanelManager(mgr);
    host->SetBounds(0, 0, 400, 260);
    EXPECT_EQ(ownResizes, 2);
    EXPECT_EQ(client->Height(), 234);
}

TEST_F(EasyPanelTest, ChainedInnerManagerLaysOutInsideTheOuterClientAndFollowsResize) {
    TeasyPanel inner;
    TPanel* panelC = MakePanel(form, client, "PanelC", "Gamma", 100, 40);
    MakePanel(form, client, "Panel1", " ", 50, 50);
    panelB->SetParent(nullptr);
    AttachPanelManager(inner, client, false);
    AttachPanelManager(mgr, host, false);
    AddPanel(mgr, panelA, "", false);
    AddPanel(inner, panelC, "", false);
    ChainToOuterManager(inner, mgr, false, true);
    SetInnerManager(mgr, &inner);
    SetColumns(inner, 1, false);
    SetSizeListMode(inner, true, false);
    SetLayoutFlags(inner, 0x202, false);
    SetTopMargin(inner, 0, false);
    SetLeftMargin(inner, 0, false);
    SetBottomMargin(inner, 0, false);
    SetRightMargin(inner, 0, false);
    HideAllTitleBars(inner, false);
    SetPanelList(mgr, "PanelA", false);
    SetPanelList(inner, "PanelC", false);
    Relayout(inner, true, true, true);
    EXPECT_EQ(Dump(mgr), "PanelA 8,8,150,124\nMainPanel 166,8,226,284\n");
    EXPECT_EQ(Dump(inner), "PanelC 0,0,226,40\nPanel1 0,48,226,236\n");
    host->SetBounds(0, 0, 500, 400);
    EXPECT_EQ(Dump(mgr), "PanelA 8,8,150,124\nMainPanel 166,8,326,384\n");
    EXPECT_EQ(Dump(inner), "PanelC 0,0,326,40\nPanel1 0,48,326,336\n");
    // A change inside alone still reaches the inner panels although the outer client keeps its size.
    SetTopMargin(inner, 4, true);
    EXPECT_EQ(Dump(inner), "PanelC 0,4,326,40\nPanel1 0,52,326,332\n");
    ResetPanelManager(inner);
}

// The inner host is a managed panel of the outer manager (not its client): a change inside reaches the
// inner panels although the outer pass leaves the inner host at its size.
TEST_F(EasyPanelTest, ChainedInnerManagerOnAManagedPanelShowsItsOwnChanges) {
    TeasyPanel inner;
    host->SetBounds(0, 0, 500, 400);
    TPanel* innerHost = MakePanel(form, host, "InnerHost", "Inner", 200, 300);
    TPanel* panelC = MakePanel(form, innerHost, "PanelC", "Gamma", 120, 60);
    TPanel* panelD = MakePanel(form, innerHost, "PanelD", "Delta", 120, 50);
    MakePanel(form, innerHost, "InnerClient", " ", 50, 50);
    AttachPanelManager(inner, innerHost, false);
    AttachPanelManager(mgr, host, false);
    AddPanel(mgr, panelA, "", false);
    AddPanel(mgr, innerHost, "100", false);
    AddPanel(inner, panelC, "", false);
    AddPanel(inner, panelD, "", false);
    ChainToOuterManager(inner, mgr, false, true);
    SetInnerManager(mgr, &inner);
    inner.AnimateCollapse = 0;
    SetPanelList(mgr, "PanelA,InnerHost", false);
    SetPanelList(inner, "PanelC,PanelD", false);
    Relayout(inner, true, true, true);
    // What the inner manager shows must be what a fresh placement in its host gives.
    const auto placedAfresh = [&] {
        const AnsiString shown = Dump(inner);
        HostResized(inner, nullptr);
        return shown == Dump(inner);
    };
    const AnsiString before = Dump(inner);
    ASSERT_TRUE(placedAfresh());
    const AnsiString outerBefore = Dump(mgr);

    SetLayoutFlags(inner, lwHorizontal, true);
    EXPECT_EQ(Dump(mgr), outerBefore);
    EXPECT_NE(Dump(inner), before);
    EXPECT_TRUE(placedAfresh()) << Dump(inner);

    const AnsiString expanded = Dump(inner);
    SetCollapsed(inner, SlotOfName(inner, "PanelC"), false, true);
    EXPECT_NE(Dump(inner), expanded);
    EXPECT_TRUE(placedAfresh()) << Dump(inner);
    ResetPanelManager(inner);
}

TEST_F(EasyPanelTest, ResizeHandlersRunOnceAfterPlacement) {
    Attach();
    EventCounter resized;
    resized.Hook(panelA->OnResize);
    host->SetBounds(0, 0, 400, 200);  // the split changes nothing of A's size
    EXPECT_EQ(resized.Count(), 0);
    SetLayoutFlags(mgr, 0x402, true);
    SetColumns(mgr, 1, true);
    EXPECT_EQ(resized.Count(), 0);
    mgr.SizeListMode = 1;
    SetLayoutFlags(mgr, 0x2, true);  // wide columns: A widens
    EXPECT_EQ(resized.Count(), 1);
}

TEST_F(EasyPanelTest, CollapseRunsFivePassesAndRestoreThree) {
    Attach();
    StepRecorder steps;
    SetCollapsed(mgr, 1, false, true);
    EXPECT_EQ(steps.Runs(), 5);
    EXPECT_EQ(steps.heights.back(), 26);
    EXPECT_EQ(panelB->Height(), 26);
    steps.heights.clear();
    SetCollapsed(mgr, 1, true, true);
    EXPECT_EQ(steps.Runs(), 3);
    EXPECT_EQ(steps.heights.back(), 74);
    EXPECT_EQ(Dump(mgr), "PanelA 8,8,150,124\nPanelB 8,140,150,74\nMainPanel 166,8,226,284\n");
}

TEST_F(EasyPanelTest, TallPanelsCollapseInSevenPassesSmallOnesInPixelSteps) {
    panelA->SetHeight(200);
    Attach();
    StepRecorder steps;
    CollapseAnimated(mgr, panelA);
    EXPECT_EQ(steps.Runs(), 7);
    EXPECT_EQ(panelA->Height(), 26);
    steps.heights.clear();
    panelB->SetHeight(40);
    CollapseAnimated(mgr, panelB);
    EXPECT_EQ(steps.heights, (std::vector<Integer>{39, 38, 37, 36, 35, 34, 33, 32, 31, 30, 29, 28, 27, 26}));
}

TEST_F(EasyPanelTest, SlowingStepsNeverFallBelowOnePixel) {
    Attach();
    StepRecorder steps;
    panelB->SetHeight(100);
    AnimateStep(mgr, panelB, 120, 3.0, 0.5);
    // 3, then 0.8 per step as a real: heights truncate, so no step is larger than 1 after the first.
    ASSERT_GE(steps.heights.size(), 2u);
    EXPECT_EQ(steps.heights.front(), 103);
    for (std::size_t i = 1; i < steps.heights.size(); ++i) EXPECT_LE(steps.heights[i] - steps.heights[i - 1], 1);
    EXPECT_EQ(steps.heights.back(), 120);
}

TEST_F(EasyPanelTest, AnimationStopsWhenItsPanelIsDestroyedMidway) {
    Attach();
    StepRecorder steps;
    SetAnimationStepEvent([&](TPanel*, Integer Height) {
        steps.heights.push_back(Height);
        steps.clock.Advance(8);
        if (steps.heights.size() == 3) {
            ResetPanelManager(mgr);
            FreeAndNil(panelB);
        }
    });
    TPanel* doomed = panelB;
    CollapseAnimated(mgr, doomed);
    EXPECT_EQ(steps.heights.size(), 3u);
}

}  // namespace
