#pragma once

// The best published sizes of wheels with six-number tickets and their proven lower bounds,
// shipped as data (data/records.tsv), with the names of their sources for the help text.

#include <QString>

#include <optional>

namespace Wheels {

struct WheelRecord {
    int v = 0, t = 0, m = 0;
    int best = 0;       // the best published size
    int lowerBound = 0; // the proven lower bound, 0 when none is known
    QString source;     // where the best size was published

    bool proven() const { return lowerBound == best; }
};

// The record for v numbers and the guarantee "t if m", if one is known.
std::optional<WheelRecord> findRecord(int v, int t, int m);

// A short text naming the sources of the records and their licence, for the help.
QString recordSourcesText();

} // namespace Wheels
