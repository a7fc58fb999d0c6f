#pragma once
// The Qt peer of a windowed control: owns the widget, mirrors the control's state into it, and turns the
// widget's events into messages for the control (the event bridge).
//
// A native-widget control (vcl/src/qt/<Class>Peer.cpp):
//     class TEditPeer : public TQtPeer {
//     public:
//         explicit TEditPeer(TEdit* Edit) : TQtPeer(Edit, new TPeerWidget<QLineEdit>) {
//             auto* w = static_cast<QLineEdit*>(Widget());
//             QObject::connect(w, &QLineEdit::textEdited, [this](const QString& s) {
//                 Guarded([&] { TControlAccess::StoreText(*Control(), FromQString(s));
//                               Send(CN_COMMAND, MakeWParam(0, EN_CHANGE), 0); });
//             });
//         }
//         void SetText(const AnsiString& Text) override { QSignalBlocker b(Widget()); edit()->setText(ToQString(Text));
//         } LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }
//     };
//     TControlPeer* TEdit::CreatePeer() { return new TEditPeer(this); }
// Keys, mouse, focus, enter/leave, wheel and context-menu events are translated here for every peer;
// the widget's own handling runs only when the message reaches DefaultHandler.

#include <functional>
#include <memory>
#include <optional>

#include <QEvent>
#include <QRegion>
#include <QWidget>

#include "Controls/Internal.h"
#include "Controls/ControlPeer.h"

class QPaintEvent;
class TQtPeer;

// The shape Qt shows for a system cursor (the arrow for any other number).
Qt::CursorShape QtCursorShape(TCursor Cursor);

// Every entry from Qt into the stand-in runs through here: exceptions go to Application->HandleException
// and never cross Qt's event loop.
void RunFromQt(TObject* Sender, const std::function<void()>& Step);

// Qt is not asked for updates from inside a paint event (painting one window may move or change another);
// such requests are queued until the event is over.
void RequestUpdate(QWidget* Widget, const QRegion& Region);
bool InPaintEvent();
// Marks a paint event in progress for as long as it lives.
class TPaintEventScope {
public:
    TPaintEventScope();
    ~TPaintEventScope();
    TPaintEventScope(const TPaintEventScope&) = delete;
    TPaintEventScope& operator=(const TPaintEventScope&) = delete;
};

// Lets the peer run the widget class's own event handling (the native behaviour).
class IPeerWidget {
public:
    virtual ~IPeerWidget() = default;
    virtual bool BaseEvent(QEvent* Event) = 0;
    TQtPeer* Peer = nullptr;
};

// Any Qt widget class as a peer widget: its events go to the peer first.
template <typename W>
class TPeerWidget : public W, public IPeerWidget {
public:
    template <typename... Args>
    explicit TPeerWidget(Args&&... args) : W(std::forward<Args>(args)...) {}
    bool BaseEvent(QEvent* Event) override { return W::event(Event); }

protected:
    bool event(QEvent* Event) override;
};

class TQtPeer : public TControlPeer {
public:
    // Takes the widget (a TPeerWidget<...>); it is deleted later, never while it handles an event.
    template <typename W>
    TQtPeer(TWinControl* Control, TPeerWidget<W>* Widget) : TQtPeer(Control, Widget, Widget) {}
    ~TQtPeer() override;

    QWidget* Widget() const { return widget_; }

    void SetParentPeer(TControlPeer* Parent) override;
    void SetBounds(const TRect& Bounds) override;
    void SetVisible(bool Visible) override;
    void SetEnabled(bool Enabled) override;
    void SetText(const AnsiString& Text) override;  // top-level windows: the title
    void SetFont(const TFont& Font) override;
    void SetColor(TColor Color) override;
    void SetCursor(TCursor Cursor) override;
    void SetZOrder(bool TopMost) override;
    void SetFocus() override;
    void Activate() override;
    void ShowFocusCues() override;
    void Invalidate(const TRect& Rect) override;
    void Update() override;
    void SetClientInsets(const TRect& Insets) override;
    TSurface* Surface() override { return nullptr; }
    TSurface* Overlay() override;
    void RenderTo(TSurface& Target, TPoint Origin) override;
    bool DefaultHandler(TMessage& Message) override;

    // The widget's event, first: true when the stand-in took it (handled or replayed natively).
    bool HandleEvent(QEvent* Event);

protected:
    TQtPeer(TWinControl* Control, QWidget* Widget, IPeerWidget* Hook);

