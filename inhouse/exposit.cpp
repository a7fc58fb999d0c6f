// The search state's defaults.
#include "exposit.h"

#include <vcl/SysUtils.h>

namespace exposit {

namespace {

// The library's character sets come with unit Varpre's start-up; until then the search defaults
// are built here the same way: letters are the characters that have another case.
TSet<AnsiChar> Letters() {
    TSet<AnsiChar> letters;
    for (int code = 1; code < 256; ++code) {
        const auto c = static_cast<AnsiChar>(code);
        if (AnsiLowerChar(c) != c) letters.Include(c).Include(AnsiLowerChar(c));
    }
    return letters;
}

TSet<AnsiChar> AllChars() {
    TSet<AnsiChar> all;
    for (int code = 0; code < 256; ++code) all.Include(static_cast<AnsiChar>(code));
    return all;
}

TSet<AnsiChar> NonAlnum() {
    TSet<AnsiChar> digits;
    for (char c = '0'; c <= '9'; ++c) digits.Include(c);
    return AllChars() - Letters() - digits;
}

TSet<AnsiChar> WordDelims() {
    return NonAlnum() - TSet<AnsiChar>{'\'', '`', static_cast<AnsiChar>(146)};
}

}  // namespace

void InitPosInfo(PosInfoT& Info) {
    static const TSet<AnsiChar> nonAlnum = NonAlnum();
    static const TSet<AnsiChar> letters = Letters();
    static const TSet<AnsiChar> wordChars = AllChars() - WordDelims();
    Info = PosInfoT{};
    Info.CaseSensitive = 1;
    Info.Occurrence = 1;
    Info.OpenQuote = "\"";
    Info.CloseQuote = "\"";
    Info.Overlapping = 1;
    Info.WordEdgeChars = nonAlnum;
    Info.MatchChars = letters;
    Info.WordChars = wordChars;
}

}  // namespace exposit
