// numeron-cli update: the online update of the window ("Обновить онлайн")
// without any box: results page, newest stamped workbook link, download,
// import.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "cli/WorkbookImport.h"
#include "net/ResultsSite.h"
#include "net/WebAddress.h"
#include "update/OnlineUpdate.h"
#include "update/UpdateTexts.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

class UpdateCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("update"); }
    QString summary() const override {
        return QStringLiteral("Онлайн-обновление с сайта лотереи.");
    }
    QString description() const override {
        return QStringLiteral(
            "Делает то же, что кнопка «Обновить онлайн»: читает страницу результатов "
            "(CONFIG/resultsurl в razyg.ini, иначе встроенный адрес), выбирает ссылку на книгу "
            "с самой поздней отметкой времени, скачивает книгу во временный файл, загружает "
            "новые тиражи и удаляет файл. Выводит адреса страницы и книги и число тиражей.\n\n"
            "Пример для планировщика cron (по понедельникам в 6:00):\n"
            "  0 6 * * 1  $HOME/.local/bin/numeron-cli update >> $HOME/numeron-update.log 2>&1");
    }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        CommandOptions::allowArguments(parser, 0);
        Console& console = session.console();
        session.connection(); // a missing database ends the command before the network
        const ResultsSite site = ResultsSite::fromPageUrl(session.resultsPageUrl());
        console.print(QStringLiteral("Страница результатов: ") + site.pageUrl);
        // Downloaded into a folder of its own that is removed on every way out;
        // the window's results.xlsx beside the executable is left alone.
        QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("numeron-cli-XXXXXX")));
        if (!folder.isValid())
            throw AppError(QStringLiteral("Не удалось создать временную папку: ") +
                           folder.errorString());
        const QString file = folder.filePath(QStringLiteral("results.xlsx"));
        const OnlineUpdate::Download download = OnlineUpdate::downloadNewestWorkbook(site, file);
        const QString& workbookUrl = download.workbookUrl;
        if (!download.arrived)
            throw AppError(UpdateTexts::downloadFailed({}).trimmed() + QLatin1Char(' ') +
                           download.failure);
        console.print(QStringLiteral("Книга: ") + WebAddress::forDisplay(workbookUrl));
        const WorkbookImport::Outcome outcome =
            WorkbookImport::importFile(session, file, workbookUrl);
        if (!outcome.complete)
            return ExitCode::Failed;
        console.print(outcome.counts.added > 0 ? UpdateTexts::updated()
                                               : UpdateTexts::nothingNew());
        return ExitCode::Done;
    }
};

} // namespace

CliCommandPtr makeUpdateCommand() {
    return std::make_unique<UpdateCommand>();
}
