#include "tests/gui/support/TestSupport.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "game/Game.h"
#include "gui/WheelRows.h"
#include "runtime/AppError.h"
#include "runtime/ApplicationTitle.h"
#include "startup/DatabaseSetup.h"
#include "widgets/DbGrid.h"
#include "widgets/StatusBar.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingIniEndsTheProgram();
    void iniInCurrentDirectoryIsNotUsed();
    void databasePath_data();
    void databasePath();
    void missingDatabaseEndsTheProgram();
    void notADatabaseEndsTheProgram();
    void startsOnNewestDraw();
    void foreignFileRefusedAndLeftAlone_data();
    void foreignFileRefusedAndLeftAlone();
    void otherGameRefusedAndLeftAlone();
    void wheelRows_data();
    void wheelRows();
    void wheelMovesTheDrawList_data();
    void wheelMovesTheDrawList();
    void wheelOnEveryPartOfTheGrid_data();
    void wheelOnEveryPartOfTheGrid();
    void wheelWithClosedListShowsStandardError();
    void standardErrorText_data();
    void standardErrorText();
};

namespace {
void writeIni(const QString& dir, const QByteArray& content) {
    QFile file(QDir(dir).filePath(QStringLiteral("razyg.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
} // namespace

void TestStartup::missingIniEndsTheProgram() {
    TestApp app;
    QFile::remove(QDir(app.dir()).filePath(QStringLiteral("razyg.ini")));
    TForm1& form = app.start();
    QVERIFY(form.terminated());
    QCOMPARE(app.boxes.shown.size(), 1);
    const BoxRequest& box = app.boxes.shown.first();
    QCOMPARE(box.text, QStringLiteral("Не найден файл конфигурации!"));
    QCOMPARE(box.caption, QStringLiteral("Внимание!"));
    QCOMPARE(box.icon, BoxIcon::Error);
    QCOMPARE(box.buttons, BoxButtons::Ok);
    QVERIFY(!form.ADOConnection1->isOpen());
}

void TestStartup::iniInCurrentDirectoryIsNotUsed() {
    TestApp app;
    QFile::remove(QDir(app.dir()).filePath(QStringLiteral("razyg.ini")));
    QTemporaryDir cwd;
    writeIni(cwd.path(), "[CONFIG]\nfilenamedb=\n");
    const QString old = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    TForm1& form = app.start();
    QDir::setCurrent(old);
    QVERIFY(form.terminated());
}

void TestStartup::databasePath_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("expected"); // relative to the program folder, or "cwd:" name
    QTest::newRow("empty ini") << QByteArray() << "razyg.mdb";
    QTest::newRow("no CONFIG section") << QByteArray("[X]\na=1\n") << "razyg.mdb";
    QTest::newRow("missing configured file")
        << QByteArray("[CONFIG]\nfilenamedb=/no/such.db\n") << "razyg.mdb";
    QTest::newRow("configured file")
        << QByteArray("[CONFIG]\nfilenamedb=@other.db\n") << "@other.db";
    QTest::newRow("relative to current directory")
        << QByteArray("[CONFIG]\nfilenamedb=rel.db\n") << "cwd:rel.db";
}

void TestStartup::databasePath() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, expected);
    TestApp app;
    QTemporaryDir cwd;
    // A second database, elsewhere, named in the INI file.
    const QString other = QDir(cwd.path()).filePath(QStringLiteral("other.db"));
    QFile::copy(app.dbPath(), other);
    QFile::copy(app.dbPath(), QDir(cwd.path()).filePath(QStringLiteral("rel.db")));
    ini.replace("@other.db", other.toUtf8());
    writeIni(app.dir(), ini);
    const QString old = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    TForm1& form = app.start();
    QDir::setCurrent(old);
    QVERIFY(!form.terminated());
    QVERIFY(app.boxes.shown.isEmpty());
    if (expected.startsWith(QLatin1String("cwd:")))
        QCOMPARE(form.DbFileName, expected.mid(4));
    else if (expected.startsWith(QLatin1Char('@')))
        QCOMPARE(form.DbFileName, other);
    else
        QCOMPARE(form.DbFileName, QDir(app.dir()).filePath(expected));
    QVERIFY(form.ADOConnection1->isOpen());
}

void TestStartup::missingDatabaseEndsTheProgram() {
    TestApp app;
    QFile::remove(app.dbPath());
    writeIni(app.dir(), "[CONFIG]\nfilenamedb=/no/such/file.mdb\n");
    TForm1& form = app.start();
    QVERIFY(form.terminated());
    QCOMPARE(app.boxes.shown.size(), 1);
    QCOMPARE(app.boxes.shown.first().text, QStringLiteral("Не найдет файл базы данных MS Access!"));
    QCOMPARE(app.boxes.shown.first().caption, QStringLiteral("Подключение в БД"));
    QCOMPARE(app.boxes.shown.first().icon, BoxIcon::Error);
    // Opening never creates the missing file.
    QVERIFY(!QFile::exists(app.dbPath()));
}

void TestStartup::notADatabaseEndsTheProgram() {
    TestApp app;
    QFile::remove(app.dbPath());
    QFile junk(app.dbPath());
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    TForm1& form = app.start();
    QVERIFY(form.terminated());
    QCOMPARE(app.boxes.shown.first().caption, QStringLiteral("Подключение в БД"));
}

void TestStartup::startsOnNewestDraw() {
    TestApp app;
    app.addDraw(7, {5, 1, 2, 3, 4, 6});
    app.addDraw(9, {44, 3, 11, 17, 25, 40});
    app.addDraw(8, {10, 11, 12, 13, 14, 15});
    app.sql(QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES "
                           "(9, 1, 2, 3, 4, 5, 6), (8, 7, 7, 7, 7, 7, 7)"));
    TForm1& form = app.start();
    QVERIFY(!form.terminated());
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 9);
    QCOMPARE(form.StatusBar1->panelText(1), QStringLiteral("3"));
    QCOMPARE(litBalls(form), (QList<int>{3, 11, 17, 25, 40, 44}));
    QCOMPARE(form.ADOQuery3->recordCount(), 1);
    QCOMPARE(form.ADOQuery4->recordCount(), 49);
    // The icon comes with the program, not from an installed theme.
    QVERIFY(!form.windowIcon().pixmap(QSize(32, 32)).isNull());
}

