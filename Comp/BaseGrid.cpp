// The base grid's construction, destruction, own properties and published tables, the cell properties
// object and the undo recorder.
#include "BaseGrid.h"

namespace BaseGrid {

const TEnumNames<TVAlignment>& VAlignmentNames() {
    static const TEnumNames<TVAlignment> names{{"vtaTop", vtaTop}, {"vtaCenter", vtaCenter}, {"vtaBottom", vtaBottom}};
    return names;
}

namespace {

const TEnumNames<TEditorType>& EditorTypeNames() {
    static const TEnumNames<TEditorType> names{
        {"edNormal", edNormal},
        {"edSpinEdit", edSpinEdit},
        {"edComboEdit", edComboEdit},
        {"edComboList", edComboList},
        {"edEditBtn", edEditBtn},
        {"edCheckBox", edCheckBox},
        {"edDateEdit", edDateEdit},
        {"edDateEditUpDown", edDateEditUpDown},
        {"edTimeEdit", edTimeEdit},
        {"edButton", edButton},
        {"edDataCheckBox", edDataCheckBox},
        {"edNumeric", edNumeric},
        {"edPositiveNumeric", edPositiveNumeric},
        {"edFloat", edFloat},
        {"edCapital", edCapital},
        {"edMixedCase", edMixedCase},
        {"edPassword", edPassword},
        {"edUnitEditBtn", edUnitEditBtn},
        {"edLowerCase", edLowerCase},
        {"edUpperCase", edUpperCase},
        {"edFloatSpinEdit", edFloatSpinEdit},
        {"edTimeSpinEdit", edTimeSpinEdit},
        {"edDateSpinEdit", edDateSpinEdit},
        {"edNumericEditBtn", edNumericEditBtn},
        {"edFloatEditBtn", edFloatEditBtn},
        {"edCustom", edCustom},
        {"edRichEdit", edRichEdit},
        {"edNone", edNone},
        {"edUniEdit", edUniEdit},
        {"edUniComboEdit", edUniComboEdit},
        {"edUniComboList", edUniComboList},
    };
    return names;
}

void PublishTCellProperties(TPublisher& p) {
    TPublishOf<TCellProperties> P(p);
    using C = TCellProperties;
    P.Int("OwnerCol", &C::OwnerCol, &C::SetOwnerCol);
    P.Int("OwnerRow", &C::OwnerRow, &C::SetOwnerRow);
    P.Enum<TBrushStyle>("BrushStyle", &C::BrushStyle, &C::SetBrushStyle, BrushStyleNames());
    P.IntIdent("BrushColor", &C::BrushColor, &C::SetBrushColor, &IdentToColor);
    P.IntIdent("BrushColorTo", &C::BrushColorTo, &C::SetBrushColorTo, &IdentToColor);
    P.Int("FontSize", &C::FontSize, &C::SetFontSize);
    P.IntIdent("FontColor", &C::FontColor, &C::SetFontColor, &IdentToColor);
    P.Set<TFontStyle>(
        "FontStyle", &C::FontStyle, &C::SetFontStyle,
        {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}});
    P.Int("CellSpanY", &C::CellSpanY, &C::SetCellSpanY);
    P.Int("CellSpanX", &C::CellSpanX, &C::SetCellSpanX);
    P.Int("BorderWidth", &C::BorderWidth, &C::SetBorderWidth);
    P.IntIdent("BorderColor", &C::BorderColor, &C::SetBorderColor, &IdentToColor);
    P.Enum<TAlignment>("Alignment", &C::Alignment, &C::SetAlignment, AlignmentNames());
    P.Enum<TVAlignment>("VAlignment", &C::VAlignment, &C::SetVAlignment, VAlignmentNames());
    P.Bool("WordWrap", &C::WordWrap, &C::SetWordWrap);
    P.Bool("IsBaseCell", &C::IsBaseCell, &C::SetIsBaseCell);
    P.Int("NodeLevel", &C::NodeLevel, &C::SetNodeLevel);
    P.Enum<TEditorType>("Editor", &C::Editor, &C::SetEditor, EditorTypeNames());
    P.Str("FontName", &C::FontName, &C::SetFontName);
    P.Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly);
}

void PublishTProGridUndoRedo(TPublisher& p) {
    TPublishOf<TProGridUndoRedo> P(p);
    P.Int("MaxLevel", &TProGridUndoRedo::MaxLevel, &TProGridUndoRedo::SetMaxLevel);
}

void PublishTBaseGrid(TPublisher& p) {
    TPublishOf<TBaseGrid> P(p);
    P.Bool("DefaultDrawing", &TBaseGrid::DefaultDrawing, &TBaseGrid::SetDefaultDrawing);
    P.Int("GridLineWidth", &TBaseGrid::GridLineWidth, &TBaseGrid::SetGridLineWidth);
    P.IntIdent("GridLineColor", &TBaseGrid::GridLineColor, &TBaseGrid::SetGridLineColor, &IdentToColor);
    P.Event<TGetDisplTextEvent>("OnGetDisplText", &TBaseGrid::OnGetDisplText);
    P.Component<TProGridUndoRedo>("UndoRedo", &TBaseGrid::SetUndoRedo);
}

}  // namespace

// ---------------------------------------------------------------------------
// TCellProperties

VCL_IMPLEMENT_CLASS(TCellProperties, nullptr, &PublishTCellProperties)

