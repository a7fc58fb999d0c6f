// The grid's stand-alone routines. The drawing routines leave the canvas's pen, brush and font as they
// found them, so that cells painted one after another see the state the grid set.
#include "ProUtil.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "DedIDIZ.h"
#include "vcl/StdCtrls.h"

namespace ProUtil {

namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

bool StartsWith(const AnsiString& S, const char* Prefix) { return S.rfind(Prefix, 0) == 0; }

bool Contains(const AnsiString& S, const char* Part) { return S.find(Part) != AnsiString::npos; }

AnsiString ReplaceEvery(const AnsiString& S, char From, const char* To) {
    AnsiString result;
    result.reserve(S.size());
    for (char c : S) {
        if (c == From) result += To;
        else result += c;
    }
    return result;
}

// A thousand separator needs at least three digits before the next separator or the end.
bool GroupTooShort(std::size_t LastThousand, std::size_t Here) {
    return LastThousand != AnsiString::npos && Here - LastThousand < 4;
}

bool ValidDateParts(Integer Year, Integer Month, Integer Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31) return false;
    return TryEncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day), Date);
}

// Three integers separated by Separator; false when a part is missing or does not convert (a fourth part
// leaves the third unconvertible).
bool ReadThreeParts(const AnsiString& S, char Separator, Integer (&Parts)[3]) {
    const std::size_t first = S.find(Separator);
    if (first == AnsiString::npos) return false;
    const std::size_t second = S.find(Separator, first + 1);
    if (second == AnsiString::npos) return false;
    return TryStrToInt(S.substr(0, first), Parts[0]) &&
           TryStrToInt(S.substr(first + 1, second - first - 1), Parts[1]) &&
           TryStrToInt(S.substr(second + 1), Parts[2]);
}

