#pragma once
// Menu items, menus and pop-up menus. A control whose PopupMenu is set shows it on a right click or the menu
// key (WM_CONTEXTMENU); the menu does not take the focus from that control, and the chosen item's OnClick
// fires after the menu has closed.

#include <functional>
#include <memory>
#include <vector>

#include "Classes.h"
#include "Controls.h"

using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;
TShortCut ShortCut(Word Key, TShiftState Shift);

class TMenu;

class TMenuItem : public TComponent {
    VCL_CLASS(TMenuItem, TComponent)
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& Value) { caption_ = Value; }
    // A checked radio item unchecks the other radio items of its GroupIndex under the same parent.
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value) { enabled_ = Value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool Value) { visible_ = Value; }
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool Value);
    Byte GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(Byte Value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool Value) { autoCheck_ = Value; }
    bool Default() const { return default_; }
    void SetDefault(bool Value);  // at most one default item per parent
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value) { shortCut_ = Value; }
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& Value) { hint_ = Value; }
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return caption_ == "-"; }

    Integer Count() const { return static_cast<Integer>(items_.size()); }
    TMenuItem* Items(Integer Index) const;  // EMenuError outside 0..Count-1
    void Add(TMenuItem* Item);
    void Insert(Integer Index, TMenuItem* Item);  // EMenuError when Item already has a parent
    // Delete and Remove take the item out of this menu without destroying it; Clear destroys every item.
    void Delete(Integer Index);
    void Remove(TMenuItem* Item);
    void Clear();
    Integer IndexOf(TMenuItem* Item) const;  // -1 when absent
    TMenuItem* Parent() const { return parent_; }
    Integer MenuIndex() const { return parent_ ? parent_->IndexOf(const_cast<TMenuItem*>(this)) : -1; }
    // The menu whose item tree holds this item; nullptr when none.
    TMenu* GetParentMenu() const;

    // Fires OnClick (after toggling Checked when AutoCheck).
    virtual void Click();
    TNotifyEvent OnClick;

    // For form descriptions: an item's parent is the item or menu that encloses it.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

private:
    friend class TMenu;
    void UncheckGroupSiblings();

    AnsiString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool radioItem_ = false;
    Byte groupIndex_ = 0;
    bool autoCheck_ = false;
    bool default_ = false;
    TShortCut shortCut_ = scNone;
    AnsiString hint_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item
};

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

class TMenu : public TComponent {
    VCL_CLASS(TMenu, TComponent)
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    // The root item: its sub-items are the menu's items.
    TMenuItem* Items() const { return items_.get(); }

private:
    TOwned<TMenuItem> items_;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
    VCL_CLASS(TPopupMenu, TMenu)
    explicit TPopupMenu(TComponent* AOwner);

    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool Value) { autoPopup_ = Value; }
    // The control the menu was last shown for; nil once that control is destroyed.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* Value) { popupComponent_ = Value; }

    // Shows the menu at a screen position and returns once it closed; the chosen item's Click runs then.
    virtual void Popup(Integer X, Integer Y);
    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup(TObject* Sender);

private:
    TPopupAlignment alignment_ = paLeft;
    bool autoPopup_ = true;
    TComponentRef<TComponent> popupComponent_;
};

// Test seam: while a chooser is set, a pop-up menu asks it which item the user picks (nullptr: the menu is
// dismissed). With ShowMenu the real menu is shown and the pick travels through it as a user's key presses
// would; otherwise no menu is shown at all.
using TMenuChooser = std::function<TMenuItem*(TPopupMenu* Menu)>;
void SetPopupMenuChooser(TMenuChooser Chooser, bool ShowMenu = false);
// Test probe: while a pop-up menu is shown (a chooser with ShowMenu runs then), a picture of it as the
// screen shows it, owned by the caller; nullptr when no menu is shown.
TBitmap* RenderShownPopupMenu();

TMenuItem* NewItem(const AnsiString& ACaption, TShortCut AShortCut, bool AChecked, bool AEnabled, TNotifyEvent AOnClick,
                   Word hCtx, const AnsiString& AName);
TMenuItem* NewLine();

// Registers the classes of this unit for form descriptions and installs the controls' pop-up hook.
void RegisterMenus();
