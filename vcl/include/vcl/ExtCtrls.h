#pragma once
// Panels, bevels, timers and images; the timer service that drives TTimer and auto-repeating controls.

#include <functional>
#include <map>
#include <memory>

#include "Classes.h"
#include "Clock.h"
#include "Controls.h"
#include "Graphics.h"

// ---------------------------------------------------------------------------
// Timer service: periodic ticks on the GUI thread. The default runs on the application's event loop;
// a test installs a TManualTimerService and fires the ticks by advancing its clock.

class TTimerService {
public:
    using TTick = std::function<void()>;
    virtual ~TTimerService() = default;
    // Calls Tick every Interval milliseconds (at least 1) until stopped; returns an id that is never 0.
    virtual Cardinal Start(Cardinal Interval, TTick Tick) = 0;
    // Unknown ids are ignored, so a tick may stop its own timer.
    virtual void Stop(Cardinal Id) = 0;
};

// The installed service: the newest TManualTimerService alive, else the event loop's.
TTimerService& TimerService();

class TManualTimerService : public TTimerService {
public:
    explicit TManualTimerService(TTestClock& Clock);
    ~TManualTimerService() override;
    TManualTimerService(const TManualTimerService&) = delete;
    TManualTimerService& operator=(const TManualTimerService&) = delete;

    Cardinal Start(Cardinal Interval, TTick Tick) override;
    void Stop(Cardinal Id) override;
    // Moves the clock forward, stopping at each due time to fire that timer (earliest first).
    void Advance(UInt64 Milliseconds);
    Integer ActiveCount() const { return static_cast<Integer>(timers_.size()); }

private:
    struct TEntry {
        Cardinal Interval;
        UInt64 Due;
        TTick Tick;
    };
    TTestClock& clock_;
    std::map<Cardinal, TEntry> timers_;
    Cardinal nextId_ = 1;
    TManualTimerService* previous_;
};

// ---------------------------------------------------------------------------

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;
using TBevelWidth = Integer;

// Draws Width nested rectangles inside Rect, top-left edges in TopColor, bottom-right in BottomColor, and
// leaves Rect shrunk by Width on each side.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

class TCustomPanel : public TCustomControl {
    VCL_CLASS(TCustomPanel, TCustomControl)
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel Value);
    TBevelWidth BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(TBevelWidth Value);  // ERangeError below 1
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);  // bsNone or bsSingle
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool Value) { fullRepaint_ = Value; }
    bool Locked() const { return locked_; }
    void SetLocked(bool Value) { locked_ = Value; }

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;

private:
    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    TBevelWidth bevelWidth_ = 1;
    TBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
    bool locked_ = false;
};

class TPanel : public TCustomPanel {
    VCL_CLASS(TPanel, TCustomPanel)
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// ---------------------------------------------------------------------------

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
    VCL_CLASS(TBevel, TGraphicControl)
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

// ---------------------------------------------------------------------------

class TTimer : public TComponent {
    VCL_CLASS(TTimer, TComponent)
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return interval_; }
    void SetInterval(Cardinal Value);

    // An exception from the handler goes to Application->HandleException; the timer keeps running.
    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void Tick();

    bool enabled_ = true;
    Cardinal interval_ = 1000;
    TTimerService* service_ = nullptr;
    Cardinal id_ = 0;
};

// ---------------------------------------------------------------------------

class TImage : public TGraphicControl {
    VCL_CLASS(TImage, TGraphicControl)
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* Value) { picture_->Assign(Value); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool Value);
    bool Center() const { return center_; }
    void SetCenter(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);

    // Where the picture lands in the client area under Stretch, Proportional and Center.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* Sender);
    void FitToPicture();

    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = false;
    bool proportional_ = false;
    bool autoSize_ = false;
};

// Registers the classes of this unit for form descriptions.
void RegisterExtCtrls();
