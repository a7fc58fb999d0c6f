// RenderHTML: each line is measured, positioned by its alignment, then drawn or hit-tested. The second
// pass walks exactly the mark-up the measuring pass took for the line, with its own copy of the tag
// state, so both lay the line out alike.
#include <algorithm>

#include "DedIDIZ.h"
#include "GrdHTMLE_Render.h"

namespace GrdHTMLE {

TRenderer::TRenderer(TCanvas* ACanvas) : Canvas(ACanvas) {}

TRenderer::~TRenderer() = default;

Integer TRenderer::GhHeight() { return Canvas->TextHeight("gh"); }

TColor TRenderer::BrushOrNone() const {
    return Canvas->Brush()->Style() == bsClear ? clNone : Canvas->Brush()->Color();
}

void TRenderer::SetBrush(TColor Color) {
    if (Color == clNone) {
        Canvas->Brush()->SetStyle(bsClear);
    } else {
        Canvas->Brush()->SetColor(Color);
    }
}

void TRenderer::FillBand(const TRect& R) {
    if (Canvas->Brush()->Style() == bsClear) return;
    Canvas->Pen()->SetColor(Canvas->Brush()->Color());
    Canvas->Rectangle(R);
}

Integer TRenderer::DrawRun(const AnsiString& Text, TRect R, UINT Extra) {
    RECT r = R;
    DrawTextEx(Canvas->Handle(), Text.data(), static_cast<int>(Text.size()), &r, TextFlags | Extra, nullptr);
    return r.Right - r.Left;
}

void TRenderer::SelectAngles() {
    for (Integer angle : Tags->Angles) SelectRotatedFont(Canvas, angle);
}

void TRenderer::RestoreAngles() {
    for (std::size_t i = 0; i < Tags->Angles.size(); ++i) RestoreRotatedFont(Canvas);
}

// A red zig-zag under a run, its phase fixed by the x where it starts, so that runs side by side join.
void TRenderer::DrawErrorMark(Integer Left, Integer Right, Integer Bottom) {
    const TColor penColor = Canvas->Pen()->Color();
    const Integer penWidth = Canvas->Pen()->Width();
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(1);
    const Integer x0 = Left >= 0 ? Left / 2 * 2 : (Left - 1) / 2 * 2;
    Integer phase = x0 % 4 == 0 ? 2 : 0;
    Canvas->MoveTo(x0, Bottom + phase - 1);
    for (Integer x = x0; x < Right; x += 2) {
        phase = phase == 0 ? 2 : 0;
        Canvas->LineTo(x + 2, Bottom + phase - 1);
    }
    Canvas->Pen()->SetColor(penColor);
    Canvas->Pen()->SetWidth(penWidth);
}

void TRenderer::WalkRun(std::string_view& Text) {
    std::size_t end = std::min(Text.find('<'), Text.size());
    if (WordWrap) {
        const std::size_t blank = Text.find(' ');
        if (blank < end) end = blank + 1;
    }
    const AnsiString raw(Text.substr(0, end));
    const AnsiString run = ReplaceRunEntities(raw);
    const bool endsWithBlank = run.back() == ' ';
    const auto consume = [&] {
        Text.remove_prefix(end);
        if (Pass == pMeasure) {
            Line.Text += raw;
            PlainText += run;
        }
        Consumed = true;
    };

    if (Pass == pMeasure) {
        RECT r = TRect(Line.Box.Left, Line.Box.Top, Line.Box.Right, TextBottom());
        DrawTextEx(Canvas->Handle(), run.data(), static_cast<int>(run.size()), &r, TextFlags | DT_CALCRECT, nullptr);
        const Integer width = r.Right - r.Left, height = r.Bottom - r.Top;
        if (Tags->Sub) Line.SubExtra = std::max(Line.SubExtra, height / 4);
        if (Tags->Sup) Line.SupExtra = std::max(Line.SupExtra, height / 4);
        Line.Height = std::max(Line.Height, height);
        if (Tags->Hidden) {
            consume();
            return;
        }
        Position += width;
        const Integer boxWidth = Line.Box.Right - Line.Box.Left;
        const bool fits = Position < boxWidth || width >= boxWidth || !endsWithBlank || !Consumed;
        if (!fits && WordWrap) {
            Position -= width;
            EndOfLine = true;
            return;
        }
        consume();
        TrailingBlank = endsWithBlank ? Canvas->TextWidth(" ") : 0;
        return;
    }

    consume();
    if (Tags->Hidden) return;
    const Integer left = Line.Box.Left + Position;
    const Integer bottom =
        TextBottom() - (Tags->Sup ? Line.SupExtra : 0) + (Tags->Sub ? Line.SubExtra : 0) - Line.Raise;
    const TRect box(left, Line.Box.Top, Line.Box.Right, bottom);
    const Integer width = DrawRun(run, box, DT_CALCRECT);
    if (Drawing()) {
        if (Tags->Shadow) {
            const TColor color = Canvas->Font()->Color();
            Canvas->Font()->SetColor(ShadowColor);
            DrawRun(run, TRect(box.Left + ShadowOffset, box.Top + ShadowOffset, box.Right + ShadowOffset,
                               box.Bottom + ShadowOffset));
            Canvas->Font()->SetColor(color);
        }
        DrawRun(run, box);
        if (Tags->InAnchor && Tags->AnchorCount - 1 == FocusLink) FocusAnchor = Tags->AnchorValue;
        if (Tags->ErrorMark) DrawErrorMark(left, left + width, bottom);
    } else if (Tags->InAnchor && Position <= X - Line.Box.Left && X - Line.Box.Left <= Position + width) {
        AnchorHit = true;
        // Only the anchor on the line under the mouse is the one hit.
        if (Y > Line.Box.Top && Y < Line.Box.Bottom) {
            AnchorValue = Tags->AnchorValue;
            HitRecorded = true;
        }
    }
    Position += width;
}

void TRenderer::LayoutLine(std::string_view& Text) {
    Position = 0;
    TrailingBlank = 0;
    EndOfLine = LineFull = Consumed = ListItemOnLine = false;
    AnchorHit = ObjectHit = false;
    if (Pass == pMeasure) Line.Text.clear();
    SelectAngles();
    if (Pass == pSecond && Tags->InAnchor) AnchorStart = TPoint(Line.Box.Left, Line.Box.Top);
    if (Drawing() && Tags->ParagraphBg)
        FillBand(TRect(Rect.Left, Line.Box.Top, Rect.Right, Line.Box.Top + Line.Height));
    while (!Text.empty() && !EndOfLine && !LineFull) {
        if (Text[0] == '<') {
            if (!ApplyTag(Text)) break;
        } else {
            WalkRun(Text);
        }
    }
    if (Pass == pMeasure) {
        Position -= TrailingBlank;
        Line.Width = Position;
        Width = std::max(Width, Position);
    }
    if (Drawing() && Tags->InAnchor && Tags->AnchorCount - 1 == FocusLink) {
        const Integer bottom = Line.Box.Bottom - Line.Raise;
        Canvas->DrawFocusRect(TRect(AnchorStart.X - 1, bottom - GhHeight(), Line.Box.Left + Position + 1, bottom));
    }
    RestoreAngles();
}

bool TRenderer::Run(const AnsiString& Text) {
    EntryBrush = Canvas->Brush()->Color();
    entryBrushStyle_ = Canvas->Brush()->Style();
    entryPenColor_ = Canvas->Pen()->Color();
    entryPenWidth_ = Canvas->Pen()->Width();
    for (auto* font : {&BaseFont, &MeasureFont, &DrawFont, &Scratch, &Scratch2}) {
        *font = std::make_unique<TFont>();
        (*font)->Assign(Canvas->Font());
    }
    Canvas->Brush()->SetColor(clNone);
    Canvas->Brush()->SetStyle(bsClear);
    const PEBXPVS::TThemeEntries& themes = DedIDIZ::ThemeEntries();
    Themed = XPFlag() && DedIDIZ::ThemeLibraryLoaded() && themes.IsThemeActive && themes.IsThemeActive();
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    TextFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | (WordWrap ? 0 : DT_END_ELLIPSIS);

    bool result = false;
    try {
        // The lines take their mark-up from the front of a view, never moving the rest of the text.
        const AnsiString prepared = PrepareMarkup(Text);
        std::string_view text = prepared;
        TRect box = Rect;
        box.Left += 1;
        Integer top = box.Top;
        while (!text.empty()) {
            Pass = pMeasure;
            Tags = &measureTags_;
            Canvas->Font()->Assign(MeasureFont.get());
            Line = TLineState{};
            Line.Box = TRect(box.Left, top, box.Right, box.Bottom);
            const Integer startHeight = GhHeight();
            Line.Height = startHeight;
            const std::size_t before = text.size();
            LayoutLine(text);
            // Every line takes something, so that the layout always ends.
            if (text.size() == before) {
                LineFull = EndOfLine = false;
                if (text[0] != '<') WalkRun(text);
                else if (!ApplyTag(text)) text.remove_prefix(1);
            }
            MeasureFont->Assign(Canvas->Font());

            const Integer lineHeight = Line.Height + Line.SubExtra + Line.SupExtra;
            TRect lineBox(box.Left, top, box.Right, top + lineHeight);
            const Integer boxWidth = box.Right - box.Left;
            if (measureTags_.Align == 1 && box.Right - Line.Width > box.Left) lineBox.Left = box.Right - Line.Width;
            if (measureTags_.Align == 2 && (boxWidth - Line.Width) / 2 > 0) lineBox.Left += (boxWidth - Line.Width) / 2;
            lineBox.Left += measureTags_.Indent;
            Line.Box = lineBox;

            if (!CheckHeight) {
                Pass = pSecond;
                Tags = &drawTags_;
                Canvas->Font()->Assign(DrawFont.get());
                std::string_view lineText = Line.Text;
                LayoutLine(lineText);
                DrawFont->Assign(Canvas->Font());
                const Integer textBand = lineBox.Bottom - Line.Raise;
                if ((AnchorHit && textBand - GhHeight() < Y && Y < textBand) || ObjectHit) result = true;
            }
            top += lineHeight;
            Height += lineHeight;
            if (!CheckHeight && startHeight + top > box.Bottom) break;
        }
        if (Height == 0) Height = GhHeight();
    } catch (...) {
        Canvas->Font()->Assign(BaseFont.get());
        Canvas->Brush()->SetColor(EntryBrush);
        Canvas->Brush()->SetStyle(entryBrushStyle_);
        throw;
    }
    AnchorCount = measureTags_.AnchorCount;
    Canvas->Font()->Assign(BaseFont.get());
    Canvas->Brush()->SetColor(EntryBrush);
    Canvas->Brush()->SetStyle(entryBrushStyle_);
    Canvas->Pen()->SetColor(entryPenColor_);
    Canvas->Pen()->SetWidth(entryPenWidth_);
    return result && !CheckHeight;
}

bool RenderHTML(TCanvas* Canvas, const AnsiString& Text, const TRect& Rect, TImageList* Images, Integer X, Integer Y,
                Integer FocusLink, Integer HoverLink, Integer ShadowOffset, bool CheckHotSpot, bool CheckHeight,
                bool Print, bool Selected, bool Blink, bool HoverStyle, bool WordWrap, bool MouseDown, double ResFactor,
                TColor LinkColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor, AnsiString& AnchorValue,
                AnsiString& PlainText, AnsiString& FocusAnchor, Integer& Width, Integer& Height, Integer& AnchorCount,
                Integer& MouseLink, TRect& MouseRect, TRect& ControlRect, AnsiString& ControlID,
                AnsiString& ControlValue, AnsiString& ControlType, PictureContainer::THTMLPictureCache* PictureCache,
                PictureContainer::TPictureContainer* PictureContainer, HWND Window) {
    TRenderer renderer(Canvas);
    renderer.Rect = Rect;
    renderer.Images = Images;
    renderer.X = X;
    renderer.Y = Y;
    renderer.FocusLink = FocusLink;
    renderer.HoverLink = HoverLink;
    renderer.ShadowOffset = ShadowOffset;
    renderer.CheckHotSpot = CheckHotSpot;
    renderer.CheckHeight = CheckHeight;
    renderer.Print = Print;
    renderer.Selected = Selected;
    renderer.Blink = Blink;
    renderer.HoverStyle = HoverStyle;
    renderer.WordWrap = WordWrap;
    renderer.MouseDown = MouseDown;
    renderer.ResFactor = ResFactor;
    renderer.LinkColor = LinkColor;
    renderer.HoverColor = HoverColor;
    renderer.HoverFontColor = HoverFontColor;
    renderer.ShadowColor = ShadowColor;
    renderer.PictureCache = PictureCache;
    renderer.Pictures = PictureContainer;
    renderer.Window = Window;
    renderer.AnchorValue = AnchorValue;
    ControlRect = TRect(0, 0, 0, 0);
    ControlID.clear();
    ControlValue.clear();
    ControlType.clear();
    PlainText.clear();
    FocusAnchor.clear();
    Width = Height = AnchorCount = 0;
    MouseLink = -1;
    if (!Canvas) return false;
    renderer.MouseRect = MouseRect;
    const bool result = renderer.Run(Text);
    AnchorValue = renderer.AnchorValue;
    PlainText = renderer.PlainText;
    FocusAnchor = renderer.FocusAnchor;
    Width = renderer.Width;
    Height = renderer.Height;
    AnchorCount = renderer.AnchorCount;
    MouseLink = renderer.MouseLink;
    MouseRect = renderer.MouseRect;
    ControlRect = renderer.ControlRect;
    ControlID = renderer.ControlID;
    ControlValue = renderer.ControlValue;
    ControlType = renderer.ControlType;
    return result;
}

}  // namespace GrdHTMLE
