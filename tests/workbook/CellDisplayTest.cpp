#include "workbook/CellDisplay.h"
#include "workbook/NumberFormat.h"

#include <QTest>
#include <limits>

// The texts numbers show under number formats, in the Russian locale.
class CellDisplayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void general_data();
    void general();
    void builtInFormat_data();
    void builtInFormat();
    void formatCode_data();
    void formatCode();
    void dateSystems_data();
    void dateSystems();
    void extremeValues_data();
    void extremeValues();
};

namespace {

// Readable expectations: "_" stands for the no-break space that groups digits.
QString grouped(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('_'), CellDisplay::GroupSeparator);
}

} // namespace

void CellDisplayTest::general_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("integer, no grouping") << 123456.0 << QStringLiteral("123456");
    QTest::newRow("above 32 bits") << 3000000000.0 << QStringLiteral("3000000000");
    QTest::newRow("eleven digits") << 12345678901.0 << QStringLiteral("12345678901");
    QTest::newRow("twelve digits") << 123456789012.0 << QStringLiteral("1,23457E+11");
    QTest::newRow("power of ten") << 1e12 << QStringLiteral("1E+12");
    QTest::newRow("half") << 12.5 << QStringLiteral("12,5");
    QTest::newRow("negative") << -13.5 << QStringLiteral("-13,5");
    QTest::newRow("binary noise hidden") << 0.1 + 0.2 << QStringLiteral("0,3");
    QTest::newRow("decimal half kept") << 2.675 << QStringLiteral("2,675");
    QTest::newRow("eleven characters") << 1234567.891234 << QStringLiteral("1234567,891");
    QTest::newRow("fraction dropped to fit") << 3000000000.5 << QStringLiteral("3000000001");
    QTest::newRow("small fraction") << 0.000123 << QStringLiteral("0,000123");
    QTest::newRow("tiny") << 0.00001 << QStringLiteral("1E-05");
    QTest::newRow("rounds up to the next power") << 99999999999.7 << QStringLiteral("1E+11");
}

void CellDisplayTest::general() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(CellDisplay::general(value), text);
    QCOMPARE(NumberFormat().display(value), text);
}

void CellDisplayTest::builtInFormat_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0: General") << 0 << 12.5 << QStringLiteral("12,5");
    QTest::newRow("1: 0") << 1 << 12.5 << QStringLiteral("13");
    QTest::newRow("1: 0, half away from zero") << 1 << -2.5 << QStringLiteral("-3");
    QTest::newRow("2: 0.00") << 2 << 1500.0 << QStringLiteral("1500,00");
    QTest::newRow("2: 0.00 decimal rounding") << 2 << 2.675 << QStringLiteral("2,68");
    QTest::newRow("3: #,##0") << 3 << 25000000.0 << grouped("25_000_000");
    QTest::newRow("3: #,##0 small") << 3 << 999.0 << QStringLiteral("999");
    QTest::newRow("4: #,##0.00") << 4 << 1234.0 << grouped("1_234,00");
    QTest::newRow("4: #,##0.00 negative") << 4 << -987654.321 << grouped("-987_654,32");
    QTest::newRow("4: #,##0.00 above 32 bits") << 4 << 3000000000.0 << grouped("3_000_000_000,00");
    QTest::newRow("9: 0%") << 9 << 0.256 << QStringLiteral("26%");
    QTest::newRow("10: 0.00%") << 10 << 0.256 << QStringLiteral("25,60%");
    QTest::newRow("11: 0.00E+00") << 11 << 12345.0 << QStringLiteral("1,23E+04");
    QTest::newRow("14: short date") << 14 << 45462.0 << QStringLiteral("19.06.2024");
    QTest::newRow("14: time of day not shown") << 14 << 45462.75 << QStringLiteral("19.06.2024");
    QTest::newRow("20: h:mm") << 20 << 45462.75 << QStringLiteral("18:00");
    QTest::newRow("21: h:mm:ss rounds to the second")
        << 21 << 0.5 + 1.4 / 86400 << QStringLiteral("12:00:01");
    QTest::newRow("22: date and time") << 22 << 45462.4375 << QStringLiteral("19.06.2024 10:30");
    QTest::newRow("18: h:mm AM/PM") << 18 << 0.75 << QStringLiteral("6:00 PM");
    QTest::newRow("46: [h]:mm:ss") << 46 << 1.5 << QStringLiteral("36:00:00");
    QTest::newRow("49: text format shows General") << 49 << 7.0 << QStringLiteral("7");
    QTest::newRow("unknown id shows General") << 200 << 7.25 << QStringLiteral("7,25");
    QTest::newRow("fraction id shows General") << 12 << 0.5 << QStringLiteral("0,5");
}

