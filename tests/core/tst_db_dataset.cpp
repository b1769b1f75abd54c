#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "support/testdatabase.h"

#include <QtTest/QTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

const QString kBanks = u"select * from not_bank where comp = :comp order by not_no"_s;

void addBank(const QSqlDatabase& db, const QString& comp, const QString& no, const QString& name)
{
    QVERIFY(sql::insert(db, u"not_bank"_s, { { u"comp"_s, comp }, { u"not_no"_s, no }, { u"not_name"_s, name } }));
}

// "no=name" for every bank of a company, in number order, as stored.
QStringList storedBanks(const QSqlDatabase& db, const QString& comp = u"A"_s)
{
    QStringList list;
    const auto rows = sql::rows(db, u"select not_no, not_name from not_bank where comp = :c order by not_no"_s,
        { { u":c"_s, comp } });
    if (!rows)
        return { u"error: "_s + rows.refusal().text };
    for (const QSqlRecord& r : *rows)
        list.append(sql::text(r, u"not_no"_s) + u'=' + sql::text(r, u"not_name"_s));
    return list;
}

QStringList heldBanks(const DataSet& set)
{
    QStringList list;
    for (int r = 0; r < set.count(); ++r)
        list.append(set.value(r, u"not_no"_s).toString() + u'=' + set.value(r, u"not_name"_s).toString());
    return list;
}

Status openBanks(DataSet& set, const QSqlDatabase& db, const QString& comp = u"A"_s)
{
    set.setKeyColumns({ u"comp"_s, u"not_no"_s });
    return set.open(db, u"not_bank"_s, kBanks, { { u":comp"_s, comp } });
}

QString bankNo(int i)
{
    return u"%1"_s.arg(i, 2, 10, QChar(u'0'));
}

// Banks "01"…"nn" of company A named "銀行01"…, every third one in 台北, and
// one of another company in between.
void addNumberedBanks(const QSqlDatabase& db, int n)
{
    for (int i = 1; i <= n; ++i) {
        const QString no = bankNo(i);
        addBank(db, u"A"_s, no, u"銀行"_s + no);
        if (i % 3 == 0)
            QVERIFY(sql::execute(db, u"update not_bank set not_add = '台北' where not_no = :no"_s, { { u":no"_s, no } }));
    }
    addBank(db, u"B"_s, u"05"_s, u"別家"_s);
}

} // namespace

class TestDataSet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void heldChangesAreWrittenTogether();
    void refusedSaveWritesNothing_data();
    void refusedSaveWritesNothing();
    void cancelReadsAgain();
    void rowsFoundByKeyColumns();
    void rowsFoundByAllValuesWithNulls();
    void positionFlags();
    void searchBindsItsText_data();
    void searchBindsItsText();
    void blocksGiveTheRowsOfOneRead_data();
    void blocksGiveTheRowsOfOneRead();
    void movesReadTheRowsTheyNeed();
    void saveAndCancelComeBackBeyondTheFirstBlock_data();
    void saveAndCancelComeBackBeyondTheFirstBlock();
    void heldChangesSurviveFetching();
};

void TestDataSet::heldChangesAreWrittenTogether()
{
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    addBank(db, u"A"_s, u"01"_s, u"台銀"_s);
    addBank(db, u"A"_s, u"02"_s, u"土銀"_s);
    addBank(db, u"A"_s, u"03"_s, u"合庫"_s);

    DataSet set;
    QVERIFY(openBanks(set, db));
    QCOMPARE(set.count(), 3);
    QCOMPARE(set.state(), DataSet::State::Browse);

    QVERIFY(set.setValue(u"not_name"_s, u"臺灣銀行"_s));
    QCOMPARE(set.state(), DataSet::State::Edit);
    QVERIFY(set.next()); // posts the edit
    QCOMPARE(set.state(), DataSet::State::Browse);
    set.remove();
    set.append({ { u"comp"_s, u"A"_s }, { u"not_no"_s, u"04"_s } });
    QCOMPARE(set.state(), DataSet::State::Insert);
    QVERIFY(set.setValue(u"not_name"_s, u"一銀"_s));

    QCOMPARE(storedBanks(db), QStringList({ u"01=台銀"_s, u"02=土銀"_s, u"03=合庫"_s }));
    QVERIFY(set.hasChanges());

    const Status saved = set.save();
    QVERIFY2(saved, saved.ok() ? "" : qPrintable(saved.refusal().text));
    const QStringList expected { u"01=臺灣銀行"_s, u"03=合庫"_s, u"04=一銀"_s };
    QCOMPARE(storedBanks(db), expected);
    QCOMPARE(heldBanks(set), expected);
    QVERIFY(!set.hasChanges());
    QCOMPARE(set.state(), DataSet::State::Browse);
    QCOMPARE(set.text(u"not_no"_s), u"04"_s); // still on the row just saved
}

