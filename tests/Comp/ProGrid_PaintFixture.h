#pragma once
// A grid on the shown test form, painted through the window as a user sees it: a grid of 5 columns of 64
// and 10 rows of 24 pixels without scroll bars or border, one fixed row and column, fixed font metrics.

#include <memory>

#include "DedIDIZ.h"
#include "ProGrid.h"
#include "ProGrid_Unit.h"
#include "support/CanvasRecorder.h"
#include "GridUnitFixture.h"
#include "support/GraphicsTestSupport.h"
#include "support/InputSimulator.h"

class TPaintTestGrid : public ProGrid::RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    bool FilterGlyph = false;
    Integer Indent = 0;
    bool ShowFilterGlyph() override { return FilterGlyph; }

protected:
    Integer RowIndent(Integer) override { return Indent; }
};

class ProGridPaintFixture : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetColor(clWhite);
        grid = Place<TPaintTestGrid>(0, 0, 320, 240);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColor(clWhite);
        grid->SetColCount(5);
        grid->SetRowCount(10);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(24);
        Input::Settle();
    }
    void TearDown() override {
        grid = nullptr;
        FormFixture::TearDown();
    }

    // Paints the grid again and keeps what the window shows.
    void Repaint() {
        grid->Invalidate();
        shown.reset(Testing::GrabWindow(form));
    }
    // The colour the window showed at a point of the grid's window (after the last Repaint).
    TColor Shown(Integer X, Integer Y) const {
        const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
        return ColorToRGB(shown->Canvas()->Pixels(at.X, at.Y));
    }
    // What the grid's canvas is asked to draw while it paints again.
    std::vector<AnsiString> RecordedRepaint() {
        TCanvasRecorder recorder(grid->Canvas());
        Repaint();
        return recorder.Lines();
    }

    TFixedMetricsScope metrics;
    TPaintTestGrid* grid = nullptr;
    std::unique_ptr<TBitmap> shown;
};
