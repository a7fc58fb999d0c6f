// TCanvas: the class library's canvas over a device context; every drawing goes through the GDI calls.
#include "qt/CanvasState.h"

#include <algorithm>

#include "Controls/Internal.h"
#include "qt/GdiObjects.h"
#include "qt/GdiPaint.h"
#include "qt/Surface.h"

VCL_IMPLEMENT_CLASS(TCanvas, nullptr, nullptr)

namespace {

int Rop2Of(TPenMode mode) {
    static constexpr int modes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return modes[mode];
}

}  // namespace

std::uint64_t NewClipSerial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()),
      pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()),
      state_(std::make_unique<TCanvasState>()) {
    font_->OnChange = [this](TObject* sender) { FontChanged(sender); };
    pen_->OnChange = [this](TObject* sender) { PenChanged(sender); };
    brush_->OnChange = [this](TObject* sender) { BrushChanged(sender); };
}

TCanvas::~TCanvas() {
    if (handle_) UnregisterGdiObject(handle_);
}

// As in the class library, whoever takes the handle gets the canvas's own objects selected into it.
HDC TCanvas::Handle() {
    RequiredFont();
    RequiredPen();
    RequiredBrush();
    return handle_;
}

HDC TCanvas::DeviceContext() {
    if (!surface_) CreateHandle();
    if (!surface_) throw EInvalidOperation("Canvas does not allow drawing");
    if (!handle_) handle_ = static_cast<HDC>(RegisterOwnedGdiObject(TGdiKind::DC, this));
    return handle_;
}

void TCanvas::SetSurface(TSurface* Value) {
    *state_ = TCanvasState{};
    if (Value && Value->PaintRegion()) {
        state_->HasSystemClip = true;
        state_->SystemClip = *Value->PaintRegion();
    }
    surface_ = Value;
}

void TCanvas::SetDeviceArea(TPoint Origin, const TRect& Area) {
    TCanvasState& state = *state_;
    QRegion area(QRect(Area.Left, Area.Top, std::max(Area.Width(), 0), std::max(Area.Height(), 0)));
    if (state.HasSystemClip)
        area &= state.SystemClip.translated(state.DeviceOrigin.X - Origin.X, state.DeviceOrigin.Y - Origin.Y);
    state.HasSystemClip = true;
    state.SystemClip = area;
    state.DeviceOrigin = Origin;
    state.ClipSerial = NewClipSerial();
}

bool ShareDeviceContext(TCanvas& Canvas, HDC DC) {
    TCanvas* source = DcCanvas(DC);
    if (!source || !source->Surface()) return false;
    TCanvasState& from = TCanvasAccess::State(*source);
    const QRegion visible = VisibleRegion(*source);
    const TPoint origin = SurfaceOffsetOf(from);
    TCanvasAccess::SetSurface(Canvas, source->Surface());
    TCanvasState& to = TCanvasAccess::State(Canvas);
    to.HasSystemClip = true;
    to.SystemClip = visible.translated(from.DeviceOrigin.X - origin.X, from.DeviceOrigin.Y - origin.Y);
    to.DeviceOrigin = origin;
    to.ClipSerial = NewClipSerial();
    return true;
}

void TCanvas::SelectSurface(TSurface* Value) {
    surface_ = Value;
    Refresh();
}

void TCanvas::Refresh() { state_->FontValid = state_->PenValid = state_->BrushValid = false; }

void TCanvas::FontChanged(TObject*) { state_->FontValid = false; }
void TCanvas::PenChanged(TObject*) { state_->PenValid = false; }
void TCanvas::BrushChanged(TObject*) { state_->BrushValid = false; }

void TCanvas::RequiredFont() {
    DeviceContext();
    if (state_->FontValid) return;
    state_->Font = font_->Handle();
    state_->TextColor = ColorToRGB(font_->Color());
    state_->FontValid = true;
}

void TCanvas::RequiredPen() {
    DeviceContext();
    if (state_->PenValid) return;
    state_->Pen = pen_->Handle();
    state_->Rop2 = Rop2Of(pen_->Mode());
    state_->PenValid = true;
}

void TCanvas::RequiredBrush() {
    DeviceContext();
    if (state_->BrushValid) return;
    state_->Brush = brush_->Handle();
    COLORREF color = ColorToRGB(brush_->Color());
    if (brush_->Style() == bsSolid) {
        state_->BkColor = color;
        state_->BkMode = OPAQUE;
    } else {
        state_->BkColor = ~color & 0xFFFFFF;
        state_->BkMode = TRANSPARENT;
    }
    state_->BrushValid = true;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    POINT p;
    GetCurrentPositionEx(Handle(), &p);
    return p;
}

TRect TCanvas::ClipRect() {
    TRect r;
    GetClipBox(Handle(), &r);
    return r;
}

void TCanvas::MoveTo(Integer X, Integer Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(Integer X, Integer Y) {
    Changing();
    RequiredPen();
    RequiredBrush();
    ::LineTo(Handle(), X, Y);
    Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Changing();
    RequiredPen();
    RequiredBrush();
    ::Rectangle(Handle(), X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
    Changing();
    RequiredPen();
    RequiredBrush();
    ::RoundRect(Handle(), X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Changing();
    RequiredPen();
    RequiredBrush();
    ::Ellipse(Handle(), X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
    Changing();
    RequiredPen();
    RequiredBrush();
    ::Arc(Handle(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
    Changing();
    RequiredPen();
    RequiredBrush();
    ::Polygon(Handle(), Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
    Changing();
    RequiredPen();
    RequiredBrush();
    ::Polyline(Handle(), Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
    Changing();
    RequiredBrush();
    ::FillRect(Handle(), &Rect, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
    Changing();
    RequiredBrush();
    ::FrameRect(Handle(), &Rect, brush_->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    Changing();
    RequiredBrush();
    ::DrawFocusRect(Handle(), &Rect);
    Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const AnsiString& Text) {
    Changing();
    RequiredFont();
    RequiredBrush();
    ::ExtTextOut(Handle(), X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    MoveTo(X + TextWidth(Text), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const AnsiString& Text) {
    Changing();
    RequiredFont();
    RequiredBrush();
    UINT options = ETO_CLIPPED | (brush_->Style() != bsClear ? ETO_OPAQUE : 0);
    ::ExtTextOut(Handle(), X, Y, options, &Rect, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const AnsiString& Text) {
    RequiredFont();
    SIZE size;
    GetTextExtentPoint32(Handle(), Text.data(), static_cast<int>(Text.size()), &size);
    return size;
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Changing();
    RequiredBrush();
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Changing();
    RequiredBrush();
    Graphic->Draw(this, Rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (!Canvas) return;
    Changing();
    RequiredBrush();
    Canvas->RequiredFont();
    Canvas->RequiredBrush();
    StretchBlt(Handle(), Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->Handle(), Source.Left, Source.Top,
               Source.Width(), Source.Height(), static_cast<DWORD>(copyMode_));
    Changed();
}

TColor TCanvas::Pixels(Integer X, Integer Y) { return static_cast<TColor>(GetPixel(Handle(), X, Y)); }

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
    Changing();
    RequiredPen();
    SetPixel(Handle(), X, Y, ColorToRGB(Value));
    Changed();
}

void TCanvas::Lock() {
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock() {
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock() {
    if (!lock_.try_lock()) return false;
    ++lockCount_;
    return true;
}
