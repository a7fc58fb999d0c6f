// Panel placement: the arranged column groups become bounds of panels, title-bar parts and the client
// panel, applied without resize events; each changed panel's handler runs once at the end.

#include <algorithm>
#include <vector>

#include "ComponentHandling.h"
#include "GPanel.h"
#include "easypanel.h"
#include "exposit.h"
#include "valstr.h"

namespace easypanel {

using namespace ComponentHandling;

namespace {

std::vector<Integer> ReadIntList(const AnsiString& List) {
    std::vector<Integer> values;
    AnsiString rest = List, item;
    while (!rest.empty()) {
        exposit::CutToken(rest, ",", false, item);
        values.push_back(valstr::StrToIntLenient(item));
    }
    return values;
}

std::vector<AnsiString> NonEmptyGroups(const AnsiString& Groups) {
    std::vector<AnsiString> groups;
    AnsiString rest = Groups, group;
    while (!rest.empty()) {
        exposit::CutToken(rest, ".", false, group);
        if (!group.empty()) groups.push_back(group);
    }
    return groups;
}

Integer VisibleHeight(TControl* Control) { return Control && Control->Visible() ? Control->Height() : 0; }

PanelSlotT& SlotOf(TeasyPanel& Mgr, char Code) { return SlotAt(Mgr, SlotOfChar(Code)); }

std::vector<Integer> ListedSlots(const TeasyPanel& Mgr, const AnsiString& List) {
    std::vector<Integer> slots;
    for (char c : List)
        if (SlotUsed(Mgr, SlotOfChar(c))) slots.push_back(SlotOfChar(c));
    return slots;
}

void PlaceClientPanel(TeasyPanel& Mgr, const AnsiString& Arranged, Integer AvailableHeight, Integer AvailableWidth) {
    TPanel* client = ClientPanelOf(Mgr);
    if (!client) return;
    if (!ClientShown(Mgr)) {
        client->SetVisible(false);
        return;
    }
    Integer left = Mgr.LeftMargin, top = Mgr.TopMargin, height;
    const Word layout = EffectiveLayout(Mgr);
    if (Mgr.ClientForced || Arranged.empty()) {
        height = AvailableHeight - Mgr.TopMargin - Mgr.BottomMargin;
    } else {
        height = Mgr.ClientHeight;
        const bool vertical = layout & lwVertical;
        const bool horizontal = !vertical && (layout & lwHorizontal);
        const bool lLayout = !vertical && !horizontal;
        if (!horizontal && !(vertical && Mgr.ColumnSplit)) left = Mgr.LeftMargin + Mgr.MinColumnWidth + Mgr.Spacing;
        const bool bottom = horizontal && (layout & lwBottom);
        const bool verticalMany = vertical && EffectiveColumns(Mgr) >= 2;
        if (!lLayout && !bottom && !verticalMany) top = Mgr.TopMargin + Mgr.ListHeight - Mgr.BottomMargin + Mgr.Spacing;
    }
    SetBoundsQuiet(client, AvailableWidth - left - Mgr.RightMargin, height, top, left, true);
    client->SetVisible(true);
}

}  // namespace

void ShowListedPanels(const TeasyPanel& Mgr, const AnsiString& List) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
        if (TPanel* panel = SlotPanel(Mgr, slot))
            panel->SetVisible(!Mgr.ClientForced && List.find(SlotChar(slot)) != AnsiString::npos);
}

void PlaceGroups(TeasyPanel& Mgr, const AnsiString& Groups, Integer Mode, Integer Left) {
    const std::vector<AnsiString> groups = NonEmptyGroups(Groups);
    if (groups.empty()) return;
    const Integer clientPart = ClientShown(Mgr) ? Mgr.ClientHeight + Mgr.Spacing : 0;
    const bool underClient = Mode == pmUnderClient || Mode == pmHorizontalBottom;
    const bool fixedColumns = Mode == pmLeftColumn || Mode == pmVerticalMany;
    const bool wideColumns = !Mgr.ClientForced && (Mgr.OnlyOneMode || Mgr.SizeListMode);
    Integer x = Mode == pmUnderClient ? Left + Mgr.MinColumnWidth + Mgr.Spacing : Left;
    AnsiString widthText;
    valstr::DistributeEvenly(Mgr.HostClient->ClientWidth() - x,
                             Mode == pmUnderClient ? Mgr.GroupCount - 1 : Mgr.GroupCount, false, widthText, false);
    const std::vector<Integer> widths = ReadIntList(widthText);
    std::size_t nextWidth = 0;
    const Integer columnHeight =
        (fixedColumns || Mode == pmVerticalNoClient) ? Mgr.AvailHeight : Mgr.AvailHeight - clientPart;

    for (std::size_t g = 0; g < groups.size(); ++g) {
        const AnsiString& group = groups[g];
        const bool last = g + 1 == groups.size();
        Integer spacingPart = 0;
        const Integer free = columnHeight - GroupHeight(Mgr, group, spacingPart);
        AnsiString specs, heightText;
        for (char c : group) specs += (specs.empty() ? "" : ",") + SlotSizeSpec(Mgr, SlotOfChar(c));
        valstr::DistributeSizes(Mode == pmVerticalOne ? 0 : columnHeight - spacingPart, specs, false, heightText,
                                false);
        const std::vector<Integer> heights = ReadIntList(heightText);
        Integer y = underClient ? Mgr.TopMargin + clientPart + free : Mgr.TopMargin;
        for (std::size_t i = 0; i < group.size(); ++i) {
            PanelSlotT& slot = SlotOf(Mgr, group[i]);
            slot.Height = i < heights.size() ? heights[i] : 0;
            if (underClient && slot.Height != slot.SizeEntry) y -= slot.Height - slot.SizeEntry;
        }
        for (char c : group) {
            PanelSlotT& slot = SlotOf(Mgr, c);
            slot.Top = y;
            slot.Left = x;
            y += slot.Height + Mgr.Spacing;
        }
        const Integer columnLeft = x;
        if (fixedColumns || !wideColumns)
            x += last && !fixedColumns ? Mgr.MinColumnWidth + Mgr.RightMargin : Mgr.MinColumnWidth + Mgr.Spacing;
        else x += nextWidth < widths.size() ? widths[nextWidth++] : Mgr.MinColumnWidth + Mgr.Spacing;
        for (char c : group)
            SlotOf(Mgr, c).Width = x - columnLeft - (last && !fixedColumns ? Mgr.RightMargin : Mgr.Spacing);
    }
}

