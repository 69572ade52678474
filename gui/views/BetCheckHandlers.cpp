// The check of one bet against every stored draw: "Проверить ставку" (Button8).
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "runtime/Conversions.h"
#include "views/ViewQueries.h"
#include "widgets/DbGrid.h"
#include "widgets/StatusBar.h"

#include <QLineEdit>
#include <QSet>

void TForm1::Button8Click(QObject*) {
    StatusBar1->showMessage(QString());
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
    // Fewer than three different numbers match nothing: the empty list says why.
    QLineEdit* empty = nullptr;
    QSet<qint64> numbers;
    for (int i = 1; i <= 6; ++i) {
        const qint64 ball = ES[i]->text().trimmed().toLongLong();
        if (ball >= 1 && ball <= 49 && !numbers.contains(ball))
            numbers.insert(ball);
        else if (!empty)
            empty = ES[i];
    }
    if (numbers.size() < 3) {
        StatusBar1->showMessage(QStringLiteral(
            "Впишите номера ставки в поля «Номера шаров»: показываются тиражи, где совпали "
            "не меньше трёх."));
        empty->setFocus();
        empty->selectAll();
    }
}
