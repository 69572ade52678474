#pragma once

#include "game/Draw.h"
#include "game/Game.h"
#include "history/HistoryColumns.h"
#include "runtime/AppError.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

class QIODevice;

// A draw history in a CSV file: one header line, then a draw per line.
// Separators ",", ";" or tab (the header's tells); UTF-8 with or without a
// byte order mark; CRLF or LF; fields in double quotes after RFC 4180. The
// columns are found as HistoryColumns::plan says, or given.
//
// Every row is checked against the game: a date, a draw number from 1 where
// the file has them, K distinct balls 1..N in drawn order (and K2 of 1..N2),
// winners and prizes where given. The rows are put in the order they are to
// be numbered and stored:
// - a file with draw numbers in its own order;
// - a file without them in date order, oldest first: a file listed oldest
//   first from its top, one listed newest first from its end. Several draws
//   on one date are distinct draws and keep that order. The dates must run
//   one way: a row that turns back is a bad row.
// The first bad row in that order stops the history there: the rows before
// it are kept, and it is told (line, column, text, what is wrong). A line
// that cannot even be split (an open quote, a line or a field count over the
// limits) ends the reading; in a file listed newest first no row is kept
// then, since the rows below it cannot be reached.
//
// Bounded: the file, a line, the fields of a line and the rows have limits;
// the work is linear in the file.
namespace History {

struct Limits {
    qint64 maxFileBytes = qint64(64) * 1024 * 1024;
    qsizetype maxLineBytes = 4096;
    int maxFields = 256;
    qint64 maxRows = 1000000;
};

// What is wrong with a row (or the header): its line (from 1), its column
// (from 1; 0 when no one column is at fault), the field's text and why.
struct Problem {
    qint64 line = 0;
    int column = 0;
    QString text;
    QString reason;
};

// A file whose header (or first line) does not let any row be read.
class CsvError : public AppError {
public:
    explicit CsvError(const Problem& problem);
    const Problem& problem() const { return m_problem; }

private:
    Problem m_problem;
};

struct Row {
    Lottery::Draw draw; // tir 0 in a file without draw numbers
    qint64 line = 0;
    // The date as the file writes it (a valid one takes at most ten bytes).
    std::array<char, 10> dateBytes{};
    quint8 dateSize = 0;
    QString dateText() const { return QString::fromLatin1(dateBytes.data(), dateSize); }
};

struct CsvHistory {
    std::vector<Row> rows; // in the order to number and store them
    bool numbered = false; // the file gives draw numbers
    int dateColumn = 0;    // from 1
    bool hasWinners = false;
    bool hasPrizes = false;
    std::optional<Problem> stop; // the first bad row in that order
};

// Reads the whole file from input. columns: as given by the user
// (HistoryColumns::parseList), or empty to find them. Throws CsvError when
// not even the header can be read or placed.
CsvHistory readCsvHistory(QIODevice& input, const Lottery::Game& game,
                          const std::vector<HistoryColumns::Column>& columns = {},
                          const Limits& limits = {});

// Whether bytes from the start of a file look like a text history rather
// than a workbook (no ZIP or compound-file signature, no NUL byte).
bool looksLikeText(QByteArrayView start);

} // namespace History
