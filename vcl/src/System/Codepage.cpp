// Windows-1252 <-> UTF-16 / UTF-8 by our own table.
#include "System/Codepage.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "vcl/System.h"

namespace codepage {
namespace {

// 0x80..0x9F; the rest of the code page equals its code points.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; advances i. Malformed input yields U+FFFD for one byte.
char32_t NextUtf8(const std::string& s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    int extra = lead < 0x80             ? 0
                : (lead & 0xE0) == 0xC0 ? 1
                : (lead & 0xF0) == 0xE0 ? 2
                : (lead & 0xF8) == 0xF0 ? 3
                                        : -1;
    if (extra == 0) {
        ++i;
        return lead;
    }
    if (extra < 0 || i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += extra + 1;
    return cp;
}

}  // namespace

char16_t AnsiCharToUtf16(unsigned char Byte) {
    return Byte >= 0x80 && Byte <= 0x9F ? kHighControls[Byte - 0x80] : static_cast<char16_t>(Byte);
}

char UnicodeToAnsiChar(char32_t CodePoint, char Fallback) {
    if (CodePoint < 0x80 || (CodePoint >= 0xA0 && CodePoint <= 0xFF)) return static_cast<char>(CodePoint);
    for (std::size_t k = 0; k < kHighControls.size(); ++k) {
        if (kHighControls[k] == CodePoint) return static_cast<char>(0x80 + k);
    }
    return Fallback;
}

// Bytes widen as they are, then the few of 0x80..0x9F take their characters.
void AnsiToUtf16(std::string_view S, char16_t* Out) {
    for (std::size_t i = 0; i < S.size(); ++i) Out[i] = static_cast<unsigned char>(S[i]);
    FixHighControls(S, Out);
}

// Eight bytes at a time: mostly none has its high bit set.
void FixHighControls(std::string_view S, char16_t* Out) {
    std::size_t i = 0;
    for (; i + 8 <= S.size(); i += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, S.data() + i, sizeof eight);
        if ((eight & 0x8080808080808080ull) == 0) continue;
        for (std::size_t k = i; k < i + 8; ++k)
            if (Out[k] >= 0x80 && Out[k] <= 0x9F) Out[k] = kHighControls[Out[k] - 0x80];
    }
    for (; i < S.size(); ++i)
        if (Out[i] >= 0x80 && Out[i] <= 0x9F) Out[i] = kHighControls[Out[i] - 0x80];
}

std::u16string AnsiToUtf16(std::string_view S) {
    std::u16string out(S.size(), u'\0');
    AnsiToUtf16(S, out.data());
    return out;
}

std::string Utf16ToAnsi(std::u16string_view S, bool* Exact) {
    std::string out(S.size(), '\0');
    std::size_t length = 0;
    bool exact = true;
    for (std::size_t i = 0; i < S.size(); ++i) {
        // Four units at a time while all are ASCII.
        for (std::uint64_t four; i + 4 <= S.size(); i += 4) {
            std::memcpy(&four, S.data() + i, sizeof four);
            if ((four & 0xFF80FF80FF80FF80ull) != 0) break;
            for (std::size_t k = 0; k < 4; ++k) out[length++] = static_cast<char>(S[i + k]);
        }
        if (i == S.size()) break;
        const char16_t u = S[i];
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out[length++] = static_cast<char>(u);
            continue;
        }
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) ++i;
        const char byte = u >= 0xD800 && u <= 0xDFFF ? '\0' : UnicodeToAnsiChar(u, '\0');
        exact = exact && byte != '\0';
        out[length++] = byte != '\0' ? byte : '?';
    }
    out.resize(length);
    if (Exact) *Exact = exact;
    return out;
}

std::string AnsiToUtf8(const std::string& S) {
    std::string out;
    out.reserve(S.size());
    for (char c : S) AppendUtf8(out, AnsiCharToUtf16(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToAnsi(const std::string& S) {
    std::string out;
    out.reserve(S.size());
    for (std::size_t i = 0; i < S.size();) out += UnicodeToAnsiChar(NextUtf8(S, i));
    return out;
}

}  // namespace codepage

WideString AnsiToWide(const AnsiString& S) { return codepage::AnsiToUtf16(S); }
AnsiString WideToAnsi(const WideString& S) { return codepage::Utf16ToAnsi(S); }
AnsiString WideToAnsi(const WideString& S, bool& Exact) { return codepage::Utf16ToAnsi(S, &Exact); }
