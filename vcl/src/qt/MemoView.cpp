// TMemoView: caret, selection, editing, scrolling and painting of the memo's text.

#include "qt/MemoView.h"

#include <cmath>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "qt/QtGraphics.h"
#include "qt/QtText.h"
#include "vcl/Windows.h"

namespace {

constexpr int kMargin = 2;                 // blank pixels left and right of the text, as an edit control leaves
constexpr std::size_t kMaxLayouts = 2048;  // line layouts kept at most (a few pages' worth)
constexpr int kWheelLines = 3;

}  // namespace

TMemoView::TMemoView() : vbar_(new QScrollBar(Qt::Vertical, this)), hbar_(new QScrollBar(Qt::Horizontal, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    for (QScrollBar* bar : {vbar_, hbar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        QObject::connect(bar, &QScrollBar::valueChanged, this, [this](int) { ScrollBarMoved(); });
    }
    setCursor(Qt::IBeamCursor);
}

TMemoView::~TMemoView() = default;

void TMemoView::SetOptions(const TMemoViewOptions& Options) {
    options_ = Options;
    // Probes read the widget's state by the names Qt's own editors use.
    setProperty("readOnly", Options.ReadOnly);
    setProperty("alignment", static_cast<int>(Options.Alignment));
    if (Wraps()) xOffset_ = 0;
    LayOutChildren();
    ForgetLayouts();
    topLine_ = std::min(topLine_, LastTopLine());
    UpdateScrollBars();
    update();
}

// ---------------------------------------------------------------------------
// Text from code

void TMemoView::SetHost(IMemoViewHost* Host) {
    host_ = Host;
    if (!Host) SetText(TMemoViewText::NoText());
}

void TMemoView::SetText(const AnsiString& Text) {
    text_.Show(Text);
    anchor_ = caret_ = 0;
    goalX_ = -1;
    topLine_ = 0;
    xOffset_ = 0;
    contentWidth_ = 0;
    undo_ = {};
    ForgetLayouts();
    UpdateScrollBars();
    update();
}

void TMemoView::TextReplaced(std::size_t Start, std::size_t End, std::size_t ValueLength) {
    text_.Replaced(Start, End, ValueLength);
    ForgetLayouts();
    if (pending_.Active) {
        // The user's edit: the caret goes after it and the undo takes it back.
        pending_.Active = false;
        undo_ = std::move(pending_.Undo);
        anchor_ = text_.Snap(pending_.Anchor);
        caret_ = text_.Snap(pending_.Caret);
        goalX_ = -1;
        EnsureCaretVisible();
        update();
        return;
    }
    auto follow = [&](std::size_t P) {
        if (P <= Start) return P;
        return P >= End ? P - (End - Start) + ValueLength : Start + ValueLength;
    };
    anchor_ = follow(anchor_);
    caret_ = follow(caret_);
    undo_ = {};
    topLine_ = std::min(topLine_, LastTopLine());
    UpdateScrollBars();
    update();
}

void TMemoView::SetSelection(std::size_t Start, std::size_t Length) {
    anchor_ = text_.Snap(Start);
    caret_ = text_.Snap(Start + Length);
    goalX_ = -1;
    EnsureCaretVisible();
    update();
}

// ---------------------------------------------------------------------------
// Geometry and layouts

QRect TMemoView::TextArea() const {
    int frame = FrameWidth();
    QRect r = rect().adjusted(frame, frame, -frame, -frame);
    if (const std::optional<QMargins>& m = options_.FormatMargins)
        r.adjust(m->left(), m->top(), -m->right(), -m->bottom());
    if (options_.VerticalBar) r.setRight(r.right() - GetSystemMetrics(SM_CXVSCROLL));
    if (options_.HorizontalBar) r.setBottom(r.bottom() - GetSystemMetrics(SM_CYHSCROLL));
    return r;
}

int TMemoView::RowHeight() const { return std::max(1, QFontMetrics(font()).height()); }

int TMemoView::VisibleRows() const { return std::max(1, TextArea().height() / RowHeight()); }

void TMemoView::LayOutChildren() {
    QRect area = TextArea();
    vbar_->setVisible(options_.VerticalBar);
    hbar_->setVisible(options_.HorizontalBar);
    vbar_->setGeometry(area.right() + 1, area.top(), GetSystemMetrics(SM_CXVSCROLL), area.height());
    hbar_->setGeometry(area.left(), area.bottom() + 1, area.width(), GetSystemMetrics(SM_CYHSCROLL));
}

void TMemoView::ForgetLayouts() { layouts_.clear(); }

QTextLayout& TMemoView::Layout(int Line) {
    if (auto it = layouts_.find(Line); it != layouts_.end()) return *it->second;
    if (layouts_.size() >= kMaxLayouts) layouts_.clear();
    auto layout = std::make_unique<QTextLayout>(ShownLine(Line), font());
    QFontMetrics metrics(font());
    QTextOption option(options_.Alignment);
    option.setWrapMode(Wraps() ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setTabStopDistance(8 * metrics.averageCharWidth());
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    qreal width = std::max(1, TextArea().width() - 2 * kMargin);
    int rowHeight = RowHeight();
    layout->beginLayout();
    for (int row = 0;; ++row) {
        QTextLine line = layout->createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, row * rowHeight));
    }
    layout->endLayout();
    return *layouts_.emplace(Line, std::move(layout)).first->second;
}

QString TMemoView::ShownLine(int Line) const {
    const std::size_t length = text_.LineLength(Line);
    if (!options_.PasswordChar.isNull()) return QString(static_cast<qsizetype>(length), options_.PasswordChar);
    return ToQString(text_.Bytes().substr(text_.LineStart(Line), length));
}

QString TMemoView::DisplayText() const {
    QString shown;
    for (int line = 0; line < text_.LineCount(); ++line) {
        if (line > 0) shown += QStringLiteral("\r\n");
        shown += ShownLine(line);
    }
    return shown;
}

int TMemoView::RowsOf(int Line) {
    if (!Wraps()) return 1;
    return std::max(1, Layout(Line).lineCount());
}

int TMemoView::DisplayedLineCount() {
    int rows = 0;
    for (int line = 0; line < text_.LineCount(); ++line) rows += RowsOf(line);
    return rows;
}

std::optional<std::size_t> TMemoView::DisplayedLineStart(int Line) {
    if (Line < 0) return std::nullopt;
    for (int line = 0; line < text_.LineCount(); ++line) {
        const int rows = RowsOf(line);
        if (Line < rows) {
            const QTextLine row = Wraps() ? Layout(line).lineAt(Line) : QTextLine();
            return text_.LineStart(line) + static_cast<std::size_t>(row.isValid() ? row.textStart() : 0);
        }
        Line -= rows;
    }
    return std::nullopt;
}

int TMemoView::DisplayedLineOf(std::size_t Position) {
    Position = text_.Snap(Position);
    const int line = text_.LineOf(Position);
    int rows = 0;
    for (int before = 0; before < line; ++before) rows += RowsOf(before);
    if (!Wraps()) return rows;
    const QTextLine row = Layout(line).lineForTextPosition(static_cast<int>(Position - text_.LineStart(line)));
    return rows + (row.isValid() ? row.lineNumber() : 0);
}

QPointF TMemoView::PositionInLine(std::size_t Position) {
    int line = text_.LineOf(Position);
    auto column = static_cast<int>(Position - text_.LineStart(line));
    QTextLayout& layout = Layout(line);
    QTextLine row = layout.lineForTextPosition(column);
    if (!row.isValid()) return {};
    return {row.cursorToX(column), row.y()};
}

QPoint TMemoView::PositionPoint(std::size_t Position) {
    Position = text_.Snap(Position);
    const int line = text_.LineOf(Position);
    int rows = 0;  // the rows from the top line's first to the position's line's first
    for (int l = topLine_; l < line; ++l) rows += RowsOf(l);
    for (int l = line; l < topLine_; ++l) rows -= RowsOf(l);
    const QPointF at = PositionInLine(Position);
    const QRect area = TextArea();
    return {area.left() + kMargin - xOffset_ + static_cast<int>(std::lround(at.x())),
            area.top() + rows * RowHeight() + static_cast<int>(at.y())};
}

std::size_t TMemoView::PositionAt(QPoint Point) {
    QRect area = TextArea();
    int rowHeight = RowHeight();
    int y = Point.y() - area.top();
    int line = topLine_;
    if (y < 0) {
        line = std::max(0, topLine_ - 1 - (-y - 1) / rowHeight);
        y = 0;
    } else {
        while (line + 1 < text_.LineCount() && y >= RowsOf(line) * rowHeight) {
            y -= RowsOf(line) * rowHeight;
            ++line;
        }
    }
    QTextLayout& layout = Layout(line);
    int row = std::clamp(y / rowHeight, 0, std::max(0, layout.lineCount() - 1));
    QTextLine textLine = layout.lineAt(row);
    int column = textLine.isValid() ? textLine.xToCursor(Point.x() - area.left() - kMargin + xOffset_) : 0;
    return text_.Snap(text_.LineStart(line) + static_cast<std::size_t>(std::max(column, 0)));
}

// ---------------------------------------------------------------------------
// Scrolling: the vertical position is the first line in view, the horizontal one a pixel offset.

int TMemoView::LastTopLine() {
    int visible = VisibleRows();
    int count = text_.LineCount();
    if (!Wraps()) return std::max(0, count - visible);
    int rows = 0;
    int line = count - 1;
    for (; line >= 0; --line) {
        rows += RowsOf(line);
        if (rows > visible) break;
    }
    return std::min(count - 1, line + 1);
}

void TMemoView::UpdateScrollBars() {
    syncingBars_ = true;
    int last = LastTopLine();
    vbar_->setRange(0, last);
    vbar_->setPageStep(VisibleRows());
    vbar_->setSingleStep(1);
    vbar_->setValue(topLine_);
    vbar_->setEnabled(last > 0);
    int viewWidth = TextArea().width() - 2 * kMargin;
    if (Wraps()) {
        xOffset_ = 0;
        hbar_->setRange(0, 0);
    } else {
        auto widest = [&](int Line) {
            contentWidth_ = std::max(contentWidth_, static_cast<int>(std::ceil(Layout(Line).maximumWidth())));
        };
        widest(text_.LongestLine());
        int end = std::min(text_.LineCount(), topLine_ + VisibleRows() + 1);
        for (int line = topLine_; line < end; ++line) widest(line);
        int range = std::max(0, contentWidth_ + 1 - viewWidth);
        hbar_->setRange(0, std::max(range, xOffset_));
        hbar_->setPageStep(std::max(1, viewWidth));
        hbar_->setSingleStep(std::max(1, QFontMetrics(font()).averageCharWidth()));
        hbar_->setValue(xOffset_);
    }
    hbar_->setEnabled(hbar_->maximum() > 0);
    syncingBars_ = false;
}

void TMemoView::ScrollBarMoved() {
    if (syncingBars_) return;
    topLine_ = vbar_->value();
    if (!Wraps()) xOffset_ = hbar_->value();
    UpdateScrollBars();
    update();
}

void TMemoView::ScrollToLine(int Line) {
    topLine_ = std::clamp(Line, 0, LastTopLine());
    UpdateScrollBars();
    update();
}

void TMemoView::ScrollBy(int Lines) { ScrollToLine(topLine_ + Lines); }

void TMemoView::EnsureCaretVisible() {
    int line = text_.LineOf(caret_);
    QPointF at = PositionInLine(caret_);
    int rowHeight = RowHeight();
    int visible = VisibleRows();
    int caretRow = static_cast<int>(at.y()) / rowHeight;
    if (line < topLine_) {
        topLine_ = line;
    } else {
        bool shown = false;
        if (line - topLine_ < visible) {
            int rows = caretRow + 1;
            for (int l = topLine_; l < line && rows <= visible; ++l) rows += RowsOf(l);
            shown = rows <= visible;
        }
        if (!shown) {
            // Walk back from the caret's line so it ends on the last full row.
            topLine_ = line;
            int rows = caretRow + 1;
            while (topLine_ > 0 && rows + RowsOf(topLine_ - 1) <= visible) rows += RowsOf(--topLine_);
        }
    }
    if (!Wraps()) {
        int x = static_cast<int>(at.x());
        int viewWidth = std::max(1, TextArea().width() - 2 * kMargin);
        if (x < xOffset_) xOffset_ = std::max(0, x - viewWidth / 4);
        else if (x >= xOffset_ + viewWidth) xOffset_ = x - viewWidth + viewWidth / 4;
    }
    UpdateScrollBars();
}

// ---------------------------------------------------------------------------
// Caret and selection

bool TMemoView::ShowsSelection() const { return hasFocus() || !options_.HideSelection; }

void TMemoView::Notify() {
    if (host_) host_->SelectionMoved();
}

void TMemoView::Select(std::size_t Anchor, std::size_t Caret, bool KeepGoal) {
    std::size_t before = caret_;
    std::size_t anchorBefore = anchor_;
    if (!KeepGoal) goalX_ = -1;
    anchor_ = text_.Snap(Anchor);
    caret_ = text_.Snap(Caret);
    EnsureCaretVisible();
    update();
    if (caret_ != before || anchor_ != anchorBefore) Notify();
}

void TMemoView::MoveCaret(std::size_t Position, bool Extend, bool KeepGoal) {
    Select(Extend ? anchor_ : Position, Position, KeepGoal);
}

// The position Rows rows away (visual rows when wrapping), at the column the caret keeps aiming at.
std::size_t TMemoView::VerticalMove(int Rows) {
    int line = text_.LineOf(caret_);
    QPointF at = PositionInLine(caret_);
    if (goalX_ < 0) goalX_ = at.x();
    int row = static_cast<int>(at.y()) / RowHeight();
    // Past the first or last row the caret stays on it, at its column.
    for (; Rows > 0; --Rows) {
        if (row + 1 < RowsOf(line)) ++row;
        else if (line + 1 < text_.LineCount()) ++line, row = 0;
        else break;
    }
    for (; Rows < 0; ++Rows) {
        if (row > 0) --row;
        else if (line > 0) --line, row = RowsOf(line) - 1;
        else break;
    }
    QTextLine textLine = Layout(line).lineAt(row);
    int column = textLine.isValid() ? textLine.xToCursor(goalX_) : 0;
    // A wrapped row's end is the next row's start: stay on this row.
    if (textLine.isValid() && row + 1 < RowsOf(line) && column >= textLine.textStart() + textLine.textLength())
        column = textLine.textStart() + textLine.textLength() - 1;
    return text_.LineStart(line) + static_cast<std::size_t>(std::max(column, 0));
}

bool TMemoView::HandleNavigationKey(QKeyEvent* Event) {
    bool shift = Event->modifiers() & Qt::ShiftModifier;
    bool ctrl = Event->modifiers() & Qt::ControlModifier;
    const AnsiString& bytes = text_.Bytes();
    switch (Event->key()) {
        case Qt::Key_Left:
            if (!shift && !ctrl && SelLength() > 0) MoveCaret(SelStart(), false);
            else if (ctrl) MoveCaret(text_.PreviousWordStart(caret_), shift);
            else MoveCaret(caret_ == 0 ? 0 : text_.Snap(caret_ - 1), shift);
            return true;
        case Qt::Key_Right:
            if (!shift && !ctrl && SelLength() > 0) MoveCaret(SelStart() + SelLength(), false);
            else if (ctrl) MoveCaret(text_.NextWordStart(caret_), shift);
            else if (caret_ + 1 < bytes.size() && bytes[caret_] == '\r' && bytes[caret_ + 1] == '\n')
                MoveCaret(caret_ + 2, shift);
            else MoveCaret(std::min(caret_ + 1, bytes.size()), shift);
            return true;
        case Qt::Key_Up: MoveCaret(VerticalMove(-1), shift, true); return true;
        case Qt::Key_Down: MoveCaret(VerticalMove(1), shift, true); return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            int page = Event->key() == Qt::Key_PageUp ? -VisibleRows() : VisibleRows();
            std::size_t target = VerticalMove(page);
            topLine_ = std::clamp(topLine_ + page, 0, LastTopLine());
            MoveCaret(target, shift, true);
            return true;
        }
        case Qt::Key_Home:
        case Qt::Key_End: {
            bool home = Event->key() == Qt::Key_Home;
            if (ctrl) {
                MoveCaret(home ? 0 : bytes.size(), shift);
                return true;
            }
            int line = text_.LineOf(caret_);
            std::size_t start = text_.LineStart(line);
            std::size_t end = text_.LineEnd(line);
            if (Wraps()) {
                QTextLine row = Layout(line).lineForTextPosition(static_cast<int>(caret_ - start));
                if (row.isValid()) {
                    end = std::min(end, start + static_cast<std::size_t>(row.textStart() + row.textLength()));
                    start += static_cast<std::size_t>(row.textStart());
                }
            }
            MoveCaret(home ? start : end, shift);
            return true;
        }
        case Qt::Key_Delete: DeleteForward(); return true;
        default: return false;
    }
}

