#include "core/db/seed.h"
#include "core/db/sql.h"
#include "core/ledger/vouchers.h"
#include "gui/ledger/postingwindow.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/shell.h"
#include "support/fakeshell.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);

struct L {
    QString account;
    double debit;
    double credit;
    QString department = {};
};

bool saveVoucher(const QSqlDatabase& db, const QString& date, const QList<L>& lines)
{
    vouchers::Voucher v = vouchers::newVoucher(kSeed, u"admin"_s, { u"NT"_s, 1, u"%.0f"_s }, date);
    int sn = 0;
    for (const L& l : lines) {
        vouchers::Line line = vouchers::newLine(v, sn++);
        line.account = l.account;
        line.name = u"名"_s + l.account;
        line.debit = l.debit;
        line.credit = l.credit;
        line.department = l.department;
        v.lines.append(line);
    }
    return bool(vouchers::save(db, v));
}

// The grid as shown: one "month|general|code|name|debit|dcount|credit|ccount|dep" line a row.
QStringList shownRows(const PostingWindow& w)
{
    const QAbstractItemModel* model = w.grid()->dbGrid1()->model();
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data().toString());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

int count(const QSqlDatabase& db, const QString& text)
{
    return sql::scalar(db, text, { { u":c"_s, kSeed } })->toInt();
}

} // namespace

class TestPostingWindow : public QObject {
    Q_OBJECT

    FakeShell m_shell;
    ScriptedMessages m_messages;
    std::unique_ptr<TestDatabase> m_db;

    // A fresh database with May's vouchers: 1101001 in 管理部 and without
    // department, against 1102.
    bool freshDatabase()
    {
        if (!freshBooks(m_shell, m_db))
            return false;
        m_messages.clear();
        return saveVoucher(
                   m_db->books(), u"2024/05/02"_s, { { u"1101001"_s, 100, 0, u"管理部"_s }, { u"1102"_s, 0, 100 } })
            && saveVoucher(m_db->books(), u"2024/05/31"_s, { { u"1101001"_s, 30, 0 }, { u"1102"_s, 0, 30 } });
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_shell.state.cur_comp = kSeed;
        m_shell.state.cur_user = u"admin"_s;
        m_shell.state.rights = Rights { .can_add = true, .can_save = true, .can_delete = true, .can_print = true };
        Shell::install(&m_shell);
        Messages::install(&m_messages);
    }
    void cleanupTestCase()
    {
        m_shell.db = {};
        m_db.reset();
        Messages::install(nullptr);
        Shell::install(nullptr);
    }

    void postingShowsTheMonth()
    {
        if (!freshDatabase())
            return;
        PostingWindow w;
        QCOMPARE(w.monthField()->text(), QDate::currentDate().toString(u"yyyy/MM"_s));
        QVERIFY(!w.toolbar()->sbinsert()->isEnabled());
        QVERIFY(!w.toolbar()->sbprint()->isEnabled());
        QVERIFY(w.toolbar()->sbexit()->isEnabled());

        w.monthField()->setText(u"2024/05"_s);
        w.postButton()->click();
        const QStringList may = {
            u"2024/05|1101|1101-001|名1101001|100|2|0|0|管理部"_s,
            u"2024/05|1101|1101-001|名1101001|30|2|0|0|"_s,
            u"2024/05|1102|1102|名1102|0|0|130|2|"_s,
        };
        QStringList shown = shownRows(w);
        shown.sort(); // the rows of one account come in no particular order
        QCOMPARE(shown, may);
        QVERIFY(m_messages.shown.isEmpty()); // no question, no completion message

        // A day picked in the calendar queries its month.
        Q_EMIT w.calendar()->activated(QDate(2024, 6, 30));
        QCOMPARE(w.monthField()->text(), u"2024/06"_s);
        QVERIFY(shownRows(w).isEmpty());
        Q_EMIT w.calendar()->activated(QDate(2024, 5, 1));
        QCOMPARE(shownRows(w).size(), 3);

        // "過部門帳" writes finposp and leaves the grid as it was.
        const QSqlDatabase db = m_db->books();
        m_db->exec(u"delete from finpos"_s);
        w.departmentsButton()->click();
        QCOMPARE(count(db, u"select count(*) from finposp where comp = :c and finp_temp = '部門過帳'"_s), 1);
        QCOMPARE(shownRows(w).size(), 3);
        w.queryButton()->click();
        QVERIFY(shownRows(w).isEmpty());
        QVERIFY(m_messages.shown.isEmpty());
    }

