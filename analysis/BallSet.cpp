#include "analysis/BallSet.h"

#include "views/BallValue.h"

#include <sqlite3.h>

namespace Analysis {

BallSet ballSetFromColumns(sqlite3_stmt* statement, int first) {
    BallSet set = 0;
    for (int column = first; column < first + 6; ++column) {
        int ball = 0;
        switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            ball = ballFromInteger(sqlite3_column_int64(statement, column));
            break;
        case SQLITE_FLOAT:
            ball = ballFromReal(sqlite3_column_double(statement, column));
            break;
        default:
            break;
        }
        if (ball)
            set |= BallSet(1) << ball;
    }
    return set;
}

} // namespace Analysis
