// The grid's moves between cells to edit: the advance after Enter, the Tab step, the bounds navigation
// keeps to, which cells may be edited, and the bookkeeping and commit of the cell being edited.
#include "ProGrid.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;

void RAdeRedeviDidi::MoveTo(Integer ACol, Integer ARow) {
    if (ACol != Col() || ARow != Row()) FocusCell(ACol, ARow, true);
}

Integer RAdeRedeviDidi::FirstNavigableCol() { return FixedCols() == 0 && HasNodes() ? 1 : FixedCols(); }

// A hidden right fixed column is behind ColCount already.
Integer RAdeRedeviDidi::LastNavigableCol() const {
    Integer shown = 0;
    const Integer all = AllColCount();
    for (Integer col = std::max(0, all - FixedRightCols()); col < all; ++col)
        if (ColumnVisible(col)) ++shown;
    return ColCount() - 1 - shown;
}

bool RAdeRedeviDidi::IsCellEditable(Integer ACol, Integer ARow) {
    if (!Options().Contains(goEditing) && !Navigation()->AlwaysEdit()) return false;
    if (!IsBaseCell(ACol, ARow)) return false;
    bool editable = true;
    CanEdit(ACol, ARow, editable);
    bool fixed = false;
    IsFixed(ACol, ARow, fixed);
    return editable && !fixed;
}

// Footer rows and right fixed columns are fixed whatever the application says; the footer panel shows
// the last row in its own colours, as cells of its own.
bool RAdeRedeviDidi::IsFixedCell(Integer ACol, Integer ARow) {
    if (paintingFooter_) return TBaseGrid::IsFixedCell(ACol, ARow);
    const TPoint base = BaseCell(RealColIndex(ACol), ARow);
    if (base.Y >= RowCount() - FixedFooters() || base.X >= ColCount() - FixedRightCols() + HiddenColCount())
        return true;
    bool fixed = false;
    IsFixed(base.X, base.Y, fixed);
    return fixed;
}

bool RAdeRedeviDidi::InPlaceEditorType(TEditorType AType) const {
    switch (AType) {
        case edNormal:
        case edNumeric:
        case edPositiveNumeric:
        case edFloat:
        case edCapital:
        case edMixedCase:
        case edPassword:
        case edLowerCase:
        case edUpperCase: return true;
        default: return false;
    }
}

