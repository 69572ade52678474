// numeron-cli --db FILE create --game K/N[+K2/N2]: a new, empty database of a
// game (6 из 49 without --game), as numeron_setup makes the default one.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/CommandOptions.h"
#include "cli/Console.h"
#include "game/Game.h"
#include "startup/DatabaseSetup.h"
#include "startup/StartupTexts.h"

#include <QFileInfo>

namespace {

const QCommandLineOption kGame(QStringLiteral("game"),
                               QStringLiteral("Игра: K/N или K/N+K2/N2 (6/49 по умолчанию)."),
                               QStringLiteral("игра"));
const QCommandLineOption kName(QStringLiteral("name"),
                               QStringLiteral("Название игры (по умолчанию «K из N»)."),
                               QStringLiteral("текст"));
const QCommandLineOption
    kCategories(QStringLiteral("categories"),
                QStringLiteral("Категории выигрыша через запятую, например 5,4,3 или 5+1,5,4+1."),
                QStringLiteral("список"));

class CreateCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("create"); }
    QString summary() const override {
        return QStringLiteral("Новая пустая база данных игры (5/36, 5/45+1/20, ...).");
    }
    QString description() const override {
        return QStringLiteral(
            "Создаёт файл, указанный в --db, — пустую базу данных игры: K шаров основного "
            "барабана из 1..N (3 ≤ K ≤ 7, K < N ≤ 90) и, если указан, второй барабан: K2 шаров "
            "из 1..N2 (1 ≤ K2 ≤ K, K2 < N2 ≤ 90). Существующий файл не перезаписывается.\n\n"
            "Категории выигрыша по умолчанию — от половины K (с округлением вверх) до K "
            "совпадений основного барабана, для двух барабанов — с каждым числом совпадений "
            "второго: для 5/36 это 5,4,3, для 5/45+1/20 — 5+1,5,4+1,4,3+1,3. Категория «4» в игре "
            "с двумя барабанами — 4 совпадения основного и ни одного второго.\n\n"
            "База игры 6/49 с категориями 6,5,4,3 — обычная база программы, как у numeron_setup, "
            "её открывает окно. База другой игры хранит игру в таблице game, а её таблицы razyg "
            "и Rate шире: s1..sK, ss1..ssK (в порядке выпадения), x1..xK2 и xx1..xxK2 для второго "
            "барабана, для каждой категории ch<категория> (победители) и chv<категория> (выигрыш), "
            "где «4+1» пишется 4p1: ch4p1, chv4p1. С такой базой работают все команды numeron-cli; "
            "окно пока открывает только базы «6 из 49».\n\n"
            "Коды выхода: 2 — неверная игра или категории, 1 — файл уже есть или не создаётся.\n\n"
            "Пример:\n  numeron-cli --db 5x36.db create --game 5/36 --name \"Гослото 5 из 36\"");
    }
    QList<QCommandLineOption> options() const override { return {kGame, kName, kCategories}; }

    int run(CliSession& session, const QCommandLineParser& parser) override {
        CommandOptions::allowArguments(parser, 0);
        const QString path = session.dbOption();
        if (path.isEmpty())
            throw UsageError(QStringLiteral("укажите файл новой базы: numeron-cli --db ФАЙЛ create "
                                            "--game K/N"));
        Lottery::Game game;
        try {
            if (parser.isSet(kGame))
                game = Lottery::Game::parse(parser.value(kGame));
            if (parser.isSet(kName))
                game.setName(parser.value(kName));
            if (parser.isSet(kCategories))
                game.setCategories(game.parseCategories(parser.value(kCategories)));
        } catch (const Lottery::GameError& e) {
            throw UsageError(e.message());
        }
        try {
            DatabaseSetup::createDatabase(path, game);
        } catch (const DatabaseSetup::FileExists&) {
            throw AppError(QStringLiteral("файл «%1» уже есть: create не перезаписывает файлы")
                               .arg(QFileInfo(path).absoluteFilePath()));
        }
        session.console().print(QStringLiteral("создана база данных «%1»: игра %2, категории %3")
                                    .arg(QFileInfo(path).absoluteFilePath(),
                                         StartupTexts::gameTitle(game), game.categoriesText()));
        return ExitCode::Done;
    }
};

} // namespace

CliCommandPtr makeCreateCommand() {
    return std::make_unique<CreateCommand>();
}
