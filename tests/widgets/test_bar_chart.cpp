#include "tests/gui/support/TestSupport.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "widgets/BarChart.h"

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QPointer>
#include <QTest>
#include <QValueAxis>
#include <cmath>
#include <functional>

class TestBarChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void whiteBarHasADarkOutline();
    void rereadWithOtherBarCount_data();
    void rereadWithOtherBarCount();
    void rereadWithSameCountKeepsItsSets();
    void closedQueryEmptiesTheChart();
    void valueAxesTickWholeCounts_data();
    void valueAxesTickWholeCounts();

private:
    // Fills the table the chart reads with `count` bars; bar i has height heights(i).
    void setBars(int count, const std::function<int(int)>& heights);
    std::unique_ptr<TestApp> app;
    std::unique_ptr<Connection> db;
    std::unique_ptr<Query> counts;
};

namespace {

QAbstractBarSeries* seriesOf(const BarChart& chart) {
    return qobject_cast<QAbstractBarSeries*>(chart.chart()->series().value(0));
}

// The colour bar i is drawn in: that of the one set holding a height at i.
QColor barColour(const BarChart& chart, int i) {
    QColor colour;
    for (QBarSet* set : seriesOf(chart)->barSets()) {
        if (i < set->count() && set->at(i) != 0) {
            if (colour.isValid())
                return QColor(); // two sets draw at one place
            colour = set->color();
        }
    }
    return colour;
}

bool isDark(QRgb pixel) {
    return qGray(pixel) < 100;
}

} // namespace

void TestBarChart::init() {
    app = std::make_unique<TestApp>();
    app->sql(QStringLiteral("CREATE TABLE counts (x INTEGER, y INTEGER)"));
    db = std::make_unique<Connection>(QStringLiteral("chart"));
    db->open(app->dbPath());
    counts = std::make_unique<Query>(db.get(), QStringLiteral("ADOQuery4"));
    counts->setSql(QStringLiteral("SELECT x, y FROM counts ORDER BY x"));
}

void TestBarChart::cleanup() {
    counts.reset();
    db.reset();
    app.reset();
}

void TestBarChart::setBars(int count, const std::function<int(int)>& heights) {
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(QStringLiteral("(%1, %2)").arg(i + 1).arg(heights(i)));
    app->sql(QStringLiteral("DELETE FROM counts"));
    if (!rows.isEmpty())
        app->sql(QStringLiteral("INSERT INTO counts VALUES ") + rows.join(QLatin1Char(',')));
}

void TestBarChart::whiteBarHasADarkOutline() {
    // Bar 5 gets white, the colour of the plot area behind it; it stops below
    // the top of the plot area so that its top edge shows too.
    setBars(8, [](int i) { return i == 4 ? 6 : 10; });
    counts->open();
    BarChart chart(QStringLiteral("Статистика"));
    chart.bind(counts.get(), QStringLiteral("x"), QStringLiteral("y"));
    QCOMPARE(barColour(chart, 4), QColor(Qt::white));
    chart.resize(400, 240);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QImage image = chart.grab().toImage();

    QAbstractSeries* series = seriesOf(chart);
    const auto at = [&](qreal x, qreal y) {
        return chart.mapFromScene(chart.chart()->mapToPosition(QPointF(x, y), series));
    };
    const QPoint base = at(4, 0);
    const QPoint top = at(4, 6);
    const int halfSlot = (at(5, 0).x() - base.x()) / 2;
    const int middle = (base.y() + top.y()) / 2;
    QVERIFY(halfSlot > 4 && base.y() - top.y() > 20);
    QCOMPARE(image.pixelColor(base.x(), middle), QColor(Qt::white));

    // From the middle of the bar outwards, an edge comes before the gap between bars ends.
    const auto edgeBetween = [&](QPoint from, QPoint step, int steps) {
        for (int k = 0; k < steps; ++k, from += step)
            if (isDark(image.pixel(from)))
                return true;
        return false;
    };
    const int inGap = halfSlot - 2;
    QVERIFY(edgeBetween({base.x(), middle}, {-1, 0}, inGap));                // left edge
    QVERIFY(edgeBetween({base.x(), middle}, {1, 0}, inGap));                 // right edge
    QVERIFY(edgeBetween({base.x(), middle}, {0, -1}, middle - top.y() + 4)); // top edge
}

void TestBarChart::rereadWithOtherBarCount_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("fewer bars") << 49 << 20;
    QTest::newRow("more bars") << 5 << 49;
    QTest::newRow("to none") << 30 << 0;
    QTest::newRow("from none") << 0 << 17;
}

