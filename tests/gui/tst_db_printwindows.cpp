#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "gui/customers/customerbrowser.h"
#include "gui/customers/customerwindow.h"
#include "gui/customers/labelwindow.h"
#include "gui/ledger/voucherentrywindow.h"
#include "gui/ledger/voucherprintwindow.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduleregistry.h"
#include "gui/shell/moduletoolbar.h"
#include "support/fakeshell.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kComp = u"示範公司"_s;

const print::DataSource* source(const print::Report& report, const QString& name)
{
    for (const print::DataSource& s : report.sources) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

const print::Column* column(const print::DataSource& source, const QString& name)
{
    for (const print::Column& c : source.columns) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

QStringList values(const QList<QVariantMap>& rows, const QString& name)
{
    QStringList list;
    for (const QVariantMap& r : rows)
        list.append(r.value(name).toString());
    return list;
}

// Runs `inspect` on the modal dialog that `open` shows, then closes it.
template <typename Dialog>
bool whileModal(const std::function<void()>& open, const std::function<void(Dialog&)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            seen = true;
            inspect(*dialog);
            dialog->reject();
        }
    });
    open();
    return seen;
}

void clickRow(GridView* view, int row)
{
    const QRect rect = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class TestPrintWindows : public QObject {
    Q_OBJECT

    FakeShell m_shell;
    ScriptedMessages m_messages;
    QTemporaryDir m_settings;
    std::unique_ptr<TestDatabase> m_db;

    bool freshDatabase()
    {
        if (!freshBooks(m_shell, m_db))
            return false;
        m_shell.state = {};
        m_shell.state.cur_comp = kComp;
        m_shell.state.cur_user = u"admin"_s;
        m_shell.state.rights = Rights { .can_add = true, .can_save = true, .can_delete = true, .can_print = true };
        m_messages.clear();
        return true;
    }

    bool addVoucher(const QString& number, const QString& date, const QString& currency, double amount)
    {
        const QSqlDatabase db = m_db->books();
        bool ok = bool(sql::insert(db, u"fincm"_s,
            { { u"comp"_s, kComp }, { u"finm_no"_s, number }, { u"finm_dat"_s, date },
                { u"finm_type"_s, u"轉帳傳票"_s }, { u"finm_cur"_s, currency }, { u"finm_num"_s, 1.0 },
                { u"finm_pre"_s, QString(u"摘要"_s + number) }, { u"finm_user"_s, u"admin"_s },
                { u"finm_deb"_s, amount }, { u"finm_cre"_s, amount }, { u"finm_dcou"_s, 1 }, { u"finm_ccou"_s, 1 } }));
        for (int sn = 1; ok && sn <= 2; ++sn) {
            ok = bool(sql::insert(db, u"fincd"_s,
                { { u"comp"_s, kComp }, { u"find_no"_s, number }, { u"find_sn"_s, sn },
                    { u"find_acc"_s, sn == 1 ? u"1101001"_s : u"1102"_s }, { u"find_dec"_s, sn == 1 ? amount : 0.0 },
                    { u"find_cre"_s, sn == 1 ? 0.0 : amount }, { u"find_dat"_s, date }, { u"find_cur"_s, currency } }));
        }
        return ok;
    }

    bool fixtureVouchers()
    {
        return sql::insert(m_db->books(), u"cuery"_s,
                   { { u"comp"_s, kComp }, { u"cuery_no"_s, u"USD"_s }, { u"cuery_num"_s, 30.5 },
                       { u"cuery_for"_s, u"%.2f"_s } })
            && addVoucher(u"0000000000"_s, u"2024/01/01"_s, u"NT"_s, 100)
            && addVoucher(u"F240517001"_s, u"2024/05/17"_s, u"USD"_s, 12.5)
            && addVoucher(u"F240517002"_s, u"2024/05/17"_s, u"NT"_s, 500);
    }

    QStringList listed(VoucherPrintWindow& w)
    {
        QStringList list;
        for (int r = 0; r < w.vouchers().count(); ++r)
            list.append(w.vouchers().value(r, u"finm_no"_s).toString());
        return list;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        Shell::install(&m_shell);
        Messages::install(&m_messages);
    }
    void cleanupTestCase()
    {
        Messages::install(nullptr);
        Shell::install(nullptr);
    }

    // Voucher entry's "列印" opens voucher printing modally on the voucher it shows.
    void openedFromVoucherEntry()
    {
        if (!freshDatabase())
            return;
        QVERIFY(fixtureVouchers());
        VoucherEntryWindow entry;
        QVERIFY(entry.showVoucher(u"F240517002"_s));
        QVERIFY(entry.toolbar()->sbprint()->isEnabled());
        QStringList seen;
        QString handedOver;
        QVERIFY(whileModal<VoucherPrintWindow>([&] { entry.toolbar()->sbprint()->click(); },
            [&](VoucherPrintWindow& w) {
                seen = listed(w);
                handedOver = w.fromNumberEdit()->text() + u'|' + w.toNumberEdit()->text();
            }));
        QCOMPARE(seen, QStringList { u"F240517002"_s });
        QCOMPARE(handedOver, u"F240517002|F240517002"_s);
    }

    void listFootAndReport()
    {
        if (!freshDatabase())
            return;
        QVERIFY(fixtureVouchers());
        QVERIFY(sql::execute(m_db->books(), u"update company set acct_memo = :m where comp_name = :c"_s,
            { { u":m"_s, u"舊表尾"_s }, { u":c"_s, kComp } }));
        m_shell.state.open_voucher_no = u"F240517002"_s;
        VoucherPrintWindow w;
        QCOMPARE(listed(w), QStringList { u"F240517002"_s });
        QCOMPARE(w.footerEdit()->toPlainText(), u"舊表尾"_s);
        QVERIFY(w.printButton()->isEnabled());
        QCOMPARE(w.currencyCombo()->findText(u"USD"_s) > 0, true);

        // Both numbers cleared: every voucher, the opening-balance one too.
        w.fromNumberEdit()->clear();
        w.toNumberEdit()->clear();
        w.searchButton()->click();
        QCOMPARE(listed(w), (QStringList { u"0000000000"_s, u"F240517001"_s, u"F240517002"_s }));
        w.currencyCombo()->setCurrentText(u"USD"_s);
        w.searchButton()->click();
        QCOMPARE(listed(w), QStringList { u"F240517001"_s });
        w.currencyCombo()->setCurrentIndex(0);
        w.searchButton()->click();

        // A removed voucher leaves the list, not the books.
        w.vouchers().first();
        w.removeButton()->click();
        QCOMPARE(listed(w), (QStringList { u"F240517001"_s, u"F240517002"_s }));
        QVERIFY(sql::exists(m_db->books(), u"select 1 from fincm where finm_no = '0000000000'"_s).value());

        // The footer as typed goes into the report; "儲存" keeps it.
        w.footerEdit()->setPlainText(u"核准：王經理"_s);
        QVERIFY(w.vouchers().locate(u"finm_no"_s, u"F240517001"_s)); // the USD voucher is highlighted
        auto report = w.prepareReport();
        QVERIFY(report);
        QCOMPARE(report->templateName, u"fincno"_s);
        QCOMPARE(w.amountFormat(), u"#,##0.00"_s);
        QCOMPARE(report->variables.value(u"sfor1"_s).toString(), u"#,##0.00"_s);
        QCOMPARE(report->variables.value(u"rep_foot"_s).toString(), u"核准：王經理"_s);
        QCOMPARE(report->variables.value(u"acct_memo"_s).toString(), u"核准：王經理"_s);
        QCOMPARE(report->company.value(u"comp_name"_s).toString(), kComp);
        QVERIFY(report->company.contains(u"comp_title"_s));

        const print::DataSource* headers = source(*report, u"fincm"_s);
        const print::DataSource* lines = source(*report, u"fincd"_s);
        QVERIFY(headers && lines);
        QCOMPARE(values(headers->rows, u"finm_no"_s), (QStringList { u"F240517001"_s, u"F240517002"_s }));
        QCOMPARE(values(headers->rows, u"page_break"_s), (QStringList { u"auto"_s, u"always"_s }));
        QCOMPARE(lines->master, u"fincm"_s);
        QCOMPARE(lines->linkColumns, (QStringList { u"comp"_s, u"finm_no"_s }));
        QCOMPARE(values(lines->rows, u"finm_no"_s),
            (QStringList { u"F240517001"_s, u"F240517001"_s, u"F240517002"_s, u"F240517002"_s }));
        QCOMPARE(
            values(lines->rows, u"find_acc"_s), (QStringList { u"1101001"_s, u"1102"_s, u"1101001"_s, u"1102"_s }));
        // Every amount of every voucher in the highlighted voucher's format.
        for (const auto& [s, name] : { std::pair { headers, u"finm_deb"_s }, std::pair { headers, u"finm_cre"_s },
                 std::pair { lines, u"find_dec"_s }, std::pair { lines, u"find_cre"_s } }) {
            const print::Column* c = column(*s, name);
            QVERIFY2(c, qPrintable(name));
            QCOMPARE(c->format, print::Format::Amount);
            QCOMPARE(c->decimals, 2);
        }
        QCOMPARE(column(*lines, u"find_acc"_s)->format, print::Format::AccountCode);

        // The NT voucher highlighted: whole numbers; then the footer is kept.
        QVERIFY(w.vouchers().locate(u"finm_no"_s, u"F240517002"_s));
        report = w.prepareReport();
        QVERIFY(report);
        QCOMPARE(column(*source(*report, u"fincd"_s), u"find_dec"_s)->decimals, 0);
        w.saveButton()->click();
        QCOMPARE(
            sql::scalar(m_db->books(), u"select acct_memo from company where comp_name = :c"_s, { { u":c"_s, kComp } })
                ->toString(),
            u"核准：王經理"_s);

        // An emptied list offers neither "列印" nor "刪除".
        w.removeButton()->click();
        w.removeButton()->click();
        QVERIFY(w.vouchers().isEmpty());
        QVERIFY(!w.printButton()->isEnabled());
        QVERIFY(!w.removeButton()->isEnabled());
    }

    void browsingAndCalendars()
    {
        if (!freshDatabase())
            return;
        QVERIFY(fixtureVouchers());
        VoucherPrintWindow w;
        w.setBrowserSource([](QWidget*) { return u"F240517001"_s; });
        w.browseFrom();
        QCOMPARE(w.fromNumberEdit()->text() + u'|' + w.toNumberEdit()->text(), u"F240517001|F240517001"_s);
        w.setBrowserSource([](QWidget*) { return u"F240517002"_s; });
        w.browseTo();
        QCOMPARE(w.fromNumberEdit()->text() + u'|' + w.toNumberEdit()->text(), u"F240517001|F240517002"_s);
        w.setBrowserSource([](QWidget*) { return QString(); });
        w.browseFrom(); // nothing chosen: nothing changes
        QCOMPARE(w.fromNumberEdit()->text(), u"F240517001"_s);
        w.searchButton()->click();
        QCOMPARE(listed(w), (QStringList { u"F240517001"_s, u"F240517002"_s }));

        w.pickFromDate(QDate(2024, 5, 17));
        QCOMPARE(w.toDateEdit()->text(), u"2024/05/17"_s);
        w.pickToDate(QDate(2024, 5, 31));
        QCOMPARE(w.fromDateEdit()->text() + u'|' + w.toDateEdit()->text(), u"2024/05/17|2024/05/31"_s);
    }

    // The customer register's "列印" opens the labels modally.
    void labelsOpenedFromTheRegister()
    {
        if (!freshDatabase())
            return;
        CustomerWindow register_;
        QVERIFY(register_.toolbar()->sbprint()->isEnabled());
        QVERIFY(whileModal<LabelWindow>([&] { register_.toolbar()->sbprint()->click(); },
            [](LabelWindow& w) {
                QCOMPARE(w.windowTitle(), u"標籤Korvessa"_s);
                QCOMPARE(w.objectName(), u"Tclabel"_s);
            }));
    }

    void labelsThroughThePicker()
    {
        if (!freshDatabase())
            return;
        const QSqlDatabase db = m_db->books();
        for (const QString& n : { u"C001"_s, u"C002"_s, u"C003"_s }) {
            QVERIFY(sql::insert(db, u"custom"_s,
                { { u"cus_no"_s, n }, { u"cus_name"_s, QString(u"名"_s + n) }, { u"cus_att"_s, QString(u"聯"_s + n) },
                    { u"cus_add"_s, QString(u"址"_s + n) }, { u"cus_tel1"_s, QString(u"話"_s + n) } }));
        }
        // Rows left by an earlier use and by another user.
        QVERIFY(sql::insert(db, u"ptemp"_s, { { u"P00"_s, u""_s }, { u"P01"_s, u"OLD"_s }, { u"P06"_s, u"admin"_s } }));
        QVERIFY(sql::insert(db, u"ptemp"_s, { { u"P00"_s, u""_s }, { u"P01"_s, u"X"_s }, { u"P06"_s, u"other"_s } }));

        LabelWindow w;
        QVERIFY(w.sheet().rows()->isEmpty());
        QList<int> pick;
        w.setBrowserRunner([&pick](CustomerBrowser& browser) {
            browser.show();
            QVERIFY(QTest::qWaitForWindowExposed(&browser));
            for (int row : pick)
                clickRow(browser.list(), row);
            browser.doneButton()->click();
        });
        pick = { 2, 0 };
        w.chooseButton()->click();
        pick = { 2 };
        w.chooseButton()->click(); // C003 again: a second label
        pick = {};
        w.chooseButton()->click();
        const print::Report report = w.buildReport();
        const print::DataSource* labels = source(report, u"ptemp"_s);
        QVERIFY(labels);
        QCOMPARE(values(labels->rows, u"P01"_s), (QStringList { u"C001"_s, u"C003"_s, u"C003"_s }));
        QCOMPARE(values(labels->rows, u"P05"_s), (QStringList { u"話C001"_s, u"話C003"_s, u"話C003"_s }));
        QCOMPARE(report.templateName, u"label2"_s);
        QCOMPARE(labels->master, u"label_rows"_s);
        QCOMPARE(source(report, u"label_rows"_s)->rows.size(), 1);

        // A typed cell is in ptemp as soon as the grid lets go of it.
        DataSetModel* model = w.list()->dataSetModel();
        QVERIFY(model->setData(model->index(1, 3), u"新址"_s, Qt::EditRole));
        QTRY_COMPARE(sql::scalar(db, u"select count(*) from ptemp where P06 = 'admin' and P04 = '新址'"_s)->toInt(), 1);
        QVERIFY(!w.sheet().rows()->hasChanges());

        w.sheet().rows()->first();
        w.removeButton()->click();
        QCOMPARE(sql::scalar(db, u"select count(*) from ptemp where P06 = 'admin'"_s)->toInt(), 2);
        QCOMPARE(sql::scalar(db, u"select count(*) from ptemp where P06 = 'other'"_s)->toInt(), 1);
        QCOMPARE(values(w.buildReport().sources.last().rows, u"P04"_s), (QStringList { u"新址"_s, u"址C003"_s }));
        QVERIFY(m_messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestPrintWindows)
#include "tst_db_printwindows.moc"
