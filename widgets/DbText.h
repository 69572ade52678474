#pragma once

#include "dataset/DataSource.h"
#include "runtime/DisplayForms.h"

#include <QLabel>
#include <QPointer>

// A label that shows one column of its data source's current row; empty with no
// row, a null value, no such column, or no data source. The text never draws
// outside the label's box: one too wide for it is drawn condensed (down to
// kNarrowest of its width) and cut at the box's edge.
class DbText : public QLabel {
    Q_OBJECT
public:
    DbText(const QString& field, DisplayForm form, QWidget* parent = nullptr);
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }

    static constexpr qreal kNarrowest = 0.6;
    static constexpr int kEdgeGap = 2; // pixels kept free at the right edge when condensing
    // How much the text is condensed to fit: its width is scaled by this (1: not at all).
    qreal condensing() const;

Q_SIGNALS:
    // The text shown changed.
    void shown();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    QString m_field;
    DisplayForm m_form;
    QPointer<DataSource> m_source;
    QList<QMetaObject::Connection> m_links;
};
