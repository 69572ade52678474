// numeron-cli wheel generate|check|add: wheels (reduced systems) with a checked
// guarantee, as the window «Системы» makes them.
#include "analysis/TextTable.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "cli/OutputTarget.h"
#include "entry/BetStore.h"
#include "wheels/TicketFile.h"
#include "wheels/WheelCheck.h"
#include "wheels/WheelGenerator.h"
#include "wheels/WheelInput.h"
#include "wheels/WheelRecords.h"

#include <QFile>
#include <QLocale>

namespace {

const QString kNumbers = QStringLiteral("numbers");
const QString kGuarantee = QStringLiteral("guarantee");
const QString kKeys = QStringLiteral("keys");
const QString kSeconds = QStringLiteral("seconds");
const QString kSeed = QStringLiteral("seed");
const QString kTir = QStringLiteral("tir");

// A message of the wheel library about the command line is a usage error.
void usageUnless(const QString& problem) {
    if (!problem.isEmpty())
        throw UsageError(problem);
}

Wheels::WheelRequest readRequest(const QCommandLineParser& parser) {
    Wheels::WheelRequest request;
    if (!parser.isSet(kNumbers) || !parser.isSet(kGuarantee))
        throw UsageError(QStringLiteral("нужны --numbers и --guarantee"));
    usageUnless(Wheels::parseNumberList(parser.value(kNumbers), &request.numbers));
    usageUnless(Wheels::parseGuarantee(parser.value(kGuarantee), &request.guarantee));
    if (parser.isSet(kKeys))
        usageUnless(Wheels::parseNumberList(parser.value(kKeys), &request.keys));
    usageUnless(Wheels::validateRequest(request));
    return request;
}

// The tickets of a file in either accepted form; a bad ticket is a usage error.
std::vector<Wheels::Ticket> readTickets(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("Не удалось открыть файл «%1»: %2").arg(path, file.errorString()));
    if (file.size() > Wheels::kMaxTicketFileBytes)
        throw UsageError(QStringLiteral("файл «%1» больше %2 МиБ")
                             .arg(path)
                             .arg(Wheels::kMaxTicketFileBytes / (1024 * 1024)));
    std::vector<Wheels::Ticket> tickets;
    usageUnless(Wheels::parseTickets(file.read(Wheels::kMaxTicketFileBytes + 1), &tickets));
    return tickets;
}

QString ballsText(const std::vector<int>& balls) {
    QStringList parts;
    for (const int ball : balls)
        parts << QString::number(ball);
    return parts.join(QLatin1Char(' '));
}

QString checkLine(const Wheels::CheckResult& check) {
    const QLocale locale;
    return QStringLiteral("Покрыто наборов: %1 из %2 (%3%)%4")
        .arg(locale.toString(qulonglong(check.coveredSets)),
             locale.toString(qulonglong(check.totalSets)),
             locale.toString(check.share() * 100.0, 'f', check.guaranteed() ? 0 : 2),
             check.guaranteed() ? QStringLiteral(" — гарантия проверена") : QString());
}

QString recordLine(const Wheels::WheelRequest& request, int size) {
    const auto record =
        Wheels::findRecord(int(request.numbers.size()), request.guarantee.t, request.guarantee.m);
    if (!request.keys.empty() || !record)
        return QStringLiteral("Билетов: %1").arg(size);
    QString line =
        QStringLiteral("Билетов: %1; лучший опубликованный размер: %2").arg(size).arg(record->best);
    if (record->lowerBound > 0)
        line += QStringLiteral(", доказанная нижняя граница: %1").arg(record->lowerBound);
    return line + QStringLiteral(" (%1)").arg(record->source);
}

