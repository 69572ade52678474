#include "history/CsvHistory.h"

#include "history/HistoryValues.h"
#include "runtime/CsvReader.h"

#include <QIODevice>
#include <array>

namespace History {

using HistoryColumns::Column;
using Role = Column::Role;

namespace {

// "Строка 1, столбец 3 «шар»: " before the reason, as much of it as is known.
QString problemText(const Problem& problem) {
    QString place;
    if (problem.line > 0)
        place = QStringLiteral("Строка %1").arg(problem.line);
    if (problem.column > 0)
        place += QStringLiteral(", столбец %1").arg(problem.column);
    if (problem.column > 0 && !problem.text.isEmpty())
        place += QStringLiteral(" «%1»").arg(problem.text.left(40));
    return place.isEmpty() ? problem.reason : place + QStringLiteral(": ") + problem.reason;
}

} // namespace

CsvError::CsvError(const Problem& problem) : AppError(problemText(problem)), m_problem(problem) {}

bool looksLikeText(QByteArrayView start) {
    if (start.startsWith("PK\x03\x04") || start.startsWith("\xD0\xCF\x11\xE0"))
        return false;
    return !start.contains('\0');
}

namespace {

QString fieldText(QByteArrayView field) {
    return QString::fromUtf8(field.first(std::min<qsizetype>(field.size(), 300)));
}

// Reads one row's fields into a draw; the problem of the first bad field.
class RowReader {
public:
    RowReader(const Lottery::Game& game, const HistoryColumns::Plan& plan, int headerFields)
        : m_game(game), m_plan(plan), m_headerFields(headerFields) {}

