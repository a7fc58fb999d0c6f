// Pop-up menus made by handle, item by item. Tracking shows them through a TPopupMenu, so they look and
// are chosen (by the user or the tests' chooser) as every other pop-up menu; the choice reaches the owner
// window as a posted WM_COMMAND.
#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "vcl/Menus.h"
#include "vcl/Windows.h"

namespace {

struct TRawItem {
    std::uintptr_t Id = 0;
    AnsiString Caption;
    UINT Flags = 0;
};

struct TRawMenus {
    std::map<HMENU, std::vector<TRawItem>> Menus;
    std::uintptr_t Next = 0x30000000;
};

TRawMenus& RawMenus() {
    static TRawMenus menus;
    return menus;
}

std::vector<TRawItem>* Find(HMENU Menu) {
    auto& menus = RawMenus().Menus;
    auto it = menus.find(Menu);
    return it == menus.end() ? nullptr : &it->second;
}

}  // namespace

HMENU CreatePopupMenu() {
    TRawMenus& menus = RawMenus();
    menus.Next += 0x10;
    HMENU handle = reinterpret_cast<HMENU>(menus.Next);
    menus.Menus.emplace(handle, std::vector<TRawItem>());
    return handle;
}

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, std::uintptr_t uIDNewItem, const char* lpNewItem) {
    std::vector<TRawItem>* items = Find(hMenu);
    if (!items) return FALSE;
    auto at = items->end();
    if (uFlags & MF_BYPOSITION) {
        if (uPosition < items->size()) at = items->begin() + uPosition;
    } else {
        at = std::find_if(items->begin(), items->end(), [&](const TRawItem& i) { return i.Id == uPosition; });
        if (at == items->end()) return FALSE;
    }
    TRawItem item;
    item.Id = uIDNewItem;
    item.Flags = uFlags & ~MF_BYPOSITION;
    if (!(uFlags & MF_SEPARATOR) && lpNewItem) item.Caption = lpNewItem;
    items->insert(at, std::move(item));
    return TRUE;
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, std::uintptr_t uIDNewItem, const char* lpNewItem) {
    return InsertMenu(hMenu, 0xFFFFFFFF, uFlags | MF_BYPOSITION, uIDNewItem, lpNewItem);
}

int GetMenuItemCount(HMENU hMenu) {
    const std::vector<TRawItem>* items = Find(hMenu);
    return items ? static_cast<int>(items->size()) : -1;
}

BOOL DestroyMenu(HMENU hMenu) { return RawMenus().Menus.erase(hMenu) > 0 ? TRUE : FALSE; }

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
    const std::vector<TRawItem>* found = Find(hMenu);
    if (!found || !IsWindow(hWnd)) return FALSE;
    // A copy: a handler may change or destroy the menu while it shows.
    const std::vector<TRawItem> items = *found;
    const TOwned<TPopupMenu> menu = MakeOwned<TPopupMenu>(nullptr);
    menu->SetPopupComponent(FindControl(hWnd));
    menu->SetAlignment((uFlags & TPM_RIGHTALIGN) ? paRight : (uFlags & TPM_CENTERALIGN) ? paCenter : paLeft);
    for (const TRawItem& raw : items) {
        auto* item = new TMenuItem(nullptr);  // goes with the menu's items
        item->SetCaption(raw.Flags & MF_SEPARATOR ? AnsiString("-") : raw.Caption);
        item->SetEnabled(!(raw.Flags & (MF_GRAYED | MF_DISABLED)));
        item->SetChecked(raw.Flags & MF_CHECKED);
        const std::uintptr_t id = raw.Id;
        item->OnClick = [hWnd, id](TObject*) { PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(id & 0xFFFF, 0), 0); };
        menu->Items()->Add(item);
    }
    menu->Popup(x, y);
    return TRUE;
}