TDateTime ReadDate(const AnsiString& S, bool MonthFirst) {
    char separator = 0;
    for (char candidate : {'/', '.', '-'}) {
        if (S.find(candidate) != AnsiString::npos) {
            separator = candidate;
            break;
        }
    }
    Integer parts[3];
    if (!separator || !ReadThreeParts(S, separator, parts)) return 0;
    Integer year = parts[2];
    // Only a two-digit year is given a century.
    if (year >= 0 && year <= 25) year += 2000;
    else if (year > 25 && year <= 99) year += 1900;
    TDateTime date = 0;
    const Integer month = MonthFirst ? parts[0] : parts[1];
    const Integer day = MonthFirst ? parts[1] : parts[0];
    return ValidDateParts(year, month, day, date) ? date : 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Text kinds and numbers

Integer GetTextType(const AnsiString& S, bool AllowHTML) {
    if (S.size() < 2) return 0;
    if (S[0] == '=') return 3;
    if (StartsWith(S, "|\\")) return 5;
    if (StartsWith(S, "{\\")) return 2;
    if (AllowHTML && (Contains(S, "</") || Contains(S, "<B") || Contains(S, "<I"))) return 1;
    return 0;
}

Integer ClassifyNumber(const AnsiString& S) {
    constexpr Integer integer = 0, floating = 1, notANumber = 2;
    bool digit = false, separators = false, decimal = false;
    std::size_t lastThousand = AnsiString::npos;
    for (std::size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        if (IsDigit(c)) {
            digit = true;
        } else if (c == '-') {
            if (i != 0) return notANumber;
        } else if (c == DecimalSeparator) {
            if (decimal || GroupTooShort(lastThousand, i)) return notANumber;
            decimal = separators = true;
            lastThousand = AnsiString::npos;
        } else if (c == ThousandSeparator) {
            // Digits are grouped before the decimal separator only.
            if (decimal || GroupTooShort(lastThousand, i)) return notANumber;
            separators = true;
            lastThousand = i;
        } else {
            return notANumber;
        }
    }
    if (!digit || GroupTooShort(lastThousand, S.size())) return notANumber;
    return separators ? floating : integer;
}

AnsiString ExtractNumericText(const AnsiString& S) {
    AnsiString text = Trim(S);
    bool negative = false;
    std::size_t i = 0, end = text.size();
    if (end >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        ++i;
        --end;
    }
    for (; i < end; ++i) {
        const char c = text[i];
        if (IsDigit(c) || c == 'E' || c == 'e' || c == DecimalSeparator || c == ThousandSeparator) break;
        if (c == '-') negative = true;
    }
    AnsiString number;
    if (negative) number += '-';
    for (; i < end; ++i) {
        const char c = text[i];
        if (c == DecimalSeparator) number += '.';
        else if (c == ThousandSeparator) continue;
        else if (IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e') number += c;
        else break;
    }
    return number;
}

bool ParseRCReference(const AnsiString& S, TPoint& Cell) {
    const AnsiString upper = UpperCase(S);
    if (upper.size() < 4 || upper[0] != 'R') return false;
    const std::size_t c = upper.find('C', 1);
    if (c == AnsiString::npos) return false;
    Integer row, column;
    if (!TryStrToInt(upper.substr(1, c - 1), row) || !TryStrToInt(upper.substr(c + 1), column)) return false;
    Cell = TPoint{column, row};
    return true;
}

bool IsURL(const AnsiString& S) { return Contains(S, "://") || Contains(S, "mailto:"); }

void StripURLProtocol(AnsiString& S) {
    std::size_t at = S.find("://");
    if (at != AnsiString::npos) {
        S.erase(0, at + 3);
        return;
    }
    at = S.find("mailto:");
    if (at != AnsiString::npos) S.erase(0, at + 7);
}

AnsiString MixedCaseStr(const AnsiString& S) {
    AnsiString result = S;
    const auto startsWord = [&](std::size_t i) {
        if (i == 0) return true;
        const char before = S[i - 1];
        return before == ' ' || before == '\'' || before == ',' || before == '-' || before == '.';
    };
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = startsWord(i) ? AnsiUpperChar(result[i]) : AnsiLowerChar(result[i]);
        // McDonald: the letter after a word-initial "Mc" starts a name part too.
        if (i >= 2 && result[i - 2] == 'M' && result[i - 1] == 'c' && (i == 2 || result[i - 3] == ' '))
            result[i] = AnsiUpperChar(result[i]);
    }
    // A final roman I or II (Henry II).
    const std::size_t n = result.size();
    if (n >= 3 && result[n - 3] == ' ' && result[n - 2] == 'I' && (result[n - 1] == 'i' || result[n - 1] == 'I'))
        result[n - 1] = 'I';
    return result;
}

// ---------------------------------------------------------------------------
// Line breaks and quotes

AnsiString ExpandLineEscapes(const AnsiString& S) {
    AnsiString result;
    result.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '\\' && i + 1 < S.size() && S[i + 1] == 'n') {
            result += '\r';
            ++i;
        } else {
            result += S[i];
        }
    }
    return result;
}

AnsiString LFToCRLF(const AnsiString& S) {
    if (S.find('\n') == AnsiString::npos) return S;
    return ReplaceEvery(S, '\n', "\r\n");
}

AnsiString TildeToCRLF(const AnsiString& S) { return ReplaceEvery(S, '~', "\r\n"); }

AnsiString StripCR(const AnsiString& S) { return ReplaceEvery(S, '\r', ""); }

void QuoteMultiLine(AnsiString& S) {
    AnsiString quoted = "\"";
    quoted.reserve(S.size() + 2);
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '\r' && i + 1 < S.size() && S[i + 1] == '\n') continue;
        quoted += S[i];
    }
    quoted += '"';
    S = std::move(quoted);
}

AnsiString RemoveQuoteChar(char Q, const AnsiString& S) {
    if (S.find(Q) == AnsiString::npos) return S;
    AnsiString result;
    result.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] != Q) {
            result += S[i];
        } else if (i + 1 < S.size() && S[i + 1] == Q) {
            result += Q;
            ++i;
        }
    }
    return result;
}

