#include "runtime/ApplicationTitle.h"

#include <QCoreApplication>
#include <QFileInfo>

QString applicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}
