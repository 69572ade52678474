#include "widgets/RepaintingWait.h"
#include "runtime/AppError.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>

// Work on a worker thread while the GUI thread's event loop keeps running.
class RepaintingWaitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endsWithTheWork_data();
    void endsWithTheWork();
    void eventLoopRunsMeanwhile();
};

void RepaintingWaitTest::endsWithTheWork_data() {
    QTest::addColumn<int>("workMs");
    QTest::addColumn<bool>("fails");
    QTest::newRow("work ending at once") << 0 << false;
    QTest::newRow("work of a while") << 100 << false;
    QTest::newRow("failing at once") << 0 << true;
    QTest::newRow("failing after a while") << 100 << true;
}

void RepaintingWaitTest::endsWithTheWork() {
    QFETCH(int, workMs);
    QFETCH(bool, fails);
    bool done = false;
    Qt::HANDLE workThread = nullptr;
    try {
        runWhileRepainting([&] {
            workThread = QThread::currentThreadId();
            QThread::msleep(static_cast<unsigned long>(workMs));
            if (fails)
                throw AppError(QStringLiteral("Книга повреждена"));
            done = true;
        });
        QVERIFY(!fails);
        QVERIFY(done);
    } catch (const AppError& error) {
        QVERIFY(fails);
        QCOMPARE(error.message(), QStringLiteral("Книга повреждена"));
    }
    QVERIFY(workThread != QThread::currentThreadId());
}

void RepaintingWaitTest::eventLoopRunsMeanwhile() {
    // The work waits for a timer of the GUI thread: it fires only if the GUI
    // thread's events are processed while the work runs.
    std::atomic<bool> fired{false};
    QTimer::singleShot(10, this, [&] { fired = true; });
    bool seen = false;
    runWhileRepainting([&] {
        QElapsedTimer waited;
        waited.start();
        while (!fired && waited.elapsed() < 5000)
            QThread::msleep(5);
        seen = fired;
    });
    QVERIFY(seen);
}

QTEST_MAIN(RepaintingWaitTest)
#include "RepaintingWaitTest.moc"
