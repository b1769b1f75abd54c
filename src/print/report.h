#pragma once

#include "core/common/result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QImage;
class QPageLayout;
class QTextDocument;

namespace korvessa::print {

// How a column's values are shown in the printed report and written into a
// spreadsheet. The rows hold raw values (numbers as numbers, or as the text
// forms the work tables store); formatting happens here, once.
enum class Format {
    Text,
    Amount, // right-aligned, thousands separators, `decimals` places
    Count, // whole number, right-aligned, thousands separators
    AccountCode, // 4 digits as they are, 7 digits as "9999-999"
};

struct Column {
    QString name; // the row's key
    Format format = Format::Text;
    int decimals = 0;
};

// A named data source of a template ("frxDBDataset1"). A detail source names
// its master and the columns whose values must be equal in both rows; in the
// template each master row then holds the list of its detail rows under the
// detail source's name.
struct DataSource {
    QString name;
    QList<Column> columns;
    QList<QVariantMap> rows;
    QString master;
    QStringList linkColumns;
};

// A report: the template's base name ("flist1" reads templates/flist1.html),
// its data sources, its variables ("cda", "cdb", "det") and the company row,
// whose comp_title heads every page.
struct Report {
    QString templateName;
    QString title; // the preview's caption and the default export file name
    QList<DataSource> sources;
    QVariantMap variables;
    QVariantMap company;
    bool landscape = false; // A4 across, for wide reports
};

// Called now and then while a long report is laid out: pages done so far;
// returning false cancels.
using Progress = std::function<bool(int pages)>;

// A report laid out on pages (A4 unless a page layout is given). A missing
// template gives a document without pages and no refusal.
class Document {
public:
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Renders the template with the report's data and paginates it: the page
    // header with the company title on every page, "第 n 頁 / 共 m 頁",
    // table headers repeated on each page. A refusal when the template
    // cannot be rendered or when `progress` cancelled.
    static Result<std::shared_ptr<Document>> layout(
        const Report& report, const QString& templateDir, const Progress& progress = {});
    static Result<std::shared_ptr<Document>> layout(
        const Report& report, const QString& templateDir, const QPageLayout& page, const Progress& progress = {});

    const Report& report() const;
    // The page the document was laid out on (A4 portrait unless given).
    QPageLayout pageLayout() const;
    // The rendered HTML (before pagination).
    const QString& html() const;
    bool isEmpty() const { return pageCount() == 0; }
    int pageCount() const;
    // Paints page `index` (0-based) into `painter`, whose device is a page
    // of the document's page size at its own resolution.
    void paintPage(QPainter& painter, int index) const;
    QImage pageImage(int index, int dpi) const;
    // The pages (0-based) whose text contains `text`, ignoring letter case.
    QList<int> find(const QString& text) const;
    // The page text, for tests and searching.
    QString pageText(int index) const;
    // The laid-out text (the body of the pages); null when there are none.
    const QTextDocument* textDocument() const;

    struct Private;

private:
    explicit Document(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};

// Exports write exactly the pages the preview shows.
Status exportPdf(const Document& document, const QString& fileName);
// One PNG file a page: "name-1.png", "name-2.png" … for "name.png".
Status exportPng(const Document& document, const QString& fileName, int dpi = 150);
Status exportOdt(const Document& document, const QString& fileName);
// The report's data as sheets, one a data source, numbers as numbers.
Status exportXlsx(const Report& report, const QString& fileName);

// Formats one value as the printed report shows it ("1,234,567", "1101-001").
QString formatValue(const QVariant& value, const Column& column);

// The value as plain text: numbers in their shortest decimal form ("12500",
// "-300.5"), text as it is, null as empty text. What `<name>_raw` shows.
QString plainText(const QVariant& value);
// The value as a number when it is one or is the text of one; nullopt for
// empty or other text.
std::optional<double> numericValue(const QVariant& value);

// A4 portrait with margins of 15 mm: the page a report is laid out on unless
// the caller gives another.
QPageLayout defaultPageLayout();
// The default page turned as the report asks.
QPageLayout pageLayoutFor(const Report& report);

// Renders a Mustache template text with the report's data: each data source
// by name as a list of rows (a detail source's rows also under each row of
// its master), every column formatted (and raw as `<name>_raw`), the
// variables at the top level, the company row as `company`. A refusal when
// the template is malformed.
Result<QString> renderTemplate(const Report& report, const QString& templateText);

} // namespace korvessa::print
