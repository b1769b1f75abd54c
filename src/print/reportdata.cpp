#include "print/reportdata.h"

namespace korvessa::print {

namespace {

Format formatOf(reports::ValueKind kind)
{
    switch (kind) {
    case reports::ValueKind::Text:
        return Format::Text;
    case reports::ValueKind::Amount:
        return Format::Amount;
    case reports::ValueKind::Count:
        return Format::Count;
    case reports::ValueKind::AccountCode:
        return Format::AccountCode;
    }
    return Format::Text;
}

} // namespace

Report toPrintReport(const reports::ReportData& data)
{
    Report report;
    report.landscape = data.landscape;
    report.templateName = data.templateName;
    report.title = data.title;
    report.variables = data.variables;
    report.company = data.company;
    for (const reports::DataRows& rows : data.sources) {
        DataSource source;
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

} // namespace korvessa::print
