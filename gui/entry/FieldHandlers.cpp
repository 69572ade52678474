// The seven input fields: key filter, reset ("Очистить поля", Button13), and
// copying a row into them.
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "entry/EntryTexts.h"
#include "entry/KeyFilter.h"
#include "runtime/Conversions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

void filterInto(QObject* sender, QChar& key) {
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (!edit)
        return;
    const KeyFilter::Outcome out = KeyFilter::apply(edit->text(), key);
    if (out.clearField)
        edit->clear();
    key = out.key;
}

} // namespace

void TForm1::Edit1KeyPress(QObject* Sender, QChar& Key) {
    filterInto(Sender, Key);
}
void TForm1::ES1KeyPress(QObject* Sender, QChar& Key) {
    filterInto(Sender, Key);
}
void TForm1::ES2KeyPress(QObject* Sender, QChar& Key) {
    filterInto(Sender, Key);
}
void TForm1::ES3KeyPress(QObject* Sender, QChar& Key) {
    filterInto(Sender, Key);
}
void TForm1::ES4KeyPress(QObject* Sender, QChar& Key) {
    filterInto(Sender, Key);
}
void TForm1::ES5KeyPress(QObject* Sender, QChar& Key) {
    filterInto(Sender, Key);
}
void TForm1::ES6KeyPress(QObject* Sender, QChar& Key) {
    filterInto(Sender, Key);
}

bool TForm1::filterKey(QLineEdit* edit, QKeyEvent* event) {
    // A paste from the keyboard types the clipboard's text through the filter;
    // only the context menu's paste puts text in unfiltered.
    if (event->matches(QKeySequence::Paste)) {
        dispatch([&] { pasteTyped(edit); });
        return true;
    }
    // Copying, cutting, selecting and undoing type nothing into the field.
    for (const auto command : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll,
                               QKeySequence::Undo, QKeySequence::Redo})
        if (event->matches(command))
            return false;
    const QString typed = KeyFilter::typedText(event->key(), event->modifiers(), event->text());
    if (typed.isEmpty())
        return false;
    using Handler = void (TForm1::*)(QObject*, QChar&);
    static const Handler handlers[] = {&TForm1::ES1KeyPress, &TForm1::ES2KeyPress,
                                       &TForm1::ES3KeyPress, &TForm1::ES4KeyPress,
                                       &TForm1::ES5KeyPress, &TForm1::ES6KeyPress};
    Handler handler = &TForm1::Edit1KeyPress;
    for (int i = 1; i <= 6; ++i)
        if (edit == ES[i])
            handler = handlers[i - 1];
    dispatch([&] {
        for (QChar key : typed) {
            (this->*handler)(edit, key);
            if (!key.isNull())
                edit->insert(QString(key));
        }
    });
    return true;
}

void TForm1::pasteTyped(QLineEdit* edit) {
    const QString clipboard = QGuiApplication::clipboard()->text();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const KeyFilter::Typing typing = KeyFilter::typeText(
        edit->text(), start, edit->selectionLength(), clipboard, edit->maxLength());
    if (typing.clearField)
        edit->clear();
    edit->insert(typing.text);
}

void TForm1::resetFields() {
    Edit1->setText(QStringLiteral("0"));
    for (int i = 1; i <= 6; ++i)
        ES[i]->setText(QStringLiteral("0"));
}

void TForm1::Button13Click(QObject*) {
    resetFields();
}

void TForm1::writeFields(Query* target, bool newRow) {
    // Every field converts before the row is touched, so a text that is not a
    // number never leaves a row with only some of its columns set.
    const int tir = Conversions::strToInt(Edit1->text());
    int balls[6];
    for (int i = 0; i < 6; ++i)
        balls[i] = Conversions::strToInt(ES[i + 1]->text());
    newRow ? target->insert() : target->edit();
    try {
        // The table's own draw number and balls, whatever the list shows under
        // those names: the drawn-order list shows ss1..ss6 as s1..s6, and those
        // are the import's alone.
        target->setTableValue(QStringLiteral("tir"), qlonglong(tir));
        for (int i = 0; i < 6; ++i)
            target->setTableValue(QStringLiteral("s%1").arg(i + 1), qlonglong(balls[i]));
        target->post();
    } catch (...) {
        target->cancel();
        throw;
    }
}

void TForm1::copyFields(const Query* source) {
    // Column by column: the copy stops at the first column that cannot be read.
    Edit1->setText(QString::number(source->asInteger(QStringLiteral("tir"))));
    for (int i = 1; i <= 6; ++i)
        ES[i]->setText(QString::number(source->asInteger(QStringLiteral("s%1").arg(i))));
}

void TForm1::inputErrorBox(const QString& text) {
    showBox(text, EntryTexts::inputErrorCaption(), BoxIcon::Error, BoxButtons::Ok);
}

bool TForm1::askQuestion(const QString& text) {
    return showBox(text, EntryTexts::questionCaption(), BoxIcon::None, BoxButtons::YesNo) ==
           BoxResult::Yes;
}
