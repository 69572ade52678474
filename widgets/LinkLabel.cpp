#include "widgets/LinkLabel.h"

#include <QMouseEvent>

void LinkLabel::setFontColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT mouseDown(event->button());
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    Q_EMIT mouseUp(event->button());
}
