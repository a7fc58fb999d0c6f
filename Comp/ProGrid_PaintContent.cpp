// A cell's content: the filter glyph, the background picture, the selection frame, then the text by its
// kind (plain and formula text with links, mark-up) and the sort indicator beside it.
#include <algorithm>

#include "GrdHTMLE.h"
#include "ProGrid.h"
#include "ProGrid_Paint.h"
#include "ProUtil.h"
#include "vcl/WinGdi.h"
#include "vcl/Windows.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

constexpr Integer FilterGlyphWidth = 16;
// Room kept for the sort indicator: beside plain text, and at the right of mark-up.
constexpr Integer SortRoom = 14;
constexpr Integer HTMLSortRoom = 10;
constexpr Integer SortGap = 10;
constexpr Integer CentredSortLeft = 8;
constexpr Integer SortEdgeY = 8;
constexpr TColor ShadowColor = static_cast<TColor>(0x808080);
constexpr TColor IndicatorColor = static_cast<TColor>(0x808080);
constexpr Integer ResizerSize = 6;
// Rich text keeps this far (in pixels at 96 per inch) from the cell's edges.
constexpr Integer RichTextMargin = 2;
constexpr int TwipsPerInch = 1440;

enum TTextKind { tkPlain = 0, tkHTML = 1, tkRich = 2, tkFormula = 3, tkWide = 5 };

UINT HorizontalFlag(TAlignment Align) {
    switch (Align) {
        case taRightJustify: return DT_RIGHT;
        case taCenter: return DT_CENTER;
        default: return DT_LEFT;
    }
}

UINT VerticalFlag(TVAlignment Align) {
    switch (Align) {
        case vtaCenter: return DT_VCENTER;
        case vtaBottom: return DT_BOTTOM;
        default: return DT_TOP;
    }
}

