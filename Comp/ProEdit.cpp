// The typed edit: construction, registration, value positions and message routing.
#include "ProEdit.h"

#include <algorithm>
#include <exception>

#include "vcl/Windows.h"

namespace ProEdit {

TProEdit::TProEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    normalColor_ = Color();
    normalFontColor_ = Font()->Color();
    shownFontColor_ = normalFontColor_;
}

TProEdit::~TProEdit() = default;

// ---------------------------------------------------------------------------
// Changes made together reach OnChange and OnValueValidate once.

void TProEdit::Batched(const std::function<void()>& Steps) {
    ++changeBatch_;
    try {
        Steps();
    } catch (...) {
        // What did change is still announced.
        EndBatch();
        throw;
    }
    EndBatch();
}

void TProEdit::EndBatch() {
    if (--changeBatch_ > 0 || !changePending_) return;
    changePending_ = false;
    Change();
}

void TProEdit::Change() {
    if (changeBatch_ > 0) {
        changePending_ = true;
        return;
    }
    TCustomEdit::Change();
    if (ComponentState().Contains(csLoading) || !OnValueValidate) return;
    bool isValid = true;
    OnValueValidate(this, Text(), isValid);
    if (showError_) SetIsError(!isValid);
}

// ---------------------------------------------------------------------------
// The value inside the window text

Integer TProEdit::ValueStart() const {
    const AnsiString& window = StoredText();
    return window.compare(0, prefix_.size(), prefix_) == 0 ? static_cast<Integer>(prefix_.size()) : 0;
}

// A window text shorter than Suffix leaves an empty value, never a negative length.
Integer TProEdit::ValueEnd() const {
    const auto size = static_cast<Integer>(StoredText().size());
    return std::max(ValueStart(), size - static_cast<Integer>(suffix_.size()));
}

AnsiString TProEdit::Text() const {
    const Integer start = ValueStart();
    return StoredText().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(ValueEnd() - start));
}

void TProEdit::WriteValue(const AnsiString& Value) { TCustomEdit::SetText(prefix_ + Value + suffix_); }

void TProEdit::Select(Integer Start, Integer Length) {
    Perform(EM_SETSEL, static_cast<WPARAM>(Start), static_cast<LPARAM>(Start + Length));
}

// Keys, cuts and pastes change only the value: a selection reaching into Prefix or Suffix is cut to it.
void TProEdit::ClipSelection() {
    const Integer start = ValueStart();
    const Integer end = ValueEnd();
    const Integer selStart = std::clamp(SelStart(), start, end);
    const Integer selEnd = std::clamp(SelStart() + SelLength(), start, end);
    if (selStart != SelStart() || selEnd - selStart != SelLength()) Select(selStart, selEnd - selStart);
}

Integer TProEdit::IntegerPartLength(const AnsiString& Value) {
    const std::size_t end = std::min(Value.find(DecimalSeparator), Value.size());
    const auto separators =
        std::count(Value.begin(), Value.begin() + static_cast<std::ptrdiff_t>(end), ThousandSeparator);
    return static_cast<Integer>(end - static_cast<std::size_t>(separators));
}

bool TProEdit::IntegerPartFull(const AnsiString& Value) const {
    return lengthLimit_ > 0 && IntegerPartLength(Value) >= lengthLimit_;
}

// ---------------------------------------------------------------------------

// Every window the edit loses saves its text first, re-creations included, and takes its drop registration
// with it. A store that fails still lets
// the window go; the failure goes on to the caller.
void TProEdit::WMDestroy(TMessage& Message) {
    RevokeDropTarget();
    std::exception_ptr failure;
    if (!ComponentState().Contains(csDesigning)) {
        try {
            SavePersistence();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    TCustomEdit::Dispatch(Message);
    if (failure) std::rethrow_exception(failure);
}

void TProEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR: WMChar(Message); break;
        case WM_KEYDOWN: WMKeyDown(Message); break;
        case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
        case WM_COPY: WMCopyOrCut(Message, OnClipboardCopy); break;
        case WM_CUT: WMCopyOrCut(Message, OnClipboardCut); break;
        case WM_PASTE: WMPaste(Message); break;
        case WM_SETFOCUS: WMSetFocus(Message); break;
        case WM_KILLFOCUS: WMKillFocus(Message); break;
        case CM_COLORCHANGED:
            // Every colour written from outside is the normal one; the state colours are only shown.
            if (!showingColor_) normalColor_ = Color();
            TCustomEdit::Dispatch(Message);
            break;
        case CM_FONTCHANGED:
            TCustomEdit::Dispatch(Message);
            // A description's font is the label's too; later changes leave the label's own alone.
            if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning))
                labelFont_->Assign(Font());
            ApplyFormatRect();
            break;
        case CM_MOUSEENTER: CMMouseEnter(Message); break;
        case CM_MOUSELEAVE: CMMouseLeave(Message); break;
        case WM_PAINT:
            TCustomEdit::Dispatch(Message);
            PaintDecorations();
            break;
        case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC: CNCtlColor(Message); break;
        case CN_COMMAND:
            TCustomEdit::Dispatch(Message);
            if (HIWORD(Message.WParam) != EN_CHANGE) break;
            if (transparent_) Invalidate();
            FollowURLLook();
            break;
        case WM_DESTROY: WMDestroy(Message); break;
        case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
        case WM_MOUSEMOVE: WMMouseMove(Message); break;
        case WM_LBUTTONUP: WMLButtonUp(Message); break;
        case CM_HINTSHOW: CMHintShow(Message); break;
        default: TCustomEdit::Dispatch(Message); break;
    }
}

}  // namespace ProEdit
