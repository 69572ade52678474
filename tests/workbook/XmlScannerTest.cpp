#include "workbook/xlsx/XmlScanner.h"

#include <QTest>

// The XML scanner, reading a document whole and in chunks of every size that
// can split a tag, a reference or a comment: all must read alike.
class XmlScannerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reads_data();
    void reads();
    void decodesAttributeValues_data();
    void decodesAttributeValues();
};

namespace {

// What the scanner sees: "<name r=…" for start tags (with the r attribute
// when present), "<name/" for empty ones, "</name" for end tags; the texts of
// v and t elements as "=text".
QStringList trace(XmlScanner& xml) {
    QStringList seen;
    while (xml.next()) {
        const QString name = QString::fromUtf8(xml.name());
        if (xml.isEnd()) {
            seen.append(QLatin1String("</") + name);
            continue;
        }
        QString tag = QLatin1Char('<') + name;
        const QByteArrayView r = xml.attribute("r");
        if (!r.isNull())
            tag += QLatin1String(" r=") + QString::fromUtf8(r);
        if (xml.isEmptyElement())
            tag += QLatin1Char('/');
        seen.append(tag);
        if (!xml.isEmptyElement() && (name == QLatin1String("v") || name == QLatin1String("t")))
            seen.append(QLatin1Char('=') + QString::fromUtf8(xml.readElementText()));
    }
    return seen;
}

QStringList texts(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

QStringList traceInChunks(const QByteArray& document, qsizetype chunk) {
    qsizetype at = 0;
    XmlScanner xml([&](char* buffer, qsizetype capacity) {
        const qsizetype n = qMin(qMin(chunk, capacity), document.size() - at);
        memcpy(buffer, document.constData() + at, size_t(n));
        at += n;
        return n;
    });
    return trace(xml);
}

} // namespace

void XmlScannerTest::reads_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("expected");
    const QByteArray longName(40, 'a');
    QTest::newRow("references") << QByteArray("<v>a &amp; b &lt;c&gt; &#65;&#x42;&quot;&apos;</v>")
                                << texts({"<v", "=a & b <c> AB\"'"});
    QTest::newRow("unknown and broken references") << QByteArray("<v>&unknown; & &#; &;x &amp</v>")
                                                   << texts({"<v", "=&unknown; & &#; &;x &amp"});
    QTest::newRow("reference too long to look for")
        << "<v>&" + longName + ";</v>"
        << QStringList{QStringLiteral("<v"),
                       QStringLiteral("=&") + QString::fromLatin1(longName) + u';'};
    QTest::newRow("cdata") << QByteArray("<v>a<![CDATA[<b>&amp;]]>c</v>")
                           << texts({"<v", "=a<b>&amp;c"});
    QTest::newRow("comment inside a text")
        << QByteArray("<v>a<!-- <x> -->b</v>") << texts({"<v", "=ab"});
    QTest::newRow("child elements")
        << QByteArray("<v>a<x>b<y/></x>c</v><w/>") << texts({"<v", "=abc", "<w/"});
    QTest::newRow("declaration, document type, comment")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE r><r><!-- <v>no</v> --><v>2</v></r>")
        << texts({"<r", "<v", "=2", "</r"});
    QTest::newRow("opener is no closed comment")
        << QByteArray("<r><!-->x--><v>1</v></r>") << texts({"<r", "<v", "=1", "</r"});
    QTest::newRow("quoted brackets in attributes")
        << QByteArray("<c r=\"A>1\" t='s'/><c r='B/2'>") << texts({"<c r=A>1/", "<c r=B/2"});
    QTest::newRow("prefixes") << QByteArray("<x:row x:r=\"5\"></x:row>")
                              << texts({"<row r=5", "</row"});
    QTest::newRow("unclosed text") << QByteArray("<v>abc") << texts({"<v", "=abc"});
    QTest::newRow("unclosed reference") << QByteArray("<v>ab&am") << texts({"<v", "=ab&am"});
    QTest::newRow("unclosed tag") << QByteArray("<a><c r=\"A") << texts({"<a", "<c r=A"});
    QTest::newRow("unclosed comment") << QByteArray("<a><!-- <b>") << texts({"<a"});
    QTest::newRow("unclosed cdata") << QByteArray("<v><![CDATA[x<y>") << texts({"<v", "=x<y>"});
    QTest::newRow("lone bracket at the end") << QByteArray("<a>x<") << texts({"<a", "<"});
    QTest::newRow("no markup") << QByteArray("just & text") << texts({});
}

void XmlScannerTest::reads() {
    QFETCH(QByteArray, document);
    QFETCH(QStringList, expected);
    XmlScanner whole(document);
    QCOMPARE(trace(whole), expected);
    for (const qsizetype chunk : {1, 2, 3, 5, 8, 13}) {
        const QStringList seen = traceInChunks(document, chunk);
        QVERIFY2(
            seen == expected,
            qPrintable(
                QStringLiteral("in chunks of %1: %2").arg(chunk).arg(seen.join(QLatin1Char('|')))));
    }
}

void XmlScannerTest::decodesAttributeValues_data() {
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("text");
    QTest::newRow("format code") << QByteArray("#,##0&quot; руб.&quot;")
                                 << QStringLiteral("#,##0\" руб.\"");
    QTest::newRow("target") << QByteArray("a&amp;b.xml") << QStringLiteral("a&b.xml");
    QTest::newRow("plain") << QByteArray("rId1") << QStringLiteral("rId1");
    QTest::newRow("unfinished") << QByteArray("x&amp") << QStringLiteral("x&amp");
}

void XmlScannerTest::decodesAttributeValues() {
    QFETCH(QByteArray, raw);
    QFETCH(QString, text);
    QCOMPARE(QString::fromUtf8(XmlScanner::decoded(raw)), text);
}

QTEST_GUILESS_MAIN(XmlScannerTest)
#include "XmlScannerTest.moc"
