#pragma once
// The status bar: one simple text, or a row of panels, painted by the stand-in itself.

#include <functional>
#include <memory>

#include "Classes.h"
#include "Controls.h"
#include "RichText.h"
#include "StdCtrls.h"
#include "Windows.h"

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
// The rich edit: a memo on the platform's text edit whose content carries character formats and paragraph
// alignments. Lines load and save RTF (our own reader and writer) unless PlainText; Text is the plain text
// (a paragraph end is CR LF). With ENM_REQUESTRESIZE in its event mask, a change of its text that changes
// the size its content needs at the control's width (and every EM_REQUESTRESIZE) reports that size as the
// notification EN_REQUESTRESIZE, which reaches the control as CN_NOTIFY and RequestSize. With ENM_SELCHANGE,
// a selection that EM_EXSETSEL or the user really changes is reported as EN_SELCHANGE (SelectionChange).
// Character positions of its own messages (EM_EXSETSEL, EM_FORMATRANGE) count a paragraph end as one.

constexpr UINT EM_EXGETSEL = WM_USER + 52;
constexpr UINT EM_EXSETSEL = WM_USER + 55;
constexpr UINT EM_FORMATRANGE = WM_USER + 57;
constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr UINT EM_REQUESTRESIZE = WM_USER + 65;
constexpr UINT EM_SETCHARFORMAT = WM_USER + 68;
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_REQUESTRESIZE = 0x00040000;
constexpr DWORD ENM_SELCHANGE = 0x00080000;
constexpr UINT EN_REQUESTRESIZE = 0x0701;
constexpr UINT EN_SELCHANGE = 0x0702;
constexpr Word SEL_EMPTY = 0x0000;
constexpr Word SEL_TEXT = 0x0001;

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

// cpMax -1 reaches the end; cpMin -1 removes the selection.
struct CHARRANGE {
    LONG cpMin = 0;
    LONG cpMax = 0;
};
using TCharRange = CHARRANGE;

// The selection after the change, in content positions.
struct SELCHANGE {
    NMHDR nmhdr;
    CHARRANGE chrg;
    Word seltyp;
};

// EM_FORMATRANGE: rc in twips of hdc; wParam non-zero draws, zero only measures; lParam 0 frees what the
// control keeps between calls. The answer is the first character that did not fit.
struct FORMATRANGE {
    HDC hdc = nullptr;
    HDC hdcTarget = nullptr;
    RECT rc{};
    RECT rcPage{};
    CHARRANGE chrg;
};
using TFormatRange = FORMATRANGE;

// EM_SETCHARFORMAT: wParam says where, dwMask which parts of the record apply.
constexpr WPARAM SCF_DEFAULT = 0x0000;
constexpr WPARAM SCF_SELECTION = 0x0001;
constexpr WPARAM SCF_ALL = 0x0004;
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_SIZE = 0x80000000;
constexpr DWORD CFE_BOLD = 0x0001;
constexpr DWORD CFE_ITALIC = 0x0002;
constexpr DWORD CFE_UNDERLINE = 0x0004;
constexpr DWORD CFE_STRIKEOUT = 0x0008;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;
constexpr int LF_FACESIZE_CHARFORMAT = 32;
struct CHARFORMAT {
    UINT cbSize = sizeof(CHARFORMAT);
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    LONG yHeight = 0;  // twips
    LONG yOffset = 0;
    COLORREF crTextColor = 0;
    BYTE bCharSet = 0;
    BYTE bPitchAndFamily = 0;
    char szFaceName[LF_FACESIZE_CHARFORMAT] = {};
};
using TCharFormat = CHARFORMAT;

using TRichEditResizeEvent = std::function<void(TObject* Sender, TRect& Rect)>;

class TCustomRichEdit;

// The look of the rich edit's selected text.
class TTextAttributes : public TPersistent {
    VCL_CLASS(TTextAttributes, TPersistent)
    explicit TTextAttributes(TCustomRichEdit& Edit) : edit_(Edit) {}

    // The colour of the selection's first character (the font's where it has none of its own).
    TColor Color() const;
    void SetColor(TColor Value);

private:
    TCustomRichEdit& edit_;
};

class TCustomRichEdit : public TCustomMemo {
    VCL_CLASS(TCustomRichEdit, TCustomMemo)
    explicit TCustomRichEdit(TComponent* AOwner);
    ~TCustomRichEdit() override;

