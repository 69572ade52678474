// numeron-cli stats: the ball frequencies of "Статистика (шар)" for the
// database's game (each drum apart), over all draws or the newest N.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "draws/StoredDraws.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace {

const QStringList kFormats{QStringLiteral("table"), QStringLiteral("csv"), QStringLiteral("json")};
const QString kDraws = QStringLiteral("тиражей (по номеру)");

// How often each ball of a drum was drawn, counted as the window's frequency
// views count: a draw counts once for each ball it holds (a malformed one
// too, with the balls it does hold), over all draws or the newest ones by
// draw number. [0] is ball 1.
struct DrumHits {
    int drum = 1; // 1: the main drum, 2: the second
    std::vector<qint64> counts;
};

std::vector<DrumHits> ballHits(const Draws::History& history, std::optional<qint64> last) {
    const Lottery::Game& game = history.game;
    std::vector<DrumHits> drums{{1, std::vector<qint64>(size_t(game.n()))}};
    if (game.hasSecondDrum())
        drums.push_back({2, std::vector<qint64>(size_t(game.n2()))});
    for (qint64 i = history.windowStart(last.value_or(0)); i < history.size(); ++i) {
        for (const int ball : history.draws[size_t(i)].main)
            ++drums[0].counts[size_t(ball - 1)];
        for (const int ball : history.secondOf(i))
            ++drums[1].counts[size_t(ball - 1)];
    }
    return drums;
}

// The main drum's rows as they always were; in a game of two drums the second
// drum's follow, under its own heading in the table, with "drum" 2 in CSV
// (where every row then says its drum) and JSON.
QString render(const std::vector<DrumHits>& drums, const QString& format) {
    QStringList lines;
    const bool twoDrums = drums.size() > 1;
    if (format == QLatin1String("table")) {
        const QString countTitle = QStringLiteral("Выпал, раз");
        for (const DrumHits& drum : drums) {
            if (drum.drum > 1)
                lines << QString() << QStringLiteral("Второй барабан");
            lines.append(QStringLiteral("Шар  ") + countTitle);
            for (size_t i = 0; i < drum.counts.size(); ++i)
                lines.append(
                    QStringLiteral("%1  %2").arg(i + 1, 3).arg(drum.counts[i], countTitle.size()));
        }
        return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    if (format == QLatin1String("csv")) {
        lines.append(twoDrums ? QStringLiteral("ball,hits,drum") : QStringLiteral("ball,hits"));
        for (const DrumHits& drum : drums)
            for (size_t i = 0; i < drum.counts.size(); ++i)
                lines.append(QStringLiteral("%1,%2").arg(i + 1).arg(drum.counts[i]) +
                             (twoDrums ? QStringLiteral(",%1").arg(drum.drum) : QString()));
        return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    }
    for (const DrumHits& drum : drums)
        for (size_t i = 0; i < drum.counts.size(); ++i)
            lines.append(QStringLiteral("{\"ball\":%1,\"hits\":%2").arg(i + 1).arg(drum.counts[i]) +
                         (drum.drum > 1 ? QStringLiteral(",\"drum\":%1}").arg(drum.drum)
                                        : QStringLiteral("}")));
    return QStringLiteral("[\n") + lines.join(QLatin1String(",\n")) + QStringLiteral("\n]\n");
}

class StatsCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("stats"); }
    QString summary() const override {
        return QStringLiteral("Сколько раз выпал каждый шар (все или последние N тиражей).");
    }
    QString description() const override {
        return QStringLiteral(
            "Выводит для каждого шара игры базы (от 1 до 49 в «6 из 49»), в скольких тиражах "
            "он выпал — как «Статистика (шар)» в окне: тираж считается один раз для каждого "
            "своего шара. С --last N считаются только N тиражей с наибольшими номерами.\n\n"
            "В игре с двумя барабанами шары второго барабана считаются отдельно и идут "
            "после шаров основного: в таблице — под заголовком «Второй барабан», в CSV — со "
            "столбцом drum (1 или 2) в каждой строке, в JSON — с полем \"drum\": 2 (строки "
            "основного барабана остаются {\"ball\", \"hits\"}).\n\n"
            "Пример:\n  numeron-cli stats --last 100");
    }
    QList<QCommandLineOption> options() const override {
        return {CommandOptions::last(kDraws), CommandOptions::format(kFormats)};
    }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        CommandOptions::allowArguments(parser, 0);
        const std::optional<qint64> last = CommandOptions::lastCount(parser, kDraws);
        const QString format = CommandOptions::chosenFormat(parser, kFormats);
        const QByteArray text =
            render(ballHits(Draws::read(session.connection()), last), format).toUtf8();
        session.console().write(text.constData(), text.size());
        return ExitCode::Done;
    }
};

} // namespace

CliCommandPtr makeStatsCommand() {
    return std::make_unique<StatsCommand>();
}
