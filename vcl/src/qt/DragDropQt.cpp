// OLE drag and drop over Qt's drags. A registered window's widget turns Qt's drag events into its
// IDropTarget's calls; DoDragDrop runs a QDrag of the data object (or, headless, a script that
// delivers the same drag events as Qt would).
#include <map>

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "ActiveX/BlockDataObject.h"
#include "ActiveX/DragDropInternal.h"
#include "qt/MimeFormats.h"
#include "qt/Peer.h"
#include "qt/QtText.h"
#include "vcl/ExtCtrls.h"

namespace {

// ---------------------------------------------------------------------------
// Effects and key states in Qt's terms

Qt::DropAction ActionOf(DWORD Effect) {
    switch (Effect) {
        case DROPEFFECT_COPY: return Qt::CopyAction;
        case DROPEFFECT_MOVE: return Qt::MoveAction;
        case DROPEFFECT_LINK: return Qt::LinkAction;
        default: return Qt::IgnoreAction;
    }
}

Qt::DropActions ActionsOf(DWORD Effects) {
    Qt::DropActions actions;
    for (DWORD e : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
        if (Effects & e) actions |= ActionOf(e);
    }
    return actions;
}

DWORD EffectsOf(Qt::DropActions Actions) {
    DWORD effects = DROPEFFECT_NONE;
    if (Actions & Qt::CopyAction) effects |= DROPEFFECT_COPY;
    if (Actions & Qt::MoveAction) effects |= DROPEFFECT_MOVE;
    if (Actions & Qt::LinkAction) effects |= DROPEFFECT_LINK;
    return effects;
}

DWORD KeyStateOf(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers) {
    DWORD keys = 0;
    if (Buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    if (Modifiers & Qt::AltModifier) keys |= MK_ALT;
    return keys;
}

Qt::MouseButtons ButtonsOf(DWORD Keys) {
    Qt::MouseButtons buttons;
    if (Keys & MK_LBUTTON) buttons |= Qt::LeftButton;
    if (Keys & MK_RBUTTON) buttons |= Qt::RightButton;
    if (Keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
    return buttons;
}

Qt::KeyboardModifiers ModifiersOf(DWORD Keys) {
    Qt::KeyboardModifiers modifiers;
    if (Keys & MK_SHIFT) modifiers |= Qt::ShiftModifier;
    if (Keys & MK_CONTROL) modifiers |= Qt::ControlModifier;
    if (Keys & MK_ALT) modifiers |= Qt::AltModifier;
    return modifiers;
}

// Qt's drag re-posts the button release to the window once its loop is over; the drag has already
// ended it, so no control may see a second release.
void SwallowRepostedRelease() { QCoreApplication::removePostedEvents(nullptr, QEvent::MouseButtonRelease); }

// A drag inside the program carries the source's own data object; another program's is read once.
ComPtr<IDataObject> DataObjectOf(const QMimeData* Mime) {
    if (!Mime) return ComPtr<IDataObject>(new TBlockDataObject({}));
    if (auto* ours = dynamic_cast<const TOleMimeData*>(Mime)) return ComPtr<IDataObject>(ours->DataObject());
    return ComPtr<IDataObject>(new TBlockDataObject(BlocksFromMime(*Mime)));
}

// ---------------------------------------------------------------------------
// The widget side of a registration

class TDropTargetBridge : public QObject {
public:
    TDropTargetBridge(HWND Window, QWidget* Widget)
        : QObject(Widget), window_(Window), widget_(Widget), acceptedBefore_(Widget->acceptDrops()) {
        Widget->installEventFilter(this);
        Widget->setAcceptDrops(true);
    }

    // The widget is going: so is the registration.
    ~TDropTargetBridge() override;

    // Revoked: drags go back to the widget; the registration is already gone.
    void Detach() {
        StopRepeat();
        attached_ = false;
        if (!widget_) return;
        widget_->removeEventFilter(this);
        widget_->setAcceptDrops(acceptedBefore_);
    }

    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (!attached_ || Watched != widget_) return false;
        const QEvent::Type type = Event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::DragLeave && type != QEvent::Drop)
            return false;
        ComPtr<IDropTarget> target(RegisteredDropTarget(window_));
        if (!target) return false;
        RunFromQt(FindControl(window_), [&] { Deliver(target.Get(), Event); });
        return true;
    }

private:
    void Deliver(IDropTarget* Target, QEvent* Event) {
        if (Event->type() == QEvent::DragLeave) {
            StopRepeat();
            Target->DragLeave();
            data_.Reset();
            return;
        }
        auto* e = static_cast<QDropEvent*>(Event);
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
        const DWORD allowed = EffectsOf(e->possibleActions());
        const DWORD keys = KeyStateOf(e->buttons(), e->modifiers());
        const POINTL pt = ScreenPoint(e->position().toPoint());
        DWORD effect = allowed;
        HRESULT result = S_OK;
        if (Event->type() == QEvent::Drop) StopRepeat();
        else RestartRepeat(keys, pt, allowed);
        switch (Event->type()) {
            case QEvent::DragEnter:
                data_ = DataObjectOf(e->mimeData());
                result = Target->DragEnter(data_.Get(), keys, pt, &effect);
                // Entering is always taken, so the moves that decide keep coming, as OLE calls DragOver.
                e->accept();
                break;
            case QEvent::DragMove: result = Target->DragOver(keys, pt, &effect); break;
            default: {
                ComPtr<IDataObject> data = data_ ? data_ : DataObjectOf(e->mimeData());
                data_.Reset();
                result = Target->Drop(data.Get(), keys, pt, &effect);
                break;
            }
        }
        const DWORD answer = SUCCEEDED(result) ? EffectWithin(effect, allowed) : DROPEFFECT_NONE;
        if (answer == DROPEFFECT_NONE) return;
        e->setDropAction(ActionOf(answer));
        e->accept();
    }

    // The windowing system reports a drag only when it moves; OLE asks the target again every 50 ms at the
    // last point while the drag rests there (a target may scroll at each call).
    void RestartRepeat(DWORD Keys, POINTL Pt, DWORD Allowed) {
        StopRepeat();
        repeatService_ = &TimerService();
        repeat_ = repeatService_->Start(RepeatInterval, [this, Keys, Pt, Allowed] {
            ComPtr<IDropTarget> target(RegisteredDropTarget(window_));
            if (!target) return StopRepeat();
            DWORD effect = Allowed;
            target->DragOver(Keys, Pt, &effect);
        });
    }

    void StopRepeat() {
        if (repeat_) repeatService_->Stop(repeat_);
        repeat_ = 0;
    }

    // The target gets screen points in the stand-in's terms.
    POINTL ScreenPoint(QPoint Local) const {
        TWinControl* control = FindControl(window_);
        if (!control) {
            QPoint global = widget_ ? widget_->mapToGlobal(Local) : Local;
            return {global.x(), global.y()};
        }
        const TPoint offset = TControlAccess::SurfaceOffset(*control);
        const TPoint screen = control->ClientToScreen(Point(Local.x() - offset.X, Local.y() - offset.Y));
        return {screen.X, screen.Y};
    }

    HWND window_;
    QPointer<QWidget> widget_;
    bool acceptedBefore_;
    bool attached_ = true;
    ComPtr<IDataObject> data_;  // from entering to leaving or dropping
    static constexpr Cardinal RepeatInterval = 50;
    TTimerService* repeatService_ = nullptr;
    Cardinal repeat_ = 0;
};

// Never destroyed: bridges leave with their widgets, which may outlive static destruction.
std::map<HWND, QPointer<TDropTargetBridge>>& Bridges() {
    static auto* bridges = new std::map<HWND, QPointer<TDropTargetBridge>>;
    return *bridges;
}

TDropTargetBridge::~TDropTargetBridge() {
    StopRepeat();
    if (!attached_) return;
    auto& bridges = Bridges();
    auto it = bridges.find(window_);
    if (it != bridges.end() && it->second == this) bridges.erase(it);
    ForgetDropTarget(window_);
}

// ---------------------------------------------------------------------------
// The headless drag: the events Qt's drag would deliver, at the script's points.

class TScriptedDrag {
public:
    TScriptedDrag(const QMimeData& Mime, IDropSource* Source, DWORD OkEffects)
        : mime_(Mime), source_(Source), ok_(OkEffects) {}

