#pragma once

#include "game/Game.h"

#include <QString>
#include <optional>
#include <vector>

namespace Lab {

// A closed range of whole numbers, low..high.
struct Span {
    int low = 0;
    int high = 0;
    bool contains(int value) const { return value >= low && value <= high; }
};

// At least `atLeast` of the ticket's numbers among the `count` hottest (or
// coldest) balls of the newest `window` draws, hot and cold ranked as the
// analysis window ranks them (Lottery::markHotCold).
struct HotColdRule {
    int count = 0;
    int window = 0;
    int atLeast = 0;
};

// Conditions on the K numbers of 1..N of a ticket of the game's main drum
// (6 из 49 unless set); every one is optional and all that are set must hold.
struct Filter {
    Lottery::Game game;
    std::optional<Span> sum;      // the K numbers add up to low..high
    std::optional<Span> odd;      // how many are odd
    std::optional<Span> low;      // how many are 1..N/2 (rounded down)
    std::optional<int> maxRun;    // longest run of consecutive numbers; 1: none adjacent
    std::optional<int> decadeMax; // most numbers in one of 1-9, 10-19, 20-29, ... up to N
    std::vector<int> include;     // every one of these is on the ticket
    std::vector<int> exclude;     // none of these is
    // Conditions that look at the stored draws (see HistoryFacts).
    bool notDrawn = false;                // never drawn as a whole combination
    std::optional<int> sharedWithLastMax; // numbers in common with the newest draw
    std::optional<HotColdRule> hot;
    std::optional<HotColdRule> cold;

    bool usesHistory() const { return notDrawn || sharedWithLastMax || hot || cold; }
};

// What is wrong with the conditions, in words for the user; empty when they
// are sound. A condition that no ticket can meet is not wrong: it counts 0.
QString filterProblem(const Filter& filter);

} // namespace Lab
