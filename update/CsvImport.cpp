#include "update/CsvImport.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "game/BallSet.h"
#include "history/CsvHistory.h"
#include "schema/GameSchema.h"
#include "update/ImportBatch.h"

#include <QFile>
#include <QStringList>
#include <array>
#include <iterator>
#include <limits>
#include <optional>
#include <sqlite3.h>
#include <unordered_set>
#include <utility>

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

// YYYY-MM-DD, as the dataset binds a date, into text: from the file's own
// text where it is written so or as DD.MM.YYYY, else from the date.
QByteArrayView isoDate(const History::Row& row, std::array<char, 10>& text) {
    const char* d = row.dateBytes.data();
    if (row.dateSize == 10 && d[4] == '-' && d[7] == '-')
        return QByteArrayView(d, 10);
    if (row.dateSize == 10 && d[2] == '.' && d[5] == '.') {
        const char iso[] = {d[6], d[7], d[8], d[9], '-', d[3], d[4], '-', d[0], d[1]};
        std::copy(std::begin(iso), std::end(iso), text.begin());
        return QByteArrayView(text.data(), 10);
    }
    const QByteArray formatted = row.draw.date.toString(Qt::ISODate).toLatin1();
    std::copy_n(formatted.constData(), std::min<qsizetype>(formatted.size(), 10), text.begin());
    return QByteArrayView(text.data(), std::min<qsizetype>(formatted.size(), 10));
}

QByteArray isoDate(const QDate& date) {
    return date.toString(Qt::ISODate).toLatin1();
}

// Stores draws with the columns the file gives, through one statement
// prepared once.
class DrawInserter {
public:
    DrawInserter(Connection& connection, const Lottery::Game& game,
                 const History::CsvHistory& history)
        : m_insert(connection, insertText(game, history)) {}

    void insert(const History::Row& row) {
        const Lottery::Draw& draw = row.draw;
        m_insert.reset();
        int column = 0;
        m_insert.bindInt64(++column, draw.tir);
        std::array<char, 10> text;
        m_insert.bindText(++column, isoDate(row, text));
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

// The draw numbers taken: the stored ones within those of the file, read at
// once rather than looked up row by row, and the file's own as they are
// stored. A bit per number where the file's numbers lie close together (as
// they do), a hash set where they are far apart.
class TakenNumbers {
public:
    TakenNumbers(Connection& connection, const History::CsvHistory& history) {
        int most = 0;
        m_least = std::numeric_limits<int>::max();
        for (const History::Row& row : history.rows) {
            m_least = std::min(m_least, row.draw.tir);
            most = std::max(most, row.draw.tir);
        }
        if (most >= m_least && qint64(most) - m_least < kMaxBits)
            m_bits.resize(size_t(most - m_least) + 1);
        Statement stored(connection,
                         QStringLiteral("SELECT tir FROM razyg WHERE tir BETWEEN ? AND ?"));
        stored.bindInt64(1, m_least);
        stored.bindInt64(2, most);
        while (stored.step())
            take(int(sqlite3_column_int64(stored.raw(), 0)));
    }
    // Marks the number taken; false when it was taken already.
    bool take(int tir) {
        if (m_bits.empty())
            return m_set.insert(tir).second;
        const size_t bit = size_t(tir - m_least);
        if (m_bits[bit])
            return false;
        m_bits[bit] = true;
        return true;
    }

private:
    static constexpr qint64 kMaxBits = qint64(1) << 24;
    int m_least = 0;
    std::vector<bool> m_bits;
    std::unordered_set<int> m_set;
};

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
    std::optional<TakenNumbers> taken;
    int newestTir = 0;
    QDate newestDate;
    // What is stored is read within the write lock, and read again when
    // another program wrote between two chunks.
    int chunk = 0;
    qint64 version = -1;
    const auto readStored = [&] {
        if (history.numbered) {
            taken.emplace(connection, history);
        } else {
            std::tie(newestTir, newestDate) = newestStored(connection);
            stored = storedKeys(connection, game, history.rows.front().draw.date,
                                history.rows.back().draw.date);
        }
    };
    ImportBatch batch(connection, counts);
    try {
        for (size_t i = 0; i < history.rows.size(); ++i) {
            History::Row& row = history.rows[i];
            if (chunk != batch.chunk()) {
                chunk = batch.chunk();
                const qint64 now = connection.changeStamp().dataVersion;
                if (std::exchange(version, now) != now)
                    readStored();
            }
            if (history.numbered) {
                // A number twice in the file is stored once, as in a workbook.
                if (!taken->take(row.draw.tir)) {
                    ++counts.alreadyStored;
                } else {
                    inserter.insert(row);
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
                inserter.insert(row);
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
