// The floating footer's column calculations: sum, average, count, minimum and maximum of the data rows,
// written into the last row's cells that ask for one, and the custom template filled from the current row.
#include <algorithm>
#include <exception>

#include "ProGrid.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

enum TCalcType : Byte { ctcNone, ctcSum, ctcAvg, ctcCount, ctcMin, ctcMax };
constexpr Byte CalcTypeMask = 0x7F;

}  // namespace

// ---------------------------------------------------------------------------
// Column calculations

double RAdeRedeviDidi::ColumnSum(Integer ACol, Integer FromRow, Integer ToRow) {
    double sum = 0.0;
    for (Integer r = FromRow; r <= ToRow; ++r) sum += Floats(ACol, r);
    return sum;
}

double RAdeRedeviDidi::ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow) {
    if (ToRow < FromRow) return 0.0;
    return ColumnSum(ACol, FromRow, ToRow) / (static_cast<double>(ToRow) - FromRow + 1);
}

double RAdeRedeviDidi::ColumnMin(Integer ACol, Integer FromRow, Integer ToRow) {
    if (ToRow < FromRow) return 0.0;
    double least = Floats(ACol, FromRow);
    for (Integer r = FromRow + 1; r <= ToRow; ++r) least = std::min(least, Floats(ACol, r));
    return least;
}

double RAdeRedeviDidi::ColumnMax(Integer ACol, Integer FromRow, Integer ToRow) {
    if (ToRow < FromRow) return 0.0;
    double most = Floats(ACol, FromRow);
    for (Integer r = FromRow + 1; r <= ToRow; ++r) most = std::max(most, Floats(ACol, r));
    return most;
}

// ---------------------------------------------------------------------------
// The footer row

void RAdeRedeviDidi::UpdateColumnCalc(Integer ACol) {
    const TFloatingFooter* footer = FloatingFooter();
    if (!footer->Visible() || footer->FooterStyle() != fsFixedLastRow || RowCount() < 1) return;
    // The cells of hidden columns lie beyond the grid's columns, where no footer shows them.
    const Integer first = ACol == -1 ? 0 : ACol;
    const Integer last = ACol == -1 ? ColCount() - 1 : ACol;
    if (first < 0 || last >= ColCount()) return;
    const Integer footerRow = RowCount() - 1;
    const Integer fromRow = FixedRows(), toRow = RowCount() - 2;
    for (Integer c = first; c <= last; ++c) {
        if (!HasCellProperties(c, footerRow)) continue;
        switch (GetCellProperties(c, footerRow)->CalcType() & CalcTypeMask) {
            case ctcNone: WriteCell(c, footerRow, AnsiString()); break;
            case ctcSum: SetFloats(c, footerRow, ColumnSum(c, fromRow, toRow)); break;
            case ctcAvg: SetFloats(c, footerRow, ColumnAvg(c, fromRow, toRow)); break;
            // The header rows sit above the data: a footer directly under them counts none.
            case ctcCount: SetFloats(c, footerRow, std::max(0, toRow - fromRow + 1)); break;
            case ctcMin: SetFloats(c, footerRow, ColumnMin(c, fromRow, toRow)); break;
            case ctcMax: SetFloats(c, footerRow, ColumnMax(c, fromRow, toRow)); break;
            default: break;
        }
    }
}

void RAdeRedeviDidi::CalcFooter(Integer ACol) { UpdateColumnCalc(ACol); }

void RAdeRedeviDidi::RecalcHeldFooters() {
    if (footerHold_ > 0 || !footerPending_) return;
    footerPending_ = false;
    if (std::uncaught_exceptions() == 0) {
        UpdateFooterAll();
        return;
    }
    // A bracket closed while an exception travels: that one goes on, a second cannot travel with it.
    try {
        UpdateFooterAll();
    } catch (...) {
    }
}

// ---------------------------------------------------------------------------
// Custom template

AnsiString RAdeRedeviDidi::ExpandFooterTemplate(const AnsiString& Template) {
    AnsiString result;
    result.reserve(Template.size());
    std::size_t from = 0;
    for (std::size_t tag = Template.find("<#"); tag != AnsiString::npos; tag = Template.find("<#", from)) {
        result.append(Template, from, tag - from);
        const std::size_t close = Template.find('>', tag + 2);
        const std::size_t end = close == AnsiString::npos ? Template.size() : close;
        Integer column = 0;
        if (TryStrToInt(Template.substr(tag + 2, end - tag - 2), column) && column >= 0 && column < ColCount() &&
            Row() >= 0 && Row() < RowCount()) {
            AnsiString text;
            ReadCell(column, Row(), text);
            result += text;
        }
        from = close == AnsiString::npos ? Template.size() : close + 1;
    }
    result.append(Template, from, AnsiString::npos);
    return result;
}

}  // namespace ProGrid
