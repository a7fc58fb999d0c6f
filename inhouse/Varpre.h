#pragma once
// The foundation of the library: records several units share, the process-wide character sets
// and case tables built by InitVarpreTables, and a few tiny string and assignment routines.
// Texts are Windows-1252 bytes; text results come back through Result.

#include <vector>

#include <vcl/System.h>

namespace Varpre {

inline constexpr const char VarpreVersion[] = "1.0";

// The library's "no value / not found" integer.
inline constexpr Integer NoValue = -32000;
// Passed for an optional text argument (separator, quote, end marker): the argument is not given and
// the routine uses its default or detects the value (a close quote the same as the opening one, the
// separator the path already uses).
inline constexpr const char NotGiven[] = "-zq-";

// ---------------------------------------------------------------------------
// Shared records.

using ArrayOfStringT = std::vector<AnsiString>;

// A found text with a number (a position or a count).
struct StringAndCountT {
    AnsiString Text;
    Integer Count;
};

// A broken-down date and time (filled by unit dater).
struct DateInfoT {
    Integer FileDate;
    Integer Day;
    Integer Month;
    Integer Year;
    Integer Weekday;  // 1 Monday .. 7 Sunday
    Integer Zodiac;   // 1 Capricorn .. 12 Sagittarius
    Word Hour;
    Word Minute;
    Word Second;
    Word MSec;
    Word Hour12;
    Word DayCount;
    AnsiString MonthName;
    AnsiString WeekdayName;
    AnsiString ZodiacName;
    AnsiString AmPm;
    AnsiString OrdinalSuffix;
    Double IntPart;
    Double FracPart;
};

// Declared for the file-information record; never filled.
struct mp3Tag11T {
    AnsiString Texts[6];
};

// 256 characters indexed by byte: case conversion of one character is one lookup.
struct CaseTableT {
    AnsiChar Map[256];
    AnsiChar operator[](Byte C) const { return Map[C]; }
};

// ---------------------------------------------------------------------------
// Start-up: builds every set, letter text and case table from the runtime's Windows-1252
// casing. Runs before any other unit of the library; the tables are read-only afterwards.
void InitVarpreTables();

// The process-wide sets, texts and tables. Reading one before InitVarpreTables raises Exception.
const TSet<AnsiChar>& UpperLettersSet();  // characters that lower-casing changes
const TSet<AnsiChar>& LowerLettersSet();  // their lower-case images
const TSet<AnsiChar>& LettersSet();
const TSet<AnsiChar>& VowelsSet();  // AEIOU and aeiou
const TSet<AnsiChar>& ConsonantsSet();
const TSet<AnsiChar>& PrintableSet();  // letters and 32..127
const TSet<AnsiChar>& NonAlnumSet();
const TSet<AnsiChar>& WordDelimSet();  // NonAlnumSet without ' ` and character 146
const TSet<AnsiChar>& NonLettersSet();
const TSet<AnsiChar>& FileNameCharSet();  // 32..255 without " * / : < > ? \ |
const TSet<AnsiChar>& DigitsSet();
const AnsiString& UpperLettersStr();
const AnsiString& LowerLettersStr();
const AnsiString& LettersStr();
// / \ : * ? " < > | then the characters 0..31.
const AnsiString& InvalidFileNameChars();
const CaseTableT& UpperTable();
const CaseTableT& LowerTable();

// ---------------------------------------------------------------------------
// Assignments that return the value stored, so a condition can keep what it tested.
Integer SetIntRet(Integer Value, Integer& Dest);
LongInt SetLongRet(LongInt Value, LongInt& Dest);
Byte SetByteRet(Byte Value, Byte& Dest);

// Small texts.
AnsiChar FirstCharOrSpace(const AnsiString& S);
void CharSetToStr(const TSet<AnsiChar>& Chars, const AnsiString& Sep, AnsiString& Result);
void CharStr(AnsiChar C, Integer Count, AnsiString& Result);
void Spaces(Integer N, AnsiString& Result);
void RepeatStr(const AnsiString& Pattern, Integer Len, AnsiString& Result);
// A + Sep + B, leaving out Sep when either side is empty.
void JoinSep(const AnsiString& A, const AnsiString& Sep, const AnsiString& B, AnsiString& Result);

}  // namespace Varpre
