// Creates razyg.ini and an empty database in the given folder (default: the
// folder of this tool) when they are missing; never overwrites either.
#include "runtime/AppError.h"
#include "startup/DatabaseSetup.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString dir = args.size() > 1 ? args.at(1) : QCoreApplication::applicationDirPath();
    QTextStream out(stdout);
    try {
        const QStringList created = DatabaseSetup::ensureDefaults(dir);
        for (const QString& file : created)
            out << "created " << file << '\n';
        if (created.isEmpty())
            out << "nothing to create in " << dir << '\n';
    } catch (const AppError& e) {
        QTextStream(stderr) << e.message() << '\n';
        return 1;
    }
    return 0;
}
