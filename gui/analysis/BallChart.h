#pragma once

#include <QChartView>
#include <array>
#include <optional>

class QBarCategoryAxis;
class QBarSet;
class QLineSeries;
class QValueAxis;

// A bar per ball 1 to 49 for one measure of the balls, the hottest and the
// coldest in their own colours, and an optional level line (the expected hits).
class BallChart : public QChartView {
    Q_OBJECT
public:
    enum class Mark { None, Hot, Cold };

    explicit BallChart(QWidget* parent = nullptr);
    void plot(const QString& title, const std::array<qreal, 49>& values,
              const std::array<Mark, 49>& marks, std::optional<qreal> level);

    // What is drawn now (for tests).
    std::array<qreal, 49> values() const { return m_values; }
    std::optional<qreal> level() const { return m_level; }
    QString title() const;
    // The height of a ball's bar on the chart's scale (a value of 0 shows as a stub).
    qreal barHeight(int ball) const;
    static constexpr qreal kStubShare = 0.015; // of the value axis

private:
    QBarSet* m_plain;
    QBarSet* m_hot;
    QBarSet* m_cold;
    QLineSeries* m_levelLine;
    QValueAxis* m_axisY;
    std::array<qreal, 49> m_values{};
    std::optional<qreal> m_level;
};
