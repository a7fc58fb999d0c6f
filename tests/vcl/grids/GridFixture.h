#pragma once
// A string grid on the shown test form, and what the window shows of it.

#include <memory>

#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Grids.h"

// The colour the window shows at a point of the control's client area.
inline TColor ShownPixel(TForm* Form, TWinControl* Control, Integer X, Integer Y) {
    std::unique_ptr<TBitmap> picture(Testing::GrabWindow(Form));
    const TPoint at = Form->ScreenToClient(Control->ClientToScreen(Point(X, Y)));
    return ColorToRGB(picture->Canvas()->Pixels(at.X, at.Y));
}

// The shown form with a borderless 300 x 150 grid of 10 columns and 100 rows at its top left: cells of
// 64 x 24 with 1-pixel lines, so column c starts at 65 c and row r at 25 r.
class GridFixture : public FormFixture {
protected:
    TStringGrid* PlaceGrid(TScrollStyle ScrollBars) {
        auto* placed = Place<TStringGrid>(0, 0, 300, 150);
        placed->SetBorderStyle(bsNone);
        placed->SetScrollBars(ScrollBars);
        placed->SetColCount(10);
        placed->SetRowCount(100);
        return placed;
    }
};
