#include "update/CsvImport.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "game/BallSet.h"
#include "history/CsvHistory.h"
#include "schema/GameSchema.h"
#include "update/ImportBatch.h"

#include <QFile>
#include <QStringList>
#include <limits>
#include <sqlite3.h>
#include <unordered_set>

namespace CsvImport {

namespace {

// A draw as "the same draw" compares: its date and its balls.
struct DrawKey {
    qint64 day = 0;
    Lottery::BallSet main;
    Lottery::BallSet second;
    bool operator==(const DrawKey& other) const {
        return day == other.day && main == other.main && second == other.second;
    }
};

struct DrawKeyHash {
    size_t operator()(const DrawKey& key) const {
        quint64 h = quint64(key.day) * 0x9E3779B97F4A7C15ULL;
        for (const quint64 word :
             {key.main.low(), key.main.high(), key.second.low(), key.second.high()})
            h = (h ^ word) * 0xBF58476D1CE4E5B9ULL + (h >> 29);
        return size_t(h);
    }
};

DrawKey keyOf(const Lottery::Draw& draw) {
    return {draw.date.toJulianDay(), draw.drawn.set(), draw.secondDrawn.set()};
}

// YYYY-MM-DD, as the dataset binds a date, without a QString per row.
QByteArray isoDate(const QDate& date) {
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    char text[10];
    for (int i = 3; i >= 0; --i, year /= 10)
        text[i] = char('0' + year % 10);
    text[4] = text[7] = '-';
    text[5] = char('0' + month / 10);
    text[6] = char('0' + month % 10);
    text[8] = char('0' + day / 10);
    text[9] = char('0' + day % 10);
    return QByteArray(text, 10);
}

// Stores draws with the columns the file gives, through one statement
// prepared once.
class DrawInserter {
public:
    DrawInserter(Connection& connection, const Lottery::Game& game,
                 const History::CsvHistory& history)
        : m_insert(connection, insertText(game, history)) {}