Integer SingleCharPos(char Ch, std::string_view S) {
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] != Ch) continue;
        if (i + 1 == S.size() || S[i + 1] != Ch) return static_cast<Integer>(i + 1);
        ++i;  // a doubled pair
    }
    return 0;
}

// Each run of Ch holds one single Ch when its length is odd: one pass instead of repeated searches,
// without branches on the text.
Integer SingleCharCount(char Ch, const AnsiString& S) {
    Integer count = 0;
    std::size_t run = 0;
    for (char c : S) {
        const std::size_t hit = c == Ch;
        count += static_cast<Integer>((run & 1) & (hit ^ 1));
        run = (run + 1) * hit;
    }
    return count + static_cast<Integer>(run & 1);
}

Integer CharCount(char Ch, const AnsiString& S) { return static_cast<Integer>(std::count(S.begin(), S.end(), Ch)); }

Integer VarPos(const AnsiString& Sub, const AnsiString& S, Integer& P) {
    P = Pos(Sub, S);
    return P;
}

Integer VarCharPos(char Ch, const AnsiString& S, Integer& P) {
    const Integer at = CharPosRaw(Ch, S);
    if (at > 0) P = at;
    return at;
}

char FirstCharOfSet(const TSet<char>& Set, const AnsiString& S) {
    for (char c : S)
        if (Set.Contains(c)) return c;
    return '\0';
}

Integer CharPosRaw(char Ch, const AnsiString& S) {
    const std::size_t at = S.find(Ch);
    return at == AnsiString::npos ? 0 : static_cast<Integer>(at + 1);
}

Integer UpperCasePos(const AnsiString& Sub, const AnsiString& S) { return Pos(Sub, UpperCase(S)); }

char LowerCaseChar(char Ch) { return Ch >= 'A' && Ch <= 'Z' ? static_cast<char>(Ch + ('a' - 'A')) : Ch; }

void ExtractLine(AnsiString& S, bool KeepRest, AnsiString& Line) {
    const std::size_t cr = S.find('\r');
    if (cr == AnsiString::npos) {
        Line = S;
        S.clear();
        return;
    }
    Line = S.substr(0, cr);
    if (!KeepRest) {
        S.clear();
        return;
    }
    const std::size_t rest = cr + 1 < S.size() && S[cr + 1] == '\n' ? cr + 2 : cr + 1;
    S.erase(0, rest);
}

Integer GetLineCount(const AnsiString& S, bool MultiLine) { return MultiLine ? 1 + CharCount('\r', S) : 1; }

void FillStringChar(AnsiString& S, char Ch) { S.assign(S.size(), Ch); }

void OemToAnsiStr(AnsiString& S) { OemToCharA(S.c_str(), S.data()); }

// ---------------------------------------------------------------------------
// Values, geometry, colours and wide text

Integer LimitValue(Integer V, Integer Min, Integer Max) {
    if (Max > 0 && V > Max) return Max;
    if (Min > 0 && V < Min) return Min;
    return V;
}

Integer Max(Integer A, Integer B) { return A > B ? A : B; }

Integer Min(Integer A, Integer B) { return A < B ? A : B; }

