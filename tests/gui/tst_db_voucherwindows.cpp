#include "core/common/dates.h"
#include "core/db/sql.h"
#include "gui/ledger/commonentrypicker.h"
#include "gui/ledger/voucherbrowser.h"
#include "gui/ledger/voucherentrywindow.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "support/fakeshell.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kComp = u"示範公司"_s;

struct Fixture {
    QString number;
    QString date;
    QString type;
    QString summary;
};

} // namespace

class TestVoucherWindows : public QObject {
    Q_OBJECT

    FakeShell m_shell;
    ScriptedMessages m_messages;
    std::unique_ptr<TestDatabase> m_db;

    bool freshDatabase(const QList<Fixture>& vouchers = {})
    {
        if (!freshBooks(m_shell, m_db))
            return false;
        m_shell.state.open_voucher_no.clear();
        m_shell.state.rights = Rights { .can_add = true, .can_save = true, .can_delete = true, .can_print = true };
        m_messages.clear();
        m_messages.answers.clear();
        for (const Fixture& f : vouchers) {
            if (!addVoucher(f))
                return false;
        }
        return true;
    }

    // A balanced voucher of 500: 1101 debit (line 1), 1102 credit (line 2).
    bool addVoucher(const Fixture& f)
    {
        const QSqlDatabase db = m_db->books();
        bool ok = bool(sql::insert(db, u"fincm"_s,
            { { u"comp"_s, kComp }, { u"finm_no"_s, f.number }, { u"finm_dat"_s, f.date }, { u"finm_type"_s, f.type },
                { u"finm_cur"_s, u"NT"_s }, { u"finm_num"_s, 1.0 }, { u"finm_for"_s, u"%.0f"_s },
                { u"finm_pre"_s, f.summary }, { u"finm_user"_s, u"admin"_s }, { u"finm_deb"_s, 500.0 },
                { u"finm_cre"_s, 500.0 }, { u"finm_dcou"_s, 1 }, { u"finm_ccou"_s, 1 } }));
        for (int sn = 1; ok && sn <= 2; ++sn) {
            ok = bool(sql::insert(db, u"fincd"_s,
                { { u"comp"_s, kComp }, { u"find_no"_s, f.number }, { u"find_sn"_s, sn },
                    { u"find_acc"_s, sn == 1 ? u"1101"_s : u"1102"_s },
                    { u"find_acct"_s, sn == 1 ? u"1101"_s : u"1102"_s }, { u"find_dec"_s, sn == 1 ? 500.0 : 0.0 },
                    { u"find_cre"_s, sn == 1 ? 0.0 : 500.0 }, { u"find_tdec"_s, sn == 1 ? 500.0 : 0.0 },
                    { u"find_tcre"_s, sn == 1 ? 0.0 : 500.0 }, { u"find_dat"_s, f.date }, { u"find_cur"_s, u"NT"_s },
                    { u"find_num"_s, 1.0 }, { u"find_for"_s, u"%.0f"_s } }));
        }
        return ok;
    }

    int count(const QString& text, const QString& number) const
    {
        auto n = sql::scalar(m_db->books(), text, { { u":no"_s, number } });
        return n ? n->toInt() : -1;
    }
    int headerCount(const QString& number) const
    {
        return count(u"select count(*) from fincm where finm_no = :no"_s, number);
    }
    int lineCount(const QString& number) const
    {
        return count(u"select count(*) from fincd where find_no = :no"_s, number);
    }
    QList<int> savedLineNumbers(const QString& number) const
    {
        QList<int> list;
        if (auto rows = sql::rows(m_db->books(), u"select find_sn from fincd where find_no = :no order by find_sn"_s,
                { { u":no"_s, number } })) {
            for (const QSqlRecord& r : *rows)
                list.append(sql::field(r, u"find_sn"_s).toInt());
        }
        return list;
    }