void RAdeRedeviDidi::CanAddRow(bool& CanAdd) {
    if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void RAdeRedeviDidi::CanInsertRow(Integer ARow, bool& CanInsert) {
    if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

// ---------------------------------------------------------------------------
// Enter and Tab

bool RAdeRedeviDidi::NextAdvanceCell(Integer& ACol, Integer& ARow, bool Forward, bool& Grew) {
    const Integer firstCol = FirstNavigableCol(), lastCol = LastNavigableCol(), lastRow = LastNavigableRow();
    const TPoint span = GetCellSpan(ACol, ARow);
    const bool leftRight = Navigation()->AdvanceDirection() == adLeftRight;
    // A second row or column added in one advance would go on adding without end.
    const bool mayGrow = Navigation()->AdvanceInsert() && !Grew;
    if (Forward && leftRight) {
        if (ACol + span.X < lastCol) {
            ACol += span.X + 1;
        } else if (ARow < lastRow) {
            ACol = firstCol;
            ++ARow;
        } else if (Navigation()->AdvanceInsert()) {
            if (!mayGrow) return false;
            bool canAdd = true;
            CanAddRow(canAdd);
            ACol = firstCol;
            if (canAdd) {
                Grew = true;
                AddRow();
                ++ARow;
                if (OnAutoAddRow) OnAutoAddRow(this, LastNavigableRow());
            }
        } else {
            ARow = FixedRows();
            ACol = firstCol;
        }
    } else if (Forward) {
        if (ARow < lastRow) {
            ++ARow;
        } else if (ACol < lastCol) {
            ARow = FixedRows();
            ACol += span.X + 1;
            if (ACol >= ColCount()) ACol = firstCol;
        } else if (Navigation()->AdvanceInsert()) {
            if (!mayGrow) return false;
            Grew = true;
            SetColCount(ColCount() + 1);
            ACol += span.X + 1;
            ARow = FixedRows();
            if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - 1 - FixedRightCols());
        } else {
            ARow = FixedRows();
            ACol = firstCol;
        }
        Repaint();
    } else if (leftRight) {
        if (ACol > firstCol) {
            --ACol;
        } else {
            ACol = lastCol;
            ARow = ARow <= FixedRows() ? lastRow : ARow - 1;
        }
    } else if (ARow > FixedRows()) {
        --ARow;
    } else {
        ARow = lastRow;
        ACol = ACol <= firstCol ? lastCol : ACol - 1;
    }
    return ACol >= 0 && ACol < ColCount() && ARow >= 0 && ARow < RowCount();
}

void RAdeRedeviDidi::AdvanceEdit(Integer ACol, Integer ARow, bool Forward, bool OpenEditor, bool Force) {
    if (!Navigation()->AdvanceOnEnter() && !Force) return;
    if (MouseActions()->RangeSelectAndEdit() && !Options().Contains(goEditing))
        SetOptions(Options().Include(goEditing));
    editStartChar_ = 0;
    if (FirstNavigableCol() > LastNavigableCol() || LastNavigableRow() < FixedRows()) return;
    // Cells that cannot be edited are passed over, for at most one pass over the grid.
    const Int64 pass = Int64{ColCount()} * RowCount();
    Integer col = ACol, row = ARow;
    bool grew = false;
    for (Int64 step = 0;; ++step) {
        if (step > pass || !NextAdvanceCell(col, row, Forward, grew)) return;
        if (IsCellEditable(RealColIndex(col), row)) break;
        if (col == ACol && row == ARow) return;
    }
    const TGridCoord old{Col(), Row()};
    bool allow = true;
    if (OnCellChanging) OnCellChanging(this, old.Y, old.X, row, col, allow);
    if (allow) {
        const TValueGuard advancing(advancing_, true);
        MoveTo(col, row);
    } else {
        SelectCell(old.X, old.Y);
    }
    const bool control = HasCellControl(col, row);
    if (OpenEditor || control) {
        // A check box, radio or button is pressed as the user would: the keys act on it from there.
        if (control) {
            SelectCell(old.X, old.Y);
            SelectCell(col, row);
            if (!HasCellControl(old.X, old.Y)) PressCell(col, row);
            if (Navigation()->AdvanceDirection() == adTopBottom) HideEditor();
        } else {
            ShowEditor();
        }
    }
    bool unused = true;
    if (OnCellChanging) OnCellChanging(this, old.Y, old.X, Row(), Col(), unused);
    // The typed editors take over here for the cells that are not edited in place.
    TEditorType type = edNormal;
    GetCellEditor(old.X, old.Y, type);
    if (!InPlaceEditorType(type)) HideEditor();
}

void RAdeRedeviDidi::PressCell(Integer ACol, Integer ARow) {
    TRect cell;
    CellRectEx(ACol, ARow, cell);
    const LPARAM at = MAKELPARAM(cell.Left + 2, cell.Top + 2);
    Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Perform(WM_LBUTTONUP, 0, at);
}

void RAdeRedeviDidi::TabStep(bool Backward) {
    if (!Options().Contains(goTabs)) return;
    if (OnKeyDown) {
        Word key = VK_TAB;
        OnKeyDown(this, key, Backward ? TShiftState{ssShift} : TShiftState{});
        if (key != VK_TAB) return;
    }
    const Integer firstCol = FirstNavigableCol(), lastCol = LastNavigableCol(), lastRow = LastNavigableRow();
    if (firstCol > lastCol || lastRow < FixedRows()) return;
    const TPoint span = GetCellSpan(Col(), Row());
    const bool leftRight = Navigation()->TabAdvanceDirection() == adLeftRight;
    Integer col = Col(), row = Row();
    bool wrapped = false;
    if (!Backward && leftRight) {
        if (col + span.X + 1 > lastCol) {
            col = firstCol;
            wrapped = row >= lastRow;
            row = wrapped ? FixedRows() : row + 1;
        } else {
            col += span.X + 1;
        }
    } else if (!Backward) {
        if (row + span.Y + 1 >= RowCount() - FixedFooters()) {
            row = FixedRows();
            wrapped = col >= lastCol;
            col = wrapped ? firstCol : col + 1;
        } else {
            row += span.Y + 1;
        }
    } else if (leftRight) {
        if (col > firstCol) {
            --col;
        } else {
            col = lastCol;
            row = row > FixedRows() ? row - 1 : lastRow;
        }
    } else if (row > FixedRows()) {
        --row;
    } else {
        row = lastRow;
        col = col > firstCol ? col - 1 : lastCol;
    }
    MoveTo(std::min(col, ColCount() - 1), std::min(row, RowCount() - 1));
    SelectBaseCell();
    // The key goes through the parent's own key handling: the focus moves on to the next control.
    if (wrapped && Navigation()->TabToNextAtEnd() && Parent()) PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
    if (Navigation()->AlwaysEdit() && CanFocus()) SetFocus();
}

// ---------------------------------------------------------------------------
// The edited cell and its commit

// The editor sits on the current cell; a current cell moved without a click (the counts changed) starts
// its edit from the text it has.
void RAdeRedeviDidi::KeepEditingCellCurrent() {
    if (!(editingCell_ == TGridCoord{Col(), Row()})) StartCellEdit(Col(), Row());
}

void RAdeRedeviDidi::StartCellEdit(Integer ACol, Integer ARow) {
    editingCell_ = {ACol, ARow};
    const Integer real = RealColIndex(ACol);
    startText_ = GetRawCell(real, ARow);
    startEditText_ = ShownEditText(ACol, ARow);
    startWideText_ = WideCells(real, ARow);
}

bool RAdeRedeviDidi::CommitEdit(bool Changed, const std::function<bool(Integer, Integer)>& Validate,
                                const std::function<void(Integer, Integer, bool)>& Store) {
    if (!editorShown_ || committing_) return true;
    editorShown_ = false;
    const Integer col = Col(), row = Row();
    bool valid = true;
    {
        const TValueGuard committing(committing_, true);
        const Integer real = RealColIndex(col);
        if (Changed || forceCommit_) {
            forceCommit_ = false;
            UpdateFooterColumn(real);
            valid = Validate(real, row);
            CellsChanged(Rect(real, row, real, row));
            if (!valid) HideEditor();
            Store(real, row, valid);
            if (!valid) MoveTo(col, row);
        }
        StartCellEdit(Col(), Row());
    }
    // Refused: the editor opens again on the cell, once the commit no longer keeps editors shut.
    if (!valid) {
        editorShown_ = true;
        ShowEditor();
    }
    return valid;
}

bool RAdeRedeviDidi::ValidateCell(const AnsiString& NewText) {
    AnsiString text = NewText, value;
    const auto validate = [&](Integer ACol, Integer ARow) {
        grdcheck::RAdeRedeviDidiCheck* checker = CellChecker();
        if (checker && checker->AutoCorrect()) text = checker->Correct(text);
        value = text;
        bool valid = true;
        if (OnCellValidate) OnCellValidate(this, ACol, ARow, value, valid);
        if (checker && checker->AutoCheck()) text = checker->Check(text);
        if (UndoRedo()) UndoRedo()->AddUndo(ACol, ARow, text, startText_);
        return valid;
    };
    // Refused: what the handler gave back, else the text the cell had.
    const auto store = [&](Integer ACol, Integer ARow, bool Valid) {
        WriteCell(ACol, ARow, Valid ? text : value != text ? value : startText_);
    };
    KeepEditingCellCurrent();
    return CommitEdit(NewText != startText_ && NewText != startEditText_, validate, store);
}

bool RAdeRedeviDidi::ValidateCellWide(const WideString& NewText) {
    WideString value = NewText;
    const auto validate = [&](Integer ACol, Integer ARow) {
        bool valid = true;
        if (OnCellValidateWide) OnCellValidateWide(this, ACol, ARow, value, valid);
        return valid;
    };
    const auto store = [&](Integer ACol, Integer ARow, bool Valid) {
        SetWideCells(ACol, ARow, Valid ? NewText : value != NewText ? value : startWideText_);
    };
    KeepEditingCellCurrent();
    return CommitEdit(NewText != startWideText_, validate, store);
}

}  // namespace ProGrid
