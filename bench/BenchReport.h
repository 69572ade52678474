#pragma once

#include <QString>
#include <QTextStream>
#include <vector>

// Timings of one command over several runs, and the table they are printed in.
struct Measurement {
    QString command;
    qint64 resultRows = -1; // rows the command left on screen; -1 when not applicable
    std::vector<double> runsMs;

    double minimumMs() const;
    double medianMs() const;
};

// The targets for a database of a given size; zero means no target at that size.
struct Goals {
    double commandMs = 0;
    double peakMemoryMiB = 0;
};
Goals goalsFor(int draws);

// The process's peak resident memory so far (VmHWM), in KiB; -1 when unknown.
qint64 peakMemoryKiB();

// Prints the table and the goal verdicts. Returns the number of goals missed.
int printReport(QTextStream& out, int draws, const std::vector<Measurement>& measurements,
                qint64 peakKiB);
