#pragma once

#include "core/common/result.h"
#include "core/db/dataset.h"
#include "core/ledger/voucherprint.h"
#include "gui/shell/calendarpopup.h"
#include "print/report.h"

#include <QDialog>
#include <QSqlDatabase>
#include <QVariantMap>

#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korvessa {

class GridFrame;

// "傳票列印" (finc_repF): prints vouchers of the company through the
// template "fincno". Voucher entry opens it modally on its voucher
// (open_voucher_no), which it lists at once; the filters widen the list,
// "刪除" drops a voucher from the list only, "表尾" is the footer text the
// company keeps (acct_memo, stored by "儲存").
class VoucherPrintWindow : public QDialog {
    Q_OBJECT
public:
    explicit VoucherPrintWindow(QWidget* parent = nullptr);
    ~VoucherPrintWindow() override;

    QLineEdit* fromDateEdit() const { return m_fromDate; }
    QLineEdit* toDateEdit() const { return m_toDate; }
    QLineEdit* fromNumberEdit() const { return m_fromNumber; }
    QLineEdit* toNumberEdit() const { return m_toNumber; }
    QComboBox* typeCombo() const { return m_type; }
    QComboBox* currencyCombo() const { return m_currency; }
    QPlainTextEdit* footerEdit() const { return m_footer; }
    QPushButton* searchButton() const { return m_search; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* exitButton() const { return m_exit; }
    GridFrame* list() const { return m_grid; }
    DataSet& vouchers() { return m_list; }

    // The filter the fields give.
    voucherprint::Filter filter() const;
    // "查詢": the company's vouchers that pass the filter.
    void search();
    // "刪除": drops the highlighted voucher from the list (nothing is written).
    void removeCurrent();
    // "儲存": keeps the footer text as the company's acct_memo.
    void saveFooter();

    // A day taken from a calendar: the from-date sets the to-date as well.
    void pickFromDate(const QDate& date);
    void pickToDate(const QDate& date);

    // The voucher browser, replaceable for tests: the chosen voucher's
    // number, empty when none was.
    using TextSource = std::function<QString(QWidget*)>;
    void setBrowserSource(TextSource source) { m_browserSource = std::move(source); }
    // "瀏覽" beside the from-number sets both numbers; beside the to-number only that one.
    void browseFrom();
    void browseTo();

    // The amount format of the last print ("#,##0.00"), empty before the first.
    const QString& amountFormat() const { return m_amountFormat; }
    // What "列印" hands to the preview: the amount format taken from the
    // highlighted voucher's currency, then the report of every listed
    // voucher with its lines, the company row and the variables sfor1,
    // acct_memo and rep_foot (the footer as typed).
    Result<print::Report> prepareReport();
    // "列印": prepareReport() and the preview.
    void printVouchers();

private:
    void updateButtons();
    void report(const Status& status);

    QSqlDatabase m_books;
    QString m_comp;
    QVariantMap m_company;
    QString m_amountFormat;
    DataSet m_list;
    TextSource m_browserSource;

    QLineEdit* m_fromDate = nullptr;
    QLineEdit* m_toDate = nullptr;
    QLineEdit* m_fromNumber = nullptr;
    QLineEdit* m_toNumber = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_currency = nullptr;
    QPlainTextEdit* m_footer = nullptr;
    QPushButton* m_fromCalendar = nullptr;
    QPushButton* m_toCalendar = nullptr;
    QPushButton* m_fromBrowse = nullptr;
    QPushButton* m_toBrowse = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_exit = nullptr;
    CalendarPopup* m_calendar = nullptr;
    GridFrame* m_grid = nullptr;
};

} // namespace korvessa
