#include "widgets/FileDialogs.h"

#include <QFileDialog>

QString QtFileDialogs::saveFileName(QWidget* owner, const QString& caption,
                                    const QString& suggestedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(owner, caption, suggestedPath, filter);
}

QString QtFileDialogs::openFileName(QWidget* owner, const QString& caption, const QString& folder,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(owner, caption, folder, filter);
}
