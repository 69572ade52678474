#pragma once

#include <QString>

// Where the operator publishes its results: the results page (fetched as
// written, and the base that the page's links are resolved against) and the
// site address (named in the message that announces the request).
struct ResultsSite {
    QString pageUrl; // as configured; the built-in one ends with "/"
    QString siteUrl; // scheme://host[:port], no trailing slash

    // The operator's results page known to the program.
    static ResultsSite defaults();
    // Derives the site address from a results page address, which is kept as
    // written (only blanks around it are dropped).
    static ResultsSite fromPageUrl(const QString& pageUrl);
};
