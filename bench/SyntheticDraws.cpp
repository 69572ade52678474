#include "bench/SyntheticDraws.h"

#include "startup/DatabaseSetup.h"

#include <QDate>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstdint>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace SyntheticDraws {

namespace {

// SplitMix64: tiny, fast, and the same sequence on every compiler (unlike the
// standard distributions).
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Whole number in [low, high].
    qint64 between(qint64 low, qint64 high) {
        return low + static_cast<qint64>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    // True with the given chance in percent (fractions allowed).
    bool chance(double percent) { return static_cast<double>(next() % 1000000) < percent * 10000; }

private:
    std::uint64_t m_state;
};

constexpr std::uint64_t kSeed = 20240649;

// Six distinct balls 1..49 in drawn order (a partial shuffle of the drum).
std::array<int, 6> drawSix(Random& random) {
    std::array<int, 49> drum{};
    for (int i = 0; i < 49; ++i)
        drum[static_cast<size_t>(i)] = i + 1;
    std::array<int, 6> drawn{};
    for (int i = 0; i < 6; ++i) {
        const auto j = static_cast<size_t>(random.between(i, 48));
        std::swap(drum[static_cast<size_t>(i)], drum[j]);
        drawn[static_cast<size_t>(i)] = drum[static_cast<size_t>(i)];
    }
    return drawn;
}

class Db {
public:
    explicit Db(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_handle, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            fail("open");
    }
    ~Db() { sqlite3_close(m_handle); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    void exec(const char* sql) {
        if (sqlite3_exec(m_handle, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(sql);
    }
    qint64 scalar(const char* sql) {
        sqlite3_stmt* stmt = prepare(sql);
        const qint64 value = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
        sqlite3_finalize(stmt);
        return value;
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_handle, sql, -1, &stmt, nullptr) != SQLITE_OK)
            fail(sql);
        return stmt;
    }
    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(m_handle));
    }

private:
    sqlite3* m_handle = nullptr;
};

// One insert statement, finalized on every way out.
class Insert {
public:
    Insert(Db& db, const char* sql) : m_db(db), m_stmt(db.prepare(sql)) {}
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    void bind(int column, qint64 value) { sqlite3_bind_int64(m_stmt, column, value); }
    void bindText(int column, const QByteArray& text) {
        sqlite3_bind_text(m_stmt, column, text.constData(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    void run() {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            m_db.fail("insert");
        sqlite3_reset(m_stmt);
    }

private:
    Db& m_db;
    sqlite3_stmt* m_stmt;
};

const char* const kInsertDraw =
    "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6, ss1, ss2, ss3, ss4, ss5, ss6, "
    "ch6, ch5, ch4, ch3, chv6, chv5, chv4, chv3, djp, pfond, tirdate) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, "
    "?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, ?23, ?24)";

const char* const kInsertBet =
    "INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)";

// The first draw's date: the last one lands near 2025 when the years allow,
// never before year 1 (dates stay four-digit ISO text).
QDate firstDate(int rows) {
    const QDate latest(2025, 1, 1);
    const qint64 span = static_cast<qint64>(rows) * 7 / 2;
    const QDate earliest(1, 1, 1);
    return latest.toJulianDay() - span < earliest.toJulianDay() ? earliest : latest.addDays(-span);
}

void writeDraws(Db& db, int rows, Random& random) {
    Insert insert(db, kInsertDraw);
    QDate date = firstDate(rows);
    const qint64 jackpotStart = 10000000;
    qint64 jackpot = jackpotStart;
    for (int tir = 1; tir <= rows; ++tir) {
        const std::array<int, 6> drawn = drawSix(random);
        std::array<int, 6> sorted = drawn;
        std::sort(sorted.begin(), sorted.end());

        // About one draw in a hundred has a winner of six, three in ten one of five.
        const qint64 ch6 = random.chance(1.0) ? random.between(1, 2) : 0;
        const qint64 ch5 = random.chance(30.0) ? random.between(1, 6) : 0;
        const qint64 ch4 = random.between(40, 900);
        const qint64 ch3 = random.between(1500, 15000);
        const qint64 chv3 = 100;
        const qint64 chv4 = random.between(500, 3000);
        const qint64 chv5 = ch5 > 0 ? random.between(20000, 250000) : 0;
        // The jackpot grows until somebody wins it, so long droughts pass 2^31.
        const qint64 chv6 = ch6 > 0 ? jackpot / ch6 : 0;
        const qint64 djp = jackpot;
        const qint64 pfond = random.between(20000000, 150000000) + jackpot / 4;
        jackpot = ch6 > 0 ? jackpotStart : jackpot + random.between(2000000, 12000000);

        int column = 1;
        insert.bind(column++, tir);
        for (int b : sorted)
            insert.bind(column++, b);
        for (int b : drawn)
            insert.bind(column++, b);
        for (qint64 v : {ch6, ch5, ch4, ch3, chv6, chv5, chv4, chv3, djp, pfond})
            insert.bind(column++, v);
        insert.bindText(column, date.toString(Qt::ISODate).toLatin1());
        insert.run();
        date = date.addDays(random.chance(50.0) ? 3 : 4);
    }
}

// Bets on the newest hundred draws, three each, so the bets grid of the
// newest draw is never empty.
void writeBets(Db& db, int rows, Random& random) {
    Insert insert(db, kInsertBet);
    for (int i = 0; i < kBetCount; ++i) {
        std::array<int, 6> balls = drawSix(random);
        std::sort(balls.begin(), balls.end());
        insert.bind(1, std::max(1, rows - i % 100));
        for (int k = 0; k < 6; ++k)
            insert.bind(k + 2, balls[static_cast<size_t>(k)]);
        insert.run();
    }
}

bool hasExpectedCounts(const QString& path, int rows) {
    if (!QFile::exists(path))
        return false;
    try {
        Db db(path);
        return db.scalar("SELECT count(*) FROM razyg") == rows &&
               db.scalar("SELECT count(*) FROM Rate") == kBetCount;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

QString fileName(int rows) {
    return QStringLiteral("synthetic-draws-%1.db").arg(rows);
}

bool ensure(const QString& path, int rows) {
    if (hasExpectedCounts(path, rows))
        return false;
    // Built under a temporary name and renamed at the end, so an interrupted
    // build never passes for a finished one.
    const QString partial = path + QLatin1String(".part");
    QFile::remove(partial);
    QFile::remove(path);
    DatabaseSetup::createDatabase(partial);
    {
        Db db(partial);
        // Nothing to protect while the file is being built: no journal, no syncs.
        db.exec("PRAGMA journal_mode = OFF");
        db.exec("PRAGMA synchronous = OFF");
        db.exec("BEGIN");
        Random random(kSeed);
        writeDraws(db, rows, random);
        writeBets(db, rows, random);
        db.exec("COMMIT");
    }
    if (!QFile::rename(partial, path))
        throw std::runtime_error("cannot rename the synthetic database into place");
    return true;
}

} // namespace SyntheticDraws
