// numeron-cli: import, online update, export and ball statistics of Numeron
// without the window (see CommandLine and cli/commands/).
#include "cli/CommandLine.h"
#include "cli/Console.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("numeron-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NUMERON_VERSION));
    // Russian like the window, whatever the environment says: also the
    // command-line parser's own messages.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslations);
    Console console;
    return CommandLine::run(QCoreApplication::arguments(), QCoreApplication::applicationDirPath(),
                            console);
}
