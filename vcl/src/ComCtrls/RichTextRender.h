#pragma once
// EM_FORMATRANGE's drawing, on the platform's text layout.

#include <vcl/ComCtrls.h>

// Lays Range.chrg of Content out at the width of Range.rc (twips of Range.hdc) in Font and TextColor where
// the content sets none; with Render, draws the lines that fit whole into the rectangle (clipped to it).
// Answers the first character that did not fit (the range's end when all did).
LRESULT RenderRichText(const TRichText& Content, const TFontDesc& Font, TColor TextColor, const FORMATRANGE& Range,
                       bool Render);