    std::optional<Problem> read(const CsvReader& csv, Row& row) const {
        const qint64 line = row.line;
        Lottery::Draw& draw = row.draw;
        const int fields = csv.fieldCount();
        if (fields < m_headerFields)
            return Problem{line, 0, QString(),
                           QStringLiteral("в строке %1 полей, а в заголовке %2")
                               .arg(fields)
                               .arg(m_headerFields)};
        for (int i = m_headerFields; i < fields; ++i)
            if (!HistoryValues::trimmed(csv.field(i)).isEmpty())
                return problem(
                    line, i, csv.field(i),
                    QStringLiteral("лишнее поле: в заголовке %1 полей").arg(m_headerFields));
        draw = Lottery::Draw{};
        std::array<int, Lottery::kMaxBalls> main{}, second{};
        Lottery::BallSet seenMain, seenSecond;
        if (m_plan.hasWinners)
            draw.winners.resize(m_game.categories().size());
        if (m_plan.hasPrizes)
            draw.prizes.resize(m_game.categories().size());
        for (int i = 0; i < m_headerFields; ++i) {
            const Column& column = m_plan.columns[size_t(i)];
            const QByteArrayView field = csv.field(i);
            switch (column.role) {
            case Role::Skip:
                break;
            case Role::Date: {
                const auto date = HistoryValues::date(field);
                if (!date)
                    return problem(line, i, field,
                                   QStringLiteral("не дата: ожидается ГГГГ-ММ-ДД или ДД.ММ.ГГГГ"));
                draw.date = *date;
                const QByteArrayView text = HistoryValues::trimmed(field);
                row.dateSize =
                    quint8(std::min<qsizetype>(text.size(), qsizetype(row.dateBytes.size())));
                std::copy_n(text.data(), row.dateSize, row.dateBytes.data());
                break;
            }
            case Role::Tir: {
                const auto tir = HistoryValues::whole(field);
                if (!tir || *tir < 1)
                    return problem(line, i, field,
                                   QStringLiteral("не номер тиража: целое число от 1"));
                draw.tir = *tir;
                break;
            }
            case Role::Main:
            case Role::Second: {
                const bool isSecond = column.role == Role::Second;
                const int n = isSecond ? m_game.n2() : m_game.n();
                const QString drum = isSecond ? QStringLiteral(" второго барабана") : QString();
                const auto ball = HistoryValues::whole(field);
                if (!ball)
                    return problem(line, i, field, QStringLiteral("не номер шара%1").arg(drum));
                Lottery::BallSet& seen = isSecond ? seenSecond : seenMain;
                if (*ball < 1 || *ball > n)
                    return problem(line, i, field,
                                   QStringLiteral("шар %1%2 вне диапазона от 1 до %3")
                                       .arg(*ball)
                                       .arg(drum)
                                       .arg(n));
                if (seen.contains(*ball))
                    return problem(
                        line, i, field,
                        QStringLiteral("шар %1%2 повторяется в строке").arg(*ball).arg(drum));
                seen.add(*ball);
                (isSecond ? second : main)[size_t(column.index)] = *ball;
                break;
            }
            case Role::Winners:
            case Role::Prize: {
                if (HistoryValues::trimmed(field).isEmpty())
                    break;
                const bool winners = column.role == Role::Winners;
                std::optional<qint64> value;
                if (!winners)
                    value = HistoryValues::amount(field);
                else if (const auto count = HistoryValues::whole(field))
                    value = *count;
                if (!value)
                    return problem(line, i, field,
                                   winners ? QStringLiteral("не число победителей")
                                           : QStringLiteral("не сумма: цифры, дробная часть через "
                                                            "точку или запятую, без пробелов "
                                                            "между разрядами"));
                (winners ? draw.winners : draw.prizes)[size_t(column.index)] = value;
                break;
            }
            }
        }
        for (int i = 0; i < m_game.k(); ++i)
            draw.drawn.append(main[size_t(i)]);
        for (int i = 0; i < m_game.k2(); ++i)
            draw.secondDrawn.append(second[size_t(i)]);
        return std::nullopt;
    }

private:
    static Problem problem(qint64 line, int column, QByteArrayView field, const QString& reason) {
        return {line, column + 1, fieldText(field), reason};
    }
    const Lottery::Game& m_game;
    const HistoryColumns::Plan& m_plan;
    const int m_headerFields;
};

// Keeps the direction of the dates of a file without draw numbers.
class DateOrder {
public:
    // Why the date turns back against the rows before it; empty when it does not.
    QString check(const QDate& date) {
        if (m_last.isValid() && date != m_last) {
            const int step = date > m_last ? 1 : -1;
            if (m_direction != 0 && step != m_direction)
                return QStringLiteral("дата %1 идёт не по порядку: строки выше идут %2, а тиражи "
                                      "без номеров нумеруются по датам")
                    .arg(date.toString(QStringLiteral("dd.MM.yyyy")),
                         m_direction > 0 ? QStringLiteral("от старых к новым")
                                         : QStringLiteral("от новых к старым"));
            m_direction = step;
        }
        m_last = date;
        return {};
    }
    bool newestFirst() const { return m_direction < 0; }
    bool known() const { return m_direction != 0; }

private:
    QDate m_last;
    int m_direction = 0;
};

} // namespace

CsvHistory readCsvHistory(QIODevice& input, const Lottery::Game& game,
                          const std::vector<Column>& columns, const Limits& limits) {
    const QByteArray peeked = input.peek(limits.maxLineBytes + 3);
    QByteArrayView start(peeked);
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.sliced(3);
    CsvReader csv(input, CsvReader::guessSeparator(start),
                  {limits.maxLineBytes, limits.maxFields, limits.maxFileBytes});
    const auto failed = [&csv] { return CsvError({csv.line(), 0, QString(), csv.error()}); };
    CsvReader::Result result = csv.next();
    if (result == CsvReader::Result::Failed)
        throw failed();
    if (result == CsvReader::Result::End)
        throw CsvError({0, 0, QString(), QStringLiteral("файл пуст: нет строки заголовков")});
    std::vector<QString> header;
    for (int i = 0; i < csv.fieldCount(); ++i)
        header.push_back(QString::fromUtf8(csv.field(i)).trimmed());
    const qint64 headerLine = csv.line();
    result = csv.next();
    if (result == CsvReader::Result::Failed)
        throw failed();
    std::vector<QByteArrayView> firstRow;
    for (int i = 0; result == CsvReader::Result::Record && i < csv.fieldCount(); ++i)
        firstRow.push_back(csv.field(i));
    HistoryColumns::Plan plan;
    try {
        plan = HistoryColumns::plan(header, firstRow, game, columns);
    } catch (const HistoryColumns::HeaderError& e) {
        throw CsvError({headerLine, e.column(), e.name(), e.message()});
    }

    CsvHistory history;
    history.numbered = plan.tirColumn >= 0;
    history.dateColumn = plan.dateColumn + 1;
    history.hasWinners = plan.hasWinners;
    history.hasPrizes = plan.hasPrizes;
    // Room for as many rows as lines of the header's length fit in the file.
    const qsizetype lineBytes = start.indexOf('\n') + 1;
    if (!input.isSequential() && lineBytes > 0)
        history.rows.reserve(size_t(std::min(input.size() / lineBytes + 1, limits.maxRows)));
    const RowReader rows(game, plan, int(header.size()));
    DateOrder order;
    std::optional<Problem> first, last;
    const auto note = [&](const Problem& problem) {
        if (!first)
            first = problem;
        last = problem;
    };
    for (qint64 count = 0; result != CsvReader::Result::End; result = csv.next()) {
        if (result == CsvReader::Result::Failed) {
            note({csv.line(), 0, QString(), csv.error()});
            if (!history.numbered && (order.newestFirst() || !order.known()))
                history.rows.clear(); // the rows below it cannot be reached
            break;
        }
        if (++count > limits.maxRows) {
            note({csv.line(), 0, QString(),
                  QStringLiteral("в файле больше %1 строк тиражей").arg(limits.maxRows)});
            break;
        }
        Row row;
        row.line = csv.line();
        std::optional<Problem> problem = rows.read(csv, row);
        if (!problem && !history.numbered) {
            const QString turn = order.check(row.draw.date);
            if (!turn.isEmpty())
                problem = Problem{row.line, history.dateColumn,
                                  fieldText(csv.field(plan.dateColumn)), turn};
        }
        if (problem) {
            note(*problem);
            // In the file's own order nothing after the first bad row counts.
            if (history.numbered || (order.known() && !order.newestFirst()))
                break;
            continue;
        }
        history.rows.push_back(std::move(row));
    }
    if (!history.numbered && order.newestFirst()) {
        // Oldest first: from the end of the file up to its last bad row.
        std::vector<Row> kept;
        for (auto it = history.rows.rbegin(); it != history.rows.rend(); ++it) {
            if (last && it->line < last->line)
                break;
            kept.push_back(std::move(*it));
        }
        history.rows = std::move(kept);
        history.stop = last;
    } else {
        if (first)
            while (!history.rows.empty() && history.rows.back().line > first->line)
                history.rows.pop_back();
        history.stop = first;
    }
    return history;
}

} // namespace History
