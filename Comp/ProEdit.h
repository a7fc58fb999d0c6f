#pragma once
// The typed edit: a one-line edit whose value has a kind (text, integer, float, money, hexadecimal,
// range list, letters and digits, case rules, password). Keys and pasted text are filtered by the kind,
// numbers are formatted on leaving, a fixed Prefix and Suffix surround the value, Esc restores the value
// held at focus entry, and the focus, modified and error states show as colours.
//
// The window text is always Prefix + value + Suffix. Text() is the value; the window text is what the
// stand-in, persistence and the peer see (TControl::Text, StoredText).

#include <memory>

#include "ProEddd.h"
#include "vcl/StdCtrls.h"

namespace ProEdit {

enum TProEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric
};
enum TEditAlign { eaLeft, eaRight, eaDefault, eaCenter };
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};
enum TPersistenceLocation { plInifile, plRegistry };

// Where an edit keeps its text between runs. The entry is named after the edit's Name.
class TPersistence : public TPersistent {
    VCL_CLASS(TPersistence, TPersistent)
    bool Enable() const { return enable_; }
    void SetEnable(bool Value) { enable_ = Value; }
    // The INI file, or the registry key below the current user's root.
    const AnsiString& Key() const { return key_; }
    void SetKey(const AnsiString& Value) { key_ = Value; }
    // The INI section, or the registry subkey below Key.
    const AnsiString& Section() const { return section_; }
    void SetSection(const AnsiString& Value) { section_ = Value; }
    TPersistenceLocation Location() const { return location_; }
    void SetLocation(TPersistenceLocation Value) { location_ = Value; }

private:
    bool enable_ = false;
    AnsiString key_;
    AnsiString section_;
    TPersistenceLocation location_ = plInifile;
};

using TValueValidateEvent = std::function<void(TObject* Sender, const AnsiString& Value, bool& IsValid)>;
using TClipboardEvent = std::function<void(TObject* Sender, const AnsiString& Value, bool& Allow)>;

// What a text reads as, by one pass over it; the numbers are the codes the edit has always used.
enum TTextClass { tcInteger = 0, tcFloat = 1, tcOther = 2, tcHex = 5 };
TTextClass ClassifyText(const AnsiString& Text);
// Capitalises names in place: mcdonald -> McDonald, o'neil-smith -> O'Neil-Smith, henry iii -> Henry III.
void ApplyMixedCase(AnsiString& Text);
// Contains "://", or "@" after its first character.
bool LooksLikeURL(const AnsiString& Value);

class TEditDropTarget;

class TProEdit : public TCustomEdit {
    VCL_CLASS(TProEdit, TCustomEdit)
    explicit TProEdit(TComponent* AOwner);
    ~TProEdit() override;

    // The value: the window text without Prefix and Suffix. Writing it checks and formats it by type.
    AnsiString Text() const;
    void SetText(const AnsiString& Value);
    // EConvertError for a value that is no number (a lone separator); ERangeError for a hexadecimal
    // value written beyond the 64-bit range.
    double FloatValue() const;
    void SetFloatValue(double Value);
    void SetIntValue(Int64 Value);
    bool IsError() const { return isError_; }
    void SetIsError(bool Value);

