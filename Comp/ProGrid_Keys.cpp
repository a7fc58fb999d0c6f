// The grid's keyboard: its key-down steps around the class library's cursor movement (control cells,
// Home and End, skipping fixed cells, the clipboard and row short-cuts, disjunct selection), characters,
// incremental search on the sort column, focus and dialog characters.
#include "ProGrid.h"
#include "vcl/ScopeGuard.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

// The scan-code bit of the numeric pad's decimal key in a character's key data.
constexpr LPARAM KeypadKeyData = LPARAM{1} << 22;

bool Pressed(int VirtualKey) { return GetKeyState(VirtualKey) < 0; }

// The shift keys as they stood when the message being handled was sent.
TShiftState MessageShiftState() {
    TShiftState shift;
    if (Pressed(VK_SHIFT)) shift.Include(ssShift);
    if (Pressed(VK_CONTROL)) shift.Include(ssCtrl);
    if (Pressed(VK_MENU)) shift.Include(ssAlt);
    return shift;
}

bool IsArrow(Word Key) { return Key >= VK_LEFT && Key <= VK_DOWN; }

bool IsSelectionKey(Word Key) { return IsArrow(Key) || (Key >= VK_PRIOR && Key <= VK_HOME); }

}  // namespace

bool RAdeRedeviDidi::KeyMessage(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: WMKeyDown(Message); return true;
        case WM_CHAR: WMChar(Message); return true;
        case WM_SETFOCUS: WMSetFocus(Message); return true;
        case CM_DIALOGCHAR:
            // Accelerators without Alt never take the characters typed into the grid.
            if (!(Message.LParam & KF_ALTDOWN_BIT)) {
                Message.WParam = 0;
                Message.Result = 0;
                return true;
            }
            return false;
        default: return false;
    }
}

// ---------------------------------------------------------------------------
// Key down

void RAdeRedeviDidi::WMKeyDown(TMessage& Message) {
    previousSelection_ = Selection();
    const TShiftState shift = MessageShiftState();
    const Word key = TWMKey(Message).CharCode();
    ControlCellKey(key);
    if (HomeEndKey(key, shift)) return;
    if (key == VK_TAB && Options().Contains(goTabs)) return TabStep(shift.Contains(ssShift));
    if (Navigation()->SkipFixedCells() && IsArrow(key) && SkipFixedCellsKey(key)) {
        TWMKey(Message).SetCharCode(0);
        return RepaintSelectionChange();
    }
    RepaintSelectionChange();
    const Integer leftCol = LeftCol();
    TBaseGrid::WndProc(Message);
    if ((key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) && Options().Contains(goRowSelect) &&
        Navigation()->KeepHorizScroll())
        SetLeftColLocked(leftCol);
    RepaintSelectionChange();
    if (ClipboardShortCut(key, shift)) return;
    RowShortCut(key, shift);
    DisjunctSelectKey(key, shift);
}

void RAdeRedeviDidi::ControlCellKey(Word Key) {
    if ((Key != VK_RETURN && Key != VK_SPACE) || !HasCellControl(Col(), Row())) return;
    bool editable = Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit();
    CanEdit(Col(), Row(), editable);
    if (!editable) return;
    const Integer col = Col(), row = Row();
    const TCellType type = GetCellType(col, row);
    if (Key == VK_SPACE && type == ctRadio) {
        NextRadioItem(col, row, true);
        Integer index = 0;
        GetRadioIndex(col, row, index);
        if (OnRadioClick) OnRadioClick(this, col, row, index);
    } else if (Key == VK_SPACE && type != ctButton) {
        ToggleCheck(col, row, true);
        bool state = false;
        GetCheckBoxState(col, row, state);
        if (OnCheckBoxClick) OnCheckBoxClick(this, col, row, state);
    } else if (type == ctButton && OnButtonClick) {
        OnButtonClick(this, col, row);
    }
    RepaintCell(col, row);
}

void RAdeRedeviDidi::KeyDown(Word& Key, TShiftState Shift) {
    if (Key != VK_TAB || !Options().Contains(goTabs) || Shift.Contains(ssAlt)) return TBaseGrid::KeyDown(Key, Shift);
    TabStep(Shift.Contains(ssShift));
    Key = 0;
}

