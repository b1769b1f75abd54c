#include "core/customers/addresswizard.h"

#include "core/db/sql.h"

using namespace Qt::StringLiterals;

namespace korvessa {

AddressWizard::AddressWizard(QObject* parent)
    : QObject(parent)
{
}

void AddressWizard::reset()
{
    for (int b = 0; b < BoxCount; ++b)
        empty(Box(b));
    m_address.clear();
    m_items[City] = distinct(u"CITY"_s, {}, {});
    Q_EMIT changed();
}

void AddressWizard::empty(Box box)
{
    m_text[box].clear();
    m_items[box].clear();
}

void AddressWizard::changeBox(Box box, const QString& text)
{
    m_text[box] = text;
    const SqlParams city = { { u":city"_s, m_text[City] } };
    switch (box) {
    case City:
        for (Box b : { District, Zip, Street, Range })
            empty(b);
        m_items[District] = distinct(u"AREA"_s, u"CITY = :city"_s, city);
        m_items[Zip] = distinct(u"ZIP"_s, u"CITY = :city"_s, city);
        m_items[Street] = distinct(u"ROAD"_s, u"CITY = :city"_s, city);
        break;
    case District: {
        for (Box b : { Zip, Street, Range })
            empty(b);
        const SqlParams both = { { u":area"_s, m_text[District] }, { u":city"_s, m_text[City] } };
        m_items[Zip] = distinct(u"ZIP"_s, u"AREA = :area and CITY = :city"_s, both);
        m_items[Street] = distinct(u"ROAD"_s, u"CITY = :city and AREA = :area"_s, both);
        break;
    }
    case Zip: {
        for (Box b : { City, District, Street, Range })
            empty(b);
        const SqlParams zip = { { u":zip"_s, m_text[Zip] } };
        m_items[City] = distinct(u"CITY"_s, u"ZIP = :zip"_s, zip);
        m_items[District] = distinct(u"AREA"_s, u"ZIP = :zip"_s, zip);
        m_items[Street] = distinct(u"ROAD"_s, u"ZIP = :zip"_s, zip);
        m_items[Range] = distinct(u"NUM"_s, u"ZIP = :zip"_s, zip);
        break;
    }
    case Street:
        empty(Range);
        m_items[Range] = distinct(u"NUM"_s, u"ROAD = :road and AREA = :area"_s,
            { { u":road"_s, m_text[Street] }, { u":area"_s, m_text[District] } });
        if (m_text[District].isEmpty())
            m_items[District] = distinct(u"AREA"_s, u"CITY = :city and ROAD = :road"_s,
                { { u":city"_s, m_text[City] }, { u":road"_s, m_text[Street] } });
        break;
    case Range:
        m_items[Zip] += distinct(u"ZIP"_s, u"NUM = :num and ROAD = :road and AREA = :area"_s,
            { { u":num"_s, m_text[Range] }, { u":road"_s, m_text[Street] }, { u":area"_s, m_text[District] } });
        break;
    case BoxCount:
        break;
    }
    m_address = composed();
    Q_EMIT changed();
}

QString AddressWizard::listWarning(Box box) const
{
    if ((box == District || box == Zip || box == Street) && m_text[City].isEmpty())
        return u"請先選擇縣（市）！"_s;
    if (box == Range && m_text[Street].isEmpty())
        return u"請先選擇街路村里！"_s;
    return {};
}

QString AddressWizard::composed() const
{
    return u'(' + m_text[Zip] + u')' + m_text[City] + m_text[District] + m_text[Street];
}

const QStringList& AddressWizard::keyCaptions()
{
    static const QStringList keys = {
        u"一"_s,
        u"二"_s,
        u"三"_s,
        u"四"_s,
        u"五"_s,
        u"六"_s,
        u"七"_s,
        u"八"_s,
        u"九"_s,
        u"十"_s,
        u"1"_s,
        u"2"_s,
        u"3"_s,
        u"4"_s,
        u"5"_s,
        u"6"_s,
        u"7"_s,
        u"8"_s,
        u"9"_s,
        u"0"_s,
        u"＊"_s,
        u"Ｂ"_s,
        u"～"_s,
        u"，"_s,
        u"Ｆ"_s,
        u"－"_s,
        u"鄰"_s,
        u"路"_s,
        u"段"_s,
        u"區"_s,
        u"里"_s,
        u"村"_s,
        u"街"_s,
        u"巷"_s,
        u"弄"_s,
        u"衖"_s,
        u"號"_s,
        u"樓"_s,
        u"之"_s,
        u"東"_s,
        u"南"_s,
        u"西"_s,
        u"北"_s,
        u"院"_s,
        u"棟"_s,
        u"座"_s,
        u"間"_s,
        u"室"_s,
        u"郵政"_s,
        u"信箱"_s,
    };
    return keys;
}

void AddressWizard::backspace()
{
    qsizetype end = m_address.indexOf(u'\n');
    if (end < 0)
        end = m_address.size();
    if (end > 0 && m_address.at(end - 1) == u'\r')
        --end;
    if (end == 0)
        return;
    // A character outside the basic plane is two UTF-16 units: remove both.
    qsizetype start = end - 1;
    if (start > 0 && m_address.at(start).isLowSurrogate() && m_address.at(start - 1).isHighSurrogate())
        --start;
    m_address.remove(start, end - start);
    Q_EMIT changed();
}

QStringList AddressWizard::distinct(const QString& column, const QString& where, const SqlParams& params)
{
    if (!m_db.isValid() || !m_db.isOpen())
        return {};
    QString text = u"select distinct "_s + column + u" from ZIPCODE"_s;
    if (!where.isEmpty())
        text += u" where "_s + where;
    auto rows = sql::rows(m_db, text, params);
    if (!rows) {
        m_error = rows.refusal();
        return {};
    }
    QStringList values;
    for (const QSqlRecord& row : *rows)
        values.append(row.value(0).toString());
    return values;
}

} // namespace korvessa
