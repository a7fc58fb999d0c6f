#pragma once
// The state of one RenderHTML call, shared by the line layout, the tags and the inline objects.

#include <memory>
#include <string_view>
#include <vector>

#include "GrdHTMLE.h"

namespace PictureContainer {
class THTMLPicture;
}

namespace GrdHTMLE {

// A picture an <IMG> or <BODY BACKGROUND> names, with its size on the canvas.
struct TInlinePicture {
    enum TKind { pkNone, pkImageList, pkShell, pkGraphic } Kind = pkNone;
    Integer Index = 0;  // image-list image
    bool Large = false;
    AnsiString Path;  // shell icon
    PictureContainer::THTMLPicture* Picture = nullptr;
    bool Stretched = false;
    Integer Width = 0, Height = 0;
};

// What tags change and a pass carries from one line to the next. Each pass keeps its own copy, so the
// drawing pass starts every line as the measuring pass did.
struct TTagState {
    Integer AnchorCount = 0;
    bool InAnchor = false;
    AnsiString AnchorValue;
    Integer ListLevel = 0;
    Integer ImageCount = 0;
    bool Sub = false, Sup = false, Shadow = false, Hidden = false, ErrorMark = false, ParagraphBg = false;
    Integer Align = 0;
    Integer Indent = 0;
    // Brush colours saved by <FONT BGCOLOR> (or set by <BODY BGCOLOR>), <HI> and <P BGCOLOR>; clNone for a
    // clear brush.
    TColor FontBrush = clNone;
    TColor HiFont = clNone, HiBrush = clNone;
    TColor ParagraphBrush = clNone;
    // The hover colours an open anchor applied and what they replaced.
    bool AnchorHovered = false, HoverBrushSet = false, HoverFontSet = false;
    TColor AnchorBrush = clNone, AnchorFont = clNone;
    // Angles of the <R> tags open, oldest first.
    std::vector<Integer> Angles;
};

// One line's layout values (the in/out parameters of the line routine).
struct TLineState {
    TRect Box;  // left moved by alignment and indent; bottom = top + height + both extras
    Integer Height = 0;
    Integer SubExtra = 0, SupExtra = 0;
    Integer Raise = 0;
    Integer Width = 0;  // measured, trailing blank taken off
    AnsiString Text;    // the mark-up the line consumed
};

class TRenderer {
public:
    // Inputs, as RenderHTML takes them.
    TCanvas* Canvas;
    TRect Rect;
    TImageList* Images = nullptr;
    Integer X = 0, Y = 0, FocusLink = -1, HoverLink = 0, ShadowOffset = 0;
    bool CheckHotSpot = false, CheckHeight = false, Print = false, Selected = false, Blink = false;
    bool HoverStyle = false, WordWrap = false, MouseDown = false;
    double ResFactor = 1.0;
    TColor LinkColor = clBlue, HoverColor = clNone, HoverFontColor = clNone, ShadowColor = clGray;
    PictureContainer::THTMLPictureCache* PictureCache = nullptr;
    PictureContainer::TPictureContainer* Pictures = nullptr;
    HWND Window = nullptr;

    // Outputs.
    AnsiString AnchorValue, PlainText, FocusAnchor, ControlID, ControlValue, ControlType;
    Integer Width = 0, Height = 0, AnchorCount = 0, MouseLink = -1;
    TRect MouseRect, ControlRect;

    explicit TRenderer(TCanvas* ACanvas);
    ~TRenderer();
    TRenderer(const TRenderer&) = delete;
    TRenderer& operator=(const TRenderer&) = delete;

    bool Run(const AnsiString& Text);

    // ----- used by the tags and inline objects -----
    enum TPass { pMeasure, pSecond };
    // The pass being walked: the measuring pass decides the line; the second draws it, or with
    // CheckHotSpot only hit-tests it.
    TPass Pass = pMeasure;
    bool Drawing() const { return Pass == pSecond && !CheckHotSpot; }
    TTagState* Tags = nullptr;  // the current pass's state
    TLineState Line;
    Integer Position = 0;  // from the line box's left
    Integer TrailingBlank = 0;
    bool EndOfLine = false, LineFull = false, Consumed = false, ListItemOnLine = false;
    bool AnchorHit = false, ObjectHit = false, HitRecorded = false;
    TPoint AnchorStart;  // absolute x and top where the open anchor's part on this line starts
    Integer HoverImage = -1;
    bool Themed = false;
    UINT TextFlags = 0;
    TColor EntryBrush = clNone;
    std::unique_ptr<TFont> BaseFont, MeasureFont, DrawFont, Scratch, Scratch2;

    Integer TextBottom() const { return Line.Box.Bottom - Line.SubExtra; }
    Integer GhHeight();
    TColor BrushOrNone() const;
    void SetBrush(TColor Color);
    // Fills R with the brush colour, the pen set to it.
    void FillBand(const TRect& R);
    // Draws or measures (DT_CALCRECT) a run in R with the text flags (plus Extra); the measured width.
    Integer DrawRun(const AnsiString& Text, TRect R, UINT Extra = 0);
    // The tag at the front of Text, applied and consumed into the line; False when the line is full and
    // the tag stays for the next line.
    bool ApplyTag(std::string_view& Text);
    // An inline object Width x Height: fitted (measuring pass) or placed; its left on the line is returned
    // in Left and its top in Top. False when the line ends before it.
    bool PlaceObject(Integer ObjectWidth, Integer ObjectHeight, Integer& Left, Integer& Top);
    bool ObjectUnderMouse(Integer Left, Integer Top, Integer ObjectWidth, Integer ObjectHeight) const;
    // Each False when the line is full before the object.
    bool ApplyImage(const AnsiString& Upper);
    bool ApplyControl(const AnsiString& Tag);
    bool ApplyListItem();
    void ApplyFont(const AnsiString& Upper);
    void ApplyParagraph(const AnsiString& Upper);
    void ApplyBody(const AnsiString& Upper);
    TInlinePicture ResolvePicture(const AnsiString& Source, const AnsiString& Upper);
    void DrawInlinePicture(const TInlinePicture& Picture, Integer Left, Integer Top);
    void DrawThemed(const char16_t* ClassName, int Part, int State, const TRect& R);
    // Cached (a URL) and named pictures; a picture that fails to load stays empty and is left out.
    void FindNamedPicture(const AnsiString& Source, TInlinePicture& Picture);
    void DrawNamedPicture(const TInlinePicture& Picture, Integer Left, Integer Top);
    void TileBackground(const AnsiString& Source);
    void SelectAngles();
    void RestoreAngles();

private:
    void LayoutLine(std::string_view& Text);
    void WalkRun(std::string_view& Text);
    void DrawErrorMark(Integer Left, Integer Right, Integer Bottom);
    TTagState measureTags_, drawTags_;
    TColor entryPenColor_ = clBlack;
    Integer entryPenWidth_ = 1;
    TBrushStyle entryBrushStyle_ = bsSolid;
};

}  // namespace GrdHTMLE
