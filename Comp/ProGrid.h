#pragma once
// The full grid's unit: the settings objects the grid publishes as sub-properties (each keeps its grid to
// repaint, and owns the bitmaps, fonts and lists it makes), the cell graphic descriptor, the hidden-row
// item, the filter collection, the floating footer, and the grid class RAdeRedeviDidi itself.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "BaseGrid.h"
#include "PictureContainer.h"
#include "ProGrid_HintWindow.h"
#include "ProGrid_InplaceEdit.h"
#include "ProObj.h"
#include "grdcheck.h"
#include "vcl/ActiveX.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"

class TCustomIniFile;

namespace ProGrid {

// The printer unit's page orientation; the grid keeps it as a setting only.
enum TPrinterOrientation { poPortrait, poLandscape };

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };
enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TSortBlankPosition { blFirst, blLast };
enum TSortDirection { sdAscending, sdDescending };
enum TControlStyle { csClassic, csFlat, csWinXP, csBorland, csZub, csGlyph, csTheme };
enum TBackGroundDisplay { bdTile, bdFixed };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };

// A stored property: getter, setter, field.
// clang-format off
#define PROGRID_STORED(Type, Name, Default)            \
public:                                                \
    Type Name() const { return f##Name##_; }           \
    void Set##Name(Type Value) { f##Name##_ = Value; } \
                                                       \
private:                                               \
    Type f##Name##_ = Default;
// clang-format on

// A setting of one grid; the base of every settings object.
class TGridSettings : public TPersistent {
    VCL_CLASS(TGridSettings, TPersistent)
    explicit TGridSettings(BaseGrid::TBaseGrid* AGrid) : grid_(AGrid) {}
    TGridSettings(const TGridSettings&) = delete;
    TGridSettings& operator=(const TGridSettings&) = delete;
    BaseGrid::TBaseGrid* Grid() const { return grid_; }

protected:
    void InvalidateGrid() const {
        if (grid_) grid_->Invalidate();
    }
    void RepaintGrid() const {
        if (grid_) grid_->Repaint();
    }
    // Copies Source into Bitmap (nil empties it) and invalidates.
    void CopyBitmap(TBitmap& Bitmap, TBitmap* Source) const;

private:
    BaseGrid::TBaseGrid* grid_;
};

class TCellNode : public TGridSettings {
    VCL_CLASS(TCellNode, TGridSettings)
    explicit TCellNode(BaseGrid::TBaseGrid* AGrid);
    ~TCellNode() override;
    TNodeType NodeType() const { return nodeType_; }
    void SetNodeType(TNodeType Value);
    Integer NodeIndent() const { return nodeIndent_; }
    void SetNodeIndent(Integer Value);
    bool ShowTree() const { return showTree_; }
    void SetShowTree(bool Value);
    TColor TreeColor() const { return treeColor_; }
    void SetTreeColor(TColor Value);
    TBitmap* ExpandGlyph() const { return expandGlyph_.get(); }
    void SetExpandGlyph(TBitmap* Value) { expandGlyph_->Assign(Value); }
    TBitmap* ContractGlyph() const { return contractGlyph_.get(); }
    void SetContractGlyph(TBitmap* Value) { contractGlyph_->Assign(Value); }
    PROGRID_STORED(TColor, Color, static_cast<TColor>(0xC0C0C0))
    PROGRID_STORED(bool, ExpandOne, false)
    PROGRID_STORED(TColor, NodeColor, clBlack)

private:
    TNodeType nodeType_ = cnXP;
    Integer nodeIndent_ = 12;
    bool showTree_ = true;
    TColor treeColor_ = static_cast<TColor>(0xC0C0C0);
    std::unique_ptr<TBitmap> expandGlyph_;
    std::unique_ptr<TBitmap> contractGlyph_;
};

class TSizeWhileTyping : public TGridSettings {
    VCL_CLASS(TSizeWhileTyping, TGridSettings)
    using TGridSettings::TGridSettings;
    PROGRID_STORED(bool, Height, false)
    PROGRID_STORED(bool, Width, false)
};

// clang-format off
#define PROGRID_MOUSE_ACTIONS(X)                                                                                      \
    X(AllColumnSize)                                                                                                  \
    X(AllRowSize) X(AllSelect) X(CaretPositioning) X(CheckAllCheck) X(ColSelect) X(DirectComboDrop) X(DirectDateDrop) \
        X(DirectEdit) X(MoveRowOnNodeClick) X(NoAutoRangeScroll) X(NodeAllExpandContract) X(PreciseCheckBoxCheck)     \
            X(RangeSelectAndEdit) X(RowSelect) X(RowSelectPersistent) X(SelectOnRigthClick) X(SizeFixedCol)
// clang-format on

class TMouseActions : public TGridSettings {
    VCL_CLASS(TMouseActions, TGridSettings)
    using TGridSettings::TGridSettings;
// clang-format off
#define PROGRID_FALSE_FLAG(Name) PROGRID_STORED(bool, Name, false)
    // clang-format on
    PROGRID_MOUSE_ACTIONS(PROGRID_FALSE_FLAG)
public:
    // In design mode the three disjunct selections exclude each other; at run time they are independent.
    bool DisjunctRowSelect() const { return disjunct_[0]; }
    void SetDisjunctRowSelect(bool Value) { SetDisjunct(0, Value); }
    bool DisjunctColSelect() const { return disjunct_[1]; }
    void SetDisjunctColSelect(bool Value) { SetDisjunct(1, Value); }
    bool DisjunctCellSelect() const { return disjunct_[2]; }
    void SetDisjunctCellSelect(bool Value) { SetDisjunct(2, Value); }
    PROGRID_STORED(TGridFixedCellEdit, FixedRowsEdit, fceNone)
    PROGRID_STORED(TGridFixedCellEdit, FixedColsEdit, fceNone)

private:
    void SetDisjunct(int Which, bool Value);
    bool disjunct_[3] = {false, false, false};
};

class TColumnSize : public TGridSettings {
    VCL_CLASS(TColumnSize, TGridSettings)
    using TGridSettings::TGridSettings;
    PROGRID_STORED(bool, Save, false)
    PROGRID_STORED(AnsiString, Key, {})
    PROGRID_STORED(AnsiString, Section, {})
public:
    // Setting it stretches the column StretchColumn at once.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool Value);
    PROGRID_STORED(Integer, StretchColumn, -1)
    PROGRID_STORED(bool, SynchWithGrid, false)
    PROGRID_STORED(TColumnSizeLocation, Location, clRegistry)

private:
    bool stretch_ = false;
};

// clang-format off
#define PROGRID_NAVIGATION_FLAGS(X)                                                                             \
    X(AllowInsertRow, false)                                                                                    \
    X(AllowDeleteRow, false) X(AlwaysEdit, false) X(AdvanceOnEnter, false) X(AdvanceInsert, false)              \
        X(AutoGotoWhenSorted, false) X(AutoGotoIncremental, false) X(AutoComboDropSize, false)                  \
            X(AllowClipboardShortCuts, false) X(AllowCtrlEnter, true) X(AllowSmartClipboard, false)             \
                X(AllowRTFClipboard, false) X(AllowFmtClipboard, false) X(AllowClipboardAlways, false)          \
                    X(AllowClipboardRowGrow, true) X(AllowClipboardColGrow, true) X(AdvanceAuto, false)         \
                        X(EditSelectAll, true) X(CursorWalkEditor, false) X(MoveRowOnSort, false)               \
                            X(ImproveMaskSel, false) X(CopyHTMLTagsToClipboard, true) X(KeepHorizScroll, false) \
                                X(LineFeedOnEnter, false) X(SkipFixedCells, true) X(TabToNextAtEnd, false)
// clang-format on

class TNavigation : public TGridSettings {
    VCL_CLASS(TNavigation, TGridSettings)
    using TGridSettings::TGridSettings;
// clang-format off
#define PROGRID_FLAG(Name, Default) PROGRID_STORED(bool, Name, Default)
    // clang-format on
    PROGRID_NAVIGATION_FLAGS(PROGRID_FLAG)
    PROGRID_STORED(TAdvanceDirection, AdvanceDirection, adLeftRight)
    PROGRID_STORED(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
    PROGRID_STORED(TInsertPosition, InsertPosition, pInsertBefore)
    PROGRID_STORED(THomeEndAction, HomeEndKey, heFirstLastColumn)
};

// Export settings only: the grid writes no HTML files.
class THTMLSettings : public TGridSettings {
    VCL_CLASS(THTMLSettings, TGridSettings)
    explicit THTMLSettings(BaseGrid::TBaseGrid* AGrid);
    ~THTMLSettings() override;
    // The exported columns' widths.
    ProObj::TIntList* ColWidths() const { return colWidths_.get(); }
    PROGRID_STORED(Integer, BorderSize, 1)
    PROGRID_STORED(Integer, CellSpacing, 0)
    PROGRID_STORED(Integer, CellPadding, 0)
    PROGRID_STORED(bool, SaveColor, true)
    PROGRID_STORED(bool, SaveFonts, true)
    PROGRID_STORED(AnsiString, FooterFile, {})
    PROGRID_STORED(AnsiString, HeaderFile, {})
    PROGRID_STORED(AnsiString, TableStyle, {})
    PROGRID_STORED(AnsiString, PrefixTag, {})
    PROGRID_STORED(AnsiString, SuffixTag, {})
    PROGRID_STORED(Integer, Width, 100)
    PROGRID_STORED(bool, XHTML, false)

private:
    std::unique_ptr<ProObj::TIntList> colWidths_;
};

// Printing settings only: the grid prints nothing.
class TPrintSettings : public TGridSettings {
    VCL_CLASS(TPrintSettings, TGridSettings)
    explicit TPrintSettings(BaseGrid::TBaseGrid* AGrid);
    ~TPrintSettings() override;
    // Copies every published property; fonts and title lines by their own Assign.
    void Assign(TPersistent* Source) override;

    TStringList* TitleLines() const { return titleLines_.get(); }
    void SetTitleLines(TStrings* Value) { titleLines_->Assign(Value); }
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    TFont* FixedFont() const { return fixedFont_.get(); }
    void SetFixedFont(TFont* Value) { fixedFont_->Assign(Value); }
    TFont* HeaderFont() const { return headerFont_.get(); }
    void SetHeaderFont(TFont* Value) { headerFont_->Assign(Value); }
    TFont* FooterFont() const { return footerFont_.get(); }
    void SetFooterFont(TFont* Value) { footerFont_->Assign(Value); }

// clang-format off
#define PROGRID_PRINT_SIZES(X)                                                                                \
    X(FooterSize)                                                                                             \
    X(HeaderSize) X(LeftSize) X(RightSize) X(ColumnSpacing) X(RowSpacing) X(TitleSpacing) X(PageNumberOffset) \
        X(MaxPagesOffset) X(FixedWidth) X(FixedHeight)
#define PROGRID_PRINT_POSITIONS(X) X(Time) X(Date) X(PageNr) X(Title)
#define PROGRID_PRINT_TEXTS(X) X(TitleText) X(PagePrefix) X(PageSuffix) X(JobName)
#define PROGRID_PRINT_FLAGS(X)                                                                           \
    X(Centered, true)                                                                                    \
    X(RepeatFixedRows, false) X(RepeatFixedCols, false) X(UseFixedHeight, false) X(UseFixedWidth, false) \
        X(NoAutoSize, false) X(NoAutoSizeRow, false) X(PrintGraphics, false) X(UseDisplayFont, true)
#define PROGRID_ZERO(Name) PROGRID_STORED(Integer, Name, 0)
#define PROGRID_NO_POSITION(Name) PROGRID_STORED(TPrintPosition, Name, ppNone)
#define PROGRID_EMPTY_TEXT(Name) PROGRID_STORED(AnsiString, Name, {})
    // clang-format on
    PROGRID_PRINT_SIZES(PROGRID_ZERO)
    PROGRID_PRINT_POSITIONS(PROGRID_NO_POSITION)
    PROGRID_PRINT_TEXTS(PROGRID_EMPTY_TEXT)
    PROGRID_PRINT_FLAGS(PROGRID_FLAG)
    PROGRID_STORED(AnsiString, DateFormat, "dd/mm/yyyy")
    PROGRID_STORED(AnsiString, PageNumSep, "/")
    PROGRID_STORED(TPrintBorders, Borders, pbSingle)
    PROGRID_STORED(TPenStyle, BorderStyle, psSolid)
    PROGRID_STORED(TPrinterOrientation, Orientation, poPortrait)
    PROGRID_STORED(TFitToPage, FitToPage, fpNever)

private:
    std::unique_ptr<TStringList> titleLines_;
    std::unique_ptr<TFont> font_, fixedFont_, headerFont_, footerFont_;
};

class TSortSettings : public TGridSettings {
    VCL_CLASS(TSortSettings, TGridSettings)
    explicit TSortSettings(BaseGrid::TBaseGrid* AGrid);
    ~TSortSettings() override;
    bool Show() const { return show_; }
    void SetShow(bool Value);
    // At most the grid's FixedRows: more raises and keeps the old row.
    Integer Row() const { return row_; }
    void SetRow(Integer Value);
    TBitmap* UpGlyph() const { return upGlyph_.get(); }
    void SetUpGlyph(TBitmap* Value) { upGlyph_->Assign(Value); }
    TBitmap* DownGlyph() const { return downGlyph_.get(); }
    void SetDownGlyph(TBitmap* Value) { downGlyph_->Assign(Value); }
    TBitmap* IndexUpGlyph() const { return indexUpGlyph_.get(); }
    void SetIndexUpGlyph(TBitmap* Value) { indexUpGlyph_->Assign(Value); }
    TBitmap* IndexDownGlyph() const { return indexDownGlyph_.get(); }
    void SetIndexDownGlyph(TBitmap* Value) { indexDownGlyph_->Assign(Value); }
    PROGRID_STORED(bool, AutoSortForGrouping, true)
    PROGRID_STORED(bool, AutoColumnMerge, false)
    PROGRID_STORED(Integer, Column, 0)
    PROGRID_STORED(bool, IndexShow, false)
    PROGRID_STORED(TColor, IndexColor, static_cast<TColor>(0x00FFFF))
    PROGRID_STORED(bool, Full, true)
    PROGRID_STORED(bool, SingleColumn, false)
    PROGRID_STORED(bool, IgnoreBlanks, false)
    PROGRID_STORED(TSortBlankPosition, BlankPos, blFirst)
    PROGRID_STORED(bool, AutoFormat, true)
    PROGRID_STORED(TSortDirection, Direction, sdAscending)
    PROGRID_STORED(TSortDirection, InitSortDirection, sdAscending)
    PROGRID_STORED(bool, FixedCols, false)
    PROGRID_STORED(bool, NormalCellsOnly, false)
    PROGRID_STORED(bool, UndoSort, false)

private:
    bool show_ = false;
    Integer row_ = 0;
    std::unique_ptr<TBitmap> upGlyph_, downGlyph_, indexUpGlyph_, indexDownGlyph_;
};

// Every setter stores (bitmaps are copied) and invalidates the grid.
class TControlLook : public TGridSettings {
    VCL_CLASS(TControlLook, TGridSettings)
    explicit TControlLook(BaseGrid::TBaseGrid* AGrid);
    ~TControlLook() override;
// clang-format off
#define PROGRID_LOOK_GLYPHS(X) \
    X(CheckedGlyph, checked_) X(UnCheckedGlyph, unChecked_) X(RadioOnGlyph, radioOn_) X(RadioOffGlyph, radioOff_)
#define PROGRID_LOOK_GLYPH(Name, Field)           \
    TBitmap* Name() const { return Field.get(); } \
    void Set##Name(TBitmap* Value) { CopyBitmap(*Field, Value); }
    // clang-format on
    PROGRID_LOOK_GLYPHS(PROGRID_LOOK_GLYPH)
// clang-format off
#define PROGRID_LOOK_VALUES(X)                                                                                    \
    X(TColor, Color, clBlack)                                                                                     \
    X(Integer, CheckSize, 15) X(Integer, RadioSize, 10) X(TControlStyle, ControlStyle, csWinXP)                   \
        X(bool, DropDownAlwaysVisible, false) X(bool, FlatButton, false) X(bool, NoDisabledCheckRadioLook, false) \
            X(bool, ProgressXP, false) X(Integer, ProgressMarginX, 2) X(Integer, ProgressMarginY, 2)
#define PROGRID_INVALIDATING(Type, Name, Default) \
public:                                           \
    Type Name() const { return f##Name##_; }      \
    void Set##Name(Type Value) {                  \
        f##Name##_ = Value;                       \
        InvalidateGrid();                         \
    }                                             \
                                                  \
private:                                          \
    Type f##Name##_ = Default;
    // clang-format on
    PROGRID_LOOK_VALUES(PROGRID_INVALIDATING)

private:
    std::unique_ptr<TBitmap> checked_, unChecked_, radioOn_, radioOff_;
};

class TBackGround : public TGridSettings {
    VCL_CLASS(TBackGround, TGridSettings)
    explicit TBackGround(BaseGrid::TBaseGrid* AGrid);
    ~TBackGround() override;
    TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(TBitmap* Value) { CopyBitmap(*bitmap_, Value); }
    PROGRID_INVALIDATING(Integer, Top, 0)
    PROGRID_INVALIDATING(Integer, Left, 0)
    PROGRID_INVALIDATING(TBackGroundDisplay, Display, bdTile)
    PROGRID_INVALIDATING(TBackGroundCells, Cells, bcNormal)

private:
    std::unique_ptr<TBitmap> bitmap_;
};

// Alternating row colours; while inactive a change of colour or length repaints nothing.
class TBands : public TGridSettings {
    VCL_CLASS(TBands, TGridSettings)
    using TGridSettings::TGridSettings;
    bool Active() const { return active_; }
    void SetActive(bool Value);
    TColor PrimaryColor() const { return primaryColor_; }
    void SetPrimaryColor(TColor Value);
    Integer PrimaryLength() const { return primaryLength_; }
    void SetPrimaryLength(Integer Value);
    TColor SecondaryColor() const { return secondaryColor_; }
    void SetSecondaryColor(TColor Value);
    Integer SecondaryLength() const { return secondaryLength_; }
    void SetSecondaryLength(Integer Value);
    // PrimaryLength + SecondaryLength.
    Integer Period() const { return period_; }
    PROGRID_STORED(bool, Print, false)

private:
    void Changed() const;
    bool active_ = false;
    TColor primaryColor_ = clInfoBk;
    Integer primaryLength_ = 1;
    TColor secondaryColor_ = clWindow;
    Integer secondaryLength_ = 1;
    Integer period_ = 2;
};

class TGrouping : public TGridSettings {
    VCL_CLASS(TGrouping, TGridSettings)
    using TGridSettings::TGridSettings;
// clang-format off
#define PROGRID_GROUP_COLORS(X) \
    X(HeaderColor) X(HeaderColorTo) X(HeaderTextColor) X(SummaryColor) X(SummaryColorTo) X(SummaryTextColor)
#define PROGRID_NO_COLOR(Name) PROGRID_STORED(TColor, Name, clNone)
    // clang-format on
    PROGRID_GROUP_COLORS(PROGRID_NO_COLOR)
    PROGRID_STORED(bool, MergeHeader, false)
    PROGRID_STORED(bool, MergeSummary, false)
    PROGRID_STORED(bool, Summary, false)
};

// OleDropTarget registers the grid's drop target for its window (see RAdeRedeviDidi); OleDropRTF sets the
// drag and drop layer's rich-text switch.
class TDragDropSettings : public TGridSettings {
    VCL_CLASS(TDragDropSettings, TGridSettings)
    using TGridSettings::TGridSettings;
// clang-format off
#define PROGRID_DRAG_FLAGS(X)                                                                            \
    X(OleAcceptFiles, true)                                                                              \
    X(OleAcceptText, true) X(OleCopyAlways, false) X(OleDropSource, false) X(OleEntireRows, false)       \
        X(OleInsertRows, false) X(OleRemoveRows, false) X(OleColumnDragDrop, false)
    // clang-format on
    PROGRID_DRAG_FLAGS(PROGRID_FLAG)
public:
    bool OleDropTarget() const { return oleDropTarget_; }
    void SetOleDropTarget(bool Value);
    bool OleDropRTF() const { return oleDropRTF_; }
    void SetOleDropRTF(bool Value);

private:
    bool oleDropTarget_ = false;
    bool oleDropRTF_ = false;
};

// ---------------------------------------------------------------------------
// Auxiliary classes

enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctProgressPie,
    ctSummary
};
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };

// A cell graphic's type. While a grid keeps the descriptor, writes keep that grid's count of node
// descriptors, so that whether a grid has nodes is known at once.
class TCellTypeField {
public:
    TCellTypeField() = default;
    TCellTypeField(const TCellTypeField&) = delete;
    // Takes the value only: the count stays that of the descriptor written to.
    TCellTypeField& operator=(const TCellTypeField& Other) { return *this = Other.value_; }
    TCellTypeField& operator=(TCellType Value);
    operator TCellType() const { return value_; }
    // Counted in NodeCount from now on; the count it was in loses it.
    void CountIn(Integer* NodeCount);
    // No longer counted, when counted in NodeCount.
    void LeaveCount(const Integer* NodeCount);

private:
    TCellType value_ = ctNone;
    Integer* nodeCount_ = nullptr;
};

// The graphic of one cell, kept in its properties.
class TCellGraphic : public TPersistent {
    VCL_CLASS(TCellGraphic, TPersistent)
    TCellGraphic() = default;
    // Frees what the cell made for itself: the object of a bitmap, radio, picture, file picture or bit
    // button cell and the icon of an icon cell when CellCreated; the index list of an images cell always.
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;
    // Copies every field, the references too (not what they point at).
    void Assign(TPersistent* Source) override;
    // Fits a picture cell's picture into the available room (the margin CellIndex taken off) by the mode
    // in CellAngle; other cells leave Size as it is. Never negative.
    void GetPictureSize(Integer AvailWidth, Integer AvailHeight, TPoint& Size) const;

    TCellTypeField CellType;
    TObject* CellBitmap = nullptr;  // bitmap, picture, file picture, index list, radio texts or glyph
    TIcon* CellIcon = nullptr;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    Integer CellIndex = 0;
    bool CellTransparent = false;
    bool CellCreated = false;  // the object belongs to the cell
    bool CellBoolean = false;
    Integer CellAngle = 0;  // also the picture's stretch mode
    double CellValue = 0;
    SmallInt CellErrFrom = 0;
    SmallInt CellErrLen = 0;
    AnsiString CellText;
};

// A hidden row: its real index, height and cells (their properties as the strings' objects). A row the
// grid hides keeps its cells as the grid held them until Items is first asked for; they become the list then.
class TGridItem : public TCollectionItem {
    VCL_CLASS(TGridItem, TCollectionItem)
    explicit TGridItem(TCollection* Collection);
    ~TGridItem() override;
    Integer Idx() const { return idx_; }
    void SetIdx(Integer Value);
    Integer Height() const { return height_; }
    void SetHeight(Integer Value) { height_ = Value; }
    TStringList* Items() const;
    // Copies Value's strings and objects: the caller keeps its list.
    void SetItems(TStrings* Value);

private:
    friend class RAdeRedeviDidi;
    // The cells to put back into the grid; the item holds none afterwards.
    TGridRowCells TakeCells();

    Integer idx_ = 0;
    Integer height_ = 0;
    Integer columns_ = 0;  // the grid's columns when the row was hidden
    mutable TGridRowCells cells_;
    mutable std::unique_ptr<TStringList> items_;
};

// The grid's hidden rows, in ascending Idx, with their Idx values kept sorted beside the items for the
// index mappings (taken anew after any change of the items).
class THiddenRowList : public TCollection {
    VCL_CLASS(THiddenRowList, TCollection)
    THiddenRowList() : TCollection(CollectionItemClassOf<TGridItem>()) {}
    TGridItem* Items(Integer Index) const { return static_cast<TGridItem*>(TCollection::Items(Index)); }
    TGridItem* Add() { return static_cast<TGridItem*>(TCollection::Add()); }
    // The Idx of every item, ascending.
    const std::vector<Integer>& Indices() const;
    // Number of items with Idx below ARealRow.
    Integer CountBelow(Integer ARealRow) const;
    // Puts the items in ascending Idx again after an application changed one out of order.
    void Order();
    // Joins Added (ascending Idx, none held yet) to the items, keeping the order.
    void Merge(std::vector<std::unique_ptr<TGridItem>>&& Added);
    // Frees the items at Positions (ascending); the later ones close up.
    void Remove(std::span<const Integer> Positions);

protected:
    void Update(TCollectionItem* Item) override;

private:
    // Takes the items from First on out of the collection, in order.
    std::vector<TGridItem*> Detach(Integer First);

    mutable std::vector<Integer> indices_;
    mutable bool indicesValid_ = true;
    bool ordered_ = true;  // false once an item changed on its own
};

class TFilterData : public TCollectionItem {
    VCL_CLASS(TFilterData, TCollectionItem)
    explicit TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}
    PROGRID_STORED(SmallInt, Column, 0)
    PROGRID_STORED(AnsiString, Condition, {})
    PROGRID_STORED(AnsiString, Prefix, {})
    PROGRID_STORED(AnsiString, Suffix, {})
    PROGRID_STORED(bool, CaseSensitive, true)
    PROGRID_STORED(TFilterOperation, Operation, foSHORT)
};

class TFilter : public TCollection {
    VCL_CLASS(TFilter, TCollection)
    explicit TFilter(BaseGrid::TBaseGrid* AGrid) : TCollection(CollectionItemClassOf<TFilterData>()), grid_(AGrid) {}
    TFilterData* Items(Integer Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    TPersistent* Owner() const override { return grid_; }

private:
    BaseGrid::TBaseGrid* grid_;
};

// ---------------------------------------------------------------------------
// Floating footer

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

class RAdeRedeviDidi;

class TFloatingFooter : public TPersistent {
    VCL_CLASS(TFloatingFooter, TPersistent)
    explicit TFloatingFooter(RAdeRedeviDidi* AGrid) : grid_(AGrid) {}
    TFloatingFooter(const TFloatingFooter&) = delete;
    TFloatingFooter& operator=(const TFloatingFooter&) = delete;
    RAdeRedeviDidi* Grid() const { return grid_; }

    // Shows the footer panel at the grid's footer height less 1; with fsFixedLastRow the last row becomes
    // the grid's one fixed footer and shows in the panel instead.
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    TFooterStyle FooterStyle() const { return footerStyle_; }
    void SetFooterStyle(TFooterStyle Value);
    // The next three repaint the panel.
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    Integer Column() const { return column_; }
    void SetColumn(Integer Value);
    const AnsiString& CustomTemplate() const { return customTemplate_; }
    void SetCustomTemplate(const AnsiString& Value);

private:
    // The grid's last-row mirror: True while the panel shows the last row.
    void UpdateMirror() const;
    void RepaintPanel() const;

    RAdeRedeviDidi* grid_;
    bool visible_ = false;
    TFooterStyle footerStyle_ = fsFixedLastRow;
    TColor color_ = clBtnFace;
    Integer column_ = 0;
    AnsiString customTemplate_;
};

// The strip below the cells: the grid's last row, a preview of one column of the current row, or the custom
// template filled from the current row, by the footer's style.
class TFooterPanel : public TCustomPanel {
    VCL_CLASS(TFooterPanel, TCustomPanel)
    TFooterPanel(TComponent* AOwner, RAdeRedeviDidi* AGrid);
    RAdeRedeviDidi* Grid() const { return grid_; }

protected:
    // The window comes with the footer's height when the footer is visible, else with none.
    void CreateWnd() override;
    void Paint() override;

private:
    // The last row's cells at the grid's column positions, with 3-D lines by the fixed-line options.
    void PaintLastRow();
    // The sunken frame over the fixed and visible columns; returns the room inside it.
    TRect PaintPreviewFrame();
    void PaintColumnPreview();
    void PaintCustomPreview();

