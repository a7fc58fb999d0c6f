// Colours: the one system colour table (the classic desktop scheme) and colour names.
#include <array>
#include <cstdio>

#include "vcl/Graphics.h"

namespace {

constexpr int SysColorCount = COLOR_ENDCOLORS + 1;

constexpr std::array<COLORREF, SysColorCount> ClassicScheme = {
    RGB(0xD4, 0xD0, 0xC8),  // scroll bar
    RGB(0x3A, 0x6E, 0xA5),  // desktop
    RGB(0x0A, 0x24, 0x6A),  // active caption
    RGB(0x80, 0x80, 0x80),  // inactive caption
    RGB(0xD4, 0xD0, 0xC8),  // menu
    RGB(0xFF, 0xFF, 0xFF),  // window
    RGB(0x00, 0x00, 0x00),  // window frame
    RGB(0x00, 0x00, 0x00),  // menu text
    RGB(0x00, 0x00, 0x00),  // window text
    RGB(0xFF, 0xFF, 0xFF),  // caption text
    RGB(0xD4, 0xD0, 0xC8),  // active border
    RGB(0xD4, 0xD0, 0xC8),  // inactive border
    RGB(0x80, 0x80, 0x80),  // application work space
    RGB(0x0A, 0x24, 0x6A),  // highlight
    RGB(0xFF, 0xFF, 0xFF),  // highlight text
    RGB(0xD4, 0xD0, 0xC8),  // button face
    RGB(0x80, 0x80, 0x80),  // button shadow
    RGB(0x80, 0x80, 0x80),  // grey text
    RGB(0x00, 0x00, 0x00),  // button text
    RGB(0xD4, 0xD0, 0xC8),  // inactive caption text
    RGB(0xFF, 0xFF, 0xFF),  // button highlight
    RGB(0x40, 0x40, 0x40),  // 3D dark shadow
    RGB(0xD4, 0xD0, 0xC8),  // 3D light
    RGB(0x00, 0x00, 0x00),  // info text
    RGB(0xFF, 0xFF, 0xE1),  // info background
    RGB(0xB5, 0xB5, 0xB5),  // (unused slot)
    RGB(0x00, 0x00, 0x80),  // hot light
    RGB(0xA6, 0xCA, 0xF0),  // gradient active caption
    RGB(0xC0, 0xC0, 0xC0),  // gradient inactive caption
    RGB(0x0A, 0x24, 0x6A),  // menu highlight
    RGB(0xD4, 0xD0, 0xC8),  // menu bar
};

std::array<COLORREF, SysColorCount>& SysColors() {
    static std::array<COLORREF, SysColorCount> table = ClassicScheme;
    return table;
}

struct TColorName {
    TColor Color;
    const char* Name;
};

constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

// Decimal or $hex with an optional sign, as the runtime's StrToInt reads it.
bool ParseInteger(const AnsiString& S, Int64& Value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < S.size() && (S[i] == '-' || S[i] == '+')) negative = S[i++] == '-';
    int base = 10;
    if (i < S.size() && S[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= S.size()) return false;
    UInt64 n = 0;
    for (; i < S.size(); ++i) {
        char c = S[i];
        int digit = c >= '0' && c <= '9'                 ? c - '0'
                    : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                         : -1;
        if (digit < 0) return false;
        n = n * base + digit;
        if (n > 0xFFFFFFFFull) return false;
    }
    Int64 v = negative ? -static_cast<Int64>(n) : static_cast<Int64>(n);
    if (v < INT32_MIN || v > static_cast<Int64>(UINT32_MAX)) return false;
    Value = v;
    return true;
}

}  // namespace

COLORREF GetSysColor(int nIndex) {
    if (nIndex < 0 || nIndex >= SysColorCount) return 0;
    return SysColors()[nIndex];
}

void SetSysColorForTest(int nIndex, COLORREF Color) {
    if (nIndex >= 0 && nIndex < SysColorCount) SysColors()[nIndex] = Color & 0xFFFFFF;
}

void ResetSysColors() { SysColors() = ClassicScheme; }

COLORREF ColorToRGB(TColor Color) {
    if (Color < 0) return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color);
}

bool ColorToIdent(Integer Color, AnsiString& Ident) {
    for (const TColorName& entry : ColorNames)
        if (entry.Color == Color) {
            Ident = entry.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const AnsiString& Ident, Integer& Color) {
    for (const TColorName& entry : ColorNames)
        if (SameIdent(entry.Name, Ident)) {
            Color = entry.Color;
            return true;
        }
    return false;
}

bool IdentToColor(const std::string& Ident, Int64& Color) {
    Integer c = 0;
    if (!IdentToColor(Ident, c)) return false;
    Color = c;
    return true;
}

namespace {
struct TCharsetName {
    Integer Charset;
    const char* Name;
};
constexpr TCharsetName CharsetNames[] = {
    {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"},    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},     {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},        {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
};
}  // namespace

bool CharsetToIdent(Integer Charset, AnsiString& Ident) {
    for (const TCharsetName& entry : CharsetNames)
        if (entry.Charset == Charset) {
            Ident = entry.Name;
            return true;
        }
    return false;
}

bool IdentToCharset(const std::string& Ident, Int64& Charset) {
    for (const TCharsetName& entry : CharsetNames)
        if (SameIdent(entry.Name, Ident)) {
            Charset = entry.Charset;
            return true;
        }
    return false;
}

TColor StringToColor(const AnsiString& S) {
    Integer color = 0;
    if (IdentToColor(S, color)) return color;
    Int64 value = 0;
    if (!ParseInteger(S, value)) throw EConvertError("'" + S + "' is not a valid integer value");
    return static_cast<TColor>(static_cast<std::uint32_t>(value));
}

AnsiString ColorToString(TColor Color) {
    AnsiString ident;
    if (ColorToIdent(Color, ident)) return ident;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%.8X", static_cast<unsigned>(Color));
    return buffer;
}
