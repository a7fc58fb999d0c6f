// Text output and measurement: TextOut, ExtTextOut, text metrics and DrawText with its DT_ flags; the
// wide forms run the same layout over UTF-16.
#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "qt/GdiPaint.h"
#include "qt/QtGraphics.h"
#include "qt/QtText.h"

namespace {

TFontDesc FontOf(TCanvas& canvas) {
    TFontDesc font;
    FontData(TCanvasAccess::State(canvas).Font, font);
    return font;
}

Integer Width(const TFontDesc& font, const AnsiString& text) { return FontMetricsProvider().TextWidth(font, text); }
Integer Width(const TFontDesc& font, const WideString& text) { return FontMetricsProvider().WideTextWidth(font, text); }

QString Shown(const TFontDesc& font, const AnsiString& text) { return FontText(font, text); }
QString Shown(const TFontDesc&, const WideString& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Where the character after Index starts: a surrogate pair is one character.
template <class S>
std::size_t NextCharacter(const S& text, std::size_t Index) {
    if constexpr (std::is_same_v<S, WideString>) {
        if (Index + 1 < text.size() && QChar::isHighSurrogate(text[Index]) && QChar::isLowSurrogate(text[Index + 1]))
            return Index + 2;
    }
    return Index + 1;
}

// Whether cutting before Index would split a surrogate pair.
template <class S>
bool SplitsCharacter(const S& text, std::size_t Index) {
    if constexpr (std::is_same_v<S, WideString>)
        return Index > 0 && Index < text.size() && QChar::isLowSurrogate(text[Index]) &&
               QChar::isHighSurrogate(text[Index - 1]);
    return false;
}

bool Turned(const TFontDesc& font) { return font.Escapement % 3600 != 0; }

// The painter turned by the font's escapement (counter-clockwise on the screen) about Pivot while it lives.
class TTurn {
public:
    TTurn(QPainter& p, const TFontDesc& font, TPoint pivot) : p_(p), turned_(Turned(font)) {
        if (!turned_) return;
        p_.save();
        p_.translate(pivot.X, pivot.Y);
        p_.rotate(-font.Escapement / 10.0);
        p_.translate(-pivot.X, -pivot.Y);
    }
    ~TTurn() {
        if (turned_) p_.restore();
    }
    TTurn(const TTurn&) = delete;
    TTurn& operator=(const TTurn&) = delete;

private:
    QPainter& p_;
    bool turned_;
};

// What a turned text covers: the box of its upright cell turned about Pivot.
TRect TurnedBounds(const TRect& r, const TFontDesc& font, TPoint pivot) {
    if (!Turned(font)) return r;
    const QRectF turned = QTransform()
                              .translate(pivot.X, pivot.Y)
                              .rotate(-font.Escapement / 10.0)
                              .translate(-pivot.X, -pivot.Y)
                              .mapRect(QRectF(r.Left, r.Top, r.Width(), r.Height()));
    const QRect box = turned.toAlignedRect();
    return {box.left(), box.top(), box.right() + 1, box.bottom() + 1};
}

// Glyphs with their cell's top left at X, Y, turned about Pivot by the font's escapement (not at all
// without one: the caller has turned the painter); with Background and an opaque background mode, the
// cell is filled first (which needs the text's width).
template <class S>
void DrawRun(TDcPaint& dc, int x, int y, const S& text, const TFontDesc& font, const TPoint* pivot,
             bool Background = true) {
    if (!dc.Drawable() || text.empty()) return;
    TFontMetricsInfo metrics = FontMetricsProvider().Metrics(font);
    QPainter& p = dc.Painter();
    const TTurn turn(p, pivot ? font : TFontDesc{}, pivot ? *pivot : TPoint{});
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Background && dc.State().BkMode == OPAQUE)
        p.fillRect(QRect(x, y, Width(font, text), metrics.Height), ToQColorRef(dc.State().BkColor));
    p.setFont(ToQFont(font));
    p.setPen(ToQColorRef(dc.State().TextColor));
    p.drawText(QPoint(x, y + metrics.Ascent), Shown(font, text));
}

std::string Quoted(const AnsiString& text) { return "\"" + text + "\""; }
// A wide text is logged in UTF-8: the log is read by tests, not shown.
std::string Quoted(const WideString& text) { return "\"" + Shown(TFontDesc{}, text).toUtf8().toStdString() + "\""; }

}  // namespace

