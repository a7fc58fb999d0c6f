// The check box's peer: a tri-state QCheckBox that shows TCustomCheckBox::State.

#include <QCheckBox>

#include "qt/ButtonPeers.h"

namespace {

class TCheckBoxPeer : public TButtonPeer {
public:
    explicit TCheckBoxPeer(TCustomCheckBox* CheckBox) : TButtonPeer(CheckBox, new TPeerWidget<TNoToggle<QCheckBox>>) {
        box()->setTristate(true);
    }

    void Mirror(TStdMirror What) override {
        auto* c = static_cast<TCustomCheckBox*>(Control());
        if (!c) return;
        QSignalBlocker block(box());
        static constexpr Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
        if (What == smCheck) box()->setCheckState(states[c->State()]);
        else if (What == smOptions) MirrorAlignment(c->Alignment());
    }

private:
    QCheckBox* box() const { return static_cast<QCheckBox*>(Widget()); }
};

}  // namespace

TControlPeer* TCustomCheckBox::CreatePeer() { return new TCheckBoxPeer(this); }
