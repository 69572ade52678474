#pragma once

#include "game/Ticket.h"

#include <QDate>
#include <optional>
#include <vector>

namespace Lottery {

// One draw of a game as it came out: its number and date, the balls of each
// drum in the order drawn, and per prize category of the game (in the game's
// order) the winners and the prize where they are known.
struct Draw {
    int tir = 0; // 0: not numbered yet
    QDate date;
    Numbers drawn;
    Numbers secondDrawn;
    std::vector<std::optional<qint64>> winners; // empty, or one per category
    std::vector<std::optional<qint64>> prizes;  // empty, or one per category
};

} // namespace Lottery