namespace {

template <class S>
BOOL TextExtent(HDC hdc, const typename S::value_type* lpString, int c, SIZE* lpSize) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas || !lpSize || c < 0 || (c > 0 && !lpString)) return FALSE;
    TFontDesc font = FontOf(*canvas);
    const S text = c > 0 ? S(lpString, static_cast<std::size_t>(c)) : S();
    *lpSize = {Width(font, text), FontMetricsProvider().Metrics(font).Height};
    return TRUE;
}

}  // namespace

BOOL GetTextExtentPoint32(HDC hdc, const char* lpString, int c, SIZE* lpSize) {
    return TextExtent<AnsiString>(hdc, lpString, c, lpSize);
}

BOOL GetTextExtentPoint32W(HDC hdc, const WideChar* lpString, int c, SIZE* lpSize) {
    return TextExtent<WideString>(hdc, lpString, c, lpSize);
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* lptm) {
    TCanvas* canvas = DcCanvas(hdc);
    if (!canvas || !lptm) return FALSE;
    TFontDesc font = FontOf(*canvas);
    TFontMetricsInfo m = FontMetricsProvider().Metrics(font);
    *lptm = TEXTMETRIC{};
    lptm->tmHeight = m.Height;
    lptm->tmAscent = m.Ascent;
    lptm->tmDescent = m.Descent;
    lptm->tmInternalLeading = m.InternalLeading;
    lptm->tmExternalLeading = m.ExternalLeading;
    lptm->tmAveCharWidth = m.AveCharWidth;
    lptm->tmMaxCharWidth = m.MaxCharWidth;
    lptm->tmWeight = font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lptm->tmItalic = font.Style.Contains(fsItalic);
    lptm->tmUnderlined = font.Style.Contains(fsUnderline);
    lptm->tmStruckOut = font.Style.Contains(fsStrikeOut);
    // As in Win32, the low bit set means a variable-pitch font.
    lptm->tmPitchAndFamily = font.Pitch == fpFixed || MapFontName(font.Name) == "Liberation Mono" ? 0 : 1;
    lptm->tmCharSet = font.Charset;
    return TRUE;
}

