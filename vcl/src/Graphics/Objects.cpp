// Fonts, pens and brushes: state, change notification, handles and published properties.
#include <cstdlib>

#include "Graphics/GdiHandles.h"
#include "vcl/Graphics.h"

namespace {

// Rounds half away from zero, as MulDiv does.
Integer MulDiv(Integer number, Integer numerator, Integer denominator) {
    Int64 product = static_cast<Int64>(number) * numerator;
    Int64 half = denominator / 2;
    return static_cast<Integer>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

template <typename T>
void SetAndNotify(T& field, const T& value, TGraphicsObject& object, void (TGraphicsObject::*changed)()) {
    if (field == value) return;
    field = value;
    (object.*changed)();
}

void ReleaseHandle(void* handle) {
    if (handle) UnregisterGdiObject(handle);
}

void PublishTFont(TPublisher& p) {
    TPublishOf<TFont> P(p);
    P.IntIdent("Charset", &TFont::Charset, &TFont::SetCharset, &IdentToCharset);
    P.IntIdent("Color", &TFont::Color, &TFont::SetColor, &IdentToColor);
    P.Int("Height", &TFont::Height, &TFont::SetHeight);
    P.Str("Name", &TFont::Name, &TFont::SetName);
    P.Enum<TFontPitch>("Pitch", &TFont::Pitch, &TFont::SetPitch,
                       {{"fpDefault", fpDefault}, {"fpVariable", fpVariable}, {"fpFixed", fpFixed}});
    P.Int("Size", &TFont::Size, &TFont::SetSize);
    P.Set<TFontStyle>(
        "Style", &TFont::Style, &TFont::SetStyle,
        {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}});
}

void PublishTPen(TPublisher& p) {
    TPublishOf<TPen> P(p);
    P.IntIdent("Color", &TPen::Color, &TPen::SetColor, &IdentToColor);
    P.Enum<TPenMode>("Mode", &TPen::Mode, &TPen::SetMode,
                     {{"pmBlack", pmBlack},
                      {"pmWhite", pmWhite},
                      {"pmNop", pmNop},
                      {"pmNot", pmNot},
                      {"pmCopy", pmCopy},
                      {"pmNotCopy", pmNotCopy},
                      {"pmMergePenNot", pmMergePenNot},
                      {"pmMaskPenNot", pmMaskPenNot},
                      {"pmMergeNotPen", pmMergeNotPen},
                      {"pmMaskNotPen", pmMaskNotPen},
                      {"pmMerge", pmMerge},
                      {"pmNotMerge", pmNotMerge},
                      {"pmMask", pmMask},
                      {"pmNotMask", pmNotMask},
                      {"pmXor", pmXor},
                      {"pmNotXor", pmNotXor}});
    P.Enum<TPenStyle>("Style", &TPen::Style, &TPen::SetStyle, PenStyleNames());
    P.Int("Width", &TPen::Width, &TPen::SetWidth);
}

void PublishTBrush(TPublisher& p) {
    TPublishOf<TBrush> P(p);
    P.IntIdent("Color", &TBrush::Color, &TBrush::SetColor, &IdentToColor);
    P.Enum<TBrushStyle>("Style", &TBrush::Style, &TBrush::SetStyle, BrushStyleNames());
}

}  // namespace

const TEnumNames<TPenStyle>& PenStyleNames() {
    static const TEnumNames<TPenStyle> names{{"psSolid", psSolid},
                                             {"psDash", psDash},
                                             {"psDot", psDot},
                                             {"psDashDot", psDashDot},
                                             {"psDashDotDot", psDashDotDot},
                                             {"psClear", psClear},
                                             {"psInsideFrame", psInsideFrame}};
    return names;
}

const TEnumNames<TBrushStyle>& BrushStyleNames() {
    static const TEnumNames<TBrushStyle> names{{"bsSolid", bsSolid},           {"bsClear", bsClear},
                                               {"bsHorizontal", bsHorizontal}, {"bsVertical", bsVertical},
                                               {"bsFDiagonal", bsFDiagonal},   {"bsBDiagonal", bsBDiagonal},
                                               {"bsCross", bsCross},           {"bsDiagCross", bsDiagCross}};
    return names;
}

VCL_IMPLEMENT_CLASS(TGraphicsObject, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TFont, nullptr, PublishTFont)
VCL_IMPLEMENT_CLASS(TPen, nullptr, PublishTPen)
VCL_IMPLEMENT_CLASS(TBrush, nullptr, PublishTBrush)

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------

TFont::TFont() = default;
TFont::~TFont() { ReleaseHandle(handle_); }

