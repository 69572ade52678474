#include "lab/PlayedTickets.h"

#include <algorithm>

namespace Lab {

namespace {

// The matches MatchCounter counts: three to six of six.
constexpr int kFewestCounted = 3;
constexpr int kCounterBalls = 6;
constexpr int kCounterNumbers = 49;
// Up to this many tickets a set is counted ticket by ticket (as MatchCounter does).
constexpr size_t kTicketByTicketLimit = 64;

} // namespace

PlayedTickets::PlayedTickets(const Lottery::Game& game, const std::vector<Ticket>& candidates)
    : m_slot(candidates.size(), 0), m_categories(game.categories().size()),
      m_secondDrum(game.hasSecondDrum()) {
    for (auto& row : m_category)
        row.fill(-1);
    bool counted =
        !game.hasSecondDrum() && game.k() == kCounterBalls && game.n() <= kCounterNumbers;
    for (size_t c = 0; c < game.categories().size(); ++c) {
        const Lottery::Category& category = game.categories()[c];
        m_category[size_t(category.main)][size_t(category.second)] = int(c);
        counted = counted && category.main >= kFewestCounted;
    }
    int fewest = game.k();
    for (const Lottery::Category& category : game.categories())
        fewest = std::min(fewest, category.main);
    if (counted) {
        m_counter = std::make_unique<MatchCounter>(candidates.size());
        for (size_t k = 0; k < m_counted.size(); ++k)
            m_counted[k] = m_category[k + kFewestCounted][0];
    } else if (!game.hasSecondDrum() && candidates.size() > kTicketByTicketLimit &&
               SubsetCounter::fits(game.k(), game.n(), fewest)) {
        m_subsets = std::make_unique<SubsetCounter>(game.k(), game.n(), fewest);
    }
    m_main.reserve(candidates.size());
    m_second.reserve(candidates.size());
    for (const Ticket& ticket : candidates) {
        m_main.push_back(ballsOf(ticket));
        m_second.push_back(secondBallsOf(ticket));
    }
}

void PlayedTickets::add(size_t candidate) {
    ++m_size;
    if (m_counter) {
        m_counter->add(m_main[candidate]);
        return;
    }
    if (m_subsets) {
        m_subsets->add(m_main[candidate]);
        return;
    }
    m_slot[candidate] = m_played.size();
    m_played.push_back(candidate);
}

void PlayedTickets::remove(size_t candidate) {
    --m_size;
    if (m_counter) {
        m_counter->remove(m_main[candidate]);
        return;
    }
    if (m_subsets) {
        m_subsets->remove(m_main[candidate]);
        return;
    }
    const size_t slot = m_slot[candidate];
    m_played[slot] = m_played.back();
    m_slot[m_played[slot]] = slot;
    m_played.pop_back();
}

} // namespace Lab
