// The combo box's peer: a QComboBox holding a copy of the control's items. The user's choice (activated),
// typing (the edit's textEdited) and the list opening and closing come back as CBN_ notifications.

#include <algorithm>
#include <climits>
#include <memory>

#include <QComboBox>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "qt/Peer.h"
#include "qt/QtText.h"
#include "qt/TypingLimit.h"
#include "StdCtrls/Peers.h"
#include "vcl/StdCtrls.h"

namespace {

// A combo box that tells its peer when its list opens and closes. Bare, it draws neither frame nor drop
// button: its edit part (or its label) on the base colour.
class TPopupCombo : public QComboBox {
public:
    std::function<void(bool)> OnPopup;
    bool Bare = false;

protected:
    void paintEvent(QPaintEvent* Event) override {
        if (!Bare) return QComboBox::paintEvent(Event);
        QStylePainter painter(this);
        painter.fillRect(rect(), palette().brush(QPalette::Base));
        if (isEditable()) return;
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.frame = false;
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }

public:
    void showPopup() override {
        if (OnPopup) OnPopup(true);
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (OnPopup) OnPopup(false);
    }
};

class TComboBoxPeer : public TQtPeer, public TStdPeer {
public:
    explicit TComboBoxPeer(TCustomComboBox* Combo) : TQtPeer(Combo, new TPeerWidget<TPopupCombo>) {
        combo()->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(combo(), &QComboBox::activated, &context_, [this](int Index) {
            if (control()) Guarded([&] { TStdCtrlsAccess::ItemIndexFromPeer(*control(), Index); });
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
            case smDropDown:
                if (c->DroppedDown()) combo()->showPopup();
                else combo()->hidePopup();
                break;
            default: break;
        }
    }

private:
    TPopupCombo* combo() const { return static_cast<TPopupCombo*>(Widget()); }
    TCustomComboBox* control() const { return static_cast<TCustomComboBox*>(Control()); }

    void MirrorOptions(TCustomComboBox& C) {
        bool editable = C.Style() != csDropDownList;
        if (combo()->isEditable() != editable) {
            // The old line edit stands in for the combo's focus until Qt deletes it later, and would take
            // the focus with it then.
            if (!editable) combo()->lineEdit()->setFocusProxy(nullptr);
            combo()->setEditable(editable);
            if (editable) ConnectEdit();
        }
        combo()->setMaxVisibleItems(C.DropDownCount());
        combo()->view()->setMinimumWidth(TStdCtrlsAccess::DroppedWidth(C));
        // A new style changes what the control paints over the widget too.
        combo()->Bare = !TStdCtrlsAccess::NativeButton(C);
        combo()->update();
        MirrorIndex(C);
    }

    void MirrorIndex(TCustomComboBox& C) {
        combo()->setCurrentIndex(C.ItemIndex());
        if (combo()->isEditable()) ShowEditText(WindowText(C.Text()));
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
        QObject::connect(edit, &QLineEdit::textEdited, &context_, [this](const QString& Text) {
            if (!control()) return;
            reporting_ = true;
            std::shared_ptr<bool> alive = alive_;
            Guarded([&] {
                bool wideChanged = false;
                if (UnicodeWindow()) {
                    const HWND handle = control()->Handle();
                    const WideString typed = Text.toStdU16String();
                    wideChanged = *WindowWideText(handle) != typed;
                    WideTextFromUser(handle, typed);
                }
                TStdCtrlsAccess::TextFromPeer(*control(), FromQString(Text), wideChanged);
            });
            if (*alive) reporting_ = false;
        });
    }

    QObject context_;  // the widget outlives the peer: its connections end with this
    bool open_ = false;
    bool reporting_ = false;  // the user's edit is being reported
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

TControlPeer* TCustomComboBox::CreatePeer() { return new TComboBoxPeer(this); }
