#include "analysis/Fairness.h"

#include <cmath>

namespace Analysis {

FairnessReport computeFairness(const FairnessSample& sample, const FairnessOptions& options) {
    FairnessReport report;
    report.draws = qint64(sample.draws.size());
    report.irregular = sample.irregular;
    report.ordered = qint64(sample.orders.size());
    report.orderMalformed = sample.orderMalformed;
    report.tests.push_back(ballCountTest(sample.draws));
    report.tests.push_back(pairCountTest(sample.draws, options, &report.cancelled));
    report.tests.push_back(gapTest(sample.draws));
    for (FairnessTest& test : positionTests(sample.orders))
        report.tests.push_back(std::move(test));
    return report;
}

QString formatPValue(double p) {
    if (std::isnan(p))
        return QStringLiteral("—");
    if (p < 0.001)
        return QStringLiteral("< 0,001");
    return QString::number(p, 'f', p < 0.01 ? 3 : 2).replace(u'.', u',');
}

QString fairnessVerdict(const FairnessTest& test, double alpha) {
    if (!test.available || std::isnan(test.pValue))
        return QStringLiteral("проверка не проведена: ") + test.method;
    const QString p = formatPValue(test.pValue);
    const QString shown = (p.startsWith(u'<') ? QStringLiteral("p ") : QStringLiteral("p = ")) + p;
    return test.pValue > alpha
               ? QStringLiteral("нет оснований считать тиражи неслучайными, ") + shown
               : QStringLiteral("тиражи не похожи на случайные, ") + shown;
}

} // namespace Analysis
