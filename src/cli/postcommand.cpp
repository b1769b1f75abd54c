#include "cli/commands.h"

#include "core/common/dates.h"
#include "core/ledger/posting.h"

#include <QDate>
#include <QElapsedTimer>

namespace korvessa::cli {

using namespace Qt::StringLiterals;

void postOptions(QCommandLineParser& parser)
{
    addSignInOptions(parser);
    parser.addOption({ u"general"_s, u"Also post per general account (大類過帳)."_s });
    parser.addOption({ u"departments"_s, u"Also post per department (過部門帳)."_s });
    parser.addPositionalArgument(u"from"_s, u"The first month, yyyy/MM."_s);
    parser.addPositionalArgument(u"to"_s, u"The last month, yyyy/MM (default: the first)."_s, u"[to]"_s);
}

int postCommand(QCommandLineParser& parser, Io& io)
{
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || args.size() > 2) {
        io.err << u"usage: korvessa-cli post FROM [TO]"_s << Qt::endl;
        return 2;
    }
    const QString fromText = args.at(0);
    const QString toText = args.value(1, fromText);
    for (const QString& month : { fromText, toText }) {
        if (Status s = posting::checkMonth(month); !s) {
            io.err << month << u": "_s << s.refusal().text << Qt::endl;
            return 2;
        }
    }
    const QDate from = QDate::fromString(fromText + u"/01"_s, QString::fromLatin1(kDateFormat));
    const QDate to = QDate::fromString(toText + u"/01"_s, QString::fromLatin1(kDateFormat));
    if (to < from) {
        io.err << u"the last month comes before the first"_s << Qt::endl;
        return 2;
    }
    auto signedIn = openSignedIn(parser, u"C202"_s, io);
    if (!signedIn)
        return 1;

    QList<posting::Kind> kinds = { posting::Kind::Accounts };
    if (parser.isSet(u"general"_s))
        kinds.append(posting::Kind::General);
    if (parser.isSet(u"departments"_s))
        kinds.append(posting::Kind::Departments);
    QElapsedTimer clock;
    clock.start();
    for (QDate month = from; month <= to; month = month.addMonths(1)) {
        const QString key = month.toString(QString::fromLatin1(kMonthFormat));
        io.out << key << u':';
        for (posting::Kind kind : kinds) {
            auto rows = posting::post(signedIn->db, signedIn->session.cur_comp, key, kind);
            if (!rows) {
                io.out << Qt::endl;
                printRefusal(io, rows.refusal());
                return 1;
            }
            io.out << u' ' << posting::table(kind) << u' ' << *rows;
        }
        io.out << u" rows"_s << Qt::endl;
    }
    io.err << u"posted in "_s << QString::number(clock.elapsed() / 1000.0, 'f', 2) << u" s"_s << Qt::endl;
    return 0;
}

} // namespace korvessa::cli