    static bool typeCell(VoucherEntryWindow& w, int row, const QString& column, const QString& text)
    {
        return w.lineModel()->setData(w.lineModel()->index(row, w.gridColumn(column)), text, Qt::EditRole);
    }
    static QStringList lineColumn(VoucherEntryWindow& w, const QString& column)
    {
        QStringList list;
        for (int r = 0; r < w.lines().count(); ++r)
            list.append(w.lines().value(r, column).toString());
        return list;
    }
    static void typeSummary(VoucherEntryWindow& w, const QString& text)
    {
        w.summaryEdit()->setText(text);
        Q_EMIT w.summaryEdit()->textEdited(text);
    }
    static void typeDate(VoucherEntryWindow& w, const QString& text)
    {
        w.dateEdit()->setText(text);
        Q_EMIT w.dateEdit()->textEdited(w.dateEdit()->text());
        w.leaveDate();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_shell.state.cur_comp = kComp;
        m_shell.state.cur_user = u"admin"_s;
        Shell::install(&m_shell);
        Messages::install(&m_messages);
    }
    void cleanupTestCase()
    {
        Messages::install(nullptr);
        Shell::install(nullptr);
    }

    // A company without vouchers opens on a new one; typing accounts and
    // amounts into the grid and saving writes header and lines.
    void typeAndSave()
    {
        if (!freshDatabase())
            return;
        VoucherEntryWindow w;
        QVERIFY(w.isInserting());
        QCOMPARE(w.header().text(u"finm_no"_s), vouchers::numberPrefix(todayText()) + u"001"_s);
        QCOMPARE(w.header().text(u"finm_type"_s), u"轉帳傳票"_s);
        QCOMPARE(w.rateEdit()->text(), u"1.0000"_s);
        QVERIFY(w.calendarButton()->isEnabled());
        QVERIFY(!w.browseButton()->isEnabled());

        typeDate(w, u"2024/05/17"_s);
        QCOMPARE(w.header().text(u"finm_no"_s), u"F240517001"_s);
        typeSummary(w, u"收現"_s);
        w.setAccountSource([](QWidget*) { return u"1101"_s; });
        w.addLineButton()->click();
        QCOMPARE(lineColumn(w, u"find_name"_s), QStringList { u"庫存現金"_s });
        QVERIFY(typeCell(w, 0, u"find_cre"_s, u"200"_s));
        QVERIFY(typeCell(w, 0, u"find_dec"_s, u"1000.4"_s)); // rounded with %.0f, the credit goes to 0
        QCOMPARE(w.lines().value(0, u"find_dec"_s).toDouble(), 1000.0);
        QCOMPARE(w.lines().value(0, u"find_cre"_s).toDouble(), 0.0);
        QCOMPARE(w.lines().value(0, u"find_tdec"_s).toDouble(), 1000.0);

        w.setAccountSource([](QWidget*) { return u"1102"_s; });
        w.addLineButton()->click();
        // A general account with detail accounts below it is refused and not taken.
        QVERIFY(!typeCell(w, 1, u"find_acc"_s, u"2193"_s));
        QCOMPARE(m_messages.lastText(), u"請輸入明細科目！"_s);
        QCOMPARE(w.lines().value(1, u"find_acc"_s).toString(), u"1102"_s);
        QVERIFY(typeCell(w, 1, u"find_acc"_s, u"2193-001"_s));
        QCOMPARE(w.lines().value(1, u"find_name"_s).toString(), u"代扣薪資所得稅"_s);
        QCOMPARE(w.lines().value(1, u"find_acct"_s).toString(), u"2193"_s);
        QVERIFY(typeCell(w, 1, u"find_cre"_s, u"900"_s));

        // Not balanced: refused, still being inserted, the totals shown.
        QVERIFY(!w.save());
        QCOMPARE(m_messages.lastText(), u"分錄明細借／貸不平衡！請重新確認！"_s);
        QVERIFY(w.isInserting());
        QCOMPARE(w.debitTotalEdit()->text(), u"1000"_s);
        QCOMPARE(w.creditTotalEdit()->text(), u"900"_s);
        QCOMPARE(headerCount(u"F240517001"_s), 0);

        QVERIFY(typeCell(w, 1, u"find_cre"_s, u"1000"_s));
        w.toolbar()->sbpost()->click();
        QCOMPARE(w.currentNumber(), u"F240517001"_s);
        QVERIFY(!w.isEditing());
        QCOMPARE(headerCount(u"F240517001"_s), 1);
        QCOMPARE(savedLineNumbers(u"F240517001"_s), (QList<int> { 1, 2 }));
        auto saved = vouchers::load(m_db->books(), kComp, u"F240517001"_s);
        QVERIFY(saved && *saved);
        QCOMPARE((*saved)->summary, u"收現"_s);
        QCOMPARE((*saved)->debitTotal, 1000.0);
        QCOMPARE((*saved)->lines.at(1).account, u"2193001"_s);
        QCOMPARE(w.debitCountEdit()->text(), u"1"_s);
        QVERIFY(!w.calendarButton()->isEnabled());
        QVERIFY(w.browseButton()->isEnabled());
    }

