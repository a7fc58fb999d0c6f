#pragma once
// What the standard controls' native peers mirror besides TControlPeer's common state. A peer reads the
// control's own getters when told which group of properties changed.

#include "ControlsPeer.h"

enum TStdMirror {
    smOptions,    // read-only, limits, alignment, borders, scroll bars, style, drop-down count, default
    smSelection,  // SelStart / SelLength of an edit or memo
    smCheck,      // check box / radio button state
    smItems,      // a combo box's item list and ItemIndex
    smItemIndex,  // a combo box's ItemIndex alone
    smDropDown    // a combo box's list opened or closed from code
};

class TStdPeer {
public:
    virtual ~TStdPeer() = default;
    virtual void Mirror(TStdMirror What) = 0;
};

// Tells Control's peer, when it has one, to take the group What again.
inline void MirrorStd(TWinControl* Control, TStdMirror What) {
    if (auto* peer = dynamic_cast<TStdPeer*>(Control->Peer())) peer->Mirror(What);
}
