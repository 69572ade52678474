#include "gui/wheels/WheelPrinting.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace WheelPrinting {

namespace {

// Fonts in points for the device: the program's font is sized in screen pixels,
// which on a printer of 1200 dots an inch would be specks.
QFont pointFont(QPaintDevice* device, qreal points, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return QFont(font, device);
}

const QString kNumberTitle = QStringLiteral("Билет");
// A blank as wide as a digit: numbers padded with it stand right-aligned in
// their columns, so that a row is drawn as one text.
const QChar kFigureSpace(0x2007);

QString padded(qulonglong number, int digits) {
    return QString::number(number).rightJustified(digits, kFigureSpace);
}

// The tickets stand in groups of columns (number, six balls) side by side,
// filled top to bottom, then left to right; a page holds whole rows only.
class TicketPages {
public:
    TicketPages(const PageTarget& target, const WheelTexts::PrintedWheel& wheel)
        : m_target(target), m_painter(*target.painter), m_wheel(wheel) {
        QPaintDevice* device = m_painter.device();
        m_text = pointFont(device, 10);
        m_bold = pointFont(device, 10, true);
        m_title = pointFont(device, 14, true);
        m_small = pointFont(device, 8);
        const QFontMetricsF metrics(m_text, device);
        m_ascent = metrics.ascent();
        m_line = std::ceil(metrics.lineSpacing());
        m_digit = metrics.horizontalAdvance(QLatin1Char('0'));
        m_digits = int(QString::number(qulonglong(wheel.tickets.size())).size());
        // The widest ticket number, or the column's title; a ball takes three digits.
        m_numberWidth = std::max(m_digit * (m_digits + 1),
                                 QFontMetricsF(m_bold, device).horizontalAdvance(kNumberTitle));
        m_groupWidth = m_numberWidth + 6 * 3 * m_digit + 2 * m_digit;
    }

    bool paint(const Progress& progress) {
        const QSize page = m_target.page;
        const int groups = std::max(1, int((page.width() + 2 * m_digit) / m_groupWidth));
        const qreal footer = 2 * m_line;
        const qreal headerHeight = header(page.width(), false);
        // The title row of each group, then as many whole rows as the page holds.
        const auto rowsBelow = [&](qreal top) {
            return std::max(1, int(std::floor((page.height() - footer - top) / m_line)) - 1);
        };
        const int firstRows = rowsBelow(headerHeight);
        const int otherRows = rowsBelow(0);
        const qsizetype total = qsizetype(m_wheel.tickets.size());
        const qsizetype firstPage = qsizetype(groups) * firstRows;
        const qsizetype perPage = qsizetype(groups) * otherRows;
        const int pages =
            int(total <= firstPage ? 1 : 1 + (total - firstPage + perPage - 1) / perPage);
        qsizetype next = 0;
        for (int number = 1; number <= pages; ++number) {
            if (number > 1 && !m_target.newPage())
                return false;
            const qreal top = number == 1 ? header(page.width(), true) : 0;
            const int rows = number == 1 ? firstRows : otherRows;
            for (int g = 0; g < groups && next < total; ++g) {
                const qsizetype count = std::min<qsizetype>(rows, total - next);
                paintGroup(g * m_groupWidth, top, next, count);
                next += count;
            }
            m_painter.setFont(m_small);
            m_painter.drawText(QRectF(0, page.height() - m_line, page.width(), m_line),
                               Qt::AlignRight | Qt::AlignVCenter,
                               QStringLiteral("Страница %1 из %2").arg(number).arg(pages));
            if (progress && !progress(number, pages))
                return false;
        }
        return true;
    }

private:
    QString title() const {
        return QStringLiteral("Сокращённая система «%1»")
            .arg(WheelTexts::guaranteeText(m_wheel.request.guarantee));
    }

    // The title, the request, the check (in bold) and the record, wrapped to the width; drawn
    // when `draw`. Returns the height taken, a blank line below included.
    qreal header(int width, bool draw) {
        const std::pair<const QFont*, QString> paragraphs[] = {
            {&m_title, title()},
            {&m_text, WheelTexts::requestText(m_wheel.request)},
            {&m_bold, m_wheel.checkLine},
            {&m_text, m_wheel.recordLine}};
        qreal top = 0;
        for (const auto& [font, text] : paragraphs) {
            if (text.isEmpty())
                continue;
            m_painter.setFont(*font);
            const QRectF box =
                m_painter.boundingRect(QRectF(0, top, width, 0), Qt::TextWordWrap, text);
            if (draw)
                m_painter.drawText(QRectF(0, top, width, box.height()), Qt::TextWordWrap, text);
            top += box.height() + m_line / 2;
        }
        return std::ceil(top + m_line / 2);
    }

    // One group: a title row, then `count` tickets from `first`, a row each,
    // at its own baseline.
    void paintGroup(qreal left, qreal top, qsizetype first, qsizetype count) {
        const qreal balls = 6 * 3 * m_digit;
        m_painter.setFont(m_bold);
        m_painter.drawText(QRectF(left, top, m_numberWidth, m_line),
                           Qt::AlignRight | Qt::AlignVCenter, kNumberTitle);
        m_painter.drawText(QRectF(left + m_numberWidth, top, balls, m_line), Qt::AlignCenter,
                           QStringLiteral("Числа"));
        const qreal body = top + m_line;
        m_painter.drawLine(QPointF(left, body), QPointF(left + m_numberWidth + balls, body));
        m_painter.setFont(m_text);
        // The number's column ends a third of a ball before the balls begin.
        const qreal start = left + m_numberWidth - m_digit * (m_digits + 1);
        for (qsizetype i = first; i < first + count; ++i) {
            QString row = padded(qulonglong(i + 1), m_digits + 1);
            for (const int ball : m_wheel.tickets[size_t(i)])
                row += padded(qulonglong(ball), 3);
            m_painter.drawText(QPointF(start, body + (i - first) * m_line + m_ascent), row);
        }
    }

    const PageTarget& m_target;
    QPainter& m_painter;
    const WheelTexts::PrintedWheel& m_wheel;
    QFont m_text, m_bold, m_title, m_small;
    qreal m_line = 0, m_ascent = 0, m_digit = 0, m_numberWidth = 0, m_groupWidth = 0;
    int m_digits = 1;
};

void setPage(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

} // namespace

bool paintPages(const PageTarget& target, const WheelTexts::PrintedWheel& wheel,
                const Progress& progress) {
    return TicketPages(target, wheel).paint(progress);
}

void print(QPrinter* printer, const WheelTexts::PrintedWheel& wheel) {
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const QSize page = printer->pageLayout().paintRectPixels(printer->resolution()).size();
    paintPages({&painter, page, [printer] { return printer->newPage(); }}, wheel);
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

} // namespace WheelPrinting
