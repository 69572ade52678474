#include "net/WebAddress.h"

#include <QTest>

class WebAddressTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fromLinkBytes_data();
    void fromLinkBytes();
    void toRequestBytes_data();
    void toRequestBytes();
    void forDisplay_data();
    void forDisplay();
    void withHttpScheme_data();
    void withHttpScheme();
    void resolve_data();
    void resolve();
};

void WebAddressTest::fromLinkBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII as written")
        << QByteArray("/f/r%2819.06.2024 10:00:00%29.xlsx?a=1&amp;b")
        << QStringLiteral("/f/r%2819.06.2024 10:00:00%29.xlsx?a=1&amp;b");
    QTest::newRow("UTF-8 as characters")
        << QByteArray("/files/\xD0\xA2\xD0\xB8\xD1\x80\xD0\xB0\xD0\xB6\xD0\xB8(26.06.2024).xlsx")
        << QString::fromUtf8("/files/Тиражи(26.06.2024).xlsx");
    QTest::newRow("four-byte sequence")
        << QByteArray("\xF0\x9F\x8E\xB2.xls") << QString::fromUtf8("\xF0\x9F\x8E\xB2.xls");
    QTest::newRow("windows-1251 bytes as escapes")
        << QByteArray("\xD2\xE8\xF0.xls") << QStringLiteral("%D2%E8%F0.xls");
    QTest::newRow("cut sequence at the end") << QByteArray("a\xD0") << QStringLiteral("a%D0");
    QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QStringLiteral("%C0%AF");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QStringLiteral("%ED%A0%80");
    QTest::newRow("beyond U+10FFFF")
        << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("%F4%90%80%80");
    QTest::newRow("right-to-left override stays escaped")
        << QByteArray("a\xE2\x80\xAEx.xls") << QStringLiteral("a%E2%80%AEx.xls");
    QTest::newRow("C1 control stays escaped") << QByteArray("\xC2\x85") << QStringLiteral("%C2%85");
    QTest::newRow("stray continuation before a good one")
        << QByteArray("\x80\xD0\xA2") << QString::fromUtf8("%80Т");
}

void WebAddressTest::fromLinkBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(WebAddress::fromLinkBytes(bytes), text);
    // The request sends the link's own bytes, escaped where a URL needs it.
    QCOMPARE(QByteArray::fromPercentEncoding(WebAddress::toRequestBytes(text)),
             QByteArray::fromPercentEncoding(bytes));
}

void WebAddressTest::toRequestBytes_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("characters as UTF-8 escapes")
        << QString::fromUtf8("/files/Ти(26.06.2024 10:00:00).xlsx")
        << QByteArray("/files/%D0%A2%D0%B8(26.06.2024%2010:00:00).xlsx");
    QTest::newRow("escapes kept, not encoded twice")
        << QStringLiteral("/r%2819%3A00%29%d0%a2.xlsx?a=%2F")
        << QByteArray("/r%2819%3A00%29%d0%a2.xlsx?a=%2F");
    QTest::newRow("stray percent") << QStringLiteral("/a%zz%4") << QByteArray("/a%25zz%254");
    QTest::newRow("characters a URL may not hold")
        << QStringLiteral("/a\"<>\\^`{|}\t\x7F")
        << QByteArray("/a%22%3C%3E%5C%5E%60%7B%7C%7D%09%7F");
    QTest::newRow("delimiters kept") << QStringLiteral("http://u@h:1/a;b=c/d?e=f&g=h#i[j]")
                                     << QByteArray("http://u@h:1/a;b=c/d?e=f&g=h#i[j]");
}

void WebAddressTest::toRequestBytes() {
    QFETCH(QString, address);
    QFETCH(QByteArray, bytes);
    QCOMPARE(WebAddress::toRequestBytes(address), bytes);
}

