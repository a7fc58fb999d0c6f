#pragma once
// Panel layout manager: arranges up to 31 panels of a host around a client panel, in columns, in one of
// four layouts, gives each panel a title bar with collapse and maximise commands, and keeps the
// arrangement when the host is resized. Two managers chain: an inner one inside the outer one's client.
//
// Slots are written as code characters Chr(48 + slot); a code string lists slots and separates column
// groups with ".". A size setting is weight|minimum|maximum|flag.

#include <array>
#include <functional>
#include <unordered_map>
#include <vector>

#include <vcl/ComCtrls.h>
#include <vcl/Controls.h>
#include <vcl/ExtCtrls.h>
#include <vcl/Menus.h>
#include <vcl/StdCtrls.h>

#include "Varpre.h"

namespace GPanel {
class TGPanel;
}

namespace easypanel {

constexpr Integer MaxPanelSlots = 31;
// Entries the minimum-height cache holds; a new one beyond it drops the older half.
constexpr Integer LayoutCacheLimit = 1024;

// Layout-word bits.
constexpr Word lwFrozen = 0x0001;
constexpr Word lwHorizontal = 0x0002;
constexpr Word lwVertical = 0x0004;
constexpr Word lwLLayout = 0x0100;
constexpr Word lwBottom = 0x0400;

// Placement modes of a column group.
enum TPlaceMode : Integer {
    pmLeftColumn = 1,        // L layout: the left column
    pmHorizontalTop = 2,     // horizontal-top: all columns
    pmUnderClient = 3,       // L layout: the columns under the client panel
    pmHorizontalBottom = 4,  // horizontal-bottom: all columns
    pmVerticalOne = 5,       // vertical, client shown, one column
    pmVerticalMany = 6,      // vertical, client shown, two or more columns
    pmVerticalNoClient = 7,  // vertical, client not shown
};

// The references to the panel and its companions read nil once the control is destroyed: a destroyed
// panel frees its slot, and nothing is reached after its end.
struct PanelSlotT {
    TComponentRef<TPanel> Panel;  // nil = free
    Byte Enabled = 1;
    Byte OnlyEligible = 0;
    Byte Maximised = 0;
    Byte OnlyThis = 0;
    TComponentRef<GPanel::TGPanel> TitleBar;
    TComponentRef<GPanel::TGPanel> Background;
    TComponentRef<TLabel> CaptionLabel;
    TComponentRef<TPanel> ButtonOnTitle;
    TComponentRef<TPanel> ButtonOnPanel;
    TComponentRef<TBevel> Bevel;
    TColor TitleColour = 0;
    Integer InitialWidth = 0;
    Integer InitialHeight = 0;
    Integer Top = 0;
    Integer Left = 0;
    Integer Height = 0;
    Integer Width = 0;
    Integer SavedMinHeight = 0;
    Integer SizeEntry = 0;
    AnsiString SizeSpec;
    Byte Collapsed = 0;
    Byte Collapsible = 0;
    Byte AnimateNext = 0;
    Byte BoundsChanged = 0;
};

// The minimum-height cache: entries of a key followed by the height, in the order they were made,
// looked up by their key. A cache only saves searches, so when full it forgets its older half
// rather than refusing a layout.
class TLayoutCache {
public:
    // The height cached under Key (the key ends in ":", so no key begins another).
    bool Find(const AnsiString& Key, Integer& Height) const;
    void Add(const AnsiString& Key, Integer Height);
    void Clear();
    // Key followed by the height in decimal, oldest first.
    const std::vector<AnsiString>& Entries() const { return entries_; }

private:
    std::vector<AnsiString> entries_;
    std::unordered_map<AnsiString, Integer> heights_;
};

// Called instead of repositioning when assigned: the outer manager's relayout (Notify as asked).
using TLayoutChangeEvent = std::function<void(bool Notify)>;

struct TeasyPanel {
    TeasyPanel() = default;
    ~TeasyPanel();
    // The host's resize hook and the chain refer to the manager by address.
    TeasyPanel(const TeasyPanel&) = delete;
    TeasyPanel& operator=(const TeasyPanel&) = delete;

