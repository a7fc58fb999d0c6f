// Painting of peers: the paint messages, and the overlay over native widgets. A native widget paints
// itself (WM_PAINT's default); where it changed, the overlay is cleared and the control's paint messages
// draw on it; then the overlay goes over the widget. Drawing outside painting lands on the overlay at once
// and stays until the widget changes there.

#include <algorithm>

#include <QChildEvent>
#include <QPaintEvent>
#include <QPainter>

#include "qt/PeerOverlay.h"
#include "qt/CanvasState.h"
#include "qt/QtGraphics.h"
#include "vcl/ScopeGuard.h"

namespace {

int paintEventDepth = 0;

// Shows the overlay's image above the native widget and the parts Qt makes its children (a combo's edit);
// the mouse goes through it.
class TOverlayView : public QWidget {
public:
    TOverlayView(QWidget* Parent, const TSurface& Image, const bool& Rendering)
        : QWidget(Parent), image_(Image), rendering_(Rendering) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(Parent->rect());
        show();
    }

protected:
    // A copy of the widget with its parts puts the overlay on top itself.
    void paintEvent(QPaintEvent* Event) override {
        if (rendering_) return;
        QPainter painter(this);
        for (const QRect& r : Event->region()) painter.drawImage(r, image_.Image(), r);
    }

private:
    const TSurface& image_;
    const bool& rendering_;
};

}  // namespace

TQtPeer::TOverlayState::TOverlayState(QWidget* Widget, int Width, int Height)
    : Image(Width, Height, true), View(new TOverlayView(Widget, Image, Rendering)), Pending(0, 0, Width, Height) {}

TQtPeer::TOverlayState::~TOverlayState() { delete View.data(); }

TPaintEventScope::TPaintEventScope() { ++paintEventDepth; }
TPaintEventScope::~TPaintEventScope() { --paintEventDepth; }
bool InPaintEvent() { return paintEventDepth > 0; }

void RequestUpdate(QWidget* Widget, const QRegion& Region) {
    if (Region.isEmpty()) return;
    if (paintEventDepth == 0) {
        Widget->update(Region);
        return;
    }
    QMetaObject::invokeMethod(
        Widget,
        [widget = QPointer<QWidget>(Widget), Region] {
            if (widget) widget->update(Region);
        },
        Qt::QueuedConnection);
}

bool TQtPeer::SendPaint(TSurface* Surface, const QRegion& Region) {
    TWinControl* control = Control();
    if (!control) return false;
    const TPoint offset = TControlAccess::SurfaceOffset(*control);
    const TRect client = control->ClientRect();
    const bool nonClient = !(Region - QRect(offset.X, offset.Y, client.Right, client.Bottom)).isEmpty();
    if (Surface) Surface->SetPaintRegion(Region);
    if (nonClient && !Send(WM_NCPAINT, 1, 0)) return false;
    // A window showing its own surface is erased before it paints, as BeginPaint erases: the default fills
    // the control's colour once, a control that covers every pixel itself takes the erase and skips it.
    if (Surface && Surface == this->Surface() && !SendErase(*Surface, client, offset)) return false;
    if (!Send(WM_PAINT, 0, 0)) return false;
    if (Surface) Surface->SetPaintRegion(std::nullopt);
    return true;
}

bool TQtPeer::SendErase(TSurface& Surface, const TRect& Client, TPoint Offset) {
    TCanvas canvas;
    TCanvasAccess::SetSurface(canvas, &Surface);
    TCanvasAccess::SetDeviceArea(canvas, Offset, Rect(0, 0, Client.Right, Client.Bottom));
    if (!Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Handle()), 0)) return false;
    TCanvasAccess::SetSurface(canvas, nullptr);
    return true;
}

TSurface& TQtPeer::NativeOverlay() {
    if (!overlay_) {
        overlay_ =
            std::make_unique<TOverlayState>(widget_, std::max(1, widget_->width()), std::max(1, widget_->height()));
        overlay_->Image.OnDirty = [this](const TRect& R) {
            if (overlay_->Painting) return;
            const QRect r(R.Left, R.Top, R.Width(), R.Height());
            overlay_->Drawn += r;
            RequestUpdate(widget_, r);
        };
        // Made when the control first draws: it drew nothing before, so nothing of it is pending. Made by
        // the paint messages, the rest of them draws on it as painting.
        overlay_->Pending = QRegion();
        if (paintingBare_) {
            overlay_->Painting = true;
            overlay_->Image.SetPaintRegion(*paintingBare_);
        }
    }
    return overlay_->Image;
}

TSurface* TQtPeer::Overlay() { return Surface() ? nullptr : &NativeOverlay(); }

namespace {

// What a control's own erase draws beneath a native widget. One surface serves every widget: it holds one
// colour all over until an erase draws on it, so the erase a widget leaves to itself costs no fill.
struct TBeneath {
    std::unique_ptr<TSurface> Surface;
    QColor Filled;  // the colour all of it holds; none once an erase drew on it
    bool InUse = false;
};

TBeneath& SharedBeneath() {
    static TBeneath* beneath = new TBeneath;  // lives as long as the program: no order of exit to keep
    return *beneath;
}

}  // namespace

