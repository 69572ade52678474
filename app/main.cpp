#include "gui/Unit1.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Ties the window to the installed menu entry numeron.desktop; the icon is
    // the program's own, so that it shows when run from the build folder too.
    QGuiApplication::setDesktopFileName(QStringLiteral("numeron"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/numeron.svg")));
    // The window and the operator's data are Russian, whatever the environment says.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslations);
    app.setFont(TForm1::layoutFont());

    TForm1 form(QCoreApplication::applicationDirPath());
    form.FormCreate(&form);
    if (form.terminated())
        return 0;
    form.show();
    return app.exec();
}
