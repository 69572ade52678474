#pragma once

// The best published sizes of wheels and their proven lower bounds, shipped as data: for
// six-number tickets data/records.tsv, for tickets of 4, 5 and 7 numbers the sizes of "t if t"
// in data/records_k4_k7.tsv (no lower bounds there); with the names of their sources for the
// help text.

#include "game/Game.h"

#include <QString>

#include <optional>

namespace Wheels {

struct WheelRecord {
    int k = 0; // numbers on a ticket
    int v = 0, t = 0, m = 0;
    int best = 0;       // the best published size
    int lowerBound = 0; // the proven lower bound, 0 when none is known
    QString source;     // where the best size was published

    bool proven() const { return lowerBound == best; }
};

// The record for v numbers, the guarantee "t if m" and tickets of k numbers (six unless said),
// if one is known.
std::optional<WheelRecord> findRecord(int v, int t, int m, int k = Lottery::Game().k());

// A short text naming the sources of the records and their licence, for the help; for tickets
// of k numbers (six unless said).
QString recordSourcesText(int k = Lottery::Game().k());
// Both: for six-number tickets and for the others.
QString allRecordSourcesText();

} // namespace Wheels
