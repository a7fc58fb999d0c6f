#pragma once
// Grids: TCustomGrid (geometry, current cell and selection, scrolling, keys, mouse selecting, sizing and
// moving rows and columns), TDrawGrid (its events) and TStringGrid (a text and an object per cell).
//
// Coordinates. Column (row) i spans its width (height) followed by one grid line of GridLineWidth when any
// vertical (horizontal) line option is on. Fixed columns (rows) always show at the left (top); the rest
// shows from LeftCol (TopRow) on. Sizes keep running totals, so every geometry question costs O(log n).

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "Controls.h"
#include "GridStore.h"
#include "Mask.h"
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

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    Integer X = 0;
    Integer Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells, corners included (Left..Right x Top..Bottom).
struct TGridRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    TGridCoord TopLeft() const { return {Left, Top}; }
    TGridCoord BottomRight() const { return {Right, Bottom}; }
    bool operator==(const TGridRect&) const = default;
};

// One axis of the visible layout, in client pixels.
struct TGridAxisDrawInfo {
    Integer EffectiveLineWidth = 0;
    Integer FixedBoundary = 0;        // end of the fixed cells and their lines
    Integer GridBoundary = 0;         // end of the last cell drawn (within GridExtent)
    Integer GridExtent = 0;           // the client width (height)
    Integer LastFullVisibleCell = 0;  // the last cell shown whole (FirstGridCell - 1 when none)
    Integer FullVisBoundary = 0;      // end of that cell's line
    Integer FixedCellCount = 0;
    Integer FirstGridCell = 0;  // LeftCol (TopRow)
    Integer GridCellCount = 0;  // ColCount (RowCount)
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

// "Grid index out of range" and other misuse of a grid.
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

class TCustomGrid;

// The editor a grid shows over its current cell: a borderless multi-line masked edit whose navigation keys
// go to the grid, and which leaves the grid the form's active control while it has the focus.
class TInplaceEdit : public TCustomMaskEdit {
    VCL_CLASS(TInplaceEdit, TCustomMaskEdit)
    explicit TInplaceEdit(TComponent* AOwner);

    TCustomGrid* Grid() const { return grid_; }
    // Takes the current cell's text (and its edit limit) from the grid.
    virtual void UpdateContents();
    // Shows the editor over Loc (client coordinates of the grid).
    void Move(const TRect& Loc);
    // Hides the editor; when it had the focus, the grid takes it back.
    void Hide();

protected:
    friend class TCustomGrid;
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    bool ForwardsKey(Word Key, TShiftState Shift) const;
    // The caret after the text, nothing selected.
    void Deselect();

    TCustomGrid* grid_ = nullptr;
    bool updating_ = false;
    DWORD clickTime_ = 0;  // when a press on the grid brought the editor under the mouse
    bool clicked_ = false;
    bool charFromGrid_ = false;  // the character being typed is one the grid's KeyPress already had
};

class TCustomGrid : public TCustomControl {
    VCL_CLASS(TCustomGrid, TCustomControl)
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // At least 1; fixed ones beyond the new count are dropped, cells beyond it are forgotten.
    Integer ColCount() const { return cols_.Count(); }
    void SetColCount(Integer Value);
    Integer RowCount() const { return rows_.Count(); }
    void SetRowCount(Integer Value);
    // EInvalidGridOperation unless below the count: one column (row) must stay scrollable.
    Integer FixedCols() const { return fixedCols_; }
    void SetFixedCols(Integer Value);
    Integer FixedRows() const { return fixedRows_; }
    void SetFixedRows(Integer Value);
    // Setting a default size resizes every column (row) to it.
    Integer DefaultColWidth() const { return cols_.DefaultSize(); }
    void SetDefaultColWidth(Integer Value);
    Integer DefaultRowHeight() const { return rows_.DefaultSize(); }
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
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool Value);
    // The window's own bars, shown where there is something to scroll; more than 127 steps are scaled to 127.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);

    // The current cell: setting it goes through SelectCell, moves the anchor along and scrolls it into view.
    Integer Col() const { return current_.X; }
    void SetCol(Integer Value);
    Integer Row() const { return current_.Y; }
    void SetRow(Integer Value);
    // The block from the anchor to the current cell (whole rows with goRowSelect). Setting it checks
    // nothing: the anchor becomes its top left, the current cell its bottom right.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);
    // The first scrollable column (row) shown; clamped so that the last page stays full.
    Integer LeftCol() const { return topLeft_.X; }
    void SetLeftCol(Integer Value);
    Integer TopRow() const { return topLeft_.Y; }
    void SetTopRow(Integer Value);
    // Scrollable columns (rows) shown whole.
    Integer VisibleColCount() const;
    Integer VisibleRowCount() const;

