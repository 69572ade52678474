#include "cli/HelpText.h"

#include "cli/CliCommand.h"
#include "cli/CommandRegistry.h"

#include <QStringList>
#include <algorithm>

namespace HelpText {

QCommandLineOption dbOption() {
    return QCommandLineOption(
        QStringLiteral("db"),
        QStringLiteral("Файл базы данных. Без него — как у окна: razyg.ini рядом с "
                       "программой (CONFIG/filenamedb, иначе razyg.mdb рядом с программой)."),
        QStringLiteral("путь"));
}

QCommandLineOption helpOption() {
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("Показать эту справку."));
}

QCommandLineOption versionOption() {
    return QCommandLineOption(QStringLiteral("version"),
                              QStringLiteral("Показать версию программы."));
}

namespace {

constexpr qsizetype kLineWidth = 79;

// Breaks a paragraph into lines of at most width characters between words;
// every line but the first is indented.
QString wrapped(const QString& paragraph, qsizetype width, qsizetype indent) {
    QString text;
    qsizetype lineLength = 0;
    for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            text += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            lineLength = 0;
        } else if (lineLength > 0) {
            text += QLatin1Char(' ');
            ++lineLength;
        }
        text += word;
        lineLength += word.size();
    }
    return text;
}

// Wraps each line of the text; lines that begin with blanks (examples) stay.
QString wrappedText(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.append(line.startsWith(QLatin1Char(' ')) ? line : wrapped(line, kLineWidth, 0));
    return lines.join(QLatin1Char('\n'));
}

QString optionNames(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString text = names.join(QLatin1String(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <") + option.valueName() + QLatin1Char('>');
    return text;
}

// Two columns: the names, and the descriptions aligned after the longest name.
QString table(const QList<QPair<QString, QString>>& rows) {
    qsizetype width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    const qsizetype indent = 2 + width + 2;
    QString text;
    for (const auto& row : rows)
        text += QStringLiteral("  ") + row.first.leftJustified(width + 2) +
                wrapped(row.second, kLineWidth - indent, indent) + QLatin1Char('\n');
    return text;
}

QString optionTable(const QList<QCommandLineOption>& options) {
    QList<QPair<QString, QString>> rows;
    for (const QCommandLineOption& option : options)
        rows.append({optionNames(option), option.description()});
    return table(rows);
}

} // namespace

QString general() {
    QList<QPair<QString, QString>> commands;
    for (const CliCommandPtr& command : CommandRegistry::all())
        commands.append({command->name(), command->summary()});
    commands.append({QStringLiteral("help"), QStringLiteral("Справка по команде: help КОМАНДА.")});
    return QStringLiteral("Использование: numeron-cli [параметры] КОМАНДА [аргументы]\n\n") +
           wrappedText(QStringLiteral("Нумерон «6 из 49» без окна: импорт и онлайн-обновление "
                                      "тиражей, выгрузка тиражей и ставок, частоты шаров, "
                                      "фильтр билетов и их проверка на прошедших тиражах. "
                                      "Базы других игр (5 из 36, 5 из 45 + 1 из 20, ...) "
                                      "создаёт create; с ними пока работают import и update.")) +
           QStringLiteral("\n\nКоманды:\n") + table(commands) + QStringLiteral("\nПараметры:\n") +
           optionTable({dbOption(), helpOption(), versionOption()}) + QLatin1Char('\n') +
           wrappedText(QStringLiteral("Коды выхода: 0 — выполнено, 1 — ошибка (сообщение в "
                                      "стандартном потоке ошибок), 2 — неверная командная "
                                      "строка.")) +
           QLatin1Char('\n');
}

QString forCommand(const CliCommand& command) {
    QString usage = QStringLiteral("Использование: numeron-cli ") + command.name() +
                    QStringLiteral(" [параметры]");
    if (!command.arguments().isEmpty())
        usage += QLatin1Char(' ') + command.arguments();
    QList<QCommandLineOption> options = command.options();
    options.append(dbOption());
    options.append(helpOption());
    return usage + QStringLiteral("\n\n") + wrappedText(command.description().trimmed()) +
           QStringLiteral("\n\nПараметры:\n") + optionTable(options);
}

QString seeHelp(const QString& commandName) {
    return QStringLiteral("Справка: numeron-cli help") +
           (commandName.isEmpty() ? QString() : QLatin1Char(' ') + commandName);
}

} // namespace HelpText
