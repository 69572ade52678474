// numeron-cli backtest: what a set of tickets would have won over the stored
// draws, beside the exact expectation for as many random tickets.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "cli/FilterOptions.h"
#include "cli/OutputTarget.h"
#include "lab/Backtest.h"
#include "lab/TicketFile.h"
#include "runtime/TableText.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QStringList kFormats{QStringLiteral("text"), QStringLiteral("json")};

void appendText(OutputBuffer& out, const char* text) {
    out.append(text, strlen(text));
}

void appendKey(OutputBuffer& out, const char* key, bool first = false) {
    appendText(out, first ? "\"" : ", \"");
    appendText(out, key);
    appendText(out, "\": ");
}

void writeJson(OutputBuffer& out, const Lab::BacktestResult& result) {
    out.append('{');
    appendKey(out, "draws", true);
    out.appendInteger(result.draws);
    appendKey(out, "draws_without_prizes");
    out.appendInteger(result.drawsWithoutPrizes);
    appendKey(out, "malformed_draws");
    out.appendInteger(result.irregularDraws);
    appendKey(out, "tickets");
    out.appendInteger(result.tickets);
    appendKey(out, "tickets_played");
    out.appendInteger(result.ticketsPlayed);
    appendKey(out, "cost");
    out.appendInteger(result.cost);
    appendKey(out, "categories");
    for (size_t k = 0; k < result.categories.size(); ++k) {
        const Lab::CategoryResult& category = result.categories[k];
        appendText(out, k == 0 ? "{\"" : ", \"");
        const QByteArray key = category.category.key().toLatin1();
        out.append(key.constData(), size_t(key.size()));
        appendText(out, "\": {");
        appendKey(out, "hits", true);
        out.appendInteger(category.hits);
        appendKey(out, "prize");
        out.appendInteger(category.prize);
        appendKey(out, "expected_hits");
        out.appendDouble(category.expectedHits);
        appendKey(out, "expected_prize");
        out.appendDouble(category.expectedPrize);
        out.append('}');
    }
    out.append('}');
    appendKey(out, "total_prize");
    out.appendInteger(result.totalPrize);
    appendKey(out, "net");
    out.appendInteger(result.net);
    appendKey(out, "expected_total_prize");
    out.appendDouble(result.expectedTotalPrize);
    appendKey(out, "p_value");
    if (std::isnan(result.pValue))
        appendText(out, "null");
    else
        out.appendDouble(result.pValue);
    appendKey(out, "p_value_method");
    const QByteArray method = result.pValueMethod.toUtf8();
    TableText::appendJsonString(out, method.constData(), size_t(method.size()));
    appendText(out, "}\n");
}

// Columns right-aligned to their widest cell and separated by " | ", so that
// numbers grouped with blanks never run together.
QString alignedTable(const QList<QStringList>& rows) {
    QList<qsizetype> width;
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c == width.size())
                width.append(0);
            width[c] = std::max(width[c], row[c].size());
        }
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << row[c].rightJustified(width[c]);
        text += cells.join(QStringLiteral(" | ")) + u'\n';
    }
    return text;
}

QString plainText(const Lab::BacktestResult& result) {
    const QLocale locale;
    const auto money = [&](double value) { return locale.toString(value, 'f', 2); };
    QString text = Lab::backtestDrawsText(result);
    text += QStringLiteral("\nБилетов: %1; сыграно билетов по тиражам: %2; стоимость: %3\n\n")
                .arg(locale.toString(result.tickets), locale.toString(result.ticketsPlayed),
                     locale.toString(result.cost));
    QList<QStringList> rows{{QStringLiteral("Совпадений"), QStringLiteral("Выигрышей"),
                             QStringLiteral("Сумма выигрышей"),
                             QStringLiteral("Ожидалось выигрышей"),
                             QStringLiteral("Ожидалась сумма")}};
    for (const Lab::CategoryResult& category : result.categories) {
        rows.append({category.category.key(), locale.toString(category.hits),
                     locale.toString(category.prize), money(category.expectedHits),
                     money(category.expectedPrize)});
    }
    text += alignedTable(rows);
    text += QStringLiteral("\nВыиграно всего: %1; итог (выигрыш минус стоимость): %2\n"
                           "Ожидалось при случайной игре: %3; итог %4\n")
                .arg(locale.toString(result.totalPrize), locale.toString(result.net),
                     money(result.expectedTotalPrize), money(result.expectedNet));
    return text + Lab::backtestPValueText(result) + u'\n';
}

class BacktestCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("backtest"); }
    QString summary() const override {
        return QStringLiteral("Что выиграли бы билеты на прошедших тиражах, рядом со случайной "
                              "игрой.");
    }
    QString arguments() const override { return QStringLiteral("БИЛЕТЫ"); }
    QString description() const override {
        return QStringLiteral(
            "Проверяет билеты из файла БИЛЕТЫ на каждом тираже базы (или на тиражах от --from "
            "до --to): по категориям игры базы (3, 4, 5 и 6 совпадений в 6 из 49; в игре с "
            "двумя барабанами — пары «основной+второй», например 4+1) — выигрыши и их суммы "
            "по призам тиража (тираж без сумм считает совпадения, но учитывается отдельно), "
            "стоимость по цене --price, итог. Неправильные тиражи (не шесть разных чисел от 1 "
            "до 49; в другой игре — не K разных чисел от 1 до N и K2 от 1 до N2) "
            "пропускаются и считаются. Рядом — точное ожидание для стольких же случайных "
            "билетов на тех же тиражах (гипергеометрическая вероятность категории, для двух "
            "барабанов — произведение вероятностей по каждому) и p-значение: доля из 2000 "
            "случайных перестановок чисел 1–49 (1–N основного барабана; числа второго "
            "барабана не переставляются), применённых ко всем билетам набора, при которых "
            "набор выиграл бы не меньше. Перестановка сохраняет структуру набора (30 билетов "
            "на 9 числах сравниваются с такими же наборами), так что p честно и для систем."
            "\n\n"
            "БИЛЕТЫ — текстовый файл: в каждой строке шесть чисел от 1 до 49 (K чисел игры, "
            "затем K2 второго барабана) через пробел, запятую или точку с запятой; CSV "
            "ticket,b1,b2,b3,b4,b5,b6 (ticket,b1,...,bK,x1,...,xK2; с заголовком или без, "
            "поля могут быть в кавычках); или список JSON, как его пишет filter --list "
            "--format json.\n\n"
            "С --walk-forward на каждом тираже играют только билеты, прошедшие условия "
            "фильтра (те же, что у команды filter), причём условия по истории видят лишь "
            "правильные тиражи до этого; на тираже, перед которым их нет, условия по истории "
            "не отсеивают ни одного билета.\n\n"
            "Вывод — текст или JSON {\"draws\", \"draws_without_prizes\", "
            "\"malformed_draws\", \"tickets\", \"tickets_played\" (сыграно билетов по "
            "всем тиражам), \"cost\", \"categories\": {\"3\": {\"hits\", \"prize\", "
            "\"expected_hits\", \"expected_prize\"}, ...} (категории от худшей к лучшей: "
            "\"3\", \"3+1\", ...), \"total_prize\", \"net\", "
            "\"expected_total_prize\", \"p_value\" (null, если не вычислялось), "
            "\"p_value_method\"}. Суммы больше 9 223 372 036 854 775 807 не считаются: команда "
            "завершается с ошибкой.\n\n"
            "Пример:\n  numeron-cli backtest билеты.txt --from 1000 --price 100");
    }
    QList<QCommandLineOption> options() const override {
        QList<QCommandLineOption> list{
            QCommandLineOption(QStringLiteral("from"), QStringLiteral("Первый тираж."),
                               QStringLiteral("тираж")),
            QCommandLineOption(QStringLiteral("to"), QStringLiteral("Последний тираж."),
                               QStringLiteral("тираж")),
            QCommandLineOption(QStringLiteral("price"),
                               QStringLiteral("Цена одного билета, целое число от 0 до "
                                              "1 000 000 000 000."),
                               QStringLiteral("цена")),
            QCommandLineOption(QStringLiteral("walk-forward"),
                               QStringLiteral("Играть только билеты, прошедшие фильтр, "
                                              "тираж за тиражом.")),
            CommandOptions::format(kFormats)};
        list << FilterOptions::options();
        return list;
    }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        const QStringList args = parser.positionalArguments();
        if (args.isEmpty())
            throw UsageError(QStringLiteral("не указан файл билетов"));
        CommandOptions::allowArguments(parser, 1);
        const bool json = CommandOptions::chosenFormat(parser, kFormats) == QLatin1String("json");
        Lab::BacktestRequest request;
        request.fromTir = FilterOptions::wholeNumber(parser, QStringLiteral("from"), 0);
        request.toTir = FilterOptions::wholeNumber(parser, QStringLiteral("to"), 0);
        if (request.fromTir && request.toTir && *request.fromTir > *request.toTir)
            throw UsageError(QStringLiteral("диапазон тиражей %1-%2 задан в обратном порядке")
                                 .arg(*request.fromTir)
                                 .arg(*request.toTir));
        request.ticketPrice =
            FilterOptions::wholeNumber(parser, QStringLiteral("price"), 0).value_or(0);
        const bool walkForward = parser.isSet(QStringLiteral("walk-forward"));
        if (FilterOptions::anySet(parser) != walkForward)
            throw UsageError(walkForward ? QStringLiteral("--walk-forward ждёт условия фильтра")
                                         : QStringLiteral("условия фильтра действуют только с "
                                                          "--walk-forward"));
        const Draws::History history = Draws::read(session.connection(), Lab::backtestRequest());
        if (walkForward)
            request.walkForward = FilterOptions::chosen(parser, history.game);
        try {
            request.tickets = Lab::readTicketFile(args.at(0), history.game);
        } catch (const AppError& e) {
            // A line's fault does not name the file; a failed open does.
            if (e.message().contains(args.at(0)))
                throw;
            throw AppError(QFileInfo(args.at(0)).fileName() + QStringLiteral(": ") + e.message());
        }

        const QString problem = Lab::backtestProblem(history, request);
        if (!problem.isEmpty())
            throw AppError(problem);
        Console& console = session.console();
        Lottery::Control<> control;
        // The result is written once the replay is done: the bar never mixes with it.
        if (console.showsProgress())
            control.progress = [&](const Lottery::Progress& progress) {
                console.progress(int(progress.share() * 100), QStringLiteral("backtest"));
            };
        const Lab::BacktestResult result = Lab::runBacktest(history, request, control);
        console.endProgress();
        OutputTarget target(console, QString());
        {
            OutputBuffer out(target);
            if (json) {
                writeJson(out, result);
            } else {
                const QByteArray text = plainText(result).toUtf8();
                out.append(text.constData(), size_t(text.size()));
            }
            out.flush();
        }
        target.commit();
        return ExitCode::Done;
    }
};

} // namespace

CliCommandPtr makeBacktestCommand() {
    return std::make_unique<BacktestCommand>();
}
