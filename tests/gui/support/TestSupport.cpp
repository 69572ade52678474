#include "tests/gui/support/TestSupport.h"

#include "dataset/Query.h"
#include "startup/DatabaseSetup.h"
#include "startup/StartupPaths.h"
#include "widgets/BallPanel.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <sqlite3.h>

BoxResult ScriptedBoxes::show(const BoxRequest& request) {
    shown.append(request);
    if (onShow)
        onShow(request);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    switch (request.buttons) {
    case BoxButtons::YesNo:
        return BoxResult::No;
    case BoxButtons::OkCancel:
        return BoxResult::Cancel;
    case BoxButtons::Ok:
        break;
    }
    return BoxResult::Ok;
}

QStringList ScriptedBoxes::texts() const {
    QStringList out;
    for (const BoxRequest& box : shown)
        out.append(box.text);
    return out;
}

TestApp::TestApp() {
    DatabaseSetup::ensureDefaults(m_dir.path());
}

TestApp::~TestApp() {
    m_form.reset();
}

QString TestApp::dbPath() const {
    return StartupPaths::defaultDbFileName(m_dir.path());
}

namespace {
struct Db {
    explicit Db(const QString& path) {
        if (sqlite3_open(path.toUtf8().constData(), &handle) != SQLITE_OK)
            qFatal("cannot open %s", qPrintable(path));
    }
    ~Db() { sqlite3_close(handle); }
    sqlite3* handle = nullptr;
};
} // namespace

void TestApp::sql(const QString& statements) const {
    Db db(dbPath());
    char* error = nullptr;
    if (sqlite3_exec(db.handle, statements.toUtf8().constData(), nullptr, nullptr, &error) !=
        SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        qFatal("SQL failed: %s", qPrintable(message));
    }
}

QVariant TestApp::scalar(const QString& query) const {
    Db db(dbPath());
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db.handle, query.toUtf8().constData(), -1, &stmt, nullptr);
    QVariant result;
    if (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        if (sqlite3_column_type(stmt, 0) == SQLITE_INTEGER)
            result = qlonglong(sqlite3_column_int64(stmt, 0));
        else if (sqlite3_column_type(stmt, 0) != SQLITE_NULL)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    return result;
}

int TestApp::draws() const {
    return scalar(QStringLiteral("SELECT count(*) FROM razyg")).toInt();
}

int TestApp::bets() const {
    return scalar(QStringLiteral("SELECT count(*) FROM Rate")).toInt();
}

void TestApp::addDraw(int tir, std::initializer_list<int> drawn, int ch6, int ch5) const {
    std::vector<int> balls(drawn);
    std::vector<int> sorted = balls;
    std::sort(sorted.begin(), sorted.end());
    QStringList values{QString::number(tir)};
    for (int b : sorted)
        values.append(QString::number(b));
    for (int b : balls)
        values.append(QString::number(b));
    values << QString::number(ch6) << QString::number(ch5);
    sql(QStringLiteral("INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6, ss1, ss2, ss3, ss4, ss5, "
                       "ss6, ch6, ch5) VALUES (%1)")
            .arg(values.join(QLatin1String(", "))));
}

TForm1& TestApp::start() {
    m_form = std::make_unique<TForm1>(m_dir.path(), &boxes);
    m_form->FormCreate(m_form.get());
    return *m_form;
}

QStringList ballFields(const TForm1& form) {
    QStringList texts;
    for (int i = 1; i <= 6; ++i)
        texts.append(form.ES[i]->text());
    return texts;
}

QList<int> litBalls(const TForm1& form) {
    QList<int> lit;
    for (int n = 1; n <= 49; ++n)
        if (form.P[n]->color() == TForm1::clRed)
            lit.append(n);
    return lit;
}

QWidget* gridPart(DbGrid* grid, const QString& part) {
    if (part == QLatin1String("cells"))
        return grid->viewport();
    if (part == QLatin1String("title row"))
        return grid->horizontalHeader()->viewport();
    if (part == QLatin1String("row indicator"))
        return grid->verticalHeader()->viewport();
    if (part == QLatin1String("corner"))
        return grid->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (part == QLatin1String("vertical scroll bar"))
        return grid->verticalScrollBar();
    if (part == QLatin1String("horizontal scroll bar"))
        return grid->horizontalScrollBar();
    return grid;
}

QStringList column(const Query* query, const QString& field) {
    QStringList values;
    const int index = query->fieldIndex(field);
    for (int r = 0; r < query->recordCount(); ++r)
        values.append(query->valueAt(r, index).toString());
    return values;
}

QStringList strings(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items)
        out.append(QString::fromUtf8(s));
    return out;
}

QStringList numbers(std::initializer_list<int> values) {
    QStringList out;
    for (int v : values)
        out.append(QString::number(v));
    return out;
}

QStringList numberRange(int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i)
        out.append(QString::number(i));
    return out;
}
