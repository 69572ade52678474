#pragma once

struct sqlite3;

// Registers the aggregate ball_hits(b1, ..., b6) on a connection: over all rows
// it counts, for every ball 1 to 49, the rows holding that ball at least once,
// and returns the 49 counts as a JSON array. One pass over the draws instead of
// a sort per ball position keeps the frequency queries fast on long histories.
void registerBallHits(sqlite3* db);
