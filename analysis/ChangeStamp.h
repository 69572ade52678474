#pragma once

#include <QtGlobal>

class Connection;

namespace Analysis {

// Tells whether the database changed since an earlier look: the rows this
// connection wrote (every insert, update and delete the program makes) and the
// commits of other connections (another copy of the program, another tool).
// Both are cheap to read, so a window may look often.
struct ChangeStamp {
    qint64 ownChanges = -1;
    qint64 dataVersion = -1;

    bool operator==(const ChangeStamp& other) const {
        return ownChanges == other.ownChanges && dataVersion == other.dataVersion;
    }
    bool operator!=(const ChangeStamp& other) const { return !(*this == other); }
};

ChangeStamp readChangeStamp(Connection& connection);

// True while the connection has a transaction open (an import in progress):
// the data is in the middle of a change and is better read when it ends.
bool isWriting(Connection& connection);

} // namespace Analysis
