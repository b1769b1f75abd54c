#include "core/app/linkfile.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

const QString kDesktopText
    = uR"(Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=qezbarwo;User ID=admin;Data Source=.\database\basedb.mdb;Persist Security Info=True)"_s;

QByteArray big5(const QString& text)
{
    QStringEncoder encoder("Big5");
    return encoder.encode(text);
}

LinkSettings readBytes(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"link.txt"_s);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    return readLinkFile(path);
}

} // namespace

class TestLinkFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("connectionText");
        QTest::addColumn<bool>("error");

        QTest::newRow("server with password")
            << QByteArray("1,SRV,ACC,sa,s3cret,")
            << u"Provider=SQLOLEDB.1;Password=s3cret;Persist Security Info=True;;User ID=sa;Initial Catalog=ACC;Data Source=SRV;"_s
            << false;
        QTest::newRow("blank password leaves the password out")
            << QByteArray("1,SRV,ACC,sa, ,")
            << u"Provider=SQLOLEDB.1;Persist Security Info=True;;User ID=sa;Initial Catalog=ACC;Data Source=SRV;"_s << false;
        QTest::newRow("desktop ignores its values") << QByteArray("2,x,x,x,x,") << kDesktopText << false;
        QTest::newRow("no comma after the last value: the password loses its last character")
            << QByteArray("1,SRV,ACC,sa,s3cret")
            << u"Provider=SQLOLEDB.1;Password=s3cre;Persist Security Info=True;;User ID=sa;Initial Catalog=ACC;Data Source=SRV;"_s
            << false;
        QTest::newRow("a run of commas makes four pieces") << QByteArray("1,SRV,,sa,s3cret,") << defaultConnectionText()
                                                         << true;
        QTest::newRow("another kind gives an empty text") << QByteArray("3,SRV,ACC,sa,s3cret,") << QString() << false;
        QTest::newRow("kind compared as exact text") << QByteArray("01,SRV,ACC,sa,pw,") << QString() << false;
        QTest::newRow("values are not trimmed")
            << QByteArray("1, SRV ,ACC,sa,pw ,")
            << u"Provider=SQLOLEDB.1;Password=pw ;Persist Security Info=True;;User ID=sa;Initial Catalog=ACC;Data Source= SRV ;"_s
            << false;
        QTest::newRow("second line ignored") << QByteArray("2,x,x,x,x,\r\n3,SRV,ACC,sa,pw,\n") << kDesktopText << false;
        QTest::newRow("end-of-file mark ends the line") << QByteArray("2,x,x,x,x,\x1a" "garbage") << kDesktopText << false;
        QTest::newRow("quoted value keeps its commas and quotes")
            << QByteArray("1,'db,1',\"a,b\",sa,pw,")
            << u"Provider=SQLOLEDB.1;Password=pw;Persist Security Info=True;;User ID=sa;Initial Catalog=\"a,b\";Data Source='db,1';"_s
            << false;
        QTest::newRow("empty file") << QByteArray() << defaultConnectionText() << true;
    }

    void firstLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, connectionText);
        QFETCH(bool, error);
        const LinkSettings s = readBytes(bytes);
        QCOMPARE(s.connectionText, connectionText);
        QCOMPARE(!s.error.isEmpty(), error);
        if (error)
            QCOMPARE(s.params.kind, ConnectionParams::Kind::Desktop);
    }

    void cutting_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("pieces");

        QTest::newRow("plain") << QByteArray("1,a,b,") << QStringList { u"1,"_s, u"a,"_s, u"b,"_s };
        QTest::newRow("run of three commas") << QByteArray("2,,,x,") << QStringList { u"2,"_s, u",,x,"_s };
        QTest::newRow("rest without comma") << QByteArray("a,bc") << QStringList { u"a,"_s, u"bc"_s };
        QTest::newRow("unclosed quote runs to the end") << QByteArray("a,'b,c") << QStringList { u"a,"_s, u"'b,c"_s };
        QTest::newRow("UTF-8 characters beside commas")
            << u"1,伺服器,帳務,使用者,密碼,"_s.toUtf8()
            << QStringList { u"1,"_s, u"伺服器,"_s, u"帳務,"_s, u"使用者,"_s, u"密碼,"_s };
        QTest::newRow("Big5 characters beside commas")
            << big5(u"1,中文主機,帳務,許功蓋,密碼,"_s)
            << QStringList { u"1,"_s, u"中文主機,"_s, u"帳務,"_s, u"許功蓋,"_s, u"密碼,"_s };
        // A lead byte takes the next byte whole, even a comma.
        QTest::newRow("Big5 lead byte swallows a comma")
            << QByteArray("2,\x81,x,x,x,") << QStringList { u"2,"_s, QString(), u"x,"_s, u"x,"_s };
    }

    void cutting()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, pieces);
        const QStringList cut = cutLinkLine(line);
        QCOMPARE(cut.size(), pieces.size());
        for (qsizetype i = 0; i < cut.size(); ++i) {
            if (!pieces.at(i).isNull())
                QCOMPARE(cut.at(i), pieces.at(i));
        }
    }

    void big5File()
    {
        const LinkSettings s = readBytes(big5(u"1,主機,帳務,會計,密碼,"_s));
        QVERIFY(s.error.isEmpty());
        QCOMPARE(s.params.host, u"主機"_s);
        QCOMPARE(s.params.database, u"帳務"_s);
        QCOMPARE(s.params.user, u"會計"_s);
        QCOMPARE(s.params.password, u"密碼"_s);
    }

    void missingFile()
    {
        QTemporaryDir dir;
        const LinkSettings s = readLinkFile(dir.filePath(u"link.txt"_s));
        QVERIFY(!s.error.isEmpty());
        QCOMPARE(s.connectionText, defaultConnectionText());
        QCOMPARE(s.params.kind, ConnectionParams::Kind::Desktop);
        QCOMPARE(s.params.database, u"database/basedb.db"_s);
    }

    void serverMapping_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("withPassword");

        QTest::newRow("host only") << QByteArray("1,db.local,books,acc,pw,") << u"db.local"_s << -1 << true;
        QTest::newRow("host and port") << QByteArray("1,127.0.0.1:5433,books,acc, ,") << u"127.0.0.1"_s << 5433
                                       << false;
    }

    void serverMapping()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(bool, withPassword);
        const LinkSettings s = readBytes(line);
        QCOMPARE(s.params.kind, ConnectionParams::Kind::Server);
        QCOMPARE(s.params.host, host);
        QCOMPARE(s.params.port, port);
        QCOMPARE(s.params.database, u"books"_s);
        QCOMPARE(s.params.user, u"acc"_s);
        QCOMPARE(s.params.withPassword, withPassword);
        QCOMPARE(s.params.password.isEmpty(), !withPassword);
    }
};

QTEST_GUILESS_MAIN(TestLinkFile)
#include "tst_linkfile.moc"
