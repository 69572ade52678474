#pragma once

#include <QFrame>
#include <QVector>

class QLabel;

// A status bar of fixed-width text panels along the bottom edge.
class StatusBar : public QFrame {
    Q_OBJECT
public:
    StatusBar(const QVector<int>& widths, QWidget* parent = nullptr);
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    QLabel* panel(int index) const { return m_panels.at(index); }
    // Puts a widget at the right end, in the free part after the panels.
    void addRightWidget(QWidget* widget);
    // A hint in the free part after the panels; empty: none.
    void showMessage(const QString& text);
    QString message() const;

private:
    QVector<QLabel*> m_panels;
    QLabel* m_message;
};
