#include "core/admin/cashiersettings.h"
#include "core/admin/categories.h"
#include "core/admin/companies.h"
#include "core/admin/users.h"
#include "core/app/rights.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "support/testdatabase.h"

#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

const QString kComp = u"示範公司"_s;

int countOf(const QSqlDatabase& db, const QString& text, const SqlParams& params = {})
{
    auto n = sql::scalar(db, text, params);
    return n ? n->toInt() : -1;
}

} // namespace

class TestAdmin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newCompanyGetsOneDefaultCurrency()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        // A currency row left behind by a removed company of the same name counts as its default.
        QVERIFY(sql::insert(books, u"cuery"_s, defaultCurrencyRow(u"OLD"_s)).ok());

        DataSet companies;
        QVERIFY(openCompanies(companies, books).ok());
        for (const QString& name : { u"ABC"_s, u"XYZ"_s, u"OLD"_s }) {
            companies.append();
            companies.setValue(u"comp_name"_s, name);
        }
        QVERIFY(saveCompanies(companies).ok());

        const QString count = u"select count(*) from cuery where comp = :c"_s;
        QCOMPARE(countOf(books, count, { { u":c"_s, u"ABC"_s } }), 1);
        QCOMPARE(countOf(books, count, { { u":c"_s, u"XYZ"_s } }), 1);
        QCOMPARE(countOf(books, count, { { u":c"_s, u"OLD"_s } }), 1);
        auto row = sql::first(books, u"select * from cuery where comp = :c"_s, { { u":c"_s, u"ABC"_s } });
        QVERIFY(row && row->has_value());
        const QSqlRecord r = **row;
        QCOMPARE(sql::text(r, u"cuery_no"_s), u"NT"_s);
        QCOMPARE(sql::text(r, u"cuery_coun"_s), u"台灣"_s);
        QCOMPARE(sql::field(r, u"cuery_num"_s).toDouble(), 1.0);
        QCOMPARE(sql::field(r, u"cuery_dec"_s).toInt(), 0);
        QCOMPARE(sql::text(r, u"cuery_for"_s), u"%.0f"_s);

        // A later edit of the company adds nothing.
        QVERIFY(companies.locate(u"comp_name"_s, u"ABC"_s));
        companies.setValue(u"comp_title"_s, u"ABC 股份有限公司"_s);
        QVERIFY(saveCompanies(companies).ok());
        QCOMPARE(countOf(books, count, { { u":c"_s, u"ABC"_s } }), 1);
    }

    void companyRefusals()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        DataSet companies;
        QVERIFY(openCompanies(companies, books).ok());
        QCOMPARE(companies.count(), 1);
        const Status last = checkCompanyRemoval(companies);
        QVERIFY(!last.ok());
        QCOMPARE(last.refusal().text, u"不可刪除!"_s);
        QCOMPARE(last.refusal().caption, u"資料錯誤"_s);

        // An empty name stops the save: neither the company nor its currency is written.
        companies.append();
        companies.setValue(u"comp_name"_s, u"  "_s);
        const Status empty = saveCompanies(companies);
        QVERIFY(!empty.ok());
        QCOMPARE(empty.refusal().text, u"公司編號不可以為空!"_s);
        QCOMPARE(empty.refusal().field, QString::fromLatin1(kCompanyNameField));
        QCOMPARE(countOf(books, u"select count(*) from company"_s), 1);
        QCOMPARE(countOf(books, u"select count(*) from cuery"_s), 1);
        QVERIFY(companies.hasChanges());

        companies.setValue(u"comp_name"_s, u"ABC"_s);
        QVERIFY(saveCompanies(companies).ok());
        QVERIFY(checkCompanyRemoval(companies).ok());
    }

    void formatFollowsDecimals_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("format");
        for (int d = 0; d <= 4; ++d)
            QTest::addRow("%d decimals", d) << d << (u"%."_s + QString::number(d) + u"f"_s);
    }

    void formatFollowsDecimals()
    {
        QFETCH(int, decimals);
        QFETCH(QString, format);
        KORVESSA_TEST_DATABASE(db);
        DataSet currencies;
        keepFormatWithDecimals(currencies);
        QVERIFY(openCurrencies(currencies, db->books(), kComp).ok());
        currencies.append(newCurrency(kComp));
        QCOMPARE(currencies.value(u"cuery_num"_s).toDouble(), 1.0);
        QCOMPARE(currencies.text(u"cuery_for"_s), u"%.0f"_s);
        currencies.setValue(u"cuery_no"_s, u"USD"_s);
        currencies.setValue(u"cuery_dec"_s, decimals);
        QCOMPARE(currencies.text(u"cuery_for"_s), format);
        QCOMPARE(currencyFormat(decimals), format);
        QVERIFY(currencies.save().ok());
        QCOMPARE(sql::scalar(db->books(), u"select cuery_for from cuery where cuery_no = 'USD'"_s)->toString(), format);
    }

    void duplicateKeys_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("held"); // key typed into an earlier new row of the list
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted

        const QString cur = u"幣別重複！請重新確認！"_s;
        const QString bank = u"銀行編號重複！請重新確認！"_s;
        const QString kind = u"存款類別重複！請重新確認！"_s;
        QTest::newRow("currency of the company") << u"cuery"_s << QString() << u"NT"_s << cur;
        QTest::newRow("currency of another company") << u"cuery"_s << QString() << u"USD"_s << QString();
        QTest::newRow("currency held twice") << u"cuery"_s << u"JPY"_s << u"JPY"_s << cur;
        QTest::newRow("currency empty entry") << u"cuery"_s << QString() << QString() << QString();
        QTest::newRow("bank under another kind") << u"not_bank"_s << QString() << u"004"_s << bank;
        QTest::newRow("bank new") << u"not_bank"_s << QString() << u"005"_s << QString();
        QTest::newRow("bank held twice") << u"not_bank"_s << u"006"_s << u"006"_s << bank;
        QTest::newRow("deposit kind stored") << u"catlog"_s << QString() << u"支票存款"_s << kind;
        QTest::newRow("deposit kind stored as B_Type") << u"catlog"_s << QString() << u"定存"_s << kind;
        QTest::newRow("deposit name of another kind") << u"catlog"_s << QString() << u"管理部"_s << QString();
        QTest::newRow("deposit kind held twice") << u"catlog"_s << u"外幣存款"_s << u"外幣存款"_s << kind;
    }

    void duplicateKeys()
    {
        QFETCH(QString, list);
        QFETCH(QString, held);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        QVERIFY(sql::insert(books, u"cuery"_s, { { u"comp"_s, u"其他公司"_s }, { u"cuery_no"_s, u"USD"_s } }).ok());
        QVERIFY(
            sql::insert(books, u"not_bank"_s, { { u"not_no"_s, u"004"_s }, { u"not_type"_s, u"本國銀行"_s } }).ok());
        QVERIFY(sql::insert(books, u"catlog"_s, { { u"cat_name"_s, u"定存"_s }, { u"cat_type"_s, u"B_Type"_s } }).ok());

        DataSet set;
        QString key;
        if (list == u"cuery"_s) {
            QVERIFY(openCurrencies(set, books, kComp).ok());
            key = u"cuery_no"_s;
        } else if (list == u"not_bank"_s) {
            QVERIFY(openNoteBanks(set, books).ok());
            key = u"not_no"_s;
        } else {
            QVERIFY(openDepositKinds(set, books).ok());
            QCOMPARE(highestSequence(set) >= 3, true);
            key = u"cat_name"_s;
        }
        if (!held.isEmpty()) {
            set.append();
            set.setValue(key, held);
        }
        set.append(list == u"not_bank"_s ? newNoteBank(u"外商銀行"_s) : QVariantMap());
        Status s;
        if (list == u"cuery"_s)
            s = checkCurrencyCode(set, set.currentRow(), kComp, typed);
        else if (list == u"not_bank"_s)
            s = checkBankCode(set, set.currentRow(), typed);
        else
            s = checkDepositKind(set, set.currentRow(), typed);
        QCOMPARE(s.ok() ? QString() : s.refusal().text, message);
        if (!s.ok())
            QCOMPARE(s.refusal().caption, u"資料錯誤"_s);
        if (list == u"not_bank"_s)
            QCOMPARE(set.text(u"not_type"_s), u"外商銀行"_s);
    }

    void emptyKeyRowsDropped()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        DataSet banks;
        QVERIFY(openNoteBanks(banks, books).ok());
        const int before = banks.count();
        for (const QString& no : { QString(), u"007"_s, u" "_s, QString() }) {
            banks.append(newNoteBank(u"郵局"_s));
            if (!no.isNull())
                banks.setValue(u"not_no"_s, no);
        }
        QVERIFY(saveDroppingEmpty(banks, u"not_no"_s).ok());
        QCOMPARE(banks.count(), before + 1);
        QCOMPARE(countOf(books, u"select count(*) from not_bank where not_type = :t"_s, { { u":t"_s, u"郵局"_s } }), 1);
    }

    void commonDataKinds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind"); // empty: rows of every kind
        QTest::newRow("存款類別") << u"存款類別"_s << u"B_type"_s;
        QTest::newRow("產品大類") << u"產品大類"_s << u"C"_s;
        QTest::newRow("產品品牌") << u"產品品牌"_s << u"L"_s;
        QTest::newRow("單位") << u"單位"_s << u"P"_s;
        QTest::newRow("處理狀況") << u"處理狀況"_s << u"S"_s;
        QTest::newRow("other text") << u"存款"_s << QString();
    }

    void commonDataKinds()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QCOMPARE(commonDataKind(text).value_or(QString()), kind);
    }

    void sequenceCountsAsNumbers_data()
    {
        QTest::addColumn<int>("stored"); // rows numbered 1..stored
        QTest::addColumn<QString>("firstNew");
        QTest::addColumn<QString>("secondNew");
        QTest::newRow("empty kind") << 0 << u"1"_s << u"2"_s;
        QTest::newRow("ten entries") << 10 << u"11"_s << u"12"_s;
    }

    void sequenceCountsAsNumbers()
    {
        QFETCH(int, stored);
        QFETCH(QString, firstNew);
        QFETCH(QString, secondNew);
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        const QString kind = u"zone"_s;
        for (int n = stored; n >= 1; --n)
            QVERIFY(sql::insert(books, u"catlog"_s,
                { { u"cat_name"_s, u"E%1"_s.arg(n) }, { u"cat_type"_s, kind }, { u"sn"_s, QString::number(n) } })
                        .ok());
        DataSet list;
        QVERIFY(openCategoryKind(list, books, kind).ok());
        if (stored > 0) {
            QCOMPARE(list.value(0, u"sn"_s).toString(), u"1"_s);
            QCOMPARE(list.value(stored - 1, u"sn"_s).toString(), QString::number(stored));
        }
        int highest = highestSequence(list);
        QCOMPARE(highest, stored);
        appendCategory(list, kind, highest);
        list.setValue(u"cat_name"_s, u"new one"_s);
        appendCategory(list, kind, highest);
        list.setValue(u"cat_name"_s, u"new two"_s);
        appendCategory(list, kind, highest); // left empty: dropped
        QVERIFY(saveDroppingEmpty(list, u"cat_name"_s).ok());
        QCOMPARE(list.count(), stored + 2);
        QCOMPARE(list.value(stored, u"sn"_s).toString(), firstNew);
        QCOMPARE(list.value(stored + 1, u"sn"_s).toString(), secondNew);
        QCOMPARE(list.value(stored, u"cat_type"_s).toString(), kind);
    }

    void loadTemplateReplacesRights()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        QVERIFY(sql::insert(books, u"account"_s, { { u"user_no"_s, u"amy"_s } }).ok());
        const auto right = [&](const QString& user, const QString& prog, const QString& view) {
            return sql::insert(books, u"acctright"_s,
                { { u"user_no"_s, user }, { u"u_prog"_s, prog }, { u"u_progname"_s, u"hand made"_s },
                    { u"u_view"_s, view }, { u"u_add"_s, u"N"_s }, { u"u_save"_s, u"N"_s }, { u"u_delete"_s, u"N"_s },
                    { u"u_ptint"_s, u"N"_s } });
        };
        QVERIFY(right(u"amy"_s, u"000"_s, u"X"_s).ok());
        QVERIFY(right(u"amy"_s, u"C201"_s, u"N"_s).ok());
        QVERIFY(right(u"amy"_s, u"Z99"_s, u"Y"_s).ok());
        QVERIFY(right(u"bob"_s, u"C201"_s, u"N"_s).ok());

        QVERIFY(loadTemplateRights(books, u"amy"_s).ok());

        const int programs = countOf(books, u"select count(*) from sampleright where u_prog <> '000'"_s);
        QVERIFY(programs > 10);
        const SqlParams amy { { u":u"_s, u"amy"_s } };
        QCOMPARE(
            countOf(books, u"select count(*) from acctright where user_no = :u and u_prog <> '000'"_s, amy), programs);
        QCOMPARE(countOf(books, u"select count(*) from acctright where user_no = :u and u_prog = 'Z99'"_s, amy), 0);
        // The '000' row is neither removed nor copied a second time.
        QCOMPARE(sql::scalar(books, u"select u_view from acctright where user_no = :u and u_prog = '000'"_s, amy)
                     ->toString(),
            u"X"_s);
        QCOMPARE(countOf(books, u"select count(*) from acctright where user_no = :u and u_prog = '000'"_s, amy), 1);
        // Every copied row carries the template's values.
        QCOMPARE(countOf(books,
                     u"select count(*) from acctright a join sampleright s on s.u_prog = a.u_prog "
                     "where a.user_no = :u and a.u_progname = s.u_progname and a.u_view = s.u_view "
                     "and a.u_add = s.u_add and a.u_save = s.u_save and a.u_delete = s.u_delete "
                     "and a.u_ptint = s.u_ptint"_s,
                     amy),
            programs);
        // Another user's rights are left alone.
        QCOMPARE(countOf(books, u"select count(*) from acctright where user_no = 'bob'"_s), 1);

        DataSet rights;
        QVERIFY(openRights(rights, books, u"amy"_s).ok());
        QCOMPARE(rights.count(), programs);
    }

    void batchSetsEveryRow()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        QVERIFY(sql::insert(books, u"account"_s, { { u"user_no"_s, u"amy"_s } }).ok());
        QVERIFY(loadTemplateRights(books, u"amy"_s).ok());
        DataSet users;
        DataSet rights;
        QVERIFY(openUsers(users, books).ok());
        QVERIFY(openRights(rights, books, u"amy"_s).ok());
        setAllRights(rights, { u"Y"_s, u"Y"_s, u"Y"_s, u"Y"_s, u"N"_s });
        QVERIFY(saveUsersAndRights(users, rights).ok());
        const SqlParams amy { { u":u"_s, u"amy"_s } };
        QCOMPARE(countOf(books,
                     u"select count(*) from acctright where user_no = :u and u_prog <> '000' and u_view = 'Y' "
                     "and u_add = 'Y' and u_save = 'Y' and u_delete = 'Y' and u_ptint = 'N'"_s,
                     amy),
            rights.count());
        QVERIFY(rights.count() > 10);
    }

    void flipRight_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("flipped");
        QTest::newRow("Y") << QVariant(u"Y"_s) << QVariant(u"N"_s);
        QTest::newRow("N") << QVariant(u"N"_s) << QVariant(u"Y"_s);
        QTest::newRow("lower case stays") << QVariant(u"y"_s) << QVariant(u"y"_s);
        QTest::newRow("empty stays") << QVariant(QString()) << QVariant(QString());
    }

    void flipRight()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, flipped);
        QCOMPARE(flippedRight(value), flipped);
    }

    void deleteUserRemovesRights()
    {
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        QVERIFY(sql::insert(books, u"account"_s, { { u"user_no"_s, u"amy"_s } }).ok());
        QVERIFY(sql::insert(books, u"acctright"_s, { { u"user_no"_s, u"amy"_s }, { u"u_prog"_s, u"000"_s } }).ok());
        QVERIFY(loadTemplateRights(books, u"amy"_s).ok());
        DataSet users;
        QVERIFY(openUsers(users, books).ok());
        QVERIFY(users.locate(u"user_no"_s, u"amy"_s));
        QVERIFY(deleteUser(users).ok());
        QVERIFY(!users.locate(u"user_no"_s, u"amy"_s));
        QCOMPARE(countOf(books, u"select count(*) from acctright where user_no = 'amy'"_s), 0);
        QCOMPARE(countOf(books, u"select count(*) from account where user_no = 'amy'"_s), 0);
        QVERIFY(countOf(books, u"select count(*) from acctright where user_no = 'admin'"_s) > 0);
    }

    void userNumberChecked_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << u"帳號不可以為空!"_s;
        QTest::newRow("blanks") << u"   "_s << u"帳號不可以為空!"_s;
        QTest::newRow("taken") << u"admin"_s << u"帳號重複！請重新確認！"_s;
        QTest::newRow("new") << u"amy"_s << QString();
    }

    void userNumberChecked()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        KORVESSA_TEST_DATABASE(db);
        const QSqlDatabase books = db->books();
        DataSet users;
        DataSet rights;
        QVERIFY(openUsers(users, books).ok());
        QVERIFY(openRights(rights, books, number).ok());
        const int before = users.count();
        users.append();
        users.setValue(u"user_no"_s, number);
        users.setValue(u"user_pas"_s, u"pw"_s);
        const Status s = saveUsersAndRights(users, rights);
        QCOMPARE(s.ok() ? QString() : s.refusal().text, message);
        QCOMPARE(countOf(books, u"select count(*) from account"_s), message.isEmpty() ? before + 1 : before);
        if (!s.ok()) {
            QCOMPARE(s.refusal().caption, u"資料錯誤"_s);
            QCOMPARE(s.refusal().field, QString::fromLatin1(kUserNoField));
            QVERIFY(users.hasChanges());
            return;
        }
        // A user saved without rights rows may open nothing.
        const auto r = checkRight(books, number, u"A01"_s);
        QVERIFY(!r.ok());
        QCOMPARE(r.refusal().text, u"\n\r沒有權限!"_s);
    }

    void userToolbarProtectsAdmin_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("inserting");
        QTest::addColumn<bool>("canDelete");
        QTest::addColumn<bool>("remove");
        QTest::newRow("admin") << u"admin"_s << false << true << false;
        QTest::newRow("another user") << u"amy"_s << false << true << true;
        QTest::newRow("without the right") << u"amy"_s << false << false << false;
        QTest::newRow("while inserting") << u"amy"_s << true << true << false;
    }

    void userToolbarProtectsAdmin()
    {
        QFETCH(QString, user);
        QFETCH(bool, inserting);
        QFETCH(bool, canDelete);
        QFETCH(bool, remove);
        EditingState users {
            .editing = false, .inserting = inserting, .atFirst = false, .pastLast = false, .empty = false
        };
        const Rights granted { .can_add = true, .can_save = true, .can_delete = canDelete, .can_print = true };
        const ToolbarButtons b = userToolbar(users, EditingState {}, granted, user);
        QCOMPARE(b.remove, remove);
        QCOMPARE(b.print, false);
        QCOMPARE(b.insert, !inserting);
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "tst_db_admin.moc"
