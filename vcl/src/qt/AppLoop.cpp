// The windowing system's services for the application: the Qt application object, the event loop, the
// posted-message wake-up, message boxes, screens, the cursor and window timers; and the guard that every
// entry from Qt into the stand-in runs through.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "Controls/Internal.h"
#include "Forms/Access.h"
#include "qt/Peer.h"
#include "qt/QtGraphics.h"
#include "qt/QtText.h"
#include "vcl/Windows.h"

void RunFromQt(TObject* Sender, const std::function<void()>& Step) {
    try {
        Step();
    } catch (...) {
        if (Application) return Application->HandleException(Sender);
        // Outside the Forms unit's life there is nobody to show it to.
        try {
            throw;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        } catch (...) {
            std::fputs("Unknown exception\n", stderr);
        }
    }
}

namespace {

// Whatever an entry into the stand-in let through stops here, before it reaches Qt's event loop.
class TGuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* Receiver, QEvent* Event) override {
        bool handled = false;
        RunFromQt(Application, [&] { handled = QApplication::notify(Receiver, Event); });
        return handled;
    }
};

constexpr const char* NoDisplay = "no display: set DISPLAY or run under a virtual X server";

bool Set(const char* Variable) {
    const char* value = std::getenv(Variable);
    return value && *value;
}

// Platforms such as offscreen, minimal or vnc draw without a display server; Qt's default needs one.
bool DisplayServerNeeded() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform) return true;
    const std::string_view name(platform);
    return name.starts_with("xcb") || name.starts_with("wayland");
}

// Qt ends the process when its platform cannot start, as with a display that does not answer. While the
// application object is made, Qt's messages are held back: that fatal one becomes our one line and exit
// status 1; otherwise they go out as they came once the object stands.
struct THeldMessage {
    QtMsgType Type;
    QByteArray File;
    int Line;
    QByteArray Function;
    QByteArray Category;
    QString Text;
};

QtMessageHandler previousHandler = nullptr;
std::mutex heldLock;  // Qt's own threads may write while the object is made
std::vector<THeldMessage> heldMessages;

void ReleaseHeldMessages() {
    qInstallMessageHandler(previousHandler);
    std::vector<THeldMessage> held;
    {
        const std::lock_guard<std::mutex> lock(heldLock);
        held.swap(heldMessages);
    }
    for (const THeldMessage& m : held) {
        const QMessageLogContext context(m.File.constData(), m.Line, m.Function.constData(), m.Category.constData());
        qt_message_output(m.Type, context, m.Text);
    }
}

void HoldMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
    if (Type == QtFatalMsg && Text.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr, "%s\n", NoDisplay);
        std::_Exit(1);  // Qt aborts once this returns; at start-up there is nothing to save
    }
    {
        const std::lock_guard<std::mutex> lock(heldLock);
        heldMessages.push_back({Type, Context.file, Context.line, Context.function, Context.category, Text});
    }
    if (Type == QtFatalMsg) ReleaseHeldMessages();
}

}  // namespace

void EnsureQtApplication() {
    if (QCoreApplication::instance()) return;
    if (DisplayServerNeeded() && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) throw Exception(NoDisplay);
    static int argc = 1;
    static char name[] = "halcyra";
    static char* argv[] = {name, nullptr};
    previousHandler = qInstallMessageHandler(HoldMessage);
    new TGuardedApplication(argc, argv);  // lives as long as the process
    ReleaseHeldMessages();
}

namespace {

// Posted messages are delivered from Qt's loop, in order, when this object's wake-up event arrives.
class TPostedDispatcher : public QObject {
public:
    static constexpr QEvent::Type WakeType = static_cast<QEvent::Type>(QEvent::User + 0x51);
    bool wakePending = false;

protected:
    bool event(QEvent* Event) override {
        if (Event->type() != WakeType) return QObject::event(Event);
        wakePending = false;
        RunFromQt(Application, [] { TApplicationAccess::DeliverPosted(*Application); });
        return true;
    }
};

TPostedDispatcher& Dispatcher() {
    static auto* dispatcher = new TPostedDispatcher;  // lives as long as the process
    return *dispatcher;
}

bool& OverrideCursorSet() {
    static bool set = false;
    return set;
}

}  // namespace

