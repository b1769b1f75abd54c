#pragma once

#include "core/common/result.h"
#include "core/db/dataset.h"
#include "core/reports/reportdata.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/datasetmodel.h"
#include "gui/shell/modulewindow.h"
#include "print/report.h"

class QDate;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvessa {

class GridFrame;

// The frame of every report module: the title label, the period "日期期間"
// `MaskEdit1` "到" `MaskEdit2` (months "yyyy/mm" or dates "yyyy/mm/dd",
// both starting with the current month or today), a "日曆" button beside
// each (`Button1`, `Button2`) showing the hidden month calendar
// `MonthCalendar1`, the query button `Button3` and the result grid. Only
// "離開" and "回主頁" are enabled at creation; a successful query enables
// "列印" (`sbprint`) for the rest of the window's life.
//
// A double click in the calendar writes the day into the field that asked
// (a month field takes its first 7 characters) and hides the calendar; with
// `pickSetsBoth` a pick for the from-field sets the to-field too.
//
// A module implements computeRows() (compute into the work tables and show
// them in rows()) and printData() (what its template reads); "列印" turns
// that into the print layer's report and shows the preview.
class ReportWindow : public ModuleWindow {
    Q_OBJECT
public:
    enum class Period { Months, Dates };
    struct Options {
        QString title;
        Period period = Period::Months;
        bool pickSetsBoth = false;
        QString queryCaption = QStringLiteral("查詢");
    };

    explicit ReportWindow(const Options& options, QWidget* parent = nullptr);
    ~ReportWindow() override;

    QLabel* titleLabel() const { return m_title; }
    QLineEdit* maskEdit1() const { return m_from; }
    QLineEdit* maskEdit2() const { return m_to; }
    QPushButton* button1() const { return m_button1; }
    QPushButton* button2() const { return m_button2; }
    QPushButton* button3() const { return m_button3; }
    QCalendarWidget* monthCalendar1() const { return m_calendar; }
    GridFrame* grid() const { return m_grid; }
    DataSet& rows() { return m_rows; }
    // The row below the period where a module puts its own options.
    QHBoxLayout* optionsLayout() const { return m_options; }

    // The period texts as shown, blanks included ("2024/01", "    /  ").
    QString fromText() const;
    QString toText() const;

    // "日曆": shows the calendar for `field` (maskEdit1() or maskEdit2()).
    void showCalendarFor(QLineEdit* field);
    QLineEdit* calendarField() const { return m_calendarField; }
    // The calendar's double click.
    void pickDate(const QDate& date);

    // "查詢": computes the rows; a refusal of the database is shown.
    void query();
    bool hasQueried() const { return m_queried; }

    // The report "列印" hands to the preview.
    Result<print::Report> report();
    // "列印": builds the report and shows the preview.
    void printReport();

protected:
    virtual Status computeRows() = 0;
    virtual Result<reports::ReportData> printData() = 0;

    // The grid's columns; call once from the module's constructor.
    void setGridColumns(const QList<GridColumn>& columns);

private:
    QString shown(const QLineEdit* field) const;

    Options m_settings;
    DataSet m_rows;
    QLabel* m_title = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
    QPushButton* m_button3 = nullptr;
    CalendarPopup* m_calendar = nullptr;
    QLineEdit* m_calendarField = nullptr;
    QHBoxLayout* m_options = nullptr;
    GridFrame* m_grid = nullptr;
    bool m_queried = false;
};

} // namespace korvessa
