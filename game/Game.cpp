#include "game/Game.h"

#include <QStringList>
#include <algorithm>

namespace Lottery {

namespace {

QString gameHint() {
    return QStringLiteral("ожидается K/N или K/N+K2/N2, например 5/36 или 5/45+1/20");
}

[[noreturn]] void failGame(const QString& text) {
    throw GameError(text);
}

// A whole number of at most three digits, else -1.
int smallNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 3)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// One drum written "K/N"; whole is the game as the user wrote it, for the message.
std::pair<int, int> parseDrum(const QString& part, const QString& whole) {
    const QStringList sides = part.split(QLatin1Char('/'));
    const int k = sides.size() == 2 ? smallNumber(sides[0]) : -1;
    const int n = sides.size() == 2 ? smallNumber(sides[1]) : -1;
    if (k < 0 || n < 0)
        failGame(QStringLiteral("«%1» — не игра: %2").arg(whole.left(40), gameHint()));
    return {k, n};
}

void checkSizes(int k, int n, int k2, int n2) {
    if (k < kMinBalls || k > kMaxBalls)
        failGame(QStringLiteral("в основном барабане вытягивается от %1 до %2 шаров, а указано %3")
                     .arg(kMinBalls)
                     .arg(kMaxBalls)
                     .arg(k));
    if (n <= k || n > kMaxNumber)
        failGame(QStringLiteral("шаров в основном барабане должно быть больше %1 и не больше %2, "
                                "а указано %3")
                     .arg(k)
                     .arg(kMaxNumber)
                     .arg(n));
    if (k2 == 0 && n2 == 0)
        return;
    if (k2 < 1 || k2 > k)
        failGame(QStringLiteral("во втором барабане вытягивается от 1 до %1 шаров (не больше, чем "
                                "в основном), а указано %2")
                     .arg(k)
                     .arg(k2));
    if (n2 <= k2 || n2 > kMaxNumber)
        failGame(QStringLiteral("шаров во втором барабане должно быть больше %1 и не больше %2, "
                                "а указано %3")
                     .arg(k2)
                     .arg(kMaxNumber)
                     .arg(n2));
}

} // namespace

QString Category::key() const {
    return second > 0 ? QStringLiteral("%1+%2").arg(main).arg(second) : QString::number(main);
}

QString Category::columnKey() const {
    return second > 0 ? QStringLiteral("%1p%2").arg(main).arg(second) : QString::number(main);
}

Game::Game() : m_categories(defaultCategories(6, 0)) {}

Game::Game(int k, int n, int k2, int n2)
    : m_k(k), m_n(n), m_k2(k2), m_n2(n2), m_categories(defaultCategories(k, k2)) {}

Game Game::make(int k, int n, int k2, int n2) {
    checkSizes(k, n, k2, n2);
    return Game(k, n, k2, n2);
}

Game Game::parse(const QString& text) {
    QString compact = text;
    compact.replace(QStringLiteral("из"), QStringLiteral("/"), Qt::CaseInsensitive);
    compact.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    if (compact.isEmpty())
        failGame(QStringLiteral("не указана игра: ") + gameHint());
    const QStringList drums = compact.split(QLatin1Char('+'));
    if (drums.size() > 2)
        failGame(QStringLiteral("«%1» — не игра: барабанов не больше двух; %2")
                     .arg(text.left(40), gameHint()));
    const auto [k, n] = parseDrum(drums[0], text);
    int k2 = 0;
    int n2 = 0;
    if (drums.size() == 2)
        std::tie(k2, n2) = parseDrum(drums[1], text);
    if (drums.size() == 2 && k2 == 0)
        failGame(QStringLiteral("во втором барабане вытягивается хотя бы один шар"));
    return make(k, n, k2, n2);
}

QString Game::code() const {
    QString text = QStringLiteral("%1/%2").arg(m_k).arg(m_n);
    if (hasSecondDrum())
        text += QStringLiteral("+%1/%2").arg(m_k2).arg(m_n2);
    return text;
}

