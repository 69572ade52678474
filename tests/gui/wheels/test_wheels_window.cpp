// The wheels window «Системы»: opened from the main window, generating on a
// worker thread, and the tickets stored as bets, written as CSV and PDF.
#include "tests/gui/support/TestSupport.h"

#include "gui/wheels/NumberChooser.h"
#include "gui/wheels/TicketTableModel.h"
#include "gui/wheels/WheelJob.h"
#include "gui/wheels/WheelPrinting.h"
#include "gui/wheels/WheelsWindow.h"
#include "widgets/FileDialogs.h"
#include "widgets/StatusBar.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
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

// A page of A4 less 15 mm margins at 1200 dots an inch, as a printer has it,
// that records every line of text drawn and whether it stands whole on the page.
class TextRecorder : public QPaintEngine, public QPaintDevice {
public:
    static constexpr int kWidth = 8504, kHeight = 12614;
    QList<std::pair<QString, bool>> lines;

    TextRecorder() : QPaintEngine(AllFeatures) {}
    QPaintEngine* paintEngine() const override { return const_cast<TextRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QRectF box = painter()->transform().mapRect(
            QRectF(at.x(), at.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        const bool clipped =
            painter()->hasClipping() && !painter()->clipBoundingRect().contains(box);
        lines.append({item.text(), QRectF(0, 0, kWidth, kHeight).contains(box) && !clipped});
    }

protected:
    int metric(PaintDeviceMetric m) const override {
        return m == PdmWidth                    ? kWidth
               : m == PdmHeight                 ? kHeight
               : m == PdmDepth                  ? 32
               : m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale())
               : m == PdmDevicePixelRatio       ? 1
                                                : 1200; // dots an inch
    }
};

std::vector<Wheels::Ticket> someTickets(int count) {
    std::vector<Wheels::Ticket> tickets(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        for (int b = 0; b < 6; ++b)
            tickets[size_t(i)][size_t(b)] = 1 + (i + 7 * b) % 49;
    return tickets;
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
    void printsEveryTicketWhole();
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
    // Pressed again: asked first, and stored again only on «Да».
    for (const BoxResult answer : {BoxResult::No, BoxResult::Yes}) {
        app.boxes.answer(answer);
        w.findChild<QPushButton*>(QStringLiteral("WheelSaveBets"))->click();
        QVERIFY(app.boxes.texts().last().startsWith(QStringLiteral("3 билета из 3 уже записаны")));
    }
    QCOMPARE(app.bets(), 6);
    app.boxes.shown.clear();

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
    QTRY_VERIFY(!w.writingPdf()); // written on a worker
    const QByteArray written = fileText(dialogs.path);
    // Many pages: the window shows them while they are written, and «Стоп» cancels.
    w.findChild<TicketTableModel*>()->setTickets(someTickets(60000));
    w.savePdf();
    QTRY_VERIFY(w.progressLabel()->text().contains(QStringLiteral("страница")));
    w.stopButton()->click();
    QTRY_VERIFY(!w.running() && w.statusLabel()->text().contains(QStringLiteral("отменена")));
    QCOMPARE(fileText(dialogs.path), written); // the file before, as it was
    QVERIFY(fileText(dialogs.path).startsWith("%PDF"));
    QVERIFY(app.boxes.shown.isEmpty());

    // All 49 balls can be taken; big counts are grouped; a new search clears the old wheel.
    w.countBox()->setValue(49);
    w.takeFromDraws(true);
    QCOMPARE(w.chooser()->chosen().size(), size_t(49));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); // as the program sets it
    QVERIFY(
        WheelTexts::checkText({}, 380599, {}).startsWith(QStringLiteral("Билетов: 380\u00a0599.")));
    w.buildButton()->click();
    QVERIFY(w.table()->model()->rowCount() == 0 && !w.checkLabel()->isVisible());
    w.stop();
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
    QElapsedTimer stopping;
    stopping.start();
    w.stopButton()->click();
    // Well before its budget: the stop ended the search, and the best wheel is shown.
    QTRY_VERIFY(!w.running());
    qInfo("«Стоп» to an idle window: %lld ms", stopping.elapsed()); // mostly the search's
    QVERIFY(w.table()->model()->rowCount() > 0);
    QCOMPARE(size_t(w.table()->model()->rowCount()), w.tickets().size());
    QVERIFY(w.checkLabel()->text().endsWith(QStringLiteral("— гарантия проверена")));
    // The window's own share: from a result of every 5 of 49 to an idle window.
    Wheels::GenerateResult every;
    every.tickets = someTickets(380599);
    stopping.restart();
    Q_EMIT w.findChild<WheelJob*>()->finished(every);
    QCoreApplication::processEvents();
    qInfo("380,599 tickets shown in %lld ms", stopping.elapsed()); // a figure, not a check
    QCOMPARE(w.table()->model()->rowCount(), 380599);
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

void TestWheelsWindow::printsEveryTicketWhole() {
    for (const int tickets : {1, 177, 2047, 20000, 380599}) {
        WheelTexts::PrintedWheel wheel;
        wheel.request.guarantee = {3, 6};
        wheel.tickets = someTickets(tickets);
        TextRecorder pages;
        QPainter painter(&pages);
        QVERIFY(WheelPrinting::paintPages(
            {&painter, QSize(pages.kWidth, pages.kHeight), [] { return true; }}, wheel));
        int next = 1; // every ticket once, in order, on a row of its own drawn whole
        for (const auto& [text, whole] : pages.lines) {
            const QStringList cells = QString(text)
                                          .replace(QChar(0x2007), QLatin1Char(' '))
                                          .split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (cells.size() == 7 && cells.first().toInt() > 0) {
                QVERIFY2(whole, qPrintable(text));
                QCOMPARE(cells.first().toInt(), next++);
            }
        }
        QCOMPARE(next - 1, tickets);
    }
}

QTEST_MAIN(TestWheelsWindow)
#include "test_wheels_window.moc"
