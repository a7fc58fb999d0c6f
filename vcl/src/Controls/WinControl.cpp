// TWinControl: child controls, the window handle and its peer, keys, focus messages and tab order.

#include <algorithm>

#include "Controls/Internal.h"
#include "Controls/ControlPeer.h"
#include "vcl/Forms.h"
#include "vcl/Windows.h"

static void PublishTWinControl(TPublisher& p) {
    TPublishOf<TWinControl> P(p);
    P.Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    P.Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    P.Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered);
    P.Bool("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D);
    P.Bool("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D);
    P.Int("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth);
    P.Event("OnEnter", &TWinControl::OnEnter);
    P.Event("OnExit", &TWinControl::OnExit);
    P.Event("OnKeyDown", &TWinControl::OnKeyDown);
    P.Event("OnKeyPress", &TWinControl::OnKeyPress);
    P.Event("OnKeyUp", &TWinControl::OnKeyUp);
}

VCL_IMPLEMENT_CLASS(TWinControl, nullptr, PublishTWinControl)

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    DefWndProc = [this](TMessage& Message) { NativeDefaultHandler(Message); };
}

TWinControl::~TWinControl() {
    DestroyChildren();
    ReleaseWindow();
}

// The window goes while the object is whole, so WM_DESTROY reaches every class's handler.
void TWinControl::BeforeDestruction() {
    TControl::BeforeDestruction();
    DestroyChildren();
    DestroyHandle();
}

// Child controls go before their parent, owned by it or not.
void TWinControl::DestroyChildren() {
    destroyingChildren_ = true;
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        child->Free();
    }
}

// ---------------------------------------------------------------------------
// Children

TControl* TWinControl::Controls(Integer Index) const {
    CheckRange(Index, 0, ControlCount() - 1);
    return controls_[static_cast<std::size_t>(Index)];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (!AControl || AControl->parent_ == this) return;
    controls_.push_back(AControl);
    AControl->parent_ = this;
    AControl->UpdateAnchorRules();
    if (!AControl->ComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
        AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    }
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        tabList_.push_back(win);
        if (HandleAllocated()) win->HandleNeeded();
    }
    AControl->Invalidate();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
    if (AControl->Align() != alNone) DoAlign(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto it = std::find(controls_.begin(), controls_.end(), AControl);
    if (it == controls_.end()) return;
    AControl->Invalidate();
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(win, true);
        if (win->ContainsControl(FocusedControl())) MoveFocus(nullptr, false);
        win->DestroyHandle();
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
    } else AControl->SurfaceReleased();
    if (mouseControl_ == AControl) mouseControl_ = nullptr;
    controls_.erase(std::find(controls_.begin(), controls_.end(), AControl));
    AControl->parent_ = nullptr;
    AControl->anchorRulesValid_ = false;
    if (ComponentState().Contains(csDestroying) || destroyingChildren_) return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
    if (AControl->Align() != alNone) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
    for (TControl* c = Control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::FindChildControl(const AnsiString& ControlName) const {
    for (TControl* c : controls_)
        if (SameIdent(c->Name(), ControlName)) return c;
    return nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!AllowWinControls && dynamic_cast<TWinControl*>(c)) continue;
        if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
        if (!c->BoundsRect().Contains(Pos)) continue;
        TMessage hit{CM_HITTEST, 0, MakeLParam(Pos.X - c->Left(), Pos.Y - c->Top()), 0};
        c->WindowProc(hit);
        if (hit.Result != HTNOWHERE) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg) {
    TMessage message{Msg, 0, 0, 0};
    for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->WindowProc(message);
}

