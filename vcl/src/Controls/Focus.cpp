// Who has the focus, the mouse capture and the mouse: one of each for the whole application.

#include "Controls/Internal.h"
#include "Controls/ControlPeer.h"

namespace {

struct TInputOwners {
    TWinControl* focused = nullptr;
    TControl* capture = nullptr;
    TControl* underMouse = nullptr;
};

TInputOwners& Owners() {
    static TInputOwners owners;
    return owners;
}

HWND HandleOf(TWinControl* c) { return c && c->HandleAllocated() ? c->Handle() : nullptr; }

}  // namespace

TWinControl* FocusedControl() { return Owners().focused; }

void MoveFocus(TWinControl* Control, bool FromPeer) {
    TInputOwners& o = Owners();
    if (Control == o.focused) return;
    TWinControl* old = o.focused;
    if (Control) Control->HandleNeeded();
    o.focused = Control;
    // A handler that raises never leaves the focus half-moved: its exception is reported afterwards.
    TFocusSteps steps(Control ? Control : old);
    if (old) steps.Run([&] { old->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(HandleOf(Control)), 0); });
    // A handler of the old control may have moved the focus elsewhere already.
    if (o.focused == Control && Control) {
        if (!FromPeer && Control->Peer()) Control->Peer()->SetFocus();
        steps.Run([&] { Control->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(HandleOf(old)), 0); });
    }
    steps.Report();
}

void ForgetControl(TControl* Control) {
    TInputOwners& o = Owners();
    if (o.focused == Control) o.focused = nullptr;
    if (o.capture == Control) o.capture = nullptr;
    if (o.underMouse == Control) o.underMouse = nullptr;
    if (Screen) TScreenAccess::ForgetControl(*Screen, Control);
}

void TrackMouseControl(TControl* Control) { Owners().underMouse = Control; }

TControl* GetCaptureControl() { return Owners().capture; }

void SetCaptureControl(TControl* Control) {
    TInputOwners& o = Owners();
    if (o.capture == Control) return;
    TControl* old = o.capture;
    o.capture = Control;
    if (old) old->Perform(WM_CAPTURECHANGED, 0, 0);
}

TCustomForm* GetParentForm(TControl* Control) {
    TControl* top = Control;
    while (top && top->Parent()) top = top->Parent();
    return dynamic_cast<TCustomForm*>(top);
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
    for (Integer i = Screen->FormCount() - 1; i >= 0; --i) {
        TWinControl* host = Screen->Forms(i);
        if (!host->Showing()) continue;
        TPoint local = host->ScreenToClient(Pos);
        if (!host->ClientRect().Contains(local)) continue;
        // Walk down to the deepest control under the point.
        TControl* found = host;
        while (host) {
            TControl* child = host->ControlAtPos(local, AllowDisabled, true);
            if (!child) break;
            found = child;
            local = Point(local.X - child->Left(), local.Y - child->Top());
            host = dynamic_cast<TWinControl*>(child);
            if (host) {
                TPoint off = host->ClientOrigin();
                TPoint outer = host->Parent() ? host->Parent()->ClientToScreen(Point(host->Left(), host->Top()))
                                              : Point(host->Left(), host->Top());
                local = Point(local.X - (off.X - outer.X), local.Y - (off.Y - outer.Y));
            }
        }
        return found;
    }
    return nullptr;
}