    HRESULT Run(const std::vector<TDragStep>& Steps, DWORD& Effect) {
        Effect = DROPEFFECT_NONE;
        for (const TDragStep& step : Steps) {
            // The pointer is there before the source is asked, as the user's mouse would be.
            AppLoop::NoteMousePos(step.ScreenPoint);
            const HRESULT verdict = Verdict(step);
            if (verdict == DRAGDROP_S_CANCEL) break;
            const QPoint global(step.ScreenPoint.X, step.ScreenPoint.Y);
            const bool drop = verdict == DRAGDROP_S_DROP;
            MoveTo(global, drop ? step.KeyState | MK_LBUTTON : step.KeyState);
            if (source_) source_->GiveFeedback(effect_);
            if (drop) {
                Effect = DropAt(global, step.KeyState);
                RepostRelease(global, step.KeyState);
                SwallowRepostedRelease();
                return Effect != DROPEFFECT_NONE ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
            }
        }
        Leave();
        return DRAGDROP_S_CANCEL;
    }

private:
    // The source decides; another program's drag ends as its user does.
    HRESULT Verdict(const TDragStep& Step) const {
        if (source_) return source_->QueryContinueDrag(Step.Escape ? TRUE : FALSE, Step.KeyState);
        if (Step.Escape) return DRAGDROP_S_CANCEL;
        return (Step.KeyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }

    // As Qt routes a drag: to the widget under the point that takes drops, or a parent of it.
    static QWidget* DropWidgetAt(QPoint Global) {
        for (QWidget* w = QApplication::widgetAt(Global); w; w = w->isWindow() ? nullptr : w->parentWidget()) {
            if (w->acceptDrops()) return w;
        }
        return nullptr;
    }

    DWORD Send(QWidget* Widget, QEvent::Type Type, QPoint Global, DWORD Keys) {
        const QPoint local = Widget->mapFromGlobal(Global);
        const Qt::DropActions actions = ActionsOf(ok_);
        auto send = [&](QDropEvent& e) {
            e.setDropAction(Qt::IgnoreAction);
            e.ignore();
            QCoreApplication::sendEvent(Widget, &e);
            return e.isAccepted() ? EffectWithin(EffectsOf(e.dropAction()), ok_) : DROPEFFECT_NONE;
        };
        if (Type == QEvent::DragEnter) {
            QDragEnterEvent e(local, actions, &mime_, ButtonsOf(Keys), ModifiersOf(Keys));
            e.ignore();
            QCoreApplication::sendEvent(Widget, &e);
            entered_ = e.isAccepted();
            return DROPEFFECT_NONE;
        }
        if (Type == QEvent::DragMove) {
            QDragMoveEvent e(local, actions, &mime_, ButtonsOf(Keys), ModifiersOf(Keys));
            return send(e);
        }
        QDropEvent e(QPointF(local), actions, &mime_, ButtonsOf(Keys), ModifiersOf(Keys));
        return send(e);
    }

    // Qt follows every enter with a move, and moves only to a widget that took the enter.
    void MoveTo(QPoint Global, DWORD Keys) {
        QWidget* w = DropWidgetAt(Global);
        if (w != current_) {
            Leave();
            current_ = w;
            if (w) Send(w, QEvent::DragEnter, Global, Keys);
        }
        effect_ = current_ && entered_ ? Send(current_, QEvent::DragMove, Global, Keys) : DROPEFFECT_NONE;
    }

    void Leave() {
        if (current_ && entered_) {
            QDragLeaveEvent e;
            QCoreApplication::sendEvent(current_, &e);
        }
        current_ = nullptr;
        entered_ = false;
        effect_ = DROPEFFECT_NONE;
    }

    DWORD DropAt(QPoint Global, DWORD Keys) {
        if (!current_ || effect_ == DROPEFFECT_NONE) {
            Leave();
            return DROPEFFECT_NONE;
        }
        const DWORD effect = Send(current_, QEvent::Drop, Global, Keys);
        current_ = nullptr;
        entered_ = false;
        return effect;
    }

    // What Qt's drag does at the end: the release goes to the window under the mouse once more.
    static void RepostRelease(QPoint Global, DWORD Keys) {
        QWidget* w = QApplication::widgetAt(Global);
        if (!w) return;
        QCoreApplication::postEvent(
            w, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(w->mapFromGlobal(Global)), QPointF(Global),
                               Qt::LeftButton, ButtonsOf(Keys) & ~Qt::LeftButton, ModifiersOf(Keys)));
    }

