#include "Varpre.h"

#include <vcl/SysUtils.h>

namespace Varpre {

namespace {

using CharSet = TSet<AnsiChar>;

struct VarpreTables {
    bool Ready = false;
    CharSet UpperLetters, LowerLetters, Letters, Vowels, Consonants, Printable, NonAlnum, WordDelims, NonLetters,
        FileNameChars, Digits;
    AnsiString UpperLettersText, LowerLettersText, LettersText, InvalidFileNameText;
    CaseTableT Upper{}, Lower{};
};

// Built by InitVarpreTables; empty (and marked unbuilt) before it.
VarpreTables tables;

AnsiChar Char(int Code) { return static_cast<AnsiChar>(Code); }

CharSet CharRange(int First, int Last) {
    CharSet set;
    for (int code = First; code <= Last; ++code) set.Include(Char(code));
    return set;
}

const VarpreTables& Ready() {
    if (!tables.Ready) throw Exception("Character sets used before InitVarpreTables");
    return tables;
}

void BuildLetters(VarpreTables& t) {
    t.UpperLetters.Clear();
    t.LowerLetters.Clear();
    for (int code = 1; code <= 255; ++code) {
        const AnsiChar lower = AnsiLowerChar(Char(code));
        if (lower == Char(code)) continue;
        t.UpperLetters.Include(Char(code));
        t.LowerLetters.Include(lower);
    }
    t.Letters = t.UpperLetters + t.LowerLetters;
    CharSetToStr(t.UpperLetters, "", t.UpperLettersText);
    CharSetToStr(t.LowerLetters, "", t.LowerLettersText);
    CharSetToStr(t.Letters, "", t.LettersText);
}

void BuildCaseTables(VarpreTables& t) {
    for (int code = 0; code <= 255; ++code) {
        const AnsiChar c = Char(code);
        const bool letter = t.Letters.Contains(c);
        t.Upper.Map[code] = letter ? AnsiUpperChar(c) : c;
        t.Lower.Map[code] = letter ? AnsiLowerChar(c) : c;
    }
}

void BuildDerivedSets(VarpreTables& t) {
    t.Digits = CharRange('0', '9');
    t.Vowels = CharSet{'A', 'E', 'I', 'O', 'U', 'a', 'e', 'i', 'o', 'u'};
    t.Consonants = t.Letters - t.Vowels;
    t.Printable = t.Letters + CharRange(32, 127);
    t.NonAlnum = CharRange(0, 255) - t.Digits - t.Letters;
    t.WordDelims = t.NonAlnum - CharSet{'\'', '`', Char(146)};
    t.NonLetters = CharRange(0, 255) - t.Letters;
    const AnsiString invalidPrintable = "/\\:*?\"<>|";
    t.FileNameChars = CharRange(32, 255);
    for (AnsiChar c : invalidPrintable) t.FileNameChars.Exclude(c);
    t.InvalidFileNameText = invalidPrintable;
    for (int code = 0; code <= 31; ++code) t.InvalidFileNameText += Char(code);
}

}  // namespace

void InitVarpreTables() {
    BuildLetters(tables);
    BuildCaseTables(tables);
    BuildDerivedSets(tables);
    tables.Ready = true;
}

const TSet<AnsiChar>& UpperLettersSet() { return Ready().UpperLetters; }
const TSet<AnsiChar>& LowerLettersSet() { return Ready().LowerLetters; }
const TSet<AnsiChar>& LettersSet() { return Ready().Letters; }
const TSet<AnsiChar>& VowelsSet() { return Ready().Vowels; }
const TSet<AnsiChar>& ConsonantsSet() { return Ready().Consonants; }
const TSet<AnsiChar>& PrintableSet() { return Ready().Printable; }
const TSet<AnsiChar>& NonAlnumSet() { return Ready().NonAlnum; }
const TSet<AnsiChar>& WordDelimSet() { return Ready().WordDelims; }
const TSet<AnsiChar>& NonLettersSet() { return Ready().NonLetters; }
const TSet<AnsiChar>& FileNameCharSet() { return Ready().FileNameChars; }
const TSet<AnsiChar>& DigitsSet() { return Ready().Digits; }
const AnsiString& UpperLettersStr() { return Ready().UpperLettersText; }
const AnsiString& LowerLettersStr() { return Ready().LowerLettersText; }
const AnsiString& LettersStr() { return Ready().LettersText; }
const AnsiString& InvalidFileNameChars() { return Ready().InvalidFileNameText; }
const CaseTableT& UpperTable() { return Ready().Upper; }
const CaseTableT& LowerTable() { return Ready().Lower; }

Integer SetIntRet(Integer Value, Integer& Dest) { return Dest = Value; }
LongInt SetLongRet(LongInt Value, LongInt& Dest) { return Dest = Value; }
Byte SetByteRet(Byte Value, Byte& Dest) { return Dest = Value; }

AnsiChar FirstCharOrSpace(const AnsiString& S) { return S.empty() ? ' ' : S[0]; }

void CharSetToStr(const TSet<AnsiChar>& Chars, const AnsiString& Sep, AnsiString& Result) {
    AnsiString text;
    for (int code = 0; code <= 255; ++code) {
        if (!Chars.Contains(Char(code))) continue;
        if (!text.empty()) text += Sep;
        text += Char(code);
    }
    Result = std::move(text);
}

void CharStr(AnsiChar C, Integer Count, AnsiString& Result) {
    Result.assign(Count > 0 ? static_cast<std::size_t>(Count) : 0, C);
}

void Spaces(Integer N, AnsiString& Result) { CharStr(' ', N, Result); }

void RepeatStr(const AnsiString& Pattern, Integer Len, AnsiString& Result) {
    AnsiString text;
    if (!Pattern.empty() && Len > 0) {
        const auto length = static_cast<std::size_t>(Len);
        text.reserve(length);
        while (text.size() < length) text.append(Pattern, 0, length - text.size());
    }
    Result = std::move(text);
}

void JoinSep(const AnsiString& A, const AnsiString& Sep, const AnsiString& B, AnsiString& Result) {
    if (B.empty()) {
        Result = A;
    } else if (A.empty()) {
        Result = B;
    } else {
        Result = A + Sep + B;
    }
}

}  // namespace Varpre