void TestDataSet::refusedSaveWritesNothing_data()
{
    QTest::addColumn<bool>("tooLongInInsert");
    // Deletes, updates and inserts are written in that order: each case has
    // earlier writes that must be undone.
    QTest::newRow("insert too long") << true;
    QTest::newRow("update too long") << false;
}

void TestDataSet::refusedSaveWritesNothing()
{
    QFETCH(bool, tooLongInInsert);
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    addBank(db, u"A"_s, u"01"_s, u"台銀"_s);
    addBank(db, u"A"_s, u"02"_s, u"土銀"_s);
    addBank(db, u"A"_s, u"03"_s, u"合庫"_s);
    const QStringList before = storedBanks(db);

    DataSet set;
    QVERIFY(openBanks(set, db));
    set.remove(); // 01
    const QString tooLong(51, u'銀');
    QVERIFY(set.setValue(u"not_name"_s, tooLongInInsert ? u"土地銀行"_s : tooLong)); // 02
    set.append({ { u"comp"_s, u"A"_s }, { u"not_no"_s, u"04"_s }, { u"not_name"_s, tooLongInInsert ? tooLong : u"一銀"_s } });

    const Status saved = set.save();
    QVERIFY(!saved);
    QCOMPARE(saved.refusal().kind, Refusal::Kind::Database);
    QVERIFY(!saved.refusal().text.isEmpty());
    QCOMPARE(storedBanks(db), before);

    // Every held change is still there, the new row still being inserted.
    QCOMPARE(set.state(), DataSet::State::Insert);
    QCOMPARE(set.count(), 3);
    QCOMPARE(set.removedCount(), 1);
    QCOMPARE(set.rowChange(0), DataSet::RowChange::Modified);
    QCOMPARE(set.rowChange(2), DataSet::RowChange::Inserted);

    // Corrected, the same changes go through.
    QVERIFY(set.setCurrentRow(tooLongInInsert ? 2 : 0));
    QVERIFY(set.setValue(u"not_name"_s, QString(50, u'銀')));
    QVERIFY(set.save());
    QCOMPARE(storedBanks(db).size(), 3);
    QVERIFY(!storedBanks(db).contains(u"01=台銀"_s));
}

void TestDataSet::cancelReadsAgain()
{
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    addBank(db, u"A"_s, u"01"_s, u"台銀"_s);
    addBank(db, u"A"_s, u"02"_s, u"土銀"_s);

    DataSet set;
    QVERIFY(openBanks(set, db));
    QVERIFY(set.setValue(u"not_name"_s, u"改過"_s));
    set.post();
    QVERIFY(set.next());
    set.remove();
    set.append({ { u"comp"_s, u"A"_s }, { u"not_no"_s, u"09"_s } });
    // Someone else changes a row meanwhile.
    QVERIFY(sql::execute(db, u"update not_bank set not_name = :n where not_no = '01'"_s, { { u":n"_s, u"別人改"_s } }));

    QVERIFY(set.cancel());
    QCOMPARE(set.state(), DataSet::State::Browse);
    QVERIFY(!set.hasChanges());
    QCOMPARE(heldBanks(set), QStringList({ u"01=別人改"_s, u"02=土銀"_s }));
    QCOMPARE(storedBanks(db), heldBanks(set));
}

