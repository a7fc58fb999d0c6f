// The row tree: the count of node descriptors, indents and tree lines, and expanding and contracting nodes
// through the hidden rows. Node operations take real rows; a row is hidden by nodes exactly where a
// contracted node holds it.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "ProGrid.h"
#include "ProGrid_Paint.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;

// ---------------------------------------------------------------------------
// The node count

TCellTypeField& TCellTypeField::operator=(TCellType Value) {
    if (nodeCount_) *nodeCount_ += static_cast<Integer>(Value == ctNode) - static_cast<Integer>(value_ == ctNode);
    value_ = Value;
    return *this;
}

void TCellTypeField::CountIn(Integer* NodeCount) {
    if (NodeCount == nodeCount_) return;
    if (value_ == ctNode) {
        if (nodeCount_) --*nodeCount_;
        if (NodeCount) ++*NodeCount;
    }
    nodeCount_ = NodeCount;
}

void TCellTypeField::LeaveCount(const Integer* NodeCount) {
    if (NodeCount == nodeCount_) CountIn(nullptr);
}

void RAdeRedeviDidi::GraphicHeld(TPersistent* Graphic, bool Held) {
    auto* graphic = dynamic_cast<TCellGraphic*>(Graphic);
    if (!graphic) return;
    if (Held) graphic->CellType.CountIn(&nodeCount_);
    else graphic->CellType.LeaveCount(&nodeCount_);
}

bool RAdeRedeviDidi::HasNodes() { return nodeCount_ > 0; }

// ---------------------------------------------------------------------------
// Levels and tree lines

