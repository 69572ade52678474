#include "gui/wheels/NumberChooser.h"

#include <QGridLayout>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

NumberChooser::NumberChooser(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("WheelNumbers"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    // Pressed balls in the red of the main window's pad.
    setStyleSheet(QStringLiteral("QToolButton { min-width: 30px; min-height: 26px; }"
                                 "QToolButton:checked { background: #e03030; color: white;"
                                 " border: 1px solid #901010; }"));
    for (int n = 1; n <= 49; ++n) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("WheelBall%1").arg(n));
        b->setText(QString::number(n));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        grid->addWidget(b, (n - 1) / 7, (n - 1) % 7);
        connect(b, &QToolButton::toggled, this, &NumberChooser::changed);
        m_balls[size_t(n)] = b;
    }
}

std::vector<int> NumberChooser::chosen() const {
    std::vector<int> balls;
    for (int n = 1; n <= 49; ++n)
        if (m_balls[size_t(n)]->isChecked())
            balls.push_back(n);
    return balls;
}

void NumberChooser::setChosen(const std::vector<int>& balls) {
    for (int n = 1; n <= 49; ++n) {
        const QSignalBlocker quiet(m_balls[size_t(n)]);
        m_balls[size_t(n)]->setChecked(std::find(balls.begin(), balls.end(), n) != balls.end());
    }
    Q_EMIT changed();
}

void NumberChooser::setKeys(const std::vector<int>& keys) {
    for (int n = 1; n <= 49; ++n) {
        QFont font = m_balls[size_t(n)]->font();
        font.setBold(std::find(keys.begin(), keys.end(), n) != keys.end());
        font.setUnderline(font.bold());
        m_balls[size_t(n)]->setFont(font);
    }
}
