#pragma once

// Printing a wheel with Qt's printing: to a printer, in a print preview, or to
// a PDF file. The pages are painted directly (the request, the check and the
// record on the first page, then the tickets in columns), so that a wheel of
// hundreds of thousands of tickets prints page by page in bounded memory.

#include "gui/wheels/WheelTexts.h"

#include <QString>

class QPrinter;
class QWidget;

namespace WheelPrinting {

void print(QPrinter* printer, const WheelTexts::PrintedWheel& wheel);
// Opens the print preview (a modal dialog), from which the user prints.
void preview(QWidget* owner, const WheelTexts::PrintedWheel& wheel);
// Writes the pages as PDF; returns the failure's text, empty when written.
QString savePdf(const QString& path, const WheelTexts::PrintedWheel& wheel);

} // namespace WheelPrinting