void TFont::Assign(TPersistent* Source) {
    if (auto* font = dynamic_cast<TFont*>(Source)) {
        if (desc_ == font->desc_ && color_ == font->color_) return;
        desc_ = font->desc_;
        color_ = font->color_;
        Changed();
        return;
    }
    inherited::Assign(Source);
}

void TFont::SetDesc(const TFontDesc& Value) { SetAndNotify(desc_, Value, *this, &TFont::Changed); }

void TFont::SetName(const AnsiString& Value) {
    if (Value.empty()) return;  // the class library ignores an empty name
    TFontDesc d = desc_;
    d.Name = Value;
    SetDesc(d);
}

void TFont::SetHeight(Integer Value) {
    TFontDesc d = desc_;
    d.Height = Value;
    SetDesc(d);
}

Integer TFont::Size() const { return -MulDiv(desc_.Height, 72, PixelsPerInch()); }
void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, PixelsPerInch(), 72)); }

void TFont::SetStyle(TFontStyles Value) {
    TFontDesc d = desc_;
    d.Style = Value;
    SetDesc(d);
}

void TFont::SetColor(TColor Value) { SetAndNotify(color_, Value, *this, &TFont::Changed); }

void TFont::SetCharset(TFontCharset Value) {
    TFontDesc d = desc_;
    d.Charset = Value;
    SetDesc(d);
}

void TFont::SetPitch(TFontPitch Value) {
    TFontDesc d = desc_;
    d.Pitch = Value;
    SetDesc(d);
}

HFONT TFont::Handle() {
    if (!handle_) handle_ = static_cast<HFONT>(RegisterOwnedGdiObject(TGdiKind::Font, this));
    return handle_;
}

void TFont::SetHandle(HFONT Value) {
    LOGFONT lf;
    if (GetObject(Value, sizeof lf, &lf) != sizeof lf) return;
    LOGFONT copy = lf;
    copy.lfFaceName[LF_FACESIZE - 1] = '\0';
    TFontDesc d;
    d.Name = copy.lfFaceName;
    d.Height = lf.lfHeight;
    if (lf.lfWeight >= 600) d.Style.Include(fsBold);
    if (lf.lfItalic) d.Style.Include(fsItalic);
    if (lf.lfUnderline) d.Style.Include(fsUnderline);
    if (lf.lfStrikeOut) d.Style.Include(fsStrikeOut);
    d.Charset = lf.lfCharSet;
    Byte pitch = lf.lfPitchAndFamily & 0x03;
    d.Pitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    SetDesc(d);
}

// ---------------------------------------------------------------------------

TPen::TPen() = default;
TPen::~TPen() { ReleaseHandle(handle_); }

void TPen::Assign(TPersistent* Source) {
    if (auto* pen = dynamic_cast<TPen*>(Source)) {
        color_ = pen->color_;
        width_ = pen->width_;
        style_ = pen->style_;
        mode_ = pen->mode_;
        Changed();
        return;
    }
    inherited::Assign(Source);
}

void TPen::SetColor(TColor Value) { SetAndNotify(color_, Value, *this, &TPen::Changed); }
void TPen::SetWidth(Integer Value) { SetAndNotify(width_, Value < 1 ? 1 : Value, *this, &TPen::Changed); }
void TPen::SetStyle(TPenStyle Value) { SetAndNotify(style_, Value, *this, &TPen::Changed); }
void TPen::SetMode(TPenMode Value) { SetAndNotify(mode_, Value, *this, &TPen::Changed); }

HPEN TPen::Handle() {
    if (!handle_) handle_ = static_cast<HPEN>(RegisterOwnedGdiObject(TGdiKind::Pen, this));
    return handle_;
}

// ---------------------------------------------------------------------------

TBrush::TBrush() = default;
TBrush::~TBrush() { ReleaseHandle(handle_); }

void TBrush::Assign(TPersistent* Source) {
    if (auto* brush = dynamic_cast<TBrush*>(Source)) {
        color_ = brush->color_;
        style_ = brush->style_;
        bitmap_ = brush->bitmap_;
        Changed();
        return;
    }
    inherited::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
    if (color_ == Value && style_ != bsClear) return;
    color_ = Value;
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) { SetAndNotify(style_, Value, *this, &TBrush::Changed); }
void TBrush::SetBitmap(TBitmap* Value) { SetAndNotify(bitmap_, Value, *this, &TBrush::Changed); }

HBRUSH TBrush::Handle() {
    if (!handle_) handle_ = static_cast<HBRUSH>(RegisterOwnedGdiObject(TGdiKind::Brush, this));
    return handle_;
}
