#pragma once
// What the rich edit asks of its peer: the size its content needs, and to show its formats again.

#include <vcl/ComCtrls.h>

class TRichEditLayout {
public:
    virtual ~TRichEditLayout() = default;
    // Width and height of the text laid out at Width pixels.
    virtual TPoint ContentSize(Integer Width) const = 0;
    // The content's formats changed while its text did not.
    virtual void ShowContent() = 0;
};
