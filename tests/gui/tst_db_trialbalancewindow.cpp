#include "core/db/seed.h"
#include "core/db/sql.h"
#include "gui/reports/trialbalancewindow.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/shell.h"
#include "print/report.h"
#include "support/fakeshell.h"
#include "support/testdatabase.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSeed = QString::fromUtf8(kSeedCompany);

void post(const QSqlDatabase& db, const QString& month, const QString& account, const QString& name, double debit,
    double credit)
{
    QVERIFY(sql::insert(db, u"finpos"_s,
        { { u"comp"_s, kSeed }, { u"finp_dat"_s, month }, { u"finp_temp"_s, u"過帳"_s }, { u"finp_acc"_s, account },
            { u"finp_accN"_s, name }, { u"finp_dep"_s, QString() }, { u"finp_dec"_s, debit }, { u"finp_cre"_s, credit },
            { u"finp_dcou"_s, debit > 0 ? 1 : 0 }, { u"finp_ccou"_s, credit > 0 ? 1 : 0 },
            { u"finp_acct"_s, account.left(4) }, { u"finp_acct1"_s, account.left(1) } }));
}

QStringList shownRows(TrialBalanceWindow& w)
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

const print::DataSource* source(const print::Report& report, const QString& name)
{
    for (const print::DataSource& s : report.sources) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

} // namespace

class TestTrialBalanceWindow : public QObject {
    Q_OBJECT

    FakeShell m_shell;
    ScriptedMessages m_messages;
    std::unique_ptr<TestDatabase> m_db;

private Q_SLOTS:
    void initTestCase()
    {
        m_shell.state.cur_comp = kSeed;
        m_shell.state.cur_user = u"admin"_s;
        Shell::install(&m_shell);
        Messages::install(&m_messages);
    }
    void init()
    {
        if (!freshBooks(m_shell, m_db))
            return;
        m_messages.clear();
        post(m_db->books(), u"2024/01"_s, u"1101"_s, u"庫存現金"_s, 1000, 0);
        post(m_db->books(), u"2024/02"_s, u"1102001"_s, u"甲銀行"_s, 0, 250);
        post(m_db->books(), u"2023/12"_s, u"1102002"_s, u"乙銀行"_s, 40, 0);
    }
    void cleanupTestCase()
    {
        m_shell.db = {};
        m_db.reset();
        Messages::install(nullptr);
        Shell::install(nullptr);
    }

    void queryFillsTheGridAndEnablesPrint()
    {
        if (!m_db)
            QSKIP("no database");
        TrialBalanceWindow w;
        QCOMPARE(w.objectName(), u"flist1F"_s);
        QCOMPARE(w.windowTitle(), u"試算表"_s);
        QCOMPARE(w.titleLabel()->text(), u"試算表"_s);
        const QString month = QDate::currentDate().toString(u"yyyy/MM"_s);
        QCOMPARE(w.fromText(), month);
        QCOMPARE(w.toText(), month);
        QVERIFY(w.checkBox1()->isChecked());
        QCOMPARE(w.checkBox1()->text(), u"是否列印明細"_s);
        QVERIFY(w.monthCalendar1()->isHidden());
        ModuleToolbar* tb = w.toolbar();
        for (QToolButton* b : { tb->speedButton10(), tb->sbinsert(), tb->sbdelete(), tb->sbpost(), tb->sbcancel(),
                 tb->sbprint(), tb->sbprior(), tb->sbnext() })
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(tb->sbexit()->isEnabled());
        QVERIFY(tb->speedButton1()->isEnabled());

        w.maskEdit1()->setText(u"2024/01"_s);
        w.maskEdit2()->setText(u"2024/02"_s);
        w.button3()->click();
        QVERIFY(m_messages.shown.isEmpty());
        QCOMPARE(shownRows(w),
            (QStringList { u"1101|庫存現金|1000|1|0|0|1000|0"_s, u"1102-001|甲銀行|0|0|250|1|0|250"_s,
                u"1102-002|乙銀行|0|0|0|0|40|0"_s }));
        QVERIFY(tb->sbprint()->isEnabled());

        // A later query replaces the rows; print stays available.
        w.maskEdit2()->setText(u""_s);
        QCOMPARE(w.toText(), u"    /  "_s);
        w.button3()->click();
        QVERIFY(shownRows(w).isEmpty());
        QVERIFY(tb->sbprint()->isEnabled());
    }

