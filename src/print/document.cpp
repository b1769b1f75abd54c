#include "print/document_p.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <cmath>

using namespace Qt::StringLiterals;

namespace korvessa::print {

namespace {

// Layout units: pixels of 1/96 inch, whatever the screen. Pages are painted
// by scaling to the target's resolution.
constexpr qreal layoutDpi = 96.0;

// With Noto CJK, Qt's PDF output maps some glyphs back to Kangxi radicals
// (copied text reads "⽰範公司"); AR PL UMing TW reads back right.
const QString printFamily = u"AR PL UMing TW"_s;

QFont printFont(qreal pointSize, bool bold = false)
{
    static const bool haveUming = QFontDatabase::families().contains(printFamily);
    QFont font;
    if (haveUming)
        font.setFamily(printFamily);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The painter draws in layout units (96 a inch) scaled to its device; a
// font sized in points would be resolved at the device's own resolution and
// then scaled once more, so page headers and footers are sized in layout
// pixels.
QFont pixelFont(const QFont& font)
{
    QFont f = font;
    f.setPixelSize(qMax(1, qRound(font.pointSizeF() * layoutDpi / 72.0)));
    return f;
}

Refusal cancelled()
{
    return Refusal::rule(u"預覽"_s, u"報表準備已取消。"_s);
}

} // namespace

QPageLayout pageLayoutFor(const Report& report)
{
    QPageLayout page = defaultPageLayout();
    if (report.landscape)
        page.setOrientation(QPageLayout::Landscape);
    return page;
}

QPageLayout defaultPageLayout()
{
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

Document::Private::Private()
    : reference(1, 1, QImage::Format_RGB32)
{
    // 96 dpi exactly: QImage reports qRound(dots per metre × 0.0254).
    reference.setDotsPerMeterX(3780);
    reference.setDotsPerMeterY(3780);
}

Document::Private::~Private() = default;

void Document::Private::setUpGeometry()
{
    // In inches: the point rectangles are rounded to whole points.
    const QRectF full = page.fullRect(QPageLayout::Inch);
    const QRectF paint = page.paintRect(QPageLayout::Inch);
    pageSize = QSizeF(full.width() * layoutDpi, full.height() * layoutDpi);
    const QRectF margins(
        paint.left() * layoutDpi, paint.top() * layoutDpi, paint.width() * layoutDpi, paint.height() * layoutDpi);

    titleFont = printFont(13, true);
    subtitleFont = printFont(11);
    footerFont = printFont(9);
    const QFontMetricsF title(titleFont, &reference);
    const QFontMetricsF subtitle(subtitleFont, &reference);
    const QFontMetricsF footer(footerFont, &reference);

    qreal headerHeight = 0;
    if (!companyTitle.isEmpty())
        headerHeight += title.height() + 2;
    if (!report.title.isEmpty())
        headerHeight += subtitle.height() + 2;
    headerRect = QRectF(margins.left(), margins.top(), margins.width(), headerHeight);
    const qreal gap = headerHeight > 0 ? 10 : 0;
    const qreal footerHeight = footer.height();
    footerRect = QRectF(margins.left(), margins.bottom() - footerHeight, margins.width(), footerHeight);
    bodyRect = QRectF(
        margins.left(), headerRect.bottom() + gap, margins.width(), footerRect.top() - 8 - (headerRect.bottom() + gap));
}

QString Document::Private::footerText(int index) const
{
    return u"第 %1 頁 / 共 %2 頁"_s.arg(index + 1).arg(pages);
}

// Collects the text of each page from the laid-out lines: a line belongs to
// the page its middle falls on. Rows of a table's header are repeated on
// every page the table continues on, as the painting repeats them.
bool Document::Private::collectPageTexts(const Progress& progress)
{
    QList<QString> bodies(pages);
    struct TableText {
        QString header;
        int headerPage = -1;
        int repeatedOn = -1;
    };
    QHash<const QTextTable*, TableText> tables;
    QAbstractTextDocumentLayout* layout = text->documentLayout();
    const qreal pageHeight = bodyRect.height();
    int reported = -1;

    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        if (!lines || lines->lineCount() == 0)
            continue;
        const QRectF box = layout->blockBoundingRect(block);
        QString separator = u"\n"_s;
        const QTextTable* table = qobject_cast<const QTextTable*>(text->frameAt(block.position()));
        QTextTableCell cell;
        int headerRows = 0;
        if (table) {
            cell = table->cellAt(block.position());
            headerRows = std::min(table->format().headerRowCount(), table->rows() - 1);
            if (cell.isValid() && cell.firstPosition() == block.position() && cell.column() > 0)
                separator = u"\t"_s;
        }
        const QString blockText = block.text();
        int previousPage = -1;
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const QString lineText = blockText.mid(line.textStart(), line.textLength());
            const qreal middle = box.top() + line.y() + line.height() / 2;
            const int page = std::clamp(int(std::floor(middle / pageHeight)), 0, pages - 1);
            if (table && cell.isValid() && headerRows > 0) {
                TableText& t = tables[table];
                if (cell.row() < headerRows) {
                    if (t.headerPage < 0)
                        t.headerPage = page;
                    if (i == 0)
                        t.header += separator;
                    t.header += lineText;
                } else if (t.headerPage >= 0 && page > t.headerPage && t.repeatedOn != page) {
                    bodies[page] += t.header;
                    t.repeatedOn = page;
                }
            }
            if (i == 0)
                bodies[page] += separator;
            else if (page != previousPage)
                bodies[page] += u'\n';
            bodies[page] += lineText;
            previousPage = page;
            if (progress && page > reported) {
                reported = page;
                if (!progress(page))
                    return false;
            }
        }
    }

