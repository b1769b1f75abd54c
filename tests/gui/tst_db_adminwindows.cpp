#include "core/admin/dateformatsetting.h"
#include "core/db/sql.h"
#include "gui/admin/curbasewindow.h"
#include "gui/admin/custypewindow.h"
#include "gui/admin/syssetwindow.h"
#include "gui/admin/taccountwindow.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/shell.h"
#include "support/fakeshell.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

int countOf(const QSqlDatabase& db, const QString& text)
{
    auto n = sql::scalar(db, text);
    return n ? n->toInt() : -1;
}

// Types `text` into a grid cell through its editor, as the user would.
void typeIntoCell(GridFrame* grid, int row, int column, const QString& text)
{
    GridView* view = grid->dbGrid1();
    const QModelIndex index = view->model()->index(row, column);
    QAbstractItemDelegate* delegate = view->itemDelegateForIndex(index);
    QStyleOptionViewItem option;
    std::unique_ptr<QWidget> editor(delegate->createEditor(view->viewport(), option, index));
    QVERIFY(editor);
    delegate->setEditorData(editor.get(), index);
    auto* edit = qobject_cast<QLineEdit*>(editor.get());
    QVERIFY(edit);
    edit->setText(text);
    delegate->setModelData(editor.get(), view->model(), index);
}

} // namespace

class TestAdminWindows : public QObject {
    Q_OBJECT

    FakeShell m_shell;
    ScriptedMessages m_messages;
    QTemporaryDir m_settings;
    std::unique_ptr<TestDatabase> m_db;

    bool freshDatabase()
    {
        m_db.reset(); // its connection name is taken again
        m_db = TestDatabase::create(true);
        if (!m_db)
            return false;
        m_shell.db = m_db->books();
        m_messages.clear();
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_shell.state.cur_comp = u"示範公司"_s;
        m_shell.state.cur_user = u"admin"_s;
        // sysset, cur_baseF and custype ignore the rights: give none.
        m_shell.state.rights = Rights {};
        Shell::install(&m_shell);
        Messages::install(&m_messages);
    }

    void cleanupTestCase()
    {
        Messages::install(nullptr);
        Shell::install(nullptr);
    }

    void syssetKeyFieldAndList()
    {
        if (!freshDatabase())
            return;
        SyssetWindow w;
        w.show();
        auto* name = w.findChild<QLineEdit*>(u"DBEdit1"_s);
        auto* title = w.findChild<QLineEdit*>(u"DBEdit2"_s);
        auto* list = w.findChild<GridFrame*>(u"GridFrame1"_s);
        QVERIFY(name && title && list);
        QVERIFY(name->isReadOnly());
        QCOMPARE(name->maxLength(), 10);
        QVERIFY(w.toolbar()->sbinsert()->isEnabled());
        QVERIFY(!w.toolbar()->sbprint()->isEnabled());

        // Editing an existing company disables the list.
        QTest::keyClicks(title, u"X"_s);
        QCOMPARE(w.companies().state(), DataSet::State::Edit);
        QVERIFY(!list->isEnabled());
        w.toolbar()->sbcancel()->click();
        QVERIFY(list->isEnabled());
        QCOMPARE(title->text(), u"示範公司"_s);

        w.toolbar()->sbinsert()->click();
        QVERIFY(!name->isReadOnly());
        QVERIFY(!w.toolbar()->sbinsert()->isEnabled());
        QVERIFY(!list->isEnabled());

        // An empty name is refused and the focus goes to it.
        title->setFocus();
        w.toolbar()->sbpost()->click();
        QCOMPARE(m_messages.lastText(), u"公司編號不可以為空!"_s);
        QCOMPARE(m_messages.shown.last().caption, u"資料錯誤"_s);
        QCOMPARE(w.focusWidget(), name);
        QVERIFY(w.companies().hasChanges());

        QTest::keyClicks(name, u"ABC"_s);
        m_messages.clear();
        w.toolbar()->sbpost()->click();
        QVERIFY2(m_messages.shown.isEmpty(), qPrintable(m_messages.lastText()));
        QVERIFY(name->isReadOnly());
        QVERIFY(list->isEnabled());
        QVERIFY(w.toolbar()->sbinsert()->isEnabled());
        QCOMPARE(countOf(m_db->books(), u"select count(*) from cuery where comp = 'ABC'"_s), 1);
    }

