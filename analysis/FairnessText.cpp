#include "analysis/FairnessText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace Analysis {

namespace {

TableCell figure(double value, int decimals) {
    return std::isfinite(value) ? TableCell::number(value, decimals) : TableCell::null();
}

QJsonValue jsonFigure(double value) {
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

} // namespace

TextTable fairnessTable(const FairnessReport& report) {
    TextTable table;
    table.header =
        QStringList{QStringLiteral("name"), QStringLiteral("statistic"), QStringLiteral("df"),
                    QStringLiteral("p_value"), QStringLiteral("method")};
    for (const FairnessTest& test : report.tests)
        table.rows.push_back(
            {TableCell::string(test.name), figure(test.statistic, 4),
             test.available ? TableCell::number(qint64(test.df)) : TableCell::null(),
             figure(test.pValue, 6), TableCell::string(test.method)});
    return table;
}

QByteArray fairnessJson(const FairnessReport& report) {
    QJsonArray tests;
    for (const FairnessTest& test : report.tests)
        tests.append(
            QJsonObject{{QStringLiteral("name"), test.name},
                        {QStringLiteral("statistic"), jsonFigure(test.statistic)},
                        {QStringLiteral("df"), test.available ? QJsonValue(test.df) : QJsonValue()},
                        {QStringLiteral("p_value"), jsonFigure(test.pValue)},
                        {QStringLiteral("method"), test.method}});
    const QJsonObject root{{QStringLiteral("draws"), report.draws},
                           {QStringLiteral("tests"), tests}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace Analysis
