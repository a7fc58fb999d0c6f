// Inline objects of the mark-up: pictures (image list, shell icons, cached and named pictures) and form
// controls, fitted into the line, hit-tested and drawn.
#include <cmath>

#include "DedIDIZ.h"
#include "GrdHTMLE_Render.h"
#include "vcl/ImgList.h"

namespace GrdHTMLE {

namespace {

bool Starts(const AnsiString& S, const char* Prefix) { return S.rfind(Prefix, 0) == 0; }

Integer Scaled(Integer Size, HDC DC, int Index) { return MulDiv(Size, GetDeviceCaps(DC, Index), 96); }

}  // namespace

bool TRenderer::PlaceObject(Integer ObjectWidth, Integer ObjectHeight, Integer& Left, Integer& Top) {
    if (Pass == pMeasure) {
        const Integer boxWidth = Line.Box.Right - Line.Box.Left;
        if (Consumed && Position + ObjectWidth > boxWidth && ObjectWidth < boxWidth) return false;
        Line.Height = std::max(Line.Height, ObjectHeight);
    }
    Left = Line.Box.Left + Position;
    Top = TextBottom() - ObjectHeight;
    Position += ObjectWidth;
    TrailingBlank = 0;
    Consumed = true;
    return true;
}

// Strictly inside the box at Left, Top on the second pass.
bool TRenderer::ObjectUnderMouse(Integer Left, Integer Top, Integer ObjectWidth, Integer ObjectHeight) const {
    return Pass == pSecond && Left < X && X < Left + ObjectWidth && Top < Y && Y < Top + ObjectHeight;
}

TInlinePicture TRenderer::ResolvePicture(const AnsiString& Source, const AnsiString& Upper) {
    TInlinePicture picture;
    const HDC dc = Canvas->Handle();
    if (Starts(Source, "IDX:")) {
        const AnsiString number = Source.substr(4);
        if (!Images || !IsWholeNumber(number)) return picture;
        picture.Index = StrToIntDef0(number);
        if (picture.Index < 0 || picture.Index >= Images->Count()) return picture;
        picture.Kind = TInlinePicture::pkImageList;
        picture.Width = Scaled(Images->Width(), dc, LOGPIXELSX);
        picture.Height = Scaled(Images->Height(), dc, LOGPIXELSY);
    } else if (Starts(Source, "SSYS:") || Starts(Source, "LSYS:")) {
        picture.Kind = TInlinePicture::pkShell;
        picture.Large = Source[0] == 'L';
        picture.Path = Source.substr(5);
        TPoint size;
        DrawShellIcon(Canvas, 0, 0, size, ResFactor, false, false, picture.Large, picture.Path);
        picture.Width = Scaled(size.X, dc, LOGPIXELSX);
        picture.Height = Scaled(size.Y, dc, LOGPIXELSY);
    } else {
        FindNamedPicture(Source, picture);
        if (picture.Kind != TInlinePicture::pkGraphic) return picture;
        const Integer width = StrToIntDef0(TagValue(Upper, "WIDTH"));
        const Integer height = StrToIntDef0(TagValue(Upper, "HEIGHT"));
        picture.Stretched = width >= 1 && height >= 1;
        if (picture.Stretched) {
            picture.Width = width;
            picture.Height = height;
        }
        picture.Width = Scaled(picture.Width, dc, LOGPIXELSX);
        picture.Height = Scaled(picture.Height, dc, LOGPIXELSY);
    }
    return picture;
}

void TRenderer::DrawInlinePicture(const TInlinePicture& Picture, Integer Left, Integer Top) {
    switch (Picture.Kind) {
        case TInlinePicture::pkImageList:
            if (!Print) {
                Images->Draw(Canvas, Left, Top, Picture.Index, true);
            } else {
                TBitmap copy;
                copy.SetSize(Images->Width(), Images->Height());
                Images->Draw(copy.Canvas(), 0, 0, Picture.Index, true);
                DrawBitmapScaled(Canvas,
                                 TRect(Left, Top, Left + static_cast<Integer>(std::lround(Images->Width() * ResFactor)),
                                       Top + static_cast<Integer>(std::lround(Images->Height() * ResFactor))),
                                 &copy);
            }
            break;
        case TInlinePicture::pkShell: {
            TPoint size;
            DrawShellIcon(Canvas, Left, Top, size, ResFactor, Print, true, Picture.Large, Picture.Path);
            break;
        }
        case TInlinePicture::pkGraphic: DrawNamedPicture(Picture, Left, Top); break;
        case TInlinePicture::pkNone: break;
    }
}

bool TRenderer::ApplyImage(const AnsiString& Upper) {
    const Integer number = ++Tags->ImageCount;
    const AnsiString source = TagValue(Upper, "SRC");
    const AnsiString alt = TagValue(Upper, "ALT");
    const TInlinePicture picture = ResolvePicture(number == HoverImage && !alt.empty() ? alt : source, Upper);
    if (picture.Kind == TInlinePicture::pkNone) return true;
    Integer left = 0, top = 0;
    if (!PlaceObject(picture.Width, picture.Height, left, top)) {
        --Tags->ImageCount;
        return false;
    }
    if (Pass == pMeasure && Upper.find("ALIGN") != AnsiString::npos) {
        if (Upper.find("\"TOP") != AnsiString::npos) Line.Raise = Line.Height - GhHeight();
        else if (Upper.find("MIDDLE") != AnsiString::npos) Line.Raise = (Line.Height - GhHeight()) / 2;
    }
    if (Tags->InAnchor && ObjectUnderMouse(left, top, picture.Width, picture.Height)) {
        ObjectHit = true;
        AnchorValue = Tags->AnchorValue;
        HoverImage = number;
    }
    if (!Drawing()) return true;
    if (number == HoverImage && !alt.empty()) DrawInlinePicture(ResolvePicture(alt, Upper), left, top);
    else DrawInlinePicture(picture, left, top);
    return true;
}

void TRenderer::DrawThemed(const char16_t* ClassName, int Part, int State, const TRect& R) {
    const PEBXPVS::TThemeEntries& themes = DedIDIZ::ThemeEntries();
    if (!themes.OpenThemeData || !themes.DrawThemeBackground || !themes.CloseThemeData) return;
    if (HTHEME theme = themes.OpenThemeData(Window, ClassName)) {
        themes.DrawThemeBackground(theme, Canvas->Handle(), Part, State, &R, nullptr);
        themes.CloseThemeData(theme);
    }
}

bool TRenderer::ApplyControl(const AnsiString& Tag) {
    AnsiString type, id, value, widthText;
    ParseControlTag(Tag, type, id, value, widthText);
    // Without a whole-number WIDTH there is no control.
    if (!IsWholeNumber(widthText)) return true;
    Integer width = StrToIntDef0(widthText), height = 0, layoutHeight = 0;
    if (type == "EDIT") height = GhHeight() + 6;
    else if (type == "COMBO") height = 25;
    else if (type == "CHECK" || type == "RADIO") width = height = 16;
    else if (type == "BUTTON") height = 24;
    else return true;
    layoutHeight = type == "BUTTON" ? 18 : height;
    Integer left = 0, top = 0;
    if (!PlaceObject(width, layoutHeight, left, top)) return false;
    if (ObjectUnderMouse(left, top, width, layoutHeight)) {
        ObjectHit = true;
        AnchorValue = "ctrl";
        ControlRect = TRect(left, top, left + width, top + layoutHeight);
        ControlID = id;
        ControlValue = value;
        ControlType = type;
        HoverImage = Tags->ImageCount;
    }
    if (!Drawing()) return true;

    const Integer bottom = TextBottom();
    const bool hot = left - 2 < X && X < left - 2 + width && bottom - height - 2 < Y && Y < bottom - 2;
    const HDC dc = Canvas->Handle();
    if (type == "EDIT" || type == "COMBO") {
        const TRect frame(left, Line.Box.Bottom - Line.Height + 3, left + width, Line.Box.Bottom + 1);
        const TColor brush = BrushOrNone();
        SetBrush(clNone);
        Canvas->Pen()->SetColor(clGray);
        Canvas->Rectangle(frame);
        SetBrush(brush);
        DrawRun(value, TRect(left + 2, frame.Top, frame.Right, bottom));
        if (type == "COMBO") {
            RECT button = TRect(frame.Right - 17, frame.Top + 1, frame.Right - 1, frame.Bottom - 1);
            if (Themed) DrawThemed(u"combobox", 1, hot ? 2 : 1, button);
            else DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        }
    } else if (type == "CHECK" || type == "RADIO") {
        const bool radio = type == "RADIO";
        const bool checked = SameText(value, "TRUE");
        RECT box = TRect(left + 2, bottom - 15, left + 15, bottom);
        if (Themed) {
            DrawThemed(u"button", radio ? 2 : 3, checked ? 5 : 1, box);
        } else {
            DrawFrameControl(dc, &box, DFC_BUTTON,
                             (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
        }
    } else {
        const bool pressed = hot && MouseDown;
        RECT button = TRect(left, bottom - height, left + width, bottom);
        if (Themed) DrawThemed(u"button", 1, pressed ? 3 : hot ? 2 : 1, button);
        else DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        RECT text = TRect(button.Left + 2, button.Top + 2, button.Right - 2, button.Bottom - 2);
        DrawText(Canvas->Handle(), value.data(), static_cast<int>(value.size()), &text,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return true;
}

}  // namespace GrdHTMLE
