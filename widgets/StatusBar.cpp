#include "widgets/StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

StatusBar::StatusBar(const QVector<int>& widths, QWidget* parent) : QFrame(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    for (int width : widths) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(width);
        label->setIndent(2);
        layout->addWidget(label);
        m_panels.append(label);
    }
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("StatusMessage"));
    m_message->setIndent(6);
    layout->addWidget(m_message, 1);
}

void StatusBar::showMessage(const QString& text) {
    m_message->setText(text);
}

QString StatusBar::message() const {
    return m_message->text();
}

QString StatusBar::panelText(int index) const {
    return m_panels.at(index)->text();
}

void StatusBar::setPanelText(int index, const QString& text) {
    m_panels.at(index)->setText(text);
}

void StatusBar::addRightWidget(QWidget* widget) {
    layout()->addWidget(widget);
}