    RAdeRedeviDidi* grid_;
};

// ---------------------------------------------------------------------------
// The grid's own editors

using TEndRowSizeEvent = std::function<void(TObject* Sender, Integer ARow)>;

// A hidden rich edit of the grid. The converter (the grid's RichEdit) turns rich text into what cells and
// the clipboard show and keeps the size its content asks for; the editor (InplaceRichEdit) edits rich-text
// cells and, with SizeWhileTyping.Height, grows the current row as its text grows. While it edits a cell,
// the focus going to the grid ends the edit, and so do Up and Down (handed to the grid) when cells neither
// wrap nor hold several lines.
class TProRichEdit : public TRichEdit {
    VCL_CLASS(TProRichEdit, TRichEdit)
    TProRichEdit(TComponent* AOwner, RAdeRedeviDidi* AGrid);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;
    void SuspendResize() { resizeSuspended_ = true; }
    void ResumeResize() { resizeSuspended_ = false; }
    bool ResizeSuspended() const { return resizeSuspended_; }
    // The width and height the converter's content last asked for.
    TPoint RequestedSize() const { return requestedSize_; }
    // The grid opened it over a cell, until the cell has its value back.
    bool Editing() const { return editing_; }
    void SetEditing(bool Value) { editing_ = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void RequestSize(const TRect& Rect) override;
    // The editor's selection changes go on to the grid's OnRichEditSelectionChange, with the edit as Sender.
    void SelectionChange() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    bool IsConverter() const;

    RAdeRedeviDidi* grid_;
    bool editing_ = false;
    bool resizeSuspended_ = false;
    TPoint requestedSize_{};
};

// An edit placed over a cell: leaving it writes its text to that cell and hides it; Enter types nothing.
class TGridTransEdit : public TCustomEdit {
    VCL_CLASS(TGridTransEdit, TCustomEdit)
    TGridTransEdit(TComponent* AOwner, RAdeRedeviDidi* AGrid);
    RAdeRedeviDidi* Grid() const { return grid_; }
    PROGRID_STORED(Integer, Col, 0)
    PROGRID_STORED(Integer, Row, 0)

protected:
    void DoExit() override;
    void KeyPress(char& Key) override;

private:
    RAdeRedeviDidi* grid_;
};

// The editors of the mark-up's form controls: Enter commits the value as leaving the control does.
class TControlEdit : public TEdit {
    VCL_CLASS(TControlEdit, TEdit)
    explicit TControlEdit(TComponent* AOwner) : TEdit(AOwner) {}

protected:
    void KeyPress(char& Key) override;
};

class TControlCombo : public TComboBox {
    VCL_CLASS(TControlCombo, TComboBox)
    explicit TControlCombo(TComponent* AOwner) : TComboBox(AOwner) {}

protected:
    void KeyPress(char& Key) override;
};

// ---------------------------------------------------------------------------
// The grid

// The cell the painter is drawing (ProGrid_Paint.h).
struct TCellPaint;

class EProGridError : public Exception {
public:
    using Exception::Exception;
};

enum TGridLook { glStandard, glSoft, glClassic, glZub, glXP, glListView };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
using TScrollHintEvent = std::function<void(TObject* Sender, Integer ARow, AnsiString& hintstr)>;
// The per-column comparison style; the ordinals travel through OnGetFormat.
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssDateDMY,
    ssDateMDY,
    ssCustom,
    ssNumericGrouped,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssUnicode
};
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

using TGridColorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign, BaseGrid::TVAlignment& VAlign)>;
using TGridFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, TSortStyle& AStyle, AnsiString& aPrefix, AnsiString& aSuffix)>;
using TGetCheckEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, AnsiString& Value)>;
using TGridHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, AnsiString& hintstr)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsFixed)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsPassword)>;
using THasComboEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasComboBox)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, BaseGrid::TEditorType& AEditor)>;
using TSelectionChanged =
    std::function<void(TObject* Sender, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat, AnsiString& FloatFormat)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, Integer& AWidth)>;
using TEditChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const AnsiString& Value)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TGridProgressEvent = std::function<void(TObject* Sender, SmallInt Progress)>;
using TClipboardBeforePasteCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, AnsiString& Value, bool& Allow)>;
using TClipboardBeforePasteWideCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, WideString& Value, bool& Allow)>;
// Drag and drop: a text dragged out or dropped (OnOleDrag, OnOleDrop; a dropped file's name with -1, -1)
// and a dropped file (OnOleDropFile), each refused by clearing Allow.
using TOleDragDropEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const AnsiString& data, bool& Allow)>;
using TOleDropFileEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const AnsiString& FileName, bool& Allow)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TOleDropColEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer DropCol)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, const TGridRect& ARect)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, Integer OLEEffect)>;
// The sort's own comparisons: Res (0 on entry) is the order of the two texts (rows), -1, 0 or 1.
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const AnsiString& str1, const AnsiString& str2, Integer& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, Integer ACol, Integer Row1, Integer Row2, Integer& Res)>;

class RAdeRedeviDidi;
class TEditLink;
struct TEditorPlace;
class TGridCheckBox;
class TGridSpin;
class TGridUniEdit;
class TGridUniCombo;
class TGridCombo;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridDatePicker;

// A component told of every change of cells the grids it is registered with report. One that goes is
// forgotten by those grids.
class TGridChangeNotifier : public TComponent {
    VCL_CLASS(TGridChangeNotifier, TComponent)
    using TComponent::TComponent;
    virtual void CellsChanged(RAdeRedeviDidi* Grid, const TRect& R) = 0;
};

enum TEditStyle { esInline, esPopup };

// An application's editor for edCustom cells. The grid sets Grid and EditCell (real column and row) and
// drives the editor through the slots; with esPopup the grid makes PopupForm (owned by the grid) and the
// editor lives on it.
class TEditLink : public TComponent {
    VCL_CLASS(TEditLink, TComponent)
    using TComponent::TComponent;
    RAdeRedeviDidi* Grid() const { return grid_; }
    void SetGrid(RAdeRedeviDidi* Value) { grid_ = Value; }
    TForm* PopupForm() const { return popupForm_; }
    void SetPopupForm(TForm* Value) { popupForm_ = Value; }
    TPoint EditCell() const { return editCell_; }
    void SetEditCell(TPoint Value) { editCell_ = Value; }
    PROGRID_STORED(TEditStyle, EditStyle, esInline)
    PROGRID_STORED(Integer, PopupWidth, 0)
    PROGRID_STORED(Integer, PopupHeight, 0)
    PROGRID_STORED(bool, AutoPopupWidth, false)
public:
    virtual TWinControl* GetEditControl() = 0;
    virtual void CreateEditor(TWinControl* AParent) = 0;
    virtual void SetFocus(bool Value) = 0;
    virtual void SetRect(TRect R) = 0;
    virtual void SetVisible(bool Value) = 0;
    virtual void SetProperties() = 0;
    virtual void SetCellProps(TColor AColor, TFont* AFont) = 0;
    virtual void GetEditValue(AnsiString& S) = 0;
    virtual void SetEditValue(const AnsiString& S) = 0;
    // The pop-up form lost the activation; what the link then does is its own affair.
    virtual void PopupDeactivated() {}

private:
    RAdeRedeviDidi* grid_ = nullptr;
    TComponentRef<TForm> popupForm_;
    TPoint editCell_{0, 0};
};

// Real columns that keep a visible flag.
constexpr Integer MaxVisibleFlagColumn = 512;

class RAdeRedeviDidi : public BaseGrid::TBaseGrid {
    VCL_CLASS(RAdeRedeviDidi, BaseGrid::TBaseGrid)
    explicit RAdeRedeviDidi(TComponent* AOwner);
    ~RAdeRedeviDidi() override;

    // Settings objects.
    TPrintSettings* PrintSettings() const { return printSettings_.get(); }
    THTMLSettings* HTMLSettings() const { return htmlSettings_.get(); }
    TSortSettings* SortSettings() const { return sortSettings_.get(); }
    TDragDropSettings* DragDropSettings() const { return dragDropSettings_.get(); }
    TControlLook* ControlLook() const { return controlLook_.get(); }
    TNavigation* Navigation() const { return navigation_.get(); }
    TColumnSize* ColumnSize() const { return columnSize_.get(); }
    TCellNode* CellNode() const { return cellNode_.get(); }
    TBands* Bands() const { return bands_.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return sizeWhileTyping_.get(); }
    TMouseActions* MouseActions() const { return mouseActions_.get(); }
    TGrouping* Grouping() const { return grouping_.get(); }
    TBackGround* BackGround() const { return backGround_.get(); }
    TFloatingFooter* FloatingFooter() const { return floatingFooter_.get(); }
    TFooterPanel* FooterPanel() const { return footerPanel_; }
    TFilter* Filter() const { return filter_.get(); }
    // Row filtering. Switching the filter on keeps FixedRows and hides the data rows MatchFilter refuses,
    // in one update; switching it off puts every hidden row back and restores FixedRows. A filter
    // changed while on takes effect when switched on again.
    bool FilterActive() const { return filterActive_; }
    void SetFilterActive(bool Value);
    // Hides every data row MatchFilter refuses, reporting OnFilterProgress in percent as it goes.
    void ApplyFilter();
    // True keeps ARow: the Filter items' results joined by their operations in order.
    virtual bool MatchFilter(Integer ARow);
    TGridProgressEvent OnFilterProgress;
    THiddenRowList* HiddenRows() const { return hiddenRows_.get(); }
    ProObj::TControlList* ControlList() const { return controlList_.get(); }
    // The pictures cell mark-up loads by URL, kept for the grid's life; the grid frees them.
    ::PictureContainer::THTMLPictureCache* PictureCache() const { return pictureCache_.get(); }
    THTMLHintWindow* HintWindow() const { return hintWindow_; }
    ProObj::TSortIndexList* SortIndexes() const { return sortIndexes_.get(); }
    // Entry r: the row the row now at r was before any sort.
    ProObj::TIntList* RowOrderList() const { return rowOrderList_.get(); }
    // Marks the current row in the fixed column; the setter copies.
    TBitmap* RowIndicator() const { return rowIndicator_.get(); }
    void SetRowIndicator(TBitmap* Value) { rowIndicator_->Assign(Value); }
    // The drop-position arrows (up, down, right, left); nil in design mode.
    ProObj::TArrowWindow* ArrowWindow(Integer Direction) const { return arrows_.at(Direction).Get(); }
    ProObj::TPopupButton* PopupButton() const { return popupButton_; }
    TProRichEdit* RichEdit() const { return richEdit_; }
    TProRichEdit* InplaceRichEdit() const { return inplaceRichEdit_; }
    // A rich-text cell holds its RTF source: the edit loads the raw cell text (an empty cell clears it),
    // and S receives what the edit saves.
    void CellToRichEdit(Integer ACol, Integer ARow, TCustomRichEdit* RichEdit);
    void RichEditToCell(TCustomRichEdit* RichEdit, AnsiString& S);
    // Run time only, like the arrows.
    TGridTransEdit* TransEdit() const { return transEdit_; }
    TControlEdit* ControlEdit() const { return controlEdit_; }
    TControlCombo* ControlCombo() const { return controlCombo_; }

    // Fonts and lists whose changes repaint the grid; the setters copy.
    TFont* FixedFont() const { return fixedFont_.get(); }
    void SetFixedFont(TFont* Value) { fixedFont_->Assign(Value); }
    TFont* ActiveCellFont() const { return activeCellFont_.get(); }
    void SetActiveCellFont(TFont* Value) { activeCellFont_->Assign(Value); }
    // Entry i goes to cell (i, 0) (row headers: (0, i)) with each backslash-n a CR, again whenever the list
    // changes. Setting the list first empties row 0 when there are fixed rows (column 0 only when
    // designing with fixed columns).
    TStringList* ColumnHeaders() const { return columnHeaders_.get(); }
    void SetColumnHeaders(TStrings* Value);
    TStringList* RowHeaders() const { return rowHeaders_.get(); }
    void SetRowHeaders(TStrings* Value);
    TStringList* LookupItems() const { return lookupItems_.get(); }
    // Nil keeps the list.
    void SetLookupItems(TStrings* Value);
    // Typing completes the text from LookupItems; LookupHistory adds each text left behind to them.
    PROGRID_STORED(bool, Lookup, false)
    PROGRID_STORED(bool, LookupCaseSensitive, false)
    PROGRID_STORED(bool, LookupHistory, false)
public:
    // Values the other parts of the grid read; their setters' side effects come with those parts.
    PROGRID_STORED(TColor, ActiveCellColor, static_cast<TColor>(0x808080))
    PROGRID_STORED(bool, ActiveCellShow, false)
    PROGRID_STORED(bool, EnhRowColMove, true)
    // A selected rich-text cell keeps its own colours instead of the selection's text colour.
    PROGRID_STORED(bool, SelectionRTFKeep, false)
    PROGRID_STORED(TColor, HintColor, clInfoBk)
    PROGRID_STORED(bool, HideFocusRect, false)
    PROGRID_STORED(bool, FixedAsButtons, false)
    PROGRID_STORED(bool, EnableHTML, true)
    PROGRID_STORED(bool, EnableWheel, true)
    PROGRID_STORED(bool, IntelliZoom, true)
    PROGRID_STORED(AnsiString, FloatFormat, "%.2f")
    PROGRID_STORED(AnsiString, CheckTrue, "Y")
    PROGRID_STORED(AnsiString, CheckFalse, "N")
    PROGRID_STORED(char, PasswordChar, '*')
    PROGRID_STORED(bool, FixedRowAlways, false)
    PROGRID_STORED(bool, FixedColAlways, false)
public:
    // Setting it applies the current bounds again.
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool Value);

private:
    bool integralHeight_ = false;

public:
    PROGRID_STORED(bool, AutoNumAlign, false)
    PROGRID_STORED(bool, EnhTextSize, false)
    PROGRID_STORED(bool, Multilinecells, false)
public:
    // Not owned: nil once the list or container is freed.
    TImageList* GridImages() const { return gridImages_; }
    void SetGridImages(TImageList* Value) { gridImages_ = Value; }
    ::PictureContainer::TPictureContainer* PictureContainer() const { return pictureContainer_; }
    void SetPictureContainer(::PictureContainer::TPictureContainer* Value) { pictureContainer_ = Value; }

private:
    TComponentRef<TImageList> gridImages_;
    TComponentRef<::PictureContainer::TPictureContainer> pictureContainer_;

