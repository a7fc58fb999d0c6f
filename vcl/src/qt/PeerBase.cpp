// TQtPeer: the widget's life and the mirroring of the control's state into it.

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QPalette>

#include "qt/PeerOverlay.h"
#include "qt/QtGraphics.h"
#include "qt/QtText.h"
#include "qt/Surface.h"
#include "vcl/Windows.h"

TQtPeer::TQtPeer(TWinControl* Control, QWidget* Widget, IPeerWidget* Hook)
    : TControlPeer(Control), widget_(Widget), hook_(Hook) {
    hook_->Peer = this;
    // The stand-in decides where the focus goes; Qt's own tab chain never moves it.
    widget_->setFocusPolicy(Qt::NoFocus);
    widget_->setAttribute(Qt::WA_Hover, false);
    widget_->setMouseTracking(true);
}

TQtPeer::~TQtPeer() {
    *alive_ = false;
    hook_->Peer = nullptr;
    widget_->hide();
    // The widget may be inside its own event handler now; Qt deletes it once that returns.
    widget_->setParent(nullptr);
    widget_->deleteLater();
}

void TQtPeer::SetParentPeer(TControlPeer* Parent) {
    auto* parent = static_cast<TQtPeer*>(Parent);
    topLevel_ = parent == nullptr;
    bool visible = widget_->isVisibleTo(widget_->parentWidget() ? widget_->parentWidget() : widget_);
    widget_->setParent(parent ? parent->widget_ : nullptr);
    if (!parent) widget_->setWindowFlags(TopLevelFlags());
    widget_->setGeometry(bounds_.Left, bounds_.Top, bounds_.Width(), bounds_.Height());
    widget_->setVisible(visible && Control() && Control()->Visible());
}

