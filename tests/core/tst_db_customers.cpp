#include "core/common/dates.h"
#include "core/customers/customerregister.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "support/testdatabase.h"

#include <QtTest/QTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

void addCustomer(const QSqlDatabase& db, const QList<std::pair<QString, QVariant>>& values)
{
    QVERIFY(sql::insert(db, u"custom"_s, values));
}

QStringList numbers(const DataSet& set)
{
    QStringList list;
    for (int r = 0; r < set.count(); ++r)
        list.append(set.value(r, u"cus_no"_s).toString());
    return list;
}

int countOf(const QSqlDatabase& db, const QString& table, const QString& no)
{
    auto n = sql::scalar(db, u"select count(*) from "_s + table + u" where cus_no = :no"_s, { { u":no"_s, no } });
    return n ? n->toInt() : -1;
}

} // namespace

class TestCustomers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newRecordDefaultsAndSave();
    void saveRefusals_data();
    void saveRefusals();
    void existingRecordNeedsNoNumberCheck();
    void deletionTakesHistoryAlong();
    void searchMatchesEachColumn_data();
    void searchMatchesEachColumn();
    void searchTextIsLiteral_data();
    void searchTextIsLiteral();
    void cancelKeepsTheRecord();
    void categoryItemsInStoredOrder();
};

void TestCustomers::newRecordDefaultsAndSave()
{
    KORVESSA_TEST_DATABASE(db);
    CustomerRegister reg;
    QVERIFY(reg.open(db->books()));
    reg.addNew();
    DataSet* set = reg.customers();
    QCOMPARE(set->state(), DataSet::State::Insert);
    QCOMPARE(set->text(u"cus_level"_s), u"1"_s);
    QCOMPARE(set->text(u"cus_date"_s), todayText());
    set->setValue(u"cus_no"_s, u"C001"_s);
    set->setValue(u"cus_name"_s, u"大同公司"_s);
    QVERIFY(reg.save());
    QCOMPARE(set->state(), DataSet::State::Browse);
    auto stored = sql::first(db->books(), u"select * from custom where cus_no = :no"_s, { { u":no"_s, u"C001"_s } });
    QVERIFY(stored && stored->has_value());
    QCOMPARE(sql::text(**stored, u"cus_name"_s), u"大同公司"_s);
    QCOMPARE(sql::text(**stored, u"cus_level"_s), u"1"_s);
}

void TestCustomers::saveRefusals_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("empty") << QString() << u"客戶編號不可以為空!"_s << CustomerRegister::numberField();
    QTest::newRow("spaces") << u"  "_s << u"客戶編號不可以為空!"_s << CustomerRegister::numberField();
    QTest::newRow("taken") << u"C001"_s << u"客戶編號重覆!"_s << QString();
}

void TestCustomers::saveRefusals()
{
    QFETCH(QString, number);
    QFETCH(QString, text);
    QFETCH(QString, field);
    KORVESSA_TEST_DATABASE(db);
    addCustomer(db->books(), { { u"cus_no"_s, u"C001"_s }, { u"cus_name"_s, u"原有"_s } });
    CustomerRegister reg;
    QVERIFY(reg.open(db->books()));
    reg.addNew();
    reg.customers()->setValue(u"cus_no"_s, number);
    reg.customers()->setValue(u"cus_name"_s, u"新的"_s);
    const Status s = reg.save();
    QVERIFY(!s);
    QCOMPARE(s.refusal().caption, u"資料錯誤"_s);
    QCOMPARE(s.refusal().text, text);
    QCOMPARE(s.refusal().field, field);
    // The record stays pending and nothing is written.
    QCOMPARE(reg.customers()->state(), DataSet::State::Insert);
    QCOMPARE(reg.customers()->text(u"cus_name"_s), u"新的"_s);
    auto n = sql::scalar(db->books(), u"select count(*) from custom"_s);
    QCOMPARE(n->toInt(), 1);
}

void TestCustomers::existingRecordNeedsNoNumberCheck()
{
    KORVESSA_TEST_DATABASE(db);
    addCustomer(db->books(), { { u"cus_no"_s, u"C001"_s }, { u"cus_name"_s, u"舊名"_s } });
    addCustomer(db->books(), { { u"cus_no"_s, u"C002"_s } });
    CustomerRegister reg;
    QVERIFY(reg.open(db->books()));
    QVERIFY(reg.customers()->locate(u"cus_no"_s, u"C001"_s));
    // An unchanged record saves too.
    QVERIFY(reg.save());
    reg.customers()->setValue(u"cus_name"_s, u"新名"_s);
    QVERIFY(reg.save());
    auto name
        = sql::scalar(db->books(), u"select cus_name from custom where cus_no = :no"_s, { { u":no"_s, u"C001"_s } });
    QCOMPARE(name->toString(), u"新名"_s);
}

