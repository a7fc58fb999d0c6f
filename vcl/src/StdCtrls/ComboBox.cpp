// TCustomComboBox / TComboBox: a native combo box whose items, selection and text live in the control.

#include <algorithm>

#include "Controls/Internal.h"
#include "StdCtrls/ComboBoxChild.h"
#include "StdCtrls/Peers.h"
#include "StdCtrls/Publish.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"
#include "Windows/UnicodeWindows.h"

class TComboBoxStrings : public TStrings {
    VCL_CLASS(TComboBoxStrings, TStrings)
    explicit TComboBoxStrings(TCustomComboBox& Combo) : combo_(Combo) {}

    Integer Add(const AnsiString& S) override { return AddObject(S, nullptr); }

    // A sorted combo places the item in order, after its equals.
    Integer AddObject(const AnsiString& S, TObject* AObject) override {
        auto at = items_.size();
        if (combo_.Sorted())
            at = static_cast<std::size_t>(std::upper_bound(items_.begin(), items_.end(), S,
                                                           [](const AnsiString& s, const TItem& item) {
                                                               return AnsiCompareText(s, item.Text) < 0;
                                                           }) -
                                          items_.begin());
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), TItem{S, AObject, WideFor(S), 0});
        Changed();
        return static_cast<Integer>(at);
    }

    void Clear() override {
        if (items_.empty()) return;
        items_.clear();
        combo_.itemIndex_ = -1;
        Changed();
    }

    void Delete(Integer Index) override {
        CheckIndex(Index, Count() - 1);
        items_.erase(items_.begin() + Index);
        Integer& selected = combo_.itemIndex_;
        if (selected == Index) selected = -1;
        else if (selected > Index) --selected;
        Changed();
    }

    void Insert(Integer Index, const AnsiString& S) override {
        CheckIndex(Index, Count());
        if (combo_.Sorted()) throw EStringListError("Operation not allowed on sorted list");
        InsertAt(Index, S);
    }

    // CB_INSERTSTRING: at the index, sorted or not, as the window does.
    void InsertAt(Integer Index, const AnsiString& S) {
        items_.insert(items_.begin() + Index, TItem{S, nullptr, WideFor(S), 0});
        if (combo_.itemIndex_ >= Index) ++combo_.itemIndex_;
        Changed();
    }

    WideString WideGet(Integer Index) const {
        const TItem& item = items_[static_cast<std::size_t>(Index)];
        return item.Wide.empty() ? AnsiToWide(item.Text) : item.Wide;
    }

    // CB_FINDSTRINGEXACT: after Start (from the first for -1), round to it again, without case.
    Integer FindExact(Integer Start, const AnsiString& S) const {
        const Integer count = Count();
        if (count == 0) return -1;
        const WideString sought = WideOf(S);
        const Integer first = Start < 0 || Start >= count ? 0 : Start + 1;
        for (Integer n = 0; n < count; ++n) {
            const Integer i = (first + n) % count;
            const WideString item = WideGet(i);
            if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.data(), static_cast<int>(item.size()),
                               sought.data(), static_cast<int>(sought.size())) == CSTR_EQUAL)
                return i;
        }
        return -1;
    }

    // A variable owner-drawn item's height, measured once.
    Integer& MeasuredHeight(Integer Index) { return items_[static_cast<std::size_t>(Index)].Height; }
    void ForgetHeights() {
        for (TItem& item : items_) item.Height = 0;
    }

    // Puts the items in the combo's order after Sorted was switched on.
    void SortItems() {
        std::stable_sort(items_.begin(), items_.end(),
                         [](const TItem& a, const TItem& b) { return AnsiCompareText(a.Text, b.Text) < 0; });
        combo_.itemIndex_ = -1;
        Changed();
    }

