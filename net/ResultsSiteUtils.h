#pragma once

#include "net/ResultsSite.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Finding the newest results workbook on the operator's results page. Every
// function reports trouble through its result and never throws.

// One workbook link of the results page.
struct TFileInfo {
    QString Url;     // the link as written between the quote marks (see WebAddress::fromLinkBytes)
    double Date = 0; // the link's stamp as days since 30.12.1899 (time as fraction); 0 if none
};

// The absolute address of the workbook link with the latest stamp on the
// results page; among equal stamps the first in the page. Empty when the page
// cannot be fetched or holds no stamped workbook link.
QString FindNewestWorkbookUrl(const ResultsSite& site = ResultsSite::defaults());

// The same choice over a page already fetched; linkCount, when given,
// receives the number of workbook links of the page, stamped or not.
QString NewestWorkbookUrlInPage(const QByteArray& page, const ResultsSite& site,
                                int* linkCount = nullptr);

// Fetches an address with one GET; the body is the answer's raw bytes whatever
// its HTTP status. True when a non-empty body arrived; otherwise the body is
// empty. A page beyond HttpTransfer::Limits::maxPageBytes is refused.
bool HttpGetText(const QString& address, QByteArray& body);

// Appends every link written as href="..." whose text contains ".xls" (any
// letter case) to the list, in page order. Does nothing without a list. One
// pass over the page: the work is linear in its size.
void CollectWorkbookLinks(const QByteArray& page, QList<TFileInfo>* list);

// Reads the stamp "(dd.mm.yyyy hh:mm:ss)" from the percent-decoded link. False,
// with dateTime 0, when there is no bracketed stamp or it is not a real moment.
bool ParseLinkDate(const QByteArray& link, double& dateTime);

// Decodes %XX escapes (one byte each) and "+" as a blank. A "%" followed by two
// non-hex characters yields "%" and drops them; a "%" near the end stays as is.
QByteArray UrlDecode(const QByteArray& text);

// Resolves a link of the results page to an absolute address by the usual URL
// rules, against the results page address as configured (see
// WebAddress::resolve). A link with a scheme of its own is returned unchanged.
QString MakeAbsoluteUrl(const QString& link, const ResultsSite& site = ResultsSite::defaults());