    // The cell's area in client coordinates without its lines, cut at the client edge; empty when the cell
    // is out of view.
    TRect CellRect(Integer ACol, Integer ARow) const;
    // The cell under a client point; -1 for an axis the point misses.
    TGridCoord MouseCoord(Integer X, Integer Y) const;
    // A right-to-left grid lays its columns out from the client's right edge. Layout works left to right;
    // these mirror a layout rectangle (client point) to the client and back. Both are their own inverse.
    TRect MirroredInClient(const TRect& Rect) const;
    Integer LayoutX(Integer X) const;
    void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const;

    // Whether the in-place editor shows; setting it shows or hides (writing its text) the editor.
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return editor_; }

protected:
    friend class TInplaceEdit;
    // Makes the editor the grid shows over its current cell.
    virtual TInplaceEdit* CreateEditor();
    // Whether the editor may show now (asked on every UpdateEdit).
    virtual bool CanEditShow();
    // Whether the user may change the current cell.
    virtual bool CanEditModify();
    // The most characters the editor takes (0: no limit, -1: the cell cannot be changed).
    virtual Integer GetEditLimit();
    void ShowEditor();
    // Writes the editor's text to the cell through SetEditText, then hides it.
    void HideEditor();
    // Opens the editor and types Ch into it.
    void ShowEditorChar(char Ch);
    // Shows, moves or hides the editor as the current cell and CanEditShow say.
    void UpdateEdit();
    // A code write to the current cell: the editor shows it, unless the write is the editor's own.
    void CellTextChanged(Integer ACol, Integer ARow);
    // Paints one cell within ARect; DefaultDrawing has filled it already.
    virtual void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) = 0;
    // Whether ACol, ARow may become the current cell.
    virtual bool SelectCell(Integer ACol, Integer ARow);
    // After ColCount or RowCount changed (the new ones are in place).
    virtual void SizeChanged(Integer OldColCount, Integer OldRowCount);
    // After a column (row) moved from FromIndex to ToIndex.
    virtual void ColumnMoved(Integer FromIndex, Integer ToIndex);
    virtual void RowMoved(Integer FromIndex, Integer ToIndex);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    // The text an editor shows for a cell and the text it writes back.
    virtual AnsiString GetEditText(Integer ACol, Integer ARow);
    virtual void SetEditText(Integer ACol, Integer ARow, const AnsiString& Value);
    // Where a mouse press at X, Y starts sizing: gsRowSizing/gsColSizing over a line in the fixed area,
    // with the index of the row (column) before the line, the line's position and the mouse's offset to it.
    // X and the positions are in layout coordinates (LayoutX).
    virtual void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                 Integer& SizingOfs, TGridDrawInfo& FixedInfo);
    // Sum of the widths (heights) of columns (rows) First..Last-1, lines not counted.
    std::int64_t ColWidthsSum(Integer First, Integer Last) const { return cols_.Span(First, Last, 0); }
    std::int64_t RowHeightsSum(Integer First, Integer Last) const { return rows_.Span(First, Last, 0); }
    void CalcDrawInfo(TGridDrawInfo& DrawInfo) const;
    void CalcFixedInfo(TGridDrawInfo& DrawInfo) const;

    // Batch changes of rows (columns). The sizes change first, then what the grid keeps per line follows
    // through LinesChanged; the current cell, the anchor and the edited cell go with their lines (one on
    // a removed line goes to the line that takes its place), the top left is clamped and the grid repaints
    // once. Indices out of range, or a change that would leave no line, raise EInvalidGridOperation.
    void InsertGridRows(Integer ARow, Integer ACount);  // ARow may be RowCount
    void DeleteGridRows(Integer ARow, Integer ACount);
    void ExchangeGridRows(Integer ARow1, Integer ARow2);
    // Row i takes row Order[i]; Order is a permutation of 0..RowCount-1. With KeepPlaces the current cell,
    // the anchor and the edited cell stay on their row numbers.
    void PermuteGridRows(std::span<const Integer> Order, bool KeepPlaces = false);
    // Takes the rows at ARows (ascending) out with their heights and cells; the rows after them close up.
    TGridTakenRows TakeGridRows(std::span<const Integer> ARows);
    // Puts taken rows back so that they stand at ARows (ascending, one per taken row) afterwards.
    void PutGridRows(std::span<const Integer> ARows, TGridTakenRows&& Taken);
    void InsertGridCols(Integer ACol, Integer ACount);  // ACol may be ColCount
    void DeleteGridCols(Integer ACol, Integer ACount);
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    void MoveRow(Integer FromIndex, Integer ToIndex);
    void DeleteColumn(Integer ACol);
    void DeleteRow(Integer ARow);
    // A batch change reaches what a derived grid keeps per row (column); the sizes have changed already.
    virtual void LinesChanged(const TGridLineChange& Change);
    void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);
    void MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
    void MoveTopLeft(Integer ALeft, Integer ATop);
    // The top left that shows the last column and row at the right (bottom) edge.
    TGridCoord CalcMaxTopLeft() const;
    bool IsActiveControl() const;

    void InvalidateCell(Integer ACol, Integer ARow);
    void InvalidateCol(Integer ACol);
    void InvalidateRow(Integer ARow);
    void InvalidateRect(const TGridRect& ARect);
    void InvalidateGrid() { Invalidate(); }

    void Paint() override;
    TRect ClientInsets() const override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    // A notch of the wheel moves the current row by one.
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void BoundsChanged() override;
    TControlPeer* CreatePeer() override;
    void InitializePeer() override;
    // The bars' ranges (showing or hiding them) and positions after the layout changed.
    void UpdateScrollRange();
    void UpdateScrollPos();

    TGridState FGridState = gsNormal;

