#include "tests/gui/support/TestSupport.h"

#include "dataset/Connection.h"
#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "runtime/AppError.h"

#include <QSignalSpy>
#include <QTest>

class TestQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void snapshotIgnoresLaterChanges();
    void insertPostsAtCurrentRow();
    void appendPostsAtTheEnd();
    void editChangesTheTableAndSnapshot();
    void editOnEmptyResultBeginsNewRow();
    void deleteRemovesRow();
    void refusals_data();
    void refusals();
    void refusedPostLeavesNothingPending();
    void aliasedColumnsWriteTheirSource();
    void tableValuesWriteByTableColumn_data();
    void tableValuesWriteByTableColumn();
    void cursorBounds();
    void positionalOrderKeptWhenEditable_data();
    void positionalOrderKeptWhenEditable();
    void masterDetailFollowsCurrentRow();
    void detachedDetailKeepsItsRows();
    void missingFileIsNotCreated();
    void changedSinceOpen_data();
    void changedSinceOpen();

private:
    std::unique_ptr<TestApp> app;
    std::unique_ptr<Connection> db;
};

namespace {
// The draw list and the bets linked to its current row, both open.
struct MasterDetail {
    explicit MasterDetail(Connection* db)
        : master(db, QStringLiteral("ADOQuery1")), source(QStringLiteral("DataSource1"), &master),
          bets(db, QStringLiteral("ADOQuery3")) {
        master.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir"));
        bets.setSql(QStringLiteral("select * from Rate where (Tir=:Tir)"));
        bets.setDataSource(&source);
        master.open();
        bets.open();
    }
    Query master;
    DataSource source;
    Query bets;
};
} // namespace

void TestQuery::init() {
    app = std::make_unique<TestApp>();
    app->addDraw(1, {1, 2, 3, 4, 5, 6});
    app->addDraw(2, {7, 8, 9, 10, 11, 12});
    app->addDraw(3, {13, 14, 15, 16, 17, 18});
    db = std::make_unique<Connection>(QStringLiteral("test"));
    db->open(app->dbPath());
}

void TestQuery::cleanup() {
    db.reset();
    app.reset();
}

void TestQuery::snapshotIgnoresLaterChanges() {
    Query list(db.get(), QStringLiteral("ADOQuery1"));
    list.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir DESC"));
    list.open();
    app->sql(QStringLiteral("DELETE FROM razyg WHERE tir = 3"));
    QCOMPARE(list.recordCount(), 3);
    QCOMPARE(list.asInteger(QStringLiteral("tir")), 3);
    list.close();
    list.open();
    QCOMPARE(list.recordCount(), 2);
}

void TestQuery::insertPostsAtCurrentRow() {
    Query list(db.get(), QStringLiteral("ADOQuery1"));
    list.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir DESC"));
    list.open();
    list.setRecNo(1);
    QSignalSpy changes(&list, &Query::dataChanged);
    list.insert();
    list.setAsInteger(QStringLiteral("tir"), 10);
    list.setAsInteger(QStringLiteral("s1"), 44);
    list.post();
    QVERIFY(!changes.isEmpty());
    QCOMPARE(list.recordCount(), 4);
    QCOMPARE(list.recNo(), 1);
    QCOMPARE(column(&list, QStringLiteral("tir")),
             (QStringList{QStringLiteral("3"), QStringLiteral("10"), QStringLiteral("2"),
                          QStringLiteral("1")}));
    QCOMPARE(app->scalar(QStringLiteral("SELECT s1 FROM razyg WHERE tir = 10")).toInt(), 44);
    // Columns not set stay empty.
    QVERIFY(app->scalar(QStringLiteral("SELECT s2 FROM razyg WHERE tir = 10")).isNull());
    QVERIFY(list.value(QStringLiteral("ch6")).isNull());
}

