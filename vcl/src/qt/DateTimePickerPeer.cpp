// The date/time picker's peer: a QDateTimeEdit showing the control's value in its format, with the
// control's check box drawn at its left. The user's edits come back once each; the calendar's showing and
// hiding come back as the picker's notifications.
#include <algorithm>
#include <cstring>
#include <functional>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include "ComCtrls/Access.h"
#include "qt/Peer.h"
#include "qt/QtGraphics.h"
#include "qt/QtText.h"
#include "vcl/ComCtrls.h"
#include "vcl/SysUtils.h"

namespace {

// The picker's codes and the field's: the same letters but for the AM/PM marker, which the field shows
// only whole. Within a letter the longer code comes first.
struct TCodeMap {
    const char* Picker;
    const char* Field;
};
constexpr TCodeMap Codes[] = {
    {"dddd", "dddd"}, {"ddd", "ddd"},   {"dd", "dd"}, {"d", "d"},   {"MMMM", "MMMM"}, {"MMM", "MMM"}, {"MM", "MM"},
    {"M", "M"},       {"yyyy", "yyyy"}, {"yy", "yy"}, {"hh", "hh"}, {"h", "h"},       {"HH", "HH"},   {"H", "H"},
    {"mm", "mm"},     {"m", "m"},       {"ss", "ss"}, {"s", "s"},   {"tt", "AP"},     {"t", "AP"},
};

const TCodeMap* CodeAt(const AnsiString& Picture, std::size_t At) {
    for (const TCodeMap& code : Codes)
        if (Picture.compare(At, std::strlen(code.Picker), code.Picker) == 0) return &code;
    return nullptr;
}

// Text the field shows as it stands: quoted whole, a quote in it doubled (the field reads quoted letters
// one by one as quote pairs).
void AddLiteral(AnsiString& Field, const AnsiString& Text) {
    if (Text.empty()) return;
    Field += '\'';
    for (char c : Text) {
        if (c == '\'') Field += '\'';
        Field += c;
    }
    Field += '\'';
}

// Picker codes to the field's display format; anything else shows literally ('text' quoted, '' a quote).
QString FieldFormat(const AnsiString& Picture) {
    AnsiString field;
    AnsiString literal;
    std::size_t i = 0;
    while (i < Picture.size()) {
        if (Picture[i] == '\'') {
            ++i;
            if (i < Picture.size() && Picture[i] == '\'') {
                literal += Picture[i++];
                continue;
            }
            for (; i < Picture.size(); ++i) {
                if (Picture[i] != '\'') literal += Picture[i];
                else if (i + 1 < Picture.size() && Picture[i + 1] == '\'') literal += Picture[++i];
                else break;
            }
            ++i;
            continue;
        }
        if (const TCodeMap* code = CodeAt(Picture, i)) {
            AddLiteral(field, literal);
            literal.clear();
            field += code->Field;
            i += std::strlen(code->Picker);
            continue;
        }
        literal += Picture[i++];
    }
    AddLiteral(field, literal);
    return ToQString(field);
}

// The stand-in's locale, never the system's.
QLocale PickerLocale() { return QLocale(QLocale::English, QLocale::UnitedStates); }

QDateTime ToField(TDateTime Value) {
    Word year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(Value, year, month, day);
    DecodeTime(Value, hour, minute, second, msec);
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec), Qt::UTC);
}

// The date-time field with a check box at its left: the edit part starts right of the box.
class TPickerField : public QDateTimeEdit {
public:
    QRect Box;  // empty: no check box
    bool BoxChecked = true;

    QLineEdit* Edit() const { return lineEdit(); }

    // Lays the edit part out again as a resize does, and keeps it inside the frame and off the box.
    void Place() {
        QResizeEvent event(size(), size());
        QDateTimeEdit::resizeEvent(&event);
        KeepEditInside();
    }

    // Where a press drops the calendar.
    QPoint ArrowCentre() const {
        QStyleOptionComboBox option;
        option.initFrom(this);
        option.editable = true;
        option.subControls = QStyle::SC_All;
        return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    }

protected:
    void resizeEvent(QResizeEvent* Event) override {
        QDateTimeEdit::resizeEvent(Event);
        KeepEditInside();
    }
    void showEvent(QShowEvent* Event) override {
        QDateTimeEdit::showEvent(Event);
        KeepEditInside();
    }
    void paintEvent(QPaintEvent* Event) override {
        QDateTimeEdit::paintEvent(Event);
        if (Box.isEmpty()) return;
        QPainter painter(this);
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = Box;
        option.state |= BoxChecked ? QStyle::State_On : QStyle::State_Off;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    }

private:
    void KeepEditInside() {
        QRect r = lineEdit()->geometry().intersected(contentsRect());
        if (!Box.isEmpty()) r.setLeft(std::max(r.left(), Box.right() + 3));
        lineEdit()->setGeometry(r);
    }
};

// Tells of the calendar's pop-up window showing and hiding.
class TPopupWatcher : public QObject {
public:
    std::function<void(bool)> OnShown;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (OnShown && (Event->type() == QEvent::Show || Event->type() == QEvent::Hide))
            OnShown(Event->type() == QEvent::Show);
        return QObject::eventFilter(Watched, Event);
    }
};

