// The mouse: the message routing, the left press over cells, headers, in-cell controls, nodes, anchors
// and form controls, and the fixed-cell editor.
#include "GrdHTMLE.h"
#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/Forms.h"
#include "vcl/ScopeGuard.h"
#include "vcl/ShellAPI.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

TPoint MessagePoint(const TMessage& Message) {
    return Point(static_cast<SmallInt>(LOWORD(Message.LParam)), static_cast<SmallInt>(HIWORD(Message.LParam)));
}

constexpr Integer DragSlack = 3;     // pixels inside a cell's edges before a press may start a drag or edit
constexpr Integer HTMLTextType = 1;  // GetTextType's answer for mark-up

}  // namespace

bool RAdeRedeviDidi::MouseMessage(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDOWN: return LeftButtonDown(Message);
        case WM_LBUTTONUP: LeftButtonUp(Message); return true;
        case WM_LBUTTONDBLCLK: DoubleClick(Message); return true;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return RightButton(Message);
        case WM_SETCURSOR: SetCursorMessage(Message); return true;
        case CM_HINTSHOW: HintShowMessage(Message); return true;
        case WM_TIMER:
            if (TWMTimer(Message).TimerID() != HoverTimerID) return false;
            TimerMessage();
            return true;
        case CM_CURSORCHANGED:
            if (!settingCursor_) cursorState_ = 0;
            return false;
        default: return false;
    }
}

TGridCoord RAdeRedeviDidi::CellAt(Integer X, Integer Y) const {
    Integer col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0) return {-1, -1};
    return {col, row};
}

// Closing the editor commits what it holds, as leaving the cell does.
void RAdeRedeviDidi::CloseEditor() {
    if (EditorMode()) HideEditor();
}

void RAdeRedeviDidi::SetHovering(bool Value) {
    hovering_ = Value;
    Repaint();
}

// ---------------------------------------------------------------------------
// Left press

bool RAdeRedeviDidi::LeftButtonDown(TMessage& Message) {
    const auto [x, y] = MessagePoint(Message);
    buttonDown_ = true;
    if (cursorState_ == 5) {
        fillOrigin_ = Selection();
        CopySelectionToClipboard(fillOrigin_, false);
        fillPending_ = true;
        if (!Options().Contains(goEditing)) TBaseGrid::WndProc(Message);
        return true;
    }
    downCell_ = {-1, -1};
    dragPending_ = false;
    downLeftCol_ = LeftCol();
    lastSelection_ = Selection();
    const TGridCoord cell = CellAt(x, y);
    downPoint_ = {x, y};
    NoteSizingStart(x, y);
    if (cell.X < 0) {
        CloseEditor();
        if (!FixedRowAlways()) TBaseGrid::WndProc(Message);
        return true;
    }
    if (!colSizedByMouse_) downSize_.X = ColWidths(cell.X);
    if (!rowSizedByMouse_) downSize_.Y = RowHeights(cell.Y);
    const TPoint base = BaseCell(cell.X, cell.Y);
    downCell_ = {base.X, base.Y};
    // The editor this press opens puts its caret where the press was.
    SetCaretAtClick(MouseActions()->CaretPositioning());
    if (fixedSizingHot_) {
        fixedSizingActive_ = true;
        fixedSizingX_ = x;
        DrawSizeLine(x);
        return true;
    }
    return LeftPressOnCell(Message, x, y);
}

// A press on a selected cell (or on a header while headers do not move their rows and columns) becomes an
// OLE drag once the mouse moves on; one near a column's edge stays free for sizing.
bool RAdeRedeviDidi::PressMayStartOleDrag(Integer ACol, Integer ARow, Integer X) {
    if (!DragDropSettings()->OleDropSource() || Options().Contains(goEditing) || MouseActions()->ColSelect() ||
        MouseActions()->AllSelect())
        return false;
    const TRect rect = CellRect(ACol, ARow);
    if (Options().Contains(goColSizing) && !(X - rect.Left > DragSlack && rect.Right - X > DragSlack)) return false;
    return IsSelectedCell(ACol, ARow) || (ARow < FixedRows() && !EnhRowColMove());
}

bool RAdeRedeviDidi::OleDragDue(Integer X, Integer Y) const {
    return dragPending_ && (std::abs(X - downPoint_.X) > DragSlack || std::abs(Y - downPoint_.Y) > DragSlack) &&
           DragDropSettings()->OleDropSource() && FGridState != gsColSizing && cursorState_ != 5;
}

