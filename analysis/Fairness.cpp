#include "analysis/Fairness.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Analysis {

namespace {

// The tests of one drum, added to the report: the drawn-order ones only where
// they say more than the ball counts (a drum of one ball has one position),
// the pairs where a draw holds two balls.
void runDrumTests(const FairnessSample& sample, const FairnessOptions& options,
                  FairnessReport& report) {
    const Drum& drum = sample.drum;
    std::vector<FairnessTest> tests;
    tests.push_back(ballCountTest(sample.draws, options, &report.cancelled, drum));
    if (drum.k >= 2)
        tests.push_back(pairCountTest(sample.draws, options, &report.cancelled, drum));
    tests.push_back(gapTest(sample.draws, drum));
    if (drum.k >= 2)
        for (FairnessTest& test : positionTests(sample.orders, options, &report.cancelled, drum))
            tests.push_back(std::move(test));
    for (FairnessTest& test : tests) {
        test.drum = drum.number;
        test.leftOut =
            sample.irregular + (test.name.contains(u"position") ? sample.orderMalformed : 0);
        report.tests.push_back(std::move(test));
    }
}

} // namespace

FairnessReport computeFairness(const FairnessSample& sample, const FairnessOptions& options) {
    FairnessReport report;
    report.draws = qint64(sample.draws.size());
    report.irregular = sample.irregular;
    report.duplicates = sample.duplicates;
    report.ordered = qint64(sample.orders.size());
    report.orderMalformed = sample.orderMalformed;
    runDrumTests(sample, options, report);
    if (sample.second)
        runDrumTests(*sample.second, options, report);

    // Nine tests at 5% each would call one fair history in six unfair:
    // Holm's correction keeps that chance at 5% for all of them together.
    std::vector<double> raw;
    for (FairnessTest& test : report.tests) {
        test.adjustedPValue = std::numeric_limits<double>::quiet_NaN();
        if (test.available && !std::isnan(test.pValue))
            raw.push_back(test.pValue);
    }
    const std::vector<double> adjusted = holmAdjusted(raw);
    size_t next = 0;
    for (FairnessTest& test : report.tests)
        if (test.available && !std::isnan(test.pValue))
            test.adjustedPValue = adjusted[next++];
    report.testsRun = int(raw.size());
    if (!adjusted.empty())
        report.overallPValue = *std::min_element(adjusted.begin(), adjusted.end());
    return report;
}

std::vector<double> holmAdjusted(const std::vector<double>& p) {
    std::vector<size_t> order(p.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return p[a] < p[b]; });
    std::vector<double> adjusted(p.size());
    double running = 0;
    for (size_t rank = 0; rank < order.size(); ++rank) {
        running = std::max(running, std::min(1.0, double(p.size() - rank) * p[order[rank]]));
        adjusted[order[rank]] = running;
    }
    return adjusted;
}

QString formatPValue(double p, double alpha) {
    if (std::isnan(p))
        return QStringLiteral("—");
    if (p < 0.001)
        return QStringLiteral("< 0,001");
    // Rounded to its usual decimals, a p just under alpha would read as alpha
    // beside a verdict that needs less: more decimals until the text stays on
    // the side of alpha where p is.
    int decimals = p < 0.01 ? 3 : 2;
    for (; decimals < 6; ++decimals) {
        const double shown = QString::number(p, 'f', decimals).toDouble();
        if ((shown < alpha) == (p < alpha) && (shown != alpha || p == alpha))
            break;
    }
    return QString::number(p, 'f', decimals).replace(u'.', u',');
}

namespace {

// "p = 0,43" or "p < 0,001".
QString pText(double p, double alpha) {
    const QString text = formatPValue(p, alpha);
    return (text.startsWith(u'<') ? QStringLiteral("p ") : QStringLiteral("p = ")) + text;
}

QString correctionText(int together) {
    return QStringLiteral("с поправкой на %1 %2")
        .arg(together)
        .arg(together % 10 == 1 && together % 100 != 11 ? QStringLiteral("проверку")
             : together % 10 >= 2 && together % 10 <= 4 &&
                     (together % 100 < 10 || together % 100 >= 20)
                 ? QStringLiteral("проверки")
                 : QStringLiteral("проверок"));
}

} // namespace

QString fairnessVerdict(const FairnessTest& test, int together, double alpha) {
    if (!test.available || std::isnan(test.pValue))
        return QStringLiteral("проверка не проведена: ") + test.method;
    const QString raw = pText(test.pValue, alpha);
    if (test.pValue >= alpha)
        return QStringLiteral("нет оснований считать тиражи неслучайными, ") + raw;
    const QString adjusted = correctionText(together) + u' ' + pText(test.adjustedPValue, alpha);
    if (test.adjustedPValue < alpha)
        return QStringLiteral("тиражи не похожи на случайные: ") + raw + QStringLiteral(", ") +
               adjusted;
    return raw + QStringLiteral(" — редкое, но возможное при честных тиражах отклонение (") +
           adjusted + u')';
}

QString overallVerdict(const FairnessReport& report, double alpha) {
    if (report.testsRun == 0)
        return QStringLiteral("В целом: проверки не проведены — мало тиражей.");
    const QString p = QStringLiteral("наименьшее p ") + correctionText(report.testsRun) +
                      QStringLiteral(" (метод Холма): ") +
                      formatPValue(report.overallPValue, alpha);
    if (report.overallPValue >= alpha)
        return QStringLiteral("В целом: нет оснований считать тиражи неслучайными; ") + p + u'.';
    QStringList failed;
    for (const FairnessTest& test : report.tests)
        if (test.available && test.adjustedPValue < alpha)
            failed << QStringLiteral("«") + fairnessTitle(test.name) + QStringLiteral("»");
    return QStringLiteral("В целом: тиражи не похожи на случайные (") +
           failed.join(QStringLiteral(", ")) + QStringLiteral("); ") + p + u'.';
}

QString fairnessTitle(const QString& test) {
    const QString secondDrum = QStringLiteral("drum2_");
    if (test.startsWith(secondDrum))
        return QStringLiteral("Второй барабан: ") + fairnessTitle(test.mid(secondDrum.size()));
    const QString& name = test;
    if (name == QLatin1String("balls"))
        return QStringLiteral("Частоты шаров");
    if (name == QLatin1String("pairs"))
        return QStringLiteral("Частоты пар");
    if (name == QLatin1String("gaps"))
        return QStringLiteral("Интервалы между выпадениями");
    return QStringLiteral("Место %1 в порядке выпадения").arg(name.mid(8));
}

} // namespace Analysis
