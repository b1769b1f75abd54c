#include "gui/print/reportpreview.h"

#include "gui/print/reportpreviewdialog.h"
#include "gui/shell/messages.h"
#include "gui/shell/shell.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace korvessa {

namespace {

constexpr double minZoom = 0.25;
constexpr double maxZoom = 4.0;
constexpr double zoomStep = 1.25;

ReportPreviewHandler& previewHandler()
{
    static ReportPreviewHandler handler;
    return handler;
}

// The page in pixels of 1/96 inch.
QSizeF pageSize96(const print::Document& document)
{
    const QRectF page = document.pageLayout().fullRect(QPageLayout::Inch);
    return page.size() * 96.0;
}

} // namespace

QString reportTemplateDir()
{
    const QString base = Shell::instance() ? Shell::instance()->session().app_dir : QDir::currentPath();
    return base + u"/templates"_s;
}

std::shared_ptr<print::Document> layoutWithProgress(
    const print::Report& report, const QString& templateDir, const QPageLayout& page, QWidget* parent)
{
    QProgressDialog progress(u"正在準備報表…"_s, u"取消"_s, 0, 0, parent);
    progress.setObjectName(u"reportProgress"_s);
    progress.setWindowTitle(report.title.isEmpty() ? u"預覽"_s : report.title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const auto result = print::Document::layout(report, templateDir, page, [&](int pages) {
        if (pages > 0)
            progress.setLabelText(u"正在準備報表… 第 %1 頁"_s.arg(pages + 1));
        progress.setValue(0);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    const bool cancelled = progress.wasCanceled();
    progress.close();
    if (!result.ok()) {
        if (!cancelled)
            Messages::instance().refuse(parent, result.refusal());
        return nullptr;
    }
    return *result;
}

void setReportPreviewHandler(ReportPreviewHandler handler)
{
    previewHandler() = std::move(handler);
}

void showReportPreview(const print::Report& report, QWidget* parent)
{
    if (previewHandler()) {
        previewHandler()(report, parent);
        return;
    }
    const QString templateDir = reportTemplateDir();
    auto document = layoutWithProgress(report, templateDir, print::pageLayoutFor(report), parent);
    if (!document)
        return;
    ReportPreviewDialog dialog(std::move(document), templateDir, parent);
    dialog.exec();
}

ReportPreviewDialog::ReportPreviewDialog(
    std::shared_ptr<print::Document> document, QString templateDir, QWidget* parent)
    : QDialog(parent)
    , m_document(std::move(document))
    , m_templateDir(std::move(templateDir))
{
    setObjectName(u"reportPreview"_s);
    const QString title = m_document->report().title;
    setWindowTitle(title.isEmpty() ? u"預覽"_s : u"預覽 - "_s + title);
    setModal(true);
    buildUi();
    resize(1000, 1000);
    refresh();
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

void ReportPreviewDialog::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(u"previewToolBar"_s);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [this](const QString& name, const QString& text, auto slot, const QKeySequence& key = {}) {
        QAction* action = m_toolBar->addAction(text);
        action->setObjectName(name);
        if (!key.isEmpty())
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    add(u"actPrint"_s, u"列印"_s, &ReportPreviewDialog::printReport, QKeySequence::Print);
    add(u"actPageSetup"_s, u"版面設定"_s, &ReportPreviewDialog::pageSetup);
    m_toolBar->addSeparator();
    add(u"actZoomIn"_s, u"放大"_s, &ReportPreviewDialog::zoomIn, QKeySequence::ZoomIn);
    add(u"actZoomOut"_s, u"縮小"_s, &ReportPreviewDialog::zoomOut, QKeySequence::ZoomOut);
    add(u"actZoomFit"_s, u"整頁"_s, &ReportPreviewDialog::zoomToFit);
    m_toolBar->addSeparator();
    m_pageActions = {
        add(u"actFirst"_s, u"第一頁"_s, &ReportPreviewDialog::firstPage, QKeySequence(Qt::CTRL | Qt::Key_Home)),
        add(u"actPrior"_s, u"上一頁"_s, &ReportPreviewDialog::priorPage, QKeySequence(Qt::Key_PageUp)),
    };
    m_pageLabel = new QLabel(m_toolBar);
    m_pageLabel->setObjectName(u"pageLabel"_s);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    m_toolBar->addWidget(m_pageLabel);
    m_pageActions.append(
        add(u"actNext"_s, u"下一頁"_s, &ReportPreviewDialog::nextPage, QKeySequence(Qt::Key_PageDown)));
    m_pageActions.append(
        add(u"actLast"_s, u"最後頁"_s, &ReportPreviewDialog::lastPage, QKeySequence(Qt::CTRL | Qt::Key_End)));
    m_toolBar->addSeparator();
    m_findEdit = new QLineEdit(m_toolBar);
    m_findEdit->setObjectName(u"findEdit"_s);
    m_findEdit->setPlaceholderText(u"尋找"_s);
    m_findEdit->setMaximumWidth(160);
    m_toolBar->addWidget(m_findEdit);
    add(
        u"actFind"_s, u"尋找"_s, [this] { findNext(); }, QKeySequence::FindNext);
    connect(m_findEdit, &QLineEdit::returnPressed, this, [this] { findNext(); });
    m_toolBar->addSeparator();
    add(u"actExportPdf"_s, u"匯出 PDF"_s, [this] { askAndExport(ExportFormat::Pdf); });
    add(u"actExportXlsx"_s, u"匯出 XLSX"_s, [this] { askAndExport(ExportFormat::Xlsx); });
    add(u"actExportOdt"_s, u"匯出 ODT"_s, [this] { askAndExport(ExportFormat::Odt); });
    add(u"actExportPng"_s, u"匯出 PNG"_s, [this] { askAndExport(ExportFormat::Png); });
    layout->addWidget(m_toolBar);

    m_view = new QScrollArea(this);
    m_view->setObjectName(u"pageView"_s);
    m_view->setAlignment(Qt::AlignCenter);
    m_view->setBackgroundRole(QPalette::Dark);
    m_pageImage = new QLabel;
    m_pageImage->setObjectName(u"pageImage"_s);
    m_pageImage->setAlignment(Qt::AlignCenter);
    m_view->setWidget(m_pageImage);
    m_view->setWidgetResizable(false);
    layout->addWidget(m_view, 1);
}

QString ReportPreviewDialog::pageLabelText() const
{
    const int pages = m_document->pageCount();
    return u"第 %1 頁 / 共 %2 頁"_s.arg(pages == 0 ? 0 : m_page + 1).arg(pages);
}

void ReportPreviewDialog::refresh()
{
    const int pages = m_document->pageCount();
    m_page = std::clamp(m_page, 0, std::max(pages - 1, 0));
    m_pageLabel->setText(pageLabelText());
    m_pageActions.at(0)->setEnabled(m_page > 0);
    m_pageActions.at(1)->setEnabled(m_page > 0);
    m_pageActions.at(2)->setEnabled(m_page + 1 < pages);
    m_pageActions.at(3)->setEnabled(m_page + 1 < pages);

    if (m_fit) {
        const QSizeF page = pageSize96(*m_document);
        const QSize room = m_view->viewport()->size() - QSize(16, 16);
        if (page.width() > 0 && page.height() > 0 && room.width() > 0 && room.height() > 0)
            m_zoom = std::clamp(std::min(room.width() / page.width(), room.height() / page.height()), minZoom, maxZoom);
    }
    if (pages == 0) {
        m_pageImage->setPixmap({});
        m_pageImage->setText(QString());
        m_pageImage->resize(m_view->viewport()->size());
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QImage image = m_document->pageImage(m_page, std::max(1, int(std::lround(96.0 * m_zoom * ratio))));
    image.setDevicePixelRatio(ratio);
    m_pageImage->setPixmap(QPixmap::fromImage(image));
    m_pageImage->resize(image.size() / ratio);
}

void ReportPreviewDialog::showPage(int index)
{
    m_page = index;
    refresh();
    m_view->verticalScrollBar()->setValue(0);
}

void ReportPreviewDialog::firstPage()
{
    showPage(0);
}

void ReportPreviewDialog::priorPage()
{
    showPage(m_page - 1);
}

void ReportPreviewDialog::nextPage()
{
    showPage(m_page + 1);
}

void ReportPreviewDialog::lastPage()
{
    showPage(m_document->pageCount() - 1);
}

void ReportPreviewDialog::setZoom(double zoom)
{
    m_fit = false;
    m_zoom = std::clamp(zoom, minZoom, maxZoom);
    refresh();
}

void ReportPreviewDialog::zoomIn()
{
    setZoom(m_zoom * zoomStep);
}

void ReportPreviewDialog::zoomOut()
{
    setZoom(m_zoom / zoomStep);
}

void ReportPreviewDialog::zoomToFit()
{
    m_fit = true;
    refresh();
}

bool ReportPreviewDialog::findNext()
{
    const QList<int> pages = m_document->find(m_findEdit->text().trimmed());
    if (pages.isEmpty()) {
        QApplication::beep();
        return false;
    }
    int target = pages.first();
    for (const int page : pages) {
        if (page > m_page) {
            target = page;
            break;
        }
    }
    showPage(target);
    return true;
}

bool ReportPreviewDialog::relayout(const QPageLayout& page)
{
    auto document = layoutWithProgress(m_document->report(), m_templateDir, page, this);
    if (!document)
        return false;
    m_document = std::move(document);
    refresh();
    return true;
}

void ReportPreviewDialog::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_document->pageLayout());
    printer.setFullPage(true);
    printer.setDocName(m_document->report().title);
    const int pages = m_document->pageCount();
    if (pages > 0)
        printer.setFromTo(1, pages);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(u"printDialog"_s);
    if (dialog.exec() != QDialog::Accepted || pages == 0)
        return;
    int from = printer.fromPage() > 0 ? printer.fromPage() - 1 : 0;
    int to = printer.toPage() > 0 ? printer.toPage() - 1 : pages - 1;
    from = std::clamp(from, 0, pages - 1);
    to = std::clamp(to, from, pages - 1);
    QPainter painter;
    if (!painter.begin(&printer)) {
        Messages::instance().refuse(this, Refusal::rule(u"列印"_s, u"無法開始列印。"_s));
        return;
    }
    for (int i = from; i <= to; ++i) {
        if (i > from)
            printer.newPage();
        m_document->paintPage(painter, i);
    }
    painter.end();
}

void ReportPreviewDialog::pageSetup()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_document->pageLayout());
    QPageSetupDialog dialog(&printer, this);
    dialog.setObjectName(u"pageSetupDialog"_s);
    if (dialog.exec() != QDialog::Accepted)
        return;
    relayout(printer.pageLayout());
}

void ReportPreviewDialog::askAndExport(ExportFormat format)
{
    QString caption;
    QString suffix;
    QString filter;
    switch (format) {
    case ExportFormat::Pdf:
        caption = u"匯出 PDF"_s, suffix = u".pdf"_s, filter = u"PDF (*.pdf)"_s;
        break;
    case ExportFormat::Xlsx:
        caption = u"匯出 XLSX"_s, suffix = u".xlsx"_s, filter = u"Excel (*.xlsx)"_s;
        break;
    case ExportFormat::Odt:
        caption = u"匯出 ODT"_s, suffix = u".odt"_s, filter = u"OpenDocument (*.odt)"_s;
        break;
    case ExportFormat::Png:
        caption = u"匯出 PNG"_s, suffix = u".png"_s, filter = u"PNG (*.png)"_s;
        break;
    }
    QString name = m_document->report().title;
    if (name.isEmpty())
        name = m_document->report().templateName;
    if (name.isEmpty())
        name = u"report"_s;
    QString fileName = QFileDialog::getSaveFileName(this, caption, QDir::current().filePath(name + suffix), filter);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(suffix, Qt::CaseInsensitive))
        fileName += suffix;
    exportTo(format, fileName);
}

bool ReportPreviewDialog::exportTo(ExportFormat format, const QString& fileName)
{
    Status status;
    switch (format) {
    case ExportFormat::Pdf:
        status = print::exportPdf(*m_document, fileName);
        break;
    case ExportFormat::Xlsx:
        status = print::exportXlsx(m_document->report(), fileName);
        break;
    case ExportFormat::Odt:
        status = print::exportOdt(*m_document, fileName);
        break;
    case ExportFormat::Png:
        status = print::exportPng(*m_document, fileName);
        break;
    }
    if (!status.ok()) {
        Messages::instance().refuse(this, status.refusal());
        return false;
    }
    return true;
}

void ReportPreviewDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_fit)
        refresh();
}

} // namespace korvessa
