#pragma once

#include <QObject>
#include <QString>

class Query;

// A data source (DataSource1, DataSource2) between a query and the controls
// bound to it. It relays the query's changes while the query is open.
class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(const QString& name, Query* dataSet, QObject* parent = nullptr);
    Query* dataSet() const { return m_dataSet; }

Q_SIGNALS:
    // The data or the current row changed; field is empty for a row change.
    void dataChange(const QString& field);
    // The rows were replaced.
    void rowsReset();
    // The query opened, closed or changed its editing state.
    void stateChange();

private:
    Query* m_dataSet;
};
