#include "core/app/login.h"
#include "core/app/rights.h"
#include "core/db/sql.h"
#include "support/testdatabase.h"

#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

class TestLogin : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_db = TestDatabase::create(true);
        if (!m_db)
            return;
        const QSqlDatabase db = m_db->books();
        QVERIFY(sql::insert(db, u"account"_s, { { u"user_no"_s, u"nopass"_s }, { u"user_pas"_s, QString() } }).ok());
        QVERIFY(sql::insert(db, u"account"_s, { { u"user_no"_s, u"o'brien"_s }, { u"user_pas"_s, u"Secret"_s } }).ok());
        QVERIFY(sql::insert(db, u"company"_s, { { u"comp_name"_s, u"A'B"_s } }).ok());
        QVERIFY(sql::insert(db, u"acctright"_s,
            { { u"user_no"_s, u"nopass"_s }, { u"u_prog"_s, u"C201"_s }, { u"u_view"_s, QString() },
                { u"u_add"_s, u"y"_s }, { u"u_save"_s, u"Y"_s }, { u"u_delete"_s, u"N"_s }, { u"u_ptint"_s, u"Y"_s } })
                    .ok());
        QVERIFY(sql::insert(db, u"acctright"_s, { { u"user_no"_s, u"nopass"_s }, { u"u_prog"_s, u"C202"_s },
                                                { u"u_view"_s, u"N"_s }, { u"u_add"_s, u"Y"_s } })
                    .ok());
    }

    void checks_data()
    {
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");

        const QString wrong = u"使用者名稱或密碼錯誤!請重新輸入!"_s;
        QTest::newRow("admin signs in") << u"示範公司"_s << u"admin"_s << u"admin"_s << QString() << QString();
        QTest::newRow("user checked before company") << QString() << QString() << u"x"_s << u"請輸入使用者名稱!"_s
                                                      << u"ComboBox2"_s;
        QTest::newRow("empty company") << QString() << u"admin"_s << u"admin"_s << u"請選擇公司名稱!"_s << u"ComboBox1"_s;
        QTest::newRow("unknown company before the user") << u"無此公司"_s << u"ghost"_s << u"x"_s << u"公司選擇錯誤!"_s
                                                          << u"ComboBox1"_s;
        QTest::newRow("unknown user") << u"示範公司"_s << u"ghost"_s << u"admin"_s << wrong << u"Edit1"_s;
        QTest::newRow("wrong password") << u"示範公司"_s << u"admin"_s << u"nimda"_s << wrong << u"Edit1"_s;
        QTest::newRow("password case counts") << u"示範公司"_s << u"admin"_s << u"ADMIN"_s << wrong << u"Edit1"_s;
        QTest::newRow("password blanks count") << u"示範公司"_s << u"admin"_s << u"admin "_s << wrong << u"Edit1"_s;
        QTest::newRow("empty stored password") << u"示範公司"_s << u"nopass"_s << QString() << QString() << QString();
        QTest::newRow("quote in the user is plain text") << u"示範公司"_s << u"o'brien"_s << u"Secret"_s << QString()
                                                          << QString();
        QTest::newRow("quote in the company is plain text") << u"A'B"_s << u"admin"_s << u"admin"_s << QString()
                                                             << QString();
        QTest::newRow("SQL in the company finds nothing")
            << u"x' or '1'='1"_s << u"admin"_s << u"admin"_s << u"公司選擇錯誤!"_s << u"ComboBox1"_s;
        QTest::newRow("SQL in the user finds nothing") << u"示範公司"_s << u"' or user_no<>'"_s << u"admin"_s << wrong
                                                        << u"Edit1"_s;
        QTest::newRow("SQL in the password finds nothing") << u"示範公司"_s << u"admin"_s << u"' or '1'='1"_s << wrong
                                                            << u"Edit1"_s;
    }

    void checks()
    {
        if (!m_db)
            QSKIP("no database");
        QFETCH(QString, company);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const Status s = checkLogin(m_db->books(), company, user, password);
        QCOMPARE(s.ok(), message.isEmpty());
        if (!s.ok()) {
            QCOMPARE(s.refusal().caption, u"資料錯誤"_s);
            QCOMPARE(s.refusal().text, message);
            QCOMPARE(s.refusal().field, focus);
        }
    }

    void listsInTableOrder()
    {
        if (!m_db)
            QSKIP("no database");
        auto lists = loginLists(m_db->books());
        QVERIFY(lists.ok());
        QCOMPARE(lists->users, (QStringList { u"admin"_s, u"nopass"_s, u"o'brien"_s }));
        QCOMPARE(lists->companies, (QStringList { u"示範公司"_s, u"A'B"_s }));
    }

    void rememberedForTheNextStart()
    {
        rememberLogin(u"示範公司"_s, u"admin"_s);
        const RememberedLogin last = rememberedLogin();
        QCOMPARE(last.comp, u"示範公司"_s);
        QCOMPARE(last.user, u"admin"_s);
    }

    void rights_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<QString>("flags"); // add, save, delete, print

        QTest::newRow("admin everything") << u"admin"_s << u"C201"_s << true << u"YYYY"_s;
        QTest::newRow("no row") << u"admin"_s << u"Z99"_s << false << QString();
        QTest::newRow("empty u_view grants use; lower-case y grants nothing")
            << u"nopass"_s << u"C201"_s << true << u"NYNY"_s;
        QTest::newRow("u_view N") << u"nopass"_s << u"C202"_s << false << QString();
        QTest::newRow("no rows at all") << u"o'brien"_s << u"C201"_s << false << QString();
    }

    void rights()
    {
        if (!m_db)
            QSKIP("no database");
        QFETCH(QString, user);
        QFETCH(QString, program);
        QFETCH(bool, granted);
        QFETCH(QString, flags);
        auto r = checkRight(m_db->books(), user, program);
        QCOMPARE(r.ok(), granted);
        if (!granted) {
            QCOMPARE(r.refusal().text, u"\n\r沒有權限!"_s);
            QCOMPARE(r.refusal().caption, u"Confirm"_s);
            return;
        }
        const QString got = QString(r->can_add ? u'Y' : u'N') + QChar(r->can_save ? u'Y' : u'N')
            + QChar(r->can_delete ? u'Y' : u'N') + QChar(r->can_print ? u'Y' : u'N');
        QCOMPARE(got, flags);
    }

    void cleanupTestCase() { m_db.reset(); }
};

QTEST_GUILESS_MAIN(TestLogin)
#include "tst_db_login.moc"
