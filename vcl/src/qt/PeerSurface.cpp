// The generic peer of windowed controls that paint themselves (panels, custom controls, forms): a widget
// that shows the control's persistent backing image and asks for WM_PAINT when the control was invalidated.

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
    TSurfacePeer(TWinControl* Control, bool TopLevel)
        : TQtPeer(Control, new TSurfaceWidget(this)), surface_(1, 1) {
        surface_.OnDirty = [this](const TRect& R) {
            if (!painting_) Widget()->update(R.Left, R.Top, R.Width(), R.Height());
        };
        if (TopLevel) SetParentPeer(nullptr);
    }
    ~TSurfacePeer() override { static_cast<TSurfaceWidget*>(Widget())->Forget(); }

    void SetBounds(const TRect& Bounds) override {
        TQtPeer::SetBounds(Bounds);
        surface_.Resize(std::max(1, Bounds.Width()), std::max(1, Bounds.Height()));
        Invalidate({});
    }
    void Invalidate(const TRect& Rect) override {
        needsPaint_ = true;
        TQtPeer::Invalidate(Rect);
    }
    void Update() override {
        PaintIfNeeded();
        TQtPeer::Update();
    }
    TSurface* Surface() override { return &surface_; }

    // The surface, brought up to date, then copied.
    void RenderTo(TSurface& Target, TPoint Origin) override {
        PaintIfNeeded();
        QPainter painter(&Target.Image());
        painter.drawImage(QPoint(Origin.X, Origin.Y), surface_.Image());
        painter.end();
        Target.MarkDirty(Bounds(Origin.X, Origin.Y, surface_.Width(), surface_.Height()));
    }

    void Paint(QPaintEvent* Event) {
        PaintIfNeeded();
        QPainter painter(Widget());
        painter.drawImage(Event->rect(), surface_.Image(), Event->rect());
    }

private:
    void PaintIfNeeded() {
        if (!needsPaint_ || !Control()) return;
        needsPaint_ = false;
        painting_ = true;
        Send(WM_PAINT, 0, 0);
        painting_ = false;
    }

    TSurface surface_;
    bool needsPaint_ = true;
    bool painting_ = false;
};

void TSurfaceWidget::paintEvent(QPaintEvent* Event) {
    if (owner_) owner_->Paint(Event);
}

}  // namespace

TControlPeer* CreateSurfacePeer(TWinControl* Control, bool TopLevel) { return new TSurfacePeer(Control, TopLevel); }
