#include "update/DrawImport.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "dataset/Statement.h"
#include "runtime/Conversions.h"
#include "update/Workbook.h"

#include <QElapsedTimer>
#include <cmath>
#include <utility>

namespace DrawImport {

namespace {

// Converts one cell's text; a failure names the row, the column and the text.
template <typename Convert>
auto convertCell(const Workbook& book, int row, int column, Convert convert) {
    const QString text = book.cellText(row, column);
    try {
        return convert(text);
    } catch (const ImportRowError&) {
        throw;
    } catch (const AppError& e) {
        throw ImportRowError(e.message(), row, column, text);
    }
}

// A chunk of posts ends after this long, so that a killed import loses little.
constexpr qint64 kChunkMilliseconds = 250;

} // namespace

ImportedDraw readDraw(const Workbook& book, int row, int tir) {
    using namespace Conversions;
    const auto integer = [&](int column) { return convertCell(book, row, column, strToInt); };
    const auto amount = [&](int column) {
        return convertCell(book, row, column, strToRoundedAmount);
    };
    ImportedDraw d;
    d.tir = tir;
    d.date = convertCell(book, row, 2, strToDate);
    for (int i = 0; i < 6; ++i)
        d.drawn[static_cast<size_t>(i)] = integer(3 + i);
    d.ch6 = integer(9);
    d.chv6 = amount(10);
    d.ch5 = integer(11);
    d.chv5 = amount(12);
    d.ch4 = integer(13);
    d.chv4 = amount(14);
    d.ch3 = integer(15);
    d.chv3 = amount(16);
    d.djp = amount(17);
    d.pfond = amount(18);
    return d;
}

std::array<int, 6> sortedBalls(std::array<int, 6> balls) {
    for (size_t i = 0; i < 5; ++i) {
        size_t smallest = i;
        for (size_t j = i + 1; j < 6; ++j)
            if (balls[j] < balls[smallest])
                smallest = j;
        std::swap(balls[i], balls[smallest]);
    }
    return balls;
}

int progressPercent(int row, int rowCount) {
    return static_cast<int>(std::trunc(double(row) / double(rowCount) * 100.0));
}

void insertDraw(Query& target, const ImportedDraw& d) {
    static const QString drawnNames[] = {QStringLiteral("ss1"), QStringLiteral("ss2"),
                                         QStringLiteral("ss3"), QStringLiteral("ss4"),
                                         QStringLiteral("ss5"), QStringLiteral("ss6")};
    static const QString sortedNames[] = {QStringLiteral("s1"), QStringLiteral("s2"),
                                          QStringLiteral("s3"), QStringLiteral("s4"),
                                          QStringLiteral("s5"), QStringLiteral("s6")};
    target.append();
    try {
        target.setAsInteger(QStringLiteral("tir"), d.tir);
        for (size_t i = 0; i < 6; ++i)
            target.setAsInteger(drawnNames[i], d.drawn[i]);
        target.setAsInteger(QStringLiteral("ch6"), d.ch6);
        target.setAsInteger(QStringLiteral("chv6"), d.chv6);
        target.setAsInteger(QStringLiteral("ch5"), d.ch5);
        target.setAsInteger(QStringLiteral("chv5"), d.chv5);
        target.setAsInteger(QStringLiteral("ch4"), d.ch4);
        target.setAsInteger(QStringLiteral("chv4"), d.chv4);
        target.setAsInteger(QStringLiteral("ch3"), d.ch3);
        target.setAsInteger(QStringLiteral("chv3"), d.chv3);
        target.setAsInteger(QStringLiteral("djp"), d.djp);
        target.setAsInteger(QStringLiteral("pfond"), d.pfond);
        target.setAsDate(QStringLiteral("tirdate"), d.date);
        const auto sorted = sortedBalls(d.drawn);
        for (size_t i = 0; i < 6; ++i)
            target.setAsInteger(sortedNames[i], sorted[i]);
        target.post();
    } catch (...) {
        target.cancel();
        throw;
    }
}

bool isStored(Connection& connection, int tir) {
    Statement lookup(connection, QStringLiteral("select tir from Razyg where tir=?"));
    lookup.bind(1, tir);
    return lookup.step();
}

void importRows(const Workbook& book, Connection& connection, Query& target, int& foundDrawNo,
                ImportCounts& counts, const std::function<void(int percent)>& afterRow) {
    const int rowCount = book.lastUsedRow();
    QElapsedTimer chunk;
    chunk.start();
    connection.beginBatch();
    try {
        for (int row = 2; row <= rowCount; ++row) {
            foundDrawNo = convertCell(book, row, 1, Conversions::strToInt);
            if (isStored(connection, foundDrawNo)) {
                ++counts.alreadyStored;
            } else {
                insertDraw(target, readDraw(book, row, foundDrawNo));
                ++counts.added;
            }
            ++counts.rowsRead;
            if (chunk.elapsed() >= kChunkMilliseconds) {
                connection.commitBatch();
                connection.beginBatch();
                chunk.restart();
            }
            if (afterRow)
                afterRow(progressPercent(row, rowCount));
        }
    } catch (...) {
        connection.commitBatch();
        throw;
    }
    connection.commitBatch();
}

} // namespace DrawImport
