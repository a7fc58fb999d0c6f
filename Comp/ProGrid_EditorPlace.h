#pragma once
// Where a separate editor goes over a cell and the colours it takes.
#include <memory>

#include "ProGrid.h"

namespace ProGrid {

struct TEditorPlace {
    TEditorPlace(RAdeRedeviDidi& Grid, Integer ACol, Integer ARow);
    TRect R;
    Integer W = 0;
    Integer H = 0;
    std::unique_ptr<TFont> Font;
    std::unique_ptr<TBrush> Brush;
};

}  // namespace ProGrid
