#pragma once

#include "core/common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace korvessa {

// One node of an account or category tree.
struct ChartNode {
    enum class Kind { Root, Major, SubCategory, General, Detail };

    Kind kind = Kind::Root;
    QString code; // the digits the node stands for; empty for the root
    QString text; // as shown
    int parent = -1; // index of the parent node; -1 for the root
};

// The trees of the chart, as a flat list in display order (every node after
// its parent, children in order), so that a view can build its items in one
// pass. Each tree is read with a fixed number of statements on the indexed
// columns, whatever the size of the chart.
namespace charttree {

inline constexpr auto kRootText = "科目類別";

// Categories, general and detail accounts: "1 資產", "11 流動資產",
// "1101 庫存現金", "1101-001 零用金". A two-digit category hangs under the
// last one-digit category before it in code order; a general account
// under its sub-category, a detail account under its general account.
// Accounts whose sub-category is missing are left out; a detail account
// whose general account is missing hangs under the sub-category.
Result<QList<ChartNode>> chart(const QSqlDatabase& db, const QString& comp);

// The categories alone: "1. 資產" under the root, "11. 流動資產" under the
// major category its acc_1 names. A sub-category without its major
// category is left out.
Result<QList<ChartNode>> categories(const QSqlDatabase& db, const QString& comp);

} // namespace charttree
} // namespace korvessa
