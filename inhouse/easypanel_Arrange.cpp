// Panel layout manager: size settings, the arrangement of listed panels into column groups for each
// layout, and the host's minimum size with its cache.

#include <algorithm>
#include <climits>
#include <vector>

#include <vcl/SysUtils.h>

#include "ComponentHandling.h"
#include "GPanel.h"
#include "easypanel.h"
#include "exposit.h"
#include "valstr.h"

namespace easypanel {

using namespace ComponentHandling;

namespace {

constexpr Integer MaxLPanels = 16;

std::vector<AnsiString> SplitText(const AnsiString& S, char Sep) {
    std::vector<AnsiString> parts(1);
    for (char c : S) {
        if (c == Sep) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

AnsiString JoinGroups(const std::vector<AnsiString>& Groups) {
    AnsiString result;
    for (const AnsiString& group : Groups) {
        if (group.empty()) continue;
        if (!result.empty()) result += '.';
        result += group;
    }
    return result;
}

bool ListHolds(const AnsiString& List, Integer Slot) { return List.find(SlotChar(Slot)) != AnsiString::npos; }

Integer VisibleHeight(TControl* Control) { return Control && Control->Visible() ? Control->Height() : 0; }

Integer EntryOf(const TeasyPanel& Mgr, char Code) {
    const Integer slot = SlotOfChar(Code);
    return slot < 0 ? 0 : SlotAt(Mgr, slot).SizeEntry;
}

bool IsSlotCode(char Code) { return SlotOfChar(Code) >= 0; }

AnsiString AddToLimit(const AnsiString& Value, Integer Amount) {
    return Value.empty() ? Value : IntToStr(valstr::StrToIntLenient(Value) + Amount);
}

void ClientPartHeights(TeasyPanel& Mgr) {
    if (ClientShown(Mgr)) {
        Mgr.ClientHeight =
            Mgr.ColumnSplit ? Mgr.AvailHeight - (Mgr.ListHeight + Mgr.Spacing) : Mgr.AvailHeight - Mgr.BottomMargin;
    } else {
        Mgr.ClientHeight = Mgr.AvailHeight - Mgr.ListHeight;
    }
}

// Greedy columns: the tallest remaining panel goes to the shortest column.
void ArrangeHorizontal(TeasyPanel& Mgr, const AnsiString& List, Integer AvailableHeight, AnsiString& Arranged,
                       Integer AvailableWidth) {
    Mgr.AvailHeight = AvailableHeight - Mgr.TopMargin;
    AnsiString remaining;
    for (char c : List)
        if (IsSlotCode(c)) remaining += c;
    const Integer unit = Mgr.MinColumnWidth + Mgr.Spacing;
    Integer n = unit > 0 ? (AvailableWidth - Mgr.LeftMargin - Mgr.RightMargin + Mgr.Spacing) / unit : 1;
    // More columns than panels only adds empty ones.
    n = std::max(1, std::min(n, static_cast<Integer>(remaining.size())));
    std::vector<AnsiString> columns(static_cast<std::size_t>(n));
    std::vector<Integer> totals(static_cast<std::size_t>(n), 0);
    while (!remaining.empty()) {
        std::size_t pick = 0;
        for (std::size_t i = 1; i < remaining.size(); ++i)
            if (EntryOf(Mgr, remaining[i]) > EntryOf(Mgr, remaining[pick])) pick = i;
        const auto shortest = static_cast<std::size_t>(std::min_element(totals.begin(), totals.end()) - totals.begin());
        columns[shortest] += remaining[pick];
        totals[shortest] += EntryOf(Mgr, remaining[pick]);
        remaining.erase(pick, 1);
    }
    Arranged.clear();
    for (const AnsiString& column : columns) Arranged += column + ".";
    Mgr.ListHeight = TallestColumnHeight(Mgr, Arranged);
    Mgr.ColumnSplit = Mgr.ListHeight > 0;
    if (!ClientShown(Mgr)) {
        Mgr.ClientHeight = Mgr.FreeHeight = Mgr.AvailHeight - Mgr.ListHeight;
        return;
    }
    ClientPartHeights(Mgr);
    Mgr.FreeHeight = Mgr.AvailHeight - (Mgr.ListHeight + Mgr.Spacing + Mgr.ClientHeight);
}

// Groups in input order: the first group stays first, each group's panels and the other groups by the
// earliest position of their panels in List.
AnsiString NormaliseLGroups(const AnsiString& List, const AnsiString& Candidate) {
    auto position = [&List](char c) { return List.find(c); };
    std::vector<AnsiString> groups;
    for (AnsiString& group : SplitText(Candidate, '.')) {
        if (group.empty()) continue;
        std::sort(group.begin(), group.end(), [&](char a, char b) { return position(a) < position(b); });
        groups.push_back(group);
    }
    if (groups.size() > 1)
        std::stable_sort(groups.begin() + 1, groups.end(),
                         [&](const AnsiString& a, const AnsiString& b) { return position(a[0]) < position(b[0]); });
    return JoinGroups(groups);
}

void ArrangeL(TeasyPanel& Mgr, const AnsiString& List, Integer AvailableHeight, AnsiString& Arranged,
              Integer AvailableWidth) {
    Mgr.AvailHeight = AvailableHeight - Mgr.TopMargin;
    Integer spacingPart = 0;
    AnsiString panels;
    for (char c : List)
        if (IsSlotCode(c)) panels += c;
    const auto n = static_cast<Integer>(panels.size());
    bool split = GroupHeight(Mgr, panels, spacingPart) > Mgr.AvailHeight;
    if (split && n > MaxLPanels) throw ERangeError("The L layout arranges at most " + IntToStr(MaxLPanels) + " panels");
    AnsiString best;
    Integer bestScore = INT_MIN, bestCount = 0;
    if (split) {
        const Integer availHeight = Mgr.AvailHeight;
        for (std::uint32_t mask = (1u << n) - 1; mask >= 1; --mask) {
            AnsiString left, others;
            for (Integer i = 0; i < n; ++i) {
                if (mask & (1u << (n - 1 - i))) left += panels[static_cast<std::size_t>(i)];
                else others.insert(others.begin(), panels[static_cast<std::size_t>(i)]);
            }
            if (GroupHeight(Mgr, left, spacingPart) > availHeight) continue;
            AnsiString horizontal;
            ArrangeHorizontal(Mgr, others, AvailableHeight, horizontal,
                              AvailableWidth - Mgr.MinColumnWidth - Mgr.Spacing);
            const Integer score = Mgr.ClientHeight;
            const auto count = static_cast<Integer>(left.size());
            if (score > bestScore || (score == bestScore && count > bestCount)) {
                bestScore = score;
                bestCount = count;
                best = left + "." + horizontal;
            }
        }
        Mgr.AvailHeight = availHeight;
        // No left column fits at all: the panels stay one column and overflow.
        split = !best.empty();
    }
    if (split) {
        Mgr.ColumnSplit = 1;
        Mgr.ClientHeight = bestScore;
        Arranged = NormaliseLGroups(panels, best);
    } else {
        Mgr.ColumnSplit = 0;
        Arranged = panels;
        Mgr.ClientHeight = Mgr.AvailHeight - Mgr.BottomMargin;
    }
    Mgr.ListHeight = GroupHeight(Mgr, Arranged, spacingPart);
    Mgr.FreeHeight = Mgr.AvailHeight - Mgr.ListHeight;
}

void ArrangeVertical(TeasyPanel& Mgr, const AnsiString& List, Integer AvailableHeight, AnsiString& Arranged) {
    Mgr.AvailHeight = AvailableHeight - Mgr.TopMargin;
    Arranged.clear();
    for (char c : List)
        if (IsSlotCode(c)) Arranged += c;
    Mgr.ColumnSplit = EffectiveColumns(Mgr) < 2;
    Integer spacingPart = 0;
    Mgr.ListHeight = GroupHeight(Mgr, Arranged, spacingPart);
    ClientPartHeights(Mgr);
    if (ClientShown(Mgr)) Mgr.FreeHeight = Mgr.ColumnSplit ? 0 : Mgr.AvailHeight - Mgr.ListHeight;
    else Mgr.FreeHeight = Mgr.ClientHeight;
}

AnsiString CacheKey(TeasyPanel& Mgr, const AnsiString& List, Integer Columns, Integer ClientMinHeight,
                    Integer ClientMinWidth, Integer StatusHeight, Integer CoolHeight) {
    const std::vector<AnsiString> values = {CacheSizeKey(Mgr, List),    LayoutName(Mgr),
                                            Mgr.Host->Name(),           ClientShown(Mgr) ? "exists" : "notexists",
                                            IntToStr(Columns),          IntToStr(Mgr.TopMargin),
                                            IntToStr(Mgr.LeftMargin),   IntToStr(Mgr.RightMargin),
                                            IntToStr(Mgr.BottomMargin), IntToStr(Mgr.Spacing),
                                            IntToStr(ClientMinHeight),  IntToStr(ClientMinWidth),
                                            IntToStr(StatusHeight),     IntToStr(CoolHeight)};
    AnsiString key;
    for (std::size_t i = 0; i < values.size(); ++i) key += values[i] + (i + 1 < values.size() ? "," : ":");
    return key;
}

}  // namespace

// --- The minimum-height cache

bool TLayoutCache::Find(const AnsiString& Key, Integer& Height) const {
    const auto found = heights_.find(Key);
    if (found == heights_.end()) return false;
    Height = found->second;
    return true;
}

void TLayoutCache::Add(const AnsiString& Key, Integer Height) {
    if (static_cast<Integer>(entries_.size()) >= LayoutCacheLimit) {
        const auto older = entries_.begin() + LayoutCacheLimit / 2;
        for (auto entry = entries_.begin(); entry != older; ++entry)
            heights_.erase(entry->substr(0, entry->rfind(':') + 1));
        entries_.erase(entries_.begin(), older);
    }
    if (!heights_.emplace(Key, Height).second) return;
    entries_.push_back(Key + IntToStr(Height));
}

void TLayoutCache::Clear() {
    entries_.clear();
    heights_.clear();
}

// --- Layout queries

bool ClientShown(const TeasyPanel& Mgr) {
    return ClientPanelOf(Mgr) && ((Mgr.ClientVisible && !Mgr.OnlyOneMode) || Mgr.ClientForced);
}

Word EffectiveLayout(const TeasyPanel& Mgr) {
    const Word word = Mgr.LayoutWord;
    if (!(word & lwFrozen) && !ClientShown(Mgr) && (!(word & lwVertical) || Mgr.OnlyOneMode)) return lwHorizontal;
    return word;
}

Integer EffectiveColumns(const TeasyPanel& Mgr) {
    if (Mgr.OnlyOneMode)
        for (char c : Mgr.PanelList)
            if (const Integer slot = SlotOfChar(c); SlotUsed(Mgr, slot) && SlotAt(Mgr, slot).OnlyThis) return 1;
    if ((Mgr.LayoutWord & lwVertical) && !ClientShown(Mgr)) return 1;
    return Mgr.Columns;
}

AnsiString LayoutName(const TeasyPanel& Mgr) {
    const Word word = Mgr.LayoutWord;
    if (word & lwLLayout) return "llay";
    if ((word & lwHorizontal) && (word & lwBottom)) return "horbot";
    if (word & lwHorizontal) return "hortop";
    if (word & lwVertical) return "vertleft";
    return "";
}

bool TitleBarShown(const TeasyPanel& Mgr, Integer Slot) {
    if (!SlotUsed(Mgr, Slot)) return false;
    const GPanel::TGPanel* titleBar = SlotAt(Mgr, Slot).TitleBar;
    return titleBar && titleBar->Visible();
}

Integer CollapsedHeightOf(const TeasyPanel& Mgr, Integer Slot) {
    TPanel* panel = SlotPanel(Mgr, Slot);
    if (!panel) return 0;
    if (TitleBarShown(Mgr, Slot)) return std::max(Mgr.TitleHeight + 2 * panel->BevelWidth(), Mgr.CollapsedHeight);
    return std::max(Mgr.PanelButtonHeight, Mgr.CollapsedHeight);
}

AnsiString SlotSizeSpec(const TeasyPanel& Mgr, Integer Slot) {
    TPanel* panel = SlotPanel(Mgr, Slot);
    if (!panel) return "";
    const PanelSlotT& s = SlotAt(Mgr, Slot);
    const bool full = (Mgr.OnlyOneMode && s.OnlyThis) || (Mgr.MaximisedMode && s.Maximised);
    if (!full && ((Mgr.MaximisedMode && !s.Maximised) || (s.Collapsed && s.Collapsible)))
        return "0.1|" + IntToStr(CollapsedHeightOf(Mgr, Slot)) + "|" + IntToStr(Mgr.CollapsedHeight);
    AnsiString rest = s.SizeSpec, weight, minimum, maximum, flag;
    exposit::CutToken(rest, "|", false, weight);
    exposit::CutToken(rest, "|", false, minimum);
    exposit::CutToken(rest, "|", false, maximum);
    exposit::CutToken(rest, "|", false, flag);
    if (panel->Constraints()->MinHeight() != 0) minimum = IntToStr(panel->Constraints()->MinHeight());
    if (TitleBarShown(Mgr, Slot)) {
        minimum = AddToLimit(minimum, Mgr.TitleHeight);
        maximum = AddToLimit(maximum, Mgr.TitleHeight);
    }
    if ((s.Maximised || s.OnlyThis) && !flag.empty()) maximum.clear();
    return weight + "|" + minimum + "|" + maximum;
}

Integer SlotSizeEntry(const TeasyPanel& Mgr, Integer Slot) {
    if (!SlotUsed(Mgr, Slot) || Mgr.ClientForced) return 0;
    AnsiString rest = SlotSizeSpec(Mgr, Slot), weight, minimum;
    exposit::CutToken(rest, "|", false, weight);
    exposit::CutToken(rest, "|", false, minimum);
    return minimum.empty() ? 0 : valstr::StrToIntLenient(minimum);
}

AnsiString PrepareSlotList(TeasyPanel& Mgr, const AnsiString& List) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot) SlotAt(Mgr, slot).SizeEntry = SlotSizeEntry(Mgr, slot);
    AnsiString filtered;
    if (!Mgr.ClientForced)
        for (char c : List) {
            const Integer slot = SlotOfChar(c);
            if (!SlotUsed(Mgr, slot)) continue;
            if (Mgr.OnlyOneMode && !SlotAt(Mgr, slot).OnlyThis) continue;
            filtered += c;
        }
    Mgr.MinColumnWidth = 0;
    for (char c : filtered) {
        const Integer slot = SlotOfChar(c);
        const Integer minWidth = SlotPanel(Mgr, slot)->Constraints()->MinWidth();
        Mgr.MinColumnWidth = std::max(Mgr.MinColumnWidth, minWidth > 0 ? minWidth : SlotAt(Mgr, slot).InitialWidth);
    }
    return filtered;
}

Integer GroupHeight(const TeasyPanel& Mgr, const AnsiString& List, Integer& SpacingPart) {
    Integer sum = 0, count = 0;
    for (char c : List) {
        if (c == '.') break;
        if (!IsSlotCode(c)) continue;
        sum += EntryOf(Mgr, c);
        ++count;
    }
    SpacingPart = sum >= 1 ? (count - 1) * Mgr.Spacing + Mgr.BottomMargin : 0;
    return sum + SpacingPart;
}

Integer TallestColumnHeight(const TeasyPanel& Mgr, const AnsiString& List) {
    Integer tallest = 0;
    for (const AnsiString& group : SplitText(List, '.')) {
        Integer sum = 0;
        for (char c : group)
            if (IsSlotCode(c)) sum += EntryOf(Mgr, c) + Mgr.Spacing;
        tallest = std::max(tallest, sum);
    }
    return tallest >= 1 ? tallest - Mgr.Spacing + Mgr.BottomMargin : tallest;
}

Integer StackedListHeight(const TeasyPanel& Mgr, const AnsiString& List) {
    Integer sum = 0;
    for (char c : List)
        if (SlotUsed(Mgr, SlotOfChar(c))) sum += EntryOf(Mgr, c) + Mgr.Spacing;
    return sum >= 1 ? sum - Mgr.Spacing + Mgr.BottomMargin : sum;
}

AnsiString CacheSizeKey(const TeasyPanel& Mgr, const AnsiString& List) {
    AnsiString key;
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
        if (ListHolds(List, slot)) key += IntToStr(SlotSizeEntry(Mgr, slot)) + "|";
    return key + "|" + IntToStr(Mgr.TopMargin) + "," + IntToStr(Mgr.LeftMargin);
}

// --- Arrangement

void Arrange(TeasyPanel& Mgr, const AnsiString& List, Integer AvailableHeight, AnsiString& Arranged,
             Integer AvailableWidth) {
    Mgr.GroupCount = 0;
    Arranged.clear();
    if ((Mgr.LayoutWord & lwFrozen) || Mgr.ClientForced || List.empty()) return;
    const Word layout = EffectiveLayout(Mgr);
    if (layout & lwVertical) ArrangeVertical(Mgr, List, AvailableHeight, Arranged);
    else if (layout & lwHorizontal) ArrangeHorizontal(Mgr, List, AvailableHeight, Arranged, AvailableWidth);
    else ArrangeL(Mgr, List, AvailableHeight, Arranged, AvailableWidth);
    Arranged = JoinGroups(SplitText(Arranged, '.'));
    Mgr.GroupCount = static_cast<Integer>(std::count(Arranged.begin(), Arranged.end(), '.')) + 1;
}

// --- Minimum size of the host

void ComputeLayout(TeasyPanel& Mgr) {
    if ((Mgr.LayoutWord & lwFrozen) || !Mgr.Host || !Mgr.HostClient) return;
    const Integer statusHeight = VisibleHeight(Mgr.StatusBar);
    const Integer coolHeight = VisibleHeight(Mgr.CoolBar);
    const bool separateHost = Mgr.Host != Mgr.HostClient;
    const Integer clientFrameWidth = GetFrameWidth(Mgr.HostClient, true);
    const Integer clientFrameHeight = GetFrameHeight(Mgr.HostClient, true);
    const Integer hostFrameWidth = separateHost ? GetFrameWidth(Mgr.Host, true) : 0;
    const Integer hostFrameHeight = separateHost ? GetFrameHeight(Mgr.Host, true) : 0;
    const bool clientShown = ClientShown(Mgr);
    TPanel* client = ClientPanelOf(Mgr);
    const Integer clientMinWidth = clientShown ? client->Constraints()->MinWidth() : 0;
    const Integer clientMinHeight = clientShown ? client->Constraints()->MinHeight() : 0;
    const AnsiString list = PrepareSlotList(Mgr, Mgr.PanelList);
    const Word layout = EffectiveLayout(Mgr);
    const Integer columns = EffectiveColumns(Mgr);
    const Integer frames = Mgr.LeftMargin + clientFrameWidth + hostFrameWidth;
    const Integer columnsWidth = (Mgr.MinColumnWidth + Mgr.Spacing) * columns - Mgr.Spacing;

    if (Mgr.ClientForced || list.empty()) {
        SetMinWidthQuiet(Mgr.Host, frames + clientMinWidth + Mgr.RightMargin, false);
        SetMinHeightQuiet(
            Mgr.Host,
            Mgr.TopMargin + clientMinHeight + Mgr.BottomMargin + statusHeight + coolHeight + clientFrameHeight, false);
        return;
    }
    Integer minWidth;
    if (!clientShown) minWidth = frames + columnsWidth + Mgr.RightMargin;
    else if (layout & lwHorizontal)
        minWidth = frames + std::max(Mgr.RightMargin + clientMinWidth, columnsWidth + Mgr.RightMargin);
    else if (columns >= 2)
        minWidth = frames + std::max(Mgr.MinColumnWidth, clientMinWidth) +
                   (Mgr.MinColumnWidth + Mgr.Spacing) * (columns - 1) + Mgr.RightMargin;
    else if (layout & lwVertical) minWidth = frames + std::max(Mgr.MinColumnWidth, clientMinWidth) + Mgr.RightMargin;
    else minWidth = frames + Mgr.MinColumnWidth + Mgr.RightMargin;
    SetMinWidthQuiet(Mgr.Host, minWidth, false);

    const AnsiString key = CacheKey(Mgr, list, columns, clientMinHeight, clientMinWidth, statusHeight, coolHeight);
    Integer result = 0;
    if (!Mgr.LayoutCache.Find(key, result)) {
        const Integer start = (clientShown ? Mgr.Spacing + clientMinHeight : 0) + StackedListHeight(Mgr, list) +
                              Mgr.TopMargin + statusHeight + coolHeight + clientFrameHeight;
        result = start;
        Integer h = start;
        AnsiString arranged;
        while (h >= 1) {
            Arrange(Mgr, list, h - clientFrameHeight - statusHeight - coolHeight, arranged,
                    Mgr.Host->Constraints()->MinWidth() - clientFrameWidth);
            if (Mgr.ClientHeight < clientMinHeight || Mgr.GroupCount > columns || Mgr.FreeHeight < 0) break;
            const Integer d = Mgr.ClientHeight - clientMinHeight;
            if (d <= Mgr.FreeHeight) {
                result = h - d;
                break;
            }
            result = h;
            h -= std::max(Mgr.FreeHeight, 1);
        }
        Mgr.LayoutCache.Add(key, result);
    }
    SetMinHeightQuiet(Mgr.Host, result + hostFrameHeight, false);
}

}  // namespace easypanel