protected:
    AnsiString Get(Integer Index) const override {
        CheckIndex(Index, Count() - 1);
        return items_[static_cast<std::size_t>(Index)].Text;
    }
    Integer GetCount() const override { return static_cast<Integer>(items_.size()); }
    TObject* GetObject(Integer Index) const override {
        CheckIndex(Index, Count() - 1);
        return items_[static_cast<std::size_t>(Index)].Object;
    }
    void PutObject(Integer Index, TObject* AObject) override {
        CheckIndex(Index, Count() - 1);
        items_[static_cast<std::size_t>(Index)].Object = AObject;
    }
    void Put(Integer Index, const AnsiString& S) override {
        CheckIndex(Index, Count() - 1);
        items_[static_cast<std::size_t>(Index)].Text = S;
        items_[static_cast<std::size_t>(Index)].Wide = WideFor(S);
        items_[static_cast<std::size_t>(Index)].Height = 0;
        Changed();
    }
    void SetUpdateState(bool Updating) override {
        updating_ = Updating;
        if (!Updating && pending_) Changed();
    }

private:
    // Wide: the UTF-16 text where Text (its Windows-1252 form) lost some of it.
    struct TItem {
        AnsiString Text;
        TObject* Object;
        WideString Wide;
        Integer Height = 0;  // csOwnerDrawVariable: as measured, 0 until then
    };

    // The UTF-16 item a W message brings for S, when S is its converted form.
    const WideString* PendingFor(const AnsiString& S) const {
        const WideString* pending = combo_.HandleAllocated() ? PendingWideItem(combo_.Handle()) : nullptr;
        return pending && WideToAnsi(*pending) == S ? pending : nullptr;
    }
    WideString WideFor(const AnsiString& S) const {
        const WideString* pending = PendingFor(S);
        return pending && AnsiToWide(S) != *pending ? *pending : WideString();
    }
    WideString WideOf(const AnsiString& S) const {
        const WideString* pending = PendingFor(S);
        return pending ? *pending : AnsiToWide(S);
    }

    void Changed() {
        pending_ = updating_;
        if (!updating_) combo_.ItemsChanged();
    }
    static void CheckIndex(Integer Index, Integer High) {
        if (Index < 0 || Index > High) RaiseListIndexError(Index);
    }

    TCustomComboBox& combo_;
    std::vector<TItem> items_;
    bool updating_ = false;
    bool pending_ = false;
};

namespace {

bool HasEditPart(TComboBoxStyle Style) { return Style == csDropDown || Style == csSimple; }

void MakeEditPart(TCustomComboBox& Combo, std::unique_ptr<TComboBoxChild>& Edit) {
    Edit = HasEditPart(Combo.Style()) ? std::make_unique<TComboBoxChild>(Combo, TComboBoxChild::ckEdit) : nullptr;
}

bool ClosesList(const TMessage& Message) {
    const WPARAM key = Message.WParam & 0xFFFF;
    return key == VK_RETURN || key == VK_ESCAPE;
}

}  // namespace

static void PublishTComboBoxStrings(TPublisher&) {}
VCL_IMPLEMENT_CLASS(TComboBoxStrings, nullptr, PublishTComboBoxStrings)

// ---------------------------------------------------------------------------

