// The grid's side of its button editors: their click reaches the application with the real column.
#include "ProGrid.h"

namespace ProGrid {

void RAdeRedeviDidi::EllipsClick(const AnsiString& S, AnsiString& Result) {
    Result = S;
    if (!OnEllipsClick) return;
    AnsiString text = S;
    OnEllipsClick(this, RealColIndex(Col()), Row(), text);
    Result = text;
}

}  // namespace ProGrid