void TestDataSet::rowsFoundByKeyColumns()
{
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    // The same number in two companies, and the same name twice in one.
    addBank(db, u"A"_s, u"01"_s, u"台銀"_s);
    addBank(db, u"A"_s, u"02"_s, u"台銀"_s);
    addBank(db, u"B"_s, u"01"_s, u"台銀"_s);

    DataSet set;
    QVERIFY(openBanks(set, db));
    QVERIFY(set.setValue(u"not_no"_s, u"11"_s)); // the key itself changes
    QVERIFY(set.setValue(u"not_name"_s, u"臺銀"_s));
    set.post();
    QVERIFY(set.locate(u"not_no"_s, u"02"_s));
    set.remove();
    QVERIFY(set.save());

    QCOMPARE(storedBanks(db), QStringList({ u"11=臺銀"_s }));
    QCOMPARE(storedBanks(db, u"B"_s), QStringList({ u"01=台銀"_s }));
}

void TestDataSet::rowsFoundByAllValuesWithNulls()
{
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    const auto add = [&](const QVariant& name, const QVariant& type, const QVariant& sn) {
        QVERIFY(sql::execute(db, u"insert into catlog (cat_name, cat_type, sn) values (:n, :t, :s)"_s,
            { { u":n"_s, name }, { u":t"_s, type }, { u":s"_s, sn } }));
    };
    const QVariant null = QVariant(QMetaType::fromType<QString>());
    add(u"活存"_s, u"B_type"_s, null);
    add(u"活存"_s, u"B_type"_s, null); // two identical rows
    add(u"定存"_s, null, u"1"_s);
    add(u"支存"_s, u"B_type"_s, u"2"_s);

    const auto stored = [&] {
        QStringList list;
        const auto rows = sql::rows(db, u"select cat_name, cat_type, sn from catlog"_s);
        for (const QSqlRecord& r : *rows) {
            QStringList cells;
            for (const QString& c : { u"cat_name"_s, u"cat_type"_s, u"sn"_s }) {
                const QVariant v = sql::field(r, c);
                cells.append(v.isNull() ? u"-"_s : v.toString());
            }
            list.append(cells.join(u'|'));
        }
        list.sort();
        return list;
    };

    DataSet set; // no key columns
    QVERIFY(set.open(db, u"catlog"_s, u"select * from catlog order by cat_name, sn"_s));
    QCOMPARE(set.count(), 4);
    QVERIFY(set.locate(u"cat_name"_s, u"活存"_s));
    QVERIFY(set.setValue(u"sn"_s, u"3"_s)); // one of the identical rows
    set.post();
    QVERIFY(set.locate(u"cat_name"_s, u"定存"_s));
    QVERIFY(set.setValue(u"cat_name"_s, u"定期存款"_s)); // found through its null type
    set.post();
    QVERIFY(set.locate(u"cat_name"_s, u"支存"_s));
    set.remove();
    const Status saved = set.save();
    QVERIFY2(saved, saved.ok() ? "" : qPrintable(saved.refusal().text));

    QCOMPARE(stored(), QStringList({ u"定期存款|-|1"_s, u"活存|B_type|-"_s, u"活存|B_type|3"_s }));

    // A held deletion of one of two identical rows removes one of them.
    QVERIFY(set.open(db, u"catlog"_s, u"select * from catlog where cat_name = :n"_s, { { u":n"_s, u"活存"_s } }));
    QVERIFY(set.locate(u"sn"_s, u"3"_s));
    QVERIFY(set.setValue(u"sn"_s, QVariant()));
    QVERIFY(set.save());
    QCOMPARE(stored(), QStringList({ u"定期存款|-|1"_s, u"活存|B_type|-"_s, u"活存|B_type|-"_s }));
    set.remove();
    QVERIFY(set.save());
    QCOMPARE(stored(), QStringList({ u"定期存款|-|1"_s, u"活存|B_type|-"_s }));
}

