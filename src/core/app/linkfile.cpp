#include "core/app/linkfile.h"

#include <QFile>
#include <QStringDecoder>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

constexpr char kEndOfFileMark = 0x1a;

char32_t code(QChar c) { return c.unicode(); }
char32_t code(char c) { return static_cast<unsigned char>(c); }
bool isQuote(char32_t c) { return c == U'\'' || c == U'"'; }

// The cutting rule over any sequence of units; `unitLength(i)` tells how many
// units form the character at i (a Big5 pair or a single unit).
template <typename Units, typename Length>
QList<Units> cutUnits(const Units& line, Length unitLength)
{
    QList<Units> pieces;
    Units piece;
    const qsizetype n = line.size();
    bool previousWasComma = false;
    for (qsizetype i = 0; i < n;) {
        const auto c = line.at(i);
        if (isQuote(code(c))) {
            qsizetype end = line.indexOf(c, i + 1);
            end = end < 0 ? n : end + 1;
            piece += line.mid(i, end - i);
            i = end;
            previousWasComma = false;
            continue;
        }
        const qsizetype len = unitLength(i);
        piece += line.mid(i, len);
        const bool comma = len == 1 && code(c) == U',';
        if (comma && !previousWasComma) {
            pieces.append(piece);
            piece.clear();
        }
        previousWasComma = comma;
        i += len;
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    return pieces;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeBig5(const QByteArray& bytes)
{
    QStringDecoder decoder("Big5");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

} // namespace

ConnectionParams ConnectionParams::desktopDefault()
{
    ConnectionParams p;
    p.kind = Kind::Desktop;
    p.database = u"database/basedb.db"_s;
    return p;
}

QString defaultConnectionText()
{
    return uR"(Provider=Microsoft.Jet.OLEDB.4.0;Data Source=.\database\basedb.mdb;Persist Security Info=False;Jet OLEDB:Database Password=qezbarwo)"_s;
}

QByteArray firstLinkLine(const QByteArray& fileBytes)
{
    qsizetype end = fileBytes.size();
    for (qsizetype i = 0; i < fileBytes.size(); ++i) {
        const char c = fileBytes.at(i);
        if (c == '\r' || c == '\n' || c == kEndOfFileMark) {
            end = i;
            break;
        }
    }
    QByteArray line = fileBytes.left(end);
    if (line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    return line;
}

QStringList cutLinkLine(const QByteArray& line)
{
    if (isValidUtf8(line)) {
        // Cut by characters; a surrogate pair is one character.
        const QString text = QString::fromUtf8(line);
        const auto pieces = cutUnits(text, [&text](qsizetype i) -> qsizetype {
            return text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        });
        return pieces;
    }
    const auto pieces = cutUnits(line, [&line](qsizetype i) -> qsizetype {
        const auto b = static_cast<unsigned char>(line.at(i));
        return b >= 0x81 && b <= 0xFE && i + 1 < line.size() ? 2 : 1;
    });
    QStringList decoded;
    decoded.reserve(pieces.size());
    for (const QByteArray& piece : pieces)
        decoded.append(decodeBig5(piece));
    return decoded;
}

LinkSettings linkSettingsFromValues(const QStringList& values)
{
    LinkSettings settings;
    settings.values = values;
    const QString& kind = values.at(0);
    const QString& server = values.at(1);
    const QString& database = values.at(2);
    const QString& user = values.at(3);
    const QString& password = values.at(4);

    if (kind == u"1"_s) {
        const bool withPassword = !password.trimmed().isEmpty();
        QString text = u"Provider=SQLOLEDB.1;"_s;
        if (withPassword)
            text += u"Password="_s + password + u';';
        text += u"Persist Security Info=True;"_s + u";User ID="_s + user + u";Initial Catalog="_s + database
            + u";Data Source="_s + server + u';';
        settings.connectionText = text;

        ConnectionParams& p = settings.params;
        p.kind = ConnectionParams::Kind::Server;
        p.host = server;
        const qsizetype colon = server.lastIndexOf(u':');
        if (colon > 0) {
            bool numeric = false;
            const int port = server.mid(colon + 1).toInt(&numeric);
            if (numeric) {
                p.host = server.left(colon);
                p.port = port;
            }
        }
        p.database = database;
        p.user = user;
        p.withPassword = withPassword;
        if (withPassword)
            p.password = password;
    } else if (kind == u"2"_s) {
        settings.connectionText = uR"(Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=qezbarwo;User ID=admin;Data Source=.\database\basedb.mdb;Persist Security Info=True)"_s;
        settings.params = ConnectionParams::desktopDefault();
    } else {
        settings.connectionText.clear();
        settings.params = {};
        settings.params.kind = ConnectionParams::Kind::None;
    }
    return settings;
}

LinkSettings readLinkFile(const QString& path)
{
    LinkSettings fallback;
    fallback.connectionText = defaultConnectionText();
    fallback.params = ConnectionParams::desktopDefault();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fallback.error = u"無法開啟連線設定檔 %1：%2"_s.arg(path, file.errorString());
        return fallback;
    }
    const QStringList pieces = cutLinkLine(firstLinkLine(file.readAll()));
    if (pieces.size() < 5) {
        fallback.error = u"連線設定檔 %1 的第一行只有 %2 個值，需要五個（類別、伺服器、資料庫、使用者、密碼，各以逗號結尾）。"_s.arg(path)
                             .arg(pieces.size());
        return fallback;
    }
    QStringList values;
    for (int i = 0; i < 5; ++i)
        values.append(pieces.at(i).chopped(1));
    return linkSettingsFromValues(values);
}

} // namespace korvessa
