#pragma once

#include <QString>
#include <QtGlobal>

// The command's standard output and standard error, written as UTF-8, and a
// progress bar on standard error that shows only when standard error is a
// terminal (never in a pipe, a log or a scheduled job).
class Console {
public:
    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // A line on standard output. print, error and progress show control
    // characters other than line breaks and tabs as "?".
    void print(const QString& line);
    // Bytes on standard output as they are. Throws AppError when they cannot
    // be written (a full disk, a closed pipe).
    void write(const char* data, qsizetype size);
    // Pushes standard output out; throws AppError when that fails.
    void flush();

    // A message on standard error, after "numeron-cli: ": a failure, a
    // warning, or which database a command uses.
    void error(const QString& message);

    bool showsProgress() const { return m_terminal; }
    // Whether standard output is a terminal too (a bar would mix with the output).
    bool outputIsTerminal() const;
    // Draws the bar at percent (0 to 100) with a label; redrawn only on change.
    void progress(int percent, const QString& label);
    // Removes the bar from the terminal line.
    void endProgress();

private:
    bool m_terminal = false;
    int m_shownPercent = -1;
    QString m_shownLabel;
};
