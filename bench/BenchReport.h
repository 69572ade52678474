#pragma once

#include <QString>
#include <QTextStream>
#include <vector>

// Timings of one command over several runs, and of the reference it is
// compared with, measured in turns with it so that both see the same load.
struct Measurement {
    QString command;
    qint64 resultRows = -1; // rows the command left on screen; -1 when not applicable
    std::vector<double> runsMs;
    QString reference; // what the command is compared with; empty: nothing
    std::vector<double> referenceMs;
    double goalRatio = 0; // the highest ratio of the medians allowed; 0: no goal

    double minimumMs() const;
    double medianMs() const;
    double referenceMedianMs() const;
    double ratio() const; // median over the reference's median; 0 without a reference
};

// The process's peak resident memory so far (VmHWM), in KiB; -1 when unknown.
qint64 peakMemoryKiB();

// Prints the table and the goal verdicts. peakGoalMiB 0 sets no memory goal.
// Returns the number of goals missed.
int printReport(QTextStream& out, int draws, const std::vector<Measurement>& measurements,
                qint64 peakKiB, double peakGoalMiB);
