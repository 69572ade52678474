#pragma once

#include "widgets/MessageBoxes.h"

#include <QStringList>
#include <optional>

class QApplication;

// What the window benchmarks share: the program's locale and font, the row
// count argument, and message boxes that never wait.

// Before the application is made: no display is needed unless one is asked for.
void preferOffscreen();

// Russian locale and the window font, as the program sets them.
void setUpBenchApplication(QApplication& app);

// The arguments ROWS [WORKDIR] (WORKDIR made absolute, the current folder when
// absent); none, with the usage printed on standard error, when ROWS is not a
// positive number.
struct BenchArguments {
    int rows = 0;
    QString workDir;
};
std::optional<BenchArguments> benchArguments(const QStringList& args);

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
