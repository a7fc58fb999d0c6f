#pragma once
// Forms, the application object and the screen.
//
// A form is created with its description read in: Application->CreateForm(Form1) (or
// TCustomForm::Create<TForm1>(Owner) for other owners) constructs the object, sets the reference, reads the
// description named after the form's class (ReadComponentRes) and then runs OnCreate. The C++ constructor
// alone makes an empty form (the class library's CreateNew), because a base constructor cannot fill the
// fields of a form class that is not built yet.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "SysUtils.h"

using TShowHintEvent = std::function<void(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication;
class TScreen;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;

// ---------------------------------------------------------------------------

class TScrollingWinControl : public TWinControl {
    VCL_CLASS(TScrollingWinControl, TWinControl)
    explicit TScrollingWinControl(TComponent* AOwner);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool Value) { autoScroll_ = Value; }

private:
    bool autoScroll_ = false;
};

class TCustomForm : public TScrollingWinControl {
    VCL_CLASS(TCustomForm, TScrollingWinControl)
    // An empty form (no description read); the class library's CreateNew.
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    // Fires OnDestroy while the form is whole.
    void BeforeDestruction() override;
    void SetName(const AnsiString& NewName) override;

    // The class library's Create: a form of class T with its description read and OnCreate run.
    // A description that fails to read leaves nothing behind: the half-built form is freed.
    template <typename T>
    static T* Create(TComponent* AOwner) {
        T* form = new T(AOwner);
        try {
            form->InitializeForm([](TCustomForm*) {});
        } catch (...) {
            form->Free();
            throw;
        }
        return form;
    }

    TPosition Position() const { return position_; }
    void SetPosition(TPosition Value);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool Value) { keyPreview_ = Value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value) { autoSize_ = Value; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons Value) { borderIcons_ = Value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState Value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle Value);
    TWinControl* ActiveControl() const { return activeControl_; }
    // Focuses Control when the form is showing; otherwise it gets the focus when the form is shown.
    void SetActiveControl(TWinControl* Control);
    TFormState FormState() const { return formState_; }
    bool Active() const { return active_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }
    Integer PixelsPerInch() const { return 96; }
    void SetPixelsPerInch(Integer) {}
    Integer TextHeight() const { return textHeight_; }
    void SetTextHeight(Integer Value) { textHeight_ = Value; }
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool Value) { oldCreateOrder_ = Value; }
    TIcon* Icon() const { return icon_.get(); }
    void SetIcon(TIcon* Value) { icon_->Assign(Value); }
    TCanvas* Canvas() const { return canvas_.get(); }

    // Width/Height include the frame (GetSystemMetrics of the border style), as on Windows.
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    // Frame thickness on each side and the caption height for the current border style.
    TRect NonClientFrame() const;

    void Show();
    void Hide() { SetVisible(false); }
    // Activates the form (its active control gets the focus); EInvalidOperation when hidden or disabled.
    void SetFocus() override;
    // CloseQuery, then OnClose decides: caHide hides, caFree releases, caMinimize minimises; closing the main
    // form ends the application.
    void Close();
    virtual bool CloseQuery();
    // Destroys the form later, from the application's queue (safe inside its own handlers).
    void Release();
    // Shows the form and runs the loop until ModalResult is set or the form is closed.
    virtual TModalResult ShowModal();
    void FocusControl(TWinControl* Control);
    bool SetFocusedControl(TWinControl* Control);
    void BringToFront() { TControl::BringToFront(); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

    // Reads the description of this form's class and runs OnCreate; SetReference runs first, so the
    // global reference is valid inside the reading and OnCreate. On failure the exception propagates
    // and the caller destroys the form.
    void InitializeForm(const std::function<void(TCustomForm*)>& SetReference);

protected:
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    void PaintWindow() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    TControlPeer* CreatePeer() override;
    TRect PeerBounds() const override;
    void BoundsChanged() override;
    void SurfaceReleased() override;

    void WMClose(TMessage& Message);
    void CMRelease(TMessage& Message);
    void WMActivate(TMessage& Message);
    void CMDialogKey(TMessage& Message);

private:
    friend class TApplication;
    friend struct TControlAccess;
    friend class TWinControl;
    void PlaceOnScreen();
    void ApplyVisible();
    void UpdateActiveState(bool Active);
    void SetWindowFocus();
    // A control leaving the form, hidden or disabled is no longer its active or focused control.
    void DefocusControl(TWinControl* Control, bool Removing);

    TPosition position_ = poDefaultPosOnly;
    bool keyPreview_ = false;
    bool autoSize_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TFormState formState_;
    bool active_ = false;
    bool placed_ = false;
    TModalResult modalResult_ = mrNone;
    Integer textHeight_ = 13;
    bool oldCreateOrder_ = false;
    std::unique_ptr<TIcon> icon_;
    std::unique_ptr<TControlCanvas> canvas_;
};

