#pragma once
// Controls: TControl, TWinControl, TCustomControl, TGraphicControl and what they share.
//
// How the framework works
// -----------------------
// Source of truth. A control object holds every property value. Its Qt peer (a TControlPeer, see
// vcl/src/Controls/ControlPeer.h) only mirrors them: a setter stores the value and then tells the peer
// (peer->SetBounds, SetVisible, SetText, ...). Getters never ask Qt. User input comes back once, through
// the peer: a native edit's peer listens to Qt's user-only signal (textEdited), stores the new text with
// StoreText() and sends CN_COMMAND/EN_CHANGE, so OnChange fires once and never again from a mirror.
//
// Peers. Every TWinControl gets its peer when its handle is made (CreateHandle -> CreateWnd, which takes the
// window's styles from CreateParams, then CreatePeer(); RecreateWnd makes the window again). The
// default CreatePeer() (TWinControl, TCustomControl, TCustomForm) makes a generic surface widget that shows
// the control's persistent backing image. A native-widget control overrides CreatePeer() in its own file
// vcl/src/qt/<Class>Peer.cpp, which is the only place that sees Qt:
//     TControlPeer* TEdit::CreatePeer() { return new TEditPeer(this); }   // TEditPeer: TQtPeer over QLineEdit
// TGraphicControl has no peer: it paints on its parent's surface and gets its mouse messages from the parent.
//
// Messages. A Qt event that reaches a peer becomes a WM_/CM_ message sent to the control:
//     WindowProc (replaceable) -> WndProc (virtual) -> Dispatch (virtual, switch on Msg) -> handler -> DefaultHandler
// A class handles a message by overriding Dispatch (or WndProc); "inherited" is inherited::Dispatch(Message).
// DefaultHandler is the native behaviour: for a message made from a Qt event it lets the Qt widget handle
// the original event, or the event as the handlers changed it (a WM_CHAR whose CharCode became 'x' inserts 'x';
// a CharCode set to 0 inserts nothing). For a message sent from code it applies the window's own meaning
// (WM_SETTEXT stores and mirrors the text, WM_GETTEXT returns it, a WM_CHAR or WM_KEYDOWN acts as the key,
// ...). Key data carries the set-1 scan code and the extended-key flag. Posted key-downs go through CN_KEYDOWN
// (dialog keys) first and bring their WM_CHAR through the queue. Keys arrive as WM_KEYDOWN, then WM_CHAR
// when the key makes a character (also when a key-down handler cleared the key), then WM_KEYUP; a form with
// KeyPreview sees OnKeyDown/OnKeyPress/OnKeyUp first. Every entry from Qt catches exceptions and hands them to
// Application->HandleException.
//
// Surfaces. Each windowed control draws into a persistent backing image. WM_PAINT (Paint()) renders into it,
// canvas drawing at any other time lands there too, and Qt's paint event only copies it to the screen.

#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"
#include "Types.h"

class TControl;
class TWinControl;
class TCustomForm;
class TControlPeer;  // internal to the stand-in (vcl/src/Controls/ControlPeer.h)
class TPopupMenu;    // Menus.h

// ---------------------------------------------------------------------------
// Enumerations and event types

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = TSet<TAlign>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

// Reading order and alignment: only bdRightToLeft mirrors a control's layout.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// TBorderStyle of controls uses the first two values; forms use all of them.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
    csRecreating  // RecreateWnd is making the window again
};
using TControlState = TSet<TControlStateItem>;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using TControlStyle = TSet<TControlStyleItem>;

using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;
bool CursorToIdent(Integer Cursor, AnsiString& Ident);
bool IdentToCursor(const std::string& Ident, Int64& Cursor);  // for published Cursor properties

using TTabOrder = SmallInt;
using TCaption = AnsiString;

using TModalResult = Integer;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TWndMethod = std::function<void(TMessage& Message)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// Shift state from the MK_ flags of a mouse message, and from the key data of a key message.
TShiftState MouseKeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The modifiers as GetKeyboardState reports them now.
TShiftState KeyboardStateToShiftState();

// ---------------------------------------------------------------------------
// Size constraints: 0 means no limit.

