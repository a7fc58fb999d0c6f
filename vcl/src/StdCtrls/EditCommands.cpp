// TCustomEdit's own behaviour as the system's edit control has it: the clipboard and undo keys become
// messages, the clipboard messages work on the selection, and the context menu sends them too.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "Controls/Internal.h"
#include "StdCtrls/Peers.h"
#include "vcl/Clipbrd.h"
#include "vcl/Menus.h"
#include "vcl/ScopeGuard.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

namespace {

constexpr Byte kSelectAllChar = 0x01;  // Ctrl+A
constexpr Byte kCopyChar = 0x03;       // Ctrl+C
constexpr Byte kPasteChar = 0x16;      // Ctrl+V
constexpr Byte kCutChar = 0x18;        // Ctrl+X
constexpr Byte kUndoChar = 0x1A;       // Ctrl+Z

// A one-line edit takes a pasted text up to its first line break.
AnsiString FirstLine(const AnsiString& Text) { return Text.substr(0, Text.find_first_of("\r\n")); }

}  // namespace

bool TCustomEdit::HasStyle(DWORD Style) const {
    if (!HandleAllocated()) return false;
    auto* self = const_cast<TCustomEdit*>(this);
    return (static_cast<DWORD>(GetWindowLong(self->Handle(), GWL_STYLE)) & Style) == Style;
}

bool TCustomEdit::HidesText() const { return passwordChar_ != 0 || HasStyle(ES_PASSWORD); }

char TCustomEdit::ShownPasswordChar() const {
    if (passwordChar_) return passwordChar_;
    // ES_PASSWORD without a character of its own hides behind "*".
    return TControlAccess::WindowStyle(*this) & ES_PASSWORD ? '*' : '\0';
}

// Read from the style the window is made with, so the peer can be chosen before the window exists.
bool TCustomEdit::ShowsLines() const { return MultiLine() || (TControlAccess::WindowStyle(*this) & ES_MULTILINE); }

bool TCustomEdit::WrapsLines() const { return ShowsLines() && !(TControlAccess::WindowStyle(*this) & ES_AUTOHSCROLL); }

// A pasted text keeps its line breaks where the edit takes them: in a memo, or with ES_WANTRETURN.
bool TCustomEdit::TakesLineBreaks() const { return MultiLine() || (ShowsLines() && HasStyle(ES_WANTRETURN)); }

bool TCustomEdit::CanUndo() const { return const_cast<TCustomEdit*>(this)->Perform(EM_CANUNDO, 0, 0) != FALSE; }

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (MultiLine()) Params.Style |= ES_MULTILINE;
    AddFrameStyles(Params, borderStyle_);
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_CHAR:
            if (!EditKey(Message)) TWinControl::DefaultHandler(Message);
            return;
        case WM_COPY:
            if (!HidesText()) CopySelection();
            return;
        case WM_CUT:
            if (readOnly_ || HidesText() || selLength_ == 0) return;
            CopySelection();
            ReplaceSelectionByUser("");
            return;
        case WM_CLEAR:
            if (!readOnly_ && selLength_ > 0) ReplaceSelectionByUser("");
            return;
        case WM_PASTE: {
            if (readOnly_ || !Clipboard()->HasFormat(CF_TEXT)) return;
            const AnsiString text = Clipboard()->AsText();
            ReplaceSelectionByUser(TakesLineBreaks() ? NormaliseLineBreaks(text) : FirstLine(text));
            return;
        }
        case WM_UNDO:
        case EM_UNDO: {
            TEditPeerCommands* peer = EditPeerCommands(this);
            Message.Result = !readOnly_ && peer && peer->CanUndo() ? TRUE : FALSE;
            if (Message.Result) peer->Undo();
            return;
        }
        case EM_CANUNDO: {
            TEditPeerCommands* peer = EditPeerCommands(this);
            Message.Result = peer && peer->CanUndo() ? TRUE : FALSE;
            return;
        }
        case EM_GETRECT:
            if (auto* rect = reinterpret_cast<TRect*>(Message.LParam)) *rect = FormatRect();
            return;
        case EM_SETRECT:
        case EM_SETRECTNP: SetFormatRect(reinterpret_cast<const TRect*>(Message.LParam)); return;
        case EM_GETLINECOUNT:
        case EM_LINEINDEX:
        case EM_LINEFROMCHAR:
        case EM_LINELENGTH:
        case EM_GETLINE: Message.Result = LineQuery(Message); return;
        case EM_POSFROMCHAR:
        case EM_CHARFROMPOS: Message.Result = CharGeometry(Message); return;
        case WM_CONTEXTMENU:
            if (!MultiLine()) {
                ShowContextMenu(Message);
                return;
            }
            break;
        default: break;
    }
    TWinControl::DefaultHandler(Message);
}

