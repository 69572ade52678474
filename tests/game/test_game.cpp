// The game library: games and categories as written, exact counts and chances
// against closed forms, the hot and cold ranking, ticket files of any game.

#include "game/Game.h"
#include "game/HotCold.h"
#include "game/Odds.h"
#include "game/TicketFile.h"

#include <QtTest>

using namespace Lottery;
using namespace Qt::StringLiterals;

class TestGame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("categories"); // empty: "text" is refused
        QTest::addColumn<QString>("shown");      // the display name, or the message's start
        QTest::newRow("6/49") << u"6/49"_s << u"6,5,4,3"_s << u"6 из 49"_s;
        QTest::newRow("blanks, из") << u" 5 из 36 "_s << u"5,4,3"_s << u"5 из 36"_s;
        QTest::newRow("two drums")
            << u"5/45+1/20"_s << u"5+1,5,4+1,4,3+1,3"_s << u"5 из 45 + 1 из 20"_s;
        QTest::newRow("4 of 20 twice") << u"4/20 + 4/20"_s
                                       << u"4+4,4+3,4+2,4+1,4,3+4,3+3,3+2,3+1,"
                                          u"3,2+4,2+3,2+2,2+1,2"_s
                                       << u"4 из 20 + 4 из 20"_s;
        QTest::newRow("7/90") << u"7/90"_s << u"7,6,5,4"_s << u"7 из 90"_s;
        QTest::newRow("empty") << QString() << QString() << u"не указана игра"_s;
        QTest::newRow("words") << u"lotto"_s << QString() << u"«lotto» — не игра"_s;
        QTest::newRow("K too small")
            << u"2/10"_s << QString() << u"в основном барабане вытягивается от 3 до 7"_s;
        QTest::newRow("K = N") << u"6/6"_s << QString() << u"шаров в основном барабане"_s;
        QTest::newRow("N over 90") << u"5/91"_s << QString() << u"шаров в основном"_s;
        QTest::newRow("huge number") << u"5/99999999999"_s << QString() << u"«5/9999"_s;
        QTest::newRow("K2 above K") << u"3/20+4/20"_s << QString() << u"во втором барабане"_s;
        QTest::newRow("K2 zero") << u"5/36+0/4"_s << QString() << u"во втором барабане"_s;
        QTest::newRow("N2 = K2") << u"5/36+1/1"_s << QString() << u"шаров во втором"_s;
        QTest::newRow("three drums") << u"5/36+1/4+1/4"_s << QString() << u"«5/36+1/4+1/4» — не"_s;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(QString, categories);
        QFETCH(QString, shown);
        try {
            const Game game = Game::parse(text);
            QVERIFY2(!categories.isEmpty(), "accepted");
            QCOMPARE(game.displayName(), shown);
            QCOMPARE(game.categoriesText(), categories);
            QCOMPARE(Game::parse(game.code()).displayName(), shown);
            QCOMPARE(game.isSixFromFortyNine(), text == u"6/49"_s);
        } catch (const GameError& e) {
            QVERIFY2(categories.isEmpty() && e.message().startsWith(shown),
                     qPrintable(e.message()));
        }
    }

    void categories_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("expected"); // as read back, or the message's start
        QTest::newRow("sorted best first") << u"6/49"_s << u"3;6 4,5 2"_s << u"6,5,4,3,2"_s;
        QTest::newRow("m is m+0") << u"5/50+2/12"_s << u"5+2,2+1,5,5+0"_s
                                  << u"категория «5» указана"_s;
        QTest::newRow("pairs") << u"5/50+2/12"_s << u"2+1,5+2,5"_s << u"5+2,5,2+1"_s;
        QTest::newRow("pair in one drum") << u"5/36"_s << u"4+1"_s << u"категория «4+1»: в игре"_s;
        QTest::newRow("above K") << u"5/36"_s << u"6"_s << u"категории «6» в игре"_s;
        QTest::newRow("above K2") << u"5/45+1/20"_s << u"5+2"_s << u"категории «5+2»"_s;
        QTest::newRow("nothing matched") << u"5/36"_s << u"0"_s << u"категория «0»"_s;
        QTest::newRow("none") << u"5/36"_s << u" , "_s << u"не указано ни одной"_s;
        QTest::newRow("not a number") << u"5/36"_s << u"5,x"_s << u"«x» — не категория"_s;
    }
    void categories() {
        QFETCH(QString, game);
        QFETCH(QString, list);
        QFETCH(QString, expected);
        Game g = Game::parse(game);
        try {
            g.setCategories(g.parseCategories(list));
            QCOMPARE(g.categoriesText(), expected);
        } catch (const GameError& e) {
            QVERIFY2(e.message().startsWith(expected), qPrintable(e.message()));
        }
    }

    // Binomials and chances against closed forms worked out by hand.
    void chances_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("category");
        QTest::addColumn<double>("ways"); // for one ticket, out of `of`
        QTest::addColumn<double>("of");
        // 5 из 36: C(36,5) = 376,992; four of five: 5 · 31.
        QTest::newRow("5/36, 5") << u"5/36"_s << u"5"_s << 1.0 << 376992.0;
        QTest::newRow("5/36, 4") << u"5/36"_s << u"4"_s << 155.0 << 376992.0;
        QTest::newRow("5/36, 3") << u"5/36"_s << u"3"_s << 10.0 * 465 << 376992.0;
        // 6 из 49: three of six, C(6,3)·C(43,3) = 20 · 12,341.
        QTest::newRow("6/49, 3") << u"6/49"_s << u"3"_s << 246820.0 << 13983816.0;
        // 5 из 45 + 1 из 20: C(45,5) = 1,221,759, the second ball 1 in 20.
        QTest::newRow("two drums, 5+1") << u"5/45+1/20"_s << u"5+1"_s << 1.0 << 1221759.0 * 20;
        QTest::newRow("two drums, 5") << u"5/45+1/20"_s << u"5"_s << 19.0 << 1221759.0 * 20;
        QTest::newRow("two drums, 4+1") << u"5/45+1/20"_s << u"4+1"_s << 5.0 * 40 << 1221759.0 * 20;
        // 5 из 50 + 2 из 12: C(50,5) = 2,118,760, C(12,2) = 66; "3+1": 10 · 990 · 2 · 10.
        QTest::newRow("5/50+2/12, 3+1")
            << u"5/50+2/12"_s << u"3+1"_s << 10.0 * 990 * 20 << 2118760.0 * 66;
    }
    void chances() {
        QFETCH(QString, game);
        QFETCH(QString, category);
        QFETCH(double, ways);
        QFETCH(double, of);
        const Game g = Game::parse(game);
        const Category c = g.parseCategories(category).front();
        QCOMPARE(categoryChance(g, c), ways / of);
        // Over every pair of match counts the chances add up to one.
        double total = 0;
        for (int m = 0; m <= g.k(); ++m)
            for (int s = 0; s <= g.k2(); ++s)
                total += categoryChance(g, {m, s});
        QVERIFY(qAbs(total - 1.0) < 1e-12);
    }
    void binomials() {
        QCOMPARE(binomial(90, 7), std::optional<quint64>(7471375560ULL));
        QCOMPARE(binomial(67, 33), std::optional<quint64>(14226520737620288370ULL));
        QCOMPARE(binomial(68, 34), std::nullopt); // 28,453,041,475,240,576,740 > 2^64
        QCOMPARE(binomial(90, 45), std::nullopt);
        QCOMPARE(binomial(5, 6), std::optional<quint64>(0));
        QCOMPARE(combinations(Game::parse(u"7/49"_s)), quint64(85900584));
    }

    // Ten balls; ties broken by the delay, then by the lower number.
    void hotAndCold_data() {
        QTest::addColumn<QList<int>>("hits"); // balls 1..10
        QTest::addColumn<QList<int>>("delay");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("hottest"); // the whole ranking
        QTest::addColumn<QList<int>>("hot");
        QTest::addColumn<QList<int>>("cold");
        const QList<int> hits{3, 5, 5, 1, 0, 5, 2, 1, 0, 4};
        const QList<int> delay{1, 2, 0, 4, 9, 0, 3, 4, 7, 1};
        QTest::newRow("ties") << hits << delay << 3 << QList<int>{3, 6, 2, 10, 1, 7, 4, 8, 9, 5}
                              << QList<int>{2, 3, 6} << QList<int>{4, 5, 9};
        QTest::newRow("count held to N/2")
            << hits << delay << 8 << QList<int>{3, 6, 2, 10, 1, 7, 4, 8, 9, 5}
            << QList<int>{1, 2, 3, 6, 10} << QList<int>{4, 5, 7, 8, 9};
        QTest::newRow("all alike")
            << QList<int>(10, 2) << delay << 3 << QList<int>{3, 6, 1, 10, 2, 7, 4, 8, 9, 5}
            << QList<int>{} << QList<int>{};
    }
    void hotAndCold() {
        QFETCH(QList<int>, hits);
        QFETCH(QList<int>, delay);
        QFETCH(int, count);
        QFETCH(QList<int>, hottest);
        QFETCH(QList<int>, hot);
        QFETCH(QList<int>, cold);
        BallHeat heat(10);
        for (int b = 1; b <= 10; ++b) {
            heat.hits[size_t(b)] = hits[b - 1];
            heat.delay[size_t(b)] = delay[b - 1];
        }
        const std::vector<int> ranking = rankBalls(heat, Heat::Hottest);
        QCOMPARE(QList<int>(ranking.begin(), ranking.end()), hottest);
        const auto list = [](BallSet set) {
            QList<int> balls;
            set.forEach([&](int b) { balls.append(b); });
            return balls;
        };
        const HotCold marked = markHotCold(heat, count);
        QCOMPARE(list(marked.hot), hot);
        QCOMPARE(list(marked.cold), cold);
    }

    void ticketFiles_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error"); // the start of the message; empty: read
        QTest::addColumn<QString>("first"); // the first ticket read
        const QString two = u"5/45+1/20"_s;
        QTest::newRow("6/49 CSV") << u"6/49"_s
                                  << QByteArray("ticket,b1,b2,b3,b4,b5,b6\r\n1,6,5,4,3,2,1\r\n")
                                  << QString() << u"1 2 3 4 5 6"_s;
        QTest::newRow("6/49 five numbers")
            << u"6/49"_s << QByteArray("1 2 3 4 5 6\n1 2 3 4 5\n")
            << u"Строка 2: нужно шесть чисел, а найдено 5"_s << QString();
        QTest::newRow("6/49 no label")
            << u"6/49"_s << QByteArray("ticket,b1,b2,b3,b4,b5,b6\n1,2,3,4,5,6\n")
            << u"Строка 2: нужно семь полей: номер билета и шесть чисел"_s << QString();
        QTest::newRow("quoted header, fields")
            << two
            << QByteArray("\"ticket\";\"b1\";\"b2\";\"b3\";\"b4\";\"b5\";\"x1\"\n\"A; "
                          "1\";45;1;2;3;4;\"20\"\n")
            << QString() << u"1 2 3 4 45 | 20"_s;
        QTest::newRow("plain with +")
            << two << QByteArray("5 4 3 2 1 + 7\n") << QString() << u"1 2 3 4 5 | 7"_s;
        QTest::newRow("own CSV without header")
            << two << QByteArray("1,5,4,3,2,1,7\r\n") << QString() << u"1 2 3 4 5 | 7"_s;
        QTest::newRow("second out of range")
            << two << QByteArray("1 2 3 4 5 21\n")
            << u"Строка 1: «21» — не число от 1 до 20 (второй"_s << QString();
        QTest::newRow("wrong count")
            << two << QByteArray("1 2 3 4 5\n")
            << u"Строка 1: нужно шесть чисел (5 и 1 второго барабана)"_s << QString();
        QTest::newRow("a header of another game")
            << two << QByteArray("ticket,b1,b2,b3,b4,b5,b6\n1,1,2,3,4,5,6\n")
            << u"Строка 1: заголовок не для игры «5 из 45 + 1 из 20»"_s << QString();
        QTest::newRow("main repeated") << u"5/36"_s << QByteArray("1 2 3 3 5\n")
                                       << u"Строка 1: число 3 повторяется"_s << QString();
        QTest::newRow("two-drum JSON")
            << two
            << QByteArray("[{\"x1\": \"20\", \"b1\": 9, \"b2\": 8, \"b3\": 7, \"b4\": 6, "
                          "\"b5\": 45, \"ticket\": \"a\"}]")
            << QString() << u"6 7 8 9 45 | 20"_s;
        QTest::newRow("JSON second out of range")
            << two
            << QByteArray("[\n{\"b1\": 1, \"b2\": 2, \"b3\": 3, \"b4\": 4, \"b5\": 5, \"x1\": 21}]")
            << u"Строка 2: x1: «21» — не число от 1 до 20 (второй барабан)"_s << QString();
        QTest::newRow("5/36 JSON without b5")
            << u"5/36"_s << QByteArray("[{\"b1\": 1, \"b2\": 2, \"b3\": 3, \"b4\": 4}]")
            << u"Строка 1: у билета нет поля «b5»"_s << QString();
        QTest::newRow("7/49 label over two lines")
            << u"7/49"_s
            << QByteArray("ticket,b1,b2,b3,b4,b5,b6,b7\r\n\"A,\r\nB\",7,6,5,4,3,2,49\r\n")
            << QString() << u"2 3 4 5 6 7 49"_s;
    }
    void ticketFiles() {
        QFETCH(QString, game);
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        QFETCH(QString, first);
        const Game g = Game::parse(game);
        std::vector<Ticket> tickets;
        const QString message = parseTickets(file, g, &tickets);
        QVERIFY2(message.startsWith(error) && message.isEmpty() == error.isEmpty(),
                 qPrintable(message));
        if (first.isEmpty())
            return;
        const Ticket& t = tickets.front();
        QCOMPARE(t.main.text() + (t.second.isEmpty() ? QString() : u" | "_s + t.second.text()),
                 first);
        // What the writer makes, the reader reads back.
        for (const auto format : {TicketWriter::Format::Csv, TicketWriter::Format::Json}) {
            const QByteArray text = ticketsText(tickets, g, format);
            std::vector<Ticket> again;
            if (format == TicketWriter::Format::Csv) {
                QVERIFY(text.startsWith(QByteArray(ticketHeader(g) + "\r\n1,")));
                QCOMPARE(parseTickets(text, g, &again), QString());
                QVERIFY(again == tickets);
            } else {
                QVERIFY2(text.startsWith("[\n  {\"ticket\": 1, \"b1\": "), text.constData());
                QCOMPARE(text.contains("\"x1\": "), g.hasSecondDrum());
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestGame)
#include "test_game.moc"
