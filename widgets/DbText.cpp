#include "widgets/DbText.h"

#include "dataset/DataSource.h"
#include "dataset/Query.h"

#include <QPainter>

DbText::DbText(const QString& field, DisplayForm form, QWidget* parent)
    : QLabel(parent), m_field(field), m_form(form) {}

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
    setText(text);
}

QFont DbText::shownFont() const {
    QFont shown = font();
    const int room = contentsRect().width();
    for (int stretch = 100; stretch >= kNarrowestStretch; stretch -= 5) {
        shown.setStretch(stretch);
        if (QFontMetrics(shown).horizontalAdvance(text()) <= room)
            break;
    }
    return shown;
}

void DbText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.setFont(shownFont());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
}
