// The grid's cell decorations: a cell's graphic and type, its borders, and the graphic drawn by its type.
// Check boxes and radio buttons are in ProGrid_DecorControls.cpp.
#include "ProGrid_Decor.h"

#include <algorithm>
#include <cmath>

#include "DedIDIZ.h"
#include "GrdHTMLE.h"
#include "ProGrid_Paint.h"
#include "ProUtil.h"
#include "vcl/Resources.h"
#include "vcl/ScopeGuard.h"
#include "vcl/SysUtils.h"
#include "vcl/UxTheme.h"
#include "vcl/WinGdi.h"

namespace ProGrid {

using namespace BaseGrid;

namespace Decor {

TSavedCanvas::TSavedCanvas(TCanvas* Canvas) : canvas_(Canvas) {
    pen_.Assign(Canvas->Pen());
    brush_.Assign(Canvas->Brush());
    font_.Assign(Canvas->Font());
}

TSavedCanvas::~TSavedCanvas() {
    canvas_->Pen()->Assign(&pen_);
    canvas_->Brush()->Assign(&brush_);
    canvas_->Font()->Assign(&font_);
}

void DrawKeyed(TCanvas* Canvas, TBitmap* Bitmap, Integer X, Integer Y) {
    if (!Bitmap || Bitmap->Empty()) return;
    TBitmap keyed;
    keyed.Assign(Bitmap);
    keyed.SetTransparentColor(keyed.Canvas()->Pixels(0, 0));
    keyed.SetTransparentMode(tmFixed);
    keyed.SetTransparent(true);
    Canvas->Draw(X, Y, &keyed);
}

void DrawGlyph(TCanvas* Canvas, const char* ResName, Integer X, Integer Y) {
    // A grid whose unit never started has no glyphs: it draws none rather than raise while painting.
    if (!FindResourceEntry(ResName, "BMP")) return;
    TBitmap glyph;
    glyph.LoadFromResourceName(nullptr, ResName);
    DrawKeyed(Canvas, &glyph, X, Y);
}

}  // namespace Decor

using namespace Decor;

namespace {

// Where a graphic of W x H sits in Rect beside a text TextWidth wide (0 without text) aligned HAlign; haFull
// and vaFull give it the whole width or height.
TRect PlaceGraphic(const TCellGraphic& Graphic, const TRect& Rect, Integer W, Integer H, Integer TextWidth,
                   TAlignment HAlign) {
    const Integer L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
    Integer x = L + 1, y = T + 1;
    switch (Graphic.CellHAlign) {
        case haLeft: x = L + 1; break;
        case haRight: x = R - 1 - W; break;
        case haCenter: x = W < R - L ? L + (R - L - W) / 2 : L + 1; break;
        case haBeforeText: x = HAlign == taLeftJustify ? L + 1 : std::max(R - TextWidth - W, L + 1); break;
        case haAfterText: x = HAlign == taRightJustify ? R - 1 - W : L + TextWidth; break;
        case haFull:
            x = L;
            W = R - L;
            break;
    }
    switch (Graphic.CellVAlign) {
        case vaTop:
        case vaAboveText: y = T + 1; break;
        case vaBottom: y = B - 1 - H; break;
        case vaCenter: y = H < B - T ? T + (B - T - H) / 2 : T + 1; break;
        case vaUnderText: y = B - H; break;
        case vaFull:
            y = T;
            H = B - T;
            break;
    }
    return TRect(x, y, x + W, y + H);
}

TColor Inverse(TColor Color) { return static_cast<TColor>(ColorToRGB(Color) ^ 0xFFFFFF); }

// The whole-number value of a cell's text; False for any other text.
bool WholeNumber(const AnsiString& Text, Integer& Value) { return TryStrToInt(Trim(Text), Value); }

}  // namespace

// ---------------------------------------------------------------------------
// The graphic of a cell

TCellGraphic* RAdeRedeviDidi::GetCellGraphic(Integer ACol, Integer ARow) {
    const TPoint base = BaseCell(ACol, ARow);
    return dynamic_cast<TCellGraphic*>(GetGraphicObject(base.X, base.Y));
}

TCellType RAdeRedeviDidi::GetCellType(Integer ACol, Integer ARow) {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    return graphic ? graphic->CellType : ctEmpty;
}

// ---------------------------------------------------------------------------
// Borders

void RAdeRedeviDidi::DrawCellBorders(Integer ACol, Integer ARow, TRect Rect) {
    TCanvas* canvas = Canvas();
    TPen saved;
    saved.Assign(canvas->Pen());
    const TScopeExit restore([&] { canvas->Pen()->Assign(&saved); });
    TCellBorders borders;
    GetCellBorder(ACol, ARow, canvas->Pen(), borders);
    if (borders.Empty()) return;  // most cells: no pens to make

    TPen leftPen, topPen, rightPen, bottomPen;
    for (TPen* pen : {&leftPen, &topPen, &rightPen, &bottomPen}) pen->Assign(canvas->Pen());
    if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, ACol, &leftPen, &topPen, &rightPen, &bottomPen);

