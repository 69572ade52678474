#pragma once

#include <QLabel>

// A label that reports mouse presses, releases and left clicks, in the order
// press, click, release.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    QColor fontColor() const { return palette().color(QPalette::WindowText); }
    void setFontColor(const QColor& colour);

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button);
    void clicked();
    void mouseUp(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
