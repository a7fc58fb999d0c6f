// Arbitrary bytes through the grid's readers and text routines: nothing raises but the specified
// conversion errors, dates are valid or 0, wide cell text comes back unchanged, the linear single-quote
// count agrees with the repeated search it replaces, and every number read is one strtod takes whole.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <vcl/SysUtils.h>

#include "ProObj.h"
#include "ProUtil.h"
#include "support/FuzzCheck.h"

namespace {

using namespace ProUtil;

// A date reader's answer: 0, or a day of years 1 to 9999 without a time.
void CheckDate(TDateTime date) {
    if (date == 0) return;
    Word year, month, day;
    DecodeDate(date, year, month, day);
    TDateTime again = 0;
    Check(TryEncodeDate(year, month, day, again) && again == date);
}

// The count as specified: search, count, delete through the hit, again.
Integer RepeatedSingleCharCount(char ch, std::string text) {
    Integer count = 0;
    for (Integer at; (at = SingleCharPos(ch, text)) > 0; ++count) text.erase(0, static_cast<std::size_t>(at));
    return count;
}

void CheckNumbers(const std::string& text) {
    const Integer kind = ClassifyNumber(text);
    Check(kind >= 0 && kind <= 2);
    const std::string number = ExtractNumericText(text);
    if (kind == 2) return;
    char* end = nullptr;
    std::strtod(number.c_str(), &end);
    Check(*end == '\0' && !number.empty());
}

void CheckTexts(const std::string& text) {
    Check(GetTextType(text, true) >= 0 && GetTextType(text, false) <= 5);
    TPoint cell;
    ParseRCReference(text, cell);
    std::string stripped = text;
    StripURLProtocol(stripped);
    Check(stripped.size() <= text.size());
    Check(MixedCaseStr(text).size() == text.size());
    Check(ExpandLineEscapes(text).size() <= text.size());
    Check(StripCR(LFToCRLF(text)) == StripCR(text));
    Check(TildeToCRLF(text).size() == text.size() + static_cast<std::size_t>(CharCount('~', text)));
    std::string quoted = text;
    QuoteMultiLine(quoted);
    Check(quoted.size() >= 2 && quoted.front() == '"' && quoted.back() == '"');
    const char quote = text.empty() ? '"' : text[0];
    Check(SingleCharCount(quote, text) == RepeatedSingleCharCount(quote, text));
    Check(RemoveQuoteChar(quote, text).size() <= text.size());
    std::string rest = text, line;
    const Integer lines = GetLineCount(text, true);
    ExtractLine(rest, true, line);
    Check(line.size() + rest.size() <= text.size());
    Check(lines >= 1 && GetLineCount(rest, true) == (lines > 1 ? lines - 1 : 1));
    std::string oem = text;
    OemToAnsiStr(oem);
    Check(oem.size() == text.size());
    IsDateText(text);
    IsURL(text);
}

void CheckWideText(const std::string& text) {
    WideString wide;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        wide +=
            static_cast<char16_t>((static_cast<unsigned char>(text[i]) << 8) | static_cast<unsigned char>(text[i + 1]));
    Check(UniStrFromCellText(UniStrToCellText(wide)) == wide);
    UniStrFromCellText(text);
}

void CheckDates(const std::string& text) {
    CheckDate(StrToDateMDY(text));
    CheckDate(StrToDateDMY(text));
    TDateTime date = 0;
    if (ParseDateByFormat(text, date)) CheckDate(date);
    if (text.size() < 4) return;
    const auto small = [&](std::size_t i) { return static_cast<Integer>(static_cast<signed char>(text[i])); };
    try {
        const TDateTime stepped = StepDate(small(0), small(1), small(2), small(3), EncodeDate(2000, 2, 29));
        Check(stepped == stepped);
    } catch (const EConvertError&) {
        // a year outside 1..9999
    }
}

void CheckIntList(const std::string& text) {
    ProObj::TIntList list(0, 0);
    try {
        list.SetStrValue(text);
    } catch (const EConvertError&) {
        Check(list.Count() == 0);
        return;
    }
    ProObj::TIntList again(0, 0);
    again.SetStrValue(list.StrValue());
    Check(again.StrValue() == list.StrValue());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckNumbers(input);
    CheckTexts(input);
    CheckWideText(input);
    CheckDates(input);
    CheckIntList(input);
    return 0;
}
