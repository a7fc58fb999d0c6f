// The generic peer of windowed controls that paint themselves (panels, custom controls, forms): a widget
// that shows the control's persistent backing image. What the control invalidated waits in one pending
// region per peer; Qt's paint event runs WM_PAINT for it, then copies the image to the screen.

#include <cstdlib>
#include <cstring>

#include <QPaintEvent>
#include <QPainter>

#include "qt/Peer.h"
#include "qt/Surface.h"

namespace {

class TSurfacePeer;

class TSurfaceWidget : public TPeerWidget<QWidget> {
public:
    explicit TSurfaceWidget(TSurfacePeer* Owner) : owner_(Owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAutoFillBackground(false);
    }
    void Forget() { owner_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    TSurfacePeer* owner_;
};

class TSurfacePeer : public TQtPeer {
public:
    TSurfacePeer(TWinControl* Control, bool TopLevel) : TQtPeer(Control, new TSurfaceWidget(this)), surface_(1, 1) {
        // Drawing outside painting lands in the image at once; the screen follows.
        surface_.OnDirty = [this](const TRect& R) {
            QRect r(R.Left, R.Top, R.Width(), R.Height());
            if (painting_) paintedDirty_ += r;
            else RequestUpdate(Widget(), r);
        };
        pending_ = Whole();
        if (TopLevel) SetParentPeer(nullptr);
    }
    ~TSurfacePeer() override { static_cast<TSurfaceWidget*>(Widget())->Forget(); }

    void SetBounds(const TRect& Bounds) override {
        TQtPeer::SetBounds(Bounds);
        surface_.Resize(std::max(1, Bounds.Width()), std::max(1, Bounds.Height()));
        Invalidate({});
    }
    // Rect is in client coordinates; an empty one stands for the whole window.
    void Invalidate(const TRect& Rect) override {
        QRect area = Whole();
        if (!Rect.IsEmpty()) {
            TPoint offset = Control() ? TControlAccess::SurfaceOffset(*Control()) : TPoint{};
            area &= QRect(Rect.Left + offset.X, Rect.Top + offset.Y, Rect.Width(), Rect.Height());
        }
        if (area.isEmpty()) return;
        pending_ += area;
        RequestUpdate(Widget(), area);
    }
    void Scroll(int DX, int DY, const TRect& Area) override {
        const TPoint offset = Control() ? TControlAccess::SurfaceOffset(*Control()) : TPoint{};
        const QRect area = Whole() & QRect(Area.Left + offset.X, Area.Top + offset.Y, Area.Width(), Area.Height());
        if (area.isEmpty()) return;
        if (painting_ || std::abs(DX) >= area.width() || std::abs(DY) >= area.height()) return Invalidate(Area);
        const QRect target = area & area.translated(DX, DY);
        MovePixels(target.translated(-DX, -DY), DX, DY);
        // What waited to be painted there moves along; the uncovered strip waits too.
        const QRegion waiting = pending_ & area;
        pending_ -= area;
        pending_ += (waiting.translated(DX, DY) & area) + (QRegion(area) - target);
        RequestUpdate(Widget(), area);
    }
    // Paints the pending region now, through Qt (nothing happens while the window is not on screen).
    void Update() override {
        if (!pending_.isEmpty() && !InPaintEvent()) Widget()->repaint(pending_);
    }
    TSurface* Surface() override { return &surface_; }

    // The image as the window shows it; a window that is not on screen paints what is pending first.
    void RenderTo(TSurface& Target, TPoint Origin) override {
        Update();
        if (!PaintPending()) return;
        RequestUpdate(Widget(), std::exchange(paintedDirty_, QRegion()));
        QPainter painter(&Target.Image());
        painter.drawImage(QPoint(Origin.X, Origin.Y), surface_.Image());
        painter.end();
        Target.MarkDirty(Bounds(Origin.X, Origin.Y, surface_.Width(), surface_.Height()));
    }

    void Paint(QPaintEvent* Event) {
        bool alive = false;
        {
            const TPaintEventScope scope;
            alive = PaintPending();
        }
        if (!alive) return;
        QPainter painter(Widget());
        for (const QRect& r : Event->region()) painter.drawImage(r, surface_.Image(), r);
        // Drawing that went beyond this event's area (a paint handler drawing outside its region).
        RequestUpdate(Widget(), std::exchange(paintedDirty_, QRegion()) - Event->region());
    }

private:
    QRect Whole() const { return surface_.Image().rect(); }

    // Copies the pixels of Source by DX, DY within the image, row by row in the order that reads each row
    // before it is overwritten.
    void MovePixels(const QRect& Source, int DX, int DY) {
        QImage& image = surface_.Image();
        const int bytes = image.depth() / 8;
        const auto row = [&](int y) {
            std::memmove(image.scanLine(y + DY) + (Source.left() + DX) * bytes,
                         image.scanLine(y) + Source.left() * bytes, static_cast<std::size_t>(Source.width() * bytes));
        };
        if (DY > 0)
            for (int y = Source.bottom(); y >= Source.top(); --y) row(y);
        else
            for (int y = Source.top(); y <= Source.bottom(); ++y) row(y);
    }

    // Runs WM_PAINT for the pending region, clipped to it. False when the peer went away meanwhile.
    bool PaintPending() {
        if (pending_.isEmpty() || painting_ || !Control()) return true;
        QRegion region = std::exchange(pending_, QRegion());
        painting_ = true;
        if (!SendPaint(&surface_, region)) return false;
        painting_ = false;
        return true;
    }

    TSurface surface_;
    QRegion pending_;       // invalidated, not painted yet
    QRegion paintedDirty_;  // drawn during the paint pass
    bool painting_ = false;
};

void TSurfaceWidget::paintEvent(QPaintEvent* Event) {
    if (owner_) owner_->Paint(Event);
}

}  // namespace

TControlPeer* CreateSurfacePeer(TWinControl* Control, bool TopLevel) { return new TSurfacePeer(Control, TopLevel); }
