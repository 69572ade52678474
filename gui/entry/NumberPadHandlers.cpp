// The 49-ball pad: "Ввод кнопками" (Button15) starts it afresh, clicks on the
// balls light or unlight them, and the lit balls go sorted into the ball
// fields. And the six-number search, "Поиск 6" (Button7).
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "entry/NumberPad.h"
#include "runtime/Conversions.h"
#include "views/ViewQueries.h"
#include "widgets/BallPanel.h"

#include <QLineEdit>

void TForm1::Button15Click(QObject*) {
    for (int n = 1; n <= 49; ++n)
        P[n]->setColor(clBtnFace);
    PadCount = 0;
    for (int i = 1; i <= 6; ++i)
        PadBalls[i] = 0;
}

void TForm1::PClick(int ball) {
    BallPanel* panel = P[ball];
    if (panel->color() == clBtnFace && PadCount < 6) {
        panel->setColor(clRed);
        ++PadCount;
        Knopki();
    } else if (panel->color() == clRed) {
        panel->setColor(clBtnFace);
        --PadCount;
        Knopki();
    }
}

void TForm1::Knopki() {
    NumberPad::Lit lit{};
    for (int n = 1; n <= 49; ++n)
        lit[n] = P[n]->color() == clRed;
    NumberPad::collect(lit, PadBalls);
    Sortirovka();
}

void TForm1::Sortirovka() {
    NumberPad::sortFirstSix(PadBalls);
    for (int i = 1; i <= 6; ++i)
        ES[i]->setText(QString::number(PadBalls[i]));
}

void TForm1::Button7Click(QObject*) {
    try {
        ADOQuery1->clearSql();
        ADOQuery1->addSql(ViewQueries::sixNumberSearch());
        // The field texts are bound as numbers; a text that is not one leaves
        // the list closed.
        for (int i = 1; i <= 6; ++i)
            ADOQuery1->setParam(ViewQueries::ballParam(i),
                                Conversions::strToInt64(ES[i]->text().trimmed()));
        ADOQuery1->open();
        SourceOpen();
    } catch (...) {
        // A failing step ends the command quietly, without a box.
    }
}
