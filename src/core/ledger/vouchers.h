#pragma once

#include "core/common/result.h"
#include "core/db/sql.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace korvessa {

class DataSet;

// Accounting vouchers: a fincm header and its fincd lines, joined by the
// voucher number. These are the rules of a valid voucher, and every writer
// of vouchers goes through them: voucher entry, the import, and the modules
// that turn other documents into vouchers.
namespace vouchers {

// The opening-balance voucher; voucher entry and its browser never show it.
inline constexpr auto kOpeningVoucher = "0000000000";
inline constexpr auto kTransferType = "轉帳傳票";
inline constexpr auto kCashAccount = "1101";
// The types in the order of the drop-down: 現金收入, 現金支出, 轉帳傳票.
const QStringList& types();

// Object names of the fields refusals put the focus on.
inline constexpr auto kTypeField = "finm_type";
inline constexpr auto kCurrencyField = "finm_cur";
inline constexpr auto kNumberField = "finm_no";
inline constexpr auto kDateField = "finm_dat";

// ---- numbering ---------------------------------------------------------

// "F" + yyMMdd of the voucher date: "2024/05/17" → "F240517".
QString numberPrefix(const QString& date);
// The next number of that date in the company: prefix + "001", or one more
// than the highest number of the date. Refused ("資料錯誤") when the date
// already has 999 vouchers or the date is not a date.
Result<QString> nextNumber(const QSqlDatabase& db, const QString& comp, const QString& date);
Result<bool> numberTaken(const QSqlDatabase& db, const QString& comp, const QString& number);

// ---- currencies, departments, dates -----------------------------------

struct Currency {
    QString code; // cuery_no
    double rate = 1; // cuery_num
    QString pattern; // cuery_for, "%.2f"
};
// The company's currencies in the order the drop-down lists them.
Result<QList<Currency>> currencies(const QSqlDatabase& db, const QString& comp);
Result<std::optional<Currency>> currency(const QSqlDatabase& db, const QString& comp, const QString& code);
// The department names (catlog rows of type "part").
Result<QStringList> departments(const QSqlDatabase& db);

// A typed voucher date: accepted when it is a date "yyyy/MM/dd"; otherwise
// the plain message "輸入格式錯誤" (the window then puts today's date).
Status checkDate(const QString& text);

// ---- the voucher -------------------------------------------------------

struct Line {
    int sn = 0; // find_sn
    QString account; // find_acc
    QString name; // find_name
    QString summary; // find_pre
    double debit = 0; // find_dec, voucher currency
    double credit = 0; // find_cre
    qint64 localDebit = 0; // find_tdec, set by prepare()
    qint64 localCredit = 0; // find_tcre
    QString department; // find_dep
    QString counterparty; // find_obj
    QString sourceNo; // find_orgn
    QString currency; // find_cur, find_num, find_for as the line was appended
    double rate = 1;
    QString pattern;
    QVariant obj1; // find_obj1 and find_temp are kept as they were
    QVariant temp;
};

struct Voucher {
    QString comp;
    QString number; // finm_no
    QString date; // finm_dat
    QString type; // finm_type
    QString currency; // finm_cur
    double rate = 1; // finm_num
    QString pattern; // finm_for
    QString summary; // finm_pre
    QString enteredOn; // finm_dat2
    QString user; // finm_user
    QString memo1, memo2, memo3;
    QVariant temp; // finm_temp, kept as it was
    double debitTotal = 0; // finm_deb, set by prepare()
    double creditTotal = 0; // finm_cre
    int debitCount = 0; // finm_dcou
    int creditCount = 0; // finm_ccou
    QList<Line> lines;
};

// A new voucher: today's date (entered today), type 轉帳傳票, the first
// currency, no number yet (see nextNumber()).
Voucher newVoucher(const QString& comp, const QString& user, const Currency& currency, const QString& date);
// Copies the currency's rate and pattern into the header.
void setCurrency(Voucher& voucher, const Currency& currency);
// A new line after the others: the next line number, the header's currency.
Line newLine(const Voucher& voucher, int highestSn);
// The fincd / fincm column values of a line appended in voucher entry.
QVariantMap lineDefaults(const QString& comp, const QString& number, const QString& currency, double rate,
    const QString& pattern, int sn);

// A typed debit or credit rounded with the voucher's pattern: "請選擇幣別！"
// without a pattern; a text that is not a number is refused as well.
Result<double> typedAmount(const QString& text, const QString& pattern);
// A line leaving the grid: "金額需大於0！" unless its debit or credit is
// above 0.
Status checkLine(double debit, double credit);

// The save rules, in their order: type, currency, dropping empty and zero
// lines, at least one line, amounts rounded again with the pattern, local
// amounts from the header's rate (refused outside the signed 32-bit range),
// line dates and months, totals and counts, and the balance of the
// formatted voucher-currency totals. Every refusal has the caption
// "資料錯誤". The totals are set even when the balance check refuses.
Status prepare(Voucher& voucher);

// Saves a voucher in one transaction: its lines, then its header.
//
// `original` is the number the voucher was read with, empty for a new one.
// A new voucher's number is provisional: when it is empty or someone has
// taken it meanwhile, the next free number of its date is used; a number
// typed by hand (`typedNumber`) that is taken is refused ("傳票編號重複！
// 請重新確認！"). An existing voucher keeps its number and its lines are
// replaced by the given ones. The saved number comes back and is set in
// `voucher`.
Result<QString> save(const QSqlDatabase& db, Voucher& voucher, const QString& original = {}, bool typedNumber = false);

// The fincd columns of a line and the fincm columns of a header (comp and
// finm_no first), as every writer stores them.
QList<std::pair<QString, QVariant>> lineColumns(const Voucher& voucher, const Line& line);
QList<std::pair<QString, QVariant>> headerColumns(const Voucher& voucher);

// Deletes a voucher's lines and header in one transaction.
Status remove(const QSqlDatabase& db, const QString& comp, const QString& number);

// A voucher with its lines in line-number order; none when it is not there.
Result<std::optional<Voucher>> load(const QSqlDatabase& db, const QString& comp, const QString& number);

// The voucher being edited in voucher entry: the header's one row and the
// line rows of their data sets (fincm / fincd columns).
Voucher fromRows(const DataSet& header, const DataSet& lines);

// ---- moving between vouchers ---------------------------------------------

// Voucher entry's order is by number, newest (highest) first, without the
// opening-balance voucher; each step is one indexed statement, so moving
// stays instant on any size of book.
Result<std::optional<QString>> newest(const QSqlDatabase& db, const QString& comp);
Result<std::optional<QString>> oldest(const QSqlDatabase& db, const QString& comp);
// The number after `number` in that order (older = the next lower number),
// or before it (newer).
enum class Direction { Older, Newer };
Result<std::optional<QString>> neighbour(
    const QSqlDatabase& db, const QString& comp, const QString& number, Direction direction);
// Whether the company has vouchers other than the opening-balance one.
Result<bool> any(const QSqlDatabase& db, const QString& comp);

// ---- common entries --------------------------------------------------------

struct EntryLine {
    QString account; // sam_acc
    QString name; // sam_name
    QString side; // sam_cd: "借" or "貸"
    double percent = 0; // sam_num
    QString department; // sam_dep
};
// The select of the picker's list: the company's entries of `type`
// ("常用"), those whose number or remark match `keyword` as a LIKE pattern
// (as typed, no wildcards added) when it is not empty, by number.
std::pair<QString, SqlParams> entrySelect(const QString& comp, const QString& type, const QString& keyword);
// The lines of one entry (select for the picker's lower grid).
std::pair<QString, SqlParams> entryLineSelect(const QString& comp, const QString& type, const QString& number);
Result<QList<EntryLine>> entryLines(
    const QSqlDatabase& db, const QString& comp, const QString& type, const QString& number);
// The picker's amount: "請輸入金額！" when it is 0 or not a number.
Result<double> entryAmount(const QString& text);
// Debit / credit of an entry line for `amount`: percent × amount / 100,
// not rounded (the save rounds).
std::pair<double, double> entryLineAmounts(const EntryLine& line, double amount);

// ---- the browser -------------------------------------------------------

struct BrowseFilter {
    QString from; // finm_dat >= from; empty or blank ("    /  /  ") is no filter
    QString to;
    QString type; // empty: every type
    QString keyword; // in the summary or the number
};
// The browser's select: the company's vouchers without the opening-balance
// voucher, by date and number.
std::pair<QString, SqlParams> browseSelect(const QString& comp, const BrowseFilter& filter);

} // namespace vouchers
} // namespace korvessa
