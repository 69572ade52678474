#include "cli/CliTexts.h"

#include <iterator>

namespace CliTexts {

QString explained(const QString& message) {
    struct Meaning {
        const char* english; // a piece of the original text
        const char16_t* russian;
    };
    static const Meaning meanings[] = {
        {"readonly database", u"нет права записи в файл базы данных или в его папку"},
        {"no such table", u"в базе данных нет нужной таблицы"},
        {"no such column", u"в таблице базы данных нет нужного столбца"},
        {"file is not a database", u"файл не является базой данных"},
        {"database disk image is malformed", u"файл базы данных повреждён"},
        {"unable to open database file", u"файл базы данных не открывается"},
        {"database or disk is full", u"на диске нет места"},
        {"disk I/O error", u"ошибка чтения или записи диска"},
        {"is not a valid integer value", u"не целое число: только цифры, без пробелов внутри"},
        {"is not a valid floating point value",
         u"не число: сумма пишется без пробелов между разрядами, дробная часть через запятую"},
        {"is not a valid date", u"не дата вида дд.мм.гггг"},
    };
    for (const Meaning* m = std::begin(meanings); m != std::end(meanings); ++m)
        if (message.contains(QLatin1String(m->english)))
            return QString::fromUtf16(m->russian) + QStringLiteral(" (") + message +
                   QLatin1Char(')');
    return message;
}

} // namespace CliTexts
