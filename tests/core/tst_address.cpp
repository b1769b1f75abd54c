#include "core/customers/addresswizard.h"
#include "core/customers/zipcodetable.h"
#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/schema.h"
#include "core/db/sql.h"

#include <QTemporaryDir>
#include <QtTest/QTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

const QString kConnection = u"tst_address"_s;

// ZIP, CITY, AREA, ROAD, NUM
const QList<QStringList> kPostalRows = {
    { u"100"_s, u"台北市"_s, u"中正區"_s, u"重慶南路"_s, u"1-50"_s },
    { u"101"_s, u"台北市"_s, u"中正區"_s, u"重慶南路"_s, u"51-99"_s },
    { u"100"_s, u"台北市"_s, u"中正區"_s, u"忠孝西路"_s, u"全"_s },
    { u"103"_s, u"台北市"_s, u"大同區"_s, u"重慶北路"_s, u"全"_s },
    { u"200"_s, u"基隆市"_s, u"仁愛區"_s, u"忠一路"_s, u"全"_s },
};

// "text|item,item" with the items sorted: the lookups have no order of their own.
QString boxState(const AddressWizard& w, AddressWizard::Box box)
{
    QStringList items = w.items(box);
    items.sort();
    return w.text(box) + u'|' + items.join(u',');
}

} // namespace

class TestAddress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void openingListsCities();
    void cascade_data();
    void cascade();
    void listWarnings_data();
    void listWarnings();
    void keysAndBackspace();
    void backspaceOnlyTouchesTheFirstLine_data();
    void backspaceOnlyTouchesTheFirstLine();
    void worksWithoutPostalCodes();
    void editorWritesAtOnce();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QSqlDatabase m_db;
};

void TestAddress::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    auto db = openSqliteFile(m_dir->filePath(u"zipcode.db"_s), kConnection);
    QVERIFY(db);
    m_db = *db;
    QVERIFY(ensureZipcodeSchema(m_db));
    for (const QStringList& r : kPostalRows)
        QVERIFY(sql::insert(m_db, u"ZIPCODE"_s,
            { { u"ZIP"_s, r[0] }, { u"CITY"_s, r[1] }, { u"AREA"_s, r[2] }, { u"ROAD"_s, r[3] }, { u"NUM"_s, r[4] } }));
}

void TestAddress::cleanup()
{
    m_db = {};
    closeDatabase(kConnection);
    m_dir.reset();
}

void TestAddress::openingListsCities()
{
    AddressWizard w;
    w.setDatabase(m_db);
    w.reset();
    QCOMPARE(boxState(w, AddressWizard::City), u"|台北市,基隆市"_s);
    for (auto b : { AddressWizard::District, AddressWizard::Zip, AddressWizard::Street, AddressWizard::Range })
        QCOMPARE(boxState(w, b), u"|"_s);
    QCOMPARE(w.address(), QString());
}

