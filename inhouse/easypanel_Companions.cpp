// The companions of each managed panel (title bar, caption, bevel, background, collapse buttons), the
// title-bar popup menu with its commands, and the per-panel states those commands change.

#include <algorithm>
#include <array>
#include <utility>

#include <vcl/Forms.h>

#include "ComponentHandling.h"
#include "GPanel.h"
#include "easypanel.h"
#include "exposit.h"
#include "valstr.h"

namespace easypanel {

using namespace ComponentHandling;
using namespace GPanel;
using namespace Varpre;

namespace {

const AnsiString DisabledSuffix = " (Disabled)";
constexpr TColor DisabledTitleColour = 0xF5F5F5;

bool ValidSlot(Integer Slot) { return Slot >= 0 && Slot < MaxPanelSlots; }

bool UsedSlot(const TeasyPanel& Mgr, Integer Slot) { return ValidSlot(Slot) && SlotUsed(Mgr, Slot); }

// Every used slot in slot order.
template <typename F>
void ForEachUsedSlot(const TeasyPanel& Mgr, F&& Action) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
        if (SlotUsed(Mgr, slot)) Action(slot);
}

void RelayoutNow(TeasyPanel& Mgr, bool Refresh) { Relayout(Mgr, Refresh, true, true); }

void ColourTitleBar(TGPanel* TitleBar, TColor Colour) {
    TitleBar->SetColor(Colour);
    TColor dark = valstr::DarkerColor(valstr::DarkerColor(Colour, 1), 1);
    TitleBar->SetColor_1(dark);
    TitleBar->SetColor_2(valstr::LighterColor(dark, 1));
    TitleBar->SetColor_3(dark);
}

void ColourBackground(const TeasyPanel& Mgr, TGPanel* Background, TColor Colour) {
    Background->SetColor(Colour);
    Background->SetColor_1(Colour);
    Background->SetColor_3(Colour);
    if (Mgr.GradientBackground) {
        Background->SetColor_2(valstr::LighterColor(valstr::LighterColor(Colour, 1), 1));
        Background->SetPercent(80);
        Background->SetHorizontal(true);
    } else {
        Background->SetColor_2(Colour);
    }
}

void MakeFlat(TPanel* Panel) {
    Panel->SetBevelInner(bvNone);
    Panel->SetBevelOuter(bvNone);
    Panel->SetBorderStyle(bsNone);
    Panel->SetDoubleBuffered(true);
}

// The gradient background takes over the panel's content and its click handlers.
TGPanel* MakeBackground(TPanel* Panel) {
    auto* background = new TGPanel(Panel->Owner());
    background->SetName("background__" + Panel->Name());
    background->SetCaption("");
    background->SetCursor(Panel->Cursor());
    MakeFlat(background);
    // Gradient children (gauges) stay on the panel itself.
    MoveChildrenTo(Panel, background);
    background->SetParent(Panel);
    background->SetAlign(alClient);
    background->SendToBack();
    background->OnClick = std::exchange(Panel->OnClick, nullptr);
    background->OnDblClick = std::exchange(Panel->OnDblClick, nullptr);
    return background;
}

TGPanel* MakeTitleBar(TeasyPanel& Mgr, TPanel* Panel, TColor Colour) {
    auto* titleBar = new TGPanel(Panel->Owner());
    titleBar->SetName("titlebar__" + Panel->Name());
    titleBar->SetCaption("");
    MakeFlat(titleBar);
    titleBar->SetBorderWidth(0);
    titleBar->SetHorizontal(false);
    titleBar->SetPercent(20);
    titleBar->SetParent(Panel);
    titleBar->SetBounds(0, 0, Panel->Width(), Mgr.TitleHeight);
    titleBar->SetAlign(alTop);
    titleBar->SetVisible(true);
    ColourTitleBar(titleBar, Colour);
    titleBar->OnDblClick = [&Mgr](TObject* Sender) { TitleBarClick(Mgr, Sender); };
    return titleBar;
}

TLabel* MakeCaptionLabel(TeasyPanel& Mgr, TPanel* Panel, TGPanel* TitleBar) {
    auto* label = new TLabel(Panel->Owner());
    label->SetParent(TitleBar);
    AnsiString caption = Panel->Caption();
    Integer bar = Pos("|", caption);
    label->SetCaption(bar > 0 ? Copy(caption, 1, bar - 1) : caption);
    label->Font()->SetColor(valstr::ContrastColor(TitleBar->Color_1()));
    label->Font()->SetStyle(TFontStyles{fsBold});
    label->SetTransparent(true);
    label->SetLeft(5);
    label->SetTop(std::max(0, Mgr.TitleHeight / 2 - label->Height() / 2));
    label->OnDblClick = [&Mgr](TObject* Sender) { TitleBarClick(Mgr, Sender); };
    return label;
}

TBevel* MakeBevel(const TeasyPanel& Mgr, TPanel* Panel, TGPanel* TitleBar) {
    auto* bevel = new TBevel(Panel->Owner());
    bevel->SetName("bevel__" + Panel->Name());
    bevel->SetParent(TitleBar);
    bevel->SetShape(bsBox);
    bevel->SetStyle(bsLowered);
    bevel->SetHeight(Mgr.BevelHeight);
    bevel->SetAlign(alBottom);
    return bevel;
}

TPanel* MakeCollapseButton(TeasyPanel& Mgr, TPanel* Panel, TWinControl* Parent) {
    auto* button = new TPanel(Panel->Owner());
    button->SetParent(Parent);
    button->SetHint("Collapse/Restore this panel's size");
    button->SetShowHint(true);
    button->SetParentShowHint(false);
    button->SetCaption("");
    button->SetBevelOuter(bvRaised);
    button->SetBevelInner(bvNone);
    button->SetBevelWidth(1);
    button->SetBorderStyle(bsNone);
    button->SetDoubleBuffered(true);
    button->SetPopupMenu(Mgr.PopupMenu);
    button->OnClick = [&Mgr](TObject* Sender) { CollapseButtonClick(Mgr, Sender); };
    button->BringToFront();
    return button;
}

// True while the slot's own minimum height is parked in SavedMinHeight (and the panel's minimum is 1, so
// that it shrinks to its title bar): it is collapsed, or another panel is maximised.
bool MinHeightParked(const TeasyPanel& Mgr, const PanelSlotT& Slot) {
    return Slot.Collapsed || (Mgr.MaximisedMode && !Slot.Maximised);
}

// Applies a change of the collapsed and maximised states and parks or gives back each panel's minimum
// height as its state now asks, so that no saved minimum is ever overwritten by the parked 1.
template <typename F>
void ChangeStates(TeasyPanel& Mgr, F&& Change) {
    std::array<bool, MaxPanelSlots> parked{};
    ForEachUsedSlot(Mgr, [&](Integer slot) { parked[slot] = MinHeightParked(Mgr, SlotAt(Mgr, slot)); });
    Change();
    ForEachUsedSlot(Mgr, [&](Integer slot) {
        PanelSlotT& s = SlotAt(Mgr, slot);
        TPanel* panel = SlotPanel(Mgr, slot);
        bool nowParked = MinHeightParked(Mgr, s);
        if (nowParked && !parked[slot]) {
            s.SavedMinHeight = panel->Constraints()->MinHeight();
            SetMinHeightQuiet(panel, 1, false);
        } else if (!nowParked && parked[slot]) {
            SetMinHeightQuiet(panel, s.SavedMinHeight, false);
        }
    });
}

void ToggleCollapsed(TeasyPanel& Mgr, Integer Slot, bool Refresh) {
    SetCollapsed(Mgr, Slot, SlotAt(Mgr, Slot).Collapsed != 0, Refresh);
}

// The "shown alone" or "maximised" mode, when one of the listed panels is in it.
bool SpecialModeInForce(const TeasyPanel& Mgr) {
    bool alone = false, maximised = false;
    for (char code : Mgr.PanelList) {
        Integer slot = SlotOfChar(code);
        if (!UsedSlot(Mgr, slot)) continue;
        alone = alone || (Mgr.OnlyOneMode && SlotAt(Mgr, slot).OnlyThis);
        maximised = maximised || (Mgr.MaximisedMode && SlotAt(Mgr, slot).Maximised);
    }
    return alone || maximised;
}

AnsiString WithoutDisabledSuffix(const AnsiString& Caption) {
    if (!exposit::EndsWith(DisabledSuffix, Caption, false)) return Caption;
    return Copy(Caption, 1, Length(Caption) - Length(DisabledSuffix));
}

// --- The popup menu

struct TMenuEntry {
    const char* Caption;
    const char* Name;  // empty for a separator
};

constexpr TMenuEntry MenuEntries[] = {
    {"Toggle: Panel normal/maximized (ctrl-doubleclick)", "only1panel"},
    {"Toggle: Panel normal/full height (doubleclick)", "maximizeminimize"},
    {"Collapse all panels", "collapseall"},
    {"Uncollapse all panels", "maximizeall"},
    {"-", ""},
    {"Horizontal-Top layout", "hortop"},
    {"Horizontal-Bottom layout", "horbot"},
    {"L layout", "llay"},
    {"Vertical layout", "vertleft"},
    {"1 column width", "col1"},
    {"2 columns width", "col2"},
    {"-", ""},
    {"-", ""},
    {"Toggle: Titlebar visible/hidden", "toggletitlebar"},
    {"Hide all titlebars", "hidealltitlebars"},
    {"Show all titlebars", "UnhideAllTitleBars"},
    {"-", ""},
    {"Make all panels flat", "ChangeStyleFlat"},
    {"Make all panels raised", "ChangeStyleRaised"},
    {"Make all panels lowered+raised", "ChangeStyleLoweredRaised"},
    {"Make all panels lowered", "ChangeStyleLowered"},
};

bool ItemChecked(const TeasyPanel& Mgr, const AnsiString& Name) {
    if (Name == "hortop" || Name == "horbot" || Name == "llay" || Name == "vertleft") return LayoutName(Mgr) == Name;
    if (Name == "col1") return Mgr.Columns == 1;
    if (Name == "col2") return Mgr.Columns == 2;
    return false;
}

TPopupMenu* MakePopupMenu(TeasyPanel& Mgr) {
    auto* menu = new TPopupMenu(Application);
    for (const TMenuEntry& entry : MenuEntries) {
        if (*entry.Name == '\0') {
            menu->Items()->Add(NewLine());
            continue;
        }
        menu->Items()->Add(NewItem(
            entry.Caption, scNone, false, true, [&Mgr](TObject* Sender) { PanelMenuClick(Mgr, Sender); }, 0,
            entry.Name));
    }
    return menu;
}

using TSlotCommand = void (*)(TeasyPanel& Mgr, Integer Slot);

struct TCommand {
    const char* Name;
    TSlotCommand Run;
};

const TCommand Commands[] = {
    {"collapseall", [](TeasyPanel& M, Integer) { CollapseAll(M, true); }},
    {"maximizeall", [](TeasyPanel& M, Integer) { UncollapseAll(M, true); }},
    {"toggletitlebar", [](TeasyPanel& M, Integer S) { ToggleTitleBar(M, S, true); }},
    {"hidealltitlebars", [](TeasyPanel& M, Integer) { HideAllTitleBars(M, true); }},
    {"UnhideAllTitleBars", [](TeasyPanel& M, Integer) { ShowAllTitleBars(M, true); }},
    {"hortop", [](TeasyPanel& M, Integer) { SetLayoutFlags(M, lwHorizontal, true); }},
    {"horbot", [](TeasyPanel& M, Integer) { SetLayoutFlags(M, lwHorizontal | lwBottom, true); }},
    {"llay", [](TeasyPanel& M, Integer) { SetLayoutFlags(M, lwLLayout, true); }},
    {"ChangeStyleFlat", [](TeasyPanel& M, Integer) { SetAllPanelStyles(M, 0); }},
    {"ChangeStyleRaised", [](TeasyPanel& M, Integer) { SetAllPanelStyles(M, 1); }},
    {"ChangeStyleLoweredRaised", [](TeasyPanel& M, Integer) { SetAllPanelStyles(M, 2); }},
    {"ChangeStyleLowered", [](TeasyPanel& M, Integer) { SetAllPanelStyles(M, 3); }},
    {"only1panel", [](TeasyPanel& M, Integer S) { ShowOnlyPanel(M, S, true); }},
    {"maximizeminimize", [](TeasyPanel& M, Integer S) { ToggleMaximizePanel(M, S, true); }},
    {"vertleft", [](TeasyPanel& M, Integer) { SetLayoutFlags(M, lwVertical, true); }},
    {"col1", [](TeasyPanel& M, Integer) { SetColumns(M, 1, true); }},
    {"col2", [](TeasyPanel& M, Integer) { SetColumns(M, 2, true); }},
};

}  // namespace

