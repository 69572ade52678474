#include "cli/FilterOptions.h"

#include "cli/CliCommand.h"
#include "lab/FilterText.h"

#include <QLocale>
#include <tuple>

namespace FilterOptions {

namespace {

QCommandLineOption valued(const char* name, const QString& description, const QString& value) {
    return QCommandLineOption(QLatin1String(name), description, value);
}

// "--name" for messages.
QString dashed(const char* name) {
    return QStringLiteral("--") + QLatin1String(name);
}

} // namespace

QList<QCommandLineOption> options() {
    const QString range = QStringLiteral("A-B");
    return {
        valued("sum", QStringLiteral("Сумма чисел билета от A до B."), range),
        valued("odd", QStringLiteral("Нечётных чисел от A до B."), range),
        valued("low", QStringLiteral("Малых чисел (1-24 в 6 из 49; 1..N/2) от A до B."), range),
        valued("max-run", QStringLiteral("Не больше R чисел подряд (1 — нет соседних)."),
               QStringLiteral("R")),
        valued("decade-max",
               QStringLiteral("Не больше D чисел в одном десятке (1-9, 10-19, ..., до N)."),
               QStringLiteral("D")),
        valued("include", QStringLiteral("Все эти числа есть в билете (через запятую)."),
               QStringLiteral("список")),
        valued("exclude", QStringLiteral("Ни одного из этих чисел нет в билете."),
               QStringLiteral("список")),
        QCommandLineOption(QStringLiteral("not-drawn"),
                           QStringLiteral("Комбинация ни разу не выпадала целиком.")),
        valued("shared-with-last-max",
               QStringLiteral("Не больше X чисел, общих с последним тиражом."),
               QStringLiteral("X")),
        valued("hot",
               QStringLiteral("Не меньше H чисел среди N самых горячих в последних W тиражах."),
               QStringLiteral("N:W:H")),
        valued("cold",
               QStringLiteral("Не меньше H чисел среди N самых холодных в последних W "
                              "тиражах."),
               QStringLiteral("N:W:H")),
    };
}

bool anySet(const QCommandLineParser& parser) {
    for (const QCommandLineOption& option : options())
        if (parser.isSet(option.names().first()))
            return true;
    return false;
}

bool usesHistory(const QCommandLineParser& parser) {
    for (const char* name : {"not-drawn", "shared-with-last-max", "hot", "cold"})
        if (parser.isSet(QLatin1String(name)))
            return true;
    return false;
}

Lab::Filter chosen(const QCommandLineParser& parser, const Lottery::Game& game) {
    Lab::Filter filter;
    filter.game = game;
    QString error;
    const auto text = [&](const char* name) { return parser.value(QLatin1String(name)); };
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1String(name)); };
    const auto check = [&](bool ok) {
        if (!ok)
            throw UsageError(error);
    };
    for (const auto& [name, span] : {std::pair{"sum", &filter.sum}, std::pair{"odd", &filter.odd},
                                     std::pair{"low", &filter.low}})
        if (isSet(name))
            check(Lab::parseSpan(text(name), dashed(name), span->emplace(), error));
    for (const auto& [name, value, least] :
         {std::tuple{"max-run", &filter.maxRun, 1}, std::tuple{"decade-max", &filter.decadeMax, 0},
          std::tuple{"shared-with-last-max", &filter.sharedWithLastMax, 0}})
        if (isSet(name))
            check(Lab::parseCount(text(name), dashed(name), value->emplace(), error, least,
                                  game.k()));
    if (isSet("include"))
        check(Lab::parseBallList(text("include"), dashed("include"), filter.include, error, game));
    if (isSet("exclude"))
        check(Lab::parseBallList(text("exclude"), dashed("exclude"), filter.exclude, error, game));
    for (const auto& [name, rule] :
         {std::pair{"hot", &filter.hot}, std::pair{"cold", &filter.cold}})
        if (isSet(name))
            check(Lab::parseHotCold(text(name), dashed(name), rule->emplace(), error));
    filter.notDrawn = isSet("not-drawn");
    const QString problem = Lab::filterProblem(filter);
    if (!problem.isEmpty())
        throw UsageError(problem);
    return filter;
}

std::optional<qint64> wholeNumber(const QCommandLineParser& parser, const QString& name,
                                  qint64 least) {
    if (!parser.isSet(name))
        return std::nullopt;
    const QString text = parser.value(name);
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    constexpr qint64 most = 1000000000000LL;
    if (!ok || value < least || value > most)
        throw UsageError(
            QStringLiteral("--%1 ждёт целое число от %2 до %3, а не «%4»")
                .arg(name, QLocale().toString(least), QLocale().toString(most), text.left(40)));
    return value;
}

} // namespace FilterOptions