public:
    // Property accessors: most store the value and repaint.
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor Value);
    bool URLShow() const { return urlShow_; }
    void SetURLShow(bool Value);
    bool URLFull() const { return urlFull_; }
    void SetURLFull(bool Value);
    TGridLook Look() const { return look_; }
    void SetLook(TGridLook Value);
    Integer FixedFooters() const { return fixedFooters_; }
    void SetFixedFooters(Integer Value);
    Integer FixedRightCols() const { return fixedRightCols_; }
    void SetFixedRightCols(Integer Value);
    // The counts and the row height hide the base grid's by name and are never virtual: the base grid's
    // own code keeps seeing the real values.
    void SetDefaultRowHeight(Integer Value);
    void SetRowCount(Integer Value);
    void SetColCount(Integer Value);
    // 1 while there are none and FixedRowAlways (FixedColAlways) is set.
    Integer FixedRows() const;
    void SetFixedRows(Integer Value);
    Integer FixedCols() const;
    void SetFixedCols(Integer Value);
    // Column 0's width; set only when designing.
    Integer FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(Integer Value);
    // Always kept; sizes the fixed rows only when designing.
    Integer FixedRowHeight() const { return fixedRowHeight_; }
    void SetFixedRowHeight(Integer Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    TColor SelectionColor() const { return selectionColor_; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return selectionTextColor_; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const { return selectionRectangle_; }
    void SetSelectionRectangle(bool Value);
    bool SelectionResizer() const { return selectionResizer_; }
    void SetSelectionResizer(bool Value);
    Integer MaxEditLength() const { return maxEditLength_; }
    void SetMaxEditLength(Integer Value);
    bool ShowSelection() const { return showSelection_; }
    void SetShowSelection(bool Value);
    BaseGrid::TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(BaseGrid::TVAlignment Value);
    // The DrawText flag of VAlignment: DT_TOP, DT_VCENTER or DT_BOTTOM.
    UINT VAlignmentFlag() const { return vAlignmentFlag_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);

    // View operations.
    // Makes the cell current where it is out of view and centres it; the top left never leaves blank
    // columns or rows. Nothing for a cell past the counts.
    void ScrollInView(Integer ACol, Integer ARow);
    // Moves the selection out of the grid, keeping it for UnHideSelection.
    void HideSelection();
    // The kept selection when the grid still holds it, else the first scrollable cell.
    void UnHideSelection();
    bool SelectionHidden() const { return selectionHidden_; }
    // A turned-text cell, with its angle.
    bool IsRotated(Integer ACol, Integer ARow, Integer& Angle) const;
    bool IsHiddenColumn(Integer ACol) const;
    // The column-moved and row-moved handling, for the mouse and drag and drop.
    void DoColumnMoved(Integer FromIndex, Integer ToIndex) { ColumnMoved(FromIndex, ToIndex); }
    void DoRowMoved(Integer FromIndex, Integer ToIndex) { RowMoved(FromIndex, ToIndex); }

public:
    // The fixed cells' gradient, from and to.
    TColor GradientFrom() const { return gradientFrom_; }
    TColor GradientTo() const { return gradientTo_; }
    // Real columns 0 to 512 each keep a flag; later columns are always visible.
    bool ColumnVisible(Integer ARealCol) const;
    // The FixedRows the application asked for, kept while the row count changes.
    Integer RequestedFixedRows() const { return requestedFixedRows_; }
    // The footer panel's height while the footer shows (plus 1).
    Integer FooterHeight() const { return footerHeight_; }
    // The last LeftCol and TopRow the grid scrolled to.
    TGridCoord LastScrollPos() const { return lastScrollPos_; }
    // Fixed cells act as normal ones for cell access, clipboard and imports.
    bool FixedAsNormal() const { return fixedAsNormal_; }

    // Run-time flags fixed at construction.
    bool ThemedLook() const { return themedLook_; }
    bool CommonControls6() const { return commonControls6_; }
    UINT WheelMessage() const { return wheelMessage_; }
    Integer WheelScrollLines() const { return wheelScrollLines_; }

    // Corrects and checks edited texts; cleared when the checker goes.
    grdcheck::RAdeRedeviDidiCheck* CellChecker() const { return cellChecker_; }
    void SetCellChecker(grdcheck::RAdeRedeviDidiCheck* Value) { cellChecker_ = Value; }

    // The stretch column (-1: the last) takes the client width the other columns leave; nothing while
    // loading or without ColumnSize.Stretch. A column past the last raises.
    void StretchColumnTo(Integer ACol);

    // Typed views on the cell texts, by display column and row; a merged cell reads and writes its base.
    // "" reads 0; anything but a whole signed 32-bit decimal raises EProGridError.
    Integer Ints(Integer ACol, Integer ARow);
    // The number ExtractNumericText finds, "." as the point ("" reads 0); EProGridError when it does not
    // convert.
    double Floats(Integer ACol, Integer ARow);
    // Formatted with FloatFormat; a bad format raises EConvertError and leaves the cell.
    void SetFloats(Integer ACol, Integer ARow, double Value);
    // The short date, or "" for a date of 0 or less unless ShowZeroDates. A value that names no day of the
    // years 1 to 9999 raises EConvertError and leaves the cell.
    void SetDates(Integer ACol, Integer ARow, TDateTime Value);
    bool ShowZeroDates() const { return showZeroDates_; }
    void SetShowZeroDates(bool Value) { showZeroDates_ = Value; }
    // Wide text travels in the cell as "|\" and two bytes per UTF-16 unit.
    WideString WideCells(Integer ACol, Integer ARow);
    void SetWideCells(Integer ACol, Integer ARow, const WideString& Value);
    bool IsUnicodeCell(Integer ACol, Integer ARow);
    // The current cell's text in its real column, without the merged-cell redirection; the setter writes
    // through it.
    virtual AnsiString GetCurrentRaw();
    virtual void SetCurrentText(const AnsiString& Value);
    // The columns with the hidden ones behind ColCount.
    Integer AllColCount() const { return ColCount() + HiddenColCount(); }
    // From the cell's own properties: nil, clNone and False without any.
    TControl* CellControl(Integer ACol, Integer ARow);
    TColor CellBrushColorTo(Integer ACol, Integer ARow);
    bool CellReadOnlyFlag(Integer ACol, Integer ARow);

    // Setting the cursor also makes it the one the grid returns to after its hover cursors.
    void SetCursor(TCursor Value);
    TCursor NormalCursor() const { return savedCursor_; }

    // Selection flags, one per real row (hidden rows included) and one per column; an index out of range
    // raises EProGridError. A change repaints the row or column.
    bool RowSelect(Integer ARow) const;
    void SetRowSelect(Integer ARow, bool Value);
    bool ColSelect(Integer ACol) const;
    void SetColSelect(Integer ACol, bool Value);
    // Every set flag is cleared and its row (as shown) or column repainted.
    void ClearRowSelect();
    void ClearColSelect();
    // The flags of the scrollable rows (columns) become whether the row lies in the selection (only the
    // selection's rows are touched unless AllRows). Rows flag their real index with
    // MouseActions.RowSelectPersistent.
    void SelectToRowSelect(bool AllRows);
    void SelectToColSelect(bool AllCols);

    void RepaintCell(Integer ACol, Integer ARow);
    // The cells from ARect's top-left to its bottom-right (column, row pairs); all of the grid when either
    // corner is out of view.
    void RepaintRect(const TRect& ARect);
    void RepaintRow(Integer ARow);
    void RepaintCol(Integer ACol);

    // The fixed area as painting and navigation see it: none while fixed cells act as normal ones.
    Integer VisibleFixedCols() const;
    Integer VisibleFixedRows() const;
    Integer LastScrollCol() const;
    Integer LastScrollRow() const;
    // The cell under a point given in screen coordinates; -1 for an axis the point misses.
    TPoint MouseToCellEx(Integer X, Integer Y) const;
    // Within 4 pixels of a fixed row's column edge with goColSizing, or of a fixed column's row edge with
    // goRowSizing.
    bool IsOnSizingBorder(Integer X, Integer Y) const;

    // Clipboard: cells as tab-separated text (CF_UNICODETEXT too when a cell holds wide text), a rich-text
    // cell as "Rich Text Format", and the grid's own format with properties, graphics and sizes.
    // CopyToClipboard takes the selection grown over merged corners (every scrollable cell with a
    // disjunct selection); the cut empties what it copied.
    void CopyToClipboard();
    void CutToClipboard();
    void CopySelectionToClipboard(const TGridRect& ARect, bool Disjunct);
    // The number of cells pasted: of the grid's own format ColCount x RowCount, of text every field read.
    Integer PasteFromClipboard(Integer ACol, Integer ARow);
    // Pastes at the selection, then fills the rest of it from what was pasted (AllowSmartClipboard).
    void PasteSelectionFromClipboard();
    // The grid's own format. A malformed stream raises EReadError; the cells read before stay pasted.
    void SaveCellsToStream(const TGridRect& ARect, TStream* AStream);
    void LoadCellsFromStream(TPoint ATopLeft, TStream* AStream);
    // X: the most tab-separated fields of a line; Y: the CR-terminated lines.
    static TPoint TextSize(const AnsiString& AText);
    // Writes the cell of real column ACol through the merged-cell redirection.
    virtual void SetCellEx(Integer ACol, Integer ARow, const AnsiString& Value);
    // Called after each paste with the copy origin ((-1, -1) from another grid), the pasted cells and
    // whether they were copied (not cut).
    virtual void ClipboardPasteDone(TPoint AFrom, TRect& ATo, bool ACopied);
    TClipboardBeforePasteCellEvent OnClipboardBeforePasteCell;
    TClipboardBeforePasteWideCellEvent OnClipboardBeforePasteWideCell;

    // OLE drag and drop (ProGrid_DragDrop*.cpp). The text a drag offers: the selected cells (whole rows
    // with goRowSelect and OleEntireRows; the flagged rows with DisjunctRowSelect), TAB between cells and
    // CR LF between rows.
    AnsiString GetDragText();
    // Fixed cells never; otherwise by the disjunct row or column flags, or the selection rectangle.
    bool IsSelectedCell(Integer ACol, Integer ARow);
    // The OLE drag a press on (ACol, ARow) turned into; the mouse handling decides when. OnOleDrag gets the
    // cell's text: refused, False and nothing more. Otherwise OnOleDragStart, then the column's drag (a
    // fixed-row cell with OleColumnDragDrop) or the selection's: a drop that moved the cells removes their
    // rows (OleEntireRows with goRowSelect, or the flagged rows) or empties them, unless OleCopyAlways, and
    // never touches what a drop into this grid itself just wrote. OnOleDragStop follows unless cancelled.
    bool StartOleDrag(Integer ACol, Integer ARow);
    // The cell rectangle being dragged out of this grid; (-1, -1, -1, -1) outside a drag.
    const TGridRect& DragSourceRect() const { return dragSourceRect_; }
    // Arrow Direction (0 up, 1 down, 2 right, 3 left) shown with its top-left at a screen point, at its
    // outline's size; nothing in design mode. HideArrows hides all four.
    void ShowArrow(Integer Direction, Integer ScreenX, Integer ScreenY);
    void HideArrows();
    TOleDragDropEvent OnOleDrag;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDragDropEvent OnOleDrop;
    TOleDropFileEvent OnOleDropFile;
    TOleDragOverEvent OnOleDragOver;
    TOleDropColEvent OnOleDropCol;
    TOleDroppedEvent OnOleDropped;

    // Fires when the current row moves to another row, outside loading and the update lock.
    TRowUpdateEvent OnRowUpdate;

    // The button editors' click: S as OnEllipsClick leaves it for the real column of the current cell.
    using TEllipsClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, AnsiString& S)>;
    virtual void EllipsClick(const AnsiString& S, AnsiString& Result);
    TEllipsClickEvent OnEllipsClick;

    // Sorting. The data rows (FixedRows up to the footers) by SortSettings.Column, ties broken by the next
    // columns under SortSettings.Full; SortIndexed by SortIndexes instead (EProGridError "No indexes
    // specified for indexed sort", nothing changed, when it is empty); SortWithinNodes the child rows of
    // every expanded node of more than two rows. Rows are compared only: they move once, in one
    // permutation, and merged ranges spanning the moving rows are split first. An exception from a
    // comparison (an explicit ssDate text that is no date, an event) leaves every row where it was.
    virtual void Sort();
    virtual void SortIndexed();
    virtual void SortWithinNodes();
    // Puts every row back where RowOrderList says it stood before the sorts; a list not matching RowCount
    // is started anew first (and so restores nothing).
    virtual void RestoreOriginalOrder();
    // -1, 0 or 1 for the cells (ACol, ARow1) and (ACol, ARow2) by the column's sort style (OnGetFormat asked
    // each time; automatic from ARow1's cell alone). ADescending only places blanks. Events' results are
    // taken by their sign.
    Integer CompareCells(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2);
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;

    // Entries of the grid's own slots.
    virtual void SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
    virtual void AutoInsertRow(Integer ARow);
    virtual void AutoDeleteRow(Integer ARow);
    virtual void GetCellText(Integer ACol, Integer ARow, AnsiString& Value);
    virtual void GetEditorValue(Integer ACol, Integer ARow, AnsiString& Value);
    virtual void SetCellRaw(Integer ACol, Integer ARow, const AnsiString& Value);
    // Per-cell queries: a default answer, then the application's event, which may change it.
    virtual void GetCellHint(Integer ARow, Integer ACol, AnsiString& Hint);
    virtual void GetCellColor(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TGridDrawState AState);
    virtual void GetCellPrintColor(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TGridDrawState AState);
    virtual void GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, BaseGrid::TVAlignment& VAlign);
    virtual void GetFormat(Integer ACol, TSortStyle& AStyle, AnsiString& APrefix, AnsiString& ASuffix);
    virtual void GetCellEditor(Integer ACol, Integer ARow, BaseGrid::TEditorType& AEditor);
    virtual void IsFixed(Integer ACol, Integer ARow, bool& AIsFixed);
    virtual void CanEdit(Integer ACol, Integer ARow, bool& ACanEdit);
    virtual void IsPassword(Integer ACol, Integer ARow, bool& AIsPassword);
    virtual bool HasCombo(Integer ACol, Integer ARow);
    virtual void GetCheckTrue(Integer ACol, Integer ARow, AnsiString& Value);
    virtual void GetCheckFalse(Integer ACol, Integer ARow, AnsiString& Value);
    virtual bool ShowFilterGlyph();

    // Cell painting.
    // Left (right for a number with AutoNumAlign), the cell's own, then OnGetAlignment.
    virtual std::pair<TAlignment, BaseGrid::TVAlignment> GetCellAlignmentEx(Integer ACol, Integer ARow);
    // The cell's graphic, its size and where it sits; nullptr (and 0 x 0) without one.
    TCellGraphic* GetCellGraphicInfo(Integer ACol, Integer ARow, TCellHAlign& HAlign, TCellVAlign& VAlign,
                                     bool& TextBeside, Integer& Width, Integer& Height);
    // The text a cell shows: a number through OnGetFloatFormat's format when the event asks for it.
    virtual void GetCellFormat(Integer ACol, Integer ARow, AnsiString& Value);
    // The room the cell's content needs, margins included.
    void GetCellTextSize(Integer ACol, Integer ARow, TPoint& Size, bool WordWrap);
    // The dotted line of a column being sized; drawing it again at the same X takes it away.
    void DrawSizeLine(Integer X);
    // The flat frame of the special looks over the window's border.
    void DrawFlatBorder();
    // Moves Rect's top left to where text turned by Angle degrees starts, its box (TextWidth + OffsetX by
    // TextHeight + OffsetY, the projections of the text's sides) aligned in Rect.
    static void GetTextPosition(TRect& Rect, BaseGrid::TVAlignment VAlign, Integer TextHeight, Integer TextWidth,
                                Integer OffsetX, Integer OffsetY, TAlignment HAlign, Integer Angle);
    // 0x02070004: major, minor, release and build from the high byte down.
    virtual Integer GetVersionNr();
    // The four bytes of GetVersionNr joined by ".", then the release month.
    virtual AnsiString GetVersionString();

    // Hidden rows and columns. Real indices count every row (column) with the hidden ones put back;
    // display indices count the rows (columns) the grid shows.
    Integer RealRowIndex(Integer ADisplayRow) const;
    Integer DisplayRowIndex(Integer ARealRow) const;
    bool IsHiddenRow(Integer ARealRow) const;
    Integer HiddenRowCount() const { return hiddenRows_->Count(); }
    Integer RealColIndex(Integer ADisplayCol) const;
    Integer DisplayColIndex(Integer ARealCol) const;
    Integer RealCol() const { return RealColIndex(Col()); }
    // No operation hides a single column: the count stays as the constructor sets it.
    Integer HiddenColCount() const { return hiddenColCount_; }
    // Takes the real rows AFromRow..AToRow out of the grid into the hidden list; the rows hidden already
    // are skipped. Nothing happens when AFromRow is hidden.
    void HideRows(Integer AFromRow, Integer AToRow);
    // Hides the rows shown at the display indices listed; repeated and out-of-range entries are ignored.
    void HideRowList(ProObj::TIntList* AList);
    // Puts back the hidden rows whose Idx lies in AFromRow..AToRow, when AFromRow is one of them.
    void UnhideRows(Integer AFromRow, Integer AToRow);
    void UnhideAllRows();

    // The update lock (counted only while the window exists): the grid paints nothing while it is held,
    // and the last EndUpdate repaints it whole.
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }
    // Reports changed cells: OnCellsChanged, then every registered notifier, in the order registered.
    virtual void CellsChanged(const TRect& R);
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    // Column footers: one column, or all of them (-1), calculated anew through CalcFooter, which runs
    // UpdateColumnCalc.
    virtual void UpdateFooterColumn(Integer ACol) { CalcFooter(ACol); }
    virtual void UpdateFooterAll() { CalcFooter(-1); }
    virtual void CalcFooter(Integer ACol);

    // Footer calculations over display rows FromRow .. ToRow of column ACol, read with Floats (a value that
    // does not convert raises EProGridError). Every row counts: the grid has no grouping column.
    // Recalculates the last row's cells with a calculation type in column ACol (-1: every column), only
    // while the floating footer shows that row. Inside an update bracket, CellsChanged leaves it to the
    // outermost EndUpdate.
    virtual void UpdateColumnCalc(Integer ACol);
    double ColumnSum(Integer ACol, Integer FromRow, Integer ToRow);
    // The sum divided by the rows of the range; 0 for an empty range.
    double ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow);
    // Starting from the range's first row; 0 for an empty range.
    double ColumnMin(Integer ACol, Integer FromRow, Integer ToRow);
    double ColumnMax(Integer ACol, Integer FromRow, Integer ToRow);
    // Each "<#n>" becomes the text of column n in the current row; a tag that names no column gives nothing.
    AnsiString ExpandFooterTemplate(const AnsiString& Template);

    // Imports (ProGrid_Import*.cpp), each ending with CellsChanged over the grid and UpdateFooterAll.
    // A delimited text file, one row per line from the first scrollable row on (below the rows there are
    // with Append, over a floating footer row that is put back after them). Fields split at Delimiter (#0:
    // guessed from the first two lines among , ; # TAB | @ * - + &, the setting kept), may be quoted, and
    // hold "~" (TildeLineBreaks) or LF as a line break. A file that cannot be opened raises EProGridError
    // and changes nothing.
    void LoadFromCSV(const AnsiString& FileName) { LoadFromCSVEx(FileName, false); }
    void LoadFromCSVEx(const AnsiString& FileName, bool Append);
    // A workbook through the spreadsheet automation server: the used range of the active sheet, or of the
    // sheet named, from the first scrollable cell on, the grid sized to it. The server closes the workbook
    // unsaved and quits on every way out.
    void LoadFromXLS(const AnsiString& FileName) { LoadFromXLSSheet(FileName, ""); }
    void LoadFromXLSSheet(const AnsiString& FileName, const AnsiString& SheetName);
    PROGRID_STORED(char, Delimiter, '\0')
    PROGRID_STORED(bool, TildeLineBreaks, false)
    // The file is in the OEM code page.
    PROGRID_STORED(bool, OemConvert, false)
