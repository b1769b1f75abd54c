#include "core/customers/labels.h"

#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

// The label rows of one user (see the class comment).
const QString kUserRows = u"coalesce(P00, '') = '' and P06 = :user"_s;

QString place(qint64 n) { return u"%1"_s.arg(n, 9, 10, QLatin1Char('0')); }

} // namespace

LabelSheet::LabelSheet(QObject* parent)
    : QObject(parent)
    , m_set(new DataSet(this))
{
    m_set->setKeyColumns({ u"P06"_s, u"P07"_s });
}

LabelSheet::~LabelSheet() = default;

const QStringList& LabelSheet::labelColumns()
{
    static const QStringList columns = { u"P01"_s, u"P02"_s, u"P03"_s, u"P04"_s, u"P05"_s };
    return columns;
}

Status LabelSheet::open(const QSqlDatabase& db, const QString& user)
{
    m_db = db;
    m_user = user;
    const SqlParams params = { { u":user"_s, user } };
    if (Status s = sql::execute(db, u"delete from ptemp where "_s + kUserRows, params); !s)
        return s;
    return m_set->open(db, u"ptemp"_s, u"select * from ptemp where "_s + kUserRows + u" order by P07"_s, params);
}

Status LabelSheet::add(const QList<Customer>& customers)
{
    if (customers.isEmpty())
        return {};
    if (Status s = writeChanges(); !s)
        return s;
    Transaction transaction(m_db);
    if (!transaction.started())
        return transaction.started();
    auto highest = sql::scalar(m_db, u"select max(P07) from ptemp where "_s + kUserRows, { { u":user"_s, m_user } });
    if (!highest)
        return highest.refusal();
    qint64 next = highest->isNull() ? 1 : highest->toString().toLongLong() + 1;
    const QString first = place(next);
    for (const Customer& c : customers) {
        if (Status s = sql::insert(m_db, u"ptemp"_s,
                { { u"P00"_s, u""_s }, { u"P01"_s, c.number }, { u"P02"_s, c.name }, { u"P03"_s, c.contact },
                    { u"P04"_s, c.address }, { u"P05"_s, c.phone }, { u"P06"_s, m_user }, { u"P07"_s, place(next++) },
                    { u"P08"_s, u""_s } });
            !s)
            return s;
    }
    if (Status s = transaction.commit(); !s)
        return s;
    if (Status s = m_set->requery(); !s)
        return s;
    m_set->locate(u"P07"_s, first);
    return {};
}

Status LabelSheet::writeChanges()
{
    if (m_set->isChanging())
        m_set->post();
    if (!m_set->hasChanges())
        return {};
    return m_set->save();
}

Status LabelSheet::removeCurrent()
{
    if (m_set->isEmpty())
        return {};
    m_set->remove();
    return writeChanges();
}

QList<QVariantMap> LabelSheet::printRows() const
{
    QList<QVariantMap> list;
    for (int r = 0; r < m_set->count(); ++r) {
        QVariantMap row;
        for (const QString& column : labelColumns())
            row.insert(column, m_set->value(r, column).toString());
        row.insert(u"label_row"_s, r / kLabelsPerRow);
        list.append(row);
    }
    return list;
}

QList<QVariantMap> LabelSheet::sheetRows() const
{
    QList<QVariantMap> list;
    const int rows = (m_set->count() + kLabelsPerRow - 1) / kLabelsPerRow;
    for (int r = 0; r < rows; ++r)
        list.append({ { u"label_row"_s, r } });
    return list;
}

} // namespace korvessa