    const Integer half = (canvas->Pen()->Width() + 1) / 2;
    const Integer hx = Options().Contains(goVertLine) ? half : 0;
    const Integer hy = Options().Contains(goHorzLine) ? half : 0;
    Rect = TRect(Rect.Left + hx, Rect.Top + hy, Rect.Right - hx, Rect.Bottom - hy);

    const auto line = [canvas](TPen& Pen, Integer X1, Integer Y1, Integer X2, Integer Y2) {
        canvas->Pen()->Assign(&Pen);
        canvas->MoveTo(X1, Y1);
        canvas->LineTo(X2, Y2);
    };
    if (borders.Contains(cbLeft)) line(leftPen, Rect.Left - 1, Rect.Top, Rect.Left - 1, Rect.Bottom);
    if (borders.Contains(cbRight)) line(rightPen, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
    if (borders.Contains(cbTop)) line(topPen, Rect.Left, Rect.Top, Rect.Right, Rect.Top);
    if (borders.Contains(cbBottom)) line(bottomPen, Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom - 1);
}

// ---------------------------------------------------------------------------
// The graphic by its type

void RAdeRedeviDidi::DrawCellGraphic(TCanvas* ACanvas, Integer ACol, Integer ARow, TCellGraphic* Graphic,
                                     const TRect& Rect, Integer GraphicWidth, Integer GraphicHeight, TAlignment HAlign,
                                     TVAlignment VAlign) {
    if (!Graphic) return;
    const TSavedCanvas saved(ACanvas);
    AnsiString text;
    ReadCell(ACol, ARow, text);
    const Integer textWidth = text.empty() ? 0 : ACanvas->TextWidth(text) + 2;
    const TRect at = PlaceGraphic(*Graphic, Rect, GraphicWidth, GraphicHeight, textWidth, HAlign);
    const auto editable = [&] {
        bool can = true;
        CanEdit(ACol, ARow, can);
        return can;
    };
    TImageList* images = GridImages();

    switch (Graphic->CellType) {
        case ctBitmap:
            if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic->CellBitmap)) {
                // The key colour takes the cell's background: the brush the painter left, selection included.
                if (Graphic->CellTransparent)
                    ProUtil::DrawBitmapTransparent(ACanvas, bitmap, ACanvas->Brush()->Color(), at);
                else ACanvas->Draw(at.Left, at.Top, bitmap);
            }
            break;
        case ctIcon:
            if (Graphic->CellIcon) ACanvas->Draw(at.Left, at.Top, Graphic->CellIcon);
            break;
        case ctImageList:
            if (images) images->Draw(ACanvas, at.Left, at.Top, Graphic->CellIndex);
            break;
        case ctDataImage:
            // A text that is no whole number shows no image.
            if (Integer value = 0; images && WholeNumber(text, value)) {
                const Int64 index = Int64{value} + Graphic->CellIndex;
                if (index >= 0 && index < images->Count())
                    images->Draw(ACanvas, at.Left, at.Top, static_cast<Integer>(index));
            }
            break;
        case ctImages:
            if (auto* list = dynamic_cast<ProObj::TIntList*>(Graphic->CellBitmap); list && images) {
                for (Integer i = 0; i < list->Count(); ++i) {
                    const Integer x = Graphic->CellBoolean ? at.Left + i * images->Width() : at.Left;
                    const Integer y = Graphic->CellBoolean ? at.Top : at.Top + i * images->Height();
                    images->Draw(ACanvas, x, y, list->Items(i));
                }
            }
            break;
        case ctPicture:
            if (auto* picture = dynamic_cast<TPicture*>(Graphic->CellBitmap); picture && picture->Graphic()) {
                if (Graphic->CellAngle != 0) ACanvas->StretchDraw(at, picture->Graphic());
                else ACanvas->Draw(at.Left, at.Top, picture->Graphic());
            }
            break;
        case ctFilePicture:
            if (auto* picture = dynamic_cast<ProObj::TFilePicture*>(Graphic->CellBitmap)) picture->Draw(ACanvas, at);
            break;
        case ctCheckBox:
        case ctDataCheckBox:
        case ctVirtCheckBox:
            DrawCellCheck(ACanvas, ACol, ARow, *Graphic, Rect, at, text, textWidth, HAlign, editable());
            break;
        case ctRadio: {
            auto* texts = dynamic_cast<TStrings*>(Graphic->CellBitmap);
            Integer index = Graphic->CellIndex;
            if (index < 0 && texts) {
                for (Integer i = 0; i < texts->Count() && index < 0; ++i)
                    if (texts->Strings(i) == text) index = i;
            }
            DrawRadioGroup(ACanvas, Rect, texts ? texts->Count() : 0, texts, std::max(index, -1), editable(),
                           Graphic->CellBoolean);
            break;
        }
        case ctNode: DrawCellNode(ACanvas, ARow, *Graphic, Rect); break;
        case ctProgress: {
            Integer percent = 0;  // a text that is no whole number counts 0
            if (!WholeNumber(text, percent)) percent = 0;
            DrawCellProgress(ACanvas, *Graphic, Rect, percent);
            break;
        }
        case ctComment:
            if (CommentColor() != clNone) {
                ACanvas->Pen()->SetColor(CommentColor());
                ACanvas->Pen()->SetWidth(1);
                ACanvas->Pen()->SetStyle(psSolid);
                ACanvas->Brush()->SetColor(CommentColor());
                ACanvas->Polygon({Point(Rect.Right - 7, Rect.Top), Point(Rect.Right - 1, Rect.Top),
                                  Point(Rect.Right - 1, Rect.Top + 6)});
            }
            break;
        case ctButton:
        case ctBitButton: DrawCellButton(ACanvas, *Graphic, Rect, at); break;
        // A pie has a size for the layout but no drawing.
        case ctRotated: {
            AnsiString shown;
            GetCellFormat(ACol, ARow, shown);
            DrawCellRotated(ACanvas, *Graphic, Rect, shown, HAlign, VAlign);
            break;
        }
        case ctProgressPie:
        case ctEmpty:
        case ctNone:
        case ctValue:
        case ctSummary: break;
    }
}

