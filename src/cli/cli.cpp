#include "cli/cli.h"

#include "cli/commands.h"

#include "core/app/linkfile.h"
#include "core/app/login.h"
#include "core/app/rights.h"
#include "core/app/startup.h"
#include "core/db/database.h"
#include "core/db/schema.h"
#include "core/db/seed.h"

#include <QCommandLineParser>
#include <QDir>

namespace korvessa::cli {

using namespace Qt::StringLiterals;

namespace {

struct Command {
    QString name;
    QString summary;
    QString description;
    int (*handler)(QCommandLineParser& parser, Io& io);
    void (*options)(QCommandLineParser& parser);
};

QString describe(const ConnectionParams& p, const QString& workDir)
{
    switch (p.kind) {
    case ConnectionParams::Kind::Desktop:
        return u"SQLite file %1"_s.arg(QDir::cleanPath(QDir(workDir).filePath(p.database)));
    case ConnectionParams::Kind::Server: {
        QString text = u"PostgreSQL host=%1"_s.arg(p.host);
        if (p.port > 0)
            text += u" port=%1"_s.arg(p.port);
        text += u" dbname=%1 user=%2"_s.arg(p.database, p.user);
        text += p.withPassword ? u" (with password)"_s : u" (no password)"_s;
        return text;
    }
    case ConnectionParams::Kind::None:
        break;
    }
    return u"none (the kind must be 1 or 2)"_s;
}

int connectionCommand(QCommandLineParser&, Io& io)
{
    const LinkSettings link = readLinkFile(QDir(io.workDir).filePath(u"link.txt"_s));
    if (!link.error.isEmpty())
        io.err << link.error << Qt::endl;
    io.out << u"connection: "_s << link.connectionText << Qt::endl;
    io.out << u"database: "_s << describe(link.params, io.workDir) << Qt::endl;
    return link.params.kind == ConnectionParams::Kind::None ? 1 : 0;
}

int initCommand(QCommandLineParser&, Io& io)
{
    LinkSettings link;
    auto db = openBooks(io.workDir, &link);
    if (!link.error.isEmpty())
        io.err << link.error << Qt::endl;
    if (!db) {
        printRefusal(io, db.refusal());
        return 1;
    }
    if (Status s = ensureSchema(*db); !s) {
        printRefusal(io, s.refusal());
        return 1;
    }
    auto needed = databaseNeedsSeed(*db);
    const bool fresh = needed.ok() && *needed;
    if (Status s = seedDatabase(*db); !s) {
        printRefusal(io, s.refusal());
        return 1;
    }
    io.out << u"books: "_s << describe(link.params, io.workDir) << u", schema version "_s << kSchemaVersion
           << (fresh ? u", seeded"_s : u", already set up"_s) << Qt::endl;
    auto zip = openZipcodes(io.workDir);
    if (!zip) {
        printRefusal(io, zip.refusal());
        return 1;
    }
    io.out << u"postal codes: "_s << QDir::cleanPath(QDir(io.workDir).filePath(u"database/zipcode.db"_s)) << Qt::endl;
    if (fresh) {
        io.out << u"sign in as company \""_s << QString::fromUtf8(kSeedCompany) << u"\", user \""_s
               << QString::fromUtf8(kSeedUser) << u"\", password \""_s << QString::fromUtf8(kSeedPassword) << u'"'
               << Qt::endl;
    }
    return 0;
}

const QList<Command>& commands()
{
    static const QList<Command> list = {
        { u"connection"_s, u"Show the connection that link.txt describes"_s,
            u"Reads the first line of ./link.txt as the desktop program does and prints the connection text it "
            "builds and the database it maps to (a SQLite file for kind 2, a PostgreSQL server for kind 1)."_s,
            connectionCommand, nullptr },
        { u"init"_s, u"Create the tables and the seed data"_s,
            u"Creates every missing table of the books database that link.txt names, and on a database without "
            "companies the seed data (the company 示範公司, the user admin, the program list, the category lists, the "
            "chart of accounts); also database/zipcode.db with the postal codes. Running it again changes nothing."_s,
            initCommand, nullptr },
        { u"import"_s, u"Import vouchers from a CSV file"_s,
            u"korvessa-cli import vouchers FILE.csv\n\n"
            "Reads a UTF-8 CSV file with a header row and the columns voucher, date, type, currency, summary, "
            "account, line_summary, debit, credit, department, counterparty, source_no. Consecutive rows with the "
            "same voucher key form one voucher (its date, type, currency and summary come from its first row); "
            "numbers are given as voucher entry gives them. Every row is checked by the rules of voucher entry. "
            "Nothing is written unless every row passes: each refused row is reported as \"row N: \" and the "
            "message, row 1 being the header row. Needs the rights of voucher entry (C201) to add and save."_s,
            importCommand, importOptions },
        { u"post"_s, u"Post months into the ledger summaries"_s,
            u"korvessa-cli post FROM [TO]\n\n"
            "Posts each month from FROM to TO (yyyy/MM, TO defaults to FROM) as \"開始過帳\" of the posting window "
            "does: the month's summary per account and department is rebuilt from its voucher lines. With --general "
            "and --departments the summaries per general account (\"大類過帳\") and per department (\"過部門帳\") are "
            "rebuilt too. Prints one line per month with the rows written. Needs the rights of posting (C202)."_s,
            postCommand, postOptions },
        { u"export"_s, u"Export the vouchers as a journal for ledger and hledger"_s,
            u"korvessa-cli export journal [-o FILE]\n\n"
            "Writes the company's vouchers as a plain-text journal: one transaction per voucher with its date, "
            "number and summary, one posting per line in local currency, accounts named by their code. A voucher "
            "whose local amounts do not balance gets a posting of the difference to the account \"差額\". Needs the "
            "rights of voucher entry (C201)."_s,
            exportCommand, exportOptions },
        { u"report"_s, u"Compute a report: the trial balance as CSV, JSON or PDF"_s,
            u"korvessa-cli report trial-balance --from yyyy/MM --to yyyy/MM [--format csv|json|pdf] [-o FILE] [--detail]\n\n"
            "Computes the trial balance (試算表) as its window does, into the same work rows of the signed-in user, "
            "and writes one row per account in code order with the columns account, name, period_debit, "
            "debit_count, period_credit, credit_count, cumulative_debit, cumulative_credit (CSV with a header row, "
            "or a JSON array of objects), or the printed report as a PDF file (template flist1; --detail adds the "
            "account lines). Needs the rights of the trial balance (F01)."_s,
            reportCommand, reportOptions },
    };
    return list;
}

void printUsage(Io& io)
{
    io.out << u"Usage: korvessa-cli COMMAND [OPTIONS]\n\n"
              "Batch work on the books of 企業Korvessa, on the database that ./link.txt names.\n\n"
              "Commands:\n"_s;
    for (const Command& c : commands())
        io.out << u"  "_s << c.name.leftJustified(14) << c.summary << u'\n';
    io.out << u"\nRun 'korvessa-cli COMMAND --help' for a command's options.\n"_s;
    io.out.flush();
}

} // namespace

void printRefusal(Io& io, const Refusal& r)
{
    QString text = r.text;
    io.err << r.caption << u": "_s << text.remove(u'\r').trimmed() << Qt::endl;
}

void addSignInOptions(QCommandLineParser& parser)
{
    parser.addOption({ u"company"_s, u"The company (default: the last one signed in to)."_s, u"name"_s });
    parser.addOption({ u"user"_s, u"The user (default: the last one signed in). The password comes from "
                                   "KORVESSA_PASSWORD or is asked for."_s,
        u"user"_s });
}

std::optional<SignedIn> openSignedIn(QCommandLineParser& parser, const QString& programCode, Io& io)
{
    LinkSettings link;
    auto db = openBooks(io.workDir, &link);
    if (!link.error.isEmpty())
        io.err << link.error << Qt::endl;
    if (!db) {
        printRefusal(io, db.refusal());
        return std::nullopt;
    }
    if (Status s = ensureSchema(*db); !s) {
        printRefusal(io, s.refusal());
        return std::nullopt;
    }
    auto session = signIn(*db, { parser.value(u"company"_s), parser.value(u"user"_s) }, programCode, io);
    if (!session) {
        printRefusal(io, session.refusal());
        return std::nullopt;
    }
    return SignedIn { *db, *session };
}

int run(const QStringList& args, Io& io)
{
    if (args.isEmpty() || args.first() == u"--help"_s || args.first() == u"-h"_s || args.first() == u"help"_s) {
        printUsage(io);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.first();
    for (const Command& c : commands()) {
        if (c.name != name)
            continue;
        QCommandLineParser parser;
        parser.setApplicationDescription(c.description);
        parser.addHelpOption();
        if (c.options)
            c.options(parser);
        QStringList argv = args;
        argv[0] = u"korvessa-cli "_s + name;
        if (!parser.parse(argv)) {
            io.err << parser.errorText() << Qt::endl;
            return 2;
        }
        if (parser.isSet(u"help"_s)) {
            QString help = parser.helpText();
            help.replace(0, help.indexOf(u'\n'), u"Usage: korvessa-cli "_s + name + u" [options]"_s);
            io.out << help;
            io.out.flush();
            return 0;
        }
        return c.handler(parser, io);
    }
    io.err << u"unknown command: "_s << name << Qt::endl;
    printUsage(io);
    return 2;
}

Result<Session> signIn(const QSqlDatabase& db, const SignInOptions& options, const QString& programCode, Io& io)
{
    const RememberedLogin last = rememberedLogin();
    const QString company = options.company.isEmpty() ? last.comp : options.company;
    const QString user = options.user.isEmpty() ? last.user : options.user;
    QString password;
    if (qEnvironmentVariableIsSet("KORVESSA_PASSWORD"))
        password = qEnvironmentVariable("KORVESSA_PASSWORD");
    else if (io.readPassword)
        password = io.readPassword(u"%1 的密碼: "_s.arg(user));
    if (Status s = checkLogin(db, company, user, password); !s)
        return s.refusal();
    auto rights = checkRight(db, user, programCode);
    if (!rights)
        return rights.refusal();
    Session session;
    session.cur_comp = company;
    session.cur_user = user;
    auto name = userDisplayName(db, user);
    session.cur_username = name ? *name : QString();
    session.app_dir = io.workDir;
    session.cur_prog = programCode;
    session.rights = *rights;
    return session;
}

} // namespace korvessa::cli
