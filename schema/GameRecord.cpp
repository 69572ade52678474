#include "schema/GameRecord.h"

#include "dataset/Statement.h"
#include "schema/GameSchema.h"

namespace GameRecord {

namespace {

bool hasGameTable(sqlite3* db) {
    Statement tables(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                        "AND lower(name) = 'game'"));
    return tables.step() && tables.value(0).toInt() > 0;
}

// Whether every column is there: the statement that names them all prepares.
QString missingColumns(sqlite3* db, const QString& table, const QStringList& columns) {
    try {
        Statement(
            db,
            QStringLiteral("SELECT %1 FROM %2 LIMIT 0").arg(columns.join(QLatin1Char(',')), table));
    } catch (const DatabaseBusy&) {
        throw;
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

} // namespace

Lottery::Game read(sqlite3* db) {
    if (!hasGameTable(db))
        return Lottery::Game();
    Statement rows(db, QStringLiteral("SELECT k, n, k2, n2, name, categories FROM game LIMIT 2"));
    if (!rows.step())
        throw DamagedRecord(QStringLiteral("таблица game пуста: игра базы не записана"));
    Lottery::Game game;
    try {
        game = Lottery::Game::make(rows.value(0).toInt(), rows.value(1).toInt(),
                                   rows.value(2).toInt(), rows.value(3).toInt());
        const QString name = rows.value(4).toString();
        if (name.trimmed() != game.displayName())
            game.setName(name);
        game.setCategories(game.parseCategories(rows.value(5).toString()));
    } catch (const Lottery::GameError& e) {
        throw DamagedRecord(QStringLiteral("таблица game описывает не игру: ") + e.message());
    }
    if (rows.step())
        throw DamagedRecord(QStringLiteral("в таблице game больше одной строки"));
    for (const auto& [table, columns] :
         {std::pair{QStringLiteral("razyg"), GameSchema::drawColumns(game)},
          std::pair{QStringLiteral("Rate"), GameSchema::betColumns(game)}}) {
        const QString missing = missingColumns(db, table, columns);
        if (!missing.isEmpty())
            throw DamagedRecord(QStringLiteral("в таблице %1 нет столбцов игры «%2» (%3)")
                                    .arg(table, game.displayName(), missing));
    }
    return game;
}

void write(sqlite3* db, const Lottery::Game& game) {
    Statement insert(db, QStringLiteral("INSERT INTO game (k, n, k2, n2, name, categories) "
                                        "VALUES (?, ?, ?, ?, ?, ?)"));
    insert.bindInt64(1, game.k());
    insert.bindInt64(2, game.n());
    insert.bindInt64(3, game.k2());
    insert.bindInt64(4, game.n2());
    insert.bindText(5, game.name().toUtf8());
    insert.bindText(6, game.categoriesText().toUtf8());
    insert.run();
}

} // namespace GameRecord
