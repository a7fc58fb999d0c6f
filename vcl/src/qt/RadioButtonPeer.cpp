// The radio button's peer: a QRadioButton without Qt's exclusivity; TRadioButton unchecks its siblings.

#include <QRadioButton>

#include "qt/ButtonPeers.h"

namespace {

class TRadioButtonPeer : public TButtonPeer {
public:
    explicit TRadioButtonPeer(TRadioButton* Radio) : TButtonPeer(Radio, new TPeerWidget<TNoToggle<QRadioButton>>) {
        radio()->setAutoExclusive(false);
    }

    void Mirror(TStdMirror What) override {
        auto* c = static_cast<TRadioButton*>(Control());
        if (!c) return;
        QSignalBlocker block(radio());
        if (What == smCheck) radio()->setChecked(c->Checked());
        else if (What == smOptions) MirrorAlignment(c->Alignment());
    }

    LRESULT DialogCode() const override { return DLGC_RADIOBUTTON | DLGC_BUTTON; }

private:
    QRadioButton* radio() const { return static_cast<QRadioButton*>(Widget()); }
};

}  // namespace

TControlPeer* TRadioButton::CreatePeer() { return new TRadioButtonPeer(this); }
