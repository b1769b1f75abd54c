#include "gui/print/reportpreview.h"
#include "gui/print/reportpreviewdialog.h"
#include "gui/shell/messages.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <poppler-qt6.h>

using namespace Qt::StringLiterals;
using namespace korvessa;
using namespace korvessa::print;

class TestReportPreview : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedMessages m_messages;

    Report report(int rows) const
    {
        DataSource lines { u"lines"_s, { { u"code"_s, Format::AccountCode }, { u"amount"_s, Format::Amount, 0 } }, {},
            {}, {} };
        for (int i = 0; i < rows; ++i)
            lines.rows.append({ { u"code"_s, QString::number(1101001 + i) }, { u"amount"_s, 1000 * (i + 1) } });
        Report r;
        r.templateName = u"lines"_s;
        r.title = u"明細表"_s;
        r.sources = { lines };
        r.company = { { u"comp_title"_s, u"示範公司"_s } };
        return r;
    }

    template <typename T> T* child(QObject* parent, const QString& name)
    {
        T* found = parent->findChild<T*>(name);
        if (!found)
            qWarning("no %s", qPrintable(name));
        return found;
    }

private Q_SLOTS:
    void initTestCase()
    {
        Messages::install(&m_messages);
        QVERIFY(m_dir.isValid());
        QFile file(m_dir.filePath(u"lines.html"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"(<table width="100%"><thead><tr><th>科目</th><th>金額</th></tr></thead>
{{#lines}}<tr><td>{{code}}</td><td align="right">{{amount}}</td></tr>
{{/lines}}</table>)");
    }
    void cleanupTestCase() { Messages::install(nullptr); }

    void pagesFindAndExport()
    {
        auto document = layoutWithProgress(report(150), m_dir.path(), defaultPageLayout(), nullptr);
        QVERIFY(document);
        const int pages = document->pageCount();
        QVERIFY(pages >= 3);

        ReportPreviewDialog dialog(document, m_dir.path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.objectName(), u"reportPreview"_s);
        QCOMPARE(dialog.windowTitle(), u"預覽 - 明細表"_s);
        auto* label = child<QLabel>(&dialog, u"pageLabel"_s);
        QVERIFY(label);
        QCOMPARE(label->text(), u"第 1 頁 / 共 %1 頁"_s.arg(pages));
        QVERIFY(!child<QAction>(&dialog, u"actPrior"_s)->isEnabled());

        child<QAction>(&dialog, u"actNext"_s)->trigger();
        QCOMPARE(dialog.currentPage(), 1);
        QCOMPARE(label->text(), u"第 2 頁 / 共 %1 頁"_s.arg(pages));
        child<QAction>(&dialog, u"actLast"_s)->trigger();
        QCOMPARE(label->text(), u"第 %1 頁 / 共 %1 頁"_s.arg(pages));
        QVERIFY(!child<QAction>(&dialog, u"actNext"_s)->isEnabled());
        child<QAction>(&dialog, u"actFirst"_s)->trigger();
        QCOMPARE(dialog.currentPage(), 0);

        // The page view shows the document's own page image.
        auto* image = child<QLabel>(&dialog, u"pageImage"_s);
        QVERIFY(image && !image->pixmap().isNull());
        const double fitted = dialog.zoom();
        child<QAction>(&dialog, u"actZoomIn"_s)->trigger();
        QVERIFY(dialog.zoom() > fitted);
        QVERIFY(image->pixmap().width() > int(fitted * 790));
        child<QAction>(&dialog, u"actZoomFit"_s)->trigger();
        QCOMPARE(dialog.zoom(), fitted);

        // Find jumps to the page holding the text: the last row.
        auto* find = child<QLineEdit>(&dialog, u"findEdit"_s);
        find->setText(u"1101-150"_s);
        child<QAction>(&dialog, u"actFind"_s)->trigger();
        QCOMPARE(dialog.currentPage(), pages - 1);
        find->setText(u"nowhere"_s);
        QVERIFY(!dialog.findNext());
        QCOMPARE(dialog.currentPage(), pages - 1);

        const QString pdf = m_dir.filePath(u"out.pdf"_s);
        QVERIFY(dialog.exportTo(ReportPreviewDialog::ExportFormat::Pdf, pdf));
        const std::unique_ptr<Poppler::Document> read = Poppler::Document::load(pdf);
        QVERIFY(read);
        QCOMPARE(read->numPages(), pages);
        QVERIFY(read->page(0)->text(QRectF()).contains(u"1101-001"_s));

        // A file that cannot be written is refused with a message.
        m_messages.clear();
        QVERIFY(!dialog.exportTo(ReportPreviewDialog::ExportFormat::Xlsx, m_dir.filePath(u"no/such/dir/x.xlsx"_s)));
        QCOMPARE(m_messages.shown.size(), 1);

        // Landscape: the report is laid out again, the view follows.
        const QPageLayout landscape(
            QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        QVERIFY(dialog.relayout(landscape));
        QVERIFY(dialog.document().pageCount() > pages);
        QCOMPARE(dialog.currentPage(), pages - 1);
    }

    void handlerReplacesThePreview()
    {
        QString seen;
        setReportPreviewHandler([&](const Report& r, QWidget*) { seen = r.title; });
        showReportPreview(report(3), nullptr);
        setReportPreviewHandler({});
        QCOMPARE(seen, u"明細表"_s);
    }

    void emptyReportShowsNoPage()
    {
        m_messages.clear();
        Report r = report(1);
        r.templateName = u"missing"_s;
        auto document = layoutWithProgress(r, m_dir.path(), defaultPageLayout(), nullptr);
        QVERIFY(document);
        ReportPreviewDialog dialog(document, m_dir.path());
        dialog.show();
        QCOMPARE(dialog.pageLabelText(), u"第 0 頁 / 共 0 頁"_s);
        QVERIFY(!child<QAction>(&dialog, u"actNext"_s)->isEnabled());
        QVERIFY(m_messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
