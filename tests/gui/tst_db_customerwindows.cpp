#include "core/common/dates.h"
#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "gui/customers/addresswizarddialog.h"
#include "gui/customers/customerbrowser.h"
#include "gui/customers/customerpicker.h"
#include "gui/customers/customerrowsmodel.h"
#include "gui/customers/customerwindow.h"
#include "gui/customers/lookupcombobox.h"
#include "gui/shell/editingcontroller.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/shell.h"
#include "support/fakeshell.h"
#include "support/testdatabase.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

QStringList column(const CustomerRows& rows, const QString& name)
{
    QStringList list;
    for (int r = 0; r < rows.count(); ++r)
        list.append(rows.text(r, name));
    return list;
}

void clickRow(GridView* view, int row)
{
    const QRect rect = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class TestCustomerWindows : public QObject {
    Q_OBJECT

    FakeShell m_shell;
    ScriptedMessages m_messages;
    QTemporaryDir m_settings;
    std::unique_ptr<TestDatabase> m_db;

    bool freshDatabase()
    {
        if (!freshBooks(m_shell, m_db))
            return false;
        m_messages.clear();
        const QList<QStringList> customers = {
            { u"C002"_s, u"乙商行"_s, u"台北市"_s },
            { u"C001"_s, u"甲公司"_s, u"基隆市"_s },
            { u"C003"_s, u"丙企業"_s, u"台北市中正區"_s },
        };
        for (const QStringList& c : customers) {
            if (!sql::insert(m_db->books(), u"custom"_s,
                    { { u"cus_no"_s, c[0] }, { u"cus_name"_s, c[1] }, { u"cus_add"_s, c[2] },
                        { u"cus_inv"_s, QString(u"統"_s + c[0]) } }))
                return false;
        }
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_shell.state.cur_comp = u"示範公司"_s;
        m_shell.state.cur_user = u"admin"_s;
        m_shell.state.rights = Rights { .can_add = true, .can_save = true, .can_delete = true, .can_print = true };
        Shell::install(&m_shell);
        Messages::install(&m_messages);
    }
    void cleanupTestCase()
    {
        Messages::install(nullptr);
        Shell::install(nullptr);
    }

    void singlePickerResults_data()
    {
        QTest::addColumn<bool>("search");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("number");
        QTest::newRow("double click on a found row") << true << u"台北"_s << true << u"ok"_s << u"C002"_s;
        QTest::newRow("double click on an empty list") << false << QString() << true << u"no"_s << QString();
        QTest::newRow("search found nothing") << true << u"沒有這家"_s << true << u"no"_s << QString();
        QTest::newRow("離開 after a search") << true << QString() << false << u"no"_s << u"C001"_s;
    }
    void singlePickerResults()
    {
        QFETCH(bool, search);
        QFETCH(QString, text);
        QFETCH(bool, doubleClick);
        QFETCH(QString, result);
        QFETCH(QString, number);
        if (!freshDatabase())
            return;
        QWidget owner;
        CustomerPicker picker(m_db->books(), &owner);
        QCOMPARE(picker.rows().count(), 0);
        if (search) {
            picker.edit1()->setText(text);
            picker.searchButton()->click();
        }
        if (doubleClick)
            picker.choose();
        else
            picker.exitButton()->click();
        QCOMPARE(picker.pickResult(), result);
        QCOMPARE(picker.text(u"cus_no"_s), number);
        if (result == u"ok"_s)
            QCOMPARE(picker.text(u"cus_inv"_s), u"統C002"_s);
    }

    void browserSelection()
    {
        if (!freshDatabase())
            return;
        QWidget owner;
        CustomerBrowser browser(m_db->books(), &owner);
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        QCOMPARE(column(browser.rows(), u"cus_no"_s), (QStringList { u"C001"_s, u"C002"_s, u"C003"_s }));
        QVERIFY(!browser.selectAllButton()->isEnabled());

        GridView* view = browser.list();
        clickRow(view, 0);
        clickRow(view, 2);
        QCOMPARE(browser.selectedRows(), (QList<int> { 0, 2 }));
        clickRow(view, 0); // a selected row clicked again goes out
        QCOMPARE(browser.selectedRows(), QList<int> { 2 });

        // The wheel moves the current row and leaves the selection alone.
        view->selectionModel()->setCurrentIndex(view->model()->index(0, 0), QItemSelectionModel::NoUpdate);
        QWheelEvent wheel(QPointF(5, 5), view->mapToGlobal(QPoint(5, 5)), {}, QPoint(0, -120), Qt::NoButton, {},
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        QCOMPARE(view->currentIndex().row(), 1);
        QCOMPARE(browser.selectedRows(), QList<int> { 2 });

        browser.edit1()->setText(u"台北"_s);
        browser.searchButton()->click();
        QVERIFY(browser.selectAllButton()->isEnabled());
        QCOMPARE(column(browser.rows(), u"cus_no"_s), (QStringList { u"C002"_s, u"C003"_s }));
        QVERIFY(browser.selectedRows().isEmpty());
        browser.selectAllButton()->click();
        QCOMPARE(browser.selectedRows(), (QList<int> { 0, 1 }));
        browser.doneButton()->click();
        QCOMPARE(browser.result(), int(QDialog::Accepted));
        QCOMPARE(browser.selectedRows(), (QList<int> { 0, 1 }));
        QCOMPARE(browser.rows().text(1, u"cus_inv"_s), u"統C003"_s);
    }

    void browserExitLeavesNothing()
    {
        if (!freshDatabase())
            return;
        QWidget owner;
        CustomerBrowser browser(m_db->books(), &owner);
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        clickRow(browser.list(), 1);
        QCOMPARE(browser.selectedRows().size(), 1);
        browser.exitButton()->click();
        QVERIFY(browser.selectedRows().isEmpty());
        QCOMPARE(browser.rows().count(), 0);
    }

    void titleClicksAlternate()
    {
        if (!freshDatabase())
            return;
        QWidget owner;
        CustomerBrowser browser(m_db->books(), &owner);
        CustomerRowsModel* model = browser.model();
        auto title = [model](int section) { return model->headerData(section, Qt::Horizontal).toString(); };
        const QStringList numbers = { u"C001"_s, u"C002"_s, u"C003"_s };
        QStringList reversed = numbers;
        std::reverse(reversed.begin(), reversed.end());

        browser.clickTitle(0);
        QCOMPARE(title(0), u"編號 ▼"_s);
        QCOMPARE(column(browser.rows(), u"cus_no"_s), reversed);
        browser.clickTitle(0);
        QCOMPARE(title(0), u"編號 ▲"_s);
        QCOMPARE(column(browser.rows(), u"cus_no"_s), numbers);
        browser.clickTitle(0);
        QCOMPARE(title(0), u"編號 ▼"_s);
        QCOMPARE(column(browser.rows(), u"cus_no"_s), reversed);

        browser.clickTitle(2); // another column: descending, the first title plain again
        QCOMPARE(title(0), u"編號"_s);
        QCOMPARE(title(2), u"地址 ▼"_s);
        QCOMPARE(column(browser.rows(), u"cus_add"_s), (QStringList { u"基隆市"_s, u"台北市中正區"_s, u"台北市"_s }));
        QCOMPARE(browser.list()->currentIndex(), model->index(0, 2));
        QVERIFY(browser.selectedRows().isEmpty());
    }

    void registerWindow()
    {
        if (!freshDatabase())
            return;
        CustomerWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        DataSet* set = window.customers().customers();
        QCOMPARE(set->count(), 3);
        QCOMPARE(set->text(u"cus_no"_s), u"C001"_s);
        ModuleToolbar* bar = window.toolbar();
        QVERIFY(bar->sbprint()->isEnabled()); // the mailing labels

        bar->sbinsert()->click();
        QCOMPARE(set->state(), DataSet::State::Insert);
        QVERIFY(!window.list()->isEnabled());
        QVERIFY(!window.numberEdit()->isReadOnly());
        QCOMPARE(window.findChild<QLineEdit*>(u"DBEdit3"_s)->text(), todayText());
        QCOMPARE(window.findChild<QComboBox*>(u"DBComboBox1"_s)->currentText(), u"1"_s);

        QTest::keyClicks(window.numberEdit(), u"C002"_s);
        bar->sbpost()->click();
        QCOMPARE(m_messages.lastText(), u"客戶編號重覆!"_s);
        QCOMPARE(set->state(), DataSet::State::Insert);

        window.numberEdit()->clear();
        QTest::keyClicks(window.numberEdit(), u"C009"_s);
        window.setAddressSource([](QWidget*) { return u"(100)台北市中正區重慶南路巷12號"_s; });
        window.chooseAddress();
        window.pickDate(QDate(2026, 1, 5));
        QVERIFY(window.calendar()->isHidden());
        bar->sbpost()->click();
        QCOMPARE(set->state(), DataSet::State::Browse);
        QVERIFY(window.numberEdit()->isReadOnly());
        auto stored
            = sql::first(m_db->books(), u"select * from custom where cus_no = :no"_s, { { u":no"_s, u"C009"_s } });
        QVERIFY(stored && stored->has_value());
        QCOMPARE(sql::text(**stored, u"cus_add"_s), u"(100)台北市中正區重慶南路巷12號"_s);
        QCOMPARE(sql::text(**stored, u"cus_date"_s), u"2026/01/05"_s);
        QCOMPARE(sql::text(**stored, u"cus_level"_s), u"1"_s);

        // A wizard closed without "確定" leaves the address as it was.
        window.setAddressSource([](QWidget*) { return QString(); });
        window.chooseAddress();
        QCOMPARE(set->state(), DataSet::State::Browse);

        // "離開" asks while a record is being edited; No keeps the window.
        QTest::keyClicks(window.findChild<QLineEdit*>(u"DBEdit2"_s), u"X"_s);
        m_messages.answers = { false };
        m_messages.clear();
        bar->sbexit()->click();
        QCOMPARE(m_messages.lastText(), u"確定要離開嗎?"_s);
        QVERIFY(window.isVisible());
    }

    // 50,000 customers more: the window shows the first block at once, reads
    // more as the list scrolls, and searches with the first block too.
    void registerFetchesAsItScrolls()
    {
        if (!freshDatabase())
            return;
        const QSqlDatabase db = m_db->books();
        m_db->exec(dialectOf(db) == Dialect::Postgres
                ? u"insert into custom (cus_no, cus_name, cus_add, cus_tel1, cus_level) "
                  "select 'K' || lpad(i::text, 5, '0'), '商行' || i, '台北市', '02-' || i, '1' "
                  "from generate_series(1, 50000) as g(i)"_s
                : u"with recursive n(i) as (select 1 union all select i + 1 from n where i < 50000) "
                  "insert into custom (cus_no, cus_name, cus_add, cus_tel1, cus_level) "
                  "select printf('K%05d', i), '商行' || i, '台北市', '02-' || i, '1' from n"_s);
        const int block = CustomerRegister::kFetchSize;

        QElapsedTimer clock;
        clock.start();
        CustomerWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const qint64 opened = clock.elapsed();
        DataSet* set = window.customers().customers();
        QCOMPARE(set->count(), block);
        QCOMPARE(set->text(u"cus_no"_s), u"C001"_s);
        QVERIFY(window.toolbar()->sbnext()->isEnabled());

        // Scrolled to the bottom, the list reads the next block.
        GridView* view = window.list()->dbGrid1();
        QSignalSpy inserted(view->model(), &QAbstractItemModel::rowsInserted);
        view->scrollToBottom();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), block);
        QCOMPARE(inserted.at(0).at(2).toInt(), 2 * block - 1);
        QCOMPARE(view->model()->rowCount(), 2 * block);

        // A number stored far beyond the rows read is still taken.
        window.toolbar()->sbinsert()->click();
        QTest::keyClicks(window.numberEdit(), u"K49000"_s);
        m_messages.clear();
        window.toolbar()->sbpost()->click();
        QCOMPARE(m_messages.lastText(), u"客戶編號重覆!"_s);
        QCOMPARE(set->state(), DataSet::State::Insert);
        window.toolbar()->sbcancel()->click();
        QCOMPARE(set->state(), DataSet::State::Browse);

        const auto searchFor = [&](const QString& text) {
            window.toolbar()->edit1()->setText(text);
            clock.restart();
            window.toolbar()->speedButton10()->click();
            return clock.elapsed();
        };
        const qint64 manyFound = searchFor(u"商行"_s);
        QCOMPARE(set->count(), block);
        QVERIFY(set->canFetchMore());
        const qint64 oneFound = searchFor(u"02-49999"_s); // the whole table looked through
        QCOMPARE(set->count(), 1);
        QVERIFY(!set->canFetchMore());
        QCOMPARE(set->text(u"cus_no"_s), u"K49999"_s);

        searchFor(QString());
        clock.restart();
        set->last();
        const qint64 all = clock.elapsed();
        QCOMPARE(set->count(), 50003);
        QCOMPARE(set->text(u"cus_no"_s), u"K50000"_s);
        qInfo("%s, 50,003 customers: opened in %lld ms; search with 50,003 found %lld ms, with 1 found %lld ms; "
              "every row read in %lld ms",
            qPrintable(TestDatabase::kindName()), opened, manyFound, oneFound, all);
    }

    void wizardWithoutPostalCodesStillTypes()
    {
        m_messages.clear();
        AddressWizardDialog dialog(QSqlDatabase {}, nullptr);
        QVERIFY(dialog.box(AddressWizard::City)->count() == 0);
        dialog.box(AddressWizard::City)->setEditText(u"台北市"_s);
        for (const QString& key : { u"巷"_s, u"1"_s, u"2"_s, u"號"_s })
            dialog.findChild<QPushButton*>(u"Key"_s + QString::number(AddressWizard::keyCaptions().indexOf(key) + 1))
                ->click();
        dialog.findChild<QPushButton*>(u"BackButton"_s)->click();
        QCOMPARE(dialog.addressEdit()->toPlainText(), u"()台北市巷12"_s);
        dialog.findChild<QPushButton*>(u"OkButton"_s)->click();
        QCOMPARE(dialog.result(), u"()台北市巷12"_s);
    }
};

QTEST_MAIN(TestCustomerWindows)
#include "tst_db_customerwindows.moc"
