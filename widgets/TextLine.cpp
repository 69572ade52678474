#include "widgets/TextLine.h"

#include "widgets/DbText.h"

#include <QFontMetricsF>
#include <QLabel>
#include <cmath>

TextLine::TextLine(int right, QObject* parent) : QObject(parent), m_right(right) {}

void TextLine::add(QLabel* item, bool isText) {
    m_items.append({item, isText, item->x(), item->width()});
}

void TextLine::layOut() {
    const int n = int(m_items.size());
    if (n == 0)
        return;
    // What each item draws, and the room it keeps from the item before it.
    QVector<qreal> drawn(n), gap(n, 0.0);
    qreal texts = 0, fixed = m_items.first().left;
    for (int i = 0; i < n; ++i) {
        const Item& item = m_items.at(i);
        const QFontMetricsF metrics(item.label->font());
        drawn[i] =
            item.label->text().isEmpty() ? 0.0 : metrics.horizontalAdvance(item.label->text());
        if (i > 0 && drawn[i] > 0 && drawn[i - 1] > 0) {
            const bool blankBefore = m_items.at(i - 1).label->text().endsWith(QLatin1Char(' '));
            gap[i] = item.isText && blankBefore ? 0.0 : metrics.horizontalAdvance(QLatin1Char(' '));
        }
        (item.isText ? texts : fixed) += drawn[i];
        fixed += gap[i];
    }
    // Too long even packed tight: the texts share what is left.
    const qreal scale =
        fixed + texts <= m_right || texts <= 0
            ? 1.0
            : qMax(DbText::kNarrowest, (m_right - fixed - 2.0 * n) / texts); // 2: rounding
    for (int i = 0; i < n; ++i)
        if (m_items.at(i).isText && scale < 1.0)
            drawn[i] = std::ceil(drawn[i] * scale); // the box the text is condensed into

    // Left to right: at its place, or after the item before it.
    QVector<int> left(n);
    left[0] = m_items.first().left;
    for (int i = 1; i < n; ++i) {
        const int after = int(std::ceil(left[i - 1] + drawn[i - 1] + gap[i]));
        // An empty text keeps its place beside its caption.
        left[i] = drawn[i] > 0 ? qMax(m_items.at(i).left, after)
                               : m_items.at(i).left + (left[i - 1] - m_items.at(i - 1).left);
    }
    // Right to left: back from the line's end into the room before.
    int limit = m_right;
    for (int i = n - 1; i >= 0; --i) {
        left[i] = qMin(left[i], int(std::floor(limit - drawn[i])));
        if (drawn[i] > 0)
            limit = int(std::floor(left[i] - gap[i]));
    }
    for (int i = 0; i < n; ++i) {
        const Item& item = m_items.at(i);
        if (!item.isText) {
            item.label->move(left[i], item.label->y());
            continue;
        }
        // A text's box: its own, or wide enough for what it shows, up to the
        // next item; a condensed text's, just what it is condensed into.
        const int needed = int(std::ceil(drawn[i])) + DbText::kEdgeGap;
        int width = scale < 1.0 ? needed : qMax(item.width, needed);
        if (i + 1 < n)
            width = qMin(width, left[i + 1] - left[i]);
        item.label->setGeometry(left[i], item.label->y(), width, item.label->height());
    }
}
