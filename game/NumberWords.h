#pragma once

#include <QString>

// Counts in words for messages, with the noun in the right form: "шесть
// чисел", "три числа", "одно поле" (neuter nouns; digits beyond twenty).
namespace Lottery {

QString countInWords(int count, const QString& one, const QString& few, const QString& many);

inline QString numbersInWords(int count) {
    return countInWords(count, QStringLiteral("число"), QStringLiteral("числа"),
                        QStringLiteral("чисел"));
}
inline QString fieldsInWords(int count) {
    return countInWords(count, QStringLiteral("поле"), QStringLiteral("поля"),
                        QStringLiteral("полей"));
}

} // namespace Lottery
