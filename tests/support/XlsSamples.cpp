#include "tests/support/XlsSamples.h"

#include <limits>

namespace XlsSamples {

SimpleXls features() {
    SimpleXls xls;
    xls.setLeadingChartSheet(true);
    xls.setTrailingWorksheet(true);
    // Short records, so that the shared strings and a long formula text run
    // on into CONTINUE records.
    xls.setMaxRecordData(40);
    const quint16 whole = xls.addStyle(1);      // "0"
    const quint16 grouped = xls.addStyle(3);    // "#,##0"
    const quint16 shortDate = xls.addStyle(14); // the locale's short date
    const quint16 amount = xls.addStyle(4);     // "#,##0.00"
    const quint16 threePlaces = xls.addStyle(xls.addFormat(QStringLiteral("0.000")));
    const quint16 isoDate = xls.addStyle(xls.addFormat(QStringLiteral("yyyy-mm-dd")));
    const quint16 roubles = xls.addStyle(xls.addFormat(QStringLiteral("#,##0\" руб.\"")));

    xls.addSharedString(QStringLiteral("plain"));
    xls.addSharedString(QStringLiteral("Тираж"));
    xls.addSharedString(QStringLiteral("Latin letters come first, then Кириллица after the cut"));
    xls.addSharedString(QStringLiteral("Кириллица сначала, then Latin letters after the cut"));
    xls.addSharedString(QStringLiteral("Дата тиража"), 2, 12);
    xls.addSharedString(QString());
    xls.addSharedString(QStringLiteral("after rich text"));
    for (quint16 column = 0; column < 7; ++column)
        xls.labelSst(0, column, column);
    xls.label(0, 7, QStringLiteral("метка"));
    xls.label(0, 8, QStringLiteral("label"));

    xls.number(1, 0, 12.5, whole);
    xls.number(1, 1, 13.5, whole);
    xls.number(1, 2, 1234, grouped);
    xls.number(1, 3, 45462, shortDate);
    xls.number(1, 4, 2.6754, threePlaces);
    xls.number(1, 5, 45462, isoDate);
    xls.number(1, 6, 987654.32, amount);
    xls.number(1, 7, 12.5);
    xls.number(1, 8, 3000000000);
    xls.number(1, 9, 1500, roubles);

    xls.rk(2, 0, SimpleXls::rkInteger(1201));
    xls.rk(2, 1, SimpleXls::rkInteger(1234, true));
    xls.rk(2, 2, SimpleXls::rkDouble(0.5));
    xls.rk(2, 3, SimpleXls::rkDouble(1250, true), whole);
    xls.rk(2, 4, SimpleXls::rkInteger(-5));
    xls.mulRk(2, 5,
              {SimpleXls::rkInteger(17), SimpleXls::rkInteger(3), SimpleXls::rkInteger(45000)},
              grouped);

    xls.boolErr(3, 0, 1, false);
    xls.boolErr(3, 1, 0, false);
    xls.boolErr(3, 2, 0x07, true);
    xls.formulaNumber(3, 3, 12.5, whole);
    xls.formulaText(3, 4, QStringLiteral("xy"));
    xls.formulaSpecial(3, 5, 1, 1);
    xls.formulaSpecial(3, 6, 2, 0x2A);
    xls.formulaSpecial(3, 7, 3, 0);
    xls.formulaText(3, 8, QStringLiteral("a formula's text long enough to run on: Итого за тираж"));

    xls.number(4, 255, 7);
    xls.number(4, 256, 8);       // beyond the last column
    xls.number(4, 1, 12.5, 999); // a style the book does not have
    xls.number(4, 2, std::numeric_limits<double>::quiet_NaN());

    xls.beginEmbeddedChart();
    xls.number(5, 0, 99);
    xls.endEmbeddedChart();
    xls.blank(7, 0, whole);
    xls.mulBlank(8, 0, 5, whole);
    return xls;
}

SimpleXls biff5() {
    SimpleXls xls(SimpleXls::Version::Biff5);
    const quint16 grouped = xls.addStyle(xls.addFormat(QStringLiteral("#,##0")));
    xls.label(0, 0, QStringLiteral("Тираж"));
    xls.number(0, 1, 1234567, grouped);
    xls.formulaText(0, 2, QStringLiteral("Всего"));
    xls.rk(1, 0, SimpleXls::rkInteger(1201));
    return xls;
}

SimpleXls results(int rows) {
    SimpleXls xls;
    const quint16 date = xls.addStyle(14);
    const quint16 amount = xls.addStyle(2); // "0.00"
    for (quint16 column = 0; column < 18; ++column)
        xls.labelSst(0, column, xls.addSharedString(QStringLiteral("Колонка %1").arg(column + 1)));
    for (int i = 1; i <= rows; ++i) {
        const quint16 row = quint16(i);
        xls.rk(row, 0, SimpleXls::rkInteger(1000 + i));
        xls.rk(row, 1, SimpleXls::rkInteger(45000 + i), date);
        QList<quint32> balls;
        for (int b = 0; b < 6; ++b)
            balls.append(SimpleXls::rkInteger(1 + (i * 7 + b * 11) % 49));
        xls.mulRk(row, 2, balls);
        for (quint16 column = 8; column < 16; column += 2) {
            xls.rk(row, column, SimpleXls::rkInteger(i % 50));
            xls.number(row, column + 1, 1000.5 + i, amount);
        }
        xls.number(row, 16, 3000000000.0 + i, amount);
        xls.number(row, 17, 12345678.25, amount);
    }
    return xls;
}

QList<Sample> all() {
    const SimpleXls book = features();
    QList<Sample> samples{
        {QStringLiteral("features-v3.xls"), book.file(3)},
        {QStringLiteral("features-v4.xls"), book.file(4)},
        {QStringLiteral("biff5.xls"), biff5().file()},
        {QStringLiteral("results-mini.xls"), results(3).file()},
        {QStringLiteral("results-big.xls"), results(200).file()},
    };
    SimpleXls dates;
    dates.setDate1904(true);
    dates.number(0, 0, 44000, dates.addStyle(14));
    samples.append({QStringLiteral("dates-1904.xls"), dates.file()});
    return samples;
}

} // namespace XlsSamples