public:
    // The percentage of the file's lines read, when it changes.
    TGridProgressEvent OnFileProgress;

    // Row and column operations on display rows. A removal takes 0 <= ARow < RowCount and at most the rows
    // there are, an insertion 0 <= ARow <= RowCount; others do nothing. Rows move with their texts,
    // properties, heights and selection flags, hidden rows keep their places, and a merged range the
    // change cuts is split first. Each reports the cells it changed.
    virtual void RemoveRows(Integer ARow, Integer ACount);
    // Both as RemoveRows.
    virtual void ShiftRemoveRows(Integer ARow, Integer ACount);
    virtual void RemoveRowsEx(Integer ARow, Integer ACount);
    // ACount empty rows of the default height before ARow.
    virtual void InsertRows(Integer ARow, Integer ACount);
    // Columns (0 <= ACol < ColCount; at least one stays) go with their texts, widths, visibility and
    // selection flags, in the hidden rows too.
    virtual void RemoveCols(Integer ACol, Integer ACount);
    virtual void InsertCols(Integer ACol, Integer ACount);
    // Nothing unless both rows lie in 0 .. RowCount - 1. With SortSettings.SingleColumn only the sort
    // column's cells change places.
    virtual void ExchangeRows(Integer ARow1, Integer ARow2);
    // Empties the cells of the block (cut to the grid): texts, properties and controls.
    virtual void ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
    void ClearRows(Integer ARow, Integer ACount);
    void ClearCols(Integer ACol, Integer ACount);
    void ClearAll();
    // The flagged rows between the fixed rows and the footers go in one pass, under one update bracket;
    // without DisjunctRowSelect the selection's rows are flagged first.
    void RemoveSelectedRows();
    // One row at the end, above a visible floating footer.
    void AddRow();
    // Merging equal neighbours down the columns of MergeColumnList.
    ProObj::TIntList* MergeColumnList() const { return mergeColumnList_.get(); }
    void SplitColumnCells(Integer ACol);
    // Runs of equal texts become one range each; unless MainColumn, a run also stays within the ranges
    // of the columns merged before.
    void MergeColumnCells(Integer ACol, bool MainColumn);
    void SplitAllCells();
    void MergeListedColumns();
    void AutoMergeColumns();

    // Cell controls and nodes, read on the merge base cell.
    bool HasCheckBox(Integer ACol, Integer ARow);
    // False without a check box.
    bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State);
    // Of cell (0, ARow); False (-1) for a row outside the grid or without a node.
    bool IsNode(Integer ARow);
    bool IsSummaryRow(Integer ARow);
    // True while contracted.
    bool GetNodeState(Integer ARow);
    Integer GetNodeLevel(Integer ARow);
    Integer GetNodeSpan(Integer ARow);
    // A new graphic for the cell, in place of the one it had.
    TCellGraphic* CreateCellGraphic(Integer ACol, Integer ARow);
    // False when the cell had no graphic; a shared virtual check box is let go unfreed.
    bool RemoveCellGraphic(Integer ACol, Integer ARow);
    bool RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType AType);

    // In-cell controls (ProGrid_CellControls.cpp), on the merge base cell. A cell holds a control when it is
    // a check box of any kind, a radio group or a button.
    bool HasRadio(Integer ACol, Integer ARow);
    bool HasCellButton(Integer ACol, Integer ARow);
    bool HasCellControl(Integer ACol, Integer ARow);
    // A plain check box keeps its state; the data kinds write the check-true or check-false text.
    bool SetCheckBoxState(Integer ACol, Integer ARow, bool State);
    // Flips a check box (a data one whose text is neither becomes checked); with CheckEditable only where
    // CanEdit allows. False when nothing changed.
    virtual bool ToggleCheck(Integer ACol, Integer ARow, bool CheckEditable);
    // CellIndex of a radio group (below 0: the selected item is the cell text).
    bool GetRadioIndex(Integer ACol, Integer ARow, Integer& Index);
    // Stores the index in any graphic; True for a radio group.
    bool SetRadioIndex(Integer ACol, Integer ARow, Integer Index);
    TStrings* GetRadioItems(Integer ACol, Integer ARow);
    // Selects the next item (after the last: the first) and writes its text into the cell. False, changing
    // nothing, for a group without items or where CheckEditable and CanEdit refuse.
    bool NextRadioItem(Integer ACol, Integer ARow, bool CheckEditable);
    // Whether the client point X, Y hits the cell's check box: anywhere in the cell unless
    // MouseActions.PreciseCheckBoxCheck, then the CheckSize square placed by the graphic's and cell's alignment.
    bool IsCheckBoxHit(Integer ACol, Integer ARow, Integer X, Integer Y);
    // The button of a button cell at display column ACol: its packed offset and size in the cell, the cell's
    // height (width) with vaFull (haFull).
    void GetCellButtonRect(Integer ACol, Integer ARow, TRect& Rect);
    void SetCellButtonDown(Integer ACol, Integer ARow, bool Down);
    bool GetCellComment(Integer ACol, Integer ARow, AnsiString& Text);
    // 0, 0 without a graphic.
    void GetCellErrorRange(Integer ACol, Integer ARow, Integer& From, Integer& Len);
    ProObj::TIntList* GetCellImages(Integer ACol, Integer ARow);
    // The bitmap's or icon's handle, an image list cell's index; -1 for any other cell.
    std::intptr_t GetCellGraphicHandle(Integer ACol, Integer ARow);
    // The graphic's width and height (0, 0 without one); texts measured with the grid canvas's font.
    virtual void GetCellGraphicSize(Integer ACol, Integer ARow, TPoint& Size);
    // For printing: bitmap and icon widths always count, pictures fit Width x Height and are divided by
    // Scale, and full alignments do not stretch.
    virtual void GetCellGraphicSizeEx(Integer ACol, Integer ARow, TPoint& Size, double Scale, Integer Width,
                                      Integer Height);

    // Nodes (ProGrid_Nodes.cpp). A node lives in column 0 of its row; its span counts its rows with the
    // node row (0: up to the next node row). Rows are hidden by nodes exactly where a contracted node holds
    // them.
    bool HasNodes() override;
    // Node descriptors the grid keeps, hidden rows included.
    Integer NodeCount() const { return nodeCount_; }
    Integer RowIndent(Integer ARow) override;
    bool NodeButtonHit(Integer ARow, Integer X);
    // 0 for a node row, 1 where the tree line ends, 2 where it goes on.
    Integer TreeLineKind(Integer ARow);
    // Real rows. Expanding keeps the rows of nested contracted nodes hidden; contracting expands the
    // contracted nodes nested in the node (their rows stay hidden under it).
    void ExpandNode(Integer ARow);
    void ContractNode(Integer ARow);
    void ExpandAllNodes();
    void ContractAllNodes();
    // Every node goes, its rows shown and their levels 0.
    void RemoveAllNodes();
    // One past the last row of the node at ARow of span ASpan: ARow + ASpan, or for span 0 the first row
    // after ARow up to ALast for which IsNodeRow holds (ALast + 1 when none).
    static Integer NodeEndRow(Integer ARow, Integer ASpan, Integer ALast,
                              const std::function<bool(Integer)>& IsNodeRow);

protected:
    void GraphicHeld(TPersistent* Graphic, bool Held) override;

private:
    // Node rows by real index, hidden or not.
    BaseGrid::TCellProperties* RealRowProperties(Integer ACol, Integer ARealRow);
    TCellGraphic* RealNode(Integer ARealRow);
    Integer RealRowCount() const { return RowCount() + HiddenRowCount(); }
    Integer RealNodeEnd(Integer ARealRow, const TCellGraphic& Node);
    // Where the rows that contracted nodes before ARealRow hold end (ARealRow when none holds it).
    Integer HeldUntil(Integer ARealRow);
    // Hides and shows the real rows AFirst..ALast as the nodes' states say, the rows before Held held by
    // the nodes before AFirst.
    void FollowNodeStates(Integer AFirst, Integer ALast, Integer Held);
    // Puts back the hidden rows with the real indices given (ascending).
    void UnhideRealRows(std::span<const Integer> RealRows);
    void DrawTreeLines(TCanvas* ACanvas, Integer ARow, const TRect& Rect);
    Integer nodeCount_ = 0;

public:
    // Keyboard and navigation (ProGrid_Keys*.cpp).
    using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
    using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
    using TCanInsertRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanInsert)>;
    using TCanDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanDelete)>;
    using TAutoAddRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
    using TAutoInsertColEvent = std::function<void(TObject* Sender, Integer ACol)>;
    using TCellChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer NewRow,
                                                  Integer NewCol, bool& Allow)>;
    using TCellValidateEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, AnsiString& Value, bool& Valid)>;
    using TCellValidateWideEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, WideString& Value, bool& Valid)>;
    using TCheckBoxClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)>;
    using TRadioClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)>;
    using TButtonClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
    // Moves the current cell on as Enter does, skipping the cells that cannot be edited; after one pass
    // over the grid without an editable cell the current cell stays.
    void AdvanceEdit(Integer ACol, Integer ARow, bool Forward, bool OpenEditor, bool Force);
    // One Tab (Shift+Tab: Backward) step; with TabToNextAtEnd the last cell hands Tab to the parent.
    void TabStep(bool Backward);
    // The first row whose upper-cased display text in the search column starts with Text; -1 for none.
    Integer FindRowByPrefix(const AnsiString& Text);
    // The typed text incremental search has gathered.
    const AnsiString& SearchText() const { return searchText_; }
    // Remembers the cell and its texts before they are edited.
    virtual void StartCellEdit(Integer ACol, Integer ARow);
    // Commits an edited text through OnCellValidate; False when refused (the cell gets its old text).
    virtual bool ValidateCell(const AnsiString& NewText);
    virtual bool ValidateCellWide(const WideString& NewText);
    virtual void CanAddRow(bool& CanAdd);
    virtual void CanInsertRow(Integer ARow, bool& CanInsert);
    // The test every move into a cell to edit passes; ACol is a real column.
    bool IsCellEditable(Integer ACol, Integer ARow);
    // Navigation's bounds: the first column it enters, the last column (right fixed columns that are not
    // hidden excluded) and the last row above the footers.
    Integer FirstNavigableCol();
    Integer LastNavigableCol() const;
    Integer LastNavigableRow() const { return RowCount() - 1 - FixedFooters(); }
    // The next editor opening commits even an unchanged text.
    void SetForceCommit(bool Value) { forceCommit_ = Value; }
    // True while an opened editor has not been committed.
    bool EditorShown() const { return editorShown_; }
    // The character whose typing opened the editor; 0 when it was opened otherwise.
    char EditStartChar() const { return editStartChar_; }
    // True while AdvanceEdit moves the current cell.
    bool Advancing() const { return advancing_; }
    // Sets LeftCol under the one-shot scroll lock: ScrollLocked() holds while it moves.
    void SetLeftColLocked(Integer Value);
    bool ScrollLocked() const { return scrollLock_ > 0; }
    PROGRID_STORED(bool, ExcelStyleDecimalSeparator, false)
