#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

namespace korvessa::csv {

// Reads comma-separated records from a UTF-8 device one at a time, so that
// a file of any size is read in constant memory: fields in double quotes may
// hold commas, line breaks and doubled quotes (""); a byte-order mark and
// carriage returns before line ends are dropped.
class Reader {
public:
    explicit Reader(QIODevice& device);

    // The next record; false at the end of the data.
    bool next(QStringList& fields);
    // The number of the record last read (the first is 1).
    qint64 record() const { return m_record; }
    // Bytes read so far, for progress.
    qint64 position() const { return m_device.pos() - m_buffer.size() + m_at; }
    // Set when a quoted field is still open at the end of the data.
    bool unterminatedQuote() const { return m_unterminated; }

private:
    bool fill();

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    qint64 m_record = 0;
    bool m_first = true;
    bool m_unterminated = false;
};

// A field as written into a record: quoted when it holds a comma, a quote
// or a line break.
QString quote(const QString& field);
QString line(const QStringList& fields);

} // namespace korvessa::csv
