// The tags of the mark-up: chosen by their first letters, attributes found by plain search. Effects on
// colours and fills happen only while drawing, so the measuring pass and the drawing pass lay out alike.
#include "GrdHTMLE_Render.h"

namespace GrdHTMLE {

namespace {

bool Starts(const AnsiString& S, const char* Prefix) { return S.rfind(Prefix, 0) == 0; }

void SetStyle(TFont* Font, TFontStyle Style, bool On) {
    TFontStyles styles = Font->Style();
    if (On) styles.Include(Style);
    else styles.Exclude(Style);
    Font->SetStyle(styles);
}

// Angles wrap at 360 degrees.
Integer WrappedAngle(Integer Degrees) { return Degrees % 360; }

}  // namespace

bool TRenderer::ApplyTag(std::string_view& Text) {
    if (Text.size() < 3) {
        Text = {};
        return true;
    }
    const std::size_t close = Text.find('>');
    const std::size_t end = close == std::string_view::npos ? Text.size() : close + 1;
    const AnsiString tag(Text.substr(0, end));
    const AnsiString upper = UpperCase(tag);
    const bool closing = Text[1] == '/' && Text.size() >= 4;
    TFont* font = Canvas->Font();
    bool keep = true;

    if (closing) {
        switch (upper[2]) {
            case 'A':
                if (HitRecorded) {
                    MouseRect = TRect(AnchorStart.X, AnchorStart.Y, Line.Box.Left + Position, TextBottom());
                    MouseLink = Tags->AnchorCount;
                    HitRecorded = false;
                }
                if (Drawing()) {
                    if (Tags->AnchorCount - 1 == FocusLink) {
                        const Integer bottom = Line.Box.Bottom - Line.Raise;
                        Canvas->DrawFocusRect(
                            TRect(AnchorStart.X - 1, bottom - GhHeight(), Line.Box.Left + Position + 1, bottom));
                    }
                    if (Tags->AnchorHovered) {
                        SetStyle(font, fsUnderline, false);
                        if (Tags->HoverBrushSet) SetBrush(Tags->AnchorBrush);
                        if (Tags->HoverFontSet) font->SetColor(Tags->AnchorFont);
                    }
                }
                if (!Selected) font->SetColor(BaseFont->Color());
                Tags->InAnchor = Tags->AnchorHovered = Tags->HoverBrushSet = Tags->HoverFontSet = false;
                break;
            case 'B':
                if (upper == "</B>") SetStyle(font, fsBold, false);
                else font->SetColor(BaseFont->Color());
                break;
            case 'E': Tags->ErrorMark = false; break;
            case 'F':
                font->SetName(BaseFont->Name());
                font->SetSize(BaseFont->Size());
                if (Drawing() && !Selected) {
                    font->SetColor(BaseFont->Color());
                    SetBrush(Tags->FontBrush);
                }
                break;
            case 'H':
                if (Drawing()) {
                    font->SetColor(Tags->HiFont);
                    SetBrush(Tags->HiBrush);
                }
                break;
            case 'I': SetStyle(font, fsItalic, false); break;
            case 'L': EndOfLine = true; break;
            case 'P':
                EndOfLine = true;
                if (Drawing()) {
                    SetBrush(Tags->ParagraphBrush);
                    Tags->ParagraphBg = false;
                }
                break;
            case 'R':
                if (!Tags->Angles.empty()) {
                    RestoreRotatedFont(Canvas);
                    Tags->Angles.pop_back();
                }
                break;
            case 'S':
                if (upper == "</S>") SetStyle(font, fsStrikeOut, false);
                else if (Starts(upper, "</SH")) Tags->Shadow = false;
                else if (Starts(upper, "</SU")) Tags->Sub = Tags->Sup = false;
                break;
            case 'U':
                if (upper == "</U>") {
                    SetStyle(font, fsUnderline, false);
                } else if (Starts(upper, "</UL")) {
                    if (Tags->ListLevel > 0) --Tags->ListLevel;
                    else SetStyle(font, fsUnderline, false);
                }
                break;
            case 'Z': Tags->Hidden = false; break;
            default: break;
        }
    } else {
        switch (upper[1]) {
            case 'A':
                ++Tags->AnchorCount;
                Tags->InAnchor = true;
                Tags->AnchorValue = TagValue(tag, "");
                if (Pass == pSecond) AnchorStart = TPoint(Line.Box.Left + Position, Line.Box.Top);
                if (Drawing() && (!HoverStyle || Tags->AnchorCount == HoverLink)) {
                    Tags->AnchorHovered = true;
                    SetStyle(font, fsUnderline, true);
                    if (HoverColor != clNone) {
                        Tags->AnchorBrush = BrushOrNone();
                        SetBrush(HoverColor);
                        Tags->HoverBrushSet = true;
                    }
                    if (HoverFontColor != clNone) {
                        Tags->AnchorFont = font->Color();
                        font->SetColor(HoverFontColor);
                        Tags->HoverFontSet = true;
                    }
                }
                if (!Selected && !(HoverFontColor != clNone && Tags->AnchorCount == HoverLink && HoverStyle))
                    font->SetColor(LinkColor);
                break;
            case 'B':
                if (upper == "<B>") {
                    SetStyle(font, fsBold, true);
                } else if (Starts(upper, "<BR")) {
                    EndOfLine = true;
                    if (Pass == pMeasure) PlainText += '\r';
                } else if (Starts(upper, "<BL")) {
                    if (!Blink) font->SetColor(EntryBrush);
                } else if (Starts(upper, "<BO") && Drawing()) {
                    ApplyBody(upper);
                }
                break;
            case 'C':
                if (Starts(upper, "<CONTROL")) keep = ApplyControl(tag);
                break;
            case 'E':
                if (upper == "<E>") Tags->ErrorMark = true;
                break;
            case 'F': ApplyFont(upper); break;
            case 'H':
                if (Starts(upper, "<HI")) {
                    if (Drawing()) {
                        Tags->HiFont = font->Color();
                        Tags->HiBrush = BrushOrNone();
                        SetBrush(clHighlight);
                        font->SetColor(clHighlightText);
                    }
                } else if (Starts(upper, "<HR")) {
                    EndOfLine = true;
                    if (Drawing()) {
                        Canvas->Pen()->SetColor(clBlack);
                        Canvas->Pen()->SetWidth(1);
                        Canvas->MoveTo(Line.Box.Left, TextBottom() + 1);
                        Canvas->LineTo(Line.Box.Right, TextBottom() + 1);
                    }
                }
                break;
            case 'I':
                if (upper == "<I>") {
                    SetStyle(font, fsItalic, true);
                } else if (Starts(upper, "<IN")) {
                    const AnsiString x = TagValue(upper, "X");
                    if (IsWholeNumber(x)) Position = std::max(Position, StrToIntDef0(x));
                } else if (Starts(upper, "<IM")) {
                    keep = ApplyImage(upper);
                }
                break;
            case 'L': keep = ApplyListItem(); break;
            case 'P': ApplyParagraph(upper); break;
            case 'R': {
                const Integer angle = WrappedAngle(StrToIntDef0(TagValue(upper, "A")));
                SelectRotatedFont(Canvas, angle);
                Tags->Angles.push_back(angle);
                break;
            }
            case 'S':
                if (upper == "<S>") SetStyle(font, fsStrikeOut, true);
                else if (Starts(upper, "<SH")) Tags->Shadow = true;
                else if (upper == "<SUB>") Tags->Sub = true;
                else if (upper == "<SUP>") Tags->Sup = true;
                break;
            case 'U':
                if (upper == "<U>") {
                    SetStyle(font, fsUnderline, true);
                } else {
                    ++Tags->ListLevel;
                    EndOfLine = true;
                }
                break;
            case 'Z': Tags->Hidden = true; break;
            default: break;
        }
    }
    if (!keep) {
        LineFull = true;
        return false;
    }
    if (Pass == pMeasure) Line.Text += tag;
    Text.remove_prefix(end);
    return true;
}

void TRenderer::ApplyFont(const AnsiString& Upper) {
    TFont* font = Canvas->Font();
    if (Upper.find("FACE") != AnsiString::npos) font->SetName(TagValue(Upper, "FACE"));
    if (Upper.find(" COLOR") != AnsiString::npos && !Selected) font->SetColor(MarkupColor(TagValue(Upper, " COLOR")));
    if (Upper.find("BGCOLOR") != AnsiString::npos && Drawing() && !Selected) {
        Tags->FontBrush = BrushOrNone();
        SetBrush(MarkupColor(TagValue(Upper, "BGCOLOR")));
    }
    if (Upper.find("SIZE") != AnsiString::npos) font->SetSize(FontSizeValue(Upper));
}

void TRenderer::ApplyParagraph(const AnsiString& Upper) {
    if (Upper.find("ALIGN") != AnsiString::npos) {
        const AnsiString align = TagValue(Upper, "ALIGN");
        if (align.find("RIGHT") != AnsiString::npos) Tags->Align = 1;
        else if (align.find("LEFT") != AnsiString::npos) Tags->Align = 0;
        else if (align.find("CENTER") != AnsiString::npos) Tags->Align = 2;
    }
    if (Upper.find("INDENT") != AnsiString::npos) Tags->Indent = StrToIntDef0(TagValue(Upper, "INDENT"));
    if (Upper.find("BGCOLOR") != AnsiString::npos && Drawing()) {
        const AnsiString value = TagValue(Upper, "BGCOLOR");
        Tags->ParagraphBrush = BrushOrNone();
        SetBrush(value.empty() ? clNone : MarkupColor(value));
        FillBand(TRect(Rect.Left, Line.Box.Top, Rect.Right, Line.Box.Top + Line.Height));
        Tags->ParagraphBg = true;
    }
}

void TRenderer::ApplyBody(const AnsiString& Upper) {
    if (Upper.find("BGCOLOR") != AnsiString::npos) {
        const AnsiString value = TagValue(Upper, "BGCOLOR");
        bool apply = false;
        TColor color = 0;
        if (!value.empty() && value[0] == '#') {
            color = HTMLColorFromHex(value);
            apply = true;
        } else if (value.find("CL") != AnsiString::npos) {
            color = HTMLColorByName(LowerCase(value));
            apply = true;
        }
        if (apply) {
            SetBrush(color);
            FillBand(Rect);
            Tags->FontBrush = color;
        }
    }
    if (Upper.find("BACKGROUND") != AnsiString::npos) TileBackground(TagValue(Upper, "BACKGROUND"));
}

bool TRenderer::ApplyListItem() {
    if (Pass == pMeasure && ListItemOnLine) return false;
    ListItemOnLine = true;
    Position += 12 * (Tags->ListLevel - 1);
    if (Drawing()) {
        Scratch2->Assign(Canvas->Font());
        Canvas->Font()->SetName("Symbol");
        const char bullet = Tags->ListLevel % 2 != 0 ? '\xB7' : 'o';
        DrawRun(AnsiString(1, bullet), TRect(Line.Box.Left + Position, Line.Box.Top, Line.Box.Right, TextBottom()));
        Canvas->Font()->Assign(Scratch2.get());
    }
    Position += 12;
    return true;
}

}  // namespace GrdHTMLE