void TestDataSet::positionFlags()
{
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    DataSet set;
    QVERIFY(openBanks(set, db));
    QVERIFY(set.isEmpty());
    QVERIFY(set.isFirst());
    QVERIFY(set.isPastLast());
    QCOMPARE(set.currentRow(), -1);

    addBank(db, u"A"_s, u"01"_s, u"台銀"_s);
    addBank(db, u"A"_s, u"02"_s, u"土銀"_s);
    QVERIFY(set.requery());
    QVERIFY(set.isFirst());
    QVERIFY(!set.isPastLast());
    QVERIFY(set.next());
    QVERIFY(!set.isFirst());
    QVERIFY(set.isLast());
    QVERIFY(!set.isPastLast()); // on the last row, but no move beyond it tried yet
    QVERIFY(!set.next());
    QVERIFY(set.isPastLast());
    QCOMPARE(set.currentRow(), 1);
    QVERIFY(set.prior());
    QVERIFY(set.isFirst());
    QVERIFY(!set.isPastLast());

    // A value set on an empty data set makes a new row first.
    QVERIFY(set.open(db, u"not_bank"_s, kBanks, { { u":comp"_s, u"Z"_s } }));
    QVERIFY(set.setValue(u"not_no"_s, u"01"_s));
    QCOMPARE(set.state(), DataSet::State::Insert);
    QCOMPARE(set.count(), 1);
    set.cancelRow();
    QVERIFY(set.isEmpty());
}

void TestDataSet::searchBindsItsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");

    const QStringList all { u"O'Brien"_s, u"%' or '1'='1"_s, u"a_b"_s, u"100%"_s, u"plain"_s };
    QTest::newRow("quote") << u"'"_s << QStringList({ u"O'Brien"_s, u"%' or '1'='1"_s });
    QTest::newRow("injection") << u"%' or '1'='1"_s << QStringList({ u"%' or '1'='1"_s });
    QTest::newRow("percent sign literally") << u"%"_s << QStringList({ u"%' or '1'='1"_s, u"100%"_s });
    QTest::newRow("underscore literally") << u"_"_s << QStringList({ u"a_b"_s });
    QTest::newRow("any letter case") << u"BRIEN"_s << QStringList({ u"O'Brien"_s });
    QTest::newRow("second column") << u"土地"_s << QStringList({ u"plain"_s });
    QTest::newRow("nothing") << u"zzz"_s << QStringList();
    QTest::newRow("empty text shows all") << QString() << all;
}

void TestDataSet::searchBindsItsText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    // Numbered so that the select's descending order is the order listed.
    addBank(db, u"A"_s, u"05"_s, u"O'Brien"_s);
    addBank(db, u"A"_s, u"04"_s, u"%' or '1'='1"_s);
    addBank(db, u"A"_s, u"03"_s, u"a_b"_s);
    addBank(db, u"A"_s, u"02"_s, u"100%"_s);
    addBank(db, u"A"_s, u"01"_s, u"plain"_s);
    QVERIFY(sql::execute(db, u"update not_bank set not_add = '台北市土地路' where not_no = '01'"_s));
    addBank(db, u"B"_s, u"01"_s, u"O'Brien of another company"_s);

    DataSet set;
    QVERIFY(set.open(db, u"not_bank"_s, u"select b.* from not_bank b where b.comp = :comp order by b.not_no desc"_s,
        { { u":comp"_s, u"A"_s } }));
    const Status searched = set.search({ u"not_name"_s, u"not_add"_s }, text);
    QVERIFY2(searched, searched.ok() ? "" : qPrintable(searched.refusal().text));
    QStringList names;
    for (int r = 0; r < set.count(); ++r)
        names.append(set.value(r, u"not_name"_s).toString());
    QCOMPARE(names, found);
}

