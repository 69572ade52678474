// The current draw's balls on the ball panel, and the row count.
#include "gui/Unit1.h"

#include "dataset/Query.h"
#include "widgets/BallPanel.h"
#include "widgets/StatusBar.h"

#include <algorithm>

void TForm1::DataSource1DataChange(QObject*, const QString&) {
    StatusBar1->setPanelText(1, QString::asprintf("%d", ADOQuery1->recordCount()));
    std::array<int, 6> balls{};
    try {
        for (int i = 0; i < 6; ++i)
            balls[i] = ADOQuery1->asInteger(QStringLiteral("s%1").arg(i + 1));
    } catch (...) {
        balls.fill(0);
    }
    for (int n = 1; n <= 49; ++n) {
        const bool lit = std::find(balls.begin(), balls.end(), n) != balls.end();
        P[n]->setColor(lit ? clRed : clBtnFace);
    }
}
