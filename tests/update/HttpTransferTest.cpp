#include "update/HttpTransfer.h"
#include "tests/support/TinyHttpServer.h"
#include "update/ResultsSiteUtils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Fetching pages and downloading files from a server on 127.0.0.1.
class HttpTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void urlFromAddress_data();
    void urlFromAddress();
    void httpGetText_data();
    void httpGetText();
    void requestHeaders();
    void downloadToFile_data();
    void downloadToFile();
    void downloadIntoMissingFolder();
    void timeLimit_data();
    void timeLimit();

private:
    void serveCommonPaths();
    // Replaces "BASE" by the server's address, "HOSTPORT" by 127.0.0.1:port and
    // "DOWN" by the address of a port nobody listens on.
    QString address(QString pattern) const;

    TinyHttpServer m_server;
    quint16 m_downPort = 0;
};

void HttpTransferTest::initTestCase() {
    QVERIFY(m_server.start());
    TinyHttpServer gone;
    QVERIFY(gone.start());
    m_downPort = gone.port();
    gone.stop();
    serveCommonPaths();
}

void HttpTransferTest::init() {
    HttpTransfer::setTimeLimit(5000);
    m_server.setSilent(false);
}

void HttpTransferTest::serveCommonPaths() {
    m_server.setResponse("/page", 200, "<html>page</html>");
    m_server.setResponse("/r%2819.06.2024%2010%3A00%3A00%29.xlsx?a=%2F&b=1", 200, "query kept");
    m_server.setResponse("/missing", 404, "<html>no such page</html>");
    m_server.setResponse("/empty", 200, QByteArray());
    m_server.setResponse("/binary", 200, QByteArray("PK\x03\x04\x00\xff\r\n\x1a", 10));
    m_server.setResponse("/broken", 500, "server trouble");
    TinyHttpServer::Response moved;
    moved.status = 302;
    moved.headers.append(qMakePair(QByteArray("Location"), QByteArray("/binary")));
    m_server.setResponse("/moved", moved);
}

QString HttpTransferTest::address(QString pattern) const {
    pattern.replace(QLatin1String("BASE"), m_server.baseUrl());
    pattern.replace(QLatin1String("HOSTPORT"), QStringLiteral("127.0.0.1:%1").arg(m_server.port()));
    pattern.replace(QLatin1String("DOWN"), QStringLiteral("http://127.0.0.1:%1").arg(m_downPort));
    return pattern;
}

void HttpTransferTest::urlFromAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url"); // empty: not usable
    QTest::newRow("https any case") << QStringLiteral("HTTPS://Host.example/A?b=1")
                                    << QStringLiteral("https://host.example/A?b=1");
    QTest::newRow("http with port")
        << QStringLiteral("http://h.example:8080/x") << QStringLiteral("http://h.example:8080/x");
    QTest::newRow("no scheme is http")
        << QStringLiteral("h.example/x/y.xlsx") << QStringLiteral("http://h.example/x/y.xlsx");
    QTest::newRow("no scheme, port honoured")
        << QStringLiteral("h.example:8080/x") << QStringLiteral("http://h.example:8080/x");
    QTest::newRow("other scheme") << QStringLiteral("ftp://h.example/x") << QString();
    QTest::newRow("address in the query is no scheme")
        << QStringLiteral("h.example/go?to=http://x")
        << QStringLiteral("http://h.example/go?to=http://x");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no host") << QStringLiteral("http:///x") << QString();
}

void HttpTransferTest::urlFromAddress() {
    QFETCH(QString, address);
    QFETCH(QString, url);
    const QUrl result = HttpTransfer::urlFromAddress(address);
    QCOMPARE(result.isValid() ? result.toString(QUrl::FullyEncoded) : QString(), url);
}

