#include "bench/BenchReport.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

double Measurement::minimumMs() const {
    return runsMs.empty() ? 0 : *std::min_element(runsMs.begin(), runsMs.end());
}

double Measurement::medianMs() const {
    return median(runsMs);
}

double Measurement::referenceMedianMs() const {
    return median(referenceMs);
}

double Measurement::ratio() const {
    const double reference = referenceMedianMs();
    return reference > 0 ? medianMs() / reference : 0;
}

qint64 peakMemoryKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    static const QRegularExpression line(QStringLiteral("^VmHWM:\\s*(\\d+)\\s*kB"),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

namespace {

QString number(double value, int decimals = 1) {
    return QString::number(value, 'f', decimals);
}

QString padRight(const QString& text, int width) {
    return text.leftJustified(width);
}
QString padLeft(const QString& text, int width) {
    return text.rightJustified(width);
}

} // namespace

int printReport(QTextStream& out, int draws, const std::vector<Measurement>& measurements,
                qint64 peakKiB, double peakGoalMiB) {
    int missed = 0;
    const int nameWidth = 40;
    const QString rule = QString(nameWidth + 76, QLatin1Char('-'));

    out << "\nNumeron view timings, " << draws << " draws (synthetic data)\n";
    out << "Each figure is a median; a command's figure includes the event processing that "
           "paints its result.\n";
    out << "ratio = the command's median / the reference's median, measured in turns in this "
           "run.\n";
    out << rule << '\n';
    out << padRight(QStringLiteral("Command"), nameWidth) << padLeft(QStringLiteral("rows"), 9)
        << padLeft(QStringLiteral("ms"), 10) << padLeft(QStringLiteral("reference"), 20)
        << padLeft(QStringLiteral("ref ms"), 10) << padLeft(QStringLiteral("ratio"), 8)
        << padLeft(QStringLiteral("goal"), 8) << padLeft(QStringLiteral("verdict"), 11) << '\n';
    out << rule << '\n';
    for (const Measurement& m : measurements) {
        const bool compared = !m.reference.isEmpty();
        QString verdict = QStringLiteral("-");
        if (m.goalRatio > 0) {
            const bool met = m.ratio() <= m.goalRatio;
            verdict = met ? QStringLiteral("ok") : QStringLiteral("MISSED");
            missed += met ? 0 : 1;
        }
        out << padRight(m.command, nameWidth)
            << padLeft(m.resultRows >= 0 ? QString::number(m.resultRows) : QStringLiteral("-"), 9)
            << padLeft(number(m.medianMs()), 10)
            << padLeft(compared ? m.reference : QStringLiteral("-"), 20)
            << padLeft(compared ? number(m.referenceMedianMs()) : QStringLiteral("-"), 10)
            << padLeft(compared ? number(m.ratio(), 2) : QStringLiteral("-"), 8)
            << padLeft(m.goalRatio > 0 ? QStringLiteral("<=") + number(m.goalRatio)
                                       : QStringLiteral("-"),
                       8)
            << padLeft(verdict, 11) << '\n';
    }
    out << rule << '\n';

    const double peakMiB = peakKiB >= 0 ? static_cast<double>(peakKiB) / 1024.0 : -1;
    out << padRight(QStringLiteral("Peak memory (VmHWM), MiB"), nameWidth)
        << padLeft(QStringLiteral("-"), 9) << padLeft(number(peakMiB), 10);
    if (peakGoalMiB > 0) {
        const bool met = peakMiB >= 0 && peakMiB < peakGoalMiB;
        missed += met ? 0 : 1;
        out << padLeft(QStringLiteral("-"), 46)
            << padLeft(QStringLiteral("<") + number(peakGoalMiB, 0), 8)
            << padLeft(met ? QStringLiteral("ok") : QStringLiteral("MISSED"), 11);
    }
    out << '\n' << rule << '\n';
    out << (missed == 0 ? QStringLiteral("All goals met")
                        : QStringLiteral("Goals missed: %1").arg(missed))
        << " at " << draws << " draws (synthetic data).\n";
    out.flush();
    return missed;
}
