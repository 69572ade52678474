#include "analysis/FairnessSample.h"

#include <algorithm>

namespace Analysis {

Draws::Request fairnessRequest() {
    Draws::Request request;
    request.drawnOrder = true;
    request.dropRepeatedNumbers = true;
    return request;
}

FairnessSample fairnessSample(const Draws::History& history, qint64 lastN) {
    FairnessSample sample;
    sample.duplicates = history.repeated;
    for (size_t i = size_t(history.windowStart(lastN)); i < history.draws.size(); ++i) {
        const Draws::StoredDraw& draw = history.draws[i];
        if (!history.wellFormed(qint64(i))) {
            ++sample.irregular;
            continue;
        }
        sample.draws.push_back(ballSetOf(draw.main));
        const Draws::DrawnOrder& drawn = history.orders[i];
        if (drawn.mainKind == Draws::OrderKind::Valid) {
            DrawnOrder order{};
            std::copy(drawn.main.begin(), drawn.main.end(), order.begin());
            sample.orders.push_back(order);
        } else if (drawn.mainKind == Draws::OrderKind::Malformed) {
            ++sample.orderMalformed;
        }
    }
    return sample;
}

} // namespace Analysis
