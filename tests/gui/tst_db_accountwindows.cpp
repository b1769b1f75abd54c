#include "core/db/seed.h"
#include "core/db/sql.h"
#include "gui/ledger/accounttypewindow.h"
#include "gui/ledger/chartwindow.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/pickers/accountpicker.h"
#include "gui/shell/pickers/bankpicker.h"
#include "gui/shell/pickers/charttreeview.h"
#include "gui/shell/pickers/notebankpicker.h"
#include "gui/shell/shell.h"
#include "support/fakeshell.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);

void doubleClickItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

void doubleClickRow(GridFrame* grid, int row)
{
    GridView* view = grid->dbGrid1();
    const QPoint at
        = row < 0 ? QPoint(5, view->viewport()->height() - 5) : view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

// Types a code into a masked field and leaves it with Enter.
void typeCode(QLineEdit* field, const QString& digits)
{
    field->setFocus(Qt::OtherFocusReason);
    field->setCursorPosition(0);
    QTest::keyClicks(field, digits);
    QTest::keyClick(field, Qt::Key_Return);
}

} // namespace

class TestAccountWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    FakeShell m_shell;
    ScriptedMessages m_messages;
    QTemporaryDir m_settings;

private Q_SLOTS:
    void initTestCase()
    {
        m_db = TestDatabase::create(true);
        QVERIFY(m_db);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_shell.db = m_db->books();
        m_shell.state.cur_comp = kSeed;
        m_shell.state.cur_user = u"admin"_s;
        m_shell.state.rights = { true, true, true, true };
        Shell::install(&m_shell);
        Messages::install(&m_messages);

        const QSqlDatabase db = m_db->books();
        auto bank = [&db](const QString& comp, const QString& no, const QString& name) {
            return sql::insert(db, u"bank"_s,
                { { u"comp"_s, comp }, { u"bank_no"_s, no }, { u"bank_name"_s, name },
                    { u"bank_acc"_s, QString(no + u"-77"_s) }, { u"bank_cur"_s, u"NT"_s } });
        };
        QVERIFY(bank(kSeed, u"B01"_s, u"台灣銀行"_s));
        QVERIFY(bank(kSeed, u"B02"_s, u"第一銀行 01分行"_s));
        QVERIFY(bank(kSeed, u"B03"_s, u"土地銀行"_s));
        QVERIFY(bank(u"別家"_s, u"B01"_s, u"別家銀行"_s));
        auto noteBank = [&db](const QString& no, const QString& name, const QString& type) {
            return sql::insert(db, u"not_bank"_s,
                { { u"comp"_s, u"別家"_s }, { u"not_no"_s, no }, { u"not_name"_s, name }, { u"not_type"_s, type } });
        };
        QVERIFY(noteBank(u"0040000"_s, u"臺灣銀行"_s, u"本國銀行"_s));
        QVERIFY(noteBank(u"0520000"_s, u"渣打銀行"_s, u"外商銀行"_s));
        QVERIFY(noteBank(u"7000021"_s, u"中華郵政"_s, u"郵局"_s));
    }

    void cleanupTestCase()
    {
        Messages::install(nullptr);
        Shell::install(nullptr);
    }

    void init() { m_messages.clear(); }

    void accountPickerDoubleClick_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("code");
        QTest::newRow("detail account") << u"2193001"_s << u"ok"_s << u"2193001"_s;
        QTest::newRow("general account") << u"2193"_s << u"ok"_s << u"2193"_s;
        QTest::newRow("sub-category") << u"21"_s << u"ok"_s << u"21"_s;
        QTest::newRow("root") << QString() << u"no"_s << QString();
    }

    void accountPickerDoubleClick()
    {
        QFETCH(QString, node);
        QFETCH(QString, result);
        QFETCH(QString, code);
        AccountPicker picker(m_db->books(), kSeed);
        picker.show();
        QVERIFY(picker.tree()->root()->isExpanded());
        QTreeWidgetItem* item = node.isEmpty() ? picker.tree()->root() : picker.tree()->itemForCode(node);
        QVERIFY(item);
        picker.tree()->selectItem(item);
        doubleClickItem(picker.tree(), item);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.pickResult(), result);
        QCOMPARE(picker.pickedAccount(), code);
    }

    void accountPickerLeftAfterAPick()
    {
        AccountPicker picker(m_db->books(), kSeed);
        picker.show();
        QTreeWidgetItem* item = picker.tree()->itemForCode(u"2193002"_s);
        picker.tree()->selectItem(item);
        doubleClickItem(picker.tree(), item);
        QCOMPARE(picker.pickedAccount(), u"2193002"_s);

        picker.show();
        QTest::mouseClick(picker.leaveButton(), Qt::LeftButton);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.pickResult(), u"no"_s);
        QCOMPARE(picker.pickedAccount(), QString());
    }

    void accountPickerSearchSelectsByCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::newRow("general") << u"2193"_s << u"2193"_s;
        QTest::newRow("detail") << u"2193003"_s << u"2193003"_s;
        QTest::newRow("first match of a prefix") << u"62"_s << u"6201"_s;
    }

    void accountPickerSearchSelectsByCode()
    {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        AccountPicker picker(m_db->books(), kSeed);
        picker.show();
        typeCode(picker.searchEdit(), typed);
        QTest::mouseClick(picker.searchButton(), Qt::LeftButton);
        QCOMPARE(ChartTreeView::codeOf(picker.tree()->currentItem()), selected);
        QCOMPARE(picker.pickResult(), u"no"_s);
    }

    void bankPicker()
    {
        BankPicker picker(m_db->books(), kSeed);
        picker.show();
        doubleClickRow(picker.grid(), -1); // nothing searched yet
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.pickResult(), u"no"_s);

        picker.show();
        picker.searchEdit()->setText(u"01"_s);
        QTest::mouseClick(picker.searchButton(), Qt::LeftButton);
        QCOMPARE(picker.rows().count(), 2); // by number and by name, this company only
        doubleClickRow(picker.grid(), 1);
        QCOMPARE(picker.pickResult(), u"ok"_s);
        QCOMPARE(picker.value(u"bank_no"_s), u"B02"_s);
        QCOMPARE(picker.value(u"bank_acc"_s), u"B02-77"_s);

        picker.show();
        picker.searchEdit()->setText(u"no such bank"_s);
        QTest::mouseClick(picker.searchButton(), Qt::LeftButton);
        doubleClickRow(picker.grid(), -1);
        QCOMPARE(picker.pickResult(), u"no"_s);

        picker.show();
        QTest::mouseClick(picker.leaveButton(), Qt::LeftButton);
        QCOMPARE(picker.pickResult(), u"no"_s);
    }

    void noteBankPicker()
    {
        NoteBankPicker picker(m_db->books(), kSeed);
        picker.show();
        QTest::mouseClick(picker.searchButton(), Qt::LeftButton);
        QCOMPARE(picker.rows().count(), 3); // one list for every company
        picker.kindList()->setCurrentText(u"郵局"_s);
        QTest::mouseClick(picker.searchButton(), Qt::LeftButton);
        QCOMPARE(picker.rows().count(), 1);
        doubleClickRow(picker.grid(), 0);
        QCOMPARE(picker.pickResult(), u"ok"_s);
        QCOMPARE(picker.value(u"not_no"_s), u"7000021"_s);
        QCOMPARE(picker.value(u"not_name"_s), u"中華郵政"_s);

        picker.show();
        QTest::mouseClick(picker.leaveButton(), Qt::LeftButton);
        QCOMPARE(picker.pickResult(), u"no"_s);
    }

    void chartWindowShowsTheWholeChart()
    {
        ChartWindow w;
        const int categories = sql::scalar(m_db->books(), u"select count(*) from acc_type where comp = :c"_s,
            { { u":c"_s, kSeed } })->toInt();
        const int accounts = sql::scalar(m_db->books(), u"select count(*) from acct where comp = :c"_s,
            { { u":c"_s,
                kSeed } })->toInt();
        QCOMPARE(w.tree()->items().size(), 1 + categories + accounts);
        QTreeWidgetItem* detail = w.tree()->itemForCode(u"2193001"_s);
        QVERIFY(detail);
        QCOMPARE(detail->text(0), u"2193-001 代扣薪資所得稅"_s);
        QCOMPARE(ChartTreeView::codeOf(detail->parent()), u"2193"_s);
        QCOMPARE(ChartTreeView::codeOf(detail->parent()->parent()), u"21"_s);
        QCOMPARE(ChartTreeView::codeOf(detail->parent()->parent()->parent()), u"2"_s);
        QCOMPARE(w.tree()->root()->text(0), u"科目類別"_s);

        // A click on an account node moves the record; on a category it does not.
        w.tree()->selectItem(detail);
        Q_EMIT w.tree()->itemClicked(detail, 0);
        QCOMPARE(w.accounts().text(u"acct_4"_s), u"2193001"_s);
        QCOMPARE(w.codeField()->text(), u"2193-001"_s);
        Q_EMIT w.tree()->itemClicked(detail->parent()->parent(), 0);
        QCOMPARE(w.accounts().text(u"acct_4"_s), u"2193001"_s);

        AccountTypeWindow types;
        QCOMPARE(types.tree()->items().size(), 1 + categories);
        QCOMPARE(types.tree()->itemForCode(u"21"_s)->text(0), u"21. 流動負債"_s);
        QCOMPARE(types.tree()->itemForCode(u"21"_s)->parent()->text(0), u"2. 負債"_s);
    }

    void typedCodeRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("five digits") << u"11011"_s << u"會計科目長度需為四碼或七碼！請重新輸入！"_s;
        QTest::newRow("existing") << u"1101"_s << u"會計科目重複！請重新輸入！"_s;
        QTest::newRow("no category") << u"1901"_s << u"無此科目類別！請回科目類別建立！"_s;
        QTest::newRow("no general account") << u"1109001"_s << u"無此父科目！請先建立四碼父科目！"_s;
    }

    void typedCodeRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        ChartWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(w.toolbar()->sbinsert(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w.codeField());
        typeCode(w.codeField(), typed);
        QCOMPARE(m_messages.lastText(), message);
        QCOMPARE(m_messages.shown.last().caption, u"資料錯誤"_s);
        QCOMPARE(QApplication::focusWidget(), w.codeField());
        QCOMPARE(w.accounts().text(u"acct_4"_s), QString());
        QCOMPARE(w.codeField()->text(), u"-"_s); // the mask alone: nothing taken
        QVERIFY(!w.tree()->isEnabled());
        QTest::mouseClick(w.toolbar()->sbcancel(), Qt::LeftButton);
        QVERIFY(w.tree()->isEnabled());
    }

    void chartSaveAndDelete()
    {
        ChartWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.tree()->selectItem(w.tree()->itemForCode(u"2193"_s));
        Q_EMIT w.tree()->itemClicked(w.tree()->currentItem(), 0);

        QTest::mouseClick(w.toolbar()->sbdelete(), Qt::LeftButton);
        QCOMPARE(m_messages.lastText(), u"有子科目不可以刪除！請重新輸入！"_s);

        QTest::mouseClick(w.toolbar()->sbinsert(), Qt::LeftButton);
        typeCode(w.codeField(), u"2193005"_s);
        QCOMPARE(w.accounts().text(u"acct_4"_s), u"2193005"_s);
        auto* name = w.findChild<QLineEdit*>(u"DBEdit2"_s);
        name->setFocus();
        QTest::keyClicks(name, u"Other"_s);
        m_messages.clear();
        QTest::mouseClick(w.toolbar()->sbpost(), Qt::LeftButton);
        QCOMPARE(m_messages.shown.size(), 0);
        QVERIFY(w.tree()->itemForCode(u"2193005"_s));
        QCOMPARE(w.tree()->itemForCode(u"2193005"_s)->text(0), u"2193-005 Other"_s);
        // The node selected before the save began with "21": the first such node is selected again.
        QCOMPARE(ChartTreeView::codeOf(w.tree()->currentItem()), u"21"_s);
        const auto row = sql::first(m_db->books(),
            u"select acct_3, acct_side from acct where comp = :c and acct_4 = '2193005'"_s, { { u":c"_s, kSeed } });
        QVERIFY(row.ok() && row->has_value());
        QCOMPARE(sql::text(**row, u"acct_3"_s), u"2193"_s);

        m_messages.answers = { true };
        QTest::mouseClick(w.toolbar()->sbdelete(), Qt::LeftButton);
        QCOMPARE(m_messages.lastText(), u"確定要刪除嗎?"_s);
        QVERIFY(!w.tree()->itemForCode(u"2193005"_s));
        QVERIFY(!sql::first(
            m_db->books(), u"select acct_4 from acct where comp = :c and acct_4 = '2193005'"_s, { { u":c"_s, kSeed } })
                     ->has_value());
    }

    void openedFromTheMenu()
    {
        {
            MainWindow main;
            main.session().cur_user = u"admin"_s;
            main.session().cur_comp = kSeed;
            main.show();
            for (const QString& name : { u"acc_typeF"_s, u"acctF"_s }) {
                QMdiSubWindow* sub = main.openModule(name);
                QVERIFY2(sub, qPrintable(m_messages.lastText()));
                QCOMPARE(sub->widget()->objectName(), name);
                QVERIFY(!sub->widget()->findChild<ChartTreeView*>()->items().isEmpty());
            }
            for (QMdiSubWindow* w : main.mdiArea()->subWindowList()) {
                w->setAttribute(Qt::WA_DeleteOnClose, false);
                delete w;
            }
        }
        Shell::install(&m_shell);
    }

    void categoryDuplicateAndSave()
    {
        AccountTypeWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(w.toolbar()->sbinsert(), Qt::LeftButton);
        QCOMPARE(w.findChild<QComboBox*>(u"DBComboBox1"_s)->currentText(), u"否"_s);
        typeCode(w.codeField(), u"11"_s);
        QCOMPARE(m_messages.lastText(), u"科目類別重複！請重新輸入！"_s);
        QCOMPARE(QApplication::focusWidget(), w.codeField());
        QCOMPARE(w.codeField()->text(), QString());

        m_messages.clear();
        w.codeField()->clear();
        typeCode(w.codeField(), u"19"_s);
        QCOMPARE(m_messages.shown.size(), 0);
        auto* name = w.findChild<QLineEdit*>(u"DBEdit3"_s);
        name->setFocus();
        QTest::keyClicks(name, u"Other"_s);
        QTest::mouseClick(w.toolbar()->sbpost(), Qt::LeftButton);
        QCOMPARE(m_messages.shown.size(), 0);
        QTreeWidgetItem* saved = w.tree()->currentItem();
        QVERIFY(saved);
        QCOMPARE(saved->text(0), u"19. Other"_s);
        QCOMPARE(saved->parent()->text(0), u"1. 資產"_s);

        m_messages.answers = { true };
        QTest::mouseClick(w.toolbar()->sbdelete(), Qt::LeftButton);
        QVERIFY(!w.tree()->itemForCode(u"19"_s));
    }
};

QTEST_MAIN(TestAccountWindows)
#include "tst_db_accountwindows.moc"
