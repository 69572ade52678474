#include "analysis/ChangeStamp.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"

#include <sqlite3.h>

namespace Analysis {

ChangeStamp readChangeStamp(Connection& connection) {
    ChangeStamp stamp;
    stamp.ownChanges = sqlite3_total_changes64(connection.handle());
    Statement version(connection, QStringLiteral("PRAGMA data_version"));
    if (version.step())
        stamp.dataVersion = sqlite3_column_int64(version.raw(), 0);
    return stamp;
}

bool isWriting(Connection& connection) {
    return sqlite3_get_autocommit(connection.handle()) == 0;
}

} // namespace Analysis
