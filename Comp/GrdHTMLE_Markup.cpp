// The mark-up language's preparation, colour values and attribute reading.
#include <array>
#include <cstring>

#include "GrdHTMLE.h"

namespace GrdHTMLE {

namespace {

char LowerChar(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

// Body (lower case, after the "&") at S[At..], compared without case.
bool BodyAt(const AnsiString& S, std::size_t At, const char* Body, std::size_t Length) {
    if (At + Length > S.size()) return false;
    for (std::size_t i = 0; i < Length; ++i)
        if (LowerChar(S[At + i]) != Body[i]) return false;
    return true;
}

struct TEntity {
    const char* Body;  // without the "&"
    std::size_t Length;
    char Byte;  // 0: "&amp;", which leaves "&&"
};

constexpr TEntity Entities[] = {
    {"amp;", 4, 0},       {"quot;", 5, '"'},    {"sect;", 5, '\xA7'},  {"permil;", 7, '\x89'}, {"reg;", 4, '\xAE'},
    {"copy;", 5, '\xA9'}, {"para;", 5, '\xB6'}, {"trade;", 6, '\x99'}, {"euro;", 5, '\x80'},
};

struct TRunEntity {
    const char* Lower;  // with the "&"
    std::size_t Length;
    char Byte;
};

constexpr TRunEntity RunEntities[] = {{"&nbsp;", 6, ' '}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}};

struct TNamedColor {
    const char* Name;
    TColor Color;
};

constexpr std::array<TNamedColor, 40> ColorNames = {{
    {"clred", clRed},
    {"clblack", clBlack},
    {"clblue", clBlue},
    {"clgreen", clGreen},
    {"claqua", clAqua},
    {"clyellow", clYellow},
    {"clfuchsia", clFuchsia},
    {"clwhite", clWhite},
    {"cllime", clLime},
    {"clsilver", clSilver},
    {"clgray", clGray},
    {"clolive", clOlive},
    {"clnavy", clNavy},
    {"clpurple", clPurple},
    {"clteal", clTeal},
    {"clmaroon", clMaroon},
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
}};

}  // namespace

// ---------------------------------------------------------------------------
// Preparation

// One scan that reads again the second "&" an "&amp;" leaves: only that "&" can start a new entity, so
// the scan ends where repeated replacing would.
AnsiString ReplaceEntities(const AnsiString& S) {
    if (S.find('&') == AnsiString::npos) return S;
    AnsiString result;
    result.reserve(S.size());
    std::size_t done = 0;
    while (done < S.size()) {
        const void* hit = std::memchr(S.data() + done, '&', S.size() - done);
        if (!hit) break;
        const auto amp = static_cast<std::size_t>(static_cast<const char*>(hit) - S.data());
        result.append(S, done, amp - done);
        // The body after an "&", which may be the one an "&amp;" just left.
        std::size_t body = amp + 1;
        for (;;) {
            const TEntity* found = nullptr;
            for (const TEntity& entity : Entities)
                if (BodyAt(S, body, entity.Body, entity.Length)) {
                    found = &entity;
                    break;
                }
            if (!found) {
                result += '&';
                done = body;
                break;
            }
            body += found->Length;
            if (found->Byte) {
                result += found->Byte;
                done = body;
                break;
            }
            result += '&';
        }
    }
    if (done < S.size()) result.append(S, done, AnsiString::npos);
    return result;
}

// Replacing from the front until no lower-case one is left replaces, in order, every entity up to the
// last lower-case one: a replacement never makes a new entity.
AnsiString ReplaceRunEntities(const AnsiString& S) {
    AnsiString run = S;
    for (const TRunEntity& entity : RunEntities) {
        const std::size_t last = run.rfind(entity.Lower);
        if (last == AnsiString::npos) continue;
        AnsiString result;
        result.reserve(run.size());
        std::size_t done = 0;
        for (std::size_t at = run.find('&'); at != AnsiString::npos && at <= last; at = run.find('&', at + 1)) {
            if (!BodyAt(run, at, entity.Lower, entity.Length)) continue;
            result.append(run, done, at - done);
            result += entity.Byte;
            done = at + entity.Length;
            at = done - 1;
        }
        result.append(run, done, AnsiString::npos);
        run = std::move(result);
    }
    return run;
}

AnsiString PrepareMarkup(const AnsiString& S) {
    AnsiString text = ReplaceEntities(S);
    if (text.find("<#") != AnsiString::npos) RemoveHashMarker(text, text);
    LineBreaksToBR(text, true, text);
    return text;
}

// ---------------------------------------------------------------------------
// Tags and colours

AnsiString TagValue(const AnsiString& Tag, const AnsiString& Name) {
    const std::size_t at = Tag.find(Name);
    if (at == AnsiString::npos) return {};
    const std::size_t open = Tag.find('"', at + Name.size());
    if (open == AnsiString::npos) return {};
    const std::size_t close = Tag.find('"', open + 1);
    if (close == AnsiString::npos) return {};
    return Tag.substr(open + 1, close - open - 1);
}

TColor MarkupColor(const AnsiString& Value) {
    if (!Value.empty() && Value[0] == '#') return HTMLColorFromHex(Value);
    return HTMLColorByName(LowerCase(Value));
}

Integer FontSizeValue(const AnsiString& UpperTag) {
    const std::size_t size = UpperTag.find("SIZE");
    if (size == AnsiString::npos) return 0;
    std::size_t from = UpperTag.find('=', size);
    from = from == AnsiString::npos ? size + 4 : from + 1;
    const std::size_t quote = UpperTag.find('"', from);
    if (quote != AnsiString::npos) from = quote + 1;
    std::size_t digits = from;
    while (digits < UpperTag.size() && UpperTag[digits] >= '0' && UpperTag[digits] <= '9') ++digits;
    const Integer n = StrToIntDef0(UpperTag.substr(from, digits - from));
    constexpr Integer Points[] = {8, 10, 12, 14, 16};
    return n >= 1 && n <= 5 ? Points[n - 1] : n;
}

TColor HTMLColorByName(const AnsiString& Name) {
    for (const TNamedColor& named : ColorNames)
        if (Name == named.Name) return named.Color;
    return 0;
}

TColor HTMLColorFromHex(const AnsiString& S) {
    const Integer r = HexPairToInt(Copy(S, 2, 2)) & 0xFF;
    const Integer g = HexPairToInt(Copy(S, 4, 2)) & 0xFF;
    const Integer b = HexPairToInt(Copy(S, 6, 2)) & 0xFF;
    return r + g * 256 + b * 65536;
}

Integer HexPairToInt(const AnsiString& S) {
    if (S.size() < 2) return 0;
    const auto digit = [](char c) {
        const Integer code = static_cast<unsigned char>(c);
        return code < 'A' ? code - '0' : code - 55;
    };
    return 16 * digit(S[0]) + digit(S[1]);
}

}  // namespace GrdHTMLE
