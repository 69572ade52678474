// Installs this build into a temporary prefix the way a desktop user does
// (`cmake --install build --prefix ~/.local`), twice, with the user's data
// changed in between; checks what lands where, that the second install keeps
// razyg.ini and the database, that the menu entry is valid and that the icon
// renders as a red ball with a white disc and dark digits.
#include "dataset/Connection.h"
#include "dataset/Statement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

class TestUserInstall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void installsEveryFile_data();
    void installsEveryFile();
    void cliLinkOnlyWithCli();
    void firstInstallCreatesDefaults();
    void reinstallKeepsUserData();
    void menuEntryPassesValidator();
    void menuEntryKeys_data();
    void menuEntryKeys();
    void iconRenders_data();
    void iconRenders();

private:
    QString installed(const QString& relative) const { return m_prefix + u'/' + relative; }
    void install();
    QTemporaryDir m_root;
    QString m_prefix;
};

namespace {

const bool kHasCli = NUMERON_HAS_CLI;
const QString kProgramDir = QStringLiteral("lib/numeron");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray sha256(const QString& path) {
    return QCryptographicHash::hash(contents(path), QCryptographicHash::Sha256).toHex();
}

// The keys of a menu entry's [Desktop Entry] group, values as written.
QHash<QString, QString> desktopEntry(const QString& path) {
    QHash<QString, QString> keys;
    bool inGroup = false;
    const QStringList lines = QString::fromUtf8(contents(path)).split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(u'['))
            inGroup = line == QLatin1String("[Desktop Entry]");
        const qsizetype eq = line.indexOf(u'=');
        if (inGroup && eq > 0)
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

int rows(Connection& db, const QString& sql) {
    Statement count(db.handle(), sql);
    return count.step() ? count.value(0).toInt() : -1;
}

} // namespace

void TestUserInstall::initTestCase() {
    QVERIFY(m_root.isValid());
    // A blank in the prefix, as in a home folder "/home/Ivan Petrov": the menu
    // entry must quote the program's path.
    m_prefix = m_root.filePath(QStringLiteral("user home/.local"));
    install();
}

// `--component Unspecified` runs every install rule of ours but writes its
// list to install_manifest_Unspecified.txt, leaving build/install_manifest.txt
// (the list of the user's own install) alone.
void TestUserInstall::install() {
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QString::fromUtf8(NUMERON_CMAKE_COMMAND),
                {QStringLiteral("--install"), QString::fromUtf8(NUMERON_BUILD_DIR),
                 QStringLiteral("--prefix"), m_prefix, QStringLiteral("--component"),
                 QStringLiteral("Unspecified")});
    QVERIFY(cmake.waitForFinished(90000));
    QVERIFY2(cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0,
             cmake.readAll().constData());
}

void TestUserInstall::installsEveryFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << kProgramDir + QStringLiteral("/numeron") << true;
    QTest::newRow("set-up tool") << kProgramDir + QStringLiteral("/numeron_setup") << true;
    QTest::newRow("settings") << kProgramDir + QStringLiteral("/razyg.ini") << false;
    QTest::newRow("database") << kProgramDir + QStringLiteral("/razyg.mdb") << false;
    QTest::newRow("menu entry") << QStringLiteral("share/applications/numeron.desktop") << false;
    QTest::newRow("icon") << QStringLiteral("share/icons/hicolor/scalable/apps/numeron.svg")
                          << false;
    if (kHasCli)
        QTest::newRow("command line") << kProgramDir + QStringLiteral("/numeron-cli") << true;
}

void TestUserInstall::installsEveryFile() {
    QFETCH(QString, file);
    QFETCH(bool, executable);
    const QFileInfo info(installed(file));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
}

void TestUserInstall::cliLinkOnlyWithCli() {
    const QFileInfo link(installed(QStringLiteral("bin/numeron-cli")));
    if (!kHasCli) {
        QVERIFY(!link.exists() && !link.isSymLink());
        return;
    }
    QVERIFY(link.isSymLink());
    // Relative, so that a tree staged under DESTDIR or moved keeps working.
    QVERIFY(std::filesystem::read_symlink(link.filePath().toStdString()).is_relative());
    QCOMPARE(
        link.canonicalFilePath(),
        QFileInfo(installed(kProgramDir + QStringLiteral("/numeron-cli"))).canonicalFilePath());
}

void TestUserInstall::firstInstallCreatesDefaults() {
    QCOMPARE(contents(installed(kProgramDir + QStringLiteral("/razyg.ini"))),
             QByteArray("[CONFIG]\nfilenamedb=\n"));
    Connection db(QStringLiteral("first-install"));
    db.open(installed(kProgramDir + QStringLiteral("/razyg.mdb")));
    QCOMPARE(rows(db, QStringLiteral("SELECT count(*) FROM razyg")), 0);
    QCOMPARE(rows(db, QStringLiteral("SELECT count(*) FROM Rate")), 0);
}

