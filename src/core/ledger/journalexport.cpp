#include "core/ledger/journalexport.h"

#include "core/db/sql.h"

#include <cmath>

namespace korvessa::journal {

using namespace Qt::StringLiterals;

namespace {

struct Pending {
    QString date;
    QString number;
    QString summary;
    QList<std::pair<QString, qint64>> postings;
};

// One line of text, without the characters that would end or start a
// comment in the journal's syntax at the wrong place.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ').replace(u'\n', u' ').replace(u'\t', u' ');
    return text.simplified();
}

void flush(const Pending& p, QTextStream& out, Written& written)
{
    if (p.postings.isEmpty())
        return;
    out << p.date << u" ("_s << p.number << u')';
    const QString summary = oneLine(p.summary);
    if (!summary.isEmpty())
        out << u' ' << summary;
    out << u'\n';
    qint64 sum = 0;
    for (const auto& [account, amount] : p.postings) {
        out << u"    "_s << account << u"  "_s << amount << u'\n';
        sum += amount;
    }
    if (sum != 0) {
        out << u"    "_s << QString::fromUtf8(kDifferenceAccount) << u"  "_s << -sum << u'\n';
        ++written.unbalanced;
    }
    out << u'\n';
    ++written.vouchers;
    written.postings += p.postings.size() + (sum != 0 ? 1 : 0);
}

} // namespace

Result<Written> write(const QSqlDatabase& db, const QString& comp, QTextStream& out)
{
    auto q = sql::exec(db,
        u"select m.finm_dat, m.finm_no, m.finm_pre, d.find_acc, d.find_tdec, d.find_tcre"
        u" from fincm m join fincd d on d.comp = m.comp and d.find_no = m.finm_no"
        u" where m.comp = :comp order by m.finm_dat, m.finm_no, d.find_sn"_s,
        { { u":comp"_s, comp } });
    if (!q)
        return q.refusal();
    Written written;
    Pending pending;
    while (q->next()) {
        const QString number = q->value(1).toString();
        if (number != pending.number) {
            flush(pending, out, written);
            pending = Pending();
            pending.date = q->value(0).toString();
            pending.number = number;
            pending.summary = q->value(2).toString();
        }
        QString account = q->value(3).toString().trimmed();
        if (account.isEmpty())
            account = u"?"_s;
        const qint64 amount = qint64(std::llround(q->value(4).toDouble())) - qint64(std::llround(q->value(5).toDouble()));
        pending.postings.append({ account, amount });
    }
    flush(pending, out, written);
    out.flush();
    if (out.status() != QTextStream::Ok)
        return Refusal::database(u"The journal could not be written."_s);
    return written;
}

} // namespace korvessa::journal