// ---------------------------------------------------------------------------
// Editing

bool TMemoView::EditSelection(AnsiString Value, bool Typing) {
    if (options_.ReadOnly) return false;
    if (options_.MaxLength > 0) {
        auto kept = static_cast<long long>(text_.Size() - SelLength());
        auto room = static_cast<std::size_t>(std::max(0LL, options_.MaxLength - kept));
        if (Value.size() > room) {
            Value.resize(room);
            if (!Value.empty() && Value.back() == '\r') Value.pop_back();
            if (Value.empty()) return false;
        }
    }
    Apply(SelStart(), SelStart() + SelLength(), Value, Typing);
    return true;
}

void TMemoView::Apply(std::size_t Start, std::size_t End, const AnsiString& Value, bool Typing) {
    if (Start == End && Value.empty()) return;
    bool joins = Typing && undo_.Valid && undo_.Typing && Start == End && Start == undo_.Start + undo_.InsertedLength;
    TUndo undo = undo_;
    if (joins) undo.InsertedLength += Value.size();
    else undo = {true, Start, text_.Bytes().substr(Start, End - Start), Value.size(), Typing};
    RequestEdit(Start, End, Value, Start + Value.size(), Start + Value.size(), std::move(undo));
}

void TMemoView::RequestEdit(std::size_t Start, std::size_t End, const AnsiString& Value, std::size_t Anchor,
                            std::size_t Caret, TUndo Undo) {
    if (!host_) return;
    pending_ = {true, Anchor, Caret, std::move(Undo)};
    const std::size_t selStart = std::min(Anchor, Caret);
    host_->EditRequested(Start, End, Value, selStart, std::max(Anchor, Caret) - selStart);
    // The host left the text as it was: the caret moves all the same.
    if (pending_.Active) {
        pending_.Active = false;
        Select(Anchor, Caret);
    }
}

