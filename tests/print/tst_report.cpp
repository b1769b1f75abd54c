#include "print/report.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <poppler-qt6.h>

using namespace Qt::StringLiterals;
using namespace korvessa;
using namespace korvessa::print;

Q_DECLARE_METATYPE(korvessa::print::Format)

namespace {

// A trial-balance-like template: general accounts with their accounts
// below when "det" is set, a header row that repeats, a total at the end.
const char* const trialTemplate = R"(<html><body>
<p>期間 {{cda}} 到 {{cdb}}</p>
<table width="100%" border="1" cellspacing="0" cellpadding="2">
<thead><tr><th>會計科目</th><th>科目名稱</th><th>借方金額</th><th>貸方筆數</th></tr></thead>
<tbody>
{{#master}}
<tr><td>{{P02}}</td><td>{{P01}}</td><td align="right">{{P05}}</td><td align="right">{{P06}}</td></tr>
{{#det}}{{#detail}}<tr><td>{{P03}}</td><td>{{P04}}</td><td align="right">{{P05}}</td><td align="right">{{P06}}</td></tr>
{{/detail}}{{/det}}
{{/master}}
</tbody></table>
<p>合計 {{total}}</p>
</body></html>
)";

// `generals` general accounts, each with `perGeneral` accounts below it.
Report trialReport(int generals, int perGeneral, bool det = true)
{
    DataSource master { u"master"_s,
        { { u"P01"_s }, { u"P02"_s, Format::AccountCode }, { u"P05"_s, Format::Amount, 2 },
            { u"P06"_s, Format::Count } },
        {}, {}, {} };
    DataSource detail { u"detail"_s,
        { { u"P02"_s, Format::AccountCode }, { u"P03"_s, Format::AccountCode }, { u"P04"_s },
            { u"P05"_s, Format::Amount, 2 }, { u"P06"_s, Format::Count } },
        {}, u"master"_s, { u"comp"_s, u"P02"_s } };
    for (int g = 0; g < generals; ++g) {
        const QString general = QString::number(1101 + g);
        master.rows.append({ { u"comp"_s, u"A"_s }, { u"P01"_s, u"總帳%1"_s.arg(general) }, { u"P02"_s, general },
            { u"P05"_s, u"%1.5"_s.arg(1000 * (g + 1)) }, { u"P06"_s, g + 1 } });
        for (int a = 0; a < perGeneral; ++a)
            detail.rows.append({ { u"comp"_s, u"A"_s }, { u"P02"_s, general },
                { u"P03"_s, QString(general + u"%1"_s.arg(a + 1, 3, 10, QChar(u'0'))) },
                { u"P04"_s, u"科目%1-%2"_s.arg(general).arg(a + 1) }, { u"P05"_s, 1234.5 * (a + 1) },
                { u"P06"_s, u"%1"_s.arg(a + 1) } });
    }
    Report report;
    report.templateName = u"trial"_s;
    report.title = u"試算表"_s;
    report.sources = { master, detail };
    report.variables = { { u"cda"_s, u"2024/01"_s }, { u"cdb"_s, u"2024/03"_s }, { u"det"_s, det },
        { u"total"_s, u"1,234,567.50"_s } };
    report.company = { { u"comp_name"_s, u"A"_s }, { u"comp_title"_s, u"示範公司"_s } };
    return report;
}

QString unzipped(const QString& zip, const QString& member)
{
    QProcess unzip;
    unzip.start(u"unzip"_s, { u"-p"_s, zip, member });
    if (!unzip.waitForFinished(10000) || unzip.exitCode() != 0)
        return {};
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString templateDir() const { return m_dir.path(); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile file(m_dir.filePath(u"trial.html"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(trialTemplate);
    }

    void formatValue_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<Format>("format");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");

        QTest::newRow("amount double, 2 places") << QVariant(1234567.5) << Format::Amount << 2 << u"1,234,567.50"_s;
        QTest::newRow("amount text, halves away from zero")
            << QVariant(u"-300.5"_s) << Format::Amount << 0 << u"-301"_s;
        QTest::newRow("amount text from the decimal text") << QVariant(u"2.675"_s) << Format::Amount << 2 << u"2.68"_s;
        QTest::newRow("amount negative grouped") << QVariant(-1234567.891) << Format::Amount << 2 << u"-1,234,567.89"_s;
        QTest::newRow("amount under 1000") << QVariant(999) << Format::Amount << 0 << u"999"_s;
        QTest::newRow("amount exactly 1000") << QVariant(u"1000"_s) << Format::Amount << 0 << u"1,000"_s;
        QTest::newRow("amount rounding to zero loses the sign") << QVariant(-0.004) << Format::Amount << 2 << u"0.00"_s;
        QTest::newRow("amount below one") << QVariant(u"-0.5"_s) << Format::Amount << 2 << u"-0.50"_s;
        QTest::newRow("amount empty stays empty") << QVariant(u""_s) << Format::Amount << 2 << QString();
        QTest::newRow("amount null stays empty") << QVariant() << Format::Amount << 2 << QString();
        QTest::newRow("amount that is no number") << QVariant(u"n/a"_s) << Format::Amount << 2 << u"n/a"_s;
        QTest::newRow("count text") << QVariant(u"1234"_s) << Format::Count << 2 << u"1,234"_s;
        QTest::newRow("count million") << QVariant(1000000) << Format::Count << 0 << u"1,000,000"_s;
        QTest::newRow("count negative") << QVariant(u"-12345"_s) << Format::Count << 0 << u"-12,345"_s;
        QTest::newRow("code 7 digits") << QVariant(u"1101001"_s) << Format::AccountCode << 0 << u"1101-001"_s;
        QTest::newRow("code 7 digits as a number") << QVariant(1101001) << Format::AccountCode << 0 << u"1101-001"_s;
        QTest::newRow("code 4 digits") << QVariant(u"1101"_s) << Format::AccountCode << 0 << u"1101"_s;
        QTest::newRow("code padded") << QVariant(u"1101001  "_s) << Format::AccountCode << 0 << u"1101-001"_s;
        QTest::newRow("code 6 digits as is") << QVariant(u"110100"_s) << Format::AccountCode << 0 << u"110100"_s;
        QTest::newRow("text number shortest form") << QVariant(12500.0) << Format::Text << 0 << u"12500"_s;
        QTest::newRow("text as is") << QVariant(u" 現金 "_s) << Format::Text << 0 << u" 現金 "_s;
    }
    void formatValue()
    {
        QFETCH(QVariant, value);
        QFETCH(Format, format);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(print::formatValue(value, Column { u"x"_s, format, decimals }), expected);
    }

    void detailRowsNestUnderTheirMaster()
    {
        Report report = trialReport(2, 2);
        // A detail row of another company must not join on P02 alone.
        report.sources[1].rows.append({ { u"comp"_s, u"B"_s }, { u"P02"_s, u"1101"_s }, { u"P03"_s, u"1101099"_s } });
        const QString text
            = u"{{company.comp_title}}|{{cda}}-{{cdb}}|"
              u"{{#master}}[{{P02}} {{P05}}/{{P05_raw}}:{{#det}}{{#detail}}{{P03}},{{/detail}}{{/det}}]{{/master}}"_s;
        const auto html = renderTemplate(report, text);
        QVERIFY(html.ok());
        QCOMPARE(*html,
            u"示範公司|2024/01-2024/03|[1101 1,000.50/1000.5:1101-001,1101-002,][1102 2,000.50/2000.5:1102-001,1102-002,]"_s);

        report.variables[u"det"_s] = false;
        const auto brief = renderTemplate(report, text);
        QVERIFY(brief.ok());
        QCOMPARE(*brief, u"示範公司|2024/01-2024/03|[1101 1,000.50/1000.5:][1102 2,000.50/2000.5:]"_s);

        // The whole detail source is at the top level as well.
        const auto all = renderTemplate(report, u"{{#detail}}{{P03}} {{/detail}}"_s);
        QVERIFY(all.ok());
        QCOMPARE(all->count(u' '), 5);
    }

    void malformedTemplateIsRefused()
    {
        const auto html = renderTemplate(trialReport(1, 1), u"{{#master}}unclosed"_s);
        QVERIFY(!html.ok());
        QVERIFY(!html.refusal().text.isEmpty());
    }

    void missingTemplateGivesNoPages()
    {
        Report report = trialReport(1, 1);
        report.templateName = u"nosuchtemplate"_s;
        const auto document = Document::layout(report, templateDir());
        QVERIFY(document.ok());
        QCOMPARE((*document)->pageCount(), 0);
        QVERIFY((*document)->isEmpty());
        QVERIFY((*document)->pageImage(0, 96).isNull());
        QVERIFY(exportPng(**document, m_dir.filePath(u"none.png"_s)).ok());
        QVERIFY(!QFile::exists(m_dir.filePath(u"none-1.png"_s)));
    }

    void longTableRepeatsHeaderAndNumbersPages()
    {
        const auto document = Document::layout(trialReport(20, 6), templateDir());
        QVERIFY(document.ok());
        const Document& doc = **document;
        const int pages = doc.pageCount();
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        QVERIFY(doc.html().contains(u"<td>1101-001</td>"_s));
        QVERIFY(doc.html().contains(u"期間 2024/01 到 2024/03"_s));

        const QString second = doc.pageText(1);
        QVERIFY2(second.contains(u"會計科目\t科目名稱\t借方金額\t貸方筆數"_s), qPrintable(second));
        QVERIFY(second.contains(u"示範公司"_s));
        QVERIFY(second.contains(u"第 2 頁 / 共 %1 頁"_s.arg(pages)));
        QVERIFY(doc.pageText(0).contains(u"第 1 頁 / 共 %1 頁"_s.arg(pages)));
        // Every row is on exactly one page.
        QCOMPARE(doc.find(u"科目1105-3\t"_s).size(), 1);
        QCOMPARE(doc.find(u"合計 1,234,567.50"_s), QList<int> { pages - 1 });
        QCOMPARE(doc.find(u"示範公司"_s).size(), pages);

        // Landscape pages are wider than tall and hold fewer rows.
        const QPageLayout landscape(
            QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        const auto wide = Document::layout(trialReport(20, 6), templateDir(), landscape);
        QVERIFY(wide.ok());
        QVERIFY((*wide)->pageCount() > pages);
        const QImage image = (*wide)->pageImage(0, 72);
        QVERIFY(image.width() > image.height());
        QCOMPARE(image.width(), 842);
    }

    void progressCanCancel()
    {
        int calls = 0;
        const auto document = Document::layout(trialReport(20, 6), templateDir(), [&](int) { return ++calls < 2; });
        QVERIFY(!document.ok());
        QCOMPARE(calls, 2);
    }

    void pdfReadsBack()
    {
        const auto document = Document::layout(trialReport(20, 6), templateDir());
        QVERIFY(document.ok());
        const QString file = m_dir.filePath(u"trial.pdf"_s);
        const Status written = exportPdf(**document, file);
        QVERIFY2(written.ok(), written.ok() ? "" : qPrintable(written.refusal().text));

        const std::unique_ptr<Poppler::Document> pdf = Poppler::Document::load(file);
        QVERIFY(pdf);
        QCOMPARE(pdf->numPages(), (*document)->pageCount());
        const QString first = pdf->page(0)->text(QRectF());
        QVERIFY2(first.contains(u"示範公司"_s), qPrintable(first));
        QVERIFY(first.contains(u"1101-001"_s));
        QVERIFY(first.contains(u"第 1 頁"_s));
        // The table's header is painted again on the second page.
        const QString second = pdf->page(1)->text(QRectF());
        QVERIFY2(second.contains(u"會計科目"_s), qPrintable(second));
        QVERIFY(second.contains(u"第 2 頁"_s));
        const QString last = pdf->page(pdf->numPages() - 1)->text(QRectF());
        QVERIFY2(last.contains(u"1,234,567.50"_s), qPrintable(last));
        // The page is A4.
        const QSizeF size = pdf->page(0)->pageSizeF();
        QVERIFY(qAbs(size.width() - 595.3) < 1 && qAbs(size.height() - 841.9) < 1);
    }

    void xlsxHoldsNumbers()
    {
        if (QStandardPaths::findExecutable(u"unzip"_s).isEmpty())
            QSKIP("unzip is not installed");
        const QString file = m_dir.filePath(u"trial.xlsx"_s);
        Report report = trialReport(2, 2);
        report.sources[0].rows[0][u"P05"_s] = u"1,234.5"_s; // grouped text is a number too
        report.sources[0].rows[1][u"P05"_s] = u""_s; // empty stays empty
        QVERIFY(exportXlsx(report, file).ok());

        const QString book = unzipped(file, u"xl/workbook.xml"_s);
        QVERIFY2(book.contains(u"name=\"master\""_s) && book.contains(u"name=\"detail\""_s), qPrintable(book));
        const QString master = unzipped(file, u"xl/worksheets/sheet1.xml"_s);
        const QString strings = unzipped(file, u"xl/sharedStrings.xml"_s);
        // Header row, then C2 (P05) a number cell, D2 (P06, Count) a number.
        QVERIFY(strings.contains(u"<t>P05</t>"_s));
        QVERIFY2(QRegularExpression(u"<c r=\"C2\"(?![^>]*t=\"s\")[^>]*><v>1234.5</v></c>"_s).match(master).hasMatch(),
            qPrintable(master));
        QVERIFY(QRegularExpression(u"<c r=\"D2\"(?![^>]*t=\"s\")[^>]*><v>1</v></c>"_s).match(master).hasMatch());
        QVERIFY(!master.contains(u"<c r=\"C3\""_s));
        // Codes and names are text.
        QVERIFY(QRegularExpression(u"<c r=\"B2\"[^>]*t=\"s\""_s).match(master).hasMatch());
        QVERIFY(strings.contains(u"總帳1101"_s));
        const QString detail = unzipped(file, u"xl/worksheets/sheet2.xml"_s);
        QVERIFY(QRegularExpression(u"<c r=\"D3\"(?![^>]*t=\"s\")[^>]*><v>2469</v></c>"_s).match(detail).hasMatch());
    }

    void pngAndOdt()
    {
        const auto document = Document::layout(trialReport(20, 6), templateDir());
        QVERIFY(document.ok());
        const QString png = m_dir.filePath(u"trial.png"_s);
        QVERIFY(exportPng(**document, png, 100).ok());
        for (int i = 1; i <= (*document)->pageCount(); ++i) {
            const QImage image(m_dir.filePath(u"trial-%1.png"_s.arg(i)));
            QCOMPARE(image.size(), QSize(827, 1169)); // A4 at 100 dpi
        }
        QVERIFY(!QFile::exists(m_dir.filePath(u"trial-%1.png"_s.arg((*document)->pageCount() + 1))));
        // Something is painted in the header band and in the body.
        const QImage page(m_dir.filePath(u"trial-2.png"_s));
        auto inked = [&](int top, int bottom) {
            for (int y = top; y < bottom; ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (qGray(page.pixel(x, y)) < 128)
                        return true;
            return false;
        };
        QVERIFY(inked(60, 100));
        QVERIFY(inked(200, 1000));

        const QString odt = m_dir.filePath(u"trial.odt"_s);
        QVERIFY(exportOdt(**document, odt).ok());
        if (!QStandardPaths::findExecutable(u"unzip"_s).isEmpty())
            QVERIFY(unzipped(odt, u"content.xml"_s).contains(u"1101-001"_s));
    }

    void largeReportIsQuick()
    {
        const Report report = trialReport(200, 9); // 2,000 rows
        QElapsedTimer timer;
        timer.start();
        const auto document = Document::layout(report, templateDir());
        QVERIFY(document.ok());
        const qint64 laidOut = timer.elapsed();
        QVERIFY(exportPdf(**document, m_dir.filePath(u"large.pdf"_s)).ok());
        const qint64 total = timer.elapsed();
        qInfo("2,000 rows: %d pages, laid out in %lld ms, with PDF %lld ms", (*document)->pageCount(), laidOut, total);
        QVERIFY((*document)->pageCount() > 40);
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