class TSizeConstraints : public TPersistent {
    VCL_CLASS(TSizeConstraints, TPersistent)
    explicit TSizeConstraints(TControl* Control);
    void Assign(TPersistent* Source) override;

    Integer MinWidth() const { return minWidth_; }
    void SetMinWidth(Integer Value);
    Integer MinHeight() const { return minHeight_; }
    void SetMinHeight(Integer Value);
    Integer MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(Integer Value);
    Integer MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(Integer Value);
    TControl* Control() const { return control_; }

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    void SetLimit(Integer& Field, Integer Value);
    TControl* control_;
    Integer minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

// ---------------------------------------------------------------------------
// The menus unit shows a control's PopupMenu through this service; TPopupMenu's constructor installs it.

struct TPopupMenuService {
    TComponent* (*AsComponent)(TPopupMenu* Menu) = nullptr;
    TPopupMenu* (*FromComponent)(TComponent* Component) = nullptr;  // nullptr when it is no pop-up menu
    void (*Popup)(TPopupMenu* Menu, TControl* PopupComponent, Integer ScreenX, Integer ScreenY) = nullptr;
};
void SetPopupMenuService(const TPopupMenuService& Service);
const TPopupMenuService& PopupMenuService();

// ---------------------------------------------------------------------------

class TControl : public TComponent {
    VCL_CLASS(TControl, TComponent)
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    // Position and size, in the parent's client coordinates.
    Integer Left() const { return left_; }
    void SetLeft(Integer Value) { SetBounds(Value, top_, width_, height_); }
    Integer Top() const { return top_; }
    void SetTop(Integer Value) { SetBounds(left_, Value, width_, height_); }
    Integer Width() const { return width_; }
    void SetWidth(Integer Value) { SetBounds(left_, top_, Value, height_); }
    Integer Height() const { return height_; }
    void SetHeight(Integer Value) { SetBounds(left_, top_, width_, Value); }
    // Clamps to Constraints; sends WM_MOVE/WM_SIZE when they change, realigns, fires OnResize on a new size.
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& Rect) { SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }
    // The client area starts at (0, 0); windowed controls subtract their frame.
    virtual TRect ClientRect() const;
    Integer ClientWidth() const { return ClientRect().Right; }
    void SetClientWidth(Integer Value);
    Integer ClientHeight() const { return ClientRect().Bottom; }
    void SetClientHeight(Integer Value);
    // Screen position of the client area's top left.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& Point) const;
    TPoint ScreenToClient(const TPoint& Point) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* Value) { constraints_->Assign(Value); }

    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    void Show();
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);

    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& Value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool Value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool Value);
    // Layout mirrored (columns from the right); Qt's own direction is left as it is.
    bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* Value);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    // Caption and Text are the same window text, read and written through WM_GETTEXT / WM_SETTEXT;
    // a change sends CM_TEXTCHANGED.
    AnsiString Caption() const { return GetText(); }
    void SetCaption(const AnsiString& Value) { SetText(Value); }
    AnsiString Text() const { return GetText(); }
    void SetText(const AnsiString& Value);
    // SetText that hands Value over: when the text reaches the control unchanged (no handler put another
    // in the message) the control takes Value's storage instead of copying it.
    void HandOverText(AnsiString&& Value);
    Integer GetTextLen() const;
    Integer GetTextBuf(char* Buffer, Integer BufSize) const;
    void SetTextBuf(const char* Buffer);

    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState Value) { controlState_ = Value; }
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    virtual void Invalidate();
    void Repaint();
    virtual void Refresh() { Repaint(); }
    virtual void Update();
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    virtual void SetZOrder(bool TopMost);

    // Sends a message through WindowProc at once and returns its Result.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // The replaceable entry of every message; calls WndProc unless a subclasser installed another.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TContextPopupEvent OnContextPopup;

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void Resize();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    // OnMouseWheel first; unless it handled the message, the distance adds up and each whole notch of
    // WHEEL_DELTA goes to DoMouseWheelDown or DoMouseWheelUp.
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    virtual void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
    void Loaded() override;

    // Hooks of SetBounds for descendants: after the new bounds are stored, before messages go out.
    virtual void BoundsChanged() {}
    // Is the control's effective visibility on screen (itself and every parent)?
    bool ShowingOnScreen() const;
    // The text as it is stored, without a message; used by a peer to keep user input.
    const AnsiString& StoredText() const { return text_; }
    void StoreText(const AnsiString& Value) { text_ = Value; }
    void StoreText(AnsiString&& Value) { text_ = std::move(Value); }
    // [Start, End) of the stored text becomes Value, in place.
    void SpliceStoredText(std::size_t Start, std::size_t End, std::string_view Value) {
        text_.replace(Start, End - Start, Value);
    }
    // Mirrors the window text to the peer when there is one (TWinControl).
    virtual void TextStored() {}
    virtual void VisibleChanging() {}
    virtual void FontChanged(TObject* Sender);
    TSizeConstraints& ConstraintsRef() { return *constraints_; }
    // Where this control's persistent pixels live: its own surface, or its parent's (graphic controls).
    virtual TSurface* DrawingSurface() const;
    // Offset of the client area's (0,0) within DrawingSurface().
    virtual TPoint SurfaceOffset() const;
    // The surface this control draws on is going away (its window's handle is destroyed).
    virtual void SurfaceReleased() {}

    // Message handlers of TControl (see Dispatch).
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMRButtonDown(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void WMRButtonDblClk(TMessage& Message);
    void WMMButtonDown(TMessage& Message);
    void WMMButtonUp(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMParentBiDiModeChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMHitTest(TMessage& Message);

private:
    friend class TWinControl;
    friend class TControlPeer;
    friend struct TControlAccess;
    AnsiString GetText() const;
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    void ConstrainSize(Integer& AWidth, Integer& AHeight) const;
    void ConstraintsChanged(TObject* Sender);
    void UpdateAnchorRules();
    void RequestAlign();

    TWinControl* parent_ = nullptr;
    Integer left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    // Distances kept by akRight/akBottom anchors: recorded against the parent's client size.
    TPoint anchorOrigin_{};
    TSize anchorParentSize_{};
    TSize anchorBoundsSize_{};
    bool anchorRulesValid_ = false;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    std::unique_ptr<TSizeConstraints> constraints_;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool applyingParentFont_ = false;
    Integer wheelAccumulator_ = 0;  // the wheel's distance not yet stepped
    AnsiString hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    TCursor cursor_ = crDefault;
    TComponentRef<TComponent> popupMenu_;
    AnsiString text_;
    // The text HandOverText hands over while its WM_SETTEXT travels.
    AnsiString* handedText_ = nullptr;
    TControlState controlState_;
    TControlStyle controlStyle_;
    bool mouseInside_ = false;
};

// ---------------------------------------------------------------------------
// What a window is made with: CreateParams fills it in before the peer is made, and the peer shows the
// styles (an edit's ES_ alignment and ES_PASSWORD among them).

struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    Integer X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    AnsiString WinClassName;
    WNDCLASS WindowClass;
};

