#include "net/ResultsSiteUtils.h"

#include <QDate>
#include <QTest>

namespace {

double dayNumber(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return QDate(1899, 12, 30).daysTo(QDate(year, month, day)) +
           (hour * 3600 + minute * 60 + second) / 86400.0;
}

} // namespace

class LinkParsingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void urlDecode_data();
    void urlDecode();
    void parseLinkDate_data();
    void parseLinkDate();
    void collectWorkbookLinks_data();
    void collectWorkbookLinks();
    void collectWithoutList();
    void makeAbsoluteUrl_data();
    void makeAbsoluteUrl();
    void siteFromPageUrl_data();
    void siteFromPageUrl();
};

void LinkParsingTest::urlDecode_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("decoded");
    QTest::newRow("plus is a blank") << QByteArray("a+b") << QByteArray("a b");
    QTest::newRow("escape") << QByteArray("%41") << QByteArray("A");
    QTest::newRow("lower-case hex") << QByteArray("%2f%2F") << QByteArray("//");
    QTest::newRow("bad escape drops two") << QByteArray("%zz1") << QByteArray("%1");
    QTest::newRow("half-bad escape") << QByteArray("%4z!") << QByteArray("%!");
    QTest::newRow("trailing short escape") << QByteArray("x%4") << QByteArray("x%4");
    QTest::newRow("trailing percent") << QByteArray("x%") << QByteArray("x%");
    QTest::newRow("high byte, no UTF-8 assembly") << QByteArray("%D0%A2") << QByteArray("\xD0\xA2");
    QTest::newRow("escaped percent not decoded twice") << QByteArray("%2541") << QByteArray("%41");
    QTest::newRow("plain") << QByteArray("r.xlsx") << QByteArray("r.xlsx");
}

void LinkParsingTest::urlDecode() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, decoded);
    QCOMPARE(UrlDecode(text), decoded);
}

void LinkParsingTest::parseLinkDate_data() {
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<double>("dateTime");
    const double june19 = dayNumber(2024, 6, 19, 10, 0, 0);
    QTest::newRow("plain stamp") << QByteArray("/f/lotto (19.06.2024 10:00:00).xlsx") << true
                                 << june19;
    QTest::newRow("escaped stamp")
        << QByteArray("/f/lotto%2819.06.2024%2010%3A00%3A00%29.xlsx") << true << june19;
    QTest::newRow("plus as blank") << QByteArray("lotto(18.06.2024+23:59:59).xls") << true
                                   << dayNumber(2024, 6, 18, 23, 59, 59);
    QTest::newRow("any separators")
        << QByteArray("(01-02-2023T04-05-06)") << true << dayNumber(2023, 2, 1, 4, 5, 6);
    QTest::newRow("first pair of brackets")
        << QByteArray("(01.01.2020 00:00:01)(x).xlsx") << true << dayNumber(2020, 1, 1, 0, 0, 1);
    QTest::newRow("no brackets") << QByteArray("lotto 19.06.2024 10:00:00.xlsx") << false << 0.0;
    QTest::newRow("no closing bracket")
        << QByteArray("lotto(19.06.2024 10:00:00.xlsx") << false << 0.0;
    QTest::newRow("closing before opening")
        << QByteArray("a)b(19.06.2024 10:00:00).xlsx") << false << 0.0;
    QTest::newRow("month 13") << QByteArray("(19.13.2024 10:00:00)") << false << 0.0;
    QTest::newRow("day 31 of June") << QByteArray("(31.06.2024 10:00:00)") << false << 0.0;
    QTest::newRow("hour 24") << QByteArray("(19.06.2024 24:00:00)") << false << 0.0;
    QTest::newRow("letters in the year") << QByteArray("(19.06.20x4 10:00:00)") << false << 0.0;
    QTest::newRow("sign in a field") << QByteArray("(+9.06.2024 10:00:00)") << false << 0.0;
    QTest::newRow("date without time") << QByteArray("(19.06.2024).xlsx") << false << 0.0;
    QTest::newRow("empty brackets") << QByteArray("().xlsx") << false << 0.0;
}

void LinkParsingTest::parseLinkDate() {
    QFETCH(QByteArray, link);
    QFETCH(bool, parsed);
    QFETCH(double, dateTime);
    double result = -1;
    QCOMPARE(ParseLinkDate(link, result), parsed);
    QVERIFY2(qAbs(result - dateTime) < 1e-9, qPrintable(QString::number(result, 'f', 9)));
}

