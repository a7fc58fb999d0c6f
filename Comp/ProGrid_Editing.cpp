// The grid's editing by editor type: when an editor opens and which kind, closing it, the hand-over of
// keys from an editor, the edit texts, the moves of the current cell that editing follows, and the
// scrolling and sizing steps that close or place editors and cell controls.
#include "GrdHTMLE.h"
#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace ProUtil;

VCL_IMPLEMENT_CLASS(TEditLink, nullptr, nullptr)

// ---------------------------------------------------------------------------
// Opening and closing

bool RAdeRedeviDidi::CanEditShow() {
    if (committing_) return false;
    bool shows = TBaseGrid::CanEditShow();
    if (ComponentState().Contains(csDesigning)) return shows;
    const TPoint base = BaseCell(RealColIndex(Col()), Row());
    if (shows && !typeEditorShown_) {
        if (HasCellControl(Col(), Row())) return false;
        // The cell's text may have changed from code since the cell became current: the edit starts from
        // what it holds now.
        StartCellEdit(Col(), Row());
        savedEditText_ = GetCurrentRaw();
        editorType_ = edNormal;
        GetCellEditor(base.X, base.Y, editorType_);
        if (editorType_ == edNone) return false;
        typeEditorShown_ = true;
        if (!InPlaceEditorType(editorType_)) {
            const TPoint shown = BaseCell(Col(), Row());
            ShowCellEditor(shown.X, shown.Y);
        }
    }
    // A separate control stands over the cell: the class library's editor stays hidden under it.
    if (typeEditorShown_ && !InPlaceEditorType(editorType_)) return false;
    if (shows) editorShown_ = true;
    return shows;
}

void RAdeRedeviDidi::HideCellEditor() {
    if (!typeEditorShown_ || hidingCellEditor_) return;
    const TValueGuard hiding(hidingCellEditor_, true);
    HideEditor();
    StoreCellEditor(Col(), Row());
    typeEditorShown_ = false;
    SelectCell(Col(), Row());
}

void RAdeRedeviDidi::ShowInplaceEditor() {
    if (!HasCellControl(Col(), Row())) ShowEditor();
}

void RAdeRedeviDidi::RestoreEditText() {
    WriteCell(RealCol(), Row(), savedEditText_);
    RepaintCell(Col(), Row());
}

void RAdeRedeviDidi::SetEditCellText(Integer ACol, Integer ARow, const AnsiString& Value) {
    SetEditText(DisplayColIndex(ACol), ARow, Value);
    WriteCell(ACol, ARow, Value);
}

// Events may raise on the way: AlwaysEdit comes back whatever happens.
void RAdeRedeviDidi::EditorKeyToGrid(Word& Key, TShiftState Shift) {
    HideCellEditor();
    if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) KeyDown(Key, Shift);
    TNavigation* navigation = Navigation();
    const bool alwaysEdit = navigation->AlwaysEdit();
    navigation->SetAlwaysEdit(false);
    const TScopeExit restore([navigation, alwaysEdit] { navigation->SetAlwaysEdit(alwaysEdit); });
    if (CanFocus()) SetFocus();
    if (Key == VK_RETURN) AdvanceEdit(Col(), Row(), true, true, false);
}

// ---------------------------------------------------------------------------
// Edit texts

AnsiString RAdeRedeviDidi::GetEditText(Integer ACol, Integer ARow) {
    // The in-place edit aligns its text as the cell does.
    if (TProInplaceEdit* editor = ProInplaceEdit())
        editor->SetVAlign(GetCellAlignmentEx(RealColIndex(ACol), ARow).first == taRightJustify);
    return ShownEditText(ACol, ARow);
}

AnsiString RAdeRedeviDidi::ShownEditText(Integer ACol, Integer ARow) {
    AnsiString text = TBaseGrid::GetEditText(RealColIndex(ACol), ARow);
    if (EditWithTags()) return text;
    AnsiString plain;
    GrdHTMLE::StripHTML(text, plain);
    return plain;
}

// The text an editor was given, handed back, changes nothing: writing it would only strip the cell's
// mark-up.
void RAdeRedeviDidi::SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) {
    if (Value == ShownEditText(ACol, ARow)) return;
    TBaseGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

void RAdeRedeviDidi::GetStrippedCellText(Integer ACol, Integer ARow, AnsiString& S) {
    AnsiString text;
    ReadCell(ACol, ARow, text);
    GrdHTMLE::StripHTML(text, S);
}

bool RAdeRedeviDidi::IsPasswordCell(Integer ACol, Integer ARow) {
    bool password = false;
    IsPassword(ACol, ARow, password);
    return password;
}

// ---------------------------------------------------------------------------
// Moving the current cell

bool RAdeRedeviDidi::SelectCell(Integer ACol, Integer ARow) {
    if (!FooterAllowsCell(ACol, ARow)) return false;
    if (!CellChangeAllowed(ACol, ARow)) return false;
    const bool typeEditorWasShown = typeEditorShown_ && !InPlaceEditorType(editorType_);
    const bool inplaceFocused = InplaceEditor() && InplaceEditor()->Focused();
    FollowEditability(ACol, ARow);
    if (!typeEditorWasShown || inplaceFocused) {
        if (IsFixedCell(ACol, ARow) || !TBaseGrid::SelectCell(ACol, ARow)) return false;
    } else {
        const AnsiString current = GetCurrentRaw();
        const bool valid =
            current.starts_with("|\\") ? ValidateCellWide(UniStrFromCellText(current)) : ValidateCell(current);
        if (!valid || !TBaseGrid::SelectCell(ACol, ARow)) return false;
    }
    RepaintAfterSelect(ACol, ARow);
    return true;
}

// The last row shows in a fixed-last-row footer: it never becomes current. A cell reaching under the
// footer brings the next row into view.
bool RAdeRedeviDidi::FooterAllowsCell(Integer ACol, Integer ARow) {
    if (!floatingFooter_->Visible()) return true;
    const bool lastRowFooter = floatingFooter_->FooterStyle() == fsFixedLastRow;
    if (lastRowFooter && FloatingFooterShown() && ARow >= RowCount() - 1) return false;
    if (!lastRowFooter && footerPanel_) footerPanel_->Invalidate();
    if (ARow < RowCount() - 1 || !lastRowFooter) {
        const TRect cell = CellRect(ACol, ARow);
        if (!cell.IsEmpty() && cell.Bottom > ClientHeight() - FooterHeight() + 2 && ARow >= TopRow())
            SetTopRow(TopRow() + 1);
    }
    return true;
}

bool RAdeRedeviDidi::CellChangeAllowed(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return true;
    bool allow = true;
    if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, allow);
    if (ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, allow);
    if ((ACol != Col() || ARow != Row()) && !sorting_ && OnCellChanging)
        OnCellChanging(this, Row(), Col(), ARow, ACol, allow);
    if (ACol == 0 && NodeCount() > 0 && !Options().Contains(goRowSelect)) return false;
    return allow;
}