    void insert(const Lottery::Draw& draw) {
        m_insert.reset();
        int column = 0;
        m_insert.bindInt64(++column, draw.tir);
        m_insert.bindText(++column, isoDate(draw.date));
        const Lottery::Numbers sorted = draw.drawn.sorted();
        for (int i = 0; i < sorted.size(); ++i) {
            m_insert.bindInt64(++column, sorted[i]);
            m_insert.bindInt64(++column, draw.drawn[i]);
        }
        const Lottery::Numbers secondSorted = draw.secondDrawn.sorted();
        for (int i = 0; i < secondSorted.size(); ++i) {
            m_insert.bindInt64(++column, secondSorted[i]);
            m_insert.bindInt64(++column, draw.secondDrawn[i]);
        }
        const size_t categories = std::max(draw.winners.size(), draw.prizes.size());
        for (size_t i = 0; i < categories; ++i)
            for (const auto* values : {&draw.winners, &draw.prizes}) {
                if (values->empty())
                    continue;
                ++column;
                if ((*values)[i])
                    m_insert.bindInt64(column, *(*values)[i]);
                else
                    m_insert.bind(column, QVariant());
            }
        m_insert.run();
    }

private:
    static QString insertText(const Lottery::Game& game, const History::CsvHistory& history) {
        QStringList columns{QStringLiteral("tir"), QStringLiteral("tirdate")};
        for (int i = 1; i <= game.k(); ++i)
            columns << GameSchema::sortedColumn(i) << GameSchema::drawnColumn(i);
        for (int i = 1; i <= game.k2(); ++i)
            columns << GameSchema::secondColumn(i) << GameSchema::secondDrawnColumn(i);
        for (const Lottery::Category& category : game.categories()) {
            if (history.hasWinners)
                columns << GameSchema::winnersColumn(category);
            if (history.hasPrizes)
                columns << GameSchema::prizeColumn(category);
        }
        return QStringLiteral("INSERT INTO razyg (%1) VALUES (%2)")
            .arg(columns.join(QStringLiteral(", ")),
                 QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    }
    Statement m_insert;
};

// The draw numbers stored within those of the file, read at once rather than
// looked up row by row.
std::unordered_set<int> storedNumbers(Connection& connection, const History::CsvHistory& history) {
    int least = std::numeric_limits<int>::max(), most = 0;
    for (const History::Row& row : history.rows) {
        least = std::min(least, row.draw.tir);
        most = std::max(most, row.draw.tir);
    }
    Statement stored(connection, QStringLiteral("SELECT tir FROM razyg WHERE tir BETWEEN ? AND ?"));
    stored.bindInt64(1, least);
    stored.bindInt64(2, most);
    std::unordered_set<int> numbers;
    while (stored.step())
        numbers.insert(int(sqlite3_column_int64(stored.raw(), 0)));
    return numbers;
}

// The newest stored draw: its number (0 without one) and its date.
std::pair<int, QDate> newestStored(Connection& connection) {
    Statement newest(connection, QStringLiteral("SELECT tir, tirdate FROM razyg WHERE tir IS NOT "
                                                "NULL ORDER BY tir DESC LIMIT 1"));
    if (!newest.step())
        return {0, QDate()};
    return {newest.value(0).toInt(),
            QDate::fromString(newest.value(1).toString().left(10), Qt::ISODate)};
}

// The stored draws dated within the file's dates, as keys.
std::unordered_set<DrawKey, DrawKeyHash>
storedKeys(Connection& connection, const Lottery::Game& game, const QDate& from, const QDate& to) {
    QStringList balls;
    for (int i = 1; i <= game.k(); ++i)
        balls << GameSchema::sortedColumn(i);
    for (int i = 1; i <= game.k2(); ++i)
        balls << GameSchema::secondColumn(i);
    Statement stored(connection,
                     QStringLiteral("SELECT tirdate, %1 FROM razyg WHERE tirdate BETWEEN ? AND ?")
                         .arg(balls.join(QStringLiteral(", "))));
    stored.bindText(1, isoDate(from));
    stored.bindText(2, isoDate(to));
    std::unordered_set<DrawKey, DrawKeyHash> keys;
    while (stored.step()) {
        DrawKey key;
        key.day = QDate::fromString(stored.value(0).toString().left(10), Qt::ISODate).toJulianDay();
        for (int i = 0; i < game.k(); ++i)
            key.main.add(stored.value(1 + i).toInt());
        for (int i = 0; i < game.k2(); ++i)
            key.second.add(stored.value(1 + game.k() + i).toInt());
        keys.insert(key);
    }
    return keys;
}

QString stopMessage(qint64 line, int column, const QString& reason) {
    return (column > 0
                ? QStringLiteral("Строка %1, столбец %2: %3").arg(line).arg(column).arg(reason)
                : QStringLiteral("Строка %1: %2").arg(line).arg(reason)) +
           QStringLiteral(". Импорт остановлен на этой строке, тиражи до неё сохранены");
}

DrawImport::ImportRowError rowError(const History::Problem& problem) {
    return DrawImport::ImportRowError(stopMessage(problem.line, problem.column, problem.reason),
                                      int(problem.line), problem.column, problem.text,
                                      problem.reason);
}

int percentOf(size_t done, size_t total) {
    return total == 0 ? 100 : int(done * 100 / total);
}

} // namespace

qint64 maxFileBytes() {
    return History::Limits().maxFileBytes;
}

bool isTextFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && History::looksLikeText(file.read(4096));
}

void importFile(const QString& path, Connection& connection, const Lottery::Game& game,
                const std::vector<HistoryColumns::Column>& columns,
                DrawImport::ImportCounts& counts, const std::function<void(int percent)>& afterRow,
                const std::function<void()>& afterReading) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("файл не открывается (%1)").arg(file.errorString()));
    if (file.size() > maxFileBytes())
        throw AppError(QStringLiteral("файл больше %1 МиБ").arg(maxFileBytes() >> 20));
    History::CsvHistory history = History::readCsvHistory(file, game, columns);
    if (afterReading)
        afterReading();
    DrawInserter inserter(connection, game, history);
    std::unordered_set<DrawKey, DrawKeyHash> stored;
    std::unordered_set<int> storedTirs;
    auto [newestTir, newestDate] = std::pair<int, QDate>();
    if (history.numbered && !history.rows.empty()) {
        storedTirs = storedNumbers(connection, history);
    } else if (!history.rows.empty()) {
        std::tie(newestTir, newestDate) = newestStored(connection);
        stored = storedKeys(connection, game, history.rows.front().draw.date,
                            history.rows.back().draw.date);
    }
    ImportBatch batch(connection, counts);
    try {
        for (size_t i = 0; i < history.rows.size(); ++i) {
            History::Row& row = history.rows[i];
            if (history.numbered) {
                // A number twice in the file is stored once, as in a workbook.
                if (!storedTirs.insert(row.draw.tir).second) {
                    ++counts.alreadyStored;
                } else {
                    inserter.insert(row.draw);
                    ++counts.added;
                }
            } else if (!stored.insert(keyOf(row.draw)).second) {
                ++counts.alreadyStored;
            } else {
                if (newestDate.isValid() && row.draw.date < newestDate)
                    throw rowError(
                        {row.line, history.dateColumn, row.dateText(),
                         QStringLiteral("тираж от %1 старше последнего тиража в базе (№ %2 от %3), "
                                        "а в файле нет номеров тиражей: его место в нумерации "
                                        "неизвестно")
                             .arg(row.draw.date.toString(QStringLiteral("dd.MM.yyyy")))
                             .arg(newestTir)
                             .arg(newestDate.toString(QStringLiteral("dd.MM.yyyy")))});
                row.draw.tir = ++newestTir;
                inserter.insert(row.draw);
                ++counts.added;
            }
            ++counts.rowsRead;
            batch.rowDone();
            if (afterRow)
                afterRow(percentOf(i + 1, history.rows.size()));
        }
        if (history.stop)
            throw rowError(*history.stop);
    } catch (...) {
        batch.keepWhatIsDone();
        throw;
    }
    batch.finish();
}

} // namespace CsvImport
