#pragma once

#include "widgets/MessageBoxes.h"

#include <QStringList>

class QApplication;

// What the window benchmarks share: the program's locale and font, the row
// count argument, and message boxes that never wait.

// Russian locale and the window font, as the program sets them.
void setUpBenchApplication(QApplication& app);

// The ROWS argument (args[1]) as a positive number, or 0 when it is not one.
int rowsArgument(const QStringList& args);

// Answers every box with OK or Yes and keeps the texts: a box during a run
// means a command failed, which the report must show.
class CountingBoxes : public MessageBoxes {
public:
    BoxResult show(const BoxRequest& request) override {
        texts.append(request.text);
        return request.buttons == BoxButtons::YesNo ? BoxResult::Yes : BoxResult::Ok;
    }
    QStringList texts;
};
