#include "net/HttpTransfer.h"
#include "net/ResultsSiteUtils.h"
#include "tests/support/TinyHttpServer.h"

#include <QTest>

// The newest workbook link as found on a results page served on 127.0.0.1.
class NewestWorkbookTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void newestLink_data();
    void newestLink();
    void serverDown();

private:
    TinyHttpServer m_server;
};

void NewestWorkbookTest::initTestCase() {
    HttpTransfer::Limits limits;
    limits.silenceMsecs = 5000;
    HttpTransfer::setLimits(limits);
    QVERIFY(m_server.start());
}

void NewestWorkbookTest::newestLink_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("page");
    // "SITE" and "PAGE" stand for the addresses of the served site.
    QTest::addColumn<QString>("expected");
    // The results page's path, as configured and as served.
    QTest::addColumn<QByteArray>("pagePath");

    QTest::newRow("latest stamp first")
        << 200
        << QByteArray("<a href=\"/f/lotto(19.06.2024 10:00:00).xlsx\">1</a>"
                      "<a href=\"/f/lotto(18.06.2024 23:59:59).xlsx\">2</a>")
        << QStringLiteral("SITE/f/lotto(19.06.2024 10:00:00).xlsx")
        << QByteArray("/results/lotto/");
    QTest::newRow("latest stamp later in the page")
        << 200
        << QByteArray("<a href=\"a(18.06.2024 23:59:59).xlsx\"></a>"
                      "<a href=\"b(19.06.2024 10:00:00).xls\"></a><a href=\"c.xlsx\"></a>")
        << QStringLiteral("PAGEb(19.06.2024 10:00:00).xls") << QByteArray("/results/lotto/");
    QTest::newRow("tie goes to the earlier link")
        << 200
        << QByteArray("<a href=\"first(19.06.2024 10:00:00).xlsx\"></a>"
                      "<a href=\"second(19.06.2024 10:00:00).xlsx\"></a>")
        << QStringLiteral("PAGEfirst(19.06.2024 10:00:00).xlsx") << QByteArray("/results/lotto/");
    QTest::newRow("escaped stamp, link kept as written")
        << 200 << QByteArray("<a href=\"/d/r%2819.06.2024%2010%3A00%3A00%29.xlsx\"></a>")
        << QStringLiteral("SITE/d/r%2819.06.2024%2010%3A00%3A00%29.xlsx")
        << QByteArray("/results/lotto/");
    QTest::newRow("absolute link")
        << 200
        << QByteArray("<a href=\"https://cdn.example/"
                      "r(19.06.2024 10:00:00).xlsx\"></a>")
        << QStringLiteral("https://cdn.example/r(19.06.2024 10:00:00).xlsx")
        << QByteArray("/results/lotto/");
    QTest::newRow("no stamps") << 200 << QByteArray("<a href=\"a.xlsx\"></a><a href=\"b.xls\"></a>")
                               << QString() << QByteArray("/results/lotto/");
    QTest::newRow("no workbook links")
        << 200 << QByteArray("<a href=\"a(19.06.2024 10:00:00).pdf\">") << QString()
        << QByteArray("/results/lotto/");
    QTest::newRow("empty body") << 200 << QByteArray() << QString()
                                << QByteArray("/results/lotto/");
    QTest::newRow("error page is read as the page")
        << 404 << QByteArray("<a href=\"x(19.06.2024 10:00:00).xlsx\"></a>")
        << QStringLiteral("PAGEx(19.06.2024 10:00:00).xlsx") << QByteArray("/results/lotto/");
    QTest::newRow("UTF-8 link as its characters")
        << 200
        << QByteArray("<a href=\"/files/\xD0\xA2\xD0\xB8\xD1\x80\xD0\xB0\xD0\xB6\xD0\xB8"
                      "(26.06.2024 10:00:00).xlsx\">\xD0\xA2</a>")
        << QString::fromUtf8("SITE/files/Тиражи(26.06.2024 10:00:00).xlsx")
        << QByteArray("/results/lotto/");
    QTest::newRow("page address with a file name")
        << 200 << QByteArray("<a href=\"files/r(19.06.2024 10:00:00).xlsx\"></a>")
        << QStringLiteral("SITE/results/files/r(19.06.2024 10:00:00).xlsx")
        << QByteArray("/results/page.html");
    QTest::newRow("page address with a query")
        << 200 << QByteArray("<a href=\"r(19.06.2024 10:00:00).xlsx\"></a>")
        << QStringLiteral("SITE/r(19.06.2024 10:00:00).xlsx") << QByteArray("/results?game=6x49");
    QTest::newRow("link up a folder")
        << 200 << QByteArray("<a href=\"../r(19.06.2024 10:00:00).xlsx\"></a>")
        << QStringLiteral("SITE/results/r(19.06.2024 10:00:00).xlsx")
        << QByteArray("/results/lotto/");
}

void NewestWorkbookTest::newestLink() {
    QFETCH(int, status);
    QFETCH(QByteArray, page);
    QFETCH(QString, expected);
    QFETCH(QByteArray, pagePath);
    m_server.setResponse(pagePath, status, page);
    const ResultsSite site =
        ResultsSite::fromPageUrl(m_server.baseUrl() + QString::fromLatin1(pagePath));
    expected.replace(QLatin1String("SITE"), site.siteUrl);
    expected.replace(QLatin1String("PAGE"), site.pageUrl);
    QCOMPARE(FindNewestWorkbookUrl(site), expected);
    QCOMPARE(m_server.lastRequestHeader("User-Agent"), QByteArray("Velmora/1.0"));
}

void NewestWorkbookTest::serverDown() {
    TinyHttpServer gone;
    QVERIFY(gone.start());
    const ResultsSite site = ResultsSite::fromPageUrl(gone.baseUrl() + QLatin1String("/results/"));
    gone.stop();
    QCOMPARE(FindNewestWorkbookUrl(site), QString());
}

QTEST_GUILESS_MAIN(NewestWorkbookTest)
#include "NewestWorkbookTest.moc"
