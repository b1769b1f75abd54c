#pragma once

#include <QDate>
#include <QString>

namespace korvessa {

// Every date the program writes is text "yyyy/MM/dd", whatever the locale says;
// months are "yyyy/MM". Text dates compare and sort as strings.
inline constexpr auto kDateFormat = "yyyy/MM/dd";
inline constexpr auto kMonthFormat = "yyyy/MM";

inline QString dateText(const QDate& date)
{
    return date.toString(QString::fromLatin1(kDateFormat));
}

inline QString todayText() { return dateText(QDate::currentDate()); }

inline QDate dateFromText(const QString& text)
{
    return QDate::fromString(text, QString::fromLatin1(kDateFormat));
}

} // namespace korvessa
