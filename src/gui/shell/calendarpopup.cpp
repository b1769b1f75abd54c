#include "gui/shell/calendarpopup.h"

namespace korvessa {

using namespace Qt::StringLiterals;

CalendarPopup::CalendarPopup(QWidget* parent)
    : QCalendarWidget(parent)
{
    setObjectName(u"MonthCalendar1"_s);
    setWindowFlags(Qt::Popup);
    setSelectedDate(QDate::currentDate());
    hide();
    connect(this, &QCalendarWidget::activated, this, &QWidget::hide);
}

void CalendarPopup::showBelow(QWidget* anchor, const QDate& shown)
{
    setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    adjustSize();
    if (anchor)
        move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    show();
    setFocus(Qt::PopupFocusReason);
}

} // namespace korvessa