public:
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardPaste;
    TCanAddRowEvent OnCanAddRow;
    TAutoAddRowEvent OnAutoAddRow;
    TCanInsertRowEvent OnCanInsertRow;
    TCanDeleteRowEvent OnCanDeleteRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TCellChangingEvent OnCellChanging;
    TCellValidateEvent OnCellValidate;
    TCellValidateWideEvent OnCellValidateWide;
    // The in-cell controls' clicks, by key or mouse.
    TCheckBoxClickEvent OnCheckBoxClick;
    TRadioClickEvent OnRadioClick;
    TButtonClickEvent OnButtonClick;

protected:
    // Tab handed over by the in-place edit steps as the grid's own Tab does.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void Click() override;
    bool CanEditShow() override;
    Integer GetEditLimit() override;
    bool IsFixedCell(Integer ACol, Integer ARow) override;

private:
    // The grid's own handling of key, character, focus and dialog-character messages; False leaves the
    // message to the base grid.
    bool KeyMessage(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    // Steps of the key-down handling; each True when it consumed the key.
    // Enter and Space on a cell that holds a control act on the control.
    void ControlCellKey(Word Key);
    bool HomeEndKey(Word Key, TShiftState Shift);
    bool SkipFixedCellsKey(Word Key);
    bool ClipboardShortCut(Word Key, TShiftState Shift);
    void RowShortCut(Word Key, TShiftState Shift);
    void DisjunctSelectKey(Word Key, TShiftState Shift);
    void RepaintSelectionChange();
    void IncrementalSearch(char Key);
    // Makes (ACol, ARow) current with the anchor, as a key move does.
    void MoveTo(Integer ACol, Integer ARow);
    // The cell after (ACol, ARow) in the advance direction (a row or column may be added); False when the
    // pass must end there.
    bool NextAdvanceCell(Integer& ACol, Integer& ARow, bool Forward, bool& Grew);
    // A left press and release 2 pixels inside the cell's top-left corner, as the user's.
    void PressCell(Integer ACol, Integer ARow);
    bool InPlaceEditorType(BaseGrid::TEditorType AType) const;
    void KeepEditingCellCurrent();
    // The commit both validations share: Validate fires the event for the real cell, Store writes the
    // accepted text or, refused, the text the cell keeps.
    bool CommitEdit(bool Changed, const std::function<bool(Integer, Integer)>& Validate,
                    const std::function<void(Integer, Integer, bool)>& Store);

    TGridRect previousSelection_{};
    AnsiString searchText_;
    TGridCoord editingCell_{-1, -1};
    AnsiString startText_;
    AnsiString startEditText_;  // what an editor opened on it shows: the text without its mark-up
    WideString startWideText_;
    char editStartChar_ = 0;
    bool editorShown_ = false;
    bool committing_ = false;
    bool forceCommit_ = false;
    bool advancing_ = false;
    Integer scrollLock_ = 0;

public:
    // Editing by editor type (ProGrid_Editing*.cpp). The editor type is asked of the application once per
    // opening; the in-place edit serves the plain and filtering types, a control of the grid's own the rest.
    using TComboChangeEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, AnsiString ASelection)>;
    using TComboObjectChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                                       AnsiString ASelection, TObject* AObject)>;
    using TSpinClickEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AValue, bool UpDown)>;
    using TFloatSpinClickEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, double AValue, bool UpDown)>;
    using TDateTimeSpinClickEvent =
        std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime AValue, bool UpDown)>;
    using TGetEditorPropEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditLink* AEditLink)>;
    using TRowChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow, bool& Allow)>;
    using TColChangingEvent = std::function<void(TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow)>;
    using TRowSizeEvent = std::function<void(TObject* Sender, Integer ARow, bool& Allow)>;

    // Closes an open editor: the in-place edit is hidden, a separate control stores its value and hides,
    // and the current cell is selected again.
    void HideCellEditor();
    // The current cell gets back the text it had when editing started.
    virtual void RestoreEditText();
    // Every editor stores through it: the edit text of the display column of real column ACol, then the cell.
    virtual void SetEditCellText(Integer ACol, Integer ARow, const AnsiString& Value);
    // An editor hands a navigation key over: the editor closes, the grid takes the focus and the key.
    void EditorKeyToGrid(Word& Key, TShiftState Shift);
    // Shows the separate control of the current editor type over display cell (ACol, ARow); StoreCellEditor
    // writes its value (when it changed) and hides it.
    void ShowCellEditor(Integer ACol, Integer ARow);
    void StoreCellEditor(Integer ACol, Integer ARow);
    // The class library's editor, unless the current cell holds a control.
    void ShowInplaceEditor();
    // The current cell's raw text when editing started.
    const AnsiString& SavedEditText() const { return savedEditText_; }
    // The value the open separate control showed when it opened.
    const AnsiString& OpenedEditorValue() const { return openedValue_; }
    // The open separate control would store a value other than that one.
    bool EditorValueChanged();
    BaseGrid::TEditorType CurrentEditorType() const { return editorType_; }
    // An editor opened through the editor-type query is up (either kind) and not yet closed.
    bool TypeEditorShown() const { return typeEditorShown_; }
    // A click placed the caret: the editor opening puts it at the clicked character and clears the flag.
    bool CaretAtClick() const { return caretAtClick_; }
    void SetCaretAtClick(bool Value) { caretAtClick_ = Value; }
    Integer EditMarginX() const { return editMarginX_; }
    Integer EditMarginY() const { return editMarginY_; }
    void GetStrippedCellText(Integer ACol, Integer ARow, AnsiString& S);
    bool IsPasswordCell(Integer ACol, Integer ARow);
    // The item a list combo selects when the cell's text is none of its items (-1: the first).
    Integer DefaultComboIndex() const { return defaultComboIndex_; }
    void SetDefaultComboIndex(Integer Value) { defaultComboIndex_ = Value; }
    // Places the cell controls of ControlList on their cells where they show, hides the others.
    void PlaceCellControls();
    // The editor controls (run time only; nil in design mode). Applications fill the combos' items and
    // set the spin editor's limits before they open.
    TGridCombo* ComboEditor() const;
    TGridSpin* SpinEditor();
    TGridUniEdit* UniEditor() const;
    TGridUniCombo* UniComboEditor() const;
    TGridCheckBox* CheckBoxEditor() const;
    TGridEditBtn* ButtonEditor() const;
    TGridUnitEditBtn* UnitEditor() const;
    TGridButton* ButtonCellEditor() const;
    // Nil when the common controls are older than the picker needs.
    TGridDatePicker* DateEditor() const;
    // The edCustom editor; not owned.
    TEditLink* EditLink() const { return editLink_; }
    void SetEditLink(TEditLink* Value) { editLink_ = Value; }
    // The edit text keeps the cell's mark-up.
    PROGRID_STORED(bool, EditWithTags, false)
public:
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TGetEditorPropEvent OnGetEditorProp;
    TNotifyEvent OnEditingDone;
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TRowSizeEvent OnRowSize;

protected:
    AnsiString GetEditText(Integer ACol, Integer ARow) override;
    // The text an editor opens with on display cell (ACol, ARow): HTML stripped unless EditWithTags.
    AnsiString ShownEditText(Integer ACol, Integer ARow);
    void SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) override;
    void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                         Integer& SizingOfs, TGridDrawInfo& FixedInfo) override;

private:
    // SelectCell's steps: the floating footer's rule, the change events, goEditing following the target's
    // editability.
    bool FooterAllowsCell(Integer ACol, Integer ARow);
    bool CellChangeAllowed(Integer ACol, Integer ARow);
    void FollowEditability(Integer ACol, Integer ARow);
    void RepaintAfterSelect(Integer ACol, Integer ARow);
    // The value the open separate control would store; none for those that store nothing.
    std::optional<AnsiString> EditorValue();
    // The grid's control for the current editor type; nil for the in-place types and the edit link.
    TWinControl* EditorControl() const;
    void PrepareCombo(TCustomComboBox* Combo, const TEditorPlace& Place, bool List);
    Integer ComboDropWidth(TGridCombo* Combo);
    // Made with the grid at run time, hidden until a cell asks for them.
    TComponentRef<TGridCombo> comboEditor_;
    TComponentRef<TGridSpin> spinEditor_;
    TComponentRef<TGridUniEdit> uniEditor_;
    TComponentRef<TGridUniCombo> uniComboEditor_;
    TComponentRef<TGridCheckBox> checkBoxEditor_;
    TComponentRef<TGridEditBtn> buttonEditor_;
    TComponentRef<TGridUnitEditBtn> unitEditor_;
    TComponentRef<TGridButton> buttonCellEditor_;
    TComponentRef<TGridDatePicker> dateEditor_;
    void CreateEditorControls();
    // The editors call back into the grid from their messages: they go while the grid is still whole.
    void FreeEditorControls();
    void ShowEditLink(const TEditorPlace& Place, Integer ARealCol, Integer ARow, char StartChar);

    BaseGrid::TEditorType editorType_ = BaseGrid::edNormal;
    bool typeEditorShown_ = false;
    // HideCellEditor is under way: the focus it moves ends the edit too, and must not close it again.
    bool hidingCellEditor_ = false;
    AnsiString savedEditText_;
    // Set when a separate control opens; StoreCellEditor runs once for it.
    bool storePending_ = false;
    // The value the separate control was opened with: closing it with that value writes nothing.
    AnsiString openedValue_;
    bool forcedEdit_ = false;
    bool editSwitched_ = false;
    Integer defaultComboIndex_ = -1;
    Integer editMarginX_ = 0;
    Integer editMarginY_ = 0;
    bool caretAtClick_ = false;
    TComponentRef<TEditLink> editLink_;
    TComponentRef<TForm> popupForm_;  // owned as a component

private:
    // Row and column operations (ProGrid_RowOps*.cpp).
    // ARow, ARow + 1, ... ACount of them.
    static std::vector<Integer> RowRange(Integer ARow, Integer ACount);
    // Splits the ranges that a new row before ARow (column before ACol) would cut.
    void SplitRangesAtRow(Integer ARow);
    void SplitRangesAtCol(Integer ACol);
    // The one column change every hidden row's cells follow: lcInsert, lcDelete or lcMove of columns.
    void HiddenRowsColumnsChanged(const TGridLineChange& Change);
    // The columns' visibility and selection flags follow a column change the same way.
    void ColumnFlagsChanged(const TGridLineChange& Change);
    // The hidden rows behind the removed display rows (ascending) move up by those before them.
    void HiddenRowsRemovedAt(std::span<const Integer> Rows);
    // The row selection flags at Flags (ascending) go, the later ones moving up; inserted rows get cleared
    // flags at Places (ascending, in the grown list).
    void RowFlagsRemoved(std::span<const Integer> Flags);
    void RowFlagsInserted(std::span<const Integer> Places);
    // The selection flag of display row ARow: its real row's under RowSelectPersistent.
    Integer RowFlagIndex(Integer ARow) const;
    // A removal of every row leaves ARow, emptied and unflagged.
    void KeepEmptyRow(Integer ARow);
    // After rows went: the kept current row when it still lies among the data rows, else the last of them
    // (no selection without any).
    void RestoreCurrentRow(Integer KeptRow, Integer KeptTop);
    // The flag indices of display rows ARow .. ARow + ACount - 1 that go when they are removed (RealRows:
    // they leave the grid) or hidden.
    std::vector<Integer> RemovedRowFlags(Integer ARow, Integer ACount, bool RealRows) const;
    // Frees the controls ClearRect took out of their cells, once the messages under way are handled: the
    // grid posts itself this message.
    static constexpr UINT WM_FREECELLCONTROLS = WM_USER + 0x4C1;
    void FreeReleasedControls();
    struct TReleasedControls {
        TReleasedControls() = default;
        TReleasedControls(const TReleasedControls&) = delete;
        TReleasedControls& operator=(const TReleasedControls&) = delete;
        ~TReleasedControls() { Free(); }
        void Free();
        std::vector<TComponentRef<TControl>> Controls;
    };
    std::unique_ptr<ProObj::TIntList> mergeColumnList_ = std::make_unique<ProObj::TIntList>(0, 0);
    TReleasedControls releasedControls_;

public:
    // Cell decorations. The graphic and its type are those of the merged range's base cell; a cell
    // without a graphic is ctEmpty.
    virtual TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow);
    virtual TCellType GetCellType(Integer ACol, Integer ARow);
    // The borders OnGetCellBorder asks for, on the grid's canvas inside Rect (the cell's, lines included).
    void DrawCellBorders(Integer ACol, Integer ARow, TRect Rect);
    // Graphic of cell (ACol, ARow) in Rect, a graphic of GraphicWidth x GraphicHeight placed by its own
    // alignments beside the cell's text, which is aligned HAlign and VAlign. Selected bitmaps and glyphs
    // are keyed over the canvas's brush colour.
    void DrawCellGraphic(TCanvas* ACanvas, Integer ACol, Integer ARow, TCellGraphic* Graphic, const TRect& Rect,
                         Integer GraphicWidth, Integer GraphicHeight, TAlignment HAlign, BaseGrid::TVAlignment VAlign);
    void DrawCheck(TCanvas* ACanvas, const TRect& Rect, bool Checked, bool Enabled, TControlStyle Style);
    // Count entries (Texts may be nil: buttons only), entry Index selected (-1: none).
    void DrawRadioGroup(TCanvas* ACanvas, const TRect& Rect, Integer Count, TStrings* Texts, Integer Index,
                        bool Enabled, bool Horizontal);
    // The corner triangle of comment cells; clNone shows none.
    PROGRID_STORED(TColor, CommentColor, clRed)
public:
    TGridBorderPropEvent OnGetCellBorderProp;

    void Invalidate() override;
    // With IntegralHeight the height drops to whole default rows (scroll bar and border kept).
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TGridHintEvent OnGridHint;
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TIsFixedCellEvent OnIsFixedCell;
    TCanEditCellEvent OnCanEditCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    THasComboEvent OnHasComboBox;
    TGetEditorTypeEvent OnGetEditorType;
    TSelectionChanged OnSelectionChanged;
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    TEndRowSizeEvent OnEndRowSize;
    TCustomCellDrawEvent OnCustomCellDraw;
    TFloatFormatEvent OnGetFloatFormat;
    TCellsChangedEvent OnCellsChanged;
    TNotifyEvent OnRichEditSelectionChange;

    // Scrolling, panning and the wheel (ProGrid_Scroll*.cpp). Flat scroll bars come from the common
    // controls' entry points, looked up at each call; without them every flat-bar call does nothing.
    TScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TScrollType Value);
    // clNone leaves the flat bars' background alone.
    TColor ScrollColor() const { return scrollColor_; }
    void SetScrollColor(TColor Value);
    Integer ScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(Integer Value);
    bool ScrollProportional() const { return scrollProportional_; }
    void SetScrollProportional(bool Value);
    PROGRID_STORED(bool, ScrollSynch, false)
    PROGRID_STORED(TScrollHintType, ScrollHints, shNone)
    // The directions the middle button pans in.
    PROGRID_STORED(TIntelliPan, IntelliPan, ipVertical)
