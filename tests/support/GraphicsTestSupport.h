#pragma once
// Canvas tests' helpers: fixed font metrics (every character 6 pixels wide, every font 13 high, ascent 10),
// a white bitmap, and rows and columns of pixels as text.

#include <memory>
#include <string>

#include "vcl/Graphics.h"

class TFixedMetricsScope {
public:
    TFixedMetricsScope() { SetFontMetricsProvider(&metrics_); }
    ~TFixedMetricsScope() { SetFontMetricsProvider(nullptr); }
    TFixedMetricsScope(const TFixedMetricsScope&) = delete;
    TFixedMetricsScope& operator=(const TFixedMetricsScope&) = delete;

private:
    TFixedFontMetrics metrics_{6, 13, 10};
};

inline std::unique_ptr<TBitmap> WhiteBitmap(Integer Width, Integer Height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Width, Height);
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->Canvas()->FillRect(Rect(0, 0, Width, Height));
    return bitmap;
}

// The pixels of a canvas row as a string: '#' where the colour is Ink, '.' elsewhere.
inline std::string Row(TCanvas* Canvas, Integer Y, Integer From, Integer To, TColor Ink) {
    std::string s;
    for (Integer x = From; x < To; ++x) s += Canvas->Pixels(x, Y) == Ink ? '#' : '.';
    return s;
}

inline std::string Column(TCanvas* Canvas, Integer X, Integer From, Integer To, TColor Ink) {
    std::string s;
    for (Integer y = From; y < To; ++y) s += Canvas->Pixels(X, y) == Ink ? '#' : '.';
    return s;
}
