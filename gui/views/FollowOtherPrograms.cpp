// Following other programs' writes: when another program (numeron-cli run by
// cron, say) has changed the database, the main window reloads the view the
// user has chosen (its order or filter) and the chart, keeping the current
// draw by its number. It waits while it is itself writing, importing or
// showing a box, and looks again at the next tick.
#include "gui/Unit1.h"

#include "dataset/Connection.h"
#include "dataset/DataSource.h"
#include "dataset/Query.h"
#include "runtime/ErrorSink.h"

#include <QApplication>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

void TForm1::startFollowingOtherPrograms() {
    m_seenDataVersion = -1;
    followOtherPrograms(); // notes the database's present version
    auto* timer = new QTimer(this);
    timer->setInterval(kFollowMilliseconds);
    connect(timer, &QTimer::timeout, this, [this] { followOtherPrograms(); });
    timer->start();
}

bool TForm1::busyForReload() const {
    if (m_boxDepth > 0 || !Button16->isEnabled() || QApplication::activeModalWidget())
        return true;
    for (const Query* query : {ADOQuery1, ADOQuery3, ADOQuery4, ADOQuery5})
        if (query->state() == Query::State::Edit || query->state() == Query::State::Insert)
            return true;
    return ADOConnection1->inTransaction();
}

void TForm1::followOtherPrograms() {
    try {
        if (!ADOConnection1->isOpen() || busyForReload())
            return;
        // The engine's data version moves only with other connections' commits:
        // the window's own writes reload what they need themselves.
        const qint64 version = ADOConnection1->changeStamp().dataVersion;
        if (version == m_seenDataVersion)
            return;
        const bool first = m_seenDataVersion < 0;
        m_seenDataVersion = version;
        if (first)
            return;
        // Reading again is the window's own idea, not the user's: a view that
        // fails (a table another program took away) stays quiet, as a failing
        // list view does.
        ErrorSink::setReporter(nullptr);
        const auto restore = qScopeGuard([this] {
            ErrorSink::setReporter([this](const std::exception& e) { showStandardError(e); });
        });
        reloadAfterOtherProgram();
    } catch (const std::exception&) {
        // The database locked or gone for a moment: looked at again next tick.
    }
}

void TForm1::reloadAfterOtherProgram() {
    if (ADOQuery1->isActive()) {
        const int tirColumn = ADOQuery1->fieldIndex(QStringLiteral("tir"));
        const int row = ADOQuery1->recNo();
        const QVariant tir =
            tirColumn >= 0 && row >= 0 ? ADOQuery1->valueAt(row, tirColumn) : QVariant();
        ADOQuery1->close();
        ADOQuery1->open();
        int target = -1;
        const int rows = ADOQuery1->recordCount();
        for (int r = 0; !tir.isNull() && r < rows && target < 0; ++r)
            if (ADOQuery1->valueAt(r, tirColumn) == tir)
                target = r;
        if (target < 0)
            target = qMin(row, rows - 1);
        if (target > 0)
            ADOQuery1->setRecNo(target);
    }
    // Bets that do not follow the draw list (the bet check) are read again too.
    if (ADOQuery3->isActive() && ADOQuery3->dataSource() != DataSource1) {
        ADOQuery3->close();
        ADOQuery3->open();
    }
    if (ADOQuery4->isActive() && ADOQuery4->changedSinceOpen())
        reopenChart();
}
