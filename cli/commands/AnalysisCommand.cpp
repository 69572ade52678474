// numeron-cli analysis bets|balls|pairs|fairness: the tables of the window
// «Анализ» (tabs «Мои ставки», «Шары», «Пары», «Случайность») as CSV or JSON.
#include "analysis/AnalysisTables.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"

namespace {

const QString kLast = QStringLiteral("тиражей (для bets — ставок)");

class AnalysisCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("analysis"); }
    QString summary() const override {
        return QStringLiteral("Анализ: выигрыши ставок, задержки шаров, частые пары.");
    }
    QString arguments() const override { return QStringLiteral("bets|balls|pairs|fairness"); }
    QString description() const override {
        return QStringLiteral(
            "Выводит таблицу окна «Анализ»:\n"
            "  bets  — ставки с совпадениями и выигрышем по призам тиража "
            "(tir,date,b1,b2,b3,b4,b5,b6,matches,prize);\n"
            "  balls — для каждого шара выпадения, на 100 тиражей, задержки "
            "(ball,hits,per100,expected_per100,delay,max_delay,mean_delay,hits_last_n);\n"
            "  pairs — 50 самых частых пар шаров (ball1,ball2,hits);\n"
            "  fairness — проверки случайности тиражей: частоты шаров, пар, интервалы "
            "между выпадениями, шары по местам в порядке выпадения (name,statistic,df,"
            "p_value,method,p_value_adjusted,law,draws,malformed_draws: p_value — самой "
            "проверки, p_value_adjusted — с поправкой Холма на все проверки вместе, df — только "
            "для закона χ²(df), law — закон по имени или simulation; в JSON {\"draws\", "
            "\"malformed_draws\", \"duplicate_draws\", \"ordered_draws\", \"overall\": "
            "{\"p_value\", \"rejected\", \"tests\", \"alpha\", \"verdict\"}, \"tests\": "
            "[...]}); общий вывод — по наименьшему p с поправкой, на уровне 0,05.\n"
            "С --last N: для bets — N последних ставок, для остальных — N тиражей с "
            "наибольшими номерами. CSV по RFC 4180 или JSON, UTF-8.\n\n"
            "Для базы другой игры (K из N): в bets столбцы b1..bK и выигрыш по категориям "
            "игры, а с вторым барабаном — tir,date,b1..bK,x1..xK2,matches,second_matches,"
            "category,prize (category — выигранная категория, «4» или «4+1»); balls и pairs — "
            "шары 1..N основного барабана, ожидаемое на 100 тиражей 100·K/N; fairness — "
            "частоты шаров (χ² × (N−1)/(N−K), закон χ²(N−1)), пары (закон w1·χ²(N−1) + "
            "w2·χ²(N(N−3)/2) с весами для K и N), интервалы с p = K/N, места 1..K; второй "
            "барабан проверяется отдельно: проверки drum2_balls, drum2_pairs, drum2_gaps, "
            "drum2_position1.. (в JSON с полем \"drum\": 2).\n\n"
            "Пример:\n  numeron-cli analysis balls --last 100 --format json");
    }
    QList<QCommandLineOption> options() const override {
        return {CommandOptions::last(kLast), CommandOptions::tableFormat()};
    }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        const QStringList args = parser.positionalArguments();
        if (args.isEmpty())
            throw UsageError(QStringLiteral("не указана таблица: bets, balls, pairs или fairness"));
        CommandOptions::allowArguments(parser, 1);
        const std::optional<Analysis::AnalysisKind> kind = Analysis::analysisKindNamed(args.at(0));
        if (!kind)
            throw UsageError(QStringLiteral("таблица bets, balls, pairs или fairness, а не «%1»")
                                 .arg(args.at(0)));
        const qint64 last = CommandOptions::lastCount(parser, kLast).value_or(0);
        const TableText::Format format = CommandOptions::chosenTableFormat(parser);
        const QByteArray text = Analysis::analysisText(session.connection(), *kind, last, format);
        session.console().write(text.constData(), text.size());
        return ExitCode::Done;
    }
};

} // namespace

CliCommandPtr makeAnalysisCommand() {
    return std::make_unique<AnalysisCommand>();
}
