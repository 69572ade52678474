#include "cli/CommandLine.h"

#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CliTexts.h"
#include "cli/CommandRegistry.h"
#include "cli/Console.h"
#include "cli/HelpText.h"

#include <QCoreApplication>

namespace CommandLine {

namespace {

int badUsage(Console& console, const QString& message, const QString& commandName = QString()) {
    console.error(message + QLatin1Char('\n') + HelpText::seeHelp(commandName));
    return ExitCode::BadUsage;
}

// The parser's complaint, in the program's words where it names an option the
// program does not know (with its dashes, as it was typed).
QString parserError(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return parser.errorText();
    const QString& name = unknown.first();
    return QStringLiteral("неизвестный параметр «%1%2»")
        .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
}

int showHelp(Console& console, const QStringList& topics) {
    if (topics.size() > 1)
        return badUsage(console, QStringLiteral("лишний аргумент «%1»").arg(topics.at(1)));
    if (topics.isEmpty()) {
        console.print(HelpText::general().trimmed());
        return ExitCode::Done;
    }
    const CliCommand* command = CommandRegistry::find(topics.first());
    if (!command)
        return badUsage(console, QStringLiteral("неизвестная команда «%1»").arg(topics.first()));
    console.print(HelpText::forCommand(*command).trimmed());
    return ExitCode::Done;
}

int runCommand(CliCommand& command, const QStringList& arguments, const QString& globalDb,
               const QString& appDir, Console& console) {
    QCommandLineParser parser;
    const QCommandLineOption db = HelpText::dbOption();
    const QCommandLineOption help = HelpText::helpOption();
    parser.addOptions(command.options());
    parser.addOption(db);
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("numeron-cli")} + arguments))
        return badUsage(console, parserError(parser), command.name());
    if (parser.isSet(help)) {
        console.print(HelpText::forCommand(command).trimmed());
        return ExitCode::Done;
    }
    CliSession session(appDir, parser.isSet(db) ? parser.value(db) : globalDb, console);
    try {
        const int code = command.run(session, parser);
        console.flush();
        return code;
    } catch (const UsageError& e) {
        return badUsage(console, e.message(), command.name());
    } catch (const AppError& e) {
        console.error(CliTexts::explained(e.message()));
        return ExitCode::Failed;
    }
}

} // namespace

int run(const QStringList& arguments, const QString& appDir, Console& console) {
    // The shared options come before the command; everything after the
    // command's name is the command's own (it knows --db and --help too).
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption db = HelpText::dbOption();
    const QCommandLineOption help = HelpText::helpOption();
    const QCommandLineOption version = HelpText::versionOption();
    parser.addOptions({db, help, version});
    if (!parser.parse(arguments))
        return badUsage(console, parserError(parser));
    QStringList rest = parser.positionalArguments();
    if (parser.isSet(version)) {
        console.print(QStringLiteral("numeron-cli ") + QCoreApplication::applicationVersion());
        return ExitCode::Done;
    }
    if (parser.isSet(help))
        return showHelp(console, rest.mid(0, 1));
    if (rest.isEmpty())
        return badUsage(console, QStringLiteral("не указана команда"));
    const QString name = rest.takeFirst();
    if (name == QLatin1String("help"))
        return showHelp(console, rest);
    CliCommand* command = CommandRegistry::find(name);
    if (!command)
        return badUsage(console, QStringLiteral("неизвестная команда «%1»").arg(name));
    return runCommand(*command, rest, parser.value(db), appDir, console);
}

} // namespace CommandLine
