// A self-painting window with its own scroll bars: the surface peer, plus two QScrollBars between the
// client area and the border. The bars show what SetScrollInfo set; a user's action on a bar is sent to
// the control as WM_HSCROLL/WM_VSCROLL and moves nothing by itself.

#include <QEvent>
#include <QPointer>
#include <QScrollBar>
#include <QVariant>

#include "Controls/Internal.h"
#include "Windows/ScrollBars.h"
#include "qt/Peer.h"

namespace {

constexpr const char* BarsProperty = "windowScrollBars";

class TWindowBars : public QObject {
public:
    TWindowBars(TWinControl* Control, QWidget* Surface) : QObject(Surface), control_(Control), surface_(Surface) {
        for (int bar : {SB_HORZ, SB_VERT}) {
            auto* b = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, Surface);
            b->setTracking(false);
            b->setFocusPolicy(Qt::NoFocus);
            b->hide();
            QObject::connect(b, &QAbstractSlider::actionTriggered, this, [this, bar](int Action) { Act(bar, Action); });
            QObject::connect(b, &QAbstractSlider::sliderReleased, this, [this, bar] { Released(bar); });
            // Without tracking the bar only tells where the dragged thumb is: each place is a thumb track.
            QObject::connect(b, &QAbstractSlider::sliderMoved, this, [this, bar](int Pos) { Moved(bar, Pos); });
            bars_[bar] = b;
        }
        Surface->installEventFilter(this);
        Surface->setProperty(BarsProperty, QVariant::fromValue(static_cast<void*>(this)));
    }
    ~TWindowBars() override {
        if (handle_) ForgetWindowScrollBars(handle_);
    }

    // Mirrors the window's bar state; called whenever it changes.
    void Sync() {
        if (!handle_) {
            if (!control_->HandleAllocated()) return;
            handle_ = control_->Handle();
            TWindowScrollBars* state = WindowScrollBars(handle_, true);
            if (!state) return;
            QPointer<QObject> self(this);
            state->Changed = [self, this] {
                if (self) Sync();
            };
        }
        const TWindowScrollBars* state = WindowScrollBars(handle_, false);
        if (!state) return;
        for (int bar : {SB_HORZ, SB_VERT}) {
            const TWindowScrollBar& s = state->Bars[bar];
            QScrollBar* b = bars_[bar];
            const QSignalBlocker block(b);
            b->setRange(s.Min, std::max(s.Min, s.Max - std::max(static_cast<int>(s.Page) - 1, 0)));
            b->setPageStep(std::max(1, static_cast<int>(s.Page)));
            if (!b->isSliderDown()) b->setValue(s.Pos);
            b->setVisible(s.Visible);
        }
        Place();
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched == surface_ && (Event->type() == QEvent::Resize || Event->type() == QEvent::Show)) Place();
        return false;
    }

private:
    // Between the client area and the border, as the window's own bars sit.
    void Place() {
        const TPoint offset = TControlAccess::SurfaceOffset(*control_);
        const TRect client = control_->ClientRect();
        const int width = GetSystemMetrics(SM_CXVSCROLL), height = GetSystemMetrics(SM_CYHSCROLL);
        bars_[SB_VERT]->setGeometry(offset.X + client.Right, offset.Y, width, client.Height());
        bars_[SB_HORZ]->setGeometry(offset.X, offset.Y + client.Bottom, client.Width(), height);
    }

    void Send(int Bar, Word Code, int Pos) {
        const WPARAM wParam = static_cast<WPARAM>(Code) | (static_cast<WPARAM>(static_cast<Word>(Pos)) << 16);
        TWinControl* control = control_;
        RunFromQt(control,
                  [control, Bar, wParam] { control->Perform(Bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, wParam, 0); });
    }

    void Act(int Bar, int Action) {
        QScrollBar* b = bars_[Bar];
        Word code;
        switch (Action) {
            case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
            case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
            case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
            case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
            case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
            case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
            default: return;
        }
        // The bar stays where the window keeps it; the window answers with SetScrollPos.
        b->setSliderPosition(b->value());
        QPointer<QScrollBar> alive(b);
        Send(Bar, code, b->value());
        if (alive) Send(Bar, SB_ENDSCROLL, 0);
    }

    void Moved(int Bar, int Pos) {
        Track(Bar, true, Pos);
        Send(Bar, SB_THUMBTRACK, Pos);
    }

    // The thumb's place while dragged, for the window's GetScrollInfo.
    void Track(int Bar, bool Tracking, int Pos) {
        TWindowScrollBars* state = handle_ ? WindowScrollBars(handle_, false) : nullptr;
        if (!state) return;
        state->Bars[Bar].Tracking = Tracking;
        state->Bars[Bar].TrackPos = Pos;
    }

    void Released(int Bar) {
        QPointer<QScrollBar> alive(bars_[Bar]);
        Track(Bar, false, 0);
        Send(Bar, SB_THUMBPOSITION, bars_[Bar]->sliderPosition());
        if (!alive) return;
        Send(Bar, SB_ENDSCROLL, 0);
        if (alive) Sync();
    }

    TWinControl* control_;
    QWidget* surface_;
    HWND handle_ = nullptr;
    QScrollBar* bars_[2] = {};
};

}  // namespace

void ConnectWindowScrollBars(TWinControl* Control) {
    auto* peer = static_cast<TQtPeer*>(Control->Peer());
    if (!peer) return;
    auto* bars = static_cast<TWindowBars*>(peer->Widget()->property(BarsProperty).value<void*>());
    if (bars) bars->Sync();
}

TControlPeer* CreateScrollingSurfacePeer(TWinControl* Control) {
    auto* peer = static_cast<TQtPeer*>(CreateSurfacePeer(Control, false));
    new TWindowBars(Control, peer->Widget());
    return peer;
}
