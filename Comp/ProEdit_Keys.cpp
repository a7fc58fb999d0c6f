// The typed edit's keys: the character filter by type, key-down handling around Prefix and Suffix, and
// the special keys Esc and Return.
#include <algorithm>

#include "ProEdit.h"
#include "ProEdit_Chars.h"
#include "vcl/Windows.h"

namespace ProEdit {

using namespace Chars;

namespace {

// Bit 22 of the key data: part of the scan code of the numeric keypad's decimal point.
constexpr LPARAM KeypadDecimalBit = LPARAM{1} << 22;

bool IsRangeSeparator(char C) { return C == ',' || C == '-' || C == ';'; }
bool ControlKeyDown() {
    return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0;
}
// Control characters pass every type's filter: the edit's default handling and the clipboard handlers
// decide what they do. Backspace is the one that edits the value as typing does.
bool IsControlChar(char C) { return static_cast<unsigned char>(C) < 0x20; }
bool EditsValue(char C) { return C == '\b' || !IsControlChar(C); }

// The value with [Start, Start + Length) removed.
AnsiString Without(const AnsiString& Value, Integer Start, Integer Length) {
    AnsiString result = Value;
    if (Start >= 0 && Start < static_cast<Integer>(result.size()))
        result.erase(static_cast<std::size_t>(Start), static_cast<std::size_t>(Length));
    return result;
}

}  // namespace

void TProEdit::PostKey(HWND Window, Word Key, bool WithKeyUp) {
    PostMessage(Window, WM_KEYDOWN, Key, 1);
    if (WithKeyUp) PostMessage(Window, WM_KEYUP, Key, 1 | KF_UP_BIT | KF_REPEAT_BIT);
}

// ---------------------------------------------------------------------------
// Characters

void TProEdit::WMChar(TMessage& Message) {
    TWMChar msg(Message);
    char key = static_cast<char>(msg.CharCode());
    ClipSelection();
    if (key == '\r') {
        if (OnKeyPress) OnKeyPress(this, key);
        return;
    }
    if (key == '\x1b' && !canUndo_) return TCustomEdit::Dispatch(Message);
    // The edit's own handling refuses a key that would change a read-only value; no rewrite may run either.
    if (ReadOnly()) return TCustomEdit::Dispatch(Message);
    if (key == '.' && (Message.LParam & KeypadDecimalBit) && excelStyleDecimalSeparator_) key = DecimalSeparator;

    const AnsiString value = Text();
    const Integer start = ValueStart();
    const Integer caret = SelStart() - start;
    const bool numeric = editType_ == etNumeric || editType_ == etFloat || editType_ == etMoney;
    if (key == '\b' && !prefix_.empty() && SelStart() <= static_cast<Integer>(prefix_.size()) && !HasSelection())
        return;
    if (!IsControlChar(key) && IntegerPartFull(value) && !HasSelection() && key != DecimalSeparator) {
        const std::size_t decimal = value.find(DecimalSeparator);
        if (decimal == AnsiString::npos || caret <= static_cast<Integer>(decimal)) return;
    }
    if (key == '\b' && lengthLimit_ > 0) {
        const AnsiString after = HasSelection() ? Without(value, caret, SelLength()) : Without(value, caret - 1, 1);
        if (IntegerPartLength(after) > lengthLimit_) return;
    }
    if (key == '-' && numeric && !signed_) return;

    TKeyVerdict verdict = TKeyVerdict::Pass;
    if (!IsControlChar(key)) {
        switch (editType_) {
            case etNumeric:
                if (key == '-') {
                    ToggleSign();
                    verdict = TKeyVerdict::Done;
                } else if (!IsDigit(key) && !ControlKeyDown()) {
                    verdict = TKeyVerdict::Drop;
                }
                break;
            case etFloat: verdict = FloatKeyRules(key, false); break;
            case etMoney: verdict = FloatKeyRules(key, true); break;
            case etUppercase: key = AnsiUpperChar(key); break;
            case etLowerCase: key = AnsiLowerChar(key); break;
            case etRange:
                if (IsRangeSeparator(key)) {
                    const AnsiString& window = StoredText();
                    const auto at = static_cast<std::size_t>(SelStart());
                    const bool before = at > 0 && IsRangeSeparator(window[at - 1]);
                    const bool after = at < window.size() && IsRangeSeparator(window[at]);
                    if (SelStart() <= static_cast<Integer>(prefix_.size()) || before || after)
                        verdict = TKeyVerdict::Drop;
                } else if (!IsDigit(key)) {
                    verdict = TKeyVerdict::Drop;
                }
                break;
            case etHex:
                if (!IsDigit(key) && !IsHexLetter(key) && key != '-') verdict = TKeyVerdict::Drop;
                break;
            case etAlphaNumeric:
                if (!IsDigit(key) && !IsAsciiLetter(key)) verdict = TKeyVerdict::Drop;
                break;
            default: break;
        }
    }
    if (verdict != TKeyVerdict::Pass) return;

    msg.SetCharCode(static_cast<Byte>(key));
    Batched([&] {
        TCustomEdit::Dispatch(Message);
        AfterTypedKey(static_cast<char>(msg.CharCode()));  // as OnKeyPress left it
    });
}

// What follows the edit's own handling of a passed character.
void TProEdit::AfterTypedKey(char Key) {
    const bool windowModified = Perform(EM_GETMODIFY, 0, 0) != 0;
    if (EditsValue(Key) && editType_ == etMoney && Key != DecimalSeparator) {
        if (windowModified) SetModifiedState(true);
        const AnsiString value = Text();
        if (!value.empty() && value != "-") RegroupMoney();
    }
    if (EditsValue(Key) && editType_ == etMixedCase) {
        // The rule keeps the length: the caret and selection stay where the typing left them.
        AnsiString value = Text();
        ApplyMixedCase(value);
        if (value != Text()) {
            const Integer selStart = SelStart(), selLength = SelLength();
            WriteFormatted(value);
            Select(selStart, selLength);
        }
    }
    if (tabOnFullLength_ && !HasSelection()) {
        const AnsiString value = Text();
        if (IntegerPartFull(value) && SelStart() - ValueStart() == lengthLimit_ && HandleAllocated())
            PostKey(Handle(), VK_TAB, false);
    }
    if (Perform(EM_GETMODIFY, 0, 0) != 0) SetModifiedState(true);
    ClipSelection();
}

// The float rules; money checks its own key set and skips the rules about "," and ".".
TProEdit::TKeyVerdict TProEdit::FloatKeyRules(char& Key, bool Money) {
    const AnsiString value = Text();
    const Integer start = ValueStart();
    const Integer caret = SelStart() - start;
    const Integer selEnd = caret + SelLength();
    const bool digit = IsDigit(Key);
    if (!Money) {
        if (Key == ',' && DecimalSeparator != ',' && ThousandSeparator != ',') return TKeyVerdict::Drop;
        if (Key == '.' && DecimalSeparator != '.' && ThousandSeparator != '.') return TKeyVerdict::Drop;
        if (!digit && Key != ',' && Key != '-' && Key != '.') return TKeyVerdict::Drop;
    }
    const std::size_t decimal = value.find(DecimalSeparator);
    if (Key == DecimalSeparator && SelectedValue().find(DecimalSeparator) == AnsiString::npos &&
        (decimal != AnsiString::npos || precision_ == 0)) {
        if (precision_ > 0 && decimal != AnsiString::npos) Select(start + static_cast<Integer>(decimal) + 1, 0);
        return TKeyVerdict::Drop;
    }
    if (Money) {
        if (!digit && Key != '-' && Key != DecimalSeparator) return TKeyVerdict::Drop;
    } else if (Key == ',' && ThousandSeparator != ',') {
        for (std::size_t i = value.find(','); i != AnsiString::npos; i = value.find(',', i + 1))
            if (static_cast<Integer>(i) < caret || static_cast<Integer>(i) >= selEnd) return TKeyVerdict::Drop;
    }
    if ((Key == ThousandSeparator || Key == DecimalSeparator) && ThousandSeparator != '\0' &&
        value.find(ThousandSeparator) != AnsiString::npos) {
        Integer nearest = -1;
        for (std::size_t i = value.find(ThousandSeparator); i != AnsiString::npos;
             i = value.find(ThousandSeparator, i + 1)) {
            const auto at = static_cast<Integer>(i);
            const Integer distance = at < caret ? caret - at - 1 : at - caret;
            if (nearest < 0 || distance < nearest) nearest = distance;
        }
        if (nearest != 3) return TKeyVerdict::Drop;
    }
    if (precision_ > 0 && (digit || Key == DecimalSeparator) && !HasSelection() && decimal != AnsiString::npos &&
        caret > static_cast<Integer>(decimal) && static_cast<Integer>(value.size() - decimal - 1) >= precision_) {
        if (!digit || caret == static_cast<Integer>(value.size())) return TKeyVerdict::Drop;
        Select(SelStart(), 1);
    }
    if (caret == 0 && value.empty() && Key == DecimalSeparator) {
        Batched([&] {
            WriteValue(AnsiString("0") + DecimalSeparator);
            Select(start + 2, 0);
            SetModifiedState(true);
        });
        return TKeyVerdict::Drop;
    }
    if (Key == '-' && !HasSelection()) {
        ToggleSign();
        return TKeyVerdict::Done;
    }
    return TKeyVerdict::Pass;
}

void TProEdit::ToggleSign() {
    AnsiString value = Text();
    const Integer selLength = SelLength();
    Integer caret = SelStart();
    const std::size_t minus = value.find('-');
    const bool adding = minus == AnsiString::npos;
    if (adding) {
        value.insert(0, 1, '-');
        ++caret;
    } else {
        value.erase(minus, 1);
        caret = std::max(caret - 1, static_cast<Integer>(prefix_.size()));
    }
    Batched([&] {
        WriteFormatted(value);
        Select(std::clamp(caret, ValueStart(), ValueEnd()), selLength);
        ClipSelection();
        if (adding || editType_ == etFloat || editType_ == etMoney) SetModifiedState(true);
    });
}

// ---------------------------------------------------------------------------
// Key-down

void TProEdit::WMKeyDown(TMessage& Message) {
    TWMKeyDown msg(Message);
    Word key = msg.CharCode();
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    ClipSelection();
    const Integer start = ValueStart();
    const Integer end = ValueEnd();
    if (key == VK_RETURN && returnIsTab_) {
        key = VK_TAB;
        msg.SetCharCode(key);
        if (Showing()) PostKey(Handle(), VK_TAB, false);
    }
    if (key == VK_RIGHT && !suffix_.empty() && SelStart() + SelLength() >= end) return;
    // A read-only value is not modified by Backspace or Delete, nor regrouped after them.
    const bool editable = !ReadOnly();
    if (key == VK_DELETE && !suffix_.empty()) {
        if (SelStart() >= end && !HasSelection()) return;
        if (editable) SetModifiedState(true);
    }
    if (key == VK_LEFT && !prefix_.empty() && SelStart() <= start) return;
    if (key == VK_END && !suffix_.empty()) {
        if (shift) Select(SelStart(), end - SelStart());
        else Select(end, 0);
        return;
    }
    if (key == VK_HOME && !prefix_.empty()) {
        if (shift) Select(start, end - start);
        else Select(start, 0);
        return;
    }
    if (key == VK_BACK && !prefix_.empty()) {
        if (SelStart() <= start + 1) return;
        if (editable) SetModifiedState(true);
    }
    if (key == VK_DELETE && SelStart() >= start) {
        const AnsiString value = Text();
        const Integer caret = SelStart() - start;
        const AnsiString after = Without(value, caret, HasSelection() ? SelLength() : 1);
        if (lengthLimit_ > 0 && IntegerPartLength(after) > lengthLimit_) return;
        if (editable) SetModifiedState(true);
    }
    Batched([&] {
        TCustomEdit::Dispatch(Message);
        if (key == VK_DELETE && editType_ == etMoney && editable) {
            const AnsiString value = Text();
            if (!value.empty() && value != "-") RegroupMoney();
        }
        ClipSelection();
    });
}

// Esc undoes to the value held at focus entry; Esc and Return go on to the parent window as keys.
void TProEdit::CMWantSpecialKey(TMessage& Message) {
    const auto key = static_cast<Word>(Message.WParam);
    const bool escape = key == VK_ESCAPE && canUndo_;
    if (escape) {
        SetText(undoText_);
        ShowFontColor(focusFontColor_);
        Select(ValueStart(), ValueEnd() - ValueStart());
        SetModifiedState(false);
    }
    if ((escape || key == VK_RETURN) && Parent()) PostKey(Parent()->Handle(), key, true);
    TCustomEdit::Dispatch(Message);
    if (escape || key == VK_RETURN) Message.Result = 1;
}

}  // namespace ProEdit
