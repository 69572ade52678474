// numeron-cli export draws|bets: every row of the draws table (razyg) or the
// bets table (Rate), all columns, as CSV or JSON.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "cli/OutputTarget.h"
#include "cli/TableExport.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "schema/GameSchema.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace {

struct ExportedTable {
    const char* table;
    TableExport::Columns columns;
};

// The draws' amounts are their prizes per category (chv<key>), the jackpot
// and the prize fund.
ExportedTable tableFor(const QString& what) {
    if (what == QLatin1String("draws"))
        return {"razyg", {}};
    if (what == QLatin1String("bets"))
        return {"Rate", {}};
    throw UsageError(QStringLiteral("выгружаются draws или bets, а не «%1»").arg(what));
}

TableExport::Columns amountsOf(const ExportedTable& table, const Lottery::Game& game) {
    TableExport::Columns columns;
    if (qstrcmp(table.table, "razyg") != 0)
        return columns;
    for (const Lottery::Category& category : game.categories())
        columns.wholeAmounts.insert(GameSchema::prizeColumn(category).toLower());
    columns.wholeAmounts << QStringLiteral("djp") << QStringLiteral("pfond");
    return columns;
}

// Whether both names lead to one file (through links as well).
bool isSameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || a == QLatin1String("-") || b.isEmpty())
        return false;
    std::error_code error;
    return std::filesystem::equivalent(QFile::encodeName(a).toStdString(),
                                       QFile::encodeName(b).toStdString(), error);
}

class ExportCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("export"); }
    QString summary() const override {
        return QStringLiteral("Выгрузка тиражей или ставок в CSV или JSON.");
    }
    QString arguments() const override { return QStringLiteral("draws|bets [ФАЙЛ]"); }
    QString description() const override {
        return QStringLiteral(
            "Выгружает все строки таблицы тиражей (draws, таблица razyg) или ставок (bets, "
            "таблица Rate) со всеми столбцами в порядке таблицы: даты в ISO 8601 "
            "(ГГГГ-ММ-ДД), суммы целыми числами, пустые значения пустыми (в JSON — null). "
            "CSV по RFC 4180 со строкой заголовков, JSON — массив объектов; кодировка UTF-8.\n\n"
            "Столбцы — столбцы таблицы базы: в «6 из 49» s1..s6, ss1..ss6, ch6..ch3, "
            "chv6..chv3; в базе другой игры (K из N) шире — s1..sK, ss1..ssK, со вторым "
            "барабаном x1..xK2, xx1..xxK2, и по категориям игры ch<ключ>, chv<ключ>, где "
            "ключ — «4» или «4p1» для категории «4+1»; ставки — s1..sK и x1..xK2.\n\n"
            "Без ФАЙЛА (или с «-») вывод идёт в стандартный вывод. Файл заменяется только "
            "целиком записанной выгрузкой.\n\n"
            "Пример:\n  numeron-cli export draws --format json draws.json");
    }
    QList<QCommandLineOption> options() const override { return {CommandOptions::tableFormat()}; }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        const QStringList args = parser.positionalArguments();
        if (args.isEmpty())
            throw UsageError(QStringLiteral("не указано, что выгружать: draws или bets"));
        CommandOptions::allowArguments(parser, 2);
        ExportedTable table = tableFor(args.at(0));
        const TableText::Format format = CommandOptions::chosenTableFormat(parser);
        const QString fileName = args.value(1);
        const bool toStandardOutput = fileName.isEmpty() || fileName == QLatin1String("-");

        Connection& connection = session.connection();
        table.columns = amountsOf(table, session.game());
        Console& console = session.console();
        if (isSameFile(fileName, session.dbFileName()))
            throw AppError(QStringLiteral("«%1» — это файл базы данных; выгрузка не заменит его")
                               .arg(fileName));
        const QString sql = QStringLiteral("SELECT * FROM ") + QLatin1String(table.table);
        qint64 total = 0;
        // No bar over output that goes to the same terminal.
        if (console.showsProgress() && !(toStandardOutput && console.outputIsTerminal())) {
            Statement count(connection.handle(),
                            QStringLiteral("SELECT count(*) FROM ") + QLatin1String(table.table));
            if (count.step())
                total = count.value(0).toLongLong();
        }
        const QString label = toStandardOutput ? args.at(0) : QFileInfo(fileName).fileName();
        OutputTarget output(console, fileName);
        TableExport::write(connection.handle(), sql, format, table.columns, output,
                           [&](qint64 rows) {
                               if (total > 0)
                                   console.progress(int(rows * 100 / total), label);
                           });
        output.commit();
        console.endProgress();
        return ExitCode::Done;
    }
};

} // namespace

CliCommandPtr makeExportCommand() {
    return std::make_unique<ExportCommand>();
}
