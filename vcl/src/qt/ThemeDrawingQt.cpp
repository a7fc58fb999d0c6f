// The themed push button, drawn by the application's widget style on the device context's surface.
#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>

#include "Controls/Internal.h"
#include "UxTheme/ThemeDrawing.h"
#include "qt/GdiPaint.h"

bool DrawPushButtonBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip) {
    AppLoop::EnsureApplication();  // the style belongs to the application object
    TDcPaint dc(DC);
    if (!dc.Ok()) return false;
    dc.Record([&] { return "DrawThemeBackground " + RectText(Rect) + " " + std::to_string(State); });
    if (!dc.Drawable() || Rect.IsEmpty()) return true;
    QPainter& p = dc.Painter();
    p.save();  // the style may change any of the held painter's settings
    if (Clip) p.setClipRect(QRect(Clip->Left, Clip->Top, Clip->Width(), Clip->Height()), Qt::IntersectClip);
    QStyleOptionButton option;
    option.rect = QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    option.state = QStyle::State_Enabled;
    if (State == PBS_HOT) option.state |= QStyle::State_MouseOver | QStyle::State_Raised;
    else if (State == PBS_PRESSED) option.state |= QStyle::State_Sunken;
    else option.state |= QStyle::State_Raised;
    QApplication::style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p);
    p.restore();
    dc.Dirty(Clip ? TRect{std::max(Rect.Left, Clip->Left), std::max(Rect.Top, Clip->Top),
                          std::min(Rect.Right, Clip->Right), std::min(Rect.Bottom, Clip->Bottom)}
                  : Rect);
    return true;
}
