#pragma once
// Colours, fonts, pens, brushes, the canvas, and the graphics (bitmap, icon, picture).

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Classes.h"
#include "Types.h"
#include "WinGdi.h"

class TSurface;       // the pixels a canvas draws on (internal to the stand-in)
struct TCanvasState;  // the device-context state behind a canvas's Handle (internal)
class TBitmap;
class TCanvas;

// ---------------------------------------------------------------------------
// Colours: 0x00BBGGRR, or a system colour 0x80000000 + COLOR_ index.

using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }

constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);
constexpr TColor clHotLight = SysColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SysColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SysColor(COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours resolve through the one system colour table (GetSysColor).
COLORREF ColorToRGB(TColor Color);
bool ColorToIdent(Integer Color, AnsiString& Ident);
bool IdentToColor(const AnsiString& Ident, Integer& Color);
// For published colour properties (TPublishOf::IntIdent).
bool IdentToColor(const std::string& Ident, Int64& Color);
// Character-set names of form descriptions (Font.Charset = DEFAULT_CHARSET).
bool CharsetToIdent(Integer Charset, AnsiString& Ident);
bool IdentToCharset(const std::string& Ident, Int64& Charset);
// "clBtnFace", "$00FF0000", "255", "-2147483633"; EConvertError for anything else.
TColor StringToColor(const AnsiString& S);
// The identifier when there is one, else "$" and eight hex digits.
AnsiString ColorToString(TColor Color);

// ---------------------------------------------------------------------------
// Graphics objects

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TGraphicsObject : public TPersistent {
    VCL_CLASS(TGraphicsObject, TPersistent)
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
using TFontName = AnsiString;

// Everything that decides a font's look and metrics.
struct TFontDesc {
    AnsiString Name = "MS Sans Serif";
    Integer Height = -11;  // negative: character height in pixels; positive: cell height
    TFontStyles Style;
    TFontCharset Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = fpDefault;
    // Tenths of a degree counter-clockwise: text turns about its starting point (fonts made by
    // CreateFontIndirect; a TFont's own are upright).
    Integer Escapement = 0;
    Integer Orientation = 0;
    friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

class TFont : public TGraphicsObject {
    VCL_CLASS(TFont, TGraphicsObject)
    TFont();
    ~TFont() override;
    void Assign(TPersistent* Source) override;

    const AnsiString& Name() const { return desc_.Name; }
    void SetName(const AnsiString& Value);
    Integer Height() const { return desc_.Height; }
    void SetHeight(Integer Value);
    Integer Size() const;  // points at PixelsPerInch
    void SetSize(Integer Value);
    TFontStyles Style() const { return desc_.Style; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return desc_.Charset; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return desc_.Pitch; }
    void SetPitch(TFontPitch Value);
    Integer PixelsPerInch() const { return 96; }
    // A handle whose record follows this font's current state; owned by the font.
    HFONT Handle();
    // Takes name, height, style, charset and pitch from the handle's LOGFONT.
    void SetHandle(HFONT Value);

    const TFontDesc& Desc() const { return desc_; }

private:
    void SetDesc(const TFontDesc& Value);
    TFontDesc desc_;
    TColor color_ = clWindowText;
    HFONT handle_ = nullptr;
};

// The font family installed here that stands in for a Windows font name.
AnsiString MapFontName(const AnsiString& WindowsName);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
    VCL_CLASS(TPen, TGraphicsObject)
    TPen();
    ~TPen() override;
    void Assign(TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    Integer Width() const { return width_; }
    void SetWidth(Integer Value);  // below 1 counts as 1
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode Value);
    HPEN Handle();

private:
    TColor color_ = clBlack;
    Integer width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    HPEN handle_ = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

const TEnumNames<TPenStyle>& PenStyleNames();
const TEnumNames<TBrushStyle>& BrushStyleNames();

class TBrush : public TGraphicsObject {
    VCL_CLASS(TBrush, TGraphicsObject)
    TBrush();
    ~TBrush() override;
    void Assign(TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor Value);  // a clear brush becomes solid, as in the class library
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle Value);
    // A pattern bitmap, not owned; nullptr for none.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* Value);
    HBRUSH Handle();

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
    HBRUSH handle_ = nullptr;
};

// ---------------------------------------------------------------------------
// Font metrics: a provider answers every measurement, so layout tests can be exact on every machine.

struct TFontMetricsInfo {
    Integer Height = 0;  // ascent + descent
    Integer Ascent = 0;
    Integer Descent = 0;
    Integer InternalLeading = 0;
    Integer ExternalLeading = 0;
    Integer AveCharWidth = 0;
    Integer MaxCharWidth = 0;
};

class TFontMetricsProvider {
public:
    virtual ~TFontMetricsProvider() = default;
    virtual TFontMetricsInfo Metrics(const TFontDesc& Font) = 0;
    virtual Integer TextWidth(const TFontDesc& Font, const AnsiString& Text) = 0;
    // UTF-16 text; a provider that knows only the code page measures it converted ('?' where it has none).
    virtual Integer WideTextWidth(const TFontDesc& Font, const WideString& Text);
};

// Every character CharWidth pixels wide; every font Height high with the given Ascent.
class TFixedFontMetrics : public TFontMetricsProvider {
public:
    TFixedFontMetrics(Integer CharWidth, Integer Height, Integer Ascent)
        : charWidth_(CharWidth), height_(Height), ascent_(Ascent) {}
    TFontMetricsInfo Metrics(const TFontDesc& Font) override;
    Integer TextWidth(const TFontDesc& Font, const AnsiString& Text) override;
    // A surrogate pair is one character.
    Integer WideTextWidth(const TFontDesc& Font, const WideString& Text) override;

private:
    Integer charWidth_, height_, ascent_;
};

// nullptr restores the default provider (the real fonts through Qt). The provider is not owned.
void SetFontMetricsProvider(TFontMetricsProvider* Provider);
TFontMetricsProvider& FontMetricsProvider();

// ---------------------------------------------------------------------------
// Canvas

using TCopyMode = std::int32_t;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TGraphic;

class TCanvas : public TPersistent {
    VCL_CLASS(TCanvas, TPersistent)
    TCanvas();
    ~TCanvas() override;

    // The device context with the canvas's font, pen and brush selected; a canvas without a surface asks
    // CreateHandle for one, and raises EInvalidOperation "Canvas does not allow drawing" when there is still none.
    HDC Handle();
    bool HandleAllocated() const { return surface_ != nullptr; }

    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* Value) { pen_->Assign(Value); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* Value) { brush_->Assign(Value); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
    TPoint PenPos();
    void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
    TRect ClipRect();  // the visible part in logical coordinates

    void MoveTo(Integer X, Integer Y);
    void LineTo(Integer X, Integer Y);
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    void Polygon(const std::vector<TPoint>& Points);
    void Polyline(const std::vector<TPoint>& Points);
    void FillRect(const TRect& Rect);
    void FrameRect(const TRect& Rect);
    void DrawFocusRect(const TRect& Rect);
    void TextOut(Integer X, Integer Y, const AnsiString& Text);
    void TextRect(const TRect& Rect, Integer X, Integer Y, const AnsiString& Text);
    TSize TextExtent(const AnsiString& Text);
    Integer TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
    Integer TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }
    void Draw(Integer X, Integer Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    TColor Pixels(Integer X, Integer Y);  // -1 (CLR_INVALID) outside the surface or the clip
    void SetPixels(Integer X, Integer Y, TColor Value);

    void Lock();
    void Unlock();
    bool TryLock();
    Integer LockCount() const { return lockCount_; }
    // Forgets what is selected into the device context; the next drawing selects the canvas's objects again.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Test seam: every drawing call is also appended here as one text line ("FillRect 0,0,10,10 brush=$00FF0000").
    void SetRecorder(std::vector<AnsiString>* Lines) { recorder_ = Lines; }
    std::vector<AnsiString>* Recorder() const { return recorder_; }

    // Internal to the stand-in: the surface drawn on (nullptr when none).
    TSurface* Surface() const { return surface_; }

protected:
    virtual void Changing();
    virtual void Changed();
    // Called when drawing needs a surface and there is none: descendants attach one with SetSurface.
    virtual void CreateHandle() {}
    // Gives the canvas a new device context on a surface (not owned), or releases it with nullptr. A new
    // device context starts from the defaults, as one from GetDC or BeginPaint does; while the surface's
    // window paints, it is clipped to the area being painted.
    void SetSurface(TSurface* Value);
    // Puts the device context's coordinate origin at Origin on the surface and limits its system clip to
    // Area (device coordinates): a client DC's area is the client rectangle.
    void SetDeviceArea(TPoint Origin, const TRect& Area);

private:
    friend class TBitmap;
    friend struct TCanvasAccess;
    TCanvasState& State() { return *state_; }  // the device-context state
    HDC DeviceContext();                       // the handle alone, objects not selected
    void SelectSurface(TSurface* Value);       // the same device context on other pixels
    void RequiredFont();
    void RequiredPen();
    void RequiredBrush();
    void FontChanged(TObject*);
    void PenChanged(TObject*);
    void BrushChanged(TObject*);

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TCanvasState> state_;
    TSurface* surface_ = nullptr;
    HDC handle_ = nullptr;
    TCopyMode copyMode_ = cmSrcCopy;
    std::recursive_mutex lock_;
    Integer lockCount_ = 0;
    std::vector<AnsiString>* recorder_ = nullptr;
};

// ---------------------------------------------------------------------------
// Graphics

class TGraphic : public TPersistent {
    VCL_CLASS(TGraphic, TPersistent)
    virtual bool Empty() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetWidth(Integer Value) = 0;
    virtual void SetHeight(Integer Value) = 0;
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return modified_; }
    void SetModified(bool Value);

    virtual void LoadFromFile(const AnsiString& FileName) = 0;  // EFOpenError / EInvalidGraphic
    virtual void SaveToFile(const AnsiString& FileName) = 0;    // EFCreateError
    // The stream holds the file's bytes from its position on.
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    // Exchange through the clipboard; a graphic without a clipboard format raises EInvalidGraphic.
    virtual void LoadFromClipboardFormat(Word AFormat, THandle AData, HPALETTE APalette);
    virtual void SaveToClipboardFormat(Word& AFormat, THandle& AData, HPALETTE& APalette);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    virtual void Changed(TObject* Sender);
    // The published Data property (Data = { hex } in a description) hands its bytes to ReadData and takes
    // them from WriteData; by default the graphic's stream form.
    virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
    virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }

private:
    static void Publish(TPublisher& P);
    bool transparent_ = false;
    bool modified_ = false;
};

