#pragma once
// Standard controls: edit, memo, label, check box, radio button, push button, combo box.
//
// Each windowed one is a native widget behind its peer (vcl/src/qt/<Class>Peer.cpp). The control holds every
// property; the peer mirrors them and reports the user's input back once: typed text through
// TextFromPeer (then CN_COMMAND/EN_CHANGE), clicks as CN_COMMAND/BN_CLICKED, a chosen list item through
// ItemIndexFromPeer (then CN_COMMAND/CBN_SELCHANGE).

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Controls.h"

using TLeftRight = TAlignment;
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};

enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, Integer Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, Integer Index, Integer& Height)>;

// Registers every class of this unit for form descriptions; called by start-up code and the tests.
void RegisterStdCtrls();

class TMemoStrings;
class TComboBoxStrings;
class TComboBoxChild;

// ---------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
    VCL_CLASS(TCustomEdit, TWinControl)
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool Value) { autoSelect_ = Value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase Value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    // 0: no limit. Limits what the user types or pastes afterwards, never a text already there.
    Integer MaxLength() const { return maxLength_; }
    void SetMaxLength(Integer Value);
    bool Modified() const { return modified_; }
    void SetModified(bool Value) { modified_ = Value; }
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);

    // Selection in characters of Text (a memo's line breaks count two).
    Integer SelStart() const { return selStart_; }
    void SetSelStart(Integer Value);
    Integer SelLength() const { return selLength_; }
    void SetSelLength(Integer Value);
    AnsiString SelText() const;
    // Replaces the selection, as typing would (OnChange fires once when the text changes).
    void SetSelText(const AnsiString& Value);
    void SelectAll();
    void ClearSelection() { SetSelText(""); }
    void Clear() { SetText(""); }
    // The clipboard and the undo buffer, through the control's messages (WM_COPY, WM_CUT, WM_PASTE,
    // WM_UNDO, EM_CANUNDO), so a descendant or a replaced WindowProc sees them and may refuse them.
    void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
    void CutToClipboard() { Perform(WM_CUT, 0, 0); }
    void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
    void Undo() { Perform(WM_UNDO, 0, 0); }
    bool CanUndo() const;

    TNotifyEvent OnChange;

private:
    friend struct TStdCtrlsAccess;
    // Internal to the stand-in: the user changed the text or the selection in the peer. EditFromPeer
    // takes the selection after the edit with it, so that OnChange already sees the new caret.
    void TextFromPeer(const AnsiString& Value);
    void EditFromPeer(const AnsiString& Value, Integer SelStart, Integer SelLength, bool WideChanged);
    const AnsiString& TextForPeer() const { return StoredText(); }
    void SelectionFromPeer(Integer Start, Integer Length);