void TestDataSet::blocksGiveTheRowsOfOneRead_data()
{
    QTest::addColumn<int>("fetchSize");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("first");
    QTest::newRow("one row at a time") << 1 << QString() << 1;
    QTest::newRow("blocks of 3") << 3 << QString() << 3;
    QTest::newRow("all but one") << 24 << QString() << 24;
    QTest::newRow("exactly all") << 25 << QString() << 25;
    QTest::newRow("more than all") << 100 << QString() << 25;
    QTest::newRow("search, blocks of 2") << 2 << u"台北"_s << 2;
    QTest::newRow("search, more than found") << 20 << u"台北"_s << 8;
    QTest::newRow("search finds nothing") << 2 << u"高雄"_s << 0;
}

void TestDataSet::blocksGiveTheRowsOfOneRead()
{
    QFETCH(int, fetchSize);
    QFETCH(QString, search);
    QFETCH(int, first);
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    addNumberedBanks(db, 25);

    DataSet whole;
    QVERIFY(openBanks(whole, db));
    QVERIFY(whole.search({ u"not_add"_s }, search));
    QVERIFY(!whole.canFetchMore());

    DataSet set;
    set.setFetchSize(fetchSize);
    QVERIFY(openBanks(set, db));
    QVERIFY(set.search({ u"not_add"_s }, search));
    QCOMPARE(set.count(), first);
    QCOMPARE(set.canFetchMore(), first < whole.count());
    QCOMPARE(set.isLast(), set.isEmpty()); // on row 0 of several, or alone with more to read

    QList<std::pair<int, int>> blocks;
    connect(&set, &DataSet::rowsAboutToBeFetched, &set, [&](int from, int to) { blocks.append({ from, to }); });
    int fetched = 0;
    connect(&set, &DataSet::rowsFetched, &set, [&] { ++fetched; });
    while (set.canFetchMore())
        QVERIFY(set.fetchMore());
    QCOMPARE(heldBanks(set), heldBanks(whole));
    QCOMPARE(fetched, int(blocks.size()));
    // Each block follows the rows held and is at least as large as they are.
    int held = first;
    for (const auto& [from, to] : blocks) {
        QCOMPARE(from, held);
        QVERIFY(to - from + 1 >= std::min(held, whole.count() - held));
        held = to + 1;
    }
    QCOMPARE(set.currentRow(), set.isEmpty() ? -1 : 0);
}

void TestDataSet::movesReadTheRowsTheyNeed()
{
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    addNumberedBanks(db, 40);
    DataSet set;
    set.setFetchSize(4);
    QVERIFY(openBanks(set, db));
    QCOMPARE(set.count(), 4);

    // next() on the last row held reads the next block; no flag says "last"
    // while rows are left.
    QVERIFY(set.setCurrentRow(3));
    QVERIFY(!set.isLast());
    QVERIFY(set.next());
    QCOMPARE(set.text(u"not_no"_s), bankNo(5));
    QCOMPARE(set.count(), 8);

    QVERIFY(set.locate(u"not_no"_s, bankNo(20)));
    QCOMPARE(set.currentRow(), 19);
    QCOMPARE(set.count(), 32); // blocks of 4, 4, 8, 16
    QVERIFY(set.canFetchMore());

    // A row that is not there reads everything to know.
    DataSet other;
    other.setFetchSize(4);
    QVERIFY(openBanks(other, db));
    QVERIFY(!other.locate(u"not_no"_s, u"99"_s));
    QCOMPARE(other.count(), 40);
    QCOMPARE(other.currentRow(), 0);

    DataSet third;
    third.setFetchSize(4);
    QVERIFY(openBanks(third, db));
    QVERIFY(third.setCurrentRow(9));
    QCOMPARE(third.text(u"not_no"_s), bankNo(10));
    QVERIFY(!third.setCurrentRow(40));
    QCOMPARE(third.count(), 40);
    QCOMPARE(third.currentRow(), 9);

    set.last();
    QCOMPARE(set.count(), 40);
    QCOMPARE(set.text(u"not_no"_s), bankNo(40));
    QVERIFY(set.isLast());
    QVERIFY(set.isPastLast());
    QVERIFY(!set.canFetchMore());
}

