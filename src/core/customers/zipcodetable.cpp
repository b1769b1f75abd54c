#include "core/customers/zipcodetable.h"

#include "core/db/dataset.h"

using namespace Qt::StringLiterals;

namespace korvessa {

ZipcodeTable::ZipcodeTable(QObject* parent)
    : QObject(parent)
    , m_set(new DataSet(this))
{
}

ZipcodeTable::~ZipcodeTable() = default;

Status ZipcodeTable::open(const QSqlDatabase& db)
{
    return m_set->open(db, u"ZIPCODE"_s, u"select * from ZIPCODE"_s);
}

Status ZipcodeTable::post()
{
    m_set->post();
    if (!m_set->hasChanges())
        return {};
    return m_set->save();
}

Status ZipcodeTable::removeCurrent()
{
    if (m_set->isEmpty())
        return {};
    m_set->remove();
    return m_set->save();
}

Status ZipcodeTable::refresh()
{
    return m_set->cancel();
}

} // namespace korvessa