void TestStartup::foreignFileRefusedAndLeftAlone_data() {
    QTest::addColumn<QString>("drop");
    QTest::newRow("no draws table") << "DROP TABLE razyg";
    QTest::newRow("no bets table") << "DROP TABLE Rate";
}

void TestStartup::foreignFileRefusedAndLeftAlone() {
    QFETCH(QString, drop);
    TestApp app;
    app.sql(drop);
    QFile file(app.dbPath());
    const auto bytes = [&] {
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    file.close();
    TForm1& form = app.start();
    QVERIFY(form.terminated());
    QCOMPARE(app.boxes.texts(),
             QStringList{QStringLiteral("Файл «%1» не является базой данных программы: в нём нет "
                                        "таблиц razyg и Rate. Файл оставлен без изменений.")
                             .arg(app.dbPath())});
    QCOMPARE(bytes(), before);
}

void TestStartup::otherGameRefusedAndLeftAlone() {
    TestApp app;
    QFile::remove(app.dbPath());
    Lottery::Game game = Lottery::Game::parse(QStringLiteral("5/45+1/20"));
    game.setName(QStringLiteral("Лото"));
    DatabaseSetup::createDatabase(app.dbPath(), game);
    QFile file(app.dbPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    TForm1& form = app.start();
    QVERIFY(form.terminated());
    QCOMPARE(app.boxes.texts(),
             QStringList{QStringLiteral("База данных «%1» — игры «Лото» (5 из 45 + 1 из 20). Окно "
                                        "программы пока работает только с играми «6 из 49»; эту "
                                        "базу ведите командой numeron-cli (справка: numeron-cli "
                                        "help). Файл оставлен без изменений.")
                             .arg(app.dbPath())});
    QCOMPARE(app.boxes.shown.first().caption, QStringLiteral("Подключение в БД"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestStartup::wheelRows_data() {
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("rows");
    QTest::newRow("+120 one up") << 120 << -1;
    QTest::newRow("-360 three down") << -360 << 3;
    QTest::newRow("+240 two up") << 240 << -2;
    QTest::newRow("+60 none") << 60 << 0;
    QTest::newRow("-90 none") << -90 << 0;
    QTest::newRow("-239 one down") << -239 << 1;
}

void TestStartup::wheelRows() {
    QFETCH(int, delta);
    QFETCH(int, rows);
    QCOMPARE(::wheelRows(delta), rows);
}

void TestStartup::wheelMovesTheDrawList_data() {
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("endRow");
    QTest::newRow("first row, +120 stays") << 0 << 120 << 0;
    QTest::newRow("-360 from the top") << 0 << -360 << 3;
    QTest::newRow("+240 from row 3") << 3 << 240 << 1;
    QTest::newRow("+60 does not move") << 2 << 60 << 2;
    QTest::newRow("past the end stops") << 3 << -1200 << 4;
}

void TestStartup::wheelMovesTheDrawList() {
    QFETCH(int, startRow);
    QFETCH(int, delta);
    QFETCH(int, endRow);
    TestApp app;
    for (int t = 1; t <= 5; ++t)
        app.addDraw(t, {t, t + 1, t + 2, t + 3, t + 4, t + 5});
    TForm1& form = app.start();
    form.ADOQuery1->setRecNo(startRow);
    QWidget* viewport = form.DBGrid1->viewport();
    const QPoint at(20, 20);
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
    QCOMPARE(form.ADOQuery1->recNo(), endRow);
    QCOMPARE(form.ADOQuery1->asInteger(QStringLiteral("tir")), 5 - endRow);
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestStartup::wheelOnEveryPartOfTheGrid_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("endRow"); // from row 10
    QTest::newRow("cells") << "cells" << -360 << 13;
    QTest::newRow("vertical scroll bar") << "vertical scroll bar" << -360 << 13;
    QTest::newRow("vertical scroll bar, less than a notch") << "vertical scroll bar" << -119 << 10;
    QTest::newRow("horizontal scroll bar") << "horizontal scroll bar" << 120 << 9;
    QTest::newRow("title row") << "title row" << -240 << 12;
    QTest::newRow("row indicator") << "row indicator" << 120 << 9;
    QTest::newRow("corner") << "corner" << -120 << 11;
    QTest::newRow("grid frame") << "grid frame" << 240 << 8;
}

void TestStartup::wheelOnEveryPartOfTheGrid() {
    QFETCH(QString, part);
    QFETCH(int, delta);
    QFETCH(int, endRow);
    TestApp app;
    for (int t = 1; t <= 40; ++t)
        app.addDraw(t, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    DbGrid* grid = form.DBGrid1;
    QWidget* target = gridPart(grid, part);
    QVERIFY(target);
    form.ADOQuery1->setRecNo(10);
    const int scrolled = grid->verticalScrollBar()->value();
    QVERIFY(grid->verticalScrollBar()->maximum() > 0);
    const QPointF at(2, 2);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &wheel);
    QCOMPARE(form.ADOQuery1->recNo(), endRow);
    QCOMPARE(grid->currentIndex().row(), endRow);
    if (endRow == 10)
        QCOMPARE(grid->verticalScrollBar()->value(), scrolled); // the grid itself never scrolls
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestStartup::wheelWithClosedListShowsStandardError() {
    TestApp app;
    TForm1& form = app.start();
    form.ADOQuery1->close();
    QWidget* viewport = form.DBGrid1->viewport();
    QWheelEvent wheel(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
    QCOMPARE(app.boxes.shown.size(), 1);
    const BoxRequest& box = app.boxes.shown.first();
    QCOMPARE(box.icon, BoxIcon::Error);
    QCOMPARE(box.caption, applicationTitle());
    QVERIFY(box.text.contains(QLatin1String("closed dataset")));
    QVERIFY(box.text.endsWith(QLatin1Char('.')));
}

void TestStartup::standardErrorText_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("full stop added") << "no such table: razyg"
                                     << "no such table: razyg.";
    QTest::newRow("ends with a full stop") << "Done."
                                           << "Done.";
    QTest::newRow("ends with !") << "Ошибка!"
                                 << "Ошибка!";
    QTest::newRow("ends with a quote") << "'x' is not a valid integer value"
                                       << "'x' is not a valid integer value.";
    QTest::newRow("ends with ?") << "Why?"
                                 << "Why?";
}

void TestStartup::standardErrorText() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    TestApp app;
    TForm1& form = app.start();
    // An error escaping a handler reaches the standard error box.
    form.dispatch([&] { throw AppError(message); });
    QCOMPARE(app.boxes.shown.size(), 1);
    QCOMPARE(app.boxes.shown.first().text, shown);
    QCOMPARE(app.boxes.shown.first().owner, static_cast<QWidget*>(&form));
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