void LinkParsingTest::collectWorkbookLinks_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QStringList>("urls");
    QTest::addColumn<QList<double>>("dates");
    const double stamp = dayNumber(2024, 6, 19, 10, 0, 0);
    QTest::newRow("capital extension")
        << QByteArray("<a href=\"/f/R(19.06.2024 10:00:00).XLSX\">x</a>")
        << QStringList{QStringLiteral("/f/R(19.06.2024 10:00:00).XLSX")} << QList<double>{stamp};
    QTest::newRow(".xls anywhere")
        << QByteArray("<a href=\"results.xls.zip\">")
        << QStringList{QStringLiteral("results.xls.zip")} << QList<double>{0};
    QTest::newRow("other links skipped")
        << QByteArray("<a href=\"/\">home</a><a href=\"a.pdf\"></a><a href=\"b.xls\"></a>")
        << QStringList{QStringLiteral("b.xls")} << QList<double>{0};
    QTest::newRow("unclosed link ends the scan")
        << QByteArray("<a href=\"a.xlsx\"></a><a href=\"b.xlsx></a> c.xlsx")
        << QStringList{QStringLiteral("a.xlsx")} << QList<double>{0};
    QTest::newRow("empty link") << QByteArray("<a href=\"\">x</a><a href=\"k.xls\">")
                                << QStringList{QStringLiteral("k.xls")} << QList<double>{0};
    QTest::newRow("upper-case HREF not recognised")
        << QByteArray("<a HREF=\"a.xlsx\"></a><a href='b.xlsx'></a><a href = \"c.xlsx\"></a>")
        << QStringList() << QList<double>();
    QTest::newRow("no entity or percent decoding")
        << QByteArray("<a href=\"f?a=1&amp;n=%28x%29.xlsx\">")
        << QStringList{QStringLiteral("f?a=1&amp;n=%28x%29.xlsx")} << QList<double>{0};
    QTest::newRow("UTF-8 link read as its characters")
        << QByteArray("<a href=\"/f/\xD0\xA2\xD0\xB8(26.06.2024 10:00:00).xlsx\">")
        << QStringList{QString::fromUtf8("/f/Ти(26.06.2024 10:00:00).xlsx")}
        << QList<double>{dayNumber(2024, 6, 26, 10, 0, 0)};
    QTest::newRow("other bytes as escapes")
        << QByteArray("<a href=\"\xD2\xE8(26.06.2024 10:00:00).xls\">")
        << QStringList{QStringLiteral("%D2%E8(26.06.2024 10:00:00).xls")}
        << QList<double>{dayNumber(2024, 6, 26, 10, 0, 0)};
    QTest::newRow("page order kept")
        << QByteArray("href=\"2.xls\" href=\"1(19.06.2024 10:00:00).xls\"")
        << QStringList{QStringLiteral("2.xls"), QStringLiteral("1(19.06.2024 10:00:00).xls")}
        << QList<double>{0, stamp};
}

void LinkParsingTest::collectWorkbookLinks() {
    QFETCH(QByteArray, page);
    QFETCH(QStringList, urls);
    QFETCH(QList<double>, dates);
    QList<TFileInfo> list{TFileInfo{QStringLiteral("earlier"), 5}};
    CollectWorkbookLinks(page, &list);
    QCOMPARE(list.size(), urls.size() + 1);
    QCOMPARE(list.first().Url, QStringLiteral("earlier"));
    for (int i = 0; i < urls.size(); ++i) {
        QCOMPARE(list.at(i + 1).Url, urls.at(i));
        QVERIFY(qAbs(list.at(i + 1).Date - dates.at(i)) < 1e-9);
    }
}

void LinkParsingTest::collectWithoutList() {
    CollectWorkbookLinks(QByteArray("href=\"a.xlsx\""), nullptr);
}

