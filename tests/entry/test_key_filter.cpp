#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QTest>

class TestKeyFilter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data();
    void typing();
    void pasteAndDeletePassUnfiltered();
};

void TestKeyFilter::typing_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys"); // '\b' stands for Backspace
    QTest::addColumn<QString>("after");
    QTest::newRow("digit replaces 0") << "0"
                                      << "7"
                                      << "7";
    QTest::newRow("digits append") << "0"
                                   << "75"
                                   << "75";
    QTest::newRow("letter after digits") << "12"
                                         << "a"
                                         << "120";
    QTest::newRow("blank after digits") << "12"
                                        << " "
                                        << "120";
    QTest::newRow("minus after digits") << "12"
                                        << "-"
                                        << "120";
    QTest::newRow("letter into 0") << "0"
                                   << "x"
                                   << "0";
    QTest::newRow("backspace resets") << "123"
                                      << "\b"
                                      << "0";
    QTest::newRow("full stop resets") << "123"
                                      << "."
                                      << "0";
    QTest::newRow("backspace then digit") << "123"
                                          << "\b4"
                                          << "4";
    QTest::newRow("blank-padded 0 replaced") << " 0 "
                                             << "5"
                                             << "5";
    QTest::newRow("cyrillic letter") << "4" << QString::fromUtf8("ж") << "40";
}

void TestKeyFilter::typing() {
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    TestApp app;
    TForm1& form = app.start();
    for (QLineEdit* field : {form.Edit1, form.ES[1], form.ES[6]}) {
        field->setText(before);
        field->setCursorPosition(before.size());
        for (const QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(field, Qt::Key_Backspace);
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
        QCOMPARE(field->text(), after);
    }
}

void TestKeyFilter::pasteAndDeletePassUnfiltered() {
    TestApp app;
    TForm1& form = app.start();
    form.ES[2]->setText(QStringLiteral("12"));
    form.ES[2]->setCursorPosition(0);
    QTest::keyClick(form.ES[2], Qt::Key_Delete);
    QCOMPARE(form.ES[2]->text(), QStringLiteral("2"));
    form.ES[2]->selectAll();
    form.ES[2]->insert(QStringLiteral("ab")); // as a paste would
    QCOMPARE(form.ES[2]->text(), QStringLiteral("ab"));
}

QTEST_MAIN(TestKeyFilter)
#include "test_key_filter.moc"
