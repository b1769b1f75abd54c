#include "core/app/linkfile.h"
#include "core/app/login.h"
#include "core/db/database.h"
#include "core/db/sql.h"

#include <QtTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

// Books that cannot be reached: opening and every later statement report the
// driver's own reason, so the login shows it and opens with empty lists.
class TestUnreachable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void serverDown()
    {
        const LinkSettings link = linkSettingsFromValues({ u"1"_s, u"127.0.0.1:1"_s, u"books"_s, u"acc"_s, u" "_s });
        auto db = openDatabase(link.params, u"down"_s);
        QVERIFY(!db.ok());
        QVERIFY(db.refusal().text.contains(u"127.0.0.1"_s));
        const QSqlDatabase books = QSqlDatabase::database(u"down"_s, false);
        auto lists = loginLists(books);
        QVERIFY(!lists.ok());
        QCOMPARE(lists.refusal().text, db.refusal().text);
        const Status signIn = checkLogin(books, u"示範公司"_s, u"admin"_s, u"admin"_s);
        QCOMPARE(signIn.refusal().kind, Refusal::Kind::Database);
        closeDatabase(u"down"_s);
    }

    void unknownKind()
    {
        const LinkSettings link = linkSettingsFromValues({ u"3"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s });
        QVERIFY(link.connectionText.isEmpty());
        auto db = openDatabase(link.params, u"none"_s);
        QVERIFY(!db.ok());
        auto lists = loginLists(QSqlDatabase::database(u"none"_s, false));
        QVERIFY(!lists.ok());
        QVERIFY(!lists.refusal().text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUnreachable)
#include "tst_unreachable.moc"
