#include "widgets/DbText.h"

#include "dataset/DataSource.h"
#include "dataset/Query.h"

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
