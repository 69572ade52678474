#pragma once

#include "dataset/DataSource.h"
#include "runtime/DisplayForms.h"

#include <QLabel>
#include <QPointer>

// A label that shows one column of its data source's current row; empty with no
// row, a null value, no such column, or no data source. The text never draws
// outside the label's box: one too wide for it is drawn condensed (down to
// kNarrowestStretch percent of its width) and cut at the box's edge.
class DbText : public QLabel {
    Q_OBJECT
public:
    DbText(const QString& field, DisplayForm form, QWidget* parent = nullptr);
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }

    static constexpr int kNarrowestStretch = 70;
    // The font the text is drawn in: the label's own, condensed when needed.
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    QString m_field;
    DisplayForm m_form;
    QPointer<DataSource> m_source;
    QList<QMetaObject::Connection> m_links;
};
