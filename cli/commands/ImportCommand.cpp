// numeron-cli import FILE...: the workbook import of the online update for
// workbooks the user already has, and the import of CSV histories.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/WorkbookImport.h"
#include "history/HistoryColumns.h"

namespace {

const QCommandLineOption kColumns(
    QStringLiteral("columns"),
    QStringLiteral("Столбцы файлов CSV по порядку: date, tir, b1…bK, x1…xK2, prize<категория>, "
                   "winners<категория>; «-» пропускает столбец."),
    QStringLiteral("список"));

class ImportCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("import"); }
    QString summary() const override {
        return QStringLiteral("Импорт тиражей из книг результатов (.xlsx, .xls) и файлов CSV.");
    }
    QString arguments() const override { return QStringLiteral("ФАЙЛ..."); }
    QString description() const override {
        return QStringLiteral(
            "Загружает тиражи из файлов по порядку. Тиражи, которые уже есть в базе, "
            "пропускаются, так что повторный импорт того же файла ничего не добавляет. Файлы не "
            "изменяются и не удаляются. Вид файла определяется по содержимому, а не по имени.\n\n"
            "Книга результатов (только для базы «6 из 49»), как при онлайн-обновлении: первый "
            "лист, строка заголовков, восемнадцать столбцов на тираж.\n\n"
            "Файл CSV — для базы любой игры: строка заголовков, затем тираж на строку; "
            "разделитель «,», «;» или табуляция; UTF-8 (с BOM или без); поля могут быть в "
            "кавычках. Столбцы находятся по заголовку и значениям: дата (ГГГГ-ММ-ДД или "
            "ДД.ММ.ГГГГ; «дата», «date»), номер тиража, если есть («тираж», «draw», «tir», «№»), "
            "K шаров основного барабана в порядке выпадения, затем K2 шаров второго, затем, если "
            "есть, выигрыши и число победителей по категориям (prize5, prize4+1, winners5). "
            "Столбец, который не удаётся распознать, останавливает импорт с его именем — "
            "укажите столбцы в --columns. Без номеров тиражи нумеруются по датам после "
            "последнего тиража базы (несколько тиражей одного дня — в порядке файла; файл, где "
            "новые тиражи сверху, читается снизу); тираж с теми же датой и шарами, что в базе, "
            "пропускается. Не более 64 МиБ, 4096 байт в строке, 256 полей, 1 000 000 строк.\n\n"
            "Для каждого файла выводится число прочитанных строк, добавленных тиражей и "
            "тиражей, которые уже были в базе. Строка, которая не является тиражом игры базы "
            "(шар вне диапазона, повтор, не то число шаров, неверная дата), останавливает импорт "
            "этого файла (строки до неё сохраняются) — номер строки, столбец и текст выводятся "
            "в поток ошибок, и импорт переходит к следующему файлу. Код выхода 1, если хоть "
            "один файл не загружен целиком.\n\n"
            "Примеры:\n  numeron-cli import 2023.xlsx 2024.xlsx\n"
            "  numeron-cli --db 5x36.db import archive.csv\n"
            "  numeron-cli import --columns tir,date,-,b1,b2,b3,b4,b5,b6 draws.csv");
    }
    QList<QCommandLineOption> options() const override { return {kColumns}; }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        const QStringList files = parser.positionalArguments();
        if (files.isEmpty())
            throw UsageError(QStringLiteral("не указаны файлы для импорта"));
        std::vector<HistoryColumns::Column> columns;
        if (parser.isSet(kColumns)) {
            session.connection(); // the list is read after the database's game
            try {
                columns = HistoryColumns::parseList(parser.value(kColumns), session.game());
            } catch (const HistoryColumns::ListError& e) {
                throw UsageError(e.message());
            }
        }
        bool allImported = true;
        for (const QString& file : files) {
            const WorkbookImport::Outcome outcome =
                WorkbookImport::importFile(session, file, file, columns);
            allImported = outcome.complete && allImported;
            // One wait for the other program is enough: the next run adds the rest.
            if (outcome.databaseBusy)
                break;
        }
        return allImported ? ExitCode::Done : ExitCode::Failed;
    }
};

} // namespace

CliCommandPtr makeImportCommand() {
    return std::make_unique<ImportCommand>();
}