bool PointInRect(const TRect& R, Integer X, Integer Y) {
    return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

TColor DarkenColor(TColor C) {
    const COLORREF rgb = ColorToRGB(C);
    return static_cast<TColor>(RGB(GetRValue(rgb) / 2, GetGValue(rgb) / 2, GetBValue(rgb) / 2));
}

WideString UniStrFromCellText(const AnsiString& S) {
    if (!StartsWith(S, "|\\")) return AnsiToWide(S);
    WideString wide;
    wide.reserve((S.size() - 2) / 2);
    // An odd byte at the end makes no unit.
    for (std::size_t i = 2; i + 1 < S.size(); i += 2) {
        const auto high = static_cast<unsigned char>(S[i]), low = static_cast<unsigned char>(S[i + 1]);
        wide += static_cast<char16_t>((high << 8) | low);
    }
    return wide;
}

AnsiString UniStrToCellText(const WideString& W) {
    AnsiString text = "|\\";
    text.reserve(2 + 2 * W.size());
    for (char16_t unit : W) {
        text += static_cast<char>(unit >> 8);
        text += static_cast<char>(unit & 0xFF);
    }
    return text;
}

bool IsDateText(const AnsiString& S) {
    if (S.size() < 2) return false;
    const std::size_t first = S.find(DateSeparator, 1);
    return first != AnsiString::npos && S.find(DateSeparator, first + 1) != AnsiString::npos;
}

// ---------------------------------------------------------------------------
// Dates

TDateTime StrToDateMDY(const AnsiString& S) { return ReadDate(S, true); }

TDateTime StrToDateDMY(const AnsiString& S) { return ReadDate(S, false); }

bool ParseDateByFormat(const AnsiString& S, TDateTime& D) {
    const AnsiString format = UpperCase(ShortDateFormat);
    const std::size_t dayAt = format.find('D'), monthAt = format.find('M'), yearAt = format.find('Y');
    if (dayAt == AnsiString::npos || monthAt == AnsiString::npos || yearAt == AnsiString::npos) return false;
    // A part's index is the number of the other two standing before it in the format.
    const auto index = [](std::size_t at, std::size_t other1, std::size_t other2) {
        return (other1 < at ? 1 : 0) + (other2 < at ? 1 : 0);
    };
    Integer parts[3];
    if (!ReadThreeParts(S, DateSeparator, parts)) return false;
    const Integer day = parts[index(dayAt, monthAt, yearAt)];
    const Integer month = parts[index(monthAt, dayAt, yearAt)];
    const Integer year = parts[index(yearAt, dayAt, monthAt)];
    if (day >= 32 || month >= 13) return false;
    TDateTime date = 0;
    if (!ValidDateParts(year, month, day, date)) return false;
    D = date;
    return true;
}

TDateTime StepDate(Integer Years, Integer Months, Integer Days, TDateTime Delta, TDateTime Date) {
    if (Days != 0 && Years == 0 && Months == 0) return Date + Days;
    if (Years != 0 && Months == 0 && Days == 0) return IncMonth(Date, Years * 12);
    if (Months != 0 && Years == 0 && Days == 0) return IncMonth(Date, Months);
    return Date + Delta;
}

// ---------------------------------------------------------------------------
// Drawing

namespace {

class TSavedBrush {
public:
    explicit TSavedBrush(TCanvas* Canvas) : brush_(Canvas->Brush()), color_(brush_->Color()), style_(brush_->Style()) {}
    ~TSavedBrush() {
        brush_->SetColor(color_);
        brush_->SetStyle(style_);
    }
    TSavedBrush(const TSavedBrush&) = delete;
    TSavedBrush& operator=(const TSavedBrush&) = delete;

private:
    TBrush* brush_;
    TColor color_;
    TBrushStyle style_;
};

class TSavedPen {
public:
    explicit TSavedPen(TCanvas* Canvas)
        : pen_(Canvas->Pen()), color_(pen_->Color()), width_(pen_->Width()), style_(pen_->Style()) {}
    ~TSavedPen() {
        pen_->SetColor(color_);
        pen_->SetWidth(width_);
        pen_->SetStyle(style_);
    }
    TSavedPen(const TSavedPen&) = delete;
    TSavedPen& operator=(const TSavedPen&) = delete;

private:
    TPen* pen_;
    TColor color_;
    Integer width_;
    TPenStyle style_;
};

void FillSolid(TCanvas* Canvas, TColor Color, const TRect& Rect) {
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

Integer ClampedPercent(Integer Percent) { return std::clamp<Integer>(Percent, 0, 100); }

// The x of a character's left edge in the edit; at or past the end, the right edge of the last one.
Integer CharX(TEdit& Edit, TCanvas* Canvas, const AnsiString& Text, Integer Index) {
    if (Text.empty()) return 0;
    const Integer last = static_cast<Integer>(Text.size()) - 1;
    const Integer asked = std::clamp<Integer>(Index, 0, last);
    const auto at = static_cast<std::uintptr_t>(Edit.Perform(EM_POSFROMCHAR, static_cast<WPARAM>(asked), 0));
    const auto x = static_cast<SmallInt>(at & 0xFFFF);
    return Index > last ? x + Canvas->TextWidth(Text.substr(static_cast<std::size_t>(last), 1)) : x;
}

}  // namespace

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect,
                  Integer Steps) {
    if (Rect.Width() <= 0 || Rect.Height() <= 0) return;
    Steps = std::max<Integer>(Steps, 1);
    const COLORREF from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
    const double stepR = (GetRValue(to) - GetRValue(from)) / static_cast<double>(Steps);
    const double stepG = (GetGValue(to) - GetGValue(from)) / static_cast<double>(Steps);
    const double stepB = (GetBValue(to) - GetBValue(from)) / static_cast<double>(Steps);
    const double extent = Horizontal ? Rect.Width() : Rect.Height();
    TSavedBrush saved(Canvas);
    for (Integer i = 0; i < Steps; ++i) {
        // Band edges rounded from the exact positions, so the bands tile the rect without gap or spill.
        const auto start = static_cast<Integer>(Round(i * extent / Steps));
        const auto end = static_cast<Integer>(Round((i + 1) * extent / Steps));
        if (end <= start) continue;
        const auto channel = [i](Byte base, double step) { return static_cast<Byte>(base + Round(i * step)); };
        const TColor color = static_cast<TColor>(
            RGB(channel(GetRValue(from), stepR), channel(GetGValue(from), stepG), channel(GetBValue(from), stepB)));
        const TRect band = Horizontal ? TRect{Rect.Left + start, Rect.Top, Rect.Left + end, Rect.Bottom}
                                      : TRect{Rect.Left, Rect.Top + start, Rect.Right, Rect.Top + end};
        FillSolid(Canvas, color, band);
    }
}

void DrawComboButton(HWND Handle, TCanvas* Canvas, bool Down, const TRect& Rect, bool Themed) {
    RECT r = Rect;
    if (Themed && DedIDIZ::ThemeLibraryLoaded() && DedIDIZ::ThemeEntries().IsThemeActive()) {
        const PEBXPVS::TThemeEntries& theme = DedIDIZ::ThemeEntries();
        if (HTHEME combo = theme.OpenThemeData(Handle, u"combobox")) {
            theme.DrawThemeBackground(combo, Canvas->Handle(), CP_DROPDOWNBUTTON, Down ? CBXS_PRESSED : CBXS_NORMAL, &r,
                                      nullptr);
            theme.CloseThemeData(combo);
            return;
        }
    }
    DrawFrameControl(Canvas->Handle(), &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Down ? DFCS_PUSHED : 0));
}

