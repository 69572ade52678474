// numeron-cli import FILE...: the workbook import of the online update for
// workbooks the user already has.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/WorkbookImport.h"

namespace {

class ImportCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("import"); }
    QString summary() const override {
        return QStringLiteral("Импорт тиражей из книг результатов (.xlsx, .xls).");
    }
    QString arguments() const override { return QStringLiteral("ФАЙЛ..."); }
    QString description() const override {
        return QStringLiteral(
            "Загружает тиражи из книг результатов по порядку, как онлайн-обновление: первый "
            "лист, строка заголовков, восемнадцать столбцов на тираж. Тиражи, которые уже есть "
            "в базе, пропускаются. Файлы не изменяются и не удаляются.\n\n"
            "Для каждого файла выводится число прочитанных строк, добавленных тиражей и "
            "тиражей, которые уже были в базе. Строка с ячейкой, которая не преобразуется, "
            "останавливает импорт этого файла (строки до неё сохраняются) — номер строки, "
            "столбец и текст ячейки выводятся в поток ошибок, и импорт переходит к "
            "следующему файлу. Код выхода 1, если хоть один файл не загружен целиком.\n\n"
            "Пример:\n  numeron-cli import 2023.xlsx 2024.xlsx");
    }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        const QStringList files = parser.positionalArguments();
        if (files.isEmpty())
            throw UsageError(QStringLiteral("не указаны файлы для импорта"));
        bool allImported = true;
        for (const QString& file : files) {
            const WorkbookImport::Outcome outcome = WorkbookImport::importFile(session, file, file);
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
