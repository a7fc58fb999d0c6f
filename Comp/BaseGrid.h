#pragma once
// The base grid: a string grid with a properties object for each cell that needs one, merged cells (a block
// of cells shown and edited as one), its own grid lines with a per-cell gradient background, a display-text
// hook, and a small undo recorder.
//
// Merge encoding: a cell without properties, or with both spans -1, is unmerged. In a range of W x H cells
// whose top-left (base) cell is (C, R), the base has IsBaseCell True and spans W-1 / H-1; every other cell
// (c, r) has IsBaseCell False and spans c-C / r-R, its offset from the base.

#include <cstdint>
#include <unordered_set>
#include <utility>

#include "vcl/Grids.h"

namespace BaseGrid {

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
// Its names in form descriptions.
const TEnumNames<TVAlignment>& VAlignmentNames();

enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edNone,
    edUniEdit,
    edUniComboEdit,
    edUniComboList
};

class TBaseGrid;

// The look and merge state of one cell, kept in the cell's object slot and owned by the grid.
class TCellProperties : public TPersistent {
    VCL_CLASS(TCellProperties, TPersistent)
    // Without a grid (as streaming makes one) the object only stores.
    TCellProperties(TBaseGrid* AGrid, Integer ACol, Integer ARow);
    ~TCellProperties() override;
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;

    // Copies everything but BrushColorTo, CellObject and the graphic.
    void Assign(TPersistent* Source) override;

    TBaseGrid* Grid() const { return grid_; }
    Integer OwnerCol() const { return ownerCol_; }
    void SetOwnerCol(Integer Value) { ownerCol_ = Value; }
    Integer OwnerRow() const { return ownerRow_; }
    void SetOwnerRow(Integer Value) { ownerRow_ = Value; }
    // A free object of the application's; not owned.
    TObject* CellObject() const { return cellObject_; }
    void SetCellObject(TObject* Value) { cellObject_ = Value; }
    // The cell's graphic descriptor, owned: setting another one frees the one held.
    TPersistent* GraphicObject() const { return graphic_; }
    void SetGraphicObject(TPersistent* Value);
    // Lets the graphic go unfreed: one the cell only shares.
    TPersistent* DetachGraphicObject();
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle Value) { brushStyle_ = Value; }
    // clNone: the grid's colour. The next three setters and WordWrap's repaint the cell's range.
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor Value);
    // clNone: a plain fill; else a gradient from BrushColor.
    TColor BrushColorTo() const { return brushColorTo_; }
    void SetBrushColorTo(TColor Value);
    Integer FontSize() const { return fontSize_; }
    void SetFontSize(Integer Value) { fontSize_ = Value; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor Value) { fontColor_ = Value; }
    TFontStyles FontStyle() const { return fontStyle_; }
    void SetFontStyle(TFontStyles Value) { fontStyle_ = Value; }
    Integer CellSpanY() const { return cellSpanY_; }
    void SetCellSpanY(Integer Value) { cellSpanY_ = Value; }
    Integer CellSpanX() const { return cellSpanX_; }
    void SetCellSpanX(Integer Value) { cellSpanX_ = Value; }
    Integer BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(Integer Value) { borderWidth_ = Value; }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value) { borderColor_ = Value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value) { alignment_ = Value; }
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool IsBaseCell() const { return isBaseCell_; }
    void SetIsBaseCell(bool Value) { isBaseCell_ = Value; }
    Integer NodeLevel() const { return nodeLevel_; }
    void SetNodeLevel(Integer Value) { nodeLevel_ = Value; }
    TEditorType Editor() const { return editor_; }
    void SetEditor(TEditorType Value) { editor_ = Value; }
    AnsiString FontName() const { return fontName_; }
    void SetFontName(const AnsiString& Value) { fontName_ = Value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { readOnly_ = Value; }
    TControl* Control() const { return control_; }
    void SetControl(TControl* Value) { control_ = Value; }
    // What a footer cell of the last row shows of its column: the low 7 bits pick none, sum, average,
    // count, minimum or maximum (0 to 5). Not published.
    Byte CalcType() const { return calcType_; }
    void SetCalcType(Byte Value) { calcType_ = Value; }

    // True when the cell is part of a range of more than one cell (the base or any other cell).
    bool InRange() const { return cellSpanX_ > 0 || cellSpanY_ > 0; }

private:
    friend class TBaseGrid;
    void RepaintRange() const;

    TBaseGrid* grid_;
    Integer ownerCol_;
    Integer ownerRow_;
    TObject* cellObject_ = nullptr;
    TPersistent* graphic_ = nullptr;
    TBrushStyle brushStyle_ = bsSolid;
    TColor brushColor_ = clNone;
    TColor brushColorTo_ = clNone;
    Integer fontSize_ = 0;
    TColor fontColor_ = clNone;
    TFontStyles fontStyle_;
    Integer cellSpanY_ = -1;
    Integer cellSpanX_ = -1;
    Integer borderWidth_ = 0;
    TColor borderColor_ = clBlack;
    TAlignment alignment_ = taLeftJustify;
    TVAlignment vAlignment_ = vtaTop;
    std::uint32_t paintStamp_ = 0;  // the paint pass that last drew the range based here
    bool wordWrap_ = false;
    bool isBaseCell_ = true;
    Integer nodeLevel_ = 0;
    TEditorType editor_ = edNormal;
    AnsiString fontName_;
    bool readOnly_ = false;
    TControl* control_ = nullptr;
    Byte calcType_ = 0;
};