private:
    void ChangeSize(Integer NewColCount, Integer NewRowCount);
    // Checks a batch change, applies it to the sizes, hands it on and moves the current cell along.
    // Taken holds the heights of the rows an lcTake takes or an lcPut puts back.
    void ChangeLines(const TGridLineChange& Change, TGridTakenRows* Taken = nullptr);
    const TGridDrawInfo& DrawInfo() const;  // from the cache while nothing it depends on changed
    // The first scrollable cell becomes the top left and the current cell.
    void StartOver();
    void SelectionMoved(const TGridRect& OldSel);
    void ClampInView(TGridCoord Coord);
    void ClampTopLeft();
    // The client rectangle of a block of cells with their lines, cut at the grid's end; empty when hidden.
    TRect BoxRect(const TGridRect& Cells) const;
    // CellRect and MouseCoord before mirroring.
    TRect LayoutCellRect(Integer ACol, Integer ARow) const;
    TGridCoord LayoutCoord(Integer X, Integer Y) const;
    // The visible part of a block of cells on one axis, in pixels: false when none shows.
    bool AxisSpan(const TGridAxisDrawInfo& Info, const TGridAxis& Axis, Integer First, Integer Last, Integer& From,
                  Integer& To) const;
    Integer LinePos(const TGridAxisDrawInfo& Info, const TGridAxis& Axis, Integer Index) const;
    void CalcAxis(TGridAxisDrawInfo& Info, const TGridAxis& Axis, Integer Extent) const;
    // Paint helpers.
    void DrawLines(const TGridDrawInfo& Info, bool Vertical, bool Horizontal, Integer StartCol, Integer StartRow,
                   const TRect& Area, TColor LineColor, TColor Background);
    void DrawCells(const TGridDrawInfo& Info, Integer StartCol, Integer StartRow, Integer StartX, Integer StartY,
                   Integer StopX, Integer StopY, TColor CellColor, TGridDrawState Base);
    // After the top left moved from where Before shows it: moves the cells' pixels when the move is less
    // than a page, so that only the strip coming into view paints; repaints everything otherwise.
    void ScrollShownCells(const TGridDrawInfo& Before);
    // Mouse helpers.
    void DrawSizingLine(const TGridDrawInfo& Info);
    void DrawMoveMark();
    void EndSizing();
    void EndMoving();
    void UpdateSplitCursor(Integer X, Integer Y);
    void AutoScroll();
    void MoveAnchor(const TGridCoord& Cell);
    bool InBody(const TGridCoord& Cell) const;
    // Writes the editor's text to the current cell (once the editor has one).
    void WriteEditText();
    TRect EditorRect() const;
    // WM_HSCROLL / WM_VSCROLL: scrolls without moving the current cell.
    void ScrollMessage(bool Vertical, Word Code, Integer Pos);
    // The first scrollable column (row) from which Last shows whole at the right (bottom) edge.
    Integer FirstShowingLast(bool Vertical, Integer Last) const;

    // The layout as last computed, for the layout version it was computed at: cell writes ask for it per
    // cell. Everything the layout is computed from raises the version when it changes.
    struct TDrawInfoCache {
        bool Valid = false;
        std::uint64_t Version = 0;
        TGridDrawInfo Info;
    };
    void LayoutChanged() { ++layoutVersion_; }

    TGridAxis cols_;
    TGridAxis rows_;
    mutable TDrawInfoCache drawCache_;
    std::uint64_t layoutVersion_ = 0;
    Integer fixedCols_ = 1;
    Integer fixedRows_ = 1;
    Integer gridLineWidth_ = 1;
    TColor fixedColor_ = clBtnFace;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TBorderStyle borderStyle_ = bsSingle;
    bool defaultDrawing_ = true;
    TScrollStyle scrollBars_ = ssBoth;
    bool horzBar_ = false;
    bool vertBar_ = false;
    bool updatingScrollRange_ = false;
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    TGridCoord topLeft_{1, 1};
    // Sizing and moving by the mouse.
    Integer sizingIndex_ = -1;
    Integer sizingPos_ = 0;
    Integer sizingOfs_ = 0;
    Integer moveIndex_ = -1;
    Integer movePos_ = -1;
    bool moveDrawn_ = false;
    bool movingRows_ = false;      // what the drawn mark stands for, whatever the state is now
    bool selectingPress_ = false;  // the left press began a selection: its release clicks
    TPoint lastMouse_{};
    bool timerRunning_ = false;
    // The in-place editor (nil once freed, even while the grid's own destruction is under way).
    TComponentRef<TInplaceEdit> editor_;
    bool editorMode_ = false;
    bool writingEditText_ = false;
    TGridCoord editCell_{-1, -1};  // the cell whose text the editor holds
    AnsiString editOriginal_;      // its text when the editor took it: Esc brings it back
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, AnsiString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const AnsiString& Value)>;

