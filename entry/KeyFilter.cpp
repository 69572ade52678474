#include "entry/KeyFilter.h"

namespace KeyFilter {

namespace {
bool readsZero(const QString& text) {
    return text.trimmed() == QLatin1String("0");
}
} // namespace

Outcome apply(const QString& fieldText, QChar key) {
    return apply(readsZero(fieldText), key);
}

Outcome apply(bool fieldReadsZero, QChar key) {
    Outcome out;
    out.key = key;
    if (key.unicode() == kBackspace || key == QLatin1Char('.')) {
        out.clearField = true;
        out.key = QLatin1Char('0');
        return out;
    }
    if (fieldReadsZero)
        out.clearField = true;
    if (key < QLatin1Char('0') || key > QLatin1Char('9'))
        out.key = QLatin1Char('0');
    return out;
}

QString typedText(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QString();
    case Qt::Key_Backspace:
        return QString(QChar(kBackspace));
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(QChar(kCarriageReturn));
    case Qt::Key_Escape:
        return QString(QChar(kEscape));
    default:
        break;
    }
    // Ctrl+Alt stands for AltGr on some keyboards and types what the text says.
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QString(QChar(char16_t(key - Qt::Key_A + 1)));
        return QString();
    }
    // Delete comes with the control character DEL, the arrows with no text.
    if (text.isEmpty() || text.front().category() == QChar::Other_Control)
        return QString();
    return text;
}

Typing typeText(const QString& fieldText, int selectionStart, int selectionLength,
                QStringView typed, int maxLength) {
    Typing out;
    // Once a character went in, the field reads "0" only when that is all it
    // holds besides blanks: the filter lets nothing but digits in.
    const bool restBlank = fieldText.left(selectionStart).trimmed().isEmpty() &&
                           fieldText.mid(selectionStart + selectionLength).trimmed().isEmpty();
    bool cleared = false;
    bool zero = readsZero(fieldText);
    for (const QChar c : typed) {
        const Outcome one = apply(zero, c);
        if (one.clearField) {
            cleared = true;
            out.text.clear();
        }
        if (out.text.size() < maxLength)
            out.text.append(one.key);
        zero = (cleared || restBlank) && out.text == QLatin1String("0");
    }
    out.clearField = cleared;
    return out;
}

} // namespace KeyFilter
