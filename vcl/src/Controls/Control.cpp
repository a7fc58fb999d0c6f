// TControl: bounds, properties and their propagation, window text, and the mouse messages of every control.

#include <algorithm>
#include <cstring>

#include "Controls/Internal.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace {

TPopupMenuService& PopupService() {
    static TPopupMenuService service;
    return service;
}

}  // namespace

void SetPopupMenuService(const TPopupMenuService& Service) { PopupService() = Service; }
const TPopupMenuService& PopupMenuService() { return PopupService(); }

// The component as a pop-up menu, or nullptr. The menus unit says so itself when it can; otherwise a
// component of class TPopupMenu (or a descendant) is one: TPopupMenu derives from TComponent alone, so both
// share one address, and the menus unit confirms the conversion.
static TPopupMenu* PopupMenuOf(TComponent* Component) {
    const TPopupMenuService& service = PopupMenuService();
    if (service.FromComponent) return service.FromComponent(Component);
    bool isMenu = false;
    for (TClass c = Component->ClassType(); c && !isMenu; c = c->Parent) isMenu = SameIdent(c->Name, "TPopupMenu");
    if (!isMenu || !service.AsComponent) return nullptr;
    auto* menu = reinterpret_cast<TPopupMenu*>(Component);
    return service.AsComponent(menu) == Component ? menu : nullptr;
}

// PopupMenu = PopupMenu1: resolved once the whole description is read, through the menus unit.
static void ReadPopupMenuReference(TObject& Object, const TFormValue& Value, TReadContext& Context) {
    auto& control = static_cast<TControl&>(Object);
    if (Value.Kind == TFormValue::vaNil) return control.SetPopupMenu(nullptr);
    std::string target = Value.AsIdent();
    TComponent* root = Context.Root;
    Context.Fixups.push_back([&control, target, root, Value] {
        TComponent* found = root ? root->FindComponent(target) : nullptr;
        TPopupMenu* menu = found ? PopupMenuOf(found) : nullptr;
        if (!menu) RaiseInvalidPropertyValue(Value);
        control.SetPopupMenu(menu);
    });
}

static void PublishTControl(TPublisher& p) {
    TPublishOf<TControl> P(p);
    P.Int("Left", &TControl::Left, &TControl::SetLeft);
    P.Int("Top", &TControl::Top, &TControl::SetTop);
    P.Int("Width", &TControl::Width, &TControl::SetWidth);
    P.Int("Height", &TControl::Height, &TControl::SetHeight);
    P.Int("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth);
    P.Int("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight);
    P.Enum<TAlign>("Align", &TControl::Align, &TControl::SetAlign,
                   {{"alNone", alNone},
                    {"alTop", alTop},
                    {"alBottom", alBottom},
                    {"alLeft", alLeft},
                    {"alRight", alRight},
                    {"alClient", alClient},
                    {"alCustom", alCustom}});
    P.Set<TAnchorKind>("Anchors", &TControl::Anchors, &TControl::SetAnchors,
                       {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}});
    P.Object("Constraints", &TControl::Constraints);
    P.Bool("Visible", &TControl::Visible, &TControl::SetVisible);
    P.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled);
    P.IntIdent("Color", &TControl::Color, &TControl::SetColor, &IdentToColor);
    P.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    P.Object("Font", &TControl::Font);
    P.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
    P.Str("Hint", &TControl::Hint, &TControl::SetHint);
    P.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    P.Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
    P.Enum<TBiDiMode>("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode,
                      {{"bdLeftToRight", bdLeftToRight},
                       {"bdRightToLeft", bdRightToLeft},
                       {"bdRightToLeftNoAlign", bdRightToLeftNoAlign},
                       {"bdRightToLeftReadingOnly", bdRightToLeftReadingOnly}});
    P.Bool("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode);
    P.IntIdent("Cursor", &TControl::Cursor, &TControl::SetCursor, &IdentToCursor);
    P.Str("Caption", &TControl::Caption, &TControl::SetCaption);
    P.Str("Text", &TControl::Text, &TControl::SetText);
    p.Property({"PopupMenu", ReadPopupMenuReference, {}, {}});
    P.Event("OnClick", &TControl::OnClick);
    P.Event("OnDblClick", &TControl::OnDblClick);
    P.Event("OnResize", &TControl::OnResize);
    P.Event("OnMouseDown", &TControl::OnMouseDown);
    P.Event("OnMouseMove", &TControl::OnMouseMove);
    P.Event("OnMouseUp", &TControl::OnMouseUp);
    P.Event("OnMouseEnter", &TControl::OnMouseEnter);
    P.Event("OnMouseLeave", &TControl::OnMouseLeave);
    P.Event("OnMouseWheel", &TControl::OnMouseWheel);
    P.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
    P.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
    P.Event("OnContextPopup", &TControl::OnContextPopup);
}

VCL_IMPLEMENT_CLASS(TControl, nullptr, PublishTControl)

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      constraints_(std::make_unique<TSizeConstraints>(this)),
      font_(std::make_unique<TFont>()),
      controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks} {
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    font_->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    constraints_->OnChange = [this](TObject* Sender) { ConstraintsChanged(Sender); };
}

