#include "startup/IniReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestIniReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsValue_data();
    void readsValue();
    void missingFileReadsDefault();
    void longValueIsCut();
};

void TestIniReader::readsValue_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("[CONFIG]\nfilenamedb=d.mdb\n") << "d.mdb";
    QTest::newRow("case of section and key") << QByteArray("[config]\nFileNameDB=x.db\n") << "x.db";
    QTest::newRow("blanks around")
        << QByteArray("  [ CONFIG ]  \r\n  filenamedb  =   a b.db   \r\n") << "a b.db";
    QTest::newRow("double quotes")
        << QByteArray("[CONFIG]\nfilenamedb=\"/p q/r.db\"\n") << "/p q/r.db";
    QTest::newRow("single quotes") << QByteArray("[CONFIG]\nfilenamedb='r.db'\n") << "r.db";
    QTest::newRow("unbalanced quote kept")
        << QByteArray("[CONFIG]\nfilenamedb=\"r.db\n") << "\"r.db";
    QTest::newRow("empty value") << QByteArray("[CONFIG]\nfilenamedb=\n") << "";
    QTest::newRow("no section") << QByteArray("filenamedb=x.db\n") << "";
    QTest::newRow("other section") << QByteArray("[OTHER]\nfilenamedb=x.db\n") << "";
    QTest::newRow("key in a later section only")
        << QByteArray("[CONFIG]\nother=1\n[X]\nfilenamedb=no\n") << "";
    QTest::newRow("first match wins")
        << QByteArray("[CONFIG]\nfilenamedb=first\nfilenamedb=second\n") << "first";
    QTest::newRow("comment line") << QByteArray("[CONFIG]\n;filenamedb=c\nfilenamedb=d\n") << "d";
    QTest::newRow("comma and backslash kept")
        << QByteArray("[CONFIG]\nfilenamedb=C:\\a,b\\c.mdb\n") << "C:\\a,b\\c.mdb";
    QTest::newRow("utf8 path") << QByteArray("[CONFIG]\nfilenamedb=база.db\n")
                               << QString::fromUtf8("база.db");
    QTest::newRow("windows-1251 path")
        << QByteArray("[CONFIG]\nfilenamedb=\xE1\xE0\xE7\xE0.db\n") << QString::fromUtf8("база.db");
    QTest::newRow("empty file") << QByteArray() << "";
}

void TestIniReader::readsValue() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("razyg.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QCOMPARE(IniReader(file.fileName())
                 .readString(QStringLiteral("CONFIG"), QStringLiteral("filenamedb")),
             expected);
}

void TestIniReader::missingFileReadsDefault() {
    QTemporaryDir dir;
    const IniReader ini(dir.filePath(QStringLiteral("none.ini")));
    QCOMPARE(ini.readString(QStringLiteral("CONFIG"), QStringLiteral("filenamedb")), QString());
    QCOMPARE(ini.readString(QStringLiteral("CONFIG"), QStringLiteral("k"), QStringLiteral("d")),
             QStringLiteral("d"));
}

void TestIniReader::longValueIsCut() {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("razyg.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[CONFIG]\nfilenamedb=" + QByteArray(3000, 'a') + "\n");
    file.close();
    QCOMPARE(IniReader(file.fileName())
                 .readString(QStringLiteral("CONFIG"), QStringLiteral("filenamedb"))
                 .size(),
             2047);
}

QTEST_GUILESS_MAIN(TestIniReader)
#include "test_ini_reader.moc"
