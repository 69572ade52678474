#include "lab/Ticket.h"

#include "game/NumberWords.h"

namespace Lab {

namespace {

BallBits bitsOfArray(const std::array<int, Lottery::kMaxBalls>& balls) {
    BallBits bits = 0;
    for (const int ball : balls)
        if (ball > 0 && ball <= Lottery::kMaxNumber)
            bits |= ballBit(ball);
    return bits;
}

Lottery::Numbers numbersOf(const std::array<int, Lottery::kMaxBalls>& balls) {
    Lottery::Numbers numbers;
    for (size_t i = 0; i < balls.size() && balls[i] != 0; ++i)
        numbers.append(balls[i]);
    return numbers;
}

void copyInto(const Lottery::Numbers& numbers, std::array<int, Lottery::kMaxBalls>& balls) {
    for (int i = 0; i < numbers.size(); ++i)
        balls[size_t(i)] = numbers[i];
}

} // namespace

BallBits bitsOf(const Lottery::Numbers& numbers) {
    BallBits bits = 0;
    for (const int ball : numbers)
        bits |= ballBit(ball);
    return bits;
}

BallBits ballsOf(const Ticket& ticket) {
    return bitsOfArray(ticket.main);
}

BallBits secondBallsOf(const Ticket& ticket) {
    return bitsOfArray(ticket.second);
}

Lottery::Ticket toGameTicket(const Ticket& ticket) {
    return {numbersOf(ticket.main), numbersOf(ticket.second)};
}

Ticket fromGameTicket(const Lottery::Ticket& ticket) {
    Ticket lab;
    copyInto(ticket.main, lab.main);
    copyInto(ticket.second, lab.second);
    return lab;
}

std::vector<std::array<int, 6>> sixNumberTickets(const std::vector<Ticket>& tickets) {
    std::vector<std::array<int, 6>> six;
    six.reserve(tickets.size());
    for (const Ticket& ticket : tickets) {
        std::array<int, 6> numbers{};
        std::copy(ticket.main.begin(), ticket.main.begin() + 6, numbers.begin());
        six.push_back(numbers);
    }
    return six;
}

QString countGenitive(int k) {
    static const char16_t* const words[] = {u"трёх", u"четырёх", u"пяти", u"шести", u"семи"};
    return k >= 3 && k <= 7 ? QString::fromUtf16(words[k - 3]) : QString::number(k);
}

QString wellFormedDrawText(const Lottery::Game& game, bool genitive) {
    QString text = genitive ? countGenitive(game.k()) + QStringLiteral(" разных чисел")
                            : Lottery::countInWords(game.k(), QStringLiteral("разное число"),
                                                    QStringLiteral("разных числа"),
                                                    QStringLiteral("разных чисел"));
    text += QStringLiteral(" от 1 до %1").arg(game.n());
    if (game.hasSecondDrum())
        text += QStringLiteral(" и %1 от 1 до %2").arg(game.k2()).arg(game.n2());
    return text;
}

QString ticketText(const Ticket& ticket, QChar separator) {
    return toGameTicket(ticket).main.text(separator);
}

} // namespace Lab