// A null rectangle puts the default back.
void TCustomEdit::SetFormatRect(const TRect* Rect) {
    const TRect client = ClientRect();
    if (Rect) formatMargins_ = TRect{Rect->Left, Rect->Top, client.Right - Rect->Right, client.Bottom - Rect->Bottom};
    else formatMargins_.reset();
    OptionsChanged();
}

TRect TCustomEdit::FormatRect() const {
    const TRect client = ClientRect();
    if (!formatMargins_) return client;
    const TRect& m = *formatMargins_;
    return Rect(m.Left, m.Top, client.Right - m.Right, client.Bottom - m.Bottom);
}

// EM_POSFROMCHAR: the character's top left as MAKELPARAM(x, y), -1 at or past the end. EM_CHARFROMPOS: the
// nearest character boundary to MAKELPARAM(x, y) and, in the high word, its line.
LRESULT TCustomEdit::CharGeometry(const TMessage& Message) {
    auto* peer = dynamic_cast<TEditPeerGeometry*>(Peer());
    if (Message.Msg == EM_POSFROMCHAR) {
        const auto index = static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam));
        const auto text = static_cast<Integer>(StoredText().size());
        std::optional<TPoint> at;
        if (peer && index >= 0 && index < text) at = peer->PosFromChar(index);
        return at ? MakeLParam(at->X, at->Y) : -1;
    }
    if (!peer) return 0;
    const auto at = static_cast<std::uintptr_t>(Message.LParam);
    const Integer index = peer->CharFromPos(Point(LoSmall(at), HiSmall(at)));
    auto* lines = ShowsLines() ? dynamic_cast<TEditPeerLines*>(Peer()) : nullptr;
    return MakeLParam(index, lines ? lines->DisplayedLineOf(index) : 0);
}

// The peer tells where a multi-line edit wraps; without it (or in a one-line edit) lines end at the line
// breaks. A line or position of -1 stands for the caret's (the selection start's) line. EM_GETLINE copies a
// line into the buffer whose first word holds its size, without a NUL.
LRESULT TCustomEdit::LineQuery(const TMessage& Message) {
    const AnsiString& text = StoredText();
    const bool multiLine = ShowsLines();
    auto* peer = multiLine ? dynamic_cast<TEditPeerLines*>(Peer()) : nullptr;
    std::vector<Integer> breaks;  // the starts of the lines after the first, when the peer does not wrap
    if (!peer && multiLine)
        for (std::size_t at = text.find("\r\n"); at != AnsiString::npos; at = text.find("\r\n", at + 2))
            breaks.push_back(static_cast<Integer>(at + 2));
    const auto length = static_cast<Integer>(text.size());
    auto count = [&] { return peer ? peer->DisplayedLineCount() : static_cast<Integer>(breaks.size()) + 1; };
    auto lineOf = [&](Integer Position) {
        Position = std::clamp(Position, 0, length);
        if (peer) return peer->DisplayedLineOf(Position);
        return static_cast<Integer>(std::upper_bound(breaks.begin(), breaks.end(), Position) - breaks.begin());
    };
    auto start = [&](Integer Line) -> std::optional<Integer> {
        if (peer) return peer->DisplayedLineStart(Line);
        if (Line < 0 || Line > static_cast<Integer>(breaks.size())) return std::nullopt;
        return Line == 0 ? 0 : breaks[static_cast<std::size_t>(Line - 1)];
    };
    // The end of a line's text, before the break that ends it.
    auto end = [&](Integer Line) {
        const std::optional<Integer> next = start(Line + 1);
        if (!next) return length;
        const bool broken = *next >= 2 && text.compare(static_cast<std::size_t>(*next - 2), 2, "\r\n") == 0;
        return broken ? *next - 2 : *next;
    };
    const auto wanted = static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam));
    switch (Message.Msg) {
        case EM_GETLINECOUNT: return count();
        case EM_LINEINDEX: {
            const std::optional<Integer> at = start(wanted < 0 ? lineOf(selStart_) : wanted);
            return at ? *at : -1;
        }
        case EM_LINEFROMCHAR: return lineOf(wanted < 0 ? selStart_ : wanted);
        case EM_GETLINE: {
            auto* buffer = reinterpret_cast<char*>(Message.LParam);
            const std::optional<Integer> first = start(multiLine ? wanted : 0);
            if (!buffer || !first) return 0;
            Word size = 0;
            std::memcpy(&size, buffer, sizeof size);
            const Integer copied = std::min<Integer>(end(multiLine ? wanted : 0) - *first, size);
            std::copy_n(text.data() + *first, copied, buffer);
            return copied;
        }
        default: {  // EM_LINELENGTH
            if (wanted >= 0) {
                const Integer line = lineOf(wanted);
                return end(line) - start(line).value_or(0);
            }
            // The characters left unselected on the lines the selection touches.
            const Integer first = lineOf(selStart_), last = lineOf(selStart_ + selLength_);
            return (selStart_ - start(first).value_or(0)) + (end(last) - std::max(selStart_ + selLength_, 0));
        }
    }
}

