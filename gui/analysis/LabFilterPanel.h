#pragma once

#include "lab/Filter.h"

#include <QGroupBox>
#include <optional>

class QCheckBox;
class QLineEdit;

// The ticket filter's conditions as the user types them, in the same forms as
// the command line's options ("120-180", "1, 7, 13", "10:50:2"); an empty
// field is no condition.
class LabFilterPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit LabFilterPanel(QWidget* parent = nullptr);

    // The conditions, or none with what is wrong in error.
    std::optional<Lab::Filter> filter(QString& error) const;

    QLineEdit* sumEdit() const { return m_sum; }
    QLineEdit* maxRunEdit() const { return m_maxRun; }
    QLineEdit* includeEdit() const { return m_include; }
    QLineEdit* excludeEdit() const { return m_exclude; }
    QCheckBox* notDrawnBox() const { return m_notDrawn; }

Q_SIGNALS:
    void changed(); // any condition was edited

private:
    QLineEdit* addField(const QString& label, const QString& hint, int row, int column);

    QLineEdit* m_sum;
    QLineEdit* m_odd;
    QLineEdit* m_low;
    QLineEdit* m_maxRun;
    QLineEdit* m_decadeMax;
    QLineEdit* m_include;
    QLineEdit* m_exclude;
    QLineEdit* m_sharedMax;
    QLineEdit* m_hot;
    QLineEdit* m_cold;
    QCheckBox* m_notDrawn;
};