static void PublishTComboBox(TPublisher& p) {
    TPublishOf<TCustomComboBox> P(p);
    P.Object("Items", &TCustomComboBox::Items);
    P.Int("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex);
    P.Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle,
           TEnumNames<TComboBoxStyle>{{"csDropDown", csDropDown},
                                      {"csSimple", csSimple},
                                      {"csDropDownList", csDropDownList},
                                      {"csOwnerDrawFixed", csOwnerDrawFixed},
                                      {"csOwnerDrawVariable", csOwnerDrawVariable}});
    P.Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount);
    P.Int("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight);
    P.Bool("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted);
    P.Int("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength);
    P.Event("OnChange", &TCustomComboBox::OnChange);
    P.Event("OnSelect", &TCustomComboBox::OnSelect);
    P.Event("OnDropDown", &TCustomComboBox::OnDropDown);
    P.Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
    P.Event("OnDrawItem", &TCustomComboBox::OnDrawItem);
    P.Event("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
    P.Enum("DragMode", &TCustomComboBox::DragMode, &TCustomComboBox::SetDragMode,
           TEnumNames<TDragMode>{{"dmManual", dmManual}, {"dmAutomatic", dmAutomatic}});
    P.Enum("DragKind", &TCustomComboBox::DragKind, &TCustomComboBox::SetDragKind,
           TEnumNames<TDragKind>{{"dkDrag", dkDrag}, {"dkDock", dkDock}});
    P.IntIdent("DragCursor", &TCustomComboBox::DragCursor, &TCustomComboBox::SetDragCursor, &IdentToCursor);
    P.Enum("ImeMode", &TCustomComboBox::ImeMode, &TCustomComboBox::SetImeMode,
           TEnumNames<TImeMode>{{"imDisable", imDisable},
                                {"imClose", imClose},
                                {"imOpen", imOpen},
                                {"imDontCare", imDontCare},
                                {"imSAlpha", imSAlpha},
                                {"imAlpha", imAlpha},
                                {"imHira", imHira},
                                {"imSKata", imSKata},
                                {"imKata", imKata},
                                {"imChinese", imChinese},
                                {"imSHanguel", imSHanguel},
                                {"imHanguel", imHanguel}});
    P.Str("ImeName", &TCustomComboBox::ImeName, &TCustomComboBox::SetImeName);
}

// Descendants publish what the combo box does.
VCL_IMPLEMENT_CLASS(TCustomComboBox, nullptr, PublishTComboBox)
VCL_IMPLEMENT_CLASS(TComboBox, VCL_CREATOR(TComboBox), nullptr)

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TComboBoxStrings>(*this)), canvas_(NewItemCanvas()) {
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight});
}

TCustomComboBox::~TCustomComboBox() = default;

TStrings* TCustomComboBox::Items() const { return items_.get(); }
void TCustomComboBox::SetItems(TStrings* Value) { items_->Assign(Value); }

void TCustomComboBox::Clear() {
    items_->Clear();
    SetText("");
}

void TCustomComboBox::SetItemIndex(Integer Value) {
    if (Value < -1 || Value >= items_->Count()) Value = -1;
    itemIndex_ = Value;
    MirrorStd(this, smItemIndex);
    ShowItemText();
}

// The edit part shows the selected item (nothing for none), as the windowing system does.
void TCustomComboBox::ShowItemText() {
    StoreText(itemIndex_ >= 0 ? items_->Strings(itemIndex_) : AnsiString());
    if (HandleAllocated() && itemIndex_ >= 0) WideTextFromUser(Handle(), items_->WideGet(itemIndex_));
    TextStored();
}

bool TStdCtrlsAccess::WideItem(const TCustomComboBox& C, Integer Index, WideString& Item) {
    if (Index < 0 || Index >= C.items_->Count()) return false;
    Item = C.items_->WideGet(Index);
    return true;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    items_->ForgetHeights();
    if (HandleAllocated() && (edit_ != nullptr) != HasEditPart(style_)) MakeEditPart(*this, edit_);
    OptionsChanged();
    FieldChanged();
    // A list without an edit part shows its selected item, and so does its text.
    if (style_ == csDropDownList) ShowItemText();
}

void TCustomComboBox::SetDropDownCount(Integer Value) {
    dropDownCount_ = std::max(Value, 1);
    OptionsChanged();
}

void TCustomComboBox::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    sorted_ = Value;
    if (Value) items_->SortItems();
}

void TCustomComboBox::SetMaxLength(Integer Value) {
    maxLength_ = std::max(Value, 0);
    OptionsChanged();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (droppedDown_ == Value) return;
    droppedDown_ = Value;
    MirrorStd(this, smDropDown);
}

// ---------------------------------------------------------------------------
// Heights

Integer TCustomComboBox::ItemHeight() const { return OwnerDrawn() ? itemHeight_ : ListItemHeight(); }

void TCustomComboBox::SetItemHeight(Integer Value) {
    if (Value <= 0 || itemHeight_ == Value) return;
    itemHeight_ = Value;
    items_->ForgetHeights();
    if (OwnerDrawn()) {
        OptionsChanged();
        FieldChanged();
    }
}