void PlaceByLayout(TeasyPanel& Mgr, const AnsiString& Arranged) {
    ShowListedPanels(Mgr, Arranged);
    const Word layout = EffectiveLayout(Mgr);
    if (layout & lwVertical) {
        const Integer mode = !ClientShown(Mgr)            ? pmVerticalNoClient
                             : EffectiveColumns(Mgr) == 1 ? pmVerticalOne
                                                          : pmVerticalMany;
        PlaceGroups(Mgr, Arranged, mode, Mgr.LeftMargin);
    } else if (layout & lwHorizontal) {
        PlaceGroups(Mgr, Arranged, (layout & lwBottom) ? pmHorizontalBottom : pmHorizontalTop, Mgr.LeftMargin);
    } else {
        AnsiString rest = Arranged, first;
        exposit::CutToken(rest, ".", false, first);
        PlaceGroups(Mgr, first, pmLeftColumn, Mgr.LeftMargin);
        PlaceGroups(Mgr, rest, pmUnderClient, Mgr.LeftMargin);
    }
}

void PlaceTitleBarParts(TeasyPanel& Mgr, Integer Slot) {
    TPanel* panel = SlotPanel(Mgr, Slot);
    if (!panel) return;
    const PanelSlotT& s = SlotAt(Mgr, Slot);
    const Integer f = GetFrameWidth(panel, false);
    const Integer F = GetFrameWidth(panel, true);
    if (s.CaptionLabel)
        s.CaptionLabel->SetTop(std::max(0, std::min(s.Height, Mgr.CollapsedHeight) / 2 - s.CaptionLabel->Height() / 2));
    if (s.ButtonOnTitle && s.TitleBar) {
        const Integer size = std::max(0, Mgr.TitleHeight - 2 - 2 * s.TitleBar->BevelWidth() - Mgr.BevelHeight);
        s.ButtonOnTitle->SetBounds(s.Width - F - size - Mgr.BevelHeight, 2, size, size);
    }
    if (s.ButtonOnPanel) {
        const Integer inset = panel->BorderStyle() != bsNone ? f / 2 + 2 : f / 2;
        SetBoundsQuiet(s.ButtonOnPanel, Mgr.PanelButtonWidth, Mgr.PanelButtonHeight, f / 2,
                       s.Width - Mgr.PanelButtonWidth - inset, true);
    }
}

void RefreshPanels(TeasyPanel& Mgr, const AnsiString& List) {
    if (!Mgr.HostClient) return;
    ++Mgr.Placements;
    AnsiString listed = PrepareSlotList(Mgr, List);
    const bool frozen = Mgr.LayoutWord & lwFrozen;
    if (frozen) {
        ShowListedPanels(Mgr, listed);
    } else {
        const Integer availableHeight =
            Mgr.HostClient->ClientHeight() - VisibleHeight(Mgr.StatusBar) - VisibleHeight(Mgr.CoolBar);
        const Integer availableWidth = Mgr.HostClient->ClientWidth();
        AnsiString arranged;
        Arrange(Mgr, listed, availableHeight, arranged, availableWidth);
        listed = arranged;
        PlaceByLayout(Mgr, listed);
        for (Integer slot : ListedSlots(Mgr, listed)) {
            PanelSlotT& s = SlotAt(Mgr, slot);
            TPanel* panel = SlotPanel(Mgr, slot);
            s.BoundsChanged =
                SetBoundsQuiet(panel, s.Width, s.AnimateNext ? panel->Height() : s.Height, s.Top, s.Left, false);
        }
        PlaceClientPanel(Mgr, listed, availableHeight, availableWidth);
    }
    for (Integer slot : ListedSlots(Mgr, listed)) {
        PlaceTitleBarParts(Mgr, slot);
        ApplyCompanionStates(Mgr, slot);
    }
    if (!frozen) {
        for (Integer slot : ListedSlots(Mgr, listed)) {
            PanelSlotT& s = SlotAt(Mgr, slot);
            if (!s.AnimateNext) continue;
            // Cleared first: a relayout while the animation pumps messages places the panel at its target.
            s.AnimateNext = 0;
            AnimateToHeight(Mgr, SlotPanel(Mgr, slot), s.Height);
        }
        for (Integer slot : ListedSlots(Mgr, listed)) {
            TPanel* panel = SlotPanel(Mgr, slot);
            if (SlotAt(Mgr, slot).BoundsChanged && panel && panel->OnResize) panel->OnResize(nullptr);
        }
    }
    if (Mgr.SavedOnResize) Mgr.SavedOnResize(nullptr);
}

}  // namespace easypanel
