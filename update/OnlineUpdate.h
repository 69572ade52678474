#pragma once

#include "update/DrawImport.h"

#include <QString>
#include <functional>

class Connection;
class ResultsSite;

// The online update, the same for the window («Обновить онлайн», a workbook
// dropped on it) and for numeron-cli: find the newest workbook link on the
// results page, download it, import the draws the table lacks. The callers
// only show what happens.
namespace OnlineUpdate {

struct Download {
    QString workbookUrl; // empty when the page gave no stamped workbook link
    bool arrived = false;
    // Why it did not arrive, in words for the user (the network library's own
    // text in brackets where it has one); empty when it arrived.
    QString failure;
};

// Finds the newest stamped workbook on the site and downloads it into file.
// Only this run's download counts: a file left there by an earlier run is
// removed first, and an error page is no workbook.
Download downloadNewestWorkbook(const ResultsSite& site, const QString& file);

// Whether the address names a CSV file over http(s) (its path ends in
// ".csv", in any letter case): a draw history to download and import as it
// is, rather than a results page to find a workbook on.
bool isCsvAddress(const QString& address);

// Downloads the CSV history at address into file, with the limits of a
// workbook download (see DownloadToFile). workbookUrl is the address then.
Download downloadCsv(const QString& address, const QString& file);

// Runs a step that may take seconds (the window keeps painting meanwhile).
using Runner = std::function<void(const std::function<void()>& step)>;

// Reads the workbook at path (through runReading, when given) and imports its
// rows as DrawImport::importRows does, writing each new draw through write.
// counts grows row by row, so it tells how far a failed import came. Throws
// the reader's AppError for a workbook that cannot be read, and what
// importRows throws.
void importWorkbook(const QString& path, Connection& connection,
                    const DrawImport::DrawWriter& write, int& foundDrawNo,
                    DrawImport::ImportCounts& counts,
                    const std::function<void(int percent)>& afterRow,
                    const Runner& runReading = {});

} // namespace OnlineUpdate