enum TTransparentMode { tmAuto, tmFixed };
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

class TBitmap : public TGraphic {
    VCL_CLASS(TBitmap, TGraphic)
    TBitmap();
    ~TBitmap() override;
    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;
    // Keeps the old pixels at the top left; new area is white.
    void SetSize(Integer AWidth, Integer AHeight);

    TCanvas* Canvas();
    HBITMAP Handle();
    // Takes the pixels of another bitmap handle (copies them); nullptr empties the bitmap.
    void SetHandle(HBITMAP Value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode Value);
    // tmAuto: the bottom-left pixel; tmFixed: the colour set.
    TColor TransparentColor();
    void SetTransparentColor(TColor Value);
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat Value);
    bool Monochrome() const { return pixelFormat_ == pf1bit; }

    // Looks the name up as a "BMP" resource, then "PNG"; EResNotFound when neither exists.
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
    void LoadFromFile(const AnsiString& FileName) override;
    void SaveToFile(const AnsiString& FileName) override;  // BMP
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;  // BMP
    // Decodes an image held in memory (BMP, PNG, ...); EInvalidGraphic when it is not one.
    void LoadFromBytes(const void* Data, std::size_t Size);
    void Dormant() {}
    void FreeImage() {}

    // Internal to the stand-in: the pixels.
    TSurface& Surface() { return *surface_; }

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    void PixelsReplaced();
    std::unique_ptr<TSurface> surface_;
    std::unique_ptr<TCanvas> canvas_;
    HBITMAP handle_ = nullptr;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
    TPixelFormat pixelFormat_ = pfDevice;
};

