// The event bridge: Qt events of a peer widget become messages; DefaultHandler replays them natively.

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>
#include <QWindow>
#include <cstdlib>

#include "qt/Peer.h"
#include "qt/PeerOverlay.h"
#include "qt/QtText.h"
#include "vcl/Windows.h"

namespace {

// The character a key event types, as a Windows-1252 byte; 0 when it types none.
Byte KeyChar(const QKeyEvent* e) {
    // Ctrl+Enter types a line feed, as on Windows.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ControlModifier))
        return '\n';
    QString text = e->text();
    if (text.size() != 1) return 0;
    QChar c = text.at(0);
    if (c.unicode() == 0x7F) return 0;  // Delete types nothing on Windows
    AnsiString s = FromQString(text);
    return s.size() == 1 ? static_cast<Byte>(s[0]) : 0;
}

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

bool IsInput(const QEvent* e) {
    switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu: return true;
        default: return false;
    }
}

// The UTF-16 unit a key event types; 0 when it types none.
Word KeyUnit(const QKeyEvent* e) {
    if (KeyChar(e) == '\n') return '\n';
    const QString text = e->text();
    if (text.size() != 1 || text.at(0).unicode() == 0x7F) return 0;
    return text.at(0).unicode();
}

bool IsOurWidget(QWidget* w) { return dynamic_cast<IPeerWidget*>(w) && dynamic_cast<IPeerWidget*>(w)->Peer; }

}  // namespace

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
    TShiftState s;
    if (Modifiers & Qt::ShiftModifier) s.Include(ssShift);
    if (Modifiers & Qt::ControlModifier) s.Include(ssCtrl);
    if (Modifiers & Qt::AltModifier) s.Include(ssAlt);
    if (Buttons & Qt::LeftButton) s.Include(ssLeft);
    if (Buttons & Qt::RightButton) s.Include(ssRight);
    if (Buttons & Qt::MiddleButton) s.Include(ssMiddle);
    return s;
}

// An event the stand-in took never travels on to the parent widget, as no window message does. A disabled
// window (or one inside a disabled window) gets no input at all, and its parent does not get it either.
bool TQtPeer::HandleEvent(QEvent* Event) {
    if (!Control()) return false;
    if (Event->type() == QEvent::Paint && !Surface()) {
        PaintNative(static_cast<QPaintEvent*>(Event));
        return true;
    }
    if (Event->type() == QEvent::ChildAdded) KeepOverlayOnTop(Event);
    if (!widget_->isEnabled() && IsInput(Event)) {
        Event->accept();
        return true;
    }
    bool taken = Translate(Event);
    if (taken) Event->accept();
    return taken;
}

bool TQtPeer::Translate(QEvent* Event) {
    switch (Event->type()) {
        case QEvent::KeyPress: return HandleKey(Event, true);
        case QEvent::KeyRelease: return HandleKey(Event, false);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: return HandleMouse(Event);
        case QEvent::Wheel: return HandleWheel(Event);
        case QEvent::ContextMenu: return HandleContextMenu(Event);
        case QEvent::InputMethod: return HandleInputMethod(Event);
        case QEvent::Enter: Send(CM_MOUSEENTER, 0, 0); return false;
        case QEvent::Leave: Send(CM_MOUSELEAVE, 0, 0); return false;
        case QEvent::FocusIn: HandleFocusIn(Event); return false;
        case QEvent::FocusOut: HandleFocusOut(Event); return false;
        default: return topLevel_ && HandleTopLevel(Event);
    }
}

// ---------------------------------------------------------------------------
// Keys: CN_KEYDOWN (dialog keys), WM_KEYDOWN, WM_CHAR for a key that types, WM_KEYUP.

