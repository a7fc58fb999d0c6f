// The combo box's peer: a QComboBox holding a copy of the control's items. The user's choice (activated),
// typing (the edit's textEdited) and the list opening and closing come back as CBN_ notifications. Keys
// typed while the list is down come back as the combo's own, the wheel steps one item per notch through
// the control, and the list's items are as high as the control says, drawn by it when owner-drawn.

#include <algorithm>
#include <climits>
#include <memory>

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "qt/Peer.h"
#include "qt/QtText.h"
#include "qt/Surface.h"
#include "qt/TypingLimit.h"
#include "StdCtrls/ComboBoxChild.h"
#include "StdCtrls/Peers.h"
#include "vcl/StdCtrls.h"

namespace {

// A combo box that tells its peer when its list opens and closes. Bare, it draws neither frame nor drop
// button: its edit part (or its label) on the base colour.
class TPopupCombo : public QComboBox {
public:
    std::function<void(bool)> OnPopup;
    // Where the list goes once shown (screen coordinates).
    std::function<QRect()> PopupPlace;
    // Draws the selection field of an owner-drawn combo into the rectangle given.
    std::function<void(QPainter&, const QRect&)> DrawField;
    bool Bare = false;

protected:
    void paintEvent(QPaintEvent* Event) override {
        if (!Bare && !DrawField) return QComboBox::paintEvent(Event);
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        if (Bare) {
            painter.fillRect(rect(), palette().brush(QPalette::Base));
            option.frame = false;
        } else {
            option.currentText.clear();
            painter.drawComplexControl(QStyle::CC_ComboBox, option);
        }
        if (isEditable()) return;
        if (DrawField)
            return DrawField(painter,
                             style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this));
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }

public:
    void showPopup() override {
        if (OnPopup) OnPopup(true);
        QComboBox::showPopup();
        if (QWidget* list = view()->window(); PopupPlace && list != window()) list->setGeometry(PopupPlace());
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (OnPopup) OnPopup(false);
    }
};

// The list's items: as high as the control says; an owner-drawn one drawn by the control over its
// rectangle in the list.
class TItemDelegate : public QStyledItemDelegate {
public:
    explicit TItemDelegate(std::function<TCustomComboBox*()> Combo, QObject* Parent)
        : QStyledItemDelegate(Parent), combo_(std::move(Combo)) {}

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        QSize size = QStyledItemDelegate::sizeHint(Option, Index);
        if (TCustomComboBox* c = combo_()) size.setHeight(TStdCtrlsAccess::ItemHeightOf(*c, Index.row()));
        return size;
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        TCustomComboBox* c = combo_();
        if (!c || !TStdCtrlsAccess::OwnerDrawn(*c)) return QStyledItemDelegate::paint(Painter, Option, Index);
        TOwnerDrawState state;
        if (Option.state & QStyle::State_Selected) state.Include(odSelected);
        if (Option.state & QStyle::State_HasFocus) state.Include(odFocused);
        const QRect& r = Option.rect;
        DrawOwnerItem(*Painter, *c, Index.row(), r, Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), state);
    }

    // Item Index drawn by the control as it sees Rect, shown at Place.
    static void DrawOwnerItem(QPainter& Painter, TCustomComboBox& C, Integer Index, const QRect& Place,
                              const TRect& Rect, TOwnerDrawState State) {
        if (Place.isEmpty()) return;
        TSurface item(Place.width(), Place.height());
        RunFromQt(&C, [&] { TStdCtrlsAccess::DrawItemOn(C, item, Index, Rect, State); });
        Painter.drawImage(Place.topLeft(), item.Image());
    }

private:
    std::function<TCustomComboBox*()> combo_;
};

class TComboBoxPeer : public TQtPeer, public TStdPeer, public TComboPeerEdit {
public:
    explicit TComboBoxPeer(TCustomComboBox* Combo) : TQtPeer(Combo, new TPeerWidget<TPopupCombo>) {
        combo()->setInsertPolicy(QComboBox::NoInsert);
        // The wheel reaches the control as WM_MOUSEWHEEL, never the widget's own stepping; it takes no focus.
        combo()->setFocusPolicy(Qt::StrongFocus);
        // The view may paint after the peer has gone: the delegate lives with it and asks the peer only
        // while there is one.
        combo()->setItemDelegate(
            new TItemDelegate([this, alive = alive_] { return *alive ? control() : nullptr; }, combo()->view()));
        combo()->view()->installEventFilter(&listKeys_);
        listKeys_.Filter = [this](QEvent* Event) { return ListEvent(Event); };
        combo()->PopupPlace = [this] { return PopupPlace(); };
        QObject::connect(combo(), &QComboBox::activated, &context_, [this](int Index) {
            std::shared_ptr<bool> alive = alive_;
            if (control()) Guarded([&] { TStdCtrlsAccess::ItemIndexFromPeer(*control(), Index); });
            if (!*alive) return;
            // The list's highlight follows a pick made by key while it is down.
            if (combo()->view()->isVisible())
                combo()->view()->setCurrentIndex(combo()->model()->index(combo()->currentIndex(), 0));
        });
        combo()->OnPopup = [this](bool Open) {
            if (!control() || open_ == Open) return;
            open_ = Open;
            Send(CN_COMMAND, MakeWParam(0, Open ? CBN_DROPDOWN : CBN_CLOSEUP), 0);
        };
    }

