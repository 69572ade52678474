// libFuzzer target for CSV draw histories (numeron-cli import and update of a
// .csv): the input is a file's bytes, read for three games, with the columns
// found and with a column list. Besides the sanitizers, the target checks
// what the reader promises: every row kept is a draw of the game (a valid
// date, K distinct balls 1..N and K2 of 1..N2, a draw number from 1 exactly
// when the file has them), rows of a file without numbers come in date order,
// and the rows kept all lie on one side of the row that stopped the reading.
#include "game/Game.h"
#include "history/CsvHistory.h"
#include "history/HistoryColumns.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

void checkDrum(const Lottery::Numbers& balls, int k, int n) {
    check(balls.size() == k);
    check(balls.set().count() == k);
    for (const quint8 ball : balls)
        check(ball >= 1 && ball <= n);
}

void readAs(const QByteArray& bytes, const Lottery::Game& game,
            const std::vector<HistoryColumns::Column>& columns) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    History::Limits limits;
    limits.maxRows = 2000; // small, so that the limit is reached too
    limits.maxLineBytes = 512;
    History::CsvHistory history;
    try {
        history = History::readCsvHistory(buffer, game, columns, limits);
    } catch (const History::CsvError&) {
        return;
    }
    QDate previous;
    int before = 0, after = 0; // rows above and below the stopping row
    for (const History::Row& row : history.rows) {
        if (history.stop) {
            check(row.line != history.stop->line);
            (row.line < history.stop->line ? before : after) += 1;
        }
        check(row.draw.date.isValid());
        check(history.numbered == (row.draw.tir >= 1));
        checkDrum(row.draw.drawn, game.k(), game.n());
        checkDrum(row.draw.secondDrawn, game.k2(), game.n2());
        if (!history.numbered) {
            check(!previous.isValid() || previous <= row.draw.date);
            previous = row.draw.date;
        }
    }
    check(before == 0 || after == 0);
    check(!history.numbered || after == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const Lottery::Game sixFromFortyNine;
    static const Lottery::Game fiveFromThirtySix = Lottery::Game::make(5, 36);
    static const Lottery::Game twoDrums = Lottery::Game::make(5, 45, 1, 20);
    static const std::vector<HistoryColumns::Column> given = HistoryColumns::parseList(
        QStringLiteral("tir,date,b1,b2,b3,b4,b5,x1,prize5+1,-"), twoDrums);
    readAs(bytes, sixFromFortyNine, {});
    readAs(bytes, fiveFromThirtySix, {});
    readAs(bytes, twoDrums, {});
    readAs(bytes, twoDrums, given);
    return 0;
}