void TestQuery::appendPostsAtTheEnd() {
    Query list(db.get(), QStringLiteral("ADOQuery5"));
    list.setSql(QStringLiteral("select * from razyg order by tir desc"));
    list.open();
    list.append();
    list.setAsInteger(QStringLiteral("tir"), 99);
    list.setAsDate(QStringLiteral("tirdate"), QDate(2024, 6, 19));
    list.setAsFloat(QStringLiteral("djp"), 3000000000.0);
    list.post();
    QCOMPARE(list.recNo(), 3);
    QCOMPARE(app->scalar(QStringLiteral("SELECT tirdate FROM razyg WHERE tir = 99")).toString(),
             QStringLiteral("2024-06-19"));
    QCOMPARE(list.asDate(QStringLiteral("tirdate")), QDate(2024, 6, 19));
}

void TestQuery::editChangesTheTableAndSnapshot() {
    Query list(db.get(), QStringLiteral("ADOQuery1"));
    list.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir"));
    list.open();
    list.setRecNo(1);
    list.edit();
    list.setAsInteger(QStringLiteral("tir"), 20);
    QCOMPARE(list.asInteger(QStringLiteral("tir")), 20); // pending value reads back
    list.post();
    QCOMPARE(list.asInteger(QStringLiteral("tir")), 20);
    QCOMPARE(app->scalar(QStringLiteral("SELECT count(*) FROM razyg WHERE tir = 20")).toInt(), 1);
    QCOMPARE(app->scalar(QStringLiteral("SELECT count(*) FROM razyg WHERE tir = 2")).toInt(), 0);
}

void TestQuery::editOnEmptyResultBeginsNewRow() {
    Query bets(db.get(), QStringLiteral("ADOQuery3"));
    bets.setSql(QStringLiteral("select * from Rate where (Tir=:Tir)"));
    bets.setParam(QStringLiteral("Tir"), 5);
    bets.open();
    QVERIFY(bets.isEmpty());
    QCOMPARE(bets.asInteger(QStringLiteral("s1")), 0); // an empty result reads as 0
    bets.edit();
    QCOMPARE(bets.state(), Query::State::Insert);
    bets.setAsInteger(QStringLiteral("tir"), 5);
    bets.post();
    QCOMPARE(app->bets(), 1);
}

void TestQuery::deleteRemovesRow() {
    Query list(db.get(), QStringLiteral("ADOQuery1"));
    list.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir"));
    list.open();
    list.last();
    list.deleteRecord();
    QCOMPARE(list.recordCount(), 2);
    QCOMPARE(list.recNo(), 1);
    QCOMPARE(app->scalar(QStringLiteral("SELECT max(tir) FROM razyg")).toInt(), 2);
}

void TestQuery::refusals_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("message");
    const QString draws = QStringLiteral("SELECT * FROM razyg");
    QTest::newRow("delete on empty result")
        << QStringLiteral("SELECT * FROM razyg WHERE tir < 0") << "delete"
        << "empty dataset";
    QTest::newRow("set field while browsing") << draws << "set"
                                              << "not in edit or insert mode";
    QTest::newRow("unknown field") << draws << "read"
                                   << "ADOQuery1: Field 'nope' not found";
    QTest::newRow("insert into a combined result")
        << QStringLiteral("SELECT tir FROM razyg UNION SELECT tir FROM Rate") << "insert"
        << "read-only";
    QTest::newRow("write a computed column")
        << QStringLiteral("SELECT tir, s1 + s2 AS total FROM razyg") << "computed"
        << "cannot be modified";
    QTest::newRow("closed query") << QString() << "move"
                                  << "closed dataset";
    QTest::newRow("bad SQL") << QStringLiteral("SELEC * FROM razyg") << "open"
                             << "syntax error";
    QTest::newRow("missing table") << QStringLiteral("SELECT * FROM nosuch") << "open"
                                   << "no such table";
}

