#pragma once

#include "core/common/result.h"
#include "core/db/sql.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>

namespace korvessa {

// The address wizard without its window: five boxes narrowed down from the
// postal-code table (city, district, postal code, street, number range), each
// with its text and its list, and the address being composed.
//
// A change of one box's text empties and refills the others as the cascade
// of changeBox() says, then the address becomes "(" + code + ")" + city +
// district + street. Keys append their captions to the address.
class AddressWizard : public QObject {
    Q_OBJECT
public:
    enum Box { City, District, Zip, Street, Range, BoxCount };
    Q_ENUM(Box)

    explicit AddressWizard(QObject* parent = nullptr);

    // The postal-code connection; a closed one leaves every list empty.
    void setDatabase(const QSqlDatabase& db) { m_db = db; }

    // Empties every box and the address, and fills the city list.
    void reset();

    // The user changed a box's text (typed or chose an item):
    // - city: district, postal code, street and range emptied; the district,
    //   postal-code and street lists of that city;
    // - district: postal code, street and range emptied; the postal codes
    //   and streets of that district of the city;
    // - postal code: city, district, street and range emptied; the four lists
    //   of that code;
    // - street: range emptied; the ranges of that street in the district,
    //   and the districts of the city with that street while the district
    //   box is empty;
    // - range: the postal codes of that range, street and district added to
    //   the postal-code list.
    void changeBox(Box box, const QString& text);

    QString text(Box box) const { return m_text.at(box); }
    const QStringList& items(Box box) const { return m_items.at(box); }

    // The message to show when the list of `box` is opened too early; empty
    // when none is due.
    QString listWarning(Box box) const;

    // "(" + code + ")" + city + district + street.
    QString composed() const;
    const QString& address() const { return m_address; }
    void setAddress(const QString& text) { m_address = text; }

    // The captions of the on-screen keys, each appended as written.
    static const QStringList& keyCaptions();
    void appendKey(const QString& caption) { m_address += caption; }
    // "<--": removes the last character of the first line.
    void backspace();

    // The last database refusal of a look-up, if any.
    const Status& lastError() const { return m_error; }

Q_SIGNALS:
    // After any change: boxes, lists or address.
    void changed();

private:
    QStringList distinct(const QString& column, const QString& where, const SqlParams& params);
    void empty(Box box);

    QSqlDatabase m_db;
    std::array<QString, BoxCount> m_text;
    std::array<QStringList, BoxCount> m_items;
    QString m_address;
    Status m_error;
};

} // namespace korvessa
