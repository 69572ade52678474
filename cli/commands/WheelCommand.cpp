// numeron-cli wheel generate|check|add: wheels (reduced systems) with a checked
// guarantee, as the window «Системы» makes them.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CliTexts.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "cli/OutputTarget.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "entry/BetStore.h"
#include "game/TicketFile.h"
#include "runtime/TableText.h"
#include "wheels/GameTickets.h"
#include "wheels/WheelCheck.h"
#include "wheels/WheelGenerator.h"
#include "wheels/WheelInput.h"
#include "wheels/WheelRecords.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <csignal>

namespace {

const QString kNumbers = QStringLiteral("numbers");
const QString kGuarantee = QStringLiteral("guarantee");
const QString kKeys = QStringLiteral("keys");
const QString kSeconds = QStringLiteral("seconds");
const QString kMoves = QStringLiteral("moves");
const QString kSeed = QStringLiteral("seed");
const QString kTir = QStringLiteral("tir");
const QString kForce = QStringLiteral("force");
const QString kFormat = QStringLiteral("format");

// Exit code of wheel: a file could not be read or written.
constexpr int kFileFailed = 3;

// A ticket file that cannot be read, or an output file that cannot be written.
class FileError : public AppError {
public:
    using AppError::AppError;
};

// A message of the wheel library about the command line is a usage error.
void usageUnless(const QString& problem) {
    if (!problem.isEmpty())
        throw UsageError(problem);
}

// The game the wheel is for: the one named by --game, else that of the database named by --db,
// else 6 из 49.
Lottery::Game wheelGame(CliSession& session, const QCommandLineParser& parser) {
    if (std::optional<Lottery::Game> game = CommandOptions::chosenGame(parser))
        return *game;
    if (session.dbOption().isEmpty())
        return Lottery::Game();
    session.connection();
    return session.game();
}

// Wheels hold the main drum's numbers only.
Lottery::Game mainDrum(const Lottery::Game& game) {
    return game.isSixFromFortyNine() ? Lottery::Game() : Lottery::Game::make(game.k(), game.n());
}

Wheels::WheelRequest readRequest(const QCommandLineParser& parser, const Lottery::Game& game) {
    Wheels::WheelRequest request;
    request.game = mainDrum(game);
    if (!parser.isSet(kNumbers) || !parser.isSet(kGuarantee))
        throw UsageError(QStringLiteral("нужны --numbers и --guarantee"));
    usageUnless(Wheels::parseNumberList(parser.value(kNumbers), &request.numbers, game.n()));
    usageUnless(Wheels::parseGuarantee(parser.value(kGuarantee), &request.guarantee));
    if (parser.isSet(kKeys))
        usageUnless(Wheels::parseNumberList(parser.value(kKeys), &request.keys, game.n()));
    usageUnless(Wheels::validateRequest(request));
    return request;
}

// The bytes of a ticket file; a file too large is a usage error.
QByteArray readTicketFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(
            QStringLiteral("Не удалось открыть файл «%1»: %2").arg(path, file.errorString()));
    if (file.size() > Lottery::kMaxTicketFileBytes)
        throw UsageError(QStringLiteral("файл «%1» больше %2 МиБ")
                             .arg(path)
                             .arg(Lottery::kMaxTicketFileBytes / (1024 * 1024)));
    const QByteArray text = file.read(Lottery::kMaxTicketFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw FileError(
            QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(path, file.errorString()));
    return text;
}

// The tickets of the game in a file's text; a bad ticket is a usage error.
std::vector<Lottery::Ticket> parseGameTickets(const QByteArray& text, const Lottery::Game& game) {
    std::vector<Lottery::Ticket> tickets;
    usageUnless(Lottery::parseTickets(text, game, &tickets));
    return tickets;
}

// Writes the text to the file (or standard output); a failure is a FileError.
void writeOutput(Console& console, const QString& path, const QByteArray& text) {
    try {
        OutputTarget target(console, path);
        target.write(text.constData(), text.size());
        target.commit();
    } catch (const UsageError&) {
        throw;
    } catch (const AppError& e) {
        throw FileError(e.message());
    }
}

QString ballsText(const std::vector<int>& balls) {
    QStringList parts;
    for (const int ball : balls)
        parts << QString::number(ball);
    return parts.join(QLatin1Char(' '));
}

QString checkLine(const Wheels::WheelRequest& request, const Wheels::CheckResult& check) {
    const QLocale locale;
    const QString condition = Wheels::guaranteeCondition(request);
    return QStringLiteral("Покрыто наборов: %1 из %2 (%3%) — %4")
        .arg(locale.toString(qulonglong(check.coveredSets)),
             locale.toString(qulonglong(check.totalSets)),
             locale.toString(check.share() * 100.0, 'f', check.guaranteed() ? 0 : 2),
             check.guaranteed()
                 ? QStringLiteral("гарантия проверена") +
                       (condition.isEmpty() ? QString() : QLatin1Char(' ') + condition)
                 : QStringLiteral("гарантия не выполнена"));
}

QString recordLine(const Wheels::WheelRequest& request, int size) {
    const auto record = Wheels::findRecord(int(request.numbers.size()), request.guarantee.t,
                                           request.guarantee.m, request.ticketSize());
    if (!request.keys.empty() || !record)
        return QStringLiteral("Билетов: %1").arg(size);
    QString line =
        QStringLiteral("Билетов: %1; лучший опубликованный размер: %2").arg(size).arg(record->best);
    if (record->lowerBound > 0)
        line += QStringLiteral(", доказанная нижняя граница: %1").arg(record->lowerBound);
    return line + QStringLiteral(" (%1)").arg(record->source);
}

QString endLine(const Wheels::GenerateResult& result) {
    switch (result.end) {
    case Wheels::SearchEnd::Stopped:
        return QStringLiteral("Поиск прерван; показана лучшая система");
    case Wheels::SearchEnd::LowerBound:
        return QStringLiteral("Поиск закончен: размер равен доказанной нижней границе (%1)")
            .arg(result.lowerBound);
    case Wheels::SearchEnd::NoMoveLeft:
        return QStringLiteral("Поиск закончен: улучшать больше нечего");
    case Wheels::SearchEnd::Budget:
        break;
    }
    return {};
}

// While it lives, Ctrl+C sets the flag instead of ending the program; a second Ctrl+C ends it.
class InterruptStops {
public:
    explicit InterruptStops(std::atomic<bool>& flag) {
        s_flag = &flag;
        m_previous = std::signal(SIGINT, &InterruptStops::handle);
    }
    ~InterruptStops() {
        std::signal(SIGINT, m_previous == SIG_ERR ? SIG_DFL : m_previous);
        s_flag = nullptr;
    }
    InterruptStops(const InterruptStops&) = delete;
    InterruptStops& operator=(const InterruptStops&) = delete;

private:
    static void handle(int) {
        if (s_flag)
            s_flag->store(true);
        std::signal(SIGINT, SIG_DFL);
    }
    static inline std::atomic<bool>* s_flag = nullptr;
    void (*m_previous)(int) = SIG_DFL;
};

double secondsOption(const QCommandLineParser& parser) {
    bool ok = false;
    const double seconds = parser.value(kSeconds).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 3600)
        throw UsageError(QStringLiteral("--seconds: число секунд от 0 до 3600"));
    return seconds;
}

