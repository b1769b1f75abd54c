#pragma once

#include "print/report.h"

#include <QDialog>
#include <QPageLayout>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolBar;

namespace korvessa {

// The preview window of a laid-out report: pages drawn by the document
// itself (so what is printed and exported is what is shown), print, page
// setup, zoom, page navigation, find and the exports.
//
// Object names: the dialog `reportPreview`; actions `actPrint`,
// `actPageSetup`, `actZoomIn`, `actZoomOut`, `actZoomFit`, `actFirst`,
// `actPrior`, `actNext`, `actLast`, `actFind`, `actExportPdf`,
// `actExportXlsx`, `actExportOdt`, `actExportPng`; the page label
// `pageLabel` ("第 n 頁 / 共 m 頁"), the find field `findEdit`, the page
// view `pageView`.
class ReportPreviewDialog : public QDialog {
    Q_OBJECT

public:
    enum class ExportFormat { Pdf, Xlsx, Odt, Png };

    ReportPreviewDialog(std::shared_ptr<print::Document> document, QString templateDir, QWidget* parent = nullptr);
    ~ReportPreviewDialog() override;

    const print::Document& document() const { return *m_document; }
    int currentPage() const { return m_page; } // 0-based
    double zoom() const { return m_zoom; }
    QString pageLabelText() const;

    // Lays the report out again on another page (what 版面設定 does after its
    // dialog); false when the layout was refused or cancelled.
    bool relayout(const QPageLayout& page);

public Q_SLOTS:
    void showPage(int index);
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void setZoom(double zoom);
    // The next page (after the current one, wrapping) whose text holds the
    // find field's text; false when no page does.
    bool findNext();
    // Writes the report to `fileName`; the export actions call it after
    // asking for the file name. Refusals are shown through Messages.
    bool exportTo(ExportFormat format, const QString& fileName);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildUi();
    void refresh();
    void printReport();
    void pageSetup();
    void askAndExport(ExportFormat format);

    std::shared_ptr<print::Document> m_document;
    QString m_templateDir;
    int m_page = 0;
    double m_zoom = 1.0;
    bool m_fit = true;

    QToolBar* m_toolBar = nullptr;
    QScrollArea* m_view = nullptr;
    QLabel* m_pageImage = nullptr;
    QLabel* m_pageLabel = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QList<QAction*> m_pageActions;
};

// Lays the report out with a progress dialog that can cancel; nullptr when
// the layout was cancelled or refused (a refusal is shown).
std::shared_ptr<print::Document> layoutWithProgress(
    const print::Report& report, const QString& templateDir, const QPageLayout& page, QWidget* parent);

// The folder templates are read from: the program folder's templates/.
QString reportTemplateDir();

} // namespace korvessa
