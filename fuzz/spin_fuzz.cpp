// Keys, characters, selections, pastes, button clicks and focus moves as messages into a spin edit of a
// random type, limits and locale: nothing raises but a date edit's conversion error when its type is set
// on a text that is no date, no arithmetic overflows, and every step leaves a text that reads back as the
// stepped value (a number within its limits, a date or a time).
//
// Input: type, flags (bit 0 editor off, bit 1 keypad point as decimal separator, bit 2 read-only, bits 3-4
// the date format, bit 5 the AM/PM time format, bit 6 a comma decimal separator, bit 7 themed), precision, the integer
// limits and increment (4 bytes each), the float limits and increment (2 bytes each, in hundredths), the
// separators, the first text, then operations of an opcode and an argument byte.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "grdspin.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Clipbrd.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

using namespace grdspin;

namespace {

class TByteReader {
public:
    TByteReader(const std::uint8_t* Data, std::size_t Size) : data_(Data), size_(Size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | Byte();
        return static_cast<std::int32_t>(value);
    }
    double Hundredths() { return static_cast<std::int16_t>((Byte() << 8) | Byte()) / 100.0; }
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

// The locale a run sets, given back afterwards.
struct TLocale {
    TLocale()
        : decimal(DecimalSeparator),
          thousand(ThousandSeparator),
          date(DateSeparator),
          time(TimeSeparator),
          shortDate(ShortDateFormat),
          longTime(LongTimeFormat) {}
    ~TLocale() {
        DecimalSeparator = decimal;
        ThousandSeparator = thousand;
        DateSeparator = date;
        TimeSeparator = time;
        ShortDateFormat = shortDate;
        LongTimeFormat = longTime;
    }
    char decimal, thousand, date, time;
    AnsiString shortDate, longTime;
};

// The text a step of an integer must give and the value a step of a float must read back as, from the text
// before it as the edit reads it.
struct TExpected {
    AnsiString text;
    double value = 0;
    bool finite = true;
};

TExpected ExpectedStep(TGrdSpinEdit* Spin, int Sign) {
    TExpected e;
    if (Spin->SpinType() == sptNormal) {
        Integer old = 0;
        if (!TryStrToInt(Spin->Text(), old)) old = Spin->MinValue();
        Int64 next = Int64{old} + Sign * Int64{Spin->Increment()};
        if (Spin->MinValue() != Spin->MaxValue())
            next = next < Spin->MinValue() ? Spin->MinValue() : next > Spin->MaxValue() ? Spin->MaxValue() : next;
        next = next < INT32_MIN ? Int64{INT32_MIN} : next > INT32_MAX ? Int64{INT32_MAX} : next;
        e.text = IntToStr(static_cast<Integer>(next));
    }
    if (Spin->SpinType() == sptFloat) {
        double old = 0;
        if (!TryStrToFloat(Spin->Text(), old)) old = Spin->MinFloatValue();
        double next = old + Sign * Spin->IncrementFloat();
        e.finite = std::isfinite(next);
        if (Spin->MinFloatValue() != Spin->MaxFloatValue())
            next = next < Spin->MinFloatValue()   ? Spin->MinFloatValue()
                   : next > Spin->MaxFloatValue() ? Spin->MaxFloatValue()
                                                  : next;
        e.value = next;
    }
    return e;
}

// Whether the text reads back as Expected: to the decimals written, or to the 15 digits of the shortest form.
bool ReadsBackAs(const AnsiString& Text, double Expected, Integer Precision) {
    double value = 0;
    if (!TryStrToFloat(Text, value) || !std::isfinite(value)) return false;
    const double tolerance =
        (Precision > 0 ? 0.5 * std::pow(10.0, -Precision) : 0.0) + 1e-13 * std::fmax(1.0, std::fabs(Expected));
    return std::fabs(value - Expected) <= tolerance;
}

const Word Keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_BACK, VK_RETURN};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    TByteReader in(data, size);
    TForm& stage = fuzzstage::Stage();
    static TEdit* other = [&stage] {
        auto* made = new TEdit(&stage);
        made->SetParent(&stage);
        made->SetBounds(8, 60, 100, 24);
        return made;
    }();
    TLocale saved;

