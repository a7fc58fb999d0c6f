// Pop-up menus shown as QMenu. The menu's own focus change (a pop-up reason) does not count as leaving the
// control; the chosen item is returned so its Click runs after the menu closed.
#include <QAction>
#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <map>
#include <memory>
#include <utility>

#include "Controls/Internal.h"
#include "Menus/PopupMenuWidget.h"
#include "qt/QtGraphics.h"
#include "qt/QtText.h"
#include "vcl/Forms.h"

namespace {

using TActionMap = std::map<const QAction*, TMenuItem*>;

// A menu as the platform shows it: every separator line stands, even next to another one.
void PrepareMenu(QMenu& Menu, const QFont& Font) {
    Menu.setSeparatorsCollapsible(false);
    Menu.setFont(Font);
}

void AddItems(QMenu& Menu, TMenuItem* Parent, TActionMap& Actions) {
    for (Integer i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            Menu.addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (item->Count() > 0) {
            QMenu* sub = Menu.addMenu(ToQString(item->Caption()));
            PrepareMenu(*sub, Menu.font());
            AddItems(*sub, item, Actions);
            action = sub->menuAction();
        } else {
            action = Menu.addAction(ToQString(item->Caption()));
        }
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked() || item->RadioItem());
        action->setChecked(item->Checked());
        if (item->Default()) {
            QFont bold = Menu.font();
            bold.setBold(true);
            action->setFont(bold);
        }
        Actions[action] = item;
    }
}

QAction* ActionOf(const TActionMap& Actions, const TMenuItem* Item) {
    for (const auto& [action, item] : Actions)
        if (item == Item) return const_cast<QAction*>(action);
    return nullptr;
}

// Picks the chooser's item as a user would: highlight it and press Enter (top-level items only).
void ChooseThroughMenu(QMenu& Menu, TPopupMenu* Owner, const TActionMap& Actions, const TMenuChooser& Chooser) {
    try {
        QAction* action = ActionOf(Actions, Chooser(Owner));
        if (!action || !Menu.actions().contains(action)) {
            Menu.close();
            return;
        }
        Menu.setActiveAction(action);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&Menu, &press);
    } catch (...) {
        Menu.close();
        Application->HandleException(Owner);
    }
}

// The menu on screen now (the innermost when menus nest).
QMenu* ShownMenu = nullptr;

}  // namespace

TMenuItem* ShowPopupMenuWidget(TPopupMenu* Menu, TPoint ScreenPos, const TFont* Font, const TMenuChooser& Chooser) {
    AppLoop::EnsureApplication();
    QMenu menu;
    PrepareMenu(menu, Font ? ToQFont(*Font) : QApplication::font());
    TActionMap actions;
    AddItems(menu, Menu->Items(), actions);
    if (menu.isEmpty()) return nullptr;
    QPoint at(ScreenPos.X, ScreenPos.Y);
    const int width = menu.sizeHint().width();
    if (Menu->Alignment() == paRight) at.rx() -= width;
    if (Menu->Alignment() == paCenter) at.rx() -= width / 2;
    if (Chooser)
        QTimer::singleShot(0, &menu,
                           [&menu, Menu, &actions, &Chooser] { ChooseThroughMenu(menu, Menu, actions, Chooser); });
    QMenu* const outer = std::exchange(ShownMenu, &menu);
    const QAction* chosen = menu.exec(at);
    ShownMenu = outer;
    auto it = actions.find(chosen);
    return it == actions.end() ? nullptr : it->second;
}

TBitmap* RenderShownPopupMenu() {
    if (!ShownMenu) return nullptr;
    const QImage image = ShownMenu->grab().toImage();
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(image.width(), image.height());
    bitmap->Surface().Assign(image);
    return bitmap.release();
}
