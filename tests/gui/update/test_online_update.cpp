#include "tests/gui/support/TestSupport.h"
#include "tests/support/SimpleXlsx.h"
#include "tests/support/TinyHttpServer.h"

#include "net/HttpTransfer.h"
#include "widgets/LinkLabel.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestOnlineUpdate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void update_data();
    void update();
    void staleWorkbookIsNotImported();
    void linkUsedAsWritten_data();
    void linkUsedAsWritten();
};

void TestOnlineUpdate::initTestCase() {
    HttpTransfer::Limits limits;
    limits.silenceMsecs = 5000;
    HttpTransfer::setLimits(limits);
}

namespace {

const QByteArray kLink = "/files/results%2819.06.2024%2010%3A00%3A00%29.xlsx";

void pointAt(const TestApp& app, const QString& pageUrl) {
    QFile ini(QDir(app.dir()).filePath(QStringLiteral("razyg.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[CONFIG]\nfilenamedb=\nresultsurl=" + pageUrl.toUtf8() + "\n");
}

} // namespace

void TestOnlineUpdate::update_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("stored");
    const QString request = QStringLiteral("Осуществляется запрос к сайту лотереи - @site");
    QTest::newRow("new draws") << "new"
                               << QStringList{request, QStringLiteral("База данных обновлена.")}
                               << 2;
    QTest::newRow("nothing new") << "same"
                                 << QStringList{request,
                                                QStringLiteral("Источник не содежит обновлений.")}
                                 << 1;
    QTest::newRow("no network") << "down"
                                << QStringList{request,
                                               QStringLiteral("Ошибка получения данных:\r")}
                                << 1;
    QTest::newRow("link cannot be downloaded")
        << "missing"
        << QStringList{request, QStringLiteral("Ошибка получения данных:\r@site") +
                                    QString::fromLatin1(kLink)}
        << 1;
    QTest::newRow("no stamped link")
        << "unstamped" << QStringList{request, QStringLiteral("Ошибка получения данных:\r")} << 1;
}

void TestOnlineUpdate::update() {
    QFETCH(QString, scenario);
    QFETCH(QStringList, messages);
    QFETCH(int, stored);
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    TinyHttpServer server;
    QVERIFY(server.start());
    const QString site = server.baseUrl();
    pointAt(app, site + QStringLiteral("/results/"));
    const QByteArray page = scenario == QLatin1String("unstamped")
                                ? QByteArray("<a href=\"/files/results.xlsx\">x</a>")
                                : "<a href=\"" + kLink + "\">newest</a>";
    server.setResponse("/results/", 200, page);
    const QString date = QStringLiteral("19.06.2024");
    if (scenario == QLatin1String("new"))
        server.setResponse(
            kLink, 200,
            simpleXlsxBytes({resultsHeading(), resultsRow(2, date, {7, 8, 9, 10, 11, 12}),
                             resultsRow(1, date, {1, 2, 3, 4, 5, 6})}));
    if (scenario == QLatin1String("same"))
        server.setResponse(
            kLink, 200,
            simpleXlsxBytes({resultsHeading(), resultsRow(1, date, {1, 2, 3, 4, 5, 6})}));
    if (scenario == QLatin1String("down"))
        server.stop();
    TForm1& form = app.start();
    form.Button16->click();
    const QStringList shown = app.boxes.texts();
    for (QString& m : messages)
        m.replace(QLatin1String("@site"), site);
    QCOMPARE(shown, messages);
    for (const BoxRequest& b : app.boxes.shown)
        QCOMPARE(b.caption, QStringLiteral("Обновление данных"));
    const bool failed = messages.last().startsWith(QStringLiteral("Ошибка"));
    QCOMPARE(app.boxes.shown.last().icon, failed ? BoxIcon::Error : BoxIcon::Information);
    QCOMPARE(app.draws(), stored);
    QCOMPARE(form.ADOQuery1->recordCount(), stored);
    QVERIFY(form.Button16->isEnabled());
    QVERIFY(!form.Label17->isHidden());
    QVERIFY(!QFile::exists(form.ResultsFileName));
}

void TestOnlineUpdate::staleWorkbookIsNotImported() {
    TestApp app;
    TinyHttpServer server;
    QVERIFY(server.start());
    pointAt(app, server.baseUrl() + QStringLiteral("/results/"));
    server.setResponse("/results/", 200, "<a href=\"" + kLink + "\">newest</a>");
    server.setResponse(kLink, 404, "<html>not found</html>");
    TForm1& form = app.start();
    // A workbook left behind by an earlier run.
    QVERIFY(writeSimpleXlsx(
        form.ResultsFileName,
        {resultsHeading(), resultsRow(9, QStringLiteral("01.01.2024"), {1, 2, 3, 4, 5, 6})}));
    form.Button16->click();
    QCOMPARE(app.draws(), 0);
    QVERIFY(app.boxes.shown.last().text.startsWith(QStringLiteral("Ошибка получения данных:")));
    QVERIFY(!QFile::exists(form.ResultsFileName));
}

void TestOnlineUpdate::linkUsedAsWritten_data() {
    QTest::addColumn<QByteArray>("pagePath"); // as configured and as served
    QTest::addColumn<QByteArray>("link");     // as written in the page
    QTest::addColumn<QByteArray>("sentPath"); // as requested; empty: not served
    QTest::addColumn<QString>("message");     // the last box; "@site" is the server
    QTest::addColumn<int>("stored");
    const QByteArray cyrillic = "/files/\xD0\xA2\xD0\xB8\xD1\x80\xD0\xB0\xD0\xB6\xD0\xB8"
                                "(26.06.2024 10:00:00).xlsx";
    const QByteArray cyrillicSent =
        "/files/%D0%A2%D0%B8%D1%80%D0%B0%D0%B6%D0%B8(26.06.2024%2010:00:00).xlsx";
    const QString updated = QStringLiteral("База данных обновлена.");
    QTest::newRow("UTF-8 link") << QByteArray("/results/") << cyrillic << cyrillicSent << updated
                                << 2;
    QTest::newRow("UTF-8 link not found, shown readable")
        << QByteArray("/results/") << cyrillic << QByteArray()
        << QString::fromUtf8(
               "Ошибка получения данных:\r@site/files/Тиражи(26.06.2024 10:00:00).xlsx")
        << 1;
    QTest::newRow("escaped UTF-8 link not found, shown readable")
        << QByteArray("/results/") << cyrillicSent << QByteArray()
        << QString::fromUtf8(
               "Ошибка получения данных:\r@site/files/Тиражи(26.06.2024%2010:00:00).xlsx")
        << 1;
    QTest::newRow("page address with a file name")
        << QByteArray("/results/page.html") << QByteArray("files/r(19.06.2024 10:00:00).xlsx")
        << QByteArray("/results/files/r(19.06.2024%2010:00:00).xlsx") << updated << 2;
    QTest::newRow("page address with a query")
        << QByteArray("/results?game=6x49") << QByteArray("r(19.06.2024 10:00:00).xlsx")
        << QByteArray("/r(19.06.2024%2010:00:00).xlsx") << updated << 2;
}

void TestOnlineUpdate::linkUsedAsWritten() {
    QFETCH(QByteArray, pagePath);
    QFETCH(QByteArray, link);
    QFETCH(QByteArray, sentPath);
    QFETCH(QString, message);
    QFETCH(int, stored);
    TestApp app;
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    TinyHttpServer server;
    QVERIFY(server.start());
    pointAt(app, server.baseUrl() + QString::fromLatin1(pagePath));
    server.setResponse(pagePath, 200, "<a href=\"" + link + "\">newest</a>");
    if (!sentPath.isEmpty())
        server.setResponse(
            sentPath, 200,
            simpleXlsxBytes({resultsHeading(),
                             resultsRow(2, QStringLiteral("19.06.2024"), {7, 8, 9, 10, 11, 12})}));
    TForm1& form = app.start();
    form.Button16->click();
    QCOMPARE(app.boxes.texts().last(), message.replace(QLatin1String("@site"), server.baseUrl()));
    QCOMPARE(app.draws(), stored);
}

QTEST_MAIN(TestOnlineUpdate)
#include "test_online_update.moc"
