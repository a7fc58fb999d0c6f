// Control helpers: windows on their monitor, frames, panel styles and resizing without resize events.
#include "ComponentHandling.h"

#include <functional>

namespace ComponentHandling {

namespace {

// OnResize silenced for the guard's life, restored even when a change raises; a control the saved
// handler destroyed gets nothing back.
class TQuietResize {
public:
    explicit TQuietResize(TControl* Control) : control_(Control) { SwapOnResize(control_, saved_, nullptr); }
    ~TQuietResize() {
        TNotifyEvent silenced;
        if (control_) SwapOnResize(control_, silenced, saved_);
    }
    TQuietResize(const TQuietResize&) = delete;
    TQuietResize& operator=(const TQuietResize&) = delete;
    const TNotifyEvent& Saved() const { return saved_; }

private:
    TComponentRef<TControl> control_;
    TNotifyEvent saved_;
};

// Runs Change with OnResize silenced; the saved handler runs once afterwards when asked and the size changed.
bool ResizeQuietly(TControl* Control, bool FireResize, const std::function<void()>& Change) {
    TQuietResize quiet(Control);
    const Integer oldWidth = Control->Width(), oldHeight = Control->Height();
    Change();
    const bool changed = SizeDiffers(Control, oldWidth, oldHeight);
    if (FireResize && changed && quiet.Saved()) quiet.Saved()(nullptr);
    return changed;
}

TNotifyEvent* OnResizeOf(TControl* Control) {
    if (dynamic_cast<TForm*>(Control) || dynamic_cast<TPanel*>(Control)) return &Control->OnResize;
    return nullptr;
}

// The screen's monitors, asked for before they are counted.
TMonitor* ChosenMonitor() {
    Screen->PrimaryMonitor();
    const Integer count = Screen->MonitorCount();
    return count % 2 == 0 ? Screen->PrimaryMonitor() : Screen->Monitors(count / 2);
}

}  // namespace

// --- Windows

void FitFormToScreen(TForm* Form, bool KeepMinWidth) {
    SizeFormToMonitor(Form, KeepMinWidth);
    Application->SetHintHidePause(1000000);
    Form->SetDoubleBuffered(false);
    Form->SetAutoScroll(false);
}

void FitMainFormToScreen(bool KeepMinWidth) {
    if (TForm* form = FindMainForm()) FitFormToScreen(form, KeepMinWidth);
}

void SizeFormToMonitor(TForm* Form, bool KeepMinWidth) {
    TMonitor* monitor = ChosenMonitor();
    Integer width = monitor->Width();
    const Integer height = monitor->Height();
    // A single screen four times as wide as high is three screens side by side.
    if (Screen->MonitorCount() == 1 && Int64{width} * 3 == Int64{height} * 12) width /= 3;
    Form->SetPosition(poDesigned);
    Integer newWidth = width - 40;
    if (KeepMinWidth) {
        // Without a minimum there is nothing to keep: the form keeps its width rather than collapsing.
        const Integer minWidth = Form->Constraints()->MinWidth();
        newWidth = minWidth > 0 ? minWidth : Form->Width();
    }
    SetSizeQuiet(Form, newWidth, height - 80, true);
    CenterFormOnScreen(Form);
}

void CenterFormOnScreen(TForm* Form) {
    Form->SetPosition(poDesigned);
    Form->SetTop((Screen->Height() - 40 - Form->Height()) / 2);
    Form->SetLeft((Screen->Width() - Form->Width()) / 2);
}

// --- Panels and frames

void SetPanelBevels(TPanelBevel BevelInner, TPanelBevel BevelOuter, TBorderStyle BorderStyle, bool Ctl3D,
                    TPanel* Panel) {
    Panel->SetBevelInner(BevelInner);
    Panel->SetBevelOuter(BevelOuter);
    Panel->SetBorderStyle(BorderStyle);
    Panel->SetCtl3D(Ctl3D);
}

void SetPanelStyle(TPanel* Panel, Integer Style) {
    switch (Style) {
        case 0: SetPanelBevels(bvNone, bvNone, bsSingle, false, Panel); break;
        case 1: SetPanelBevels(bvNone, bvRaised, bsNone, true, Panel); break;
        case 2: SetPanelBevels(bvLowered, bvRaised, bsNone, true, Panel); break;
        case 3: SetPanelBevels(bvNone, bvLowered, bsNone, true, Panel); break;
        case 4: SetPanelBevels(bvNone, bvRaised, bsSingle, false, Panel); break;
        default: break;
    }
}

Integer GetFrameWidth(TControl* Control, bool IncludeBorder) {
    if (auto* panel = dynamic_cast<TPanel*>(Control)) {
        Integer frame = 2 * panel->BorderWidth();
        if (panel->BevelInner() != bvNone) frame += 2 * panel->BevelWidth();
        if (panel->BevelOuter() != bvNone) frame += 2 * panel->BevelWidth();
        if (IncludeBorder && panel->BorderStyle() == bsSingle) frame += 4;
        return frame;
    }
    if (auto* form = dynamic_cast<TForm*>(Control))
        return form->Width() - form->ClientWidth() + 2 * form->BorderWidth();
    return Control->Width() - Control->ClientWidth();
}

Integer GetFrameHeight(TControl* Control, bool IncludeBorder) {
    if (dynamic_cast<TPanel*>(Control)) return GetFrameWidth(Control, IncludeBorder);
    if (auto* form = dynamic_cast<TForm*>(Control))
        return form->Height() - form->ClientHeight() + 2 * form->BorderWidth();
    return Control->Height() - Control->ClientHeight();
}

// --- Sizes and resize events

void GetControlBounds(TControl* Control, Integer& Width, Integer& Height, Integer& Top, Integer& Left) {
    Width = Control->Width();
    Height = Control->Height();
    Top = Control->Top();
    Left = Control->Left();
}

Int64 GetControlSize(TControl* Control, Integer& Width, Integer& Height) {
    Width = Control->Width();
    Height = Control->Height();
    return Int64{Width} * Height;
}

bool SizeDiffers(TControl* Control, Integer Width, Integer Height) {
    return Control->Height() != Height || Control->Width() != Width;
}

void GetOnResize(TControl* Control, TNotifyEvent& Handler) {
    TNotifyEvent* event = OnResizeOf(Control);
    Handler = event ? *event : nullptr;
}

void SwapOnResize(TControl* Control, TNotifyEvent& Saved, TNotifyEvent NewHandler) {
    TNotifyEvent* event = OnResizeOf(Control);
    Saved = event ? *event : nullptr;
    if (event) *event = std::move(NewHandler);
}

bool SetBoundsQuiet(TControl* Control, Integer Width, Integer Height, Integer Top, Integer Left, bool FireResize) {
    return ResizeQuietly(Control, FireResize, [&] {
        const bool wasVisible = Control->Visible();
        // A move in both directions is done out of sight, so the control does not show in between.
        if (Left != Control->Left() && Top != Control->Top()) Control->SetVisible(false);
        TSizeConstraints* limits = Control->Constraints();
        if (Height >= limits->MinHeight()) Control->SetHeight(Height);
        if (Width >= limits->MinWidth()) Control->SetWidth(Width);
        Control->SetTop(Top);
        Control->SetLeft(Left);
        Control->SetVisible(wasVisible);
    });
}

bool SetSizeQuiet(TControl* Control, Integer Width, Integer Height, bool FireResize) {
    return SetBoundsQuiet(Control, Width, Height, Control->Top(), Control->Left(), FireResize);
}

bool StretchToParent(TControl* Control, Integer Margin, bool FireResize) {
    TWinControl* parent = Control->Parent();
    if (!parent) return false;
    return SetBoundsQuiet(Control, parent->ClientWidth() - Margin - Control->Left(),
                          parent->ClientHeight() - Margin - Control->Top(), Control->Top(), Control->Left(),
                          FireResize);
}

void SetMinWidthQuiet(TControl* Control, Integer Value, bool FireResize) {
    ResizeQuietly(Control, FireResize, [&] {
        Control->Constraints()->SetMinWidth(Value);
        if (Control->Width() < Value) Control->SetWidth(Value);
    });
}

void SetMinHeightQuiet(TControl* Control, Integer Value, bool FireResize) {
    ResizeQuietly(Control, FireResize, [&] {
        Control->Constraints()->SetMinHeight(Value);
        if (Control->Height() < Value) Control->SetHeight(Value);
    });
}

void HookOnResize(TWinControl* Host, TNotifyEvent& Saved, TNotifyEvent NewHandler) {
    if (auto* form = dynamic_cast<TForm*>(Host)) {
        form->SetAutoSize(false);
        form->SetAutoScroll(false);
    }
    SwapOnResize(Host, Saved, std::move(NewHandler));
}

void HookFormOnResize(TForm* Host, TNotifyEvent& Saved, TNotifyEvent NewHandler) {
    HookOnResize(Host, Saved, std::move(NewHandler));
}

void HookPanelOnResize(TPanel* Host, TNotifyEvent& Saved, TNotifyEvent NewHandler) {
    HookOnResize(Host, Saved, std::move(NewHandler));
}

}  // namespace ComponentHandling