void TestBarChart::rereadWithOtherBarCount() {
    QFETCH(int, first);
    QFETCH(int, second);
    setBars(first, [](int i) { return i + 1; });
    counts->open();
    BarChart chart(QStringLiteral("Статистика"));
    chart.bind(counts.get(), QStringLiteral("x"), QStringLiteral("y"));
    QCOMPARE(chart.values().size(), first);

    setBars(second, [](int i) { return 100 - i; });
    counts->close();
    counts->open();
    QCOMPARE(chart.labels(), numberRange(1, second));
    QList<qreal> expected;
    for (int i = 0; i < second; ++i)
        expected.append(100 - i);
    QCOMPARE(chart.values(), expected);

    // Every bar is drawn once at its height, in its own colour; the palette
    // comes round again after sixteen bars.
    for (int i = 0; i < second; ++i) {
        qreal drawn = 0;
        for (const QBarSet* set : seriesOf(chart)->barSets())
            drawn += i < set->count() ? set->at(i) : 0;
        QCOMPARE(drawn, expected.at(i));
        QVERIFY(barColour(chart, i).isValid());
        for (int j = qMax(0, i - 15); j < i; ++j)
            QVERIFY(barColour(chart, j) != barColour(chart, i));
        if (i >= 16)
            QCOMPARE(barColour(chart, i), barColour(chart, i - 16));
    }
    for (const QBarSet* set : seriesOf(chart)->barSets())
        QCOMPARE(set->count(), second);
    auto* axisX = qobject_cast<QBarCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(axisX);
    QCOMPARE(axisX->categories(), chart.labels());
    for (QAbstractAxis* axis : chart.chart()->axes(Qt::Vertical)) {
        auto* values = qobject_cast<QValueAxis*>(axis);
        QVERIFY(values);
        QCOMPARE(values->min(), 0.0);
        QVERIFY(values->max() >= (second > 0 ? 100.0 : 0.0));
    }
}

void TestBarChart::rereadWithSameCountKeepsItsSets() {
    setBars(49, [](int i) { return i % 7; });
    counts->open();
    BarChart chart(QStringLiteral("Статистика"));
    chart.bind(counts.get(), QStringLiteral("x"), QStringLiteral("y"));
    const QList<QBarSet*> sets = seriesOf(chart)->barSets();
    QList<QPointer<QBarSet>> kept(sets.begin(), sets.end());

    setBars(49, [](int i) { return 2 * i + 1; });
    counts->close();
    counts->open();
    for (const QPointer<QBarSet>& set : kept)
        QVERIFY(set); // not rebuilt
    QVERIFY(seriesOf(chart)->barSets() == sets);
    QCOMPARE(chart.values().at(48), 97.0);
    QCOMPARE(barColour(chart, 0), QColor(255, 0, 0)); // the series colour leads the palette
    qreal drawn = 0;
    for (const QBarSet* set : sets)
        drawn += set->at(48);
    QCOMPARE(drawn, 97.0);
    auto* left = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
    QVERIFY(left && left->max() >= 97);
}

void TestBarChart::closedQueryEmptiesTheChart() {
    setBars(10, [](int i) { return i; });
    counts->open();
    BarChart chart(QStringLiteral("Статистика"));
    chart.bind(counts.get(), QStringLiteral("x"), QStringLiteral("y"));
    counts->close();
    QVERIFY(chart.values().isEmpty());
    QVERIFY(chart.labels().isEmpty());
    // Once the events run with the query still closed, no bar is left either.
    QTRY_VERIFY(seriesOf(chart)->barSets().isEmpty());
}

void TestBarChart::valueAxesTickWholeCounts_data() {
    QTest::addColumn<int>("top");
    for (const int top : {0, 1, 2, 3, 4, 5, 7, 9, 11, 13, 97, 1000, 123457})
        QTest::addRow("top %d", top) << top;
}

void TestBarChart::valueAxesTickWholeCounts() {
    // The labels are whole numbers: a tick between two counts (0.2 on an empty
    // database) would repeat a label ("0 0 0 0 0 1").
    QFETCH(int, top);
    setBars(49, [top](int i) { return i == 30 ? top : top / 2; });
    counts->open();
    BarChart chart(QStringLiteral("Статистика"));
    chart.bind(counts.get(), QStringLiteral("x"), QStringLiteral("y"));
    const QList<QAbstractAxis*> axes = chart.chart()->axes(Qt::Vertical);
    QCOMPARE(axes.size(), 2);
    for (QAbstractAxis* axis : axes) {
        auto* value = qobject_cast<QValueAxis*>(axis);
        QVERIFY(value);
        QCOMPARE(value->min(), 0.0);
        QVERIFY(value->max() >= top);
        QVERIFY(value->tickCount() >= 2);
        const qreal step = value->max() / (value->tickCount() - 1);
        QVERIFY2(step >= 1 && step == std::floor(step),
                 qPrintable(
                     QStringLiteral("max %1, %2 ticks").arg(value->max()).arg(value->tickCount())));
    }
}

QTEST_MAIN(TestBarChart)
#include "test_bar_chart.moc"
