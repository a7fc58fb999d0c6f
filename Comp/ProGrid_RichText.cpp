// Rich-text cells hold their RTF source as their text: a rich edit loads it and gives it back.
#include "ProGrid.h"

namespace ProGrid {

void RAdeRedeviDidi::CellToRichEdit(Integer ACol, Integer ARow, TCustomRichEdit* RichEdit) {
    const AnsiString text = GetRawCell(ACol, ARow);
    if (text.empty()) return RichEdit->Clear();
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), CheckedCast<Integer>(text.size()));
    stream.SetPosition(0);
    RichEdit->Lines()->LoadFromStream(&stream);
}

void RAdeRedeviDidi::RichEditToCell(TCustomRichEdit* RichEdit, AnsiString& S) {
    TMemoryStream stream;
    RichEdit->Lines()->SaveToStream(&stream);
    S = stream.Size() > 0 ? stream.Bytes() : AnsiString();
}

}  // namespace ProGrid