void TestAddress::cascade_data()
{
    // Steps "box=text;…" from a fresh wizard; then each box as "text|sorted list".
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("boxes"); // city, district, zip, street, range
    QTest::addColumn<QString>("address");

    QTest::newRow("city fills district, zip, street")
        << u"city=台北市"_s
        << QStringList { u"台北市|台北市,基隆市"_s, u"|中正區,大同區"_s, u"|100,101,103"_s,
               u"|忠孝西路,重慶北路,重慶南路"_s, u"|"_s }
        << u"()台北市"_s;
    QTest::newRow("district narrows zip and street")
        << u"city=台北市;district=中正區"_s
        << QStringList { u"台北市|台北市,基隆市"_s, u"中正區|中正區,大同區"_s, u"|100,101"_s, u"|忠孝西路,重慶南路"_s,
               u"|"_s }
        << u"()台北市中正區"_s;
    QTest::newRow("new city empties what was chosen")
        << u"city=台北市;district=中正區;street=重慶南路;city=基隆市"_s
        << QStringList { u"基隆市|台北市,基隆市"_s, u"|仁愛區"_s, u"|200"_s, u"|忠一路"_s, u"|"_s } << u"()基隆市"_s;
    QTest::newRow("zip empties the others and fills four lists")
        << u"city=台北市;district=中正區;zip=100"_s
        << QStringList { u"|台北市"_s, u"|中正區"_s, u"100|100,101"_s, u"|忠孝西路,重慶南路"_s, u"|1-50,全"_s }
        << u"(100)"_s;
    QTest::newRow("street fills ranges of the district")
        << u"city=台北市;district=中正區;street=重慶南路"_s
        << QStringList { u"台北市|台北市,基隆市"_s, u"中正區|中正區,大同區"_s, u"|100,101"_s,
               u"重慶南路|忠孝西路,重慶南路"_s, u"|1-50,51-99"_s }
        << u"()台北市中正區重慶南路"_s;
    QTest::newRow("street without district fills districts of that street")
        << u"city=台北市;street=重慶北路"_s
        << QStringList { u"台北市|台北市,基隆市"_s, u"|大同區"_s, u"|100,101,103"_s,
               u"重慶北路|忠孝西路,重慶北路,重慶南路"_s, u"|"_s }
        << u"()台北市重慶北路"_s;
    QTest::newRow("range adds its codes to the zip list")
        << u"city=台北市;district=中正區;street=重慶南路;range=51-99"_s
        << QStringList { u"台北市|台北市,基隆市"_s, u"中正區|中正區,大同區"_s, u"|100,101,101"_s,
               u"重慶南路|忠孝西路,重慶南路"_s, u"51-99|1-50,51-99"_s }
        << u"()台北市中正區重慶南路"_s;
    QTest::newRow("typed city finds nothing")
        << u"city=台"_s << QStringList { u"台|台北市,基隆市"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s } << u"()台"_s;
}

void TestAddress::cascade()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, boxes);
    QFETCH(QString, address);
    const QHash<QString, AddressWizard::Box> names = { { u"city"_s, AddressWizard::City },
        { u"district"_s, AddressWizard::District }, { u"zip"_s, AddressWizard::Zip },
        { u"street"_s, AddressWizard::Street }, { u"range"_s, AddressWizard::Range } };
    AddressWizard w;
    w.setDatabase(m_db);
    w.reset();
    for (const QString& step : steps.split(u';')) {
        const QStringList parts = step.split(u'=');
        w.changeBox(names.value(parts[0]), parts[1]);
    }
    QStringList got;
    for (int b = 0; b < AddressWizard::BoxCount; ++b)
        got.append(boxState(w, AddressWizard::Box(b)));
    QCOMPARE(got, boxes);
    QCOMPARE(w.address(), address);
    QVERIFY(w.lastError().ok());
}

void TestAddress::listWarnings_data()
{
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("street");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("warning");
    const QString chooseCity = u"請先選擇縣（市）！"_s;
    const QString chooseStreet = u"請先選擇街路村里！"_s;
    QTest::newRow("city list") << QString() << QString() << int(AddressWizard::City) << QString();
    QTest::newRow("district without city") << QString() << QString() << int(AddressWizard::District) << chooseCity;
    QTest::newRow("zip without city") << QString() << QString() << int(AddressWizard::Zip) << chooseCity;
    QTest::newRow("street without city") << QString() << QString() << int(AddressWizard::Street) << chooseCity;
    QTest::newRow("street with city") << u"台北市"_s << QString() << int(AddressWizard::Street) << QString();
    QTest::newRow("range without street") << u"台北市"_s << QString() << int(AddressWizard::Range) << chooseStreet;
    QTest::newRow("range with street") << u"台北市"_s << u"重慶南路"_s << int(AddressWizard::Range) << QString();
}

void TestAddress::listWarnings()
{
    QFETCH(QString, city);
    QFETCH(QString, street);
    QFETCH(int, box);
    QFETCH(QString, warning);
    AddressWizard w;
    w.setDatabase(m_db);
    w.reset();
    if (!city.isEmpty())
        w.changeBox(AddressWizard::City, city);
    if (!street.isEmpty())
        w.changeBox(AddressWizard::Street, street);
    QCOMPARE(w.listWarning(AddressWizard::Box(box)), warning);
}

