#include "schema/GameSchema.h"

namespace GameSchema {

namespace {

// The original tables, exactly as the set-up has always made them.
const char* const kSixFromFortyNine = R"sql(
CREATE TABLE razyg (
  id INTEGER PRIMARY KEY,
  tir INTEGER,
  s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER,
  ss1 INTEGER, ss2 INTEGER, ss3 INTEGER, ss4 INTEGER, ss5 INTEGER, ss6 INTEGER,
  ch6 INTEGER, ch5 INTEGER, ch4 INTEGER, ch3 INTEGER,
  chv6 INTEGER, chv5 INTEGER, chv4 INTEGER, chv3 INTEGER,
  djp INTEGER, pfond INTEGER,
  tirdate TEXT
);
CREATE INDEX razyg_tir ON razyg (tir);
CREATE TABLE Rate (
  id INTEGER PRIMARY KEY,
  tir INTEGER,
  s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER
);
CREATE INDEX rate_tir ON Rate (tir);
)sql";

const char* const kGameTable = R"sql(
CREATE TABLE game (
  k INTEGER NOT NULL, n INTEGER NOT NULL, k2 INTEGER NOT NULL, n2 INTEGER NOT NULL,
  name TEXT NOT NULL, categories TEXT NOT NULL
);
)sql";

QStringList numbered(const QString& prefix, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(prefix + QString::number(i));
    return names;
}

QString columnList(const QStringList& columns, const QString& type) {
    QStringList defined;
    for (const QString& column : columns)
        defined.append(QStringLiteral("  ") + column + QLatin1Char(' ') +
                       (column == QLatin1String("tirdate") ? QStringLiteral("TEXT") : type));
    return defined.join(QStringLiteral(",\n"));
}

} // namespace

QString sortedColumn(int i) {
    return QStringLiteral("s%1").arg(i);
}
QString drawnColumn(int i) {
    return QStringLiteral("ss%1").arg(i);
}
QString secondColumn(int i) {
    return QStringLiteral("x%1").arg(i);
}
QString secondDrawnColumn(int i) {
    return QStringLiteral("xx%1").arg(i);
}
QString winnersColumn(const Lottery::Category& category) {
    return QStringLiteral("ch") + category.columnKey();
}
QString prizeColumn(const Lottery::Category& category) {
    return QStringLiteral("chv") + category.columnKey();
}

QStringList drawColumns(const Lottery::Game& game) {
    QStringList columns{QStringLiteral("tir")};
    columns += numbered(QStringLiteral("s"), game.k());
    columns += numbered(QStringLiteral("ss"), game.k());
    columns += numbered(QStringLiteral("x"), game.k2());
    columns += numbered(QStringLiteral("xx"), game.k2());
    for (const Lottery::Category& category : game.categories())
        columns.append(winnersColumn(category));
    for (const Lottery::Category& category : game.categories())
        columns.append(prizeColumn(category));
    columns += {QStringLiteral("djp"), QStringLiteral("pfond"), QStringLiteral("tirdate")};
    return columns;
}

QStringList betColumns(const Lottery::Game& game) {
    return QStringList{QStringLiteral("tir")} + numbered(QStringLiteral("s"), game.k()) +
           numbered(QStringLiteral("x"), game.k2());
}

bool recordsGame(const Lottery::Game& game) {
    return !game.isSixFromFortyNine() || game.hasOwnName();
}

QString createTables(const Lottery::Game& game) {
    QString sql;
    if (game.isSixFromFortyNine()) {
        sql = QString::fromUtf8(kSixFromFortyNine);
    } else {
        sql = QStringLiteral("\nCREATE TABLE razyg (\n  id INTEGER PRIMARY KEY,\n") +
              columnList(drawColumns(game), QStringLiteral("INTEGER")) +
              QStringLiteral("\n);\nCREATE INDEX razyg_tir ON razyg (tir);\n"
                             "CREATE TABLE Rate (\n  id INTEGER PRIMARY KEY,\n") +
              columnList(betColumns(game), QStringLiteral("INTEGER")) +
              QStringLiteral("\n);\nCREATE INDEX rate_tir ON Rate (tir);\n");
    }
    if (recordsGame(game))
        sql += QString::fromUtf8(kGameTable);
    return sql;
}

} // namespace GameSchema
