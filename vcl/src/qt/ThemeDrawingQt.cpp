// The themed push button, radio button, check box, header item, progress bar and spin buttons, drawn by the
// application's widget style on the device context's surface.
#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionHeader>
#include <QStyleOptionProgressBar>

#include "Controls/Internal.h"
#include "UxTheme/ThemeDrawing.h"
#include "qt/GdiPaint.h"

std::string ThemeRecord(const char* Class, int Part, int State, const RECT& Rect) {
    return std::string("DrawThemeBackground ") + Class + " " + std::to_string(Part) + " " + std::to_string(State) +
           " " + RectText(Rect);
}

namespace {

// Draws with the style on the DC, clipped to Clip when given; false for an unknown DC.
template <typename Draw>
bool DrawStyled(HDC DC, const std::string& Record, const RECT& Rect, const RECT* Clip, Draw&& Styled) {
    AppLoop::EnsureApplication();  // the style belongs to the application object
    TDcPaint dc(DC);
    if (!dc.Ok()) return false;
    dc.Record([&] { return Record; });
    if (!dc.Drawable() || Rect.IsEmpty()) return true;
    QPainter& p = dc.Painter();
    p.save();  // the style may change any of the held painter's settings
    if (Clip) p.setClipRect(QRect(Clip->Left, Clip->Top, Clip->Width(), Clip->Height()), Qt::IntersectClip);
    Styled(p, QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()));
    p.restore();
    dc.Dirty(Clip ? TRect{std::max(Rect.Left, Clip->Left), std::max(Rect.Top, Clip->Top),
                          std::min(Rect.Right, Clip->Right), std::min(Rect.Bottom, Clip->Bottom)}
                  : Rect);
    return true;
}

}  // namespace

bool DrawPushButtonBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip) {
    return DrawStyled(DC, ThemeRecord("button", BP_PUSHBUTTON, State, Rect), Rect, Clip,
                      [State](QPainter& p, const QRect& r) {
                          QStyleOptionButton option;
                          option.rect = r;
                          option.state = QStyle::State_Enabled;
                          if (State == PBS_HOT) option.state |= QStyle::State_MouseOver | QStyle::State_Raised;
                          else if (State == PBS_PRESSED) option.state |= QStyle::State_Sunken;
                          else option.state |= QStyle::State_Raised;
                          QApplication::style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p);
                      });
}

bool DrawCheckBackground(HDC DC, int Part, int State, const RECT& Rect, const RECT* Clip) {
    return DrawStyled(
        DC, ThemeRecord("button", Part, State, Rect), Rect, Clip, [Part, State](QPainter& p, const QRect& r) {
            QStyleOptionButton option;
            option.rect = r;
            const bool checked = State == RBS_CHECKEDNORMAL || State == RBS_CHECKEDDISABLED;
            const bool disabled = State == RBS_UNCHECKEDDISABLED || State == RBS_CHECKEDDISABLED;
            option.state = (checked ? QStyle::State_On : QStyle::State_Off);
            if (!disabled) option.state |= QStyle::State_Enabled;
            // A disabled box keeps a grey face and a grey mark whatever the style's disabled palette.
            option.palette.setColor(QPalette::Base, disabled ? QColor(0xF0, 0xF0, 0xF0) : QColor(Qt::white));
            option.palette.setColor(QPalette::Text, disabled ? QColor(0xA0, 0xA0, 0xA0) : QColor(Qt::black));
            option.palette.setColor(QPalette::WindowText, disabled ? QColor(0xA0, 0xA0, 0xA0) : QColor(Qt::black));
            for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Text, QPalette::WindowText})
                option.palette.setColor(QPalette::Disabled, role, option.palette.color(QPalette::Active, role));
            const auto element =
                Part == BP_RADIOBUTTON ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox;
            QApplication::style()->drawPrimitive(element, &option, &p);
        });
}