    const QMimeData& mime_;
    IDropSource* source_;
    DWORD ok_;
    QPointer<QWidget> current_;
    bool entered_ = false;
    DWORD effect_ = DROPEFFECT_NONE;
};

// ---------------------------------------------------------------------------
// The drag a user makes

HRESULT RunQtDrag(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect) {
    Effect = DROPEFFECT_NONE;
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return DRAGDROP_S_CANCEL;
    QObject* origin = QWidget::mouseGrabber();
    if (!origin) origin = QApplication::widgetAt(QCursor::pos());
    if (!origin) origin = QApplication::activeWindow();
    if (!origin) return DRAGDROP_S_CANCEL;

    auto* drag = new QDrag(origin);
    drag->setMimeData(new TOleMimeData(Data));
    QObject::connect(drag, &QDrag::actionChanged, drag, [Source, OkEffects](Qt::DropAction action) {
        RunFromQt(nullptr, [&] { Source->GiveFeedback(EffectWithin(EffectsOf(action), OkEffects)); });
    });
    // Qt ends the drag at the release and at Escape itself; the source may still cancel between.
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [Source] {
        RunFromQt(nullptr, [&] {
            const DWORD keys = KeyStateOf(QGuiApplication::mouseButtons(), QGuiApplication::queryKeyboardModifiers());
            if (Source->QueryContinueDrag(FALSE, keys) == DRAGDROP_S_CANCEL) QDrag::cancel();
        });
    });
    poll.start();
    const Qt::DropAction action = drag->exec(ActionsOf(OkEffects));
    poll.stop();
    drag->deleteLater();
    SwallowRepostedRelease();
    Effect = EffectWithin(EffectsOf(action), OkEffects);
    return Effect != DROPEFFECT_NONE ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
}

}  // namespace

