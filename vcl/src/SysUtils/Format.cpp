// Format: the runtime's printf-like formatting over an array of const.
#include <algorithm>
#include <cstdio>

#include "vcl/SysUtils.h"

namespace {

// Widths beyond this are a fault in the caller, not a layout.
constexpr Int64 kMaxWidth = 1 << 20;

class Formatter {
public:
    Formatter(const AnsiString& fmt, std::span<const TVarRec> args) : fmt_(fmt), args_(args) {}

    AnsiString Run() {
        for (pos_ = 0; pos_ < fmt_.size();) {
            const char c = fmt_[pos_++];
            if (c != '%') {
                out_ += c;
            } else if (pos_ < fmt_.size() && fmt_[pos_] == '%') {
                out_ += '%';
                ++pos_;
            } else {
                Specifier();
            }
        }
        return out_;
    }

private:
    [[noreturn]] void Invalid() const {
        throw EConvertError("Format '" + fmt_ + "' invalid or incompatible with argument");
    }
    [[noreturn]] void Missing() const { throw EConvertError("No argument for format '" + fmt_ + "'"); }

    const TVarRec& Next() {
        if (next_ >= args_.size()) Missing();
        return args_[next_++];
    }

    // Digits or '*' (taken from the arguments); -1 when neither stands here.
    Int64 Number() {
        if (pos_ < fmt_.size() && fmt_[pos_] == '*') {
            ++pos_;
            const TVarRec& arg = Next();
            if (arg.VType != TVarRec::vtInteger) Invalid();
            return std::clamp<Int64>(arg.VInteger, 0, kMaxWidth);
        }
        if (pos_ >= fmt_.size() || fmt_[pos_] < '0' || fmt_[pos_] > '9') return -1;
        Int64 value = 0;
        while (pos_ < fmt_.size() && fmt_[pos_] >= '0' && fmt_[pos_] <= '9') {
            value = std::min<Int64>(value * 10 + (fmt_[pos_++] - '0'), kMaxWidth);
        }
        return value;
    }

    void Specifier() {
        Int64 first = Number();
        if (pos_ < fmt_.size() && fmt_[pos_] == ':') {
            ++pos_;
            if (first < 0) first = 0;
            next_ = static_cast<std::size_t>(first);
            first = -1;
        }
        bool left = false;
        Int64 width = first;
        if (width < 0) {
            if (pos_ < fmt_.size() && fmt_[pos_] == '-') {
                left = true;
                ++pos_;
            }
            width = Number();
        }
        Int64 precision = -1;
        if (pos_ < fmt_.size() && fmt_[pos_] == '.') {
            ++pos_;
            precision = Number();
            if (precision < 0) precision = 0;
        }
        if (pos_ >= fmt_.size()) Invalid();
        const char type = static_cast<char>(fmt_[pos_++] | 0x20);
        AnsiString text = Convert(type, Next(), precision);
        if (width > Length(text)) {
            const AnsiString pad(static_cast<std::size_t>(width - Length(text)), ' ');
            text = left ? text + pad : pad + text;
        }
        out_ += text;
    }

    AnsiString Convert(char type, const TVarRec& arg, Int64 precision) {
        const bool integer = arg.VType == TVarRec::vtInteger || arg.VType == TVarRec::vtInt64;
        switch (type) {
            case 'd':
            case 'u': {
                if (!integer) Invalid();
                bool negative = false;
                UInt64 magnitude = 0;
                if (type == 'u') {
                    magnitude = arg.VType == TVarRec::vtInteger
                                    ? static_cast<UInt64>(static_cast<Cardinal>(arg.VInteger))
                                    : static_cast<UInt64>(arg.VInteger);
                } else {
                    negative = arg.VInteger < 0;
                    magnitude =
                        negative ? UInt64(0) - static_cast<UInt64>(arg.VInteger) : static_cast<UInt64>(arg.VInteger);
                }
                AnsiString digits = std::to_string(magnitude);
                if (precision > Length(digits))
                    digits.insert(0, static_cast<std::size_t>(precision - Length(digits)), '0');
                return (negative ? "-" : "") + digits;
            }
            case 'x': {
                if (!integer) Invalid();
                const Integer digits = static_cast<Integer>(std::max<Int64>(precision, 0));
                return arg.VType == TVarRec::vtInteger ? IntToHex(static_cast<Integer>(arg.VInteger), digits)
                                                       : IntToHex(arg.VInteger, digits);
            }
            case 'e':
            case 'g': {
                if (arg.VType != TVarRec::vtExtended) Invalid();
                const Integer digits = precision < 0 || precision > 18 ? 15 : static_cast<Integer>(precision);
                return FloatToStrF(arg.VExtended, type == 'e' ? ffExponent : ffGeneral, digits, 3);
            }
            case 'f':
            case 'n':
            case 'm': {
                if (arg.VType != TVarRec::vtExtended) Invalid();
                const Int64 fallback = type == 'm' ? CurrencyDecimals : 2;
                const Integer digits = static_cast<Integer>(precision < 0 || precision > 18 ? fallback : precision);
                const TFloatFormat format = type == 'f' ? ffFixed : type == 'n' ? ffNumber : ffCurrency;
                return FloatToStrF(arg.VExtended, format, 18, digits);
            }
            case 's': {
                AnsiString text;
                if (arg.VType == TVarRec::vtString) text.assign(arg.VString, arg.VLength);
                else if (arg.VType == TVarRec::vtChar) text.assign(1, static_cast<char>(arg.VInteger));
                else Invalid();
                if (precision >= 0 && precision < Length(text)) text.resize(static_cast<std::size_t>(precision));
                return text;
            }
            case 'p': {
                if (arg.VType != TVarRec::vtPointer) Invalid();
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                              static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(arg.VPointer)));
                return buffer;
            }
            default: Invalid();
        }
    }

    const AnsiString& fmt_;
    std::span<const TVarRec> args_;
    std::size_t pos_ = 0;
    std::size_t next_ = 0;
    AnsiString out_;
};

}  // namespace

AnsiString Format(const AnsiString& Fmt, std::span<const TVarRec> Args) { return Formatter(Fmt, Args).Run(); }