BOOL ExtTextOut(HDC hdc, int X, int Y, UINT fuOptions, const RECT* lprc, const char* lpString, UINT cbCount,
                const int* lpDx) {
    TDcPaint dc(hdc);
    if (!dc.Ok() || (cbCount > 0 && !lpString)) return FALSE;
    AnsiString text(lpString ? lpString : "", cbCount);
    TFontDesc font = dc.Font();
    TFontMetricsInfo metrics = FontMetricsProvider().Metrics(font);
    TCanvasState& state = dc.State();
    const UINT horizontal = state.TextAlign & TA_CENTER, vertical = state.TextAlign & TA_BASELINE;
    // Inside a clipped opaque rectangle the text's own background is already there.
    const bool background = !(lprc && (fuOptions & ETO_OPAQUE) && (fuOptions & ETO_CLIPPED));
    // Shaping costs as much as drawing: the width is measured only where placing or filling needs it.
    std::optional<int> width;
    if (lpDx) {
        width = 0;
        for (UINT i = 0; i < cbCount; ++i) *width += lpDx[i];
    } else if ((state.TextAlign & TA_UPDATECP) || horizontal != TA_LEFT || (background && state.BkMode == OPAQUE) ||
               Turned(font)) {
        width = Width(font, text);
    }
    if (state.TextAlign & TA_UPDATECP) {
        X = state.PenPos.X;
        Y = state.PenPos.Y;
        state.PenPos.X += *width;
    }
    // The text turns about the point it is drawn at; the alignment places it along its own direction.
    const TPoint pivot{X, Y};
    if (horizontal == TA_CENTER) X -= *width / 2;
    else if (horizontal == TA_RIGHT) X -= *width;
    if (vertical == TA_BASELINE) Y -= metrics.Ascent;
    else if (vertical == TA_BOTTOM) Y -= metrics.Height;

    dc.Record([&] {
        return "TextOut " + std::to_string(X) + "," + std::to_string(Y) + " " + Quoted(text) + " font=" + font.Name +
               "," + std::to_string(font.Height) + (Turned(font) ? " esc=" + std::to_string(font.Escapement) : "") +
               " color=" + HexColor(state.TextColor) + (state.BkMode == OPAQUE ? " bk=" + HexColor(state.BkColor) : "");
    });
    // Without a width the text may reach as far as the surface does.
    TRect dirty =
        TurnedBounds(Bounds(X, Y, width.value_or(std::numeric_limits<int>::max() / 4), metrics.Height), font, pivot);
    if (dc.Drawable()) {
        QPainter& p = dc.Painter();
        if (lprc && (fuOptions & ETO_OPAQUE)) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(QRect(lprc->Left, lprc->Top, lprc->Width(), lprc->Height()), ToQColorRef(state.BkColor));
        }
        if (lprc && (fuOptions & ETO_CLIPPED))
            dc.IntersectClip(QRect(lprc->Left, lprc->Top, lprc->Width(), lprc->Height()));
        if (lpDx) {
            int x = X;
            for (UINT i = 0; i < cbCount; ++i) {
                DrawRun(dc, x, Y, text.substr(i, 1), font, &pivot, background);
                x += lpDx[i];
            }
        } else {
            DrawRun(dc, X, Y, text, font, &pivot, background);
        }
    }
    if (lprc && (fuOptions & ETO_OPAQUE)) dirty = *lprc;
    else if (lprc && (fuOptions & ETO_CLIPPED))
        dirty = {std::max(dirty.Left, lprc->Left), std::max(dirty.Top, lprc->Top), std::min(dirty.Right, lprc->Right),
                 std::min(dirty.Bottom, lprc->Bottom)};
    dc.Dirty(dirty);
    return TRUE;
}

BOOL TextOut(HDC hdc, int nXStart, int nYStart, const char* lpString, int cbString) {
    if (cbString < 0) return FALSE;
    return ExtTextOut(hdc, nXStart, nYStart, 0, nullptr, lpString, static_cast<UINT>(cbString), nullptr);
}

// ---------------------------------------------------------------------------
// DrawText

namespace {

template <class S>
struct TTextLine {
    S Text;
    int Prefix = -1;  // index of the underlined character in Text
};

template <class S>
class TTextLayout {
public:
    using TLine = TTextLine<S>;

    // Tab stops every TabLength average characters.
    TTextLayout(const TFontDesc& font, UINT format, int TabLength)
        : font_(font), format_(format), metrics_(FontMetricsProvider().Metrics(font)) {
        tabWidth_ = std::max(1, TabLength * metrics_.AveCharWidth);
    }

    int LineHeight() const { return metrics_.Height + ((format_ & DT_EXTERNALLEADING) ? metrics_.ExternalLeading : 0); }
    int Ascent() const { return metrics_.Ascent; }

    // Width with tabs expanded to the next multiple of eight average characters (DT_EXPANDTABS).
    int LineWidth(const S& text) const {
        if (!(format_ & DT_EXPANDTABS) || text.find('\t') == S::npos) return Width(font_, text);
        int x = 0;
        std::size_t start = 0;
        for (;;) {
            std::size_t tab = text.find('\t', start);
            x += Width(font_, text.substr(start, tab - start));
            if (tab == S::npos) return x;
            x = (x / tabWidth_ + 1) * tabWidth_;
            start = tab + 1;
        }
    }

    void DrawLine(TDcPaint& dc, int x, int y, const S& text) const {
        if (!(format_ & DT_EXPANDTABS)) return DrawRun(dc, x, y, text, font_, nullptr);
        int offset = 0;
        std::size_t start = 0;
        for (;;) {
            std::size_t tab = text.find('\t', start);
            S piece = text.substr(start, tab - start);
            DrawRun(dc, x + offset, y, piece, font_, nullptr);
            offset += Width(font_, piece);
            if (tab == S::npos) return;
            int next = (offset / tabWidth_ + 1) * tabWidth_;
            if (dc.State().BkMode == OPAQUE && dc.Drawable())
                dc.Painter().fillRect(QRect(x + offset, y, next - offset, LineHeight()),
                                      ToQColorRef(dc.State().BkColor));
            offset = next;
            start = tab + 1;
        }
    }