TControl::~TControl() {
    ForgetControl(this);
    if (parent_) parent_->RemoveControl(this);
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    ForgetControl(this);
    if (parent_) parent_->RemoveControl(this);
}

// ---------------------------------------------------------------------------
// Bounds

void TControl::ConstrainSize(Integer& AWidth, Integer& AHeight) const {
    const TSizeConstraints& c = *constraints_;
    if (c.MaxWidth() > 0 && AWidth > c.MaxWidth()) AWidth = c.MaxWidth();
    if (c.MinWidth() > 0 && AWidth < c.MinWidth()) AWidth = c.MinWidth();
    if (c.MaxHeight() > 0 && AHeight > c.MaxHeight()) AHeight = c.MaxHeight();
    if (c.MinHeight() > 0 && AHeight < c.MinHeight()) AHeight = c.MinHeight();
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    ConstrainSize(AWidth, AHeight);
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    bool moved = ALeft != left_ || ATop != top_;
    bool sized = AWidth != width_ || AHeight != height_;
    if (!moved && !sized) return;
    if (parent_ && !dynamic_cast<TWinControl*>(this)) parent_->Invalidate();
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    if (!parent_ || !parent_->aligning_) UpdateAnchorRules();
    BoundsChanged();
    Invalidate();
    if (moved) Perform(WM_MOVE, 0, MakeLParam(left_, top_));
    if (sized) Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
    RequestAlign();
}

