// The companions of managed panels on a calculator-like window (two panels beside a client panel): what
// each panel gets, the title-bar double-click, the collapse buttons, and every command of the title-bar
// menu chosen through a right click on a collapse button.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GPanel.h"
#include "easypanel.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "valstr.h"

using namespace easypanel;
using namespace Varpre;
using GPanel::TGPanel;

namespace {

constexpr Integer DiskSlot = 0;
constexpr Integer FaultySlot = 1;
constexpr Integer DiskMinHeight = 90;
constexpr Integer FaultyMinHeight = 70;

const char* AlignName(TAlign Align) {
    switch (Align) {
        case alTop: return " top";
        case alBottom: return " bottom";
        case alClient: return " client";
        default: return "";
    }
}

// One line per control: indent, class, name or caption, alignment.
void DumpControls(TWinControl* Parent, const std::string& Indent, std::string& Out) {
    for (Integer i = 0; i < Parent->ControlCount(); ++i) {
        TControl* c = Parent->Controls(i);
        Out += Indent + c->ClassName();
        if (!c->Name().empty()) Out += " " + c->Name();
        if (auto* label = dynamic_cast<TLabel*>(c)) Out += " '" + label->Caption() + "'";
        Out += AlignName(c->Align());
        Out += "\n";
        if (auto* w = dynamic_cast<TWinControl*>(c)) DumpControls(w, Indent + "  ", Out);
    }
}

class CompanionsTest : public FormFixture {
protected:
    static void SetUpTestSuite() {
        FormFixture::SetUpTestSuite();
        GPanel::RegisterGPanel();
    }

    void SetUp() override {
        FormFixture::SetUp();
        form->SetBounds(0, 0, 700, 500);
        disk = MakePanel("PanelDiskInfo", "Disk Info", 8, DiskMinHeight);
        Place<TEdit>(10, 10, 100, 21, disk)->SetName("Edit4");
        Place<TLabel>(10, 40, 100, 15, disk)->SetName("Label2");
        client = MakePanel("MainPanel", " ", 270, 0);
        faulty = MakePanel("PanelFaulty", "Positions on hard disk|the list to convert", 8 + 200, FaultyMinHeight);
        Place<TMemo>(10, 10, 200, 100, faulty)->SetName("Memo1");
        Place<TGPanel>(10, 120, 200, 8, faulty)->SetName("Gauge1");
        AttachPanelManager(mgr, form, false);
        mgr.AnimateCollapse = 0;  // the animation's steps wait on the real clock
        Relayout(mgr, true, true, true);
    }

    void TearDown() override {
        SetPopupMenuChooser(nullptr);
        Testing::SetKeyboardShiftState({});
        FormFixture::TearDown();
    }

    TPanel* MakePanel(const AnsiString& Name, const AnsiString& Caption, Integer Top, Integer MinHeight) {
        auto* panel = Place<TPanel>(8, Top, 250, 150);
        panel->SetName(Name);
        panel->SetCaption(Caption);
        panel->Constraints()->SetMinHeight(MinHeight);
        return panel;
    }

    PanelSlotT& Slot(Integer Index) { return SlotAt(mgr, Index); }
    TPanel* PanelOf(Integer Index) { return SlotPanel(mgr, Index); }
    Integer MinHeightOf(Integer Index) { return PanelOf(Index)->Constraints()->MinHeight(); }
    TPanel* VisibleButton(Integer Index) {
        return Slot(Index).TitleBar->Visible() ? Slot(Index).ButtonOnTitle : Slot(Index).ButtonOnPanel;
    }

    // The user right-clicks the slot's collapse button and picks the menu item of that name.
    void ChooseFromMenu(Integer Index, const AnsiString& ItemName) {
        SetPopupMenuChooser([ItemName](TPopupMenu* Menu) -> TMenuItem* {
            for (Integer i = 0; i < Menu->Items()->Count(); ++i)
                if (Menu->Items()->Items(i)->Name() == ItemName) return Menu->Items()->Items(i);
            return nullptr;
        });
        TPanel* button = VisibleButton(Index);
        Testing::Click(button, button->Width() / 2, button->Height() / 2, mbRight);
        Input::Settle();
    }