void DrawProgressBar(TCanvas* Canvas, const TRect& Rect, TColor Color, Integer MarginY, Integer MarginX,
                     Integer Percent, TColor TextColor) {
    const TRect bar{Rect.Left + MarginX, Rect.Top + MarginY, Rect.Right - MarginX, Rect.Bottom - MarginY};
    if (bar.Width() <= 0 || bar.Height() <= 0) return;
    const auto filled = static_cast<Integer>(Int64{bar.Width()} * ClampedPercent(Percent) / 100);
    {
        TSavedBrush saved(Canvas);
        if (filled > 0) FillSolid(Canvas, Color, TRect{bar.Left, bar.Top, bar.Left + filled, bar.Bottom});
    }
    const TColor fontColor = Canvas->Font()->Color();
    Canvas->Font()->SetColor(TextColor);
    const AnsiString text = IntToStr(Percent) + "%";
    HDC dc = Canvas->Handle();
    const int mode = SetBkMode(dc, TRANSPARENT);
    RECT textRect = bar;
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, mode);
    Canvas->Font()->SetColor(fontColor);
}

void DrawProgressPie(TCanvas* Canvas, const TRect& Rect, TColor Color, Integer Percent) {
    if (Rect.Width() <= 1 || Rect.Height() <= 1) return;
    TSavedPen savedPen(Canvas);
    TSavedBrush savedBrush(Canvas);
    Canvas->Pen()->SetColor(clGray);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Ellipse(Rect);
    const Integer percent = ClampedPercent(Percent);
    if (percent == 0) return;
    Canvas->Brush()->SetColor(Color);
    // The sector runs clockwise from 12 o'clock; the platform's pie runs counter-clockwise from its first
    // radial, so the swept end comes first. Far radial points keep the angle exact.
    const double cx = (Rect.Left + Rect.Right) / 2.0, cy = (Rect.Top + Rect.Bottom) / 2.0;
    const double reach = 1000.0 * std::max(Rect.Width(), Rect.Height());
    const double angle = percent / 100.0 * 2 * std::numbers::pi;
    const auto sweptX = static_cast<int>(std::lround(cx + reach * std::sin(angle)));
    const auto sweptY = static_cast<int>(std::lround(cy - reach * std::cos(angle)));
    const auto topX = static_cast<int>(std::lround(cx)), topY = static_cast<int>(std::lround(cy - reach));
    if (percent == 100) Pie(Canvas->Handle(), Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, topX, topY, topX, topY);
    else Pie(Canvas->Handle(), Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, sweptX, sweptY, topX, topY);
}