namespace DragLoop {

void AttachTarget(HWND Window) {
    TWinControl* control = FindControl(Window);
    auto* peer = control ? dynamic_cast<TQtPeer*>(control->Peer()) : nullptr;
    if (!peer || !peer->Widget()) return;
    Bridges()[Window] = new TDropTargetBridge(Window, peer->Widget());
}

void DetachTarget(HWND Window) {
    auto& bridges = Bridges();
    auto it = bridges.find(Window);
    if (it == bridges.end()) return;
    if (TDropTargetBridge* bridge = it->second) {
        bridge->Detach();
        bridge->deleteLater();  // it may be inside its own event filter now
    }
    bridges.erase(it);
}

HRESULT Run(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect,
            const std::optional<std::vector<TDragStep>>& Script) {
    AppLoop::EnsureApplication();
    if (!Script) return RunQtDrag(Data, Source, OkEffects, Effect);
    TOleMimeData mime(Data);
    return TScriptedDrag(mime, Source, OkEffects).Run(*Script, Effect);
}

DWORD RunForeign(const std::vector<std::pair<AnsiString, std::string>>& Formats, DWORD OkEffects,
                 const std::vector<TDragStep>& Steps) {
    AppLoop::EnsureApplication();
    QMimeData mime;
    for (const auto& [type, data] : Formats)
        mime.setData(ToQString(type), QByteArray(data.data(), static_cast<qsizetype>(data.size())));
    DWORD effect = DROPEFFECT_NONE;
    TScriptedDrag(mime, nullptr, OkEffects).Run(Steps, effect);
    return effect;
}

}  // namespace DragLoop