void CellDisplayTest::builtInFormat() {
    QFETCH(int, id);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::builtIn(id).display(value), text);
}

void CellDisplayTest::formatCode_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isDate");
    QTest::newRow("General keyword")
        << QStringLiteral("General") << 3000000000.0 << QStringLiteral("3000000000") << false;
    QTest::newRow("General with literal")
        << QStringLiteral("General\" руб.\"") << 12.5 << QStringLiteral("12,5 руб.") << false;
    QTest::newRow("0.00") << QStringLiteral("0.00") << 12.5 << QStringLiteral("12,50") << false;
    QTest::newRow("#,##0.00") << QStringLiteral("#,##0.00") << 150000.0 << grouped("150_000,00")
                              << false;
    QTest::newRow("#,##0.00 below a thousand")
        << QStringLiteral("#,##0.00") << 0.5 << QStringLiteral("0,50") << false;
    QTest::newRow("optional decimals")
        << QStringLiteral("0.0#") << 2.5 << QStringLiteral("2,5") << false;
    QTest::newRow("no integer digit")
        << QStringLiteral("#.00") << 0.25 << QStringLiteral(",25") << false;
    QTest::newRow("zero padding") << QStringLiteral("00000") << 42.0 << QStringLiteral("00042")
                                  << false;
    QTest::newRow("thousands scaling")
        << QStringLiteral("#,##0,\" тыс.\"") << 1234567.0 << grouped("1_235 тыс.") << false;
    QTest::newRow("currency tag") << QStringLiteral("#,##0.00\\ [$₽-419]") << 1234.5
                                  << grouped("1_234,50 ₽") << false;
    QTest::newRow("padding and colour")
        << QStringLiteral("[Red]_-* #,##0_-;-* #,##0_-") << 1234.0 << grouped(" 1_234 ") << false;
    QTest::newRow("only the first section")
        << QStringLiteral("0.00;(0.00)") << -1.5 << QStringLiteral("-1,50") << false;
    QTest::newRow("quoted letters are not a date")
        << QStringLiteral("0\" dm\"") << 5.0 << QStringLiteral("5 dm") << false;
    QTest::newRow("fraction falls back to General")
        << QStringLiteral("# ?/?") << 1.5 << QStringLiteral("1,5") << false;
    QTest::newRow("text format") << QStringLiteral("@") << 12.5 << QStringLiteral("12,5") << false;
    QTest::newRow("dd.mm.yyyy") << QStringLiteral("dd.mm.yyyy") << 45462.0
                                << QStringLiteral("19.06.2024") << true;
    QTest::newRow("upper-case DD.MM.YYYY")
        << QStringLiteral("DD.MM.YYYY") << 45462.0 << QStringLiteral("19.06.2024") << true;
    QTest::newRow("escaped points")
        << QStringLiteral("dd\\.mm\\.yyyy") << 45462.0 << QStringLiteral("19.06.2024") << true;
    QTest::newRow("slash is the date separator")
        << QStringLiteral("dd/mm/yyyy") << 45462.0 << QStringLiteral("19.06.2024") << true;
    QTest::newRow("d/m/yy") << QStringLiteral("d/m/yy") << 45450.0 << QStringLiteral("7.6.24")
                            << true;
    QTest::newRow("m/d/yyyy") << QStringLiteral("m/d/yyyy") << 45462.0
                              << QStringLiteral("6.19.2024") << true;
    QTest::newRow("yyyy-mm-dd") << QStringLiteral("yyyy-mm-dd") << 45462.0
                                << QStringLiteral("2024-06-19") << true;
    QTest::newRow("minutes after hours") << QStringLiteral("[$-419]dd.mm.yyyy hh:mm") << 45462.0625
                                         << QStringLiteral("19.06.2024 01:30") << true;
    QTest::newRow("minutes before seconds")
        << QStringLiteral("mm:ss") << 125.0 / 86400 << QStringLiteral("02:05") << true;
    QTest::newRow("month name") << QStringLiteral("d mmmm yyyy") << 45462.0
                                << QStringLiteral("19 июнь 2024") << true;
    QTest::newRow("date format on a negative value")
        << QStringLiteral("dd.mm.yyyy") << -1.0 << QStringLiteral("-1") << true;
    QTest::newRow("early 1900 serial")
        << QStringLiteral("dd.mm.yyyy") << 1.0 << QStringLiteral("01.01.1900") << true;
    QTest::newRow("after the fictitious leap day")
        << QStringLiteral("dd.mm.yyyy") << 61.0 << QStringLiteral("01.03.1900") << true;
}