    pageTexts.clear();
    pageTexts.reserve(pages);
    for (int i = 0; i < pages; ++i) {
        QString page;
        if (!companyTitle.isEmpty())
            page += companyTitle + u'\n';
        if (!report.title.isEmpty())
            page += report.title + u'\n';
        page += bodies.at(i).mid(bodies.at(i).startsWith(u'\n') ? 1 : 0);
        page += u'\n' + footerText(i);
        pageTexts.append(page);
    }
    return true;
}

Document::Document(std::unique_ptr<Private> p)
    : d(std::move(p))
{
}

Document::~Document() = default;

Result<std::shared_ptr<Document>> Document::layout(
    const Report& report, const QString& templateDir, const Progress& progress)
{
    return layout(report, templateDir, pageLayoutFor(report), progress);
}

Result<std::shared_ptr<Document>> Document::layout(
    const Report& report, const QString& templateDir, const QPageLayout& page, const Progress& progress)
{
    auto p = std::make_unique<Private>();
    p->report = report;
    p->page = page.isValid() ? page : defaultPageLayout();
    p->companyTitle = plainText(report.company.value(u"comp_title"_s));
    p->setUpGeometry();
    if (progress && !progress(0))
        return cancelled();

    QFile file(templateDir + u'/' + report.templateName + u".html"_s);
    if (report.templateName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::shared_ptr<Document>(new Document(std::move(p)));

    const auto html = renderTemplate(report, QString::fromUtf8(file.readAll()));
    if (!html)
        return html.refusal();
    p->html = *html;
    if (progress && !progress(0))
        return cancelled();

    p->text = std::make_unique<QTextDocument>();
    QTextDocument& text = *p->text;
    text.documentLayout()->setPaintDevice(&p->reference);
    text.setUseDesignMetrics(true);
    text.setDefaultFont(printFont(10));
    text.setDocumentMargin(0);
    text.setPageSize(p->bodyRect.size());
    text.setHtml(p->html);
    p->pages = text.pageCount();

    if (!p->collectPageTexts(progress))
        return cancelled();
    return std::shared_ptr<Document>(new Document(std::move(p)));
}

const Report& Document::report() const
{
    return d->report;
}

QPageLayout Document::pageLayout() const
{
    return d->page;
}

const QString& Document::html() const
{
    return d->html;
}

int Document::pageCount() const
{
    return d->pages;
}

void Document::paintPage(QPainter& painter, int index) const
{
    if (index < 0 || index >= d->pages)
        return;
    painter.save();
    if (const QPaintDevice* device = painter.device())
        painter.scale(device->logicalDpiX() / layoutDpi, device->logicalDpiY() / layoutDpi);
    painter.setPen(Qt::black);

    // The page header: the company title centred, the report's title below.
    qreal y = d->headerRect.top();
    if (!d->companyTitle.isEmpty()) {
        painter.setFont(pixelFont(d->titleFont));
        const qreal h = QFontMetricsF(d->titleFont, &d->reference).height();
        painter.drawText(QRectF(d->headerRect.left(), y, d->headerRect.width(), h), Qt::AlignHCenter | Qt::AlignTop,
            d->companyTitle);
        y += h + 2;
    }
    if (!d->report.title.isEmpty()) {
        painter.setFont(pixelFont(d->subtitleFont));
        const qreal h = QFontMetricsF(d->subtitleFont, &d->reference).height();
        painter.drawText(QRectF(d->headerRect.left(), y, d->headerRect.width(), h), Qt::AlignHCenter | Qt::AlignTop,
            d->report.title);
    }

    // The body: this page's band of the laid-out document.
    const qreal pageHeight = d->bodyRect.height();
    painter.save();
    painter.translate(d->bodyRect.left(), d->bodyRect.top() - index * pageHeight);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, index * pageHeight, d->bodyRect.width(), pageHeight);
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(context.clip);
    d->text->documentLayout()->draw(&painter, context);
    painter.restore();

    painter.setFont(pixelFont(d->footerFont));
    painter.drawText(d->footerRect, Qt::AlignHCenter | Qt::AlignBottom, d->footerText(index));
    painter.restore();
}

QImage Document::pageImage(int index, int dpi) const
{
    if (index < 0 || index >= d->pages || dpi <= 0)
        return {};
    const qreal scale = dpi / layoutDpi;
    QImage image(
        QSize(qRound(d->pageSize.width() * scale), qRound(d->pageSize.height() * scale)), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The image's own resolution is rounded to whole dots per metre: scale
    // by the exact one asked for.
    painter.scale(dpi / qreal(image.logicalDpiX()), dpi / qreal(image.logicalDpiY()));
    paintPage(painter, index);
    return image;
}

QList<int> Document::find(const QString& text) const
{
    QList<int> found;
    if (text.isEmpty())
        return found;
    for (int i = 0; i < d->pageTexts.size(); ++i)
        if (d->pageTexts.at(i).contains(text, Qt::CaseInsensitive))
            found.append(i);
    return found;
}

QString Document::pageText(int index) const
{
    return d->pageTexts.value(index);
}

const QTextDocument* Document::textDocument() const
{
    return d->text.get();
}

} // namespace korvessa::print