void TMemoView::DeleteRange(std::size_t Start, std::size_t End) {
    if (options_.ReadOnly || Start >= End) return;
    Apply(Start, End, {}, false);
}

void TMemoView::Backspace() {
    if (SelLength() > 0) return DeleteRange(SelStart(), SelStart() + SelLength());
    if (caret_ == 0) return;
    DeleteRange(text_.Snap(caret_ - 1), caret_);
}

void TMemoView::DeleteForward() {
    if (SelLength() > 0) return DeleteRange(SelStart(), SelStart() + SelLength());
    const AnsiString& bytes = text_.Bytes();
    if (caret_ >= bytes.size()) return;
    bool lineBreak = bytes[caret_] == '\r' && caret_ + 1 < bytes.size() && bytes[caret_ + 1] == '\n';
    DeleteRange(caret_, caret_ + (lineBreak ? 2 : 1));
}

void TMemoView::ReplaceSelection(const AnsiString& Value) { EditSelection(Value, false); }

void TMemoView::Undo() {
    if (options_.ReadOnly || !undo_.Valid) return;
    const TUndo step = undo_;
    AnsiString inserted = text_.Bytes().substr(step.Start, step.InsertedLength);
    RequestEdit(step.Start, step.Start + step.InsertedLength, step.Removed, step.Start,
                step.Start + step.Removed.size(), {true, step.Start, std::move(inserted), step.Removed.size(), false});
}