// The edit part is two pixels higher than the text, the list's items as high as it; owner-drawn items
// are as high as ItemHeight says, and so is the field that shows one of them.
Integer TCustomComboBox::FieldItemHeight() const {
    if (fieldItemHeight_ > 0) return fieldItemHeight_;
    return OwnerDrawn() ? itemHeight_ : FontMetricsProvider().Metrics(Font()->Desc()).Height + 2;
}

Integer TCustomComboBox::ListItemHeight() const {
    if (OwnerDrawn()) return itemHeight_;
    return listItemHeight_ > 0 ? listItemHeight_ : FontMetricsProvider().Metrics(Font()->Desc()).Height;
}

Integer TCustomComboBox::FieldHeight() const { return style_ == csSimple ? Height() : FieldItemHeight() + 6; }

Integer TCustomComboBox::ItemHeightOf(Integer Index) const {
    if (style_ != csOwnerDrawVariable || Index < 0 || Index >= items_->Count()) return ListItemHeight();
    Integer& height = items_->MeasuredHeight(Index);
    if (height <= 0) {
        Integer measured = itemHeight_;
        const_cast<TCustomComboBox*>(this)->MeasureItem(Index, measured);
        height = std::clamp(measured, 1, 255);
    }
    return height;
}

// Index -1 is the selection field; a variable owner-drawn combo's items have a height each, the others
// share one.
bool TCustomComboBox::SetItemHeightOf(Integer Index, Integer Value) {
    if (Value <= 0 || Value > 255) return false;
    if (Index == -1) {
        fieldItemHeight_ = Value;
        FieldChanged();
        return true;
    }
    if (style_ == csOwnerDrawVariable) {
        if (Index < 0 || Index >= items_->Count()) return false;
        items_->MeasuredHeight(Index) = Value;
    } else if (OwnerDrawn()) {
        itemHeight_ = Value;
    } else {
        listItemHeight_ = Value;
    }
    OptionsChanged();
    return true;
}

Integer TStdCtrlsAccess::DroppedListWidth(const TCustomComboBox& C) { return std::max(C.droppedWidth_, C.Width()); }

Integer TStdCtrlsAccess::DroppedListHeight(const TCustomComboBox& C) {
    const Integer shown = std::min(C.items_->Count(), C.dropDownCount_);
    Integer height = 2;
    for (Integer i = 0; i < shown; ++i) height += C.ItemHeightOf(i);
    return height;
}

void TCustomComboBox::FieldChanged() {
    if (Peer()) Peer()->SetBounds(PeerBounds());
    Invalidate();
}

TRect TCustomComboBox::ClientRect() const { return Rect(0, 0, Width(), std::min(FieldHeight(), Height())); }

TRect TCustomComboBox::PeerBounds() const {
    TRect r = TWinControl::PeerBounds();
    r.Bottom = r.Top + ClientHeight();
    return r;
}

// ---------------------------------------------------------------------------
// The edit part and the list

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    MakeEditPart(*this, edit_);
    list_ = std::make_unique<TComboBoxChild>(*this, TComboBoxChild::ckList);
}

void TCustomComboBox::DestroyWnd() {
    edit_.reset();
    list_.reset();
    TWinControl::DestroyWnd();
}

HWND TCustomComboBox::EditHandle() const {
    if (HasEditPart(style_)) const_cast<TCustomComboBox*>(this)->HandleNeeded();
    return edit_ ? edit_->Handle() : nullptr;
}

HWND TCustomComboBox::ListHandle() const {
    const_cast<TCustomComboBox*>(this)->HandleNeeded();
    return list_ ? list_->Handle() : nullptr;
}

// The keys go to the edit part, whether the list is down or not; without one the combo's own window
// takes them.
TComboBoxChild* TCustomComboBox::KeyboardChild() const { return edit_.get(); }

void TCustomComboBox::ComboWndProc(TMessage& Message, HWND, const TWndMethod& ComboProc) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (DoKeyDown(Message)) return;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (DoKeyUp(Message)) return;
            break;
        case WM_CHAR:
            if (DoKeyPress(Message)) return;
            if (ClosesList(Message) && droppedDown_) {
                SetDroppedDown(false);
                return;
            }
            break;
        default: break;
    }
    ComboProc(Message);
}

