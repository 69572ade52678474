#include "analysis/FairnessSample.h"

namespace Analysis {

Draws::Request fairnessRequest() {
    Draws::Request request;
    request.drawnOrder = true;
    request.dropRepeatedNumbers = true;
    return request;
}

namespace {

// Adds a regular draw's balls and drawn order to the sample of its drum.
void add(FairnessSample& sample, const Lottery::Numbers& balls, const Lottery::Numbers& drawn,
         Draws::OrderKind kind) {
    sample.draws.push_back(balls);
    if (kind == Draws::OrderKind::Valid)
        sample.orders.push_back(drawn);
    else if (kind == Draws::OrderKind::Malformed)
        ++sample.orderMalformed;
}

} // namespace

FairnessSample fairnessSample(const Draws::History& history, qint64 lastN) {
    FairnessSample sample;
    sample.drum = Drum::mainOf(history.game);
    sample.duplicates = history.repeated;
    std::shared_ptr<FairnessSample> second;
    if (history.game.hasSecondDrum()) {
        second = std::make_shared<FairnessSample>();
        second->drum = Drum::secondOf(history.game);
    }
    for (size_t i = size_t(history.windowStart(lastN)); i < history.draws.size(); ++i) {
        if (!history.wellFormed(qint64(i))) {
            ++sample.irregular;
            continue;
        }
        const Draws::DrawnOrder& drawn = history.orders[i];
        add(sample, history.draws[i].main, drawn.main, drawn.mainKind);
        if (second)
            add(*second, history.secondOf(qint64(i)), drawn.second, drawn.secondKind);
    }
    if (second) {
        second->irregular = sample.irregular;
        second->duplicates = sample.duplicates;
        sample.second = second;
    }
    return sample;
}

} // namespace Analysis