class TForm : public TCustomForm {
    VCL_CLASS(TForm, TCustomForm)
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// ---------------------------------------------------------------------------

class TMonitor : public TObject {
    VCL_CLASS(TMonitor, TObject)
    TMonitor(Integer MonitorNum, const TRect& Bounds, const TRect& WorkArea, bool Primary)
        : num_(MonitorNum), bounds_(Bounds), workArea_(WorkArea), primary_(Primary) {}
    Integer MonitorNum() const { return num_; }
    Integer Left() const { return bounds_.Left; }
    Integer Top() const { return bounds_.Top; }
    Integer Width() const { return bounds_.Width(); }
    Integer Height() const { return bounds_.Height(); }
    TRect BoundsRect() const { return bounds_; }
    TRect WorkareaRect() const { return workArea_; }
    bool Primary() const { return primary_; }

private:
    Integer num_;
    TRect bounds_;
    TRect workArea_;
    bool primary_;
};

// One monitor as the test seam describes it.
struct TMonitorSpec {
    TRect Bounds;
    TRect WorkArea;  // empty: the same as Bounds
    bool Primary = false;
};

class TScreen : public TComponent {
    VCL_CLASS(TScreen, TComponent)
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // The primary monitor's size.
    Integer Width() const;
    Integer Height() const;
    Integer DesktopWidth() const;
    Integer DesktopHeight() const;
    TRect WorkAreaRect() const;
    Integer MonitorCount() const;
    TMonitor* Monitors(Integer Index) const;  // ERangeError outside 0..MonitorCount-1
    TMonitor* PrimaryMonitor() const;
    TMonitor* MonitorFromPoint(const TPoint& Point) const;  // the nearest one

    Integer FormCount() const { return static_cast<Integer>(forms_.size()); }
    TCustomForm* Forms(Integer Index) const;  // in creation order
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    // crDefault lets each control's cursor show; any other cursor shows over the whole application.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    // The cursor handle of a TCursor, for SetCursor: the system's cursors from the start, the program's
    // own once added; any other number gives crDefault's.
    HCURSOR Cursors(Integer Index) const;
    void SetCursors(Integer Index, HCURSOR Handle);
    Integer PixelsPerInch() const { return 96; }
    // The font hint windows show their text in.
    TFont* HintFont() const { return hintFont_.get(); }
    void SetHintFont(TFont* Value) { hintFont_->Assign(Value); }

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // Test seam: replace the monitors (the first primary one gives Width/Height), or go back to Qt's screens.
    void SetMonitorsForTest(const std::vector<TMonitorSpec>& Monitors);
    void ResetMonitors();

private:
    friend class TCustomForm;
    friend class TApplication;
    friend struct TScreenAccess;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActiveForm(TCustomForm* Form);
    void SetActiveControl(TWinControl* Control);
    void Rebuild(const std::vector<TMonitorSpec>& Monitors);

    std::vector<std::unique_ptr<TMonitor>> monitors_;
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TCursor cursor_ = crDefault;
    std::map<Integer, HCURSOR> cursors_;
    std::unique_ptr<TFont> hintFont_;
};

// ---------------------------------------------------------------------------

class TApplication : public TComponent {
    VCL_CLASS(TApplication, TComponent)
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Creates the windowing system's application object once; later calls do nothing.
    void Initialize();
    bool Initialized() const;

