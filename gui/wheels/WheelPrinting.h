#pragma once

// Printing a wheel: to a printer, in a print preview, or to a PDF file. The
// pages are painted directly (the request, the check and the record on the
// first page, then the tickets in columns, whole rows only), so that a wheel
// of hundreds of thousands of tickets prints page by page in bounded memory.

#include "gui/wheels/WheelTexts.h"

#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace WheelPrinting {

// Where the pages go: a painter begun on a device whose pages have `page`
// pixels to paint on, and how the next page is started (false: it was not).
struct PageTarget {
    QPainter* painter = nullptr;
    QSize page;
    std::function<bool()> newPage;
};

// Told after each page: the pages done and of how many; false stops the pages.
using Progress = std::function<bool(int done, int pages)>;

// Paints every page; false when stopped or a page could not start.
bool paintPages(const PageTarget& target, const WheelTexts::PrintedWheel& wheel,
                const Progress& progress = {});

void print(QPrinter* printer, const WheelTexts::PrintedWheel& wheel);
// Opens the print preview (a modal dialog), from which the user prints.
void preview(QWidget* owner, const WheelTexts::PrintedWheel& wheel);

} // namespace WheelPrinting
