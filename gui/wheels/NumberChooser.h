#pragma once

#include <QWidget>

#include <array>
#include <vector>

class QToolButton;

// The 49-ball pad of the wheels window: one checkable button per ball in rows
// of seven; the chosen numbers are the pressed buttons. Key numbers are drawn
// in bold.
class NumberChooser : public QWidget {
    Q_OBJECT
public:
    explicit NumberChooser(QWidget* parent = nullptr);

    std::vector<int> chosen() const; // ascending
    void setChosen(const std::vector<int>& balls);
    void setKeys(const std::vector<int>& keys);
    QToolButton* ball(int number) const { return m_balls.at(size_t(number)); }

Q_SIGNALS:
    void changed();

private:
    std::array<QToolButton*, 50> m_balls{}; // [1] .. [49]
};
