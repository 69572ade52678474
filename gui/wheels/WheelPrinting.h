#pragma once

// Printing a wheel's page (HTML from WheelTexts) with Qt's printing: to a
// printer, in a print preview, or to a PDF file.

#include <QString>

class QPrinter;
class QWidget;

namespace WheelPrinting {

void print(QPrinter* printer, const QString& html);
// Opens the print preview (a modal dialog), from which the user prints.
void preview(QWidget* owner, const QString& html);
// Writes the page as PDF; returns the failure's text, empty when written.
QString savePdf(const QString& path, const QString& html);

} // namespace WheelPrinting
