#pragma once

#include <QPushButton>

// A push button of the main window: a caption that may break onto further
// lines when it does not fit, and, while the button has the keyboard focus, a
// dotted frame inside its edge, plain to see whatever the style draws.
class WrapButton : public QPushButton {
    Q_OBJECT
public:
    WrapButton(const QString& caption, bool wraps, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_wraps;
};