    void syssetDeleteIsHeld()
    {
        if (!freshDatabase())
            return;
        SyssetWindow w;
        w.toolbar()->sbdelete()->click();
        QCOMPARE(m_messages.lastText(), u"不可刪除!"_s);
        QCOMPARE(w.companies().count(), 1);

        QVERIFY(sql::insert(m_db->books(), u"company"_s, { { u"comp_name"_s, u"乙公司"_s } }).ok());
        QVERIFY(w.companies().requery().ok());
        m_messages.clear();
        w.toolbar()->sbdelete()->click();
        QVERIFY(m_messages.shown.isEmpty()); // no question
        QCOMPARE(w.companies().count(), 1);
        w.toolbar()->sbcancel()->click();
        QCOMPARE(w.companies().count(), 2);
        QCOMPARE(countOf(m_db->books(), u"select count(*) from company"_s), 2);
    }

    void syssetCommonDataAndDates()
    {
        if (!freshDatabase())
            return;
        SyssetWindow w;
        auto* add = w.findChild<QPushButton*>(u"BitBtn1"_s);
        auto* save = w.findChild<QPushButton*>(u"BitBtn3"_s);
        QVERIFY(add && save);
        QVERIFY(!add->isEnabled() && !save->isEnabled());
        QVERIFY(!w.commonData().isActive());
        auto* combo = w.findChild<QComboBox*>(u"ComboBox1"_s);
        combo->setCurrentIndex(0);
        QVERIFY(add->isEnabled() && save->isEnabled());
        const int kinds = w.commonData().count();
        QVERIFY(kinds >= 3);
        add->click();
        w.commonData().setValue(u"cat_name"_s, u"外幣存款"_s);
        add->click(); // left empty: dropped
        save->click();
        QCOMPARE(w.commonData().count(), kinds + 1);
        QCOMPARE(countOf(m_db->books(), u"select count(*) from catlog where cat_type = 'B_type'"_s), kinds + 1);

        auto* fix = w.findChild<QPushButton*>(u"Button1"_s);
        m_messages.clear();
        fix->click();
        QCOMPARE(dateFormatSetting(), u"yyyy/MM/dd"_s);
        QVERIFY(m_messages.shown.isEmpty());
    }

    void curBaseButtonsAndBanks()
    {
        if (!freshDatabase())
            return;
        QVERIFY(
            sql::insert(m_db->books(), u"not_bank"_s, { { u"not_no"_s, u"004"_s }, { u"not_type"_s, u"本國銀行"_s } })
                .ok());
        CurBaseWindow w;
        for (QToolButton* b : { w.toolbar()->sbinsert(), w.toolbar()->sbdelete(), w.toolbar()->sbpost(),
                 w.toolbar()->sbcancel(), w.toolbar()->sbprint(), w.toolbar()->speedButton10() })
            QVERIFY(!b->isEnabled());
        QVERIFY(w.button(CurBaseWindow::Banks, 1)->isEnabled()); // one bank of 本國銀行
        QVERIFY(!w.button(CurBaseWindow::Banks, 2)->isEnabled());

        w.bankKinds()->setCurrentIndex(1); // 外商銀行
        QVERIFY(!w.button(CurBaseWindow::Banks, 1)->isEnabled()); // none of that kind
        w.button(CurBaseWindow::Banks, 0)->click();
        QCOMPARE(w.banks().text(u"not_type"_s), u"外商銀行"_s);
        QVERIFY(w.button(CurBaseWindow::Banks, 2)->isEnabled());
        QVERIFY(!w.button(CurBaseWindow::Banks, 0)->isEnabled());

        // The code of a bank of another kind is refused; the cell keeps its content.
        const int row = w.banks().currentRow();
        typeIntoCell(w.grid(CurBaseWindow::Banks), row, 1, u"004"_s);
        QCOMPARE(m_messages.lastText(), u"銀行編號重複！請重新確認！"_s);
        QCOMPARE(w.banks().value(row, u"not_no"_s).toString(), QString());
        typeIntoCell(w.grid(CurBaseWindow::Banks), row, 1, u"701"_s);
        QCOMPARE(w.banks().value(row, u"not_no"_s).toString(), u"701"_s);
        // The telephone keeps its brackets and hyphen; a blank mask stores nothing.
        typeIntoCell(w.grid(CurBaseWindow::Banks), row, 3, QString());
        QCOMPARE(w.banks().value(row, u"not_tel"_s).toString(), QString());
        typeIntoCell(w.grid(CurBaseWindow::Banks), row, 3, u"0223456789"_s);
        QCOMPARE(w.banks().value(row, u"not_tel"_s).toString(), u"(02)2345-6789"_s);

        w.button(CurBaseWindow::Banks, 2)->click();
        QCOMPARE(countOf(m_db->books(), u"select count(*) from not_bank where not_type = '外商銀行'"_s), 1);
        QVERIFY(!w.grid(CurBaseWindow::Banks)->dbGrid1()->isRowHidden(w.banks().currentRow()));
    }

