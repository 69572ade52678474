#include "net/ResultsSiteUtils.h"

#include "net/HttpTransfer.h"
#include "net/WebAddress.h"

#include <QDate>
#include <QTime>

namespace {

// The stamp field at 1-based position `from`, `length` characters long (shorter
// at the end of the text). -1 unless it is a non-empty run of decimal digits.
int stampField(const QByteArray& stamp, int from, int length) {
    const QByteArray piece = stamp.mid(from - 1, length);
    if (piece.isEmpty())
        return -1;
    int value = 0;
    for (const char c : piece) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

QString FindNewestWorkbookUrl(const ResultsSite& site) {
    QByteArray page;
    if (!HttpGetText(site.pageUrl, page))
        return QString();
    return NewestWorkbookUrlInPage(page, site);
}

QString NewestWorkbookUrlInPage(const QByteArray& page, const ResultsSite& site, int* linkCount) {
    QList<TFileInfo> candidates;
    CollectWorkbookLinks(page, &candidates);
    if (linkCount)
        *linkCount = int(candidates.size());

    const TFileInfo* best = nullptr;
    double bestDate = 0;
    for (const TFileInfo& candidate : candidates) {
        if (candidate.Date > bestDate) {
            bestDate = candidate.Date;
            best = &candidate;
        }
    }
    return best ? MakeAbsoluteUrl(best->Url, site) : QString();
}

bool HttpGetText(const QString& address, QByteArray& body) {
    body.clear();
    try {
        // An error page is an answer too; a transfer stopped by a limit (a
        // silent server, an endless or oversized page) leaves the body empty.
        body = HttpTransfer::get(address).body;
        return !body.isEmpty();
    } catch (...) {
        body.clear();
        return false;
    }
}

void CollectWorkbookLinks(const QByteArray& page, QList<TFileInfo>* list) {
    if (!list)
        return;
    static const QByteArray opening("href=\"");
    qsizetype position = 0;
    while (position < page.size()) {
        const qsizetype start = page.indexOf(opening, position);
        if (start < 0)
            return;
        const qsizetype linkStart = start + opening.size();
        const qsizetype end = page.indexOf('"', linkStart);
        if (end < 0)
            return; // no later link could be closed either
        const QByteArray link = page.mid(linkStart, end - linkStart);
        if (link.toLower().contains(".xls")) {
            TFileInfo info;
            info.Url = WebAddress::fromLinkBytes(link);
            ParseLinkDate(link, info.Date);
            list->append(info);
        }
        position = end + 1;
    }
}

bool ParseLinkDate(const QByteArray& link, double& dateTime) {
    dateTime = 0;
    const QByteArray decoded = UrlDecode(link);
    const qsizetype open = decoded.indexOf('(');
    const qsizetype close = decoded.indexOf(')');
    if (open < 0 || close < 0 || open > close)
        return false;
    const QByteArray stamp = decoded.mid(open + 1, close - open - 1);

    const int day = stampField(stamp, 1, 2);
    const int month = stampField(stamp, 4, 2);
    const int year = stampField(stamp, 7, 4);
    const int hour = stampField(stamp, 12, 2);
    const int minute = stampField(stamp, 15, 2);
    const int second = stampField(stamp, 18, 2);
    if (day < 0 || month < 0 || year < 0 || hour < 0 || minute < 0 || second < 0)
        return false;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return false;

    static const QDate zeroDay(1899, 12, 30);
    dateTime = double(zeroDay.daysTo(date)) + time.msecsSinceStartOfDay() / 86400000.0;
    return true;
}

QByteArray UrlDecode(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const char c = text.at(i);
        if (c == '%' && i + 2 < text.size()) {
            // Two characters that are no hex digits are dropped with it.
            const int byte = WebAddress::escapedByte(text, i);
            out.append(byte >= 0 ? char(byte) : '%');
            i += 3;
            continue;
        }
        out.append(c == '+' ? ' ' : c);
        ++i;
    }
    return out;
}

QString MakeAbsoluteUrl(const QString& link, const ResultsSite& site) {
    return WebAddress::resolve(WebAddress::withHttpScheme(site.pageUrl), link);
}
