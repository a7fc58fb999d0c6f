#pragma once
// The grid's stand-alone routines: text kinds, number and date reading, line-break and quote handling,
// URL tests, capitalisation, and the drawing of gradients, progress bars, drop-down buttons, error
// underlines and transparent bitmaps. Positions are 1-based; separators are the platform's settings.

#include <string_view>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/SysUtils.h"

namespace ProUtil {

// ---------------------------------------------------------------------------
// Text kinds and numbers

// For texts of at least 2 characters: 3 for "=...", 5 for "|\...", 2 for "{\...", 1 when AllowHTML and
// the text holds "</", "<B" or "<I"; otherwise 0.
Integer GetTextType(const AnsiString& S, bool AllowHTML);
// 0 integer (digits and a leading "-"), 1 float (with decimal and thousand separators, thousand
// separators 3 or more characters apart), 2 not a number (also without any digit).
Integer ClassifyNumber(const AnsiString& S);
// The number inside S as text strtod can read ("-" in front when negative, "." as decimal point).
AnsiString ExtractNumericText(const AnsiString& S);
// "R<row>C<column>": True with Cell = (column, row) when both numbers convert.
bool ParseRCReference(const AnsiString& S, TPoint& Cell);

bool IsURL(const AnsiString& S);
// Removes everything up to and including "://" (or "mailto:").
void StripURLProtocol(AnsiString& S);
// First letter of each word upper case, the rest lower case; "Mc" names and final roman I / II kept.
AnsiString MixedCaseStr(const AnsiString& S);

// ---------------------------------------------------------------------------
// Line breaks and quotes

// Every backslash followed by "n" becomes a CR.
AnsiString ExpandLineEscapes(const AnsiString& S);
AnsiString LFToCRLF(const AnsiString& S);
AnsiString TildeToCRLF(const AnsiString& S);
AnsiString StripCR(const AnsiString& S);
// CR LF becomes LF, then S is enclosed in double quotes.
void QuoteMultiLine(AnsiString& S);
// Drops every single Q and keeps one Q of each doubled pair.
AnsiString RemoveQuoteChar(char Q, const AnsiString& S);
// The position of the first Ch that is not part of a doubled pair; 0 when none.
Integer SingleCharPos(char Ch, std::string_view S);
// The number of Ch that are not part of a doubled pair.
Integer SingleCharCount(char Ch, const AnsiString& S);
Integer CharCount(char Ch, const AnsiString& S);
// The position of Sub in S, also stored in P.
Integer VarPos(const AnsiString& Sub, const AnsiString& S, Integer& P);
// The position of Ch in S, also stored in P when found.
Integer VarCharPos(char Ch, const AnsiString& S, Integer& P);
// The first character of S in Set; #0 when none.
char FirstCharOfSet(const TSet<char>& Set, const AnsiString& S);
Integer CharPosRaw(char Ch, const AnsiString& S);
// The position of Sub in S with S's ASCII letters upper-cased.
Integer UpperCasePos(const AnsiString& Sub, const AnsiString& S);
char LowerCaseChar(char Ch);
// Line := S up to its first CR; that part, the CR and an LF after it leave S. S is emptied when
// KeepRest is False or S holds no CR.
void ExtractLine(AnsiString& S, bool KeepRest, AnsiString& Line);
Integer GetLineCount(const AnsiString& S, bool MultiLine);
void FillStringChar(AnsiString& S, char Ch);
void OemToAnsiStr(AnsiString& S);

// ---------------------------------------------------------------------------
// Values, geometry, colours and wide text

// Max when 0 < Max < V; else Min when 0 < Min and V < Min; else V.
Integer LimitValue(Integer V, Integer Min, Integer Max);
Integer Max(Integer A, Integer B);
Integer Min(Integer A, Integer B);
// Edges included.
bool PointInRect(const TRect& R, Integer X, Integer Y);
// Each channel of the resolved colour halved.
TColor DarkenColor(TColor C);
// "|\" and byte pairs (high byte first) are UTF-16 units; any other text is Windows-1252.
WideString UniStrFromCellText(const AnsiString& S);
AnsiString UniStrToCellText(const WideString& W);
// S holds the date separator after its first character, and again after that.
bool IsDateText(const AnsiString& S);

// ---------------------------------------------------------------------------
// Dates (0 / False for a text that names no date)

TDateTime StrToDateMDY(const AnsiString& S);
TDateTime StrToDateDMY(const AnsiString& S);
// The parts in the order of the short date format, split at the date separator.
bool ParseDateByFormat(const AnsiString& S, TDateTime& D);
// Only Days: Date + Days; only Years or only Months: that many later, the day clamped to the month;
// otherwise Date + Delta.
TDateTime StepDate(Integer Years, Integer Months, Integer Days, TDateTime Delta, TDateTime Date);

// ---------------------------------------------------------------------------
// Filter language

// S with the decimal separator written as "." and the thousand separators dropped.
AnsiString NormalizeNumberText(const AnsiString& S);

// A filter condition, read once to test many values. The condition is trimmed, blanks next to "&", ";",
// "^", "|" and "=" and a leading "=" are dropped, and it splits at those combiners into parts joined
// strictly left to right ("&" and, the others or). A part is a comparison (">", ">=", "<", "<=" with a
// number, else a date, else text over 255 bytes) or a wildcard pattern ("*", "?", "!" negates, double
// quotes skipped). Without CaseSensitive both sides are upper-cased first.
class TFilterCondition {
public:
    TFilterCondition(const AnsiString& Condition, bool CaseSensitive);
    ~TFilterCondition();
    TFilterCondition(TFilterCondition&&) noexcept;
    TFilterCondition& operator=(TFilterCondition&&) noexcept;
    bool Matches(const AnsiString& Value) const;

private:
    struct TPart;
    class TMatch;
    std::vector<TPart> parts_;
    bool caseSensitive_;
};

bool MatchFilterCondition(const AnsiString& Condition, const AnsiString& Value, bool CaseSensitive);

// ---------------------------------------------------------------------------
// Drawing

// Steps bands of colour from FromColor to ToColor across Rect (from the left when Horizontal, else from
// the top); the bands cover Rect exactly. Steps below 1 count as 1.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect, Integer Steps);
// A drop-down arrow button: the "combobox" theme's when Themed and the grid's theme library is loaded
// with themes active, else the classic frame control. Handle is the window the theme is opened for.
void DrawComboButton(HWND Handle, TCanvas* Canvas, bool Down, const TRect& Rect, bool Themed);
// Percent of Rect (less the margins) filled with Color, the percentage centred over it in TextColor.
void DrawProgressBar(TCanvas* Canvas, const TRect& Rect, TColor Color, Integer MarginY, Integer MarginX,
                     Integer Percent, TColor TextColor);
// A grey circle in Rect with the sector from 12 o'clock clockwise over Percent filled with Color.
void DrawProgressPie(TCanvas* Canvas, const TRect& Rect, TColor Color, Integer Percent);
// A red zigzag under the characters ErrFrom .. ErrFrom + ErrLen - 1 (0-based) of Text as an edit on
// Parent lays them out, YOffset below Rect's top.
void DrawErrorUnderline(TWinControl* Parent, TCanvas* Canvas, const AnsiString& Text, Integer ErrLen, Integer ErrFrom,
                        Integer YOffset, const TRect& Rect);
// Bitmap at Rect's top-left, its pixel (0, 0)'s colour shown as BkColor.
void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BkColor, const TRect& Rect);
void DrawResBitmapTransparent(TCanvas* Canvas, TColor BkColor, const TRect& Rect, const AnsiString& ResName);

}  // namespace ProUtil