void TestAddress::keysAndBackspace()
{
    AddressWizard w;
    w.setDatabase(m_db);
    w.reset();
    w.changeBox(AddressWizard::City, u"台北市"_s);
    w.changeBox(AddressWizard::District, u"中正區"_s);
    w.changeBox(AddressWizard::Street, u"重慶南路"_s);
    const QString start = w.address();
    QCOMPARE(start, u"()台北市中正區重慶南路"_s);
    for (const QString& key : { u"巷"_s, u"1"_s, u"2"_s, u"號"_s }) {
        QVERIFY(AddressWizard::keyCaptions().contains(key));
        w.appendKey(key);
    }
    QCOMPARE(w.address(), start + u"巷12號"_s);
    w.backspace();
    QCOMPARE(w.address(), start + u"巷12"_s);
    w.appendKey(u"郵政"_s);
    w.appendKey(u"信箱"_s);
    QCOMPARE(w.address(), start + u"巷12郵政信箱"_s);

    w.reset();
    QCOMPARE(w.address(), QString());
    QCOMPARE(boxState(w, AddressWizard::City), u"|台北市,基隆市"_s);
    QCOMPARE(boxState(w, AddressWizard::Zip), u"|"_s);
}

void TestAddress::backspaceOnlyTouchesTheFirstLine_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("one line") << u"(100)巷號"_s << u"(100)巷"_s;
    QTest::newRow("first of two lines") << u"號樓\n備註"_s << u"號\n備註"_s;
    QTest::newRow("windows line end") << u"號樓\r\n備註"_s << u"號\r\n備註"_s;
    QTest::newRow("character outside the basic plane") << u"巷\U0002000B"_s << u"巷"_s;
    QTest::newRow("empty first line") << u"\n備註"_s << u"\n備註"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestAddress::backspaceOnlyTouchesTheFirstLine()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    AddressWizard w;
    w.setAddress(before);
    w.backspace();
    QCOMPARE(w.address(), after);
}

void TestAddress::worksWithoutPostalCodes()
{
    AddressWizard w; // no connection at all
    w.reset();
    w.changeBox(AddressWizard::City, u"台北市"_s);
    QCOMPARE(boxState(w, AddressWizard::District), u"|"_s);
    w.appendKey(u"5"_s);
    QCOMPARE(w.address(), u"()台北市5"_s);
}

void TestAddress::editorWritesAtOnce()
{
    ZipcodeTable table;
    QVERIFY(table.open(m_db));
    DataSet* rows = table.rows();
    QCOMPARE(rows->count(), int(kPostalRows.size()));
    QVERIFY(rows->locate({ { u"ZIP"_s, u"200"_s } }));
    rows->setValue(u"ROAD"_s, u"愛一路"_s);
    QVERIFY(table.post());
    auto road = sql::scalar(m_db, u"select ROAD from ZIPCODE where ZIP = :z"_s, { { u":z"_s, u"200"_s } });
    QCOMPARE(road->toString(), u"愛一路"_s);

    rows->append({ { u"ZIP"_s, u"300"_s }, { u"CITY"_s, u"新竹市"_s } });
    QVERIFY(table.post());
    QVERIFY(rows->locate({ { u"ZIP"_s, u"101"_s } }));
    QVERIFY(table.removeCurrent());
    auto zips = sql::rows(m_db, u"select ZIP from ZIPCODE order by ZIP"_s);
    QStringList got;
    for (const QSqlRecord& r : *zips)
        got.append(r.value(0).toString());
    QCOMPARE(got, (QStringList { u"100"_s, u"100"_s, u"103"_s, u"200"_s, u"300"_s }));

    // The wizard sees the change after a fresh start.
    AddressWizard w;
    w.setDatabase(m_db);
    w.reset();
    QCOMPARE(boxState(w, AddressWizard::City), u"|台北市,基隆市,新竹市"_s);
}

QTEST_GUILESS_MAIN(TestAddress)
#include "tst_address.moc"