    // Greedy word wrapping at blanks; a word wider than the line breaks by characters only for DT_EDITCONTROL.
    std::vector<TLine> Wrap(const TLine& line, int maxWidth) const {
        std::vector<TLine> result;
        const S& s = line.Text;
        std::size_t start = 0;
        while (start < s.size()) {
            std::size_t end = start, lastBreak = S::npos;
            // A rest that fits is one line: one measurement instead of one per character.
            if (LineWidth(s.substr(start)) <= maxWidth) end = s.size();
            while (end < s.size() &&
                   (end == start || LineWidth(s.substr(start, NextCharacter(s, end) - start)) <= maxWidth)) {
                if (s[end] == ' ') lastBreak = end;
                end = NextCharacter(s, end);
            }
            std::size_t cut = end, next = end;
            if (end < s.size()) {
                if (s[end] == ' ') {
                    cut = end;
                } else if (lastBreak != S::npos && lastBreak > start) {
                    cut = lastBreak;
                } else if (!(format_ & DT_EDITCONTROL)) {
                    while (cut < s.size() && s[cut] != ' ') ++cut;  // the long word stays whole
                }
                next = cut;
                while (next < s.size() && s[next] == ' ') ++next;
            }
            TLine piece{s.substr(start, cut - start)};
            while (!piece.Text.empty() && piece.Text.back() == ' ') piece.Text.pop_back();
            if (line.Prefix >= static_cast<int>(start) && line.Prefix < static_cast<int>(cut))
                piece.Prefix = line.Prefix - static_cast<int>(start);
            result.push_back(piece);
            start = next;
        }
        if (result.empty()) result.push_back(TLine{});
        return result;
    }

    S Ellipsis(const S& s, int maxWidth) const {
        if (LineWidth(s) <= maxWidth) return s;
        const S dots(3, '.');
        if (format_ & DT_PATH_ELLIPSIS) {
            std::size_t separator = s.find_last_of(S{'\\', '/'});
            if (separator != S::npos) {
                S tail = s.substr(separator);
                for (std::size_t k = separator; k-- > 0;) {
                    if (SplitsCharacter(s, k)) continue;
                    S candidate = s.substr(0, k) + dots + tail;
                    if (LineWidth(candidate) <= maxWidth) return candidate;
                }
                return EndEllipsis(dots + tail, maxWidth);
            }
        }
        if (format_ & DT_WORD_ELLIPSIS) {
            for (std::size_t k = s.size(); k-- > 1;) {
                if (s[k] != ' ') continue;
                S head = s.substr(0, k);
                while (!head.empty() && head.back() == ' ') head.pop_back();
                if (LineWidth(head + dots) <= maxWidth) return head + dots;
            }
        }
        return EndEllipsis(s, maxWidth);
    }

private:
    S EndEllipsis(const S& s, int maxWidth) const {
        const S dots(3, '.');
        for (std::size_t k = s.size(); k-- > 0;) {
            if (SplitsCharacter(s, k)) continue;
            S candidate = s.substr(0, k) + dots;
            if (LineWidth(candidate) <= maxWidth) return candidate;
        }
        return dots;
    }

    TFontDesc font_;
    UINT format_;
    TFontMetricsInfo metrics_;
    int tabWidth_;
};

// '&' marks the next character as the accelerator and disappears; "&&" is a literal '&'.
template <class S>
TTextLine<S> StripPrefix(const S& text, UINT format) {
    if (format & DT_NOPREFIX) return {text};
    TTextLine<S> line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && !(format & DT_HIDEPREFIX)) line.Prefix = static_cast<int>(line.Text.size());
        } else if (text[i] == '&') {
            continue;  // a lone '&' at the end shows nothing
        }
        line.Text += text[i];
    }
    return line;
}

