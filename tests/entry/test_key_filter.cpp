#include "tests/gui/support/TestSupport.h"

#include "entry/KeyFilter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <memory>

class TestKeyFilter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data();
    void typing();
    void keys_data();
    void keys();
    void tabMovesTheFocus();
    void typedTextKeepsWhatTheFieldHolds_data();
    void typedTextKeepsWhatTheFieldHolds();
    void contextMenuPastePassesUnfiltered();
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

void TestKeyFilter::keys_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret"); // -1: at the end; -2: all selected
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("then"); // digits typed after the key
    QTest::addColumn<QString>("after");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    const auto row = [](const char* name, const char* before, int caret, int key, int modifiers,
                        const char* clipboard, const char* then, const char* after) {
        QTest::newRow(name) << before << caret << key << modifiers << clipboard << then << after;
    };
    // Keys that type a character go through the filter.
    row("Enter", "12", -1, Qt::Key_Return, none, "", "", "120");
    row("Enter into 0", "0", -1, Qt::Key_Return, none, "", "", "0");
    row("keypad Enter", "12", -1, Qt::Key_Enter, Qt::KeypadModifier, "", "", "120");
    row("Ctrl+Enter", "12", -1, Qt::Key_Return, ctrl, "", "", "120");
    row("Esc", "12", -1, Qt::Key_Escape, none, "", "", "120");
    row("Ctrl+B", "12", -1, Qt::Key_B, ctrl, "", "", "120");
    row("Ctrl+Shift+Q", "12", -1, Qt::Key_Q, ctrl | shift, "", "", "120");
    row("Alt+A", "12", -1, Qt::Key_A, Qt::AltModifier, "", "", "120");
    row("Ctrl+Backspace resets", "123", -1, Qt::Key_Backspace, ctrl, "", "", "0");
    // A paste from the keyboard types the clipboard through the filter.
    row("Ctrl+V letters", "12", -1, Qt::Key_V, ctrl, "ab", "", "1200");
    row("Ctrl+V digits", "12", -1, Qt::Key_V, ctrl, "34", "", "1234");
    row("Ctrl+V at the caret", "12", 1, Qt::Key_V, ctrl, "3", "", "132");
    row("Ctrl+V into 0", "0", -1, Qt::Key_V, ctrl, "5", "", "5");
    row("Ctrl+V letters into 0", "0", -1, Qt::Key_V, ctrl, "ab", "", "0");
    row("Ctrl+V with a full stop", "12", -1, Qt::Key_V, ctrl, "1.5", "", "5");
    row("Ctrl+V over a selection", "12", -2, Qt::Key_V, ctrl, "7", "", "7");
    row("Ctrl+V letter over a selection", "12", -2, Qt::Key_V, ctrl, "x", "", "0");
    row("Ctrl+V empty clipboard", "12", -1, Qt::Key_V, ctrl, "", "", "12");
    row("Shift+Insert", "12", -1, Qt::Key_Insert, shift, "ab", "", "1200");
    // Editing commands and keys without a character work as usual.
    row("Ctrl+C", "12", -1, Qt::Key_C, ctrl, "", "", "12");
    row("Ctrl+X without a selection", "12", -1, Qt::Key_X, ctrl, "", "", "12");
    row("Ctrl+X of a selection", "12", -2, Qt::Key_X, ctrl, "", "", "");
    row("Ctrl+A then a digit", "12", -1, Qt::Key_A, ctrl, "", "5", "5");
    row("Ctrl+Z", "12", -1, Qt::Key_Z, ctrl, "", "", "12");
    row("Delete", "12", 0, Qt::Key_Delete, none, "", "", "2");
    row("Home then a digit", "12", -1, Qt::Key_Home, none, "", "5", "512");
    row("Left then a digit", "12", -1, Qt::Key_Left, none, "", "5", "152");
    row("Ctrl+Left then a digit", "12", -1, Qt::Key_Left, ctrl, "", "5", "512");
    row("Tab", "12", -1, Qt::Key_Tab, none, "", "", "12");
}

void TestKeyFilter::keys() {
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, clipboard);
    QFETCH(QString, then);
    QFETCH(QString, after);
    TestApp app;
    TForm1& form = app.start();
    for (QLineEdit* field : {form.Edit1, form.ES[3]}) {
        QGuiApplication::clipboard()->setText(clipboard);
        field->setText(before);
        if (caret == -2)
            field->selectAll();
        else
            field->setCursorPosition(caret < 0 ? before.size() : caret);
        QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        for (const QChar digit : then)
            QTest::keyClick(field, Qt::Key(Qt::Key_0 + digit.digitValue()));
        QCOMPARE(field->text(), after);
    }
    QVERIFY(app.boxes.shown.isEmpty());
}

void TestKeyFilter::tabMovesTheFocus() {
    TestApp app;
    TForm1& form = app.start();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Edit1->setFocus();
    QTest::keyClick(form.Edit1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.ES[1]);
    QTest::keyClick(form.ES[1], Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form.Edit1);
    QCOMPARE(form.Edit1->text(), QStringLiteral("0"));
    QCOMPARE(form.ES[1]->text(), QStringLiteral("0"));
}

void TestKeyFilter::typedTextKeepsWhatTheFieldHolds_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("clearField");
    QTest::addColumn<QString>("text");
    const QString flood(100000, QLatin1Char('x'));
    QTest::newRow("long text stops at the field's length") << flood << false << "00000";
    QTest::newRow("a reset near the end still counts")
        << flood + QStringLiteral(".7") << true << "7";
}

void TestKeyFilter::typedTextKeepsWhatTheFieldHolds() {
    QFETCH(QString, typed);
    QFETCH(bool, clearField);
    QFETCH(QString, text);
    const KeyFilter::Typing typing = KeyFilter::typeText(QStringLiteral("12"), 2, 0, typed, 5);
    QCOMPARE(typing.clearField, clearField);
    QCOMPARE(typing.text, text);
}

void TestKeyFilter::contextMenuPastePassesUnfiltered() {
    TestApp app;
    TForm1& form = app.start();
    QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
    form.ES[2]->setText(QStringLiteral("12"));
    form.ES[2]->setCursorPosition(2);
    std::unique_ptr<QMenu> menu(form.ES[2]->createStandardContextMenu());
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QLatin1String("&Paste")))
            paste = action;
    QVERIFY(paste);
    paste->trigger();
    QCOMPARE(form.ES[2]->text(), QStringLiteral("12ab"));
}

QTEST_MAIN(TestKeyFilter)
#include "test_key_filter.moc"
