#include "core/customers/labels.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "support/testdatabase.h"

#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

LabelSheet::Customer customer(const QString& number)
{
    return { number, u"名稱"_s + number, u"聯絡"_s + number, u"地址"_s + number, u"電話"_s + number };
}

QStringList listed(const LabelSheet& sheet, const QString& column = u"P01"_s)
{
    QStringList list;
    for (int r = 0; r < sheet.rows()->count(); ++r)
        list.append(sheet.rows()->value(r, column).toString());
    return list;
}

int stored(const QSqlDatabase& db, const QString& where, const SqlParams& params = {})
{
    auto n = sql::scalar(db, u"select count(*) from ptemp where "_s + where, params);
    return n ? n->toInt() : -1;
}

} // namespace

class TestLabels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openingEmptiesOnlyTheUsersRows();
    void customersAddedInOrderAndAgain();
    void changesWrittenAtOnce();
    void printRowsOneLabelEach();
};

// Two users print labels at the same time; a cashier report keeps its rows
// (company in P00) in the same table.
void TestLabels::openingEmptiesOnlyTheUsersRows()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    QVERIFY(sql::insert(db, u"ptemp"_s, { { u"P00"_s, u"示範公司"_s }, { u"P01"_s, u"B01"_s }, { u"P02"_s, u"100"_s } }));

    LabelSheet first;
    QVERIFY(first.open(db, u"A"_s));
    QVERIFY(first.add({ customer(u"C001"_s), customer(u"C002"_s) }));
    LabelSheet second;
    QVERIFY(second.open(db, u"B"_s));
    QVERIFY(second.rows()->isEmpty());
    QVERIFY(second.add({ customer(u"C003"_s) }));
    QVERIFY(first.rows()->requery());
    QCOMPARE(listed(first), (QStringList { u"C001"_s, u"C002"_s }));
    QCOMPARE(listed(second), QStringList { u"C003"_s });

    // A's next opening starts empty and leaves B's labels and the report's row.
    LabelSheet again;
    QVERIFY(again.open(db, u"A"_s));
    QVERIFY(again.rows()->isEmpty());
    QCOMPARE(stored(db, u"P06 = 'A'"_s), 0);
    QCOMPARE(stored(db, u"P06 = 'B'"_s), 1);
    QCOMPARE(stored(db, u"P00 = '示範公司'"_s), 1);
}

void TestLabels::customersAddedInOrderAndAgain()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    LabelSheet sheet;
    QVERIFY(sheet.open(db, u"A"_s));
    QVERIFY(sheet.add({ customer(u"C002"_s), customer(u"C001"_s) }));
    QCOMPARE(sheet.rows()->currentRow(), 0);
    QVERIFY(sheet.add({})); // an empty choice adds nothing
    QVERIFY(sheet.add({ customer(u"C002"_s) })); // chosen again: a second label
    QCOMPARE(listed(sheet), (QStringList { u"C002"_s, u"C001"_s, u"C002"_s }));
    QCOMPARE(sheet.rows()->currentRow(), 2);
    QCOMPARE(listed(sheet, u"P03"_s), (QStringList { u"聯絡C002"_s, u"聯絡C001"_s, u"聯絡C002"_s }));
    QCOMPARE(stored(db, u"P01 = 'C002' and P04 = '地址C002' and P05 = '電話C002'"_s), 2);

    // The list order survives reading the rows again.
    LabelSheet reread;
    QVERIFY(reread.rows()->open(db, u"ptemp"_s, u"select * from ptemp where P06 = 'A' order by P07"_s));
    QCOMPARE(listed(reread), (QStringList { u"C002"_s, u"C001"_s, u"C002"_s }));
}

// An edited cell and a removed row are in ptemp at once; of two rows of the
// same customer only the one changed changes.
void TestLabels::changesWrittenAtOnce()
{
    KORVESSA_TEST_DATABASE(t);
    const QSqlDatabase db = t->books();
    LabelSheet sheet;
    QVERIFY(sheet.open(db, u"A"_s));
    QVERIFY(sheet.add({ customer(u"C001"_s), customer(u"C001"_s), customer(u"C002"_s) }));
    QVERIFY(sheet.rows()->setCurrentRow(1));
    QVERIFY(sheet.rows()->setValue(u"P04"_s, u"新地址"_s));
    QVERIFY(sheet.writeChanges());
    QVERIFY(!sheet.rows()->hasChanges());
    QCOMPARE(stored(db, u"P01 = 'C001' and P04 = '新地址'"_s), 1);
    QCOMPARE(stored(db, u"P01 = 'C001' and P04 = '地址C001'"_s), 1);

    QVERIFY(sheet.rows()->setCurrentRow(0));
    QVERIFY(sheet.removeCurrent());
    QCOMPARE(stored(db, u"P06 = 'A'"_s), 2);
    QCOMPARE(listed(sheet, u"P04"_s), (QStringList { u"新地址"_s, u"地址C002"_s }));
}

void TestLabels::printRowsOneLabelEach()
{
    KORVESSA_TEST_DATABASE(t);
    LabelSheet sheet;
    QVERIFY(sheet.open(t->books(), u"A"_s));
    QVERIFY(sheet.sheetRows().isEmpty());
    QVERIFY(sheet.add({ customer(u"C001"_s), customer(u"C002"_s), customer(u"C003"_s), customer(u"C001"_s) }));
    const QList<QVariantMap> rows = sheet.printRows();
    QCOMPARE(rows.size(), 4);
    QStringList labels;
    for (const QVariantMap& r : rows)
        labels.append(u"%1/%2/%3/%4/%5@%6"_s.arg(r.value(u"P01"_s).toString(), r.value(u"P02"_s).toString(),
            r.value(u"P03"_s).toString(), r.value(u"P04"_s).toString(), r.value(u"P05"_s).toString(),
            r.value(u"label_row"_s).toString()));
    QCOMPARE(labels,
        (QStringList { u"C001/名稱C001/聯絡C001/地址C001/電話C001@0"_s, u"C002/名稱C002/聯絡C002/地址C002/電話C002@0"_s,
            u"C003/名稱C003/聯絡C003/地址C003/電話C003@0"_s, u"C001/名稱C001/聯絡C001/地址C001/電話C001@1"_s }));
    QCOMPARE(sheet.sheetRows(), (QList<QVariantMap> { { { u"label_row"_s, 0 } }, { { u"label_row"_s, 1 } } }));
}

QTEST_GUILESS_MAIN(TestLabels)
#include "tst_db_labels.moc"
