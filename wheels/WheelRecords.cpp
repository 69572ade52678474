#include "wheels/WheelRecords.h"

#include "wheels/EmbeddedData.h"

#include <QByteArray>
#include <QList>

#include <map>
#include <tuple>

namespace Wheels {

namespace {

QString sourceName(const QByteArray& code) {
    if (code == "LJCR")
        return QStringLiteral("La Jolla Covering Repository (D. M. Gordon), CC-BY-4.0");
    if (code == "CS2024")
        return QStringLiteral("D. Cushing, D. I. Stewart, «Lottery designs», Constraints, 2024");
    if (code == "WOLFRAM")
        return QStringLiteral("Wolfram Demonstrations Project, «A Canadian Lottery Wheel»");
    if (code == "FORUM")
        return QStringLiteral("форум lottoposter.com, 2007 (не подтверждено)");
    return QString::fromLatin1(code);
}

using Key = std::tuple<int, int, int, int>;

// The lines of a shipped table that are neither blank nor comments, split at tabs.
template <typename F> void forEachRow(const char* text, F&& f) {
    const QList<QByteArray> lines = QByteArray(text).split('\n');
    for (const QByteArray& line : lines)
        if (!line.isEmpty() && !line.startsWith('#'))
            f(line.split('\t'));
}

const std::map<Key, WheelRecord>& records() {
    static const std::map<Key, WheelRecord> table = [] {
        std::map<Key, WheelRecord> parsed;
        const int six = Lottery::Game().k();
        // Six-number tickets: v, t, m, best, lower bound, source.
        forEachRow(embeddedRecords(), [&](const QList<QByteArray>& cells) {
            if (cells.size() < 6)
                return;
            WheelRecord r;
            r.k = six;
            r.v = cells[0].toInt();
            r.t = cells[1].toInt();
            r.m = cells[2].toInt();
            r.best = cells[3].toInt();
            r.lowerBound = cells[4].toInt();
            r.source = sourceName(cells[5].trimmed());
            parsed[Key(r.k, r.v, r.t, r.m)] = r;
        });
        // Other tickets, "t if t" only: k, t, v, best.
        forEachRow(embeddedRecordsK4K7(), [&](const QList<QByteArray>& cells) {
            if (cells.size() < 4)
                return;
            WheelRecord r;
            r.k = cells[0].toInt();
            r.t = r.m = cells[1].toInt();
            r.v = cells[2].toInt();
            r.best = cells[3].trimmed().toInt();
            r.source = sourceName("LJCR");
            if (r.k != six)
                parsed[Key(r.k, r.v, r.t, r.m)] = r;
        });
        return parsed;
    }();
    return table;
}

} // namespace

std::optional<WheelRecord> findRecord(int v, int t, int m, int k) {
    const auto& table = records();
    const auto found = table.find(Key(k, v, t, m));
    if (found == table.end())
        return std::nullopt;
    return found->second;
}

QString recordSourcesText(int k) {
    if (k != Lottery::Game().k())
        return QStringLiteral(
            "Рекордные размеры систем «t из t» для билетов из 4, 5 и 7 чисел взяты из La Jolla "
            "Covering Repository (D. M. Gordon; данные под лицензией CC-BY-4.0, снимок от "
            "21.04.2026). Для других гарантий опубликованных рекордов нет; нижняя граница — "
            "граница Шёнхейма.");
    return QStringLiteral(
        "Рекордные размеры систем и нижние границы взяты из открытых источников: "
        "La Jolla Covering Repository (D. M. Gordon; данные под лицензией CC-BY-4.0, "
        "Zenodo 10.5281/zenodo.10779736) — для гарантий «t из t»; D. Cushing и D. I. Stewart, "
        "«Lottery designs», Constraints, 2024 — для «2 из 6»; Wolfram Demonstrations Project, "
        "«A Canadian Lottery Wheel» — для «3 из 6» на 49 числах. Нижняя граница — доказанный "
        "минимум: если размер ей равен, система наименьшая из возможных.");
}

QString allRecordSourcesText() {
    return recordSourcesText() + QLatin1Char(' ') + recordSourcesText(Lottery::kMinBalls + 1);
}

} // namespace Wheels
