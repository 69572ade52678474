#include "gui/Unit1.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Ties the window to the installed menu entry numeron.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("numeron"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("numeron")));
    // The window and the operator's data are Russian, whatever the environment says.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslations);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    app.setFont(font);

    TForm1 form(QCoreApplication::applicationDirPath());
    form.FormCreate(&form);
    if (form.terminated())
        return 0;
    form.show();
    return app.exec();
}
