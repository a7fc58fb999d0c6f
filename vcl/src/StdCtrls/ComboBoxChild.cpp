// The combo's part windows: messages sent to them run their procedure; what nobody handles gets the
// native widget's handling, and the edit part tells which character lies at a point.

#include "StdCtrls/ComboBoxChild.h"

#include "StdCtrls/Peers.h"
#include "vcl/Windows.h"

TComboBoxChild::TComboBoxChild(TCustomComboBox& Combo, TKind Kind) : combo_(Combo), kind_(Kind), handle_(*this) {
    WindowProc = [this](TMessage& Message) {
        combo_.ComboWndProc(Message, Handle(), [this](TMessage& M) { Native(M); });
    };
}

LRESULT TComboBoxChild::Message(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    WindowProc(message);
    return message.Result;
}

// The edit part covers the selection field; the list stands below it while dropped.
TRect TComboBoxChild::ScreenBounds() const {
    const TPoint origin = combo_.ClientToScreen(Point(0, 0));
    if (kind_ == ckEdit) return Bounds(origin.X, origin.Y, combo_.ClientWidth(), combo_.ClientHeight());
    if (!combo_.DroppedDown()) return {};
    return Bounds(origin.X, origin.Y + combo_.ClientHeight(), TStdCtrlsAccess::DroppedListWidth(combo_),
                  TStdCtrlsAccess::DroppedListHeight(combo_));
}

void TComboBoxChild::Native(TMessage& Message) {
    if (kind_ == ckEdit && Message.Msg == EM_CHARFROMPOS) {
        Message.Result = TStdCtrlsAccess::CharFromPos(combo_, Message.LParam);
        return;
    }
    if (combo_.Peer()) combo_.Peer()->DefaultHandler(Message);
}

TCustomComboBox* ComboOfPart(HWND Handle) {
    auto* part = dynamic_cast<TComboBoxChild*>(FindForeignWindow(Handle));
    return part ? &part->Combo() : nullptr;
}