// Control characters as an edit control takes them at WM_CHAR (the control has made its clipboard and
// undo keys messages already); false for a character to type.
bool TMemoView::HandleCommandChar(char Char) {
    switch (Char) {
        case 8: Backspace(); return true;
        case '\t': EditSelection("\t", true); return true;
        case '\r':
        case '\n': EditSelection("\r\n", true); return true;
        default: return static_cast<unsigned char>(Char) < 32 || Char == 127;
    }
}

void TMemoView::keyPressEvent(QKeyEvent* Event) {
    if (Event->modifiers() & Qt::AltModifier) {
        if (Event->key() == Qt::Key_Backspace) Undo();
        return;
    }
    if (HandleNavigationKey(Event)) return;
    AnsiString typed = FromQString(Event->text());
    if (typed.size() != 1) return;
    if (!HandleCommandChar(typed[0])) EditSelection(typed, true);
}

// ---------------------------------------------------------------------------
// Mouse

void TMemoView::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    if (host_) host_->FocusWanted();
    selecting_ = true;
    MoveCaret(PositionAt(Event->position().toPoint()), Event->modifiers() & Qt::ShiftModifier);
}

void TMemoView::mouseMoveEvent(QMouseEvent* Event) {
    if (selecting_ && (Event->buttons() & Qt::LeftButton)) MoveCaret(PositionAt(Event->position().toPoint()), true);
}