class TIcon : public TGraphic {
    VCL_CLASS(TIcon, TGraphic)
    TIcon();
    ~TIcon() override;
    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;
    HICON Handle();
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);  // "ICO", then "PNG"
    void LoadFromFile(const AnsiString& FileName) override;
    void SaveToFile(const AnsiString& FileName) override;
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;

    // Internal to the stand-in: the image, as a bitmap.
    TBitmap& Image() { return *image_; }

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    std::unique_ptr<TBitmap> image_;
    HICON handle_ = nullptr;
};

// The device-independent form of a bitmap handle as GetDIB gives it: a BITMAPINFOHEADER (no colour table)
// and 32-bit bottom-up rows. Both sizes 0 for an unknown handle.
void GetDIBSizes(HBITMAP Bitmap, DWORD& InfoHeaderSize, DWORD& ImageSize);
// Fills BitmapInfo and Bits, buffers of the sizes GetDIBSizes gives; the palette is not used (bitmaps
// here have none). False for an unknown handle.
bool GetDIB(HBITMAP Bitmap, HPALETTE Palette, void* BitmapInfo, void* Bits);

class TPicture : public TPersistent {
    VCL_CLASS(TPicture, TPersistent)
    TPicture();
    ~TPicture() override;
    void Assign(TPersistent* Source) override;

    TGraphic* Graphic() const { return graphic_.get(); }
    // Copies Value (a new graphic of the same class); nullptr empties the picture.
    void SetGraphic(TGraphic* Value);
    // The bitmap, replacing another kind of graphic by an empty bitmap.
    TBitmap* Bitmap();
    TIcon* Icon();
    Integer Width() const { return graphic_ ? graphic_->Width() : 0; }
    Integer Height() const { return graphic_ ? graphic_->Height() : 0; }
    // ".ico" loads an icon, anything else a bitmap.
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName);  // EInvalidGraphicOperation when empty

    TNotifyEvent OnChange;

protected:
    virtual void Changed(TObject* Sender);

private:
    void Replace(std::unique_ptr<TGraphic> Value);
    std::unique_ptr<TGraphic> graphic_;
};
