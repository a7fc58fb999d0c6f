// The grid's settings objects, the cell graphic, the hidden-row item and the filter, with the tables that
// publish them to form descriptions.
#include <algorithm>
#include <cmath>

#include "ProGrid.h"
#include "grddd.h"

namespace ProGrid {

namespace {

template <typename C>
void PublishBitmap(TPublishOf<C>& P, const char* Name, TBitmap* (C::*Get)() const) {
    P.Object(Name, Get);
}

void PublishTCellNode(TPublisher& p) {
    TPublishOf<TCellNode> P(p);
    using C = TCellNode;
    P.IntIdent("Color", &C::Color, &C::SetColor, &IdentToColor);
    P.Bool("ExpandOne", &C::ExpandOne, &C::SetExpandOne);
    P.Enum<TNodeType>("NodeType", &C::NodeType, &C::SetNodeType,
                      {{"cnFlat", cnFlat}, {"cn3D", cn3D}, {"cnGlyph", cnGlyph}, {"cnLeaf", cnLeaf}, {"cnXP", cnXP}});
    P.IntIdent("NodeColor", &C::NodeColor, &C::SetNodeColor, &IdentToColor);
    P.Int("NodeIndent", &C::NodeIndent, &C::SetNodeIndent);
    PublishBitmap(P, "ExpandGlyph", &C::ExpandGlyph);
    PublishBitmap(P, "ContractGlyph", &C::ContractGlyph);
    P.Bool("ShowTree", &C::ShowTree, &C::SetShowTree);
    P.IntIdent("TreeColor", &C::TreeColor, &C::SetTreeColor, &IdentToColor);
}

void PublishTSizeWhileTyping(TPublisher& p) {
    TPublishOf<TSizeWhileTyping> P(p);
    P.Bool("Height", &TSizeWhileTyping::Height, &TSizeWhileTyping::SetHeight);
    P.Bool("Width", &TSizeWhileTyping::Width, &TSizeWhileTyping::SetWidth);
}

const TEnumNames<TGridFixedCellEdit>& FixedCellEditNames() {
    static const TEnumNames<TGridFixedCellEdit> names{{"fceNone", fceNone},
                                                      {"fceDblClick", fceDblClick},
                                                      {"fceLeftClick", fceLeftClick},
                                                      {"fceRightClick", fceRightClick}};
    return names;
}

void PublishTMouseActions(TPublisher& p) {
    TPublishOf<TMouseActions> P(p);
    using C = TMouseActions;
#define PROGRID_PUBLISH_FALSE_FLAG(Name) P.Bool(#Name, &C::Name, &C::Set##Name);
    PROGRID_MOUSE_ACTIONS(PROGRID_PUBLISH_FALSE_FLAG)
    P.Bool("DisjunctRowSelect", &C::DisjunctRowSelect, &C::SetDisjunctRowSelect);
    P.Bool("DisjunctColSelect", &C::DisjunctColSelect, &C::SetDisjunctColSelect);
    P.Bool("DisjunctCellSelect", &C::DisjunctCellSelect, &C::SetDisjunctCellSelect);
    P.Enum<TGridFixedCellEdit>("FixedRowsEdit", &C::FixedRowsEdit, &C::SetFixedRowsEdit, FixedCellEditNames());
    P.Enum<TGridFixedCellEdit>("FixedColsEdit", &C::FixedColsEdit, &C::SetFixedColsEdit, FixedCellEditNames());
}

void PublishTColumnSize(TPublisher& p) {
    TPublishOf<TColumnSize> P(p);
    using C = TColumnSize;
    P.Bool("Save", &C::Save, &C::SetSave);
    P.Str("Key", &C::Key, &C::SetKey);
    P.Str("Section", &C::Section, &C::SetSection);
    P.Bool("Stretch", &C::Stretch, &C::SetStretch);
    P.Int("StretchColumn", &C::StretchColumn, &C::SetStretchColumn);
    P.Bool("SynchWithGrid", &C::SynchWithGrid, &C::SetSynchWithGrid);
    P.Enum<TColumnSizeLocation>("Location", &C::Location, &C::SetLocation,
                                {{"clRegistry", clRegistry}, {"clIniFile", clIniFile}});
}

void PublishTNavigation(TPublisher& p) {
    TPublishOf<TNavigation> P(p);
    using C = TNavigation;
#define PROGRID_PUBLISH_FLAG(Name, Default) P.Bool(#Name, &C::Name, &C::Set##Name);
    PROGRID_NAVIGATION_FLAGS(PROGRID_PUBLISH_FLAG)
    const TEnumNames<TAdvanceDirection> directions{{"adLeftRight", adLeftRight}, {"adTopBottom", adTopBottom}};
    P.Enum<TAdvanceDirection>("AdvanceDirection", &C::AdvanceDirection, &C::SetAdvanceDirection, directions);
    P.Enum<TAdvanceDirection>("TabAdvanceDirection", &C::TabAdvanceDirection, &C::SetTabAdvanceDirection, directions);
    P.Enum<TInsertPosition>("InsertPosition", &C::InsertPosition, &C::SetInsertPosition,
                            {{"pInsertBefore", pInsertBefore}, {"pInsertAfter", pInsertAfter}});
    P.Enum<THomeEndAction>("HomeEndKey", &C::HomeEndKey, &C::SetHomeEndKey,
                           {{"heFirstLastColumn", heFirstLastColumn}, {"heFirstLastRow", heFirstLastRow}});
}

void PublishTHTMLSettings(TPublisher& p) {
    TPublishOf<THTMLSettings> P(p);
    using C = THTMLSettings;
    P.Int("BorderSize", &C::BorderSize, &C::SetBorderSize);
    P.Int("CellSpacing", &C::CellSpacing, &C::SetCellSpacing);
    P.Int("CellPadding", &C::CellPadding, &C::SetCellPadding);
    P.Bool("SaveColor", &C::SaveColor, &C::SetSaveColor);
    P.Bool("SaveFonts", &C::SaveFonts, &C::SetSaveFonts);
    P.Str("FooterFile", &C::FooterFile, &C::SetFooterFile);
    P.Str("HeaderFile", &C::HeaderFile, &C::SetHeaderFile);
    P.Str("TableStyle", &C::TableStyle, &C::SetTableStyle);
    P.Str("PrefixTag", &C::PrefixTag, &C::SetPrefixTag);
    P.Str("SuffixTag", &C::SuffixTag, &C::SetSuffixTag);
    P.Int("Width", &C::Width, &C::SetWidth);
    P.Bool("XHTML", &C::XHTML, &C::SetXHTML);
}

void PublishTPrintSettings(TPublisher& p) {
    TPublishOf<TPrintSettings> P(p);
    using C = TPrintSettings;
#define PROGRID_PUBLISH_INT(Name) P.Int(#Name, &C::Name, &C::Set##Name);
#define PROGRID_PUBLISH_TEXT(Name) P.Str(#Name, &C::Name, &C::Set##Name);
#define PROGRID_PUBLISH_POSITION(Name) P.Enum<TPrintPosition>(#Name, &C::Name, &C::Set##Name, positions);
    const TEnumNames<TPrintPosition> positions{{"ppNone", ppNone},
                                               {"ppTopLeft", ppTopLeft},
                                               {"ppTopRight", ppTopRight},
                                               {"ppTopCenter", ppTopCenter},
                                               {"ppBottomLeft", ppBottomLeft},
                                               {"ppBottomRight", ppBottomRight},
                                               {"ppBottomCenter", ppBottomCenter}};
    PROGRID_PRINT_SIZES(PROGRID_PUBLISH_INT)
    PROGRID_PRINT_POSITIONS(PROGRID_PUBLISH_POSITION)
    PROGRID_PRINT_TEXTS(PROGRID_PUBLISH_TEXT)
    PROGRID_PRINT_FLAGS(PROGRID_PUBLISH_FLAG)
    P.Str("DateFormat", &C::DateFormat, &C::SetDateFormat);
    P.Str("PageNumSep", &C::PageNumSep, &C::SetPageNumSep);
    P.Object("TitleLines", &C::TitleLines);
    P.Object("Font", &C::Font);
    P.Object("FixedFont", &C::FixedFont);
    P.Object("HeaderFont", &C::HeaderFont);
    P.Object("FooterFont", &C::FooterFont);
    P.Enum<TPrintBorders>("Borders", &C::Borders, &C::SetBorders,
                          {{"pbNoborder", pbNoborder},
                           {"pbSingle", pbSingle},
                           {"pbDouble", pbDouble},
                           {"pbVertical", pbVertical},
                           {"pbHorizontal", pbHorizontal},
                           {"pbAround", pbAround},
                           {"pbAroundVertical", pbAroundVertical},
                           {"pbAroundHorizontal", pbAroundHorizontal},
                           {"pbCustom", pbCustom}});
    P.Enum<TPenStyle>("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, PenStyleNames());
    P.Enum<TPrinterOrientation>("Orientation", &C::Orientation, &C::SetOrientation,
                                {{"poPortrait", poPortrait}, {"poLandscape", poLandscape}});
    P.Enum<TFitToPage>("FitToPage", &C::FitToPage, &C::SetFitToPage,
                       {{"fpNever", fpNever},
                        {"fpGrow", fpGrow},
                        {"fpShrink", fpShrink},
                        {"fpAlways", fpAlways},
                        {"fpCustom", fpCustom}});
}

void PublishTSortSettings(TPublisher& p) {
    TPublishOf<TSortSettings> P(p);
    using C = TSortSettings;
    const TEnumNames<TSortDirection> directions{{"sdAscending", sdAscending}, {"sdDescending", sdDescending}};
    P.Bool("AutoSortForGrouping", &C::AutoSortForGrouping, &C::SetAutoSortForGrouping);
    P.Bool("AutoColumnMerge", &C::AutoColumnMerge, &C::SetAutoColumnMerge);
    P.Int("Column", &C::Column, &C::SetColumn);
    P.Bool("Show", &C::Show, &C::SetShow);
    P.Bool("IndexShow", &C::IndexShow, &C::SetIndexShow);
    P.IntIdent("IndexColor", &C::IndexColor, &C::SetIndexColor, &IdentToColor);
    P.Bool("Full", &C::Full, &C::SetFull);
    P.Bool("SingleColumn", &C::SingleColumn, &C::SetSingleColumn);
    P.Bool("IgnoreBlanks", &C::IgnoreBlanks, &C::SetIgnoreBlanks);
    P.Enum<TSortBlankPosition>("BlankPos", &C::BlankPos, &C::SetBlankPos, {{"blFirst", blFirst}, {"blLast", blLast}});
    P.Bool("AutoFormat", &C::AutoFormat, &C::SetAutoFormat);
    P.Enum<TSortDirection>("Direction", &C::Direction, &C::SetDirection, directions);
    P.Enum<TSortDirection>("InitSortDirection", &C::InitSortDirection, &C::SetInitSortDirection, directions);
    PublishBitmap(P, "UpGlyph", &C::UpGlyph);
    PublishBitmap(P, "DownGlyph", &C::DownGlyph);
    PublishBitmap(P, "IndexUpGlyph", &C::IndexUpGlyph);
    PublishBitmap(P, "IndexDownGlyph", &C::IndexDownGlyph);
    P.Bool("FixedCols", &C::FixedCols, &C::SetFixedCols);
    P.Bool("NormalCellsOnly", &C::NormalCellsOnly, &C::SetNormalCellsOnly);
    P.Bool("UndoSort", &C::UndoSort, &C::SetUndoSort);
    P.Int("Row", &C::Row, &C::SetRow);
}

void PublishTControlLook(TPublisher& p) {
    TPublishOf<TControlLook> P(p);
    using C = TControlLook;
#define PROGRID_PUBLISH_GLYPH(Name, Field) PublishBitmap(P, #Name, &C::Name);
    PROGRID_LOOK_GLYPHS(PROGRID_PUBLISH_GLYPH)
    P.IntIdent("Color", &C::Color, &C::SetColor, &IdentToColor);
    P.Int("CheckSize", &C::CheckSize, &C::SetCheckSize);
    P.Int("RadioSize", &C::RadioSize, &C::SetRadioSize);
    P.Enum<TControlStyle>("ControlStyle", &C::ControlStyle, &C::SetControlStyle,
                          {{"csClassic", csClassic},
                           {"csFlat", csFlat},
                           {"csWinXP", csWinXP},
                           {"csBorland", csBorland},
                           {"csZub", csZub},
                           {"csGlyph", csGlyph},
                           {"csTheme", csTheme}});
    P.Bool("DropDownAlwaysVisible", &C::DropDownAlwaysVisible, &C::SetDropDownAlwaysVisible);
    P.Bool("FlatButton", &C::FlatButton, &C::SetFlatButton);
    P.Bool("NoDisabledCheckRadioLook", &C::NoDisabledCheckRadioLook, &C::SetNoDisabledCheckRadioLook);
    P.Bool("ProgressXP", &C::ProgressXP, &C::SetProgressXP);
    P.Int("ProgressMarginX", &C::ProgressMarginX, &C::SetProgressMarginX);
    P.Int("ProgressMarginY", &C::ProgressMarginY, &C::SetProgressMarginY);
}

void PublishTBackGround(TPublisher& p) {
    TPublishOf<TBackGround> P(p);
    using C = TBackGround;
    P.Int("Top", &C::Top, &C::SetTop);
    P.Int("Left", &C::Left, &C::SetLeft);
    P.Enum<TBackGroundDisplay>("Display", &C::Display, &C::SetDisplay, {{"bdTile", bdTile}, {"bdFixed", bdFixed}});
    PublishBitmap(P, "Bitmap", &C::Bitmap);
    P.Enum<TBackGroundCells>("Cells", &C::Cells, &C::SetCells,
                             {{"bcNormal", bcNormal}, {"bcFixed", bcFixed}, {"bcAll", bcAll}});
}

void PublishTBands(TPublisher& p) {
    TPublishOf<TBands> P(p);
    using C = TBands;
    P.Bool("Active", &C::Active, &C::SetActive);
    P.IntIdent("PrimaryColor", &C::PrimaryColor, &C::SetPrimaryColor, &IdentToColor);
    P.Int("PrimaryLength", &C::PrimaryLength, &C::SetPrimaryLength);
    P.IntIdent("SecondaryColor", &C::SecondaryColor, &C::SetSecondaryColor, &IdentToColor);
    P.Int("SecondaryLength", &C::SecondaryLength, &C::SetSecondaryLength);
    P.Bool("Print", &C::Print, &C::SetPrint);
}

void PublishTGrouping(TPublisher& p) {
    TPublishOf<TGrouping> P(p);
    using C = TGrouping;
#define PROGRID_PUBLISH_COLOR(Name) P.IntIdent(#Name, &C::Name, &C::Set##Name, &IdentToColor);
    PROGRID_GROUP_COLORS(PROGRID_PUBLISH_COLOR)
    P.Bool("MergeHeader", &C::MergeHeader, &C::SetMergeHeader);
    P.Bool("MergeSummary", &C::MergeSummary, &C::SetMergeSummary);
    P.Bool("Summary", &C::Summary, &C::SetSummary);
}

void PublishTDragDropSettings(TPublisher& p) {
    TPublishOf<TDragDropSettings> P(p);
    using C = TDragDropSettings;
    PROGRID_DRAG_FLAGS(PROGRID_PUBLISH_FLAG)
    P.Bool("OleDropTarget", &C::OleDropTarget, &C::SetOleDropTarget);
    P.Bool("OleDropRTF", &C::OleDropRTF, &C::SetOleDropRTF);
}

// The graphic's values as the grid's own clipboard format carries them; its objects travel apart.
void PublishTCellGraphic(TPublisher& p) {
    TPublishOf<TCellGraphic> P(p);
    using C = TCellGraphic;
    const TEnumNames<TCellType> types{{"ctBitmap", ctBitmap},
                                      {"ctIcon", ctIcon},
                                      {"ctNone", ctNone},
                                      {"ctImageList", ctImageList},
                                      {"ctCheckBox", ctCheckBox},
                                      {"ctDataCheckBox", ctDataCheckBox},
                                      {"ctRotated", ctRotated},
                                      {"ctDataImage", ctDataImage},
                                      {"ctNode", ctNode},
                                      {"ctRadio", ctRadio},
                                      {"ctEmpty", ctEmpty},
                                      {"ctImages", ctImages},
                                      {"ctPicture", ctPicture},
                                      {"ctFilePicture", ctFilePicture},
                                      {"ctValue", ctValue},
                                      {"ctProgress", ctProgress},
                                      {"ctComment", ctComment},
                                      {"ctButton", ctButton},
                                      {"ctBitButton", ctBitButton},
                                      {"ctVirtCheckBox", ctVirtCheckBox},
                                      {"ctProgressPie", ctProgressPie},
                                      {"ctSummary", ctSummary}};
    const TEnumNames<TCellVAlign> vAligns{{"vaTop", vaTop},
                                          {"vaBottom", vaBottom},
                                          {"vaCenter", vaCenter},
                                          {"vaUnderText", vaUnderText},
                                          {"vaAboveText", vaAboveText},
                                          {"vaFull", vaFull}};
    const TEnumNames<TCellHAlign> hAligns{{"haLeft", haLeft},           {"haRight", haRight},
                                          {"haCenter", haCenter},       {"haBeforeText", haBeforeText},
                                          {"haAfterText", haAfterText}, {"haFull", haFull}};
    P.Enum<TCellType>(
        "CellType", &C::CellType, [](C& g, TCellType v) { g.CellType = v; }, types);
    P.Enum<TCellVAlign>(
        "CellVAlign", &C::CellVAlign, [](C& g, TCellVAlign v) { g.CellVAlign = v; }, vAligns);
    P.Enum<TCellHAlign>(
        "CellHAlign", &C::CellHAlign, [](C& g, TCellHAlign v) { g.CellHAlign = v; }, hAligns);
    P.Int("CellIndex", &C::CellIndex, [](C& g, Integer v) { g.CellIndex = v; });
    P.Bool("CellTransparent", &C::CellTransparent, [](C& g, bool v) { g.CellTransparent = v; });
    P.Bool("CellCreated", &C::CellCreated, [](C& g, bool v) { g.CellCreated = v; });
    P.Bool("CellBoolean", &C::CellBoolean, [](C& g, bool v) { g.CellBoolean = v; });
    P.Int("CellAngle", &C::CellAngle, [](C& g, Integer v) { g.CellAngle = v; });
    P.Float("CellValue", &C::CellValue, [](C& g, double v) { g.CellValue = v; });
    P.Int("CellErrFrom", &C::CellErrFrom, [](C& g, SmallInt v) { g.CellErrFrom = v; });
    P.Int("CellErrLen", &C::CellErrLen, [](C& g, SmallInt v) { g.CellErrLen = v; });
    P.Str("CellText", &C::CellText, [](C& g, const AnsiString& v) { g.CellText = v; });
}

void PublishTGridItem(TPublisher& p) {
    TPublishOf<TGridItem> P(p);
    P.Int("Idx", &TGridItem::Idx, &TGridItem::SetIdx);
    P.Int("Height", &TGridItem::Height, &TGridItem::SetHeight);
    P.Object("Items", &TGridItem::Items);
}

void PublishTFilterData(TPublisher& p) {
    TPublishOf<TFilterData> P(p);
    using C = TFilterData;
    P.Int("Column", &C::Column, &C::SetColumn);
    P.Str("Condition", &C::Condition, &C::SetCondition);
    P.Str("Prefix", &C::Prefix, &C::SetPrefix);
    P.Str("Suffix", &C::Suffix, &C::SetSuffix);
    P.Bool("CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive);
    P.Enum<TFilterOperation>(
        "Operation", &C::Operation, &C::SetOperation,
        {{"foSHORT", foSHORT}, {"foNONE", foNONE}, {"foAND", foAND}, {"foXOR", foXOR}, {"foOR", foOR}});
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGridSettings, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TCellNode, nullptr, &PublishTCellNode)
VCL_IMPLEMENT_CLASS(TSizeWhileTyping, nullptr, &PublishTSizeWhileTyping)
VCL_IMPLEMENT_CLASS(TMouseActions, nullptr, &PublishTMouseActions)
VCL_IMPLEMENT_CLASS(TColumnSize, nullptr, &PublishTColumnSize)
VCL_IMPLEMENT_CLASS(TNavigation, nullptr, &PublishTNavigation)
VCL_IMPLEMENT_CLASS(THTMLSettings, nullptr, &PublishTHTMLSettings)
VCL_IMPLEMENT_CLASS(TPrintSettings, nullptr, &PublishTPrintSettings)
VCL_IMPLEMENT_CLASS(TSortSettings, nullptr, &PublishTSortSettings)
VCL_IMPLEMENT_CLASS(TControlLook, nullptr, &PublishTControlLook)
VCL_IMPLEMENT_CLASS(TBackGround, nullptr, &PublishTBackGround)
VCL_IMPLEMENT_CLASS(TBands, nullptr, &PublishTBands)
VCL_IMPLEMENT_CLASS(TGrouping, nullptr, &PublishTGrouping)
VCL_IMPLEMENT_CLASS(TDragDropSettings, nullptr, &PublishTDragDropSettings)
VCL_IMPLEMENT_CLASS(TCellGraphic, nullptr, &PublishTCellGraphic)
VCL_IMPLEMENT_CLASS(TGridItem, nullptr, &PublishTGridItem)
VCL_IMPLEMENT_CLASS(TFilterData, nullptr, &PublishTFilterData)
VCL_IMPLEMENT_CLASS(TFilter, nullptr, nullptr)

void TGridSettings::CopyBitmap(TBitmap& Bitmap, TBitmap* Source) const {
    Bitmap.Assign(Source);
    InvalidateGrid();
}

// ---------------------------------------------------------------------------

TCellNode::TCellNode(BaseGrid::TBaseGrid* AGrid)
    : TGridSettings(AGrid), expandGlyph_(std::make_unique<TBitmap>()), contractGlyph_(std::make_unique<TBitmap>()) {}

TCellNode::~TCellNode() = default;

void TCellNode::SetNodeType(TNodeType Value) {
    if (Value == nodeType_) return;
    nodeType_ = Value;
    RepaintGrid();
}

void TCellNode::SetNodeIndent(Integer Value) {
    if (Value == nodeIndent_) return;
    nodeIndent_ = Value;
    RepaintGrid();
}

void TCellNode::SetShowTree(bool Value) {
    if (Value == showTree_) return;
    showTree_ = Value;
    RepaintGrid();
}

void TCellNode::SetTreeColor(TColor Value) {
    if (Value == treeColor_) return;
    treeColor_ = Value;
    RepaintGrid();
}

void TMouseActions::SetDisjunct(int Which, bool Value) {
    disjunct_[Which] = Value;
    const bool designing = Grid() && Grid()->ComponentState().Contains(csDesigning);
    if (Value && designing)
        for (int other = 0; other < 3; ++other)
            if (other != Which) disjunct_[other] = false;
}

void TColumnSize::SetStretch(bool Value) {
    stretch_ = Value;
    if (auto* grid = dynamic_cast<RAdeRedeviDidi*>(Grid())) grid->StretchColumnTo(StretchColumn());
}

THTMLSettings::THTMLSettings(BaseGrid::TBaseGrid* AGrid)
    : TGridSettings(AGrid), colWidths_(std::make_unique<ProObj::TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void TDragDropSettings::SetOleDropTarget(bool Value) {
    oleDropTarget_ = Value;
    if (auto* grid = dynamic_cast<RAdeRedeviDidi*>(Grid())) grid->OleDropTargetChanged();
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
    oleDropRTF_ = Value;
    grddd::SetDropRTF(Value);
}

TPrintSettings::TPrintSettings(BaseGrid::TBaseGrid* AGrid)
    : TGridSettings(AGrid),
      titleLines_(std::make_unique<TStringList>()),
      font_(std::make_unique<TFont>()),
      fixedFont_(std::make_unique<TFont>()),
      headerFont_(std::make_unique<TFont>()),
      footerFont_(std::make_unique<TFont>()) {}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TPrintSettings*>(Source);
    if (!source) return TGridSettings::Assign(Source);
#define PROGRID_COPY(Name, ...) Set##Name(source->Name());
#define PROGRID_COPY_ONE(Name) PROGRID_COPY(Name)
    PROGRID_PRINT_SIZES(PROGRID_COPY_ONE)
    PROGRID_PRINT_POSITIONS(PROGRID_COPY_ONE)
    PROGRID_PRINT_TEXTS(PROGRID_COPY_ONE)
    PROGRID_PRINT_FLAGS(PROGRID_COPY)
    SetDateFormat(source->DateFormat());
    SetPageNumSep(source->PageNumSep());
    SetBorders(source->Borders());
    SetBorderStyle(source->BorderStyle());
    SetOrientation(source->Orientation());
    SetFitToPage(source->FitToPage());
    SetTitleLines(source->TitleLines());
    SetFont(source->Font());
    SetFixedFont(source->FixedFont());
    SetHeaderFont(source->HeaderFont());
    SetFooterFont(source->FooterFont());
}

TSortSettings::TSortSettings(BaseGrid::TBaseGrid* AGrid)
    : TGridSettings(AGrid),
      upGlyph_(std::make_unique<TBitmap>()),
      downGlyph_(std::make_unique<TBitmap>()),
      indexUpGlyph_(std::make_unique<TBitmap>()),
      indexDownGlyph_(std::make_unique<TBitmap>()) {}

TSortSettings::~TSortSettings() = default;

void TSortSettings::SetShow(bool Value) {
    if (Value == show_) return;
    show_ = Value;
    InvalidateGrid();
}

void TSortSettings::SetRow(Integer Value) {
    if (Grid() && Value > Grid()->FixedRows()) throw Exception("Sort row should be smaller than number of fixed rows");
    row_ = Value;
}

TControlLook::TControlLook(BaseGrid::TBaseGrid* AGrid)
    : TGridSettings(AGrid),
      checked_(std::make_unique<TBitmap>()),
      unChecked_(std::make_unique<TBitmap>()),
      radioOn_(std::make_unique<TBitmap>()),
      radioOff_(std::make_unique<TBitmap>()) {}

TControlLook::~TControlLook() = default;

TBackGround::TBackGround(BaseGrid::TBaseGrid* AGrid) : TGridSettings(AGrid), bitmap_(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBands::Changed() const {
    if (active_) InvalidateGrid();
}

void TBands::SetActive(bool Value) {
    active_ = Value;
    InvalidateGrid();
}

void TBands::SetPrimaryColor(TColor Value) {
    primaryColor_ = Value;
    Changed();
}

void TBands::SetPrimaryLength(Integer Value) {
    primaryLength_ = Value;
    period_ = primaryLength_ + secondaryLength_;
    Changed();
}

void TBands::SetSecondaryColor(TColor Value) {
    secondaryColor_ = Value;
    Changed();
}

void TBands::SetSecondaryLength(Integer Value) {
    secondaryLength_ = Value;
    period_ = primaryLength_ + secondaryLength_;
    Changed();
}

// ---------------------------------------------------------------------------

TCellGraphic::~TCellGraphic() {
    switch (CellType) {
        case ctBitmap:
        case ctRadio:
        case ctPicture:
        case ctFilePicture:
        case ctBitButton:
            if (CellCreated) delete CellBitmap;
            break;
        case ctIcon:
            if (CellCreated) delete CellIcon;
            break;
        case ctImages: delete CellBitmap; break;
        default: break;
    }
}

void TCellGraphic::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TCellGraphic*>(Source);
    if (!source) return TPersistent::Assign(Source);
    CellType = source->CellType;
    CellBitmap = source->CellBitmap;
    CellIcon = source->CellIcon;
    CellVAlign = source->CellVAlign;
    CellHAlign = source->CellHAlign;
    CellIndex = source->CellIndex;
    CellTransparent = source->CellTransparent;
    CellCreated = source->CellCreated;
    CellBoolean = source->CellBoolean;
    CellAngle = source->CellAngle;
    CellValue = source->CellValue;
    CellErrFrom = source->CellErrFrom;
    CellErrLen = source->CellErrLen;
    CellText = source->CellText;
}

void TCellGraphic::GetPictureSize(Integer AvailWidth, Integer AvailHeight, TPoint& Size) const {
    if (CellType != ctPicture && CellType != ctFilePicture) return;
    const auto* picture = dynamic_cast<const TPicture*>(CellBitmap);
    const auto* graphic = dynamic_cast<const TGraphic*>(CellBitmap);
    const Integer pw = picture ? picture->Width() : graphic ? graphic->Width() : 0;
    const Integer ph = picture ? picture->Height() : graphic ? graphic->Height() : 0;
    // A margin wider than the room leaves none, never less.
    const Integer aw = std::max(AvailWidth - CellIndex, 0), ah = std::max(AvailHeight - CellIndex, 0);
    // The picture scaled by the smaller ratio of room to size (at most 1 when AtMostOne).
    auto keepAspect = [&](bool AtMostOne) {
        double rx = pw < 1 ? 1.0 : static_cast<double>(aw) / pw;
        double ry = ph < 1 ? 1.0 : static_cast<double>(ah) / ph;
        if (AtMostOne) {
            rx = std::min(rx, 1.0);
            ry = std::min(ry, 1.0);
        }
        if (rx >= ry) return Point(static_cast<Integer>(std::nearbyint(pw * ry)), ah);
        return Point(aw, static_cast<Integer>(std::nearbyint(ph * rx)));
    };
    switch (CellAngle) {
        case 1: Size = Point(aw, ah); break;
        case 2: Size = keepAspect(false); break;
        case 3: Size = pw > aw ? Point(aw, ah) : ph <= ah ? Point(pw, ph) : Point(aw, ah); break;
        case 4: Size = pw <= aw && ph <= ah ? Point(pw, ph) : keepAspect(true); break;
        default: Size = Point(pw, ph); break;
    }
}

}  // namespace ProGrid
