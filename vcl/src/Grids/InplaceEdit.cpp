// The grid's in-place editor and the grid's side of editing: showing, moving and hiding the editor, writing
// its text to the cell at every change and when it closes.
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

VCL_IMPLEMENT_CLASS(TInplaceEdit, nullptr, nullptr)

namespace {

// The key data of the character the grid hands to its editor: a repeat count of one and a reserved bit
// no keyboard sets, so the editor knows the grid's KeyPress had it already.
constexpr LPARAM CharFromGridKeyData = 1 | (1 << 25);

}  // namespace

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
    const TValueGuard updating(updating_, true);
    SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
}

void TInplaceEdit::Deselect() {
    SetSelStart(static_cast<Integer>(Text().size()));
    SetSelLength(0);
}

void TInplaceEdit::Move(const TRect& Loc) {
    SetBounds(Loc.Left, Loc.Top, Loc.Right - Loc.Left, Loc.Bottom - Loc.Top);
    TRect text = Rect(2, 2, Width() - 2, Height());
    SendMessage(Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&text));
    SetVisible(true);
}

// The grid takes the focus before the editor goes, so that it never passes through the form (which would
// make the grid exit).
void TInplaceEdit::Hide() {
    if (!Visible()) return;
    if (Focused() && grid_ && grid_->CanFocus()) ::SetFocus(grid_->Handle());
    SetVisible(false);
}

// The keys that move between cells or open and close the editor belong to the grid. Sideways keys stay
// with the text unless the editor always shows, and then only at the text's edge (a whole selection is at
// both edges) or with Ctrl.
bool TInplaceEdit::ForwardsKey(Word Key, TShiftState Shift) const {
    const bool alwaysShown = grid_->Options().Contains(goAlwaysShowEditor);
    const Integer length = static_cast<Integer>(Text().size());
    const Integer start = SelStart(), end = SelStart() + SelLength();
    const bool leftEdge = start == 0 && (end == start || end == length);
    const bool rightEdge = end == length && (start == 0 || end == start);
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_ESCAPE:
        case VK_RETURN:
        case VK_F2: return true;
        case VK_LEFT:
        case VK_HOME: return alwaysShown && (Shift.Contains(ssCtrl) || leftEdge);
        case VK_RIGHT:
        case VK_END: return alwaysShown && (Shift.Contains(ssCtrl) || rightEdge);
        case VK_TAB: return grid_->Options().Contains(goTabs) && !Shift.Contains(ssAlt);
        default: return false;
    }
}

// The grid's handlers hear the editor's keys: a key the grid does not take fires the grid's OnKeyDown
// (its Sender the grid) before the editor's own handling.
void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (!grid_) return TCustomMaskEdit::KeyDown(Key, Shift);
    if (ForwardsKey(Key, Shift)) {
        grid_->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (grid_->OnKeyDown) grid_->OnKeyDown(grid_, Key, Shift);
    if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

// The grid's KeyPress sees every character first (once: the one that opened the editor it had already), and a character
// its handler drops is not typed. Enter goes to the grid, which closes the editor; Tab and Esc did their work as keys.
void TInplaceEdit::KeyPress(char& Key) {
    if (grid_ && !charFromGrid_) grid_->KeyPress(Key);
    if (Key == '\t' || Key == '\r' || Key == 27) Key = 0;
    if (Key == 0) return;
    const bool edits = static_cast<unsigned char>(Key) >= ' ' || Key == '\b';
    if (grid_ && edits && !grid_->CanEditModify()) Key = 0;
    if (Key) TCustomMaskEdit::KeyPress(Key);
}

// A press on the grid that moved the editor under the mouse, then a press on the editor soon after, is the
// user's double click.
void TInplaceEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN && clicked_ && GetTickCount() - clickTime_ < GetDoubleClickTime())
        Message.Msg = WM_LBUTTONDBLCLK;
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) clicked_ = false;
    const TValueGuard fromGrid(charFromGrid_, Message.Msg == WM_CHAR && Message.LParam == CharFromGridKeyData);
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
        case WM_MOUSEWHEEL:
            // The wheel turns the grid's rows, not the text.
            if (grid_) {
                Message.Result = grid_->Perform(Message.Msg, Message.WParam, Message.LParam);
                return;
            }
            break;
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

// Shown from code, the editor has the caret after the text and nothing selected. A current cell scrolled
// out of view comes back into view to be edited.
void TCustomGrid::SetEditorMode(bool Value) {
    if (!Value) return HideEditor();
    if (EditorRect().IsEmpty()) ClampInView(current_);
    ShowEditor();
    if (editor_ && editor_->Visible()) editor_->Deselect();
}

void TCustomGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    editorMode_ = false;
    editCell_ = {-1, -1};
    if (!editor_ || !editor_->Visible()) return;
    WriteEditText();
    editor_->Hide();
    InvalidateCell(Col(), Row());
}

void TCustomGrid::WriteEditText() {
    if (!editor_ || !editor_->Visible()) return;
    const TValueGuard writing(writingEditText_, true);
    SetEditText(Col(), Row(), editor_->Text());
}

// The character replaces the whole text.
void TCustomGrid::ShowEditorChar(char Ch) {
    SetEditorMode(true);
    if (!editor_ || !editor_->Visible()) return;
    editor_->SelectAll();
    PostMessage(editor_->Handle(), WM_CHAR, static_cast<unsigned char>(Ch), CharFromGridKeyData);
}

// The editor takes the cell's text when it comes to another cell (or comes back after it was closed);
// while its cell is scrolled out of view it hides, keeping what was typed, and the grid has the focus.
void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) {
        editCell_ = {-1, -1};
        if (editor_ && editor_->Visible()) editor_->Hide();
        return;
    }
    if (!editor_) {
        editor_ = CreateEditor();
        editor_->SetParent(this);
        editCell_ = {-1, -1};
    }
    // Asked once more: a handler may have changed its mind while the editor was made.
    if (!CanEditShow()) return;
    const TRect where = EditorRect();
    const bool showing = editor_->Visible();
    if (where.IsEmpty()) {
        if (showing) editor_->Hide();
        return;
    }
    if (!(editCell_ == current_)) {
        editCell_ = current_;
        editor_->UpdateContents();
        editOriginal_ = editor_->Text();
        editor_->SelectAll();
    }
    editor_->Move(where);
    InvalidateCell(Col(), Row());
    // The window takes the focus, not the form's active control: that stays the grid.
    if (Focused() && !showing) ::SetFocus(editor_->Handle());
}

// The open editor shows the new text whole, selected.
void TCustomGrid::CellTextChanged(Integer ACol, Integer ARow) {
    if (writingEditText_ || !editor_ || !editor_->Visible() || ACol != Col() || ARow != Row()) return;
    editor_->UpdateContents();
    editor_->SelectAll();
}
