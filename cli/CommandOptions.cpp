#include "cli/CommandOptions.h"

#include "cli/CliCommand.h"

namespace CommandOptions {

namespace {

const QStringList kTableFormats{QStringLiteral("csv"), QStringLiteral("json")};

} // namespace

QCommandLineOption format(const QStringList& choices) {
    QStringList shown = choices;
    shown.first() += QStringLiteral(" (по умолчанию)");
    return QCommandLineOption(QStringLiteral("format"),
                              shown.join(QStringLiteral(", ")) + QLatin1Char('.'),
                              QStringLiteral("формат"), choices.first());
}

QString chosenFormat(const QCommandLineParser& parser, const QStringList& choices) {
    const QString chosen = parser.value(format(choices));
    if (!choices.contains(chosen))
        throw UsageError(QStringLiteral("неизвестный формат «%1»: %2")
                             .arg(chosen, choices.join(QStringLiteral(", "))));
    return chosen;
}

QCommandLineOption game() {
    return QCommandLineOption(QStringLiteral("game"),
                              QStringLiteral("Игра без базы данных: K/N или K/N+K2/N2 (6/49, 5/36, "
                                             "5/45+1/20); без неё — игра базы."),
                              QStringLiteral("игра"));
}

std::optional<Lottery::Game> chosenGame(const QCommandLineParser& parser) {
    if (!parser.isSet(game()))
        return std::nullopt;
    try {
        return Lottery::Game::parse(parser.value(game()));
    } catch (const Lottery::GameError& e) {
        throw UsageError(e.message());
    }
}

QCommandLineOption tableFormat() {
    return format(kTableFormats);
}

TableText::Format chosenTableFormat(const QCommandLineParser& parser) {
    return chosenFormat(parser, kTableFormats) == QLatin1String("json") ? TableText::Format::Json
                                                                        : TableText::Format::Csv;
}

QCommandLineOption last(const QString& what) {
    return QCommandLineOption(QStringLiteral("last"),
                              QStringLiteral("Считать только N последних %1.").arg(what),
                              QStringLiteral("N"));
}

std::optional<qint64> lastCount(const QCommandLineParser& parser, const QString& what) {
    if (!parser.isSet(last(what)))
        return std::nullopt;
    const QString text = parser.value(last(what));
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok || n < 1)
        throw UsageError(QStringLiteral("--last ждёт целое число от 1, а не «%1»").arg(text));
    return n;
}

void allowArguments(const QCommandLineParser& parser, int allowed) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() > allowed)
        throw UsageError(QStringLiteral("лишний аргумент «%1»").arg(arguments.at(allowed)));
}

} // namespace CommandOptions
