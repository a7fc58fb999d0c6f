// Workbooks through the spreadsheet automation server: the used range of a sheet, the grid sized to it.
#include <algorithm>

#include "ProGrid.h"
#include "vcl/ComObj.h"
#include "vcl/Forms.h"
#include "vcl/ScopeGuard.h"
#include "vcl/SheetRange.h"

namespace ProGrid {

namespace {

// The active sheet, or the sheet named.
Variant FindSheet(const Variant& Book, const AnsiString& SheetName) {
    if (SheetName.empty()) return OleInvoke(Book, "ActiveSheet");
    const Integer count = OleInvoke(OleInvoke(Book, "Sheets"), "Count").AsInteger();
    for (Integer i = 1; i <= count; ++i) {
        Variant sheet = OleInvoke(Book, "Sheets", {i});
        if (VarToStr(OleInvoke(sheet, "Name")) == SheetName) return sheet;
    }
    throw EProGridError("Excel worksheet " + SheetName + " not found");
}

// Values as text: empty cells, objects and error values leave their cell as it is.
bool IsCellValue(const Variant& Value) {
    const TVarType type = Value.VarType();
    return type != varEmpty && type != varDispatch && type != varError;
}

}  // namespace

void RAdeRedeviDidi::LoadFromXLSSheet(const AnsiString& FileName, const AnsiString& SheetName) {
    const TCursor cursor = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    const TScopeExit restoreCursor([cursor] { Screen->SetCursor(cursor); });
    Variant excel;
    try {
        excel = CreateOleObject("excel.application");
    } catch (const Exception&) {
        throw EProGridError("Excel OLE server not found");
    }
    // The server quits, and an opened workbook closes unsaved, however the reading ends.
    const TScopeExit quit([&excel] { OleInvoke(excel, "Quit"); });
    Variant book;
    const TScopeExit close([&book] {
        if (!book.IsEmpty()) OleInvoke(book, "Close", {}, {{"SaveChanges", false}});
    });
    book = OleInvoke(OleInvoke(excel, "WorkBooks"), "Open", {FileName});
    const Variant sheet = FindSheet(book, SheetName);
    TSheetRange box;
    // An address that names no box of the sheet imports nothing.
    if (!ParseSheetRange(VarToStr(OleInvoke(OleInvoke(sheet, "UsedRange"), "Address")), box)) return;

    const TScopeExit report([this] {
        CellsChanged(TRect(0, 0, ColCount(), RowCount()));
        UpdateFooterAll();
    });
    const Integer fixedCols = FixedCols();
    const Integer fixedRows = FixedRows();
    const Integer colOffset = FixedAsNormal() ? 0 : fixedCols;
    const Integer rowOffset = FixedAsNormal() ? 0 : fixedRows;
    SetColCount(box.ColCount() + colOffset);
    SetRowCount(box.RowCount() + rowOffset);
    if (ColCount() > fixedCols) SetFixedCols(fixedCols);
    if (RowCount() > fixedRows) SetFixedRows(fixedRows);

    const Variant values = OleInvoke(OleInvoke(sheet, "Range", {SheetRangeAddress(box, false)}), "Value");
    // A range of one cell gives its value alone.
    if (!VarIsArray(values)) {
        if (IsCellValue(values)) SetCellRaw(colOffset, rowOffset, VarToStr(values));
        return;
    }
    if (VarArrayDimCount(values) != 2) return;
    const Integer lastRow = std::min(VarArrayHighBound(values, 1), box.RowCount());
    const Integer lastCol = std::min(VarArrayHighBound(values, 2), box.ColCount());
    for (Integer r = std::max(VarArrayLowBound(values, 1), 1); r <= lastRow; ++r)
        for (Integer c = std::max(VarArrayLowBound(values, 2), 1); c <= lastCol; ++c) {
            const Variant& value = VarArrayGet(values, {r, c});
            if (IsCellValue(value)) SetCellRaw(c - 1 + colOffset, r - 1 + rowOffset, VarToStr(value));
        }
}

}  // namespace ProGrid