bool TQtPeer::HandleKey(QEvent* Event, bool Press) {
    auto* e = static_cast<QKeyEvent*>(Event);
    SetInputShiftState(ShiftStateFromQt(e->modifiers(), QGuiApplication::mouseButtons()));
    Word vk = VirtualKeyFromQt(e->key(), e->modifiers());
    LPARAM keyData = KeyDataOf(vk, (e->modifiers() & Qt::KeypadModifier) != 0, (e->modifiers() & Qt::AltModifier) != 0);
    if (e->isAutoRepeat()) keyData |= KF_REPEAT_BIT;
    if (!Press) {
        TMessage up{WM_KEYUP, vk, keyData | KF_UP_BIT | KF_REPEAT_BIT, 0};
        SendWithEvent(up, Event, vk, KeyChar(e) != 0);
        return true;
    }
    TMessage cn{CN_KEYDOWN, vk, keyData, 0};
    if (!Send(cn) || cn.Result != 0) return true;
    const Word ch = UnicodeWindow() ? KeyUnit(e) : KeyChar(e);
    // Alt without Ctrl (Ctrl+Alt is AltGr, which types) makes system keys: WM_SYSCHAR types nothing.
    const bool system = (e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier);
    TMessage down{system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData, 0};
    if (!SendWithEvent(down, Event, vk, ch != 0)) return true;
    if (ch != 0) {
        TMessage chr{system ? WM_SYSCHAR : WM_CHAR, ch, keyData, 0};
        SendWithEvent(chr, Event, ch, true);
    }
    return true;
}

// The widget's own handling of the key as the handlers left it: unchanged keys replay the event itself.
bool TQtPeer::ReplayKey(TMessage& Message) {
    auto* original = static_cast<QKeyEvent*>(pending_.Event);
    Word code = TWMKey(Message).CharCode();
    if (code == 0) return true;
    if (Message.Msg == WM_CHAR) {
        // A key whose character the window's code page lacks types the character the window got.
        const QString typed = CharText(code);
        if (code == pending_.OriginalKey && original->text() == typed) {
            hook_->BaseEvent(original);
        } else {
            QKeyEvent changed(QEvent::KeyPress, 0, Qt::NoModifier, typed);
            hook_->BaseEvent(&changed);
        }
        return true;
    }
    // A key that types is handled natively at WM_CHAR, so nothing happens twice.
    if ((Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) && pending_.KeyHasChar) return true;
    if (code == pending_.OriginalKey) {
        hook_->BaseEvent(original);
    } else {
        QKeyEvent changed(original->type(), QtKeyFromVirtualKey(code), original->modifiers());
        hook_->BaseEvent(&changed);
    }
    return true;
}

// A key message sent from code (Perform, SendMessage, the posted queue) acts on the widget as the key does:
// WM_CHAR types its character, WM_KEYDOWN moves or deletes with the modifiers held now.
bool TQtPeer::KeyFromCode(TMessage& Message) {
    const Word code = TWMKey(Message).CharCode();
    if (code == 0) return true;
    if (Message.Msg == WM_CHAR) {
        int key = 0;
        switch (code) {
            case '\b': key = Qt::Key_Backspace; break;
            case '\t': key = Qt::Key_Tab; break;
            case '\r': key = Qt::Key_Return; break;
            case 0x1B: key = Qt::Key_Escape; break;
            default: break;
        }
        QKeyEvent typed(QEvent::KeyPress, key, Qt::NoModifier, CharText(code));
        hook_->BaseEvent(&typed);
        return true;
    }
    Qt::KeyboardModifiers modifiers;
    const TShiftState shift = InputShiftState();
    if (shift.Contains(ssShift)) modifiers |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl)) modifiers |= Qt::ControlModifier;
    if (Message.LParam & KF_ALTDOWN_BIT) modifiers |= Qt::AltModifier;
    if (IsKeypadVirtualKey(code)) modifiers |= Qt::KeypadModifier;
    QKeyEvent key(Message.Msg == WM_KEYUP ? QEvent::KeyRelease : QEvent::KeyPress, QtKeyFromVirtualKey(code),
                  modifiers);
    hook_->BaseEvent(&key);
    return true;
}

bool TQtPeer::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DialogCode();
        return true;
    }
    // The widget erases its background as it paints.
    if (Message.Msg == WM_ERASEBKGND) {
        nativeErase_ = true;
        Message.Result = 1;
        return true;
    }
    // With redraw off no invalidation reaches the screen; turned on, the window shows what it holds.
    if (Message.Msg == WM_SETREDRAW) {
        widget_->setUpdatesEnabled(Message.WParam != 0);
        return true;
    }
    // A key message a handler sends while the key's own travels is its own, not the key's.
    const bool key = Message.Msg == WM_CHAR || Message.Msg == WM_KEYDOWN || Message.Msg == WM_KEYUP;
    if (!pending_.Event || Message.Msg != pending_.Msg || (key && &Message != pending_.Message))
        return key && KeyFromCode(Message);
    QEvent* event = pending_.Event;
    pending_.Event = nullptr;  // replayed at most once
    switch (Message.Msg) {
        case WM_SYSCHAR: return true;  // no window types a character held with Alt
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_CHAR: {
            TPending keep = pending_;
            pending_.Event = event;
            ReplayKey(Message);
            pending_ = keep;
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A native control takes the focus before it handles the press, as the system's controls do; a
            // press that could not bring the focus here (a handler kept it elsewhere) goes no further.
            if (TakeFocusForPress()) hook_->BaseEvent(event);
            return true;
        case WM_RBUTTONUP: {
            hook_->BaseEvent(event);
            QPoint g = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            HWND self = Control()->HandleAllocated() ? Control()->Handle() : nullptr;
            Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(self), MakeLParam(g.x(), g.y()));
            return true;
        }
        default: hook_->BaseEvent(event); return true;
    }
}