// A read-only cell takes goEditing out of the options, the next editable one puts it back. A grid that
// never had goEditing stays without it.
void RAdeRedeviDidi::FollowEditability(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return;
    if (!HasCellControl(ACol, ARow)) {
        bool editable = Options().Contains(goEditing) || forcedEdit_;
        if (editable && IsBaseCell(RealColIndex(ACol), ARow)) CanEdit(RealColIndex(ACol), ARow, editable);
        if (editable && editSwitched_) {
            editSwitched_ = forcedEdit_ = false;
            SetOptions(Options().Include(goEditing));
        } else if (!editable && Options().Contains(goEditing)) {
            editSwitched_ = forcedEdit_ = true;
            SetOptions(Options().Exclude(goEditing));
        }
    }
    HideCellEditor();
}

void RAdeRedeviDidi::RepaintAfterSelect(Integer ACol, Integer ARow) {
    if (FixedCols() > 0) {
        RepaintCell(0, Row());
        RepaintCell(0, ARow);
    }
    if (ActiveCellShow()) {
        if (FixedRows() > 0) {
            RepaintCell(Col(), 0);
            RepaintCell(ACol, 0);
        }
        if (FixedCols() > 0) {
            RepaintCell(0, Row());
            RepaintCell(0, ARow);
        }
    }
    if (SelectionRectangle()) Invalidate();
    // Rows moving under the update lock or in a sort are the grid's own operations, not the user's.
    if (ARow != lastReportedRow_ && UpdateCount() == 0 && !sorting_ && !ComponentState().Contains(csLoading)) {
        const Integer oldRow = Row();
        lastReportedRow_ = ARow;
        if (OnRowUpdate) OnRowUpdate(this, oldRow, ARow);
    }
    savedEditText_.clear();
}

// ---------------------------------------------------------------------------
// Scrolling, key release, sizing

void RAdeRedeviDidi::TopLeftChanged() {
    if (BackGround()->Display() == bdFixed && !BackGround()->Bitmap()->Empty()) Invalidate();
    TBaseGrid::TopLeftChanged();
    if (typeEditorShown_ && editorType_ != edNormal && !InPlaceEditorType(editorType_)) HideCellEditor();
    SyncHorzScrollBar();
    SyncVertScrollBar();
    if (floatingFooter_->Visible()) UpdateFooter();
    PlaceCellControls();
    lastScrollPos_ = {LeftCol(), TopRow()};
}

void RAdeRedeviDidi::PlaceCellControls() {
    const Integer lastCol = LeftCol() + VisibleColCount(), lastRow = TopRow() + VisibleRowCount();
    std::vector<TControl*> shown;
    for (Integer i = 0; i < controlList_->Count(); ++i) {
        const ProObj::TControlRec* rec = controlList_->Items(i);
        TControl* control = rec->Control;
        if (!control) continue;
        const bool hidden = IsHiddenRow(rec->Row) || !ColumnVisible(rec->Col);
        const Integer col = DisplayColIndex(rec->Col), row = DisplayRowIndex(rec->Row);
        if (!hidden && col >= LeftCol() && col <= lastCol && row >= TopRow() && row <= lastRow) {
            TRect cell;
            CellRectEx(col, row, cell);
            control->SetBounds(cell.Left, cell.Top, cell.Width(), cell.Height());
            control->SetVisible(true);
            shown.push_back(control);
        } else {
            control->SetVisible(false);
        }
    }
    // Controls that draw themselves from the grid repaint at their new place.
    for (TControl* control : shown) {
        control->Invalidate();
        control->SetWidth(control->Width() + 1);
        control->SetWidth(control->Width() - 1);
    }
}

void RAdeRedeviDidi::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                     Integer& SizingOfs, TGridDrawInfo& FixedInfo) {
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    bool allow = true;
    // X is a layout position: the cells are looked up where they show.
    const TGridCoord left = MouseCoord(LayoutX(X - 6), Y);
    if (State == gsColSizing && left.Y >= 0 && left.Y < FixedRows() && OnColumnSize) OnColumnSize(this, left.X, allow);
    const TGridCoord above = MouseCoord(LayoutX(X), Y - 6);
    if (State == gsRowSizing && above.X >= 0 && above.X < FixedCols() && OnRowSize) OnRowSize(this, above.Y, allow);
    if (!allow) State = gsNormal;
}

void RAdeRedeviDidi::SetIntegralHeight(bool Value) {
    integralHeight_ = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

}  // namespace ProGrid