namespace AppLoop {

void EnsureApplication() { EnsureQtApplication(); }

bool ApplicationExists() { return QCoreApplication::instance() != nullptr; }

void ProcessEvents(bool Wait) {
    EnsureApplication();
    QCoreApplication::processEvents(Wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WakeForPosted() {
    EnsureApplication();
    TPostedDispatcher& d = Dispatcher();
    if (d.wakePending) return;
    d.wakePending = true;
    QCoreApplication::postEvent(&d, new QEvent(TPostedDispatcher::WakeType));
}

int ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags) {
    EnsureApplication();
    QMessageBox box;
    box.setWindowTitle(ToQString(Caption));
    box.setText(ToQString(Text));
    switch (Flags & 0xF0) {
        case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    std::vector<std::pair<QPushButton*, int>> buttons;
    auto add = [&](const char* label, int id) {
        buttons.emplace_back(box.addButton(QString::fromLatin1(label), QMessageBox::AcceptRole), id);
    };
    switch (Flags & 0x0F) {
        case MB_OKCANCEL:
            add("OK", IDOK);
            add("Cancel", IDCANCEL);
            break;
        case MB_ABORTRETRYIGNORE:
            add("&Abort", IDABORT);
            add("&Retry", IDRETRY);
            add("&Ignore", IDIGNORE);
            break;
        case MB_YESNOCANCEL:
            add("&Yes", IDYES);
            add("&No", IDNO);
            add("Cancel", IDCANCEL);
            break;
        case MB_YESNO:
            add("&Yes", IDYES);
            add("&No", IDNO);
            break;
        case MB_RETRYCANCEL:
            add("&Retry", IDRETRY);
            add("Cancel", IDCANCEL);
            break;
        default: add("OK", IDOK); break;
    }
    std::size_t defaultIndex = (Flags & 0x300) >> 8;
    if (defaultIndex < buttons.size()) box.setDefaultButton(buttons[defaultIndex].first);
    box.exec();
    for (const auto& [button, id] : buttons)
        if (box.clickedButton() == button) return id;
    return (Flags & 0x0F) == MB_OK ? IDOK : IDCANCEL;
}

std::vector<TMonitorSpec> QueryScreens() {
    EnsureApplication();
    std::vector<TMonitorSpec> result;
    QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* s : QGuiApplication::screens()) {
        QRect g = s->geometry();
        QRect a = s->availableGeometry();
        result.push_back(
            {Bounds(g.x(), g.y(), g.width(), g.height()), Bounds(a.x(), a.y(), a.width(), a.height()), s == primary});
    }
    return result;
}

void SetOverrideCursor(TCursor Cursor) {
    EnsureApplication();
    if (OverrideCursorSet()) QApplication::restoreOverrideCursor();
    OverrideCursorSet() = Cursor != crDefault;
    if (Cursor == crDefault) return;
    Qt::CursorShape shape = Cursor == crHourGlass || Cursor == crSQLWait ? Qt::WaitCursor
                            : Cursor == crAppStart                       ? Qt::BusyCursor
                                                                         : Qt::ArrowCursor;
    QApplication::setOverrideCursor(QCursor(shape));
}

namespace {

std::optional<TPoint>& NotedMousePos() {
    static std::optional<TPoint> pos;
    return pos;
}

bool PointerlessPlatform() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

}  // namespace

TPoint CursorPos() {
    EnsureApplication();
    if (PointerlessPlatform() && NotedMousePos()) return *NotedMousePos();
    QPoint p = QCursor::pos();
    return Point(p.x(), p.y());
}

void SetCursorPos(TPoint Pos) {
    EnsureApplication();
    NotedMousePos() = Pos;
    QCursor::setPos(Pos.X, Pos.Y);
}

void NoteMousePos(TPoint Pos) { NotedMousePos() = Pos; }

AnsiString ExecutablePath() {
    EnsureApplication();
    return FromQString(QCoreApplication::applicationFilePath());
}

}  // namespace AppLoop