// Sizing starts on a line of the headers, also right of the last column: the column (row) before the line
// is the sized one, and the press's distance to the line is kept for the width the hint shows.
void RAdeRedeviDidi::NoteSizingStart(Integer X, Integer Y) {
    TGridDrawInfo info;
    TGridState sizing = gsNormal;
    Integer index = -1, pos = 0, ofs = 0;
    CalcSizingState(LayoutX(X), Y, sizing, index, pos, ofs, info);
    sizedCol_ = sizing == gsColSizing ? index : -1;
    sizedRow_ = sizing == gsRowSizing ? index : -1;
    colSizedByMouse_ = sizedCol_ >= 0;
    rowSizedByMouse_ = sizedRow_ >= 0;
    borderOffset_ = {colSizedByMouse_ ? -ofs : 0, rowSizedByMouse_ ? -ofs : 0};
    if (colSizedByMouse_) downSize_.X = ColWidths(sizedCol_);
    if (rowSizedByMouse_) downSize_.Y = RowHeights(sizedRow_);
}

bool RAdeRedeviDidi::LeftPressOnCell(TMessage& Message, Integer X, Integer Y) {
    const Integer col = downCell_.X, row = downCell_.Y;
    const bool designing = ComponentState().Contains(csDesigning);
    bool fixedQuery = false;
    IsFixed(col, row, fixedQuery);
    const bool fixed = col < FixedCols() || row < FixedRows();
    if (fixed || fixedQuery) CloseEditor();
    if (fixed && FixedAsButtons() && Options().Contains(goFixedVertLine) && Options().Contains(goFixedHorzLine)) {
        pressedFixedCell_ = downCell_;
        RepaintCell(col, row);
    }

    // Nodes: the fixed row's button opens or closes them all, a data row's its own.
    if (!designing && col == 0 && NodeButtonHit(row, X) && IsNode(row)) {
        if (row < FixedRows()) {
            if (MouseActions()->NodeAllExpandContract()) {
                const bool contracted = GetNodeState(row);
                if (contracted) ExpandAllNodes();
                else ContractAllNodes();
                GetCellGraphic(0, row)->CellBoolean = !contracted;
                RepaintCell(0, row);
            }
            return true;
        }
        const Integer real = RealRowIndex(row);
        bool allow = true;
        if (!GetNodeState(row)) {
            if (OnBeforeContractNode) OnBeforeContractNode(this, row, real, allow);
            if (allow) {
                ContractNode(real);
                if (OnContractNode) OnContractNode(this, row, real);
            }
        } else {
            if (OnBeforeExpandNode) OnBeforeExpandNode(this, row, real, allow);
            if (allow) {
                ExpandNode(real);
                if (OnExpandNode) OnExpandNode(this, row, real);
            }
        }
        if (MouseActions()->MoveRowOnNodeClick()) SetRow(row);
        return true;
    }

    const bool dataCell = !fixed;
    if (dataCell && HasRadio(col, row) && IsCellEditable(RealColIndex(col), row)) {
        CloseEditor();
        SelectRadioAt(col, row, X, Y);
        return true;
    }
    if (HasNodes() && col == 0 && dataCell && !MouseActions()->RowSelect()) return true;

    if (PressMayStartOleDrag(col, row, X)) {
        dragPending_ = true;
        if (OnClickCell) OnClickCell(this, row, col);
        return true;
    }

    if (HasCellButton(col, row)) {
        CloseEditor();
        if (SelectCell(col, row)) SetSelection({col, row, col, row});
        TRect button;
        GetCellButtonRect(col, row, button);
        if (button.Contains(Point(X, Y))) {
            SetCellButtonDown(col, row, true);
            pressedButton_ = downCell_;
            SetCapture(Handle());
        }
        if (OnClickCell) OnClickCell(this, row, col);
        return true;
    }

    const TShiftState shift = KeyboardStateToShiftState();
    if (dataCell && MouseActions()->DisjunctRowSelect()) {
        if (shift.Contains(ssCtrl)) SetRowSelect(RowFlagIndex(row), !RowSelect(RowFlagIndex(row)));
        else ClearRowSelect();
    }
    if (dataCell && MouseActions()->DisjunctColSelect()) {
        if (shift.Contains(ssCtrl)) SetColSelect(col, !ColSelect(col));
        else ClearColSelect();
    }

    if (PressOnAnchor(X, Y)) return true;

    // Whole rows, whole columns and everything from the headers.
    if (Options().Contains(goRangeSelect) && cursorState_ != 0) {
        const TMouseActions& actions = *MouseActions();
        TGridRect select{-1, -1, -1, -1};
        if (cursorState_ == 3 && actions.AllSelect())
            select = {FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        else if (cursorState_ == 2 && actions.RowSelect()) select = {FixedCols(), row, ColCount() - 1, row};
        else if (cursorState_ == 1 && actions.ColSelect()) select = {col, FixedRows(), col, RowCount() - 1};
        if (select.Left >= 0) {
            if (CanFocus() && !Focused()) SetFocus();
            SetSelection(select);
            if (ActiveCellShow()) Repaint();
        }
    }
    moveStart_ = row < FixedRows() ? col : col < FixedCols() ? row : -1;
    const TRect rect = CellRect(col, row);

    if (PressOnControls(X, Y)) return true;

    if (MouseActions()->DirectEdit() && dataCell && IsCellEditable(RealColIndex(col), row)) {
        if (CanFocus() && !Focused()) SetFocus();
        CloseEditor();
    }

    const bool footerRow =
        row == RowCount() - 1 && FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == fsFixedLastRow;
    if (fixed && !footerRow && OnClickCell) OnClickCell(this, row, col);
    {
        // The class library's press must not open the always-shown editor on its own.
        const bool alwaysEdit = Navigation()->AlwaysEdit();
        Navigation()->SetAlwaysEdit(false);
        const TScopeExit restore([&] { Navigation()->SetAlwaysEdit(alwaysEdit); });
        TBaseGrid::WndProc(Message);
    }
    if (fixed) return true;
    const Integer lastCol = LeftCol() + VisibleColCount(), lastRow = TopRow() + VisibleRowCount();
    if (MouseActions()->NoAutoRangeScroll() && (col == lastCol || row == lastRow)) FGridState = gsNormal;
    if (Navigation()->KeepHorizScroll() && Options().Contains(goRowSelect)) SetLeftColLocked(downLeftCol_);
    if (OnClickCell) OnClickCell(this, row, col);
    if (OnCellValidate) StartCellEdit(Col(), Row());
    if (IsMergedCell(col, row) && !Options().Contains(goRowSelect)) {
        const TPoint span = GetCellSpan(col, row);
        const bool wasSelected = lastSelection_ == TGridRect{col, row, col + span.X, row + span.Y};
        // The corner across from the current cell anchors the range: the current cell stays where it is.
        const Integer anchorX = Col() == col ? col + span.X : col, anchorY = Row() == row ? row + span.Y : row;
        SetSelection({anchorX, anchorY, Col(), Row()});
        if (wasSelected && IsCellEditable(RealColIndex(col), row)) SetEditorMode(true);
    }
    if (MouseActions()->DirectEdit() && X - rect.Left > DragSlack && rect.Right - X > DragSlack &&
        IsCellEditable(RealColIndex(col), row) && !HasCellControl(col, row))
        SetEditorMode(true);
    return true;
}

// Check boxes: the press on the box toggles it (a header's sets the whole column with CheckAllCheck).
bool RAdeRedeviDidi::PressOnControls(Integer X, Integer Y) {
    const Integer col = downCell_.X, row = downCell_.Y;
    const bool header = row < FixedRows() && col >= FixedCols();
    const bool dataCell = col >= FixedCols() && row >= FixedRows();
    if (!(dataCell || (header && MouseActions()->CheckAllCheck()))) return false;
    if (!HasCheckBox(col, row) || !IsCheckBoxHit(col, row, X, Y)) return false;
    if (dataCell && !IsCellEditable(RealColIndex(col), row)) return false;
    CloseEditor();
    if (CanFocus() && !Focused()) SetFocus();
    ToggleCheck(col, row, false);
    bool state = false;
    GetCheckBoxState(col, row, state);
    if (!Navigation()->AlwaysEdit() && dataCell) FocusCell(col, row, true);
    if (OnCheckBoxClick) OnCheckBoxClick(this, col, row, state);
    if (HideFocusRect()) RepaintCell(col, row);
    if (header) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (HasCheckBox(col, r)) SetCheckBoxState(col, r, state);
    }
    if (OnMouseDown) OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), X, Y);
    return true;
}

