// The check of one bet against every stored draw: "Проверить ставку" (Button8).
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "runtime/Conversions.h"
#include "views/ViewQueries.h"
#include "widgets/DbGrid.h"

#include <QLineEdit>

void TForm1::Button8Click(QObject*) {
    DBGrid1->setColumnTitle(7, QStringLiteral("Кол-во"));
    DBGrid1->setColumnTitle(8, QStringLiteral("Номера"));
    ADOQuery1->setSql(ViewQueries::betCheck());
    // The six numbers are bound as values; a field that is not a number stops
    // the check with its conversion message, before any query runs.
    for (int i = 1; i <= 6; ++i)
        ADOQuery1->setParam(ViewQueries::ballParam(i),
                            Conversions::strToInt64(ES[i]->text().trimmed()));
    ADOQuery1->open();
    SourceOpen();
}