namespace {

Integer Clamped(std::int64_t Value) {
    return static_cast<Integer>(
        std::clamp<std::int64_t>(Value, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

}  // namespace

Integer RAdeRedeviDidi::RowIndent(Integer ARow) {
    if (!HasNodes() || ARow < 0 || ARow >= RowCount()) return 0;
    const auto* props = dynamic_cast<const TCellProperties*>(GetRawObject(0, ARow));
    return props ? Clamped(std::int64_t{props->NodeLevel()} * CellNode()->NodeIndent()) : 0;
}

bool RAdeRedeviDidi::NodeButtonHit(Integer ARow, Integer X) {
    if (ARow < 0 || ARow >= RowCount() || !HasCellProperties(0, ARow)) return false;
    const std::int64_t level = GetCellProperties(0, ARow)->NodeLevel(), indent = CellNode()->NodeIndent();
    return X > indent * (level - 1) && X < indent * level;
}

Integer RAdeRedeviDidi::TreeLineKind(Integer ARow) {
    if (IsNode(ARow)) return 0;
    if (ARow >= RowCount() - 1 || !HasCellProperties(0, ARow + 1)) return 1;
    const Integer level = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
    return GetCellProperties(0, ARow + 1)->NodeLevel() < level ? 1 : 2;
}

// The lines of the outer levels pass by; a row under a node gets its own line from the node's glyph, ending
// in this row or going on, with a branch to its content.
void RAdeRedeviDidi::DrawTreeLines(TCanvas* ACanvas, Integer ARow, const TRect& Rect) {
    if (!HasCellProperties(0, ARow)) return;
    const Integer level = GetCellProperties(0, ARow)->NodeLevel();
    if (level <= 0) return;
    const std::int64_t indent = CellNode()->NodeIndent();
    const auto lineX = [indent](std::int64_t Level) { return Clamped(indent * (Level - 1) + 8); };
    const Integer kind = TreeLineKind(ARow);
    TLine line(ACanvas, CellNode()->TreeColor());
    for (Integer l = 1; l < level; ++l) line.Draw(lineX(l), Rect.Top, lineX(l), Rect.Bottom);
    if (kind == 0) return;
    const Integer x = lineX(level), middle = Rect.Top + Rect.Height() / 2;
    line.Draw(x, Rect.Top, x, kind == 2 ? Rect.Bottom : middle + 1);
    line.Draw(x, middle, Clamped(indent * level), middle);
}

// ---------------------------------------------------------------------------
// Nodes by real row

Integer RAdeRedeviDidi::NodeEndRow(Integer ARow, Integer ASpan, Integer ALast,
                                   const std::function<bool(Integer)>& IsNodeRow) {
    if (ASpan > 0) return Clamped(std::min(std::int64_t{ARow} + ASpan, std::int64_t{ALast} + 1));
    if (ASpan < 0) return ARow + 1;
    Integer end = ARow + 1;
    while (end <= ALast && !IsNodeRow(end)) ++end;
    return end;
}

TCellProperties* RAdeRedeviDidi::RealRowProperties(Integer ACol, Integer ARealRow) {
    if (ARealRow < 0 || ARealRow >= RealRowCount()) return nullptr;
    if (!IsHiddenRow(ARealRow)) return dynamic_cast<TCellProperties*>(GetRawObject(ACol, DisplayRowIndex(ARealRow)));
    hiddenRows_->Order();
    const TGridItem* item = hiddenRows_->Items(hiddenRows_->CountBelow(ARealRow));
    TObject* object = item->items_ ? (ACol < item->items_->Count() ? item->items_->Objects(ACol) : nullptr)
                                   : item->cells_.Object(ACol);
    return dynamic_cast<TCellProperties*>(object);
}

TCellGraphic* RAdeRedeviDidi::RealNode(Integer ARealRow) {
    const TCellProperties* props = RealRowProperties(0, ARealRow);
    auto* graphic = props ? dynamic_cast<TCellGraphic*>(props->GraphicObject()) : nullptr;
    return graphic && graphic->CellType == ctNode ? graphic : nullptr;
}

Integer RAdeRedeviDidi::RealNodeEnd(Integer ARealRow, const TCellGraphic& Node) {
    return NodeEndRow(ARealRow, Node.CellIndex, RealRowCount() - 1, [this](Integer R) { return RealNode(R); });
}

namespace {

// Which of the rows, walked in order, contracted nodes before them hold.
class TNodeCover {
public:
    // The rows before HeldUntil are held already.
    explicit TNodeCover(Integer HeldUntil) : end_(HeldUntil) {}
    // Row ARow, a node row when Node is given: whether a node before it holds it. A contracted node then
    // holds its own rows: up to the row its span ends at, or with span 0 up to the next node row.
    bool Step(Integer ARow, const TCellGraphic* Node) {
        if (Node) toNextNode_ = false;
        const bool held = ARow < end_ || toNextNode_;
        if (Node && Node->CellBoolean) {
            if (Node->CellIndex > 0) end_ = std::max(end_, Clamped(std::int64_t{ARow} + Node->CellIndex));
            else if (Node->CellIndex == 0) toNextNode_ = true;
        }
        return held;
    }

private:
    Integer end_;
    bool toNextNode_ = false;
};

}  // namespace

Integer RAdeRedeviDidi::HeldUntil(Integer ARealRow) {
    // A shown row is held by none, and so are the rows after it by the nodes before it.
    if (!IsHiddenRow(ARealRow)) return ARealRow;
    Integer held = ARealRow;
    for (Integer r = ARealRow - 1; r >= 0; --r)
        if (const TCellGraphic* node = RealNode(r); node && node->CellBoolean)
            held = std::max(held, RealNodeEnd(r, *node));
    return held;
}

void RAdeRedeviDidi::FollowNodeStates(Integer AFirst, Integer ALast, Integer Held) {
    ALast = std::min(ALast, RealRowCount() - 1);
    if (AFirst > ALast) return;
    TNodeCover cover(Held);
    ProObj::TIntList hide(0, 0);
    std::vector<Integer> show;
    for (Integer r = AFirst; r <= ALast; ++r) {
        const bool held = cover.Step(r, RealNode(r));
        const bool hidden = IsHiddenRow(r);
        if (held && !hidden) hide.Add(DisplayRowIndex(r));
        else if (!held && hidden) show.push_back(r);
    }
    if (hide.Count() == 0 && show.empty()) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    if (hide.Count() > 0) HideRowList(&hide);
    if (!show.empty()) UnhideRealRows(show);
}

// ---------------------------------------------------------------------------
// Expanding and contracting

void RAdeRedeviDidi::ExpandNode(Integer ARow) {
    TCellGraphic* node = RealNode(ARow);
    if (!node) return;
    if (CellNode()->ExpandOne()) {
        // Every other node contracts: the nodes of the data rows follow at once.
        for (Integer r = FixedRows(); r < RealRowCount(); ++r)
            if (TCellGraphic* other = RealNode(r)) other->CellBoolean = r != ARow;
        node->CellBoolean = false;
        FollowNodeStates(FixedRows(), RealRowCount() - 1, HeldUntil(FixedRows()));
        return;
    }
    if (!node->CellBoolean) return;
    node->CellBoolean = false;
    FollowNodeStates(ARow, RealNodeEnd(ARow, *node) - 1, HeldUntil(ARow));
}

void RAdeRedeviDidi::ContractNode(Integer ARow) {
    TCellGraphic* node = RealNode(ARow);
    if (!node || node->CellBoolean) return;
    HideCellEditor();
    node->CellBoolean = true;
    const Integer end = RealNodeEnd(ARow, *node);
    Integer last = end - 1;
    // Contracted nodes inside expand: their rows stay hidden under this one, and rows past it that only
    // they held come back.
    for (Integer r = ARow + 1; r < end; ++r) {
        TCellGraphic* inner = RealNode(r);
        if (!inner || !inner->CellBoolean) continue;
        inner->CellBoolean = false;
        last = std::max(last, RealNodeEnd(r, *inner) - 1);
        if (const TCellProperties* props = RealRowProperties(1, r); props && props->Control())
            props->Control()->SetVisible(false);
    }
    FollowNodeStates(ARow, last, HeldUntil(ARow));
}

void RAdeRedeviDidi::ExpandAllNodes() {
    UnhideAllRows();
    for (Integer r = 0; r < RowCount(); ++r)
        if (TCellGraphic* node = RealNode(r)) node->CellBoolean = false;
}

void RAdeRedeviDidi::ContractAllNodes() {
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    ExpandAllNodes();
    TNodeCover cover(FixedRows());
    ProObj::TIntList rows(0, 0);
    for (Integer r = FixedRows(); r < RowCount(); ++r) {
        TCellGraphic* node = RealNode(r);
        if (node) node->CellBoolean = true;
        if (cover.Step(r, node)) rows.Add(r);
    }
    HideRowList(&rows);
}

void RAdeRedeviDidi::RemoveAllNodes() {
    if (!HasNodes()) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    // Every node expands: the rows the contracted ones held come back.
    TNodeCover cover(0);
    std::vector<Integer> nodes, show;
    for (Integer r = 0; r < RealRowCount(); ++r) {
        const TCellGraphic* node = RealNode(r);
        if (cover.Step(r, node) && IsHiddenRow(r)) show.push_back(r);
        if (node) nodes.push_back(r);
    }
    std::vector<Integer> ends;
    ends.reserve(nodes.size());
    for (const Integer r : nodes) {
        TCellGraphic* node = RealNode(r);
        node->CellBoolean = false;
        ends.push_back(RealNodeEnd(r, *node));
    }
    UnhideRealRows(show);
    // Nested nodes go as well: each node's rows take level 0.
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (Integer r = nodes[i]; r < ends[i]; ++r)
            if (TCellProperties* props = RealRowProperties(0, r)) props->SetNodeLevel(0);
        RealRowProperties(0, nodes[i])->SetGraphicObject(nullptr);
    }
}

}  // namespace ProGrid