// --- Companions

void AddCompanions(TeasyPanel& Mgr, Integer Slot) {
    PanelSlotT& slot = SlotAt(Mgr, Slot);
    TPanel* panel = SlotPanel(Mgr, Slot);
    slot.TitleColour = panel->Color();
    slot.Background = MakeBackground(panel);
    slot.TitleBar = MakeTitleBar(Mgr, panel, slot.TitleColour);
    slot.CaptionLabel = MakeCaptionLabel(Mgr, panel, slot.TitleBar);
    slot.Bevel = MakeBevel(Mgr, panel, slot.TitleBar);
    slot.ButtonOnTitle = MakeCollapseButton(Mgr, panel, slot.TitleBar);
    slot.ButtonOnPanel = MakeCollapseButton(Mgr, panel, panel);
    panel->SetHeight(panel->Height() + Mgr.TitleHeight);
    slot.Collapsible = 1;
    // Every panel with a title bar may be shown alone (Ctrl+double-click, "only1panel").
    slot.OnlyEligible = 1;
    SetSlotColours(Mgr, Slot, slot.TitleColour);
}

void SetSlotColours(TeasyPanel& Mgr, Integer Slot, TColor Colour) {
    PanelSlotT& slot = SlotAt(Mgr, Slot);
    if (slot.Background) ColourBackground(Mgr, slot.Background, Colour);
    if (slot.ButtonOnTitle) slot.ButtonOnTitle->SetColor(Colour);
    if (slot.ButtonOnPanel) slot.ButtonOnPanel->SetColor(Colour);
    if (slot.TitleBar) ColourTitleBar(slot.TitleBar, Colour);
}

