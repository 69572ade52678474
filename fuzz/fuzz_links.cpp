// libFuzzer target for the results page's link scan: the input is a results
// page. Every workbook link found is stamped, resolved against a page address
// and turned into request bytes and a display text; the page as a whole also
// goes through the decoder, the stamp parser and the resolver. Besides the
// sanitizers, the target checks that a link's request bytes are a clean URL
// that carries the link's own bytes.
#include "net/HttpTransfer.h"
#include "net/ResultsSite.h"
#include "net/ResultsSiteUtils.h"
#include "net/WebAddress.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int hexValue(char c) {
    return WebAddress::hexDigitValue(uchar(c));
}

// Decodes the well-formed %XX escapes only; everything else stays.
QByteArray decodeEscapes(const QByteArray& text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == '%' && i + 2 < text.size() && hexValue(text.at(i + 1)) >= 0 &&
            hexValue(text.at(i + 2)) >= 0) {
            out.append(char(hexValue(text.at(i + 1)) * 16 + hexValue(text.at(i + 2))));
            i += 2;
        } else {
            out.append(text.at(i));
        }
    }
    return out;
}

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

// Request bytes are printable ASCII without blanks, and every '%' begins an escape.
void checkRequestBytes(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = uchar(bytes.at(i));
        require(c > 0x20 && c < 0x7F, "request bytes are printable ASCII");
        if (c == '%')
            require(i + 2 < bytes.size() && hexValue(bytes.at(i + 1)) >= 0 &&
                        hexValue(bytes.at(i + 2)) >= 0,
                    "every '%' of the request bytes begins an escape");
    }
}

const ResultsSite& site() {
    static const ResultsSite pageWithQuery =
        ResultsSite::fromPageUrl(QStringLiteral("https://ops.example:8443/results/page.html?g=6"));
    return pageWithQuery;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray page =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    QList<TFileInfo> links;
    CollectWorkbookLinks(page, &links);
    for (const TFileInfo& link : links) {
        const QString absolute = MakeAbsoluteUrl(link.Url, site());
        const QByteArray request = WebAddress::toRequestBytes(absolute);
        checkRequestBytes(request);
        // The link's own bytes are what is requested.
        const QByteArray linkBytes = WebAddress::toRequestBytes(link.Url);
        checkRequestBytes(linkBytes);
        WebAddress::forDisplay(absolute);
        HttpTransfer::urlFromAddress(absolute);
    }

    // The whole page as one link and as a page address.
    const QString text = WebAddress::fromLinkBytes(page);
    require(decodeEscapes(WebAddress::toRequestBytes(text)) == decodeEscapes(page),
            "the request carries the link's own bytes");
    double dateTime = -1;
    if (!ParseLinkDate(page, dateTime))
        require(dateTime == 0, "no stamp, no moment");
    UrlDecode(page);
    WebAddress::forDisplay(text);
    WebAddress::resolve(text, QStringLiteral("../r(19.06.2024 10:00:00).xlsx"));
    WebAddress::resolve(QStringLiteral("http://a/b/c/d;p?q"), text);
    return 0;
}
