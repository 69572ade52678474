// The ball frequency tables in the draw grid: "Статистика (шар)" (Button12) and
// "Статистика (выпал)" (Button9).
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "views/ViewQueries.h"
#include "widgets/DbGrid.h"
#include "widgets/StatusBar.h"

void TForm1::showFrequencies(const QString& sql) {
    // The frequency rows have none of the draw's columns: the current-draw texts
    // and the bets let go of the draw list first.
    StatusBar1->showMessage(QString());
    SourceClose();
    ADOQuery3->setDataSource(nullptr);
    ADOQuery1->clearSql();
    ADOQuery1->addSql(sql);
    ADOQuery1->open();
}

void TForm1::Button12Click(QObject*) {
    DBGrid1->setColumnTitle(7, QStringLiteral("Шар"));
    DBGrid1->setColumnTitle(8, QStringLiteral("Выпал, раз"));
    showFrequencies(ViewQueries::frequencyByBall());
}

void TForm1::Button9Click(QObject*) {
    showFrequencies(ViewQueries::frequencyByCount());
}