bool RAdeRedeviDidi::HomeEndKey(Word Key, TShiftState Shift) {
    if (Key != VK_HOME && Key != VK_END) return false;
    if (Navigation()->HomeEndKey() == heFirstLastRow) {
        Integer row = FixedRows();
        if (Key == VK_END) row = FloatingFooter()->Visible() && RowCount() > 2 ? RowCount() - 2 : LastNavigableRow();
        // A grid of fixed rows and footers alone has no row to go to.
        if (row >= FixedRows() && row < RowCount()) MoveTo(Col(), row);
        SelectBaseCell();
        if (MouseActions()->DisjunctRowSelect()) {
            ClearRowSelect();
            SetRowSelect(RowFlagIndex(Row()), true);
        }
    } else if (Options().Contains(goRowSelect)) {
        const Integer col = Key == VK_HOME ? FirstNavigableCol() : ColCount() - 1;
        if (col < ColCount()) MoveTo(col, Row());
        SelectBaseCell();
        SetLeftCol(Key == VK_HOME ? FirstNavigableCol() : ColCount() - VisibleColCount());
    } else {
        return false;
    }
    Word key = Key;
    if (OnKeyDown) OnKeyDown(this, key, Shift);
    return true;
}

// The arrow's neighbour is fixed: the run of fixed cells behind it is jumped, or the key goes unused.
bool RAdeRedeviDidi::SkipFixedCellsKey(Word Key) {
    const bool vertical = Key == VK_UP || Key == VK_DOWN;
    const Integer step = Key == VK_LEFT || Key == VK_UP ? -1 : 1;
    const Integer from = (vertical ? Row() : Col()) + step;
    const Integer last = vertical ? (step < 0 ? FixedRows() : RowCount() - FixedFooters() - 1)
                                  : (step < 0 ? FixedCols() : ColCount() - FixedRightCols() - 1);
    const auto cellAt = [&](Integer i) { return vertical ? TGridCoord{Col(), i} : TGridCoord{i, Row()}; };
    const auto inGrid = [&](Integer i) { return i >= 0 && i < (vertical ? RowCount() : ColCount()); };
    if (!inGrid(from) || !IsFixedCell(cellAt(from).X, cellAt(from).Y)) return false;
    for (Integer i = from; step < 0 ? i >= last : i <= last; i += step) {
        if (!inGrid(i)) break;
        const TGridCoord cell = cellAt(i);
        if (!IsFixedCell(cell.X, cell.Y)) {
            MoveTo(cell.X, cell.Y);
            break;
        }
    }
    return true;
}

void RAdeRedeviDidi::RepaintSelectionChange() {
    const TGridRect now = Selection();
    if (!SelectionRectangle() || now == previousSelection_) return;
    const TGridRect& old = previousSelection_;
    RepaintRect(Rect(std::min(old.Left, now.Left), std::min(old.Top, now.Top), std::max(old.Right, now.Right),
                     std::max(old.Bottom, now.Bottom)));
    previousSelection_ = now;
}

bool RAdeRedeviDidi::ClipboardShortCut(Word Key, TShiftState Shift) {
    if (!Navigation()->AllowClipboardShortCuts()) return false;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const auto offer = [this](const TClipboardEvent& Event) {
        bool allow = true;
        if (Event) Event(this, allow);
        return allow;
    };
    if ((ctrl && Key == 'X') || (shift && Key == VK_DELETE)) {
        if (offer(OnClipboardCut)) CutToClipboard();
    } else if ((ctrl && Key == 'V') || (shift && Key == VK_INSERT)) {
        if (offer(OnClipboardPaste)) PasteSelectionFromClipboard();
    } else if (ctrl && (Key == 'C' || Key == VK_INSERT)) {
        if (offer(OnClipboardCopy)) CopyToClipboard();
    } else if (ctrl && Key == 'A' && (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect))) {
        const TGridRect all{FirstNavigableCol(), FixedRows(), ColCount() - 1 - FixedRightCols(), LastNavigableRow()};
        if (all.Left <= all.Right && all.Top <= all.Bottom) SetSelection(all);
    } else {
        return false;
    }
    return true;
}

