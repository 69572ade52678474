// numeron-cli filter: how many of all the combinations of the game's main drum
// (C(49, 6) = 13,983,816 for 6 из 49) pass the ticket filter, or the passing
// tickets themselves, as CSV or JSON.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "cli/FilterOptions.h"
#include "cli/OutputTarget.h"
#include "draws/StoredDraws.h"
#include "lab/FilterEngine.h"

#include <QByteArray>
#include <cstring>

namespace {

const QStringList kFormats{QStringLiteral("csv"), QStringLiteral("json")};

void appendText(OutputBuffer& out, const char* text) {
    out.append(text, strlen(text));
}

void writeCount(OutputBuffer& out, const Lab::CountResult& count, qint64 malformedDraws,
                bool json) {
    appendText(out, json ? "{\"count\": " : "count,total,share\r\n");
    out.appendInteger(count.passing);
    appendText(out, json ? ", \"total\": " : ",");
    out.appendInteger(count.total);
    appendText(out, json ? ", \"share\": " : ",");
    out.appendDouble(count.share());
    if (json) {
        appendText(out, ", \"malformed_draws\": ");
        out.appendInteger(malformedDraws);
    }
    appendText(out, json ? "}\n" : "\r\n");
}

// "ticket,b1,...,bK" and CRLF: the main drum's numbers.
QByteArray csvHeader(int k) {
    QByteArray header = "ticket";
    for (int i = 1; i <= k; ++i)
        header += ",b" + QByteArray::number(i);
    return header + "\r\n";
}

// One ticket as a CSV line or a JSON object (after the first, a comma before).
void writeTicket(OutputBuffer& out, qint64 number, const Lab::Ticket& ticket, bool json) {
    if (json) {
        appendText(out, number == 1 ? "\n  {\"ticket\": " : ",\n  {\"ticket\": ");
        out.appendInteger(number);
        for (int i = 0; i < ticket.size(); ++i) {
            const char key[] = {',', ' ', '"', 'b', char('1' + i), '"', ':', ' '};
            out.append(key, sizeof key);
            out.appendInteger(ticket[size_t(i)]);
        }
        out.append('}');
        return;
    }
    out.appendInteger(number);
    for (int ball : ticket) {
        out.append(',');
        out.appendInteger(ball);
    }
    appendText(out, "\r\n");
}

bool sameDrums(const Lottery::Game& a, const Lottery::Game& b) {
    return a.k() == b.k() && a.n() == b.n() && a.k2() == b.k2() && a.n2() == b.n2();
}

class FilterCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("filter"); }
    QString summary() const override {
        return QStringLiteral("Фильтр билетов: сколько из всех комбинаций игры проходят "
                              "условия, и какие.");
    }
    QString arguments() const override { return QStringLiteral("(--count | --list) [ФАЙЛ]"); }
    QString description() const override {
        return QStringLiteral(
            "Перебирает все комбинации игры базы (13 983 816 для 6 из 49; C(N, K) для K из N, "
            "у игры с двумя барабанами — основного) и оставляет те, что выполняют "
            "все заданные условия (каждое необязательно). Малые числа — от 1 до N/2 "
            "(округлённого вниз), десятки — 1-9, 10-19, ... до N. С --game K/N комбинации "
            "игры K/N перебираются без базы данных; условия по тиражам тогда требуют --db "
            "с базой той же игры. Без --game и без условий по тиражам игра — та, что в базе "
            "из --db, а без --db — 6 из 49. Условия --not-drawn, "
            "--shared-with-last-max, --hot и --cold смотрят на тиражи в базе; горячие и "
            "холодные шары — как в окне «Анализ» (больше всего или меньше всего выпадений "
            "в последних W тиражах). Неправильные тиражи (не шесть разных чисел от 1 до 49) "
            "(в другой игре — не K разных чисел от 1 до N) эти условия пропускают, а их число "
            "называется в стандартном потоке ошибок.\n\n"
            "--count выводит число прошедших, всего комбинаций и долю (count,total,share; "
            "в JSON ещё malformed_draws — пропущенные неправильные тиражи); "
            "--list — сами билеты по возрастанию (ticket,b1,b2,b3,b4,b5,b6; в другой игре "
            "ticket,b1,...,bK, только основной барабан), с --limit N "
            "— первые N. CSV по RFC 4180 или JSON, UTF-8. Без ФАЙЛА (или с «-») вывод идёт "
            "в стандартный вывод; файл заменяется только целиком записанным списком.\n\n"
            "Примеры:\n"
            "  numeron-cli filter --max-run 1 --count\n"
            "  numeron-cli filter --game 5/36 --sum 80-100 --low 2-3 --count\n"
            "  numeron-cli filter --sum 120-180 --odd 2-4 --exclude 13 --list --limit 100 "
            "билеты.csv");
    }
    QList<QCommandLineOption> options() const override {
        QList<QCommandLineOption> list = FilterOptions::options();
        list << QCommandLineOption(QStringLiteral("count"),
                                   QStringLiteral("Вывести число прошедших билетов."))
             << QCommandLineOption(QStringLiteral("list"),
                                   QStringLiteral("Вывести прошедшие билеты."))
             << QCommandLineOption(QStringLiteral("limit"),
                                   QStringLiteral("С --list: не больше N билетов."),
                                   QStringLiteral("N"))
             << CommandOptions::format(kFormats) << CommandOptions::game();
        return list;
    }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        CommandOptions::allowArguments(parser, 1);
        const bool count = parser.isSet(QStringLiteral("count"));
        const bool list = parser.isSet(QStringLiteral("list"));
        if (count == list)
            throw UsageError(QStringLiteral("укажите одно из двух: --count или --list"));
        const std::optional<qint64> limit =
            FilterOptions::wholeNumber(parser, QStringLiteral("limit"), 1);
        if (limit && !list)
            throw UsageError(QStringLiteral("--limit действует только с --list"));
        const bool json = CommandOptions::chosenFormat(parser, kFormats) == QLatin1String("json");
        const std::optional<Lottery::Game> chosenGame = CommandOptions::chosenGame(parser);
        const bool history = FilterOptions::usesHistory(parser);
        if (chosenGame && history && session.dbOption().isEmpty())
            throw UsageError(QStringLiteral("условия --not-drawn, --shared-with-last-max, --hot "
                                            "и --cold смотрят на тиражи базы, а с --game база "
                                            "не открывается: укажите её через --db"));
        // The game: --game, else that of the database the draws come from (the one named by
        // --db, or razyg.ini's when history is needed), else 6 из 49 without a database.
        Lottery::Game game = chosenGame.value_or(Lottery::Game());
        if (history || (!chosenGame && !session.dbOption().isEmpty())) {
            session.connection();
            if (chosenGame && !sameDrums(*chosenGame, session.game()))
                throw UsageError(QStringLiteral("--game %1, а база хранит тиражи игры «%2»")
                                     .arg(chosenGame->code(), session.game().displayName()));
            game = session.game();
        }
        const Lab::Filter filter = FilterOptions::chosen(parser, game);
        Console& console = session.console();
        Lab::HistoryFacts facts;
        if (filter.usesHistory()) {
            const Draws::History draws = Draws::read(session.connection());
            facts = Lab::historyFacts(filter, draws);
            if (facts.draws == 0)
                throw AppError(
                    QStringLiteral("в базе нет ни одного %1тиража, а условия "
                                   "--not-drawn, --shared-with-last-max, --hot и "
                                   "--cold смотрят на тиражи")
                        .arg(draws.size() > 0 ? QStringLiteral("правильного ") : QString()));
            if (facts.malformedDraws > 0)
                console.error(Lab::malformedDrawsText(facts.malformedDraws, game));
        }

        const QString fileName = parser.positionalArguments().value(0);
        const bool toStandardOutput = fileName.isEmpty() || fileName == QLatin1String("-");
        Lottery::Control<> control;
        if (console.showsProgress() && !(toStandardOutput && console.outputIsTerminal()))
            control.progress = [&](const Lottery::Progress& progress) {
                console.progress(int(progress.share() * 100), QStringLiteral("filter"));
            };
        OutputTarget target(console, fileName);
        {
            OutputBuffer out(target);
            if (count) {
                writeCount(out, Lab::countPassing(filter, facts, control), facts.malformedDraws,
                           json);
            } else {
                const QByteArray header = json ? QByteArray("[") : csvHeader(game.k());
                out.append(header.constData(), size_t(header.size()));
                qint64 written = 0;
                Lab::streamPassing(
                    filter, facts,
                    [&](const Lab::Ticket& ticket) {
                        writeTicket(out, ++written, ticket, json);
                        return !limit || written < *limit;
                    },
                    control);
                if (json)
                    appendText(out, written > 0 ? "\n]\n" : "]\n");
            }
            out.flush();
        }
        target.commit();
        console.endProgress();
        return ExitCode::Done;
    }
};

} // namespace

CliCommandPtr makeFilterCommand() {
    return std::make_unique<FilterCommand>();
}
