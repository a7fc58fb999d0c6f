#pragma once
// The grid's Unicode editors: a list of wide strings with its single-byte adapter, and the edit and the
// combo whose windows are Unicode windows, trapped so that the class library still gets the messages it
// expects while the window keeps and shows wide text.

#include <memory>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"
#include "grdcombo.h"

namespace GrdUni {

// The unit's start-up: the wide compare function for the version answer and the trap's atom; its exit
// deletes the atom.
void InitGrdUniUnit();
void DoneGrdUniUnit();

// Both ignore case; negative, 0 for equal, positive.
using TWideCompare = int (*)(LCID Locale, const WideString& S1, const WideString& S2);
TWideCompare WideCompare();
// The atom naming the window property that leads from a window to its trap (0 before start-up).
ATOM TrapAtom();

class TWideStrings;

// The single-byte face of a wide list: every operation goes to the wide list, converting.
class TAnsiStringsForWideStrings : public TStrings {
    VCL_CLASS(TAnsiStringsForWideStrings, TStrings)
    explicit TAnsiStringsForWideStrings(TWideStrings* WideStrings) : wideStrings_(WideStrings) {}

    Integer Add(const AnsiString& S) override;
    Integer AddObject(const AnsiString& S, TObject* AObject) override;
    void Clear() override;
    void Delete(Integer Index) override;
    void Insert(Integer Index, const AnsiString& S) override;
    void Exchange(Integer Index1, Integer Index2) override;
    void Move(Integer CurIndex, Integer NewIndex) override;
    Integer IndexOf(const AnsiString& S) const override;

protected:
    AnsiString Get(Integer Index) const override;
    Integer GetCount() const override;
    TObject* GetObject(Integer Index) const override;
    void Put(Integer Index, const AnsiString& S) override;
    void PutObject(Integer Index, TObject* AObject) override;
    AnsiString GetTextStr() const override;
    void SetTextStr(const AnsiString& Value) override;
    void SetUpdateState(bool Updating) override;

private:
    TWideStrings* wideStrings_;
};

// A list of wide strings with objects; descendants keep the strings.
class TWideStrings : public TPersistent {
    VCL_CLASS(TWideStrings, TPersistent)
    TWideStrings();
    ~TWideStrings() override;

    // From a wide list: its strings and objects; from a single-byte list: its strings converted.
    void Assign(TPersistent* Source) override;

    TAnsiStringsForWideStrings* AnsiStrings() const { return ansiStrings_.get(); }
    void SetAnsiStrings(TStrings* Value) { ansiStrings_->Assign(Value); }
    Integer Count() const { return GetCount(); }
    WideString Strings(Integer Index) const { return Get(Index); }
    void SetStrings(Integer Index, const WideString& S) { Put(Index, S); }
    TObject* Objects(Integer Index) const { return GetObject(Index); }
    void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }
    Integer Capacity() const { return GetCapacity(); }
    // Every string followed by CR LF; setting splits at LF, VT, FF, CR, CR LF, U+2028 and U+2029.
    WideString Text() const { return GetTextStr(); }
    void SetText(const WideString& Value) { SetTextStr(Value); }
    LCID Locale() const { return locale_; }

    // Only the outermost pair reaches SetUpdateState.
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }
    // Same count and the same strings, compared exactly.
    bool Equals(const TWideStrings* Strings) const;

    // The list's slots, in order.
protected:
    virtual WideString Get(Integer Index) const = 0;
    virtual Integer GetCapacity() const { return GetCount(); }
    virtual Integer GetCount() const = 0;
    virtual TObject* GetObject(Integer /*Index*/) const { return nullptr; }
    virtual WideString GetTextStr() const;
    // Replaces the string and keeps its object.
    virtual void Put(Integer Index, const WideString& S);
    virtual void PutObject(Integer /*Index*/, TObject* /*AObject*/) {}
    virtual void SetCapacity(Integer /*NewCapacity*/) {}
    virtual void SetTextStr(const WideString& Value);
    virtual void SetUpdateState(bool /*Updating*/) {}

