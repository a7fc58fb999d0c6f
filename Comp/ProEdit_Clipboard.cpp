// The typed edit's clipboard: copy and cut by permission, paste (and drops) filtered by type.
#include <algorithm>

#include "ProEdit.h"
#include "ProEdit_Chars.h"
#include "vcl/Clipbrd.h"
#include "vcl/Windows.h"

namespace ProEdit {

namespace {

// Whether a float or money value reads as a number, so that writing it raises no conversion error.
bool ReadsAsNumber(AnsiString Value) {
    if (ThousandSeparator != '\0') std::erase(Value, ThousandSeparator);
    double number = 0;
    return TryStrToFloat(Value, number);
}

}  // namespace

AnsiString TProEdit::SelectedValue() const {
    const AnsiString value = Text();
    const auto from = static_cast<std::size_t>(std::clamp(SelStart() - ValueStart(), 0, Integer(value.size())));
    return value.substr(from, static_cast<std::size_t>(SelLength()));
}

void TProEdit::WMCopyOrCut(TMessage& Message, const TClipboardEvent& Event) {
    if (Message.Msg == WM_CUT) ClipSelection();
    bool allow = true;
    if (Event) Event(this, SelectedValue(), allow);
    if (allow) Batched([&] { TCustomEdit::Dispatch(Message); });
}

void TProEdit::WMPaste(TMessage&) {
    if (ReadOnly()) return;
    AnsiString pasted;
    try {
        if (!Clipboard()->HasFormat(CF_TEXT)) return;
        pasted = Clipboard()->AsText();
    } catch (const EClipboardException&) {
        return;  // the clipboard could not be opened: nothing to paste
    }
    // Only the first line goes in, as with a drop.
    pasted.resize(std::min(pasted.find_first_of(std::string_view("\r\n\0", 3)), pasted.size()));
    ClipSelection();
    bool allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, SelectedValue(), allow);
    if (allow) InsertLine(pasted);
}

bool TProEdit::InsertLine(const AnsiString& Line) {
    ClipSelection();
    AnsiString candidate = Text();
    const Integer at = SelStart() - ValueStart();
    const bool replacing = HasSelection();
    candidate.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(SelLength()), Line);
    const auto lineLength = static_cast<Integer>(Line.size());
    const Integer selStart = replacing ? at : at + lineLength;
    const Integer selLength = replacing ? lineLength : 0;

    bool accepted = true;
    switch (editType_) {
        case etNumeric: accepted = ClassifyText(candidate) == tcInteger; break;
        case etFloat:
        case etMoney: {
            const TTextClass kind = ClassifyText(candidate);
            accepted = (kind == tcInteger || kind == tcFloat) &&
                       !(precision_ == 0 && Line.find(DecimalSeparator) != AnsiString::npos) &&
                       ReadsAsNumber(candidate);
            break;
        }
        case etUppercase: candidate = AnsiUpperCase(candidate); break;
        case etLowerCase: candidate = AnsiLowerCase(candidate); break;
        case etMixedCase: ApplyMixedCase(candidate); break;
        case etAlphaNumeric:
            accepted = std::all_of(candidate.begin(), candidate.end(),
                                   [](char C) { return Chars::IsDigit(C) || Chars::IsAsciiLetter(C); });
            break;
        case etRange:
        case etHex: accepted = false; break;
        default: break;
    }
    if (!accepted) return false;
    Batched([&] {
        SetText(candidate);
        if (editType_ == etFloat || editType_ == etMoney) SetFloatValue(FloatValue());
        const Integer length = ValueEnd() - ValueStart();
        if (editType_ == etMoney && length > 3) Select(ValueStart(), length);
        else
            Select(ValueStart() + std::min(selStart, length), std::min(selLength, length - std::min(selStart, length)));
        SetModifiedState(true);
    });
    return true;
}

}  // namespace ProEdit
