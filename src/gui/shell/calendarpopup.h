#pragma once

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QPointer>

class QLineEdit;
class QPushButton;

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

    // Serves the two date fields of a range with their "日曆" buttons: each
    // button shows the month of its field, a day picked for the from-field
    // is written into both fields, one picked for the to-field into the
    // to-field only.
    void attachRange(QLineEdit* from, QPushButton* fromButton, QLineEdit* to, QPushButton* toButton);
    void pickFrom(const QDate& date);
    void pickTo(const QDate& date);

private:
    QPointer<QLineEdit> m_from;
    QPointer<QLineEdit> m_to;
    bool m_pickingFrom = true;
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
