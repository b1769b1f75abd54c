#pragma once

#include "print/report.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QTextDocument>

namespace korvessa::print {

// A laid-out report. Geometry is in layout units (1/96 inch): the page, the
// header band (company title, report title), the body band each page shows
// of the text document, and the footer band with the page numbers.
struct Document::Private {
    Private();
    ~Private();

    void setUpGeometry();
    bool collectPageTexts(const Progress& progress);
    QString footerText(int index) const;

    Report report;
    QString companyTitle;
    QString html;
    QPageLayout page;
    QImage reference; // the 96-dpi device the text is laid out for
    std::unique_ptr<QTextDocument> text;
    int pages = 0;
    QStringList pageTexts;

    QSizeF pageSize;
    QRectF headerRect;
    QRectF bodyRect;
    QRectF footerRect;
    QFont titleFont;
    QFont subtitleFont;
    QFont footerFont;
};

} // namespace korvessa::print
