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
#include "startup/StartupTexts.h"
#include "update/OnlineUpdate.h"
#include "update/UpdateTexts.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

const QCommandLineOption kUrl(QStringLiteral("url"),
                              QStringLiteral("Адрес страницы результатов или файла .csv вместо "
                                             "CONFIG/resultsurl."),
                              QStringLiteral("адрес"));

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
            "Если адрес (resultsurl или --url) ведёт к файлу .csv по http или https, файл "
            "скачивается с теми же ограничениями и загружается, как в import: так обновляется "
            "база любой игры, а не только «6 из 49».\n\n"
            "Пример для планировщика cron (по понедельникам в 6:00):\n"
            "  0 6 * * 1  $HOME/.local/bin/numeron-cli update >> $HOME/numeron-update.log 2>&1");
    }

    QList<QCommandLineOption> options() const override { return {kUrl}; }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        CommandOptions::allowArguments(parser, 0);
        Console& console = session.console();
        // A missing database ends the command before the network.
        session.connection();
        const QString address = parser.isSet(kUrl) ? parser.value(kUrl) : session.resultsPageUrl();
        if (OnlineUpdate::isCsvAddress(address))
            return updateFromCsv(session, address);
        if (!session.game().isSixFromFortyNine())
            throw AppError(
                QStringLiteral("база данных — игры %1: её обновляет только файл CSV, а "
                               "адрес %2 ведёт не к файлу .csv (укажите его в "
                               "CONFIG/resultsurl или --url)")
                    .arg(StartupTexts::gameTitle(session.game()), WebAddress::forDisplay(address)));
        const ResultsSite site = ResultsSite::fromPageUrl(address);
        console.print(QStringLiteral("Страница результатов: ") + site.pageUrl);
        QTemporaryDir folder = temporaryFolder();
        const QString file = folder.filePath(QStringLiteral("results.xlsx"));
        const OnlineUpdate::Download download = OnlineUpdate::downloadNewestWorkbook(site, file);
        const QString& workbookUrl = download.workbookUrl;
        if (!download.arrived)
            throw AppError(UpdateTexts::downloadFailed({}).trimmed() + QLatin1Char(' ') +
                           download.failure);
        console.print(QStringLiteral("Книга: ") + WebAddress::forDisplay(workbookUrl));
        const WorkbookImport::Outcome outcome =
            WorkbookImport::importFile(session, file, workbookUrl);
        return finished(console, outcome);
    }

private:
    // A folder of its own for the download, removed on every way out; the
    // window's results.xlsx beside the executable is left alone.
    static QTemporaryDir temporaryFolder() {
        QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("numeron-cli-XXXXXX")));
        if (!folder.isValid())
            throw AppError(QStringLiteral("Не удалось создать временную папку: ") +
                           folder.errorString());
        return folder;
    }

    static int finished(Console& console, const WorkbookImport::Outcome& outcome) {
        if (!outcome.complete)
            return ExitCode::Failed;
        console.print(outcome.counts.added > 0 ? UpdateTexts::updated()
                                               : UpdateTexts::nothingNew());
        return ExitCode::Done;
    }

    static int updateFromCsv(CliSession& session, const QString& address) {
        session.console().print(QStringLiteral("Файл CSV: ") + WebAddress::forDisplay(address));
        QTemporaryDir folder = temporaryFolder();
        const QString file = folder.filePath(QStringLiteral("results.csv"));
        const OnlineUpdate::Download download = OnlineUpdate::downloadCsv(address, file);
        if (!download.arrived)
            throw AppError(UpdateTexts::downloadFailed({}).trimmed() + QLatin1Char(' ') +
                           download.failure);
        return finished(session.console(),
                        WorkbookImport::importFile(session, file, WebAddress::forDisplay(address)));
    }
};

} // namespace

CliCommandPtr makeUpdateCommand() {
    return std::make_unique<UpdateCommand>();
}
