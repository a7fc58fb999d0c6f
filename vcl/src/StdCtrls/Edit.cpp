// TCustomEdit / TEdit: a one-line native edit whose text, options and selection live in the control.

#include <algorithm>
#include <cstring>

#include "Controls/Internal.h"
#include "StdCtrls/Peers.h"
#include "StdCtrls/Publish.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

static void PublishTCustomEdit(TPublisher&) {}

static void PublishTEdit(TPublisher& p) {
    TPublishOf<TCustomEdit> P(p);
    StdPublish::EditCommon(P);
    P.Str("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
    P.Bool("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize);
    P.Enum(
        "CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase,
        TEnumNames<TEditCharCase>{{"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase}, {"ecLowerCase", ecLowerCase}});
    P.Bool("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
    // A character written as '*' (or #42).
    p.Property({"PasswordChar",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    const std::string& s = v.AsString();
                    if (s.size() > 1) RaiseInvalidPropertyValue(v);
                    static_cast<TEdit&>(o).SetPasswordChar(s.empty() ? '\0' : s[0]);
                },
                [](TObject& o) {
                    char c = static_cast<TEdit&>(o).PasswordChar();
                    return FormString(c ? std::string(1, c) : std::string());
                },
                {}});
}

VCL_IMPLEMENT_CLASS(TCustomEdit, nullptr, PublishTCustomEdit)
VCL_IMPLEMENT_CLASS(TEdit, VCL_CREATOR(TEdit), PublishTEdit)

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 121, 25);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::OptionsChanged() { MirrorStd(this, smOptions); }

void TCustomEdit::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    Perform(CM_BORDERCHANGED, 0, 0);
    AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (charCase_ == Value) return;
    charCase_ = Value;
    AnsiString cased = ApplyCharCase(StoredText());
    if (cased != StoredText()) ReplaceText(cased);
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (hideSelection_ == Value) return;
    hideSelection_ = Value;
    OptionsChanged();
}

void TCustomEdit::SetMaxLength(Integer Value) {
    Value = std::max(Value, 0);
    if (maxLength_ == Value) return;
    maxLength_ = Value;
    OptionsChanged();
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (passwordChar_ == Value) return;
    passwordChar_ = Value;
    OptionsChanged();
}

void TCustomEdit::SetReadOnly(bool Value) {
    if (readOnly_ == Value) return;
    readOnly_ = Value;
    OptionsChanged();
}

AnsiString TCustomEdit::ApplyCharCase(const AnsiString& Value) const {
    switch (charCase_) {
        case ecUpperCase: return AnsiUpperCase(Value);
        case ecLowerCase: return AnsiLowerCase(Value);
        default: return Value;
    }
}

// The class library sizes a bordered edit to its font: the text height plus 8 pixels of frame (6 flat).
void TCustomEdit::AdjustHeight() {
    if (!autoSize_ || borderStyle_ != bsSingle || MultiLine()) return;
    if (ComponentState().Contains(csLoading)) return;
    Integer textHeight = FontMetricsProvider().Metrics(Font()->Desc()).Height;
    SetHeight(textHeight + (Ctl3D() ? 8 : 6));
}

void TCustomEdit::Loaded() {
    TWinControl::Loaded();
    AdjustHeight();
    modified_ = false;
}

// ---------------------------------------------------------------------------
// Text and selection

void TCustomEdit::ReplaceText(const AnsiString& Value) { SetText(Value); }

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::ClampSelection() {
    auto length = static_cast<Integer>(StoredText().size());
    selStart_ = std::clamp(selStart_, 0, length);
    selLength_ = std::clamp(selLength_, 0, length - selStart_);
}

void TCustomEdit::SetSelStart(Integer Value) {
    selStart_ = Value;
    selLength_ = 0;
    ClampSelection();
    MirrorStd(this, smSelection);
}

void TCustomEdit::SetSelLength(Integer Value) {
    selLength_ = Value;
    ClampSelection();
    MirrorStd(this, smSelection);
}

AnsiString TCustomEdit::SelText() const {
    return StoredText().substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
    ClampSelection();
    AnsiString text = StoredText();
    text.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), Value);
    Integer caret = selStart_ + static_cast<Integer>(Value.size());
    const bool changed = text != StoredText();
    ReplaceText(text);
    // An edit like typing (EM_REPLACESEL), not a new text: it counts as a modification.
    if (changed) modified_ = true;
    selStart_ = caret;
    selLength_ = 0;
    ClampSelection();
    MirrorStd(this, smSelection);
}

void TCustomEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = static_cast<Integer>(StoredText().size());
    MirrorStd(this, smSelection);
}

// What the user typed: kept once, then one EN_CHANGE as the windowing system would send it.
void TCustomEdit::TextFromPeer(const AnsiString& Value) { TakeUserEdit(Value, nullptr); }

void TCustomEdit::EditFromPeer(const AnsiString& Value, Integer SelStart, Integer SelLength, bool WideChanged) {
    const TSelection after{SelStart, SelLength};
    TakeUserEdit(Value, &after, WideChanged);
}

// The user's edit changes the stored text in place, as the window changes its own: a keystroke in a long
// text costs no copy of it.
void TCustomEdit::SpliceFromPeer(std::size_t Start, std::size_t End, const AnsiString& Value, Integer SelStart,
                                 Integer SelLength) {
    const std::size_t size = StoredText().size();
    Start = std::min(Start, size);
    End = std::clamp(End, Start, size);
    const AnsiString cased = ApplyCharCase(Value);
    if (StoredText().compare(Start, End - Start, cased) == 0) {
        // Nothing changed (the text came back the same): the selection moved all the same.
        SelectionFromPeer(SelStart, SelLength);
        return;
    }
    SpliceStoredText(Start, End, cased);
    ReplaceMemoPeerText(this, Start, End, cased);
    SelectionFromPeer(SelStart, SelLength);
    AnnounceUserEdit();
}

