#pragma once
// The multi-line edit's widget (a memo's, an ES_MULTILINE edit's): a line-based text editor over
// Windows-1252 bytes with CR LF line breaks.
// Only the lines in view are decoded, laid out and painted, so the cost of a change or a paint does not
// grow with the number of lines. Scroll bars are child widgets; everything else is drawn here.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>

#include <QScrollBar>
#include <QTextLayout>
#include <QWidget>

#include "qt/MemoViewText.h"

// Who hears of the user's doings in the view (the memo's peer).
class IMemoViewHost {
public:
    virtual ~IMemoViewHost() = default;
    // The user changes [Start, End) of the text to Value, the selection to be [SelStart, SelStart +
    // SelLength) after it. The text is the host's: it makes the change and tells the view (TextReplaced).
    virtual void EditRequested(std::size_t Start, std::size_t End, const AnsiString& Value, std::size_t SelStart,
                               std::size_t SelLength) = 0;
    virtual void SelectionMoved() = 0;  // caret or selection moved without a text change
    virtual void FocusWanted() = 0;     // a click in the view asks for the focus
};

struct TMemoViewOptions {
    bool ReadOnly = false;
    bool WordWrap = false;
    bool VerticalBar = false;
    bool HorizontalBar = false;
    bool HideSelection = true;
    int MaxLength = 0;  // 0: no limit
    Qt::Alignment Alignment = Qt::AlignLeft;
    QChar PasswordChar;  // shown for each character; none: the text shows
    // The formatting rectangle's distances from the client area's sides (EM_SETRECT), if one is set.
    std::optional<QMargins> FormatMargins;
};

class TMemoView : public QWidget {
public:
    TMemoView();
    ~TMemoView() override;

    // Without a host the view shows no text: the text it showed is gone with the host.
    void SetHost(IMemoViewHost* Host);
    void SetOptions(const TMemoViewOptions& Options);

    // The view shows the host's text in place and keeps no copy of it; the host tells it of every change.
    const AnsiString& Text() const { return text_.Bytes(); }
    // A new text from code: caret and view go to the start, the undo is forgotten.
    void SetText(const AnsiString& Text);
    // [Start, End) of the text has just become ValueLength bytes: the user's edit, or a change from code
    // (then the caret and the view stay with the text around them and the undo is forgotten).
    void TextReplaced(std::size_t Start, std::size_t End, std::size_t ValueLength);
    // Selection from code; the caret goes to its end and into view.
    void SetSelection(std::size_t Start, std::size_t Length);
    std::size_t SelStart() const { return std::min(anchor_, caret_); }
    std::size_t SelLength() const { return std::max(anchor_, caret_) - SelStart(); }

    // The lines the view shows, a wrapped line counting once per row it takes: how many there are, where
    // one starts (nothing past the last) and which one holds a text position.
    int DisplayedLineCount();
    std::optional<std::size_t> DisplayedLineStart(int Line);
    int DisplayedLineOf(std::size_t Position);
    // Where the character at Position shows (the top left of its cell) and the position nearest to Point,
    // in the widget's coordinates.
    QPoint PositionPoint(std::size_t Position);
    std::size_t PositionAt(QPoint Point);
    // The text as the user sees it: hidden characters as the password character.
    QString DisplayText() const;

    // Replaces the selection as the user's edit of its own undo step (read-only and MaxLength respected).
    void ReplaceSelection(const AnsiString& Value);
    // One step, as an edit control keeps it: undoing again redoes.
    void Undo();
    bool CanUndo() const { return undo_.Valid; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;

private:
    struct TUndo {
        bool Valid = false;
        std::size_t Start = 0;
        AnsiString Removed;
        std::size_t InsertedLength = 0;
        bool Typing = false;  // consecutive typed characters join one undo step
    };
    // The user's edit while the host makes it: what the view takes on once the text has changed.
    struct TPendingEdit {
        bool Active = false;
        std::size_t Anchor = 0;
        std::size_t Caret = 0;
        TUndo Undo;
    };

    // Geometry
    // The control's frame lies over the contents margins.
    int FrameWidth() const { return contentsMargins().left(); }
    QRect TextArea() const;
    int RowHeight() const;
    int VisibleRows() const;
    void LayOutChildren();
    bool Wraps() const { return options_.WordWrap; }

    // Line layouts, made for the lines in view and kept until the text, font or width changes.
    QTextLayout& Layout(int Line);
    void ForgetLayouts();
    int RowsOf(int Line);
    // The pixel y of a position's row relative to its line's first row, and its x.
    QPointF PositionInLine(std::size_t Position);
    // The text of a line as it shows.
    QString ShownLine(int Line) const;

    // Scrolling
    void UpdateScrollBars();
    int LastTopLine();
    void ScrollToLine(int Line);
    void ScrollBy(int Lines);
    void EnsureCaretVisible();
    void ScrollBarMoved();

    // Caret, selection and editing
    void Select(std::size_t Anchor, std::size_t Caret, bool KeepGoal = false);
    void MoveCaret(std::size_t Position, bool Extend, bool KeepGoal = false);
    std::size_t VerticalMove(int Rows);
    bool HandleCommandChar(char Char);
    bool HandleNavigationKey(QKeyEvent* Event);
    // Replaces the selection with Value as the user's edit; false when refused (read-only, too long).
    bool EditSelection(AnsiString Value, bool Typing);
    void Apply(std::size_t Start, std::size_t End, const AnsiString& Value, bool Typing);
    // Asks the host for the edit; the view takes on Anchor, Caret and Undo once the text changed.
    void RequestEdit(std::size_t Start, std::size_t End, const AnsiString& Value, std::size_t Anchor, std::size_t Caret,
                     TUndo Undo);
    void Backspace();
    void DeleteForward();
    void DeleteRange(std::size_t Start, std::size_t End);
    void Notify();
    bool ShowsSelection() const;

    TMemoViewText text_;
    IMemoViewHost* host_ = nullptr;
    TMemoViewOptions options_;
    QScrollBar* vbar_;
    QScrollBar* hbar_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    qreal goalX_ = -1;
    int topLine_ = 0;
    int xOffset_ = 0;
    int contentWidth_ = 0;
    bool selecting_ = false;
    bool syncingBars_ = false;
    TUndo undo_;
    TPendingEdit pending_;
    std::unordered_map<int, std::unique_ptr<QTextLayout>> layouts_;
};