public:
    bool FlatScrollBarsActive() const { return flatScrollBars_; }
    void InitFlatScrollBars();
    void DoneFlatScrollBars();
    void ApplyScrollType();
    void ApplyScrollColor();
    void ApplyScrollWidth();
    void UpdateFlatScrollBars();
    void ShowFlatScrollBar(int Bar, bool Show);
    void SyncVertScrollBar();
    void SyncHorzScrollBar();
    // The window bars' thumbs sized to the share of the columns (rows) in view; a grid narrower than its
    // fixed part, or without scrollable columns, keeps its bars as they are.
    void UpdateProportionalHorz();
    void UpdateProportionalVert();
    // Every width and height grows by Delta where it stays above 0, while the zoom stays within -10..10.
    void IntelliZoomStep(Integer Delta);
    Integer ZoomLevel() const { return zoomLevel_; }
    bool Panning() const { return panning_; }
    // The pan origin's mark, drawn over the cells (and taken away) at once.
    void DrawPanOrigin();
    void InvalidatePanOrigin();
    // The row (column) the scroll hint names, "Row : n" ("Col : n"); OnScrollHint may change the text.
    TScrollHintEvent OnScrollHint;

    // Column sizing and persistence (ProGrid_ColSizing.cpp): "Col0", "Col1", ... in ColumnSize.Section of
    // the INI file or registry key ColumnSize.Key; nothing unless both are given.
    void SaveColWidths();
    void LoadColWidths();

    // Sizing to the content (ProGrid_AutoSize.cpp). Widths and heights stay within the limits below (0: none).
    // A column as wide as its widest text and graphic; with OnlyGrow it only grows. OnUpdateColumnSize has
    // the last word on the width.
    void AutoSizeCol(Integer ACol, bool OnlyGrow = false);
    // A row as high as its highest text (wrapped with WordWrap) and graphic.
    void AutoSizeRow(Integer ARow, bool OnlyGrow = false);
    // Lines lines of the canvas font's height plus Extra.
    void SizeRowToLines(Integer ARow, Integer Lines, Integer Extra);
    // 1, or with Multilinecells the most lines a shown cell of the row holds.
    Integer GetMaxLinesInRow(Integer ARow);
    // Every column (the fixed ones only with DoFixedCols) to its content, Padding wider.
    void AutoSizeColumns(bool DoFixedCols, Integer Padding);
    // The width a mouse sizing left, and the width the automatic sizing found: both go through
    // OnUpdateColumnSize, and the caller applies what comes back.
    virtual void UpdateColumnSize(Integer ACol, Integer& AWidth);
    virtual void UpdateAutoColumnSize(Integer ACol, Integer& AWidth);
    PROGRID_STORED(Integer, MinColWidth, 0)
    PROGRID_STORED(Integer, MaxColWidth, 0)
    PROGRID_STORED(Integer, MinRowHeight, 0)
    PROGRID_STORED(Integer, MaxRowHeight, 0)
public:
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    // The in-place edit's changes.
    TEditChangeEvent OnEditChange;

protected:
    TInplaceEdit* CreateEditor() override;

public:
    // The in-place edit the grid made, or nil.
    TProInplaceEdit* ProInplaceEdit() const;

private:
    friend class TProInplaceEdit;

protected:
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;

private:
    // True when the message was handled whole (the inherited window procedure must not see it).
    bool ScrollWindowMessage(TMessage& Message);
    void ScrollMessage(TMessage& Message, bool Vertical);
    void ShowScrollHint(bool Vertical, Integer Pos);
    // The thumb's position (0..127) as a first scrollable row (column).
    Integer ThumbCell(bool Vertical, Integer Pos);
    void UpdateProportional(bool Vertical);
    bool WheelMessageArrived(TMessage& Message);
    // Panning (ProGrid_ScrollPan.cpp): True for a message it used up.
    bool PanMessage(TMessage& Message);
    void StartPanning(const TMessage& Message);
    void EndPanning();
    void PanStep();
    void HideScrollHint();
    // Flat bars are active, the window exists and ScrollBars includes Bar.
    bool FlatScrollBarUsed(int Bar) const;
    void SetFlatScrollProp(UINT Index, Integer Value);
    void SyncFlatScrollBar(int Bar);
    bool StretchFollows() const;
    // WM_SIZE: True when the stretch answered it (the inherited handling and OnResize are skipped).
    bool SizeMessage(TMessage& Message);
    void ScaleColWidths(Integer NewWidth, Integer OldWidth);
    // Width and height changes made by Change come to ColWidthsChanged and RowHeightsChanged once each.
    void ChangeSizes(const std::function<void()>& Change);
    // Opens the store ColumnSize names; nullptr without Key and Section or while designing.
    std::unique_ptr<TCustomIniFile> OpenColWidthsStore();
    TScrollType scrollType_ = ssNormal;
    TColor scrollColor_ = clNone;
    Integer scrollWidth_ = 0;
    bool scrollProportional_ = false;
    bool flatScrollBars_ = false;
    bool scrollHintShown_ = false;
    Integer zoomLevel_ = 0;
    bool panning_ = false;
    TPoint panOrigin_{0, 0};
    HCURSOR panCursor_ = nullptr;
    HCURSOR panSavedCursor_ = nullptr;
    bool stretched_ = false;
    Integer prevClientWidth_ = 0;
    bool inSize_ = false;
    bool sizesHeld_ = false;
    bool colWidthsPending_ = false;
    bool rowHeightsPending_ = false;

public:
    // The mouse (ProGrid_Mouse*.cpp): presses, moves and releases over the cells, headers and controls.
    using TClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
    using TAnchorClickEvent =
        std::function<void(TObject* Sender, Integer ARow, Integer ACol, const AnsiString& Anchor, bool& AutoHandle)>;
    using TAnchorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const AnsiString& Anchor)>;
    using TAnchorHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, AnsiString& Anchor)>;
    using TClickSortEvent = std::function<void(TObject* Sender, Integer ACol)>;
    using TCanSortEvent = std::function<void(TObject* Sender, Integer ACol, bool& DoSort)>;
    using TColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
    using TEndColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol)>;
    using TLineMoveEvent = std::function<void(TObject* Sender, Integer AIndex, bool& Allow)>;
    using TSelectionResizeEvent =
        std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>;
    using TNodeClickEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)>;
    using TNodeAllowEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)>;
    using TControlEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const AnsiString& CtrlID,
                                             const AnsiString& CtrlType, const AnsiString& CtrlVal)>;
    // Edit (True on entry) allows free text; DropCount (8 on entry) is the drop-down's line count.
    using TControlComboListEvent = std::function<void(
        TObject* Sender, Integer ARow, Integer ACol, const AnsiString& CtrlID, const AnsiString& CtrlType,
        const AnsiString& CtrlVal, TStrings* Values, bool& Edit, Integer& DropCount)>;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnDblClickCell;
    TClickCellEvent OnRightClickCell;
    TClickSortEvent OnClickSort;
    TCanSortEvent OnCanSort;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioMouseUp;
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    TControlEvent OnControlClick;
    TControlEvent OnControlEditDone;
    TControlComboListEvent OnControlComboList;
    TColumnSizeEvent OnColumnSize;
    TEndColumnSizeEvent OnEndColumnSize;
    TLineMoveEvent OnColumnMove;
    TLineMoveEvent OnRowMove;
    TSelectionResizeEvent OnSelectionResize;
    TNodeClickEvent OnExpandNode;
    TNodeClickEvent OnContractNode;
    TNodeAllowEvent OnBeforeExpandNode;
    TNodeAllowEvent OnBeforeContractNode;
    // The data cell under the resting mouse becomes current (the timer's tick, where the grid can take the
    // focus); the setter repaints.
    bool Hovering() const { return hovering_; }
    void SetHovering(bool Value);
    PROGRID_STORED(bool, EnableBlink, false)
    PROGRID_STORED(bool, HintShowCells, false)
    PROGRID_STORED(bool, HintShowLargeText, false)
    PROGRID_STORED(bool, HintShowSizing, false)
    PROGRID_STORED(bool, HTMLHint, false)
    PROGRID_STORED(bool, AnchorHint, false)
    PROGRID_STORED(bool, URLEdit, false)
