// The status-bar button "Системы (F10)" and the key F10: the wheels window.
#include "gui/Unit1.h"

#include "dataset/Connection.h"
#include "dataset/Query.h"
#include "gui/wheels/WheelsWindow.h"

void TForm1::WheelsButtonClick(QObject*) {
    if (!WheelsForm) {
        WheelsForm = std::make_unique<WheelsWindow>(*ADOConnection1, m_boxes);
        // Bets stored by the window show in the bets grid of the current draw.
        WheelsForm->setBetsSaved([this] {
            dispatch([&] {
                if (ADOQuery3->isActive()) {
                    ADOQuery3->close();
                    ADOQuery3->open();
                }
            });
        });
        WheelsForm->placeBeside(this);
    }
    WheelsForm->show();
    WheelsForm->raise();
    WheelsForm->activateWindow();
}