// ---------------------------------------------------------------------------
// Mouse

bool TQtPeer::HandleMouse(QEvent* Event) {
    auto* e = static_cast<QMouseEvent*>(Event);
    SetInputShiftState(ShiftStateFromQt(e->modifiers(), e->buttons()));
    UINT msg = WM_MOUSEMOVE;
    auto pick = [&](UINT left, UINT right, UINT middle) {
        switch (e->button()) {
            case Qt::LeftButton: return left;
            case Qt::RightButton: return right;
            case Qt::MiddleButton: return middle;
            default: return 0u;
        }
    };
    switch (Event->type()) {
        case QEvent::MouseButtonPress: msg = pick(WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN); break;
        case QEvent::MouseButtonRelease: msg = pick(WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP); break;
        case QEvent::MouseButtonDblClick: msg = pick(WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK); break;
        default: break;
    }
    if (msg == 0) return false;
    const QPoint global = e->globalPosition().toPoint();
    AppLoop::NoteMousePos(Point(global.x(), global.y()));
    const WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
    // A window holding the capture gets the mouse wherever it is, pressed or not, until it lets go.
    TControl* capture = GetCaptureControl();
    TWinControl* holder = dynamic_cast<TWinControl*>(capture);
    if (capture && !holder) holder = capture->Parent();
    if (holder && holder != Control() && holder->HandleAllocated() && holder->Peer()) {
        const TPoint at = holder->ScreenToClient(Point(global.x(), global.y()));
        static_cast<TQtPeer*>(holder->Peer())->Send(msg, keys, MakeLParam(at.X, at.Y));
        return true;
    }
    TPoint p = ToClient(e->position().toPoint());
    // The window under the mouse picks the cursor before each move it sees uncaptured.
    if (msg == WM_MOUSEMOVE && !capture && Control() &&
        !Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(Control()->Handle()), MakeLParam(HTCLIENT, WM_MOUSEMOVE)))
        return true;
    TMessage m{msg, keys, MakeLParam(p.X, p.Y), 0};
    SendWithEvent(m, Event);
    return true;
}

// Through the control's SetFocus, so the old control hears WM_KILLFOCUS and CM_EXIT, this one WM_SETFOCUS
// and CM_ENTER, as after Tab. Controls that paint themselves decide in their own mouse handling.
bool TQtPeer::TakeFocusForPress() {
    TWinControl* control = Control();
    if (!control || Surface() || control->Focused() || !control->CanFocus()) return true;
    std::shared_ptr<bool> alive = alive_;
    RunFromQt(control, [control] { control->SetFocus(); });
    return *alive && Control() && Control()->Focused();
}

namespace {

class TPressFocusFilter : public QObject {
public:
    TPressFocusFilter(QObject* Parent, std::function<bool()> TakeFocus)
        : QObject(Parent), takeFocus_(std::move(TakeFocus)) {}

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        const QEvent::Type type = Event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) return false;
        return static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton && !takeFocus_();
    }

private:
    std::function<bool()> takeFocus_;
};

}  // namespace

void TQtPeer::TakeFocusOnPressIn(QWidget* Part) {
    std::shared_ptr<bool> alive = alive_;
    auto take = [this, alive] { return !*alive || TakeFocusForPress(); };
    Part->installEventFilter(new TPressFocusFilter(Part, take));  // goes with the part
}

