// numeron-cli stats: the 49 ball frequencies of "Статистика (шар)", over all
// draws or the newest N.
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

// How often each ball of the main drum was drawn, counted as the window's
// frequency views count: a draw counts once for each ball it holds (a
// malformed one too, with the balls it does hold), over all draws or the
// newest ones by draw number. [0] is ball 1.
std::vector<qint64> ballHits(const Draws::History& history, std::optional<qint64> last) {
    std::vector<qint64> counts(size_t(history.game.n()));
    for (size_t i = size_t(history.windowStart(last.value_or(0))); i < history.draws.size(); ++i)
        for (const int ball : history.draws[i].main)
            ++counts[size_t(ball - 1)];
    return counts;
}

QString render(const std::vector<qint64>& counts, const QString& format) {
    QStringList lines;
    if (format == QLatin1String("table")) {
        const QString countTitle = QStringLiteral("Выпал, раз");
        lines.append(QStringLiteral("Шар  ") + countTitle);
        for (size_t i = 0; i < counts.size(); ++i)
            lines.append(QStringLiteral("%1  %2").arg(i + 1, 3).arg(counts[i], countTitle.size()));
        return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    if (format == QLatin1String("csv")) {
        lines.append(QStringLiteral("ball,hits"));
        for (size_t i = 0; i < counts.size(); ++i)
            lines.append(QStringLiteral("%1,%2").arg(i + 1).arg(counts[i]));
        return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    }
    for (size_t i = 0; i < counts.size(); ++i)
        lines.append(QStringLiteral("{\"ball\":%1,\"hits\":%2}").arg(i + 1).arg(counts[i]));
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
            "Выводит для каждого шара от 1 до 49, в скольких тиражах он выпал — как "
            "«Статистика (шар)» в окне: тираж считается один раз для каждого своего шара. "
            "С --last N считаются только N тиражей с наибольшими номерами.\n\n"
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
