#pragma once
// The common controls' peer entry points, kept out of the public headers.

#include <vcl/ComCtrls.h>

struct TComCtrlsAccess {
    static void PositionFromPeer(TTrackBar& C, Integer Value) { C.PositionFromPeer(Value); }
};
