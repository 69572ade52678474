#include "net/HttpTransfer.h"
#include "net/ResultsSiteUtils.h"
#include "tests/support/TinyHttpServer.h"

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
    void requestLine_data();
    void requestLine();
    void limits_data();
    void limits();
    void serverThatNeverAnswers_data();
    void serverThatNeverAnswers();

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

namespace {

// Limits that end a stuck test quickly.
HttpTransfer::Limits testLimits() {
    HttpTransfer::Limits limits;
    limits.silenceMsecs = 5000;
    limits.totalMsecs = 10000;
    return limits;
}

} // namespace

void HttpTransferTest::init() {
    HttpTransfer::setLimits(testLimits());
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

void HttpTransferTest::requestLine_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("characters as UTF-8")
        << QString::fromUtf8("/files/Тиражи(26.06.2024 10:00:00).xlsx")
        << QByteArray("/files/%D0%A2%D0%B8%D1%80%D0%B0%D0%B6%D0%B8(26.06.2024%2010:00:00).xlsx");
    QTest::newRow("escapes as written") << QStringLiteral("/files/%D0%A2%28x%29.xlsx?a=%2F")
                                        << QByteArray("/files/%D0%A2%28x%29.xlsx?a=%2F");
    QTest::newRow("escaped byte of another charset")
        << QStringLiteral("/%D2%E8.xls") << QByteArray("/%D2%E8.xls");
    QTest::newRow("query with characters")
        << QString::fromUtf8("/r?game=6x49&n=Т") << QByteArray("/r?game=6x49&n=%D0%A2");
    QTest::newRow("stray percent") << QStringLiteral("/a%zz") << QByteArray("/a%25zz");
}

void HttpTransferTest::requestLine() {
    QFETCH(QString, path);
    QFETCH(QByteArray, sent);
    QByteArray body;
    HttpGetText(m_server.baseUrl() + path, body);
    QCOMPARE(m_server.requests().last().split('\r').first(), "GET " + sent + " HTTP/1.1");
}

void HttpTransferTest::limits_data() {
    QTest::addColumn<bool>("download");
    QTest::addColumn<int>("bodyBytes");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("silentAfter"); // -1: the server sends everything
    QTest::addColumn<bool>("sendLength");
    QTest::addColumn<int>("silenceMsecs");
    QTest::addColumn<int>("totalMsecs");
    QTest::addColumn<int>("maxBytes"); // of the page or of the download
    QTest::addColumn<bool>("received");
    // A body of 8 pieces one every 100 ms takes 0.7 s: longer than the silence
    // allowed, but never silent that long.
    for (const bool download : {false, true}) {
        const QByteArray kind = download ? "download: " : "page: ";
        QTest::newRow(QByteArray(kind + "slow but steady").constData())
            << download << 800 << 8 << -1 << true << 500 << 60000 << 1000 << true;
        QTest::newRow(QByteArray(kind + "silent after the head").constData())
            << download << 800 << 1 << 0 << true << 300 << 60000 << 1000 << false;
        QTest::newRow(QByteArray(kind + "silent midway").constData())
            << download << 800 << 8 << 300 << true << 300 << 60000 << 1000 << false;
        QTest::newRow(QByteArray(kind + "steady beyond the overall cap").constData())
            << download << 800 << 40 << -1 << true << 500 << 400 << 1000 << false;
        QTest::newRow(QByteArray(kind + "at the size cap").constData())
            << download << 1000 << 1 << -1 << true << 5000 << 10000 << 1000 << true;
        QTest::newRow(QByteArray(kind + "beyond the size cap").constData())
            << download << 1001 << 1 << -1 << true << 5000 << 10000 << 1000 << false;
        QTest::newRow(QByteArray(kind + "at the size cap, length not told").constData())
            << download << 1000 << 2 << -1 << false << 5000 << 10000 << 1000 << true;
        QTest::newRow(QByteArray(kind + "beyond the size cap, length not told").constData())
            << download << 1001 << 2 << -1 << false << 5000 << 10000 << 1000 << false;
        // More than the client holds at once: taken piece by piece.
        QTest::newRow(QByteArray(kind + "several megabytes").constData())
            << download << (3 << 20) << 3 << -1 << true << 5000 << 10000 << (4 << 20) << true;
    }
}

void HttpTransferTest::limits() {
    QFETCH(bool, download);
    QFETCH(int, bodyBytes);
    QFETCH(int, pieces);
    QFETCH(int, silentAfter);
    QFETCH(bool, sendLength);
    QFETCH(int, silenceMsecs);
    QFETCH(int, totalMsecs);
    QFETCH(int, maxBytes);
    QFETCH(bool, received);
    HttpTransfer::Limits limits;
    limits.silenceMsecs = silenceMsecs;
    limits.totalMsecs = totalMsecs;
    limits.maxPageBytes = download ? 1 << 20 : maxBytes;
    limits.maxDownloadBytes = download ? maxBytes : 1 << 20;
    HttpTransfer::setLimits(limits);

    TinyHttpServer::Response response;
    for (int i = 0; i < bodyBytes; ++i)
        response.body.append(char('a' + i % 26));
    response.pieces = pieces;
    response.pieceIntervalMsecs = 100;
    response.silentAfter = silentAfter;
    response.sendLength = sendLength;
    m_server.setResponse("/limited", response);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.xlsx"));
    const QString address = m_server.baseUrl() + QLatin1String("/limited");
    QByteArray body;
    QElapsedTimer clock;
    clock.start();
    const bool done = download ? DownloadToFile(address, path) : HttpGetText(address, body);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(done, received);
    if (download) {
        QCOMPARE(QFile::exists(path), received);
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                 received ? response.body : QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), received ? 1 : 0);
    } else {
        QCOMPARE(body, received ? response.body : QByteArray());
    }
    // A transfer that is given up ends soon after its limit.
    if (!received)
        QVERIFY2(elapsed < qMin(silenceMsecs, totalMsecs) + 2500,
                 qPrintable(QString::number(elapsed)));
}

void HttpTransferTest::serverThatNeverAnswers_data() {
    QTest::addColumn<bool>("download");
    QTest::newRow("page") << false;
    QTest::newRow("download") << true;
}

void HttpTransferTest::serverThatNeverAnswers() {
    QFETCH(bool, download);
    m_server.setSilent(true);
    HttpTransfer::Limits limits = testLimits();
    limits.silenceMsecs = 300;
    HttpTransfer::setLimits(limits);
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
