#pragma once

#include "core/reports/reportdata.h"
#include "print/report.h"

namespace korvessa::print {

// The core's print data of a report as the print layer's report, one to one.
print::Report toPrintReport(const reports::ReportData& data);

} // namespace korvessa::print