void TMemoView::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton) selecting_ = false;
}

void TMemoView::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    std::size_t start = 0;
    std::size_t end = 0;
    text_.WordAround(PositionAt(Event->position().toPoint()), start, end);
    Select(start, end);
}

void TMemoView::wheelEvent(QWheelEvent* Event) {
    QPoint delta = Event->angleDelta();
    if (delta.y() != 0) ScrollBy(-delta.y() * kWheelLines / 120);
    if (delta.x() != 0 && !Wraps()) {
        xOffset_ = std::clamp(xOffset_ - delta.x(), 0, hbar_->maximum());
        UpdateScrollBars();
        update();
    }
}

// ---------------------------------------------------------------------------
// Painting: the background in the control's colour, the lines in view, caret, selection and frame.

void TMemoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    QRect area = TextArea();
    QColor text = isEnabled() ? palette().color(QPalette::Text) : ToQColor(clGrayText);
    QTextCharFormat selected;
    selected.setBackground(ToQColor(clHighlight));
    selected.setForeground(ToQColor(clHighlightText));
    bool showSelection = ShowsSelection() && SelLength() > 0;
    bool showCaret = hasFocus() && isEnabled();
    int rowHeight = RowHeight();
    painter.save();
    painter.setClipRect(area);
    painter.setPen(text);
    qreal x = area.left() + kMargin - xOffset_;
    int y = area.top();
    for (int line = topLine_; line < text_.LineCount() && y <= area.bottom(); ++line) {
        std::size_t start = text_.LineStart(line);
        std::size_t end = text_.LineEnd(line);
        QList<QTextLayout::FormatRange> selections;
        std::size_t from = std::max(SelStart(), start);
        std::size_t to = std::min(SelStart() + SelLength(), end);
        if (showSelection && from < to)
            selections.append({static_cast<int>(from - start), static_cast<int>(to - from), selected});
        QTextLayout& layout = Layout(line);
        layout.draw(&painter, QPointF(x, y), selections);
        if (showCaret && caret_ >= start && caret_ <= end)
            layout.drawCursor(&painter, QPointF(x, y), static_cast<int>(caret_ - start), 1);
        y += RowsOf(line) * rowHeight;
    }
    painter.restore();
    if (options_.VerticalBar && options_.HorizontalBar)
        painter.fillRect(QRect(area.right() + 1, area.bottom() + 1, vbar_->width(), hbar_->height()),
                         ToQColor(clBtnFace));
}

void TMemoView::resizeEvent(QResizeEvent*) {
    LayOutChildren();
    ForgetLayouts();
    topLine_ = std::min(topLine_, LastTopLine());
    UpdateScrollBars();
}

void TMemoView::changeEvent(QEvent* Event) {
    if (Event->type() == QEvent::ContentsRectChange) {
        LayOutChildren();
        ForgetLayouts();
        topLine_ = std::min(topLine_, LastTopLine());
        UpdateScrollBars();
    }
    if (Event->type() == QEvent::FontChange) {
        ForgetLayouts();
        contentWidth_ = 0;
        topLine_ = std::min(topLine_, LastTopLine());
        UpdateScrollBars();
    }
    update();
    QWidget::changeEvent(Event);
}

void TMemoView::focusInEvent(QFocusEvent* Event) {
    update();
    QWidget::focusInEvent(Event);
}

void TMemoView::focusOutEvent(QFocusEvent* Event) {
    selecting_ = false;
    update();
    QWidget::focusOutEvent(Event);
}
