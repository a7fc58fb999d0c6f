#pragma once
// The grid's mark-up engine: the small HTML-like language of cell texts and hints, the routines that
// strip or rewrite it, and the string, colour and version helpers the renderer is built from. Strings
// are Windows-1252 bytes; positions are 1-based.

#include "vcl/Graphics.h"
#include "vcl/SysUtils.h"

class TImageList;
namespace PictureContainer {
class THTMLPictureCache;
class TPictureContainer;
}  // namespace PictureContainer

namespace GrdHTMLE {

// ---------------------------------------------------------------------------
// Layout, drawing and hit-testing

// Lays Text out in Rect line by line, measuring each line and then drawing it (or, with CheckHotSpot,
// only hit-testing it at (X, Y)); with CheckHeight only measures. The canvas's font, brush and pen come
// back as they were. True when (X, Y) lies on an anchor's text, a picture inside an anchor or a form
// control (never with CheckHeight). Anchors count from 1 (HoverLink, MouseLink), FocusLink from 0.
bool RenderHTML(TCanvas* Canvas, const AnsiString& Text, const TRect& Rect, TImageList* Images, Integer X, Integer Y,
                Integer FocusLink, Integer HoverLink, Integer ShadowOffset, bool CheckHotSpot, bool CheckHeight,
                bool Print, bool Selected, bool Blink, bool HoverStyle, bool WordWrap, bool MouseDown, double ResFactor,
                TColor LinkColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor, AnsiString& AnchorValue,
                AnsiString& PlainText, AnsiString& FocusAnchor, Integer& Width, Integer& Height, Integer& AnchorCount,
                Integer& MouseLink, TRect& MouseRect, TRect& ControlRect, AnsiString& ControlID,
                AnsiString& ControlValue, AnsiString& ControlType, PictureContainer::THTMLPictureCache* PictureCache,
                PictureContainer::TPictureContainer* PictureContainer, HWND Window);

// ---------------------------------------------------------------------------
// Preparing a text for layout

// The entities "&amp;" (kept as "&&", an escaped "&" for the text drawing), "&quot;", "&sect;",
// "&permil;", "&reg;", "&copy;", "&para;", "&trade;" and "&euro;", in any case, replaced until none is
// left: the "&" that "&amp;" leaves behind may start another entity.
AnsiString ReplaceEntities(const AnsiString& S);
// Inside one text run: "&nbsp;", "&lt;" and "&gt;" in any case, each replaced from the front for as long
// as the run still holds it written in lower case.
AnsiString ReplaceRunEntities(const AnsiString& S);
// Everything done to a text before it is laid out, in order: entities, the "<#" marker, line breaks.
AnsiString PrepareMarkup(const AnsiString& S);

// ---------------------------------------------------------------------------
// Reading tags

// The text between the first two double quotes after the first Name in Tag; empty without them.
AnsiString TagValue(const AnsiString& Tag, const AnsiString& Name);
// "#RRGGBB" as a hexadecimal colour, anything else by name (lower-cased); Value comes upper-cased.
TColor MarkupColor(const AnsiString& Value);
// SIZE: the digits after the first double quote that follows its "=" (or right after the "=" when no
// quote follows); 1..5 are the points 8, 10, 12, 14, 16, other numbers points as they stand.
Integer FontSizeValue(const AnsiString& UpperTag);
// A number as it stands, with nothing after it (the x of <IN> and a control's WIDTH must be one).
bool IsWholeNumber(const AnsiString& S);

// ---------------------------------------------------------------------------
// Stripping and rewriting

// Mark-up to plain text: "<BR>" and "<HR>" become CR LF, other tags go; an unclosed tag stays as text.
// Entities are left as they are.
void StripHTML(const AnsiString& HTML, AnsiString& Text);
// Rewrites the first <CONTROL ...> tag whose ID is ID (exact) with Value; False when there is none.
// Value is stored encoded ("&", double quote, "<", ">"), so that no typed value can end the tag or add
// attributes; ParseControlTag gives it back as it was.
bool SetControlValue(AnsiString& HTML, const AnsiString& ID, const AnsiString& Value);
// TYPE (upper-cased), ID, VALUE (decoded) and WIDTH of a CONTROL tag; empty where absent. Attribute
// names are found outside quoted values.
void ParseControlTag(const AnsiString& TagText, AnsiString& TypeName, AnsiString& ID, AnsiString& Value,
                     AnsiString& Width);

// ---------------------------------------------------------------------------
// Colours

// The 40 names of the colour table, exact and case-sensitive ("clred"); 0 for any other.
TColor HTMLColorByName(const AnsiString& Name);
// "#RRGGBB", red first; each channel masked to 0..255.
TColor HTMLColorFromHex(const AnsiString& S);
// 16 * d(S[1]) + d(S[2]) with d(c) = c - '0' below 'A', else c - 55; 0 when S is shorter than 2.
Integer HexPairToInt(const AnsiString& S);

// ---------------------------------------------------------------------------
// Strings

// Sub in S, both upper-cased; 0 when absent.
Integer PosNoCase(const AnsiString& Sub, const AnsiString& S);
// Sub in S, also stored in P.
Integer PosOut(const AnsiString& Sub, const AnsiString& S, Integer& P);
// Sub (given upper-case) in upper-cased S, also stored in P.
Integer PosNoCaseOut(const AnsiString& Sub, const AnsiString& S, Integer& P);
// Replaces the first Pattern found by PosNoCase; True when it replaced.
bool ReplaceFirstNoCase(const AnsiString& Pattern, const AnsiString& Replacement, AnsiString& S);
// Every "&lt;" becomes "<", then every "&gt;" becomes ">".
void DecodeLtGt(const AnsiString& S, AnsiString& R);
// Every "<" becomes "&lt;", then every ">" becomes "&gt;".
void EncodeLtGt(const AnsiString& S, AnsiString& R);
// The value of S, or of its leading digits when S is not wholly a number (0 without any); clamped to
// -32768..32767 as every number of the mark-up.
Integer StrToIntDef0(const AnsiString& S);
// S without the "<" of its first "<#" and the first ">" after it.
void RemoveHashMarker(const AnsiString& S, AnsiString& R);
// S without line feeds; carriage returns dropped too, or made "<BR>" with ConvertCR.
void LineBreaksToBR(const AnsiString& S, bool ConvertCR, AnsiString& R);

// ---------------------------------------------------------------------------
// Drawing helpers

// The whole bitmap stretched into Rect (the printing path of pictures).
void DrawBitmapScaled(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap);
// The path names an existing folder.
bool IsDirectoryPath(const AnsiString& Path);
// The shell icon of Path (a decimal number: that index of the system list) at (X, Y), small or Large;
// Size gets the icon size. With Print it is drawn scaled by ResFactor through a bitmap copy; without
// Draw only Size is set.
void DrawShellIcon(TCanvas* Canvas, Integer X, Integer Y, TPoint& Size, double ResFactor, bool Print, bool Draw,
                   bool Large, const AnsiString& Path);
// Selects a copy of the canvas font turned counter-clockwise by Angle degrees, keeping the font it
// replaces; RestoreRotatedFont puts back the newest one kept for that canvas and deletes its copy.
void SelectRotatedFont(TCanvas* Canvas, Integer Angle);
void RestoreRotatedFont(TCanvas* Canvas);

// ---------------------------------------------------------------------------
// Unit start-up

// Sets the XP flag from the version answer: NT 6 or later, or 5 with a minor version above 0.
void IsWindowsXPOrLater();
bool XPFlag();
// The first start-up reads the version; later starts and the exits only count.
void InitGrdHTMLE();
void DoneGrdHTMLE();

}  // namespace GrdHTMLE