void WebAddressTest::forDisplay_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("shown");
    QTest::newRow("characters stay") << QString::fromUtf8("http://h/Тиражи(1 2).xlsx")
                                     << QString::fromUtf8("http://h/Тиражи(1 2).xlsx");
    QTest::newRow("escaped UTF-8 shown as characters")
        << QStringLiteral("http://h/%D0%A2%d0%b8%2820%3A00%29.xlsx")
        << QString::fromUtf8("http://h/Ти%2820%3A00%29.xlsx");
    QTest::newRow("escapes of other bytes stay")
        << QStringLiteral("http://h/%D2%E8%D0%A2%D0") << QString::fromUtf8("http://h/%D2%E8Т%D0");
    QTest::newRow("format characters stay escaped")
        << QStringLiteral("%E2%80%AE%D0%A2") << QString::fromUtf8("%E2%80%AEТ");
    QTest::newRow("broken escapes stay") << QStringLiteral("%D0%A%") << QStringLiteral("%D0%A%");
}

void WebAddressTest::forDisplay() {
    QFETCH(QString, address);
    QFETCH(QString, shown);
    QCOMPARE(WebAddress::forDisplay(address), shown);
}

void WebAddressTest::withHttpScheme_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("full");
    QTest::newRow("https") << QStringLiteral("HTTPS://h/x") << QStringLiteral("HTTPS://h/x");
    QTest::newRow("host and port")
        << QStringLiteral("h.example:8080/x") << QStringLiteral("http://h.example:8080/x");
    QTest::newRow("address in the query")
        << QStringLiteral("h/go?to=http://x") << QStringLiteral("http://h/go?to=http://x");
    QTest::newRow("other scheme kept")
        << QStringLiteral("ftp://h/x") << QStringLiteral("ftp://h/x");
}

void WebAddressTest::withHttpScheme() {
    QFETCH(QString, address);
    QFETCH(QString, full);
    QCOMPARE(WebAddress::withHttpScheme(address), full);
}

void WebAddressTest::resolve_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("resolved");
    // Against the base "http://a/b/c/d;p?q": the examples of RFC 3986, 5.4.
    const char* const examples[][2] = {
        {"g:h", "g:h"},
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q#s"},
        {"g#s", "http://a/b/c/g#s"},
        {"g?y#s", "http://a/b/c/g?y#s"},
        {";x", "http://a/b/c/;x"},
        {"g;x?y#s", "http://a/b/c/g;x?y#s"},
        {"", "http://a/b/c/d;p?q"},
        {".", "http://a/b/c/"},
        {"./", "http://a/b/c/"},
        {"..", "http://a/b/"},
        {"../g", "http://a/b/g"},
        {"../..", "http://a/"},
        {"../../g", "http://a/g"},
        {"../../../g", "http://a/g"},
        {"/./g", "http://a/g"},
        {"/../g", "http://a/g"},
        {"g.", "http://a/b/c/g."},
        {"..g", "http://a/b/c/..g"},
        {"./../g", "http://a/b/g"},
        {"./g/.", "http://a/b/c/g/"},
        {"g/./h", "http://a/b/c/g/h"},
        {"g/../h", "http://a/b/c/h"},
        {"g;x=1/../y", "http://a/b/c/y"},
        {"g?y/../x", "http://a/b/c/g?y/../x"},
        {"g#s/../x", "http://a/b/c/g#s/../x"},
        {"http:g", "http:g"},
        // Not a scheme: the colon follows characters no scheme may hold.
        {"r(19.06.2024 10:00:00).xlsx", "http://a/b/c/r(19.06.2024 10:00:00).xlsx"},
        {"1x:y.xlsx", "http://a/b/c/1x:y.xlsx"},
    };
    for (const auto& example : examples)
        QTest::newRow(*example[0] ? example[0] : "empty reference")
            << QString::fromLatin1(example[0]) << QString::fromLatin1(example[1]);
}

void WebAddressTest::resolve() {
    QFETCH(QString, reference);
    QFETCH(QString, resolved);
    QCOMPARE(WebAddress::resolve(QStringLiteral("http://a/b/c/d;p?q"), reference), resolved);
}

QTEST_GUILESS_MAIN(WebAddressTest)
#include "WebAddressTest.moc"
