#pragma once
// Number and text conversion: numbers to text and back, the lenient reader, digit grouping,
// padding, comparison of texts holding numbers, decimal arithmetic on number texts, selectors.
// Texts are Windows-1252 bytes with 1-based positions; text results come back through Result.

#include <string_view>

#include <vcl/Graphics.h>
#include <vcl/System.h>

#include "Varpre.h"

namespace superar {
struct ArrayOfFiles;
}

namespace valstr {

// Comparison results: equal, first greater (sorts after), first smaller (sorts before).
inline constexpr Byte CompareEqual = 1;
inline constexpr Byte CompareGreater = 2;
inline constexpr Byte CompareSmaller = 3;

// The process-wide digit-group separator of GroupDigits; empty (no grouping) at start-up.
// Stored as a short string: longer texts are cut to 255 characters.
const AnsiString& DigitGroupSeparator();
void SetDigitGroupSeparator(const AnsiString& Separator);

// Selectors and small numeric routines.
void IfThenStr(bool Cond, const AnsiString& A, const AnsiString& B, AnsiString& Result);
Integer IfThenInt(bool Cond, Integer A, Integer B);
Integer MaxOf(Integer A, Integer B);
Integer MinOf(Integer A, Integer B);
Integer ClampInt(Integer Value, Integer Low, Integer High);
Double MaxFloat(Double A, Double B);
Double MinFloat(Double A, Double B);
bool FloatCompare(bool Less, Double X, Double Y);
bool InRangeInt(Integer Value, Integer Min, Integer Max);
Integer PowerOf2(Integer N);
Integer ProgressPercent(Integer Current, Integer First, Integer Last, Integer Low, Integer High);

// Characters and digits.
Integer DigitAt(const AnsiString& S, Integer Index);
Integer CharToDigit(AnsiChar C);
void DigitToStr(Integer D, AnsiString& Result);
bool NextDigit(const AnsiString& S, Integer& Index, Integer& Digit);
void ReadDigits(const AnsiString& S, Integer& Index, AnsiString& Result);
void ReadNumberAt(const AnsiString& S, Integer& Index, AnsiString& Result);
void ReadNumber(const AnsiString& S, AnsiString& Result);
void KeepChars(const AnsiString& S, const TSet<AnsiChar>& Chars, AnsiString& Result);
// KeepChars with Extra, the digits and every letter of the code page.
void KeepAlnumAnd(const AnsiString& S, const TSet<AnsiChar>& Extra, AnsiString& Result);
void CleanNumber(const AnsiString& S, AnsiString& Result);
bool OnlyCharsOf(const AnsiString& S, const TSet<AnsiChar>& Chars);
void ReverseStr(const AnsiString& S, AnsiString& Result);
void SmallestChar(const AnsiString& S, AnsiString& Result);
void SplitByMask(const AnsiString& S, AnsiString& Kept, AnsiString& Removed, Word Mask);
// Align: 1 pads on the left, 2 on the right, 3 centres; PadStr "\r" leaves S as it is.
void PadToWidth(const AnsiString& S, const AnsiString& PadStr, Integer Width, Integer Align, AnsiString& Result);
void IntToStrPadded(Integer Value, Integer Width, const AnsiString& PadStr, AnsiString& Result);
void CollapseSeparators(const AnsiString& S, const AnsiString& Sep, AnsiString& Result);
// The group letter of S's first character: OtherGroup's first character ("!" when empty) for
// anything but a digit or letter, DigitGroup's ("0") for a digit, the upper case of an ASCII letter,
// "A" for any other letter. An empty S counts as a blank.
AnsiChar AlphabetGroupChar(const AnsiString& S, const AnsiString& DigitGroup, const AnsiString& OtherGroup);

// Numbers to text and back.
void Int64ToStrVar(Int64 Value, AnsiString& Result);
void Int64Str(Int64 Value, AnsiString& Result);
// Decimals outside 0..11 mean 11; "Nan", "+Inf", "-Inf" for the special values.
void FloatToStrFixed(Integer Decimals, AnsiString& Result, Double Value);
void FloatToStrDec(Integer Decimals, AnsiString& Result, Double Value);
void FloatToStrTrim(AnsiString& Result, Double Value);
Double StrToFloatLenient(const AnsiString& S, Double Default);
Integer StrToIntLenient(const AnsiString& S);
Integer StrToIntOrNone(const AnsiString& S);
Double StrToFloatSimple(const AnsiString& S);
// MaxWidth 0 means no limit.
void GroupDigits(const AnsiString& S, Integer MaxWidth, AnsiString& Result);

// Decimal arithmetic on number texts of any length ("-" sign, optional "." fraction).
void AddNumberStrings(const AnsiString& A, const AnsiString& B, AnsiString& Result);
void SubtractNumberStrings(const AnsiString& A, const AnsiString& B, AnsiString& Result);

// Comparison: CompareEqual, CompareGreater or CompareSmaller.
Byte NaturalCompare(std::string_view A, std::string_view B, bool CaseSensitive);
Byte CompareStrings(std::string_view A, std::string_view B, bool Natural, bool CaseSensitive);
Byte CompareValues(const AnsiString& A, const AnsiString& B);

// Text sorts, each through a temporary item table.
// The items of S cut at the earliest of the separators in Seps (themselves separated by SepsSep; an empty
// Seps cuts at every word delimiter), sorted with numbers in their natural order and without regard to
// case, empty items left out, joined with OutSep.
void SortDelimited(const AnsiString& S, const AnsiString& OutSep, const AnsiString& Seps, const AnsiString& SepsSep,
                   AnsiString& Result);
// The characters of S in order, with regard to case.
void SortChars(const AnsiString& S, AnsiString& Result);
// The items of List cut at Sep, ordered by their smallest character and joined with Sep; a trailing Sep
// of List stays at the end.
void SortListItems(const AnsiString& List, const AnsiString& Sep, AnsiString& Result);

// Thin forwarders to the runtime.
Integer LengthOf(const AnsiString& S);
void IntToStrVar(Integer Value, AnsiString& Result);
// Raises EConvertError on anything but an optionally signed decimal 32-bit integer.
Integer StrToIntStrict(const AnsiString& S);
// Inserts Source into S before position Index, clamped to 1..Length(S) + 1 as the runtime does.
void InsertStr(const AnsiString& Source, AnsiString& S, Integer Index);

// Colours: RGB and hue/saturation/lightness on the 0..240 scale (hue 0..239); system colours are resolved first.
inline constexpr Integer HSLScale = 240;
void ColorToRGBBytes(TColor Color, Byte& R, Byte& G, Byte& B);
TColor RGBToColor(Byte R, Byte G, Byte B);
void ColorToHSLFloat(TColor Color, Double& H, Double& S, Double& L);
void ColorToHSL(TColor Color, Integer& H, Integer& S, Integer& L);
TColor HSLToColor(Integer H, Integer S, Integer L);
Integer ColorLightness(TColor Color);
TColor ContrastColor(TColor Color);
TColor ChangeLightness(TColor Color, Double Factor);
TColor LighterColor(TColor Color, Double Factor);
TColor DarkerColor(TColor Color, Double Factor);
TColor ScaleSaturation(TColor Color, Double Percent);

// The row iterator over a selection text ("3-7;9;12-"); walked by the selection routines.
struct LoopT {
    Integer Current;   // index delivered by the last step, -1 before the first
    Integer Finished;  // 1 while Current is the last index of the selection
    Integer Next;      // index prepared by the last step; -1 = take the next item
    Integer HasNext;
    superar::ArrayOfFiles* Owner;  // table whose rows are walked, or none
    AnsiString Selection;
    Integer Min;
    Integer Max;
    Integer RangeFrom;
    Integer RangeTo;
    Integer Direction;  // 0 ascending, 1 descending, 2 invalid item
    AnsiString Remaining;
};

// Normalises Selection (";;" runs, a lone ";", one leading and one trailing ";"), stores it with the
// bounds, drops the owner and starts the walk.
void LoopSetSelection(LoopT& Loop, const AnsiString& Selection, Integer Min, Integer Max);
// The rows 1..Table's Count of Selection; rows beyond the table's current Count or not included are passed over.
void LoopInit(LoopT& Loop, const AnsiString& Selection, superar::ArrayOfFiles* Table);
// Back to the first index; true when there is one.
bool LoopStart(LoopT& Loop);
// Current takes the prepared index; false once the selection is used up.
bool LoopNext(LoopT& Loop);
// One item ("3-7", "12-", "-2", "7-3"): 0 ascending, 1 descending, 2 invalid (the range untouched).
Byte ParseRangeItem(const AnsiString& Item, Integer Min, Integer Max, Integer& RangeTo, Integer& RangeFrom);
// A negative end counts from Max (-1 is Max); B 0 means the single index A; A -2147483647 means Min..Max.
Byte ResolveRange(Integer A, Integer B, Integer Min, Integer& RangeTo, Integer& RangeFrom, Integer Max);

// Size-share lists: a length divided by weights, as a comma list of items weight|minimum|maximum
// ("100", "0.1|", "100|30|30"); at most MaxShareItems items. A weight of 0 or less counts as 0.1, an
// empty limit means none. The result holds each item's size, or with RangeForm the 1-based first and
// last position it occupies ("1-100,101-250"). EqualizeMiddle raises the middle items to the first
// item's size at the cost of the last.
inline constexpr Integer MaxShareItems = 200;
void DistributeSizes(Integer Total, const AnsiString& SizeList, bool RangeForm, AnsiString& Result,
                     bool EqualizeMiddle);
// Count items of weight 100; a negative Count asks for items |Count| long (the last one takes the rest).
void DistributeEvenly(Integer Total, Integer Count, bool RangeForm, AnsiString& Result, bool EqualizeMiddle);
// ",First,,First+1,...,Last," : a set of item numbers that a search for ",N," tests.
void IndexList(Integer First, Integer Last, AnsiString& Result);

// Setting lines: "name = value // comment", "[section]", "name =" opening a value spread over the
// following lines, and with ParamMode bare values. Line kinds written to Kind:
inline constexpr const char* KindSectionLine = "[]";
inline constexpr const char* KindMultiLine = "\"\"";
inline constexpr const char* KindBareValue = "b";
// Position where a line comment starts ("//" at the front, or the first " //"), 0 when none; Comment
// gets the text after the slashes less one leading blank. Quotes are not looked at.
Integer FindLineComment(const AnsiString& Line, AnsiString& Comment);
// Splits Line into its parts; true when it holds a name, a comment or a section, or ParamMode is on.
bool ParseSettingLine(const AnsiString& Line, AnsiString& Name, AnsiString& Value, bool ParamMode, bool& EmptyComment,
                      AnsiString& Section, AnsiString& Comment, AnsiString& Kind);

// Condition test: an operator in front of a text ("<>5", ">=10") compares two values.
inline constexpr Integer OpEqual = 1;
inline constexpr Integer OpGreater = 2;
inline constexpr Integer OpSmaller = 3;
inline constexpr Integer OpNotEqual = 4;
inline constexpr Integer OpGreaterOrEqual = 5;
inline constexpr Integer OpSmallerOrEqual = 6;
// Removes a leading operator from S and gives its code; without one S stays and the code is OpEqual.
Integer ParseCompareOperator(AnsiString& S);
// A Op B, comparing as CompareValues does.
bool CompareWithOperator(const AnsiString& A, const AnsiString& Op, const AnsiString& B);
// The code of the operator with its operands exchanged.
Integer InvertCompareCode(Integer Code);

}  // namespace valstr
