// A1 addresses of sheet boxes.
#include "vcl/SheetRange.h"

#include "vcl/SysUtils.h"

namespace {

bool IsLetter(char C) { return C >= 'A' && C <= 'Z'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// "C5", "AB12": the letters as a column and the digits as a row, both within the sheet.
bool ParseCell(const AnsiString& Cell, Integer& Col, Integer& Row) {
    std::size_t letters = 0;
    while (letters < Cell.size() && IsLetter(Cell[letters])) ++letters;
    if (letters < 1 || letters > 2 || letters == Cell.size()) return false;
    for (std::size_t i = letters; i < Cell.size(); ++i)
        if (!IsDigit(Cell[i])) return false;
    Integer col = Cell[0] - 'A' + 1;
    if (letters == 2) col = col * 26 + (Cell[1] - 'A' + 1);
    Integer row = 0;
    if (!TryStrToInt(Cell.substr(letters), row) || row < 1 || row > SheetMaxRows) return false;
    Col = col;
    Row = row;
    return true;
}

AnsiString CellName(Integer Col, Integer Row, bool Absolute) {
    const AnsiString dollar = Absolute ? "$" : "";
    return dollar + SheetColumnName(Col) + dollar + IntToStr(Row);
}

}  // namespace

bool ParseSheetRange(const AnsiString& Address, TSheetRange& Range) {
    AnsiString text = StringReplace(Address, "$", "", {rfReplaceAll});
    const std::size_t colon = text.find(':');
    const AnsiString first = text.substr(0, colon);
    const AnsiString last = colon == AnsiString::npos ? first : text.substr(colon + 1);
    TSheetRange parsed;
    if (!ParseCell(first, parsed.FirstCol, parsed.FirstRow) || !ParseCell(last, parsed.LastCol, parsed.LastRow))
        return false;
    if (parsed.LastCol < parsed.FirstCol || parsed.LastRow < parsed.FirstRow) return false;
    Range = parsed;
    return true;
}

AnsiString SheetColumnName(Integer Col) {
    AnsiString name;
    if (Col > 26) name += static_cast<char>('A' + (Col - 1) / 26 - 1);
    name += static_cast<char>('A' + (Col - 1) % 26);
    return name;
}

AnsiString SheetRangeAddress(const TSheetRange& Range, bool Absolute) {
    const AnsiString first = CellName(Range.FirstCol, Range.FirstRow, Absolute);
    if (Range.FirstCol == Range.LastCol && Range.FirstRow == Range.LastRow) return first;
    return first + ":" + CellName(Range.LastCol, Range.LastRow, Absolute);
}