void TestQuery::refusals() {
    QFETCH(QString, sql);
    QFETCH(QString, action);
    QFETCH(QString, message);
    Query q(db.get(), QStringLiteral("ADOQuery1"));
    q.setSql(sql);
    try {
        if (action != QLatin1String("move"))
            q.open();
        if (action == QLatin1String("delete"))
            q.deleteRecord();
        else if (action == QLatin1String("set"))
            q.setAsInteger(QStringLiteral("tir"), 1);
        else if (action == QLatin1String("read"))
            q.value(QStringLiteral("nope"));
        else if (action == QLatin1String("insert"))
            q.insert();
        else if (action == QLatin1String("computed")) {
            q.edit();
            q.setAsInteger(QStringLiteral("total"), 1);
        } else if (action == QLatin1String("move"))
            q.moveBy(1);
        QFAIL("no error raised");
    } catch (const AppError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
}

void TestQuery::refusedPostLeavesNothingPending() {
    app->sql(QStringLiteral("CREATE TABLE strict_t (a INTEGER CHECK (a > 0))"));
    Query q(db.get(), QStringLiteral("ADOQuery2"));
    q.setSql(QStringLiteral("SELECT * FROM strict_t"));
    q.open();
    q.insert();
    q.setAsInteger(QStringLiteral("a"), -1);
    QVERIFY_THROWS_EXCEPTION(AppError, q.post());
    QCOMPARE(q.state(), Query::State::Browse);
    QCOMPARE(q.recordCount(), 0);
    QCOMPARE(app->scalar(QStringLiteral("SELECT count(*) FROM strict_t")).toInt(), 0);
}

void TestQuery::aliasedColumnsWriteTheirSource() {
    Query q(db.get(), QStringLiteral("ADOQuery1"));
    q.setSql(QStringLiteral("SELECT ss1 as s1, tir FROM razyg ORDER BY tir"));
    q.open();
    q.edit();
    q.setAsInteger(QStringLiteral("s1"), 49);
    q.post();
    QCOMPARE(app->scalar(QStringLiteral("SELECT ss1 FROM razyg WHERE tir = 1")).toInt(), 49);
    QCOMPARE(app->scalar(QStringLiteral("SELECT s1 FROM razyg WHERE tir = 1")).toInt(), 1);
}

void TestQuery::tableValuesWriteByTableColumn_data() {
    QTest::addColumn<bool>("newRow");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored"); // s1 and ss1 of the row afterwards
    QTest::addColumn<QString>("shown");  // the result's s1 afterwards
    QTest::newRow("edit, column not shown") << false << "s1"
                                            << "49 1"
                                            << "1";
    QTest::newRow("edit, column shown under an alias") << false << "ss1"
                                                       << "1 49"
                                                       << "49";
    QTest::newRow("insert, column not shown") << true << "S1"
                                              << "49 "
                                              << "";
    QTest::newRow("insert, column shown under an alias") << true << "ss1"
                                                         << " 49"
                                                         << "49";
}

void TestQuery::tableValuesWriteByTableColumn() {
    QFETCH(bool, newRow);
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    Query q(db.get(), QStringLiteral("ADOQuery1"));
    q.setSql(QStringLiteral("SELECT ss1 as s1, tir FROM razyg ORDER BY tir"));
    q.open();
    newRow ? q.insert() : q.edit();
    q.setTableValue(QStringLiteral("tir"), newRow ? 9 : 1);
    q.setTableValue(column, 49);
    q.post();
    const int tir = newRow ? 9 : 1;
    QCOMPARE(app->scalar(QStringLiteral("SELECT coalesce(s1, '') || ' ' || coalesce(ss1, '') "
                                        "FROM razyg WHERE tir = %1")
                             .arg(tir))
                 .toString(),
             stored);
    QCOMPARE(q.asInteger(QStringLiteral("tir")), tir);
    QCOMPARE(q.asString(QStringLiteral("s1")), shown);
}

void TestQuery::positionalOrderKeptWhenEditable_data() {
    QTest::addColumn<QString>("sql");
    QTest::newRow("line comment") << QStringLiteral(
        "SELECT tir, s1 AS \"from_x\" -- from\nFROM razyg ORDER BY 2 DESC");
    QTest::newRow("block comment")
        << QStringLiteral("SELECT tir, /* from ( */ s1 AS \"from_x\" FROM razyg ORDER BY 2 DESC");
}

void TestQuery::positionalOrderKeptWhenEditable() {
    QFETCH(QString, sql);
    Query q(db.get(), QStringLiteral("ADOQuery1"));
    q.setSql(sql);
    q.open();
    QCOMPARE(column(&q, QStringLiteral("tir")),
             (QStringList{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
    QCOMPARE(q.fieldNames(), (QStringList{QStringLiteral("tir"), QStringLiteral("from_x")}));
    QVERIFY(!q.isReadOnly());
    q.edit();
    q.setAsInteger(QStringLiteral("tir"), 30);
    q.post();
    QCOMPARE(app->scalar(QStringLiteral("SELECT count(*) FROM razyg WHERE tir = 30")).toInt(), 1);
}

void TestQuery::cursorBounds() {
    Query q(db.get(), QStringLiteral("ADOQuery1"));
    q.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir"));
    q.open();
    QCOMPARE(q.moveBy(-1), 0);
    QVERIFY(q.bof());
    QCOMPARE(q.moveBy(5), 2);
    QVERIFY(q.eof());
    QCOMPARE(q.asInteger(QStringLiteral("tir")), 3);
}

void TestQuery::masterDetailFollowsCurrentRow() {
    app->sql(QStringLiteral("INSERT INTO Rate (tir, s1) VALUES (1, 10), (2, 20), (2, 21)"));
    MasterDetail link(db.get());
    Query& master = link.master;
    Query& bets = link.bets;
    QCOMPARE(column(&bets, QStringLiteral("s1")), QStringList{QStringLiteral("10")});
    master.moveBy(1);
    QCOMPARE(column(&bets, QStringLiteral("s1")),
             (QStringList{QStringLiteral("20"), QStringLiteral("21")}));
    master.moveBy(1);
    QVERIFY(bets.isEmpty());
    // Changing the master's draw number reruns the bets too.
    master.edit();
    master.setAsInteger(QStringLiteral("tir"), 1);
    QCOMPARE(column(&bets, QStringLiteral("s1")), QStringList{QStringLiteral("10")});
}

void TestQuery::detachedDetailKeepsItsRows() {
    app->sql(QStringLiteral("INSERT INTO Rate (tir, s1) VALUES (1, 10), (2, 20)"));
    MasterDetail link(db.get());
    Query& master = link.master;
    Query& bets = link.bets;
    bets.setDataSource(nullptr);
    master.moveBy(1);
    QCOMPARE(column(&bets, QStringLiteral("s1")), QStringList{QStringLiteral("10")});
}

void TestQuery::missingFileIsNotCreated() {
    Connection other(QStringLiteral("other"));
    const QString path = app->dir() + QStringLiteral("/missing.mdb");
    QVERIFY_THROWS_EXCEPTION(AppError, other.open(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!other.isOpen());
}

void TestQuery::changedSinceOpen_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::newRow("nothing written") << "" << false;
    QTest::newRow("read by another query") << "read" << false;
    QTest::newRow("draw stored by another program") << "other" << true;
    QTest::newRow("bet stored by another program") << "other bet" << true;
    QTest::newRow("draw posted by a query") << "post" << true;
    QTest::newRow("closed") << "close" << true;
}

void TestQuery::changedSinceOpen() {
    QFETCH(QString, change);
    QFETCH(bool, changed);
    Query counts(db.get(), QStringLiteral("ADOQuery4"));
    counts.setSql(QStringLiteral("SELECT count(*) FROM razyg"));
    counts.open();
    Query list(db.get(), QStringLiteral("ADOQuery1"));
    list.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir"));
    if (change == QLatin1String("read")) {
        list.open();
    } else if (change == QLatin1String("other")) {
        app->addDraw(9, {1, 2, 3, 4, 5, 6});
    } else if (change == QLatin1String("other bet")) {
        app->sql(QStringLiteral("INSERT INTO Rate (tir, s1) VALUES (1, 5)"));
    } else if (change == QLatin1String("post")) {
        list.open();
        list.edit();
        list.setAsInteger(QStringLiteral("s1"), 44);
        list.post();
    } else if (change == QLatin1String("close")) {
        counts.close();
    }
    QCOMPARE(counts.changedSinceOpen(), changed);
    if (counts.isActive()) {
        counts.close();
        counts.open();
        QVERIFY(!counts.changedSinceOpen());
    }
}

QTEST_MAIN(TestQuery)
#include "test_query.moc"
