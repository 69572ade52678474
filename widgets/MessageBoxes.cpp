#include "widgets/MessageBoxes.h"

#include <QMessageBox>

BoxResult QtMessageBoxes::show(const BoxRequest& request) {
    QMessageBox box(request.owner);
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.icon) {
    case BoxIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case BoxIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case BoxIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case BoxIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case BoxIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    switch (request.buttons) {
    case BoxButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case BoxButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case BoxButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    // Stay above the main window, which stays on top of normal windows.
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return BoxResult::Yes;
    case QMessageBox::No:
        return BoxResult::No;
    case QMessageBox::Cancel:
        return BoxResult::Cancel;
    default:
        return request.buttons == BoxButtons::YesNo      ? BoxResult::No
               : request.buttons == BoxButtons::OkCancel ? BoxResult::Cancel
                                                         : BoxResult::Ok;
    }
}

QString standardErrorText(const QString& message) {
    const QString text = message.trimmed();
    if (!text.isEmpty() && text.back().isPunct())
        return text;
    return text + QLatin1Char('.');
}
