// The combo box's peer: a QComboBox holding a copy of the control's items. The user's choice (activated),
// typing (the edit's textEdited) and the list opening and closing come back as CBN_ notifications.

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "qt/Peer.h"
#include "qt/QtText.h"
#include "StdCtrls/Peers.h"
#include "vcl/StdCtrls.h"

namespace {

// A combo box that tells its peer when its list opens and closes.
class TPopupCombo : public QComboBox {
public:
    std::function<void(bool)> OnPopup;
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
            if (control()) Guarded([&] { control()->ItemIndexFromPeer(Index); });
        });
        combo()->OnPopup = [this](bool Open) {
            if (!control() || open_ == Open) return;
            open_ = Open;
            Send(CN_COMMAND, MakeWParam(0, Open ? CBN_DROPDOWN : CBN_CLOSEUP), 0);
        };
    }

    ~TComboBoxPeer() override { combo()->OnPopup = nullptr; }

    void SetText(const AnsiString& Text) override {
        QSignalBlocker block(combo());
        if (combo()->isEditable()) combo()->setEditText(ToQString(Text));
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
                for (Integer i = 0; i < c->Items()->Count(); ++i) items << ToQString(c->Items()->Strings(i));
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
            combo()->setEditable(editable);
            if (editable) ConnectEdit();
        }
        combo()->setMaxVisibleItems(C.DropDownCount());
        if (QLineEdit* edit = combo()->lineEdit()) edit->setMaxLength(C.MaxLength() > 0 ? C.MaxLength() : 32767);
        MirrorIndex(C);
    }

    void MirrorIndex(TCustomComboBox& C) {
        combo()->setCurrentIndex(C.ItemIndex());
        if (combo()->isEditable()) combo()->setEditText(ToQString(C.Text()));
    }

    // The line edit exists only while the combo is editable, and is made anew each time.
    void ConnectEdit() {
        QObject::connect(combo()->lineEdit(), &QLineEdit::textEdited, &context_, [this](const QString& Text) {
            if (control()) Guarded([&] { control()->TextFromPeer(FromQString(Text)); });
        });
    }

    QObject context_;  // the widget outlives the peer: its connections end with this
    bool open_ = false;
};

}  // namespace

TControlPeer* TCustomComboBox::CreatePeer() { return new TComboBoxPeer(this); }