template <class S>
std::vector<TTextLine<S>> SplitLines(const TTextLine<S>& all, bool singleLine) {
    std::vector<TTextLine<S>> lines(1);
    for (std::size_t i = 0; i < all.Text.size(); ++i) {
        const auto c = all.Text[i];
        bool isBreak = c == '\r' || c == '\n';
        if (isBreak && singleLine) continue;
        if (isBreak) {
            if (c == '\r' && i + 1 < all.Text.size() && all.Text[i + 1] == '\n') ++i;
            lines.emplace_back();
            continue;
        }
        if (static_cast<int>(i) == all.Prefix) lines.back().Prefix = static_cast<int>(lines.back().Text.size());
        lines.back().Text += c;
    }
    return lines;
}

// DrawTextEx's additions: tab stops and margins inside the rectangle.
struct TTextOptions {
    int TabLength = 8;
    int LeftMargin = 0;
    int RightMargin = 0;
};

template <class S>
std::size_t TextLength(const typename S::value_type* Text, int Count) {
    return Count < 0 ? std::char_traits<typename S::value_type>::length(Text) : static_cast<std::size_t>(Count);
}

// One layout for both string kinds; the wide form logs itself as "DrawTextW".
template <class S>
int DrawTextImpl(HDC hDC, const typename S::value_type* lpString, int nCount, RECT* lpRect, UINT uFormat,
                 typename S::value_type* writable, const TTextOptions& options) {
    constexpr bool wide = std::is_same_v<S, WideString>;
    TDcPaint dc(hDC);
    if (!dc.Ok() || !lpString || !lpRect) return 0;
    std::size_t length = TextLength<S>(lpString, nCount);
    S source(lpString, length);
    TFontDesc font = dc.Font();
    TTextLayout<S> layout(font, uFormat, options.TabLength);
    // The text lies between the margins; a measured rectangle holds them too.
    TRect& outer = *lpRect;
    TRect inner{outer.Left + options.LeftMargin, outer.Top, outer.Right - options.RightMargin, outer.Bottom};
    TRect& rect = inner;
    bool singleLine = uFormat & DT_SINGLELINE;
    dc.Record([&] {
        return (wide ? "DrawTextW " : "DrawText ") + RectText(rect) + " " + HexColor(uFormat) + " " + Quoted(source) +
               (Turned(font) ? " esc=" + std::to_string(font.Escapement) : "");
    });
    if (source.empty()) {
        if (uFormat & DT_CALCRECT) outer = {outer.Left, outer.Top, inner.Left + options.RightMargin, outer.Top};
        return 0;
    }

    std::vector<TTextLine<S>> lines;
    for (const TTextLine<S>& line : SplitLines(StripPrefix(source, uFormat), singleLine)) {
        if ((uFormat & DT_WORDBREAK) && !singleLine) {
            for (TTextLine<S>& piece : layout.Wrap(line, rect.Width())) lines.push_back(piece);
        } else {
            lines.push_back(line);
        }
    }
    if (uFormat & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        for (TTextLine<S>& line : lines) {
            S shortened = layout.Ellipsis(line.Text, rect.Width());
            if (shortened == line.Text) continue;
            line.Text = shortened;
            line.Prefix = -1;
            if ((uFormat & DT_MODIFYSTRING) && writable && lines.size() == 1) {
                // Written back within the caller's buffer only: never past the text it gave.
                std::size_t n = std::min(shortened.size(), length);
                std::copy_n(shortened.data(), n, writable);
                if (nCount < 0 || n < length) writable[n] = '\0';
            }
        }
    }

    int lineHeight = layout.LineHeight();
    int total = lineHeight * static_cast<int>(lines.size());
    int widest = 0;
    for (const TTextLine<S>& line : lines) widest = std::max(widest, layout.LineWidth(line.Text));
    if (uFormat & DT_CALCRECT) {
        outer.Right = inner.Left + widest + options.RightMargin;
        outer.Bottom = outer.Top + total;
        return total;
    }

    int y = rect.Top;
    if (singleLine && (uFormat & DT_VCENTER)) y = rect.Top + (rect.Height() - total) / 2;
    else if (singleLine && (uFormat & DT_BOTTOM)) y = rect.Bottom - total;
    int result = y - rect.Top + total;
    if (!dc.Drawable()) return result;
    if (!(uFormat & DT_NOCLIP)) dc.IntersectClip(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
    TRect dirty{rect.Left, std::min(y, rect.Top), rect.Left, std::max(y + total, rect.Bottom)};
    for (const TTextLine<S>& line : lines) {
        int width = layout.LineWidth(line.Text);
        int x = rect.Left;
        if (uFormat & DT_CENTER) x = rect.Left + (rect.Width() - width) / 2;
        else if (uFormat & DT_RIGHT) x = rect.Right - width;
        {
            // Each line turns about its own starting point.
            const TTurn turn(dc.Painter(), font, {x, y});
            if (!(uFormat & DT_PREFIXONLY)) layout.DrawLine(dc, x, y, line.Text);
            if (line.Prefix >= 0) {
                int ux = x + layout.LineWidth(line.Text.substr(0, line.Prefix));
                int uw = layout.LineWidth(line.Text.substr(line.Prefix, 1));
                dc.Painter().setCompositionMode(QPainter::CompositionMode_SourceOver);
                dc.Painter().fillRect(QRect(ux, y + layout.Ascent() + 1, uw, 1), ToQColorRef(dc.State().TextColor));
            }
        }
        const TRect covered = TurnedBounds(Bounds(x, y, width, lineHeight), font, {x, y});
        dirty.Left = std::min({dirty.Left, x, covered.Left});
        dirty.Top = std::min(dirty.Top, covered.Top);
        dirty.Bottom = std::max(dirty.Bottom, covered.Bottom);
        dirty.Right = std::max({dirty.Right, x + width, rect.Right, covered.Right});
        y += lineHeight;
    }
    dc.Dirty(dirty);
    return result;
}

}  // namespace

