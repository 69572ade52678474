#pragma once

#include <QString>

// Messages of numeron-cli of its own (those it shares with the window's
// start-up are StartupTexts).
namespace CliTexts {

// The database stayed locked by another program past the busy timeout.
inline QString databaseBusy(const QString& engineText) {
    return QStringLiteral("база данных занята другой программой (%1); повторите позже")
        .arg(engineText);
}

// Which database file a command reads or writes (one line on standard error).
inline QString databaseUsed(const QString& path) {
    return QStringLiteral("база данных «%1»").arg(path);
}

// CONFIG/filenamedb names a file that does not exist; the default is used.
inline QString configuredDbMissing(const QString& configured, const QString& used) {
    return QStringLiteral("внимание: файл базы «%1» из razyg.ini (filenamedb) не найден, "
                          "используется «%2»")
        .arg(configured, used);
}

// The database file could not be opened: missing, or the engine's reason.
inline QString databaseNotOpened(const QString& path, bool exists, const QString& engineText) {
    return exists
               ? QStringLiteral("файл базы данных «%1» не открывается (%2)").arg(path, engineText)
               : QStringLiteral("файл базы данных «%1» не найден; укажите его в razyg.ini "
                                "(filenamedb) или в --db")
                     .arg(path);
}

// The path given for the database names a folder.
inline QString databaseIsFolder(const QString& path) {
    return QStringLiteral("«%1» — это папка, а не файл базы данных; укажите файл в razyg.ini "
                          "(filenamedb) или в --db")
        .arg(path);
}

// A results workbook (the 6 из 49 operator's) offered to a database of
// another game.
inline QString workbookForOtherGame(const QString& label, const QString& gameTitle) {
    return QStringLiteral("%1: это книга результатов «6 из 49», а база данных — игры %2; в неё "
                          "загружаются только файлы CSV")
        .arg(label, gameTitle);
}

// The program's own words for the texts of the database engine and of the
// cell conversions that can reach the user, the original in brackets. Other
// texts are returned as they are.
QString explained(const QString& message);

} // namespace CliTexts
