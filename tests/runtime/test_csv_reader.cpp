// CSV records: fields as RFC 4180 writes them and as files in the wild do,
// and every limit refusing what is beyond it.

#include "runtime/CsvReader.h"

#include <QBuffer>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestCsvReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void records_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("records"); // fields joined by "|", records by "/", with lines
        QTest::newRow("quotes, CRLF, BOM")
            << QByteArray("\xEF\xBB\xBF"
                          "a,\"b,\"\"c\"\"\"\r\n\r\n\"x\r\ny\",  \"z\"  ,\n")
            << u"1:a|b,\"c\"/3:x\ny|z|"_s;
        QTest::newRow("CR alone, blank lines, quote inside")
            << QByteArray("a\rb\"c\r   \r\rd,") << u"1:a/2:b\"c/5:d|"_s;
        QTest::newRow("line too long") << QByteArray("a,b\n" + QByteArray(33, 'x') + "\nc")
                                       << u"1:a|b/!2:строка длиннее 32 байт"_s;
        QTest::newRow("fields over the limit")
            << QByteArray("1,2,3,4,5\n") << u"!1:больше 4 полей в строке"_s;
        QTest::newRow("file over the limit")
            << QByteArray("a\n" + QByteArray(70, '\n') + "b") << u"!1:файл больше 0 МиБ"_s;
        QTest::newRow("open quote") << QByteArray("a\n\"b\nc") << u"1:a/!2:кавычка не закрыта"_s;
        QTest::newRow("text after a quote")
            << QByteArray("\"a\"b") << u"!1:после закрывающей кавычки идёт «b»"_s;
    }
    void records() {
        QFETCH(QByteArray, text);
        QFETCH(QString, records);
        QBuffer buffer(&text);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        CsvReader reader(buffer, ',', {32, 4, 64});
        QStringList read;
        for (CsvReader::Result r; (r = reader.next()) != CsvReader::Result::End;) {
            if (r == CsvReader::Result::Failed) {
                read.append(u"!%1:%2"_s.arg(reader.line()).arg(reader.error()));
                break;
            }
            QStringList fields;
            for (int i = 0; i < reader.fieldCount(); ++i)
                fields.append(QString::fromUtf8(reader.field(i)));
            read.append(u"%1:%2"_s.arg(reader.line()).arg(fields.join(u'|')));
        }
        const QString got = read.join(u'/');
        QVERIFY2(got.startsWith(records), qPrintable(got));
    }
    void separator() {
        QCOMPARE(CsvReader::guessSeparator("date;b1;\"x,y,z\";b2"), ';');
        QCOMPARE(CsvReader::guessSeparator("date\tb1\tb2,c"), '\t');
        QCOMPARE(CsvReader::guessSeparator("date,b1;b2"), ',');
        QCOMPARE(CsvReader::guessSeparator("date"), ',');
    }
};

QTEST_APPLESS_MAIN(TestCsvReader)
#include "test_csv_reader.moc"
