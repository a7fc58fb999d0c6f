#pragma once
// What the rich edit asks of its peer: the size its content needs.

#include <vcl/ComCtrls.h>

class TRichEditLayout {
public:
    virtual ~TRichEditLayout() = default;
    // Width and height of the text laid out at Width pixels.
    virtual TPoint ContentSize(Integer Width) const = 0;
};
