#include "history/HistoryColumns.h"

#include "history/HistoryValues.h"

#include <QRegularExpression>

namespace HistoryColumns {

namespace {

using Role = Column::Role;

// Index marks of a column before it is placed.
constexpr int kNotPlaced = -1;
constexpr int kUnknownCategory = -2;

// The category named after a prefix: "5", "4+1" or "4p1"; -1 when the rest
// is not one of the game's categories.
int categoryAfter(const QString& rest, const Lottery::Game& game) {
    QString key = rest;
    key.replace(QLatin1Char('p'), QLatin1Char('+'));
    const QStringList parts = key.split(QLatin1Char('+'));
    bool ok = !key.isEmpty() && parts.size() <= 2;
    Lottery::Category category;
    category.main = ok ? parts[0].toInt(&ok) : 0;
    if (ok && parts.size() == 2)
        category.second = parts[1].toInt(&ok);
    return ok ? game.categoryIndex(category) : -1;
}

// A header word's role, lower case without blanks, underscores and dashes.
Column fromWord(QString word, const Lottery::Game& game) {
    static const QRegularExpression mainBall(
        QStringLiteral("^(b|s|ball|шар|n|num|number|число)?(\\d{1,2})$"));
    static const QRegularExpression secondBall(
        QStringLiteral("^(x|bonus|доп|допшар|extra|star|звезда)(\\d{0,2})$"));
    word = word.toLower();
    word.remove(QLatin1Char(' ')).remove(QLatin1Char('_')).remove(QLatin1Char('-'));
    for (const char* prefix : {"prize", "приз", "winners", "победители"}) {
        const QString p = QString::fromUtf8(prefix);
        if (word.startsWith(p) && word.size() > p.size()) {
            const int index = categoryAfter(word.mid(p.size()), game);
            const bool winners =
                p == QLatin1String("winners") || p.startsWith(QStringLiteral("поб"));
            return index < 0 ? Column{Role::Skip, kUnknownCategory}
                             : Column{winners ? Role::Winners : Role::Prize, index};
        }
    }
    for (const char* w : {"дата", "date", "data"})
        if (word.contains(QString::fromUtf8(w)))
            return {Role::Date, 0};
    for (const char* w : {"тираж", "draw", "tir", "№", "номер"})
        if (word.contains(QString::fromUtf8(w)))
            return {Role::Tir, 0};
    if (mainBall.match(word).hasMatch())
        return {Role::Main, 0};
    if (game.hasSecondDrum() && secondBall.match(word).hasMatch())
        return {Role::Second, 0};
    return {Role::Skip, kNotPlaced};
}

// "b3", "x1": the letter and digits.
bool isNumbered(const QString& item, char16_t letter) {
    if (item.size() < 2 || item.size() > 4 || item.front() != QChar(letter))
        return false;
    for (qsizetype i = 1; i < item.size(); ++i)
        if (!item.at(i).isDigit())
            return false;
    return true;
}

[[noreturn]] void failColumn(int column, const QString& name, const QString& what) {
    throw HeaderError(what, column + 1, name);
}

QString placeHint() {
    return QStringLiteral("укажите столбцы параметром --columns (например "
                          "--columns date,tir,b1,b2,b3,b4,b5,-; «-» пропускает столбец)");
}

} // namespace

std::vector<Column> parseList(const QString& list, const Lottery::Game& game) {
    std::vector<Column> columns;
    const QStringList items = list.split(QLatin1Char(','));
    if (items.size() > 256)
        throw ListError(QStringLiteral("в --columns больше 256 столбцов"));
    std::vector<int> seenMain(size_t(game.k()), 0), seenSecond(size_t(game.k2()), 0);
    std::vector<int> seenCategory(game.categories().size() * 2, 0);
    int dates = 0, tirs = 0;
    for (const QString& raw : items) {
        const QString item = raw.trimmed().toLower();
        Column column;
        const auto position = [&](const QString& prefix, int count) {
            bool ok = false;
            const int i = item.mid(prefix.size()).toInt(&ok);
            if (!ok || i < 1 || i > count)
                throw ListError(QStringLiteral("«%1» в --columns: номер шара от 1 до %2")
                                    .arg(raw.trimmed().left(20))
                                    .arg(count));
            return i - 1;
        };
        if (item == QLatin1String("-")) {
            column = {Role::Skip, 0};
        } else if (item == QLatin1String("date")) {
            column = {Role::Date, 0};
            ++dates;
        } else if (item == QLatin1String("tir")) {
            column = {Role::Tir, 0};
            ++tirs;
        } else if (item.startsWith(QLatin1String("prize")) ||
                   item.startsWith(QLatin1String("winners"))) {
            const bool winners = item.startsWith(QLatin1String("winners"));
            const int index = categoryAfter(item.mid(winners ? 7 : 5), game);
            if (index < 0)
                throw ListError(
                    QStringLiteral("«%1» в --columns: в игре «%2» нет такой категории "
                                   "(категории: %3)")
                        .arg(raw.trimmed().left(20), game.displayName(), game.categoriesText()));
            column = {winners ? Role::Winners : Role::Prize, index};
            if (++seenCategory[size_t(index) * 2 + (winners ? 1 : 0)] > 1)
                throw ListError(QStringLiteral("«%1» указан в --columns дважды").arg(item));
        } else if (isNumbered(item, u'b')) {
            column = {Role::Main, position(QStringLiteral("b"), game.k())};
            if (++seenMain[size_t(column.index)] > 1)
                throw ListError(QStringLiteral("«%1» указан в --columns дважды").arg(item));
        } else if (isNumbered(item, u'x') && game.hasSecondDrum()) {
            column = {Role::Second, position(QStringLiteral("x"), game.k2())};
            if (++seenSecond[size_t(column.index)] > 1)
                throw ListError(QStringLiteral("«%1» указан в --columns дважды").arg(item));
        } else {
            throw ListError(QStringLiteral("«%1» в --columns — не столбец: date, tir, b1…b%2%3, "
                                           "prize<категория>, winners<категория> или -")
                                .arg(raw.trimmed().left(20))
                                .arg(game.k())
                                .arg(game.hasSecondDrum()
                                         ? QStringLiteral(", x1…x%1").arg(game.k2())
                                         : QString()));
        }
        columns.push_back(column);
    }
    if (dates != 1 || tirs > 1)
        throw ListError(dates != 1 ? QStringLiteral("в --columns нужен ровно один столбец date")
                                   : QStringLiteral("столбец tir указан в --columns дважды"));
    for (int i = 0; i < game.k(); ++i)
        if (!seenMain[size_t(i)])
            throw ListError(QStringLiteral("в --columns нет столбца b%1").arg(i + 1));
    for (int i = 0; i < game.k2(); ++i)
        if (!seenSecond[size_t(i)])
            throw ListError(QStringLiteral("в --columns нет столбца x%1").arg(i + 1));
    return columns;
}

Plan plan(const std::vector<QString>& header, const std::vector<QByteArrayView>& firstRow,
          const Lottery::Game& game, const std::vector<Column>& given) {
    Plan plan;
    const int count = int(header.size());
    if (!given.empty()) {
        if (int(given.size()) != count)
            throw HeaderError(QStringLiteral("в --columns %1 столбцов, а в заголовке файла %2")
                                  .arg(given.size())
                                  .arg(count),
                              0, QString());
        plan.columns = given;
    } else {
        plan.columns.resize(size_t(count));
        for (int i = 0; i < count; ++i)
            plan.columns[size_t(i)] = fromWord(header[size_t(i)], game);
        // Columns without a word of their own: by their first value.
        std::vector<int> numbers;
        bool hasTir = false, hasDate = false;
        int named = 0;
        for (const Column& c : plan.columns) {
            hasTir = hasTir || c.role == Role::Tir;
            hasDate = hasDate || c.role == Role::Date;
            named += c.role == Role::Main || c.role == Role::Second;
        }
        for (int i = 0; i < count; ++i) {
            Column& c = plan.columns[size_t(i)];
            if (c.index == kUnknownCategory)
                failColumn(i, header[size_t(i)],
                           QStringLiteral("в игре «%1» нет такой категории (категории: %2)")
                               .arg(game.displayName(), game.categoriesText()));
            if (c.role != Role::Skip || c.index != kNotPlaced)
                continue;
            const QByteArrayView value =
                size_t(i) < firstRow.size() ? firstRow[size_t(i)] : QByteArrayView();
            if (!hasDate && HistoryValues::date(value)) {
                c = {Role::Date, 0};
                hasDate = true;
            } else if (HistoryValues::whole(value)) {
                numbers.push_back(i);
            } else if (header[size_t(i)].trimmed().isEmpty() && i == count - 1) {
                c = {Role::Skip, 0}; // a separator at the end of every line
            } else {
                failColumn(i, header[size_t(i)],
                           QStringLiteral("не понятно, что в нём; ") + placeHint());
            }
        }
        const int balls = game.k() + game.k2();
        size_t next = 0;
        if (!hasTir && !numbers.empty() && named + int(numbers.size()) == balls + 1)
            plan.columns[size_t(numbers[next++])] = {Role::Tir, 0};
        int mains = 0, seconds = 0;
        for (const Column& c : plan.columns) {
            mains += c.role == Role::Main;
            seconds += c.role == Role::Second;
        }
        for (; next < numbers.size(); ++next) {
            Column& c = plan.columns[size_t(numbers[next])];
            if (mains < game.k()) {
                c = {Role::Main, 0};
                ++mains;
            } else if (seconds < game.k2()) {
                c = {Role::Second, 0};
                ++seconds;
            } else {
                failColumn(
                    numbers[next], header[size_t(numbers[next])],
                    QStringLiteral("лишний столбец чисел: шары игры «%1» уже все найдены; %2")
                        .arg(game.displayName(), placeHint()));
            }
        }
        // Balls in the order of their columns.
        int main = 0, second = 0;
        for (Column& c : plan.columns)
            if (c.role == Role::Main)
                c.index = main++;
            else if (c.role == Role::Second)
                c.index = second++;
        if (main != game.k() || second != game.k2())
            throw HeaderError(
                QStringLiteral("найдено столбцов шаров: %1%2, а в игре «%3» шаров %4%5; %6")
                    .arg(main)
                    .arg(game.hasSecondDrum() ? QStringLiteral(" и %1 второго барабана").arg(second)
                                              : QString(),
                         game.displayName())
                    .arg(game.k())
                    .arg(game.hasSecondDrum() ? QStringLiteral(" и %1").arg(game.k2()) : QString(),
                         placeHint()),
                0, QString());
    }
    std::vector<bool> categorySeen(game.categories().size() * 2);
    for (int i = 0; i < count; ++i) {
        const Column& c = plan.columns[size_t(i)];
        if (c.role == Role::Winners || c.role == Role::Prize) {
            const size_t seen = size_t(c.index) * 2 + (c.role == Role::Winners);
            if (categorySeen[seen])
                failColumn(i, header[size_t(i)], QStringLiteral("второй столбец той же категории"));
            categorySeen[seen] = true;
        }
        if (c.role == Role::Date) {
            if (plan.dateColumn >= 0)
                failColumn(i, header[size_t(i)],
                           QStringLiteral("второй столбец даты; ") + placeHint());
            plan.dateColumn = i;
        } else if (c.role == Role::Tir) {
            if (plan.tirColumn >= 0)
                failColumn(i, header[size_t(i)],
                           QStringLiteral("второй столбец номера тиража; ") + placeHint());
            plan.tirColumn = i;
        }
        plan.hasWinners = plan.hasWinners || c.role == Role::Winners;
        plan.hasPrizes = plan.hasPrizes || c.role == Role::Prize;
    }
    if (plan.dateColumn < 0)
        throw HeaderError(QStringLiteral("нет столбца даты (заголовок «дата» или «date», или "
                                         "значения вида 2024-01-31 или 31.01.2024); ") +
                              placeHint(),
                          0, QString());
    return plan;
}

} // namespace HistoryColumns