// ---------------------------------------------------------------------------
// Handle and peer

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    if (!handle_) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (handle_ || ComponentState().Contains(csDestroying)) return;
    CreateWnd();
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->HandleNeeded();
    Invalidate();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams{};
    Params.Caption = StoredText();
    Params.Style = parent_ ? WS_CHILD | WS_CLIPSIBLINGS : WS_POPUP;
    if (tabStop_) Params.Style |= WS_TABSTOP;
    if (!Enabled()) Params.Style |= WS_DISABLED;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    if (parent_ && parent_->HandleAllocated()) Params.WndParent = parent_->handle_;
    Params.WinClassName = ClassName();
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    style_ = params.Style;
    exStyle_ = params.ExStyle;
    classStyle_ = params.WindowClass.style;
    AppLoop::EnsureApplication();
    peer_.reset(CreatePeer());
    handle_ = RegisterWindow(this);
    if (IsUnicodeClassName(params.WinClassName)) MarkWindowUnicode(handle_, StoredText());
    InitializePeer();
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    try {
        Perform(WM_DESTROY, 0, 0);
    } catch (...) {
        // A window's destruction goes on whatever its handler raised; the handler's fault is reported.
        if (Application) Application->HandleException(this);
    }
    ReleaseWindow();
}

void TWinControl::ReleaseWindow() {
    if (!handle_) return;
    SurfaceReleased();
    for (TControl* c : controls_)
        if (!dynamic_cast<TWinControl*>(c)) c->SurfaceReleased();
    UnregisterWindow(handle_);
    handle_ = nullptr;
    if (peer_) peer_->Detach();
    peer_.reset();
}

TControlPeer* TWinControl::CreatePeer() { return CreateSurfacePeer(this, false); }

void TWinControl::RecreateWnd() {
    if (!handle_ || controlState_.Contains(csRecreating)) return;
    TWinControl* focused = ContainsControl(FocusedControl()) ? FocusedControl() : nullptr;
    controlState_.Include(csRecreating);
    TFocusSteps steps(this);
    if (focused) steps.Run([focused] { focused->Perform(WM_KILLFOCUS, 0, 0); });
    steps.Run([this] {
        DestroyHandle();
        CreateHandle();
        RestoreStacking();
    });
    // The focus comes back to the new window unless a handler moved it meanwhile.
    if (focused && FocusedControl() == focused && focused->peer_) {
        focused->peer_->SetFocus();
        steps.Run([focused] { focused->Perform(WM_SETFOCUS, 0, 0); });
    }
    controlState_.Exclude(csRecreating);
    steps.Rethrow();
}

// A new window comes on top of its siblings: the ones above it in the z-order go back above it.
void TWinControl::RestoreStacking() {
    if (!parent_) return;
    const auto& siblings = parent_->controls_;
    for (auto it = std::find(siblings.begin(), siblings.end(), this); it != siblings.end(); ++it)
        if (auto* win = dynamic_cast<TWinControl*>(*it); win && win != this && win->peer_) win->peer_->SetZOrder(true);
}

// A new peer takes over every mirrored property.
void TWinControl::InitializePeer() {
    TControlPeer& p = *peer_;
    p.SetParentPeer(parent_ && !PopupWindow() ? parent_->Peer() : nullptr);
    p.SetBounds(PeerBounds());
    p.SetClientInsets(ClientInsets());
    p.SetEnabled(Enabled());
    p.SetText(StoredText());
    p.SetFont(*Font());
    p.SetColor(Color());
    p.SetCursor(Cursor());
    p.SetVisible(Visible());
}

// A pop-up window stands on the screen even when it has a parent.
bool TWinControl::PopupWindow() const { return (style_ & WS_POPUP) != 0; }

TRect TWinControl::PeerBounds() const {
    if (!parent_ || PopupWindow()) return BoundsRect();
    TPoint o = parent_->SurfaceOffset();
    return Bounds(Left() + o.X, Top() + o.Y, Width(), Height());
}

void TWinControl::BoundsChanged() {
    if (peer_) peer_->SetBounds(PeerBounds());
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c); win && win->peer_) win->peer_->SetBounds(win->PeerBounds());
}

void TWinControl::TextStored() {
    if (handle_) WideTextStored(handle_, StoredText());
    if (peer_) peer_->SetText(StoredText());
}

void TWinControl::VisibleChanging() {}

bool TWinControl::Showing() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}

// A native widget is drawn on through the overlay above it.
TSurface* TWinControl::DrawingSurface() const {
    if (!peer_) return nullptr;
    TSurface* own = peer_->Surface();
    return own ? own : peer_->Overlay();
}

