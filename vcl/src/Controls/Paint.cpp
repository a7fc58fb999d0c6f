// Painting: control canvases, WM_PAINT into the persistent surface, graphic children, PaintTo.

#include <algorithm>

#include "Controls/Internal.h"
#include "Controls/ControlPeer.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace {

// The window's device context (GetWindowDC): the whole window, frame included, origin at its top left.
class TWindowCanvas : public TControlCanvas {
protected:
    void CreateHandle() override {
        auto* window = static_cast<TWinControl*>(Control());
        if (!window) return;
        window->HandleNeeded();
        if (TSurface* surface = TControlAccess::DrawingSurface(*window)) SetSurface(surface);
    }
};

}  // namespace

std::unique_ptr<TControlCanvas> NewWindowCanvas(TWinControl* Control) {
    auto canvas = std::make_unique<TWindowCanvas>();
    canvas->SetControl(Control);
    return canvas;
}

// ---------------------------------------------------------------------------
// TControlCanvas

VCL_IMPLEMENT_CLASS(TControlCanvas, nullptr, nullptr)

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl) {
    if (control_ == AControl) return;
    FreeHandle();
    control_ = AControl;
}

void TControlCanvas::FreeHandle() { SetSurface(nullptr); }

// The paint pass's device context is clipped to what is being painted: it must not outlive the pass.
void TControlCanvas::PaintLocked(const std::function<void()>& Paint) {
    FreeHandle();
    Lock();
    const TScopeExit release([this] {
        FreeHandle();
        Unlock();
    });
    Paint();
}

// The control's client area of its drawing surface: origin at the client's top left, clipped to it.
void TControlCanvas::CreateHandle() {
    if (!control_) return;
    TSurface* surface = TControlAccess::DrawingSurface(*control_);
    if (!surface) {
        auto* window = dynamic_cast<TWinControl*>(control_);
        if (!window) window = control_->Parent();
        if (!window) return;
        window->HandleNeeded();
        surface = TControlAccess::DrawingSurface(*control_);
    }
    if (!surface) return;
    SetSurface(surface);
    TRect client = control_->ClientRect();
    SetDeviceArea(TControlAccess::SurfaceOffset(*control_), Rect(0, 0, client.Right, client.Bottom));
}

// ---------------------------------------------------------------------------
// TWinControl painting

// A native widget has painted itself by now (the default); a window that paints itself erases its client
// area, paints, and paints its graphic children. The non-client area is WM_NCPAINT's.
void TWinControl::WMPaint(TMessage& Message) {
    if (!peer_ || !peer_->Surface()) {
        DefaultHandler(Message);
        return;
    }
    // The background is the erase's, which came first.
    PaintWindow();
    PaintControls();
    Message.Result = 0;
}

void TWinControl::PaintWindow() {}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    if (peer_ && !peer_->Surface()) {
        DefaultHandler(Message);
        return;
    }
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    const RECT client = ClientRect();
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    Message.Result = 1;
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    auto from = std::find(controls_.begin(), controls_.end(), First);
    if (from == controls_.end()) from = controls_.begin();
    for (auto it = from; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        const int saved = SaveDC(DC);
        if (!saved) return;
        OffsetViewportOrgEx(DC, c->Left(), c->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
        TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
        c->WindowProc(paint);
        RestoreDC(DC, saved);
    }
}

void TWinControl::PaintControls() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        TControl* c = controls_[i];
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        TMessage paint{WM_PAINT, 0, 0, 0};
        c->WindowProc(paint);
    }
}

void TWinControl::PaintTo(TCanvas* Canvas, Integer X, Integer Y) {
    if (!Canvas) return;
    HandleNeeded();
    Canvas->Handle();
    TSurface* target = Canvas->Surface();
    if (!target || !peer_) return;
    // What the window shows now: an invalidated window paints first, drawing made outside painting stays.
    peer_->RenderTo(*target, Point(X, Y));
    TPoint offset = SurfaceOffset();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(controls_[i]);
        if (child && child->Visible())
            child->PaintTo(Canvas, X + offset.X + child->Left(), Y + offset.Y + child->Top());
    }
}

// ---------------------------------------------------------------------------
// TCustomControl

VCL_IMPLEMENT_CLASS(TCustomControl, nullptr, nullptr)

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() { canvas_->FreeHandle(); }

void TCustomControl::PaintWindow() {
    canvas_->PaintLocked([this] { Paint(); });
}

void TCustomControl::BoundsChanged() {
    TWinControl::BoundsChanged();
    canvas_->FreeHandle();
}

void TCustomControl::SurfaceReleased() { canvas_->FreeHandle(); }

// ---------------------------------------------------------------------------
// TGraphicControl

VCL_IMPLEMENT_CLASS(TGraphicControl, nullptr, nullptr)

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() { canvas_->FreeHandle(); }

// WM_PAINT with a device context paints there (under a window that shows what lies beneath it).
void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg != WM_PAINT) return TControl::Dispatch(Message);
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    canvas_->PaintLocked([this, dc] {
        if (dc && !ShareDeviceContext(*canvas_, dc)) return;
        Paint();
    });
}

void TGraphicControl::BoundsChanged() {
    TControl::BoundsChanged();
    canvas_->FreeHandle();
}

void TGraphicControl::SurfaceReleased() { canvas_->FreeHandle(); }
