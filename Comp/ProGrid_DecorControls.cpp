// The grid's in-cell controls as painted: check boxes and radio buttons in each ControlStyle, and push
// buttons.
#include <algorithm>

#include "ProGrid_Decor.h"
#include "vcl/SysUtils.h"
#include "vcl/UxTheme.h"
#include "vcl/WinGdi.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace Decor;

namespace {

constexpr TColor DisabledMark = static_cast<TColor>(0x808080);
// The glyph resources' side: GRDRAD01 .. 08.
constexpr Integer RadioGlyphSize = 13;

TRect CentredSquare(const TRect& Rect, Integer Size) {
    const Integer left = Rect.Left + (Rect.Width() - Size) / 2, top = Rect.Top + (Rect.Height() - Size) / 2;
    return TRect(left, top, left + Size, top + Size);
}

void Line(TCanvas* Canvas, TColor Color, Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

// The numbering of the check and radio resources: checked enabled, unchecked enabled, checked disabled,
// unchecked disabled; 01 .. 04 in the zub look, 05 .. 08 in the XP look.
AnsiString GlyphName(const char* Prefix, bool Checked, bool Enabled, TControlStyle Style) {
    const Integer number = (Checked ? 1 : 2) + (Enabled ? 0 : 2) + (Style == csWinXP ? 4 : 0);
    return AnsiString(Prefix) + "0" + IntToStr(number);
}

int ThemeState(bool Checked, bool Enabled) {
    if (Checked) return Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED;
    return Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED;
}

UINT FrameState(UINT Kind, bool Checked, bool Enabled, TControlStyle Style) {
    return Kind | (Checked ? DFCS_CHECKED : 0) | (Style == csFlat ? DFCS_FLAT : 0) | (Enabled ? 0 : DFCS_INACTIVE);
}

}  // namespace

// ---------------------------------------------------------------------------
// Check boxes

void RAdeRedeviDidi::DrawCheck(TCanvas* ACanvas, const TRect& Rect, bool Checked, bool Enabled, TControlStyle Style) {
    TControlLook* look = ControlLook();
    if (look->NoDisabledCheckRadioLook()) Enabled = true;
    const Integer size = look->CheckSize();
    const TSavedCanvas saved(ACanvas);
    switch (Style) {
        case csClassic:
        case csFlat: {
            RECT box = CentredSquare(Rect, size);
            DrawFrameControl(ACanvas->Handle(), &box, DFC_BUTTON,
                             FrameState(DFCS_BUTTONCHECK, Checked, Enabled, Style));
            break;
        }
        case csWinXP:
        case csZub:
            DrawGlyph(ACanvas, GlyphName("GRDCHK", Checked, Enabled, Style).c_str(), Rect.Left, Rect.Top);
            break;
        case csBorland: {
            const TRect box = CentredSquare(Rect, size);
            ACanvas->Pen()->SetWidth(1);
            ACanvas->Pen()->SetStyle(psSolid);
            ACanvas->Pen()->SetColor(clBtnFace);
            ACanvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
            ACanvas->Rectangle(box);
            const Integer l = box.Left + 1, t = box.Top + 1, r = box.Right - 2, b = box.Bottom - 2;
            Line(ACanvas, clBtnHighlight, l, b, l, t);
            Line(ACanvas, clBtnHighlight, l, t, r + 1, t);
            Line(ACanvas, clBtnShadow, r, t + 1, r, b + 1);
            Line(ACanvas, clBtnShadow, l + 1, b, r, b);
            if (Checked) {
                // A tick two pixels thick. The disabled grey would vanish on the disabled face: light instead.
                TColor mark = Enabled ? look->Color() : DisabledMark;
                if (ColorToRGB(mark) == ColorToRGB(ACanvas->Brush()->Color())) mark = clBtnHighlight;
                const Integer midX = l + (r - l) / 2 - 1, lowY = b - 3;
                for (Integer dy = 0; dy < 2; ++dy) {
                    Line(ACanvas, mark, l + 2, t + (b - t) / 2 - 1 + dy, midX, lowY + dy);
                    Line(ACanvas, mark, midX, lowY + dy, r - 1, t + 2 + dy);
                }
            }
            break;
        }
        case csGlyph: {
            TBitmap* glyph = Checked ? look->CheckedGlyph() : look->UnCheckedGlyph();
            DrawKeyed(ACanvas, glyph, Rect.Left, Rect.Top);
            break;
        }
        case csTheme:
            DrawThemed(ACanvas, u"button", BP_CHECKBOX, ThemeState(Checked, Enabled),
                       TRect(Rect.Left, Rect.Top, Rect.Left + size, Rect.Top + size));
            break;
    }
}

void RAdeRedeviDidi::DrawCellCheck(TCanvas* ACanvas, Integer ACol, Integer ARow, const TCellGraphic& Graphic,
                                   const TRect& Rect, const TRect& At, const AnsiString& Text, Integer TextWidth,
                                   TAlignment HAlign, bool Enabled) {
    const Integer size = ControlLook()->CheckSize();
    // A plain check box sits before its text; the data kinds show no text beside them.
    const Integer beside = Graphic.CellType == ctCheckBox ? TextWidth : 0;
    Integer x = Rect.Left + 1;
    // Placed after its text, it goes where the text left it room, as any graphic placed so.
    if (beside > 0 && Graphic.CellHAlign == haAfterText) x = At.Left;
    else if (HAlign == taRightJustify) x = std::max(Rect.Right - 1 - size - beside, Rect.Left + 1);
    else if (HAlign == taCenter) x = std::max(Rect.Left + (Rect.Width() - size) / 2 - beside, Rect.Left + 1);
    bool checked = Graphic.CellBoolean;
    if (Graphic.CellType != ctCheckBox) {
        AnsiString checkTrue;
        GetCheckTrue(ACol, ARow, checkTrue);
        checked = Text == checkTrue;
    }
    DrawCheck(ACanvas, TRect(x, At.Top, x + size, At.Top + size), checked, Enabled, ControlLook()->ControlStyle());
}

// ---------------------------------------------------------------------------
// Radio buttons

void RAdeRedeviDidi::DrawRadioButton(TCanvas* ACanvas, Integer X, Integer Y, Integer Size, bool Selected,
                                     bool Enabled) {
    TControlLook* look = ControlLook();
    const TControlStyle style = look->ControlStyle();
    const TRect box(X, Y, X + Size, Y + Size);
    switch (style) {
        case csClassic:
        case csFlat: {
            RECT r = box;
            DrawFrameControl(ACanvas->Handle(), &r, DFC_BUTTON, FrameState(DFCS_BUTTONRADIO, Selected, Enabled, style));
            break;
        }
        case csWinXP:
        case csZub: DrawGlyph(ACanvas, GlyphName("GRDRAD", Selected, Enabled, style).c_str(), X, Y); break;
        case csBorland:
            ACanvas->Pen()->SetWidth(1);
            ACanvas->Pen()->SetStyle(psSolid);
            ACanvas->Pen()->SetColor(DisabledMark);
            ACanvas->Brush()->SetColor(clBtnFace);
            ACanvas->Ellipse(box);
            // The lit lower right rim.
            ACanvas->Pen()->SetColor(clWhite);
            ACanvas->Arc(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1, box.Right, box.Top, box.Left,
                         box.Bottom);
            if (Selected) {
                const TColor mark = Enabled ? look->Color() : DisabledMark;
                const Integer inset = std::max<Integer>(Size / 3, 2);
                ACanvas->Pen()->SetColor(mark);
                ACanvas->Brush()->SetColor(mark);
                ACanvas->Ellipse(box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset);
            }
            break;
        case csGlyph: DrawKeyed(ACanvas, Selected ? look->RadioOnGlyph() : look->RadioOffGlyph(), X, Y); break;
        case csTheme: DrawThemed(ACanvas, u"button", BP_RADIOBUTTON, ThemeState(Selected, Enabled), box); break;
    }
}

void RAdeRedeviDidi::DrawRadioGroup(TCanvas* ACanvas, const TRect& Rect, Integer Count, TStrings* Texts, Integer Index,
                                    bool Enabled, bool Horizontal) {
    TControlLook* look = ControlLook();
    if (look->NoDisabledCheckRadioLook()) Enabled = true;
    const TSavedCanvas saved(ACanvas);
    Integer size = look->RadioSize();
    const TControlStyle style = look->ControlStyle();
    if (style == csWinXP || style == csZub) size = RadioGlyphSize;
    else if (style == csGlyph && !look->RadioOnGlyph()->Empty()) size = look->RadioOnGlyph()->Width();
    const Integer lineHeight = ACanvas->TextHeight("gh");
    HDC dc = ACanvas->Handle();
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const TScopeExit restoreMode([&] { SetBkMode(dc, oldMode); });
    Integer x = Rect.Left + 2, y = Rect.Top + 2;
    for (Integer i = 0; i < Count; ++i) {
        const AnsiString text = Texts && i < Texts->Count() ? Texts->Strings(i) : AnsiString();
        const Integer buttonX = Texts ? x : Rect.Left + (Rect.Width() - size) / 2;
        DrawRadioButton(ACanvas, buttonX, y + (lineHeight - size) / 2, size, i == Index, Enabled);
        if (!text.empty()) ACanvas->TextOut(buttonX + size + 2, y, text);
        if (Horizontal) x = buttonX + size + 2 + ACanvas->TextWidth(text) + 4;
        else y += lineHeight;
    }
}

// ---------------------------------------------------------------------------
// Push buttons

void RAdeRedeviDidi::DrawCellButton(TCanvas* ACanvas, TCellGraphic& Graphic, const TRect& Rect, const TRect& At) {
    // Mouse handling finds the button again from its offset in the cell: X in the low, Y in the high 16 bits.
    Graphic.CellValue = std::max(At.Left - Rect.Left, 0) + std::max(At.Top - Rect.Top, 0) * 65536.0;
    const bool pressed = Graphic.CellBoolean;
    if (!DrawThemed(ACanvas, u"button", BP_PUSHBUTTON, pressed ? PBS_PRESSED : PBS_NORMAL, At)) {
        RECT r = At;
        const UINT state =
            DFCS_BUTTONPUSH | (ControlLook()->FlatButton() ? DFCS_FLAT : 0) | (pressed ? DFCS_PUSHED : 0);
        DrawFrameControl(ACanvas->Handle(), &r, DFC_BUTTON, state);
    }
    const Integer inset = pressed ? 3 : 2;
    TRect face(At.Left + inset, At.Top + inset, At.Right - inset, At.Bottom - inset);
    if (auto* glyph = dynamic_cast<TBitmap*>(Graphic.CellBitmap);
        Graphic.CellType == ctBitButton && glyph && !glyph->Empty()) {
        DrawKeyed(ACanvas, glyph, face.Left, face.Top + (face.Height() - glyph->Height()) / 2);
        face.Left += glyph->Width() + 2;
    }
    if (Graphic.CellText.empty() || face.Width() <= 0) return;
    HDC dc = ACanvas->Handle();
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const TScopeExit restoreMode([&] { SetBkMode(dc, oldMode); });
    RECT r = face;
    DrawText(dc, Graphic.CellText.c_str(), static_cast<int>(Graphic.CellText.size()), &r,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace ProGrid
