// A database holds its game: made for a game, it opens as that game; one of
// another game than 6 из 49 is refused where only 6 из 49 is honoured; a
// damaged record refuses the file and leaves it as it was; a database is
// never made over an existing file.

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "game/Game.h"
#include "schema/GameSchema.h"
#include "startup/DatabaseSetup.h"
#include "startup/Startup.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void exec(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

QString columnsOf(Connection& connection, const QString& table) {
    QStringList names;
    Statement info(connection,
                   u"SELECT name FROM pragma_table_info('%1') WHERE name != 'id'"_s.arg(table));
    while (info.step())
        names.append(info.value(0).toString());
    return names.join(u',');
}

} // namespace

class TestGameDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("categories"); // empty: the default
        QTest::addColumn<QString>("draws");      // the columns of razyg; empty: not checked
        QTest::newRow("6/49, as always")
            << u"6/49"_s << QString() << QString()
            << u"tir,s1,s2,s3,s4,s5,s6,ss1,ss2,ss3,ss4,ss5,ss6,ch6,ch5,"
               u"ch4,ch3,chv6,chv5,chv4,chv3,djp,pfond,tirdate"_s;
        QTest::newRow("6/49 with a name") << u"6/49"_s << u"Спортлото"_s << QString() << QString();
        QTest::newRow("6/49 paying for two")
            << u"6/49"_s << QString() << u"6,5,4,3,2"_s << QString();
        QTest::newRow("5/36") << u"5/36"_s << QString() << QString()
                              << u"tir,s1,s2,s3,s4,s5,ss1,ss2,ss3,ss4,ss5,ch5,ch4,ch3,chv5,chv4,"
                                 u"chv3,djp,pfond,tirdate"_s;
        QTest::newRow("two drums, own categories")
            << u"5/45+1/20"_s << u"«Лото» 'x'; --"_s << u"5+1,5,4+1"_s
            << u"tir,s1,s2,s3,s4,s5,ss1,ss2,ss3,ss4,ss5,x1,xx1,ch5p1,ch5,ch4p1,chv5p1,chv5,chv4p1,"
               u"djp,pfond,tirdate"_s;
    }
    void roundTrip() {
        QFETCH(QString, game);
        QFETCH(QString, name);
        QFETCH(QString, categories);
        QFETCH(QString, draws);
        Lottery::Game made = Lottery::Game::parse(game);
        made.setName(name);
        if (!categories.isEmpty())
            made.setCategories(made.parseCategories(categories));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"game.db"_s);
        DatabaseSetup::createDatabase(path, made);
        Connection connection(u"test"_s);
        const Lottery::Game read = Startup::openDatabase(connection, path, Startup::Games::Any);
        QVERIFY(read.sameRules(made));
        QCOMPARE(read.name(), made.name());
        QCOMPARE(columnsOf(connection, u"game"_s).isEmpty(), !GameSchema::recordsGame(made));
        if (!draws.isEmpty())
            QCOMPARE(columnsOf(connection, u"razyg"_s), draws);
        QCOMPARE(columnsOf(connection, u"Rate"_s), GameSchema::betColumns(made).join(u','));
        connection.close();
        // The window's opening: 6 из 49 alone.
        const QByteArray before = bytesOf(path);
        try {
            Startup::openDatabase(connection, path);
            QVERIFY(made.isSixFromFortyNine());
        } catch (const Startup::OtherGameDatabase& e) {
            QVERIFY(!made.isSixFromFortyNine());
            QVERIFY2(e.message().contains(u"— игры «"_s + made.name()) &&
                         e.message().contains(u"numeron-cli"_s),
                     qPrintable(e.message()));
            QVERIFY(!connection.isOpen());
        }
        QCOMPARE(bytesOf(path), before);
    }

    void damagedRecord_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no row") << u"DELETE FROM game"_s << u"таблица game пуста"_s;
        QTest::newRow("two rows") << u"INSERT INTO game SELECT * FROM game"_s
                                  << u"в таблице game больше одной строки"_s;
        QTest::newRow("no game") << u"UPDATE game SET k = 9"_s
                                 << u"таблица game описывает не игру"_s;
        QTest::newRow("bad categories") << u"UPDATE game SET categories = '6'"_s
                                        << u"таблица game описывает не игру: категории «6»"_s;
        QTest::newRow("a column missing") << u"ALTER TABLE razyg DROP COLUMN chv3"_s
                                          << u"в таблице razyg нет столбцов игры «5 из 36»"_s;
        QTest::newRow("a game over narrow tables")
            << u"UPDATE game SET k = 7, n = 49"_s << u"в таблице razyg нет столбцов"_s;
    }
    void damagedRecord() {
        QFETCH(QString, sql);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"game.db"_s);
        DatabaseSetup::createDatabase(path, Lottery::Game::parse(u"5/36"_s));
        exec(path, sql);
        const QByteArray before = bytesOf(path);
        Connection connection(u"test"_s);
        try {
            Startup::openDatabase(connection, path, Startup::Games::Any);
            QFAIL("opened");
        } catch (const Startup::OtherGameDatabase&) {
            QFAIL("taken for another game");
        } catch (const Startup::NotProgramDatabase& e) {
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
        QVERIFY(!connection.isOpen());
        QCOMPARE(bytesOf(path), before);
    }

    void neverOverAFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"mine.db"_s);
        for (const QByteArray& content : {QByteArray("my notes"), QByteArray()}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            file.close();
            QVERIFY_THROWS_EXCEPTION(DatabaseSetup::FileExists,
                                     DatabaseSetup::createDatabase(path, Lottery::Game()));
            QCOMPARE(bytesOf(path), content);
        }
        const QString nowhere = dir.filePath(u"no/such/folder.db"_s);
        QVERIFY_THROWS_EXCEPTION(AppError, DatabaseSetup::createDatabase(nowhere, Lottery::Game()));
        QVERIFY(!QFile::exists(nowhere));
    }
};

QTEST_GUILESS_MAIN(TestGameDatabase)
#include "test_game_database.moc"
