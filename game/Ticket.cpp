#include "game/Ticket.h"

#include "game/NumberWords.h"

#include <QStringList>
#include <algorithm>

namespace Lottery {

Numbers::Numbers(std::initializer_list<int> numbers) {
    for (const int n : numbers)
        append(n);
}

Numbers Numbers::sorted() const {
    // Insertion sort: seven numbers at most.
    Numbers copy = *this;
    quint8* v = copy.m_values.data();
    const int size = std::min<int>(m_size, kMaxBalls);
    for (int i = 1; i < size; ++i) {
        const quint8 x = v[i];
        int j = i;
        for (; j > 0 && v[j - 1] > x; --j)
            v[j] = v[j - 1];
        v[j] = x;
    }
    return copy;
}

BallSet Numbers::set() const {
    BallSet set;
    for (const quint8 n : *this)
        set.add(n);
    return set;
}

QString Numbers::text(QChar separator) const {
    QString text;
    for (const quint8 n : *this) {
        if (!text.isEmpty())
            text += separator;
        text += QString::number(n);
    }
    return text;
}

bool Numbers::operator==(const Numbers& other) const {
    return m_size == other.m_size && std::equal(begin(), end(), other.begin());
}

bool Numbers::operator<(const Numbers& other) const {
    return std::lexicographical_compare(begin(), end(), other.begin(), other.end());
}

namespace {

QString drumProblem(const Numbers& numbers, int k, int n, const QString& drum) {
    if (numbers.size() != k)
        return QStringLiteral("нужно %1%2, а найдено %3")
            .arg(numbersInWords(k), drum)
            .arg(numbers.size());
    BallSet seen;
    for (const quint8 ball : numbers) {
        if (ball < 1 || ball > n)
            return QStringLiteral("число %1 вне диапазона от 1 до %2%3").arg(ball).arg(n).arg(drum);
        if (seen.contains(ball))
            return QStringLiteral("число %1 повторяется%2").arg(ball).arg(drum);
        seen.add(ball);
    }
    return {};
}

} // namespace

QString ticketProblem(const Game& game, const Numbers& main, const Numbers& second) {
    const QString problem = drumProblem(main, game.k(), game.n(), QString());
    if (!problem.isEmpty() || !game.hasSecondDrum())
        return problem.isEmpty() && !second.isEmpty()
                   ? QStringLiteral("в игре «%1» нет второго барабана").arg(game.displayName())
                   : problem;
    return drumProblem(second, game.k2(), game.n2(), QStringLiteral(" второго барабана"));
}

} // namespace Lottery
