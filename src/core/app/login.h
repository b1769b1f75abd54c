#pragma once

#include "core/common/result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace korvessa {

// The drop-down lists of the login: company names and user numbers, in table order.
struct LoginLists {
    QStringList companies;
    QStringList users;
};

Result<LoginLists> loginLists(const QSqlDatabase& db);

// The sign-in checks in their order. A refusal names the control that gets
// the focus: "ComboBox2" (user), "ComboBox1" (company) or "Edit1" (password).
// Texts are taken as typed; the database decides how they compare.
Status checkLogin(const QSqlDatabase& db, const QString& company, const QString& user, const QString& password);

// The user_name of a user number, empty when there is none.
Result<QString> userDisplayName(const QSqlDatabase& db, const QString& user);

// The company and user of the last successful login, kept in the settings
// "vaduvoza"/"zedodo" under "comp" and "user".
struct RememberedLogin {
    QString comp;
    QString user;
};

RememberedLogin rememberedLogin();
void rememberLogin(const QString& company, const QString& user);

} // namespace korvessa