void CellDisplayTest::formatCode() {
    QFETCH(QString, code);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(bool, isDate);
    const NumberFormat format = NumberFormat::fromCode(code);
    QCOMPARE(format.display(value), text);
    QCOMPARE(format.isDateTime(), isDate);
}

void CellDisplayTest::dateSystems_data() {
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QString>("text");
    QTest::newRow("1900") << 45462.0 << false << QStringLiteral("19.06.2024");
    QTest::newRow("1904") << 44000.0 << true << QStringLiteral("19.06.2024");
    QTest::newRow("1904 zero") << 0.0 << true << QStringLiteral("01.01.1904");
}

void CellDisplayTest::dateSystems() {
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::builtIn(14).display(serial, date1904), text);
}

void CellDisplayTest::extremeValues_data() {
    // Values at the ends of the double range through every kind of format:
    // each shows its digits (scaling moves the decimal point, it never
    // overflows), and what is not a number shows the spreadsheet's #NUM!.
    using limits = std::numeric_limits<double>;
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const QString tenTo308 = QLatin1Char('1') + QString(308, QLatin1Char('0'));
    const QString largest = QStringLiteral("179769313486232") + QString(294, QLatin1Char('0'));
    const QString nan = QStringLiteral("#ЧИСЛО!");
    QTest::newRow("percent of 1E308") << "0%" << 1e308 << tenTo308 + QStringLiteral("00%");
    QTest::newRow("percent of -1E308")
        << "0%" << -1e308 << QLatin1Char('-') + tenTo308 + QStringLiteral("00%");
    QTest::newRow("three percent of 1E300")
        << "0%%%" << 1e300
        << QLatin1Char('1') + QString(306, QLatin1Char('0')) + QStringLiteral("%%%");
    QTest::newRow("largest double") << "0" << limits::max() << largest;
    QTest::newRow("largest double, General") << "General" << limits::max() << "1,79769E+308";
    QTest::newRow("exponent of 1E308") << "0.00E+00" << 1e308 << "1,00E+308";
    QTest::newRow("exponent and percent of 1E308") << "0.00E+00%" << 1e308 << "1,00E+310%";
    QTest::newRow("exponent rounds up") << "0.00E+00" << 9.996 << "1,00E+01";
    QTest::newRow("exponent of the smallest double")
        << "0.00E+00" << limits::denorm_min() << "4,94E-324";
    QTest::newRow("percent of the smallest double") << "0.00%" << limits::denorm_min() << "0,00%";
    QTest::newRow("thousands scaling of 1E-300") << "#,##0,," << 1e-300 << "0";
    QTest::newRow("fraction of 1E308") << "# ?/?" << 1e308 << "1E+308";
    QTest::newRow("date of 1E308") << "dd.mm.yyyy" << 1e308 << "1E+308";
    QTest::newRow("elapsed hours of 1E308") << "[h]:mm:ss" << 1e308 << "1E+308";
    QTest::newRow("date of -1E308") << "dd.mm.yyyy" << -1e308 << "-1E+308";
    QTest::newRow("infinity") << "General" << limits::infinity() << nan;
    QTest::newRow("infinity, percent") << "0%" << limits::infinity() << nan;
    QTest::newRow("minus infinity, exponent") << "0.00E+00" << -limits::infinity() << nan;
    QTest::newRow("not a number, date") << "dd.mm.yyyy" << limits::quiet_NaN() << nan;
    QTest::newRow("not a number, grouping") << "#,##0.00" << limits::quiet_NaN() << nan;
}

void CellDisplayTest::extremeValues() {
    QFETCH(QString, code);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::fromCode(code).display(value), text);
}

QTEST_GUILESS_MAIN(CellDisplayTest)
#include "CellDisplayTest.moc"
