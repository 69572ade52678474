#pragma once

#include <QChar>
#include <QString>

// The input fields' key filter: fields keep digits only, "0" stands for an
// empty field and is replaced by the first typed character, and Backspace or
// "." resets the field to "0".
namespace KeyFilter {

struct Outcome {
    bool clearField = false; // empty the field before the character goes in
    QChar key;               // the character the field inserts
};

Outcome apply(const QString& fieldText, QChar key);

constexpr char16_t kBackspace = 8;

} // namespace KeyFilter
