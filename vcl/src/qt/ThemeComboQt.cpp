// The themed drop-down button of a combo box: the style's button bevel with its down arrow.
#include <QApplication>
#include <QStyle>
#include <QStyleOption>

#include "Controls/Internal.h"
#include "UxTheme/ThemeDrawing.h"
#include "qt/GdiPaint.h"

bool DrawDropDownButtonBackground(HDC DC, int State, const RECT& Rect, const RECT* Clip) {
    AppLoop::EnsureApplication();  // the style belongs to the application object
    TDcPaint dc(DC);
    if (!dc.Ok()) return false;
    dc.Record([&] { return ThemeRecord("combobox", CP_DROPDOWNBUTTON, State, Rect); });
    if (!dc.Drawable() || Rect.IsEmpty()) return true;
    QPainter& p = dc.Painter();
    p.save();  // the style may change any of the held painter's settings
    if (Clip) p.setClipRect(QRect(Clip->Left, Clip->Top, Clip->Width(), Clip->Height()), Qt::IntersectClip);
    QStyleOptionButton bevel;
    bevel.rect = QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    bevel.state = QStyle::State_Enabled;
    if (State == CBXS_HOT) bevel.state |= QStyle::State_MouseOver | QStyle::State_Raised;
    else if (State == CBXS_PRESSED) bevel.state |= QStyle::State_Sunken;
    else bevel.state |= QStyle::State_Raised;
    QApplication::style()->drawControl(QStyle::CE_PushButtonBevel, &bevel, &p);
    QStyleOption arrow;
    arrow.rect = bevel.rect.adjusted(3, 3, -3, -3);
    arrow.state = QStyle::State_Enabled;
    arrow.palette.setColor(QPalette::ButtonText, Qt::black);
    arrow.palette.setColor(QPalette::WindowText, Qt::black);
    if (State == CBXS_PRESSED) arrow.rect.translate(1, 1);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &p);
    p.restore();
    dc.Dirty(Clip ? TRect{std::max(Rect.Left, Clip->Left), std::max(Rect.Top, Clip->Top),
                          std::min(Rect.Right, Clip->Right), std::min(Rect.Bottom, Clip->Bottom)}
                  : Rect);
    return true;
}
