// Painting: control canvases, WM_PAINT into the persistent surface, graphic children, PaintTo.

#include "Controls/Internal.h"
#include "Controls/ControlPeer.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace {

// Draws on a whole surface, non-client border included; used to erase a window's background.
class TWholeSurfaceCanvas : public TCanvas {
public:
    explicit TWholeSurfaceCanvas(TSurface* Surface) { SetSurface(Surface); }
    ~TWholeSurfaceCanvas() override { SetSurface(nullptr); }
};

}  // namespace

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

void TWinControl::WMPaint(TMessage& Message) {
    TSurface* surface = DrawingSurface();
    if (!surface) {
        DefaultHandler(Message);
        return;
    }
    {
        TWholeSurfaceCanvas background(surface);
        background.Brush()->SetColor(Color());
        background.FillRect(Rect(0, 0, Width(), Height()));
    }
    PaintWindow();
    PaintControls();
    Message.Result = 0;
}

void TWinControl::PaintWindow() {}

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

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg != WM_PAINT) return TControl::Dispatch(Message);
    canvas_->PaintLocked([this] { Paint(); });
}

void TGraphicControl::BoundsChanged() {
    TControl::BoundsChanged();
    canvas_->FreeHandle();
}

void TGraphicControl::SurfaceReleased() { canvas_->FreeHandle(); }