void RAdeRedeviDidi::RowShortCut(Word Key, TShiftState Shift) {
    if (Key == VK_INSERT && Shift.Empty() && Navigation()->AllowInsertRow()) {
        bool allowed = true;
        CanInsertRow(Row(), allowed);
        if (!allowed) return;
        // The inserted row becomes the current one.
        Integer at = Row();
        if (Navigation()->InsertPosition() == pInsertAfter) {
            if (FixedRowAlways() && RowCount() == FixedRows()) at = 1;
            else ++at;
        }
        AutoInsertRow(at);
        if (at < RowCount()) MoveTo(Col(), at);
        UpdateFooterAll();
    } else if (Key == VK_DELETE && !Shift.Contains(ssAlt) && Navigation()->AllowDeleteRow() &&
               LastNavigableRow() >= FixedRows()) {
        bool allowed = true;
        if (OnCanDeleteRow) OnCanDeleteRow(this, Row(), allowed);
        if (!allowed) return;
        AutoDeleteRow(Row());
        UpdateFooterAll();
    }
}

void RAdeRedeviDidi::DisjunctSelectKey(Word Key, TShiftState Shift) {
    const TMouseActions* actions = MouseActions();
    if (Key == VK_SPACE) {
        if (actions->DisjunctRowSelect()) SetRowSelect(RowFlagIndex(Row()), !RowSelect(RowFlagIndex(Row())));
        if (actions->DisjunctColSelect()) SetColSelect(Col(), !ColSelect(Col()));
        return;
    }
    if (!IsSelectionKey(Key)) return;
    const bool shift = Shift.Contains(ssShift), plain = !shift && !Shift.Contains(ssCtrl);
    const TGridRect sel = Selection();
    if (actions->DisjunctRowSelect()) {
        if (plain) ClearRowSelect();
        if (!shift) SetRowSelect(RowFlagIndex(Row()), true);
        else
            for (Integer row = sel.Top; row <= sel.Bottom; ++row) SetRowSelect(RowFlagIndex(row), true);
    }
    if (actions->DisjunctColSelect()) {
        if (plain) ClearColSelect();
        if (!shift) SetColSelect(Col(), true);
        else
            for (Integer col = sel.Left; col <= sel.Right; ++col) SetColSelect(col, true);
    }
}

void RAdeRedeviDidi::SetLeftColLocked(Integer Value) {
    ++scrollLock_;
    const TScopeExit unlock([this] { scrollLock_ = 0; });
    SetLeftCol(Value);
}

// ---------------------------------------------------------------------------
// Characters

void RAdeRedeviDidi::WMChar(TMessage& Message) {
    TWMKey key(Message);
    char ch = static_cast<char>(key.CharCode());
    if (Navigation()->AllowClipboardShortCuts() && Pressed(VK_CONTROL) && (ch == 3 || ch == 22 || ch == 24)) return;
    const bool control = HasCellControl(Col(), Row());
    if (MouseActions()->RangeSelectAndEdit() && !control && IsCellEditable(RealCol(), Row())) {
        editStartChar_ = ch;
        if (!Options().Contains(goEditing)) SetOptions(Options().Include(goEditing));
        const TRect shown = CellRect(Col(), Row());
        TRect whole;
        CellRectEx(Col(), Row(), whole);
        if (shown.IsEmpty() || shown.Width() < whole.Width() || shown.Height() < whole.Height())
            ScrollInView(Col(), Row());
        PressCell(Col(), Row());
    }
    if (ch == '.' && (Message.LParam & KeypadKeyData) && ExcelStyleDecimalSeparator()) ch = DecimalSeparator;
    if (control && ch != '\r') return;
    const auto byte = static_cast<unsigned char>(ch);
    if (Options().Contains(goEditing) && (byte >= ' ' || ch == '\b')) {
        if (OnKeyPress) OnKeyPress(this, ch);
        editStartChar_ = ch;
        if (ch != 0 && !control && CanEditModify()) ShowEditorChar(ch);
        // A character that opened no editor (none for the cell, or a refusal) starts no later one.
        if (!InplaceEditor() || !InplaceEditor()->Visible()) editStartChar_ = 0;
        return;
    }
    key.SetCharCode(static_cast<Byte>(ch));
    TBaseGrid::WndProc(Message);
}