// Keeps the device context's clip, narrows it to Rect while it lives.
class TClipTo {
public:
    TClipTo(HDC DC, const TRect& Rect) : dc_(DC), saved_(SaveDC(DC)) {
        IntersectClipRect(dc_, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    }
    ~TClipTo() { RestoreDC(dc_, saved_); }
    TClipTo(const TClipTo&) = delete;
    TClipTo& operator=(const TClipTo&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace

void RAdeRedeviDidi::DrawCellContent(TCellPaint& Cell, TRect Rect) {
    TCanvas* canvas = Cell.Canvas;
    AnsiString text;
    GetCellFormat(Cell.Col, Cell.Row, text);

    if (Cell.Row == 0 && ShowFilterGlyph()) {
        const Integer top = Rect.Top + std::max(0, (Rect.Height() - FilterGlyphWidth) / 2);
        ProUtil::DrawResBitmapTransparent(canvas, canvas->Brush()->Color(),
                                          ::Rect(Rect.Right - FilterGlyphWidth, top, Rect.Right, Rect.Bottom),
                                          "GRDFILT");
    }
    DrawBackGround(Cell, Rect);
    DrawSelectionFrame(Cell, Rect);

    if (Cell.Graphic && Cell.TextBeside) {
        if (Cell.GraphicHAlign == haBeforeText) Rect.Left += Cell.GraphicWidth;
        else if (Cell.GraphicHAlign == haAfterText) Rect.Right -= Cell.GraphicWidth;
        if (Cell.GraphicVAlign == vaAboveText) Rect.Top += Cell.GraphicHeight;
        else if (Cell.GraphicVAlign == vaUnderText) Rect.Bottom -= Cell.GraphicHeight;
    }
    // Text over a picture or a gradient lets it show through; over the plain brush it is drawn opaque.
    if (Cell.Gradient) canvas->Brush()->SetStyle(bsClear);

    switch (ProUtil::GetTextType(text, EnableHTML())) {
        case tkHTML: DrawHTMLText(Cell, Rect, text); break;
        case tkRich: DrawRichText(Cell, Rect, text); break;
        case tkWide: DrawWideText(Cell, Rect, text); break;
        default: DrawPlainText(Cell, Rect, text); break;
    }
}

// The background picture, tiled so that the tiles run on across cells, or once at its place.
void RAdeRedeviDidi::DrawBackGround(TCellPaint& Cell, const TRect& Rect) {
    TBitmap* bitmap = BackGround()->Bitmap();
    if (bitmap->Empty() || Cell.State.Contains(gdSelected)) return;
    const TBackGroundCells cells = BackGround()->Cells();
    if ((cells == bcNormal && Cell.Fixed) || (cells == bcFixed && !Cell.Fixed)) return;
    const Integer bw = bitmap->Width(), bh = bitmap->Height();
    if (bw <= 0 || bh <= 0) return;
    const TClipTo clip(Cell.Canvas->Handle(), Rect);
    if (BackGround()->Display() == bdFixed) {
        Cell.Canvas->Draw(BackGround()->Left(), BackGround()->Top(), bitmap);
    } else {
        const Integer firstCol = cells == bcNormal ? FixedCols() : 0;
        const Integer firstRow = cells == bcNormal ? FixedRows() : 0;
        TRect cellRect;
        CellRectEx(Cell.Col, Cell.Row, cellRect);
        const auto offsetX = static_cast<Integer>(ColWidthsSum(std::min(firstCol, Cell.Col), Cell.Col) % bw);
        const auto offsetY = static_cast<Integer>(RowHeightsSum(std::min(firstRow, Cell.Row), Cell.Row) % bh);
        for (Integer y = cellRect.Top - offsetY; y < Rect.Bottom; y += bh) {
            if (y + bh <= Rect.Top) continue;
            for (Integer x = cellRect.Left - offsetX; x < Rect.Right; x += bw)
                if (x + bw > Rect.Left) Cell.Canvas->Draw(x, y, bitmap);
        }
    }
    Cell.Gradient = true;
}

// The frame around the selected range: each cell draws the range's outer edges it lies on.
void RAdeRedeviDidi::DrawSelectionFrame(const TCellPaint& Cell, const TRect& Rect) {
    if (!SelectionRectangle() || !Focused() || !Cell.State.Contains(gdSelected)) return;
    const TGridRect sel = Selection();
    const TRect r = ::Rect(Rect.Left - 1, Rect.Top - 1, Rect.Right + 1, Rect.Bottom + 1);
    // Right to left the range's first column is its rightmost.
    const bool mirrored = UseRightToLeftAlignment();
    const Integer leftmost = mirrored ? sel.Right : sel.Left, rightmost = mirrored ? sel.Left : sel.Right;
    TLine line(Cell.Canvas, clBlack);
    for (Integer inset = 0; inset < 2; ++inset) {
        if (Cell.Col == leftmost) line.Draw(r.Left + inset, r.Top, r.Left + inset, r.Bottom);
        if (Cell.Col == rightmost) line.Draw(r.Right - 1 - inset, r.Top, r.Right - 1 - inset, r.Bottom);
        if (Cell.Row == sel.Top) line.Draw(r.Left, r.Top + inset, r.Right, r.Top + inset);
        if (Cell.Row == sel.Bottom) line.Draw(r.Left, r.Bottom - 1 - inset, r.Right, r.Bottom - 1 - inset);
    }
    if (SelectionResizer() && Cell.Col == sel.Right && Cell.Row == sel.Bottom) {
        const TCanvasKeeper keeper(Cell.Canvas);
        Cell.Canvas->Brush()->SetStyle(bsSolid);
        Cell.Canvas->Brush()->SetColor(clBlack);
        const Integer left = mirrored ? r.Left : r.Right - ResizerSize;
        Cell.Canvas->FillRect(::Rect(left, r.Bottom - ResizerSize, left + ResizerSize, r.Bottom));
    }
}

void RAdeRedeviDidi::DrawPlainText(TCellPaint& Cell, TRect Rect, AnsiString Text) {
    TCanvas* canvas = Cell.Canvas;
    if (URLShow() && ProUtil::IsURL(Text)) {
        if (!URLFull()) ProUtil::StripURLProtocol(Text);
        if (URLColor() != clNone) canvas->Font()->SetColor(URLColor());
        canvas->Font()->SetStyle(canvas->Font()->Style().Include(fsUnderline));
    }
    const bool wrap =
        WordWrap() || (HasCellProperties(Cell.Col, Cell.Row) && GetCellProperties(Cell.Col, Cell.Row)->WordWrap());
    const bool oneLine = Text.find_first_of("\r\n") == AnsiString::npos;
    UINT flags = DT_NOPREFIX | DT_EXPANDTABS | HorizontalFlag(Cell.HAlign) | VerticalFlag(Cell.VAlign);
    if (wrap) flags |= DT_WORDBREAK | DT_EDITCONTROL;
    else if (oneLine) flags |= DT_SINGLELINE | (EnhTextSize() ? DT_END_ELLIPSIS : 0);
    else flags |= DT_EDITCONTROL;

    const TRect cellRect = Rect;
    const bool sortHeader = IsSortHeader(Cell.RealCol, Cell.Row);
    if (sortHeader) {
        if (Cell.HAlign == taLeftJustify) Rect.Right -= SortRoom;
        else Rect.Left += SortRoom;
    }
    if (Cell.Row == 0 && ShowFilterGlyph()) Rect.Right -= FilterGlyphWidth;
    // Right to left the text's room is taken from the cell's other side.
    if (UseRightToLeftAlignment())
        Rect = ::Rect(cellRect.Left + cellRect.Right - Rect.Right, Rect.Top, cellRect.Left + cellRect.Right - Rect.Left,
                      Rect.Bottom);

    HDC dc = canvas->Handle();
    RECT drawn = Rect;
    DrawText(dc, Text.c_str(), static_cast<int>(Text.size()), &drawn, flags);

    if (Cell.Graphic && Cell.Graphic->CellErrLen > 0)
        ProUtil::DrawErrorUnderline(this, canvas, Text, Cell.Graphic->CellErrLen, Cell.Graphic->CellErrFrom,
                                    canvas->TextHeight("gh"), Rect);
    if (!sortHeader) return;
    RECT measured = Rect;
    DrawText(dc, Text.c_str(), static_cast<int>(Text.size()), &measured, flags | DT_CALCRECT);
    const Integer textWidth = std::min<Integer>(measured.Width(), Rect.Width());
    Integer x = cellRect.Left + CentredSortLeft;
    if (Cell.HAlign == taLeftJustify) {
        x = Rect.Left + textWidth + SortGap;
        if (Cell.Graphic && Cell.TextBeside && Cell.GraphicHAlign == haAfterText) x += Cell.GraphicWidth;
    } else if (Cell.HAlign == taRightJustify) {
        x = Rect.Right - textWidth - SortGap;
    }
    DrawSortIndicator(canvas, x, SortIndicatorY(Cell, cellRect), Cell.RealCol);
}

void RAdeRedeviDidi::DrawHTMLText(TCellPaint& Cell, TRect Rect, const AnsiString& Text) {
    const bool sortHeader = IsSortHeader(Cell.RealCol, Cell.Row);
    if (sortHeader) Rect.Right -= HTMLSortRoom;
    AnsiString anchor, plain, focusAnchor, controlID, controlValue, controlType;
    Integer width = 0, height = 0, anchors = 0, mouseLink = -1;
    TRect mouseRect{}, controlRect{};
    const TRect box = ::Rect(Rect.Left - 1, Rect.Top, Rect.Right, Rect.Bottom);
    GrdHTMLE::RenderHTML(Cell.Canvas, Text, box, GridImages(), -1, -1, -1, -1, 1, false, false, false,
                         Cell.State.Contains(gdSelected), !EnableBlink() || BlinkPhase(), false, WordWrap(), false, 1.0,
                         URLColor() == clNone ? clBlue : URLColor(), clNone, clNone, ShadowColor, anchor, plain,
                         focusAnchor, width, height, anchors, mouseLink, mouseRect, controlRect, controlID,
                         controlValue, controlType, PictureCache(), PictureContainer(), Handle());
    if (sortHeader) DrawSortIndicator(Cell.Canvas, Rect.Right + 2, SortIndicatorY(Cell, Rect), Cell.RealCol);
}

// The cell text carries UTF-16 units; the system draws them as they are.
void RAdeRedeviDidi::DrawWideText(TCellPaint& Cell, TRect Rect, const AnsiString& Text) {
    const WideString wide = ProUtil::UniStrFromCellText(Text);
    UINT flags = DT_NOPREFIX | HorizontalFlag(Cell.HAlign) | VerticalFlag(Cell.VAlign);
    if (WordWrap() || Multilinecells()) flags |= DT_WORDBREAK;
    else flags |= DT_SINGLELINE | DT_END_ELLIPSIS;
    RECT r = Rect;
    DrawTextW(Cell.Canvas->Handle(), wide.c_str(), static_cast<int>(wide.size()), &r, flags);
}

// Drawn by the converter rich edit in twips of the canvas; a selected cell shows all its text in the
// selection's text colour unless it keeps its own.
void RAdeRedeviDidi::DrawRichText(TCellPaint& Cell, const TRect& Rect, const AnsiString& Text) {
    TCanvas* canvas = Cell.Canvas;
    canvas->FillRect(Rect);
    TProRichEdit* edit = RichEdit();
    LoadRichText(Text, edit);
    HDC dc = canvas->Handle();
    if (Cell.State.Contains(gdSelected) && !SelectionRTFKeep() && SelectionTextColor() != clNone &&
        GetMapMode(dc) == MM_TEXT) {
        CHARRANGE all{0, -1};
        edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
        edit->SelAttributes()->SetColor(SelectionTextColor());
    }
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0) return;
    const Integer margin = MulDiv(RichTextMargin, dpiX, 96);
    const auto twips = [](Integer Pixels, int PerInch) { return MulDiv(Pixels, TwipsPerInch, PerInch); };
    FORMATRANGE range;
    range.hdc = dc;
    range.hdcTarget = dc;
    range.rc = RECT{twips(Rect.Left + margin, dpiX), twips(Rect.Top + margin, dpiY), twips(Rect.Right - margin, dpiX),
                    twips(Rect.Bottom - margin, dpiY)};
    range.rcPage = range.rc;
    range.chrg = CHARRANGE{0, -1};
    const int mode = SetMapMode(dc, MM_TEXT);
    edit->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range));
    if (mode != 0) SetMapMode(dc, mode);
    edit->Perform(EM_FORMATRANGE, 0, 0);
}

