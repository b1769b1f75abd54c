#pragma once

#include "core/ledger/vouchers.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/pickers/rowpicker.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvessa {

// "傳票瀏覽" (finc_recF): picks a voucher of the company by date range,
// type and a keyword in the summary or the number; the opening-balance
// voucher is never listed. The search box of the frame is the keyword
// ("關鍵字"). A double click on the list picks its row ("ok") when vouchers
// were found; "離開" leaves with "no".
class VoucherBrowser : public RowPicker {
    Q_OBJECT
public:
    VoucherBrowser(QSqlDatabase db, QString comp, QWidget* parent = nullptr);
    ~VoucherBrowser() override;

    void search() override;

    QLineEdit* fromEdit() const { return m_from; }
    QLineEdit* toEdit() const { return m_to; }
    QComboBox* typeCombo() const { return m_type; }
    QLabel* countLabel() const { return m_count; }
    QPushButton* fromCalendarButton() const { return m_fromButton; }
    QPushButton* toCalendarButton() const { return m_toButton; }
    QCalendarWidget* calendar() const { return m_calendar; }

    // The filter the fields give.
    vouchers::BrowseFilter filter() const;
    // A day taken from the calendar: the from-date sets the to-date as well.
    void pickFromDate(const QDate& date);
    void pickToDate(const QDate& date);
    // The chosen voucher's number; empty unless pickResult() is "ok".
    QString pickedNumber() const;

private:
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QComboBox* m_type = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_fromButton = nullptr;
    QPushButton* m_toButton = nullptr;
    CalendarPopup* m_calendar = nullptr;
};

} // namespace korvessa