public:
    virtual void SetLocale(LCID Value) { locale_ = Value; }
    virtual Integer Add(const WideString& S);
    virtual Integer AddObject(const WideString& S, TObject* AObject);
    virtual void AddStrings(TStrings* Strings);
    virtual void AddStrings(TWideStrings* Strings);
    virtual void Clear() = 0;
    virtual void Delete(Integer Index) = 0;
    virtual void Exchange(Integer Index1, Integer Index2);
    // The text in a new zero-terminated buffer.
    virtual std::unique_ptr<WideChar[]> GetText() const;
    // The first string equal to S under the wide compare function (case ignored); -1 when none is.
    virtual Integer IndexOf(const WideString& S) const;
    virtual void Insert(Integer Index, const WideString& S) = 0;
    virtual void Move(Integer CurIndex, Integer NewIndex);
    virtual void SetText(const WideChar* Text);

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    std::unique_ptr<TAnsiStringsForWideStrings> ansiStrings_;
    Integer updateCount_ = 0;
    LCID locale_;
};

// ---------------------------------------------------------------------------
// Unicode windows

// Holds a control's wide caption while its window is not a Unicode window (before it has one, between
// re-creations, or on a system without them); at most one per control, among its owned components.
class TWideCaptionHolder : public TComponent {
    VCL_CLASS(TWideCaptionHolder, TComponent)
    explicit TWideCaptionHolder(TComponent* AOwner) : TComponent(AOwner) {}
    // Part of its control, not one of the components streamed with it: as a child whose parent is
    // nobody, no stream writes it.
    bool HasParent() const override { return true; }
    // The control's holder; created (from the control's text) when missing and Create is set.
    static TWideCaptionHolder* Of(TWinControl* Control, bool Create);

    WideString Caption;
};

// Sits on a Unicode window's message chain: the class library's key handling sees a character above 255
// as 255 (the character kept in the message's high word), the window gets it back whole; the input
// method's result arrives as wide characters; the wide text goes to the holder before the window goes.
class TWinControlTrap : public TObject {
    VCL_CLASS(TWinControlTrap, TObject)
    // Installs a trap on Control's window when it is a Unicode window.
    static void Install(TWinControl* Control);
    // Takes the trap off Control's window (saving its wide text unless the control is being destroyed).
    static void Remove(TWinControl* Control);
    // The trap of a window; nullptr when it has none.
    static TWinControlTrap* Of(HWND Handle);

private:
    explicit TWinControlTrap(TWinControl* Control);
    void WindowProc(TMessage& Message);
    void DefWndProc(TMessage& Message);
    void Uninstall();
    void TypeComposition();

    TWinControl* control_;
    HWND handle_;
    TWndMethod oldWindowProc_;
    TWndMethod oldDefWndProc_;
};

// The wide text of a control: a Unicode window's own, else the library's text (or the holder's, on an
// NT-family system, while it still stands for the library's text).
WideString GetWideText(TWinControl* Control);
// A Unicode window's text is set only when it differs, then CM_TEXTCHANGED; otherwise the library's
// text is set converted and, on an NT-family system, the holder keeps the wide text.
void SetWideText(TWinControl* Control, const WideString& Value);
// Unicode windows exist on NT-family systems only.
bool UnicodeWindowsAvailable();
// The window class name of a Unicode window for the library's class name (cut to 64 characters).
AnsiString UnicodeClassName(const AnsiString& LibraryClassName);
// After the library made the window: the trap goes on and the window takes the holder's wide caption.
void UnicodeWindowCreated(TWinControl* Control);
// The published "Text" of a control whose text is wide: codes above 255 kept.
TPropertyInfo WideTextProperty();

// Character folding of WM_CHAR: a character above 255 goes into the high word with 255 below it, and
// comes back while the low part is still 255.
void FoldChar(TMessage& Message);
void UnfoldChar(TMessage& Message);

// ---------------------------------------------------------------------------
// The Unicode edit

class TCustomUNIEdit : public TCustomEdit {
    VCL_CLASS(TCustomUNIEdit, TCustomEdit)
    explicit TCustomUNIEdit(TComponent* AOwner);
    // A control deleted without Free still takes its trap off.
    ~TCustomUNIEdit() override;

