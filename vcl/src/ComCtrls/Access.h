#pragma once
// The common controls' peer entry points, kept out of the public headers.

#include <vcl/ComCtrls.h>

struct TComCtrlsAccess {
    static void PositionFromPeer(TTrackBar& C, Integer Value) { C.PositionFromPeer(Value); }
    static void ContentFromPeer(TCustomRichEdit& C, const TRichText& Value, Integer SelStart, Integer SelLength) {
        C.ContentFromPeer(Value, SelStart, SelLength);
    }
    static void SelectionFromPeer(TCustomRichEdit& C, Integer SelStart, Integer SelLength) {
        C.SelectionFromPeer(SelStart, SelLength);
    }
};
