// The Unicode combo: its items through the wide messages, a pick that sets the wide text, and the flat
// look of the grid's combo in its Unicode variant.
#include "GrdUni.h"

#include "vcl/SysUtils.h"

namespace GrdUni {

// ---------------------------------------------------------------------------
// TComboBoxStrings: a Unicode window and the library's items are one list; only the texts differ.

// The list lives in the window, which a placed combo makes on demand, as the messages to it would.
bool TComboBoxStrings::UnicodeWindow() const {
    if (combo_->Parent() && !combo_->ComponentState().Contains(csDestroying)) combo_->HandleNeeded();
    return combo_->HandleAllocated() && IsWindowUnicode(combo_->Handle());
}

HWND TComboBoxStrings::Window() const { return combo_->Handle(); }
TStrings& TComboBoxStrings::LibraryItems() const { return combo_->LibraryItems(); }

Integer TComboBoxStrings::GetCount() const { return LibraryItems().Count(); }

WideString TComboBoxStrings::Get(Integer Index) const {
    if (!UnicodeWindow()) return AnsiToWide(LibraryItems().Strings(Index));
    const LRESULT length = SendMessageW(Window(), CB_GETLBTEXTLEN, static_cast<WPARAM>(Index), 0);
    if (length < 0) RaiseListIndexError(Index);
    WideString text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(Window(), CB_GETLBTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

Integer TComboBoxStrings::Add(const WideString& S) {
    if (!UnicodeWindow()) return LibraryItems().Add(WideToAnsi(S));
    const LRESULT index = SendMessageW(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (index < 0) throw EOutOfResources("Unable to insert a line");
    return static_cast<Integer>(index);
}

void TComboBoxStrings::Insert(Integer Index, const WideString& S) {
    if (!UnicodeWindow()) return LibraryItems().Insert(Index, WideToAnsi(S));
    if (SendMessageW(Window(), CB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
        throw EOutOfResources("Unable to insert a line");
}

void TComboBoxStrings::Delete(Integer Index) { LibraryItems().Delete(Index); }

Integer TComboBoxStrings::IndexOf(const WideString& S) const {
    if (!UnicodeWindow()) return LibraryItems().IndexOf(WideToAnsi(S));
    return static_cast<Integer>(
        SendMessageW(Window(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S.c_str())));
}

// The window empties its text with its list: the text is put back.
void TComboBoxStrings::Clear() {
    const WideString text = combo_->Text();
    if (UnicodeWindow()) SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
    else LibraryItems().Clear();
    combo_->SetText(text);
}

TObject* TComboBoxStrings::GetObject(Integer Index) const { return LibraryItems().Objects(Index); }
void TComboBoxStrings::PutObject(Integer Index, TObject* AObject) { LibraryItems().SetObjects(Index, AObject); }

void TComboBoxStrings::SetUpdateState(bool Updating) {
    if (Updating) LibraryItems().BeginUpdate();
    else LibraryItems().EndUpdate();
}

VCL_IMPLEMENT_CLASS(TComboBoxStrings, nullptr, nullptr)

// ---------------------------------------------------------------------------
// TCustomUNIComboBox

TCustomUNIComboBox::TCustomUNIComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), items_(std::make_unique<TComboBoxStrings>(this)) {
    Font()->SetCharset(255);
}

TCustomUNIComboBox::~TCustomUNIComboBox() { TWinControlTrap::Remove(this); }

void TCustomUNIComboBox::CreateParams(TCreateParams& Params) {
    TCustomComboBox::CreateParams(Params);
    if (UnicodeWindowsAvailable()) Params.WinClassName = UnicodeClassName(Params.WinClassName);
}

void TCustomUNIComboBox::CreateWnd() {
    TCustomComboBox::CreateWnd();
    UnicodeWindowCreated(this);
}

void TCustomUNIComboBox::DestroyWnd() {
    TWinControlTrap::Remove(this);
    TCustomComboBox::DestroyWnd();
}

void TCustomUNIComboBox::Dispatch(TMessage& Message) {
    if (Message.Msg != CN_COMMAND || HIWORD(Message.WParam) != CBN_SELCHANGE) return TCustomComboBox::Dispatch(Message);
    const Integer index = ItemIndex();
    if (index >= 0) SetText(items_->Strings(index));
    Click();
    Change();
}

void TCustomUNIComboBox::KeyPress(char& Key) {
    if (Key != '\b') return TCustomComboBox::KeyPress(Key);
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TCustomUNIComboBox::EditCharHook(TMessage&) { return false; }

void TCustomUNIComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, const TWndMethod& ComboProc) {
    if (Message.Msg != WM_CHAR) return TCustomComboBox::ComboWndProc(Message, ComboWnd, ComboProc);
    if (!IsWindowUnicode(ComboWnd)) {
        if (EditCharHook(Message)) return;
        return TCustomComboBox::ComboWndProc(Message, ComboWnd, ComboProc);
    }
    FoldChar(Message);
    if (EditCharHook(Message) || DoKeyPress(Message)) return;
    UnfoldChar(Message);
    const WPARAM key = Message.WParam & 0xFFFF;
    if ((key == VK_RETURN || key == VK_ESCAPE) && DroppedDown()) return SetDroppedDown(false);
    ComboProc(Message);
}

VCL_IMPLEMENT_CLASS(TCustomUNIComboBox, nullptr, nullptr)

// ---------------------------------------------------------------------------
// TGRDUniCustomCombo

TGRDUniCustomCombo::TGRDUniCustomCombo(TComponent* AOwner)
    : TCustomUNIComboBox(AOwner), look_(*this, grdcombo::TFlatComboLook::fvUnicode) {
    SetFlat(true);
    look_.SaveColours();
}

void TGRDUniCustomCombo::SetFlat(bool Value) {
    look_.SetFlat(Value);
    SetNativeButton(!Value);
}

void TGRDUniCustomCombo::CreateWnd() {
    TCustomUNIComboBox::CreateWnd();
    look_.WindowCreated();
}

void TGRDUniCustomCombo::Dispatch(TMessage& Message) {
    look_.Dispatch(Message, [this](TMessage& M) { TCustomUNIComboBox::Dispatch(M); });
}

namespace {

void PublishTGRDUniComboBox(TPublisher& p) {
    TPublishOf<TGRDUniCustomCombo> P(p);
    grdcombo::PublishFlatLook(P);
    P.Object("Items", &TGRDUniCustomCombo::Items);
    p.Property(WideTextProperty());
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGRDUniCustomCombo, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGRDUniComboBox, VCL_CREATOR(TGRDUniComboBox), PublishTGRDUniComboBox)

}  // namespace GrdUni