    TProEditType EditType() const { return editType_; }
    void SetEditType(TProEditType Value);
    bool Signed() const { return signed_; }
    void SetSigned(bool Value) { signed_ = Value; }
    SmallInt Precision() const { return precision_; }
    void SetPrecision(SmallInt Value);
    SmallInt LengthLimit() const { return lengthLimit_; }
    void SetLengthLimit(SmallInt Value) { lengthLimit_ = Value; }
    bool TabOnFullLength() const { return tabOnFullLength_; }
    void SetTabOnFullLength(bool Value) { tabOnFullLength_ = Value; }
    bool ExcelStyleDecimalSeparator() const { return excelStyleDecimalSeparator_; }
    void SetExcelStyleDecimalSeparator(bool Value) { excelStyleDecimalSeparator_ = Value; }
    bool AutoThousandSeparator() const { return autoThousandSeparator_; }
    void SetAutoThousandSeparator(bool Value);
    // The fixed texts, like the window text, end at a NUL.
    const AnsiString& Prefix() const { return prefix_; }
    void SetPrefix(const AnsiString& Value);
    const AnsiString& Suffix() const { return suffix_; }
    void SetSuffix(const AnsiString& Value);
    TEditAlign EditAlign() const { return editAlign_; }
    void SetEditAlign(TEditAlign Value);
    TEditAlign FocusAlign() const { return focusAlign_; }
    void SetFocusAlign(TEditAlign Value) { focusAlign_ = Value; }
    Integer FocusWidthInc() const { return focusWidthInc_; }
    void SetFocusWidthInc(Integer Value) { focusWidthInc_ = Value; }
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor Value) { focusColor_ = Value; }
    TColor FocusFontColor() const { return focusFontColor_; }
    void SetFocusFontColor(TColor Value) { focusFontColor_ = Value; }
    TColor ModifiedColor() const { return modifiedColor_; }
    void SetModifiedColor(TColor Value) { modifiedColor_ = Value; }
    bool ShowModified() const { return showModified_; }
    void SetShowModified(bool Value) { showModified_ = Value; }
    TColor ErrorColor() const { return errorColor_; }
    void SetErrorColor(TColor Value) { errorColor_ = Value; }
    TColor ErrorFontColor() const { return errorFontColor_; }
    void SetErrorFontColor(TColor Value) { errorFontColor_ = Value; }
    bool ShowError() const { return showError_; }
    void SetShowError(bool Value) { showError_ = Value; }
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor Value);
    // Every write is also remembered as the normal colour (the one shown outside focus and error).
    void SetColor(TColor Value) { TCustomEdit::SetColor(Value); }
    void SetEnabled(bool Value) override;
    void SetVisible(bool Value);
    bool CanUndo() const { return canUndo_; }
    void SetCanUndo(bool Value);
    bool ReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool Value) { returnIsTab_ = Value; }
    bool AutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }

    // The attached label: made at the first LabelCaption write, on the edit's parent of that moment, and
    // placed again at every label write, move and label-font change.
    AnsiString LabelCaption() const;
    void SetLabelCaption(const AnsiString& Value);
    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition Value);
    Integer LabelMargin() const { return labelMargin_; }
    void SetLabelMargin(Integer Value);
    bool LabelTransparent() const { return labelTransparent_; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return labelAlwaysEnabled_; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* LabelFont() const { return labelFont_.get(); }
    void SetLabelFont(TFont* Value) { labelFont_->Assign(Value); }
    // nullptr until LabelCaption is first written.
    TLabel* EditLabel() const { return label_.Get(); }
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    // Stored for the look the painting gives them (label, flat frame, hints, drags).
    bool FocusLabel() const { return focusLabel_; }
    void SetFocusLabel(bool Value) { focusLabel_ = Value; }
    // Without a border, the formatting rectangle inside a flat frame; the border style comes back when off.
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool FocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value) { focusBorder_ = Value; }
    bool ShowURL() const { return showURL_; }
    void SetShowURL(bool Value) { showURL_ = Value; }
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor Value) { urlColor_ = Value; }
    bool HintShowLargeText() const { return hintShowLargeText_; }
    void SetHintShowLargeText(bool Value) { hintShowLargeText_ = Value; }
    // A press in the selection followed by a move drags the selected text out.
    bool OleDropSource() const { return oleDropSource_; }
    void SetOleDropSource(bool Value) { oleDropSource_ = Value; }
    // Texts dropped from any program go in at the drop caret, by the paste rules. The registration
    // follows the window: renewed with each new one.
    bool OleDropTarget() const { return oleDropTarget_; }
    void SetOleDropTarget(bool Value);
    // Where a drop would insert, in client coordinates; (-1, -1) while no drag is over the edit.
    TPoint DropCaret() const { return dropCaret_; }
    // These store and repaint.
    const AnsiString& EmptyText() const { return emptyText_; }
    void SetEmptyText(const AnsiString& Value);
    Integer ErrorMarkerPos() const { return errorMarkerPos_; }
    void SetErrorMarkerPos(Integer Value);
    Integer ErrorMarkerLen() const { return errorMarkerLen_; }
    void SetErrorMarkerLen(Integer Value);
    TColor FlatLineColor() const { return flatLineColor_; }
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return flatParentColor_; }
    void SetFlatParentColor(bool Value);
    bool SoftBorder() const { return softBorder_; }
    void SetSoftBorder(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);

    TPersistence* Persistence() const { return persistence_.get(); }
    // The window text as stored under the edit's Name ("@" reads as no entry); nothing unless enabled.
    virtual void LoadPersistence();
    virtual void SavePersistence();

    TValueValidateEvent OnValueValidate;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;

