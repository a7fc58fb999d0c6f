// The edit's peer: a QLineEdit that mirrors TCustomEdit and reports only the user's edits.

#include <climits>
#include <cmath>

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSignalBlocker>

#include "qt/Peer.h"
#include "qt/QtGraphics.h"
#include "qt/QtText.h"
#include "qt/TypingLimit.h"
#include "StdCtrls/Peers.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

namespace {

// Shows the control's password character where the platform would show its bullet.
class TPasswordStyle : public QProxyStyle {
public:
    explicit TPasswordStyle(QChar Character) : character_(Character) {}
    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override {
        if (Hint == SH_LineEdit_PasswordCharacter) return character_.unicode();
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }

private:
    QChar character_;
};

// A line edit that edits only as the system's edit control does: the clipboard, undo and the context menu
// come as messages to the control (WM_COPY, WM_PASTE, WM_CONTEXTMENU ...), so Qt's own editing shortcuts,
// context menu, middle-button paste, selection copies and drag and drop are off.
class TNativeLineEdit : public QLineEdit {
public:
    TNativeLineEdit() {
        connect(this, &QLineEdit::textChanged, this, &TNativeLineEdit::Unplace);
        connect(this, &QLineEdit::cursorPositionChanged, this, &TNativeLineEdit::Unplace);
    }
    // Where the caret's line starts and its x, in the widget (Qt's caret rectangle reaches 5 pixels left).
    // Qt scrolls the text into place while painting: unless a paint came after the last change of the text,
    // the caret, the size or the options, a one-pixel paint brings the place up to date.
    QPoint CaretPoint() {
        if (!placed_) {
            QImage probe(1, 1, QImage::Format_RGB32);
            render(&probe, QPoint(), QRegion(0, 0, 1, 1), {});
        }
        return cursorRect().topLeft() + QPoint(5, 0);
    }
    void Unplace() { placed_ = false; }
    // Hidden text shows Character (none: the text itself).
    void SetPasswordCharacter(QChar Character) {
        if (Character.isNull()) {
            setEchoMode(QLineEdit::Normal);
            return;
        }
        // The line edit takes the character from its style when the style changes.
        auto* passwordStyle = new TPasswordStyle(Character);
        passwordStyle->setParent(this);
        setStyle(passwordStyle);
        delete passwordStyle_;
        passwordStyle_ = passwordStyle;
        setEchoMode(QLineEdit::Password);
    }
    // Like the system's edit, a selection shows only while the edit has the focus, unless told otherwise.
    void SetHideSelection(bool Hide) {
        hideSelection_ = Hide;
        update();
    }

protected:
    void paintEvent(QPaintEvent* Event) override {
        ShowSelectionColours(hasFocus() || !hideSelection_);
        QLineEdit::paintEvent(Event);
        placed_ = true;
    }
    void keyPressEvent(QKeyEvent* Event) override {
        if (IsQtShortcut(Event)) {
            Event->ignore();
            return;
        }
        QLineEdit::keyPressEvent(Event);
    }
    void resizeEvent(QResizeEvent* Event) override {
        Unplace();
        QLineEdit::resizeEvent(Event);
    }
    void changeEvent(QEvent* Event) override {
        Unplace();
        QLineEdit::changeEvent(Event);
    }
    void contextMenuEvent(QContextMenuEvent* Event) override { Event->ignore(); }
    void mousePressEvent(QMouseEvent* Event) override {
        if (Event->button() == Qt::LeftButton) pressed_ = true;
        if (Event->button() != Qt::MiddleButton) QLineEdit::mousePressEvent(Event);
    }
    void mouseDoubleClickEvent(QMouseEvent* Event) override {
        if (Event->button() == Qt::LeftButton) pressed_ = true;
        QLineEdit::mouseDoubleClickEvent(Event);
    }
    // Only a press the edit took natively is dragged into a selection: a handler may have skipped it.
    void mouseMoveEvent(QMouseEvent* Event) override {
        if ((Event->buttons() & Qt::LeftButton) && !pressed_) {
            Event->accept();
            return;
        }
        QLineEdit::mouseMoveEvent(Event);
    }
    // The release only copies the selection to the X11 selection or pastes it with the middle button.
    void mouseReleaseEvent(QMouseEvent* Event) override {
        if (Event->button() == Qt::LeftButton) pressed_ = false;
        Event->accept();
    }
    // The system's edit keeps its selection when the focus leaves (it only hides it); Qt's line edit drops
    // it. Put back unreported, so the control's selection never changes.
    void focusOutEvent(QFocusEvent* Event) override {
        Unplace();
        const QSignalBlocker block(this);
        const bool selected = hasSelectedText();
        const int start = selectionStart();
        const int length = static_cast<int>(selectedText().size());
        const int caret = cursorPosition();
        QLineEdit::focusOutEvent(Event);
        if (!selected) return;
        if (caret == start) setSelection(start + length, -length);
        else setSelection(start, length);
    }

private:
    // The line edit draws any selection it holds: a shown one in the system's highlight colours, a hidden
    // one in the text's own. The palette changes only when the choice does, so the update it posts finds
    // nothing more to change.
    void ShowSelectionColours(bool Show) {
        QPalette shown = palette();
        shown.setColor(QPalette::Highlight, Show ? ToQColor(clHighlight) : shown.color(QPalette::Base));
        shown.setColor(QPalette::HighlightedText, Show ? ToQColor(clHighlightText) : shown.color(QPalette::Text));
        if (shown != palette()) setPalette(shown);
    }