TCellProperties::TCellProperties(TBaseGrid* AGrid, Integer ACol, Integer ARow)
    : grid_(AGrid), ownerCol_(ACol), ownerRow_(ARow) {}

TCellProperties::~TCellProperties() {
    if (grid_) grid_->Release(this);
    if (grid_ && graphic_) grid_->GraphicHeld(graphic_, false);
    delete graphic_;
}

void TCellProperties::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TCellProperties*>(Source);
    if (!source) return TPersistent::Assign(Source);
    isBaseCell_ = source->isBaseCell_;
    cellSpanX_ = source->cellSpanX_;
    cellSpanY_ = source->cellSpanY_;
    ownerRow_ = source->ownerRow_;
    ownerCol_ = source->ownerCol_;
    alignment_ = source->alignment_;
    borderColor_ = source->borderColor_;
    borderWidth_ = source->borderWidth_;
    brushColor_ = source->brushColor_;
    brushStyle_ = source->brushStyle_;
    fontColor_ = source->fontColor_;
    fontStyle_ = source->fontStyle_;
    fontName_ = source->fontName_;
    fontSize_ = source->fontSize_;
    readOnly_ = source->readOnly_;
    editor_ = source->editor_;
    vAlignment_ = source->vAlignment_;
    SetWordWrap(source->wordWrap_);
    nodeLevel_ = source->nodeLevel_;
    control_ = source->control_;
}

void TCellProperties::SetGraphicObject(TPersistent* Value) {
    if (Value == graphic_) return;
    delete DetachGraphicObject();
    graphic_ = Value;
    if (grid_ && graphic_) grid_->GraphicHeld(graphic_, true);
}

TPersistent* TCellProperties::DetachGraphicObject() {
    if (grid_ && graphic_) grid_->GraphicHeld(graphic_, false);
    return std::exchange(graphic_, nullptr);
}

void TCellProperties::RepaintRange() const {
    if (grid_) grid_->InvalidateCellEx(ownerCol_, ownerRow_);
}

void TCellProperties::SetBrushColor(TColor Value) {
    brushColor_ = Value;
    RepaintRange();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
    brushColorTo_ = Value;
    RepaintRange();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
    vAlignment_ = Value;
    RepaintRange();
}

void TCellProperties::SetWordWrap(bool Value) {
    wordWrap_ = Value;
    RepaintRange();
}

// ---------------------------------------------------------------------------
// The undo recorder

VCL_IMPLEMENT_CLASS(TUndoRedoItem, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TUndoRedoCollection, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TProGridUndoRedo, VCL_CREATOR(TProGridUndoRedo), &PublishTProGridUndoRedo)

TProGridUndoRedo::TProGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), items_(std::make_unique<TUndoRedoCollection>()) {}

TProGridUndoRedo::~TProGridUndoRedo() { SetGrid(nullptr); }

void TProGridUndoRedo::SetGrid(TBaseGrid* Value) {
    if (Value == grid_) return;
    if (grid_) grid_->RemoveFreeNotification(this);
    grid_ = Value;
    if (grid_) grid_->FreeNotification(this);
}

void TProGridUndoRedo::AddUndo(Integer ACol, Integer ARow, const AnsiString& Value, const AnsiString& OrigValue) {
    if (maxLevel_ >= 1 && items_->Count() >= maxLevel_) items_->Delete(0);
    auto* item = static_cast<TUndoRedoItem*>(items_->Add());
    item->Col = ACol;
    item->Row = ARow;
    item->Value = Value;
    item->OrigValue = OrigValue;
    level_ = items_->Count();
}

void TProGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == grid_) grid_ = nullptr;
}

// ---------------------------------------------------------------------------
// TBaseGrid

VCL_IMPLEMENT_CLASS(TBaseGrid, VCL_CREATOR(TBaseGrid), &PublishTBaseGrid)

TBaseGrid::TBaseGrid(TComponent* AOwner) : TStringGrid(AOwner) {
    TStringGrid::SetDefaultDrawing(false);
    TStringGrid::SetGridLineWidth(0);
    SetOptions(Options().Include(goDrawFocusSelected));
    logicalRowCount_ = RowCount();
}

TBaseGrid::~TBaseGrid() {
    SetUndoRedo(nullptr);
    // Every object the grid keeps goes, also those moved out of the cells (hidden rows); the slots that
    // still point at one are emptied first.
    std::unordered_set<TCellProperties*> owned;
    owned.swap(owned_);
    for (TCellProperties* props : owned) {
        props->grid_ = nullptr;
        const Integer col = props->OwnerCol(), row = props->OwnerRow();
        if (col >= 0 && row >= 0 && Objects(col, row) == props) SetObjects(col, row, nullptr);
        delete props;
    }
}

void TBaseGrid::SetDefaultDrawing(bool Value) { defaultDrawing_ = Value; }

void TBaseGrid::SetGridLineWidth(Integer Value) {
    gridLineWidth_ = Value;
    TStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
    gridLineColor_ = Value;
    Invalidate();
}

void TBaseGrid::SetUndoRedo(TProGridUndoRedo* Value) {
    if (Value == undoRedo_) return;
    if (undoRedo_) undoRedo_->RemoveFreeNotification(this);
    undoRedo_ = Value;
    if (undoRedo_) {
        undoRedo_->FreeNotification(this);
        undoRedo_->SetGrid(this);
    }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == undoRedo_) undoRedo_ = nullptr;
}

}  // namespace BaseGrid
