// The grid's in-place edit: its window styles, placement over the cell, colours, the messages it adds to
// the class library's editor (clipboard, focus, double click, the change the grid relays) and the grid's
// side of it.
#include <algorithm>

#include "ProGrid.h"
#include "ProGrid_Paint.h"
#include "ProUtil.h"
#include "vcl/Clipbrd.h"
#include "vcl/Windows.h"

namespace ProGrid {

using namespace BaseGrid;

VCL_IMPLEMENT_CLASS(TProInplaceEdit, nullptr, nullptr)

TProInplaceEdit::TProInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
    grid_ = dynamic_cast<RAdeRedeviDidi*>(AOwner);
}

void TProInplaceEdit::SetVAlign(bool Value) {
    if (vAlign_ == Value) return;
    vAlign_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TProInplaceEdit::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TProInplaceEdit::CreateParams(TCreateParams& Params) {
    TInplaceEdit::CreateParams(Params);
    if (auto* grid = dynamic_cast<RAdeRedeviDidi*>(Parent())) grid_ = grid;
    if (grid_) wordWrap_ = grid_->WordWrap();
    if (vAlign_) Params.Style |= ES_RIGHT;
    if (grid_ && grid_->CurrentEditorType() == edPassword) {
        Params.Style |= ES_PASSWORD;
        Params.Style &= ~ES_MULTILINE;
    }
    if (wordWrap_) Params.Style &= ~ES_AUTOHSCROLL;
    Params.Style |= ES_WANTRETURN;
    if (grid_ && !grid_->Navigation()->AllowCtrlEnter()) Params.Style &= ~ES_MULTILINE;
    lookupAllowed_ = true;
}

// A password character set for a password cell would stay with the edit for the next cell: every window
// made takes the one its cell asks for.
void TProInplaceEdit::CreateWnd() {
    TInplaceEdit::CreateWnd();
    if (!grid_) return;
    const bool password = grid_->CurrentEditorType() == edPassword;
    Perform(EM_SETPASSWORDCHAR, password ? static_cast<unsigned char>(grid_->PasswordChar()) : 0, 0);
    SetMaxLength(std::max(grid_->GetEditLimit(), 0));
}

// One pixel inside the cell (the whole of a merged one) so that the grid lines stay visible.
void TProInplaceEdit::BoundsChanged() {
    TInplaceEdit::BoundsChanged();
    if (!grid_) return;
    TRect cell;
    grid_->CellRectEx(grid_->Col(), grid_->Row(), cell);
    SetBounds(cell.Left, cell.Top, cell.Right - cell.Left - 1, cell.Bottom - cell.Top - 1);
    TRect text = Rect(2, 2, Width() - 2, Height());
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

// The window's styles follow the editor type: a password cell and the cell after it get a new window.
void TProInplaceEdit::UpdateContents() {
    if (grid_ && HandleAllocated()) {
        const bool password = grid_->CurrentEditorType() == edPassword;
        const bool passwordStyle = (static_cast<DWORD>(GetWindowLong(Handle(), GWL_STYLE)) & ES_PASSWORD) != 0;
        if (password != passwordStyle) RecreateWnd();
    }
    TInplaceEdit::UpdateContents();
    if (!grid_) return;
    // The cell's colours start from the grid's own, not from what the last painted cell left.
    TCanvas* canvas = grid_->Canvas();
    const TCanvasKeeper keeper(canvas);
    canvas->Font()->Assign(grid_->Font());
    canvas->Brush()->SetColor(grid_->Color());
    grid_->GetCellColor(grid_->RealCol(), grid_->Row(), canvas->Font(), canvas->Brush(), {});
    SetColor(canvas->Brush()->Color());
    Font()->Assign(canvas->Font());
}

void TProInplaceEdit::Change() {
    TInplaceEdit::Change();
    if (grid_ && grid_->OnEditChange) grid_->OnEditChange(grid_, grid_->Col(), grid_->Row(), Text());
}

// ---------------------------------------------------------------------------
// Messages

void TProInplaceEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
            if (WMKeyDown(Message)) return;
            break;
        case WM_CHAR:
            if (WMChar(Message)) return;
            break;
        case WM_COPY:
        case WM_CUT:
            if (grid_) {
                const auto& event = Message.Msg == WM_COPY ? grid_->OnClipboardCopy : grid_->OnClipboardCut;
                bool allow = true;
                if (event) event(this, allow);
                if (!allow) return;
            }
            break;
        case WM_PASTE:
            if (!grid_) break;
            WMPaste();
            return;
        case WM_LBUTTONDBLCLK:
            TInplaceEdit::Dispatch(Message);
            if (grid_ && grid_->OnDblClickCell) grid_->OnDblClickCell(grid_, grid_->Row(), grid_->Col());
            return;
        case WM_SETFOCUS: return WMSetFocus(Message);
        case WM_KILLFOCUS: return WMKillFocus(Message);
        case CM_WANTSPECIALKEY:
            if (Message.WParam == VK_TAB && grid_ && grid_->Options().Contains(goTabs)) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_COMMAND:
            // The grid hands the change it heard back: this is where the edit's own change fires.
            if (HIWORD(Message.WParam) == EN_CHANGE && HandleAllocated() &&
                Message.LParam == reinterpret_cast<LPARAM>(Handle())) {
                Change();
                return;
            }
            break;
        default: break;
    }
    TInplaceEdit::Dispatch(Message);
}