    ~TComboBoxPeer() override {
        *alive_ = false;
        combo()->OnPopup = nullptr;
        combo()->PopupPlace = nullptr;
        combo()->DrawField = nullptr;
        listKeys_.Filter = nullptr;
        if (QLineEdit* edit = combo()->lineEdit()) edit->setValidator(nullptr);
    }

    void SetText(const AnsiString& Text) override {
        QSignalBlocker block(combo());
        if (combo()->isEditable()) ShowEditText(WindowText(Text));
    }

    void Mirror(TStdMirror What) override {
        TCustomComboBox* c = control();
        if (!c) return;
        QSignalBlocker block(combo());
        switch (What) {
            case smOptions: MirrorOptions(*c); break;
            case smItems: {
                QStringList items;
                items.reserve(c->Items()->Count());
                for (Integer i = 0; i < c->Items()->Count(); ++i) items << ItemText(*c, i);
                combo()->clear();
                combo()->addItems(items);
                MirrorIndex(*c);
                break;
            }
            case smItemIndex: MirrorIndex(*c); break;
            case smSelection: MirrorSelection(*c); break;
            case smDropDown:
                if (c->DroppedDown()) combo()->showPopup();
                else combo()->hidePopup();
                break;
            default: break;
        }
    }

    Integer CharFromPos(TPoint Point) const override {
        QLineEdit* edit = combo()->lineEdit();
        if (!edit) return 0;
        return edit->cursorPositionAt(QPoint(Point.X, Point.Y) - edit->geometry().topLeft());
    }

    bool DefaultHandler(TMessage& Message) override {
        TCustomComboBox* c = control();
        if (c && Message.Msg == WM_MOUSEWHEEL) {
            StepByWheel(*c, static_cast<SmallInt>(HIWORD(Message.WParam)));
            return true;
        }
        if (c && ListToggle(Message)) {
            Guarded([&] { c->SetDroppedDown(!c->DroppedDown()); });
            return true;
        }
        return TQtPeer::DefaultHandler(Message);
    }

protected:
    void Deliver(TMessage& Message) override {
        TComboBoxChild* part = nullptr;
        if (TCustomComboBox* c = control(); c && IsKeyMessage(Message.Msg)) part = TStdCtrlsAccess::KeyboardPart(*c);
        if (part) part->WindowProc(Message);
        else TQtPeer::Deliver(Message);
    }

private:
    // An object whose event filter the list's view gets.
    class TFilter : public QObject {
    public:
        std::function<bool(QEvent*)> Filter;
        bool eventFilter(QObject*, QEvent* Event) override { return Filter && Filter(Event); }
    };

    static bool IsKeyMessage(UINT Msg) {
        return Msg == WM_KEYDOWN || Msg == WM_KEYUP || Msg == WM_CHAR || Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP ||
               Msg == WM_SYSCHAR;
    }

    // F4, Alt+Down and Alt+Up open a closed list and close an open one.
    static bool ListToggle(const TMessage& Message) {
        const auto key = static_cast<Word>(Message.WParam & 0xFFFF);
        if (Message.Msg == WM_KEYDOWN) return key == VK_F4 && !(Message.LParam & KF_ALTDOWN_BIT);
        return Message.Msg == WM_SYSKEYDOWN && (key == VK_DOWN || key == VK_UP);
    }

    // Keys typed while the list is down go the combo's way, as they do on the platform: the list keeps
    // the keyboard only in Qt.
    bool ListEvent(QEvent* Event) {
        if (Event->type() != QEvent::KeyPress && Event->type() != QEvent::KeyRelease) return false;
        if (!control()) return false;
        HandleEvent(Event);
        return true;
    }

    // One item per notch: down the list for a turn towards the user, never past its ends.
    void StepByWheel(TCustomComboBox& C, SmallInt Delta) {
        const Integer count = C.Items()->Count();
        if (count == 0 || Delta == 0) return;
        const Integer next = std::clamp(C.ItemIndex() + (Delta < 0 ? 1 : -1), 0, count - 1);
        if (next == C.ItemIndex()) return;
        std::shared_ptr<bool> alive = alive_;
        Guarded([&] { TStdCtrlsAccess::ItemIndexFromPeer(C, next); });
        if (*alive && control()) MirrorIndex(*control());
    }

    // Below the selection field, as wide and as high as the control's list.
    QRect PopupPlace() const {
        TCustomComboBox* c = control();
        if (!c) return combo()->view()->window()->geometry();
        const QPoint at = combo()->mapToGlobal(QPoint(0, combo()->height()));
        return QRect(at, QSize(TStdCtrlsAccess::DroppedListWidth(*c), TStdCtrlsAccess::DroppedListHeight(*c)));
    }

    void MirrorSelection(TCustomComboBox& C) {
        QLineEdit* edit = combo()->lineEdit();
        if (!edit) return;
        QSignalBlocker block(edit);
        edit->setSelection(C.SelStart(), C.SelLength());
    }