void LinkParsingTest::makeAbsoluteUrl_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("absolute");
    const QString folder = QStringLiteral("https://ops.example:8443/results/lotto/");
    QTest::newRow("site-rooted") << folder << QStringLiteral("/upload/r.xlsx")
                                 << QStringLiteral("https://ops.example:8443/upload/r.xlsx");
    QTest::newRow("relative") << folder << QStringLiteral("files/r.xlsx")
                              << QStringLiteral(
                                     "https://ops.example:8443/results/lotto/files/r.xlsx");
    QTest::newRow("HTTP in capitals") << folder << QStringLiteral("HTTP://Other.example/R.xlsx")
                                      << QStringLiteral("HTTP://Other.example/R.xlsx");
    QTest::newRow("https") << folder << QStringLiteral("https://cdn.example/r.xlsx")
                           << QStringLiteral("https://cdn.example/r.xlsx");
    QTest::newRow("scheme-relative") << folder << QStringLiteral("//cdn.example/r.xlsx")
                                     << QStringLiteral("https://cdn.example/r.xlsx");
    QTest::newRow("file named like a scheme")
        << folder << QStringLiteral("httpresults.xlsx")
        << QStringLiteral("https://ops.example:8443/results/lotto/httpresults.xlsx");
    QTest::newRow("non-ASCII kept as characters")
        << folder << QString::fromUtf8("Тиражи(26.06.2024 10:00:00).xlsx")
        << QString::fromUtf8(
               "https://ops.example:8443/results/lotto/Тиражи(26.06.2024 10:00:00).xlsx");
    QTest::newRow("page with a file name")
        << QStringLiteral("http://h.example/results/page.html") << QStringLiteral("files/r.xlsx")
        << QStringLiteral("http://h.example/results/files/r.xlsx");
    QTest::newRow("page with a query")
        << QStringLiteral("http://h.example/results?game=6x49") << QStringLiteral("r.xlsx")
        << QStringLiteral("http://h.example/r.xlsx");
    QTest::newRow("up a folder") << folder << QStringLiteral("../r.xlsx")
                                 << QStringLiteral("https://ops.example:8443/results/r.xlsx");
    QTest::newRow("query of its own")
        << QStringLiteral("http://h.example/results/page.html?x=1") << QStringLiteral("?f=r.xlsx")
        << QStringLiteral("http://h.example/results/page.html?f=r.xlsx");
    QTest::newRow("page without a scheme")
        << QStringLiteral("h.example:81/r/") << QStringLiteral("a.xlsx")
        << QStringLiteral("http://h.example:81/r/a.xlsx");
    QTest::newRow("page without a path")
        << QStringLiteral("https://h.example") << QStringLiteral("a.xlsx")
        << QStringLiteral("https://h.example/a.xlsx");
}

void LinkParsingTest::makeAbsoluteUrl() {
    QFETCH(QString, page);
    QFETCH(QString, link);
    QFETCH(QString, absolute);
    QCOMPARE(MakeAbsoluteUrl(link, ResultsSite::fromPageUrl(page)), absolute);
}

void LinkParsingTest::siteFromPageUrl_data() {
    QTest::addColumn<QString>("pageUrl");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("site");
    QTest::newRow("defaults") << QString()
                              << QStringLiteral("https://lottery-operator.example/game_results/"
                                                "game_results_lotto_big/")
                              << QStringLiteral("https://lottery-operator.example");
    QTest::newRow("kept as written") << QStringLiteral(" http://h.example/a/page.html?game=6x49 ")
                                     << QStringLiteral("http://h.example/a/page.html?game=6x49")
                                     << QStringLiteral("http://h.example");
    QTest::newRow("port kept") << QStringLiteral("http://127.0.0.1:8080/p/")
                               << QStringLiteral("http://127.0.0.1:8080/p/")
                               << QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("no scheme is http")
        << QStringLiteral("h.example:81/r/") << QStringLiteral("h.example:81/r/")
        << QStringLiteral("http://h.example:81");
    QTest::newRow("scheme in capitals")
        << QStringLiteral("HTTPS://H.example/r/") << QStringLiteral("HTTPS://H.example/r/")
        << QStringLiteral("https://h.example");
    QTest::newRow("host only") << QStringLiteral("https://h.example")
                               << QStringLiteral("https://h.example")
                               << QStringLiteral("https://h.example");
}

void LinkParsingTest::siteFromPageUrl() {
    QFETCH(QString, pageUrl);
    QFETCH(QString, page);
    QFETCH(QString, site);
    const ResultsSite result =
        pageUrl.isNull() ? ResultsSite::defaults() : ResultsSite::fromPageUrl(pageUrl);
    QCOMPARE(result.pageUrl, page);
    QCOMPARE(result.siteUrl, site);
}

QTEST_GUILESS_MAIN(LinkParsingTest)
#include "LinkParsingTest.moc"
