// Menu items and pop-up menus; the pop-up hook of controls.
#include "vcl/Menus.h"

#include <algorithm>

#include "Menus/PopupMenuWidget.h"
#include "vcl/Forms.h"

namespace {

struct TChooserSeam {
    TMenuChooser Chooser;
    bool ShowMenu = false;
};

TChooserSeam& ChooserSeam() {
    static TChooserSeam seam;
    return seam;
}

void PublishTMenuItem(TPublisher& p) {
    TPublishOf<TMenuItem> P(p);
    P.Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    P.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    P.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    P.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    P.Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    P.Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
    P.Bool("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
    P.Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    P.Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
    P.Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    P.Event("OnClick", &TMenuItem::OnClick);
}

void PublishTPopupMenu(TPublisher& p) {
    TPublishOf<TPopupMenu> P(p);
    P.Enum<TPopupAlignment>("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment,
                            {{"paLeft", paLeft}, {"paRight", paRight}, {"paCenter", paCenter}});
    P.Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
    P.Event("OnPopup", &TPopupMenu::OnPopup);
}

[[noreturn]] void RaiseMenuIndex() { throw EMenuError("Menu index out of range"); }

void InstallPopupHook() {
    TPopupMenuService service;
    service.AsComponent = [](TPopupMenu* Menu) -> TComponent* { return Menu; };
    service.Popup = [](TPopupMenu* Menu, TControl* PopupComponent, Integer X, Integer Y) {
        if (!Menu->AutoPopup()) return;
        Menu->SetPopupComponent(PopupComponent);
        Menu->Popup(X, Y);
    };
    SetPopupMenuService(service);
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
    TShortCut result = Key & 0xFF;
    if (Shift.Contains(ssShift)) result |= scShift;
    if (Shift.Contains(ssCtrl)) result |= scCtrl;
    if (Shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void SetPopupMenuChooser(TMenuChooser Chooser, bool ShowMenu) {
    ChooserSeam().Chooser = std::move(Chooser);
    ChooserSeam().ShowMenu = ShowMenu;
}

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TMenuItem, VCL_CREATOR(TMenuItem), &PublishTMenuItem)

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    // Not Remove, which raises for an item its parent does not list: a destructor must not throw.
    if (parent_) std::erase(parent_->items_, this);
    // Sub-items go with their item, whoever owns them.
    while (!items_.empty()) {
        TMenuItem* item = items_.back();
        items_.pop_back();
        item->parent_ = nullptr;
        item->Free();
    }
}

TMenuItem* TMenuItem::Items(Integer Index) const {
    if (Index < 0 || Index >= Count()) RaiseMenuIndex();
    return items_[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->parent_) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > Count()) RaiseMenuIndex();
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == Item) throw EMenuError("Menu inserted twice");
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    if (Item->checked_ && Item->radioItem_) Item->UncheckGroupSiblings();
}

void TMenuItem::Delete(Integer Index) {
    TMenuItem* item = Items(Index);
    items_.erase(items_.begin() + Index);
    item->parent_ = nullptr;
}

void TMenuItem::Remove(TMenuItem* Item) {
    const Integer index = IndexOf(Item);
    if (index < 0) throw EMenuError("Sub-menu is not in menu");
    Delete(index);
}

void TMenuItem::Clear() {
    while (!items_.empty()) items_.back()->Free();  // each removes itself
}

Integer TMenuItem::IndexOf(TMenuItem* Item) const {
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<Integer>(it - items_.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->menu_;
}

void TMenuItem::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    if (Value && radioItem_) UncheckGroupSiblings();
}

void TMenuItem::SetRadioItem(bool Value) {
    if (radioItem_ == Value) return;
    radioItem_ = Value;
    if (checked_ && radioItem_) UncheckGroupSiblings();
}

void TMenuItem::SetGroupIndex(Byte Value) {
    if (groupIndex_ == Value) return;
    groupIndex_ = Value;
    if (checked_ && radioItem_) UncheckGroupSiblings();
}

void TMenuItem::UncheckGroupSiblings() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

void TMenuItem::SetDefault(bool Value) {
    if (default_ == Value) return;
    if (Value && parent_)
        for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
    default_ = Value;
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (autoCheck_) SetChecked(!checked_);
    if (OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (!parent_) return nullptr;
    if (parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (parent_) parent_->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(Value)) {
        menu->Items()->Add(this);
    } else if (auto* item = dynamic_cast<TMenuItem*>(Value)) {
        item->Add(this);
    } else if (Value) {
        throw EMenuError("A menu item belongs in a menu or another menu item");
    }
}

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TMenu, nullptr, nullptr)

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(MakeOwned<TMenuItem>(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() = default;

VCL_IMPLEMENT_CLASS(TPopupMenu, VCL_CREATOR(TPopupMenu), &PublishTPopupMenu)

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { InstallPopupHook(); }

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

// Items show in the font of the form the menu pops up on (the main form's when it pops up for no control).
static const TFont* MenuFont(TPopupMenu* Menu) {
    TCustomForm* form = nullptr;
    if (auto* control = dynamic_cast<TControl*>(Menu->PopupComponent())) form = GetParentForm(control);
    if (!form) form = Application->MainForm();
    return form ? form->Font() : nullptr;
}

void TPopupMenu::Popup(Integer X, Integer Y) {
    DoPopup(this);
    const TChooserSeam& seam = ChooserSeam();
    TMenuItem* chosen = nullptr;
    if (seam.Chooser && !seam.ShowMenu) chosen = seam.Chooser(this);
    else chosen = ShowPopupMenuWidget(this, Point(X, Y), MenuFont(this), seam.Chooser);
    // The item's handler runs once the menu is gone, as after a real menu's WM_COMMAND.
    if (chosen && chosen->Enabled()) chosen->Click();
}

// ---------------------------------------------------------------------------

TMenuItem* NewItem(const AnsiString& ACaption, TShortCut AShortCut, bool AChecked, bool AEnabled, TNotifyEvent AOnClick,
                   Word, const AnsiString& AName) {
    auto* item = new TMenuItem(nullptr);
    item->SetName(AName);
    item->SetCaption(ACaption);
    item->SetShortCut(AShortCut);
    item->SetChecked(AChecked);
    item->SetEnabled(AEnabled);
    item->OnClick = std::move(AOnClick);
    return item;
}

TMenuItem* NewLine() {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption("-");
    return item;
}

void RegisterMenus() {
    RegisterClasses({TMenuItem::ClassInfo(), TPopupMenu::ClassInfo()});
    InstallPopupHook();
}
