// The grid's in-place editor and the grid's side of editing: showing, moving and hiding the editor, writing
// its text to the cell at every change and when it closes.
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/Windows.h"

VCL_IMPLEMENT_CLASS(TInplaceEdit, nullptr, nullptr)

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    grid_ = dynamic_cast<TCustomGrid*>(AOwner);
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    SetVisible(false);
    SetTabStop(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
}

void TInplaceEdit::UpdateContents() {
    if (!grid_) return;
    const Integer limit = grid_->GetEditLimit();
    SetMaxLength(limit > 0 ? limit : 0);
    SetReadOnly(limit < 0);
    updating_ = true;
    try {
        SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

void TInplaceEdit::Move(const TRect& Loc) {
    SetBounds(Loc.Left, Loc.Top, Loc.Right - Loc.Left, Loc.Bottom - Loc.Top);
    TRect text = Rect(2, 2, Width() - 2, Height());
    SendMessage(Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&text));
    SetVisible(true);
}

void TInplaceEdit::Hide() {
    if (!Visible()) return;
    const bool hadFocus = Focused();
    SetVisible(false);
    if (hadFocus && grid_ && grid_->CanFocus()) ::SetFocus(grid_->Handle());
}

// The keys that move between cells or open and close the editor belong to the grid.
bool TInplaceEdit::ForwardsKey(Word Key, TShiftState Shift) const {
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_ESCAPE:
        case VK_RETURN:
        case VK_F2: return true;
        case VK_HOME:
        case VK_END: return Shift.Contains(ssCtrl);
        case VK_LEFT: return SelLength() == 0 && SelStart() == 0;
        case VK_RIGHT: return SelLength() == 0 && SelStart() == static_cast<Integer>(Text().size());
        case VK_TAB: return grid_ && grid_->Options().Contains(goTabs) && !Shift.Contains(ssAlt);
        default: return false;
    }
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == 0 || !grid_ || !ForwardsKey(Key, Shift)) return;
    grid_->KeyDown(Key, Shift);
    Key = 0;
}

// Enter goes to the grid, which closes the editor; Tab and Esc did their work as keys. None types a character.
void TInplaceEdit::KeyPress(char& Key) {
    if (Key == '\r' && grid_) grid_->KeyPress(Key);
    if (Key == '\t' || Key == '\r' || Key == 27) {
        Key = 0;
        return;
    }
    if (grid_ && static_cast<unsigned char>(Key) >= ' ' && !grid_->CanEditModify()) Key = 0;
    if (Key) TCustomMaskEdit::KeyPress(Key);
}

// A press on the grid that moved the editor under the mouse, then a press on the editor soon after, is the
// user's double click.
void TInplaceEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN && clicked_ && GetTickCount() - clickTime_ < GetDoubleClickTime())
        Message.Msg = WM_LBUTTONDBLCLK;
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) clicked_ = false;
    TCustomMaskEdit::WndProc(Message);
}

void TInplaceEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            TCustomMaskEdit::Dispatch(Message);
            if (grid_ && grid_->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
            return;
        case WM_SETFOCUS:
            // The grid stays the form's active control while its editor has the focus.
            DefaultHandler(Message);
            if (TCustomForm* form = GetParentForm(this); form && grid_) form->SetFocusedControl(grid_);
            return;
        case CN_COMMAND:
            // The change goes to the grid, which writes the cell; the editor's own OnChange stays quiet.
            if (HIWORD(Message.WParam) == EN_CHANGE) {
                if (!updating_ && grid_) grid_->Perform(WM_COMMAND, Message.WParam, reinterpret_cast<LPARAM>(Handle()));
                return;
            }
            break;
        default: break;
    }
    TCustomMaskEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// The grid's side

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanEditShow() {
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) &&
           (options_.Contains(goAlwaysShowEditor) || IsActiveControl()) && !ComponentState().Contains(csDesigning);
}

bool TCustomGrid::CanEditModify() { return GetEditLimit() >= 0; }

Integer TCustomGrid::GetEditLimit() { return 0; }

TRect TCustomGrid::EditorRect() const { return CellRect(Col(), Row()); }

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value) ShowEditor();
    else HideEditor();
}

void TCustomGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    editorMode_ = false;
    if (!editor_ || !editor_->Visible()) return;
    WriteEditText();
    editor_->Hide();
    InvalidateCell(Col(), Row());
}

void TCustomGrid::WriteEditText() {
    if (!editor_ || !editor_->Visible()) return;
    writingEditText_ = true;
    try {
        SetEditText(Col(), Row(), editor_->Text());
    } catch (...) {
        writingEditText_ = false;
        throw;
    }
    writingEditText_ = false;
}

void TCustomGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    if (editor_ && editor_->Visible()) PostMessage(editor_->Handle(), WM_CHAR, static_cast<unsigned char>(Ch), 0);
}

void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) {
        if (editor_ && editor_->Visible()) editor_->Hide();
        return;
    }
    if (!editor_) {
        editor_ = CreateEditor();
        editor_->SetParent(this);
    }
    // Asked once more: a handler may have changed its mind while the editor was made.
    if (!CanEditShow()) return;
    const bool showing = editor_->Visible();
    if (!showing || !(editCell_ == current_)) {
        editCell_ = current_;
        editor_->UpdateContents();
        editOriginal_ = editor_->Text();
        editor_->SelectAll();
    }
    editor_->Move(EditorRect());
    InvalidateCell(Col(), Row());
    // The window takes the focus, not the form's active control: that stays the grid.
    if (Focused() && !showing) ::SetFocus(editor_->Handle());
}

void TCustomGrid::CellTextChanged(Integer ACol, Integer ARow) {
    if (writingEditText_ || !editor_ || !editor_->Visible() || ACol != Col() || ARow != Row()) return;
    editor_->UpdateContents();
}