// ---------------------------------------------------------------------------
// The edit part's selection

void TCustomComboBox::ClampSelection() {
    const auto length = static_cast<Integer>(StoredText().size());
    selStart_ = std::clamp(selStart_, 0, length);
    selLength_ = std::clamp(selLength_, 0, length - selStart_);
}

void TCustomComboBox::SetSelStart(Integer Value) {
    selStart_ = Value;
    selLength_ = 0;
    ClampSelection();
    MirrorStd(this, smSelection);
}

void TCustomComboBox::SetSelLength(Integer Value) {
    selLength_ = Value;
    ClampSelection();
    MirrorStd(this, smSelection);
}

// Reported as the user's edit goes, it may run ahead of the text by a character.
void TStdCtrlsAccess::SelectionFromPeer(TCustomComboBox& C, Integer Start, Integer Length) {
    C.selStart_ = std::max(Start, 0);
    C.selLength_ = std::max(Length, 0);
}

LRESULT TStdCtrlsAccess::CharFromPos(TCustomComboBox& C, LPARAM At) {
    auto* peer = dynamic_cast<TComboPeerEdit*>(C.Peer());
    if (!peer || !C.edit_) return 0;
    const auto at = static_cast<std::uintptr_t>(At);
    return MakeLParam(peer->CharFromPos(Point(LoSmall(at), HiSmall(at))), 0);
}

void TCustomComboBox::SetNativeButton(bool Value) {
    if (nativeButton_ == Value) return;
    nativeButton_ = Value;
    OptionsChanged();
}

void TCustomComboBox::OptionsChanged() { MirrorStd(this, smOptions); }

void TCustomComboBox::ItemsChanged() {
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
    MirrorStd(this, smItems);
}

// ---------------------------------------------------------------------------
// Events

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
    else Change();
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::TextFromPeer(const AnsiString& Value, bool WideChanged) {
    if (Value == StoredText() && !WideChanged) return;
    StoreText(Value);
    itemIndex_ = -1;
    Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), 0);
}

void TCustomComboBox::ItemIndexFromPeer(Integer Index) {
    itemIndex_ = Index >= 0 && Index < items_->Count() ? Index : -1;
    Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
}

namespace {

AnsiString MessageText(const TMessage& Message) {
    const auto* text = reinterpret_cast<const char*>(Message.LParam);
    return text ? AnsiString(text) : AnsiString();
}

}  // namespace

