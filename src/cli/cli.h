#pragma once

#include "core/app/session.h"
#include "core/common/result.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace korvessa::cli {

// Where a command writes, and how it reads a password when the environment
// has none; tests replace both.
struct Io {
    QTextStream& out;
    QTextStream& err;
    std::function<QString(const QString& prompt)> readPassword;
    QString workDir; // the working folder: link.txt and database/ are found here
};

// Runs `korvessa-cli` with its arguments (without the program name);
// returns the exit code.
int run(const QStringList& args, Io& io);

// The shared options of commands that work on the books: --company, --user.
struct SignInOptions {
    QString company;
    QString user;
};

// Signs in as the desktop login does (password from KORVESSA_PASSWORD or the
// prompt) and checks the rights of `programCode`; the session on success.
Result<Session> signIn(const QSqlDatabase& db, const SignInOptions& options, const QString& programCode, Io& io);

} // namespace korvessa::cli