    // A pick for the from-field sets both fields; one for the to-field only
    // the to-field.
    void calendarSetsBothFromTheFromField()
    {
        if (!m_db)
            QSKIP("no database");
        TrialBalanceWindow w;
        w.maskEdit1()->setText(u"2020/01"_s);
        w.maskEdit2()->setText(u"2020/02"_s);
        w.button1()->click();
        QCOMPARE(w.calendarField(), w.maskEdit1());
        Q_EMIT w.monthCalendar1()->activated(QDate(2024, 3, 17));
        QCOMPARE(w.maskEdit1()->text(), u"2024/03"_s);
        QCOMPARE(w.maskEdit2()->text(), u"2024/03"_s);
        QVERIFY(w.monthCalendar1()->isHidden());
        w.button2()->click();
        QCOMPARE(w.calendarField(), w.maskEdit2());
        Q_EMIT w.monthCalendar1()->activated(QDate(2024, 11, 2));
        QCOMPARE(w.maskEdit1()->text(), u"2024/03"_s);
        QCOMPARE(w.maskEdit2()->text(), u"2024/11"_s);
    }

    // The report 列印 hands over: template, variables as shown, the sources
    // and their formats, and that the template lays out with them.
    void reportHandedToThePreview()
    {
        if (!m_db)
            QSKIP("no database");
        TrialBalanceWindow w;
        w.maskEdit1()->setText(u""_s);
        w.maskEdit2()->setText(u"2024/02"_s);
        w.button3()->click();
        w.checkBox1()->setChecked(false);
        auto report = w.report();
        QVERIFY(report);
        QCOMPARE(report->templateName, u"flist1"_s);
        QCOMPARE(report->variables.value(u"cda"_s).toString(), u"    /  "_s);
        QCOMPARE(report->variables.value(u"cdb"_s).toString(), u"2024/02"_s);
        QCOMPARE(report->variables.value(u"det"_s), QVariant(false));
        QCOMPARE(report->company.value(u"comp_name"_s).toString(), kSeed);
        const print::DataSource* generals = source(*report, u"frxDBDataset1"_s);
        const print::DataSource* accounts = source(*report, u"frxDBDataset2"_s);
        QVERIFY(generals && accounts && source(*report, u"frxDBDataset3"_s) && source(*report, u"totals"_s));
        QCOMPARE(generals->rows.size(), 2);
        QCOMPARE(accounts->rows.size(), 3);
        QCOMPARE(accounts->master, u"frxDBDataset1"_s);
        QVERIFY(accounts->linkColumns.contains(u"P02"_s));
        QCOMPARE(accounts->columns.first().name, u"code"_s);
        QCOMPARE(accounts->columns.first().format, print::Format::AccountCode);
        // 1102: closing 40 − 250 = −210; the blank from-month puts every
        // month into the period, so nothing lies before it.
        QCOMPARE(generals->rows.at(1).value(u"closing"_s).toDouble(), -210.0);
        QCOMPARE(generals->rows.at(1).value(u"before"_s).toDouble(), 0.0);

        // The template reads them: account lines only with det.
        const QString templates = qEnvironmentVariable("KORVESSA_SOURCE_DIR") + u"/templates"_s;
        auto summary = print::Document::layout(*report, templates);
        QVERIFY2(summary, summary ? "" : qPrintable(summary.refusal().text));
        QVERIFY((*summary)->html().contains(u"銀行存款"_s));
        QVERIFY(!(*summary)->html().contains(u"1102-001"_s));
        w.checkBox1()->setChecked(true);
        auto detailed = print::Document::layout(*w.report(), templates);
        QVERIFY(detailed);
        const QString html = (*detailed)->html();
        QVERIFY(html.contains(u"1102-001"_s));
        QVERIFY(html.contains(u"-210"_s));
        QVERIFY((*detailed)->pageCount() >= 1);
    }
};

QTEST_MAIN(TestTrialBalanceWindow)
#include "tst_db_trialbalancewindow.moc"
