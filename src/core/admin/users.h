#pragma once

#include "core/common/result.h"
#include "core/common/toolbarrule.h"
#include "core/db/dataset.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace korvessa {

// The user whose rights rows this module never removes.
inline constexpr auto kProtectedUser = "admin";
// The program code that stands for the program as a whole; never shown,
// copied or removed by the rights module.
inline constexpr auto kWholeProgramCode = "000";
// The object name of the user number field.
inline constexpr auto kUserNoField = "DBEdit1";

// The five rights columns, in the order of the batch drop-downs 使用, 新增,
// 存檔, 刪除, 列印.
QStringList rightColumns();

bool isProtectedUser(const QString& user);

// All users, keyed by user_no.
Status openUsers(DataSet& users, const QSqlDatabase& db);
// The rights rows of `user` without the '000' row, by program code.
Status openRights(DataSet& rights, const QSqlDatabase& db, const QString& user);

// A changed or new user must have a number that no other user has:
// "帳號不可以為空!" / "帳號重複！請重新確認！" (caption "資料錯誤").
Status checkUsers(const DataSet& users);

// checkUsers, then the held users and the held rights in one transaction.
Status saveUsersAndRights(DataSet& users, DataSet& rights);

// Replaces the rights of `user` (all but the '000' row) by the template rows
// of sampleright, at once and in one transaction.
Status loadTemplateRights(const QSqlDatabase& db, const QString& user);

// Removes the current user of the list and all its rights rows ('000'
// included), written at once in one transaction.
Status deleteUser(DataSet& users);

// Sets the five rights of every listed row to `values` (texts taken as they
// are); held until saved.
void setAllRights(DataSet& rights, const QStringList& values);

// 'Y' ↔ 'N'; any other value stays.
QVariant flippedRight(const QVariant& value);

// The toolbar of the users module: "新增" stays while a user is edited,
// "刪除" also while editing but never for "admin", "列印" never.
ToolbarButtons userToolbar(
    const EditingState& users, const EditingState& rights, const Rights& granted, const QString& currentUser);

} // namespace korvessa