TRect TControl::ClientRect() const { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(Integer Value) { SetWidth(width_ - ClientWidth() + Value); }
void TControl::SetClientHeight(Integer Value) { SetHeight(height_ - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() const {
    if (!parent_) return Point(left_, top_);
    TPoint p = parent_->ClientOrigin();
    return Point(p.X + left_, p.Y + top_);
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
    TPoint o = ClientOrigin();
    return Point(P.X + o.X, P.Y + o.Y);
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
    TPoint o = ClientOrigin();
    return Point(P.X - o.X, P.Y - o.Y);
}

void TControl::SetAlign(TAlign Value) {
    if (align_ == Value) return;
    align_ = Value;
    if (parent_) parent_->DoAlign(this);
}

void TControl::SetAnchors(TAnchors Value) {
    if (anchors_ == Value) return;
    anchors_ = Value;
    UpdateAnchorRules();
}

// The distances kept by akRight/akBottom are measured against the parent's client size of now.
void TControl::UpdateAnchorRules() {
    if (!parent_) {
        anchorRulesValid_ = false;
        return;
    }
    TRect client = parent_->ClientRect();
    anchorOrigin_ = Point(left_, top_);
    anchorParentSize_ = {client.Width(), client.Height()};
    anchorBoundsSize_ = {width_, height_};
    anchorRulesValid_ = true;
}

void TControl::RequestAlign() {
    if (parent_ && align_ != alNone) parent_->DoAlign(this);
}

void TControl::ConstraintsChanged(TObject*) { SetBounds(left_, top_, width_, height_); }

// ---------------------------------------------------------------------------
// Visibility, enabled state, colour, font, hints, cursor

void TControl::SetVisible(bool Value) {
    if (visible_ == Value) return;
    VisibleChanging();
    visible_ = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
    if (parent_ && align_ != alNone) parent_->DoAlign(this);
}

void TControl::Show() {
    if (parent_) parent_->Show();
    SetVisible(true);
}

void TControl::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
    if (color_ == Value) return;
    color_ = Value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
    if (parentColor_ == Value) return;
    parentColor_ = Value;
    if (parent_ && Value && !(ComponentState().Contains(csReading))) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    if (parentFont_ == Value) return;
    parentFont_ = Value;
    if (parent_ && Value && !(ComponentState().Contains(csReading))) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

// A font set from outside stops following the parent's; one taken from the parent keeps following it.
void TControl::FontChanged(TObject*) {
    if (!applyingParentFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetHint(const AnsiString& Value) {
    if (hint_ == Value) return;
    hint_ = Value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
    if (showHint_ == Value && !parentShowHint_) return;
    showHint_ = Value;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
    if (parentShowHint_ == Value) return;
    parentShowHint_ = Value;
    if (parent_ && Value && !(ComponentState().Contains(csReading))) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    parentBiDiMode_ = false;
    if (biDiMode_ == Value) return;
    biDiMode_ = Value;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
    if (parentBiDiMode_ == Value) return;
    parentBiDiMode_ = Value;
    if (parent_ && Value && !(ComponentState().Contains(csReading))) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

// Held as a component, so that the menu's freeing clears it; the menus unit converts both ways.
void TControl::SetPopupMenu(TPopupMenu* Value) {
    const TPopupMenuService& service = PopupMenuService();
    popupMenu_ = Value && service.AsComponent ? service.AsComponent(Value) : nullptr;
}

TPopupMenu* TControl::PopupMenu() const { return popupMenu_ ? PopupMenuOf(popupMenu_) : nullptr; }

// ---------------------------------------------------------------------------
// Parent

void TControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (auto* self = dynamic_cast<TWinControl*>(this); self && AParent && self->ContainsControl(AParent))
        throw EInvalidOperation("A control cannot have one of its children as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* p = dynamic_cast<TWinControl*>(Value)) SetParent(p);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

bool TControl::ShowingOnScreen() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (parent_) {
        if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        if (parentBiDiMode_) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    }
    UpdateAnchorRules();
}

// ---------------------------------------------------------------------------
// Window text

AnsiString TControl::GetText() const {
    Integer len = GetTextLen();
    std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
    Integer got = GetTextBuf(buffer.data(), len + 1);
    buffer.resize(static_cast<std::size_t>(std::clamp(got, 0, len)));
    return buffer;
}

Integer TControl::GetTextLen() const {
    return static_cast<Integer>(const_cast<TControl*>(this)->Perform(WM_GETTEXTLENGTH, 0, 0));
}

Integer TControl::GetTextBuf(char* Buffer, Integer BufSize) const {
    if (!Buffer || BufSize <= 0) return 0;
    return static_cast<Integer>(const_cast<TControl*>(this)->Perform(WM_GETTEXT, static_cast<WPARAM>(BufSize),
                                                                     reinterpret_cast<LPARAM>(Buffer)));
}

void TControl::SetTextBuf(const char* Buffer) {
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Buffer ? Buffer : ""));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetText(const AnsiString& Value) {
    // Texts of different lengths differ: a long text is read back only to compare it with one as long.
    if (static_cast<std::size_t>(GetTextLen()) == Value.size() && GetText() == Value) return;
    // The text may hold NULs only as far as a C string reaches, as with WM_SETTEXT.
    SetTextBuf(Value.c_str());
}

void TControl::HandOverText(AnsiString&& Value) {
    if (static_cast<std::size_t>(GetTextLen()) == Value.size() && GetText() == Value) return;
    handedText_ = &Value;
    struct Reset {
        AnsiString*& Slot;
        ~Reset() { Slot = nullptr; }
    } reset{handedText_};
    SetTextBuf(Value.c_str());
}

// ---------------------------------------------------------------------------
// Painting requests

void TControl::Invalidate() {
    if (parent_ && visible_) parent_->Invalidate();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::SetZOrder(bool TopMost) {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (TopMost) list.push_back(this);
    else list.insert(list.begin(), this);
    Invalidate();
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

TSurface* TControl::DrawingSurface() const { return parent_ ? parent_->DrawingSurface() : nullptr; }

TPoint TControl::SurfaceOffset() const {
    if (!parent_) return {};
    TPoint p = parent_->SurfaceOffset();
    return Point(p.X + left_, p.Y + top_);
}

// ---------------------------------------------------------------------------
// Messages

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    if (WindowProc) WindowProc(message);
    else WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& Message) {
    HintTrackMessage(this, Message);
    // Mouse capture follows the buttons of controls that want it; csLButtonDown tells focus handlers that
    // a press brought the focus.
    switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
            // A control without double clicks sees the second press as a plain one.
            if (!controlStyle_.Contains(csDoubleClicks)) Message.Msg = WM_LBUTTONDOWN;
            if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
            if (Message.Msg == WM_LBUTTONDOWN && controlStyle_.Contains(csClickEvents))
                controlState_.Include(csClicked);
            controlState_.Include(csLButtonDown);
            break;
        case WM_LBUTTONDOWN:
            if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
            if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
            controlState_.Include(csLButtonDown);
            break;
        case WM_LBUTTONUP:
            if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
            controlState_.Exclude(csLButtonDown);
            break;
        default: break;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
        case WM_LBUTTONUP: WMLButtonUp(Message); break;
        case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
        case WM_RBUTTONDOWN: WMRButtonDown(Message); break;
        case WM_RBUTTONUP: WMRButtonUp(Message); break;
        case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); break;
        case WM_MBUTTONDOWN: WMMButtonDown(Message); break;
        case WM_MBUTTONUP: WMMButtonUp(Message); break;
        case WM_MOUSEMOVE: WMMouseMove(Message); break;
        case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
        case WM_CONTEXTMENU: WMContextMenu(Message); break;
        case WM_SIZE:
            DefaultHandler(Message);
            if (!ComponentState().Contains(csLoading)) Resize();
            break;
        case CM_MOUSEENTER: CMMouseEnter(Message); break;
        case CM_MOUSELEAVE: CMMouseLeave(Message); break;
        case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
        case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
        case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
        case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); break;
        case CM_BIDIMODECHANGED:
            Invalidate();
            DefaultHandler(Message);
            break;
        case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
        case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
        case CM_FONTCHANGED: CMFontChanged(Message); break;
        case CM_COLORCHANGED: CMColorChanged(Message); break;
        case CM_HITTEST: CMHitTest(Message); break;
        default: DefaultHandler(Message); break;
    }
}

// The window text of a control without a window lives here.
void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<char*>(Message.LParam);
            auto size = static_cast<std::size_t>(Message.WParam);
            if (!buffer || size == 0) break;
            std::size_t n = std::min(size - 1, text_.size());
            std::copy_n(text_.data(), n, buffer);
            buffer[n] = '\0';
            Message.Result = static_cast<LRESULT>(n);
            break;
        }
        case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(text_.size()); break;
        case WM_SETTEXT: {
            const auto* value = reinterpret_cast<const char*>(Message.LParam);
            // A text handed over that arrives as it was sent is taken whole. Only one longer than
            // a string object lives outside it, so its bytes (where the message points) move along.
            AnsiString* handed = std::exchange(handedText_, nullptr);
            if (handed && value == handed->c_str() && handed->size() > sizeof(AnsiString) &&
                std::strlen(value) == handed->size())
                text_ = std::move(*handed);
            // An emptied text gives its storage back: a memo cleared before a new long text would hold
            // the old one's pages while the new one is made.
            else if (value && *value) text_ = value;
            else AnsiString().swap(text_);
            TextStored();
            Invalidate();
            Message.Result = TRUE;
            break;
        }
        default: break;
    }
}