void TestCustomers::deletionTakesHistoryAlong()
{
    KORVESSA_TEST_DATABASE(db);
    const QSqlDatabase books = db->books();
    addCustomer(books, { { u"cus_no"_s, u"C001"_s } });
    addCustomer(books, { { u"cus_no"_s, u"C002"_s } });
    for (const QString& no : { u"C001"_s, u"C001"_s, u"C002"_s })
        QVERIFY(sql::insert(
            books, u"cushis"_s, { { u"cus_no"_s, no }, { u"comp"_s, u"X"_s }, { u"his_memo"_s, u"拜訪"_s } }));
    CustomerRegister reg;
    QVERIFY(reg.open(books));
    QVERIFY(reg.customers()->locate(u"cus_no"_s, u"C001"_s));
    QVERIFY(reg.removeCurrent());
    QCOMPARE(countOf(books, u"custom"_s, u"C001"_s), 0);
    QCOMPARE(countOf(books, u"cushis"_s, u"C001"_s), 0);
    QCOMPARE(countOf(books, u"custom"_s, u"C002"_s), 1);
    QCOMPARE(countOf(books, u"cushis"_s, u"C002"_s), 1);
    QCOMPARE(numbers(*reg.customers()), QStringList { u"C002"_s });
}

void TestCustomers::searchMatchesEachColumn_data()
{
    QTest::addColumn<QString>("column");
    for (const QString& column : CustomerRegister::searchColumns())
        QTest::newRow(column.toUtf8().constData()) << column;
    QTest::newRow("cus_mail is not searched") << u"cus_mail"_s;
}

void TestCustomers::searchMatchesEachColumn()
{
    QFETCH(QString, column);
    KORVESSA_TEST_DATABASE(db);
    addCustomer(db->books(), { { u"cus_no"_s, u"A1"_s }, { u"cus_name"_s, u"無關"_s } });
    if (column == u"cus_no"_s)
        addCustomer(db->books(), { { u"cus_no"_s, u"X02Y"_s } });
    else
        addCustomer(db->books(), { { u"cus_no"_s, u"B1"_s }, { column, u"(02)2345"_s } });
    CustomerRegister reg;
    QVERIFY(reg.open(db->books()));
    QVERIFY(reg.search(u"02"_s));
    const bool searched = CustomerRegister::searchColumns().contains(column);
    QCOMPARE(numbers(*reg.customers()),
        searched ? QStringList { column == u"cus_no"_s ? u"X02Y"_s : u"B1"_s } : QStringList {});
    QVERIFY(reg.search(QString()));
    QCOMPARE(reg.customers()->count(), 2);
}

void TestCustomers::searchTextIsLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("quote") << u"O'Neil"_s << QStringList { u"Q1"_s };
    QTest::newRow("injection") << u"' or '1'='1"_s << QStringList {};
    QTest::newRow("percent") << u"50%"_s << QStringList { u"P1"_s };
    QTest::newRow("underscore") << u"a_b"_s << QStringList { u"U1"_s };
}

void TestCustomers::searchTextIsLiteral()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    KORVESSA_TEST_DATABASE(db);
    addCustomer(db->books(), { { u"cus_no"_s, u"Q1"_s }, { u"cus_name"_s, u"O'Neil 商行"_s } });
    addCustomer(db->books(), { { u"cus_no"_s, u"P1"_s }, { u"cus_name"_s, u"50%折扣"_s } });
    addCustomer(db->books(), { { u"cus_no"_s, u"U1"_s }, { u"cus_att"_s, u"a_b"_s } });
    addCustomer(db->books(), { { u"cus_no"_s, u"Z1"_s }, { u"cus_name"_s, u"5000 axb"_s } });
    CustomerRegister reg;
    QVERIFY(reg.open(db->books()));
    QVERIFY(reg.search(text));
    QStringList got = numbers(*reg.customers());
    got.sort();
    QCOMPARE(got, found);
}

void TestCustomers::cancelKeepsTheRecord()
{
    KORVESSA_TEST_DATABASE(db);
    for (const QString& no : { u"C3"_s, u"C1"_s, u"C2"_s })
        addCustomer(db->books(), { { u"cus_no"_s, no }, { u"cus_name"_s, QString(u"名"_s + no) } });
    CustomerRegister reg;
    QVERIFY(reg.open(db->books()));
    QCOMPARE(numbers(*reg.customers()), (QStringList { u"C1"_s, u"C2"_s, u"C3"_s }));
    QVERIFY(reg.customers()->locate(u"cus_no"_s, u"C2"_s));
    reg.customers()->setValue(u"cus_name"_s, u"改過"_s);
    QVERIFY(reg.cancel());
    QCOMPARE(reg.customers()->state(), DataSet::State::Browse);
    QCOMPARE(reg.customers()->text(u"cus_no"_s), u"C2"_s);
    QCOMPARE(reg.customers()->text(u"cus_name"_s), u"名C2"_s);
    QCOMPARE(reg.customers()->count(), 3);
}

void TestCustomers::categoryItemsInStoredOrder()
{
    KORVESSA_TEST_DATABASE(db);
    db->exec(u"delete from catlog"_s);
    for (const auto& [type, name] : QList<std::pair<QString, QString>> {
             { u"biz"_s, u"製造"_s }, { u"area"_s, u"北區"_s }, { u"biz"_s, u"買賣"_s } })
        QVERIFY(sql::insert(db->books(), u"catlog"_s, { { u"cat_type"_s, type }, { u"cat_name"_s, name } }));
    auto items = CustomerRegister::categoryItems(db->books(), u"biz"_s);
    QVERIFY(items);
    QCOMPARE(*items, (QStringList { u"製造"_s, u"買賣"_s }));
}

QTEST_GUILESS_MAIN(TestCustomers)
#include "tst_db_customers.moc"