    // The memo's lines, but streams carry RTF unless PlainText. A stream that is not RTF (or nests too
    // deep) loads as plain text.
    TStrings* Lines() const;
    bool PlainText() const { return plainText_; }
    void SetPlainText(bool Value) { plainText_ = Value; }
    TTextAttributes* SelAttributes() const { return selAttributes_.get(); }
    // The formatted content; setting it replaces the text as one change.
    const TRichText& Content() const { return content_; }
    void SetContent(const TRichText& Value);

    TRichEditResizeEvent OnResizeRequest;
    TNotifyEvent OnSelectionChange;

protected:
    // The content asks for Rect: fires OnResizeRequest.
    virtual void RequestSize(const TRect& Rect);
    // EN_SELCHANGE came: fires OnSelectionChange.
    virtual void SelectionChange();
    void Dispatch(TMessage& Message) override;
    TControlPeer* CreatePeer() override;
    void TextStored() override;

private:
    friend struct TComCtrlsAccess;
    friend class TTextAttributes;
    // Internal to the stand-in: the user's edit in the peer, with its formats.
    void ContentFromPeer(const TRichText& Value, Integer SelStart, Integer SelLength);
    void SelectionFromPeer(Integer SelStart, Integer SelLength);
    // Sends EN_SELCHANGE when the event mask asks for it and the selection is not the one (in the memo's
    // positions) it was.
    void ReportSelection(Integer WasStart, Integer WasLength);
    // Reports the content's size when the event mask asks for it and the window exists: Always, or when
    // it differs from the last one reported.
    void RequestResize(bool Always);
    // The content follows a text stored through the memo: what changed takes the format before it.
    void FollowText();
    // Content positions (a paragraph end one) and the memo's (CR LF two).
    Integer ToTextPos(std::size_t ContentPos) const;
    std::size_t ToContentPos(Integer TextPos) const;
    void SetCharFormat(WPARAM Where, const CHARFORMAT& Format);
    void ContentFormatChanged();

    DWORD eventMask_ = 0;
    TRect lastRequest_{};
    bool plainText_ = false;
    TRichText content_;
    AnsiString contentText_;  // RichPlainText of content_
    std::unique_ptr<TStrings> richLines_;
    std::unique_ptr<TTextAttributes> selAttributes_;
};

class TRichEdit : public TCustomRichEdit {
    VCL_CLASS(TRichEdit, TCustomRichEdit)
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};

// ---------------------------------------------------------------------------
// The date/time picker: a date or a time held by the control, edited in the platform's date-time field.
// Format takes the picker's codes (d dd ddd dddd M MM MMM MMMM yy yyyy h hh H HH m mm s ss t tt, 'literal');
// an empty one shows the locale's short date or long time. F4 and Alt+Down drop the calendar of a
// dmComboBox date picker; its showing and hiding reach the control as CN_NOTIFY with DTN_DROPDOWN and
// DTN_CLOSEUP. With ShowCheckbox, a click on the box or Space turns Checked (no value when False).
// OnChange fires for the user's changes only; setting a property from code fires nothing.

constexpr UINT DTN_FIRST2 = 0U - 753U;
constexpr UINT DTN_DROPDOWN = DTN_FIRST2 - 1;
constexpr UINT DTN_CLOSEUP = DTN_FIRST2;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TWinControl {
    VCL_CLASS(TDateTimePicker, TWinControl)
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind Value);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode Value);
    // The whole days of the value, and its time of day; each setter keeps the other part. Values beyond the
    // years 100 to 9999 are kept at the nearest one the picker shows.
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    bool ShowCheckbox() const { return showCheckbox_; }
    void SetShowCheckbox(bool Value);
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    const AnsiString& Format() const { return format_; }
    void SetFormat(const AnsiString& Value);

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void CreateParams(TCreateParams& Params) override;
    void DefaultHandler(TMessage& Message) override;
    TControlPeer* CreatePeer() override;
    void InitializePeer() override;

private:
    friend struct TComCtrlsAccess;
    // Internal to the stand-in: the value the user made in the peer (its day and time of day), and where
    // the check box lies.
    void DateTimeFromPeer(TDateTime Day, TDateTime TimeOfDayValue);
    TRect CheckBoxRect() const;
    // The format the peer shows: Format, or the locale's for the Kind.
    AnsiString ShownFormat() const;
    void SetDateTime(TDateTime Value);
    void CheckByUser(bool Value);
    void Mirror();

    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDateTime dateTime_ = 0;
    bool showCheckbox_ = false;
    bool checked_ = true;
    AnsiString format_;
};

// Registers the classes of this unit for form descriptions.
void RegisterComCtrls();