// A control that erases its background itself (rather than leaving it to the widget) draws it beneath the
// widget; when its colour query also sets a transparent background mode, the widget's text goes on it
// without a base of its own.
bool TQtPeer::EraseBeneath(const QRegion& Region) {
    TWinControl* control = Control();
    if (!control) return false;
    TBeneath& shared = SharedBeneath();
    TBeneath own;  // for an erase that comes while another one draws
    TBeneath& b = shared.InUse ? own : shared;
    const QSize size = widget_->size();
    if (!b.Surface || b.Surface->Width() < size.width() || b.Surface->Height() < size.height()) {
        const int width = std::max({1, size.width(), b.Surface ? b.Surface->Width() : 0});
        const int height = std::max({1, size.height(), b.Surface ? b.Surface->Height() : 0});
        b.Surface = std::make_unique<TSurface>(width, height);
        b.Filled = QColor();
    }
    // What an erase leaves undrawn (a parent that draws nothing) shows the control's colour, never what an
    // earlier erase left.
    const QColor colour = ToQColor(control->Color());
    if (b.Filled != colour) {
        QPainter fill(&b.Surface->Image());
        fill.fillRect(b.Surface->Image().rect(), colour);
        b.Filled = colour;
    }
    const TValueGuard inUse(b.InUse, true);
    TCanvas canvas;
    b.Surface->SetPaintRegion(Region);
    TCanvasAccess::SetSurface(canvas, b.Surface.get());
    b.Surface->SetPaintRegion(std::nullopt);
    const TRect client = control->ClientRect();
    TCanvasAccess::SetDeviceArea(canvas, TControlAccess::SurfaceOffset(*control),
                                 Rect(0, 0, client.Right, client.Bottom));
    const HDC dc = canvas.Handle();
    nativeErase_ = false;
    if (!Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0)) return false;
    const bool erased = !nativeErase_;
    bool transparent = false;
    if (erased) {
        b.Filled = QColor();
        const HWND handle = control->HandleAllocated() ? control->Handle() : nullptr;
        if (!Send(CN_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(handle))) return false;
        transparent = GetBkMode(dc) == TRANSPARENT;
        QPainter beneath(widget_);
        beneath.setClipRegion(Region);
        beneath.drawImage(0, 0, b.Surface->Image());
    }
    TCanvasAccess::SetSurface(canvas, nullptr);
    // The base comes back in Color once; a colour mirrored meanwhile does not bring it back while transparent.
    if (transparent || transparentBase_) {
        transparentBase_ = transparent;
        const QColor base = transparent ? QColor(Qt::transparent) : ToQColor(control->Color());
        if (widget_->palette().color(QPalette::Base) != base) {
            QPalette palette = widget_->palette();
            palette.setColor(QPalette::Base, base);
            widget_->setPalette(palette);
        }
    }
    return true;
}

void TQtPeer::PaintNative(QPaintEvent* Event) {
    if (quiet_ > 0) {
        hook_->BaseEvent(Event);
        return;
    }
    const QRegion region = Event->region();
    const bool painting = overlay_ && overlay_->Painting;
    if (!painting && !EraseBeneath(region)) return;
    hook_->BaseEvent(Event);
    if (!overlay_) return PaintWithoutOverlay(region);
    TOverlayState& o = *overlay_;
    QRegion fresh;
    if (o.Rendering) {
        fresh = std::exchange(o.Pending, QRegion());
    } else {
        fresh = (region - o.Drawn) | (o.Pending & region);
        o.Pending -= fresh;
        o.Drawn -= region;
    }
    if (!fresh.isEmpty() && !o.Painting) {
        QImage& image = o.Image.Image();
        {
            QPainter clear(&image);
            clear.setClipRegion(fresh);
            clear.setCompositionMode(QPainter::CompositionMode_Source);
            clear.fillRect(image.rect(), Qt::transparent);
        }
        const TPaintEventScope scope;
        o.Painting = true;
        std::shared_ptr<bool> alive = alive_;
        const bool painted = SendPaint(&o.Image, fresh);
        if (!*alive) return;
        o.Painting = false;
        // A copy was made: the screen shows the new painting too, and its repaint keeps it.
        if (painted && o.Rendering) {
            o.Drawn += fresh;
            RequestUpdate(widget_, fresh);
        }
    }
}

void TQtPeer::PaintWithoutOverlay(const QRegion& Region) {
    const TPaintEventScope scope;
    paintingBare_ = Region;
    std::shared_ptr<bool> alive = alive_;
    SendPaint(nullptr, Region);
    if (!*alive) return;
    paintingBare_.reset();
    if (!overlay_) return;
    overlay_->Painting = false;
    overlay_->Image.SetPaintRegion(std::nullopt);
}

// Parts Qt adds to the widget later come above the overlay: it goes back on top.
void TQtPeer::KeepOverlayOnTop(QEvent* Event) {
    if (!overlay_ || !overlay_->View) return;
    auto* child = static_cast<QChildEvent*>(Event)->child();
    if (child != overlay_->View && child->isWidgetType()) overlay_->View->raise();
}