void RAdeRedeviDidi::KeyPress(char& Key) {
    // Esc while editing brings the cell's text back through the class library's editor handling; the
    // typed editors add their own restoring here.
    if (Key == '\r' && (!Focused() || HasCellControl(Col(), Row()))) {
        // The in-place edit commits its text before the grid moves on; refused, the editor stays.
        if (InplaceEditor() && InplaceEditor()->Focused() && !ValidateCell(InplaceEditor()->Text())) {
            Key = 0;
            return;
        }
        const TGridCoord old{Col(), Row()};
        AdvanceEdit(Col(), Row(), true, false, false);
        if (HasCellControl(old.X, Row())) {
            if (OnKeyPress) OnKeyPress(this, Key);
            return;
        }
        // Moved on: the class library's Enter would open the editor again on the new cell.
        if (old.X != Col() || old.Y != Row()) return;
    }
    if (!Options().Contains(goEditing) && Navigation()->AutoGotoWhenSorted()) IncrementalSearch(Key);
    TBaseGrid::KeyPress(Key);
}

void RAdeRedeviDidi::IncrementalSearch(char Key) {
    if (!Navigation()->AutoGotoIncremental()) searchText_ = AnsiString(1, Key);
    else if (Key == '\b') {
        if (!searchText_.empty()) searchText_.pop_back();
    } else searchText_ += Key;
    // A footer row is found but not entered.
    const Integer found = FindRowByPrefix(AnsiUpperCase(searchText_));
    if (found >= FixedRows() && found <= LastNavigableRow()) MoveTo(Col(), found);
}

// Upper-cased a character at a time: the same comparison as upper-casing the cell's prefix, without
// a copy of it per row.
Integer RAdeRedeviDidi::FindRowByPrefix(const AnsiString& Text) {
    if (RowCount() < 2) return -1;
    const Integer col = SortSettings()->Show() ? SortSettings()->Column() : 1;
    if (col < 0 || col >= ColCount()) return -1;
    const auto startsWith = [&Text](const AnsiString& Cell) {
        if (Cell.size() < Text.size()) return false;
        for (std::size_t i = 0; i < Text.size(); ++i)
            if (AnsiUpperChar(Cell[i]) != Text[i]) return false;
        return true;
    };
    AnsiString cell;
    for (Integer row = FixedRows(); row < RowCount(); ++row) {
        cell = Cells(col, row);
        GetDisplText(col, row, cell);
        if (startsWith(cell)) return row;
    }
    return -1;
}

void RAdeRedeviDidi::KeyUp(Word& Key, TShiftState Shift) {
    if (IsSelectionKey(Key) || Key == VK_INSERT || Key == VK_DELETE) searchText_.clear();
    TBaseGrid::KeyUp(Key, Shift);
    const bool reopen = IsArrow(Key) || (Key == VK_TAB && Options().Contains(goTabs));
    if (Navigation()->AlwaysEdit() && reopen) ShowInplaceEditor();
}

// ---------------------------------------------------------------------------
// Focus

void RAdeRedeviDidi::WMSetFocus(TMessage& Message) {
    TBaseGrid::WndProc(Message);
    const TPoint base = BaseCell(Col(), Row());
    if (GetCellType(base.X, base.Y) == ctCheckBox) return;
    if (Navigation()->AlwaysEdit() && !CellRect(Col(), Row()).IsEmpty() && !HasCellControl(Col(), Row())) ShowEditor();
    if ((RowCount() == 1 && FixedRowAlways()) || (ColCount() == 1 && FixedColAlways())) HideSelection();
}

void RAdeRedeviDidi::DoEnter() {
    TBaseGrid::DoEnter();
    SelectCell(Col(), Row());
    StartCellEdit(Col(), Row());
}

void RAdeRedeviDidi::Click() {
    TBaseGrid::Click();
    StartCellEdit(Col(), Row());
}

Integer RAdeRedeviDidi::GetEditLimit() { return MaxEditLength(); }

}  // namespace ProGrid
