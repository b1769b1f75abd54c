#pragma once

#include "core/db/dataset.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/editingcontroller.h"
#include "gui/shell/fieldbinder.h"
#include "gui/shell/modulewindow.h"

#include <QDate>
#include <QPersistentModelIndex>
#include <QStringList>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace korvessa {

class DataSetModel;
class GridFrame;
class VoucherLinesModel;

// "會計傳票登錄" (fincF): one voucher at a time, its header in the panel
// above and its lines in the grid of "分錄明細".
//
// The header data set holds only the shown voucher's fincm row and the lines
// data set its fincd rows; both keep their changes in memory until "存檔",
// which hands them to vouchers::save(). Moving between vouchers asks the
// database for the neighbouring number, so a book of any size moves at once.
// The order is by number, newest first: sbprior goes to the newer voucher,
// sbnext to the older one.
class VoucherEntryWindow : public ModuleWindow {
    Q_OBJECT
public:
    explicit VoucherEntryWindow(QWidget* parent = nullptr);
    ~VoucherEntryWindow() override;

    DataSet& header() { return m_header; }
    DataSet& lines() { return m_lines; }
    EditingController& editing() { return m_editing; }
    // The number of the voucher shown (as read), empty for a new one.
    const QString& currentNumber() const { return m_current; }
    bool isInserting() const { return m_header.state() == DataSet::State::Insert; }
    bool isEditing() const { return m_editing.isChanging(); }

    QLineEdit* numberEdit() const { return m_number; }
    QLineEdit* dateEdit() const { return m_date; }
    QComboBox* typeCombo() const { return m_type; }
    QComboBox* currencyCombo() const { return m_currency; }
    QLineEdit* rateEdit() const { return m_rate; }
    QLineEdit* summaryEdit() const { return m_summary; }
    QPushButton* calendarButton() const { return m_calendarButton; }
    QPushButton* browseButton() const { return m_browseButton; }
    QPushButton* addLineButton() const { return m_addLine; }
    QPushButton* deleteLineButton() const { return m_deleteLine; }
    QPushButton* entryButton() const { return m_entryButton; }
    QLineEdit* debitTotalEdit() const { return m_debitTotal; }
    QLineEdit* creditTotalEdit() const { return m_creditTotal; }
    QLineEdit* debitCountEdit() const { return m_debitCount; }
    QLineEdit* creditCountEdit() const { return m_creditCount; }
    GridFrame* lineGrid() const { return m_grid; }
    // The lines grid's model; its setData() is typing into a cell.
    DataSetModel* lineModel() const;
    QCalendarWidget* calendar() const { return m_calendar; }

    // The grid column of a fincd column, -1 when it is not shown.
    int gridColumn(const QString& column) const;

    // The pickers, replaceable for tests. The account source returns a code
    // (empty when none was picked), the customer source a cus_no, the browser
    // source a voucher number, the entry source a common entry's number with
    // the amount typed into it.
    using TextSource = std::function<QString(QWidget*)>;
    using EntrySource = std::function<std::optional<std::pair<QString, double>>(QWidget*)>;
    void setAccountSource(TextSource source) { m_accountSource = std::move(source); }
    void setCustomerSource(TextSource source) { m_customerSource = std::move(source); }
    void setBrowserSource(TextSource source) { m_browserSource = std::move(source); }
    void setEntrySource(EntrySource source) { m_entrySource = std::move(source); }

    // Makes the voucher `number` current; false when it is not there.
    bool showVoucher(const QString& number);
    void newVoucher();
    bool save();
    void cancel();
    void removeVoucher();
    void moveNewer();
    void moveOlder();
    void print();

    // The header controls as the user works them.
    void chooseType(const QString& type);
    void chooseCurrency(const QString& code);
    void leaveDate();
    void pickDate(const QDate& date);
    void browse();

    // The lines: "新增", "刪除", "載入常用分錄", the ellipsis buttons.
    void addLine();
    void deleteLine();
    void loadCommonEntry();
    void pickAccount(int row);
    void pickCustomer(int row);
    // A text typed into a cell of the lines grid, with the rules of its
    // column; false when it is refused (the value is not taken).
    bool typeIntoLine(int row, const QString& column, const QString& text);
    // Whether the current line may be left: a line being changed needs a
    // debit or a credit above 0 ("金額需大於0！").
    bool mayLeaveLine();

private:
    void buildHeader();
    void buildPages();
    void buildTotals();
    void openSets(const QString& number);
    void updateNeighbours();
    void updateControls();
    void showDerived();
    void adjustToolbar(ToolbarButtons& buttons) const;
    void renumber();
    void appendLine(const QVariantMap& values);
    void setLineAccount(int row, const QString& code, const QString& name);
    bool setLineAmount(int row, bool debit, double amount);
    void commitCellEditor();
    void lineRowPicked(int row);
    void syncGridRow();
    void report(const Status& status);
    QString pattern() const;

    DataSet m_header;
    DataSet m_lines;
    FieldBinder m_binder { &m_header };
    EditingController m_editing { this, &m_header };

    QString m_current; // the number the shown voucher was read with
    bool m_hasNewer = false;
    bool m_hasOlder = false;
    bool m_typedNumber = false; // the number of a new voucher was typed by hand
    int m_highestSn = 0;
    int m_syncing = 0;
    bool m_printable = false;
    QStringList m_departments;

    QWidget* m_headerPanel = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_date = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_currency = nullptr;
    QLineEdit* m_rate = nullptr;
    QLineEdit* m_summary = nullptr;
    QLineEdit* m_user = nullptr;
    QPushButton* m_calendarButton = nullptr;
    QPushButton* m_browseButton = nullptr;
    QTabWidget* m_pages = nullptr;
    GridFrame* m_grid = nullptr;
    VoucherLinesModel* m_model = nullptr;
    QPushButton* m_addLine = nullptr;
    QPushButton* m_deleteLine = nullptr;
    QPushButton* m_entryButton = nullptr;
    QLineEdit* m_debitTotal = nullptr;
    QLineEdit* m_creditTotal = nullptr;
    QLineEdit* m_debitCount = nullptr;
    QLineEdit* m_creditCount = nullptr;
    CalendarPopup* m_calendar = nullptr;

    TextSource m_accountSource;
    TextSource m_customerSource;
    TextSource m_browserSource;
    EntrySource m_entrySource;
};

} // namespace korvessa