void ApplyCompanionStates(TeasyPanel& Mgr, Integer Slot) {
    if (!UsedSlot(Mgr, Slot)) return;
    PanelSlotT& slot = SlotAt(Mgr, Slot);
    if (!slot.TitleBar) return;
    bool special = SpecialModeInForce(Mgr);
    slot.Bevel->SetVisible(slot.Maximised || (!special && !slot.Collapsed));
    bool onTitle = slot.TitleBar->Visible();
    TPanel* shown = onTitle ? slot.ButtonOnTitle : slot.ButtonOnPanel;
    TPanel* hidden = onTitle ? slot.ButtonOnPanel : slot.ButtonOnTitle;
    hidden->SetVisible(false);
    shown->SetVisible(slot.Collapsible && !special);
    AnsiString caption = WithoutDisabledSuffix(slot.CaptionLabel->Caption());
    if ((special && !slot.Maximised && !slot.OnlyThis) || !slot.Enabled) {
        SetSlotColours(Mgr, Slot, DisabledTitleColour);
        caption += DisabledSuffix;
    } else {
        SetSlotColours(Mgr, Slot, slot.TitleColour);
    }
    slot.CaptionLabel->SetCaption(caption);
}

Integer SlotOfPanel(const TeasyPanel& Mgr, TControl* Control) {
    if (!Control) return NoValue;
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot) {
        if (!SlotUsed(Mgr, slot)) continue;
        const PanelSlotT& s = SlotAt(Mgr, slot);
        if (Control == s.ButtonOnTitle || Control == s.ButtonOnPanel) return slot;
    }
    return NoValue;
}