void TestUserInstall::reinstallKeepsUserData() {
    const QString dbPath = installed(kProgramDir + QStringLiteral("/razyg.mdb"));
    const QString iniPath = installed(kProgramDir + QStringLiteral("/razyg.ini"));
    const QString programPath = installed(kProgramDir + QStringLiteral("/numeron"));
    {
        Connection db(QStringLiteral("user-data"));
        db.open(dbPath);
        db.exec(QStringLiteral("INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6) "
                               "VALUES (1001, 3, 11, 19, 27, 35, 49)"));
        db.exec(QStringLiteral("INSERT INTO Rate (tir, s1, s2, s3, s4, s5, s6) "
                               "VALUES (1001, 1, 2, 3, 4, 5, 6)"));
    }
    {
        QFile ini(iniPath);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[CONFIG]\nfilenamedb=\nresultsurl=https://operator.example/results/\n");
    }
    {
        // Stands for the executable of an older version, which an update replaces.
        QFile program(programPath);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("older version");
    }
    const QByteArray dbHash = sha256(dbPath);
    const QByteArray iniHash = sha256(iniPath);

    install();

    QCOMPARE(sha256(dbPath), dbHash);
    QCOMPARE(sha256(iniPath), iniHash);
    Connection db(QStringLiteral("after-update"));
    db.open(dbPath);
    QCOMPARE(rows(db, QStringLiteral("SELECT count(*) FROM razyg WHERE tir = 1001")), 1);
    QCOMPARE(rows(db, QStringLiteral("SELECT count(*) FROM Rate WHERE tir = 1001")), 1);
    QVERIFY(contents(programPath)
                .startsWith("\x7f"
                            "ELF"));
}

void TestUserInstall::menuEntryPassesValidator() {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate (Debian desktop-file-utils) is missing");
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(validator, {installed(QStringLiteral("share/applications/numeron.desktop"))});
    QVERIFY(check.waitForFinished(30000));
    const QByteArray output = check.readAll();
    QVERIFY2(check.exitCode() == 0 && output.isEmpty(), output.constData());
}

void TestUserInstall::menuEntryKeys_data() {
    const QString program = m_prefix + u'/' + kProgramDir;
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("type") << QStringLiteral("Type") << QStringLiteral("Application");
    QTest::newRow("name") << QStringLiteral("Name") << QStringLiteral("Numeron");
    QTest::newRow("Russian name") << QStringLiteral("Name[ru]")
                                  << QStringLiteral("Нумерон 6 из 49");
    QTest::newRow("icon") << QStringLiteral("Icon") << QStringLiteral("numeron");
    QTest::newRow("terminal") << QStringLiteral("Terminal") << QStringLiteral("false");
    QTest::newRow("categories") << QStringLiteral("Categories") << QStringLiteral("Game;");
    // The blank in the prefix puts the path in quotes.
    QTest::newRow("exec") << QStringLiteral("Exec")
                          << u'"' + program + QStringLiteral("/numeron\"");
    QTest::newRow("try exec") << QStringLiteral("TryExec") << program + QStringLiteral("/numeron");
    QTest::newRow("working folder") << QStringLiteral("Path") << program;
}

void TestUserInstall::menuEntryKeys() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    const auto keys = desktopEntry(installed(QStringLiteral("share/applications/numeron.desktop")));
    QCOMPARE(keys.value(key), value);
}

void TestUserInstall::iconRenders_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("menu, 48 px") << 48;
    QTest::newRow("large, 256 px") << 256;
}

void TestUserInstall::iconRenders() {
    QFETCH(int, size);
    QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); // whatever Qt SVG skips
    QSvgRenderer svg(installed(QStringLiteral("share/icons/hicolor/scalable/apps/numeron.svg")));
    QVERIFY(svg.isValid());
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    image = image.convertToFormat(QImage::Format_ARGB32);

    int red = 0, white = 0, dark = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 250)
                continue;
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                ++red;
            else if (c.red() > 225 && c.green() > 225 && c.blue() > 225)
                ++white;
            else if (c.red() < 80 && c.green() < 80 && c.blue() < 80)
                ++dark;
        }
    }
    const double area = double(size) * size;
    QVERIFY2(red / area > 0.25, qPrintable(QStringLiteral("red ball: %1").arg(red / area)));
    QVERIFY2(white / area > 0.05, qPrintable(QStringLiteral("white disc: %1").arg(white / area)));
    QVERIFY2(dark / area > 0.02, qPrintable(QStringLiteral("digits: %1").arg(dark / area)));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0); // a round icon on a clear ground
}

QTEST_MAIN(TestUserInstall)
#include "test_user_install.moc"
