#pragma once

#include "runtime/AppError.h"

#include <QString>
#include <vector>

// What a lottery game is: a main drum of K balls drawn from 1..N, perhaps a
// second drum of K2 balls from 1..N2 drawn apart, and the prize categories.
// Written "K/N" or "K/N+K2/N2" on the command line, shown «K из N» or
// «K из N + K2 из N2».
namespace Lottery {

constexpr int kMinBalls = 3;   // K at least
constexpr int kMaxBalls = 7;   // K at most; K2 at most K
constexpr int kMaxNumber = 90; // N and N2 at most

// A description that is not a game, or a category list that does not fit
// it. The message is for the user as it stands.
class GameError : public AppError {
public:
    using AppError::AppError;
};

// A prize category: exactly `main` matches of the main drum and exactly
// `second` of the second. In a one-drum game `second` is 0.
struct Category {
    int main = 0;
    int second = 0;

    // "4" or "4+1" (a two-drum category without second matches is "4").
    QString key() const;
    // The same for a column name: "4" or "4p1" (ch4p1, chv4p1).
    QString columnKey() const;

    bool operator==(const Category& other) const {
        return main == other.main && second == other.second;
    }
    bool operator!=(const Category& other) const { return !(*this == other); }
    // Better first: more main matches, then more second ones.
    bool betterThan(const Category& other) const {
        return main != other.main ? main > other.main : second > other.second;
    }
};

class Game {
public:
    // «6 из 49» with its categories 6, 5, 4, 3: the game of every database
    // that records none.
    Game();

    // The game of K balls from 1..N and, when k2 > 0, K2 from 1..N2, with the
    // default categories and its display name. Throws GameError for sizes out
    // of range.
    static Game make(int k, int n, int k2 = 0, int n2 = 0);
    // "K/N" or "K/N+K2/N2" (blanks allowed, "из" for "/"). Throws GameError
    // with a message that says what is wrong.
    static Game parse(const QString& text);

    int k() const { return m_k; }
    int n() const { return m_n; }
    int k2() const { return m_k2; } // 0 without a second drum
    int n2() const { return m_n2; }
    bool hasSecondDrum() const { return m_k2 > 0; }

    // "5/36", "5/45+1/20".
    QString code() const;
    // «5 из 36», «5 из 45 + 1 из 20».
    QString displayName() const;

    // The user's name of the game; the display name unless one was given.
    QString name() const { return m_name.isEmpty() ? displayName() : m_name; }
    bool hasOwnName() const { return !m_name.isEmpty(); }
    // Blanks around it dropped; at most 100 characters, no control
    // characters. Throws GameError otherwise.
    void setName(const QString& name);

    // The prize categories, best first.
    const std::vector<Category>& categories() const { return m_categories; }
    int categoryIndex(const Category& category) const; // -1 when not one of them
    // Replaces them; they are sorted best first. Throws GameError for none, a
    // repeated one, or one the game cannot have.
    void setCategories(std::vector<Category> categories);
    // "5+1,5,4+1" read after the game's rules (commas, semicolons or blanks
    // between; "m" in a two-drum game is "m+0"). Throws GameError.
    std::vector<Category> parseCategories(const QString& list) const;
    // The categories as parseCategories reads them back: "6,5,4,3".
    QString categoriesText() const;
    // The default: every m from K/2 rounded up to K, each with every count of
    // second matches from K2 down to 0 ("6,5,4,3" for 6 из 49).
    static std::vector<Category> defaultCategories(int k, int k2);

    // 6 из 49 with exactly the categories 6, 5, 4, 3: the game of the
    // program's original tables, which the windows show.
    bool isSixFromFortyNine() const;

    // Same drums and categories (names aside).
    bool sameRules(const Game& other) const;

private:
    Game(int k, int n, int k2, int n2);
    int m_k = 6;
    int m_n = 49;
    int m_k2 = 0;
    int m_n2 = 0;
    QString m_name;
    std::vector<Category> m_categories;
};

} // namespace Lottery
