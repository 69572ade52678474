#include "update/DrawImport.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "dataset/Statement.h"
#include "runtime/Conversions.h"
#include "update/ImportBatch.h"
#include "workbook/Workbook.h"

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

// A row's balls must be six distinct numbers from 1 to 49: a placeholder row
// of zeros for a coming draw, or a mistyped ball, would otherwise take the
// draw's number and count in every statistic. The first bad ball is named.
void checkBalls(const Workbook& book, int row, const std::array<int, 6>& balls) {
    for (size_t i = 0; i < balls.size(); ++i) {
        const int column = 3 + int(i);
        QString reason;
        if (balls[i] < 1 || balls[i] > 49)
            reason = QStringLiteral("шар %1 вне диапазона от 1 до 49").arg(balls[i]);
        else
            for (size_t j = 0; j < i && reason.isEmpty(); ++j)
                if (balls[j] == balls[i])
                    reason = QStringLiteral("шар %1 повторяется в строке").arg(balls[i]);
        if (!reason.isEmpty())
            throw ImportRowError(
                QStringLiteral("Строка %1, столбец %2: %3. Импорт остановлен на этой строке, "
                               "тиражи до неё сохранены")
                    .arg(row)
                    .arg(column)
                    .arg(reason),
                row, column, book.cellText(row, column), reason);
    }
}

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
    checkBalls(book, row, d.drawn);
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

void insertDraw(Connection& connection, const ImportedDraw& d) {
    Statement insert(connection,
                     QStringLiteral("INSERT INTO razyg (tir, ss1, ss2, ss3, ss4, ss5, ss6, ch6, "
                                    "chv6, ch5, chv5, ch4, chv4, ch3, chv3, djp, pfond, tirdate, "
                                    "s1, s2, s3, s4, s5, s6) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                    "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    int column = 0;
    const auto bind = [&](qint64 value) { insert.bindInt64(++column, value); };
    bind(d.tir);
    for (const int ball : d.drawn)
        bind(ball);
    for (const qint64 value : {qint64(d.ch6), d.chv6, qint64(d.ch5), d.chv5, qint64(d.ch4), d.chv4,
                               qint64(d.ch3), d.chv3, d.djp, d.pfond})
        bind(value);
    // As the dataset binds a date: ISO 8601 text.
    insert.bindText(++column, d.date.toString(Qt::ISODate).toUtf8());
    for (const int ball : sortedBalls(d.drawn))
        bind(ball);
    insert.run();
}

bool isStored(Connection& connection, int tir) {
    Statement lookup(connection, QStringLiteral("select tir from Razyg where tir=?"));
    lookup.bindInt64(1, tir);
    return lookup.step();
}

void importRows(const Workbook& book, Connection& connection, Query& target, int& foundDrawNo,
                ImportCounts& counts, const std::function<void(int percent)>& afterRow) {
    importRows(
        book, connection, [&target](const ImportedDraw& draw) { insertDraw(target, draw); },
        foundDrawNo, counts, afterRow);
}

void importRows(const Workbook& book, Connection& connection, const DrawWriter& write,
                int& foundDrawNo, ImportCounts& counts,
                const std::function<void(int percent)>& afterRow) {
    const int rowCount = book.lastUsedRow();
    ImportBatch batch(connection, counts);
    try {
        for (int row = 2; row <= rowCount; ++row) {
            foundDrawNo = convertCell(book, row, 1, Conversions::strToInt);
            if (isStored(connection, foundDrawNo)) {
                ++counts.alreadyStored;
            } else {
                write(readDraw(book, row, foundDrawNo));
                ++counts.added;
            }
            ++counts.rowsRead;
            batch.rowDone();
            if (afterRow)
                afterRow(progressPercent(row, rowCount));
        }
    } catch (...) {
        // The rows before the failing one are kept.
        batch.keepWhatIsDone();
        throw;
    }
    batch.finish();
}

} // namespace DrawImport