int DrawText(HDC hDC, const char* lpString, int nCount, RECT* lpRect, UINT uFormat) {
    return DrawTextImpl<AnsiString>(hDC, lpString, nCount, lpRect, uFormat, nullptr, {});
}

int DrawText(HDC hDC, char* lpString, int nCount, RECT* lpRect, UINT uFormat) {
    return DrawTextImpl<AnsiString>(hDC, lpString, nCount, lpRect, uFormat, lpString, {});
}

int DrawTextW(HDC hDC, const WideChar* lpString, int nCount, RECT* lpRect, UINT uFormat) {
    return DrawTextImpl<WideString>(hDC, lpString, nCount, lpRect, uFormat, nullptr, {});
}

int DrawTextW(HDC hDC, WideChar* lpString, int nCount, RECT* lpRect, UINT uFormat) {
    return DrawTextImpl<WideString>(hDC, lpString, nCount, lpRect, uFormat, lpString, {});
}

namespace {

int DrawTextExImpl(HDC hdc, const char* lpchText, int cchText, RECT* lprc, UINT format, DRAWTEXTPARAMS* lpdtp,
                   char* writable) {
    TTextOptions options;
    if (lpdtp) {
        if (lpdtp->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
        if (lpdtp->iTabLength > 0) options.TabLength = lpdtp->iTabLength;
        options.LeftMargin = lpdtp->iLeftMargin;
        options.RightMargin = lpdtp->iRightMargin;
    }
    const int height = DrawTextImpl<AnsiString>(hdc, lpchText, cchText, lprc, format, writable, options);
    if (lpdtp && lpchText) lpdtp->uiLengthDrawn = static_cast<UINT>(TextLength<AnsiString>(lpchText, cchText));
    return height;
}

}  // namespace

int DrawTextEx(HDC hdc, const char* lpchText, int cchText, RECT* lprc, UINT format, DRAWTEXTPARAMS* lpdtp) {
    return DrawTextExImpl(hdc, lpchText, cchText, lprc, format, lpdtp, nullptr);
}

int DrawTextEx(HDC hdc, char* lpchText, int cchText, RECT* lprc, UINT format, DRAWTEXTPARAMS* lpdtp) {
    return DrawTextExImpl(hdc, lpchText, cchText, lprc, format, lpdtp, lpchText);
}
