#pragma once

#include "cli/cli.h"

#include <QCommandLineParser>
#include <QSqlDatabase>

#include <optional>

// What the commands of korvessa-cli share; each command lives in a file of
// its own and is listed in the table of cli.cpp.
namespace korvessa::cli {

void printRefusal(Io& io, const Refusal& refusal);

// --company and --user, for the commands that work on the books.
void addSignInOptions(QCommandLineParser& parser);

// Opens the books that link.txt names and signs in with the options for
// `programCode`; prints the reason and returns nothing when it fails.
struct SignedIn {
    QSqlDatabase db;
    Session session;
};
std::optional<SignedIn> openSignedIn(QCommandLineParser& parser, const QString& programCode, Io& io);

void importOptions(QCommandLineParser& parser);
int importCommand(QCommandLineParser& parser, Io& io);
void postOptions(QCommandLineParser& parser);
int postCommand(QCommandLineParser& parser, Io& io);
void exportOptions(QCommandLineParser& parser);
int exportCommand(QCommandLineParser& parser, Io& io);
void reportOptions(QCommandLineParser& parser);
int reportCommand(QCommandLineParser& parser, Io& io);
// Whether the arguments ask for a report as PDF, which needs a
// QGuiApplication (fonts and text layout) instead of a QCoreApplication.
bool reportNeedsGui(const QStringList& args);

} // namespace korvessa::cli
