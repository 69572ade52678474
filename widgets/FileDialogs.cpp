#include "widgets/FileDialogs.h"

#include <QFileDialog>

QString QtFileDialogs::saveFileName(QWidget* owner, const QString& caption,
                                    const QString& suggestedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(owner, caption, suggestedPath, filter);
}
