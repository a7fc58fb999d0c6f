#pragma once
// Grids: the base of the string grid. Cells of DefaultColWidth x DefaultRowHeight (each column and row may
// have its own size), FixedCols / FixedRows painted as headings in FixedColor, grid lines as Options say.
// Editing, scrolling and selection belong to the grid components built on it.

#include <functional>
#include <vector>

#include "Controls.h"
#include "StdCtrls.h"

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// "Grid index out of range" and other misuse of a grid.
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

class TCustomGrid : public TCustomControl {
    VCL_CLASS(TCustomGrid, TCustomControl)
    explicit TCustomGrid(TComponent* AOwner);

    // At least 1 column and 1 row, and one more than the fixed ones; fewer fixed ones are kept.
    Integer ColCount() const { return static_cast<Integer>(colWidths_.size()); }
    void SetColCount(Integer Value);
    Integer RowCount() const { return static_cast<Integer>(rowHeights_.size()); }
    void SetRowCount(Integer Value);
    Integer FixedCols() const { return fixedCols_; }
    void SetFixedCols(Integer Value);
    Integer FixedRows() const { return fixedRows_; }
    void SetFixedRows(Integer Value);
    // Setting a default size resizes every column (row) to it.
    Integer DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(Integer Value);
    Integer DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(Integer Value);
    Integer ColWidths(Integer Index) const;
    void SetColWidths(Integer Index, Integer Value);
    Integer RowHeights(Integer Index) const;
    void SetRowHeights(Integer Index, Integer Value);
    Integer GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(Integer Value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor Value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions Value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);

    // The cell's area in client coordinates, without its grid lines.
    TRect CellRect(Integer ACol, Integer ARow) const;

protected:
    void Paint() override;
    TRect ClientInsets() const override;
    // Paints one cell's content within ARect (the background is already filled).
    virtual void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) = 0;
    // Grows or shrinks the cell store; descendants keep their cells in step.
    virtual void SizeChanged(Integer OldColCount, Integer OldRowCount);
    // EInvalidGridOperation unless 0 <= ACol < ColCount and 0 <= ARow < RowCount.
    void CheckCell(Integer ACol, Integer ARow) const;

private:
    void ResizeCells(Integer Cols, Integer Rows);
    bool IsFixed(Integer ACol, Integer ARow) const { return ACol < fixedCols_ || ARow < fixedRows_; }
    // The width of the line right of (Vertical) or below a cell, fixed or not, as Options say.
    Integer LineWidth(bool Fixed, bool Vertical) const;
    // Left (top) edge of every column (row) and the end after the last one's line.
    std::vector<Integer> ColEdges() const;
    std::vector<Integer> RowEdges() const;
    void PaintFrame();
    void PaintCell(Integer ACol, Integer ARow, const TRect& Cell);

    std::vector<Integer> colWidths_;
    std::vector<Integer> rowHeights_;
    Integer fixedCols_ = 1;
    Integer fixedRows_ = 1;
    Integer defaultColWidth_ = 64;
    Integer defaultRowHeight_ = 24;
    Integer gridLineWidth_ = 1;
    TColor fixedColor_ = clBtnFace;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TBorderStyle borderStyle_ = bsSingle;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState State)>;

class TDrawGrid : public TCustomGrid {
    VCL_CLASS(TDrawGrid, TCustomGrid)
    explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

    TDrawCellEvent OnDrawCell;

protected:
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
};

class TStringGrid : public TDrawGrid {
    VCL_CLASS(TStringGrid, TDrawGrid)
    explicit TStringGrid(TComponent* AOwner);

    // Cells outside ColCount x RowCount raise EInvalidGridOperation.
    AnsiString Cells(Integer ACol, Integer ARow) const;
    void SetCells(Integer ACol, Integer ARow, const AnsiString& Value);

protected:
    // The text at 2 pixels inside the cell, then OnDrawCell.
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;

private:
    std::vector<std::vector<AnsiString>> cells_;  // [row][col]
};

// Registers the classes of this unit for form descriptions.
void RegisterGrids();