// A text that does not fit MaxLength, or that the editor type refuses, pastes nothing. The pasted part is
// selected when it replaced a selection, else the caret goes after it.
void TProInplaceEdit::WMPaste() {
    if (!Clipboard()->HasFormat(CF_TEXT)) return;
    AnsiString pasted = Clipboard()->AsText();
    bool allow = true;
    if (grid_->OnClipboardBeforePasteCell)
        grid_->OnClipboardBeforePasteCell(this, grid_->Col(), grid_->Row(), pasted, allow);
    if (!allow) return;
    const AnsiString& text = Text();
    const auto start = static_cast<std::size_t>(std::clamp<Integer>(SelStart(), 0, static_cast<Integer>(text.size())));
    const std::size_t length =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(SelLength(), 0)), text.size() - start);
    AnsiString changed = text;
    changed.replace(start, length, pasted);
    if (MaxLength() > 0 && static_cast<Integer>(changed.size()) > MaxLength()) return;
    if (grid_->OnClipboardPaste) grid_->OnClipboardPaste(this, allow);
    if (!allow) return;
    if (!ConformToType(changed)) return;
    SetText(changed);
    const auto pastedStart = static_cast<Integer>(start), pastedLength = static_cast<Integer>(pasted.size());
    SetSelStart(length > 0 ? pastedStart : pastedStart + pastedLength);
    SetSelLength(length > 0 ? pastedLength : 0);
}

bool TProInplaceEdit::ConformToType(AnsiString& S) const {
    switch (grid_->CurrentEditorType()) {
        case edNumeric: return ProUtil::ClassifyNumber(S) == 0;
        // A minus sign is refused here as it is when typed.
        case edPositiveNumeric: return ProUtil::ClassifyNumber(S) == 0 && S.find('-') == AnsiString::npos;
        case edFloat: return ProUtil::ClassifyNumber(S) <= 1;
        case edMixedCase: S = ProUtil::MixedCaseStr(S); return true;
        case edLowerCase: S = AnsiLowerCase(S); return true;
        case edCapital:
        case edUpperCase: S = AnsiUpperCase(S); return true;
        default: return true;
    }
}

void TProInplaceEdit::WMSetFocus(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
    // A window made anew keeps its caret.
    if (!grid_ || ControlState().Contains(csRecreating)) return;
    if (!EditMask().empty() && grid_->Navigation()->ImproveMaskSel() && !grid_->CaretAtClick()) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!grid_->Navigation()->EditSelectAll()) {
        SetSelStart(static_cast<Integer>(Text().size()));
        SetSelLength(1);
    }
    if (!grid_->CaretAtClick()) return;
    POINT mouse{};
    GetCursorPos(&mouse);
    const TPoint at = ScreenToClient(mouse);
    if (!ClientRect().Contains(at)) return;
    const auto index = LOWORD(Perform(EM_CHARFROMPOS, 0, MAKELPARAM(at.X, at.Y)));
    SetSelStart(index);
    SetSelLength(0);
    grid_->SetCaretAtClick(false);
}

// Leaving for another control commits the text; leaving for the grid leaves that to the grid's keys and
// mouse. Either way the edit ends here.
void TProInplaceEdit::WMKillFocus(TMessage& Message) {
    // A window made anew keeps the focus and the edit.
    if (!grid_ || ControlState().Contains(csRecreating)) return TInplaceEdit::Dispatch(Message);
    grid_->editStartChar_ = 0;
    TStringList* items = grid_->LookupItems();
    if (grid_->LookupHistory() && items->IndexOf(Text()) < 0) items->Add(Text());
    TInplaceEdit::Dispatch(Message);
    const bool toGrid = grid_->HandleAllocated() && Message.WParam == reinterpret_cast<WPARAM>(grid_->Handle());
    // The grid closing its editor takes the focus first: closing it again from here would lose the focus.
    if (!toGrid) {
        grid_->ValidateCell(Text());
        TakeCurrentRaw();
        grid_->HideCellEditor();
    }
    grid_->editorShown_ = false;
    grid_->SelectCell(grid_->Col(), grid_->Row());
    TakeCurrentRaw();
    if (grid_->OnEditingDone) grid_->OnEditingDone(grid_);
}

void TProInplaceEdit::TakeCurrentRaw() {
    const AnsiString raw = grid_->GetCurrentRaw();
    if (raw != Text()) SetText(raw);
}

void TProInplaceEdit::CaretToEnd() {
    if (grid_->Navigation()->EditSelectAll()) {
        SelectAll();
    } else {
        SetSelStart(static_cast<Integer>(Text().size()));
        SetSelLength(0);
    }
}

bool TProInplaceEdit::CommitForKey() {
    if (grid_->ValidateCell(Text())) {
        TakeCurrentRaw();
        return true;
    }
    TakeCurrentRaw();
    CaretToEnd();
    Invalidate();
    return false;
}

// ---------------------------------------------------------------------------
// The grid's side

TInplaceEdit* RAdeRedeviDidi::CreateEditor() { return new TProInplaceEdit(this); }

TProInplaceEdit* RAdeRedeviDidi::ProInplaceEdit() const { return dynamic_cast<TProInplaceEdit*>(InplaceEditor()); }

}  // namespace ProGrid
