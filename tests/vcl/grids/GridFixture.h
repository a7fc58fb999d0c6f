#pragma once
// A string grid on the shown test form, and what the window shows of it.

#include <memory>

#include "support/FormFixture.h"
#include "support/InputSimulator.h"

// The colour the window shows at a point of the control's client area.
inline TColor ShownPixel(TForm* Form, TWinControl* Control, Integer X, Integer Y) {
    std::unique_ptr<TBitmap> picture(Testing::GrabWindow(Form));
    const TPoint at = Form->ScreenToClient(Control->ClientToScreen(Point(X, Y)));
    return ColorToRGB(picture->Canvas()->Pixels(at.X, at.Y));
}
