#include "cli/commands.h"

#include "core/ledger/voucherimport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace korvessa::cli {

using namespace Qt::StringLiterals;

void importOptions(QCommandLineParser& parser)
{
    addSignInOptions(parser);
    parser.addPositionalArgument(u"what"_s, u"What to import: vouchers."_s);
    parser.addPositionalArgument(u"file"_s, u"The CSV file."_s);
}

int importCommand(QCommandLineParser& parser, Io& io)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2 || args.first() != u"vouchers"_s) {
        io.err << u"usage: korvessa-cli import vouchers FILE.csv"_s << Qt::endl;
        return 2;
    }
    QFile file(QFileInfo(args.at(1)).isAbsolute() ? args.at(1) : io.workDir + u'/' + args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        io.err << u"cannot read "_s << args.at(1) << u": "_s << file.errorString() << Qt::endl;
        return 1;
    }
    auto signedIn = openSignedIn(parser, u"C201"_s, io);
    if (!signedIn)
        return 1;
    if (!signedIn->session.rights.can_add || !signedIn->session.rights.can_save) {
        io.err << u"沒有新增與存檔的權限!"_s << Qt::endl;
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    int shown = -1;
    auto progress = [&](qint64 done, qint64 total) {
        if (total <= 0)
            return;
        const int percent = int(done * 100 / total);
        if (percent / 10 != shown / 10) {
            shown = percent;
            io.err << u"  "_s << percent << u"% ("_s << (done * 2 >= total ? u"writing"_s : u"checking"_s) << u")"_s
                   << Qt::endl;
        }
    };
    auto result = vouchers::importCsv(
        signedIn->db, signedIn->session.cur_comp, signedIn->session.cur_user, file, progress);
    if (!result) {
        printRefusal(io, result.refusal());
        return 1;
    }
    if (result->refusedRows > 0) {
        for (const QString& line : std::as_const(result->refusals))
            io.err << line << Qt::endl;
        if (result->refusedRows > result->refusals.size())
            io.err << u"… and "_s << (result->refusedRows - result->refusals.size()) << u" more"_s << Qt::endl;
        io.err << result->refusedRows << u" row(s) refused; nothing was imported."_s << Qt::endl;
        return 1;
    }
    io.out << u"imported "_s << result->vouchers << u" vouchers with "_s << result->lines << u" lines in "_s
           << QString::number(clock.elapsed() / 1000.0, 'f', 1) << u" s"_s << Qt::endl;
    return 0;
}

} // namespace korvessa::cli
