#pragma once

#include <QString>

class QFileDialog;
class QWidget;

// Every file dialog of the program goes through this seam, so that tests can
// give a path instead of blocking on a modal dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The path the user chose to save to, or empty when cancelled.
    virtual QString saveFileName(QWidget* owner, const QString& caption,
                                 const QString& suggestedPath, const QString& filter) = 0;
    // The existing file the user chose to open, or empty when cancelled.
    virtual QString openFileName(QWidget* owner, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
};

// Qt's own file dialogs, in the program's language.
class QtFileDialogs : public FileDialogs {
public:
    // The dialog shown, for a file to save to or to open; `path` is the
    // suggested file or the folder to start in.
    static QFileDialog* dialog(QWidget* owner, const QString& caption, const QString& path,
                               const QString& filter, bool save);
    QString saveFileName(QWidget* owner, const QString& caption, const QString& suggestedPath,
                         const QString& filter) override;
    QString openFileName(QWidget* owner, const QString& caption, const QString& folder,
                         const QString& filter) override;
};
