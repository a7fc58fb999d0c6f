// The push button's peer: a QPushButton. Enter and Escape are the form's dialog keys, not Qt's defaults.

#include <QPushButton>

#include "qt/ButtonPeers.h"

namespace {

class TPushButtonPeer : public TButtonPeer {
public:
    explicit TPushButtonPeer(TButton* Button) : TButtonPeer(Button, new TPeerWidget<QPushButton>) {
        push()->setAutoDefault(false);
    }

    void Mirror(TStdMirror What) override {
        auto* c = static_cast<TButton*>(Control());
        if (c && What == smOptions) push()->setDefault(c->Default());
    }

private:
    QPushButton* push() const { return static_cast<QPushButton*>(Widget()); }
};

}  // namespace

TControlPeer* TButton::CreatePeer() { return new TPushButtonPeer(this); }