int generate(CliSession& session, const QCommandLineParser& parser) {
    CommandOptions::allowArguments(parser, 2);
    const Wheels::WheelRequest request = readRequest(parser);
    Wheels::GenerateOptions options;
    if (parser.isSet(kSeconds)) {
        bool ok = false;
        options.seconds = parser.value(kSeconds).toDouble(&ok);
        if (!ok || options.seconds <= 0 || options.seconds > 3600)
            throw UsageError(QStringLiteral("--seconds: число секунд от 0 до 3600"));
    }
    if (parser.isSet(kSeed)) {
        bool ok = false;
        options.seed = parser.value(kSeed).toULongLong(&ok);
        if (!ok)
            throw UsageError(QStringLiteral("--seed: целое неотрицательное число"));
    }
    Console& console = session.console();
    const TableText::Format format = CommandOptions::chosenTableFormat(parser);
    const QStringList args = parser.positionalArguments();
    OutputTarget target(console, args.size() > 1 ? args.at(1) : QString());
    options.progress = [&](const Wheels::GenerateProgress& p) {
        if (options.seconds > 0)
            console.progress(int(std::min(100.0, p.seconds * 100.0 / options.seconds)),
                             QStringLiteral("лучший размер %1").arg(p.bestSize));
    };
    const Wheels::GenerateResult result = Wheels::generateWheel(request, options);
    console.endProgress();
    const QByteArray text = format == TableText::Format::Csv
                                ? Analysis::ticketsCsv(result.tickets)
                                : Analysis::ticketsJson(result.tickets);
    target.write(text.constData(), text.size());
    target.commit();
    console.error(recordLine(request, int(result.tickets.size())));
    console.error(checkLine(result.check));
    return ExitCode::Done;
}

int check(CliSession& session, const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2)
        throw UsageError(QStringLiteral("не указан файл с билетами"));
    CommandOptions::allowArguments(parser, 2);
    const Wheels::WheelRequest request = readRequest(parser);
    const std::vector<Wheels::Ticket> tickets = readTickets(args.at(1));
    const Wheels::CheckResult result = Wheels::checkWheel(request, tickets);
    Console& console = session.console();
    console.print(recordLine(request, int(tickets.size())));
    console.print(checkLine(result));
    for (const std::vector<int>& set : result.firstUncovered)
        console.print(QStringLiteral("Не покрыт: ") + ballsText(set));
    return result.guaranteed() ? ExitCode::Done : ExitCode::Failed;
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
    const std::vector<Wheels::Ticket> tickets = readTickets(args.at(1));
    BetStore::addBets(session.connection(), tir,
                      std::vector<BetStore::Ticket>(tickets.begin(), tickets.end()));
    session.console().print(
        QStringLiteral("Добавлено ставок: %1, тираж %2").arg(tickets.size()).arg(tir));
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
                   "из них. Каждая система проверяется перебором всех наборов.\n"
                   "  generate --numbers СПИСОК --guarantee T/M [--keys СПИСОК] [--seconds S] "
                   "[--seed N] [--format csv|json] [ФАЙЛ] — строит систему поменьше за S секунд "
                   "(10 по умолчанию); билеты в CSV (ticket,b1,b2,b3,b4,b5,b6) или JSON, на "
                   "стандартный вывод или в ФАЙЛ; размер, проверка и лучший опубликованный "
                   "размер — на стандартный поток ошибок;\n"
                   "  check --numbers СПИСОК --guarantee T/M [--keys СПИСОК] ФАЙЛ — проверяет "
                   "билеты из файла (тот же CSV, строки по шесть чисел или список JSON): "
                   "код 0, если гарантия выполнена, 1 — если нет (и первые непокрытые наборы);\n"
                   "  add --tir N ФАЙЛ — записывает билеты ставками на тираж N.\n"
                   "СПИСОК — числа и диапазоны: 1-20 или 3,7,11-15. Ключевые числа (--keys, до "
                   "трёх) стоят в каждом билете.\n\n") +
               Wheels::recordSourcesText() +
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
            QCommandLineOption(kSeed, QStringLiteral("Начальное число поиска."),
                               QStringLiteral("N")),
            QCommandLineOption(kTir, QStringLiteral("Номер тиража для ставок."),
                               QStringLiteral("N")),
            CommandOptions::tableFormat()};
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