class TUndoRedoItem : public TCollectionItem {
    VCL_CLASS(TUndoRedoItem, TCollectionItem)
    explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
    Integer Row = 0;
    Integer Col = 0;
    AnsiString Value;
    AnsiString OrigValue;
};

class TUndoRedoCollection : public TCollection {
    VCL_CLASS(TUndoRedoCollection, TCollection)
    TUndoRedoCollection() : TCollection(CollectionItemClassOf<TUndoRedoItem>()) {}
    TUndoRedoItem* Items(Integer Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
};

// Records cell changes an application reports; the grid itself neither records nor replays.
class TProGridUndoRedo : public TComponent {
    VCL_CLASS(TProGridUndoRedo, TComponent)
    explicit TProGridUndoRedo(TComponent* AOwner);
    ~TProGridUndoRedo() override;

    TUndoRedoCollection* Items() const { return items_.get(); }
    TBaseGrid* Grid() const { return grid_; }
    // Links the recorder to a grid (nil: none); the grid's UndoRedo does this.
    void SetGrid(TBaseGrid* Value);
    // Items after the last addition.
    Integer Level() const { return level_; }
    // 0: unlimited; else the oldest item goes when MaxLevel are held.
    Integer MaxLevel() const { return maxLevel_; }
    void SetMaxLevel(Integer Value) { maxLevel_ = Value; }
    void AddUndo(Integer ACol, Integer ARow, const AnsiString& Value, const AnsiString& OrigValue);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TUndoRedoCollection> items_;
    TBaseGrid* grid_ = nullptr;
    Integer level_ = 0;
    Integer maxLevel_ = 0;
};

using TGetDisplTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, AnsiString& Value)>;

class TBaseGrid : public TStringGrid {
    VCL_CLASS(TBaseGrid, TStringGrid)
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;

    // The grid's own flag and line width; the class library's stay False and 0 (the grid draws every cell
    // and its lines itself, so cell rectangles abut).
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool Value);
    Integer GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(Integer Value);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor Value);
    TProGridUndoRedo* UndoRedo() const { return undoRedo_; }
    void SetUndoRedo(TProGridUndoRedo* Value);
    TGetDisplTextEvent OnGetDisplText;

    // Cell properties. Only GetCellProperties, SetGraphicObject and SplitCells create them.
    TCellProperties* GetCellProperties(Integer ACol, Integer ARow);
    bool HasCellProperties(Integer ACol, Integer ARow) const { return FindProperties(ACol, ARow) != nullptr; }
    // The grid takes Props over and frees the object held before; the range the cell is in is split first
    // unless Props carries the cell's place in it.
    void SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Props);
    // The class library's slot and text, without merge mapping, display text or freeing.
    TObject* GetRawObject(Integer ACol, Integer ARow) const { return Objects(ACol, ARow); }
    void SetRawObject(Integer ACol, Integer ARow, TObject* Obj) { SetObjects(ACol, ARow, Obj); }
    AnsiString GetRawCell(Integer ACol, Integer ARow) const { return Cells(ACol, ARow); }
    void SetRawCell(Integer ACol, Integer ARow, const AnsiString& Text) { SetCells(ACol, ARow, Text); }
    TPersistent* GetGraphicObject(Integer ACol, Integer ARow) const;
    void SetGraphicObject(Integer ACol, Integer ARow, TPersistent* Graphic);
    // Frees the properties of the block, after splitting the ranges it cuts.
    void FreeCellProperties(Integer Col1, Integer Row1, Integer Col2, Integer Row2);
    // The properties reference is dropped unfreed (the caller has moved it) and the text emptied.
    void ClearColumnCells(Integer ACol);
    void ClearRowCells(Integer ARow);
    void ClearCellData(Integer ACol, Integer ARow);

    // Merging.
    virtual void MergeCells(Integer ACol, Integer ARow, Integer NumCols, Integer NumRows);
    virtual void SplitCells(Integer ACol, Integer ARow);
    TPoint BaseCell(Integer ACol, Integer ARow) const;
    TPoint BaseCell(Integer ACol, Integer ARow, bool& IsBase) const;
    bool IsBaseCell(Integer ACol, Integer ARow) const;
    bool IsMergedCell(Integer ACol, Integer ARow) const;
    bool IsXMergedCell(Integer ACol, Integer ARow) const;
    bool IsYMergedCell(Integer ACol, Integer ARow) const;
    TPoint GetCellSpan(Integer ACol, Integer ARow) const;
    // The cell's rectangle, of a merged cell its whole range even where parts are scrolled away.
    void CellRectEx(Integer ACol, Integer ARow, TRect& Rect) const;
    TPoint CellSizeEx(Integer ACol, Integer ARow) const;
    // Where the cell is, or would be, in client coordinates, also when scrolled out of view.
    void CalcCellRect(Integer ACol, Integer ARow, TRect& Rect) const;
    bool RowsInSameMerge(Integer ARow1, Integer ARow2) const;
    void InvalidateCellEx(Integer ACol, Integer ARow);
    void SelectBaseCell();
    Integer FixedColsWidth() const;
    Integer FixedRowsHeight() const;

    // Cell text: every grid reader and writer goes through these.
    void ReadCell(Integer ACol, Integer ARow, AnsiString& Text);
    void WriteCell(Integer ACol, Integer ARow, const AnsiString& Text);

