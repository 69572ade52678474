#include "widgets/FileDialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

#include <memory>

namespace {

// The dialog's file list writes dates and sizes as the program's own locale
// does (Russian), not as the desktop's, whatever language it is set to.
class LocalFileTexts : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        const QLocale locale;
        if (index.column() == 3)
            return locale.toString(files->lastModified(file), QLocale::ShortFormat);
        if (index.column() == 1 && !files->isDir(file))
            return locale.formattedDataSize(files->size(file));
        return QIdentityProxyModel::data(index, role);
    }
};

QString chosen(QFileDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

QFileDialog* QtFileDialogs::dialog(QWidget* owner, const QString& caption, const QString& path,
                                   const QString& filter, bool save) {
    auto* dialog = new QFileDialog(owner, caption, QString(), filter);
    // Qt's own dialog: its buttons, captions and dates in Russian like the
    // window, where the desktop's dialog would follow the desktop's language.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setLocale(QLocale());
    dialog->setProxyModel(new LocalFileTexts(dialog));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (QFileInfo(path).isDir()) {
        dialog->setDirectory(path);
    } else {
        dialog->setDirectory(QFileInfo(path).absolutePath());
        dialog->selectFile(QFileInfo(path).fileName());
    }
    return dialog;
}

QString QtFileDialogs::saveFileName(QWidget* owner, const QString& caption,
                                    const QString& suggestedPath, const QString& filter) {
    const std::unique_ptr<QFileDialog> asked(dialog(owner, caption, suggestedPath, filter, true));
    return chosen(*asked);
}

QString QtFileDialogs::openFileName(QWidget* owner, const QString& caption, const QString& folder,
                                    const QString& filter) {
    const std::unique_ptr<QFileDialog> asked(dialog(owner, caption, folder, filter, false));
    return chosen(*asked);
}