    bool hideSelection_ = true;
    QStyle* passwordStyle_ = nullptr;
    bool placed_ = false;   // Qt's scrolling is up to date
    bool pressed_ = false;  // the left button's press reached the native edit

    static bool IsQtShortcut(QKeyEvent* Event) {
        const bool control = Event->modifiers() & Qt::ControlModifier;
        if (control && Event->key() >= Qt::Key_A && Event->key() <= Qt::Key_Z) return true;
        for (auto key :
             {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo,
              QKeySequence::SelectAll, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine})
            if (Event->matches(key)) return true;
        return false;
    }
};

class TEditPeer : public TQtPeer, public TStdPeer, public TEditPeerCommands, public TEditPeerGeometry {
public:
    explicit TEditPeer(TCustomEdit* Edit) : TQtPeer(Edit, new TPeerWidget<TNativeLineEdit>) {
        edit()->setMaxLength(INT_MAX);
        edit()->setDragEnabled(false);
        edit()->setAcceptDrops(false);
        edit()->setValidator(new TTypingLimit([this] { return control() ? control()->MaxLength() : 0; },
                                              [this] { return control() ? ToQString(control()->Text()) : QString(); },
                                              &context_));
        // textEdited comes before the caret's own signal: the edit is reported with the caret after it.
        QObject::connect(edit(), &QLineEdit::textEdited, &context_, [this](const QString& Text) {
            if (!control()) return;
            Guarded([&] {
                Integer start = 0, length = 0;
                ReadSelection(start, length);
                const bool wideChanged =
                    UnicodeWindow() && WideTextFromUser(control()->Handle(), Text.toStdU16String());
                TStdCtrlsAccess::EditFromPeer(*control(), FromQString(Text), start, length, wideChanged);
            });
        });
        QObject::connect(edit(), &QLineEdit::selectionChanged, &context_, [this] { ReportSelection(); });
        QObject::connect(edit(), &QLineEdit::cursorPositionChanged, &context_, [this](int, int) { ReportSelection(); });
    }

    ~TEditPeer() override { edit()->setValidator(nullptr); }

    void SetText(const AnsiString& Text) override {
        edit()->Unplace();
        QSignalBlocker block(edit());
        edit()->setText(WindowText(Text));
    }