// ---------------------------------------------------------------------------

class TWinControl : public TControl {
    VCL_CLASS(TWinControl, TControl)
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // Child controls in z-order, bottom first (graphic controls and windowed ones in one list).
    Integer ControlCount() const { return static_cast<Integer>(controls_.size()); }
    TControl* Controls(Integer Index) const;  // ERangeError outside 0..ControlCount-1
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;                    // a child at any depth, or itself
    TControl* FindChildControl(const AnsiString& ControlName) const;  // direct children only
    // The topmost visible child whose bounds hold Pos (client coordinates).
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);

    // The handle comes from the stand-in's window table; asking for it makes the window (and its peer).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Visible here and in every parent up to a shown form.
    bool Showing() const;

    // EInvalidOperation "Cannot focus a disabled or invisible window" when CanFocus is false.
    virtual void SetFocus();
    virtual bool Focused() const;
    virtual bool CanFocus() const;
    TTabOrder TabOrder() const;
    void SetTabOrder(TTabOrder Value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool Value);
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool Value) { doubleBuffered_ = Value; }
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool Value);
    Integer BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(Integer Value);

    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }
    void Realign();

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;
    void SetZOrder(bool TopMost) override;
    // Renders the control and its children into Canvas with the top left at (X, Y).
    void PaintTo(TCanvas* Canvas, Integer X, Integer Y);
    // Paints the visible graphic children, from First on (all with nullptr), on DC in this window's client
    // coordinates, each clipped to its bounds (a control showing what lies under it).
    void PaintControls(HDC DC, TControl* First);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // Internal to the stand-in: the peer, when the handle exists.
    TControlPeer* Peer() const { return peer_.get(); }

    // The window's own handling, where DefaultHandler ends: a subclasser puts its own in front of it and
    // calls the one it replaced (restoring it when done).
    TWndMethod DefWndProc;

