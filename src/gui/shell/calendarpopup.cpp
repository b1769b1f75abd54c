#include "gui/shell/calendarpopup.h"

#include "core/common/dates.h"

#include <QLineEdit>
#include <QPushButton>

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

void CalendarPopup::attachRange(QLineEdit* from, QPushButton* fromButton, QLineEdit* to, QPushButton* toButton)
{
    m_from = from;
    m_to = to;
    connect(this, &QCalendarWidget::activated, this,
        [this](const QDate& date) { m_pickingFrom ? pickFrom(date) : pickTo(date); });
    auto open = [this](QPushButton* button, bool pickingFrom) {
        m_pickingFrom = pickingFrom;
        QLineEdit* field = pickingFrom ? m_from : m_to;
        showBelow(button, field ? dateFromText(field->text()) : QDate());
    };
    connect(fromButton, &QPushButton::clicked, this, [open, fromButton] { open(fromButton, true); });
    connect(toButton, &QPushButton::clicked, this, [open, toButton] { open(toButton, false); });
}

void CalendarPopup::pickFrom(const QDate& date)
{
    if (m_from)
        m_from->setText(dateText(date));
    pickTo(date);
}

void CalendarPopup::pickTo(const QDate& date)
{
    if (m_to)
        m_to->setText(dateText(date));
}

} // namespace korvessa