TRect TWinControl::ClientRect() const {
    TRect in = ClientInsets();
    return Rect(0, 0, std::max(0, Width() - in.Left - in.Right), std::max(0, Height() - in.Top - in.Bottom));
}

TPoint TWinControl::ClientOrigin() const {
    TPoint o = Parent() ? Parent()->ClientOrigin() : Point(0, 0);
    TPoint off = SurfaceOffset();
    if (Parent()) return Point(o.X + Left() + off.X, o.Y + Top() + off.Y);
    return Point(Left() + off.X, Top() + off.Y);
}

void TWinControl::SetBorderWidth(Integer Value) {
    if (Value < 0) Value = 0;
    if (borderWidth_ == Value) return;
    borderWidth_ = Value;
    BoundsChanged();
    Realign();
    Invalidate();
}

void TWinControl::SetCtl3D(bool Value) {
    if (ctl3D_ == Value && !parentCtl3D_) return;
    ctl3D_ = Value;
    parentCtl3D_ = false;
    Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
    if (parentCtl3D_ == Value) return;
    parentCtl3D_ = Value;
    if (Value && parent_) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
    if (!parentCtl3D_ || !parent_) return;
    if (ctl3D_ == parent_->Ctl3D()) return;
    ctl3D_ = parent_->Ctl3D();
    Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::Invalidate() {
    if (peer_ && Visible()) peer_->Invalidate({});
}

void TWinControl::Update() {
    if (peer_) peer_->Update();
}

void TWinControl::SetZOrder(bool TopMost) {
    TControl::SetZOrder(TopMost);
    if (peer_) peer_->SetZOrder(TopMost);
}

// ---------------------------------------------------------------------------
// Messages

void TWinControl::WndProc(TMessage& Message) {
    // The mouse leaving this window leaves the graphic child it was over first.
    if (Message.Msg == CM_MOUSELEAVE && Message.LParam == 0 && mouseControl_) {
        TControl* left = mouseControl_;
        mouseControl_ = nullptr;
        left->Perform(CM_MOUSELEAVE, 0, 0);
    }
    // Mouse messages over a graphic child belong to it.
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
        bool handled = false;
        MouseToChildControl(Message, handled);
        if (handled) return;
    }
    TControl::WndProc(Message);
}

// The graphic child under the mouse (or the one holding the capture) gets the mouse message in its own
// coordinates; entering and leaving graphic children is announced as the mouse moves. While this window
// holds the mouse itself, its messages stay with it: a press here is released here.
void TWinControl::MouseToChildControl(TMessage& Message, bool& Handled) {
    TWMMouse m(Message);
    TControl* target = GetCaptureControl();
    if (target == this) return;
    if (target && target->Parent() != this) target = nullptr;
    if (!target) target = ControlAtPos(m.Pos(), false, false);
    if (Message.Msg == WM_MOUSEMOVE && target != mouseControl_) {
        TControl* left = mouseControl_;
        mouseControl_ = target;
        if (left) left->Perform(CM_MOUSELEAVE, 0, 0);
        if (target) target->Perform(CM_MOUSEENTER, 0, 0);
    }
    if (!target) return;
    TMessage forwarded{Message.Msg, Message.WParam, MakeLParam(m.XPos() - target->Left(), m.YPos() - target->Top()), 0};
    target->WindowProc(forwarded);
    Message.Result = forwarded.Result;
    Handled = true;
}

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: WMKeyDown(Message); break;
        case WM_KEYUP:
        case WM_SYSKEYUP: WMKeyUp(Message); break;
        case WM_CHAR:
        case WM_SYSCHAR: WMChar(Message); break;
        case CN_KEYDOWN: CNKeyDown(Message); break;
        case WM_SETFOCUS: WMSetFocus(Message); break;
        case WM_SETCURSOR: WMSetCursor(Message); break;
        case WM_KILLFOCUS: WMKillFocus(Message); break;
        case WM_PAINT: WMPaint(Message); break;
        case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
        case WM_SIZE: WMSize(Message); break;
        case CM_ENTER: CMEnter(Message); break;
        case CM_EXIT: CMExit(Message); break;
        case CM_DIALOGKEY: CMDialogKey(Message); break;
        case CM_DIALOGCHAR: Broadcast(Message); break;
        case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(Message); break;
        case CM_BORDERCHANGED: CMBorderChanged(Message); break;
        case CM_CTL3DCHANGED:
            CMPropagate(Message);
            Perform(CM_BORDERCHANGED, 0, 0);  // the standard frame depends on it
            break;
        case CM_FONTCHANGED:
        case CM_COLORCHANGED:
        case CM_SHOWHINTCHANGED:
        case CM_BIDIMODECHANGED: CMPropagate(Message); break;
        case CM_VISIBLECHANGED:
        case CM_ENABLEDCHANGED:
        case CM_CURSORCHANGED: CMMirror(Message); break;
        default: TControl::Dispatch(Message); break;
    }
}