protected:
    virtual bool IsFixedCell(Integer ACol, Integer ARow);
    virtual Integer RowIndent(Integer ARow);
    virtual bool HasNodes();
    // A cell's graphic comes into (Held) or leaves the grid's keeping, hidden rows included.
    virtual void GraphicHeld(TPersistent*, bool) {}
    virtual void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState);
    // Refreshes the floating footer after its row changed.
    virtual void UpdateFooter();
    virtual void GetDisplText(Integer ACol, Integer ARow, AnsiString& Value);
    // Sets brush and font for a cell and gives its gradient end colour (clNone: plain) and alignments.
    virtual void GetCellDrawInfo(Integer ACol, Integer ARow, TGridDrawState& AState, TAlignment& HAlign,
                                 TVAlignment& VAlign, TFont* AFont, TColor& ColorTo, TBrush* ABrush, bool RealColumn,
                                 bool Selectable, bool Printing);

    void Paint() override;
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
    // Rows a batch change inserts or removes count as rows given to RowCount.
    void LinesChanged(const TGridLineChange& Change) override;

    // Splits every range with a cell in the block that reaches outside it.
    void SplitRangesCut(Integer Col1, Integer Row1, Integer Col2, Integer Row2);

    // Rows at or beyond it are not passed through the display-text event; every change of the row count
    // sets it to the new count.
    Integer LogicalRowCount() const { return logicalRowCount_; }
    void SetLogicalRowCount(Integer Value) { logicalRowCount_ = Value; }
    // True while the last row shows as the floating footer instead of in the grid.
    bool FloatingFooterShown() const { return floatingFooter_; }
    void SetFloatingFooterShown(bool Value) { floatingFooter_ = Value; }

private:
    friend class TCellProperties;
    TCellProperties* FindProperties(Integer ACol, Integer ARow) const;
    TCellProperties* BaseProperties(Integer ACol, Integer ARow) const;
    // The base of the range Props (the cell's properties, or nil) places the cell in.
    static TPoint BaseOf(Integer ACol, Integer ARow, const TCellProperties* Props);
    // Takes Props into the grid's keeping, and lets it go again (without freeing).
    void Adopt(TCellProperties* Props);
    void Release(TCellProperties* Props) { owned_.erase(Props); }
    // Frees Props and empties the slot at (ACol, ARow).
    void FreeProperties(Integer ACol, Integer ARow, TCellProperties* Props);
    // Steps 3 to 11 of drawing a cell: the whole range of a base cell.
    void PaintCell(Integer ACol, Integer ARow, TGridDrawState AState);
    void DrawGridLines(TRect& Rect, const TRect& View, bool Fixed, Integer ACol, Integer ARow);
    void PrepareRangeExit(Word Key);
    // After the counts shrank: the ranges reaching past them are shortened, the properties beyond freed.
    void ClipRanges(Integer OldColCount, Integer OldRowCount);

    bool defaultDrawing_ = false;
    Integer gridLineWidth_ = 1;
    TColor gridLineColor_ = static_cast<TColor>(0xC0C0C0);
    std::uint32_t paintCount_ = 1;
    bool floatingFooter_ = false;
    Integer logicalRowCount_ = 0;  // rows at or beyond it are not passed through the display-text event
    TProGridUndoRedo* undoRedo_ = nullptr;
    std::unordered_set<TCellProperties*> owned_;  // every properties object the grid keeps, wherever it is
};

}  // namespace BaseGrid
