#include "core/customers/customerregister.h"

#include "core/common/dates.h"
#include "core/db/database.h"
#include "core/db/dataset.h"
#include "core/db/sql.h"

using namespace Qt::StringLiterals;

namespace korvessa {

CustomerRegister::CustomerRegister(QObject* parent)
    : QObject(parent)
    , m_set(new DataSet(this))
{
    m_set->setKeyColumns({ u"cus_no"_s });
    m_set->setFetchSize(kFetchSize);
}

CustomerRegister::~CustomerRegister() = default;

QString CustomerRegister::numberField()
{
    return u"DBEdit1"_s;
}

const QStringList& CustomerRegister::searchColumns()
{
    static const QStringList columns = { u"cus_no"_s, u"cus_name"_s, u"cus_add"_s, u"cus_tel1"_s, u"cus_tel2"_s,
        u"cus_fax"_s, u"cus_att"_s, u"cus_mobile"_s };
    return columns;
}

QVariantMap CustomerRegister::newRecordDefaults()
{
    return { { u"cus_date"_s, todayText() }, { u"cus_level"_s, u"1"_s } };
}

Result<QStringList> CustomerRegister::categoryItems(const QSqlDatabase& db, const QString& kind)
{
    auto rows = sql::rows(db, u"select * from catlog where cat_type = :kind"_s, { { u":kind"_s, kind } });
    if (!rows)
        return rows.refusal();
    QStringList items;
    for (const QSqlRecord& row : *rows)
        items.append(sql::text(row, u"cat_name"_s));
    return items;
}

QString CustomerRegister::storedOrder(const QSqlDatabase& db)
{
    return dialectOf(db) == Dialect::Postgres ? u"ctid"_s : u"rowid"_s;
}

Status CustomerRegister::open(const QSqlDatabase& db)
{
    m_db = db;
    // Numbers may repeat in older books: the row id makes the order total, so
    // that the blocks read as the list scrolls agree with each other.
    return m_set->open(db, u"custom"_s, u"select * from custom order by cus_no, "_s + storedOrder(db));
}

void CustomerRegister::addNew()
{
    m_set->append(newRecordDefaults());
}

Status CustomerRegister::save()
{
    if (m_set->isEmpty())
        return {};
    if (!m_set->isChanging())
        m_set->edit();
    const bool isNew = m_set->state() == DataSet::State::Insert
        || m_set->rowChange(m_set->currentRow()) == DataSet::RowChange::Inserted;
    const QString number = m_set->text(u"cus_no"_s);
    if (number.trimmed().isEmpty())
        return Refusal::rule(u"資料錯誤"_s, u"客戶編號不可以為空!"_s, numberField());
    if (isNew) {
        // Asked of the database: the rows held may be only the first ones.
        auto taken = sql::exists(m_db, u"select * from custom where cus_no = :no"_s, { { u":no"_s, number } });
        if (!taken)
            return taken.refusal();
        if (*taken)
            return Refusal::rule(u"資料錯誤"_s, u"客戶編號重覆!"_s);
    }
    return m_set->save();
}

Status CustomerRegister::cancel()
{
    const QString number = m_set->text(u"cus_no"_s);
    const int row = m_set->currentRow();
    // A new record is not stored: looking for its number would read them all.
    const bool stored = m_set->rowChange(row) != DataSet::RowChange::Inserted;
    if (Status s = reopen({}, {}); !s)
        return s;
    if (stored && m_set->locate(u"cus_no"_s, number))
        return {};
    // Reads up to the row the list was on, or stays on the last one.
    if (!m_set->isEmpty() && !m_set->setCurrentRow(std::max(row, 0)))
        m_set->setCurrentRow(m_set->count() - 1);
    return {};
}

Status CustomerRegister::removeCurrent()
{
    if (m_set->isEmpty())
        return {};
    if (m_set->state() == DataSet::State::Insert) {
        m_set->cancelRow();
        return {};
    }
    const QString number = m_set->text(u"cus_no"_s);
    m_set->remove();
    return m_set->save([&]() -> Status {
        return sql::execute(m_db, u"delete from cushis where cus_no = :no"_s, { { u":no"_s, number } });
    });
}

Status CustomerRegister::search(const QString& text)
{
    if (text.isEmpty())
        return reopen({}, {});
    auto [condition, params] = DataSet::containsCondition(searchColumns(), text);
    return reopen(u" where "_s + condition, params);
}

Status CustomerRegister::reopen(const QString& where, const SqlParams& params)
{
    // The stored order, named so that every block of rows agrees with it.
    return m_set->open(m_db, u"custom"_s, u"select * from custom"_s + where + u" order by "_s + storedOrder(m_db), params);
}

} // namespace korvessa
