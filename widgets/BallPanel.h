#pragma once

#include <QColor>
#include <QLabel>

// A small raised square panel with a caption and a background colour; the
// colour is its only state. A left click emits clicked().
class BallPanel : public QLabel {
    Q_OBJECT
public:
    BallPanel(const QString& caption, const QColor& colour, QWidget* parent = nullptr);
    QColor color() const { return m_colour; }
    void setColor(const QColor& colour);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor m_colour;
};