// ---------------------------------------------------------------------------
// Mouse

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra) {
    TWMMouse m(Message);
    TShiftState shift = MouseKeysToShiftState(m.Keys()) + Extra;
    if (!controlStyle_.Contains(csNoStdEvents)) MouseDown(Button, shift, m.XPos(), m.YPos());
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
    TWMMouse m(Message);
    if (!controlStyle_.Contains(csNoStdEvents)) MouseUp(Button, MouseKeysToShiftState(m.Keys()), m.XPos(), m.YPos());
}

// The native handling (a native control takes the focus) comes before OnMouseDown, as on Windows.
void TControl::WMLButtonDown(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& Message) {
    DefaultHandler(Message);
    if (controlStyle_.Contains(csClickEvents)) DblClick();
    DoMouseDown(Message, mbLeft, {ssDouble});
}

// A click is a press and release of the left button inside the control.
void TControl::WMLButtonUp(TMessage& Message) {
    DefaultHandler(Message);
    bool clicked = controlState_.Contains(csClicked);
    controlState_.Exclude(csClicked);
    if (clicked && ClientRect().Contains(TWMMouse(Message).Pos())) Click();
    DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonUp(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseUp(Message, mbRight);
}

void TControl::WMRButtonDblClk(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDown(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonUp(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message) {
    TWMMouse m(Message);
    if (!controlStyle_.Contains(csNoStdEvents)) MouseMove(MouseKeysToShiftState(m.Keys()), m.XPos(), m.YPos());
    DefaultHandler(Message);
}

void TControl::WMMouseWheel(TMessage& Message) {
    TWMMouseWheel m(Message);
    TShiftState shift = MouseKeysToShiftState(m.Keys());
    if (DoMouseWheel(shift, m.WheelDelta(), Point(m.XPos(), m.YPos()))) {
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message);
}

void TControl::WMContextMenu(TMessage& Message) {
    TWMContextMenu m(Message);
    TPoint screen = m.Pos();
    if (screen.X == -1 && screen.Y == -1) screen = ClientToScreen(Point(width_ / 2, height_ / 2));
    bool handled = false;
    DoContextPopup(ScreenToClient(screen), handled);
    if (handled) {
        Message.Result = 1;
        return;
    }
    const TPopupMenuService& service = PopupMenuService();
    if (TPopupMenu* menu = PopupMenu(); menu && service.Popup) {
        service.Popup(menu, this, screen.X, screen.Y);
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message);
}

void TControl::CMMouseEnter(TMessage& Message) {
    if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
        mouseInside_ = true;
        if (OnMouseEnter) OnMouseEnter(this);
    }
    if (parent_) parent_->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMMouseLeave(TMessage& Message) {
    if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
        mouseInside_ = false;
        if (OnMouseLeave) OnMouseLeave(this);
    }
    if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

// ---------------------------------------------------------------------------
// Propagation from the parent

void TControl::CMParentFontChanged(TMessage&) {
    if (!parentFont_ || !parent_) return;
    const TValueGuard applying(applyingParentFont_, true);
    font_->Assign(parent_->Font());
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!parentColor_ || !parent_) return;
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
    if (!parentBiDiMode_ || !parent_ || biDiMode_ == parent_->BiDiMode()) return;
    biDiMode_ = parent_->BiDiMode();
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (!parentShowHint_ || !parent_) return;
    if (showHint_ == parent_->ShowHint()) return;
    showHint_ = parent_->ShowHint();
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::CMVisibleChanged(TMessage& Message) {
    Invalidate();
    DefaultHandler(Message);
}

// A control disabled while it (or a control inside it) holds the mouse capture loses the capture.
void TControl::CMEnabledChanged(TMessage& Message) {
    if (!enabled_)
        for (TControl* c = GetCaptureControl(); c; c = c->parent_)
            if (c == this) {
                SetCaptureControl(nullptr);
                break;
            }
    Invalidate();
    DefaultHandler(Message);
}

void TControl::CMFontChanged(TMessage& Message) {
    Invalidate();
    DefaultHandler(Message);
}

void TControl::CMColorChanged(TMessage& Message) {
    Invalidate();
    DefaultHandler(Message);
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

// ---------------------------------------------------------------------------
// Event firing

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    // A fine wheel sends parts of a notch: they add up to whole steps.
    wheelAccumulator_ += WheelDelta;
    while (wheelAccumulator_ <= -WHEEL_DELTA || wheelAccumulator_ >= WHEEL_DELTA) {
        const bool down = wheelAccumulator_ < 0;
        wheelAccumulator_ += down ? WHEEL_DELTA : -WHEEL_DELTA;
        handled = (down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}