protected:
    // Makes this control's peer; override in vcl/src/qt/<Class>Peer.cpp for a native widget.
    virtual TControlPeer* CreatePeer();
    // CreateHandle makes the window through CreateWnd, then the children's; DestroyHandle destroys the
    // children's windows, then this one through DestroyWnd.
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // The styles of the window about to be made; descendants add theirs after inherited.
    virtual void CreateParams(TCreateParams& Params);
    // Makes the window: CreateParams, the peer with the styles, the handle. Descendants do what needs the
    // window after inherited.
    virtual void CreateWnd();
    // Sends WM_DESTROY (its exceptions go to Application->HandleException) and frees the window.
    virtual void DestroyWnd();
    // Makes the window again with fresh CreateParams (nothing happens without a window). The focus leaves it
    // (WM_KILLFOCUS) and comes back (WM_SETFOCUS) when it was inside; the text and every property stay.
    // csRecreating is in ControlState meanwhile.
    virtual void RecreateWnd();
    // Called once the peer exists and mirrors every property; descendants mirror their own after inherited.
    virtual void InitializePeer();

    // Lays out the aligned and anchored children within Rect (the adjusted client rectangle).
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);
    void Loaded() override;

    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // The key-event path of a key message: the form's preview first, then this control; true when handled.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    // Paints the children that are graphic controls onto this control's surface.
    void PaintControls();
    // Paints this window's own content (WM_PAINT) into its surface.
    virtual void PaintWindow();

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void BoundsChanged() override;
    void TextStored() override;
    void VisibleChanging() override;
    TSurface* DrawingSurface() const override;
    TPoint SurfaceOffset() const override { return ClientInsets().TopLeft(); }
    // Where the peer sits: the bounds in the parent peer's coordinates (the client area for a form); on the
    // screen for a pop-up window (WS_POPUP), which is a window of its own even with a parent.
    virtual TRect PeerBounds() const;
    bool PopupWindow() const;
    // The non-client area inside the window: the frame of the window's styles, then BorderWidth; the client
    // area lies within it.
    virtual TRect ClientInsets() const;
    // The standard frame of a BorderStyle: a sunken client edge with Ctl3D, a line without, none for bsNone.
    void AddFrameStyles(TCreateParams& Params, TBorderStyle Style) const;

    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    // Unless the screen shows a cursor of its own, the cursor a program set goes: each window's shows.
    void WMSetCursor(TMessage& Message);
    void WMPaint(TMessage& Message);
    // A window that paints itself erases its client area in Color; a native widget erases itself.
    void WMEraseBkgnd(TMessage& Message);
    // The frame's styles (and so the client area) follow CreateParams again, without a new window.
    void CMBorderChanged(TMessage& Message);
    void WMSize(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMParentCtl3DChanged(TMessage& Message);

private:
    friend class TControl;
    friend class TControlPeer;
    friend struct TControlAccess;
    void DoAlign(TControl* AControl);
    void DestroyChildren();
    // The window's own handling: the peer replays the event, or the window gives a sent message its meaning.
    void NativeDefaultHandler(TMessage& Message);
    // Frees the window and its peer without a message (the destructor: the object is no longer whole).
    void ReleaseWindow();
    void RestoreStacking();
    void MouseToChildControl(TMessage& Message, bool& Handled);
    void CNKeyDown(TMessage& Message);
    // Keyboard navigation (Tab, arrows) shows the focus rectangles of the window from then on.
    void UpdateUIState(Word Key);
    void CMPropagate(TMessage& Message);
    void CMMirror(TMessage& Message);
    // Hidden or disabled: the focus and the form's active control leave this control.
    void RemoveFocus();
    void AlignAnchored(TControl* Control, const TRect& Client);
    // The frame styles (WS_BORDER, WS_EX_CLIENTEDGE) the window has, or CreateParams gives before it exists.
    void FrameStyles(DWORD& Style, DWORD& ExStyle) const;
    // WM_NCPAINT's default: the standard frame, then the BorderWidth gap in Color.
    void PaintNonClient();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    std::unique_ptr<TControlPeer> peer_;
    HWND handle_ = nullptr;
    DWORD style_ = 0;  // as CreateParams left them for the window
    DWORD exStyle_ = 0;
    UINT classStyle_ = 0;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    Integer borderWidth_ = 0;
    Integer alignDisabled_ = 0;
    bool alignPending_ = false;
    bool aligning_ = false;
    bool destroyingChildren_ = false;
    TControl* mouseControl_ = nullptr;  // graphic child under the mouse
};

