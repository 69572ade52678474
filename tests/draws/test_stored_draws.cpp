// The stored draws of a two-drum game read back: both drums sorted and in
// drawn order, prizes and winners by category, dates, malformed rows flagged,
// a repeated draw number kept or left out.
#include "dataset/Connection.h"
#include "draws/StoredDraws.h"
#include "schema/GameRecord.h"
#include "schema/GameSchema.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// "tir | main (drawn) | second (drawn) | ok or malformed | category:winners/prize ... | date"
QString describe(const Draws::History& h, qint64 i) {
    const Draws::StoredDraw& d = h.draws[size_t(i)];
    QStringList paid;
    for (int c = 0; c < int(h.game.categories().size()); ++c)
        if (h.prize(i, c) || h.winnersOf(i, c))
            paid.append(h.game.categories()[size_t(c)].key() + u':' +
                        QString::number(h.winnersOf(i, c).value_or(-1)) + u'/' +
                        QString::number(h.prize(i, c).value_or(-1)));
    const auto drum = [&](const Lottery::Numbers& sorted, Draws::OrderKind kind,
                          const Lottery::Numbers& drawn) -> QString {
        if (h.orders.empty())
            return sorted.text();
        return sorted.text() + (kind == Draws::OrderKind::Valid       ? u" (" + drawn.text() + u')'
                                : kind == Draws::OrderKind::Malformed ? u" (bad)"_s
                                                                      : QString());
    };
    const Draws::DrawnOrder order = h.orders.empty() ? Draws::DrawnOrder() : h.orders[size_t(i)];
    return QString::number(d.tir) + u" | " + drum(d.main, order.mainKind, order.main) + u" | " +
           drum(h.secondOf(i), order.secondKind, order.second) + u" | " +
           (h.wellFormed(i) ? u"ok"_s : u"malformed"_s) + u" | " + paid.join(u' ') +
           (h.prizesStored(i) ? u" paid"_s : QString()) + u" | " +
           (h.dates.empty() ? QString() : h.dates[size_t(i)].toString(Qt::ISODate));
}

} // namespace

class TestStoredDraws : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoDrums_data() {
        QTest::addColumn<bool>("everything"); // drawn order, prizes, winners, dates; repeats out
        QTest::addColumn<QStringList>("draws");
        QTest::addColumn<qint64>("malformed");
        QTest::newRow("everything")
            << true
            << QStringList{u"1 | 1 2 3 4 5 (5 1 4 2 3) | 20 (20) | ok | 5+1:0/50000000 5:2/250000 "
                           u"3:1/300 paid | 2024-01-06"_s,
                           u"2 | 1 2 3 4 | 7 | malformed | 3:-1/0 paid | "_s,
                           u"3 | 10 11 12 13 14 (bad) |  | malformed |  | "_s,
                           u"5 | 1 2 3 4 5 (bad) | 3 (bad) | ok |  | "_s}
            << qint64(2);
        QTest::newRow("balls only, repeats kept")
            << false
            << QStringList{u"1 | 1 2 3 4 5 | 20 | ok |  | "_s,
                           u"2 | 1 2 3 4 | 7 | malformed |  | "_s,
                           u"3 | 10 11 12 13 14 |  | malformed |  | "_s,
                           u"5 | 1 2 3 4 5 | 3 | ok |  | "_s, u"5 | 6 7 8 9 10 | 1 | ok |  | "_s}
            << qint64(2);
    }
    void twoDrums() {
        QFETCH(bool, everything);
        QFETCH(QStringList, draws);
        QFETCH(qint64, malformed);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"draws.db"_s);
        const Lottery::Game game = Lottery::Game::parse(u"5/45+1/20"_s);
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, GameSchema::createTables(game).toUtf8().constData(), nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
        GameRecord::write(db, game);
        // Stored out of order. Draw 2: a ball written twice; 3: no second
        // drum (21 is no ball of 1..20) and a drawn order of other balls; 5
        // twice, the first with orders partly empty; a row without a number.
        const char* rows =
            "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, ss1, ss2, ss3, ss4, ss5, x1, xx1, "
            "ch5p1, chv5p1, ch5, chv5, ch3, chv3, tirdate) VALUES "
            "(5, 1, 2, 3, 4, 5, 1, 2, NULL, 4, 5, 3, 0, NULL, NULL, NULL, NULL, NULL, NULL, "
            "NULL),"
            "(3, 10, 11, 12, 13, 14, 10, 11, 12, 13, 15, 21, NULL, NULL, NULL, NULL, NULL, NULL, "
            "NULL, '6.1.2024'),"
            "(1, 5, 4, 3, 2, 1, 5, 1, 4, 2, 3, 20.0, 20, 0, 50000000, '2', 250000.4, 1, ' 300', "
            "'2024-01-06'),"
            "(2, 1, 1, 2, 3, 4, NULL, NULL, NULL, NULL, NULL, 7, NULL, NULL, NULL, NULL, NULL, "
            "NULL, 0, NULL),"
            "(5, 6, 7, 8, 9, 10, NULL, NULL, NULL, NULL, NULL, 1, NULL, NULL, NULL, NULL, NULL, "
            "NULL, NULL, NULL),"
            "(NULL, 1, 2, 3, 4, 5, NULL, NULL, NULL, NULL, NULL, 1, NULL, NULL, NULL, NULL, NULL, "
            "NULL, NULL, NULL)";
        QCOMPARE(sqlite3_exec(db, rows, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);

        Connection connection(u"draws-test"_s);
        connection.open(path);
        Draws::Request request;
        request.drawnOrder = request.prizes = request.winners = request.dates =
            request.dropRepeatedNumbers = everything;
        const Draws::History history = Draws::read(connection, request);
        QVERIFY(history.game.sameRules(game));
        QStringList read;
        for (qint64 i = 0; i < history.size(); ++i)
            read.append(describe(history, i));
        QCOMPARE(read, draws);
        QCOMPARE(history.malformed, malformed);
        QCOMPARE(history.repeated, qint64(everything ? 1 : 0));
        QCOMPARE(history.firstAtOrAfter(4), qint64(3));
    }
};

QTEST_GUILESS_MAIN(TestStoredDraws)
#include "test_stored_draws.moc"
