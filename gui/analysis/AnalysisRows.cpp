#include "gui/analysis/AnalysisRows.h"

#include "analysis/BallStats.h"
#include "analysis/MyBets.h"
#include "analysis/PairStats.h"
#include "runtime/DisplayForms.h"

#include <QLocale>

namespace AnalysisRows {

using namespace Analysis;

const QString kHotMark = QStringLiteral("▲");
const QString kColdMark = QStringLiteral("▼");
const QColor kHotColour(255, 200, 190);
const QColor kColdColour(196, 218, 255);
const QColor kWinColour(200, 240, 200);
const QColor kMissingColour(232, 232, 232);
const QString kDrawNotFound = QStringLiteral("тираж не найден");

namespace {

const QLocale& russian() {
    static const QLocale locale(QLocale::Russian, QLocale::Russia);
    return locale;
}

// Counts and amounts with digit grouping.
AnalysisCell number(qint64 value) {
    return {russian().toString(value), value};
}

// Draw numbers and balls as plain digits.
AnalysisCell plain(qint64 value) {
    return {QString::number(value), value};
}

AnalysisCell optionalPlain(const std::optional<qint64>& value) {
    return value ? plain(*value) : AnalysisCell{};
}

AnalysisCell decimal(double value) {
    return {twoDecimals(value), value};
}

QString drawsWord(qint64 n) {
    const qint64 tens = n % 100;
    const qint64 ones = n % 10;
    if (tens >= 11 && tens <= 14)
        return QStringLiteral("тиражей");
    if (ones == 1)
        return QStringLiteral("тираж");
    if (ones >= 2 && ones <= 4)
        return QStringLiteral("тиража");
    return QStringLiteral("тиражей");
}

AnalysisRow betRow(const BetResult& bet) {
    AnalysisRow row;
    row.cells.push_back(optionalPlain(bet.tir));
    row.cells.push_back({displayText(bet.date, DisplayForm::Date),
                         bet.date.isEmpty() ? QVariant() : QVariant(bet.date)});
    for (const auto& n : bet.numbers)
        row.cells.push_back(optionalPlain(n));
    if (!bet.drawFound) {
        row.cells.push_back({});
        row.cells.push_back({kDrawNotFound, qint64(-1)});
        row.background = kMissingColour;
        row.toolTip = QStringLiteral("Тиража с этим номером нет в базе");
        return row;
    }
    row.cells.push_back(
        {QString::number(bet.matches) + (bet.drawIrregular ? QStringLiteral(" *") : QString()),
         bet.matches});
    if (bet.wins()) {
        row.cells.push_back(bet.prize ? number(*bet.prize)
                                      : AnalysisCell{QStringLiteral("нет суммы"), qint64(0)});
        row.background = kWinColour;
    } else {
        row.cells.push_back({QString(), qint64(0)});
    }
    if (bet.drawIrregular)
        row.toolTip = QStringLiteral("* В тираже не шесть разных шаров от 1 до 49: "
                                     "совпадения считаются по тем шарам, что в нём есть");
    return row;
}

} // namespace

QString twoDecimals(double value) {
    return russian().toString(value, 'f', 2);
}

QString money(qint64 kopecks, bool withSign) {
    const qint64 whole = kopecks / 100;
    const qint64 part = kopecks % 100;
    QString text = russian().toString(qAbs(whole));
    if (part != 0)
        text += QStringLiteral(",%1").arg(qAbs(part), 2, 10, QLatin1Char('0'));
    if (kopecks < 0)
        text.prepend(QLatin1Char('-'));
    else if (withSign && kopecks > 0)
        text.prepend(QLatin1Char('+'));
    return text + QStringLiteral(" руб.");
}

QStringList betHeader() {
    return {QStringLiteral("Тираж"),  QStringLiteral("Дата"), QStringLiteral("1"),
            QStringLiteral("2"),      QStringLiteral("3"),    QStringLiteral("4"),
            QStringLiteral("5"),      QStringLiteral("6"),    QStringLiteral("Угадано"),
            QStringLiteral("Выигрыш")};
}

std::vector<AnalysisRow> betRows(const BetTable& bets) {
    std::vector<AnalysisRow> rows;
    rows.reserve(bets.rows.size());
    for (const BetResult& bet : bets.rows)
        rows.push_back(betRow(bet));
    return rows;
}

QString betTotalsText(const BetTotals& totals, qint64 priceKopecks) {
    QStringList lines;
    QString bets = QStringLiteral("Ставок: %1").arg(totals.bets);
    if (totals.drawNotFound > 0)
        bets += QStringLiteral(", из них тираж не найден: %1").arg(totals.drawNotFound);
    lines << bets;
    lines << QStringLiteral("Выигрышных: %1 (6 угадано: %2, 5 угадано: %3, 4 угадано: %4, "
                            "3 угадано: %5)")
                 .arg(totals.winningBets())
                 .arg(totals.winning[6])
                 .arg(totals.winning[5])
                 .arg(totals.winning[4])
                 .arg(totals.winning[3]);
    QString won = QStringLiteral("Выиграно: %1").arg(money(totals.wonKopecks()));
    if (totals.winsWithoutPrize > 0)
        won +=
            QStringLiteral(" (и ещё выигрышей без суммы в базе: %1)").arg(totals.winsWithoutPrize);
    lines << won;
    if (priceKopecks > 0)
        lines << QStringLiteral("Потрачено: %1 (по %2 за ставку), итог: %3")
                     .arg(money(totals.spentKopecks(priceKopecks)), money(priceKopecks),
                          money(totals.netKopecks(priceKopecks), true));
    return lines.join(QLatin1Char('\n'));
}

QStringList ballHeader(qint64 lastN, bool all) {
    // The long titles take two lines, so that the table fits a small screen.
    return {QStringLiteral("Шар"),
            QStringLiteral("Выпал, раз"),
            QStringLiteral("На 100\nтиражей"),
            QStringLiteral("Ожидается\nна 100"),
            QStringLiteral("Задержка"),
            QStringLiteral("Макс.\nзадержка"),
            QStringLiteral("Средняя\nзадержка"),
            all ? QStringLiteral("За все тиражи") : QStringLiteral("За последние %1").arg(lastN)};
}

std::vector<AnalysisRow> ballRows(const BallTable& balls) {
    std::vector<AnalysisRow> rows;
    rows.reserve(balls.balls.size());
    for (const BallStat& s : balls.balls) {
        AnalysisRow row;
        QString ball = QString::number(s.ball);
        if (s.hot) {
            ball += QLatin1Char(' ') + kHotMark;
            row.background = kHotColour;
            row.toolTip = QStringLiteral("Горячий шар");
        } else if (s.cold) {
            ball += QLatin1Char(' ') + kColdMark;
            row.background = kColdColour;
            row.toolTip = QStringLiteral("Холодный шар");
        }
        row.cells = {{ball, s.ball},
                     number(s.hits),
                     decimal(s.per100),
                     decimal(balls.expectedPer100),
                     number(s.delay),
                     number(s.maxDelay),
                     s.meanDelay ? decimal(*s.meanDelay) : AnalysisCell{QStringLiteral("—"), {}},
                     number(s.hitsLastN)};
        rows.push_back(std::move(row));
    }
    return rows;
}

QString ballSummaryText(const BallTable& balls, bool all) {
    // Counts with Russian digit grouping, as the main window shows amounts.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QString text =
        QStringLiteral("В базе %1 %2.").arg(russian.toString(balls.draws), drawsWord(balls.draws));
    const QString window =
        all ? QStringLiteral("за все тиражи")
            : QStringLiteral("за последние %1 %2").arg(balls.lastN).arg(drawsWord(balls.lastN));
    text += QStringLiteral(" %1 горячие и %2 холодные — по %3 шаров с наибольшим и наименьшим "
                           "числом выпадений %4.")
                .arg(kHotMark, kColdMark)
                .arg(kHotColdCount)
                .arg(window);
    if (balls.irregular > 0)
        text += QStringLiteral(" Тиражей не из шести разных шаров 1–49: %1 (в них учтены только "
                               "верные шары).")
                    .arg(russian.toString(balls.irregular));
    return text;
}

QStringList pairHeader() {
    return {QStringLiteral("Шар 1"), QStringLiteral("Шар 2"), QStringLiteral("Вместе, раз")};
}

std::vector<AnalysisRow> pairRows(const PairTable& pairs) {
    std::vector<AnalysisRow> rows;
    rows.reserve(pairs.pairs.size());
    for (const PairCount& p : pairs.pairs)
        rows.push_back({{plain(p.ball1), plain(p.ball2), number(p.hits)}, {}, {}});
    return rows;
}

} // namespace AnalysisRows