void TestDataSet::saveAndCancelComeBackBeyondTheFirstBlock_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("save") << true;
    QTest::newRow("cancel") << false;
}

void TestDataSet::saveAndCancelComeBackBeyondTheFirstBlock()
{
    QFETCH(bool, save);
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    addNumberedBanks(db, 40);
    DataSet set;
    set.setFetchSize(4);
    QVERIFY(openBanks(set, db));
    QVERIFY(set.locate(u"not_no"_s, bankNo(18)));
    QVERIFY(set.setValue(u"not_name"_s, u"改名"_s));
    QVERIFY(save ? set.save() : set.cancel());
    QCOMPARE(set.state(), DataSet::State::Browse);
    QCOMPARE(set.text(u"not_no"_s), bankNo(18));
    QCOMPARE(set.currentRow(), 17);
    QCOMPARE(set.text(u"not_name"_s), save ? u"改名"_s : u"銀行18"_s);
    QCOMPARE(set.count(), 32); // only the blocks it took to come back

    // A new row dropped by cancel() goes back to its place, read up to it.
    QVERIFY(set.setCurrentRow(set.count() - 1));
    const int place = set.count();
    set.append({ { u"comp"_s, u"A"_s }, { u"not_no"_s, u"03"_s } }); // the number of a stored row
    QCOMPARE(set.currentRow(), place);
    QVERIFY(set.cancel());
    QCOMPARE(set.currentRow(), place);
    QCOMPARE(set.text(u"not_no"_s), bankNo(place + 1));
}

void TestDataSet::heldChangesSurviveFetching()
{
    KORVESSA_TEST_DATABASE(t, false);
    const QSqlDatabase db = t->books();
    addNumberedBanks(db, 12);
    DataSet set;
    set.setFetchSize(3);
    QVERIFY(openBanks(set, db));
    set.remove(); // 01
    QVERIFY(set.setValue(u"not_name"_s, u"改名"_s)); // 02, edited and left in Edit
    set.append({ { u"comp"_s, u"A"_s }, { u"not_no"_s, u"77"_s }, { u"not_name"_s, u"新一"_s } });
    set.post();
    set.append({ { u"comp"_s, u"A"_s }, { u"not_no"_s, u"88"_s }, { u"not_name"_s, u"新二"_s } });
    QCOMPARE(heldBanks(set), QStringList({ u"02=改名"_s, u"03=銀行03"_s, u"77=新一"_s, u"88=新二"_s }));
    QCOMPARE(set.currentRow(), 3);

    // The block goes in before the new rows; the row being inserted stays
    // current and stays a new row.
    QVERIFY(set.fetchMore());
    QCOMPARE(set.count(), 7);
    QCOMPARE(set.state(), DataSet::State::Insert);
    QCOMPARE(set.currentRow(), 6);
    QCOMPARE(set.text(u"not_no"_s), u"88"_s);
    QCOMPARE(set.rowChange(0), DataSet::RowChange::Modified);
    QCOMPARE(set.rowChange(5), DataSet::RowChange::Inserted);
    QCOMPARE(set.rowChange(6), DataSet::RowChange::Inserted);
    QCOMPARE(set.removedCount(), 1);

    // Dropping the row being inserted goes back to the row before it.
    set.cancelRow();
    QCOMPARE(set.text(u"not_no"_s), u"77"_s);

    // The removed row is not read again, the edited one keeps its value.
    QVERIFY(set.fetchAll());
    QStringList expected;
    expected.append(u"02=改名"_s);
    for (int i = 3; i <= 12; ++i)
        expected.append(bankNo(i) + u"=銀行"_s + bankNo(i));
    expected.append(u"77=新一"_s);
    QCOMPARE(heldBanks(set), expected);
    QCOMPARE(set.text(u"not_no"_s), u"77"_s);

    QVERIFY(set.save());
    QCOMPARE(storedBanks(db), expected);
    QCOMPARE(set.text(u"not_no"_s), u"77"_s);
}

QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_db_dataset.moc"
