// numeron-cli update against a results site served by the test on 127.0.0.1.
#include "tests/cli/CliTestSupport.h"
#include "tests/support/SimpleXlsx.h"
#include "tests/support/TinyHttpServer.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestCliUpdate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void update_data();
    void update();
};

namespace {

const QByteArray kLink = "/files/results%2819.06.2024%2010%3A00%3A00%29.xlsx";
const QByteArray kOlderLink = "/files/results%2801.01.2024%2010%3A00%3A00%29.xlsx";

// A results workbook of the draws by number: draw 1 as the test stores it,
// any other with other balls.
QByteArray workbookOf(const QList<int>& draws) {
    QList<QStringList> rows{resultsHeading()};
    for (const int tir : draws)
        rows.append(
            resultsRow(tir, QStringLiteral("19.06.2024"),
                       tir == 1 ? QList<int>{1, 2, 3, 4, 5, 6} : QList<int>{7, 8, 9, 10, 11, 12}));
    return simpleXlsxBytes(rows);
}

// The numeron-cli downloads left in the temporary folder.
QStringList leftovers() {
    return QDir::temp().entryList({QStringLiteral("numeron-cli-*")}, QDir::AllEntries);
}

} // namespace

void TestCliUpdate::update_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // @site stands for the server's address
    QTest::addColumn<int>("stored");
    const QString counts = QStringLiteral("«@site%1»: прочитано строк: %2, добавлено тиражей: %3, "
                                          "уже были в базе: %4\n")
                               .arg(QString::fromLatin1(kLink));
    QTest::newRow("new draws") << "new" << 0
                               << counts.arg(2).arg(1).arg(1) +
                                      QStringLiteral("База данных обновлена.\n")
                               << 2;
    QTest::newRow("nothing new") << "same" << 0
                                 << counts.arg(1).arg(0).arg(1) +
                                        QStringLiteral("Источник не содежит обновлений.\n")
                                 << 1;
    // Each failure says why, after "Ошибка получения данных: ".
    QTest::newRow("site down") << "down" << 1 << "соединиться с @site/results/ (" << 1;
    QTest::newRow("page gone") << "gone" << 1 << "на запрос @site/results/ кодом HTTP 404\n" << 1;
    QTest::newRow("link cannot be downloaded")
        << "missing" << 1 << "скачать не удалось: сайт ответил на запрос @site" << 1;
    QTest::newRow("no workbook link") << "linkless" << 1 << "нет ссылок на книги результатов" << 1;
    QTest::newRow("no stamped link") << "unstamped" << 1 << "нет ссылки на книгу с отметкой" << 1;
    QTest::newRow("damaged workbook") << "damaged" << 1 << "@site" << 1;
}

void TestCliUpdate::update() {
    QFETCH(QString, scenario);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(int, stored);
    CliFolder cli;
    cli.app.addDraw(1, {1, 2, 3, 4, 5, 6});
    TinyHttpServer server;
    QVERIFY(server.start());
    const QString site = server.baseUrl();
    output.replace(QLatin1String("@site"), site);
    cli.writeIni("[CONFIG]\nfilenamedb=\nresultsurl=" + site.toUtf8() + "/results/\n");
    const QByteArray page =
        scenario == QLatin1String("unstamped")
            ? QByteArray("<a href=\"/files/results.xlsx\">x</a>")
            : "<a href=\"" + kOlderLink + "\">old</a> <a href=\"" + kLink + "\">newest</a>";
    if (scenario != QLatin1String("gone"))
        server.setResponse("/results/", 200,
                           scenario == QLatin1String("linkless") ? QByteArray("<p>later</p>")
                                                                 : page);
    if (scenario == QLatin1String("new"))
        server.setResponse(kLink, 200, workbookOf({2, 1}));
    if (scenario == QLatin1String("same"))
        server.setResponse(kLink, 200, workbookOf({1}));
    if (scenario == QLatin1String("damaged"))
        server.setResponse(kLink, 200, "PK\x03\x04 not really a workbook");
    if (scenario == QLatin1String("down"))
        server.stop();
    const QStringList before = leftovers();

    const CliRun run = cli.run({QStringLiteral("update")});
    QCOMPARE(run.exitCode, exitCode);
    // The page it read comes first, then (when found) the workbook's address.
    QVERIFY2(run.outText().startsWith(QStringLiteral("Страница результатов: ") + site +
                                      QStringLiteral("/results/\n")),
             qPrintable(run.outText()));
    if (exitCode == 0) {
        QVERIFY(run.outText().contains(QStringLiteral("Книга: ") + site +
                                       QString::fromLatin1(kLink) + QLatin1Char('\n')));
        QVERIFY2(run.outText().endsWith(output), qPrintable(run.outText()));
        QCOMPARE(run.errText(), cli.databaseLine());
    } else {
        QVERIFY2(run.errText().contains(output), qPrintable(run.errText()));
    }
    QCOMPARE(cli.app.draws(), stored);
    // Downloaded to a temporary file that is gone afterwards; the window's
    // results.xlsx is never made.
    QCOMPARE(leftovers(), before);
    QVERIFY(!QFile::exists(cli.path(QStringLiteral("results.xlsx"))));
}

QTEST_GUILESS_MAIN(TestCliUpdate)
#include "test_cli_update.moc"