// --- Menu and clicks

// The menu is made once per manager and kept: a relayout run from one of its own items must not
// destroy the item that is still being clicked. Each build refreshes the check marks.
void BuildPopupMenu(TeasyPanel& Mgr, bool /*Refresh*/) {
    if (!Mgr.PopupMenu) Mgr.PopupMenu = MakePopupMenu(Mgr);
    TMenuItem* items = Mgr.PopupMenu->Items();
    for (Integer i = 0; i < items->Count(); ++i) items->Items(i)->SetChecked(ItemChecked(Mgr, items->Items(i)->Name()));
    ForEachUsedSlot(Mgr, [&](Integer slot) {
        PanelSlotT& s = SlotAt(Mgr, slot);
        if (s.ButtonOnTitle) s.ButtonOnTitle->SetPopupMenu(Mgr.PopupMenu);
        if (s.ButtonOnPanel) s.ButtonOnPanel->SetPopupMenu(Mgr.PopupMenu);
    });
}

void PanelMenuClick(TeasyPanel& Mgr, TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    auto* menu = dynamic_cast<TPopupMenu*>(item->GetParentMenu());
    Integer slot = menu ? SlotOfPanel(Mgr, dynamic_cast<TControl*>(menu->PopupComponent())) : NoValue;
    for (const TCommand& command : Commands)
        if (item->Name() == command.Name) return command.Run(Mgr, slot);
}