    void blankMonth_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("refused");
        QTest::newRow("開始過帳") << u"開始過帳"_s << true;
        QTest::newRow("過部門帳") << u"過部門帳"_s << true;
        QTest::newRow("大類過帳: nothing to post") << u"大類過帳"_s << false;
    }
    void blankMonth()
    {
        QFETCH(QString, button);
        QFETCH(bool, refused);
        if (!freshDatabase())
            return;
        const QSqlDatabase db = m_db->books();
        m_db->exec(u"update fincd set find_dep = null where find_dep = ''"_s);
        PostingWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.monthField()->clear();
        QPushButton* pressed = nullptr;
        for (QPushButton* b : { w.postButton(), w.departmentsButton(), w.generalButton() }) {
            if (b->text() == button)
                pressed = b;
        }
        QVERIFY(pressed);
        QTest::mouseClick(pressed, Qt::LeftButton);

        if (refused) {
            QCOMPARE(m_messages.shown.size(), 1);
            QCOMPARE(m_messages.lastText(), u"請輸入過帳月份！"_s);
            QCOMPARE(m_messages.shown.last().caption, u"資料錯誤"_s);
            QCOMPARE(m_messages.shown.last().icon, Messages::Icon::Error);
            QCOMPARE(QApplication::focusWidget(), w.monthField());
        } else {
            QVERIFY(m_messages.shown.isEmpty());
        }
        // Nothing changed: not even the departments of the lines.
        QCOMPARE(count(db, u"select count(*) from fincd where comp = :c and find_dep is null"_s), 3);
        for (const char* table : { "finpos", "finpos1", "finposp" })
            QCOMPARE(count(db, u"select count(*) from "_s + QString::fromLatin1(table) + u" where comp = :c"_s), 0);
    }

    void generalPostingRequeries()
    {
        if (!freshDatabase())
            return;
        const QSqlDatabase db = m_db->books();
        PostingWindow w;
        w.monthField()->setText(u"2024/05"_s);
        w.queryButton()->click();
        QVERIFY(shownRows(w).isEmpty());
        // A row posted meanwhile (from another workstation) shows after "大類過帳".
        m_db->exec(
            u"insert into finpos (comp, finp_dat, finp_acc, finp_acct, finp_accN, finp_dec, finp_dcou, finp_cre,"
            " finp_ccou, finp_dep, finp_temp) values ('%1', '2024/05', '1101001', '1101', '現金', 5, 1, 0, 0, '', '過帳')"_s
                .arg(kSeed));

        w.generalButton()->click();
        const auto rows = sql::rows(db,
            u"select finp_acct, finp_dec, finp_cre, finp_dcou, finp_ccou from finpos1"
            " where comp = :c and finp_dat = '2024/05' and finp_temp = '過帳' order by finp_acct"_s,
            { { u":c"_s,
                kSeed } }).value();
        QStringList general;
        for (const QSqlRecord& r : rows) {
            QStringList f;
            for (int i = 0; i < r.count(); ++i)
                f.append(r.value(i).toString());
            general.append(f.join(u'|'));
        }
        QCOMPARE(general, (QStringList { u"1101|130|0|2|0"_s, u"1102|0|130|0|2"_s }));
        QCOMPARE(shownRows(w), (QStringList { u"2024/05|1101|1101-001|現金|5|1|0|0|"_s }));
        QVERIFY(m_messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestPostingWindow)
#include "tst_db_postingwindow.moc"
