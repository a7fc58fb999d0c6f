// Texts dropped from another program into a typed edit of each type: nothing crashes, the window text
// stays Prefix + value + Suffix, a typed value keeps only its type's characters, a read-only edit and a
// refused drop change nothing, and only a text taken whole reports a move.
//
// Input: type, precision, flags (bit 0 Signed, bit 1 ReadOnly, bit 2 a prefix "<" and suffix ">"), the
// starting value's length and bytes, then the dropped text (the rest).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProEdit.h"
#include "support/FuzzCheck.h"
#include "vcl/ActiveX.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

struct TStage {
    TStage() : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 300, 100);
        Testing::ShowAndActivate(form);
    }
    TForm* form;
};

TStage& Stage() {
    static TStage* stage = new TStage;  // lives with the process, as the program's forms do
    return *stage;
}

bool Holds(const AnsiString& Value, const char* Allowed) {
    return Value.find_first_not_of(Allowed) == AnsiString::npos;
}

// Code may write any value into a range or letters-and-digits edit; a drop never adds what the type bars.
bool HoldsType(TProEdit* Edit) {
    const AnsiString value = Edit->Text();
    switch (Edit->EditType()) {
        case etNumeric: return Holds(value, "-0123456789");
        case etFloat:
        case etMoney: return Holds(value, "-0123456789.,");
        case etHex: return Holds(value, "-0123456789ABCDEFabcdef");
        case etRange: return Holds(value, "-0123456789,;");
        case etAlphaNumeric: return Holds(value, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        default: return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || size > 4096) return 0;
    TStage& stage = Stage();
    const auto type = static_cast<TProEditType>(data[0] % 11);
    const auto precision = static_cast<SmallInt>(data[1] % 4);
    const std::uint8_t flags = data[2];
    const std::size_t startLength = std::min<std::size_t>(data[3] % 16, size - 4);
    const std::string start(reinterpret_cast<const char*>(data) + 4, startLength);
    const std::string dropped(reinterpret_cast<const char*>(data) + 4 + startLength, size - 4 - startLength);

    auto* edit = new TProEdit(stage.form);
    edit->SetParent(stage.form);
    edit->SetBounds(8, 8, 200, 24);
    edit->SetEditType(type);
    edit->SetPrecision(precision);
    edit->SetSigned(flags & 1);
    if (flags & 4) {
        edit->SetPrefix("<");
        edit->SetSuffix(">");
    }
    try {
        edit->SetText(start);
    } catch (const EConvertError&) {
        edit->SetText("");
    }
    edit->SetReadOnly(flags & 2);
    edit->SetOleDropTarget(true);
    const bool typed = HoldsType(edit);
    const AnsiString before = edit->TCustomEdit::Text();

    const TPoint at = edit->ClientToScreen(Point(100, 10));
    const DWORD effect =
        RunForeignDragForTest({{"text/plain", dropped}}, DROPEFFECT_COPY | DROPEFFECT_MOVE, {{at}, {at, 0}});
    Application->ProcessMessages();

    const AnsiString after = edit->TCustomEdit::Text();
    Check(after == edit->Prefix() + edit->Text() + edit->Suffix());
    if (typed) Check(HoldsType(edit));
    if (effect == DROPEFFECT_NONE || (flags & 2)) Check(after == before);
    if (flags & 2) Check(effect == DROPEFFECT_NONE);
    // A move only for a text without line breaks, which went in whole. The text ends at its first NUL, as
    // the text format does.
    const std::string text = dropped.substr(0, dropped.find('\0'));
    if (effect == DROPEFFECT_MOVE) Check(text.find_first_of("\r\n") == std::string::npos);
    Check(edit->DropCaret() == Point(-1, -1));
    edit->Free();
    return 0;
}