protected:
    // Internal to the stand-in: a multi-line edit's peer shows the text in place and reports the user's edit
    // as a change of [Start, End), with the selection after it.
    virtual void SpliceFromPeer(std::size_t Start, std::size_t End, const AnsiString& Value, Integer SelStart,
                                Integer SelLength);
    virtual void Change();
    void Dispatch(TMessage& Message) override;
    // The edit control's own behaviour: Ctrl+C/V/X/Z, Ctrl+Ins, Shift+Ins and Shift+Del become WM_COPY,
    // WM_PASTE, WM_CUT and WM_UNDO through WindowProc; no control character is typed into a one-line
    // edit; the clipboard messages work on the selection (ReadOnly and passwords respected); the context
    // menu is the edit's own, its items sending those messages.
    void DefaultHandler(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    TControlPeer* CreatePeer() override;
    void InitializePeer() override;
    void Loaded() override;
    // The text as the user sees it in the peer: CharCase applied.
    AnsiString ApplyCharCase(const AnsiString& Value) const;
    // Stores a new text from code or from an edit operation and fires OnChange when it differs.
    void ReplaceText(const AnsiString& Value);
    virtual bool MultiLine() const { return false; }
    // A memo, or an edit whose window is made with ES_MULTILINE: its text shows in lines.
    bool ShowsLines() const;
    // Whether long lines wrap: in a multi-line edit made without ES_AUTOHSCROLL.
    virtual bool WrapsLines() const;
    // The character shown for each one of a hidden text (0: the text shows).
    char ShownPasswordChar() const;
    // Tells the peer to take the control's options (smOptions) again.
    void OptionsChanged();
    // EM_SETRECT / EM_GETRECT, in client coordinates.
    void SetFormatRect(const TRect* Rect);
    TRect FormatRect() const;
    // The user's edit is stored (with the selection after it): it counts as a modification, and OnChange
    // hears of it while the typing goes on.
    void AnnounceUserEdit();

private:
    struct TSelection {
        Integer Start;
        Integer Length;
    };
    void AdjustHeight();
    void ClampSelection();
    // GWL_STYLE of the window holds Style (0 without a window).
    bool HasStyle(DWORD Style) const;
    bool HidesText() const;
    bool TakesLineBreaks() const;
    // The default handling of WM_KEYDOWN and WM_CHAR: false when the native widget is to handle the key.
    bool EditKey(TMessage& Message);
    LRESULT CharGeometry(const TMessage& Message);
    // EM_GETLINECOUNT, EM_LINEINDEX, EM_LINEFROMCHAR, EM_LINELENGTH and EM_GETLINE over the lines the
    // control shows.
    LRESULT LineQuery(const TMessage& Message);
    void CopySelection();
    // Replaces the selection with Text as the user's edit (MaxLength applies; undo takes it back).
    void ReplaceSelectionByUser(AnsiString Text);
    void ShowContextMenu(TMessage& Message);
    // WideChanged: a Unicode window's text changed where its single-byte text may not have.
    void TakeUserEdit(const AnsiString& Value, const TSelection* After, bool WideChanged = false);
    void PlaceCaretForNewText(const char* NewText);

    bool autoSelect_ = true;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    Integer maxLength_ = 0;
    bool modified_ = false;
    char passwordChar_ = 0;
    bool readOnly_ = false;
    Integer selStart_ = 0;
    Integer selLength_ = 0;
    bool typing_ = false;  // the user's edit is being announced
    // EM_SETRECT's formatting rectangle as distances from the client area's sides, so it follows resizes.
    std::optional<TRect> formatMargins_;
};

class TEdit : public TCustomEdit {
    VCL_CLASS(TEdit, TCustomEdit)
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// ---------------------------------------------------------------------------
// A memo's text breaks lines with CR LF (any CR, LF or CR LF given is stored as CR LF); Lines works on it.
// Text() and SetText() take the whole text in one piece; Lines changes only the part it touches, and inside
// Lines->BeginUpdate/EndUpdate the changes collect and reach the window and OnChange once.

class TCustomMemo : public TCustomEdit {
    VCL_CLASS(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings* Lines() const;
    void SetLines(TStrings* Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // Without it, Return types nothing (Ctrl+Return still breaks the line).
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool Value) { wantReturns_ = Value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool Value) { wantTabs_ = Value; }
    // Clear, the old text's memory handed to Storage (emptied) instead of freed: a writer that makes the
    // next long text in it needs no fresh pages for it.
    void ClearInto(AnsiString& Storage);

protected:
    // The user's edit in the peer: the line index is made again.
    void SpliceFromPeer(std::size_t Start, std::size_t End, const AnsiString& Value, Integer SelStart,
                        Integer SelLength) override;
    void Dispatch(TMessage& Message) override;
    bool MultiLine() const override { return true; }
    // A horizontal scroll bar turns wrapping off.
    bool WrapsLines() const override { return wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth; }
    void KeyPress(char& Key) override;

private:
    friend class TMemoStrings;
    // The text Lines sees: inside an update block the collected one.
    const AnsiString& CurrentText() const { return updatingLines_ ? pendingText_ : StoredText(); }
    // Line starts of the current text (built on demand); the last entry is the end of the text.
    const std::vector<std::size_t>& LineStarts() const;
    // Adds the starts of lines after the line breaks found from From on, then the end of the text.
    void IndexLines(std::size_t From) const;
    Integer LineCount() const;
    AnsiString Line(Integer Index) const;
    // Replaces [Start, End) of the current text with Value, as one change.
    void Splice(std::size_t Start, std::size_t End, const AnsiString& Value);
    void BeginLinesUpdate();
    void EndLinesUpdate();
    // Announces a change the memo made itself: its line index stays valid.
    void AnnounceChange();
    void HandOutStorage(AnsiString& Target);

    std::unique_ptr<TMemoStrings> lines_;
    TAlignment alignment_ = taLeftJustify;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    mutable std::vector<std::size_t> lineStarts_;
    mutable bool lineStartsValid_ = false;
    bool updatingLines_ = false;
    bool announcing_ = false;
    AnsiString pendingText_;
    // Where the clearing WM_SETTEXT puts the old text's memory (ClearInto).
    AnsiString* clearInto_ = nullptr;
};

class TMemo : public TCustomMemo {
    VCL_CLASS(TMemo, TCustomMemo)
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
    VCL_CLASS(TCustomLabel, TGraphicControl)
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    // The size follows the caption (the right edge stays put for right-justified labels).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout Value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool Value);
    // No background fill: the parent shows through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // Alt with the caption's accelerator character focuses this control.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value);

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Loaded() override;
    virtual void AdjustBounds();
    // Draws (or with DT_CALCRECT measures) the caption on Canvas within Rect.
    void DoDrawText(TCanvas* Target, TRect& Rect, UINT Flags);

private:
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool showAccelChar_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    TComponentRef<TWinControl> focusControl_;
};

class TLabel : public TCustomLabel {
    VCL_CLASS(TLabel, TCustomLabel)
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------------------
// Push buttons, check boxes and radio buttons.

class TButtonControl : public TWinControl {
    VCL_CLASS(TButtonControl, TWinControl)
    explicit TButtonControl(TComponent* AOwner);

    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool /*Value*/) {}

protected:
    // While true, checking from code does not fire OnClick (the form reader sets Checked this way).
    bool ClicksDisabled() const { return clicksDisabled_ || ComponentState().Contains(csReading); }
    void SetClicksDisabled(bool Value) { clicksDisabled_ = Value; }
    // Tells the peer to show the check state again.
    void CheckStateChanged();
    void InitializePeer() override;

private:
    bool clicksDisabled_ = false;
};

class TButton : public TButtonControl {
    VCL_CLASS(TButton, TButtonControl)
    explicit TButton(TComponent* AOwner);