QString Game::displayName() const {
    QString text = QStringLiteral("%1 из %2").arg(m_k).arg(m_n);
    if (hasSecondDrum())
        text += QStringLiteral(" + %1 из %2").arg(m_k2).arg(m_n2);
    return text;
}

void Game::setName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.size() > 100)
        failGame(QStringLiteral("название игры длиннее 100 знаков"));
    for (const QChar c : trimmed)
        if (c.category() == QChar::Other_Control)
            failGame(QStringLiteral("в названии игры есть управляющие знаки"));
    m_name = trimmed;
}

int Game::categoryIndex(const Category& category) const {
    const auto found = std::find(m_categories.begin(), m_categories.end(), category);
    return found == m_categories.end() ? -1 : int(found - m_categories.begin());
}

void Game::setCategories(std::vector<Category> categories) {
    if (categories.empty())
        failGame(QStringLiteral("не указано ни одной категории выигрыша"));
    for (const Category& c : categories) {
        if (c.main < 0 || c.main > m_k || c.second < 0 || c.second > m_k2)
            failGame(QStringLiteral("категории «%1» в игре «%2» не бывает: совпасть может от 0 "
                                    "до %3 шаров основного барабана%4")
                         .arg(c.key(), displayName())
                         .arg(m_k)
                         .arg(hasSecondDrum() ? QStringLiteral(" и от 0 до %1 второго").arg(m_k2)
                                              : QString()));
        if (c.main + c.second == 0)
            failGame(QStringLiteral("категория «0» — это ни одного совпадения"));
    }
    std::sort(categories.begin(), categories.end(),
              [](const Category& a, const Category& b) { return a.betterThan(b); });
    const auto twice = std::adjacent_find(categories.begin(), categories.end());
    if (twice != categories.end())
        failGame(QStringLiteral("категория «%1» указана дважды").arg(twice->key()));
    m_categories = std::move(categories);
}

std::vector<Category> Game::parseCategories(const QString& list) const {
    std::vector<Category> categories;
    QString normalized = list;
    normalized.replace(QLatin1Char(';'), QLatin1Char(','))
        .replace(QLatin1Char(' '), QLatin1Char(','));
    const QStringList items = normalized.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (items.size() > 64)
        failGame(QStringLiteral("категорий больше 64"));
    for (const QString& item : items) {
        const QStringList parts = item.split(QLatin1Char('+'));
        const int main = smallNumber(parts[0]);
        const int second = parts.size() == 2 ? smallNumber(parts[1]) : 0;
        if (main < 0 || second < 0 || parts.size() > 2)
            failGame(QStringLiteral("«%1» — не категория: ожидается число совпадений, например "
                                    "«4», или пара «4+1» для игры с двумя барабанами")
                         .arg(item.left(20)));
        if (parts.size() == 2 && !hasSecondDrum())
            failGame(QStringLiteral("категория «%1»: в игре «%2» нет второго барабана")
                         .arg(item.left(20), displayName()));
        categories.push_back({main, second});
    }
    Game check = *this;
    check.setCategories(categories);
    return check.m_categories;
}

QString Game::categoriesText() const {
    QStringList keys;
    for (const Category& c : m_categories)
        keys.append(c.key());
    return keys.join(QLatin1Char(','));
}

std::vector<Category> Game::defaultCategories(int k, int k2) {
    std::vector<Category> categories;
    for (int main = k; main >= (k + 1) / 2; --main)
        for (int second = k2; second >= 0; --second)
            categories.push_back({main, second});
    return categories;
}

bool Game::isSixFromFortyNine() const {
    return sameRules(Game());
}

bool Game::sameRules(const Game& other) const {
    return m_k == other.m_k && m_n == other.m_n && m_k2 == other.m_k2 && m_n2 == other.m_n2 &&
           m_categories == other.m_categories;
}

} // namespace Lottery