bool TQtPeer::HandleWheel(QEvent* Event) {
    auto* e = static_cast<QWheelEvent*>(Event);
    SetInputShiftState(ShiftStateFromQt(e->modifiers(), e->buttons()));
    QPoint g = e->globalPosition().toPoint();
    WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
    // One message per notch (WHEEL_DELTA), as the system sends them; what is left over waits.
    wheelRemainder_ += e->angleDelta().y();
    std::shared_ptr<bool> alive = alive_;
    while (*alive && std::abs(wheelRemainder_) >= WHEEL_DELTA) {
        const int notch = wheelRemainder_ > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        wheelRemainder_ -= notch;
        TMessage m{WM_MOUSEWHEEL, MakeWParam(static_cast<Integer>(keys), notch), MakeLParam(g.x(), g.y()), 0};
        SendWithEvent(m, Event);
    }
    return true;
}

// The menu key asks for a context menu at once; a right click asks for it when its release reaches the
// native handling (below), as on Windows, so Qt's own mouse-made request is dropped.
bool TQtPeer::HandleContextMenu(QEvent* Event) {
    auto* e = static_cast<QContextMenuEvent*>(Event);
    if (e->reason() != QContextMenuEvent::Keyboard) return true;
    TMessage m{WM_CONTEXTMENU, 0, MakeLParam(-1, -1), 0};
    SendWithEvent(m, Event);
    return true;
}

bool TQtPeer::HandleInputMethod(QEvent* Event) {
    auto* e = static_cast<QInputMethodEvent*>(Event);
    TWinControl* control = Control();
    if (e->commitString().isEmpty() || !control->HandleAllocated()) return false;
    SetCompositionResult(control->Handle(), e->commitString().toStdU16String());
    Send(WM_IME_COMPOSITION, 0, static_cast<LPARAM>(GCS_RESULTSTR));
    return true;
}

bool TQtPeer::UnicodeWindow() const {
    const TWinControl* control = Control();
    return control && control->HandleAllocated() && IsWindowUnicode(const_cast<TWinControl*>(control)->Handle());
}

QString TQtPeer::WindowText(const AnsiString& Text) const {
    const TWinControl* control = Control();
    if (control && control->HandleAllocated())
        if (const WideString* wide = WindowWideText(const_cast<TWinControl*>(control)->Handle()))
            return QString::fromStdU16String(*wide);
    return ToQString(Text);
}

QString TQtPeer::CharText(Word Code) const {
    if (UnicodeWindow()) return QString(QChar(Code));
    return ToQString(AnsiString(1, static_cast<char>(Code)));
}

// ---------------------------------------------------------------------------
// Focus: the windowing system moved it (a click, another window); a pop-up of the control keeps it here.

void TQtPeer::HandleFocusIn(QEvent* Event) {
    auto* e = static_cast<QFocusEvent*>(Event);
    if (e->reason() == Qt::PopupFocusReason || FocusedControl() == Control()) return;
    TWinControl* control = Control();
    Guarded([control] { MoveFocus(control, true); });
}

void TQtPeer::HandleFocusOut(QEvent* Event) {
    auto* e = static_cast<QFocusEvent*>(Event);
    if (e->reason() == Qt::PopupFocusReason || FocusedControl() != Control()) return;
    // Another of our widgets taking the focus says so itself with its FocusIn; a pop-up's list or menu
    // keeps it with the control that opened it.
    if (IsOurWidget(QApplication::focusWidget()) || QApplication::activePopupWidget()) return;
    if (e->reason() == Qt::ActiveWindowFocusReason) return;
    Guarded([] { MoveFocus(nullptr, true); });
}

// ---------------------------------------------------------------------------
// Top-level windows: the user closes, moves, resizes or activates them.

bool TQtPeer::HandleTopLevel(QEvent* Event) {
    auto* form = dynamic_cast<TCustomForm*>(Control());
    if (!form) return false;
    switch (Event->type()) {
        case QEvent::Close:
            Event->ignore();
            Send(WM_CLOSE, 0, 0);
            return true;
        case QEvent::Resize:
        case QEvent::Move: {
            QRect g = widget_->geometry();
            TRect now = Bounds(g.x(), g.y(), g.width(), g.height());
            if (now == bounds_ || !widget_->isVisible()) return false;
            bounds_ = now;
            Guarded([form, now] { TControlAccess::BoundsFromPeer(*form, now); });
            return false;
        }
        case QEvent::WindowActivate:
            // A late activation of a window that is no longer the focus window is stale.
            if (!form->Active() && widget_->windowHandle() && QGuiApplication::focusWindow() == widget_->windowHandle())
                Guarded([form] { TControlAccess::ActiveFromPeer(*form, true); });
            return false;
        default: return false;
    }
}
