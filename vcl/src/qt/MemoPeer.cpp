// The memo's peer: a QPlainTextEdit showing the memo's text with LF line breaks. A new text arrives whole
// and is converted once; the user's edits come back with CR LF restored.

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include "Peer.h"
#include "QtText.h"
#include "StdCtrlsPeers.h"
#include "vcl/StdCtrls.h"

namespace {

// The memo's CR LF text as the widget shows it.
QString ToWidgetText(const AnsiString& Text) {
    QString s = ToQString(Text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

AnsiString FromWidgetText(QString Text) {
    Text.replace(QChar(u'\n'), QStringLiteral("\r\n"));
    return FromQString(Text);
}

class TMemoPeer : public TQtPeer, public TStdPeer {
public:
    explicit TMemoPeer(TCustomMemo* Memo) : TQtPeer(Memo, new TPeerWidget<QPlainTextEdit>) {
        memo()->setUndoRedoEnabled(false);
        // contentsChange reports every change; with the signals blocked while mirroring, only the user's remain.
        QObject::connect(memo()->document(), &QTextDocument::contentsChange, &context_, [this](int, int, int) {
            if (mirroring_) return;
            if (control()) Guarded([&] { control()->TextFromPeer(FromWidgetText(memo()->toPlainText())); });
        });
        QObject::connect(memo(), &QPlainTextEdit::selectionChanged, &context_, [this] { ReportSelection(); });
        QObject::connect(memo(), &QPlainTextEdit::cursorPositionChanged, &context_, [this] { ReportSelection(); });
    }

    void SetText(const AnsiString& Text) override {
        Mirroring guard(*this);
        memo()->setPlainText(ToWidgetText(Text));
    }

    void Mirror(TStdMirror What) override {
        TCustomMemo* c = control();
        if (!c) return;
        Mirroring guard(*this);
        if (What == smOptions) {
            memo()->setReadOnly(c->ReadOnly());
            memo()->setFrameShape(c->BorderStyle() == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
            bool wrap = c->WordWrap() && c->ScrollBars() != ssHorizontal && c->ScrollBars() != ssBoth;
            memo()->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            bool vertical = c->ScrollBars() == ssVertical || c->ScrollBars() == ssBoth;
            bool horizontal = c->ScrollBars() == ssHorizontal || c->ScrollBars() == ssBoth;
            memo()->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            memo()->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            static constexpr Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
            QTextOption option = memo()->document()->defaultTextOption();
            option.setAlignment(alignments[c->Alignment()]);
            memo()->document()->setDefaultTextOption(option);
        } else if (What == smSelection) {
            const AnsiString& text = c->Text();
            QTextCursor cursor(memo()->document());
            cursor.setPosition(WidgetPosition(text, c->SelStart()));
            cursor.setPosition(WidgetPosition(text, c->SelStart() + c->SelLength()), QTextCursor::KeepAnchor);
            memo()->setTextCursor(cursor);
        }
    }

private:
    struct Mirroring {
        explicit Mirroring(TMemoPeer& Peer) : peer(Peer), block(Peer.memo()) { peer.mirroring_ = true; }
        ~Mirroring() { peer.mirroring_ = false; }
        TMemoPeer& peer;
        QSignalBlocker block;
    };

    QPlainTextEdit* memo() const { return static_cast<QPlainTextEdit*>(Widget()); }
    TCustomMemo* control() const { return static_cast<TCustomMemo*>(Control()); }

    // A position in the CR LF text as a position in the widget's LF text.
    static int WidgetPosition(const AnsiString& Text, Integer Position) {
        std::size_t end = std::min(static_cast<std::size_t>(std::max(Position, 0)), Text.size());
        int breaks = 0;
        for (std::size_t i = 0; i + 1 < end; ++i)
            if (Text[i] == '\r' && Text[i + 1] == '\n') ++breaks;
        return static_cast<int>(end) - breaks;
    }

    // A widget position counts one character per line break before it; the memo's text counts two.
    int MemoPosition(int Position) const {
        return Position + memo()->document()->findBlock(Position).blockNumber();
    }

    void ReportSelection() {
        if (mirroring_ || !control()) return;
        QTextCursor cursor = memo()->textCursor();
        int start = MemoPosition(cursor.selectionStart());
        control()->SelectionFromPeer(start, MemoPosition(cursor.selectionEnd()) - start);
    }

    bool mirroring_ = false;
    QObject context_;  // the widget outlives the peer: its connections end with this
};

}  // namespace

TControlPeer* TCustomMemo::CreatePeer() { return new TMemoPeer(this); }
