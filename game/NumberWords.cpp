#include "game/NumberWords.h"

namespace Lottery {

QString countInWords(int count, const QString& one, const QString& few, const QString& many) {
    static const char16_t* const words[] = {
        u"ноль",       u"одно",        u"два",        u"три",          u"четыре",
        u"пять",       u"шесть",       u"семь",       u"восемь",       u"девять",
        u"десять",     u"одиннадцать", u"двенадцать", u"тринадцать",   u"четырнадцать",
        u"пятнадцать", u"шестнадцать", u"семнадцать", u"восемнадцать", u"девятнадцать",
        u"двадцать"};
    const QString number =
        count >= 0 && count <= 20 ? QString::fromUtf16(words[count]) : QString::number(count);
    const int lastTwo = count % 100;
    const int last = count % 10;
    const QString& noun = lastTwo >= 11 && lastTwo <= 14 ? many
                          : last == 1                    ? one
                          : last >= 2 && last <= 4       ? few
                                                         : many;
    return number + QLatin1Char(' ') + noun;
}

} // namespace Lottery