// ---------------------------------------------------------------------------
// Sort indicator

bool RAdeRedeviDidi::IsSortHeader(Integer ARealCol, Integer ARow) {
    const TSortSettings* sort = SortSettings();
    if (!sort->Show() || ARow != sort->Row() || RowCount() <= 2 || FixedRows() < 1) return false;
    if (ARealCol < FixedCols() && !sort->FixedCols()) return false;
    const Integer indexPos = SortIndexes()->FindIndex(ARealCol);
    if (ARealCol != sort->Column() && indexPos < 0) return false;
    return indexPos < 1 || sort->IndexShow();
}

Integer RAdeRedeviDidi::SortIndicatorY(const TCellPaint& Cell, const TRect& Rect) const {
    switch (Cell.VAlign) {
        case vtaCenter: return (Rect.Top + Rect.Bottom) / 2;
        case vtaBottom: return Rect.Bottom - SortEdgeY;
        default: return Rect.Top + SortEdgeY;
    }
}

void RAdeRedeviDidi::DrawSortIndicator(TCanvas* ACanvas, Integer X, Integer Y, Integer ARealCol) {
    const TCanvasKeeper keeper(ACanvas);
    const TSortSettings* sort = SortSettings();
    const Integer indexPos = SortIndexes()->FindIndex(ARealCol);
    const auto glyphsSet = [](TBitmap* A, TBitmap* B) { return !A->Empty() && !B->Empty(); };
    const auto drawGlyph = [&](TBitmap* Glyph, Integer Offset) {
        ProUtil::DrawBitmapTransparent(
            ACanvas, Glyph, ACanvas->Brush()->Color(),
            ::Rect(X - Offset, Y - Offset, X - Offset + Glyph->Width(), Y - Offset + Glyph->Height()));
    };
    if (sort->IndexShow() && indexPos >= 0) {
        const bool descending = (static_cast<std::uint32_t>(SortIndexes()->Items(indexPos)) >> 31) != 0;
        if (glyphsSet(sort->IndexUpGlyph(), sort->IndexDownGlyph())) {
            drawGlyph(descending ? sort->IndexUpGlyph() : sort->IndexDownGlyph(), 7);
        } else {
            // A filled triangle: 12 wide pointing up for an ascending entry, 14 wide pointing down else.
            ACanvas->Pen()->SetColor(IndicatorColor);
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(IndicatorColor);
            if (descending) ACanvas->Polygon({Point(X - 7, Y - 3), Point(X + 7, Y - 3), Point(X, Y + 4)});
            else ACanvas->Polygon({Point(X - 6, Y + 3), Point(X + 6, Y + 3), Point(X, Y - 3)});
        }
        ACanvas->Font()->SetName("Tahoma");
        ACanvas->Font()->SetSize(6);
        ACanvas->Font()->SetStyle({});
        ACanvas->Font()->SetColor(clBlack);
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->TextOut(X + 8, Y - 6, IntToStr(indexPos + 1));
        return;
    }
    const bool ascending = sort->Direction() == sdAscending;
    if (glyphsSet(sort->UpGlyph(), sort->DownGlyph())) {
        drawGlyph(ascending ? sort->UpGlyph() : sort->DownGlyph(), 4);
        return;
    }
    // An arrow of lines: up for ascending, down for descending.
    TLine line(ACanvas, IndicatorColor);
    const Integer dir = ascending ? -1 : 1;
    line.Draw(X, Y + 4 * dir, X - 4, Y - 3 * dir);
    line.Draw(X - 4, Y - 3 * dir, X + 4, Y - 3 * dir);
    line.Draw(X + 4, Y - 3 * dir, X, Y + 4 * dir);
}

}  // namespace ProGrid