    void curBaseCurrencies()
    {
        if (!freshDatabase())
            return;
        CurBaseWindow w;
        GridFrame* grid = w.grid(CurBaseWindow::Currencies);
        w.button(CurBaseWindow::Currencies, 0)->click();
        const int row = w.currencies().currentRow();
        QCOMPARE(w.currencies().text(u"cuery_for"_s), u"%.0f"_s);
        typeIntoCell(grid, row, 0, u"NT"_s);
        QCOMPARE(m_messages.lastText(), u"幣別重複！請重新確認！"_s);
        typeIntoCell(grid, row, 0, u"USD"_s);
        QCOMPARE(w.currencies().value(row, u"cuery_no"_s).toString(), u"USD"_s);
        QVERIFY(grid->dbGrid1()->model()->setData(grid->dbGrid1()->model()->index(row, 3), u"2"_s));
        QCOMPARE(w.currencies().value(row, u"cuery_for"_s).toString(), u"%.2f"_s);

        // A second new row cannot take the held code.
        w.currencies().post();
        w.button(CurBaseWindow::Currencies, 0)->click();
        m_messages.clear();
        typeIntoCell(grid, w.currencies().currentRow(), 0, u"USD"_s);
        QCOMPARE(m_messages.lastText(), u"幣別重複！請重新確認！"_s);
        w.button(CurBaseWindow::Currencies, 2)->click(); // the empty row goes
        QCOMPARE(countOf(m_db->books(), u"select count(*) from cuery where comp = '示範公司'"_s), 2);

        // 刪除 asks first; No keeps the row.
        m_messages.answers = { false };
        w.button(CurBaseWindow::Currencies, 1)->click();
        QCOMPARE(m_messages.shown.last().text, u"確定要刪除嗎?"_s);
        QCOMPARE(countOf(m_db->books(), u"select count(*) from cuery where comp = '示範公司'"_s), 2);
    }

    void custypeTabsAndSequence()
    {
        if (!freshDatabase())
            return;
        CustypeWindow w;
        QCOMPARE(w.currentKind(), u"part"_s);
        QVERIFY(!w.toolbar()->sbinsert()->isEnabled());
        const int departments = w.categories().count();
        w.addButton()->click();
        const int before = w.categories().count();
        QCOMPARE(before, departments + 1);
        QCOMPARE(w.categories().text(u"sn"_s), QString::number(departments + 1));

        // The unsaved row is lost on the next tab.
        w.kinds()->setCurrentIndex(1);
        QCOMPARE(w.currentKind(), u"C"_s);
        w.kinds()->setCurrentIndex(0);
        QCOMPARE(w.categories().count(), departments);
        QCOMPARE(countOf(m_db->books(), u"select count(*) from catlog where cat_type = 'part'"_s), departments);
    }