// A change of font, colour, hint, 3D look or reading order: mirror it, then tell the children that follow the parent.
void TWinControl::CMPropagate(TMessage& Message) {
    TControl::Dispatch(Message);
    CMMirror(Message);
    switch (Message.Msg) {
        case CM_FONTCHANGED: NotifyControls(CM_PARENTFONTCHANGED); break;
        case CM_COLORCHANGED: NotifyControls(CM_PARENTCOLORCHANGED); break;
        case CM_SHOWHINTCHANGED: NotifyControls(CM_PARENTSHOWHINTCHANGED); break;
        case CM_CTL3DCHANGED: NotifyControls(CM_PARENTCTL3DCHANGED); break;
        case CM_BIDIMODECHANGED: NotifyControls(CM_PARENTBIDIMODECHANGED); break;
        default: break;
    }
}

void TWinControl::CMMirror(TMessage& Message) {
    if (Message.Msg == CM_VISIBLECHANGED || Message.Msg == CM_ENABLEDCHANGED || Message.Msg == CM_CURSORCHANGED)
        TControl::Dispatch(Message);
    if ((Message.Msg == CM_VISIBLECHANGED && !Visible()) || (Message.Msg == CM_ENABLEDCHANGED && !Enabled()))
        RemoveFocus();
    if (!peer_) return;
    switch (Message.Msg) {
        case CM_FONTCHANGED: peer_->SetFont(*Font()); break;
        case CM_COLORCHANGED: peer_->SetColor(Color()); break;
        case CM_VISIBLECHANGED: peer_->SetVisible(Visible()); break;
        case CM_ENABLEDCHANGED: peer_->SetEnabled(Enabled()); break;
        case CM_CURSORCHANGED: peer_->SetCursor(Cursor()); break;
        default: break;
    }
}

void TWinControl::RemoveFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != static_cast<TControl*>(this)) form->DefocusControl(this, false);
    else if (ContainsControl(FocusedControl())) MoveFocus(nullptr, false);
}

// The native behaviour: the peer replays the event the message came from; messages sent from code get the
// window's own meaning (the text, kept here and mirrored).
void TWinControl::DefaultHandler(TMessage& Message) {
    if (DefWndProc) DefWndProc(Message);
    else NativeDefaultHandler(Message);
}

void TWinControl::NativeDefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_NCPAINT) {
        PaintNonClient();
        return;
    }
    // The colour query's answer: the font's colour on the control's colour.
    if (Message.Msg == CN_CTLCOLOREDIT || Message.Msg == CN_CTLCOLORSTATIC) {
        const auto dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        return;
    }
    if (Message.Msg == WM_IME_COMPOSITION && (Message.LParam & GCS_RESULTSTR) && handle_) {
        TypeCompositionResult(handle_);
        return;
    }
    if (peer_ && peer_->DefaultHandler(Message)) return;
    TControl::DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message) {
    DefaultHandler(Message);
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

// ---------------------------------------------------------------------------
// Keys

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState s = InputShiftState() * TShiftState{ssShift, ssCtrl};
    if (KeyData & KF_ALTDOWN_BIT) s.Include(ssAlt);
    return s;
}