    // Each cash type choice appends a 1101 line; a changed line with no
    // amount cannot be left; deleting lines of an empty list does nothing.
    void typeChoiceAndLines()
    {
        if (!freshDatabase())
            return;
        VoucherEntryWindow w;
        w.deleteLineButton()->click();
        QCOMPARE(w.lines().count(), 0);
        const int cashIn = w.typeCombo()->findText(u"現金收入"_s);
        Q_EMIT w.typeCombo()->activated(cashIn);
        Q_EMIT w.typeCombo()->activated(cashIn);
        QCOMPARE(w.header().text(u"finm_type"_s), u"現金收入"_s);
        QCOMPARE(lineColumn(w, u"find_acc"_s), (QStringList { u"1101"_s, u"1101"_s }));
        QCOMPARE(lineColumn(w, u"find_sn"_s), (QStringList { u"1"_s, u"2"_s }));
        Q_EMIT w.typeCombo()->activated(w.typeCombo()->findText(u"轉帳傳票"_s));
        QCOMPARE(w.lines().count(), 2);

        GridView* view = w.lineGrid()->dbGrid1();
        QCOMPARE(w.lines().currentRow(), 1);
        view->setCurrentIndex(w.lineModel()->index(0, 1));
        QCOMPARE(m_messages.lastText(), u"金額需大於0！"_s);
        QCOMPARE(w.lines().currentRow(), 1);
        QCOMPARE(view->currentIndex().row(), 1);
        QVERIFY(typeCell(w, 1, u"find_dec"_s, u"10"_s));
        view->setCurrentIndex(w.lineModel()->index(0, 1));
        QCOMPARE(w.lines().currentRow(), 0);

        // An amount before a currency is set.
        w.header().setValue(u"finm_for"_s, QString());
        QVERIFY(!typeCell(w, 0, u"find_dec"_s, u"5"_s));
        QCOMPARE(m_messages.lastText(), u"請選擇幣別！"_s);
        w.currencyCombo()->setCurrentIndex(0);
        Q_EMIT w.currencyCombo()->activated(0);
        QCOMPARE(w.header().text(u"finm_for"_s), u"%.0f"_s);
    }