protected:
    void Change() override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    // Multi-line (for the formatting rectangle) unless a password; EditAlign's alignment.
    void CreateParams(TCreateParams& Params) override;
    // A new window gets the formatting rectangle.
    void CreateWnd() override;
    // Sends the formatting rectangle: inside the text margins, and inside the flat frame with Flat.
    virtual void ApplyFormatRect();
    // Pixels kept free of text at the sides (a button edit keeps its button's room on the right).
    Integer LeftMargin() const { return leftMargin_; }
    Integer RightMargin() const { return rightMargin_; }
    void SetRightMargin(Integer Value) { rightMargin_ = Value; }
    // The modified state: the modified colour and the window's own modify flag.
    void SetModifiedState(bool Value);

private:
    // Runs Steps; the changes they make reach Change() once, at the end of the outermost batch.
    void Batched(const std::function<void()>& Steps);
    void EndBatch();

    // Value positions in the window text: the value is [ValueStart(), ValueEnd()).
    Integer ValueStart() const;
    Integer ValueEnd() const;
    // The window text becomes Prefix + Value + Suffix as it stands (no type check).
    void WriteValue(const AnsiString& Value);
    // Keeps the selection inside the value.
    void ClipSelection();
    void Select(Integer Start, Integer Length);
    bool HasSelection() const { return SelLength() > 0; }
    // The integer part's length: the value up to its first decimal separator, thousand separators removed.
    static Integer IntegerPartLength(const AnsiString& Value);
    bool IntegerPartFull(const AnsiString& Value) const;

    // ProEdit_Value.cpp
    void RegroupMoney();
    void WriteFormatted(const AnsiString& Formatted);

    // ProEdit_Keys.cpp
    void WMChar(TMessage& Message);
    enum class TKeyVerdict { Pass, Drop, Done };  // Done: the key did its work itself (a sign toggle)
    TKeyVerdict FloatKeyRules(char& Key, bool Money);
    void AfterTypedKey(char Key);
    void WMKeyDown(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void ToggleSign();
    void PostKey(HWND Window, Word Key, bool WithKeyUp);

    // ProEdit_Clipboard.cpp
    void WMCopyOrCut(TMessage& Message, const TClipboardEvent& Event);
    void WMPaste(TMessage& Message);
    AnsiString SelectedValue() const;

    // ProEdit_Properties.cpp
    // Makes the window again under the recreate guard: meanwhile the focus change it causes leaves the
    // width and the alignment alone.
    void RecreateWindow();

    // ProEdit.cpp
    void WMDestroy(TMessage& Message);

    // ProEdit_Drag.cpp
    friend class TEditDropTarget;
    // etPassword or a password character: no drags, hints of the value or URL look.
    bool PasswordField() const { return editType_ == etPassword || PasswordChar() != '\0'; }
    void WMLButtonDown(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void CMHintShow(TMessage& Message);
    // The window-text index nearest to a client point, and a character's top-left (after the last one
    // for the index past it).
    Integer CharAt(TPoint Client);
    TPoint CharPos(Integer Index);
    void SetDropCaret(TPoint Client);
    void RegisterDropTarget();
    void RevokeDropTarget();
    void DropLine(TPoint Screen, const AnsiString& Text, DWORD& Effect);

    // ProEdit_Clipboard.cpp
    // Puts one line over the selection by the paste rules of the type; false when they refuse it.
    bool InsertLine(const AnsiString& Line);

    // ProEdit_Paint.cpp
    void PaintDecorations();
    void PaintErrorMarker(TCanvas& Canvas);
    void PaintFocusFrame();
    void WMEraseBkgnd(TMessage& Message);
    void CNCtlColor(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    // ProEdit_Label.cpp
    void PlaceLabel();
    void ShowLabelBold(bool Bold);

    // ProEdit_Focus.cpp
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    // Shows a background or font colour without taking it as the normal one.
    void ShowColor(TColor Value);
    void ShowFontColor(TColor Value);
    bool ErrorShown() const { return isError_ && showError_; }
    void SetURLLook(bool On);
    void FollowURLLook();

    TProEditType editType_ = etString;
    bool signed_ = false;
    SmallInt precision_ = 0;
    SmallInt lengthLimit_ = 0;
    bool tabOnFullLength_ = false;
    bool excelStyleDecimalSeparator_ = false;
    bool autoThousandSeparator_ = true;
    AnsiString prefix_;
    AnsiString suffix_;
    TEditAlign editAlign_ = eaLeft;
    TEditAlign focusAlign_ = eaDefault;
    Integer focusWidthInc_ = 0;
    TColor focusColor_ = clWindow;
    TColor focusFontColor_ = clWindowText;
    TColor modifiedColor_ = clHighlight;
    bool showModified_ = false;
    TColor errorColor_ = clRed;
    TColor errorFontColor_ = clWhite;
    bool showError_ = false;
    TColor disabledColor_ = clSilver;
    bool canUndo_ = true;
    bool returnIsTab_ = false;
    bool autoFocus_ = false;
    bool focusLabel_ = false;
    bool focusBorder_ = false;
    bool showURL_ = false;
    TColor urlColor_ = clBlue;
    bool hintShowLargeText_ = false;
    bool oleDropSource_ = false;
    AnsiString emptyText_;
    Integer errorMarkerPos_ = 0;
    Integer errorMarkerLen_ = 0;
    TColor flatLineColor_ = clBlack;
    bool flatParentColor_ = true;
    bool softBorder_ = false;
    bool transparent_ = false;
    bool oleDropTarget_ = false;
    bool dropRegistered_ = false;
    ComPtr<TEditDropTarget> dropTarget_;
    bool mouseInside_ = false;
    bool dragPending_ = false;
    bool draggingFromSelf_ = false;
    TPoint dropCaret_{-1, -1};
    bool flat_ = false;
    TBorderStyle savedBorderStyle_ = bsSingle;
    TColor colorBeforeFlat_ = clWindow;
    Integer leftMargin_ = 0;
    Integer rightMargin_ = 0;

    TColor normalColor_ = clWindow;
    TColor normalFontColor_ = clWindowText;
    TColor shownFontColor_ = clWindowText;  // the font colour this edit set last
    bool showingColor_ = false;             // a state colour is being shown, not a normal one
    TEditAlign savedAlign_ = eaLeft;
    bool alignSaved_ = false;  // focus entry applied FocusAlign over savedAlign_
    bool recreating_ = false;
    AnsiString undoText_;
    bool isError_ = false;
    bool modified_ = false;
    bool urlLook_ = false;
    TComponentRef<TLabel> label_;
    std::unique_ptr<TFont> labelFont_ = std::make_unique<TFont>();
    TLabelPosition labelPosition_ = lpLeftTop;
    Integer labelMargin_ = 4;
    bool labelTransparent_ = false;
    bool labelAlwaysEnabled_ = false;
    std::unique_ptr<TPersistence> persistence_ = std::make_unique<TPersistence>();
    Integer changeBatch_ = 0;
    bool changePending_ = false;
};

// The drop target of one edit: the caret follows the mouse, a text's first line goes in at it.
class TEditDropTarget : public ProEddd::TPEDropTarget {
public:
    explicit TEditDropTarget(TProEdit* Edit) : edit_(Edit) {}
    // The drop caret goes with the drag and at the drop.
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    void DropText(TPoint Pt, const AnsiString& Text, DWORD& Effect) override;
    // File names are not taken: none is moved.
    void DropFiles(TPoint Pt, TStrings* Files, DWORD& Effect) override;
    void DragMouseMove(TPoint Pt, bool& Allow) override;

private:
    TComponentRef<TProEdit> edit_;
};

}  // namespace ProEdit