void TitleBarClick(TeasyPanel& Mgr, TObject* Sender) {
    if (Mgr.LayoutWord & lwFrozen) return;
    AnsiString name;
    if (auto* titleBar = dynamic_cast<TGPanel*>(Sender)) name = titleBar->Name();
    else if (auto* label = dynamic_cast<TLabel*>(Sender); label && label->Parent()) name = label->Parent()->Name();
    Integer mark = Pos("__", name);
    if (mark == 0) return;
    Integer slot = SlotOfName(Mgr, Copy(name, mark + 2, Length(name)));
    if (!UsedSlot(Mgr, slot)) return;
    bool specialWasOn = Mgr.OnlyOneMode || Mgr.MaximisedMode;
    ResetToNormal(Mgr, false);
    if (!specialWasOn) {
        if (GetShiftKeys() == TShiftState{ssCtrl}) ShowOnlyPanel(Mgr, slot, false);
        else ToggleMaximizePanel(Mgr, slot, false);
    }
    RelayoutNow(Mgr, true);
}

void CollapseButtonClick(TeasyPanel& Mgr, TObject* Sender) {
    Integer slot = SlotOfPanel(Mgr, dynamic_cast<TControl*>(Sender));
    if (slot != NoValue) ToggleCollapsed(Mgr, slot, true);
}

// --- States

void SetCollapsed(TeasyPanel& Mgr, Integer Slot, bool Restore, bool Refresh) {
    if (!UsedSlot(Mgr, Slot)) return;
    PanelSlotT& slot = SlotAt(Mgr, Slot);
    TPanel* panel = SlotPanel(Mgr, Slot);
    if (!panel->Visible() || !slot.Collapsible || (slot.Collapsed != 0) == !Restore) return;
    // A maximised panel returns to normal first, so the others get their minimum heights back.
    if (slot.Maximised) ToggleMaximizePanel(Mgr, Slot, false);
    ChangeStates(Mgr, [&] {
        slot.Collapsed = !Restore;
        slot.OnlyThis = 0;
    });
    slot.AnimateNext = Restore && Mgr.AnimateCollapse && Refresh;
    if (slot.Background) slot.Background->SetEnabled(Restore);
    if (!Restore && Refresh) CollapseAnimated(Mgr, panel);
    RelayoutNow(Mgr, Refresh);
}

