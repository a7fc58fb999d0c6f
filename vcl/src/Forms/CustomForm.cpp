// TCustomForm: the non-client frame, showing and hiding, activation, focus within the form, closing.

#include <algorithm>

#include "Controls/Internal.h"
#include "Forms/Access.h"
#include "Controls/ControlPeer.h"
#include "vcl/Windows.h"

VCL_IMPLEMENT_CLASS(TScrollingWinControl, nullptr, [](TPublisher& p) {
    TPublishOf<TScrollingWinControl> P(p);
    P.Bool("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll);
})

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}

static void PublishTCustomForm(TPublisher& p) {
    TPublishOf<TCustomForm> P(p);
    P.Enum<TPosition>("Position", &TCustomForm::Position, &TCustomForm::SetPosition,
                      {{"poDesigned", poDesigned},
                       {"poDefault", poDefault},
                       {"poDefaultPosOnly", poDefaultPosOnly},
                       {"poDefaultSizeOnly", poDefaultSizeOnly},
                       {"poScreenCenter", poScreenCenter},
                       {"poDesktopCenter", poDesktopCenter},
                       {"poMainFormCenter", poMainFormCenter},
                       {"poOwnerFormCenter", poOwnerFormCenter}});
    P.Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
    P.Bool("AutoSize", &TCustomForm::AutoSize, &TCustomForm::SetAutoSize);
    P.Enum<TFormBorderStyle>("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
                             {{"bsNone", bsNone},
                              {"bsSingle", bsSingle},
                              {"bsSizeable", bsSizeable},
                              {"bsDialog", bsDialog},
                              {"bsToolWindow", bsToolWindow},
                              {"bsSizeToolWin", bsSizeToolWin}});
    P.Set<TBorderIcon>(
        "BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
        {{"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}});
    P.Enum<TWindowState>("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
                         {{"wsNormal", wsNormal}, {"wsMinimized", wsMinimized}, {"wsMaximized", wsMaximized}});
    P.Enum<TFormStyle>(
        "FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
        {{"fsNormal", fsNormal}, {"fsMDIChild", fsMDIChild}, {"fsMDIForm", fsMDIForm}, {"fsStayOnTop", fsStayOnTop}});
    P.Component<TWinControl>("ActiveControl", &TCustomForm::SetActiveControl);
    P.Int("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
    P.Int("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
    P.Bool("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder);
    P.Object("Icon", &TCustomForm::Icon);
    P.Event("OnCreate", &TCustomForm::OnCreate);
    P.Event("OnDestroy", &TCustomForm::OnDestroy);
    P.Event("OnClose", &TCustomForm::OnClose);
    P.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
    P.Event("OnShow", &TCustomForm::OnShow);
    P.Event("OnHide", &TCustomForm::OnHide);
    P.Event("OnActivate", &TCustomForm::OnActivate);
    P.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    P.Event("OnPaint", &TCustomForm::OnPaint);
}

VCL_IMPLEMENT_CLASS(TCustomForm, nullptr, PublishTCustomForm)
VCL_IMPLEMENT_CLASS(TForm, VCL_CREATOR(TForm), nullptr)

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), icon_(std::make_unique<TIcon>()), canvas_(std::make_unique<TControlCanvas>()) {
    canvas_->SetControl(this);
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    canvas_->FreeHandle();
    if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::BeforeDestruction() {
    // A form whose creation failed never ran OnCreate, so its OnDestroy does not run either.
    if (!ComponentState().Contains(csDestroying) && !formState_.Contains(fsCreating)) {
        if (Visible()) SetVisible(false);
        DoDestroy();
    }
    TScrollingWinControl::BeforeDestruction();
    if (Screen) Screen->RemoveForm(this);
}

// ---------------------------------------------------------------------------
// Creation from the description

void TCustomForm::InitializeForm(const std::function<void(TCustomForm*)>& SetReference) {
    formState_.Include(fsCreating);
    SetReference(this);
    ReadComponentRes(ClassName(), this);
    formState_.Exclude(fsCreating);
    DoCreate();
    if (Visible()) ApplyVisible();
}

// A second instance of a form class takes a free name (Form1_1), as the class library names it.
void TCustomForm::SetName(const AnsiString& NewName) {
    AnsiString name = NewName;
    TComponent* owner = Owner();
    if (owner && !name.empty() && ComponentState().Contains(csLoading)) {
        for (int i = 1; owner->FindComponent(name) && owner->FindComponent(name) != this; ++i)
            name = NewName + "_" + std::to_string(i);
    }
    TScrollingWinControl::SetName(name);
}

void TCustomForm::Loaded() {
    TScrollingWinControl::Loaded();
    if (activeControl_ && !activeControl_->CanFocus() && Visible()) activeControl_ = nullptr;
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}

// ---------------------------------------------------------------------------
// Frame and geometry

TRect TCustomForm::NonClientFrame() const {
    auto frame = [](int side, int caption) {
        int cx = GetSystemMetrics(side == 3 ? SM_CXDLGFRAME : SM_CXFRAME);
        int cy = GetSystemMetrics(side == 3 ? SM_CYDLGFRAME : SM_CYFRAME);
        return TRect{cx, cy + GetSystemMetrics(caption), cx, cy};
    };
    switch (borderStyle_) {
        case bsNone: return {};
        case bsSingle:
        case bsDialog: return frame(3, SM_CYCAPTION);
        case bsSizeable: return frame(4, SM_CYCAPTION);
        case bsToolWindow: return frame(3, SM_CYSMCAPTION);
        case bsSizeToolWin: return frame(4, SM_CYSMCAPTION);
    }
    return {};
}

TRect TCustomForm::ClientRect() const {
    TRect f = NonClientFrame();
    TRect in = ClientInsets();
    return Rect(0, 0, std::max(0, Width() - f.Left - f.Right - in.Left - in.Right),
                std::max(0, Height() - f.Top - f.Bottom - in.Top - in.Bottom));
}

TPoint TCustomForm::ClientOrigin() const {
    TRect f = NonClientFrame();
    TPoint off = SurfaceOffset();
    return Point(Left() + f.Left + off.X, Top() + f.Top + off.Y);
}

TRect TCustomForm::PeerBounds() const {
    TRect f = NonClientFrame();
    return Rect(Left() + f.Left, Top() + f.Top, std::max(Left() + f.Left, Left() + Width() - f.Right),
                std::max(Top() + f.Top, Top() + Height() - f.Bottom));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (borderStyle_ == Value) return;
    TRect clientBefore = ClientRect();
    borderStyle_ = Value;
    // The outer size stays; the client area is what changes, as when the window's style changes.
    BoundsChanged();
    if (!(ClientRect() == clientBefore)) Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
}

void TCustomForm::SetPosition(TPosition Value) { position_ = Value; }

void TCustomForm::SetWindowState(TWindowState Value) { windowState_ = Value; }

void TCustomForm::SetFormStyle(TFormStyle Value) { formStyle_ = Value; }

// The first showing places the window as Position asks.
void TCustomForm::PlaceOnScreen() {
    if (placed_) return;
    placed_ = true;
    auto centreOn = [this](const TRect& area) {
        SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
                  Height());
    };
    switch (position_) {
        case poScreenCenter:
        case poDesktopCenter: centreOn(Rect(0, 0, Screen->Width(), Screen->Height())); break;
        case poMainFormCenter:
        case poOwnerFormCenter: {
            TCustomForm* host = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
            if (!host) host = Application->MainForm();
            if (host && host != this) centreOn(host->BoundsRect());
            else centreOn(Rect(0, 0, Screen->Width(), Screen->Height()));
            break;
        }
        default: break;
    }
}

// ---------------------------------------------------------------------------
// Showing, hiding, activation

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

// The window follows Visible: shown with OnShow first and activated, or hidden after OnHide.
void TCustomForm::ApplyVisible() {
    if (formState_.Contains(fsCreating) || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csDestroying))
        return;
    if (Visible() == formState_.Contains(fsShowing)) return;
    if (Visible()) {
        HandleNeeded();
        PlaceOnScreen();
        formState_.Include(fsShowing);
        DoShow();
        if (Peer() && Visible()) Peer()->SetVisible(true);
        if (Visible()) UpdateActiveState(true);
    } else {
        formState_.Exclude(fsShowing);
        DoHide();
        if (Peer()) Peer()->SetVisible(false);
        UpdateActiveState(false);
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::UpdateActiveState(bool Active) {
    if (active_ == Active) return;
    if (Active) {
        for (Integer i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* other = Screen->Forms(i);
            if (other != this && other->active_) other->UpdateActiveState(false);
        }
        active_ = true;
        Screen->SetActiveForm(this);
        if (Peer()) Peer()->Activate();
        Activate();
        if (!activeControl_) {
            TWinControl* first = FindNextControl(nullptr, true, true, false);
            if (first) activeControl_ = first;
        }
        SetWindowFocus();
    } else {
        active_ = false;
        if (Screen->ActiveForm() == this) Screen->SetActiveForm(nullptr);
        Deactivate();
    }
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : this;
    MoveFocus(target, false);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// ---------------------------------------------------------------------------
// Focus within the form

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (activeControl_ == Control) return;
    bool loading = ComponentState().Contains(csLoading);
    if (Control && (Control == this || GetParentForm(Control) != this || !(loading || Control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    activeControl_ = Control;
    if (!loading && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
    bool wasActive = active_;
    SetActiveControl(Control);
    if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
    if (active_) return;
    if (!Visible() || !Enabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    UpdateActiveState(true);
}

// Called by a control of this form that received the focus: exits from the old chain, enters into the new.
bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (focusedControl_ == Control) return true;
    TWinControl* old = focusedControl_;
    focusedControl_ = Control;
    if (Control != this) activeControl_ = Control;
    Screen->SetActiveControl(Control);
    TWinControl* common = old;
    while (common && !common->ContainsControl(Control)) common = common->Parent();
    // An OnExit that raises still lets the focus enter its new control; the exception follows after.
    TFocusSteps steps(Control);
    for (TWinControl* c = old; c && c != common && c != this; c = c->Parent()) {
        steps.Run([c] { c->Perform(CM_EXIT, 0, 0); });
        if (focusedControl_ != Control) {
            steps.Rethrow();
            return false;
        }
    }
    std::vector<TWinControl*> enters;
    for (TWinControl* c = Control; c && c != common && c != this; c = c->Parent()) enters.push_back(c);
    for (auto it = enters.rbegin(); it != enters.rend(); ++it) {
        steps.Run([c = *it] { c->Perform(CM_ENTER, 0, 0); });
        if (focusedControl_ != Control) {
            steps.Rethrow();
            return false;
        }
    }
    // The control that now has the focus hears that it became the form's active one.
    if (Control && Control != this) steps.Run([Control] { Control->Perform(CM_UIACTIVATE, 0, 0); });
    steps.Rethrow();
    return focusedControl_ == Control;
}

// A control that goes, hides or is disabled gives up being the active control; the focus falls back to the form.
void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    if (Removing && Control->ContainsControl(focusedControl_)) focusedControl_ = nullptr;
    if (Removing && Control->ContainsControl(Screen->ActiveControl())) Screen->SetActiveControl(nullptr);
    if (Control->ContainsControl(activeControl_)) activeControl_ = nullptr;
    if (!Control->ContainsControl(FocusedControl())) return;
    if (active_ && Control != this && Visible() && Enabled()) MoveFocus(this, false);
    else MoveFocus(nullptr, false);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == activeControl_) activeControl_ = nullptr;
    if (AComponent == focusedControl_) focusedControl_ = nullptr;
}

// ---------------------------------------------------------------------------
// Closing

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
    if (formState_.Contains(fsModal)) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
        case caHide: Hide(); break;
        case caMinimize: windowState_ = wsMinimized; break;
        default: Release(); break;
    }
}

void TCustomForm::Release() { TApplicationAccess::PostToQueue(*Application, Handle(), CM_RELEASE, 0, 0); }

TModalResult TCustomForm::ShowModal() {
    if (Visible() || formState_.Contains(fsModal)) throw EInvalidOperation("Cannot make a visible window modal");
    formState_.Include(fsModal);
    modalResult_ = mrNone;
    try {
        Show();
        while (modalResult_ == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated()) modalResult_ = mrCancel;
            if (modalResult_ == mrNone) continue;
            // Closing a modal form still asks OnCloseQuery and OnClose; caNone keeps it open.
            TCloseAction action = caHide;
            if (!CloseQuery()) action = caNone;
            else DoClose(action);
            if (action == caNone) modalResult_ = mrNone;
        }
    } catch (...) {
        formState_.Exclude(fsModal);
        Hide();
        throw;
    }
    formState_.Exclude(fsModal);
    Hide();
    return modalResult_;
}

// ---------------------------------------------------------------------------
// Messages

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CLOSE: Close(); break;
        case CM_RELEASE: Free(); break;
        case WM_ACTIVATE: UpdateActiveState(LoWord(Message.WParam) != WA_INACTIVE); break;
        case CM_DIALOGKEY: CMDialogKey(Message); break;
        case CM_VISIBLECHANGED:
            TControl::Dispatch(Message);
            ApplyVisible();
            break;
        default: TScrollingWinControl::Dispatch(Message); break;
    }
}

static bool IsRadioButton(TWinControl* Control) {
    return (Control->Perform(WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// The arrows keep to the radio buttons among the siblings: the one reached takes the focus and is clicked.
static void SelectNextRadio(TWinControl* Current, bool GoForward) {
    TWinControl* parent = Current->Parent();
    TWinControl* next = Current;
    for (Integer steps = 0; steps < parent->ControlCount(); ++steps) {
        next = parent->FindNextControl(next, GoForward, false, true);
        if (!next || next == Current) return;
        if (!IsRadioButton(next)) continue;
        next->SetFocus();
        if (next->Focused()) next->Perform(BM_CLICK, 0, 0);
        return;
    }
}

// Tab moves through the tab order, arrows among the siblings (from a radio button, among its group); other
// keys go to the controls (default buttons).
void TCustomForm::CMDialogKey(TMessage& Message) {
    if (GetKeyState(VK_MENU) >= 0) {
        Word key = TWMKey(Message).CharCode();
        switch (key) {
            case VK_TAB:
                if (GetKeyState(VK_CONTROL) >= 0) {
                    SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                    Message.Result = 1;
                    return;
                }
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (activeControl_) {
                    bool forward = key == VK_RIGHT || key == VK_DOWN;
                    if (IsRadioButton(activeControl_)) SelectNextRadio(activeControl_, forward);
                    else activeControl_->Parent()->SelectNext(activeControl_, forward, false);
                    Message.Result = 1;
                    return;
                }
                break;
            default: break;
        }
    }
    TScrollingWinControl::Dispatch(Message);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow() {
    canvas_->PaintLocked([this] { Paint(); });
}

void TCustomForm::BoundsChanged() {
    TScrollingWinControl::BoundsChanged();
    canvas_->FreeHandle();
}

void TCustomForm::SurfaceReleased() { canvas_->FreeHandle(); }

TControlPeer* TCustomForm::CreatePeer() { return CreateSurfacePeer(this, true); }

void TControlAccess::BoundsFromPeer(TCustomForm& F, const TRect& Client) {
    TRect f = F.NonClientFrame();
    F.SetBounds(Client.Left - f.Left, Client.Top - f.Top, Client.Width() + f.Left + f.Right,
                Client.Height() + f.Top + f.Bottom);
}

bool IsAccel(Word VK, const AnsiString& Str) {
    for (std::size_t i = 0; i + 1 < Str.size(); ++i) {
        if (Str[i] != '&') continue;
        if (Str[i + 1] == '&') {
            ++i;
            continue;
        }
        return AnsiUpperChar(Str[i + 1]) == AnsiUpperChar(static_cast<char>(VK & 0xFF));
    }
    return false;
}