    void taccountUsersAndRights()
    {
        if (!freshDatabase())
            return;
        QVERIFY(sql::insert(m_db->books(), u"account"_s, { { u"user_no"_s, u"amy"_s } }).ok());
        m_shell.state.rights = Rights { .can_add = true, .can_save = true, .can_delete = true, .can_print = true };
        TaccountWindow w;
        m_shell.state.rights = Rights {};
        w.show();
        auto* no = w.findChild<QLineEdit*>(u"DBEdit1"_s);
        auto* name = w.findChild<QLineEdit*>(u"DBEdit2"_s);
        QVERIFY(no && name);
        QVERIFY(!w.toolbar()->sbprint()->isEnabled());

        // admin (the first user) is protected.
        QVERIFY(w.users().locate(u"user_no"_s, u"admin"_s));
        QVERIFY(!w.toolbar()->sbdelete()->isEnabled());
        QVERIFY(!w.deleteRightButton()->isEnabled());
        QVERIFY(w.rightsList().count() > 10);
        QVERIFY(w.users().locate(u"user_no"_s, u"amy"_s));
        QVERIFY(w.toolbar()->sbdelete()->isEnabled());
        QVERIFY(w.deleteRightButton()->isEnabled());
        QCOMPARE(w.rightsList().count(), 0);

        // 載入權限, then a double click flips 使用 and 整批載入 sets every row.
        w.loadButton()->click();
        QVERIFY(w.rightsList().count() > 10);
        QAbstractItemModel* model = w.rightsGrid()->dbGrid1()->model();
        const QString before = w.rightsList().value(0, u"u_view"_s).toString();
        w.flipCell(model->index(0, 1));
        QCOMPARE(w.rightsList().value(0, u"u_view"_s).toString(), before == u"Y"_s ? u"N"_s : u"Y"_s);
        w.flipCell(model->index(0, 1));
        QCOMPARE(w.rightsList().value(0, u"u_view"_s).toString(), before);
        QVERIFY(w.toolbar()->sbpost()->isEnabled());
        w.batchButton()->click();
        QVERIFY(!w.batchButton()->isEnabled());
        w.batchValues().at(4)->setCurrentText(u"N"_s);
        w.batchLoadButton()->click();
        QVERIFY(w.batchButton()->isEnabled());
        w.toolbar()->sbpost()->click();
        QCOMPARE(countOf(m_db->books(),
                     u"select count(*) from acctright where user_no = 'amy' and u_ptint = 'N' "
                     "and u_view = 'Y' and u_add = 'Y' and u_save = 'Y' and u_delete = 'Y'"_s),
            w.rightsList().count());

        // A new user: the key is writable only while inserting, the list disabled.
        QVERIFY(no->isReadOnly());
        w.toolbar()->sbinsert()->click();
        QVERIFY(!no->isReadOnly());
        QVERIFY(!w.userGrid()->isEnabled());
        QCOMPARE(w.focusWidget(), no);
        QTest::keyClicks(name, u"nobody"_s);
        w.toolbar()->sbpost()->click();
        QCOMPARE(m_messages.lastText(), u"帳號不可以為空!"_s);
        QCOMPARE(m_messages.shown.last().caption, u"資料錯誤"_s);
        QCOMPARE(w.focusWidget(), no);
        QTest::keyClicks(no, u"amy"_s);
        w.toolbar()->sbpost()->click();
        QCOMPARE(m_messages.lastText(), u"帳號重複！請重新確認！"_s);
        w.toolbar()->sbcancel()->click();
        QVERIFY(w.userGrid()->isEnabled());
        QCOMPARE(countOf(m_db->books(), u"select count(*) from account"_s), 2);

        // 刪除 removes the user and its rights at once, without a question.
        QVERIFY(w.users().locate(u"user_no"_s, u"amy"_s));
        m_messages.clear();
        w.toolbar()->sbdelete()->click();
        QVERIFY(m_messages.shown.isEmpty());
        QCOMPARE(countOf(m_db->books(), u"select count(*) from account where user_no = 'amy'"_s), 0);
        QCOMPARE(countOf(m_db->books(), u"select count(*) from acctright where user_no = 'amy'"_s), 0);
    }
};

QTEST_MAIN(TestAdminWindows)
#include "tst_db_adminwindows.moc"
