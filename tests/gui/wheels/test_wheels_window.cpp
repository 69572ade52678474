// The wheels window «Системы»: opened from the main window, generating on a
// worker thread, and the tickets stored as bets, written as CSV and PDF.
#include "tests/gui/support/TestSupport.h"

#include "gui/wheels/NumberChooser.h"
#include "gui/wheels/WheelsWindow.h"
#include "widgets/FileDialogs.h"
#include "widgets/StatusBar.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

// Answers save dialogs with the path given beforehand.
class ScriptedDialogs : public FileDialogs {
public:
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path;
    }
    QString path;
};

QByteArray fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Presses the balls on the pad, picks the guarantee and the keys.
void choose(WheelsWindow& w, int count, const QString& guarantee, const QString& keys = {}) {
    for (int n = 1; n <= count; ++n)
        w.chooser()->ball(n)->click();
    w.guaranteeBox()->setCurrentText(guarantee);
    w.keysEdit()->setText(keys);
}

QSet<int> ticketRow(const QTableView* table, int row) {
    QSet<int> balls;
    for (int c = 1; c <= 6; ++c)
        balls.insert(table->model()->index(row, c).data().toInt());
    return balls;
}

} // namespace

class TestWheelsWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opens_data();
    void opens();
    void generatesCheckedWheelAndSavesIt();
    void stopKeepsCheckedWheel();
    void badChoiceRefused_data();
    void badChoiceRefused();
};

void TestWheelsWindow::opens_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("status-bar button") << false;
    QTest::newRow("F10") << true;
}

void TestWheelsWindow::opens() {
    QFETCH(bool, byKey);
    TestApp app;
    TForm1& form = app.start();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.WheelsButton->parentWidget(), form.StatusBar1);
    QCOMPARE(form.WheelsButton->text(), QStringLiteral("Системы (F10)"));
    QVERIFY(form.WheelsButton->geometry().left() > form.AnalysisButton->geometry().right());
    QVERIFY(QRect(QPoint(0, 0), form.StatusBar1->size()).contains(form.WheelsButton->geometry()));
    QVERIFY(!form.WheelsForm);
    if (byKey)
        QTest::keyClick(&form, Qt::Key_F10);
    else
        form.WheelsButton->click();
    QVERIFY(form.WheelsForm);
    QVERIFY(form.WheelsForm->isVisible());
    QCOMPARE(form.WheelsForm->windowTitle(), QStringLiteral("Системы"));
    QCOMPARE(form.WheelsForm->secondsBox()->value(), 10);
}

void TestWheelsWindow::generatesCheckedWheelAndSavesIt() {
    TestApp app;
    app.addDraw(4, {1, 2, 3, 4, 5, 6});
    TForm1& form = app.start();
    form.WheelsButton->click();
    WheelsWindow& w = *form.WheelsForm;
    QCOMPARE(w.tirBox()->value(), 5); // the draw after the newest
    choose(w, 7, QStringLiteral("2 из 2"));
    w.buildButton()->click();
    QVERIFY(w.running());
    QVERIFY(!w.buildButton()->isEnabled());
    QTRY_VERIFY(!w.running());
    QCOMPARE(w.table()->model()->rowCount(), 3);
    QVERIFY(w.checkLabel()->text().endsWith(QStringLiteral("— гарантия проверена")));
    QVERIFY(w.recordLabel()->text().contains(QStringLiteral("размер: 3")));
    // Every pair of the seven numbers is in a ticket shown.
    for (int a = 1; a <= 7; ++a)
        for (int b = a + 1; b <= 7; ++b) {
            bool held = false;
            for (int row = 0; row < 3; ++row)
                held = held || (ticketRow(w.table(), row).contains(a) &&
                                ticketRow(w.table(), row).contains(b));
            QVERIFY2(held, qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
        }

    // Stored as bets of the current draw: the main window's bets grid shows them.
    w.tirBox()->setValue(4);
    QCOMPARE(form.ADOQuery3->recordCount(), 0);
    w.findChild<QPushButton*>(QStringLiteral("WheelSaveBets"))->click();
    QCOMPARE(app.bets(), 3);
    QCOMPARE(app.scalar(QStringLiteral("select count(*) from Rate where tir = 4 and s6 <= 7")),
             QVariant(3));
    QCOMPARE(form.ADOQuery3->recordCount(), 3);

    QTemporaryDir out;
    ScriptedDialogs dialogs;
    w.setFileDialogs(&dialogs);
    dialogs.path = out.filePath(QStringLiteral("w.csv"));
    w.findChild<QPushButton*>(QStringLiteral("WheelSaveCsv"))->click();
    const QList<QByteArray> lines = fileText(dialogs.path).trimmed().split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0).trimmed(), QByteArray("ticket,b1,b2,b3,b4,b5,b6"));
    QVERIFY(lines.at(1).startsWith("1,"));
    dialogs.path = out.filePath(QStringLiteral("w.pdf"));
    w.findChild<QPushButton*>(QStringLiteral("WheelSavePdf"))->click();
    QVERIFY(fileText(dialogs.path).startsWith("%PDF"));
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestWheelsWindow::stopKeepsCheckedWheel() {
    TestApp app;
    TForm1& form = app.start();
    form.WheelsButton->click();
    WheelsWindow& w = *form.WheelsForm;
    choose(w, 24, QStringLiteral("4 из 5"));
    w.secondsBox()->setValue(600);
    w.buildButton()->click();
    QTRY_VERIFY(w.progressLabel()->text().startsWith(QStringLiteral("Лучший размер")));
    w.stopButton()->click();
    // Well before its budget: the stop ended the search, and the best wheel is shown.
    QTRY_VERIFY(!w.running());
    QVERIFY(w.table()->model()->rowCount() > 0);
    QCOMPARE(size_t(w.table()->model()->rowCount()), w.tickets().size());
    QVERIFY(w.checkLabel()->text().endsWith(QStringLiteral("— гарантия проверена")));
}

void TestWheelsWindow::badChoiceRefused_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::newRow("six numbers") << 6 << QString() << QStringLiteral("не меньше 7 чисел");
    QTest::newRow("key not chosen") << 8 << QStringLiteral("9") << QStringLiteral("не входит");
    QTest::newRow("four keys") << 8 << QStringLiteral("1-4") << QStringLiteral("не больше трёх");
    QTest::newRow("bad key text") << 8 << QStringLiteral("1-x") << QStringLiteral("разобрать");
}

void TestWheelsWindow::badChoiceRefused() {
    QFETCH(int, count);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    TestApp app;
    TForm1& form = app.start();
    form.WheelsButton->click();
    WheelsWindow& w = *form.WheelsForm;
    choose(w, count, QStringLiteral("3 из 6"), keys);
    w.buildButton()->click();
    QVERIFY(!w.running());
    QVERIFY2(w.statusLabel()->text().contains(message), qPrintable(w.statusLabel()->text()));
    QCOMPARE(w.table()->model()->rowCount(), 0);
}

QTEST_MAIN(TestWheelsWindow)
#include "test_wheels_window.moc"