void TCustomComboBox::Dispatch(TMessage& Message) {
    if (Message.Msg != CN_COMMAND) {
        switch (Message.Msg) {
            // A dropped list wants Return and Esc for itself: they close it.
            case WM_GETDLGCODE:
                Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (droppedDown_ ? DLGC_WANTMESSAGE : 0);
                return;
            case WM_CHAR:
                if (DoKeyPress(Message)) return;
                if (ClosesList(Message) && droppedDown_) return SetDroppedDown(false);
                return DefaultHandler(Message);
            case CB_GETEDITSEL: {
                if (auto* start = reinterpret_cast<DWORD*>(Message.WParam)) *start = static_cast<DWORD>(selStart_);
                if (auto* end = reinterpret_cast<DWORD*>(Message.LParam))
                    *end = static_cast<DWORD>(selStart_ + selLength_);
                Message.Result = MakeLParam(selStart_, selStart_ + selLength_);
                return;
            }
            case CB_SETEDITSEL: {
                // -1 for the start takes the selection away; -1 for the end selects to the end.
                if (!HasEditPart(style_)) {
                    Message.Result = CB_ERR;
                    return;
                }
                const auto range = static_cast<std::uintptr_t>(Message.LParam);
                const Integer start = LoSmall(range), end = HiSmall(range);
                const auto length = static_cast<Integer>(StoredText().size());
                if (start < 0) {
                    selStart_ = std::clamp(selStart_ + selLength_, 0, length);
                    selLength_ = 0;
                } else {
                    selStart_ = std::min(start, length);
                    selLength_ = (end < 0 ? length : std::clamp(end, selStart_, length)) - selStart_;
                }
                MirrorStd(this, smSelection);
                Message.Result = TRUE;
                return;
            }
            case CB_GETCURSEL: Message.Result = itemIndex_; return;
            case CB_SETCURSEL: SetItemIndex(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam))); return;
            case CB_GETCOUNT: Message.Result = items_->Count(); return;
            case CB_GETDROPPEDSTATE: Message.Result = droppedDown_ ? 1 : 0; return;
            case CB_ADDSTRING: Message.Result = items_->Add(MessageText(Message)); return;
            case CB_INSERTSTRING: {
                auto index = static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam));
                if (index == -1) index = items_->Count();
                if (index < 0 || index > items_->Count()) {
                    Message.Result = CB_ERR;
                    return;
                }
                items_->InsertAt(index, MessageText(Message));
                Message.Result = index;
                return;
            }
            case CB_DELETESTRING: {
                const auto index = static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam));
                if (index < 0 || index >= items_->Count()) {
                    Message.Result = CB_ERR;
                    return;
                }
                items_->Delete(index);
                Message.Result = items_->Count();
                return;
            }
            case CB_GETLBTEXTLEN:
            case CB_GETLBTEXT: {
                const auto index = static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam));
                if (index < 0 || index >= items_->Count()) {
                    Message.Result = CB_ERR;
                    return;
                }
                const AnsiString item = items_->Strings(index);
                if (auto* buffer = reinterpret_cast<char*>(Message.LParam); buffer && Message.Msg == CB_GETLBTEXT)
                    std::copy(item.c_str(), item.c_str() + item.size() + 1, buffer);
                Message.Result = static_cast<LRESULT>(item.size());
                return;
            }
            case CB_FINDSTRINGEXACT:
                Message.Result = items_->FindExact(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam)),
                                                   MessageText(Message));
                return;
            case CB_RESETCONTENT:
                // The list goes, and the edit part's text with it.
                items_->Clear();
                StoreText(AnsiString());
                TextStored();
                return;
            case CB_SHOWDROPDOWN: SetDroppedDown(Message.WParam != 0); return;
            case CB_SETDROPPEDWIDTH:
                droppedWidth_ = static_cast<Integer>(std::min<WPARAM>(Message.WParam, 0x7FFF));
                OptionsChanged();
                Message.Result = TStdCtrlsAccess::DroppedListWidth(*this);
                return;
            case CB_GETDROPPEDWIDTH: Message.Result = TStdCtrlsAccess::DroppedListWidth(*this); return;
            case CB_GETITEMHEIGHT:
                Message.Result = static_cast<std::intptr_t>(Message.WParam) == -1
                                     ? FieldItemHeight()
                                     : ItemHeightOf(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam)));
                return;
            case CB_SETITEMHEIGHT:
                Message.Result = SetItemHeightOf(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam)),
                                                 static_cast<Integer>(Message.LParam))
                                     ? 0
                                     : CB_ERR;
                return;
            case CM_FONTCHANGED:
                TWinControl::Dispatch(Message);
                FieldChanged();
                return;
            case WM_SETTEXT:
                if (style_ == csDropDownList) {
                    // Without an edit part a text can only be one of the items: it selects it.
                    const Integer index = items_->FindExact(-1, MessageText(Message));
                    if (index >= 0) SetItemIndex(index);
                    Message.Result = index >= 0 ? TRUE : FALSE;
                    return;
                }
                return TWinControl::Dispatch(Message);
            default: return TWinControl::Dispatch(Message);
        }
    }
    switch (HIWORD(Message.WParam)) {
        case CBN_EDITCHANGE: Change(); break;
        case CBN_SELCHANGE:
            ShowItemText();
            Click();
            Select();
            break;
        case CBN_DROPDOWN:
            droppedDown_ = true;
            DropDown();
            break;
        case CBN_CLOSEUP:
            droppedDown_ = false;
            CloseUp();
            break;
        case CBN_DBLCLK: DblClick(); break;
        default: break;
    }
}

void TCustomComboBox::InitializePeer() {
    TWinControl::InitializePeer();
    MirrorStd(this, smOptions);
    MirrorStd(this, smItems);
}