// Anchors and the mark-up's form controls under the press.
bool RAdeRedeviDidi::PressOnAnchor(Integer X, Integer Y) {
    const Integer col = downCell_.X, row = downCell_.Y;
    AnsiString anchor, id, type, value;
    TRect controlRect;
    if (!CellAnchorAt(col, row, X, Y, anchor, controlRect, id, type, value)) return false;
    if (anchor != "ctrl") {
        bool autoHandle = true;
        if (OnAnchorClick) OnAnchorClick(this, row, col, anchor, autoHandle);
        if (autoHandle) FollowAnchor(anchor);
        return true;
    }
    CommitFormControl();
    formControlCell_ = downCell_;
    formControlID_ = id;
    formControlType_ = type;
    if (type == "BUTTON") {
        pressedFormButton_ = downCell_;
        RepaintCell(col, row);
    } else if (type == "CHECK") {
        AnsiString html = Cells(col, row);
        value = UpperCase(value) == "TRUE" ? "FALSE" : "TRUE";
        if (GrdHTMLE::SetControlValue(html, id, value)) SetCells(col, row, html);
        if (OnControlClick) OnControlClick(this, row, col, id, type, value);
        formControlType_.clear();
    } else if (type == "EDIT" || type == "COMBO") {
        if (OnControlClick) OnControlClick(this, row, col, id, type, value);
        EditFormControl(col, row, controlRect);
        if (type == "EDIT") controlEdit_->SetText(value);
        else {
            TStrings* items = controlCombo_->Items();
            items->Clear();
            bool edit = true;
            Integer dropCount = 8;
            if (OnControlComboList) OnControlComboList(this, row, col, id, type, value, items, edit, dropCount);
            controlCombo_->SetStyle(edit ? csDropDown : csDropDownList);
            controlCombo_->SetDropDownCount(dropCount);
            controlCombo_->SetItemIndex(items->IndexOf(value));
            if (edit && controlCombo_->ItemIndex() < 0) controlCombo_->SetText(value);
            controlCombo_->Font()->Assign(Font());
            controlCombo_->SetDroppedDown(true);
        }
    } else if (OnControlClick) {
        OnControlClick(this, row, col, id, type, value);
    }
    return true;
}