bool TWinControl::DoKeyDown(TMessage& Message) {
    TWMKey k(Message);
    TCustomForm* form = GetParentForm(this);
    if (form && form != static_cast<TControl*>(this) && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyDown(Message))
        return true;
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    Word key = k.CharCode();
    KeyDown(key, KeyDataToShiftState(k.KeyData()));
    k.SetCharCode(key);
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    TWMKey k(Message);
    TCustomForm* form = GetParentForm(this);
    if (form && form != static_cast<TControl*>(this) && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyPress(Message))
        return true;
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    char ch = static_cast<char>(k.CharCode());
    KeyPress(ch);
    k.SetCharCode(static_cast<Byte>(ch));
    return ch == '\0';
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    TWMKey k(Message);
    TCustomForm* form = GetParentForm(this);
    if (form && form != static_cast<TControl*>(this) && form->KeyPreview() &&
        static_cast<TWinControl*>(form)->DoKeyUp(Message))
        return true;
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    Word key = k.CharCode();
    KeyUp(key, KeyDataToShiftState(k.KeyData()));
    k.SetCharCode(key);
    return key == 0;
}

void TWinControl::WMKeyDown(TMessage& Message) {
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
    if (!DoKeyPress(Message)) DefaultHandler(Message);
}

// Before a key reaches the control: Tab, arrows, Return and Escape that the control does not want become
// dialog keys of its form (focus moves, default buttons). Result 1: the key was used up here.
void TWinControl::CNKeyDown(TMessage& Message) {
    Message.Result = 1;
    Word key = TWMKey(Message).CharCode();
    UpdateUIState(key);
    LRESULT mask = 0;
    switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, key, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
    }
    // A letter or digit with Alt, or typed into a control that takes no characters, may be the
    // accelerator of a label or button of the form.
    bool mnemonicKey = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    bool altDown = (Message.LParam & KF_ALTDOWN_BIT) != 0;
    if (mnemonicKey && (altDown || (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0)) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, key, Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::UpdateUIState(Word Key) {
    if (Key != VK_TAB && (Key < VK_LEFT || Key > VK_DOWN)) return;
    TWinControl* top = this;
    while (top->Parent()) top = top->Parent();
    if (top->peer_) top->peer_->ShowFocusCues();
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

// ---------------------------------------------------------------------------
// Focus

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
    for (const TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
        if (c == static_cast<const TControl*>(form)) return true;
    }
    return form == nullptr;
}

bool TWinControl::Focused() const { return FocusedControl() == this; }

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
        return;
    }
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    MoveFocus(this, false);
}

void TWinControl::WMSetCursor(TMessage& Message) {
    if ((!Screen || Screen->Cursor() == crDefault) && GetCursor()) ::SetCursor(nullptr);
    Message.Result = 0;
}

void TWinControl::WMSetFocus(TMessage& Message) {
    DefaultHandler(Message);
    if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---------------------------------------------------------------------------
// Tab order: the position among the parent's windowed children.

TTabOrder TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& order = parent_->tabList_;
    auto it = std::find(order.begin(), order.end(), this);
    return it == order.end() ? -1 : static_cast<TTabOrder>(it - order.begin());
}

void TWinControl::SetTabOrder(TTabOrder Value) {
    if (!parent_) return;
    auto& order = parent_->tabList_;
    auto it = std::find(order.begin(), order.end(), this);
    if (it == order.end()) return;
    order.erase(it);
    std::size_t index = Value < 0 ? order.size() : std::min<std::size_t>(static_cast<std::size_t>(Value), order.size());
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(index), this);
}

void TWinControl::SetTabStop(bool Value) {
    if (tabStop_ == Value) return;
    tabStop_ = Value;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : tabList_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    auto n = static_cast<std::ptrdiff_t>(list.size());
    auto it = std::find(list.begin(), list.end(), CurControl);
    std::ptrdiff_t start = it == list.end() ? (GoForward ? n - 1 : 0) : it - list.begin();
    std::ptrdiff_t i = start;
    for (std::ptrdiff_t step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c == CurControl) break;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == CurControl->Parent()) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop && CurControl);
    if (next) next->SetFocus();
}
