#pragma once

#include "game/Game.h"
#include "lab/MatchCounter.h"
#include "lab/SubsetCounter.h"
#include "lab/Ticket.h"

#include <array>
#include <memory>
#include <vector>

namespace Lab {

// The tickets of a set that are played on a draw (chosen from its candidates
// by their place in the set), and their hits per prize category of the game:
// exactly so many matches of the main drum and, in a two-drum game, exactly so
// many of the second. A large set is counted by its subsets: tickets of six
// from at most 49 in a one-drum game whose categories are three matches or
// more by MatchCounter, those of another one-drum game by SubsetCounter where
// its tables fit; any other set ticket by ticket, two popcounts each.
class PlayedTickets {
public:
    PlayedTickets(const Lottery::Game& game, const std::vector<Ticket>& candidates);

    void add(size_t candidate);
    void remove(size_t candidate);
    qint64 size() const { return m_size; }

    // The hits per category (the game's order, best first) of the tickets
    // played, on a draw of the given balls; perCategory is resized to fit.
    void hits(BallBits drawMain, BallBits drawSecond, std::vector<qint64>& perCategory) const {
        perCategory.assign(m_categories, 0);
        forEachHit(drawMain, drawSecond,
                   [&](size_t category, qint64 count) { perCategory[category] += count; });
    }
    // The same as calls f(category, count), a category perhaps more than once.
    template <typename F> void forEachHit(BallBits drawMain, BallBits drawSecond, F&& f) const {
        if (m_counter) {
            const MatchHits h = m_counter->hits(drawMain);
            for (size_t k = 0; k < h.size(); ++k)
                if (m_counted[k] >= 0)
                    f(size_t(m_counted[k]), h[k]);
            return;
        }
        if (m_subsets) {
            const auto h = m_subsets->hits(drawMain);
            for (size_t m = 0; m < h.size(); ++m)
                if (h[m] != 0 && m_category[m][0] >= 0)
                    f(size_t(m_category[m][0]), h[m]);
            return;
        }
        for (const size_t t : m_played) {
            const int main = bitCount(m_main[t] & drawMain);
            const int second = m_secondDrum ? bitCount(m_second[t] & drawSecond) : 0;
            const int category = m_category[size_t(main)][size_t(second)];
            if (category >= 0)
                f(size_t(category), 1);
        }
    }

private:
    std::vector<BallBits> m_main;   // per candidate
    std::vector<BallBits> m_second; // per candidate
    std::vector<size_t> m_played;   // candidates played, in no order
    std::vector<size_t> m_slot;     // place of a candidate in m_played
    qint64 m_size = 0;
    size_t m_categories = 0;
    // The category of exactly m main and s second matches, -1 for none.
    std::array<std::array<int, Lottery::kMaxBalls + 1>, Lottery::kMaxBalls + 1> m_category{};
    bool m_secondDrum = false;
    std::unique_ptr<MatchCounter> m_counter;  // six of 49
    std::unique_ptr<SubsetCounter> m_subsets; // another one-drum game
    std::array<int, 4> m_counted{};           // the category of MatchHits[k], -1 for none
};

} // namespace Lab
