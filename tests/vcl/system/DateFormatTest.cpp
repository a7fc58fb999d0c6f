#include <limits>

#include <gtest/gtest.h>

#include "vcl/SysUtils.h"

namespace {

// 2024-03-05 (a Tuesday) 14:07:09.045.
const TDateTime kAfternoon = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);

TEST(DateFormat, TheClassLibrarysLettersInEitherCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"d/m/yy", "5/3/24"},
        {"DD.MM.YYYY", "05.03.2024"},
        {"ddd dddd", "Tue Tuesday"},
        {"mmm MMMM", "Mar March"},
        {"ddddd", "3/5/2024"},
        {"dddddd", "Tuesday, March 05, 2024"},
        {"y yyy", "24 2024"},
        {"h:m:s.z", "14:7:9.45"},
        {"hh:mm:ss.zzz", "14:07:09.045"},
        {"HH:NN", "14:07"},
        {"h:nn am/pm", "2:07 pm"},
        {"h:nn AM/PM", "2:07 PM"},
        {"h a/p", "2 p"},
        {"hh ampm", "02 PM"},
        {"t", "2:07 PM"},
        {"tt", "2:07:09 PM"},
        {"c", "3/5/2024 2:07:09 PM"},
        {"'d' \"m\" d", "d m 5"},
        {"yyyy-mm-dd", "2024-03-05"},
        {"Qx", "Qx"},
        // An "m" after an hour is minutes, elsewhere the month.
        {"m h m", "3 14 7"},
    };
    for (const auto& [format, text] : cases) EXPECT_EQ(FormatDateTime(format, kAfternoon), text) << format;
}

TEST(DateFormat, SeparatorsAndNamesComeFromTheSettings) {
    DateSeparator = '-';
    TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("m/d/yyyy h:nn", kAfternoon), "3-5-2024 14.07");
    EXPECT_EQ(DateToStr(kAfternoon), "3-5-2024");
    DateSeparator = '/';
    TimeSeparator = ':';
    EXPECT_EQ(DateToStr(kAfternoon), "3/5/2024");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2000, 1, 1)), "1/1/2000");  // midnight shows no time
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
}

TEST(DateFormat, AFormatNamingItselfStopsExpanding) {
    const AnsiString saved = ShortDateFormat;
    ShortDateFormat = "ddddd|";
    EXPECT_EQ(DateToStr(kAfternoon), "||");
    ShortDateFormat = saved;
}

TEST(DateFormat, AValueWithoutADayOfTheYearsOneToNineThousandNineHundredNinetyNineRaises) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (double value : {nan, inf, -inf, 2958466.0, 2958465.99999999999, -693594.0, 1e300, -1e300})
        EXPECT_THROW(FormatDateTime("c", value), EConvertError) << value;
    EXPECT_EQ(DateToStr(2958465.9), "12/31/9999");
    EXPECT_EQ(DateToStr(-693593.5), "1/1/0001");
    EXPECT_EQ(DateToStr(-1.25), "12/29/1899");
}

}  // namespace
