#include "bench/BenchApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QTextStream>

void preferOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void setUpBenchApplication(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    app.setFont(font);
}

std::optional<BenchArguments> benchArguments(const QStringList& args) {
    bool ok = false;
    const int rows = args.size() >= 2 ? args.at(1).toInt(&ok) : 0;
    if (!ok || rows <= 0) {
        QTextStream(stderr) << "usage: " << QFileInfo(args.value(0)).fileName()
                            << " ROWS [WORKDIR]\n";
        return std::nullopt;
    }
    return BenchArguments{rows,
                          QDir(args.size() >= 3 ? args.at(2) : QDir::currentPath()).absolutePath()};
}
