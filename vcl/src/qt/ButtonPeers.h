#pragma once
// What the peers of push buttons, check boxes and radio buttons share: the caption, and a click reported
// as BN_CLICKED while the control alone decides the check state.

#include <QAbstractButton>
#include <QSignalBlocker>

#include "qt/Peer.h"
#include "qt/QtText.h"
#include "StdCtrls/Peers.h"
#include "vcl/StdCtrls.h"

// A button widget that never changes its own check state on a click (the control mirrors it back), and
// that takes clicks anywhere in its bounds, as the windowing system's buttons do.
template <typename W>
class TNoToggle : public W {
public:
    using W::W;

protected:
    void nextCheckState() override {}
    bool hitButton(const QPoint& Pos) const override { return this->rect().contains(Pos); }
};

class TButtonPeer : public TQtPeer, public TStdPeer {
public:
    template <typename W>
    TButtonPeer(TButtonControl* Control, TPeerWidget<W>* Widget) : TQtPeer(Control, Widget) {
        QObject::connect(button(), &QAbstractButton::clicked, &context_,
                         [this] { Send(CN_COMMAND, MakeWParam(0, BN_CLICKED), 0); });
    }

    void SetText(const AnsiString& Text) override {
        QSignalBlocker block(button());
        button()->setText(ToQString(Text));
    }

protected:
    QObject context_;  // the widget outlives the peer: its connections end with this
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(Widget()); }
    // The caption on the left of the box for taLeftJustify.
    void MirrorAlignment(TLeftRight Alignment) {
        button()->setLayoutDirection(Alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    }
};
