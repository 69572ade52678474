// Creates razyg.ini and an empty database in the given folder (default: the
// folder of this tool) when they are missing; never overwrites either.
//
//   numeron_setup [--game K/N[+K2/N2]] [FOLDER]
//
// Without --game the database is 6 из 49 with the program's original tables.
#include "game/Game.h"
#include "runtime/AppError.h"
#include "startup/DatabaseSetup.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Lottery::Game game;
    const qsizetype option = args.indexOf(QStringLiteral("--game"));
    try {
        if (option >= 0) {
            if (option + 1 >= args.size())
                throw Lottery::GameError(
                    QStringLiteral("после --game укажите игру, например 5/36"));
            game = Lottery::Game::parse(args.at(option + 1));
            args.remove(option, 2);
        }
    } catch (const Lottery::GameError& e) {
        err << "numeron_setup: " << e.message() << '\n';
        return 2;
    }
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1Char('-')))) {
        err << "usage: numeron_setup [--game K/N[+K2/N2]] [FOLDER]\n";
        return 2;
    }
    const QString dir = args.isEmpty() ? QCoreApplication::applicationDirPath() : args.first();
    try {
        const QStringList created = DatabaseSetup::ensureDefaults(dir, game);
        for (const QString& file : created)
            out << "created " << file << '\n';
        if (created.isEmpty())
            out << "nothing to create in " << dir << '\n';
    } catch (const AppError& e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
