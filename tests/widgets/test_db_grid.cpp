#include "tests/gui/support/TestSupport.h"

#include "dataset/Connection.h"
#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "widgets/DbGrid.h"

#include <QStyledItemDelegate>
#include <QTest>

class TestDbGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsLookAsTheStandardDelegateDraws_data();
    void cellsLookAsTheStandardDelegateDraws();
};

void TestDbGrid::cellsLookAsTheStandardDelegateDraws_data() {
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("current");
    QTest::newRow("first row current") << false << 0;
    QTest::newRow("another row current") << false << 2;
    QTest::newRow("grid with the focus") << true << 1;
}

void TestDbGrid::cellsLookAsTheStandardDelegateDraws() {
    QFETCH(bool, focused);
    QFETCH(int, current);
    TestApp app;
    app.addDraw(3, {3, 11, 17, 25, 40, 44});
    app.addDraw(2, {3, 9, 12, 30, 41, 45});
    app.addDraw(1, {1, 2, 3, 4, 5, 6});
    // A text wider than its column is cut short by the style.
    app.sql(QStringLiteral("UPDATE razyg SET tirdate = 'a text far wider than its column' "
                           "WHERE tir = 2"));
    Connection db(QStringLiteral("grid"));
    db.open(app.dbPath());
    Query draws(&db, QStringLiteral("ADOQuery1"));
    draws.setSql(QStringLiteral("SELECT * FROM razyg ORDER BY tir DESC"));
    DataSource source(QStringLiteral("DataSource1"), &draws);
    ScriptedBoxes boxes;
    DbGrid grid({{QStringLiteral("tir"), QStringLiteral("Тираж"), 42},
                 {QStringLiteral("s1"), QStringLiteral("s1"), 30},
                 {QStringLiteral("tirdate"), QStringLiteral("Дата"), 70},
                 {QStringLiteral("absent"), QStringLiteral("Нет"), 40}},
                &boxes);
    grid.setDataSource(&source);
    draws.open();
    draws.setRecNo(current);
    grid.resize(260, 120);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    if (focused) {
        grid.activateWindow();
        grid.setFocus();
        QTRY_VERIFY(grid.hasFocus());
    }
    const QImage ours = grid.viewport()->grab().toImage();
    QStyledItemDelegate standard;
    grid.setItemDelegate(&standard);
    const QImage expected = grid.viewport()->grab().toImage();
    QCOMPARE(ours, expected);
}

QTEST_MAIN(TestDbGrid)
#include "test_db_grid.moc"
