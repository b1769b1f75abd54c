#include "core/common/csv.h"

namespace korvessa::csv {

using namespace Qt::StringLiterals;

Reader::Reader(QIODevice& device)
    : m_device(device)
{
}

bool Reader::fill()
{
    if (m_at > 0) {
        m_buffer.remove(0, m_at);
        m_at = 0;
    }
    const QByteArray more = m_device.read(1 << 20);
    if (more.isEmpty())
        return false;
    m_buffer.append(more);
    if (m_first) {
        m_first = false;
        if (m_buffer.startsWith("\xEF\xBB\xBF"))
            m_buffer.remove(0, 3);
    }
    return true;
}

bool Reader::next(QStringList& fields)
{
    fields.clear();
    if (m_at >= m_buffer.size() && !fill())
        return false;
    QByteArray field;
    bool quoted = false;
    bool any = false;
    for (;;) {
        if (m_at >= m_buffer.size() && !fill()) {
            m_unterminated = quoted;
            break;
        }
        const char c = m_buffer.at(m_at++);
        any = true;
        if (quoted) {
            if (c == '"') {
                if (m_at >= m_buffer.size())
                    fill();
                if (m_at < m_buffer.size() && m_buffer.at(m_at) == '"') {
                    field.append('"');
                    ++m_at;
                } else {
                    quoted = false;
                }
            } else {
                field.append(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.append(QString::fromUtf8(field));
            field.clear();
        } else if (c == '\n') {
            break;
        } else if (c != '\r') {
            field.append(c);
        }
    }
    if (!any)
        return false;
    fields.append(QString::fromUtf8(field));
    ++m_record;
    return true;
}

QString quote(const QString& field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && !field.contains(u'\r'))
        return field;
    QString text = field;
    text.replace(u"\""_s, u"\"\""_s);
    return u'"' + text + u'"';
}

QString line(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& f : fields)
        quoted.append(quote(f));
    return quoted.join(u',');
}

} // namespace korvessa::csv