int generate(CliSession& session, const QCommandLineParser& parser) {
    CommandOptions::allowArguments(parser, 2);
    const Wheels::WheelRequest request = readRequest(parser, wheelGame(session, parser));
    Wheels::GenerateOptions options;
    if (parser.isSet(kMoves)) {
        bool ok = false;
        options.maxMoves = parser.value(kMoves).toULongLong(&ok);
        if (!ok || options.maxMoves < 1 || options.maxMoves > 1000000000000ULL)
            throw UsageError(QStringLiteral("--moves: число шагов поиска от 1 до 10^12"));
        options.seconds = parser.isSet(kSeconds) ? secondsOption(parser) : 0;
    } else if (parser.isSet(kSeconds)) {
        options.seconds = secondsOption(parser);
    }
    if (parser.isSet(kSeed)) {
        bool ok = false;
        options.seed = parser.value(kSeed).toULongLong(&ok);
        if (!ok)
            throw UsageError(QStringLiteral("--seed: целое неотрицательное число"));
    }
    const QString format = parser.value(kFormat);
    if (format != QLatin1String("csv") && format != QLatin1String("json"))
        throw UsageError(QStringLiteral("--format для generate: csv или json"));
    Console& console = session.console();
    const QStringList args = parser.positionalArguments();
    options.progress = [&](const Wheels::GenerateProgress& p) {
        const double done =
            options.seconds > 0
                ? p.seconds / options.seconds
                : double(p.moves) / double(std::max<std::uint64_t>(options.maxMoves, 1));
        console.progress(int(std::min(100.0, done * 100.0)),
                         QStringLiteral("лучший размер %1, шагов %2").arg(p.bestSize).arg(p.moves));
    };
    std::atomic<bool> stop{false};
    options.stop = &stop;
    Wheels::GenerateResult result;
    try {
        InterruptStops interrupt(stop);
        result = Wheels::generateWheel(request, options);
    } catch (const Wheels::WheelError& e) {
        if (stop)
            throw AppError(e.message()); // interrupted before any wheel: not a usage error
        throw;
    }
    console.endProgress();
    const QByteArray text =
        Lottery::ticketsText(Wheels::gameTickets(result.tickets), request.game,
                             format == QLatin1String("csv") ? Lottery::TicketWriter::Format::Csv
                                                            : Lottery::TicketWriter::Format::Json);
    writeOutput(console, args.value(1), text);
    console.error(recordLine(request, int(result.tickets.size())));
    console.error(checkLine(request, result.check));
    console.error(
        QStringLiteral("Построение: %1; шагов поиска: %2").arg(result.method).arg(result.moves));
    if (!endLine(result).isEmpty())
        console.error(endLine(result));
    return ExitCode::Done;
}

