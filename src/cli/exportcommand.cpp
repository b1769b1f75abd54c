#include "cli/commands.h"

#include "core/ledger/journalexport.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace korvessa::cli {

using namespace Qt::StringLiterals;

void exportOptions(QCommandLineParser& parser)
{
    addSignInOptions(parser);
    parser.addOption({ { u"o"_s, u"output"_s }, u"Write to FILE instead of the standard output."_s, u"FILE"_s });
    parser.addPositionalArgument(u"what"_s, u"What to export: journal."_s);
}

int exportCommand(QCommandLineParser& parser, Io& io)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1 || args.first() != u"journal"_s) {
        io.err << u"usage: korvessa-cli export journal [-o FILE]"_s << Qt::endl;
        return 2;
    }
    auto signedIn = openSignedIn(parser, u"C201"_s, io);
    if (!signedIn)
        return 1;

    Result<journal::Written> written = Refusal::database(QString());
    if (parser.isSet(u"output"_s)) {
        const QString name = parser.value(u"output"_s);
        // Written whole or not at all.
        QSaveFile file(QFileInfo(name).isAbsolute() ? name : io.workDir + u'/' + name);
        if (!file.open(QIODevice::WriteOnly)) {
            io.err << u"cannot write "_s << name << u": "_s << file.errorString() << Qt::endl;
            return 1;
        }
        QTextStream out(&file);
        written = journal::write(signedIn->db, signedIn->session.cur_comp, out);
        if (written && !file.commit()) {
            io.err << u"cannot write "_s << name << u": "_s << file.errorString() << Qt::endl;
            return 1;
        }
    } else {
        written = journal::write(signedIn->db, signedIn->session.cur_comp, io.out);
    }
    if (!written) {
        printRefusal(io, written.refusal());
        return 1;
    }
    io.err << written->vouchers << u" vouchers, "_s << written->postings << u" postings"_s;
    if (written->unbalanced > 0)
        io.err << u", "_s << written->unbalanced << u" with a difference posted to "_s
               << QString::fromUtf8(journal::kDifferenceAccount);
    io.err << Qt::endl;
    return 0;
}

} // namespace korvessa::cli
