#include "gui/wheels/WheelPrinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace WheelPrinting {

namespace {

void setPage(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

} // namespace

void print(QPrinter* printer, const QString& html) {
    QTextDocument document;
    // The program's font is sized in screen pixels, which on a printer of
    // 1200 dots an inch would be specks: the page uses points.
    QFont font = document.defaultFont();
    font.setPointSize(11);
    document.setDefaultFont(font);
    document.setHtml(html);
    document.print(printer);
}

void preview(QWidget* owner, const QString& html) {
    QPrinter printer(QPrinter::HighResolution);
    setPage(printer);
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Печать системы"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&html](QPrinter* target) { print(target, html); });
    dialog.exec();
}

QString savePdf(const QString& path, const QString& html) {
    // The printer writes in place: an old file of that name must go first, or
    // a failed write would leave it looking like the new one.
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return QStringLiteral("Не удалось заменить файл «%1».").arg(QDir::toNativeSeparators(path));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    setPage(printer);
    print(&printer, html);
    if (printer.printerState() == QPrinter::Error || QFileInfo(path).size() == 0)
        return QStringLiteral("Не удалось записать файл «%1».").arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace WheelPrinting
