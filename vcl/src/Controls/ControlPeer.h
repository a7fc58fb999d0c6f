#pragma once
// The Qt-free face of a windowed control's peer. The control calls these to mirror its state; the Qt
// implementation (vcl/src/qt/Peer.h, TQtPeer) owns the widget and turns its events into messages.
//
// A native-widget control writes a peer class deriving from TQtPeer in vcl/src/qt/<Class>Peer.cpp:
//   - its widget class overrides event() and calls TQtPeer::Deliver for the events the bridge translates
//     (DeliverKey/DeliverMouse/...), then the base widget's handler only from DefaultEvent();
//   - it mirrors its own properties (SetText, SetReadOnly, ...) with signals blocked, and turns user-only
//     signals (textEdited, activated, clicked) into messages to the control (CN_COMMAND with a notification).

#include "vcl/Controls.h"

class TSurface;

class TControlPeer {
public:
    explicit TControlPeer(TWinControl* Control) : control_(Control) {}
    virtual ~TControlPeer() = default;
    TControlPeer(const TControlPeer&) = delete;
    TControlPeer& operator=(const TControlPeer&) = delete;

    TWinControl* Control() const { return control_; }
    // The control is going away: the peer must never call it again.
    void Detach() { control_ = nullptr; }

    // Mirrors of the control's state.
    virtual void SetParentPeer(TControlPeer* Parent) = 0;  // nullptr: a top-level window
    virtual void SetBounds(const TRect& Bounds) = 0;       // in the parent's client coordinates (frame for forms)
    virtual void SetVisible(bool Visible) = 0;
    virtual void SetEnabled(bool Enabled) = 0;
    virtual void SetText(const AnsiString& Text) = 0;
    virtual void SetFont(const TFont& Font) = 0;
    virtual void SetColor(TColor Color) = 0;
    virtual void SetCursor(TCursor Cursor) = 0;
    virtual void SetZOrder(bool TopMost) = 0;
    virtual void SetFocus() = 0;
    virtual void Activate() = 0;  // top-level windows: raise and activate
    // Top-level windows: focus rectangles show from now on (the user navigates with the keyboard).
    virtual void ShowFocusCues() = 0;
    // Marks an area of the client as changed (empty rectangle: the whole window); shows on the next paint.
    virtual void Invalidate(const TRect& Rect) = 0;
    // Paints what is invalid now.
    virtual void Update() = 0;
    // The non-client area (frame and BorderWidth) changed: the widget's content keeps out of it.
    virtual void SetClientInsets(const TRect& Insets) = 0;
    // Moves the pixels of a client area by DX, DY, with what is invalid there, and marks the part the move
    // uncovered as changed. Peers that keep no pixels repaint the area.
    virtual void Scroll(int DX, int DY, const TRect& Area) {
        (void)DX;
        (void)DY;
        Invalidate(Area);
    }

    // The persistent backing image of the whole window (nullptr for native widgets that paint themselves).
    virtual TSurface* Surface() = 0;
    // Native widgets: the persistent image over the widget that the control's own drawing lands on (its
    // frame, what it draws after the default paint or at any time); nullptr for the other peers.
    virtual TSurface* Overlay() = 0;
    // Renders the native widget (and nothing of its children) into Surface at Origin.
    virtual void RenderTo(TSurface& Target, TPoint Origin) = 0;

    // Native default handling of the message the control is dispatching; see TWinControl::DefaultHandler.
    // Returns false when the message did not come from this peer's pending event.
    virtual bool DefaultHandler(TMessage& Message) = 0;

protected:
    TWinControl* control_;
};

// Factory of the generic surface peer (vcl/src/qt/PeerSurface.cpp): windowed controls and forms.
TControlPeer* CreateSurfacePeer(TWinControl* Control, bool TopLevel);