    // What WM_GETDLGCODE answers for this kind of widget.
    virtual LRESULT DialogCode() const { return 0; }
    // Hands a message made from an event to the window it is for: the control's, or a part window of it
    // that has a procedure of its own.
    virtual void Deliver(TMessage& Message) { Control()->WindowProc(Message); }
    // The control's window is a Unicode window (IsWindowUnicode).
    bool UnicodeWindow() const;
    // What the widget shows of the window text Text: a Unicode window's own UTF-16 text.
    QString WindowText(const AnsiString& Text) const;
    // The character a WM_CHAR's code types: a UTF-16 unit for a Unicode window, else a Windows-1252 byte.
    QString CharText(Word Code) const;
    // Sends a message to the control; exceptions go to Application->HandleException. False when the peer
    // was destroyed meanwhile (the caller must not touch it any more).
    bool Send(TMessage& Message);
    bool Send(UINT Msg, WPARAM WParam, LPARAM LParam);
    void Guarded(const std::function<void()>& Step) { RunFromQt(Control(), Step); }
    bool IsTopLevel() const { return topLevel_; }
    // How a top-level window shows, from the styles its CreateParams gave it.
    Qt::WindowFlags TopLevelFlags();
    // Client coordinates of a point in the widget.
    TPoint ToClient(const QPoint& P) const;
    // Renders the widget at Origin of Target, the control's painting on the overlay included.
    void RenderWidget(TSurface& Target, TPoint Origin, QWidget::RenderFlags Flags);
    // Runs Paint, during which the widget's paint events (a render to probe its layout) stay the widget's.
    void PaintQuietly(const std::function<void()>& Paint);
    // Runs the paint messages for Region of the window (clipped to it on Surface, if any): WM_NCPAINT when the
    // region reaches the non-client area, WM_ERASEBKGND when Surface is the window's own, then WM_PAINT.
    // False when the peer went away meanwhile.
    bool SendPaint(TSurface* Surface, const QRegion& Region);
    // WM_ERASEBKGND with a device context on the client area of Surface (clipped to its paint region).
    bool SendErase(TSurface& Surface, const TRect& Client, TPoint Offset);
    // WM_ERASEBKGND for Region of the client area, before the widget paints itself there. False when the
    // peer went away meanwhile.
    bool EraseBeneath(const QRegion& Region);
    // False when the press must not reach the native widget: the focus stayed elsewhere.
    bool TakeFocusForPress();
    // A part of the native widget that Qt makes a child of its own (a combo's edit part) gets its presses
    // straight from Qt: they take the focus for the control first all the same.
    void TakeFocusOnPressIn(QWidget* Part);

private:
    struct TPending {
        QEvent* Event = nullptr;
        UINT Msg = 0;
        const TMessage* Message = nullptr;  // the message made from the event
        Word OriginalKey = 0;               // key messages: the code or character the event carried
        bool KeyHasChar = false;
    };

    bool Translate(QEvent* Event);
    bool HandleKey(QEvent* Event, bool Press);
    bool HandleMouse(QEvent* Event);
    bool HandleWheel(QEvent* Event);
    bool HandleContextMenu(QEvent* Event);
    // The input method's result goes to the window as WM_IME_COMPOSITION (GCS_RESULTSTR).
    bool HandleInputMethod(QEvent* Event);
    void HandleFocusIn(QEvent* Event);
    void HandleFocusOut(QEvent* Event);
    bool HandleTopLevel(QEvent* Event);
    // Sends Message while Event is the one DefaultHandler may replay.
    bool SendWithEvent(TMessage& Message, QEvent* Event, Word OriginalKey = 0, bool KeyHasChar = false);
    bool ReplayKey(TMessage& Message);
    bool KeyFromCode(TMessage& Message);
    // A native widget's paint event (PeerOverlay.cpp): the widget paints itself, the control paints on the
    // overlay where the widget changed, and the overlay goes over the widget.
    void PaintNative(QPaintEvent* Event);
    // The paint messages of a native widget that has no overlay yet: drawing makes one (NativeOverlay).
    void PaintWithoutOverlay(const QRegion& Region);
    void KeepOverlayOnTop(QEvent* Event);
    TSurface& NativeOverlay();

    // The overlay of a native widget, made when the control first draws on it (its frame, its own
    // painting), with what its next paints must do: Pending still needs WM_PAINT; Drawn was drawn outside
    // painting, so a repaint there is not a change of the widget and keeps it.
    struct TOverlayState;

    QWidget* widget_;
    IPeerWidget* hook_;
    bool topLevel_ = false;
    TRect bounds_{};
    TPending pending_;
    std::unique_ptr<TOverlayState> overlay_;
    std::optional<QRegion> paintingBare_;  // the paint messages run for this region with no overlay yet
    int quiet_ = 0;                        // the widget paints for a probe: the control takes no part
    bool nativeErase_ = false;             // the erase reached the widget's own handling
    bool transparentBase_ = false;         // the widget's text goes on what lies beneath, without a base
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int wheelRemainder_ = 0;  // wheel delta short of a notch, kept for the next turn
};

template <typename W>
bool TPeerWidget<W>::event(QEvent* Event) {
    if (Peer && Peer->HandleEvent(Event)) return true;
    return W::event(Event);
}

// Qt key <-> virtual key.
Word VirtualKeyFromQt(int QtKey, Qt::KeyboardModifiers Modifiers);
int QtKeyFromVirtualKey(Word VirtualKey);
// The keys only the numeric keypad has (digits, operators and its decimal point): Qt marks them as keypad keys.
bool IsKeypadVirtualKey(Word VirtualKey);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
