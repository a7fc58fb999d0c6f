#pragma once
// The status bar: one simple text, or a row of panels, painted by the stand-in itself.

#include <functional>
#include <memory>

#include "Classes.h"
#include "Controls.h"
#include "StdCtrls.h"

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
    VCL_CLASS(TStatusPanel, TCollectionItem)
    explicit TStatusPanel(TCollection* Collection);
    void Assign(TPersistent* Source) override;

    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& Value);
    Integer Width() const { return width_; }
    void SetWidth(Integer Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel Value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle Value);

protected:
    AnsiString GetDisplayName() const override;

private:
    AnsiString text_;
    Integer width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TCollection {
    VCL_CLASS(TStatusPanels, TCollection)
    explicit TStatusPanels(TStatusBar* StatusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(Integer Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
    TPersistent* Owner() const override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* statusBar_;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TCustomControl {
    VCL_CLASS(TStatusBar, TCustomControl)
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return panels_.get(); }
    void SetPanels(TStatusPanels* Value) { panels_->Assign(Value); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool Value);
    const AnsiString& SimpleText() const { return simpleText_; }
    void SetSimpleText(const AnsiString& Value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool Value);

    // Where panel Index is drawn (the last panel reaches the right edge); the simple text's rectangle for -1.
    TRect PanelRect(Integer Index) const;

    TDrawPanelEvent OnDrawPanel;

protected:
    void Paint() override;
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);

private:
    void PaintPanel(const TRect& Rect, TStatusPanelBevel Bevel, const AnsiString& Text, TAlignment Alignment);
    void PaintSizeGrip();
    Integer GripWidth() const;

    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    AnsiString simpleText_;
    bool sizeGrip_ = true;
};

// ---------------------------------------------------------------------------
// The track bar: a native slider over Min..Max. Its keys follow the windowing system's track bar: Left and Up
// step back by LineSize, Right and Down forward, Page Up / Page Down by PageSize, Home and End to the ends.
// OnChange fires when the user moves the position; setting Position from code fires nothing.

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

class TTrackBar : public TWinControl {
    VCL_CLASS(TTrackBar, TWinControl)
    explicit TTrackBar(TComponent* AOwner);

    // A Min above Max (or a Max below Min) is refused, as the native control refuses it.
    Integer Min() const { return min_; }
    void SetMin(Integer Value);
    Integer Max() const { return max_; }
    void SetMax(Integer Value);
    // Kept within Min..Max.
    Integer Position() const { return position_; }
    void SetPosition(Integer Value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    // Turning the bar swaps its width and height.
    void SetOrientation(TTrackBarOrientation Value);
    Integer Frequency() const { return frequency_; }
    void SetFrequency(Integer Value);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle Value);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark Value);
    Integer PageSize() const { return pageSize_; }
    void SetPageSize(Integer Value) { pageSize_ = Value; }
    Integer LineSize() const { return lineSize_; }
    void SetLineSize(Integer Value) { lineSize_ = Value; }
    // False hides the thumb; the bar still takes keys and clicks.
    bool SliderVisible() const { return sliderVisible_; }
    void SetSliderVisible(bool Value);

    TNotifyEvent OnChange;

private:
    friend struct TComCtrlsAccess;
    // Internal to the stand-in: the user moved the native slider.
    void PositionFromPeer(Integer Value);

protected:
    void Changed() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    TControlPeer* CreatePeer() override;
    void InitializePeer() override;

private:
    void OptionsChanged();
    // Moves to Value within the range as the user's action, firing OnChange when it changed.
    void MoveByUser(Int64 Value);

    Integer min_ = 0;
    Integer max_ = 10;
    Integer position_ = 0;
    TTrackBarOrientation orientation_ = trHorizontal;
    Integer frequency_ = 1;
    TTickStyle tickStyle_ = tsAuto;
    TTickMark tickMarks_ = tmBottomRight;
    Integer pageSize_ = 2;
    Integer lineSize_ = 1;
    bool sliderVisible_ = true;
};

// ---------------------------------------------------------------------------
// The cool bar: a container for tool controls, aligned to the top of its parent by default.

class TCoolBar : public TCustomControl {
    VCL_CLASS(TCoolBar, TCustomControl)
    explicit TCoolBar(TComponent* AOwner);

protected:
    void Paint() override;
};

// ---------------------------------------------------------------------------
// The rich edit: a memo on the platform's text edit. Its text shows as it is (no rich-text reading yet).
// With ENM_REQUESTRESIZE in its event mask, a change of its text that changes the size its content needs at
// the control's width (and every EM_REQUESTRESIZE) reports that size as the notification EN_REQUESTRESIZE,
// which reaches the control as CN_NOTIFY and RequestSize.

constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr UINT EM_REQUESTRESIZE = WM_USER + 65;
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_REQUESTRESIZE = 0x00040000;
constexpr UINT EN_REQUESTRESIZE = 0x0701;

struct NMHDR {
    HWND hwndFrom;
    std::uintptr_t idFrom;
    UINT code;
};
// The content's rectangle: the formatting rectangle's width, the text's height.
struct REQRESIZE {
    NMHDR nmhdr;
    RECT rc;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, TRect& Rect)>;

class TCustomRichEdit : public TCustomMemo {
    VCL_CLASS(TCustomRichEdit, TCustomMemo)
    explicit TCustomRichEdit(TComponent* AOwner);

    TRichEditResizeEvent OnResizeRequest;

protected:
    // The content asks for Rect: fires OnResizeRequest.
    virtual void RequestSize(const TRect& Rect);
    void Dispatch(TMessage& Message) override;
    TControlPeer* CreatePeer() override;
    void TextStored() override;

private:
    // Reports the content's size when the event mask asks for it and the window exists: Always, or when
    // it differs from the last one reported.
    void RequestResize(bool Always);

    DWORD eventMask_ = 0;
    TRect lastRequest_{};
};

class TRichEdit : public TCustomRichEdit {
    VCL_CLASS(TRichEdit, TCustomRichEdit)
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};

// Registers the classes of this unit for form descriptions.
void RegisterComCtrls();