class TDrawGrid : public TCustomGrid {
    VCL_CLASS(TDrawGrid, TCustomGrid)
    explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TNotifyEvent OnTopLeftChanged;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    void TopLeftChanged() override;
    AnsiString GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) override;
};

class TStringGrid : public TDrawGrid {
    VCL_CLASS(TStringGrid, TDrawGrid)
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // Negative indices raise EInvalidGridOperation; beyond the counts a cell keeps what was written. The
    // reference holds until the next change of the cells or the counts.
    const AnsiString& Cells(Integer ACol, Integer ARow) const;
    void SetCells(Integer ACol, Integer ARow, const AnsiString& Value);
    TObject* Objects(Integer ACol, Integer ARow) const;
    void SetObjects(Integer ACol, Integer ARow, TObject* Value);
    // A row's (column's) cells as a string list: Count is ColCount (RowCount), writes go to the cells. Each
    // index has its own list, kept as long as the grid. Assigning a list copies its lines and their objects
    // into the first cells and leaves the cells past its end.
    TStrings* Rows(Integer Index);
    void SetRows(Integer Index, TStrings* Value);
    TStrings* Cols(Integer Index);
    void SetCols(Integer Index, TStrings* Value);

protected:
    // The texts and objects themselves: writes here neither repaint nor reach the editor.
    TGridCellStore& Store() { return store_; }
    const TGridCellStore& Store() const { return store_; }
    // Cells and Objects in one look-up.
    const AnsiString& CellAndObject(Integer ACol, Integer ARow, TObject*& Object) const;
    // The text at 2 pixels inside the cell, then OnDrawCell.
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
    void LinesChanged(const TGridLineChange& Change) override;
    AnsiString GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) override;

private:
    class TLineStrings;
    using TLineViews = std::unordered_map<Integer, std::unique_ptr<TLineStrings>>;
    TStrings* LineStrings(TLineViews& Views, bool IsRow, Integer Index);

    TGridCellStore store_;
    TLineViews rowViews_;
    TLineViews colViews_;
};

// Registers the classes of this unit for form descriptions.
void RegisterGrids();
