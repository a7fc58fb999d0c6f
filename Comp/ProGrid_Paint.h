#pragma once
// What the grid's painting files share: the state of the cell being painted and the guards that put the
// canvas back as they found it, whatever a step or an event does.

#include "ProGrid.h"

namespace ProGrid {

// Font, brush and pen of a canvas, put back when the keeper goes.
class TCanvasKeeper {
public:
    explicit TCanvasKeeper(TCanvas* Canvas);
    ~TCanvasKeeper();
    TCanvasKeeper(const TCanvasKeeper&) = delete;
    TCanvasKeeper& operator=(const TCanvasKeeper&) = delete;

private:
    TCanvas* canvas_;
    TFont font_;
    TBrush brush_;
    TPen pen_;
};

// Solid 1-pixel lines in one colour; the pen comes back afterwards.
class TLine {
public:
    TLine(TCanvas* Canvas, TColor Color);
    void Draw(Integer X1, Integer Y1, Integer X2, Integer Y2);

private:
    TCanvasKeeper keeper_;
    TCanvas* canvas_;
};

// An upright text's width and height as they lie along the x and y axes once turned by Angle degrees.
struct TTurnedExtent {
    double WidthX = 0, WidthY = 0, HeightX = 0, HeightY = 0;
};
TTurnedExtent TurnedExtent(const TSize& Extent, Integer Angle);

struct TCellPaint {
    TCanvas* Canvas = nullptr;
    Integer Col = 0;
    Integer Row = 0;
    Integer RealCol = 0;
    TGridDrawState State;
    TAlignment HAlign = taLeftJustify;
    BaseGrid::TVAlignment VAlign = BaseGrid::vtaTop;
    bool Fixed = false;
    // The background is not the plain brush (a gradient, a themed item or a picture): text goes over it.
    bool Gradient = false;
    TCellGraphic* Graphic = nullptr;
    TCellHAlign GraphicHAlign = haLeft;
    TCellVAlign GraphicVAlign = vaTop;
    bool TextBeside = true;
    Integer GraphicWidth = 0;
    Integer GraphicHeight = 0;
};

}  // namespace ProGrid
