#include "cli/commands.h"

#include "core/common/csv.h"
#include "core/reports/trialbalance.h"
#include "core/reports/workrows.h"
#include "print/report.h"
#include "print/reportdata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace korvessa::cli {

using namespace Qt::StringLiterals;

namespace {

// The templates beside the program, or in the working folder.
QString templateDir(const Io& io)
{
    const QString here = QDir(io.workDir).filePath(u"templates"_s);
    if (QFileInfo(here).isDir())
        return here;
    return QDir(QCoreApplication::applicationDirPath()).filePath(u"templates"_s);
}

QString absolute(const Io& io, const QString& name)
{
    return QFileInfo(name).isAbsolute() ? name : QDir(io.workDir).filePath(name);
}

const QStringList kColumns = { u"account"_s, u"name"_s, u"period_debit"_s, u"debit_count"_s, u"period_credit"_s,
    u"credit_count"_s, u"cumulative_debit"_s, u"cumulative_credit"_s };

QByteArray csvText(const QList<QVariantMap>& rows)
{
    QString text = csv::line(kColumns) + u'\n';
    for (const QVariantMap& r : rows) {
        QStringList fields;
        for (const char* c : { "P03", "P04", "P05", "P06", "P07", "P08", "P09", "P10" })
            fields.append(r.value(QString::fromLatin1(c)).toString());
        text += csv::line(fields) + u'\n';
    }
    return text.toUtf8();
}

QByteArray jsonText(const QList<QVariantMap>& rows)
{
    QJsonArray list;
    for (const QVariantMap& r : rows) {
        QJsonObject o;
        o.insert(u"account"_s, r.value(u"P03"_s).toString());
        o.insert(u"name"_s, r.value(u"P04"_s).toString());
        o.insert(u"period_debit"_s, reports::numberOf(r.value(u"P05"_s)));
        o.insert(u"debit_count"_s, qint64(reports::numberOf(r.value(u"P06"_s))));
        o.insert(u"period_credit"_s, reports::numberOf(r.value(u"P07"_s)));
        o.insert(u"credit_count"_s, qint64(reports::numberOf(r.value(u"P08"_s))));
        o.insert(u"cumulative_debit"_s, reports::numberOf(r.value(u"P09"_s)));
        o.insert(u"cumulative_credit"_s, reports::numberOf(r.value(u"P10"_s)));
        list.append(o);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

} // namespace

bool reportNeedsGui(const QStringList& args)
{
    if (args.value(0) != u"report"_s)
        return false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args.at(i) == u"--format=pdf"_s || ((args.at(i) == u"--format"_s) && args.value(i + 1) == u"pdf"_s))
            return true;
    }
    return false;
}

void reportOptions(QCommandLineParser& parser)
{
    addSignInOptions(parser);
    parser.addOption({ u"from"_s, u"The first month, yyyy/MM."_s, u"month"_s });
    parser.addOption({ u"to"_s, u"The last month, yyyy/MM."_s, u"month"_s });
    parser.addOption({ u"format"_s, u"csv (default), json or pdf."_s, u"format"_s, u"csv"_s });
    parser.addOption({ { u"o"_s, u"output"_s }, u"Write to FILE instead of the standard output (required for pdf)."_s,
        u"FILE"_s });
    parser.addOption({ u"detail"_s, u"pdf: print the account lines under each general account (是否列印明細)."_s });
    parser.addPositionalArgument(u"report"_s, u"The report: trial-balance."_s);
}

int reportCommand(QCommandLineParser& parser, Io& io)
{
    const QStringList args = parser.positionalArguments();
    const QString usage = u"usage: korvessa-cli report trial-balance --from yyyy/MM --to yyyy/MM "
                          "[--format csv|json|pdf] [-o FILE] [--detail]"_s;
    if (args.size() != 1 || args.first() != u"trial-balance"_s || !parser.isSet(u"from"_s) || !parser.isSet(u"to"_s)) {
        io.err << usage << Qt::endl;
        return 2;
    }
    const QString format = parser.value(u"format"_s);
    if (format != u"csv"_s && format != u"json"_s && format != u"pdf"_s) {
        io.err << u"unknown format: "_s << format << Qt::endl;
        return 2;
    }
    if (format == u"pdf"_s) {
        if (!parser.isSet(u"output"_s)) {
            io.err << u"pdf needs -o FILE"_s << Qt::endl;
            return 2;
        }
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            io.err << u"pdf output needs the program's graphical application"_s << Qt::endl;
            return 1;
        }
    }
    auto signedIn = openSignedIn(parser, u"F01"_s, io);
    if (!signedIn)
        return 1;
    const QSqlDatabase& db = signedIn->db;
    const Session& session = signedIn->session;
    // The months as given: they are compared as text, as the window's are.
    const QString from = parser.value(u"from"_s);
    const QString to = parser.value(u"to"_s);
    auto counts = reports::trialbalance::compute(db, session.cur_comp, session.cur_user, from, to);
    if (!counts) {
        printRefusal(io, counts.refusal());
        return 1;
    }

    if (format == u"pdf"_s) {
        auto data = reports::trialbalance::printData(
            db, session.cur_comp, session.cur_user, from, to, parser.isSet(u"detail"_s));
        if (!data) {
            printRefusal(io, data.refusal());
            return 1;
        }
        auto document = print::Document::layout(print::toPrintReport(*data), templateDir(io));
        if (!document) {
            printRefusal(io, document.refusal());
            return 1;
        }
        const QString name = parser.value(u"output"_s);
        if (Status s = print::exportPdf(**document, absolute(io, name)); !s) {
            printRefusal(io, s.refusal());
            return 1;
        }
        io.err << name << u": "_s << (*document)->pageCount() << u" pages, "_s << counts->accounts << u" accounts"_s
               << Qt::endl;
        return 0;
    }

    auto rows = reports::readRows(
        db, reports::trialbalance::key(session.cur_comp, session.cur_user), reports::WorkTable::Report1, u"P03, P04"_s);
    if (!rows) {
        printRefusal(io, rows.refusal());
        return 1;
    }
    const QByteArray bytes = format == u"json"_s ? jsonText(*rows) : csvText(*rows);
    if (!parser.isSet(u"output"_s)) {
        io.out << QString::fromUtf8(bytes);
        io.out.flush();
        return 0;
    }
    const QString name = parser.value(u"output"_s);
    QSaveFile file(absolute(io, name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        io.err << u"cannot write "_s << name << u": "_s << file.errorString() << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace korvessa::cli
