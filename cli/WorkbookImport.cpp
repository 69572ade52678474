#include "cli/WorkbookImport.h"

#include "cli/CliSession.h"
#include "cli/CliTexts.h"
#include "cli/Console.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "startup/StartupTexts.h"
#include "update/CsvImport.h"
#include "update/OnlineUpdate.h"

#include <QFileInfo>

namespace WorkbookImport {

namespace {

QString quoted(const QString& text) {
    return QStringLiteral("«") + text + QStringLiteral("»");
}

// One line whatever the text's own line breaks, and no longer than a cell
// text from a hostile workbook should make it.
QString oneLine(QString text) {
    constexpr qsizetype kMaxLength = 300;
    if (text.size() > kMaxLength)
        text = text.left(kMaxLength) + QStringLiteral("…");
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString countsLine(const QString& label, const DrawImport::ImportCounts& counts) {
    return QStringLiteral("%1: прочитано строк: %2, добавлено тиражей: %3, уже были в базе: %4")
        .arg(quoted(label))
        .arg(counts.rowsRead)
        .arg(counts.added)
        .arg(counts.alreadyStored);
}

// The reader's text names the file itself in most cases: by the label, which
// for a download is its address.
QString workbookError(const QString& message, const QString& path, const QString& label) {
    QString reason = oneLine(message);
    reason.replace(path, label);
    return reason.contains(label) ? reason : quoted(label) + QLatin1String(": ") + reason;
}

} // namespace

Outcome importFile(CliSession& session, const QString& path, const QString& label,
                   const std::vector<HistoryColumns::Column>& columns) {
    Connection& connection = session.connection();
    const Lottery::Game& game = session.game();
    Console& console = session.console();
    DrawImport::ImportCounts counts;
    int foundDrawNo = 0;
    bool opened = false;
    const bool workbook =
        !CsvImport::isTextFile(path) && (game.isSixFromFortyNine() || QFileInfo(path).isReadable());
    if (workbook && !game.isSixFromFortyNine()) {
        console.error(CliTexts::workbookForOtherGame(quoted(label), StartupTexts::gameTitle(game)));
        return {};
    }
    const auto progress = [&](int percent) { console.progress(percent, label); };
    try {
        if (workbook) {
            // Nothing is shown, so the draws go straight into the table rather
            // than through a dataset like the window's.
            OnlineUpdate::importWorkbook(
                path, connection,
                [&connection](const ImportedDraw& draw) {
                    DrawImport::insertDraw(connection, draw);
                },
                foundDrawNo, counts, progress,
                [&opened](const std::function<void()>& read) {
                    read();
                    opened = true;
                });
        } else {
            CsvImport::importFile(path, connection, game, columns, counts, progress,
                                  [&opened] { opened = true; });
        }
        console.print(countsLine(label, counts));
        return {true, counts};
    } catch (const DrawImport::ImportRowError& e) {
        const QString reason = oneLine(CliTexts::explained(e.reason()));
        if (e.column() > 0)
            console.error(QStringLiteral("%1: строка %2, столбец %3, ячейка %4: %5")
                              .arg(quoted(label))
                              .arg(e.row())
                              .arg(e.column())
                              .arg(quoted(oneLine(e.cellText())), reason));
        else
            console.error(
                QStringLiteral("%1: строка %2: %3").arg(quoted(label)).arg(e.row()).arg(reason));
    } catch (const DatabaseBusy& e) {
        console.error(quoted(label) + QLatin1String(": ") + CliTexts::databaseBusy(e.message()));
        console.print(countsLine(label, counts));
        return {false, counts, true};
    } catch (const AppError& e) {
        console.error(opened ? quoted(label) + QLatin1String(": ") +
                                   oneLine(CliTexts::explained(e.message()))
                             : workbookError(e.message(), path, label));
    } catch (const std::bad_alloc&) {
        if (opened)
            throw;
        console.error(quoted(label) + (workbook ? QStringLiteral(": книга слишком велика")
                                                : QStringLiteral(": файл слишком велик")));
    }
    // A file that could not be read imported nothing: no counts then.
    if (!opened)
        return {};
    console.print(countsLine(label, counts));
    return {false, counts};
}

} // namespace WorkbookImport
