// The typed edit's mouse: URL opening, dragging the selection out, drops at the drop caret, and the hint
// that shows a value too wide for the edit.
#include <algorithm>

#include "ProEdit.h"
#include "vcl/ShellAPI.h"
#include "vcl/Windows.h"

namespace ProEdit {

namespace {

TPoint PointFrom(LRESULT Packed) {
    const auto bits = static_cast<std::uintptr_t>(Packed);
    return Point(LoSmall(bits), HiSmall(bits));
}

// The part of a dropped text that goes in: up to its first carriage return, then its first line feed.
AnsiString FirstLine(const AnsiString& Text) {
    AnsiString line = Text.substr(0, Text.find('\r'));
    return line.substr(0, line.find('\n'));
}

}  // namespace

Integer TProEdit::CharAt(TPoint Client) {
    const LRESULT at = Perform(EM_CHARFROMPOS, 0, MakeLParam(Client.X, Client.Y));
    return LOWORD(static_cast<std::uintptr_t>(at));
}

// The window reports no place after the last character: there it is the last one's place plus its width
// in the edit's font; an empty edit puts it at the formatting rectangle's start.
TPoint TProEdit::CharPos(Integer Index) {
    const AnsiString& window = StoredText();
    const auto length = static_cast<Integer>(window.size());
    if (Index < length) {
        const LRESULT at = Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
        if (at != -1) return PointFrom(at);
    }
    if (length == 0) {
        TRect format{};
        Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return Point(format.Left, format.Top);
    }
    const TPoint last = PointFrom(Perform(EM_POSFROMCHAR, static_cast<WPARAM>(length - 1), 0));
    TBitmap measure;
    measure.Canvas()->SetFont(Font());
    const char shown = PasswordChar() ? PasswordChar() : window.back();
    return Point(last.X + measure.Canvas()->TextWidth(AnsiString(1, shown)), last.Y);
}

// The caret is a one-pixel column as tall as the font, from the character's top down, drawn by the paint.
void TProEdit::SetDropCaret(TPoint Client) {
    if (Client == dropCaret_) return;
    dropCaret_ = Client;
    Invalidate();
}

// ---------------------------------------------------------------------------
// The mouse

void TProEdit::WMLButtonDown(TMessage& Message) {
    TWMLButtonDown msg(Message);
    const Integer at = CharAt(msg.Pos());
    if (urlLook_ && Focused() && showURL_ && !PasswordField())
        ShellExecuteA(Handle(), "open", Text().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Held back only when a drag may follow: otherwise the press selects as always.
    const bool inSelection = HasSelection() && at >= SelStart() && at <= SelStart() + SelLength();
    if (inSelection && Focused() && oleDropSource_ && !PasswordField()) {
        dragPending_ = true;
        return;
    }
    TCustomEdit::Dispatch(Message);
}

// A drag starts on the first move after a press in the selection. The selection goes only when the drop
// moved it; a read-only edit offers a copy only.
void TProEdit::WMMouseMove(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (HasSelection() && dragPending_ && oleDropSource_) {
        dragPending_ = false;
        const AnsiString text = SelText();
        DWORD effect = DROPEFFECT_NONE;
        draggingFromSelf_ = true;
        Integer result = 0;
        try {
            result = ProEddd::StartTextDoDragDrop(
                text, "", ReadOnly() ? DROPEFFECT_COPY : DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
        } catch (...) {
            draggingFromSelf_ = false;
            throw;
        }
        draggingFromSelf_ = false;
        if (result == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE && !ReadOnly())
            Batched([&] {
                ClipSelection();
                ClearSelection();
                SetModifiedState(true);
            });
        SetDropCaret(Point(-1, -1));
        Invalidate();
    }
    dragPending_ = false;
}

// A press held back for a drag that never came places the caret. Then a caret in the prefix selects the
// value, and nothing stays beyond the value's end.
void TProEdit::WMLButtonUp(TMessage& Message) {
    TWMLButtonUp msg(Message);
    if (dragPending_) Select(CharAt(msg.Pos()), 0);
    dragPending_ = false;
    TCustomEdit::Dispatch(Message);
    const Integer start = ValueStart(), end = ValueEnd();
    if (!prefix_.empty() && !HasSelection() && SelStart() < start) {
        Select(start, end - start);
    } else if (!suffix_.empty() && SelStart() + SelLength() > end) {
        const Integer from = std::min(SelStart(), end);
        Select(from, end - from);
    }
}

// A value wider than the edit shows whole in the hint, over the edit's own top-left corner.
void TProEdit::CMHintShow(TMessage& Message) {
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    if (info && hintShowLargeText_ && !PasswordField()) {
        TBitmap measure;
        measure.Canvas()->SetFont(Font());
        const AnsiString value = Text();
        if (measure.Canvas()->TextWidth(value) > Width()) {
            info->HintStr = value;
            info->HintPos = Parent() ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(Left(), Top());
        }
    }
    TCustomEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Drops

void TProEdit::SetOleDropTarget(bool Value) {
    if (Value == oleDropTarget_) return;
    oleDropTarget_ = Value;
    if (ComponentState().Contains(csDesigning)) return;
    if (Value) RegisterDropTarget();
    else RevokeDropTarget();
}

// Without a window yet, the window's making registers it.
void TProEdit::RegisterDropTarget() {
    if (dropRegistered_ || !HandleAllocated()) return;
    if (!dropTarget_) dropTarget_ = ComPtr<TEditDropTarget>(new TEditDropTarget(this));
    dropRegistered_ = RegisterDragDrop(Handle(), dropTarget_.Get()) == S_OK;
}

void TProEdit::RevokeDropTarget() {
    if (!dropRegistered_) return;
    if (HandleAllocated()) RevokeDragDrop(Handle());
    dropRegistered_ = false;
    SetDropCaret(Point(-1, -1));
}

// The line goes in at the character under the drop, by the paste rules. Onto the dragged selection
// itself nothing happens; a move within the edit takes the selection out first and inserts where the
// caret stood. The effect left tells the source what became of the text: move only when all of it went in.
void TProEdit::DropLine(TPoint Screen, const AnsiString& Text, DWORD& Effect) {
    if (ReadOnly()) {
        Effect = DROPEFFECT_NONE;
        return;
    }
    const AnsiString line = FirstLine(Text);
    Integer at = CharAt(ScreenToClient(Screen));
    const Integer selStart = SelStart(), selLength = SelLength();
    if (draggingFromSelf_ && at >= selStart && at <= selStart + selLength) {
        Effect = DROPEFFECT_NONE;
        return;
    }
    const AnsiString before = StoredText();
    bool accepted = false;
    Batched([&] {
        if (draggingFromSelf_ && Effect == DROPEFFECT_MOVE) {
            if (at > selStart) at -= selLength;
            ClearSelection();
        }
        Select(at, 0);
        accepted = InsertLine(line);
        // A move within the edit that the rules refuse puts the taken text back.
        if (!accepted && StoredText() != before) {
            TCustomEdit::SetText(before);
            Select(selStart, selLength);
        }
    });
    if (!accepted) Effect = DROPEFFECT_NONE;
    else if (line.size() < Text.size()) Effect = std::min<DWORD>(Effect, DROPEFFECT_COPY);
    Invalidate();
}

HRESULT TEditDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    if (edit_) edit_->SetDropCaret(Point(-1, -1));
    return TPEDropTarget::Drop(pDataObj, grfKeyState, pt, pdwEffect);
}

HRESULT TEditDropTarget::DragLeave() {
    if (edit_) edit_->SetDropCaret(Point(-1, -1));
    return TPEDropTarget::DragLeave();
}

void TEditDropTarget::DropText(TPoint Pt, const AnsiString& Text, DWORD& Effect) {
    if (edit_) edit_->DropLine(Pt, Text, Effect);
    else Effect = DROPEFFECT_NONE;
}

void TEditDropTarget::DropFiles(TPoint, TStrings*, DWORD& Effect) { Effect = DROPEFFECT_NONE; }

void TEditDropTarget::DragMouseMove(TPoint Pt, bool& Allow) {
    TProEdit* edit = edit_.Get();
    if (!edit || edit->ReadOnly()) {
        Allow = false;
        return;
    }
    edit->SetDropCaret(edit->CharPos(edit->CharAt(edit->ScreenToClient(Pt))));
}

}  // namespace ProEdit
