// The results page's link scan on synthetic pages of 2 MiB and 16 MiB (the
// largest page the program accepts): its time must grow in proportion to the
// page. The 2 MiB scan is the reference. Run by bench/run_link_scan_benchmark.sh.
#include "net/ResultsSite.h"
#include "net/ResultsSiteUtils.h"
#include "net/WebAddress.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

// A synthetic page: the piece repeated up to the size.
QByteArray repeated(const QByteArray& piece, qsizetype size) {
    QByteArray page;
    page.reserve(size + piece.size());
    while (page.size() < size)
        page += piece;
    return page;
}

struct Shape {
    const char* name;
    std::function<QByteArray(qsizetype)> make;
};

std::vector<Shape> shapes() {
    return {
        {"ordinary page",
         [](qsizetype size) -> QByteArray {
             return repeated("<li><a href=\"/news/item.html\">Новости</a> "
                             "<a href=\"/upload/lotto(19.06.2024 10:00:00).xlsx\">Тираж</a></li>\n",
                             size);
         }},
        {"escaped workbook links",
         [](qsizetype size) -> QByteArray {
             return repeated("<a href=\"/f/%D0%A2%2819.06.2024%2010%3A00%3A00%29.xlsx\">x</a>",
                             size);
         }},
        {"one huge link",
         [](qsizetype size) -> QByteArray {
             return "href=\"" + repeated("../%\xD0\xA2\xFF(", size) + ".xls\"";
         }},
        {"dot segments in one link",
         [](qsizetype size) -> QByteArray {
             return "href=\"" + repeated("seg/./../", size) + "r.xls\"";
         }},
        {"openings without links",
         [](qsizetype size) -> QByteArray { return repeated("href=\"", size); }},
    };
}

// Everything the program does with a page: the scan, and the resolution and
// request text of every link found.
qsizetype scanPage(const QByteArray& page) {
    static const ResultsSite site =
        ResultsSite::fromPageUrl(QStringLiteral("https://ops.example/results/page.html"));
    QList<TFileInfo> links;
    CollectWorkbookLinks(page, &links);
    qsizetype bytes = 0;
    for (const TFileInfo& link : links)
        bytes += WebAddress::toRequestBytes(MakeAbsoluteUrl(link.Url, site)).size();
    return bytes;
}

// The best of three runs, in milliseconds.
double bestMs(const std::function<qsizetype()>& run) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        volatile qsizetype sink = run();
        (void)sink;
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main() {
    QTextStream out(stdout);
    const qsizetype small = qsizetype(2) << 20;
    const qsizetype large = qsizetype(16) << 20;
    // Per byte the larger page may be somewhat slower (it no longer fits the
    // caches); a scan that rescans from the start would be 8 times slower.
    const double allowedGrowth = 2.0;
    int missed = 0;
    out << "Link scan on synthetic pages of 2 MiB (reference) and 16 MiB, best of three runs.\n"
           "Growth = (time at 16 MiB / time at 2 MiB) / 8; 1 is linear, 8 quadratic.\n\n";
    for (const Shape& shape : shapes()) {
        const QByteArray smallPage = shape.make(small);
        const QByteArray largePage = shape.make(large);
        const double smallMs = bestMs([&] { return scanPage(smallPage); });
        const double largeMs = bestMs([&] { return scanPage(largePage); });
        const double growth = (largeMs / smallMs) / (double(large) / double(small));
        const bool met = growth <= allowedGrowth;
        missed += met ? 0 : 1;
        out << QStringLiteral("%1: %2 ms / %3 ms, growth %4 (goal <= %5) %6\n")
                   .arg(QLatin1String(shape.name))
                   .arg(smallMs, 0, 'f', 1)
                   .arg(largeMs, 0, 'f', 1)
                   .arg(growth, 0, 'f', 2)
                   .arg(allowedGrowth, 0, 'f', 1)
                   .arg(met ? QStringLiteral("met") : QStringLiteral("MISSED"));
    }
    return missed == 0 ? 0 : 1;
}