void HttpTransferTest::httpGetText_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("received");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("page") << QStringLiteral("BASE/page") << true << QByteArray("<html>page</html>");
    QTest::newRow("query sent as written")
        << QStringLiteral("BASE/r%2819.06.2024%2010%3A00%3A00%29.xlsx?a=%2F&b=1") << true
        << QByteArray("query kept");
    QTest::newRow("error page counts")
        << QStringLiteral("BASE/missing") << true << QByteArray("<html>no such page</html>");
    QTest::newRow("server error page counts")
        << QStringLiteral("BASE/broken") << true << QByteArray("server trouble");
    QTest::newRow("empty body fails") << QStringLiteral("BASE/empty") << false << QByteArray();
    QTest::newRow("raw bytes") << QStringLiteral("BASE/binary") << true
                               << QByteArray("PK\x03\x04\x00\xff\r\n\x1a", 10);
    QTest::newRow("redirect followed")
        << QStringLiteral("BASE/moved") << true << QByteArray("PK\x03\x04\x00\xff\r\n\x1a", 10);
    QTest::newRow("scheme-less with port")
        << QStringLiteral("HOSTPORT/page") << true << QByteArray("<html>page</html>");
    QTest::newRow("server down") << QStringLiteral("DOWN/page") << false << QByteArray();
    QTest::newRow("unusable address")
        << QStringLiteral("ftp://127.0.0.1/page") << false << QByteArray();
}

void HttpTransferTest::httpGetText() {
    QFETCH(QString, address);
    QFETCH(bool, received);
    QFETCH(QByteArray, body);
    QByteArray result("left over");
    QCOMPARE(HttpGetText(this->address(address), result), received);
    QCOMPARE(result, body);
}

void HttpTransferTest::requestHeaders() {
    QByteArray body;
    QVERIFY(HttpGetText(m_server.baseUrl() + QLatin1String("/page"), body));
    QCOMPARE(m_server.lastRequestHeader("User-Agent"), QByteArray("Velmora/1.0"));
    QCOMPARE(m_server.lastRequestHeader("Cache-Control"), QByteArray("no-cache"));
    QCOMPARE(m_server.lastRequestHeader("Pragma"), QByteArray("no-cache"));
    QVERIFY(m_server.requests().last().startsWith("GET /page HTTP/1.1\r\n"));
}

void HttpTransferTest::downloadToFile_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("staleFile");
    QTest::addColumn<bool>("downloaded");
    QTest::addColumn<QByteArray>("content");
    const QByteArray binary("PK\x03\x04\x00\xff\r\n\x1a", 10);
    QTest::newRow("file") << QStringLiteral("BASE/binary") << false << true << binary;
    QTest::newRow("file replaces an old one")
        << QStringLiteral("BASE/binary") << true << true << binary;
    QTest::newRow("redirect") << QStringLiteral("BASE/moved") << false << true << binary;
    QTest::newRow("error page") << QStringLiteral("BASE/missing") << false << false << QByteArray();
    QTest::newRow("error page removes an old file")
        << QStringLiteral("BASE/missing") << true << false << QByteArray();
    QTest::newRow("server error") << QStringLiteral("BASE/broken") << true << false << QByteArray();
    QTest::newRow("empty answer") << QStringLiteral("BASE/empty") << false << false << QByteArray();
    QTest::newRow("server down") << QStringLiteral("DOWN/binary") << true << false << QByteArray();
    QTest::newRow("no address") << QString() << true << false << QByteArray();
}

void HttpTransferTest::downloadToFile() {
    QFETCH(QString, address);
    QFETCH(bool, staleFile);
    QFETCH(bool, downloaded);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("results.xlsx"));
    if (staleFile) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an earlier workbook");
    }
    QCOMPARE(DownloadToFile(this->address(address), path), downloaded);
    QCOMPARE(QFile::exists(path), downloaded);
    if (downloaded) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), downloaded ? 1 : 0);
}

void HttpTransferTest::downloadIntoMissingFolder() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/results.xlsx"));
    QVERIFY(!DownloadToFile(m_server.baseUrl() + QLatin1String("/binary"), path));
    QVERIFY(!QFile::exists(path));
}

void HttpTransferTest::timeLimit_data() {
    QTest::addColumn<bool>("download");
    QTest::newRow("page") << false;
    QTest::newRow("download") << true;
}

void HttpTransferTest::timeLimit() {
    QFETCH(bool, download);
    m_server.setSilent(true);
    HttpTransfer::setTimeLimit(300);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.xlsx"));
    QElapsedTimer clock;
    clock.start();
    QByteArray body;
    const bool done = download ? DownloadToFile(m_server.baseUrl() + QLatin1String("/binary"), path)
                               : HttpGetText(m_server.baseUrl() + QLatin1String("/page"), body);
    QVERIFY(!done);
    QVERIFY(body.isEmpty());
    QVERIFY(!QFile::exists(path));
    QVERIFY2(clock.elapsed() >= 250 && clock.elapsed() < 3000,
             qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(HttpTransferTest)
#include "HttpTransferTest.moc"