    // A new voucher is renumbered when its date changes; a saved one keeps
    // its number.
    void numbering()
    {
        if (!freshDatabase({ { u"F240517001"_s, u"2024/05/17"_s, u"轉帳傳票"_s, u"甲"_s } }))
            return;
        VoucherEntryWindow w;
        QCOMPARE(w.currentNumber(), u"F240517001"_s);
        QVERIFY(w.dateEdit()->isReadOnly());
        w.toolbar()->sbinsert()->click();
        QVERIFY(w.isInserting());
        QVERIFY(!w.dateEdit()->isReadOnly());
        typeDate(w, u"2024/05/17"_s);
        QCOMPARE(w.header().text(u"finm_no"_s), u"F240517002"_s);
        w.pickDate(QDate(2024, 6, 1));
        QCOMPARE(w.header().text(u"finm_no"_s), u"F240601001"_s);
        typeDate(w, u"2024/13/45"_s);
        QCOMPARE(m_messages.shown.last().text, u"輸入格式錯誤"_s);
        QVERIFY(m_messages.shown.last().caption.isEmpty());
        QCOMPARE(w.header().text(u"finm_dat"_s), todayText());
        QCOMPARE(w.header().text(u"finm_no"_s), vouchers::numberPrefix(todayText()) + u"001"_s);
        w.toolbar()->sbcancel()->click();
        QCOMPARE(w.currentNumber(), u"F240517001"_s);

        // The saved voucher: its date changes, its number stays.
        typeSummary(w, u"乙"_s);
        QVERIFY(!w.dateEdit()->isReadOnly());
        typeDate(w, u"2024/06/02"_s);
        QCOMPARE(w.header().text(u"finm_no"_s), u"F240517001"_s);
        QVERIFY(w.save());
        auto saved = vouchers::load(m_db->books(), kComp, u"F240517001"_s);
        QVERIFY(saved && *saved);
        QCOMPARE((*saved)->date, u"2024/06/02"_s);
        QCOMPARE((*saved)->summary, u"乙"_s);
        QCOMPARE((*saved)->lines.at(0).sn, 1);
    }

    // Deleting a line and appending one leaves a gap in the line numbers;
    // cancel brings the saved lines back.
    void lineNumbersLeaveGaps()
    {
        if (!freshDatabase({ { u"F240517001"_s, u"2024/05/17"_s, u"轉帳傳票"_s, u"甲"_s } }))
            return;
        VoucherEntryWindow w;
        w.lines().setCurrentRow(1);
        w.deleteLineButton()->click();
        QVERIFY(w.isEditing());
        QCOMPARE(lineColumn(w, u"find_sn"_s), QStringList { u"1"_s });
        w.toolbar()->sbcancel()->click();
        QCOMPARE(w.lines().count(), 2);
        QVERIFY(!w.isEditing());

        w.lines().setCurrentRow(1);
        w.deleteLineButton()->click();
        w.setAccountSource([](QWidget*) { return u"1102"_s; });
        w.addLineButton()->click();
        QVERIFY(typeCell(w, 1, u"find_cre"_s, u"500"_s));
        QCOMPARE(lineColumn(w, u"find_sn"_s), (QStringList { u"1"_s, u"3"_s }));
        QVERIFY(w.save());
        QCOMPARE(savedLineNumbers(u"F240517001"_s), (QList<int> { 1, 3 }));
    }

    void deleteVoucher()
    {
        if (!freshDatabase({ { u"F240501001"_s, u"2024/05/01"_s, u"轉帳傳票"_s, u"甲"_s },
                { u"F240502001"_s, u"2024/05/02"_s, u"轉帳傳票"_s, u"乙"_s } }))
            return;
        VoucherEntryWindow w;
        QCOMPARE(w.currentNumber(), u"F240502001"_s);
        m_messages.answers = { false };
        w.toolbar()->sbdelete()->click();
        QCOMPARE(m_messages.shown.last().caption, u"刪除確認"_s);
        QCOMPARE(m_messages.shown.last().text, u"確定要刪除嗎?"_s);
        QVERIFY(m_messages.shown.last().question);
        QCOMPARE(headerCount(u"F240502001"_s), 1);
        m_messages.answers = { true };
        w.toolbar()->sbdelete()->click();
        QCOMPARE(headerCount(u"F240502001"_s), 0);
        QCOMPARE(lineCount(u"F240502001"_s), 0);
        QCOMPARE(w.currentNumber(), u"F240501001"_s);
        QCOMPARE(w.lines().count(), 2);
        QVERIFY(!w.toolbar()->sbprior()->isEnabled());
    }

