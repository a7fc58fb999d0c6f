#pragma once
// Pixels as the user sees them: a grab of the whole window as Qt composes it, after pending updates.

#include <memory>
#include <vector>

#include "vcl/Forms.h"
#include "vcl/Testing.h"

// Form's pixels over Area of Control (in Control's client coordinates), row by row.
inline std::vector<COLORREF> ComposedPixels(TForm* Form, TControl* Control, const TRect& Area) {
    Application->ProcessMessages();
    std::unique_ptr<TBitmap> window(Testing::GrabWindow(Form));
    const TPoint origin = Form->ScreenToClient(Control->ClientToScreen(Point(0, 0)));
    std::vector<COLORREF> image;
    for (Integer y = Area.Top; y < Area.Bottom; ++y)
        for (Integer x = Area.Left; x < Area.Right; ++x)
            image.push_back(ColorToRGB(window->Canvas()->Pixels(origin.X + x, origin.Y + y)));
    return image;
}