class TDateTimePickerPeer : public TQtPeer, public TPickerPeer {
public:
    explicit TDateTimePickerPeer(TDateTimePicker* Picker) : TQtPeer(Picker, new TPeerWidget<TPickerField>) {
        field()->setFrame(false);
        field()->setLocale(PickerLocale());
        field()->setTimeSpec(Qt::UTC);
        field()->setDateTimeRange(QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC),
                                  QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC));
        QObject::connect(field(), &QDateTimeEdit::dateTimeChanged, &context_, [this](const QDateTime& Value) {
            if (!control()) return;
            Guarded([&] {
                const QDate d = Value.date();
                const QTime t = Value.time();
                const TDateTime day =
                    EncodeDate(static_cast<Word>(d.year()), static_cast<Word>(d.month()), static_cast<Word>(d.day()));
                const TDateTime time = EncodeTime(static_cast<Word>(t.hour()), static_cast<Word>(t.minute()),
                                                  static_cast<Word>(t.second()), static_cast<Word>(t.msec()));
                TComCtrlsAccess::DateTimeFromPeer(*control(), day, time);
            });
        });
        watcher_.OnShown = [this](bool Shown) { CalendarShown(Shown); };
    }

    void Mirror() override {
        TDateTimePicker* c = control();
        if (!c) return;
        QSignalBlocker block(field());
        const bool calendar = c->Kind() == dtkDate && c->DateMode() == dmComboBox;
        if (field()->calendarPopup() != calendar) field()->setCalendarPopup(calendar);
        const QString format = FieldFormat(TComCtrlsAccess::ShownFormat(*c));
        // Set once at least: a field without a format of its own takes the system locale's on focus.
        if (!formatSet_ || field()->displayFormat() != format) field()->setDisplayFormat(format);
        formatSet_ = true;
        field()->setDateTime(ToField(TComCtrlsAccess::DateTime(*c)));
        // Unchecked, the picker holds no value: it shows the last one greyed and takes no edits.
        const bool noValue = c->ShowCheckbox() && !c->Checked();
        field()->setReadOnly(noValue);
        QPalette palette;
        if (noValue) palette.setColor(QPalette::Text, ToQColor(clGrayText));
        field()->Edit()->setPalette(palette);
        const TRect box = TComCtrlsAccess::CheckBoxRect(*c);
        const QMargins inset = field()->contentsMargins();
        field()->Box = c->ShowCheckbox()
                           ? QRect(box.Left + inset.left(), box.Top + inset.top(), box.Width(), box.Height())
                           : QRect();
        field()->BoxChecked = c->Checked();
        field()->Place();
        if (calendar) WatchCalendar();
        field()->update();
    }

    void DropDown() override {
        if (!field()->calendarPopup() || field()->isReadOnly() || open_) return;
        // The field drops its calendar for a press on its arrow only.
        const QPoint at = field()->ArrowCentre();
        QMouseEvent press(QEvent::MouseButtonPress, at, field()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        static_cast<TPeerWidget<TPickerField>*>(field())->BaseEvent(&press);
    }

    // A hidden or disabled picker takes its calendar away with it.
    void SetVisible(bool Visible) override {
        if (!Visible) CloseCalendar();
        TQtPeer::SetVisible(Visible);
    }
    void SetEnabled(bool Enabled) override {
        if (!Enabled) CloseCalendar();
        TQtPeer::SetEnabled(Enabled);
    }

    // Left and Right go from field to field, as the picker's do, not from character to character.
    bool DefaultHandler(TMessage& Message) override {
        if (Message.Msg != WM_KEYDOWN || (Message.WParam != VK_LEFT && Message.WParam != VK_RIGHT))
            return TQtPeer::DefaultHandler(Message);
        const int step = Message.WParam == VK_RIGHT ? 1 : -1;
        const int index =
            std::clamp(field()->currentSectionIndex() + step, 0, std::max(field()->sectionCount() - 1, 0));
        field()->setCurrentSectionIndex(index);
        field()->setSelectedSection(field()->currentSection());
        return true;
    }

    void SetClientInsets(const TRect& Insets) override {
        TQtPeer::SetClientInsets(Insets);
        Mirror();
    }

protected:
    LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
    TPickerField* field() const { return static_cast<TPickerField*>(Widget()); }
    TDateTimePicker* control() const { return static_cast<TDateTimePicker*>(Control()); }

    void WatchCalendar() {
        QCalendarWidget* calendar = field()->calendarWidget();
        if (!calendar || calendar->window() == watched_) return;
        calendar->setLocale(PickerLocale());
        watched_ = calendar->window();
        watched_->installEventFilter(&watcher_);
    }

    void CloseCalendar() {
        if (open_ && watched_) watched_->close();
    }

    void CalendarShown(bool Shown) {
        if (!control() || open_ == Shown) return;
        open_ = Shown;
        NMHDR header{control()->Handle(), 0, Shown ? DTN_DROPDOWN : DTN_CLOSEUP};
        Send(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }

    QObject context_;        // the widget outlives the peer: its connections end with this
    TPopupWatcher watcher_;  // and so does the calendar's watch
    QPointer<QWidget> watched_;
    bool open_ = false;
    bool formatSet_ = false;
};

}  // namespace

TControlPeer* TDateTimePicker::CreatePeer() { return new TDateTimePickerPeer(this); }