    // Enter clicks the default button unless another button has the focus; Escape clicks the cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool Value) { cancel_ = Value; }
    // Clicking sets the parent form's ModalResult to this.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }

    void Click() override;

protected:
    void Dispatch(TMessage& Message) override;
    TControlPeer* CreatePeer() override;

private:
    // Is this the button Enter clicks now?
    bool IsActiveForEnter() const;

    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

class TCustomCheckBox : public TButtonControl {
    VCL_CLASS(TCustomCheckBox, TButtonControl)
    explicit TCustomCheckBox(TComponent* AOwner);

    // Side of the caption relative to the box: taRightJustify puts it right of the box.
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight Value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
    TCheckBoxState State() const { return state_; }
    // A change fires OnClick (unless clicks are disabled).
    void SetState(TCheckBoxState Value);
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }

protected:
    // The user's click: unchecked -> checked (or grayed when allowed) -> unchecked.
    virtual void Toggle();
    void Dispatch(TMessage& Message) override;
    TControlPeer* CreatePeer() override;

private:
    TLeftRight alignment_ = taRightJustify;
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
    VCL_CLASS(TCheckBox, TCustomCheckBox)
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
    VCL_CLASS(TRadioButton, TButtonControl)
    explicit TRadioButton(TComponent* AOwner);

    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight Value);
    bool Checked() const override { return checked_; }
    // Checking unchecks the other radio buttons of the same parent and fires OnClick; unchecking fires nothing.
    void SetChecked(bool Value) override;

protected:
    void Dispatch(TMessage& Message) override;
    TControlPeer* CreatePeer() override;

private:
    void TurnSiblingsOff();

    TLeftRight alignment_ = taRightJustify;
    bool checked_ = false;
};

// ---------------------------------------------------------------------------

class TCustomComboBox : public TWinControl {
    VCL_CLASS(TCustomComboBox, TWinControl)
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const;
    void SetItems(TStrings* Value);
    // -1: none. Setting it from code shows the item's text and fires nothing.
    Integer ItemIndex() const { return itemIndex_; }
    void SetItemIndex(Integer Value);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle Value);
    Integer DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(Integer Value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    Integer MaxLength() const { return maxLength_; }
    void SetMaxLength(Integer Value);
    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool Value);
    // Owner-drawn styles keep their own (16 at first); the others' items are as high as the font's text.
    Integer ItemHeight() const;
    void SetItemHeight(Integer Value);
    void Clear();

    // The edit part's selection (CB_GETEDITSEL / CB_SETEDITSEL).
    Integer SelStart() const { return selStart_; }
    void SetSelStart(Integer Value);
    Integer SelLength() const { return selLength_; }
    void SetSelLength(Integer Value);
    // What DrawItem draws with: its device context is the item's while an owner-drawn item paints.
    TCanvas* Canvas() const;
    // The edit part's window (none without one) and the list's.
    HWND EditHandle() const;
    HWND ListHandle() const;

