// Keys, selections, pastes and focus moves as messages into a typed edit of a random set-up: nothing
// crashes, nothing raises but the conversion error of a number that cannot be read (when the focus
// leaves or Esc restores such a value), the window text stays Prefix + value + Suffix with the caret
// inside the value, and a numeric type holds only its own characters.
//
// Input: type, precision, length limit, flags (bit 0 Signed, bit 1 ExcelStyleDecimalSeparator, bit 2
// AutoThousandSeparator off, bit 3 TabOnFullLength), separators (bit 0 decimal "," instead of ".", bits
// 1-3 the thousand separator from ". , ' blank none", skipping the decimal one), the prefix and suffix
// lengths and bytes, then operations of an opcode and an argument byte.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProEdit.h"
#include "support/FuzzCheck.h"
#include "vcl/Clipbrd.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class TByteReader {
public:
    TByteReader(const std::uint8_t* Data, std::size_t Size) : data_(Data), size_(Size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Text(std::size_t Length) {
        std::string text;
        while (text.size() < Length && at_ < size_) text += static_cast<char>(data_[at_++]);
        return text;
    }
    bool More() const { return at_ < size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// One shown form for every run; each run gets a fresh edit on it, and a plain edit takes the focus away.
struct TStage {
    TStage() : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 300, 100);
        other = new TEdit(form);
        other->SetParent(form);
        other->SetBounds(8, 40, 100, 24);
        Testing::ShowAndActivate(form);
        // A focus handler's failure is reported once the focus has moved: it too may only be the
        // conversion error.
        Application->OnException = [](TObject*, Exception* E) { Check(dynamic_cast<EConvertError*>(E) != nullptr); };
    }
    TForm* form;
    TEdit* other;
};

TStage& Stage() {
    static TStage* stage = new TStage;  // lives with the process, as the program's forms do
    return *stage;
}

bool Holds(const AnsiString& Value, bool (*Allowed)(char)) {
    for (char c : Value)
        if (!Allowed(c)) return false;
    return true;
}

bool NumericChar(char C) { return (C >= '0' && C <= '9') || C == '-'; }
bool FloatChar(char C) { return NumericChar(C) || C == DecimalSeparator || C == ThousandSeparator; }
bool HexChar(char C) { return NumericChar(C) || (C >= 'A' && C <= 'F') || (C >= 'a' && C <= 'f'); }
bool RangeChar(char C) { return NumericChar(C) || C == ',' || C == ';'; }
bool AlphaNumericChar(char C) { return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }

void CheckShape(TProEdit* Edit, bool CaretInside) {
    const AnsiString window = Edit->TCustomEdit::Text();
    const AnsiString value = Edit->Text();
    Check(window == Edit->Prefix() + value + Edit->Suffix());
    if (CaretInside) {
        const auto start = static_cast<Integer>(Edit->Prefix().size());
        Check(Edit->SelStart() >= start);
        Check(Edit->SelStart() + Edit->SelLength() <= start + static_cast<Integer>(value.size()));
    }
    switch (Edit->EditType()) {
        case etNumeric: Check(Holds(value, NumericChar)); break;
        case etFloat:
        case etMoney: Check(Holds(value, FloatChar)); break;
        case etHex: Check(Holds(value, HexChar)); break;
        case etRange: Check(Holds(value, RangeChar)); break;
        case etAlphaNumeric: Check(Holds(value, AlphaNumericChar)); break;
        default: break;
    }
}

// A value that is no readable number may raise its conversion error here, and nothing else may.
template <typename Step>
void MayFailToConvert(Step&& Run) {
    try {
        Run();
    } catch (const EConvertError&) {
    }
}

const Word NavigationKeys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_BACK, VK_RETURN, VK_TAB};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    TByteReader in(data, size);
    TStage& stage = Stage();
    const char savedDecimal = DecimalSeparator, savedThousand = ThousandSeparator;

    const auto type = static_cast<TProEditType>(in.Byte() % 11);
    const auto precision = static_cast<SmallInt>(static_cast<std::int8_t>(in.Byte()) % 6);
    const auto lengthLimit = static_cast<SmallInt>(in.Byte() % 10);
    const std::uint8_t flags = in.Byte();
    const std::uint8_t separators = in.Byte();
    DecimalSeparator = separators & 1 ? ',' : '.';
    static const char thousands[] = {'.', ',', '\'', ' ', '\0'};
    ThousandSeparator = thousands[(separators >> 1) % 5];
    if (ThousandSeparator == DecimalSeparator) ThousandSeparator = '\'';
    const std::string prefix = in.Text(in.Byte() % 4);
    const std::string suffix = in.Text(in.Byte() % 4);

    auto* edit = new TProEdit(stage.form);
    edit->SetParent(stage.form);
    edit->SetBounds(8, 8, 200, 24);
    edit->SetEditType(type);
    edit->SetPrecision(precision);
    edit->SetLengthLimit(lengthLimit);
    edit->SetSigned(flags & 1);
    edit->SetExcelStyleDecimalSeparator(flags & 2);
    edit->SetAutoThousandSeparator(!(flags & 4));
    edit->SetTabOnFullLength(flags & 8);
    edit->SetPrefix(prefix);
    edit->SetSuffix(suffix);
    edit->SetFocus();
    CheckShape(edit, false);

    for (int operations = 0; in.More() && operations < 200; ++operations) {
        const std::uint8_t op = in.Byte();
        const std::uint8_t arg = in.Byte();
        bool caretInside = edit->Focused();
        switch (op % 8) {
            case 0:
            case 1:
            case 2: edit->Perform(WM_CHAR, arg, (op & 0x80) ? LPARAM{1} << 22 : 1); break;
            case 3: edit->Perform(WM_KEYDOWN, NavigationKeys[arg % 8], 1); break;
            case 4:
                edit->Perform(EM_SETSEL, arg % 16, (arg >> 4) % 16);
                caretInside = false;
                break;
            case 5: {
                Clipboard()->SetAsText(in.Text(arg % 24));
                edit->Perform(WM_PASTE, 0, 0);
                break;
            }
            case 6:
                MayFailToConvert([&] {
                    if (edit->Focused()) stage.other->SetFocus();
                    else edit->SetFocus();
                });
                caretInside = false;
                break;
            default:
                // Esc as the window delivers it: asked for first, then its key-down and character.
                MayFailToConvert([&] {
                    if (edit->Perform(CN_KEYDOWN, VK_ESCAPE, 1) != 0) return;
                    edit->Perform(WM_KEYDOWN, VK_ESCAPE, 1);
                    edit->Perform(WM_CHAR, 0x1b, 1);
                });
                break;
        }
        Application->ProcessMessages();
        CheckShape(edit, caretInside && edit->Focused());
    }
    MayFailToConvert([&] { edit->Free(); });
    DecimalSeparator = savedDecimal;
    ThousandSeparator = savedThousand;
    return 0;
}