    WideString Text() const { return GetWideText(const_cast<TCustomUNIEdit*>(this)); }
    void SetText(const WideString& Value) { SetWideText(this, Value); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    bool creating_ = false;
};

class TGrdUniEdit : public TCustomUNIEdit {
    VCL_CLASS(TGrdUniEdit, TCustomUNIEdit)
    explicit TGrdUniEdit(TComponent* AOwner) : TCustomUNIEdit(AOwner) {}
};

// ---------------------------------------------------------------------------
// The Unicode combo

class TCustomUNIComboBox;

// The Unicode combo's items. With a Unicode window the wide messages carry them; otherwise the library's
// items take them converted.
class TComboBoxStrings : public TWideStrings {
    VCL_CLASS(TComboBoxStrings, TWideStrings)
    explicit TComboBoxStrings(TCustomUNIComboBox* Combo) : combo_(Combo) {}

    // The list goes; the combo's text stays.
    void Clear() override;
    void Delete(Integer Index) override;
    // EOutOfResources "Unable to insert a line" when the window refuses the item.
    void Insert(Integer Index, const WideString& S) override;
    Integer Add(const WideString& S) override;
    // From the start, without case.
    Integer IndexOf(const WideString& S) const override;

protected:
    WideString Get(Integer Index) const override;
    Integer GetCount() const override;
    TObject* GetObject(Integer Index) const override;
    void PutObject(Integer Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;

private:
    bool UnicodeWindow() const;
    HWND Window() const;
    TStrings& LibraryItems() const;

    TCustomUNIComboBox* combo_;
};

class TCustomUNIComboBox : public TCustomComboBox {
    VCL_CLASS(TCustomUNIComboBox, TCustomComboBox)
    explicit TCustomUNIComboBox(TComponent* AOwner);
    // A control deleted without Free still takes its trap off.
    ~TCustomUNIComboBox() override;

    TWideStrings* Items() const { return items_.get(); }
    void SetItems(TWideStrings* Value) { items_->Assign(Value); }
    WideString Text() const { return GetWideText(const_cast<TCustomUNIComboBox*>(this)); }
    void SetText(const WideString& Value) { SetWideText(this, Value); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // A pick: the wide text becomes the picked item's, then OnClick and OnChange.
    void Dispatch(TMessage& Message) override;
    // Backspace fires OnKeyPress only.
    void KeyPress(char& Key) override;
    // The edit part's characters, folded, before the key-press handling; true when handled.
    virtual bool EditCharHook(TMessage& Message);
    // A Unicode edit part's character travels folded through the hook and the key-press handling; Return
    // and Esc close a dropped list.
    void ComboWndProc(TMessage& Message, HWND ComboWnd, const TWndMethod& ComboProc) override;

private:
    friend class TComboBoxStrings;
    TStrings& LibraryItems() const { return *TCustomComboBox::Items(); }

    std::unique_ptr<TComboBoxStrings> items_;
};

// The Unicode combo with the flat look of the grid's combo.
class TGRDUniCustomCombo : public TCustomUNIComboBox {
    VCL_CLASS(TGRDUniCustomCombo, TCustomUNIComboBox)
    explicit TGRDUniCustomCombo(TComponent* AOwner);

    bool AutoFocus() const { return look_.AutoFocus(); }
    void SetAutoFocus(bool Value) { look_.SetAutoFocus(Value); }
    bool Flat() const { return look_.Flat(); }
    void SetFlat(bool Value);
    bool Etched() const { return look_.Etched(); }
    void SetEtched(bool Value) { look_.SetEtched(Value); }
    Integer ButtonWidth() const { return look_.ButtonWidth(); }
    void SetButtonWidth(Integer Value) { look_.SetButtonWidth(Value); }
    bool FocusBorder() const { return look_.FocusBorder(); }
    void SetFocusBorder(bool Value) { look_.SetFocusBorder(Value); }
    Integer DropWidth() const { return look_.DropWidth(); }
    void SetDropWidth(Integer Value) { look_.SetDropWidth(Value); }
    bool IsWinXP() const { return look_.IsWinXP(); }
    void SetIsWinXP(bool Value) { look_.SetIsWinXP(Value); }

protected:
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    grdcombo::TFlatComboLook look_;
};

class TGRDUniComboBox : public TGRDUniCustomCombo {
    VCL_CLASS(TGRDUniComboBox, TGRDUniCustomCombo)
    explicit TGRDUniComboBox(TComponent* AOwner) : TGRDUniCustomCombo(AOwner) {}
};

}  // namespace GrdUni