bool RAdeRedeviDidi::CellAnchorAt(Integer ACol, Integer ARow, Integer X, Integer Y, AnsiString& Anchor,
                                  TRect& ControlRect, AnsiString& ControlID, AnsiString& ControlType,
                                  AnsiString& ControlValue) {
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    AnsiString text;
    GetCellFormat(ACol, ARow, text);
    if (ProUtil::GetTextType(text, EnableHTML()) != HTMLTextType) {
        if (!URLShow() || !ProUtil::IsURL(text)) return false;
        Anchor = text;
        return true;
    }
    // Where the painter lays the text out.
    TRect rect = CellRect(ACol, ARow);
    rect.Left -= 1;
    if (HasCheckBox(ACol, ARow)) rect.Left += ControlLook()->CheckSize();
    Canvas()->Font()->Assign(Font());
    AnsiString plain, focusAnchor;
    Integer width = 0, height = 0, anchors = 0, mouseLink = -1;
    TRect mouseRect{};
    const bool hit = GrdHTMLE::RenderHTML(
        Canvas(), text, rect, GridImages(), X, Y, -1, -1, 1, true, false, false, false, true, false, WordWrap(), false,
        1.0, URLColor(), clNone, clNone, clGray, Anchor, plain, focusAnchor, width, height, anchors, mouseLink,
        mouseRect, ControlRect, ControlID, ControlValue, ControlType, PictureCache(), PictureContainer(), Handle());
    if (hit && !ControlID.empty()) Anchor = "ctrl";
    return hit && !Anchor.empty();
}

