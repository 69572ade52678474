#pragma once

#include <QString>

// Where the operator publishes its results: the results page (fetched, and the
// base of relative links) and the site address (the base of links that begin
// with "/").
struct ResultsSite {
    QString pageUrl; // as configured; the built-in one ends with "/"
    QString siteUrl; // scheme://host[:port], no trailing slash

    // The operator's results page known to the program.
    static ResultsSite defaults();
    // Derives the site address from a results page address, which is kept as
    // written (only blanks around it are dropped).
    static ResultsSite fromPageUrl(const QString& pageUrl);
};