    const auto type = static_cast<TGrdSpinType>(in.Byte() % 4);
    const std::uint8_t flags = in.Byte();
    const Integer precision = in.Byte() % 6;
    const Integer minValue = in.Int32(), maxValue = in.Int32(), increment = in.Int32();
    const double minFloat = in.Hundredths(), maxFloat = in.Hundredths(), incrementFloat = in.Hundredths();
    const std::uint8_t separators = in.Byte();
    DecimalSeparator = flags & 64 ? ',' : '.';
    ThousandSeparator = DecimalSeparator == ',' ? '.' : ',';
    static const char dateSeparators[] = {'/', '.', '-'};
    DateSeparator = dateSeparators[separators % 3];
    TimeSeparator = separators & 4 ? '.' : ':';
    static const char* const dateFormats[] = {"m/d/yyyy", "dd/mm/yyyy", "yyyy/m/d", "d/m/yy"};
    ShortDateFormat = dateFormats[(flags >> 3) % 4];
    LongTimeFormat = flags & 32 ? "h:nn:ss AMPM" : "hh:nn:ss";

    auto* spin = new TGrdSpinEdit(&stage);
    spin->SetParent(&stage);
    spin->SetBounds(8, 8, 200, 24);
    spin->SetMinValue(minValue);
    spin->SetMaxValue(maxValue);
    spin->SetIncrement(increment);
    spin->SetMinFloatValue(minFloat);
    spin->SetMaxFloatValue(maxFloat);
    spin->SetIncrementFloat(incrementFloat);
    spin->SetPrecision(precision);
    spin->SetEditorEnabled(!(flags & 1));
    spin->SetExcelStyleDecimalSeparator(flags & 2);
    spin->SetReadOnly(flags & 4);
    spin->SetIsWinXP(flags & 128);
    spin->SetText("0");
    spin->SetSpinType(type);
    spin->SetText(in.Text(in.Byte() % 12));
    spin->SetFocus();

    for (int operations = 0; in.More() && operations < 200; ++operations) {
        const std::uint8_t op = in.Byte();
        const std::uint8_t arg = in.Byte();
        const AnsiString before = spin->Text();
        int sign = 0;
        try {
            switch (op % 9) {
                case 0:
                case 1: spin->Perform(WM_CHAR, arg, (op & 0x80) ? LPARAM{1} << 22 : 1); break;
                case 2: {
                    const Word key = Keys[arg % 9];
                    sign = key == VK_UP ? 1 : key == VK_DOWN ? -1 : 0;
                    if (sign == 0) {
                        spin->Perform(WM_KEYDOWN, key, 1);
                        break;
                    }
                    const TExpected expected = ExpectedStep(spin, sign);
                    spin->Perform(WM_KEYDOWN, key, 1);
                    if (spin->ReadOnly()) Check(spin->Text() == before);
                    else if (spin->SpinType() == sptNormal) Check(spin->Text() == expected.text);
                    else if (spin->SpinType() == sptFloat && expected.finite)
                        Check(ReadsBackAs(spin->Text(), expected.value, spin->Precision()));
                    break;
                }
                case 3: spin->Perform(EM_SETSEL, arg % 16, (arg >> 4) % 16); break;
                case 4:
                    Clipboard()->SetAsText(in.Text(arg % 12));
                    spin->Perform(WM_PASTE, 0, 0);
                    break;
                case 5:
                    sign = arg & 1 ? 1 : -1;
                    (sign > 0 ? spin->Button()->UpButton() : spin->Button()->DownButton())->Click();
                    break;
                case 6:
                    if (spin->Focused()) other->SetFocus();
                    else spin->SetFocus();
                    break;
                case 7: spin->SetText(in.Text(arg % 12)); break;
                default: try { spin->SetSpinType(static_cast<TGrdSpinType>(arg % 4));
                    } catch (const EConvertError&) {
                        // A date edit's type set on a text that is no date: the one failure allowed.
                        Check(arg % 4 == sptDate);
                    }
                    break;
            }
        } catch (...) {
            Check(false);
        }
        Application->ProcessMessages();
        if (sign == 0 || spin->ReadOnly() || spin->Text() == before) continue;
        // A step that changed the text wrote a value that reads back.
        switch (spin->SpinType()) {
            case sptNormal: {
                Integer value = 0;
                Check(TryStrToInt(spin->Text(), value));
                break;
            }
            case sptFloat: {
                double value = 0;
                Check(TryStrToFloat(spin->Text(), value));
                Check(std::isfinite(value));
                break;
            }
            case sptDate: {
                TDateTime value = 0;
                Check(TryStrToDate(spin->Text(), value));
                Check(value >= -693593.0 && value < 2958466.0);
                break;
            }
            case sptTime: {
                TDateTime value = 0;
                Check(TryStrToTime(spin->Text(), value));
                break;
            }
        }
    }
    spin->Free();
    return 0;
}
