// Typed views on the grid's cell texts, the cell-property queries, the header lists, the cursor, the
// repaint operations and the fixed-area queries.
#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace ProUtil;

namespace {

// A whole signed 32-bit decimal: leading blanks, an optional sign, digits to the end.
bool ParseInteger(const AnsiString& Text, Integer& Value) {
    const char* first = Text.data();
    const char* const last = first + Text.size();
    while (first != last && *first == ' ') ++first;
    const bool plus = first != last && *first == '+';
    if (plus) ++first;
    const char* const digits = !plus && first != last && *first == '-' ? first + 1 : first;
    if (digits == last || *digits < '0' || *digits > '9') return false;
    const auto [end, error] = std::from_chars(first, last, Value);
    return error == std::errc() && end == last;
}

}  // namespace

// ---------------------------------------------------------------------------
// Typed access

Integer RAdeRedeviDidi::Ints(Integer ACol, Integer ARow) {
    AnsiString text;
    ReadCell(ACol, ARow, text);
    Integer value = 0;
    if (!text.empty() && !ParseInteger(text, value)) throw EProGridError("Cell does not contain integer value");
    return value;
}

double RAdeRedeviDidi::Floats(Integer ACol, Integer ARow) {
    AnsiString text;
    ReadCell(ACol, ARow, text);
    const AnsiString number = ExtractNumericText(text);
    double value = 0.0;
    Integer code = 0;
    if (!number.empty()) Val(number, value, code);
    if (code != 0) throw EProGridError("Cell does not contain a float value");
    return value;
}

void RAdeRedeviDidi::SetFloats(Integer ACol, Integer ARow, double Value) {
    WriteCell(ACol, ARow, Format(FloatFormat(), {Value}));
}

void RAdeRedeviDidi::SetDates(Integer ACol, Integer ARow, TDateTime Value) {
    // Formatted first in every case, so that a value naming no day raises before the cell changes.
    const AnsiString text = DateToStr(Value);
    WriteCell(ACol, ARow, Value > 0 || ShowZeroDates() ? text : AnsiString());
}

WideString RAdeRedeviDidi::WideCells(Integer ACol, Integer ARow) {
    const TPoint base = BaseCell(ACol, ARow);
    return UniStrFromCellText(GetRawCell(base.X, base.Y));
}

void RAdeRedeviDidi::SetWideCells(Integer ACol, Integer ARow, const WideString& Value) {
    WriteCell(ACol, ARow, UniStrToCellText(Value));
}

bool RAdeRedeviDidi::IsUnicodeCell(Integer ACol, Integer ARow) {
    const TPoint base = BaseCell(ACol, ARow);
    return Cells(base.X, base.Y).starts_with("|\\");
}

AnsiString RAdeRedeviDidi::GetCurrentRaw() { return GetRawCell(RealColIndex(Col()), Row()); }

void RAdeRedeviDidi::SetCurrentText(const AnsiString& Value) { WriteCell(RealColIndex(Col()), Row(), Value); }

TControl* RAdeRedeviDidi::CellControl(Integer ACol, Integer ARow) {
    return HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow)->Control() : nullptr;
}

TColor RAdeRedeviDidi::CellBrushColorTo(Integer ACol, Integer ARow) {
    return HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow)->BrushColorTo() : clNone;
}

bool RAdeRedeviDidi::CellReadOnlyFlag(Integer ACol, Integer ARow) {
    return HasCellProperties(ACol, ARow) && GetCellProperties(ACol, ARow)->ReadOnly();
}

// ---------------------------------------------------------------------------
// Header lists and the cursor

void RAdeRedeviDidi::SetColumnHeaders(TStrings* Value) {
    columnHeaders_->Assign(Value);
    if (FixedRows() > 0)
        for (Integer col = 0; col < ColCount(); ++col) WriteCell(col, 0, AnsiString());
    ApplyColumnHeaders();
}

void RAdeRedeviDidi::SetRowHeaders(TStrings* Value) {
    rowHeaders_->Assign(Value);
    if (ComponentState().Contains(csDesigning) && FixedCols() > 0)
        for (Integer row = 0; row < RowCount(); ++row) WriteCell(0, row, AnsiString());
    ApplyRowHeaders();
}

void RAdeRedeviDidi::ApplyColumnHeaders() {
    const Integer count = std::min(columnHeaders_->Count(), ColCount());
    for (Integer i = 0; i < count; ++i) WriteCell(i, 0, ExpandLineEscapes(columnHeaders_->Strings(i)));
}

void RAdeRedeviDidi::ApplyRowHeaders() {
    const Integer count = std::min(rowHeaders_->Count(), RowCount());
    for (Integer i = 0; i < count; ++i) WriteCell(0, i, ExpandLineEscapes(rowHeaders_->Strings(i)));
}

void RAdeRedeviDidi::SetLookupItems(TStrings* Value) {
    if (Value) lookupItems_->Assign(Value);
}

void RAdeRedeviDidi::SetCursor(TCursor Value) {
    TBaseGrid::SetCursor(Value);
    savedCursor_ = Value;
}

// ---------------------------------------------------------------------------
// Repainting

void RAdeRedeviDidi::RepaintCell(Integer ACol, Integer ARow) { InvalidateCell(ACol, ARow); }

void RAdeRedeviDidi::RepaintRect(const TRect& ARect) {
    if (ARect.Left < 0 || ARect.Top < 0 || ARect.Right < 0 || ARect.Bottom < 0 || !HandleAllocated()) return;
    const TRect first = CellRect(ARect.Left, ARect.Top);
    const TRect last = CellRect(ARect.Right, ARect.Bottom);
    if (first.IsEmpty() || last.IsEmpty()) {
        Invalidate();
        return;
    }
    const TRect both{std::min(first.Left, last.Left), std::min(first.Top, last.Top), std::max(first.Right, last.Right),
                     std::max(first.Bottom, last.Bottom)};
    ::InvalidateRect(Handle(), &both, FALSE);
}

void RAdeRedeviDidi::RepaintRow(Integer ARow) { InvalidateRow(ARow); }

void RAdeRedeviDidi::RepaintCol(Integer ACol) { InvalidateCol(ACol); }

// ---------------------------------------------------------------------------
// The fixed area and the mouse

Integer RAdeRedeviDidi::VisibleFixedCols() const { return FixedAsNormal() ? 0 : FixedCols(); }

Integer RAdeRedeviDidi::VisibleFixedRows() const { return FixedAsNormal() ? 0 : FixedRows(); }

Integer RAdeRedeviDidi::LastScrollCol() const { return ColCount() - (FixedAsNormal() ? 0 : FixedRightCols()) - 1; }

Integer RAdeRedeviDidi::LastScrollRow() const { return RowCount() - (FixedAsNormal() ? 0 : FixedFooters()) - 1; }

TPoint RAdeRedeviDidi::MouseToCellEx(Integer X, Integer Y) const {
    const TPoint client = ScreenToClient(Point(X, Y));
    const TGridCoord cell = MouseCoord(client.X, client.Y);
    return Point(cell.X, cell.Y);
}

bool RAdeRedeviDidi::IsOnSizingBorder(Integer X, Integer Y) const {
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0) return false;
    const TRect rect = CellRect(cell.X, cell.Y);
    if (cell.Y < FixedRows() && Options().Contains(goColSizing) &&
        (std::abs(X - rect.Left) < 4 || std::abs(rect.Right - X) < 4))
        return true;
    return cell.X < FixedCols() && Options().Contains(goRowSizing) &&
           (std::abs(Y - rect.Top) < 4 || std::abs(rect.Bottom - Y) < 4);
}

}  // namespace ProGrid