bool TCustomEdit::EditKey(TMessage& Message) {
    TWMKey key(Message);
    if (Message.Msg == WM_KEYDOWN) {
        const TShiftState shift = KeyDataToShiftState(key.KeyData());
        const bool ctrl = shift.Contains(ssCtrl), shifted = shift.Contains(ssShift);
        UINT command = 0;
        if (key.CharCode() == VK_INSERT && ctrl && !shifted) command = WM_COPY;
        if (key.CharCode() == VK_INSERT && shifted && !ctrl) command = WM_PASTE;
        if (key.CharCode() == VK_DELETE && shifted && !ctrl) command = WM_CUT;
        if (command == 0) return false;
        Perform(command, 0, 0);
        return true;
    }
    switch (key.CharCode()) {
        case kCopyChar: Perform(WM_COPY, 0, 0); return true;
        case kPasteChar: Perform(WM_PASTE, 0, 0); return true;
        case kCutChar: Perform(WM_CUT, 0, 0); return true;
        case kUndoChar: Perform(WM_UNDO, 0, 0); return true;
        case kSelectAllChar: Perform(EM_SETSEL, 0, -1); return true;
        default: break;
    }
    // Backspace deletes; a line break comes in only where the edit takes line breaks (a memo's KeyPress
    // has dropped Return already unless it wants returns), a tab only in a memo (which wants tabs when it
    // hears of them); no other control character (Ctrl with a letter) is typed.
    switch (key.CharCode()) {
        case '\b': return false;
        case '\r':
        case '\n': return !(ShowsLines() && (MultiLine() || HasStyle(ES_WANTRETURN)));
        case '\t': return !MultiLine();
        default: return key.CharCode() < 0x20;
    }
}

void TCustomEdit::CopySelection() {
    if (selLength_ > 0) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::ReplaceSelectionByUser(AnsiString Text) {
    if (TEditPeerCommands* peer = EditPeerCommands(this)) {
        peer->ReplaceSelection(Text);
        return;
    }
    // Without a window, as the window would take it: what fits within MaxLength.
    if (maxLength_ > 0) {
        const auto kept = static_cast<Integer>(StoredText().size()) - selLength_;
        Text.resize(static_cast<std::size_t>(std::clamp(maxLength_ - kept, 0, static_cast<Integer>(Text.size()))));
    }
    if (!Text.empty() || selLength_ > 0) SetSelText(Text);
}

// The edit control's own menu, for an edit without a PopupMenu.
void TCustomEdit::ShowContextMenu(TMessage& Message) {
    TWMContextMenu m(Message);
    TPoint at = m.Pos();
    if (at.X == -1 && at.Y == -1) at = ClientToScreen(Point(Width() / 2, Height() / 2));
    const bool selected = selLength_ > 0;
    const bool hidden = HidesText();
    auto* menu = new TPopupMenu(nullptr);
    auto add = [&](const char* Caption, bool Enabled, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
        menu->Items()->Add(NewItem(
            Caption, 0, false, Enabled, [this, Msg, WParam, LParam](TObject*) { Perform(Msg, WParam, LParam); }, 0,
            ""));
    };
    add("&Undo", !readOnly_ && CanUndo(), WM_UNDO);
    menu->Items()->Add(NewLine());
    add("Cu&t", selected && !readOnly_ && !hidden, WM_CUT);
    add("&Copy", selected && !hidden, WM_COPY);
    add("&Paste", !readOnly_ && Clipboard()->HasFormat(CF_TEXT), WM_PASTE);
    add("&Delete", selected && !readOnly_, WM_CLEAR);
    menu->Items()->Add(NewLine());
    const auto length = static_cast<Integer>(StoredText().size());
    add("Select &All", length > 0 && selLength_ < length, EM_SETSEL, 0, -1);
    const TScopeExit freeMenu([menu] { menu->Free(); });
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
    Message.Result = 1;
}
