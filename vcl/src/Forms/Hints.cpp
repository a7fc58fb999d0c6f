// Hints: the mouse resting over a control for Application->HintPause shows the control's hint in a hint
// window; input, the mouse leaving, or HintHidePause hides it again. Leaving the hint's CursorRect (a
// grid's cell) waits for the next hint again, only HintShortPause while one was up.

#include "Controls/Internal.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Windows.h"

namespace {

class THintTracker : public TComponent {
public:
    THintTracker() : TComponent(nullptr) {}

    void Message(TControl* Control, TMessage& Message);
    void ShowFor(TControl* Control);
    void Hide();
    void Cancel();
    THintWindow* Shown() const { return window_ && window_->Visible() ? window_ : nullptr; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Track(TControl* Control);
    void StartPause(Integer Pause);
    void StopTimer(Cardinal& Id);

    TControl* control_ = nullptr;  // the control the mouse is over
    TControl* shownFor_ = nullptr;
    THintWindow* window_ = nullptr;
    TRect cursorRect_;       // in the client coordinates of control_ or shownFor_
    bool haveRect_ = false;  // cursorRect_ is where control_'s last hint holds
    TPoint cursor_;          // the mouse on the screen, as the last mouse message placed it
    bool haveCursor_ = false;
    Cardinal pauseTimer_ = 0;
    Cardinal hideTimer_ = 0;
};

// Made once and never destroyed: nothing may run on it after the windows are gone at exit.
THintTracker& Tracker() {
    static THintTracker* tracker = new THintTracker;
    return *tracker;
}

bool IsPress(UINT Msg) {
    switch (Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: return true;
        default: return false;
    }
}

void THintTracker::Message(TControl* Control, TMessage& Message) {
    if (Control == window_) return;
    if (IsPress(Message.Msg)) {
        // Input ends this hint; the next one waits until the mouse reaches another control.
        Hide();
        StopTimer(pauseTimer_);
        haveRect_ = false;
        return;
    }
    if (Message.Msg == CM_MOUSELEAVE && (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(Control))) {
        if (Control == control_) Cancel();
        return;
    }
    if (Message.Msg != WM_MOUSEMOVE) return;
    TPoint client = TWMMouse(Message).Pos();
    cursor_ = Control->ClientToScreen(client);
    haveCursor_ = true;
    const bool wasUp = Shown() != nullptr;
    const bool leftRect = Control == control_ && haveRect_ && !cursorRect_.Contains(client);
    if (wasUp && (Control != shownFor_ || !cursorRect_.Contains(client))) Hide();
    if (Control != control_ || leftRect) {
        if (Control != control_) Track(Control);
        haveRect_ = false;
        if (Application) StartPause(wasUp ? Application->HintShortPause() : Application->HintPause());
    }
}

void THintTracker::Cancel() {
    Hide();
    StopTimer(pauseTimer_);
    Track(nullptr);
    haveRect_ = false;
}

void THintTracker::Track(TControl* Control) {
    if (control_ && control_ != shownFor_) control_->RemoveFreeNotification(this);
    control_ = Control;
    if (control_) control_->FreeNotification(this);
}

void THintTracker::StartPause(Integer Pause) {
    StopTimer(pauseTimer_);
    if (!control_) return;
    pauseTimer_ = TimerService().Start(static_cast<Cardinal>(std::max<Integer>(Pause, 1)), [this] {
        StopTimer(pauseTimer_);
        if (control_) ShowFor(control_);
    });
}

void THintTracker::ShowFor(TControl* Control) {
    Hide();
    if (!Application || !Application->ShowHint() || !Control || !Control->ShowHint()) return;
    THintInfo info;
    info.HintStr = GetShortHint(Control->Hint());
    if (info.HintStr.empty()) return;
    TPoint cursor = cursor_;
    if (!haveCursor_) GetCursorPos(&cursor);
    info.HintControl = Control;
    info.HintWindowClass = THintWindow::ClassInfo();
    info.HintPos = Point(cursor.X, cursor.Y + GetSystemMetrics(SM_CYCURSOR));
    info.HintMaxWidth = Screen ? Screen->Width() : 0;
    info.HintColor = Application->HintColor();
    info.CursorRect = Control->ClientRect();
    info.CursorPos = Control->ScreenToClient(cursor);
    info.HideTimeout = Application->HintHidePause();
    bool canShow = Control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && Application->OnShowHint) Application->OnShowHint(info.HintStr, canShow, info);
    // Where this hint holds, shown or not: leaving it brings the next part's hint.
    cursorRect_ = info.CursorRect;
    haveRect_ = Control == control_;
    if (!canShow || info.HintStr.empty()) return;

    TClass cls = info.HintWindowClass;
    if (window_ && window_->ClassType() != cls) {
        FreeAndNil(window_);
    }
    if (!window_) {
        // The application owns the window, so it goes while the windowing system is still there.
        const bool usable = cls && cls->InheritsFrom(THintWindow::ClassInfo()) && cls->Create;
        window_ = usable ? dynamic_cast<THintWindow*>(cls->Create(Application)) : nullptr;
        if (!window_) window_ = new THintWindow(Application);
        window_->FreeNotification(this);
    }
    window_->SetColor(info.HintColor);
    TRect size = window_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    TRect r = Bounds(info.HintPos.X, info.HintPos.Y, size.Width(), size.Height());
    window_->ActivateHintData(r, info.HintStr, info.HintData);
    shownFor_ = Control;
    shownFor_->FreeNotification(this);
    if (info.HideTimeout > 0)
        hideTimer_ = TimerService().Start(static_cast<Cardinal>(info.HideTimeout), [this] { Hide(); });
}

void THintTracker::Hide() {
    StopTimer(hideTimer_);
    if (shownFor_ && shownFor_ != control_) shownFor_->RemoveFreeNotification(this);
    shownFor_ = nullptr;
    if (window_ && window_->Visible()) window_->ReleaseHandle();
}

void THintTracker::StopTimer(Cardinal& Id) {
    if (Id) TimerService().Stop(Id);
    Id = 0;
}

void THintTracker::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == window_) {
        window_ = nullptr;
        shownFor_ = nullptr;
        StopTimer(hideTimer_);
    }
    if (AComponent == shownFor_) Hide();
    if (AComponent == control_) {
        control_ = nullptr;
        haveRect_ = false;
        StopTimer(pauseTimer_);
    }
}

}  // namespace

void HintTrackMessage(TControl* Control, TMessage& Message) { Tracker().Message(Control, Message); }

void ShowHintNow(TControl* Control) { Tracker().ShowFor(Control); }

void CancelHintTracking() { Tracker().Cancel(); }

THintWindow* ShownHintWindow() { return Tracker().Shown(); }