    TPopupCombo* combo() const { return static_cast<TPopupCombo*>(Widget()); }
    TCustomComboBox* control() const { return static_cast<TCustomComboBox*>(Control()); }

    void MirrorOptions(TCustomComboBox& C) {
        bool editable = C.Style() == csDropDown || C.Style() == csSimple;
        if (combo()->isEditable() != editable) {
            // The old line edit stands in for the combo's focus until Qt deletes it later, and would take
            // the focus with it then.
            if (!editable) combo()->lineEdit()->setFocusProxy(nullptr);
            combo()->setEditable(editable);
            if (editable) ConnectEdit();
        }
        combo()->setMaxVisibleItems(C.DropDownCount());
        combo()->view()->setMinimumWidth(TStdCtrlsAccess::DroppedWidth(C));
        // Item heights may have changed.
        combo()->view()->doItemsLayout();
        if (TStdCtrlsAccess::OwnerDrawn(C))
            combo()->DrawField = [this](QPainter& Painter, const QRect& Place) { DrawField(Painter, Place); };
        else combo()->DrawField = nullptr;
        // A new style changes what the control paints over the widget too.
        combo()->Bare = !TStdCtrlsAccess::NativeButton(C);
        combo()->update();
        MirrorIndex(C);
    }

    void MirrorIndex(TCustomComboBox& C) {
        combo()->setCurrentIndex(C.ItemIndex());
        if (combo()->isEditable()) ShowEditText(WindowText(C.Text()));
    }

    // The selected item in the field, as the platform draws it: selected and focused while focused.
    void DrawField(QPainter& Painter, const QRect& Place) {
        TCustomComboBox* c = control();
        if (!c) return;
        TOwnerDrawState state{odComboBoxEdit};
        if (combo()->hasFocus()) state = state + TOwnerDrawState{odSelected, odFocused};
        TItemDelegate::DrawOwnerItem(Painter, *c, c->ItemIndex(), Place,
                                     Rect(Place.left(), Place.top(), Place.right() + 1, Place.bottom() + 1), state);
    }

    // A Unicode window's item as it holds it.
    QString ItemText(TCustomComboBox& C, Integer Index) const {
        WideString wide;
        if (UnicodeWindow() && TStdCtrlsAccess::WideItem(C, Index, wide)) return QString::fromStdU16String(wide);
        return ToQString(C.Items()->Strings(Index));
    }

    // A text from code shows from its first character; one that a handler writes back while the user
    // types keeps the caret's distance from the end, so the typing goes on where it was.
    void ShowEditText(const QString& Text) {
        QLineEdit* edit = combo()->lineEdit();
        const bool typing = reporting_ && edit->hasFocus();
        const qsizetype fromEnd = edit->text().size() - edit->cursorPosition();
        combo()->setEditText(Text);
        edit->setCursorPosition(typing ? static_cast<int>(std::max<qsizetype>(Text.size() - fromEnd, 0)) : 0);
    }

    // The line edit exists only while the combo is editable, and is made anew each time. It holds any
    // text whole (MaxLength limits the user's edits only) and completes nothing the Text would not hold.
    void ConnectEdit() {
        QLineEdit* edit = combo()->lineEdit();
        TakeFocusOnPressIn(edit);
        combo()->setCompleter(nullptr);
        edit->setMaxLength(INT_MAX);
        edit->setValidator(new TTypingLimit([this] { return control() ? control()->MaxLength() : 0; },
                                            [this] { return control() ? ToQString(control()->Text()) : QString(); },
                                            &context_));
        QObject::connect(edit, &QLineEdit::selectionChanged, &context_, [this] { SelectionToControl(); });
        QObject::connect(edit, &QLineEdit::cursorPositionChanged, &context_, [this] { SelectionToControl(); });
        QObject::connect(edit, &QLineEdit::textEdited, &context_, [this](const QString& Text) {
            if (!control()) return;
            reporting_ = true;
            std::shared_ptr<bool> alive = alive_;
            SelectionToControl();  // the change handlers see the caret where the typing left it
            Guarded([&] {
                const bool wideChanged =
                    UnicodeWindow() && WideTextFromUser(control()->Handle(), Text.toStdU16String());
                TStdCtrlsAccess::TextFromPeer(*control(), FromQString(Text), wideChanged);
            });
            if (*alive) reporting_ = false;
        });
    }

    void SelectionToControl() {
        QLineEdit* edit = combo()->lineEdit();
        if (!control() || !edit) return;
        const bool selected = edit->hasSelectedText();
        const int start = selected ? edit->selectionStart() : edit->cursorPosition();
        TStdCtrlsAccess::SelectionFromPeer(*control(), start, selected ? edit->selectionLength() : 0);
    }

    QObject context_;  // the widget outlives the peer: its connections end with this
    TFilter listKeys_;
    bool open_ = false;
    bool reporting_ = false;  // the user's edit is being reported
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

TControlPeer* TCustomComboBox::CreatePeer() { return new TComboBoxPeer(this); }
