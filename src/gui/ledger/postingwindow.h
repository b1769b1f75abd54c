#pragma once

#include "core/db/dataset.h"
#include "core/ledger/posting.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/modulewindow.h"

class QDate;
class QLineEdit;
class QPushButton;

namespace korvessa {

class GridFrame;

// "財務過帳" (fin_posF): rebuilds a month's ledger summaries and shows the
// month's posted finpos rows. The grid is queried on opening, when the month
// field is left, after a calendar pick, by "查詢" and after "開始過帳" or
// "大類過帳"; "過部門帳" leaves it as it is. The postings ask nothing and
// report nothing when they are done.
class PostingWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit PostingWindow(QWidget* parent = nullptr);
    ~PostingWindow() override;

    QLineEdit* monthField() const { return m_month; }
    QCalendarWidget* calendar() const { return m_calendar; }
    QPushButton* calendarButton() const { return m_calendarButton; }
    QPushButton* queryButton() const { return m_queryButton; }
    QPushButton* postButton() const { return m_postButton; }
    QPushButton* generalButton() const { return m_generalButton; }
    QPushButton* departmentsButton() const { return m_departmentsButton; }
    GridFrame* grid() const { return m_grid; }
    DataSet& rows() { return m_rows; }

    // The month as typed, without the blanks of the mask.
    QString month() const;

private:
    void query();
    void post(posting::Kind kind);
    void openCalendar();
    void pickDay(const QDate& date);

    DataSet m_rows;
    QLineEdit* m_month = nullptr;
    CalendarPopup* m_calendar = nullptr;
    QPushButton* m_calendarButton = nullptr;
    QPushButton* m_queryButton = nullptr;
    QPushButton* m_postButton = nullptr;
    QPushButton* m_generalButton = nullptr;
    QPushButton* m_departmentsButton = nullptr;
    GridFrame* m_grid = nullptr;
};

} // namespace korvessa
