#pragma once

#include "game/Game.h"

#include <QString>
#include <QStringList>

// The tables of a database for its game. A database of 6 из 49 with its
// categories 6, 5, 4, 3 has the program's original tables:
//   razyg: id, tir, s1..s6, ss1..ss6, ch6..ch3, chv6..chv3, djp, pfond, tirdate
//   Rate:  id, tir, s1..s6
// A database of another game has the same two tables made wide enough for it
// and records its game in a one-row table `game`:
//   razyg: id, tir, s1..sK (sorted), ss1..ssK (drawn order), x1..xK2 (second
//          drum, sorted), xx1..xxK2 (second drum, drawn order), then per prize
//          category, best first, ch<key> (winners), then per category
//          chv<key> (prize), djp, pfond, tirdate
//   Rate:  id, tir, s1..sK, x1..xK2
//   game:  k, n, k2, n2 (0, 0 without a second drum), name, categories
//          ("5+1,5,4+1,...", as Game::parseCategories reads them)
// where <key> is the category's match count, "4", or for a pair of the two
// drums the two counts joined by "p": ch4p1 and chv4p1 for "4+1".
namespace GameSchema {

QString sortedColumn(int i);                              // s1, s2, ... (from 1)
QString drawnColumn(int i);                               // ss1, ...
QString secondColumn(int i);                              // x1, ...
QString secondDrawnColumn(int i);                         // xx1, ...
QString winnersColumn(const Lottery::Category& category); // ch4, ch4p1
QString prizeColumn(const Lottery::Category& category);   // chv4, chv4p1

// Every column of razyg but id, in table order.
QStringList drawColumns(const Lottery::Game& game);
// Every column of Rate but id, in table order.
QStringList betColumns(const Lottery::Game& game);

// Whether the database records its game in the table `game`: every game but
// 6 из 49 with its own categories does, and 6 из 49 with a name of its own.
bool recordsGame(const Lottery::Game& game);

// The statements that create the tables (and the empty table `game` where
// recordsGame), for sqlite3_exec.
QString createTables(const Lottery::Game& game);

} // namespace GameSchema