    TPanel* disk = nullptr;
    TPanel* client = nullptr;
    TPanel* faulty = nullptr;
    TeasyPanel mgr;
};

TEST_F(CompanionsTest, TwoPanelsBesideTheClientGetTitleBarsBevelsBackgroundsAndButtons) {
    std::string dump;
    DumpControls(form, "", dump);
    EXPECT_EQ(dump,
              "TPanel PanelDiskInfo\n"
              "  TGPanel background__PanelDiskInfo client\n"
              "    TEdit Edit4\n"
              "    TLabel Label2 ''\n"
              "  TGPanel titlebar__PanelDiskInfo top\n"
              "    TLabel 'Disk Info'\n"
              "    TBevel bevel__PanelDiskInfo bottom\n"
              "    TPanel\n"
              "  TPanel\n"
              "TPanel MainPanel\n"
              "TPanel PanelFaulty\n"
              "  TGPanel background__PanelFaulty client\n"
              "    TMemo Memo1\n"
              "  TGPanel Gauge1\n"
              "  TGPanel titlebar__PanelFaulty top\n"
              "    TLabel 'Positions on hard disk'\n"
              "    TBevel bevel__PanelFaulty bottom\n"
              "    TPanel\n"
              "  TPanel\n");
    for (Integer index : {DiskSlot, FaultySlot}) {
        PanelSlotT& s = Slot(index);
        SCOPED_TRACE(PanelOf(index)->Name());
        EXPECT_TRUE(s.Collapsible);
        EXPECT_TRUE(s.TitleBar->Visible());
        EXPECT_EQ(s.TitleBar->Height(), mgr.TitleHeight);
        EXPECT_FALSE(s.TitleBar->Horizontal());
        EXPECT_EQ(s.TitleBar->Percent(), 20);
        EXPECT_TRUE(s.CaptionLabel->Font()->Style().Contains(fsBold));
        EXPECT_TRUE(s.CaptionLabel->Transparent());
        EXPECT_EQ(s.CaptionLabel->Left(), 5);
        EXPECT_EQ(s.Bevel->Height(), mgr.BevelHeight);
        EXPECT_TRUE(s.Bevel->Visible());
        EXPECT_EQ(s.Background->Color_2(), valstr::LighterColor(valstr::LighterColor(s.TitleColour, 1), 1));
        EXPECT_TRUE(s.ButtonOnTitle->Visible());
        EXPECT_FALSE(s.ButtonOnPanel->Visible());
        EXPECT_EQ(s.ButtonOnTitle->Hint(), "Collapse/Restore this panel's size");
        EXPECT_EQ(s.ButtonOnTitle->PopupMenu(), mgr.PopupMenu);
        EXPECT_EQ(s.ButtonOnPanel->PopupMenu(), mgr.PopupMenu);
        EXPECT_EQ(SlotOfPanel(mgr, s.ButtonOnTitle), index);
        EXPECT_EQ(SlotOfPanel(mgr, s.ButtonOnPanel), index);
    }
    EXPECT_TRUE(dynamic_cast<TLabel*>(form->FindComponent("Label2"))->Transparent());
    EXPECT_EQ(SlotOfPanel(mgr, client), NoValue);
    EXPECT_EQ(SlotOfPanel(mgr, nullptr), NoValue);
}

TEST_F(CompanionsTest, CompanionsAreCreatedWithThePanelAndDestroyedWithIt) {
    TeasyPanel lone;
    auto* panel = MakePanel("Lonely", "Alone", 300, 0);
    Integer before = form->ComponentCount();
    Integer heightBefore = panel->Height();
    AddPanel(lone, panel, "", false);
    EXPECT_EQ(form->ComponentCount(), before + 6);  // title bar, label, bevel, background, two buttons
    EXPECT_EQ(panel->Height(), heightBefore + lone.TitleHeight);
    EXPECT_NE(form->FindComponent("titlebar__Lonely"), nullptr);
    FreeAndNil(panel);
    EXPECT_EQ(form->ComponentCount(), before - 1);
    for (const char* name : {"titlebar__Lonely", "bevel__Lonely", "background__Lonely"})
        EXPECT_EQ(form->FindComponent(name), nullptr) << name;
    ResetPanelManager(lone);
}

struct MenuCommandCase {
    const char* Item;
    Integer OnSlot;
    std::function<void(TeasyPanel&)> Before;
    std::function<bool(TeasyPanel&)> Holds;
};

bool AllSlots(TeasyPanel& M, const std::function<bool(PanelSlotT&, TPanel*)>& Test) {
    return Test(SlotAt(M, DiskSlot), SlotPanel(M, DiskSlot)) && Test(SlotAt(M, FaultySlot), SlotPanel(M, FaultySlot));
}

std::function<bool(TeasyPanel&)> StylesAre(TPanelBevel Inner, TPanelBevel Outer) {
    return [=](TeasyPanel& M) {
        return AllSlots(M,
                        [&](PanelSlotT&, TPanel* p) { return p->BevelInner() == Inner && p->BevelOuter() == Outer; });
    };
}

std::function<bool(TeasyPanel&)> LayoutIs(Word Flags) {
    return [=](TeasyPanel& M) { return M.LayoutWord == Flags; };
}

TEST_F(CompanionsTest, EachMenuCommandChangesTheStateItNames) {
    auto nothing = [](TeasyPanel&) {};
    const MenuCommandCase cases[] = {
        {"only1panel", FaultySlot, nothing,
         [](TeasyPanel& M) {
             return M.OnlyOneMode && SlotAt(M, FaultySlot).OnlyThis && !SlotAt(M, DiskSlot).OnlyThis && !ClientShown(M);
         }},
        {"maximizeminimize", FaultySlot, nothing,
         [](TeasyPanel& M) {
             return M.MaximisedMode && SlotAt(M, FaultySlot).Maximised && !SlotAt(M, DiskSlot).Maximised &&
                    SlotPanel(M, DiskSlot)->Constraints()->MinHeight() == 1 &&
                    SlotAt(M, DiskSlot).SavedMinHeight == DiskMinHeight;
         }},
        {"collapseall", DiskSlot, nothing,
         [](TeasyPanel& M) { return AllSlots(M, [](PanelSlotT& s, TPanel*) { return s.Collapsed != 0; }); }},
        {"maximizeall", DiskSlot, [](TeasyPanel& M) { CollapseAll(M, true); },
         [](TeasyPanel& M) { return AllSlots(M, [](PanelSlotT& s, TPanel*) { return s.Collapsed == 0; }); }},
        {"hortop", DiskSlot, nothing, LayoutIs(0x2)},
        {"horbot", DiskSlot, nothing, LayoutIs(0x402)},
        {"llay", DiskSlot, [](TeasyPanel& M) { SetLayoutFlags(M, 0x2, true); }, LayoutIs(0x100)},
        {"vertleft", DiskSlot, nothing, LayoutIs(0x4)},
        {"col1", DiskSlot, nothing, [](TeasyPanel& M) { return M.Columns == 1; }},
        {"col2", DiskSlot, [](TeasyPanel& M) { SetColumns(M, 1, true); }, [](TeasyPanel& M) { return M.Columns == 2; }},
        {"toggletitlebar", FaultySlot, nothing,
         [](TeasyPanel& M) {
             return !SlotAt(M, FaultySlot).TitleBar->Visible() && SlotAt(M, DiskSlot).TitleBar->Visible();
         }},
        {"hidealltitlebars", DiskSlot, nothing,
         [](TeasyPanel& M) { return AllSlots(M, [](PanelSlotT& s, TPanel*) { return !s.TitleBar->Visible(); }); }},
        {"UnhideAllTitleBars", DiskSlot, [](TeasyPanel& M) { HideAllTitleBars(M, true); },
         [](TeasyPanel& M) { return AllSlots(M, [](PanelSlotT& s, TPanel*) { return s.TitleBar->Visible(); }); }},
        {"ChangeStyleFlat", DiskSlot, nothing, StylesAre(bvNone, bvNone)},
        {"ChangeStyleRaised", DiskSlot, [](TeasyPanel& M) { SetAllPanelStyles(M, 0); }, StylesAre(bvNone, bvRaised)},
        {"ChangeStyleLoweredRaised", DiskSlot, nothing, StylesAre(bvLowered, bvRaised)},
        {"ChangeStyleLowered", DiskSlot, nothing, StylesAre(bvNone, bvLowered)},
    };
    for (const MenuCommandCase& c : cases) {
        SCOPED_TRACE(c.Item);
        TearDown();
        SetUp();
        c.Before(mgr);
        ASSERT_FALSE(c.Holds(mgr));
        ChooseFromMenu(c.OnSlot, c.Item);
        EXPECT_TRUE(c.Holds(mgr));
    }
}

TEST_F(CompanionsTest, MenuMarksTheCurrentLayoutAndColumnCount) {
    auto checked = [&](const char* Name) {
        for (Integer i = 0; i < mgr.PopupMenu->Items()->Count(); ++i)
            if (mgr.PopupMenu->Items()->Items(i)->Name() == Name) return mgr.PopupMenu->Items()->Items(i)->Checked();
        ADD_FAILURE() << "no item " << Name;
        return false;
    };
    EXPECT_EQ(mgr.PopupMenu->Items()->Count(), 21);
    EXPECT_TRUE(checked("llay"));
    EXPECT_TRUE(checked("col2"));
    ChooseFromMenu(DiskSlot, "horbot");
    ChooseFromMenu(DiskSlot, "col1");
    EXPECT_TRUE(checked("horbot"));
    EXPECT_FALSE(checked("llay"));
    EXPECT_FALSE(checked("hortop"));
    EXPECT_TRUE(checked("col1"));
    EXPECT_FALSE(checked("col2"));
}

TEST_F(CompanionsTest, DoubleClickOnTitleBarOrCaptionMaximisesAndASecondOneReturnsToNormal) {
    const std::function<void(PanelSlotT&)> doubleClicks[] = {
        [](PanelSlotT& s) { Testing::DoubleClick(s.TitleBar, s.TitleBar->Width() - 60, 4); },
        [](PanelSlotT& s) { Testing::DoubleClick(s.CaptionLabel, 2, 2); },
    };
    for (const auto& doubleClick : doubleClicks) {
        doubleClick(Slot(DiskSlot));
        EXPECT_TRUE(Slot(DiskSlot).Maximised);
        EXPECT_TRUE(mgr.MaximisedMode);
        EXPECT_EQ(MinHeightOf(FaultySlot), 1);
        EXPECT_FALSE(Slot(DiskSlot).ButtonOnTitle->Visible());
        EXPECT_EQ(Slot(FaultySlot).CaptionLabel->Caption(), "Positions on hard disk (Disabled)");
        EXPECT_EQ(Slot(FaultySlot).TitleBar->Color(), TColor(0xF5F5F5));
        EXPECT_TRUE(Slot(DiskSlot).Bevel->Visible());
        EXPECT_FALSE(Slot(FaultySlot).Bevel->Visible());
        EXPECT_EQ(PanelOf(FaultySlot)->Height(), CollapsedHeightOf(mgr, FaultySlot));

        doubleClick(Slot(FaultySlot));
        EXPECT_FALSE(mgr.MaximisedMode);
        EXPECT_FALSE(Slot(DiskSlot).Maximised);
        EXPECT_FALSE(Slot(FaultySlot).Maximised);
        EXPECT_EQ(MinHeightOf(FaultySlot), FaultyMinHeight);
        EXPECT_EQ(MinHeightOf(DiskSlot), DiskMinHeight);
        EXPECT_EQ(Slot(FaultySlot).CaptionLabel->Caption(), "Positions on hard disk");
        EXPECT_EQ(Slot(FaultySlot).TitleBar->Color(), Slot(FaultySlot).TitleColour);
        EXPECT_TRUE(Slot(FaultySlot).ButtonOnTitle->Visible());
        EXPECT_TRUE(Slot(FaultySlot).Bevel->Visible());
    }
}

TEST_F(CompanionsTest, OnlyCtrlAloneShowsThePanelAlone) {
    struct {
        TShiftState Shift;
        bool Alone;
    } cases[] = {{{ssCtrl}, true}, {{ssCtrl, ssShift}, false}, {{ssShift}, false}, {{}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Alone);
        // The simulated double-click carries no modifiers, so the keyboard state is set before the event.
        Testing::SetKeyboardShiftState(c.Shift);
        Slot(DiskSlot).TitleBar->OnDblClick(Slot(DiskSlot).TitleBar);
        EXPECT_EQ(mgr.OnlyOneMode != 0, c.Alone);
        EXPECT_EQ(mgr.MaximisedMode != 0, !c.Alone);
        EXPECT_EQ(PanelOf(FaultySlot)->Visible(), !c.Alone);
        Testing::SetKeyboardShiftState({});
        ResetToNormal(mgr, true);
        EXPECT_FALSE(mgr.OnlyOneMode || mgr.MaximisedMode);
        EXPECT_TRUE(PanelOf(FaultySlot)->Visible());
    }
}

TEST_F(CompanionsTest, FrozenLayoutIgnoresTitleBarDoubleClick) {
    SetLayoutFlags(mgr, lwFrozen, true);
    Testing::DoubleClick(Slot(DiskSlot).TitleBar, 100, 4);
    EXPECT_FALSE(mgr.MaximisedMode || mgr.OnlyOneMode);
}

TEST_F(CompanionsTest, CollapseButtonCollapsesAndRestores) {
    for (bool onTitle : {true, false}) {
        SCOPED_TRACE(onTitle);
        SetTitleBarShown(mgr, DiskSlot, onTitle, true);
        EXPECT_EQ(Slot(DiskSlot).ButtonOnTitle->Visible(), onTitle);
        EXPECT_EQ(Slot(DiskSlot).ButtonOnPanel->Visible(), !onTitle);
        Input::Click(VisibleButton(DiskSlot));
        EXPECT_TRUE(Slot(DiskSlot).Collapsed);
        EXPECT_EQ(MinHeightOf(DiskSlot), 1);
        EXPECT_FALSE(Slot(DiskSlot).Background->Enabled());
        EXPECT_EQ(PanelOf(DiskSlot)->Height(), CollapsedHeightOf(mgr, DiskSlot));
        EXPECT_FALSE(Slot(DiskSlot).Bevel->Visible());
        Input::Click(VisibleButton(DiskSlot));
        EXPECT_FALSE(Slot(DiskSlot).Collapsed);
        EXPECT_EQ(MinHeightOf(DiskSlot), DiskMinHeight);
        EXPECT_TRUE(Slot(DiskSlot).Background->Enabled());
        EXPECT_GE(PanelOf(DiskSlot)->Height(), DiskMinHeight);
    }
}

TEST_F(CompanionsTest, CollapseButtonAnimatesTheShrinkAndTheGrowth) {
    TTestClock clock;
    std::vector<Integer> heights;
    SetAnimationStepEvent([&](TPanel*, Integer Height) {
        heights.push_back(Height);
        clock.Advance(8);
    });
    mgr.AnimateCollapse = 1;
    const Integer expanded = PanelOf(DiskSlot)->Height();
    Input::Click(Slot(DiskSlot).ButtonOnTitle);
    ASSERT_GT(heights.size(), 1u);
    EXPECT_EQ(heights.back(), CollapsedHeightOf(mgr, DiskSlot));
    heights.clear();
    Input::Click(Slot(DiskSlot).ButtonOnTitle);
    SetAnimationStepEvent(nullptr);
    ASSERT_GT(heights.size(), 1u);
    EXPECT_LT(heights.front(), heights.back());
    EXPECT_EQ(heights.back(), expanded);
    EXPECT_EQ(PanelOf(DiskSlot)->Height(), expanded);
    EXPECT_FALSE(Slot(DiskSlot).AnimateNext);
}

TEST_F(CompanionsTest, EveryPanelGetsItsMinimumHeightBackAfterAnyMixOfCollapseAndMaximise) {
    const std::function<void(TeasyPanel&)> sequences[] = {
        [](TeasyPanel& M) {
            CollapseAll(M, true);
            UncollapseAll(M, true);
        },
        [](TeasyPanel& M) {
            ToggleMaximizePanel(M, DiskSlot, true);
            CollapseAll(M, true);
            UncollapseAll(M, true);
        },
        [](TeasyPanel& M) {
            ToggleMaximizePanel(M, DiskSlot, true);
            ToggleMaximizePanel(M, FaultySlot, true);
            ResetToNormal(M, true);
        },
        [](TeasyPanel& M) {
            SetCollapsed(M, FaultySlot, false, true);
            ToggleMaximizePanel(M, DiskSlot, true);
            ResetToNormal(M, true);
            UncollapseAll(M, true);
        },
    };
    for (size_t i = 0; i < std::size(sequences); ++i) {
        SCOPED_TRACE(i);
        sequences[i](mgr);
        EXPECT_FALSE(mgr.MaximisedMode);
        EXPECT_EQ(MinHeightOf(DiskSlot), DiskMinHeight);
        EXPECT_EQ(MinHeightOf(FaultySlot), FaultyMinHeight);
    }
}

TEST_F(CompanionsTest, DisabledSlotIsGreyedWithOneSuffixHoweverOftenItIsLaidOut) {
    Slot(DiskSlot).Enabled = 0;
    for (int pass = 0; pass < 3; ++pass) Relayout(mgr, true, true, true);
    EXPECT_EQ(Slot(DiskSlot).CaptionLabel->Caption(), "Disk Info (Disabled)");
    EXPECT_EQ(Slot(DiskSlot).Background->Color(), TColor(0xF5F5F5));
    Slot(DiskSlot).Enabled = 1;
    Relayout(mgr, true, true, true);
    EXPECT_EQ(Slot(DiskSlot).CaptionLabel->Caption(), "Disk Info");
    EXPECT_EQ(Slot(DiskSlot).Background->Color(), Slot(DiskSlot).TitleColour);
}

TEST_F(CompanionsTest, BackgroundIsPlainWithoutGradientBackgrounds) {
    const TColor colour = 0x336699;
    for (bool gradient : {true, false}) {
        mgr.GradientBackground = gradient;
        SetSlotColours(mgr, DiskSlot, colour);
        TGPanel* background = Slot(DiskSlot).Background;
        EXPECT_EQ(background->Color_1(), colour);
        EXPECT_EQ(background->Color_3(), colour);
        EXPECT_EQ(background->Color_2() == colour, !gradient);
        TGPanel* titleBar = Slot(DiskSlot).TitleBar;
        EXPECT_EQ(titleBar->Color(), colour);
        EXPECT_EQ(titleBar->Color_1(), valstr::DarkerColor(valstr::DarkerColor(colour, 1), 1));
        EXPECT_EQ(titleBar->Color_2(), valstr::LighterColor(titleBar->Color_1(), 1));
        EXPECT_EQ(Slot(DiskSlot).ButtonOnPanel->Color(), colour);
    }
}

TEST_F(CompanionsTest, ShowOnlyPanelTogglesAndKeepsOnePanelAlone) {
    ShowOnlyPanel(mgr, DiskSlot, true);
    EXPECT_FALSE(PanelOf(FaultySlot)->Visible());
    ShowOnlyPanel(mgr, DiskSlot, true);
    EXPECT_FALSE(mgr.OnlyOneMode);
    ShowOnlyPanel(mgr, FaultySlot, true);
    EXPECT_TRUE(Slot(FaultySlot).OnlyThis);
    EXPECT_FALSE(Slot(DiskSlot).OnlyThis);
    EXPECT_FALSE(PanelOf(DiskSlot)->Visible());
    EXPECT_TRUE(PanelOf(FaultySlot)->Visible());
}

}  // namespace