// ---------------------------------------------------------------------------
// A canvas that draws on a control's surface: the control's own for a windowed control,
// the parent's (clipped to the bounds, origin at the top left) for a graphic control.

class TControlCanvas : public TCanvas {
    VCL_CLASS(TControlCanvas, TCanvas)
    TControlCanvas();
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    void SetControl(TControl* AControl);
    // Forgets the surface; the next drawing takes the control's current one (after a resize).
    void FreeHandle();
    // Runs one paint pass on a fresh handle with the canvas locked, unlocking it even when Paint raises.
    void PaintLocked(const std::function<void()>& Paint);

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
};

// A windowed control that paints itself: Paint() draws on Canvas; graphic children paint after it.
class TCustomControl : public TWinControl {
    VCL_CLASS(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow() override;
    void BoundsChanged() override;
    void SurfaceReleased() override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// A control without a window: it paints on its parent's surface within its bounds and gets mouse messages
// from the parent.
class TGraphicControl : public TControl {
    VCL_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void Dispatch(TMessage& Message) override;
    void BoundsChanged() override;
    void SurfaceReleased() override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// ---------------------------------------------------------------------------
// Hints

class THintWindow;

// What CM_HINTSHOW (LParam) and Application->OnShowHint may change before a hint shows. Positions are on
// the screen except CursorPos and CursorRect, which are in the control's client coordinates.
struct THintInfo {
    TControl* HintControl = nullptr;
    TClass HintWindowClass = nullptr;  // a THintWindow descendant
    TPoint HintPos;                    // the hint window's top-left
    Integer HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;  // the hint hides when the mouse leaves it
    TPoint CursorPos;
    Integer ReshowTimeout = 0;
    Integer HideTimeout = 0;
    AnsiString HintStr;
    void* HintData = nullptr;
};

// The frameless pop-up window a hint shows in: the text on Color within a thin frame.
class THintWindow : public TCustomControl {
    VCL_CLASS(THintWindow, TCustomControl)
    explicit THintWindow(TComponent* AOwner);
    ~THintWindow() override;

    // The size the hint needs, at the origin; the text wraps at MaxWidth.
    virtual TRect CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void* AData);
    // Shows AHint at Rect (screen coordinates) without taking the activation.
    virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
    virtual void ActivateHintData(TRect Rect, const AnsiString& AHint, void* AData);
    void ReleaseHandle();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

// The part of a hint before the first "|" (all of it when there is none), and the part after it.
AnsiString GetShortHint(const AnsiString& Hint);
AnsiString GetLongHint(const AnsiString& Hint);

// The form that holds Control, walking up the parents; nullptr when none.
TCustomForm* GetParentForm(TControl* Control);
// The control that owns the window; nullptr for an unknown or stale handle.
TWinControl* FindControl(HWND Handle);
// The control that has the mouse captured (a graphic control too); nullptr when none.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control under a screen point; nullptr when none.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
