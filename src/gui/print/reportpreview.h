#pragma once

#include "print/report.h"

#include <functional>

class QWidget;

namespace korvessa {

// Lays the report out (with a progress dialog that can cancel a long one)
// and shows the preview window modally: print, page setup, zoom, pages,
// find, export to PDF, XLSX, ODT and PNG. Templates are read from the
// program folder's templates/. Returns when the preview is closed.
void showReportPreview(const print::Report& report, QWidget* parent);

// Replaces the preview for tests: showReportPreview then hands the report to
// `handler` and shows no window. An empty handler restores the preview.
using ReportPreviewHandler = std::function<void(const print::Report& report, QWidget* parent)>;
void setReportPreviewHandler(ReportPreviewHandler handler);

} // namespace korvessa
