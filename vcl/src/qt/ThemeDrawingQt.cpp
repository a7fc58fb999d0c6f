// The themed push button, radio button and check box, drawn by the application's widget style on the
// device context's surface.
#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>

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
            option.state = QStyle::State_Enabled | (State == RBS_CHECKEDNORMAL ? QStyle::State_On : QStyle::State_Off);
            option.palette.setColor(QPalette::Base, Qt::white);
            option.palette.setColor(QPalette::Text, Qt::black);
            option.palette.setColor(QPalette::WindowText, Qt::black);
            const auto element =
                Part == BP_RADIOBUTTON ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox;
            QApplication::style()->drawPrimitive(element, &option, &p);
        });
}