    // Height is the extent with the list dropped, as the windowing system takes it; closed, the window is
    // its selection field: CB_GETITEMHEIGHT(-1) + 6 high (all of Height for csSimple).
    TRect ClientRect() const override;

    // Stored only: no drag starts from a combo here, and the input method is the system's.
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode Value) { dragMode_ = Value; }
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind Value) { dragKind_ = Value; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor Value) { dragCursor_ = Value; }
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode Value) { imeMode_ = Value; }
    const AnsiString& ImeName() const { return imeName_; }
    void SetImeName(const AnsiString& Value) { imeName_ = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

private:
    friend struct TStdCtrlsAccess;
    // Internal to the stand-in: the user typed in the peer's edit, chose an item, or the list opened/closed.
    // WideChanged: a Unicode window's text changed where its single-byte text may not have.
    void TextFromPeer(const AnsiString& Value, bool WideChanged = false);
    void ItemIndexFromPeer(Integer Index);
    void DroppedDownFromPeer(bool Value) { droppedDown_ = Value; }
    Integer DroppedWidthForPeer() const { return droppedWidth_; }
    bool NativeButtonForPeer() const { return nativeButton_; }

protected:
    // Off: the window draws neither its frame nor its drop button, and fills with Color where they were;
    // the control paints its own over it.
    bool NativeButton() const { return nativeButton_; }
    void SetNativeButton(bool Value);
    virtual void Change();
    // A chosen item: OnSelect when assigned, otherwise OnChange.
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // An owner-drawn item (Index -1: the empty field): OnDrawItem, else the item's text on the brush.
    virtual void DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State);
    // csOwnerDrawVariable: each item's height, ItemHeight unless OnMeasureItem says otherwise.
    virtual void MeasureItem(Integer Index, Integer& Height);
    // The messages of the edit part and the list: key messages take the control's key events, Return and
    // Esc close a dropped list; ComboProc is the child window's own handling.
    virtual void ComboWndProc(TMessage& Message, HWND ComboWnd, const TWndMethod& ComboProc);
    void Dispatch(TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    TControlPeer* CreatePeer() override;
    void InitializePeer() override;
    TRect PeerBounds() const override;

private:
    friend class TComboBoxStrings;
    void ItemsChanged();
    void OptionsChanged();
    void ShowItemText();
    bool OwnerDrawn() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
    // The selection field's and the list's item heights (CB_GETITEMHEIGHT -1 and 0).
    Integer FieldItemHeight() const;
    Integer ListItemHeight() const;
    Integer FieldHeight() const;
    // CB_SETITEMHEIGHT; false for a height the window refuses.
    bool SetItemHeightOf(Integer Index, Integer Value);
    // The closed window follows a new field height.
    void FieldChanged();

    friend class TComboBoxChild;
    // An owner-drawn item's height (variable: as measured when it was added).
    Integer ItemHeightOf(Integer Index) const;
    // Draws item Index on the canvas over Rect of Target, as CN_DRAWITEM does.
    void DrawItemOn(TSurface& Target, Integer Index, const TRect& Rect, TOwnerDrawState State);
    TComboBoxChild* KeyboardChild() const;
    void ClampSelection();

    std::unique_ptr<TComboBoxStrings> items_;
    std::unique_ptr<TComboBoxChild> edit_;
    std::unique_ptr<TComboBoxChild> list_;
    std::unique_ptr<TCanvas> canvas_;
    Integer selStart_ = 0;
    Integer selLength_ = 0;
    Integer itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    Integer dropDownCount_ = 8;
    bool sorted_ = false;
    Integer maxLength_ = 0;
    bool droppedDown_ = false;
    bool nativeButton_ = true;
    Integer droppedWidth_ = 0;  // CB_SETDROPPEDWIDTH's; the list is never narrower than the combo
    Integer itemHeight_ = 16;
    Integer fieldItemHeight_ = 0;  // CB_SETITEMHEIGHT's, 0 while the font decides
    Integer listItemHeight_ = 0;
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    TCursor dragCursor_ = crDrag;
    TImeMode imeMode_ = imDontCare;
    AnsiString imeName_;
};

class TComboBox : public TCustomComboBox {
    VCL_CLASS(TComboBox, TCustomComboBox)
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