void CollapseAll(TeasyPanel& Mgr, bool Refresh) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot) SetCollapsed(Mgr, slot, false, false);
    RelayoutNow(Mgr, Refresh);
}

void UncollapseAll(TeasyPanel& Mgr, bool Refresh) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot) SetCollapsed(Mgr, slot, true, false);
    RelayoutNow(Mgr, Refresh);
}

void ToggleMaximizePanel(TeasyPanel& Mgr, Integer Slot, bool Refresh) {
    if (!UsedSlot(Mgr, Slot)) return;
    PanelSlotT& target = SlotAt(Mgr, Slot);
    // Maximising shrinks every other panel to its title bar; the way back gives their minimums back.
    ChangeStates(Mgr, [&] {
        target.Maximised = !target.Maximised;
        Mgr.MaximisedMode = target.Maximised;
    });
    RelayoutNow(Mgr, Refresh);
}

void ShowOnlyPanel(TeasyPanel& Mgr, Integer Slot, bool Refresh) {
    if (!UsedSlot(Mgr, Slot) || !SlotAt(Mgr, Slot).OnlyEligible) return;
    if (!Mgr.OnlyOneMode) {
        // One panel at a time is the one shown alone.
        ForEachUsedSlot(Mgr, [&](Integer slot) { SlotAt(Mgr, slot).OnlyThis = slot == Slot; });
        Mgr.OnlyOneMode = 1;
        HideClientPanel(Mgr, false);
    } else {
        Mgr.OnlyOneMode = 0;
    }
    RelayoutNow(Mgr, Refresh);
}

void ResetToNormal(TeasyPanel& Mgr, bool Refresh) {
    ForEachUsedSlot(Mgr, [&](Integer slot) {
        if (SlotAt(Mgr, slot).Maximised) ToggleMaximizePanel(Mgr, slot, false);
    });
    // Also when the maximised panel was collapsed meanwhile: the others must not stay shrunk.
    ChangeStates(Mgr, [&] { Mgr.MaximisedMode = 0; });
    Mgr.OnlyOneMode = 0;
    UnforceClientPanel(Mgr, false);
    RelayoutNow(Mgr, Refresh);
}

void ToggleTitleBar(TeasyPanel& Mgr, Integer Slot, bool Refresh) {
    if (!UsedSlot(Mgr, Slot) || !SlotAt(Mgr, Slot).TitleBar) return;
    SetTitleBarShown(Mgr, Slot, !SlotAt(Mgr, Slot).TitleBar->Visible(), Refresh);
}

void SetTitleBarShown(TeasyPanel& Mgr, Integer Slot, bool Shown, bool Refresh) {
    if (!UsedSlot(Mgr, Slot)) return;
    TGPanel* titleBar = SlotAt(Mgr, Slot).TitleBar;
    if (!titleBar || titleBar->Visible() == Shown) return;
    titleBar->SetVisible(Shown);
    if (Shown) titleBar->SetHeight(Mgr.TitleHeight);
    // A top-aligned title bar makes room by itself; otherwise the content moves.
    if (titleBar->Align() != alTop) OffsetChildren(Shown ? Mgr.TitleHeight : -Mgr.TitleHeight, 0, SlotPanel(Mgr, Slot));
    RelayoutNow(Mgr, Refresh);
}

void HideAllTitleBars(TeasyPanel& Mgr, bool Refresh) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot) SetTitleBarShown(Mgr, slot, false, false);
    RelayoutNow(Mgr, Refresh);
}

void ShowAllTitleBars(TeasyPanel& Mgr, bool Refresh) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot) SetTitleBarShown(Mgr, slot, true, false);
    RelayoutNow(Mgr, Refresh);
}

void SetAllPanelStyles(TeasyPanel& Mgr, Integer Style) {
    ForEachUsedSlot(Mgr, [&](Integer slot) { SetPanelStyle(SlotPanel(Mgr, slot), Style); });
}

}  // namespace easypanel
