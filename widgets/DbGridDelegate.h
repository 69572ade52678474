#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

// Paints the grid's cells as the standard delegate does (one line of text,
// left and vertically centred, the selection's colours) but keeps each text's
// laid-out glyphs, so that repainting a screen of numbers after every move or
// view does not lay the same short texts out again. A text that does not fit
// its cell, and the cell with the focus frame, go to the standard painting.
class DbGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& laidOut(const QString& text, const QFont& font) const;
    mutable QHash<QString, QStaticText> m_texts;
    mutable QFont m_font;
};
