#pragma once

#include <QCalendarWidget>
#include <QGuiApplication>

namespace korvessa {

// The month calendar the "日曆" buttons open (MonthCalendar1): a popup shown
// under its button, hidden again when a day is picked (double click or
// Enter, the `activated` signal) or when the user clicks elsewhere.
class CalendarPopup : public QCalendarWidget {
    Q_OBJECT
public:
    explicit CalendarPopup(QWidget* parent);

    // Shows the month of `shown` (today when it is not a date) under `anchor`.
    void showBelow(QWidget* anchor, const QDate& shown);
};

// The wait cursor for as long as the object lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace korvessa
