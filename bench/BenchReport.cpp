#include "bench/BenchReport.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

double Measurement::minimumMs() const {
    return runsMs.empty() ? 0 : *std::min_element(runsMs.begin(), runsMs.end());
}

double Measurement::medianMs() const {
    if (runsMs.empty())
        return 0;
    std::vector<double> sorted = runsMs;
    std::sort(sorted.begin(), sorted.end());
    const size_t mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

Goals goalsFor(int draws) {
    Goals goals;
    if (draws <= 10000)
        goals.commandMs = 50;
    else if (draws <= 1000000)
        goals.commandMs = 2000;
    if (draws == 1000000)
        goals.peakMemoryMiB = 300;
    return goals;
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

QString number(double ms) {
    return QString::number(ms, 'f', 1);
}

QString padRight(const QString& text, int width) {
    return text.leftJustified(width);
}
QString padLeft(const QString& text, int width) {
    return text.rightJustified(width);
}

} // namespace

int printReport(QTextStream& out, int draws, const std::vector<Measurement>& measurements,
                qint64 peakKiB) {
    const Goals goals = goalsFor(draws);
    int missed = 0;
    const int nameWidth = 44;
    const QString rule = QString(nameWidth + 50, QLatin1Char('-'));

    out << "\nNumeron view timings, " << draws << " draws (synthetic data)\n";
    out << "Each figure: the command plus the event processing that paints its result.\n";
    out << rule << '\n';
    out << padRight(QStringLiteral("Command"), nameWidth) << padLeft(QStringLiteral("rows"), 9)
        << padLeft(QStringLiteral("min ms"), 10) << padLeft(QStringLiteral("median ms"), 11)
        << padLeft(QStringLiteral("goal ms"), 10) << padLeft(QStringLiteral("verdict"), 10) << '\n';
    out << rule << '\n';
    for (const Measurement& m : measurements) {
        QString verdict = QStringLiteral("-");
        if (goals.commandMs > 0) {
            const bool met = m.medianMs() < goals.commandMs;
            verdict = met ? QStringLiteral("ok") : QStringLiteral("MISSED");
            missed += met ? 0 : 1;
        }
        out << padRight(m.command, nameWidth)
            << padLeft(m.resultRows >= 0 ? QString::number(m.resultRows) : QStringLiteral("-"), 9)
            << padLeft(number(m.minimumMs()), 10) << padLeft(number(m.medianMs()), 11)
            << padLeft(goals.commandMs > 0 ? number(goals.commandMs) : QStringLiteral("-"), 10)
            << padLeft(verdict, 10) << '\n';
    }
    out << rule << '\n';

    const double peakMiB = peakKiB >= 0 ? static_cast<double>(peakKiB) / 1024.0 : -1;
    out << padRight(QStringLiteral("Peak memory (VmHWM), MiB"), nameWidth)
        << padLeft(QStringLiteral("-"), 9) << padLeft(QString::number(peakMiB, 'f', 1), 21);
    if (goals.peakMemoryMiB > 0) {
        const bool met = peakMiB >= 0 && peakMiB < goals.peakMemoryMiB;
        missed += met ? 0 : 1;
        out << padLeft(QString::number(goals.peakMemoryMiB, 'f', 0), 10)
            << padLeft(met ? QStringLiteral("ok") : QStringLiteral("MISSED"), 10);
    }
    out << '\n' << rule << '\n';
    out << (missed == 0 ? QStringLiteral("All goals met")
                        : QStringLiteral("Goals missed: %1").arg(missed))
        << " at " << draws << " draws (synthetic data).\n";
    out.flush();
    return missed;
}