    // Creates a form owned by the application: Reference is set, the description read, OnCreate run.
    // The first form created becomes MainForm. If anything fails, the half-built form is destroyed,
    // Reference is cleared and the exception propagates.
    template <typename T>
    void CreateForm(TClass InstanceClass, T*& Reference) {
        CreateFormOf(InstanceClass, [&Reference](TCustomForm* form) {
            Reference = form ? dynamic_cast<T*>(form) : nullptr;
            if (form && !Reference) throw EInvalidCast("Invalid class typecast");
        });
    }
    template <typename T>
    void CreateForm(T*& Reference) {
        CreateForm(T::ClassInfo(), Reference);
    }

    // Shows the main form and handles messages until the main form closes or Terminate is called.
    void Run();
    // Handles every pending event and posted message, then returns.
    void ProcessMessages();
    // Waits for one event (or posted message), handles what is pending, and returns.
    void HandleMessage();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    TCustomForm* MainForm() const { return mainForm_; }
    // Shows E's message (or OnException handles it); EAbort is silent. Call inside a catch block for the
    // exception in flight; the loop goes on. Never throws: should OnException fail, its failure is shown
    // instead, and what cannot be shown goes to the error output.
    void HandleException(TObject* Sender) noexcept;
    void ShowException(Exception* E);
    TExceptionEvent OnException;
    // A message box through the one message-box function of the stand-in (recorded under the test seam).
    Integer MessageBox(const char* Text, const char* Caption, Integer Flags = 0);

    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& Value) { title_ = Value; }
    AnsiString ExeName() const;
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& Value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value) { showHint_ = Value; }
    Integer HintPause() const { return hintPause_; }
    void SetHintPause(Integer Value) { hintPause_ = Value; }
    Integer HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(Integer Value) { hintHidePause_ = Value; }
    // The pause before the next hint once the mouse leaves where a shown hint holds.
    Integer HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(Integer Value) { hintShortPause_ = Value; }
    // Hides the hint; the next one waits the whole HintPause.
    void CancelHint();
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor Value) { hintColor_ = Value; }
    TIcon* Icon() const { return icon_.get(); }
    HWND Handle() const { return nullptr; }
    bool Active() const;

    TNotifyEvent OnHint;
    // Before a control's hint shows: may change the text or HintInfo, or clear CanShow.
    TShowHintEvent OnShowHint;
    TNotifyEvent OnIdle;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend struct TApplicationAccess;
    // Internal to the stand-in: the queue of posted messages, delivered in order.
    void PostToQueue(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
    // Delivers what was posted so far; returns true when something was delivered.
    bool DeliverPosted();
    struct TPosted {
        HWND Window;
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
    };
    // Copies the first queued message for Window (nullptr: any) within [First, Last] (0, 0: all) into
    // Found, removing it when Remove; false when there is none. A posted quit comes only when no other
    // message matches, as the platform hands it out.
    bool FindPosted(HWND Window, UINT First, UINT Last, bool Remove, TPosted& Found);
    // Delivers one message taken from the queue, as the loop does; answers the window procedure's result.
    LRESULT DeliverOne(const TPosted& Message);
    // A key-down goes through key pre-processing (CN_KEYDOWN: dialog keys) before the control gets it;
    // unconsumed, the character it types follows through the queue, as TranslateMessage makes it.
    LRESULT DeliverPostedKey(TWinControl* Target, const TPosted& Message);
    void CreateFormOf(TClass InstanceClass, const std::function<void(TCustomForm*)>& SetReference);

    std::deque<TPosted> posted_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    AnsiString title_;
    AnsiString hint_;
    bool showHint_ = true;
    Integer hintPause_ = 500;
    Integer hintHidePause_ = 2500;
    Integer hintShortPause_ = 50;
    TColor hintColor_ = clInfoBk;
    std::unique_ptr<TIcon> icon_;
};

// Both exist from InitForms to DoneForms.
extern TApplication* Application;
extern TScreen* Screen;

// The Forms unit's start-up and exit: Screen and Application are made, and freed in reverse order.
void InitForms();
void DoneForms();

// The stand-in's unit start-ups: every control class of its units becomes known to form descriptions.
void RegisterVclClasses();

// Does Str mark VK as its accelerator ("&Save": S, any letter case)? "&&" is a literal ampersand.
bool IsAccel(Word VK, const AnsiString& Str);

// The program's end: frees the forms the application owns, newest first (each one's OnDestroy runs).
void DoneApplication();
