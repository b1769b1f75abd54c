#pragma once

#include "core/common/result.h"
#include "core/db/dataset.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

namespace korvessa {

// catlog holds every short list of names, told apart by cat_type; the lists
// are common to all companies.

inline constexpr auto kDepositKind = "B_type";

// The kind a text of the "常用資料" drop-down stands for ("存款類別" → B_type,
// "產品大類" → C, "產品品牌" → L, "單位" → P, "處理狀況" → S); none for any
// other text, which lists the rows of all kinds.
std::optional<QString> commonDataKind(const QString& dropDownText);

// The rows with a name for the drop-down text (see commonDataKind).
Status openCommonData(DataSet& list, const QSqlDatabase& db, const QString& dropDownText);

// The deposit categories, whatever the letter case of their kind.
Status openDepositKinds(DataSet& list, const QSqlDatabase& db);

// One kind of the categories window, in the order of entry: the sequence
// numbers sort as numbers.
Status openCategoryKind(DataSet& list, const QSqlDatabase& db, const QString& kind);

// The highest sequence number of the rows, compared as numbers; 0 when none.
int highestSequence(const DataSet& list);

// Appends a row of `kind` numbered one above `highest`, which it raises.
void appendCategory(DataSet& list, const QString& kind, int& highest);

// Removes every row whose `column` is empty (null or only blanks).
void dropEmptyRows(DataSet& list, const QString& column);

// dropEmptyRows, then writes all held changes.
Status saveDroppingEmpty(DataSet& list, const QString& column);

} // namespace korvessa
