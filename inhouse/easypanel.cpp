// Panel layout manager: the two process-wide managers, attaching and chaining, the panel list, size
// settings and the client panel. The arrangement is in easypanel_arrange.cpp, placement in
// easypanel_place.cpp, the animation in easypanel_animate.cpp.

#include "easypanel.h"

#include <algorithm>

#include <vcl/SysUtils.h>

#include "ComponentHandling.h"
#include "GPanel.h"
#include "exposit.h"
#include "repl.h"
#include "valstr.h"

namespace easypanel {

using namespace ComponentHandling;

namespace {

TeasyPanel& formManager() {
    static TeasyPanel manager;
    return manager;
}

TeasyPanel& innerManager() {
    static TeasyPanel manager;
    return manager;
}

AnsiString LowerCase(const AnsiString& S) {
    AnsiString result;
    repl::TableLowerCase(S, result);
    return result;
}

bool QualifiesAsHostPanel(TControl* Control) {
    auto* panel = dynamic_cast<TPanel*>(Control);
    if (!panel || panel->Name().empty() || panel->Caption() == " ") return false;
    const AnsiString name = LowerCase(panel->Name());
    return name.rfind("titlebar__", 0) != 0 && name.rfind("background__", 0) != 0;
}

// weight|minimum|maximum[|flag] with the minimum filled in from the panel's height when missing.
AnsiString StoredSizeSpec(const AnsiString& Given, Integer InitialHeight) {
    AnsiString rest = Given;
    AnsiString weight, minimum, maximum;
    exposit::CutToken(rest, "|", false, weight);
    exposit::CutToken(rest, "|", false, minimum);
    exposit::CutToken(rest, "|", false, maximum);
    if (minimum.empty()) minimum = IntToStr(InitialHeight);
    AnsiString result = weight + "|" + minimum + "|" + maximum;
    if (std::count(Given.begin(), Given.end(), '|') >= 3) result += "|" + rest;
    return result;
}

void RelayoutDefault(TeasyPanel& Mgr, bool Refresh) { Relayout(Mgr, Refresh, true, true); }

}  // namespace

// The host's resize hook refers to the manager: the host gets its own handler back first.
TeasyPanel::~TeasyPanel() { ResetPanelManager(*this); }

TeasyPanel& FormManager() { return formManager(); }
TeasyPanel& InnerPanelManager() { return innerManager(); }

void FinalizeEasyPanel() {
    ResetPanelManager(innerManager());
    ResetPanelManager(formManager());
}

// --- Code strings and slots

const PanelSlotT& SlotAt(const TeasyPanel& Mgr, Integer Slot) { return CheckedElement(Mgr.Slots, Slot); }

PanelSlotT& SlotAt(TeasyPanel& Mgr, Integer Slot) { return CheckedElement(Mgr.Slots, Slot); }

char SlotChar(Integer Slot) { return static_cast<char>(48 + Slot); }

Integer SlotOfChar(char Code) {
    const Integer slot = static_cast<unsigned char>(Code) - 48;
    return slot >= 0 && slot < MaxPanelSlots ? slot : -1;
}

bool SlotUsed(const TeasyPanel& Mgr, Integer Slot) { return SlotPanel(Mgr, Slot) != nullptr; }

TPanel* SlotPanel(const TeasyPanel& Mgr, Integer Slot) {
    if (Slot < 0 || Slot >= MaxPanelSlots) return nullptr;
    const PanelSlotT& slot = SlotAt(Mgr, Slot);
    if (Mgr.UsedSlots.find(SlotChar(Slot)) == AnsiString::npos) return nullptr;
    return slot.Panel;
}

TPanel* ClientPanelOf(const TeasyPanel& Mgr) { return Mgr.ClientPanel; }

Integer SlotOfName(const TeasyPanel& Mgr, const AnsiString& Name) {
    const AnsiString wanted = LowerCase(Name);
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
        if (TPanel* panel = SlotPanel(Mgr, slot); panel && LowerCase(panel->Name()) == wanted) return slot;
    return -1;
}

AnsiString NamesToSlotCodes(const TeasyPanel& Mgr, const AnsiString& Names) {
    AnsiString items = Names;
    if (Names.find('*') != AnsiString::npos) {
        AnsiString rest = Names, item, expanded;
        while (!rest.empty()) {
            exposit::CutToken(rest, ",", false, item);
            const auto star = item.find('*');
            if (star == AnsiString::npos) {
                expanded += item + ",";
                continue;
            }
            const AnsiString prefix = LowerCase(item.substr(0, star));
            for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
                if (TPanel* panel = SlotPanel(Mgr, slot); panel && LowerCase(panel->Name()).rfind(prefix, 0) == 0)
                    expanded += panel->Name() + ",";
        }
        items = expanded;
    }
    AnsiString codes, item;
    while (!items.empty()) {
        exposit::CutToken(items, ",", false, item);
        if (item.find('*') != AnsiString::npos) continue;
        if (const Integer slot = SlotOfName(Mgr, item); slot >= 0) codes += SlotChar(slot);
    }
    return codes;
}

// --- Attaching and chaining

void ResetPanelManager(TeasyPanel& Mgr) {
    // The host gets its own handler back: no hook outlives the attachment (attaching twice would
    // otherwise call itself through the saved handler).
    if (Mgr.Host) Mgr.Host->OnResize = Mgr.SavedOnResize;
    Mgr.ListHeight = 0;
    Mgr.LeftMargin = Mgr.TopMargin = Mgr.Spacing = Mgr.RightMargin = Mgr.BottomMargin = 8;
    Mgr.TitleHeight = 24;
    Mgr.PanelList.clear();
    Mgr.ClientVisible = 1;
    Mgr.LayoutWord = lwFrozen;
    Mgr.Columns = 2;
    Mgr.CollapsedHeight = 24;
    Mgr.BevelHeight = 2;
    Mgr.GradientBackground = 1;
    Mgr.MinColumnWidth = 0;
    Mgr.UsedCount = 0;
    Mgr.ClientForced = Mgr.OnlyOneMode = Mgr.MaximisedMode = Mgr.SizeListMode = 0;
    Mgr.PanelButtonHeight = Mgr.PanelButtonWidth = 6;
    Mgr.OnChange = nullptr;
    Mgr.ClientPanel = nullptr;
    Mgr.AnimateCollapse = 1;
    Mgr.KeepResizeEvents = 0;
    Mgr.UsedSlots.clear();
    Mgr.GroupCount = Mgr.AvailHeight = Mgr.FreeHeight = Mgr.ClientHeight = 0;
    Mgr.ColumnSplit = 0;
    Mgr.PopupMenu = nullptr;
    Mgr.LayoutCache.Clear();
    Mgr.Host = Mgr.HostClient = nullptr;
    Mgr.SavedOnResize = nullptr;
    Mgr.StatusBar = nullptr;
    Mgr.CoolBar = nullptr;
    Mgr.InnerManager = nullptr;
    Mgr.SavedForced = 0;
    Mgr.Slots.fill(PanelSlotT{});
    Mgr.Placements = 0;
}

void AttachPanelManager(TeasyPanel& Mgr, TWinControl* Host, bool Refresh) {
    ResetPanelManager(Mgr);
    if (!Host) throw Exception("The panel manager needs a host");
    Mgr.LayoutWord = lwLLayout;
    Mgr.Host = Mgr.HostClient = Host;
    HookOnResize(Host, Mgr.SavedOnResize, [&Mgr](TObject* Sender) { HostResized(Mgr, Sender); });
    Mgr.ClientPanel = FindClientPanel(Mgr, Host);
    Mgr.StatusBar = FindStatusBar(Host);
    Mgr.CoolBar = FindCoolBar(Host);
    CollectHostPanels(Mgr, Host, false, Mgr.PanelList);
    RelayoutDefault(Mgr, Refresh);
}

void SetInnerManager(TeasyPanel& Mgr, TeasyPanel* Inner) { Mgr.InnerManager = Inner; }

void ChainToOuterManager(TeasyPanel& Mgr, TeasyPanel& Outer, bool Refresh, bool Notify) {
    Mgr.OnChange = [&Mgr, &Outer](bool OuterNotify) {
        const Integer placed = Mgr.Placements;
        Relayout(Outer, OuterNotify, OuterNotify, false);
        // A change inside that leaves the host at its size must still show.
        if (OuterNotify && Mgr.Placements == placed) RefreshPanels(Mgr, Mgr.PanelList);
    };
    Mgr.HostClient = FindHostClient(Mgr);
    Outer.KeepResizeEvents = 0;
    Mgr.LayoutCache.Clear();
    Relayout(Mgr, Refresh, Notify, true);
}

void Relayout(TeasyPanel& Mgr, bool Refresh, bool Notify, bool Forward) {
    if (!Refresh) return;
    if (Forward && Mgr.InnerManager) {
        Relayout(*Mgr.InnerManager, true, true, Forward);
        return;
    }
    BuildPopupMenu(Mgr, Refresh);
    ComputeLayout(Mgr);
    if (Mgr.OnChange) Mgr.OnChange(Notify);
    else RefreshPanels(Mgr, Mgr.PanelList);
}

void HostResized(TeasyPanel& Mgr, TObject*) { RefreshPanels(Mgr, Mgr.PanelList); }

// --- The panel list

void SetPanelList(TeasyPanel& Mgr, const AnsiString& Names, bool Refresh) {
    AnsiString cleaned;
    valstr::CollapseSeparators(Names, ",", cleaned);
    Mgr.PanelList = NamesToSlotCodes(Mgr, cleaned);
    RelayoutDefault(Mgr, Refresh);
}

void AddPanel(TeasyPanel& Mgr, TPanel*& PanelField, const AnsiString& SizeSpec, bool Refresh) {
    TPanel* panel = PanelField;
    if (!panel) throw Exception("AddPanel: the panel field holds no panel");
    Integer slot = -1;
    for (Integer i = 0; i < MaxPanelSlots && slot < 0; ++i)
        if (SlotPanel(Mgr, i) == panel) slot = i;
    const bool added = slot < 0;
    if (added) {
        slot = Mgr.UsedCount;
        if (slot >= MaxPanelSlots)
            throw ERangeError("The panel manager holds at most " + IntToStr(MaxPanelSlots) + " panels");
    }
    PanelSlotT& s = SlotAt(Mgr, slot);
    s.TitleColour = panel->Color();
    if (added) {
        s.Panel = panel;
        s.InitialWidth = panel->Width();
        s.InitialHeight = s.Height = s.SizeEntry = panel->Height();
        Mgr.UsedSlots += SlotChar(slot);
        AddCompanions(Mgr, slot);
    }
    s.SizeSpec = SizeSpec.empty() ? "0.1|" + IntToStr(s.SizeEntry) + "|" + IntToStr(s.SizeEntry)
                                  : StoredSizeSpec(SizeSpec, s.InitialHeight);
    Mgr.UsedCount = static_cast<Integer>(Mgr.UsedSlots.size());
    RelayoutDefault(Mgr, Refresh);
}

void CollectHostPanels(TeasyPanel& Mgr, TWinControl* Host, bool Refresh, AnsiString& List) {
    std::vector<TPanel*> panels;
    for (Integer i = 0; i < Host->ControlCount(); ++i)
        if (QualifiesAsHostPanel(Host->Controls(i))) panels.push_back(static_cast<TPanel*>(Host->Controls(i)));
    for (TPanel* panel : panels) AddPanel(Mgr, panel, "", false);
    Relayout(Mgr, Refresh, true, true);
    List.clear();
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
        if (SlotUsed(Mgr, slot)) List += SlotChar(slot);
}

// --- Settings

void SetTopMargin(TeasyPanel& Mgr, Integer Value, bool Refresh) {
    Mgr.TopMargin = Value;
    RelayoutDefault(Mgr, Refresh);
}

void SetLeftMargin(TeasyPanel& Mgr, Integer Value, bool Refresh) {
    Mgr.LeftMargin = Value;
    RelayoutDefault(Mgr, Refresh);
}

void SetRightMargin(TeasyPanel& Mgr, Integer Value, bool Refresh) {
    Mgr.RightMargin = Value;
    RelayoutDefault(Mgr, Refresh);
}

void SetBottomMargin(TeasyPanel& Mgr, Integer Value, bool Refresh) {
    Mgr.BottomMargin = Value;
    RelayoutDefault(Mgr, Refresh);
}

void SetColumns(TeasyPanel& Mgr, Integer Columns, bool Refresh) {
    Mgr.Columns = Columns;
    RelayoutDefault(Mgr, Refresh);
}

void SetLayoutFlags(TeasyPanel& Mgr, Word Flags, bool Refresh) {
    Mgr.LayoutWord = Flags;
    RelayoutDefault(Mgr, Refresh);
}

void SetSizeListMode(TeasyPanel& Mgr, bool Value, bool Refresh) {
    const bool changed = (Mgr.SizeListMode != 0) != Value;
    Mgr.SizeListMode = Value ? 1 : 0;
    if (changed && Refresh) RefreshPanels(Mgr, Mgr.PanelList);
}

// --- The client panel

void ShowClientPanel(TeasyPanel& Mgr, bool Refresh) {
    Mgr.ClientVisible = 1;
    RelayoutDefault(Mgr, Refresh);
}

void HideClientPanel(TeasyPanel& Mgr, bool Refresh) {
    Mgr.ClientVisible = 0;
    RelayoutDefault(Mgr, Refresh);
}

void ToggleClientPanel(TeasyPanel& Mgr, bool Refresh) {
    if (Mgr.ClientVisible) HideClientPanel(Mgr, Refresh);
    else ShowClientPanel(Mgr, Refresh);
}

void ForceClientPanel(TeasyPanel& Mgr, bool Refresh) {
    Mgr.ClientVisible = 1;
    Mgr.ClientForced = 1;
    if (TeasyPanel* inner = Mgr.InnerManager) {
        Mgr.SavedForced = inner->ClientForced;
        ForceClientPanel(*inner, false);
        RelayoutDefault(*inner, Refresh);
    } else {
        RelayoutDefault(Mgr, Refresh);
    }
}

void UnforceClientPanel(TeasyPanel& Mgr, bool Refresh) {
    Mgr.ClientVisible = 1;
    Mgr.ClientForced = 0;
    if (TeasyPanel* inner = Mgr.InnerManager) {
        if (Mgr.SavedForced) ForceClientPanel(*inner, false);
        else UnforceClientPanel(*inner, false);
        RelayoutDefault(*inner, Refresh);
    } else {
        RelayoutDefault(Mgr, Refresh);
    }
}

void ToggleClientPanelForced(TeasyPanel& Mgr, bool Refresh) {
    if (!ClientPanelOf(Mgr)) return;
    if (Mgr.ClientForced) UnforceClientPanel(Mgr, Refresh);
    else ForceClientPanel(Mgr, Refresh);
}

TPanel* FindClientPanel(TeasyPanel&, TWinControl* Host) {
    for (Integer i = 0; i < Host->ControlCount(); ++i) {
        auto* panel = dynamic_cast<TPanel*>(Host->Controls(i));
        if (panel && !dynamic_cast<GPanel::TGPanel*>(panel) && panel->Caption() == " ") return panel;
    }
    return nullptr;
}

TWinControl* FindHostClient(const TeasyPanel& Mgr) {
    if (auto* host = dynamic_cast<TPanel*>(Mgr.Host.Get())) {
        const Integer index = IndexOfChildByPrefix(host, "background__");
        if (index >= 0)
            if (auto* background = dynamic_cast<GPanel::TGPanel*>(host->Controls(index));
                background && background->Visible())
                return background;
    }
    return Mgr.Host;
}

}  // namespace easypanel
