// What a cell's graphic says of its check box and node, and making and removing a cell's graphic.
#include "ProGrid.h"

namespace ProGrid {

using namespace BaseGrid;

// ---------------------------------------------------------------------------
// Check boxes

bool RAdeRedeviDidi::HasCheckBox(Integer ACol, Integer ARow) {
    const TCellType type = GetCellType(ACol, ARow);
    return type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox;
}

bool RAdeRedeviDidi::GetCheckBoxState(Integer ACol, Integer ARow, bool& State) {
    State = false;
    if (!HasCheckBox(ACol, ARow)) return false;
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic->CellType == ctCheckBox) {
        State = graphic->CellBoolean;
    } else {
        // The data kinds keep their state in the text.
        const TPoint base = BaseCell(ACol, ARow);
        AnsiString checkTrue;
        GetCheckTrue(base.X, base.Y, checkTrue);
        State = Cells(base.X, base.Y) == checkTrue;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Nodes

namespace {

bool RowInGrid(const RAdeRedeviDidi& Grid, Integer ARow) { return ARow >= 0 && ARow < Grid.RowCount(); }

}  // namespace

bool RAdeRedeviDidi::IsNode(Integer ARow) { return RowInGrid(*this, ARow) && GetCellType(0, ARow) == ctNode; }

bool RAdeRedeviDidi::IsSummaryRow(Integer ARow) { return RowInGrid(*this, ARow) && GetCellType(0, ARow) == ctSummary; }

bool RAdeRedeviDidi::GetNodeState(Integer ARow) { return IsNode(ARow) && GetCellGraphic(0, ARow)->CellBoolean; }

Integer RAdeRedeviDidi::GetNodeLevel(Integer ARow) {
    if (!IsNode(ARow)) return -1;
    const TPoint base = BaseCell(0, ARow);
    return GetCellProperties(base.X, base.Y)->NodeLevel();
}

Integer RAdeRedeviDidi::GetNodeSpan(Integer ARow) { return IsNode(ARow) ? GetCellGraphic(0, ARow)->CellIndex : -1; }

// ---------------------------------------------------------------------------
// A cell's graphic

TCellGraphic* RAdeRedeviDidi::CreateCellGraphic(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0 || ACol >= AllColCount() || ARow >= RowCount())
        throw EProGridError("Invalid cell accessed");
    RemoveCellGraphic(ACol, ARow);
    auto* graphic = new TCellGraphic();
    SetGraphicObject(ACol, ARow, graphic);
    if (HiddenColCount() > 0) RepaintCell(DisplayColIndex(ACol), ARow);
    return graphic;
}

bool RAdeRedeviDidi::RemoveCellGraphic(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0 || !HasCellProperties(ACol, ARow)) return false;
    TCellProperties* props = GetCellProperties(ACol, ARow);
    if (!props->GraphicObject()) return false;
    // A virtual check box's graphic is shared by its cells.
    const auto* graphic = dynamic_cast<const TCellGraphic*>(props->GraphicObject());
    if (graphic && graphic->CellType == ctVirtCheckBox) props->DetachGraphicObject();
    else props->SetGraphicObject(nullptr);
    InvalidateCellEx(ACol, ARow);
    return true;
}

bool RAdeRedeviDidi::RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType AType) {
    return GetCellType(ACol, ARow) == AType && RemoveCellGraphic(ACol, ARow);
}

}  // namespace ProGrid
