// TCustomComboBox / TComboBox: a native combo box whose items, selection and text live in the control.

#include <algorithm>

#include "StdCtrls/Peers.h"
#include "StdCtrls/Publish.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

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
                                                               return AnsiCompareText(s, item.first) < 0;
                                                           }) -
                                          items_.begin());
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), {S, AObject});
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
        items_.insert(items_.begin() + Index, {S, nullptr});
        if (combo_.itemIndex_ >= Index) ++combo_.itemIndex_;
        Changed();
    }

    // Puts the items in the combo's order after Sorted was switched on.
    void SortItems() {
        std::stable_sort(items_.begin(), items_.end(),
                         [](const TItem& a, const TItem& b) { return AnsiCompareText(a.first, b.first) < 0; });
        combo_.itemIndex_ = -1;
        Changed();
    }

protected:
    AnsiString Get(Integer Index) const override {
        CheckIndex(Index, Count() - 1);
        return items_[static_cast<std::size_t>(Index)].first;
    }
    Integer GetCount() const override { return static_cast<Integer>(items_.size()); }
    TObject* GetObject(Integer Index) const override {
        CheckIndex(Index, Count() - 1);
        return items_[static_cast<std::size_t>(Index)].second;
    }
    void PutObject(Integer Index, TObject* AObject) override {
        CheckIndex(Index, Count() - 1);
        items_[static_cast<std::size_t>(Index)].second = AObject;
    }
    void Put(Integer Index, const AnsiString& S) override {
        CheckIndex(Index, Count() - 1);
        items_[static_cast<std::size_t>(Index)].first = S;
        Changed();
    }
    void SetUpdateState(bool Updating) override {
        updating_ = Updating;
        if (!Updating && pending_) Changed();
    }

private:
    using TItem = std::pair<AnsiString, TObject*>;

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
    P.Bool("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted);
    P.Int("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength);
    P.Event("OnChange", &TCustomComboBox::OnChange);
    P.Event("OnSelect", &TCustomComboBox::OnSelect);
    P.Event("OnDropDown", &TCustomComboBox::OnDropDown);
    P.Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
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
    : TWinControl(AOwner), items_(std::make_unique<TComboBoxStrings>(*this)) {
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
    TextStored();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    OptionsChanged();
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

void TCustomComboBox::TextFromPeer(const AnsiString& Value) {
    if (Value == StoredText()) return;
    StoreText(Value);
    itemIndex_ = -1;
    Perform(CN_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), 0);
}

void TCustomComboBox::ItemIndexFromPeer(Integer Index) {
    itemIndex_ = Index >= 0 && Index < items_->Count() ? Index : -1;
    Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
}

void TCustomComboBox::Dispatch(TMessage& Message) {
    if (Message.Msg != CN_COMMAND) {
        switch (Message.Msg) {
            case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
            case CB_GETCURSEL: Message.Result = itemIndex_; return;
            case CB_SETCURSEL: SetItemIndex(static_cast<Integer>(static_cast<std::intptr_t>(Message.WParam))); return;
            case CB_GETCOUNT: Message.Result = items_->Count(); return;
            case CB_GETDROPPEDSTATE: Message.Result = droppedDown_ ? 1 : 0; return;
            case CB_SHOWDROPDOWN: SetDroppedDown(Message.WParam != 0); return;
            case CB_SETDROPPEDWIDTH:
                droppedWidth_ = static_cast<Integer>(std::min<WPARAM>(Message.WParam, 0x7FFF));
                OptionsChanged();
                Message.Result = std::max(droppedWidth_, Width());
                return;
            case CB_GETDROPPEDWIDTH: Message.Result = std::max(droppedWidth_, Width()); return;
            case WM_SETTEXT:
                if (style_ == csDropDownList) {
                    // Without an edit part a text can only be one of the items: it selects it.
                    const auto* value = reinterpret_cast<const char*>(Message.LParam);
                    const Integer index = items_->IndexOf(value ? value : "");
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
