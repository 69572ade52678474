#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// What to do with the tickets that pass the filter: a random sample to look
// at, the first N of them saved as CSV, or stored as the bets of a draw.
class LabTicketsPanel : public QWidget {
    Q_OBJECT
public:
    explicit LabTicketsPanel(QWidget* parent = nullptr);

    int limit() const;
    QString drawNumberText() const;
    void showSample(const QString& text);

    QSpinBox* limitBox() const { return m_limit; }
    QLineEdit* drawEdit() const { return m_draw; }
    QPushButton* sampleButton() const { return m_sampleButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* betsButton() const { return m_betsButton; }
    QLabel* sampleLabel() const { return m_sample; }

Q_SIGNALS:
    void sampleRequested();
    void saveRequested();
    void betsRequested();

private:
    QSpinBox* m_limit;
    QLineEdit* m_draw;
    QPushButton* m_sampleButton;
    QPushButton* m_saveButton;
    QPushButton* m_betsButton;
    QLabel* m_sample;
};
