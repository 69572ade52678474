// The draw list's views and the current-draw texts' binding: "Сортировка по
// выпадению" (Button10), "Сортировка по тиражу в пор. возр." (Button11),
// "Сортировка по тиражу в пор. выпад." (Button19), "6 угадано " (Button17) and
// "5 угадано" (Button18).
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "views/ViewQueries.h"
#include "widgets/DbGrid.h"
#include "widgets/DbText.h"
#include "widgets/StatusBar.h"

#include <QLabel>

void TForm1::SourceOpen() {
    for (DbText* text : DBText)
        text->setDataSource(DataSource1);
}

void TForm1::SourceClose() {
    for (DbText* text : DBText)
        text->setDataSource(nullptr);
}

void TForm1::runListView(const QString& sql) {
    StatusBar1->showMessage(QString());
    ADOQuery1->clearSql();
    ADOQuery1->addSql(sql);
    ADOQuery1->open();
    // The bets follow the draw list again and show the current draw's bets.
    // While they still follow it, opening the draw list has just read them
    // again for its first row.
    if (ADOQuery3->dataSource() != DataSource1 || !ADOQuery3->isActive()) {
        ADOQuery3->setDataSource(DataSource1);
        ADOQuery3->close();
        ADOQuery3->open();
    }
    // The chart counts the whole table, which a list view does not change: it
    // reads the table again when the draws may have changed since it last did.
    if (ADOQuery4->changedSinceOpen())
        reopenChart();
    SourceOpen();
}

namespace {
QString drawCount(int count) {
    return QStringLiteral("в %1 тир.").arg(count);
}
} // namespace

void TForm1::Button11Click(QObject*) {
    try {
        runListView(ViewQueries::byDrawDesc());
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::Button10Click(QObject*) {
    try {
        runListView(ViewQueries::byCombination());
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::Button19Click(QObject*) {
    runListView(ViewQueries::drawnOrder());
}

void TForm1::Button17Click(QObject*) {
    try {
        runListView(ViewQueries::sixWinners());
        Label15->setText(drawCount(ADOQuery1->recordCount()));
        Label15->adjustSize();
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::Button18Click(QObject*) {
    try {
        DBGrid1->setColumnTitle(7, QStringLiteral("Шар"));
        DBGrid1->setColumnTitle(8, QStringLiteral("Выпал, раз"));
        runListView(ViewQueries::fiveWinners());
        Label16->setText(drawCount(ADOQuery1->recordCount()));
        Label16->adjustSize();
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}
