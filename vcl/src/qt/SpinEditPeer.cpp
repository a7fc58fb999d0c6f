// The right text margin of a spin edit's native line edit, where its button sits.
#include <QLineEdit>

#include "Spin/EditRightMargin.h"
#include "qt/Peer.h"

void ReserveEditRightMargin(TWinControl* Edit, Integer Pixels) {
    auto* peer = dynamic_cast<TQtPeer*>(Edit->Peer());
    if (!peer) return;
    if (auto* line = qobject_cast<QLineEdit*>(peer->Widget())) line->setTextMargins(0, 0, Pixels, 0);
}
