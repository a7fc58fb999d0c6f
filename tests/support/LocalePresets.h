#pragma once
// The locales tests run their cases under: the class library's US defaults, day-first dates, and a comma
// as decimal point (with '.' grouping and day-first dates between dots). A preset holds while its scope
// lives; the settings before it come back afterwards.

#include "vcl/SysUtils.h"

enum class TLocalePreset { EnUS, DayFirst, CommaDecimal };

inline const char* PresetName(TLocalePreset Preset) {
    switch (Preset) {
        case TLocalePreset::EnUS: return "en-US";
        case TLocalePreset::DayFirst: return "day-first";
        case TLocalePreset::CommaDecimal: return "comma decimal";
    }
    return "";
}

class TLocaleScope {
public:
    explicit TLocaleScope(TLocalePreset Preset) {
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        DateSeparator = '/';
        ShortDateFormat = "m/d/yyyy";
        if (Preset == TLocalePreset::DayFirst) ShortDateFormat = "dd/mm/yyyy";
        if (Preset == TLocalePreset::CommaDecimal) {
            DecimalSeparator = ',';
            ThousandSeparator = '.';
            DateSeparator = '.';
            ShortDateFormat = "dd.mm.yyyy";
        }
    }
    ~TLocaleScope() {
        DecimalSeparator = decimal_;
        ThousandSeparator = thousand_;
        DateSeparator = date_;
        ShortDateFormat = format_;
    }
    TLocaleScope(const TLocaleScope&) = delete;
    TLocaleScope& operator=(const TLocaleScope&) = delete;

private:
    char decimal_ = DecimalSeparator;
    char thousand_ = ThousandSeparator;
    char date_ = DateSeparator;
    AnsiString format_ = ShortDateFormat;
};
