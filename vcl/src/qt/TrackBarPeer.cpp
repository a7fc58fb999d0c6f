// The track bar's peer: a QSlider that mirrors TTrackBar and reports only the user's moves.
#include <QSignalBlocker>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QPainter>
#include <QStyle>

#include "ComCtrls/Access.h"
#include "qt/Peer.h"
#include "StdCtrls/Peers.h"
#include "vcl/ComCtrls.h"
#include "vcl/Windows.h"

namespace {

QSlider::TickPosition TickPositionOf(const TTrackBar& Bar) {
    if (Bar.TickStyle() == tsNone) return QSlider::NoTicks;
    switch (Bar.TickMarks()) {
        case tmTopLeft: return QSlider::TicksAbove;
        case tmBoth: return QSlider::TicksBothSides;
        case tmBottomRight: break;
    }
    return QSlider::TicksBelow;
}

// A slider that can leave its thumb out: then only the groove and the ticks show.
class TThumbSlider : public QSlider {
public:
    bool ThumbVisible = true;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_SliderGroove;
        if (ThumbVisible) option.subControls |= QStyle::SC_SliderHandle;
        if (tickPosition() != NoTicks) option.subControls |= QStyle::SC_SliderTickmarks;
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    }
};

class TTrackBarPeer : public TQtPeer, public TStdPeer {
public:
    explicit TTrackBarPeer(TTrackBar* Bar) : TQtPeer(Bar, new TPeerWidget<TThumbSlider>) {
        QObject::connect(slider(), &QSlider::valueChanged, &context_, [this](int Value) {
            if (control()) Guarded([&] { TComCtrlsAccess::PositionFromPeer(*control(), Value); });
        });
    }

    void Mirror(TStdMirror What) override {
        TTrackBar* c = control();
        if (!c || What != smOptions) return;
        QSignalBlocker block(slider());
        const bool vertical = c->Orientation() == trVertical;
        slider()->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
        // Vertical track bars have their minimum at the top.
        slider()->setInvertedAppearance(vertical);
        slider()->setRange(c->Min(), c->Max());
        slider()->setValue(c->Position());
        slider()->setSingleStep(c->LineSize());
        slider()->setPageStep(c->PageSize());
        slider()->setTickPosition(TickPositionOf(*c));
        slider()->setTickInterval(c->Frequency());
        if (slider()->ThumbVisible != c->SliderVisible()) {
            slider()->ThumbVisible = c->SliderVisible();
            slider()->update();
        }
    }

protected:
    LRESULT DialogCode() const override { return DLGC_WANTARROWS; }

private:
    TThumbSlider* slider() const { return static_cast<TThumbSlider*>(Widget()); }
    TTrackBar* control() const { return static_cast<TTrackBar*>(Control()); }

    QObject context_;  // the widget outlives the peer: its connections end with this
};

}  // namespace

TControlPeer* TTrackBar::CreatePeer() { return new TTrackBarPeer(this); }
