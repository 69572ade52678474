#pragma once

#include <QString>

// SQL texts that several callers share.
namespace SqlTexts {

// Every stored draw, newest draw number first: the standard draw list, the
// window's first view and the import's target.
inline QString drawList() {
    return QStringLiteral("SELECT * FROM razyg order by tir desc");
}

} // namespace SqlTexts
