// Simulated user input delivered to the top-level window as the windowing system delivers it, probes of what
// the peer shows, and grabs of what the window shows.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEnterEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTextEdit>
#include <QWheelEvent>
#include <QWindow>

#include <string_view>

#include "qt/MemoView.h"
#include "qt/Peer.h"
#include "qt/QtGraphics.h"
#include "qt/QtText.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

// Qt's entries for input as the windowing system reports it (exported by Qt GUI for simulated input): the
// event goes through Qt's own routing, hit-testing, grabs, double-click detection and focus handling.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

namespace {

QWidget* PeerWidget(TWinControl* Control) {
    if (!Control) throw EInvalidOperation("No control");
    Control->HandleNeeded();
    auto* peer = static_cast<TQtPeer*>(Control->Peer());
    if (!peer) throw EInvalidOperation("Control " + Control->Name() + " has no window");
    return peer->Widget();
}

Qt::KeyboardModifiers Modifiers(TShiftState Shift) {
    Qt::KeyboardModifiers m;
    if (Shift.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (Shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (Shift.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

// The text a US keyboard types for a virtual key (Windows' WM_CHAR); empty when the key types nothing.
QString TypedText(Word vk, TShiftState shift) {
    Byte c = TypedChar(vk, shift);
    return c ? QString(QChar(c)) : QString();
}

// The active window's QWindow for keys typed while Window's form is in front; keys reach whatever has the
// focus there, as the keyboard's do.
QWindow* KeyWindow(TWinControl* Window) {
    TCustomForm* form = GetParentForm(Window);
    QWidget* top = PeerWidget(form ? form : Window)->window();
    if (!top->isVisible() || !top->windowHandle()) throw EInvalidOperation("Keys need a shown window");
    if (form && !form->Active()) throw EInvalidOperation("Keys go to the active window; " + form->Name() + " is not");
    return top->windowHandle();
}

void SendKey(TWinControl* Window, QEvent::Type Type, int QtKey, Qt::KeyboardModifiers Mods, const QString& Text) {
    qt_handleKeyEvent(KeyWindow(Window), Type, QtKey, Mods, Text, false, 1);
}

// The peer widget that shows Target, with (X, Y) turned from Target's client coordinates into the widget's
// (a graphic control shows on its parent's widget).
QWidget* HostWidget(TControl* Target, Integer& X, Integer& Y) {
    auto* window = dynamic_cast<TWinControl*>(Target);
    if (!window) {
        window = Target->Parent();
        if (!window) throw EInvalidOperation("Control " + Target->Name() + " has no parent");
        X += Target->Left();
        Y += Target->Top();
    }
    QWidget* w = PeerWidget(window);
    TPoint offset = TControlAccess::SurfaceOffset(*window);
    X += offset.X;
    Y += offset.Y;
    return w;
}

// A point of the top-level window that shows Target, from a client point of Target.
struct TWindowPoint {
    QWindow* Window;
    QPointF Local;
};

TWindowPoint WindowPoint(TControl* Target, Integer X, Integer Y) {
    QWidget* w = HostWidget(Target, X, Y);
    QWidget* top = w->window();
    if (!top->isVisible() || !top->windowHandle())
        throw EInvalidOperation("Control " + Target->Name() + " is not in a shown window");
    return {top->windowHandle(), QPointF(w->mapTo(top, QPoint(X, Y)))};
}

// The buttons held and the clock of the simulated mouse. Presses come further apart than the double-click
// time, so that only DoubleClick makes double clicks.
struct TMouseState {
    static constexpr int ApartGap = 10000;
    Qt::MouseButtons Held;
    QPointer<QWindow> PressedIn;  // a press ends with the window it began in
    int Time = 0;
    int NextPressGap = ApartGap;
    QPointer<QWindow> Inside;  // the window the mouse is over
};

TMouseState& Mouse() {
    static TMouseState state;
    return state;
}

Qt::MouseButtons HeldIn(TShiftState Shift) {
    Qt::MouseButtons held;
    if (Shift.Contains(ssLeft)) held |= Qt::LeftButton;
    if (Shift.Contains(ssRight)) held |= Qt::RightButton;
    if (Shift.Contains(ssMiddle)) held |= Qt::MiddleButton;
    return held;
}

void LeaveWindow() {
    TMouseState& m = Mouse();
    if (!m.Inside) return;
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(m.Inside.data(), &e);
    m.Inside = nullptr;
}

// The mouse coming from outside a window enters it first, as the windowing system reports.
void EnterWindow(const TWindowPoint& At) {
    TMouseState& m = Mouse();
    if (m.Inside == At.Window) return;
    LeaveWindow();
    QEnterEvent e(At.Local, At.Local, At.Window->mapToGlobal(At.Local));
    QApplication::sendEvent(At.Window, &e);
    m.Inside = At.Window;
}

// A press on a window that is not active activates it first, as the window manager does.
void SendMouse(TControl* Target, QEvent::Type Type, Integer X, Integer Y, Qt::MouseButton Button, TShiftState Shift) {
    if (Type == QEvent::MouseButtonPress)
        if (TCustomForm* form = GetParentForm(Target); form && !form->Active()) Testing::ShowAndActivate(form);
    TWindowPoint at = WindowPoint(Target, X, Y);
    TMouseState& m = Mouse();
    EnterWindow(at);
    if (!m.PressedIn) m.Held = {};
    if (Type == QEvent::MouseButtonPress) {
        m.Held |= Button;
        m.PressedIn = at.Window;
        m.Time += m.NextPressGap;
        m.NextPressGap = TMouseState::ApartGap;
    }
    if (Type == QEvent::MouseButtonRelease) m.Held &= ~Qt::MouseButtons(Button);
    Qt::MouseButtons state = m.Held | (Type == QEvent::MouseMove ? HeldIn(Shift) : Qt::MouseButtons());
    qt_handleMouseEvent(at.Window, at.Local, at.Window->mapToGlobal(at.Local), state, Button, Type, Modifiers(Shift),
                        ++m.Time);
}

Qt::MouseButton QtButton(TMouseButton Button) {
    switch (Button) {
        case mbRight: return Qt::RightButton;
        case mbMiddle: return Qt::MiddleButton;
        default: return Qt::LeftButton;
    }
}

void Settle() { Application->ProcessMessages(); }

// The keypad's own keys come marked as keypad keys, as the windowing system reports them.
Qt::KeyboardModifiers KeyModifiers(Word VirtualKey, TShiftState Shift) {
    Qt::KeyboardModifiers m = Modifiers(Shift);
    if (IsKeypadVirtualKey(VirtualKey)) m |= Qt::KeypadModifier;
    return m;
}

}  // namespace

namespace Testing {

void KeyDown(TWinControl* Target, Word VirtualKey, TShiftState Shift) {
    SendKey(Target, QEvent::KeyPress, QtKeyFromVirtualKey(VirtualKey), KeyModifiers(VirtualKey, Shift),
            TypedText(VirtualKey, Shift));
    Settle();
}

void KeyUp(TWinControl* Target, Word VirtualKey, TShiftState Shift) {
    SendKey(Target, QEvent::KeyRelease, QtKeyFromVirtualKey(VirtualKey), KeyModifiers(VirtualKey, Shift),
            TypedText(VirtualKey, Shift));
    Settle();
}

void KeyPress(TWinControl* Target, Word VirtualKey, TShiftState Shift) {
    KeyDown(Target, VirtualKey, Shift);
    KeyUp(Target, VirtualKey, Shift);
}

void TypeText(TWinControl* Target, const AnsiString& Text) {
    for (char c : Text) {
        auto b = static_cast<unsigned char>(c);
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers mods;
        if (b >= 'a' && b <= 'z') key = Qt::Key_A + (b - 'a');
        else if (b >= 'A' && b <= 'Z') key = Qt::Key_A + (b - 'A'), mods = Qt::ShiftModifier;
        else if (b >= '0' && b <= '9') key = Qt::Key_0 + (b - '0');
        else if (b == ' ') key = Qt::Key_Space;
        else if (b == '\r' || b == '\n') key = Qt::Key_Return;
        else if (b == '\t') key = Qt::Key_Tab;
        else if (b == '\b') key = Qt::Key_Backspace;
        else if (b < 0x80) key = b;  // Qt's punctuation keys carry their ASCII code
        QString text = b == '\n' ? QString("\r") : ToQString(AnsiString(1, c));
        SendKey(Target, QEvent::KeyPress, key, mods, text);
        SendKey(Target, QEvent::KeyRelease, key, mods, text);
        Settle();
    }
}

void TypeWideText(TWinControl* Target, const WideString& Text) {
    for (WideChar unit : Text) {
        if (unit < 0x80) {
            TypeText(Target, AnsiString(1, static_cast<char>(unit)));
            continue;
        }
        const QString text(QChar{unit});
        SendKey(Target, QEvent::KeyPress, Qt::Key_unknown, {}, text);
        SendKey(Target, QEvent::KeyRelease, Qt::Key_unknown, {}, text);
        Settle();
    }
}

// The platform's input context hands its result to the focus object of the window that has the focus.
void CommitInputMethod(TWinControl* Target, const WideString& Text) {
    QObject* focus = KeyWindow(Target)->focusObject();
    if (!focus) throw EInvalidOperation("No focused widget takes the input method's text");
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromStdU16String(Text));
    QCoreApplication::sendEvent(focus, &commit);
    Settle();
}

void MouseDown(TControl* Target, Integer X, Integer Y, TMouseButton Button, TShiftState Shift) {
    SendMouse(Target, QEvent::MouseButtonPress, X, Y, QtButton(Button), Shift);
    Settle();
}

void MouseUp(TControl* Target, Integer X, Integer Y, TMouseButton Button, TShiftState Shift) {
    SendMouse(Target, QEvent::MouseButtonRelease, X, Y, QtButton(Button), Shift);
    Settle();
}

void MouseMove(TControl* Target, Integer X, Integer Y, TShiftState Shift) {
    SendMouse(Target, QEvent::MouseMove, X, Y, Qt::NoButton, Shift);
    Settle();
}

void Click(TControl* Target, Integer X, Integer Y, TMouseButton Button, TShiftState Shift) {
    MouseDown(Target, X, Y, Button, Shift);
    MouseUp(Target, X, Y, Button, Shift);
}

void Click(TControl* Target) { Click(Target, Target->ClientWidth() / 2, Target->ClientHeight() / 2); }

// The second press follows the first at once: the windowing system makes it a double click.
void DoubleClick(TControl* Target, Integer X, Integer Y) {
    Click(Target, X, Y);
    Mouse().NextPressGap = 1;
    Click(Target, X, Y);
}

void Wheel(TControl* Target, Integer X, Integer Y, Integer Delta, TShiftState Shift) {
    TWindowPoint at = WindowPoint(Target, X, Y);
    QWheelEvent e(at.Local, at.Window->mapToGlobal(at.Local), QPoint(), QPoint(0, Delta), Mouse().Held,
                  Modifiers(Shift), Qt::NoScrollPhase, false);
    QApplication::sendEvent(at.Window, &e);
    Settle();
}

void MouseEnter(TControl* Target) { MouseMove(Target, Target->ClientWidth() / 2, Target->ClientHeight() / 2); }

void MouseLeave(TControl* Target) {
    if (Mouse().Inside == WindowPoint(Target, 0, 0).Window) LeaveWindow();
    Settle();
}

void ShowAndActivate(TWinControl* Form) {
    auto* form = dynamic_cast<TCustomForm*>(Form);
    if (!form) throw EInvalidOperation("Not a form");
    form->Show();
    QWidget* w = PeerWidget(form);
    w->activateWindow();
    Settle();
    if (!form->Active()) form->SetFocus();
}

void ResizeWindow(TWinControl* Form, Integer Width, Integer Height) {
    if (!dynamic_cast<TCustomForm*>(Form)) throw EInvalidOperation("Not a form");
    // The window's own widget is the form less its frame.
    QWidget* w = PeerWidget(Form);
    w->resize(Width - (Form->Width() - w->width()), Height - (Form->Height() - w->height()));
    Settle();
}

namespace {

QString ShownText(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* e = qobject_cast<QTextEdit*>(w)) return e->toPlainText().replace("\n", "\r\n");
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) return s->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    return w->windowTitle();
}

}  // namespace

AnsiString PeerText(TWinControl* Control) {
    QWidget* w = PeerWidget(Control);
    if (auto* m = dynamic_cast<TMemoView*>(w)) return m->Text();
    return FromQString(ShownText(w));
}

WideString PeerWideText(TWinControl* Control) {
    QWidget* w = PeerWidget(Control);
    if (auto* m = dynamic_cast<TMemoView*>(w)) return AnsiToWide(m->Text());
    return ShownText(w).toStdU16String();
}

bool PeerEnabled(TWinControl* Control) { return PeerWidget(Control)->isEnabled(); }
bool PeerVisible(TWinControl* Control) { return PeerWidget(Control)->isVisible(); }
bool PeerHasFocus(TWinControl* Control) { return PeerWidget(Control)->hasFocus(); }

bool PeerChecked(TWinControl* Control) {
    auto* b = qobject_cast<QAbstractButton*>(PeerWidget(Control));
    return b && b->isChecked();
}

void PickCalendarDate(TWinControl* Picker, TDateTime Day) {
    auto* field = qobject_cast<QDateTimeEdit*>(PeerWidget(Picker));
    QCalendarWidget* calendar = field && field->calendarPopup() ? field->calendarWidget() : nullptr;
    if (!calendar || !calendar->window()->isVisible()) throw EInvalidOperation("The picker's calendar is not down");
    Word year = 0, month = 0, day = 0;
    DecodeDate(Day, year, month, day);
    const QDate date(year, month, day);
    // A click selects the day, then reports it.
    calendar->setSelectedDate(date);
    emit calendar->clicked(date);
    Settle();
}

TRect PeerGeometry(TWinControl* Control) {
    QRect g = PeerWidget(Control)->geometry();
    return Bounds(g.x(), g.y(), g.width(), g.height());
}

AnsiString PeerProperty(TWinControl* Control, const char* Name) {
    QWidget* w = PeerWidget(Control);
    // The multi-line view makes what it shows only when asked.
    if (auto* m = dynamic_cast<TMemoView*>(w); m && std::string_view(Name) == "displayText")
        return FromQString(m->DisplayText());
    return FromQString(w->property(Name).toString());
}

TBitmap* RenderControl(TWinControl* Control) {
    QWidget* w = PeerWidget(Control);
    auto* bitmap = new TBitmap;
    try {
        bitmap->SetSize(w->width(), w->height());
        Control->PaintTo(bitmap->Canvas(), 0, 0);
    } catch (...) {
        delete bitmap;
        throw;
    }
    return bitmap;
}

HCURSOR ShownCursor() {
    if (HCURSOR shown = GetCursor()) return shown;
    if (Screen->Cursor() != crDefault) return Screen->Cursors(Screen->Cursor());
    POINT at{};
    GetCursorPos(&at);
    TControl* under = FindDragTarget(at, true);
    auto* window = dynamic_cast<TWinControl*>(under);
    if (under && !window) {
        if (under->Cursor() != crDefault) return Screen->Cursors(under->Cursor());
        window = under->Parent();
    }
    for (QWidget* w = window && window->HandleAllocated() ? PeerWidget(window) : nullptr; w; w = w->parentWidget()) {
        if (!w->testAttribute(Qt::WA_SetCursor)) continue;
        for (TCursor c = crDefault; c >= crSizeAll; --c)
            if (QtCursorShape(c) == w->cursor().shape()) return Screen->Cursors(c);
    }
    return Screen->Cursors(crDefault);
}

TBitmap* GrabWindow(TWinControl* Form) {
    QWidget* w = PeerWidget(Form);
    if (!w->isWindow() || !w->isVisible()) throw EInvalidOperation("Window " + Form->Name() + " is not shown");
    // Updates asked for while updates are processed (a paint that moves a control) need another round.
    for (int round = 0; round < 3; ++round) Application->ProcessMessages();
    // What was flushed to the screen for this window, not a fresh rendering of its widgets.
    QImage image = w->screen()->grabWindow(w->winId()).toImage();
    if (image.isNull()) throw EInvalidOperation("Window " + Form->Name() + " has not reached the screen");
    auto* bitmap = new TBitmap;
    bitmap->Surface().Assign(image);
    return bitmap;
}

namespace {

QWidget* DroppedList(TWinControl* Combo) {
    auto* combo = qobject_cast<QComboBox*>(PeerWidget(Combo));
    QWidget* list = combo ? combo->view()->window() : nullptr;
    if (!list || list == combo->window() || !list->isVisible())
        throw EInvalidOperation("The list of " + Combo->Name() + " is not dropped down");
    return list;
}

}  // namespace

TRect DroppedListBounds(TWinControl* Combo) {
    Application->ProcessMessages();
    const QRect g = DroppedList(Combo)->geometry();
    return Bounds(g.x(), g.y(), g.width(), g.height());
}

TBitmap* GrabDroppedList(TWinControl* Combo) {
    for (int round = 0; round < 3; ++round) Application->ProcessMessages();
    QWidget* list = DroppedList(Combo);
    QImage image = list->screen()->grabWindow(list->winId()).toImage();
    if (image.isNull()) throw EInvalidOperation("The list of " + Combo->Name() + " has not reached the screen");
    auto* bitmap = new TBitmap;
    bitmap->Surface().Assign(image);
    return bitmap;
}

bool SaveBitmapAsPng(TBitmap* Bitmap, const AnsiString& Path) {
    if (!Bitmap) return false;
    return BitmapImage(*Bitmap).save(ToQString(Path), "PNG");
}

}  // namespace Testing