bool DrawHeaderItemBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip) {
    return DrawStyled(DC, ThemeRecord("header", HP_HEADERITEM, State, Rect), Rect, Clip,
                      [State](QPainter& p, const QRect& r) {
                          p.setClipRect(r, Qt::IntersectClip);
                          QStyleOptionHeader option;
                          option.rect = r;
                          option.state = QStyle::State_Enabled | QStyle::State_Horizontal;
                          // The face lightens under the mouse and darkens while pressed, whatever the style
                          // makes of the states.
                          QColor face(0xEB, 0xEA, 0xDB);
                          if (State == HIS_HOT) {
                              option.state |= QStyle::State_MouseOver | QStyle::State_Raised;
                              face = QColor(0xFA, 0xF9, 0xF4);
                          } else if (State == HIS_PRESSED) {
                              option.state |= QStyle::State_Sunken;
                              face = QColor(0xDE, 0xDF, 0xD8);
                          } else {
                              option.state |= QStyle::State_Raised;
                          }
                          option.palette.setColor(QPalette::Button, face);
                          option.palette.setColor(QPalette::Window, face);
                          QApplication::style()->drawControl(QStyle::CE_HeaderSection, &option, &p);
                      });
}

bool DrawProgressBackground(HDC DC, int Part, int State, const RECT& Rect, const RECT* Clip) {
    return DrawStyled(DC, ThemeRecord("Progress", Part, State, Rect), Rect, Clip, [Part](QPainter& p, const QRect& r) {
        QStyleOptionProgressBar option;
        option.rect = r;
        option.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        option.minimum = 0;
        option.maximum = 100;
        // The chunk is the filled part alone: the caller sizes Rect to the share.
        option.progress = Part == PP_CHUNK ? 100 : 0;
        option.palette.setColor(QPalette::Highlight, QColor(0x25, 0xB0, 0x06));
        p.setClipRect(r, Qt::IntersectClip);  // the style's groove frame reaches a pixel out
        QApplication::style()->drawControl(
            Part == PP_CHUNK ? QStyle::CE_ProgressBarContents : QStyle::CE_ProgressBarGroove, &option, &p);
    });
}

bool DrawSpinButtonBackground(HDC DC, int Part, int State, const RECT& Rect, const RECT* Clip) {
    return DrawStyled(DC, ThemeRecord("spin", Part, State, Rect), Rect, Clip,
                      [Part, State](QPainter& p, const QRect& r) {
                          p.setClipRect(r, Qt::IntersectClip);
                          QStyleOptionButton bevel;
                          bevel.rect = r;
                          bevel.state = QStyle::State_Enabled;
                          // A blue face that lightens under the mouse and darkens while pressed, whatever the style
                          // makes of the states.
                          QColor face(0xC6, 0xD3, 0xF7);
                          if (State == UPS_HOT) {
                              bevel.state |= QStyle::State_MouseOver | QStyle::State_Raised;
                              face = QColor(0xDD, 0xE6, 0xFC);
                          } else if (State == UPS_PRESSED) {
                              bevel.state |= QStyle::State_Sunken;
                              face = QColor(0x98, 0xB1, 0xEE);
                          } else {
                              bevel.state |= QStyle::State_Raised;
                          }
                          bevel.palette.setColor(QPalette::Button, face);
                          bevel.palette.setColor(QPalette::Window, face);
                          QApplication::style()->drawControl(QStyle::CE_PushButtonBevel, &bevel, &p);
                          QStyleOption arrow;
                          arrow.rect = r.adjusted(2, 2, -2, -2);
                          arrow.state = QStyle::State_Enabled;
                          arrow.palette.setColor(QPalette::ButtonText, QColor(0x4D, 0x61, 0x85));
                          arrow.palette.setColor(QPalette::WindowText, QColor(0x4D, 0x61, 0x85));
                          if (State == UPS_PRESSED) arrow.rect.translate(1, 1);
                          static const QStyle::PrimitiveElement arrows[] = {
                              QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                              QStyle::PE_IndicatorArrowRight, QStyle::PE_IndicatorArrowLeft};
                          QApplication::style()->drawPrimitive(arrows[Part - SPNP_UP], &arrow, &p);
                      });
}