// One JSON object: numbers, guarantee {t, m}, keys, tickets, sets, covered,
// uncovered_examples (the first uncovered sets) and holds.
QByteArray checkJson(const Wheels::WheelRequest& request, std::size_t tickets,
                     const Wheels::CheckResult& check) {
    QByteArray out;
    auto list = [&out](const std::vector<int>& balls) {
        out += '[';
        for (std::size_t i = 0; i < balls.size(); ++i) {
            if (i)
                out += ", ";
            out += QByteArray::number(balls[i]);
        }
        out += ']';
    };
    auto number = [&out](const char* name, qulonglong value) {
        out += ", \"";
        out += name;
        out += "\": ";
        out += QByteArray::number(value);
    };
    out += "{\"numbers\": ";
    list(request.numbers);
    out += ", \"guarantee\": {\"t\": ";
    out += QByteArray::number(request.guarantee.t);
    out += ", \"m\": ";
    out += QByteArray::number(request.guarantee.m);
    out += "}, \"keys\": ";
    list(request.keys);
    number("tickets", tickets);
    number("sets", check.totalSets);
    number("covered", check.coveredSets);
    out += ", \"uncovered_examples\": [";
    for (std::size_t i = 0; i < check.firstUncovered.size(); ++i) {
        if (i)
            out += ", ";
        list(check.firstUncovered[i]);
    }
    out += "], \"holds\": ";
    out += check.guaranteed() ? "true" : "false";
    out += "}\n";
    return out;
}

int check(CliSession& session, const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2)
        throw UsageError(QStringLiteral("не указан файл с билетами"));
    CommandOptions::allowArguments(parser, 2);
    const Lottery::Game game = wheelGame(session, parser);
    const Wheels::WheelRequest request = readRequest(parser, game);
    const bool json = parser.isSet(kFormat) && parser.value(kFormat) == QLatin1String("json");
    if (parser.isSet(kFormat) && !json && parser.value(kFormat) != QLatin1String("text"))
        throw UsageError(QStringLiteral("--format для check: text или json"));
    // The main drum's numbers, or whole tickets of a two-drum game (their second numbers aside).
    const QByteArray text = readTicketFile(args.at(1));
    std::vector<Lottery::Ticket> read;
    if (!game.hasSecondDrum() || !Lottery::parseTickets(text, game, &read).isEmpty())
        read = parseGameTickets(text, request.game);
    const std::vector<Wheels::Ticket> tickets = Wheels::mainDrumTickets(read);
    const Wheels::CheckResult result = Wheels::checkWheel(request, tickets);
    Console& console = session.console();
    if (json) {
        const QByteArray text = checkJson(request, tickets.size(), result);
        console.write(text.constData(), text.size());
    } else {
        console.print(recordLine(request, int(tickets.size())));
        console.print(checkLine(request, result));
        for (const std::vector<int>& set : result.firstUncovered)
            console.print(QStringLiteral("Не покрыт: ") + ballsText(set));
    }
    return result.guaranteed() ? ExitCode::Done : ExitCode::Failed;
}

