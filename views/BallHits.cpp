#include "views/BallHits.h"

#include "runtime/AppError.h"
#include "views/BallValue.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

namespace {

struct Counts {
    sqlite3_int64 hits[50];
};

// The ball a value stands for, or 0: whole numbers 1 to 49 only.
int ballOf(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return ballFromInteger(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return ballFromReal(sqlite3_value_double(value));
    default:
        return 0;
    }
}

void step(sqlite3_context* context, int argc, sqlite3_value** argv) {
    auto* counts = static_cast<Counts*>(sqlite3_aggregate_context(context, sizeof(Counts)));
    if (!counts) {
        sqlite3_result_error_nomem(context);
        return;
    }
    // A ball written twice in one row counts once.
    bool seen[50] = {};
    for (int i = 0; i < argc; ++i) {
        const int ball = ballOf(argv[i]);
        if (ball && !seen[ball]) {
            seen[ball] = true;
            ++counts->hits[ball];
        }
    }
}

void final(sqlite3_context* context) {
    const auto* counts = static_cast<Counts*>(sqlite3_aggregate_context(context, 0));
    QByteArray json = "[";
    for (int ball = 1; ball <= 49; ++ball) {
        if (ball > 1)
            json += ',';
        json += QByteArray::number(counts ? qlonglong(counts->hits[ball]) : 0);
    }
    json += ']';
    sqlite3_result_text(context, json.constData(), int(json.size()), SQLITE_TRANSIENT);
}

} // namespace

void registerBallHits(sqlite3* db) {
    if (sqlite3_create_function_v2(db, "ball_hits", 6, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   nullptr, step, final, nullptr) != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(db)));
}