void DrawErrorUnderline(TWinControl* Parent, TCanvas* Canvas, const AnsiString& Text, Integer ErrLen, Integer ErrFrom,
                        Integer YOffset, const TRect& Rect) {
    if (ErrLen <= 0 || Text.empty()) return;
    // A hidden edit lays the text out as the cell's editor would.
    TOwned<TEdit> edit = MakeOwned<TEdit>(nullptr);
    edit->SetVisible(false);
    edit->SetParent(Parent);
    edit->Font()->Assign(Canvas->Font());
    edit->SetText(Text);
    edit->HandleNeeded();
    const Integer from = Rect.Left + CharX(*edit, Canvas, Text, ErrFrom);
    const Integer to = Rect.Left + CharX(*edit, Canvas, Text, static_cast<Integer>(Int64{ErrFrom} + ErrLen));
    if (to <= from) return;
    TSavedPen saved(Canvas);
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    const Integer y = Rect.Top + YOffset;
    bool low = true;
    Canvas->MoveTo(from, y + 2);
    for (Integer x = from; x < to;) {
        x = std::min(x + 3, to);
        low = !low;
        Canvas->LineTo(x, low ? y + 2 : y);
    }
}

void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BkColor, const TRect& Rect) {
    if (!Bitmap || Bitmap->Empty()) return;
    TBitmap keyed;
    keyed.Assign(Bitmap);
    keyed.SetTransparentColor(keyed.Canvas()->Pixels(0, 0));
    keyed.SetTransparentMode(tmFixed);
    keyed.SetTransparent(true);
    {
        TSavedBrush saved(Canvas);
        FillSolid(Canvas, BkColor, TRect{Rect.Left, Rect.Top, Rect.Left + keyed.Width(), Rect.Top + keyed.Height()});
    }
    Canvas->Draw(Rect.Left, Rect.Top, &keyed);
}

void DrawResBitmapTransparent(TCanvas* Canvas, TColor BkColor, const TRect& Rect, const AnsiString& ResName) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(nullptr, ResName);
    DrawBitmapTransparent(Canvas, &bitmap, BkColor, Rect);
}

}  // namespace ProUtil
