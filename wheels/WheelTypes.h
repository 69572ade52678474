#pragma once

// Plain data of the wheel library: the request (the game, chosen numbers, guarantee, keys),
// tickets, the result of a check and of a generation, and the error raised on invalid input.
// Wheels are made for the main drum of a game: tickets of K numbers from 1..N.

#include "game/Control.h"
#include "game/Game.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace Wheels {

constexpr int kMaxKeys = 3;
// The most numbers a wheel is made on: its numbers are points of a 64-bit set.
constexpr int kMaxChosen = 64;

// The numbers on a ticket of 6 из 49, the game of a request unless it says otherwise.
constexpr std::size_t kSixFromFortyNineTicket = 6;

// The balls of a ticket, K distinct ones (3..7) in ascending order. Made without balls it holds
// the six zeros of a 6 из 49 ticket, to be filled in.
class Ticket {
public:
    Ticket() : size_(kSixFromFortyNineTicket) {}
    Ticket(std::initializer_list<int> balls) : size_(balls.size()) {
        std::size_t i = 0;
        for (const int ball : balls)
            if (i < balls_.size())
                balls_[i++] = ball;
        size_ = i;
    }
    // `size` zeros, to be filled in.
    static Ticket ofSize(int size) {
        Ticket ticket;
        ticket.size_ = std::size_t(size);
        return ticket;
    }

    std::size_t size() const { return size_; }
    int& operator[](std::size_t i) { return balls_[i]; }
    int operator[](std::size_t i) const { return balls_[i]; }
    int* begin() { return balls_.data(); }
    int* end() { return balls_.data() + size_; }
    const int* begin() const { return balls_.data(); }
    const int* end() const { return balls_.data() + size_; }

    bool operator==(const Ticket& other) const {
        return size_ == other.size_ && std::equal(begin(), end(), other.begin());
    }
    bool operator!=(const Ticket& other) const { return !(*this == other); }
    bool operator<(const Ticket& other) const {
        return std::lexicographical_compare(begin(), end(), other.begin(), other.end());
    }

private:
    std::array<int, Lottery::kMaxBalls> balls_{};
    std::size_t size_;
};

// "T if M": whenever M drawn balls are among the chosen numbers, some ticket holds T of them.
struct Guarantee {
    int t = 3;
    int m = 6;
};

struct WheelRequest {
    std::vector<int> numbers; // the chosen balls, K + 1 .. N of them (at most kMaxChosen)
    Guarantee guarantee;
    std::vector<int> keys; // 0..3 of the chosen balls, held by every ticket
    // Its main drum: tickets of K numbers from 1..N (6 из 49 unless set).
    Lottery::Game game = Lottery::Game();

    int ticketSize() const { return game.k(); }
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

// The stop flag and the progress report come with Lottery::Control.
struct GenerateOptions : Lottery::Control<GenerateProgress> {
    // The time budget of the whole generation (0: none), the starting wheel and the final check
    // included; a starting wheel that takes longer is still completed.
    double seconds = 10.0;
    std::uint64_t maxMoves = 0; // move budget (0: none), for results that do not depend on time
    std::uint64_t seed = 1;
    bool useReadyWheels = true; // start from a shipped wheel or a split of them when one fits
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
