#pragma once

#include "game/Game.h"
#include "runtime/AppError.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

// Which column of a CSV history holds what.
namespace HistoryColumns {

struct Column {
    enum class Role { Skip, Date, Tir, Main, Second, Winners, Prize };
    Role role = Role::Skip;
    // Main, Second: the position in the drawn order (from 0); Winners,
    // Prize: the category's index in the game.
    int index = 0;
};

// What the columns hold, one entry per column of the file.
struct Plan {
    std::vector<Column> columns;
    int dateColumn = -1; // from 0
    int tirColumn = -1;  // -1: the file has no draw numbers
    bool hasWinners = false;
    bool hasPrizes = false;
};

// A column list given by the user (--columns) that cannot be read; the
// message says why.
class ListError : public AppError {
public:
    using AppError::AppError;
};

// A header the columns cannot be placed from; the message names the column
// (counted from 1) and says what is wrong.
class HeaderError : public AppError {
public:
    HeaderError(const QString& message, int column, const QString& name)
        : AppError(message), m_column(column), m_name(name) {}
    int column() const { return m_column; }
    QString name() const { return m_name; }

private:
    int m_column;
    QString m_name;
};

// Reads "date,tir,b1,...,bK,x1,...,prize5,winners4+1,-" ("-" skips a column);
// every one of date and b1..bK (and x1..xK2) exactly once, tir and the
// category columns at most once. Throws ListError.
std::vector<Column> parseList(const QString& list, const Lottery::Game& game);

// The plan from the header and the first row's fields, or from the list
// given (which must name as many columns as the header has). Header words:
// дата/date/data for the date; тираж/draw/tir/№/номер for the draw number;
// b1, s1, ball1, шар1, n1 or a bare number for a main ball; x1, bonus, доп
// for one of the second drum; prize<key> or приз<key>, winners<key> for a
// category ("prize5", "prize4+1"). A column without such a word is placed by
// its first value: a date, or a whole number that fills the next place — the
// draw number first when the file has one number column more than the game
// has balls, then the main drum's balls, then the second drum's. Throws
// HeaderError for a column that cannot be placed or a game whose balls are
// not all there.
Plan plan(const std::vector<QString>& header, const std::vector<QByteArrayView>& firstRow,
          const Lottery::Game& game, const std::vector<Column>& given = {});

} // namespace HistoryColumns
