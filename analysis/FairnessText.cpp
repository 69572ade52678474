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
        QString::fromLatin1("name,statistic,df,p_value,method,p_value_adjusted,law,draws,"
                            "malformed_draws")
            .split(u',');
    for (const FairnessTest& test : report.tests)
        table.rows.push_back({TableCell::string(test.name), figure(test.statistic, 4),
                              test.df > 0 ? TableCell::number(qint64(test.df)) : TableCell::null(),
                              figure(test.pValue, 6), TableCell::string(test.method),
                              figure(test.adjustedPValue, 6),
                              test.available ? TableCell::string(test.law) : TableCell::null(),
                              TableCell::number(test.draws), TableCell::number(test.leftOut)});
    return table;
}

QByteArray fairnessJson(const FairnessReport& report) {
    QJsonArray tests;
    for (const FairnessTest& test : report.tests) {
        QJsonObject object{
            {QStringLiteral("name"), test.name},
            {QStringLiteral("statistic"), jsonFigure(test.statistic)},
            {QStringLiteral("df"), test.df > 0 ? QJsonValue(test.df) : QJsonValue()},
            {QStringLiteral("law"), test.available ? QJsonValue(test.law) : QJsonValue()},
            {QStringLiteral("p_value"), jsonFigure(test.pValue)},
            {QStringLiteral("p_value_adjusted"), jsonFigure(test.adjustedPValue)},
            {QStringLiteral("draws"), test.draws},
            {QStringLiteral("malformed_draws"), test.leftOut},
            {QStringLiteral("simulations"), test.simulations},
            {QStringLiteral("method"), test.method},
            {QStringLiteral("verdict"), fairnessVerdict(test, report.testsRun)}};
        if (test.drum != 1)
            object.insert(QStringLiteral("drum"), test.drum);
        tests.append(object);
    }
    const bool run = report.testsRun > 0;
    const QJsonObject overall{
        {QStringLiteral("p_value"), jsonFigure(report.overallPValue)},
        {QStringLiteral("rejected"),
         run ? QJsonValue(report.overallPValue < kFairnessAlpha) : QJsonValue()},
        {QStringLiteral("tests"), report.testsRun},
        {QStringLiteral("alpha"), kFairnessAlpha},
        {QStringLiteral("verdict"), overallVerdict(report)}};
    const QJsonObject root{{QStringLiteral("draws"), report.draws},
                           {QStringLiteral("malformed_draws"), report.irregular},
                           {QStringLiteral("duplicate_draws"), report.duplicates},
                           {QStringLiteral("ordered_draws"), report.ordered},
                           {QStringLiteral("overall"), overall},
                           {QStringLiteral("tests"), tests}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace Analysis