    // Signals are blocked here: the place of the text is reckoned again by hand.
    void Mirror(TStdMirror What) override {
        edit()->Unplace();
        QSignalBlocker block(edit());
        TCustomEdit* c = control();
        if (!c) return;
        if (What == smOptions) {
            const DWORD style = TControlAccess::WindowStyle(*c);
            edit()->setReadOnly(c->ReadOnly());
            const char shownFor = TStdCtrlsAccess::ShownPasswordChar(*c);
            const QChar character = shownFor ? ToQString(AnsiString(1, shownFor)).at(0) : QChar();
            if (character != shownPasswordChar_) edit()->SetPasswordCharacter(character);
            shownPasswordChar_ = character;
            edit()->SetHideSelection(c->HideSelection());
            edit()->setFrame(false);
            // A formatting rectangle holds the text at its top.
            const std::optional<TRect>& margins = TStdCtrlsAccess::FormatMargins(*c);
            if (margins) edit()->setTextMargins(margins->Left, margins->Top, margins->Right, margins->Bottom);
            else edit()->setTextMargins(0, 0, 0, 0);
            Qt::Alignment horizontal = Qt::AlignLeft;
            if (style & ES_RIGHT) horizontal = Qt::AlignRight;
            else if (style & ES_CENTER) horizontal = Qt::AlignHCenter;
            edit()->setAlignment(horizontal | (margins ? Qt::AlignTop : Qt::AlignVCenter));
        } else if (What == smSelection) {
            edit()->setSelection(c->SelStart(), c->SelLength());
            if (c->SelLength() == 0) edit()->setCursorPosition(c->SelStart());
        }
    }

    // Inserted as typing inserts: MaxLength cuts it, the undo buffer keeps it, the edit is reported.
    void ReplaceSelection(const AnsiString& Text) override {
        SeparateUndoSteps();
        edit()->insert(ToQString(Text));
        SeparateUndoSteps();
    }
    void Undo() override { edit()->undo(); }

    // Measured from the caret, which Qt places with the scrolling applied: one measure of the text between.
    std::optional<TPoint> PosFromChar(Integer Index) const override {
        const QString shown = edit()->displayText();
        if (Index < 0 || Index >= shown.size()) return std::nullopt;
        const int caret = edit()->cursorPosition();
        const QPoint at = CaretPoint();
        const QFontMetricsF metrics(edit()->font());
        const qreal between = metrics.horizontalAdvance(shown.mid(std::min(caret, Index), std::abs(Index - caret)));
        const int x = at.x() + static_cast<int>(std::lround(Index < caret ? -between : between));
        const int border = ClientOffset();
        return TPoint{x - border, at.y() - border};
    }
    Integer CharFromPos(TPoint Point) const override {
        const int border = ClientOffset();
        CaretPoint();
        return edit()->cursorPositionAt(QPoint(Point.X + border, Point.Y + border));
    }
    bool CanUndo() const override { return edit()->isUndoAvailable(); }

private:
    TNativeLineEdit* edit() const { return static_cast<TNativeLineEdit*>(Widget()); }
    TCustomEdit* control() const { return static_cast<TCustomEdit*>(Control()); }
    int ClientOffset() const { return control() ? TControlAccess::SurfaceOffset(*control()).X : 0; }
    // The probe that places Qt's text paints only the widget.
    QPoint CaretPoint() const {
        QPoint at;
        const_cast<TEditPeer*>(this)->PaintQuietly([&] { at = edit()->CaretPoint(); });
        return at;
    }

    // The line edit joins edits into one undo step until the caret moves: a paste is a step of its own, as
    // the system's edit has it. The caret moves and comes back with the selection as it was, unreported.
    void SeparateUndoSteps() {
        edit()->Unplace();
        QSignalBlocker block(edit());
        const int length = static_cast<int>(edit()->text().size());
        if (length == 0) return;
        const int caret = edit()->cursorPosition();
        const bool selected = edit()->hasSelectedText();
        const int start = edit()->selectionStart(), end = edit()->selectionEnd();
        edit()->setCursorPosition(caret > 0 ? caret - 1 : caret + 1);
        if (!selected) edit()->setCursorPosition(caret);
        else if (caret == start) edit()->setSelection(end, start - end);
        else edit()->setSelection(start, end - start);
    }

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

    QChar shownPasswordChar_;
    QObject context_;  // the widget outlives the peer: its connections end with this
};

}  // namespace

// The style the window is made with chooses: an edit that shows lines gets the multi-line peer.
TControlPeer* TCustomEdit::CreatePeer() {
    if (ShowsLines()) return CreateLinesEditPeer(this);
    return new TEditPeer(this);
}