    // The opening-balance voucher is neither shown nor listed.
    void openingVoucherHidden()
    {
        if (!freshDatabase({ { u"0000000000"_s, u"2024/01/01"_s, u"轉帳傳票"_s, u"開帳"_s } }))
            return;
        m_shell.state.open_voucher_no = u"0000000000"_s;
        VoucherEntryWindow w;
        QVERIFY(w.isInserting());
        QVERIFY(w.currentNumber().isEmpty());
        QVERIFY(m_shell.state.open_voucher_no.isEmpty());
        VoucherBrowser browser(m_db->books(), kComp);
        browser.search();
        QCOMPARE(browser.rows().count(), 0);
        QCOMPARE(browser.countLabel()->text(), u"0"_s);
    }

    void toolbarStates_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("canDelete");
        QTest::addColumn<QList<bool>>("expected"); // prior, next, insert, delete, post, cancel, print
        QTest::newRow("newest") << u"F240503001"_s << false << true
                                << QList<bool> { false, true, true, true, false, false, true };
        QTest::newRow("middle") << u"F240502001"_s << false << true
                                << QList<bool> { true, true, true, true, false, false, true };
        QTest::newRow("oldest") << u"F240501001"_s << false << true
                                << QList<bool> { true, false, true, true, false, false, true };
        QTest::newRow("editing") << u"F240502001"_s << true << true
                                 << QList<bool> { false, false, false, false, true, true, false };
        QTest::newRow("no delete right") << u"F240502001"_s << false << false
                                         << QList<bool> { true, true, true, false, false, false, true };
    }
    void toolbarStates()
    {
        QFETCH(QString, number);
        QFETCH(bool, edit);
        QFETCH(bool, canDelete);
        QFETCH(QList<bool>, expected);
        if (!freshDatabase({ { u"F240501001"_s, u"2024/05/01"_s, u"轉帳傳票"_s, u"甲"_s },
                { u"F240502001"_s, u"2024/05/02"_s, u"轉帳傳票"_s, u"乙"_s },
                { u"F240503001"_s, u"2024/05/03"_s, u"轉帳傳票"_s, u"丙"_s } }))
            return;
        m_shell.state.rights.can_delete = canDelete;
        VoucherEntryWindow w;
        QVERIFY(w.showVoucher(number));
        if (edit)
            typeSummary(w, u"改"_s);
        ModuleToolbar* bar = w.toolbar();
        const QList<bool> actual = { bar->sbprior()->isEnabled(), bar->sbnext()->isEnabled(),
            bar->sbinsert()->isEnabled(), bar->sbdelete()->isEnabled(), bar->sbpost()->isEnabled(),
            bar->sbcancel()->isEnabled(), bar->sbprint()->isEnabled() };
        QCOMPARE(actual, expected);
        QCOMPARE(w.browseButton()->isEnabled(), !edit);
    }

    // sbnext goes to the older voucher, sbprior to the newer; cancel returns
    // to the voucher that was shown.
    void movingAndCancel()
    {
        if (!freshDatabase({ { u"F240501001"_s, u"2024/05/01"_s, u"轉帳傳票"_s, u"甲"_s },
                { u"F240502001"_s, u"2024/05/02"_s, u"轉帳傳票"_s, u"乙"_s } }))
            return;
        VoucherEntryWindow w;
        QCOMPARE(w.currentNumber(), u"F240502001"_s);
        w.toolbar()->sbnext()->click();
        QCOMPARE(w.currentNumber(), u"F240501001"_s);
        QCOMPARE(w.summaryEdit()->text(), u"甲"_s);
        typeSummary(w, u"改"_s);
        w.toolbar()->sbcancel()->click();
        QCOMPARE(w.currentNumber(), u"F240501001"_s);
        QCOMPARE(w.summaryEdit()->text(), u"甲"_s);
        w.toolbar()->sbprior()->click();
        QCOMPARE(w.currentNumber(), u"F240502001"_s);

        w.setBrowserSource([](QWidget*) { return u"F240501001"_s; });
        w.browseButton()->click();
        QCOMPARE(w.currentNumber(), u"F240501001"_s);
    }

    void openVoucherNo()
    {
        if (!freshDatabase({ { u"F240501001"_s, u"2024/05/01"_s, u"轉帳傳票"_s, u"甲"_s },
                { u"F240502001"_s, u"2024/05/02"_s, u"轉帳傳票"_s, u"乙"_s } }))
            return;
        m_shell.state.open_voucher_no = u"F240501001"_s;
        VoucherEntryWindow w;
        QCOMPARE(w.currentNumber(), u"F240501001"_s);
        QVERIFY(m_shell.state.open_voucher_no.isEmpty());
        QVERIFY(!w.toolbar()->sbnext()->isEnabled());
    }

    void commonEntry()
    {
        if (!freshDatabase())
            return;
        const QSqlDatabase db = m_db->books();
        QVERIFY(sql::insert(db, u"finsam_m"_s,
            { { u"comp"_s, kComp }, { u"sam_no"_s, u"S01"_s }, { u"sam_type"_s, u"常用"_s },
                { u"sam_memo"_s, u"提現"_s } }));
        QVERIFY(sql::insert(db, u"finsam_m"_s,
            { { u"comp"_s, kComp }, { u"sam_no"_s, u"S02"_s }, { u"sam_type"_s, u"調整"_s },
                { u"sam_memo"_s, u"其他"_s } }));
        const QList<std::tuple<int, QString, QString, int, QString>> lines
            = { { 1, u"1101"_s, u"借"_s, 100, u"管理部"_s }, { 2, u"1102"_s, u"貸"_s, 100, QString() } };
        for (const auto& [sn, acc, side, percent, dep] : lines) {
            QVERIFY(sql::insert(db, u"finsam_d"_s,
                { { u"comp"_s, kComp }, { u"sam_no"_s, u"S01"_s }, { u"sam_type"_s, u"常用"_s }, { u"sam_sn"_s, sn },
                    { u"sam_acc"_s, acc }, { u"sam_cd"_s, side }, { u"sam_num"_s, percent }, { u"sam_dep"_s, dep } }));
        }

        CommonEntryPicker picker(db, kComp, u"常用"_s);
        QCOMPARE(picker.rows().count(), 1);
        QCOMPARE(picker.entryLines().count(), 2);
        picker.loadButton()->click();
        QCOMPARE(m_messages.lastText(), u"請輸入金額！"_s);
        QCOMPARE(picker.pickResult(), u"no"_s);
        picker.searchEdit()->setText(u"S9%"_s);
        picker.searchButton()->click();
        QCOMPARE(picker.rows().count(), 0);
        picker.searchEdit()->setText(u"提現"_s);
        picker.searchButton()->click();
        QCOMPARE(picker.rows().count(), 1);
        picker.amountEdit()->setText(u"1500"_s);
        picker.loadButton()->click();
        QCOMPARE(picker.pickResult(), u"ok"_s);
        QCOMPARE(picker.entryNumber(), u"S01"_s);
        QCOMPARE(picker.amount(), 1500.0);

        VoucherEntryWindow w;
        w.setEntrySource([](QWidget*) { return std::optional(std::pair { u"S01"_s, 1500.0 }); });
        w.entryButton()->click();
        QCOMPARE(lineColumn(w, u"find_acc"_s), (QStringList { u"1101"_s, u"1102"_s }));
        QCOMPARE(lineColumn(w, u"find_name"_s), (QStringList { u"庫存現金"_s, u"銀行存款"_s }));
        QCOMPARE(lineColumn(w, u"find_dep"_s), (QStringList { u"管理部"_s, QString() }));
        QCOMPARE(w.lines().value(0, u"find_dec"_s).toDouble(), 1500.0);
        QCOMPARE(w.lines().value(1, u"find_cre"_s).toDouble(), 1500.0);
        QCOMPARE(lineColumn(w, u"find_sn"_s), (QStringList { u"1"_s, u"2"_s }));
        QVERIFY(w.save());
    }

    void browserFilters_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no filter") << QString() << QString() << QString() << QString()
                                   << QStringList { u"F240501001"_s, u"F240515001"_s, u"F240601001"_s };
        QTest::newRow("from") << u"2024/05/10"_s << QString() << QString() << QString()
                              << QStringList { u"F240515001"_s, u"F240601001"_s };
        QTest::newRow("to") << QString() << u"2024/05/31"_s << QString() << QString()
                            << QStringList { u"F240501001"_s, u"F240515001"_s };
        QTest::newRow("type") << QString() << QString() << u"現金收入"_s << QString()
                              << QStringList { u"F240515001"_s };
        QTest::newRow("keyword in summary")
            << QString() << QString() << QString() << u"房租"_s << QStringList { u"F240501001"_s, u"F240601001"_s };
        QTest::newRow("keyword in number")
            << u"2024/05/01"_s << u"2024/06/30"_s << QString() << u"0601"_s << QStringList { u"F240601001"_s };
    }
    void browserFilters()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, type);
        QFETCH(QString, keyword);
        QFETCH(QStringList, expected);
        if (!freshDatabase({ { u"F240601001"_s, u"2024/06/01"_s, u"現金支出"_s, u"六月房租"_s },
                { u"F240501001"_s, u"2024/05/01"_s, u"轉帳傳票"_s, u"房租"_s },
                { u"F240515001"_s, u"2024/05/15"_s, u"現金收入"_s, u"收款"_s },
                { u"0000000000"_s, u"2024/01/01"_s, u"轉帳傳票"_s, u"房租開帳"_s } }))
            return;
        VoucherBrowser browser(m_db->books(), kComp);
        browser.fromEdit()->setText(from);
        browser.toEdit()->setText(to);
        browser.typeCombo()->setCurrentIndex(browser.typeCombo()->findText(type));
        browser.searchEdit()->setText(keyword);
        browser.searchButton()->click();
        QStringList numbers;
        for (int r = 0; r < browser.rows().count(); ++r)
            numbers.append(browser.rows().value(r, u"finm_no"_s).toString());
        QCOMPARE(numbers, expected);
        QCOMPARE(browser.countLabel()->text(), QString::number(expected.size()));
    }

    void browserPicks()
    {
        if (!freshDatabase({ { u"F240501001"_s, u"2024/05/01"_s, u"轉帳傳票"_s, u"甲"_s },
                { u"F240502001"_s, u"2024/05/02"_s, u"轉帳傳票"_s, u"乙"_s } }))
            return;
        QWidget owner;
        VoucherBrowser browser(m_db->books(), kComp, &owner);
        browser.pickFromDate(QDate(2024, 5, 2));
        QCOMPARE(browser.toEdit()->text(), u"2024/05/02"_s);
        browser.pickToDate(QDate(2024, 5, 31));
        QCOMPARE(browser.fromEdit()->text(), u"2024/05/02"_s);
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        GridView* view = browser.grid()->dbGrid1();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(browser.pickResult(), u"no"_s); // nothing searched yet
        browser.show();
        browser.searchButton()->click();
        QCOMPARE(browser.rows().count(), 1);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
        QCOMPARE(browser.pickResult(), u"ok"_s);
        QCOMPARE(browser.pickedNumber(), u"F240502001"_s);
    }
};

QTEST_MAIN(TestVoucherWindows)
#include "tst_db_voucherwindows.moc"
