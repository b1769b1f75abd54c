#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace korvessa::reports {

// The data a report hands to the print layer, as plain values: the core
// computes every row, running balance and total a template prints, and the
// windows and the CLI turn this into the layer's report one to one.

// How a column is printed.
enum class ValueKind {
    Text,
    Amount, // `decimals` places, thousands separators
    Count, // whole number
    AccountCode, // 7 digits shown "9999-999"
};

struct ValueColumn {
    QString name;
    ValueKind kind = ValueKind::Text;
    int decimals = 0;
};

// A named data source of a template ("frxDBDataset1"); a detail source names
// its master and the columns equal in both rows.
struct DataRows {
    QString name;
    QList<ValueColumn> columns;
    QList<QVariantMap> rows;
    QString master = {};
    QStringList linkColumns = {};
};

struct ReportData {
    QString templateName; // "flist1": templates/flist1.html
    QString title;
    QList<DataRows> sources;
    QVariantMap variables; // "cda", "cdb", "det" …
    QVariantMap company; // the company record (comp_title …)
    bool landscape = false; // A4 across, for wide reports
};

} // namespace korvessa::reports