// "CELL://R<row>C<column>" goes to that cell; anything else opens with the desktop's opener, which
// refuses programs. A reference that does not read, or lies outside the grid, does nothing.
void RAdeRedeviDidi::FollowAnchor(const AnsiString& Anchor) {
    const AnsiString upper = UpperCase(Anchor);
    const auto at = upper.find("CELL://");
    if (at == AnsiString::npos) {
        ShellExecuteA(Application->Handle(), "open", Anchor.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    TPoint cell;
    if (!ProUtil::ParseRCReference(upper.substr(at + 7), cell)) return;
    if (cell.X < FixedCols() || cell.Y < FixedRows() || cell.X >= ColCount() || cell.Y >= RowCount()) return;
    FocusCell(cell.X, cell.Y, true);
    ScrollInView(cell.X, cell.Y);
}

// The item under the press by the group's layout: rows of the text's or the button's height, or columns
// as wide as each item's text and button.
void RAdeRedeviDidi::SelectRadioAt(Integer ACol, Integer ARow, Integer X, Integer Y) {
    FocusCell(ACol, ARow, true);
    TCellGraphic* graphic = GetCellGraphic(RealColIndex(ACol), ARow);
    TStrings* items = GetRadioItems(ACol, ARow);
    if (!graphic || !items) return;
    const TControlStyle style = ControlLook()->ControlStyle();
    const Integer pitch = style == csClassic || style == csFlat ? ControlLook()->RadioSize() : 16;
    const TRect rect = CellRect(ACol, ARow);
    Canvas()->Font()->Assign(Font());
    const bool horizontal = graphic->CellBoolean;
    Integer from = horizontal ? rect.Left : rect.Top;
    for (Integer i = 0; i < items->Count(); ++i) {
        const Integer span =
            horizontal ? Canvas()->TextWidth(items->Strings(i)) + pitch : std::max(Canvas()->TextHeight("gh"), pitch);
        const Integer at = horizontal ? X : Y;
        if (at >= from && at < from + span) {
            // A data radio keeps its choice as the cell's text.
            if (graphic->CellIndex < 0) SetCells(ACol, ARow, items->Strings(i));
            else graphic->CellIndex = i;
            SetCells(ACol, ARow, Cells(ACol, ARow));
            if (OnRadioClick) OnRadioClick(this, ACol, ARow, i);
            return;
        }
        from += span;
    }
}

void RAdeRedeviDidi::EditFormControl(Integer ACol, Integer ARow, const TRect& ControlRect) {
    TWinControl* editor = formControlType_ == "EDIT" ? static_cast<TWinControl*>(controlEdit_.Get())
                                                     : static_cast<TWinControl*>(controlCombo_.Get());
    if (!editor) return;
    editor->OnExit = [this](TObject*) { CommitFormControl(); };
    editor->SetBounds(ControlRect.Left, ControlRect.Top, ControlRect.Width(), ControlRect.Height());
    editor->SetVisible(true);
    editor->BringToFront();
    if (editor->CanFocus()) editor->SetFocus();
    formControlCell_ = {ACol, ARow};
}

// The edited value goes into the control's VALUE in the cell's mark-up.
void RAdeRedeviDidi::CommitFormControl() {
    if (formControlType_ != "EDIT" && formControlType_ != "COMBO") return;
    const AnsiString type = std::exchange(formControlType_, AnsiString());
    TWinControl* editor =
        type == "EDIT" ? static_cast<TWinControl*>(controlEdit_.Get()) : static_cast<TWinControl*>(controlCombo_.Get());
    const Integer col = formControlCell_.X, row = formControlCell_.Y;
    const AnsiString value = editor ? editor->Text() : AnsiString();
    if (col >= 0 && row >= 0 && col < ColCount() && row < RowCount()) {
        AnsiString html = Cells(col, row);
        if (GrdHTMLE::SetControlValue(html, formControlID_, value)) SetCells(col, row, html);
    }
    if (editor) editor->SetVisible(false);
    if (OnControlEditDone) OnControlEditDone(this, row, col, formControlID_, type, value);
}

// ---------------------------------------------------------------------------
// The dynamic press and the fixed-cell editor

void RAdeRedeviDidi::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    const TGridRect before = Selection();
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    const TGridRect after = Selection();
    if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
    if (Shift.Contains(ssDouble)) return;
    const TGridCoord cell = CellAt(X, Y);
    if (cell.X < 0) return;
    if (cell.Y < FixedRows()) FixedCellEditOn(cell.X, cell.Y, Button, MouseActions()->FixedRowsEdit());
    else if (cell.X < FixedCols()) FixedCellEditOn(cell.X, cell.Y, Button, MouseActions()->FixedColsEdit());
}

void RAdeRedeviDidi::FixedCellEditOn(Integer ACol, Integer ARow, TMouseButton Button, TGridFixedCellEdit How) {
    if ((How == fceLeftClick && Button == mbLeft) || (How == fceRightClick && Button == mbRight))
        OpenFixedCellEditor(ACol, ARow);
}

void RAdeRedeviDidi::OpenFixedCellEditor(Integer ACol, Integer ARow) {
    bool canEdit = false;
    CanEdit(ACol, ARow, canEdit);
    if (canEdit || !transEdit_) return;
    const TRect r = CellRect(ACol, ARow);
    transEdit_->SetBounds(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2);
    transEdit_->SetText(Cells(ACol, ARow));
    transEdit_->SetCol(ACol);
    transEdit_->SetRow(ARow);
    transEdit_->SetVisible(true);
    if (transEdit_->CanFocus()) transEdit_->SetFocus();
}

}  // namespace ProGrid
