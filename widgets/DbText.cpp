#include "widgets/DbText.h"

#include "dataset/DataSource.h"
#include "dataset/Query.h"

#include <QPainter>

DbText::DbText(const QString& field, DisplayForm form, QWidget* parent)
    : QLabel(parent), m_field(field), m_form(form) {
    // From the top of the box, as the captions beside it: the lines share a baseline.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void DbText::setDataSource(DataSource* source) {
    for (const auto& link : m_links)
        disconnect(link);
    m_links.clear();
    m_source = source;
    if (source) {
        m_links.append(connect(source, &DataSource::dataChange, this, [this] { refresh(); }));
        m_links.append(connect(source, &DataSource::stateChange, this, [this] { refresh(); }));
    }
    refresh();
}

void DbText::refresh() {
    QString text;
    if (m_source) {
        const Query* q = m_source->dataSet();
        if (q->isActive() && q->hasField(m_field) &&
            (q->recNo() >= 0 || q->state() != Query::State::Browse))
            text = displayText(q->value(m_field), m_form);
    }
    if (text == this->text())
        return;
    setText(text);
    Q_EMIT shown();
}

qreal DbText::condensing() const {
    // A text that would end right at the box's edge is condensed as well, so
    // that it keeps a little room from the label after it.
    const qreal room = contentsRect().width() - kEdgeGap;
    const qreal natural = QFontMetricsF(font()).horizontalAdvance(text());
    if (natural <= room || natural <= 0)
        return 1.0;
    return qMax(room / natural, kNarrowest);
}

void DbText::paintEvent(QPaintEvent*) {
    // Only the width shrinks: the digits keep their height.
    QPainter painter(this);
    const QRect box = contentsRect();
    painter.setClipRect(box);
    const qreal scale = condensing();
    painter.scale(scale, 1.0);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QRectF scaled(box.x() / scale, box.y(), box.width() / scale, box.height());
    painter.drawText(scaled, int(alignment()) | Qt::TextSingleLine, text());
}
