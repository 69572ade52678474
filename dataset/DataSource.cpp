#include "dataset/DataSource.h"

#include "dataset/Query.h"

DataSource::DataSource(const QString& name, Query* dataSet, QObject* parent)
    : QObject(parent), m_dataSet(dataSet) {
    setObjectName(name);
    connect(dataSet, &Query::dataChanged, this, [this](const QString& field) {
        if (m_dataSet->isActive())
            Q_EMIT dataChange(field);
    });
    connect(dataSet, &Query::rowsReset, this, &DataSource::rowsReset);
    connect(dataSet, &Query::stateChanged, this, &DataSource::stateChange);
}