public:
    // 0 none, 1 a column's header, 2 a row's header, 3 the top-left cell, 5 the selection's corner handle.
    Byte CursorState() const { return cursorState_; }
    // The blink phase the timer flips; "<BLINK>" text shows in one phase only.
    bool BlinkPhase() const { return blinkPhase_; }
    // The header shown with the mouse while a row or column moves, or a column is dragged out; run time only.
    ProObj::TPopupButton* DragImage() const { return dragImage_; }
    // The cell list of MouseActions.DisjunctCellSelect: (column, row) pairs.
    const std::vector<TGridCoord>& DisjunctCells() const { return disjunctCells_; }
    // The anchor under the mouse (OnAnchorEnter fired for it), "" when none.
    const AnsiString& CurrentAnchor() const { return currentAnchor_; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;

private:
    // True for a message answered whole (the base grid must not see it).
    bool MouseMessage(TMessage& Message);
    bool LeftButtonDown(TMessage& Message);
    void NoteSizingStart(Integer X, Integer Y);
    void FollowMouseSizing(bool Columns);
    bool LeftPressOnCell(TMessage& Message, Integer X, Integer Y);
    bool PressMayStartOleDrag(Integer ACol, Integer ARow, Integer X);
    // A pending drag whose mouse has moved far enough from the press.
    bool OleDragDue(Integer X, Integer Y) const;
    bool PressOnControls(Integer X, Integer Y);
    bool PressOnAnchor(Integer X, Integer Y);
    void LeftButtonUp(TMessage& Message);
    void EndPress();
    void ReleaseFixedCell();
    void EndPressTakenByDrag();
    void ReleaseEnds(TGridCoord Cell);
    bool ClickPendingCell();
    void HeaderClickSort(Integer ACol, Integer X, Integer Y, TShiftState Shift);
    void DoubleClick(TMessage& Message);
    bool RightButton(TMessage& Message);
    void SetCursorMessage(TMessage& Message);
    void HintShowMessage(TMessage& Message);
    void TimerMessage();
    // The HTML hit test of a cell at client point X, Y: True on an anchor or a form control.
    bool CellAnchorAt(Integer ACol, Integer ARow, Integer X, Integer Y, AnsiString& Anchor, TRect& ControlRect,
                      AnsiString& ControlID, AnsiString& ControlType, AnsiString& ControlValue);
    void FollowAnchor(const AnsiString& Anchor);
    void SelectRadioAt(Integer ACol, Integer ARow, Integer X, Integer Y);
    void EditFormControl(Integer ACol, Integer ARow, const TRect& ControlRect);
    void CommitFormControl();
    void OpenFixedCellEditor(Integer ACol, Integer ARow);
    void FixedCellEditOn(Integer ACol, Integer ARow, TMouseButton Button, TGridFixedCellEdit How);
    void ExtendHeaderSelection(Integer X, Integer Y);
    void MoveWithImage(Integer X, Integer Y);
    void ShowHeaderImage(const AnsiString& Caption, TPoint Screen, Integer Width, Integer Height);
    void ShowArrowAt(Integer Direction, TPoint Screen);
    void TrackAnchor(Integer ACol, Integer ARow, Integer X, Integer Y);
    void ShowSizingHint(Integer X, Integer Y);
    void UpdateCursorState(Integer X, Integer Y);
    bool OnFixedColBorder(Integer X, Integer Y, Integer& ACol) const;
    void ToggleDisjunctCell(const TGridCoord& Cell);
    void CloseEditor();
    void HideDragImage();
    TGridCoord CellAt(Integer X, Integer Y) const;

    // The grid's own window timer: hover and blinking text.
    static constexpr UINT HoverTimerID = 111;
    TComponentRef<ProObj::TPopupButton> dragImage_;  // owned as a component; run time only
    Byte cursorState_ = 0;
    bool buttonDown_ = false;
    TGridCoord downCell_{-1, -1};
    TPoint downPoint_{0, 0};
    TPoint downSize_{0, 0};
    TPoint borderOffset_{0, 0};
    Integer downLeftCol_ = 0;
    Integer moveStart_ = -1;
    bool dragPending_ = false;
    bool fillPending_ = false;
    TGridRect fillOrigin_{};
    TGridCoord pressedButton_{-1, -1};
    TGridCoord pressedFormButton_{-1, -1};
    TGridCoord pressedFixedCell_{-1, -1};
    TGridCoord formControlCell_{-1, -1};
    AnsiString formControlID_, formControlType_;
    bool fixedSizingHot_ = false, fixedSizingActive_ = false;
    Integer fixedSizingCol_ = -1, fixedSizingX_ = 0;
    Integer sizedCol_ = -1, sizedRow_ = -1;
    bool colSizedByMouse_ = false, rowSizedByMouse_ = false;
    bool moveHappened_ = false;
    bool skipSort_ = false;
    bool settingCursor_ = false;
    bool sizingHintShown_ = false;
    TGridCoord hintCell_{-1, -1};
    AnsiString currentAnchor_;
    bool blinkPhase_ = false;
    std::vector<TGridCoord> disjunctCells_;
    TGridRect lastSelection_{};
    bool hovering_ = false;

public:
protected:
    void CreateWnd() override;
    void Loaded() override;
    void UpdateFooter() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    // Every move of the current cell: the footer's rule, the change events (a refusal keeps the cell), the
    // open editor closed and committed, repaints, and OnRowUpdate for a move to another row.
    bool SelectCell(Integer ACol, Integer ARow) override;
    void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
    void GetCellDrawInfo(Integer ACol, Integer ARow, TGridDrawState& AState, TAlignment& HAlign,
                         BaseGrid::TVAlignment& VAlign, TFont* AFont, TColor& ColorTo, TBrush* ABrush, bool RealColumn,
                         bool Selectable, bool Printing) override;

private:
    // Painting steps (ProGrid_Paint*.cpp).
    void PaintFixedLook(TCellPaint& Cell, const TRect& Rect);
    void PaintFixedEdges(const TCellPaint& Cell, const TRect& Rect);
    void PaintFixedLines(const TCellPaint& Cell, const TRect& Rect);
    void DrawCellContent(TCellPaint& Cell, TRect Rect);
    void DrawBackGround(TCellPaint& Cell, const TRect& Rect);
    void DrawSelectionFrame(const TCellPaint& Cell, const TRect& Rect);
    void DrawPlainText(TCellPaint& Cell, TRect Rect, AnsiString Text);
    void DrawHTMLText(TCellPaint& Cell, TRect Rect, const AnsiString& Text);
    void DrawWideText(TCellPaint& Cell, TRect Rect, const AnsiString& Text);
    void DrawRichText(TCellPaint& Cell, const TRect& Rect, const AnsiString& Text);
    // Loads Text (RTF, or shown as it is) into RichEdit; the converter's loads come from documents
    // already read for the same text.
    void LoadRichText(const AnsiString& Text, TCustomRichEdit* RichEdit);
    std::unordered_map<AnsiString, TRichText> richTextCache_;
    bool IsSortHeader(Integer ARealCol, Integer ARow);
    Integer SortIndicatorY(const TCellPaint& Cell, const TRect& Rect) const;
    void DrawSortIndicator(TCanvas* ACanvas, Integer X, Integer Y, Integer ARealCol);
    void TrackHeaderMouse(const TMessage& Message);
    TGridCoord hotCell_{-1, -1};  // the fixed cell under the mouse in the themed list-view look
    bool mousePressed_ = false;

protected:
    // The next Invalidate does nothing (once).
    void SuppressNextInvalidate() { suppressInvalidate_ = true; }
    // Part and State of theme class ClassName over Rect on ACanvas, with the themed look only; False when
    // nothing was drawn.
    bool DrawThemed(TCanvas* ACanvas, const char16_t* ClassName, int Part, int State, const TRect& Rect);
    // The target DragDropSettings.OleDropTarget registers for the window (a new object, or nil).
    virtual IDropTarget* CreateDropTarget();

    // Whole-row changes that keep the hidden rows' Idx as they are. The removal takes display rows ARow
    // (0 <= ARow < RowCount) on, at most those there are; AdjustHidden moves the Idx of the hidden rows
    // behind them along. The insertion puts ACount empty rows before display row ARow (RowCount: after
    // the last). Each reports the rows it changed once its update bracket is closed.
    void RemoveRowsInternal(Integer ARow, Integer ACount, bool AdjustHidden);
    void InsertRowsInternal(Integer ARow, Integer ACount);
    // Display rows ARow .. ARow + ACount - 1 went: the hidden rows behind them move up as many of those
    // rows as lay before them.
    void HiddenRowsRemoved(Integer ARow, Integer ACount);

private:
    friend class TFloatingFooter;
    friend class TFooterPanel;
    friend class TDragDropSettings;
    friend class TGridDropTarget;
    friend class TGridDropSource;
    // The drop target's work (ProGrid_DragDropTarget.cpp): Pt on the screen; Effect as the keys ask, lowered
    // to a copy or none when the drop did less than a move.
    void OleDropText(TPoint Pt, const AnsiString& Text, DWORD& Effect);
    void OleDropCol(TPoint Pt, Integer DropCol, DWORD& Effect);
    void OleDropRTF(TPoint Pt, const AnsiString& RTF, DWORD& Effect);
    void OleDropFiles(TPoint Pt, TStrings* Files, DWORD& Effect);
    void OleDragOver(TPoint Pt, bool& Allow, bool ColumnDrag);
    // How many cells of the block from (ACol, ARow), within the grid, take a paste.
    Integer EditableCells(Integer ACol, Integer ARow, Integer Cols, Integer Rows);
    // A cell drag's end after a move: what was dragged goes, bar what the drop wrote into this grid.
    void RemoveDraggedCells();
    TGridRect dragSourceRect_{-1, -1, -1, -1};
    bool draggingOut_ = false;
    // A column dragged out by its header: the header's image hangs below the cursor.
    bool draggingColumn_ = false;
    void PlaceColumnDragImage(TPoint Cursor);
    TGridRect dropWritten_{-1, -1, -1, -1};  // what a drop into the grid wrote during its own drag
    // Registration follows the setting and the window: made while on and the window exists, revoked when
    // turned off (the target freed too) and when the window goes (the target kept for the next one).
    void OleDropTargetChanged();
    void RegisterDropTarget();
    void RevokeDropTarget();
    struct TFormResizeLink;
    struct TFormResizeHandler;
    // Follows the owning form's size; chained into the form's OnResize.
    void SizeWithForm(TObject* Sender);
    void UnchainFormResize();
    template <typename T>
    T* HiddenOnGrid(T* Editor);
    // The pieces of DrawCellGraphic: At is where the graphic's own size places it in Rect.
    void DrawCellCheck(TCanvas* ACanvas, Integer ACol, Integer ARow, const TCellGraphic& Graphic, const TRect& Rect,
                       const TRect& At, const AnsiString& Text, Integer TextWidth, TAlignment HAlign, bool Enabled);
    void DrawCellNode(TCanvas* ACanvas, Integer ARow, const TCellGraphic& Graphic, const TRect& Rect);
    void DrawCellProgress(TCanvas* ACanvas, const TCellGraphic& Graphic, const TRect& Rect, Integer Percent);
    void DrawCellButton(TCanvas* ACanvas, TCellGraphic& Graphic, const TRect& Rect, const TRect& At);
    void DrawCellRotated(TCanvas* ACanvas, const TCellGraphic& Graphic, const TRect& Rect, const AnsiString& Text,
                         TAlignment HAlign, BaseGrid::TVAlignment VAlign);
    void DrawRadioButton(TCanvas* ACanvas, Integer X, Integer Y, Integer Size, bool Selected, bool Enabled);
    // Writes the entries of ColumnHeaders into row 0 and those of RowHeaders into column 0.
    void ApplyColumnHeaders();
    void ApplyRowHeaders();
    void CheckSelectRow(Integer ARow) const;
    void CheckSelectCol(Integer ACol) const;

    std::unique_ptr<TPrintSettings> printSettings_;
    std::unique_ptr<THTMLSettings> htmlSettings_;
    std::unique_ptr<TSortSettings> sortSettings_;
    std::unique_ptr<TDragDropSettings> dragDropSettings_;
    std::unique_ptr<TControlLook> controlLook_;
    std::unique_ptr<TNavigation> navigation_;
    std::unique_ptr<TColumnSize> columnSize_;
    std::unique_ptr<TCellNode> cellNode_;
    std::unique_ptr<TBands> bands_;
    std::unique_ptr<TSizeWhileTyping> sizeWhileTyping_;
    std::unique_ptr<TMouseActions> mouseActions_;
    std::unique_ptr<TGrouping> grouping_;
    std::unique_ptr<TBackGround> backGround_;
    std::unique_ptr<TFloatingFooter> floatingFooter_;
    TComponentRef<TFooterPanel> footerPanel_;  // owned as a component of the grid
    std::unique_ptr<TFont> fixedFont_, activeCellFont_;
    std::unique_ptr<TStringList> columnHeaders_, rowHeaders_, lookupItems_;
    std::unique_ptr<ProObj::TIntList> rowOrderList_;
    std::unique_ptr<ProObj::TSortIndexList> sortIndexes_;
    std::unique_ptr<TBitmap> rowIndicator_;
    std::unique_ptr<THiddenRowList> hiddenRows_;
    std::unique_ptr<TFilter> filter_;
    std::unique_ptr<ProObj::TControlList> controlList_;
    std::unique_ptr<::PictureContainer::THTMLPictureCache> pictureCache_;
    TComponentRef<THTMLHintWindow> hintWindow_;                  // owned as a component
    std::array<TComponentRef<ProObj::TArrowWindow>, 4> arrows_;  // owned as components; run time only
    TComponentRef<ProObj::TPopupButton> popupButton_;            // likewise
    TComponentRef<TProRichEdit> richEdit_, inplaceRichEdit_;     // owned as components
    TComponentRef<TGridTransEdit> transEdit_;                    // run time only
    TComponentRef<TControlEdit> controlEdit_;
    TComponentRef<TControlCombo> controlCombo_;
    TComponentRef<grdcheck::RAdeRedeviDidiCheck> cellChecker_;
    ComPtr<IDropTarget> dropTarget_;
    bool dropRegistered_ = false;

    TColor gradientFrom_ = clWhite;
    TColor gradientTo_ = clBtnFace;
    std::array<bool, MaxVisibleFlagColumn + 1> columnVisible_;
    Integer hiddenColCount_ = 0;
    Integer requestedFixedRows_ = 0;
    Integer footerHeight_ = 0;
    TGridCoord lastScrollPos_;
    bool fixedAsNormal_ = true;
    bool themedLook_ = false;
    bool commonControls6_ = false;
    UINT wheelMessage_ = 0;
    Integer wheelScrollLines_ = 0;
    bool suppressInvalidate_ = false;
    // Accessor values.
    TColor urlColor_ = static_cast<TColor>(0xFF0000);
    bool urlShow_ = false;
    bool urlFull_ = false;
    TGridLook look_ = glXP;
    Integer fixedFooters_ = 0;
    Integer fixedRightCols_ = 0;
    Integer fixedRowHeight_ = 21;
    bool wordWrap_ = true;
    TColor selectionColor_ = static_cast<TColor>(0xEACAB6);
    TColor selectionTextColor_ = clBlack;
    bool selectionRectangle_ = false;
    bool selectionResizer_ = false;
    Integer maxEditLength_ = 0;
    bool showSelection_ = true;
    BaseGrid::TVAlignment vAlignment_ = BaseGrid::vtaTop;
    UINT vAlignmentFlag_ = DT_TOP;
    bool autoSize_ = false;
    bool flat_ = false;
    TGridRect savedSelection_{};
    bool selectionHidden_ = false;
    // Filtering.
    struct TAppliedFilter;
    bool filterActive_ = false;
    Integer filterFixedRows_ = 0;
    const TAppliedFilter* appliedFilter_ = nullptr;  // the conditions read once while ApplyFilter runs
    void FilterFooterRefresh();
    // Update lock, notifiers and whole-row changes.
    class TWholeRowChange;
    // The held paint messages: none while locked, and no erasing (the grid paints its whole surface).
    bool HoldsPaintMessage(TMessage& Message);
    // Takes display rows ARow .. out as RemoveRowsInternal removes them; Keep gets them before the change
    // is reported (nil: they go).
    void TakeRowsOut(Integer ARow, Integer ACount, bool AdjustHidden,
                     const std::function<void(TGridTakenRows&&)>& Keep);
    // Takes the display rows Rows (ascending) out and puts taken rows back at the display rows Places
    // (ascending), under the same bracket; neither reports the change.
    TGridTakenRows TakeRowsAt(std::span<const Integer> Rows);
    void PutRowsBack(std::span<const Integer> Places, TGridTakenRows&& Rows);
    // Hidden rows.
    // The real indices of the display rows given (ascending), in one walk.
    std::vector<Integer> RealRowIndices(std::span<const Integer> DisplayRows) const;
    // Rows taken out become hidden rows with the real indices given, of Columns cells each.
    void KeepHidden(std::span<const Integer> RealRows, TGridTakenRows&& Taken, Integer Columns);
    // Takes the cells and heights of the hidden items at Positions (ascending), with the display rows they
    // go back to while the items before them not taken stay hidden; the items are freed.
    TGridTakenRows TakeHidden(std::span<const Integer> Positions);
    // Puts the taken hidden rows back and reports them.
    void RestoreHidden(TGridTakenRows&& Rows);
    Integer updateCount_ = 0;
    std::vector<TComponentRef<TGridChangeNotifier>> notifiers_;
    // Footers: brackets are counted with or without a window, and a recalculation asked for inside one
    // runs once when the outermost closes.
    Integer footerHold_ = 0;
    bool footerPending_ = false;
    void RecalcHeldFooters();
    // The footer panel fills the cells' backgrounds itself: text goes over them.
    bool paintingFooter_ = false;
    TCursor savedCursor_ = crDefault;
    bool showZeroDates_ = true;
    // Clipboard.
    // The selection grown so that the merged ranges at its corners lie wholly inside.
    TGridRect MergedSelection();
    // The text paste: fields of Text from (ACol, ARow) on; the number of fields read.
    Integer PasteText(Integer ACol, Integer ARow, const WideString& Text);
    // Offers a field to the paste events and writes it when allowed; Wide: it goes as a wide cell.
    void PasteField(Integer ACol, Integer ARow, AnsiString Field, bool Wide, bool Offer);
    // Smart fill of the selection from its first cells after N fields were pasted.
    void FillSelection(const TGridRect& ASel, Integer N);
    bool MayPasteInto(Integer ACol, Integer ARow);
    // A cell's text as the copy takes it; True, with Wide set, for a cell holding wide text.
    bool ClipboardCopyText(Integer ACol, Integer ARow, AnsiString& Text, WideString& Wide);
    // The identity of this grid in the grid's own format: process and window.
    Integer ClipboardID();
    TPoint copyOrigin_{-1, -1};
    bool copied_ = false;
    // Grown on demand; entries past the end are False.
    std::vector<bool> rowSelect_, colSelect_;
    Integer lastReportedRow_ = Row();
    // The owning form's resize chain: the link outlives the grid when another handler was chained after ours.
    TCustomForm* ownerForm_ = nullptr;  // an owner outlives what it owns
    std::shared_ptr<TFormResizeLink> formLink_;
    Integer formWidth_ = 0;
    Integer formHeight_ = 0;
    // Sorting (ProGrid_Sort*.cpp).
    class TSortFrame;
    class TCellComparer;
    // Row i takes row Order[i] (Order a permutation of the rows) with everything that moves with a sorted
    // row: its entry of RowOrderList, its selection flag, the remembered current row; only SortSettings
    // .Column's cells under SortSettings.SingleColumn, all but column 0's texts under NormalCellsOnly.
    void MoveSortedRows(const std::vector<Integer>& Order);
    // Splits the merged ranges with a cell in a row First..Last that Order moves, and that would not move
    // whole with it: those over more than one row, or (Column >= 0) every range of Column's cells.
    void SplitRangesOverRows(const std::vector<Integer>& Order, Integer First, Integer Last, Integer Column);
    void MoveRowSelectFlags(const std::vector<Integer>& Order, Integer First, Integer Last);
    // RowOrderList as 0, 1, .. unless it has an entry for every row.
    void StartRowOrder();
    // A stable key for an image object: the order in which the sorts met it.
    Integer ImageSerial(const TObject* Image);
    Integer sortRememberedRow_ = -1;
    bool sorting_ = false;
    std::unordered_map<const TObject*, Integer> imageSerials_;
};

// The file version of a library as its most significant double word (major high, minor low); -1 without
// version information.
Integer GetFileVersion(const AnsiString& AFileName);

// Unit-wide values, set by the unit's start-up.
bool CommonControlsFlag();
UINT GridClipboardFormat();
// Shown over links: 8009 until a grid's Loaded makes it crHandPoint.
TCursor LinkCursor();
void SetLinkCursor(TCursor Value);

}  // namespace ProGrid
