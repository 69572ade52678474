#include "cli/Console.h"

#include "runtime/AppError.h"

#include <QByteArray>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

AppError writeFailure() {
    return AppError(QStringLiteral("не удалось записать вывод (%1)").arg(qt_error_string(errno)));
}

void writeAll(FILE* stream, const char* data, size_t size) {
    if (size > 0 && std::fwrite(data, 1, size, stream) != size)
        throw writeFailure();
}

// Texts from outside (a workbook's cells, a web page's links) may hold
// control characters that a terminal would act on: they are shown as "?".
// Line breaks and tabs stay.
QString printable(QString text) {
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\n' && u != u'\t') || (u >= 0x7f && u < 0xa0))
            c = QLatin1Char('?');
    }
    return text;
}

constexpr int kBarWidth = 30;
constexpr int kLabelWidth = 40;

} // namespace

Console::Console() : m_terminal(isatty(STDERR_FILENO) == 1) {}

bool Console::outputIsTerminal() const {
    return isatty(STDOUT_FILENO) == 1;
}

void Console::print(const QString& line) {
    endProgress();
    const QByteArray bytes = printable(line).toUtf8() + '\n';
    write(bytes.constData(), bytes.size());
}

void Console::write(const char* data, qsizetype size) {
    writeAll(stdout, data, static_cast<size_t>(size));
}

void Console::flush() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw writeFailure();
}

void Console::error(const QString& message) {
    endProgress();
    std::fflush(stdout);
    const QByteArray bytes =
        QByteArrayLiteral("numeron-cli: ") + printable(message).toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void Console::progress(int percent, const QString& label) {
    if (!m_terminal)
        return;
    percent = qBound(0, percent, 100);
    if (percent == m_shownPercent && label == m_shownLabel)
        return;
    m_shownPercent = percent;
    m_shownLabel = label;
    const int filled = percent * kBarWidth / 100;
    QString shortLabel = printable(label);
    if (shortLabel.size() > kLabelWidth)
        shortLabel = QStringLiteral("…") + shortLabel.right(kLabelWidth - 1);
    const QString line =
        QStringLiteral("\r[%1%2] %3% %4\x1b[K")
            .arg(QString(filled, QLatin1Char('#')), QString(kBarWidth - filled, QLatin1Char('-')))
            .arg(percent, 3)
            .arg(shortLabel);
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void Console::endProgress() {
    if (!m_terminal || m_shownPercent < 0)
        return;
    m_shownPercent = -1;
    m_shownLabel.clear();
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
}
