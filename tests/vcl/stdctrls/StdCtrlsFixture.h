#pragma once
// Standard controls are placed on the shared test form.

#include <memory>
#include <vector>

#include "support/FormFixture.h"

using StdCtrlsTest = FormFixture;

// The top-left Columns x Rows pixels of Control (all its rows by default) as the form's picture shows it.
inline std::vector<TColor> ShownPixels(TForm* Form, TControl* Control, Integer Columns, Integer Rows = 0) {
    std::unique_ptr<TBitmap> picture(Testing::RenderControl(Form));
    std::vector<TColor> pixels;
    for (Integer y = 0; y < (Rows > 0 ? Rows : Control->Height()); ++y)
        for (Integer x = 0; x < Columns; ++x)
            pixels.push_back(picture->Canvas()->Pixels(Control->Left() + x, Control->Top() + y));
    return pixels;
}
