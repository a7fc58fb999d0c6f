// The grid's per-cell queries (a default answer, then the application's event), its row and text entries
// and its version.
#include "ProGrid.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

using namespace BaseGrid;

void RAdeRedeviDidi::SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) {
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void RAdeRedeviDidi::AutoInsertRow(Integer ARow) {
    InsertRows(ARow, 1);
    if (OnAutoInsertRow) OnAutoInsertRow(this, ARow);
}

void RAdeRedeviDidi::AutoDeleteRow(Integer ARow) {
    if (RowCount() - FixedRows() - FixedFooters() == 1 && !FixedRowAlways()) {
        for (Integer col = 0; col < ColCount(); ++col) WriteCell(col, ARow, "");
    } else {
        RemoveRows(ARow, 1);
    }
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void RAdeRedeviDidi::GetCellText(Integer ACol, Integer ARow, AnsiString& Value) { ReadCell(ACol, ARow, Value); }

// Stripping mark-up (unless the tags are kept) follows with the HTML text routines.
void RAdeRedeviDidi::GetEditorValue(Integer ACol, Integer ARow, AnsiString& Value) {
    ReadCell(ACol, ARow, Value);
    if (!Value.empty()) return;
    const auto* graphic = dynamic_cast<const TCellGraphic*>(GetGraphicObject(ACol, ARow));
    if (!graphic || graphic->CellType != ctCheckBox) return;
    if (graphic->CellBoolean) GetCheckTrue(ACol, ARow, Value);
    else GetCheckFalse(ACol, ARow, Value);
}

void RAdeRedeviDidi::SetCellRaw(Integer ACol, Integer ARow, const AnsiString& Value) { SetRawCell(ACol, ARow, Value); }

void RAdeRedeviDidi::GetCellHint(Integer ARow, Integer ACol, AnsiString& Hint) {
    if (OnGridHint) OnGridHint(this, ARow, ACol, Hint);
}

void RAdeRedeviDidi::GetCellColor(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TGridDrawState AState) {
    if (ActiveCellShow()) {
        const bool rowHeader = FixedCols() > 0 && ACol == 0 && ARow == Row();
        const bool colHeader = FixedRows() >= 1 && ARow == 0 && ACol == Col();
        if (rowHeader || colHeader) {
            AFont->Assign(ActiveCellFont());
            ABrush->SetColor(ActiveCellColor());
        }
    }
    if (HasCellProperties(ACol, ARow)) {
        const TCellProperties* props = GetCellProperties(ACol, ARow);
        if (props->BrushColor() != clNone) ABrush->SetColor(props->BrushColor());
        if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
        if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
        if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
        if (!props->FontName().empty()) AFont->SetName(props->FontName());
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void RAdeRedeviDidi::GetCellPrintColor(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush,
                                       TGridDrawState AState) {
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void RAdeRedeviDidi::GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void RAdeRedeviDidi::GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void RAdeRedeviDidi::GetCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void RAdeRedeviDidi::GetFormat(Integer ACol, TSortStyle& AStyle, AnsiString& APrefix, AnsiString& ASuffix) {
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void RAdeRedeviDidi::GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor) {
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void RAdeRedeviDidi::IsFixed(Integer ACol, Integer ARow, bool& AIsFixed) {
    if (AIsFixed) return;
    if ((FixedRowAlways() && ARow <= RequestedFixedRows() && RowCount() == RequestedFixedRows()) ||
        (FixedColAlways() && ACol == 0 && ColCount() == 1))
        AIsFixed = true;
    else AIsFixed = !(ACol >= FixedCols() && ARow >= FixedRows());
    if (!AIsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, AIsFixed);
}

// A merged range edits as one: its base cell's properties decide, and the event hears of the base.
void RAdeRedeviDidi::CanEdit(Integer ACol, Integer ARow, bool& ACanEdit) {
    const TPoint base = BaseCell(ACol, ARow);
    if (ACanEdit && HasCellProperties(base.X, base.Y)) {
        ACanEdit = !GetCellProperties(base.X, base.Y)->ReadOnly();
        if (!Options().Contains(goEditing) && !MouseActions()->RangeSelectAndEdit()) ACanEdit = false;
    }
    if (OnCanEditCell) OnCanEditCell(this, base.Y, base.X, ACanEdit);
}

void RAdeRedeviDidi::IsPassword(Integer ACol, Integer ARow, bool& AIsPassword) {
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, AIsPassword);
}

bool RAdeRedeviDidi::HasCombo(Integer ACol, Integer ARow) {
    bool result = false;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, result);
    return result;
}

void RAdeRedeviDidi::GetCheckTrue(Integer ACol, Integer ARow, AnsiString& Value) {
    Value = CheckTrue();
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void RAdeRedeviDidi::GetCheckFalse(Integer ACol, Integer ARow, AnsiString& Value) {
    Value = CheckFalse();
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

bool RAdeRedeviDidi::ShowFilterGlyph() { return false; }

Integer RAdeRedeviDidi::GetVersionNr() { return 0x02070004; }

AnsiString RAdeRedeviDidi::GetVersionString() {
    const auto nr = static_cast<std::uint32_t>(GetVersionNr());
    AnsiString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty()) text += '.';
        text += IntToStr(static_cast<Integer>((nr >> shift) & 0xFF));
    }
    return text + " March, 2004";
}

}  // namespace ProGrid
