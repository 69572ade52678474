// Batched writes while another connection holds the database: the batch waits
// for the busy timeout, then fails whole and leaves the connection usable.
#include "tests/gui/support/TestSupport.h"

#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "update/DrawImport.h"
#include "workbook/Workbook.h"

#include <QTest>
#include <sqlite3.h>

class TestConnectionBatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lockedDatabase_data();
    void lockedDatabase();
    void importCountsTellWhatIsStored();
};

namespace {

// Another connection holding a write lock ("write") or a read transaction
// ("read", which keeps a commit from finishing).
class OtherConnection {
public:
    OtherConnection(const QString& path, const QString& lock) {
        sqlite3_open(path.toUtf8().constData(), &m_db);
        exec(lock == QLatin1String("write") ? "BEGIN IMMEDIATE"
                                            : "BEGIN; SELECT count(*) FROM razyg;");
    }
    ~OtherConnection() {
        release();
        sqlite3_close(m_db);
    }
    void release() {
        if (!sqlite3_get_autocommit(m_db))
            exec("COMMIT");
    }

private:
    void exec(const char* sql) {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("%s", sqlite3_errmsg(m_db));
    }
    sqlite3* m_db = nullptr;
};

void insertDraw(Connection& connection, int tir) {
    Statement insert(connection, QStringLiteral("INSERT INTO razyg (tir) VALUES (?)"));
    insert.bindInt64(1, tir);
    insert.run();
}

// A workbook of three new draws, held in memory.
class ThreeDraws : public Workbook {
public:
    int lastUsedRow() const override { return 4; }
    QString cellText(int row, int column) const override {
        if (column == 1)
            return QString::number(row * 10);
        if (column == 2)
            return QStringLiteral("19.06.2024");
        return column <= 8 ? QString::number(column) : QStringLiteral("0");
    }
};

} // namespace

void TestConnectionBatch::lockedDatabase_data() {
    QTest::addColumn<QString>("lock");
    QTest::addColumn<bool>("beginFails"); // else the commit fails
    QTest::newRow("another writer") << "write" << true;
    QTest::newRow("another reader") << "read" << false;
}

void TestConnectionBatch::lockedDatabase() {
    QFETCH(QString, lock);
    QFETCH(bool, beginFails);
    TestApp app;
    Connection connection(QStringLiteral("batch"));
    connection.open(app.dbPath());
    sqlite3_busy_timeout(connection.handle(), 200); // the test need not wait 5 s
    {
        OtherConnection other(app.dbPath(), lock);
        try {
            connection.beginBatch();
            QVERIFY(!beginFails);
            insertDraw(connection, 1);
            connection.commitBatch();
            QFAIL("the commit should have failed");
        } catch (const DatabaseBusy&) {
        }
        // No transaction is left open to swallow later posts.
        QVERIFY(sqlite3_get_autocommit(connection.handle()));
    }
    QCOMPARE(app.draws(), 0);
    // The connection works on: a post is stored at once, a batch commits.
    insertDraw(connection, 2);
    QCOMPARE(app.draws(), 1);
    connection.beginBatch();
    QVERIFY(!sqlite3_get_autocommit(connection.handle())); // a real batch again
    insertDraw(connection, 3);
    connection.commitBatch();
    QVERIFY(sqlite3_get_autocommit(connection.handle()));
    QCOMPARE(app.draws(), 2);
}

void TestConnectionBatch::importCountsTellWhatIsStored() {
    TestApp app;
    app.addDraw(20, {1, 2, 3, 4, 5, 6});
    Connection connection(QStringLiteral("import"));
    connection.open(app.dbPath());
    sqlite3_busy_timeout(connection.handle(), 200);
    ThreeDraws book;
    DrawImport::ImportCounts counts;
    int found = 0;
    {
        OtherConnection reader(app.dbPath(), QStringLiteral("read"));
        const auto write = [&](const ImportedDraw& d) { DrawImport::insertDraw(connection, d); };
        QVERIFY_THROWS_EXCEPTION(
            DatabaseBusy, DrawImport::importRows(book, connection, write, found, counts, {}));
    }
    // The chunk was rolled back whole, and the counts went back with it.
    QCOMPARE(app.draws(), 1);
    QCOMPARE(counts.rowsRead, 0);
    QCOMPARE(counts.added, 0);
    QCOMPARE(counts.alreadyStored, 0);
}

QTEST_GUILESS_MAIN(TestConnectionBatch)
#include "test_connection_batch.moc"
