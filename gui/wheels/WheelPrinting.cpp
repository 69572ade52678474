#include "gui/wheels/WheelPrinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace WheelPrinting {

namespace {

void setPage(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

// Fonts in points for the device: the program's font is sized in screen pixels,
// which on a printer of 1200 dots an inch would be specks.
QFont pointFont(QPaintDevice* device, qreal points, bool bold = false) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return QFont(font, device);
}

const QString kNumberTitle = QStringLiteral("Билет");

// The tickets stand in groups of columns (number, six balls) side by side,
// filled top to bottom, then left to right.
class TicketPages {
public:
    TicketPages(QPainter& painter, QPaintDevice* device, const WheelTexts::PrintedWheel& wheel)
        : m_painter(painter), m_wheel(wheel), m_text(pointFont(device, 10)),
          m_bold(pointFont(device, 10, true)), m_title(pointFont(device, 14, true)),
          m_small(pointFont(device, 8)) {
        const QFontMetrics metrics(m_text, device);
        m_line = metrics.lineSpacing();
        // The widest ticket number and a little room, or the column's title.
        const qsizetype digits = QString::number(qulonglong(wheel.tickets.size())).size();
        m_numberWidth = std::max(metrics.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))),
                                 QFontMetrics(m_bold, device).horizontalAdvance(kNumberTitle));
        m_ballWidth = metrics.horizontalAdvance(QStringLiteral("000"));
        m_gap = metrics.horizontalAdvance(QStringLiteral("00"));
    }

    void paint(QPrinter* printer) {
        const QRect page(QPoint(0, 0),
                         printer->pageLayout().paintRectPixels(printer->resolution()).size());
        const int groupWidth = m_numberWidth + 6 * m_ballWidth + m_gap;
        const int groups = std::max(1, (page.width() + m_gap) / groupWidth);
        const int footer = 2 * m_line;
        const int headerHeight = header(page.width(), false);
        const int firstRows = std::max(1, (page.height() - headerHeight - footer) / m_line - 1);
        const int otherRows = std::max(1, (page.height() - footer) / m_line - 1);
        const qsizetype total = qsizetype(m_wheel.tickets.size());
        const qsizetype firstPage = qsizetype(groups) * firstRows;
        const qsizetype pages =
            total <= firstPage
                ? 1
                : 1 + (total - firstPage + groups * otherRows - 1) / (groups * otherRows);
        qsizetype next = 0;
        for (qsizetype number = 1; number <= pages; ++number) {
            if (number > 1 && !printer->newPage())
                return;
            int top = 0;
            if (number == 1)
                top = header(page.width(), true);
            const int rows = number == 1 ? firstRows : otherRows;
            for (int g = 0; g < groups && next < total; ++g) {
                const qsizetype count = std::min<qsizetype>(rows, total - next);
                paintGroup(g * groupWidth, top, next, count);
                next += count;
            }
            m_painter.setFont(m_small);
            m_painter.drawText(QRect(0, page.height() - m_line, page.width(), m_line),
                               Qt::AlignRight | Qt::AlignVCenter,
                               QStringLiteral("Страница %1 из %2").arg(number).arg(pages));
        }
    }

private:
    QString title() const {
        return QStringLiteral("Сокращённая система «%1»")
            .arg(WheelTexts::guaranteeText(m_wheel.request.guarantee));
    }

    // The title, the request, the check (in bold) and the record, wrapped to the width; drawn
    // when `draw`. Returns the height taken, a blank line below included.
    int header(int width, bool draw) {
        const std::pair<const QFont*, QString> paragraphs[] = {
            {&m_title, title()},
            {&m_text, WheelTexts::requestText(m_wheel.request)},
            {&m_bold, m_wheel.checkLine},
            {&m_text, m_wheel.recordLine}};
        int top = 0;
        for (const auto& [font, text] : paragraphs) {
            if (text.isEmpty())
                continue;
            m_painter.setFont(*font);
            const QRect box =
                m_painter.boundingRect(QRect(0, top, width, 0), Qt::TextWordWrap, text);
            if (draw)
                m_painter.drawText(QRect(0, top, width, box.height()), Qt::TextWordWrap, text);
            top += box.height() + m_line / 2;
        }
        return top + m_line / 2;
    }

    // One group: a title row, then `count` tickets from `first`, each column of
    // numbers drawn as one block of lines.
    void paintGroup(int left, int top, qsizetype first, qsizetype count) {
        m_painter.setFont(m_bold);
        m_painter.drawText(QRect(left, top, m_numberWidth, m_line),
                           Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Билет"));
        m_painter.drawText(QRect(left + m_numberWidth, top, 6 * m_ballWidth, m_line),
                           Qt::AlignCenter, QStringLiteral("Числа"));
        const int body = top + m_line;
        m_painter.drawLine(left, body, left + m_numberWidth + 6 * m_ballWidth, body);
        m_painter.setFont(m_text);
        const int height = int(count) * m_line;
        for (int column = 0; column <= 6; ++column) {
            QString lines;
            for (qsizetype i = first; i < first + count; ++i) {
                if (i > first)
                    lines += QLatin1Char('\n');
                lines += QString::number(
                    column == 0 ? i + 1 : m_wheel.tickets[size_t(i)][size_t(column - 1)]);
            }
            const int x = column == 0 ? left : left + m_numberWidth + (column - 1) * m_ballWidth;
            m_painter.drawText(
                QRect(x, body, column == 0 ? m_numberWidth - m_ballWidth / 3 : m_ballWidth, height),
                Qt::AlignRight | Qt::AlignTop, lines);
        }
    }

    QPainter& m_painter;
    const WheelTexts::PrintedWheel& m_wheel;
    QFont m_text, m_bold, m_title, m_small;
    int m_line = 0, m_numberWidth = 0, m_ballWidth = 0, m_gap = 0;
};

} // namespace

void print(QPrinter* printer, const WheelTexts::PrintedWheel& wheel) {
    QPainter painter;
    if (!painter.begin(printer))
        return;
    TicketPages(painter, printer, wheel).paint(printer);
    painter.end();
}

void preview(QWidget* owner, const WheelTexts::PrintedWheel& wheel) {
    QPrinter printer(QPrinter::HighResolution);
    setPage(printer);
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Печать системы"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&wheel](QPrinter* target) { print(target, wheel); });
    dialog.exec();
}

QString savePdf(const QString& path, const WheelTexts::PrintedWheel& wheel) {
    // The printer writes in place: an old file of that name must go first, or
    // a failed write would leave it looking like the new one.
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return QStringLiteral("Не удалось заменить файл «%1».").arg(QDir::toNativeSeparators(path));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    setPage(printer);
    print(&printer, wheel);
    if (printer.printerState() == QPrinter::Error || QFileInfo(path).size() == 0)
        return QStringLiteral("Не удалось записать файл «%1».").arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace WheelPrinting
