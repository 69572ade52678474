#include "update/DrawImport.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "dataset/Statement.h"
#include "runtime/Conversions.h"
#include "update/Workbook.h"

#include <cmath>
#include <utility>

namespace DrawImport {

ImportedDraw readDraw(const Workbook& book, int row, int tir) {
    using namespace Conversions;
    const auto text = [&](int column) { return book.cellText(row, column); };
    ImportedDraw d;
    d.tir = tir;
    d.date = strToDate(text(2));
    for (int i = 0; i < 6; ++i)
        d.drawn[static_cast<size_t>(i)] = strToInt(text(3 + i));
    d.ch6 = strToInt(text(9));
    d.chv6 = strToRoundedAmount(text(10));
    d.ch5 = strToInt(text(11));
    d.chv5 = strToRoundedAmount(text(12));
    d.ch4 = strToInt(text(13));
    d.chv4 = strToRoundedAmount(text(14));
    d.ch3 = strToInt(text(15));
    d.chv3 = strToRoundedAmount(text(16));
    d.djp = strToRoundedAmount(text(17));
    d.pfond = strToRoundedAmount(text(18));
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

bool importRows(const Workbook& book, Connection& connection, Query& target, int& foundDrawNo,
                const std::function<void(int percent)>& afterRow) {
    const int rowCount = book.lastUsedRow();
    bool imported = false;
    for (int row = 2; row <= rowCount; ++row) {
        foundDrawNo = Conversions::strToInt(book.cellText(row, 1));
        if (!isStored(connection, foundDrawNo)) {
            insertDraw(target, readDraw(book, row, foundDrawNo));
            imported = true;
        }
        if (afterRow)
            afterRow(progressPercent(row, rowCount));
    }
    return imported;
}

} // namespace DrawImport
