#include "gui/reports/printreport.h"

namespace korvessa {

namespace {

print::Format formatOf(reports::ValueKind kind)
{
    switch (kind) {
    case reports::ValueKind::Text:
        return print::Format::Text;
    case reports::ValueKind::Amount:
        return print::Format::Amount;
    case reports::ValueKind::Count:
        return print::Format::Count;
    case reports::ValueKind::AccountCode:
        return print::Format::AccountCode;
    }
    return print::Format::Text;
}

} // namespace

print::Report toPrintReport(const reports::ReportData& data)
{
    print::Report report;
    report.templateName = data.templateName;
    report.title = data.title;
    report.variables = data.variables;
    report.company = data.company;
    for (const reports::DataRows& rows : data.sources) {
        print::DataSource source;
        source.name = rows.name;
        for (const reports::ValueColumn& c : rows.columns)
            source.columns.append({ c.name, formatOf(c.kind), c.decimals });
        source.rows = rows.rows;
        source.master = rows.master;
        source.linkColumns = rows.linkColumns;
        report.sources.append(source);
    }
    return report;
}

} // namespace korvessa