// A pop-up window without a caption (a hint) is a frameless tool window that never takes the activation
// nor the mouse; forms and windows with a caption are ordinary windows.
Qt::WindowFlags TQtPeer::TopLevelFlags() {
    const DWORD style = Control() ? TControlAccess::WindowStyle(*Control()) : 0;
    const DWORD exStyle = Control() ? TControlAccess::WindowExStyle(*Control()) : 0;
    const bool popup = (style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION;
    if (!popup || dynamic_cast<TCustomForm*>(Control())) return Qt::Window;
    widget_->setAttribute(Qt::WA_ShowWithoutActivating);
    Qt::WindowFlags flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (style & WS_DISABLED) flags |= Qt::WindowTransparentForInput;
    if (exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

void TQtPeer::SetBounds(const TRect& Bounds) {
    bounds_ = Bounds;
    widget_->setGeometry(Bounds.Left, Bounds.Top, std::max(0, Bounds.Width()), std::max(0, Bounds.Height()));
    if (!overlay_) return;
    // The overlay takes the new size; all of it is painted again with the widget.
    const int width = std::max(1, Bounds.Width()), height = std::max(1, Bounds.Height());
    overlay_->Image.Resize(width, height);
    if (overlay_->View) overlay_->View->setGeometry(0, 0, width, height);
    overlay_->Drawn = QRegion();
    overlay_->Pending = QRegion(0, 0, width, height);
}

// The native widget's content keeps out of the frame the overlay shows.
void TQtPeer::SetClientInsets(const TRect& Insets) {
    if (Surface()) return;
    widget_->setContentsMargins(Insets.Left, Insets.Top, Insets.Right, Insets.Bottom);
    Invalidate({});
}

void TQtPeer::SetVisible(bool Visible) { widget_->setVisible(Visible); }

void TQtPeer::SetEnabled(bool Enabled) { widget_->setEnabled(Enabled); }

void TQtPeer::SetText(const AnsiString& Text) {
    if (topLevel_) widget_->setWindowTitle(ToQString(Text));
}

void TQtPeer::SetFont(const TFont& Font) {
    widget_->setFont(ToQFont(Font));
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(Font.Color()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color()));
    palette.setColor(QPalette::ButtonText, ToQColor(Font.Color()));
    widget_->setPalette(palette);
}

void TQtPeer::SetColor(TColor Color) {
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Base, ToQColor(Color));
    palette.setColor(QPalette::Window, ToQColor(Color));
    palette.setColor(QPalette::Button, ToQColor(Color));
    widget_->setPalette(palette);
}

Qt::CursorShape QtCursorShape(TCursor Cursor) {
    switch (Cursor) {
        case crNone: return Qt::BlankCursor;
        case crCross: return Qt::CrossCursor;
        case crIBeam: return Qt::IBeamCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        case crSizeWE: return Qt::SizeHorCursor;
        case crUpArrow: return Qt::UpArrowCursor;
        case crHourGlass:
        case crSQLWait: return Qt::WaitCursor;
        case crDrag:
        case crMultiDrag: return Qt::DragCopyCursor;
        case crNoDrop:
        case crNo: return Qt::ForbiddenCursor;
        case crHSplit: return Qt::SplitHCursor;
        case crVSplit: return Qt::SplitVCursor;
        case crAppStart: return Qt::BusyCursor;
        case crHelp: return Qt::WhatsThisCursor;
        case crHandPoint: return Qt::PointingHandCursor;
        case crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

void TQtPeer::SetCursor(TCursor Cursor) {
    if (Cursor == crDefault) widget_->unsetCursor();
    else widget_->setCursor(QtCursorShape(Cursor));
}

void TQtPeer::SetZOrder(bool TopMost) {
    if (TopMost) widget_->raise();
    else widget_->lower();
}

void TQtPeer::SetFocus() {
    if (topLevel_) widget_->activateWindow();
    widget_->setFocus(Qt::OtherFocusReason);
}

void TQtPeer::Activate() {
    widget_->raise();
    widget_->activateWindow();
}

// Qt's styles draw focus rectangles in windows where the focus moved by keyboard.
void TQtPeer::ShowFocusCues() {
    if (widget_->testAttribute(Qt::WA_KeyboardFocusChange)) return;
    widget_->setAttribute(Qt::WA_KeyboardFocusChange);
    if (QWidget* focused = widget_->focusWidget()) focused->update();
}

// Rect is in client coordinates; an empty one stands for the whole window.
void TQtPeer::Invalidate(const TRect& Rect) {
    QRect area = widget_->rect();
    if (!Rect.IsEmpty()) {
        const TPoint offset = Control() ? TControlAccess::SurfaceOffset(*Control()) : TPoint{};
        area &= QRect(Rect.Left + offset.X, Rect.Top + offset.Y, Rect.Width(), Rect.Height());
    }
    if (area.isEmpty()) return;
    if (overlay_) overlay_->Pending += area;
    RequestUpdate(widget_, area);
}

void TQtPeer::Update() { widget_->update(); }

// A native widget draws itself; its children are rendered separately by PaintTo.
void TQtPeer::RenderTo(TSurface& Target, TPoint Origin) { RenderWidget(Target, Origin, QWidget::DrawWindowBackground); }

// The widget's paint event brings the control's painting up to date on the overlay and puts it on top.
void TQtPeer::RenderWidget(TSurface& Target, TPoint Origin, QWidget::RenderFlags Flags) {
    // A picture shows all of the control's painting: an overlay made for it has all of it to paint.
    if (!overlay_) {
        NativeOverlay();
        overlay_->Pending = QRegion(widget_->rect());
    }
    overlay_->Rendering = true;
    const std::shared_ptr<bool> alive = alive_;
    const QSize size = widget_->size();
    QPainter painter(&Target.Image());
    widget_->render(&painter, QPoint(Origin.X, Origin.Y), QRegion(), Flags);
    if (*alive) {
        overlay_->Rendering = false;
        painter.drawImage(QPoint(Origin.X, Origin.Y), overlay_->Image.Image());
    }
    painter.end();
    Target.MarkDirty(Bounds(Origin.X, Origin.Y, size.width(), size.height()));
}

void TQtPeer::PaintQuietly(const std::function<void()>& Paint) {
    ++quiet_;
    try {
        Paint();
    } catch (...) {
        --quiet_;
        throw;
    }
    --quiet_;
}

TPoint TQtPeer::ToClient(const QPoint& P) const {
    TPoint offset = Control() ? TControlAccess::SurfaceOffset(*Control()) : TPoint{};
    return Point(P.x() - offset.X, P.y() - offset.Y);
}

// ---------------------------------------------------------------------------
// Sending messages from Qt

bool TQtPeer::Send(TMessage& Message) {
    TWinControl* control = Control();
    if (!control) return false;
    std::shared_ptr<bool> alive = alive_;
    RunFromQt(control, [&] { Deliver(Message); });
    return *alive && Control();
}

bool TQtPeer::Send(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    return Send(message);
}

bool TQtPeer::SendWithEvent(TMessage& Message, QEvent* Event, Word OriginalKey, bool KeyHasChar) {
    TPending saved = pending_;
    pending_ = {Event, Message.Msg, &Message, OriginalKey, KeyHasChar};
    std::shared_ptr<bool> alive = alive_;
    bool ok = Send(Message);
    if (*alive) pending_ = saved;
    return ok;
}
