#pragma once

// Plain data of the wheel library: the request (chosen numbers, guarantee, keys), tickets, the
// result of a check and of a generation, and the error raised on invalid input.

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

namespace Wheels {

constexpr int kBalls = 49;
constexpr int kTicketSize = 6;
constexpr int kMinNumbers = 7;
constexpr int kMaxKeys = 3;

// Six distinct balls 1..49 in ascending order.
using Ticket = std::array<int, kTicketSize>;

// "T if M": whenever M drawn balls are among the chosen numbers, some ticket holds T of them.
struct Guarantee {
    int t = 3;
    int m = 6;
};

struct WheelRequest {
    std::vector<int> numbers; // the chosen balls, 7..49 of them
    Guarantee guarantee;
    std::vector<int> keys; // 0..3 of the chosen balls, held by every ticket
};

struct CheckResult {
    std::uint64_t totalSets = 0;   // M-sets of the chosen numbers (those holding all keys)
    std::uint64_t coveredSets = 0; // of them, those some ticket meets in at least T balls
    std::vector<std::vector<int>> firstUncovered; // in ascending order, a few at most
    bool finished = true;                         // false when stopped before the end

    bool guaranteed() const { return finished && coveredSets == totalSets; }
    double share() const { return totalSets ? double(coveredSets) / double(totalSets) : 1.0; }
};

// Why a search ended.
enum class SearchEnd {
    Budget,     // its time or moves were spent
    Stopped,    // by the stop flag
    LowerBound, // the wheel is as small as the proven lower bound allows
    NoMoveLeft, // no exchange can cover what is left uncovered
};

struct GenerateProgress {
    int bestSize = 0;        // tickets in the best checked wheel so far
    double seconds = 0;      // since the start
    std::uint64_t moves = 0; // local-search moves made so far
};

struct GenerateOptions {
    // The time budget of the whole generation (0: none), the starting wheel and the final check
    // included; a starting wheel that takes longer is still completed.
    double seconds = 10.0;
    std::uint64_t maxMoves = 0; // move budget (0: none), for results that do not depend on time
    std::uint64_t seed = 1;
    bool useReadyWheels = true; // start from a shipped wheel or a split of them when one fits
    const std::atomic<bool>* stop = nullptr;
    std::function<void(const GenerateProgress&)> progress;
};

struct GenerateResult {
    std::vector<Ticket> tickets; // always a wheel whose check passed
    CheckResult check;
    QString method;    // how the starting wheel was made, in words for the user
    int startSize = 0; // tickets before the local search
    double seconds = 0;
    std::uint64_t moves = 0;
    std::uint64_t lowerBound = 0; // the proven lower bound used to end the search early
    SearchEnd end = SearchEnd::Budget;
    bool stopped = false; // by the stop flag
};

// Invalid input: the message is meant for the user as it is.
class WheelError : public std::runtime_error {
public:
    explicit WheelError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace Wheels
