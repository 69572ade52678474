// Adding, overwriting, deleting and copying draws: "Добавить в тираж" (Button1),
// "Редактировать тираж" (Button3), "Удалить тираж" (Button2) and a double click
// on the draws grid.
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "entry/EntryTexts.h"
#include "runtime/Conversions.h"

#include <QLineEdit>

void TForm1::Button1Click(QObject*) {
    FoundDrawNo = 0;
    // The duplicate lookup. A draw number that is not a number stops the add
    // here with the conversion's message.
    ADOQuery2->clearSql();
    ADOQuery2->addSql(QStringLiteral("select * from razyg where tir=:tir"));
    ADOQuery2->setParam(QStringLiteral("tir"), Conversions::strToInt64(Edit1->text().trimmed()));
    ADOQuery2->open();
    FoundDrawNo = ADOQuery2->isEmpty() ? 0 : ADOQuery2->asInteger(QStringLiteral("tir"));
    try {
        const QString drawNo = Edit1->text().trimmed();
        if (drawNo.isEmpty() || drawNo == QLatin1String("0") || FoundDrawNo > 0) {
            inputErrorBox(EntryTexts::drawRefused(Edit1->text()));
            return;
        }
        writeFields(ADOQuery1, true);
        resetFields();
        reopenChart();
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::Button3Click(QObject*) {
    try {
        if (askQuestion(EntryTexts::overwriteQuestion()))
            writeFields(ADOQuery1, false);
        reopenChart();
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::Button2Click(QObject*) {
    try {
        if (askQuestion(EntryTexts::deleteDrawQuestion())) {
            ADOQuery1->deleteRecord();
            reopenChart();
        }
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::DBGrid1DblClick(QObject*) {
    try {
        copyFields(ADOQuery1);
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::reopenChart() {
    ADOQuery4->close();
    ADOQuery4->open();
}
