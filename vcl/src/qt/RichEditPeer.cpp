// The rich edit's peer: a QTextEdit showing the control's formatted content, a paragraph a block; a user's
// edit comes back as the whole new content with the caret.
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "ComCtrls/Access.h"
#include "ComCtrls/RichEditLayout.h"
#include "StdCtrls/Peers.h"
#include "qt/Peer.h"
#include "qt/QtText.h"
#include "qt/RichTextDocument.h"

namespace {

// The control's position of a document position: every paragraph break before it counts two.
Integer ToControlPos(const QTextDocument& Document, int Pos) {
    const QTextBlock block = Document.findBlock(Pos);
    return static_cast<Integer>(Pos + (block.isValid() ? block.blockNumber() : 0));
}

int ToDocumentPos(const QTextDocument& Document, Integer Pos) {
    QTextBlock b = Document.begin();
    for (; b.isValid() && b.next().isValid(); b = b.next())
        if (Pos <= b.position() + b.blockNumber() + b.length() - 1) break;
    if (!b.isValid()) return 0;
    const Integer start = b.position() + b.blockNumber();
    return b.position() + static_cast<int>(std::clamp<Integer>(Pos - start, 0, b.length() - 1));
}

class TRichEditPeer : public TQtPeer, public TStdPeer, public TMemoPeerEdits, public TRichEditLayout {
public:
    explicit TRichEditPeer(TCustomRichEdit* Edit) : TQtPeer(Edit, new TPeerWidget<QTextEdit>) {
        edit()->setAcceptRichText(false);
        // Presses land on the viewport, a child Qt makes of its own.
        TakeFocusOnPressIn(edit()->viewport());
        QObject::connect(edit(), &QTextEdit::textChanged, [this] { UserEdited(); });
        // A move of the caret or the selection alone changes no text, but the control hears of it.
        QObject::connect(edit(), &QTextEdit::cursorPositionChanged, [this] { UserSelected(); });
        QObject::connect(edit(), &QTextEdit::selectionChanged, [this] { UserSelected(); });
    }

    void SetText(const AnsiString&) override { ShowContent(); }
    void ReplaceText(std::size_t, std::size_t, const AnsiString&) override { ShowContent(); }

    // The user's own edit comes back here too: the document has it already and keeps its caret.
    void ShowContent() override {
        TCustomRichEdit* c = control();
        const TRichText wanted = c ? c->Content() : TRichText{};
        if (ReadDocument(*edit()->document()) == wanted) return;
        {
            const QSignalBlocker quiet(edit());
            FillDocument(*edit()->document(), wanted, c ? c->Font()->Desc() : TFontDesc{});
        }
        Mirror(smSelection);
    }

    void Mirror(TStdMirror What) override {
        TCustomRichEdit* c = control();
        if (!c) return;
        const QSignalBlocker quiet(edit());
        if (What == smOptions) {
            edit()->setReadOnly(c->ReadOnly());
            edit()->setLineWrapMode(c->WordWrap() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        } else if (What == smSelection) {
            QTextCursor cursor(edit()->document());
            cursor.setPosition(ToDocumentPos(*edit()->document(), c->SelStart()));
            cursor.setPosition(ToDocumentPos(*edit()->document(), c->SelStart() + c->SelLength()),
                               QTextCursor::KeepAnchor);
            edit()->setTextCursor(cursor);
        }
    }

    TPoint ContentSize(Integer Width) const override {
        std::unique_ptr<QTextDocument> laidOut(edit()->document()->clone());
        laidOut->setDefaultFont(edit()->font());
        laidOut->setTextWidth(Width);
        const QSizeF size = laidOut->size();
        return Point(static_cast<Integer>(std::ceil(size.width())), static_cast<Integer>(std::ceil(size.height())));
    }

    void RenderTo(TSurface& Target, TPoint Origin) override {
        RenderWidget(Target, Origin, QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }

private:
    QTextEdit* edit() const { return static_cast<TPeerWidget<QTextEdit>*>(Widget()); }
    TCustomRichEdit* control() const { return static_cast<TCustomRichEdit*>(Control()); }

    // The widget's selection in the control's positions: its start and length.
    std::pair<Integer, Integer> Selection() const {
        const QTextCursor cursor = edit()->textCursor();
        const QTextDocument& document = *edit()->document();
        const Integer start = ToControlPos(document, cursor.selectionStart());
        return {start, ToControlPos(document, cursor.selectionEnd()) - start};
    }

    void UserEdited() {
        Guarded([this] {
            TCustomRichEdit* c = control();
            if (!c) return;
            const auto [start, length] = Selection();
            TComCtrlsAccess::ContentFromPeer(*c, ReadDocument(*edit()->document()), start, length);
        });
    }

    void UserSelected() {
        Guarded([this] {
            TCustomRichEdit* c = control();
            if (!c) return;
            const auto [start, length] = Selection();
            TComCtrlsAccess::SelectionFromPeer(*c, start, length);
        });
    }
};

}  // namespace

TControlPeer* TCustomRichEdit::CreatePeer() { return new TRichEditPeer(this); }