// The newest draw number stored, or 0 when there is none.
int newestDraw(Connection& connection) {
    Statement select(connection, QStringLiteral("SELECT max(tir) FROM razyg"));
    return select.step() ? select.value(0).toInt() : 0;
}

int add(CliSession& session, const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2)
        throw UsageError(QStringLiteral("не указан файл с билетами"));
    CommandOptions::allowArguments(parser, 2);
    if (!parser.isSet(kTir))
        throw UsageError(QStringLiteral("нужен --tir: номер тиража ставок"));
    bool ok = false;
    const int tir = parser.value(kTir).toInt(&ok);
    if (!ok || tir < 1)
        throw UsageError(QStringLiteral("--tir: номер тиража, целое число от 1"));
    const QByteArray text = readTicketFile(args.at(1));
    Console& console = session.console();
    Connection& connection = session.connection();
    const Lottery::Game& game = session.game();
    std::vector<Lottery::Ticket> tickets;
    try {
        tickets = parseGameTickets(text, game);
    } catch (const UsageError& e) {
        if (!game.hasSecondDrum())
            throw;
        throw UsageError(
            e.message() +
            QStringLiteral("\nВ игре «%1» у ставки есть и числа второго барабана: "
                           "допишите их к билетам системы (%2).")
                .arg(game.displayName(), game.k2() == 1
                                             ? QStringLiteral("столбец x1")
                                             : QStringLiteral("столбцы x1..x%1").arg(game.k2())));
    }
    const qsizetype repeated = BetStore::storedAlready(connection, tir, game, tickets);
    if (repeated > 0 && !parser.isSet(kForce)) {
        console.error(QStringLiteral("Для тиража %1 уже записаны %2 из %3 билетов файла; ничего не "
                                     "записано (--force запишет их ещё раз)")
                          .arg(tir)
                          .arg(repeated)
                          .arg(tickets.size()));
        return ExitCode::Failed;
    }
    const int newest = newestDraw(connection);
    if (tir > newest)
        console.error(newest > 0 ? QStringLiteral("Тираж %1 ещё не внесён (последний — %2): ставки "
                                                  "записаны на будущий тираж")
                                       .arg(tir)
                                       .arg(newest)
                                 : QStringLiteral("В базе ещё нет тиражей: ставки записаны на "
                                                  "тираж %1")
                                       .arg(tir));
    BetStore::addBets(connection, tir, game, tickets);
    console.print(QStringLiteral("Добавлено ставок: %1, тираж %2").arg(tickets.size()).arg(tir));
    return ExitCode::Done;
}

class WheelCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("wheel"); }
    QString summary() const override {
        return QStringLiteral("Сокращённые системы с проверенной гарантией.");
    }
    QString arguments() const override { return QStringLiteral("generate|check|add [ФАЙЛ]"); }
    QString description() const override {
        return QStringLiteral(
                   "Сокращённая система — набор билетов на выбранные числа с гарантией «T из M»: "
                   "если M выпавших шаров среди выбранных чисел, хотя бы один билет угадывает T "
                   "из них. С ключевыми числами (--keys, до трёх; они стоят в каждом билете) "
                   "гарантия действует при условии, что выпали все ключевые числа. Каждая "
                   "система проверяется перебором всех наборов.\n"
                   "  generate --numbers СПИСОК --guarantee T/M [--keys СПИСОК] [--seconds S] "
                   "[--moves N] [--seed N] [--format csv|json] [ФАЙЛ] — строит систему поменьше "
                   "за S секунд (10 по умолчанию) или за N шагов поиска (с тем же --seed и без "
                   "--seconds — та же система на любом компьютере); поиск кончается раньше, "
                   "если размер равен доказанной нижней границе, а Ctrl+C прерывает его и "
                   "оставляет лучшую систему; билеты в CSV (ticket,b1,b2,b3,b4,b5,b6; для игры "
                   "K из N — ticket,b1..bK) или JSON, на "
                   "стандартный вывод или в ФАЙЛ; размер, проверка, способ построения и лучший "
                   "опубликованный размер — на стандартный поток ошибок;\n"
                   "  check --numbers СПИСОК --guarantee T/M [--keys СПИСОК] [--format text|json] "
                   "ФАЙЛ — проверяет билеты из файла (тот же CSV, строки по шесть чисел или список "
                   "JSON) и "
                   "выводит первые непокрытые наборы; JSON: numbers, guarantee, keys, tickets, "
                   "sets, covered, uncovered_examples, holds;\n"
                   "  add --tir N [--force] ФАЙЛ — записывает билеты ставками на тираж N в базу "
                   "любой игры (столбцы s1..sK); если такие билеты уже записаны на этот тираж, "
                   "ничего не записывает без --force. В игре с двумя барабанами система "
                   "строится только для основного, а у ставки должны быть и числа второго: "
                   "допишите их к билетам (ticket,b1..bK,x1..xK2), иначе файл не принимается.\n"
                   "Игра: generate и check строят и проверяют билеты из K чисел от 1 до N для "
                   "игры --game K/N (база не нужна), иначе для игры базы --db, иначе для 6 из 49; "
                   "для игр с двумя барабанами — только основной барабан (check принимает и билеты "
                   "с "
                   "числами второго, не считая их). Гарантия «T из M» — "
                   "от «2 из 2» до «K−1 из K», чисел — от K+1 до N (не больше 64).\n"
                   "Коды выхода: 0 — гарантия выполнена (или действие сделано), 1 — гарантия не "
                   "выполнена (или ставки не записаны), 2 — ошибка в командной строке или в файле "
                   "билетов, 3 — файл не удалось прочитать или записать.\n"
                   "СПИСОК — числа и диапазоны: 1-20 или 3,7,11-15.\n\n") +
               Wheels::allRecordSourcesText() +
               QStringLiteral("\n\nПример:\n  numeron-cli wheel generate --numbers 1-20 "
                              "--guarantee 3/6 --seconds 30 система.csv");
    }
    QList<QCommandLineOption> options() const override {
        return {
            QCommandLineOption(kNumbers, QStringLiteral("Выбранные числа."),
                               QStringLiteral("СПИСОК")),
            QCommandLineOption(kGuarantee, QStringLiteral("Гарантия T/M."), QStringLiteral("T/M")),
            QCommandLineOption(kKeys, QStringLiteral("Ключевые числа."), QStringLiteral("СПИСОК")),
            QCommandLineOption(kSeconds, QStringLiteral("Время поиска, секунд."),
                               QStringLiteral("S")),
            QCommandLineOption(kMoves, QStringLiteral("Шагов поиска (воспроизводимо)."),
                               QStringLiteral("N")),
            QCommandLineOption(kSeed, QStringLiteral("Начальное число поиска."),
                               QStringLiteral("N")),
            CommandOptions::game(),
            QCommandLineOption(kTir, QStringLiteral("Номер тиража для ставок."),
                               QStringLiteral("N")),
            QCommandLineOption(kForce, QStringLiteral("Записать ставки, даже если такие уже "
                                                      "есть на этот тираж.")),
            QCommandLineOption(kFormat,
                               QStringLiteral("csv или json для generate, text или json "
                                              "для check."),
                               QStringLiteral("формат"), QStringLiteral("csv"))};
    }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        const QStringList args = parser.positionalArguments();
        const QString action = args.value(0);
        try {
            if (action == QLatin1String("generate"))
                return generate(session, parser);
            if (action == QLatin1String("check"))
                return check(session, parser);
            if (action == QLatin1String("add"))
                return add(session, parser);
        } catch (const Wheels::WheelError& e) {
            throw UsageError(e.message());
        } catch (const FileError& e) {
            session.console().error(CliTexts::explained(e.message()));
            return kFileFailed;
        }
        throw UsageError(
            action.isEmpty()
                ? QStringLiteral("не указано действие: generate, check или add")
                : QStringLiteral("действие generate, check или add, а не «%1»").arg(action));
    }
};

} // namespace

CliCommandPtr makeWheelCommand() {
    return std::make_unique<WheelCommand>();
}
