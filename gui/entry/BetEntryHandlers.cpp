// Adding, overwriting, deleting and copying bets: "Добавить в ставки" (Button4),
// "Редактировать ставку" (Button6), "Удалить ставку" (Button5) and a double
// click on the bets grid.
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "entry/EntryTexts.h"

#include <QLineEdit>

void TForm1::Button4Click(QObject*) {
    ADOQuery2->clearSql();
    ADOQuery2->addSql(QStringLiteral("select * from Rate order by tir"));
    ADOQuery2->open();
    try {
        if (Edit1->text().trimmed().isEmpty()) {
            inputErrorBox(EntryTexts::inputError());
            return;
        }
        writeFields(ADOQuery2, true);
        resetFields();
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::Button6Click(QObject*) {
    try {
        if (askQuestion(EntryTexts::overwriteQuestion()))
            writeFields(ADOQuery3, false);
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::Button5Click(QObject*) {
    try {
        if (askQuestion(EntryTexts::deleteBetQuestion()))
            ADOQuery3->deleteRecord();
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}

void TForm1::DBGrid2DblClick(QObject*) {
    try {
        copyFields(ADOQuery3);
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}
