// The edit's peer: a QLineEdit that mirrors TCustomEdit and reports only the user's edits.

#include <climits>

#include <QLineEdit>
#include <QSignalBlocker>

#include "qt/Peer.h"
#include "qt/QtText.h"
#include "qt/TypingLimit.h"
#include "StdCtrls/Peers.h"
#include "vcl/StdCtrls.h"

namespace {

class TEditPeer : public TQtPeer, public TStdPeer {
public:
    explicit TEditPeer(TCustomEdit* Edit) : TQtPeer(Edit, new TPeerWidget<QLineEdit>) {
        edit()->setMaxLength(INT_MAX);
        edit()->setValidator(new TTypingLimit([this] { return control() ? control()->MaxLength() : 0; },
                                              [this] { return control() ? ToQString(control()->Text()) : QString(); },
                                              &context_));
        // textEdited comes before the caret's own signal: the edit is reported with the caret after it.
        QObject::connect(edit(), &QLineEdit::textEdited, &context_, [this](const QString& Text) {
            if (!control()) return;
            Guarded([&] {
                Integer start = 0, length = 0;
                ReadSelection(start, length);
                TStdCtrlsAccess::EditFromPeer(*control(), FromQString(Text), start, length);
            });
        });
        QObject::connect(edit(), &QLineEdit::selectionChanged, &context_, [this] { ReportSelection(); });
        QObject::connect(edit(), &QLineEdit::cursorPositionChanged, &context_, [this](int, int) { ReportSelection(); });
    }

    ~TEditPeer() override { edit()->setValidator(nullptr); }

    void SetText(const AnsiString& Text) override {
        QSignalBlocker block(edit());
        edit()->setText(ToQString(Text));
    }

    void Mirror(TStdMirror What) override {
        QSignalBlocker block(edit());
        TCustomEdit* c = control();
        if (!c) return;
        if (What == smOptions) {
            edit()->setReadOnly(c->ReadOnly());
            edit()->setEchoMode(c->PasswordChar() ? QLineEdit::Password : QLineEdit::Normal);
            edit()->setFrame(c->BorderStyle() == bsSingle);
        } else if (What == smSelection) {
            edit()->setSelection(c->SelStart(), c->SelLength());
            if (c->SelLength() == 0) edit()->setCursorPosition(c->SelStart());
        }
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(Widget()); }
    TCustomEdit* control() const { return static_cast<TCustomEdit*>(Control()); }

    void ReadSelection(Integer& Start, Integer& Length) const {
        const bool selected = edit()->hasSelectedText();
        Start = selected ? edit()->selectionStart() : edit()->cursorPosition();
        Length = selected ? static_cast<Integer>(edit()->selectedText().size()) : 0;
    }

    // Selections the user makes (signals are blocked while the control's own selection is mirrored).
    void ReportSelection() {
        if (!control()) return;
        Integer start = 0, length = 0;
        ReadSelection(start, length);
        TStdCtrlsAccess::SelectionFromPeer(*control(), start, length);
    }

    QObject context_;  // the widget outlives the peer: its connections end with this
};

}  // namespace

TControlPeer* TCustomEdit::CreatePeer() { return new TEditPeer(this); }
