#pragma once

#include <QPushButton>

// A push button whose caption breaks onto further lines when it does not fit.
class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
