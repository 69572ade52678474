#include "widgets/DbGridDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {
// Distinct texts kept at most: a screenful of cells is far fewer.
constexpr int kKeptTexts = 4096;
} // namespace

const QStaticText& DbGridDelegate::laidOut(const QString& text, const QFont& font) const {
    if (font != m_font || m_texts.size() >= kKeptTexts) {
        m_texts.clear();
        m_font = font;
    }
    auto found = m_texts.find(text);
    if (found == m_texts.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), font);
        found = m_texts.insert(text, laid);
    }
    return found.value();
}

void DbGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const QVariant shown = index.data(Qt::DisplayRole);
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    if ((option.state & QStyle::State_HasFocus) || !painter->transform().isIdentity() ||
        (shown.isValid() && shown.typeId() != QMetaType::QString)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QString text = shown.toString();
    // The text's place as the style lays it out: inside the focus frame's
    // margin, aligned in the cell.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textArea = option.rect.adjusted(margin, 0, -margin, 0);
    const QStaticText* laid = text.isEmpty() ? nullptr : &laidOut(text, option.font);
    if (laid && laid->size().width() > textArea.width()) {
        QStyledItemDelegate::paint(painter, option, index); // elided by the style
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    if (!laid)
        return;
    const Qt::Alignment align = alignment.isValid()
                                    ? Qt::Alignment(alignment.toInt())
                                    : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QRect place =
        QStyle::alignedRect(option.direction, align, laid->size().toSize(), textArea);
    const QPen pen = painter->pen();
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(place.topLeft(), *laid);
    painter->setPen(pen);
}
