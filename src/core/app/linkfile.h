#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace korvessa {

// Where the books are kept, as read from link.txt and mapped onto our drivers.
struct ConnectionParams {
    enum class Kind {
        None, // the kind was neither "1" nor "2": opening fails
        Server, // kind "1": a PostgreSQL server
        Desktop, // kind "2": the SQLite file database/basedb.db
    };

    Kind kind = Kind::Desktop;
    QString host; // server kind: host name, without the port
    int port = -1; // server kind: -1 for the driver's default
    QString database; // server kind: catalogue; desktop kind: file path relative to the working folder
    QString user;
    QString password;
    bool withPassword = false; // false when the password is blank after trimming

    // The desktop database the program falls back to whenever link.txt cannot be used.
    static ConnectionParams desktopDefault();
};

// What start-up made of link.txt.
struct LinkSettings {
    // The connection text of the classic provider layer, kept because it is what
    // the program shows and what the configuration documents; empty for an unknown kind.
    QString connectionText;
    ConnectionParams params;
    // Set when link.txt could not be used: the message shown, after which the
    // desktop default stays in force.
    QString error;
    QStringList values; // the five values as cut, when there were five
};

// The connection text used before link.txt is read and whenever it cannot be used.
QString defaultConnectionText();

// The first line of the file's bytes: up to the first CR, LF or end-of-file
// mark (Ctrl+Z); later lines are never read.
QByteArray firstLinkLine(const QByteArray& fileBytes);

// Cuts a line into pieces after every comma. Quoted stretches (single or double
// quotes, the quotes kept) are not cut; in a run of commas only the first one
// cuts. A line that is valid UTF-8 is cut by characters; otherwise the bytes
// are cut with Big5 lead bytes (0x81-0xFE) taking their trail byte with them,
// and every piece is then decoded as Big5.
QStringList cutLinkLine(const QByteArray& line);

// Builds the settings from the five values (each without its comma).
LinkSettings linkSettingsFromValues(const QStringList& values);

// Reads `path` (normally ./link.txt) and builds the settings; failures set
// `error` and keep the desktop default.
LinkSettings readLinkFile(const QString& path);

} // namespace korvessa
