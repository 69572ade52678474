#include "widgets/BallPanel.h"

#include <QMouseEvent>

BallPanel::BallPanel(const QString& caption, const QColor& colour, QWidget* parent)
    : QLabel(caption, parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setColor(colour);
}

void BallPanel::setColor(const QColor& colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

void BallPanel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