    Integer ListHeight = 0;
    Integer LeftMargin = 8;
    Integer TopMargin = 8;
    Integer Spacing = 8;
    Integer RightMargin = 8;
    Integer BottomMargin = 8;
    Integer TitleHeight = 24;
    AnsiString PanelList;
    Byte ClientVisible = 1;
    Word LayoutWord = lwFrozen;
    Integer Columns = 2;
    Integer CollapsedHeight = 24;
    Integer BevelHeight = 2;
    Byte GradientBackground = 1;
    Integer MinColumnWidth = 0;
    Integer UsedCount = 0;
    Byte ClientForced = 0;
    Byte OnlyOneMode = 0;
    Byte MaximisedMode = 0;
    Byte SizeListMode = 0;
    Integer PanelButtonHeight = 6;
    Integer PanelButtonWidth = 6;
    TLayoutChangeEvent OnChange;
    TComponentRef<TPanel> ClientPanel;
    Byte AnimateCollapse = 1;
    Byte KeepResizeEvents = 0;
    AnsiString UsedSlots;
    Integer GroupCount = 0;
    Integer AvailHeight = 0;
    Integer FreeHeight = 0;
    Integer ClientHeight = 0;
    Byte ColumnSplit = 0;
    TComponentRef<TPopupMenu> PopupMenu;
    TLayoutCache LayoutCache;
    // A destroyed host reads nil: the manager is detached and lays out nothing.
    TComponentRef<TWinControl> Host;
    TComponentRef<TWinControl> HostClient;
    TNotifyEvent SavedOnResize;
    TComponentRef<TStatusBar> StatusBar;
    TComponentRef<TCoolBar> CoolBar;
    TeasyPanel* InnerManager = nullptr;
    Byte SavedForced = 0;
    std::array<PanelSlotT, MaxPanelSlots> Slots;
    // Working value: placements so far; a chained change tells from it whether the outer manager's pass
    // placed the inner panels (it does only when it resizes their host).
    Integer Placements = 0;
};

// --- The two process-wide managers (bound by the form set-up)

TeasyPanel& FormManager();
TeasyPanel& InnerPanelManager();
// Unit exit: both managers back to their reset state, detached from any host.
void FinalizeEasyPanel();

// --- Code strings and slots

// The slot's record; ERangeError for a slot outside 0..MaxPanelSlots-1.
PanelSlotT& SlotAt(TeasyPanel& Mgr, Integer Slot);
const PanelSlotT& SlotAt(const TeasyPanel& Mgr, Integer Slot);
char SlotChar(Integer Slot);
// -1 for a character that names no slot.
Integer SlotOfChar(char Code);
bool SlotUsed(const TeasyPanel& Mgr, Integer Slot);
// The slot's panel; nullptr for a free slot.
TPanel* SlotPanel(const TeasyPanel& Mgr, Integer Slot);
TPanel* ClientPanelOf(const TeasyPanel& Mgr);
// The used slot whose panel has that name (any letter case); -1 when none.
Integer SlotOfName(const TeasyPanel& Mgr, const AnsiString& Name);
// A ","-list of panel names (prefix* expands to every used panel starting with prefix) as a code string.
AnsiString NamesToSlotCodes(const TeasyPanel& Mgr, const AnsiString& Names);

// --- Operations of the manager

void ResetPanelManager(TeasyPanel& Mgr);
void AttachPanelManager(TeasyPanel& Mgr, TWinControl* Host, bool Refresh);
void SetInnerManager(TeasyPanel& Mgr, TeasyPanel* Inner);
void ChainToOuterManager(TeasyPanel& Mgr, TeasyPanel& Outer, bool Refresh, bool Notify);
void Relayout(TeasyPanel& Mgr, bool Refresh, bool Notify, bool Forward);
void HostResized(TeasyPanel& Mgr, TObject* Sender);
void SetPanelList(TeasyPanel& Mgr, const AnsiString& Names, bool Refresh);
void AddPanel(TeasyPanel& Mgr, TPanel*& PanelField, const AnsiString& SizeSpec, bool Refresh);
void CollectHostPanels(TeasyPanel& Mgr, TWinControl* Host, bool Refresh, AnsiString& List);
void SetTopMargin(TeasyPanel& Mgr, Integer Value, bool Refresh);
void SetLeftMargin(TeasyPanel& Mgr, Integer Value, bool Refresh);
void SetRightMargin(TeasyPanel& Mgr, Integer Value, bool Refresh);
void SetBottomMargin(TeasyPanel& Mgr, Integer Value, bool Refresh);
void SetColumns(TeasyPanel& Mgr, Integer Columns, bool Refresh);
void SetLayoutFlags(TeasyPanel& Mgr, Word Flags, bool Refresh);
void SetSizeListMode(TeasyPanel& Mgr, bool Value, bool Refresh);
void ShowClientPanel(TeasyPanel& Mgr, bool Refresh);
void HideClientPanel(TeasyPanel& Mgr, bool Refresh);
void ToggleClientPanel(TeasyPanel& Mgr, bool Refresh);
void ForceClientPanel(TeasyPanel& Mgr, bool Refresh);
void UnforceClientPanel(TeasyPanel& Mgr, bool Refresh);
void ToggleClientPanelForced(TeasyPanel& Mgr, bool Refresh);
TPanel* FindClientPanel(TeasyPanel& Mgr, TWinControl* Host);
TWinControl* FindHostClient(const TeasyPanel& Mgr);
void ComputeLayout(TeasyPanel& Mgr);
void Arrange(TeasyPanel& Mgr, const AnsiString& List, Integer AvailableHeight, AnsiString& Arranged,
             Integer AvailableWidth);

// --- Layout queries

bool ClientShown(const TeasyPanel& Mgr);
Word EffectiveLayout(const TeasyPanel& Mgr);
Integer EffectiveColumns(const TeasyPanel& Mgr);
// "llay", "horbot", "hortop", "vertleft" or empty.
AnsiString LayoutName(const TeasyPanel& Mgr);
// Sets every SizeEntry and MinColumnWidth; returns the list without free (and, alone, hidden) slots.
AnsiString PrepareSlotList(TeasyPanel& Mgr, const AnsiString& List);
Integer SlotSizeEntry(const TeasyPanel& Mgr, Integer Slot);
AnsiString SlotSizeSpec(const TeasyPanel& Mgr, Integer Slot);
Integer CollapsedHeightOf(const TeasyPanel& Mgr, Integer Slot);
bool TitleBarShown(const TeasyPanel& Mgr, Integer Slot);
// Height of the first group; SpacingPart receives the group's spacing part.
Integer GroupHeight(const TeasyPanel& Mgr, const AnsiString& List, Integer& SpacingPart);
Integer TallestColumnHeight(const TeasyPanel& Mgr, const AnsiString& List);
Integer StackedListHeight(const TeasyPanel& Mgr, const AnsiString& List);
AnsiString CacheSizeKey(const TeasyPanel& Mgr, const AnsiString& List);

// --- Placement and animation

void RefreshPanels(TeasyPanel& Mgr, const AnsiString& List);
void PlaceByLayout(TeasyPanel& Mgr, const AnsiString& Arranged);
void PlaceGroups(TeasyPanel& Mgr, const AnsiString& Groups, Integer Mode, Integer Left);
void PlaceTitleBarParts(TeasyPanel& Mgr, Integer Slot);
void ShowListedPanels(const TeasyPanel& Mgr, const AnsiString& List);
void AnimateToHeight(TeasyPanel& Mgr, TPanel* Panel, Integer Target);
void CollapseAnimated(TeasyPanel& Mgr, TPanel* Panel);
void AnimateCollapseSlot(TeasyPanel& Mgr, Integer Slot);
void AnimateStep(TeasyPanel& Mgr, TPanel* Panel, Integer Target, double FirstStep, double StepFactor);
void SetHeightAndWait(TeasyPanel& Mgr, TPanel* Panel, Integer Height);
// Test seam: runs after each animation step has set the height, before the step's pause; a test advances
// its clock here (or closes windows, as a user might mid-animation). Empty: no observer.
using TAnimationStepEvent = std::function<void(TPanel* Panel, Integer Height)>;
void SetAnimationStepEvent(TAnimationStepEvent Event);

// --- Companions and commands (easypanel_companions.cpp)

// Creates the slot's title bar, caption label, bevel, background and the two buttons; the panel grows by
// the title height; marks the slot collapsible and colours it with its TitleColour.
void AddCompanions(TeasyPanel& Mgr, Integer Slot);
// The title-bar states, button visibility, caption and colours of a listed slot at every relayout.
void ApplyCompanionStates(TeasyPanel& Mgr, Integer Slot);
void SetSlotColours(TeasyPanel& Mgr, Integer Slot, TColor Colour);
void BuildPopupMenu(TeasyPanel& Mgr, bool Refresh);
void PanelMenuClick(TeasyPanel& Mgr, TObject* Sender);
void TitleBarClick(TeasyPanel& Mgr, TObject* Sender);
void CollapseButtonClick(TeasyPanel& Mgr, TObject* Sender);
void SetCollapsed(TeasyPanel& Mgr, Integer Slot, bool Restore, bool Refresh);
void CollapseAll(TeasyPanel& Mgr, bool Refresh);
void UncollapseAll(TeasyPanel& Mgr, bool Refresh);
void ToggleMaximizePanel(TeasyPanel& Mgr, Integer Slot, bool Refresh);
void ShowOnlyPanel(TeasyPanel& Mgr, Integer Slot, bool Refresh);
void ResetToNormal(TeasyPanel& Mgr, bool Refresh);
void ToggleTitleBar(TeasyPanel& Mgr, Integer Slot, bool Refresh);
void SetTitleBarShown(TeasyPanel& Mgr, Integer Slot, bool Shown, bool Refresh);
void HideAllTitleBars(TeasyPanel& Mgr, bool Refresh);
void ShowAllTitleBars(TeasyPanel& Mgr, bool Refresh);
void SetAllPanelStyles(TeasyPanel& Mgr, Integer Style);
// The slot one of whose collapse buttons Control is; Varpre::NoValue when none.
Integer SlotOfPanel(const TeasyPanel& Mgr, TControl* Control);

}  // namespace easypanel