void TCustomEdit::TakeUserEdit(const AnsiString& Value, const TSelection* After, bool WideChanged) {
    AnsiString cased = ApplyCharCase(Value);
    const bool changed = cased != StoredText() || WideChanged;
    if (changed) StoreText(cased);
    if (After) SelectionFromPeer(After->Start, After->Length);
    if (!changed) return;
    if (cased != Value) {
        TextStored();
        if (After) MirrorStd(this, smSelection);
    }
    AnnounceUserEdit();
}

void TCustomEdit::AnnounceUserEdit() {
    modified_ = true;
    // A handler that rewrites the text now does so while the user types (see PlaceCaretForNewText).
    const TValueGuard typing(typing_, true);
    Perform(CN_COMMAND, MAKEWPARAM(0, EN_CHANGE), 0);
}

// A text from code shows from its first character with the caret at 0, as the window does after
// WM_SETTEXT. While the user types into the focused edit and its handlers rewrite the text, the caret
// keeps its distance from the end, so the typing goes on where it was.
void TCustomEdit::PlaceCaretForNewText(const char* NewText) {
    if (typing_ && Focused()) {
        const auto newLength = static_cast<Integer>(std::strlen(NewText));
        const Integer fromEnd = static_cast<Integer>(StoredText().size()) - (selStart_ + selLength_);
        selStart_ = std::clamp(newLength - fromEnd, 0, newLength);
    } else {
        selStart_ = 0;
    }
    selLength_ = 0;
}

void TCustomEdit::SelectionFromPeer(Integer Start, Integer Length) {
    selStart_ = Start;
    selLength_ = Length;
    ClampSelection();
}

// ---------------------------------------------------------------------------
// Messages

void TCustomEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETTEXT: {
            // The windowing system reports a changed text as EN_CHANGE; an unchanged one reports nothing.
            // A text from code is not the user's: the modified flag goes. Only a cased edit makes a new
            // text; any other passes the caller's on (no copy of a long one).
            const auto* value = reinterpret_cast<const char*>(Message.LParam);
            if (!value) value = "";
            AnsiString cased;
            if (charCase_ != ecNormal) {
                cased = ApplyCharCase(value);
                value = cased.c_str();
                Message.LParam = reinterpret_cast<LPARAM>(value);
            }
            // Measured only as far as the stored text reaches: a long text set into an empty edit is not.
            const AnsiString& stored = StoredText();
            // A Unicode window's text may change where its single-byte text stays the same.
            const bool changed = stored.compare(0, stored.size(), value, ::strnlen(value, stored.size() + 1)) != 0 ||
                                 (HandleAllocated() && WideTextChanging(Handle()));
            PlaceCaretForNewText(value);
            modified_ = false;
            TWinControl::Dispatch(Message);
            MirrorStd(this, smSelection);
            if (changed) Perform(CN_COMMAND, MAKEWPARAM(0, EN_CHANGE), 0);
            break;
        }
        case CN_COMMAND:
            if (HIWORD(Message.WParam) == EN_CHANGE) Change();
            break;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
            if (HasStyle(ES_MULTILINE)) Message.Result |= DLGC_WANTALLKEYS;
            break;
        case CM_ENTER:
            if (autoSelect_ && !MultiLine() && !HasStyle(ES_MULTILINE) && !ControlState().Contains(csLButtonDown))
                SelectAll();
            TWinControl::Dispatch(Message);
            break;
        case CM_FONTCHANGED:
        case CM_CTL3DCHANGED:
            TWinControl::Dispatch(Message);
            AdjustHeight();
            break;
        case EM_GETMODIFY: Message.Result = modified_ ? TRUE : FALSE; break;
        case EM_SETMODIFY: modified_ = Message.WParam != 0; break;
        case EM_SETREADONLY:
            SetReadOnly(Message.WParam != 0);
            Message.Result = TRUE;
            break;
        case EM_LIMITTEXT: SetMaxLength(static_cast<Integer>(Message.WParam)); break;
        case EM_SETPASSWORDCHAR: SetPasswordChar(static_cast<char>(Message.WParam)); break;
        case EM_GETSEL:
            if (auto* start = reinterpret_cast<DWORD*>(Message.WParam)) *start = static_cast<DWORD>(selStart_);
            if (auto* end = reinterpret_cast<DWORD*>(Message.LParam)) *end = static_cast<DWORD>(selStart_ + selLength_);
            Message.Result = MAKELPARAM(selStart_, selStart_ + selLength_);
            break;
        case EM_SETSEL: {
            auto start = static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam));
            auto end = static_cast<Integer>(Message.LParam);
            auto length = static_cast<Integer>(StoredText().size());
            if (start < 0) {
                start = length;
                end = length;
            }
            if (end < 0) end = length;
            selStart_ = std::min(start, end);
            selLength_ = std::abs(end - start);
            ClampSelection();
            MirrorStd(this, smSelection);
            break;
        }
        case EM_REPLACESEL: {
            const auto* value = reinterpret_cast<const char*>(Message.LParam);
            SetSelText(value ? value : "");
            break;
        }
        default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomEdit::InitializePeer() {
    TWinControl::InitializePeer();
    MirrorStd(this, smOptions);
    MirrorStd(this, smSelection);
}