// ---------------------------------------------------------------------------
// Rotated text, nodes and progress bars

void RAdeRedeviDidi::DrawCellRotated(TCanvas* ACanvas, const TCellGraphic& Graphic, const TRect& Rect,
                                     const AnsiString& Text, TAlignment HAlign, TVAlignment VAlign) {
    if (Text.empty()) return;
    // The upright text's sides, projected on the axes, give the turned text's box.
    const TTurnedExtent turned = TurnedExtent(ACanvas->TextExtent(Text), Graphic.CellAngle);
    const auto projected = [](double Length) { return static_cast<Integer>(std::lround(Length)); };
    TRect start(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
    GetTextPosition(start, VAlign, projected(turned.WidthY), projected(turned.WidthX), projected(turned.HeightX),
                    projected(turned.HeightY), HAlign, Graphic.CellAngle);
    HDC dc = ACanvas->Handle();
    GrdHTMLE::SelectRotatedFont(ACanvas, Graphic.CellAngle);
    const TScopeExit restoreFont([&] { GrdHTMLE::RestoreRotatedFont(ACanvas); });
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const TScopeExit restoreMode([&] { SetBkMode(dc, oldMode); });
    ::TextOut(dc, start.Left, start.Top, Text.c_str(), static_cast<int>(Text.size()));
}

void RAdeRedeviDidi::DrawCellNode(TCanvas* ACanvas, Integer ARow, const TCellGraphic& Graphic, const TRect& Rect) {
    constexpr Integer Box = 9;
    TCellNode* node = CellNode();
    const Integer x = RowIndent(ARow) - node->NodeIndent();
    const TRect box(x + 4, Rect.Top + (Rect.Height() - Box) / 2, x + 4 + Box,
                    Rect.Top + (Rect.Height() - Box) / 2 + Box);
    const bool expanded = !Graphic.CellBoolean;
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Pen()->SetStyle(psSolid);
    if (node->ShowTree() && ARow >= FixedRows() && expanded) {
        ACanvas->Pen()->SetColor(node->TreeColor());
        ACanvas->MoveTo(box.Left + Box / 2, box.Bottom);
        ACanvas->LineTo(box.Left + Box / 2, Rect.Bottom);
    }
    switch (node->NodeType()) {
        case cnLeaf: DrawGlyph(ACanvas, expanded ? "GRDLEAFOPEN" : "GRDLEAFCLOSE", x, Rect.Top + 2); break;
        case cnXP: DrawGlyph(ACanvas, expanded ? "XPNODEO" : "XPNODEC", x + 4, Rect.Top + 6); break;
        case cnGlyph:
            if (TBitmap* glyph = expanded ? node->ExpandGlyph() : node->ContractGlyph();
                !node->ExpandGlyph()->Empty() && !node->ContractGlyph()->Empty())
                DrawKeyed(ACanvas, glyph, box.Left, Rect.Top + (Rect.Height() - glyph->Height()) / 2);
            break;
        case cnFlat:
            ACanvas->Pen()->SetColor(node->Color());
            ACanvas->Rectangle(box);
            ACanvas->Pen()->SetColor(node->NodeColor());
            ACanvas->MoveTo(box.Left + 2, box.Top + Box / 2);
            ACanvas->LineTo(box.Right - 2, box.Top + Box / 2);
            if (!expanded) {
                ACanvas->MoveTo(box.Left + Box / 2, box.Top + 2);
                ACanvas->LineTo(box.Left + Box / 2, box.Bottom - 2);
            }
            break;
        case cn3D: {
            ACanvas->FillRect(box);
            RECT edge = box;
            DrawEdge(ACanvas->Handle(), &edge, expanded ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
            break;
        }
    }
}

// A progress cell keeps its bar colour in CellIndex and, with CellBoolean, the colour of the text over the
// bar in CellAngle; without, the text takes the bar colour's inverse.
void RAdeRedeviDidi::DrawCellProgress(TCanvas* ACanvas, const TCellGraphic& Graphic, const TRect& Rect,
                                      Integer Percent) {
    TControlLook* look = ControlLook();
    const TControlStyle style = look->ControlStyle();
    if ((style == csWinXP || style == csTheme) && look->ProgressXP() && ThemedLook()) {
        const TRect bar(Rect.Left + look->ProgressMarginX(), Rect.Top + look->ProgressMarginY(),
                        Rect.Right - look->ProgressMarginX(), Rect.Bottom - look->ProgressMarginY());
        if (bar.Width() <= 0 || bar.Height() <= 0 || !DrawThemed(ACanvas, u"Progress", PP_BAR, 1, bar)) return;
        const TRect inner(bar.Left + 2, bar.Top + 2, bar.Right - 2, bar.Bottom - 2);
        const auto filled = static_cast<Integer>(Int64{std::max(inner.Width(), 0)} * std::clamp(Percent, 0, 100) / 100);
        if (filled > 0 && inner.Height() > 0)
            DrawThemed(ACanvas, u"Progress", PP_CHUNK, 1,
                       TRect(inner.Left, inner.Top, inner.Left + filled, inner.Bottom));
        return;
    }
    TColor barColor = static_cast<TColor>(Graphic.CellIndex);
    if (barColor == clNone) barColor = clHighlight;
    TColor textColor = Graphic.CellBoolean ? static_cast<TColor>(Graphic.CellAngle) : Inverse(barColor);
    if (textColor == clNone) textColor = Inverse(barColor);
    ProUtil::DrawProgressBar(ACanvas, Rect, barColor, look->ProgressMarginY(), look->ProgressMarginX(), Percent,
                             textColor);
}

bool RAdeRedeviDidi::DrawThemed(TCanvas* ACanvas, const char16_t* ClassName, int Part, int State, const TRect& Rect) {
    if (!ThemedLook() || !DedIDIZ::ThemeLibraryLoaded()) return false;
    const PEBXPVS::TThemeEntries& themes = DedIDIZ::ThemeEntries();
    if (!themes.OpenThemeData || !themes.DrawThemeBackground || !themes.CloseThemeData) return false;
    HTHEME theme = themes.OpenThemeData(HandleAllocated() ? Handle() : nullptr, ClassName);
    if (!theme) return false;
    const TScopeExit close([&] { themes.CloseThemeData(theme); });
    const RECT r = Rect;
    return themes.DrawThemeBackground(theme, ACanvas->Handle(), Part, State, &r, nullptr) == S_OK;
}

}  // namespace ProGrid
