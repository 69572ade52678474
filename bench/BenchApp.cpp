#include "bench/BenchApp.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

void setUpBenchApplication(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    app.setFont(font);
}

int rowsArgument(const QStringList& args) {
    bool ok = false;
    const int rows = args.size() >= 2 ? args.at(1).toInt(&ok) : 0;
    return ok && rows > 0 ? rows : 0;
}
