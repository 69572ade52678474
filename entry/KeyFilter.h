#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <Qt>

// The input fields' key filter: fields keep digits only, "0" stands for an
// empty field and is replaced by the first typed character, and Backspace or
// "." resets the field to "0".
namespace KeyFilter {

struct Outcome {
    bool clearField = false; // empty the field before the character goes in
    QChar key;               // the character the field inserts
};

Outcome apply(const QString& fieldText, QChar key);
// The same, knowing only whether the field reads "0" (blanks around it aside).
Outcome apply(bool fieldReadsZero, QChar key);

// The characters a key press types, as the filter sees them; empty when the
// key types none and goes to the field unchanged (Tab and Shift+Tab, which
// move the focus; Delete, the arrows, Home and End; Ctrl with a key other than
// a letter). Enter types a carriage return, Esc an escape, Backspace (with any
// modifier) a backspace and Ctrl with a letter its control character.
QString typedText(int key, Qt::KeyboardModifiers modifiers, const QString& text);

// Text typed into a field as one piece (a paste from the keyboard): each
// character passes the filter in turn, as if typed one after another. The
// selection [selectionStart, selectionStart + selectionLength) gives way to the
// first character; with no selection selectionStart is the caret. At most
// maxLength characters are kept, as many as the field holds.
struct Typing {
    bool clearField = false; // empty the field first
    QString text;            // then insert this at the caret, replacing the selection
};
Typing typeText(const QString& fieldText, int selectionStart, int selectionLength,
                QStringView typed, int maxLength);

constexpr char16_t kBackspace = 8;
constexpr char16_t kCarriageReturn = 13;
constexpr char16_t kEscape = 27;

} // namespace KeyFilter
